#include "app/batch/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "app/batch/batch_error.h"
#include "app/batch/system_error_text.h"

namespace tarvel::batch {
namespace {

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// The named temporary file that a signal must remove. This is the program's one piece of
// process-wide state: a signal handler can reach nothing else.
char g_temporary_path[PATH_MAX];
volatile sig_atomic_t g_temporary_armed = 0;

extern "C" void RemoveTemporaryAndDie(int signal_number) {
  if (g_temporary_armed)
    unlink(g_temporary_path);
  std::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

void ArmSignalCleanup(const std::string& path) {
  std::memcpy(g_temporary_path, path.c_str(), path.size() + 1);
  g_temporary_armed = 1;
  for (const int signal_number : kCleanedSignals)
    std::signal(signal_number, RemoveTemporaryAndDie);
}

void DisarmSignalCleanup() {
  g_temporary_armed = 0;
}

// Holds off the signals above while the file is put in place, so that none lands between the
// steps.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal_number : kCleanedSignals)
      sigaddset(&held, signal_number);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

 private:
  sigset_t previous_;
};

[[noreturn]] void Fail(const std::string& what, int error) {
  throw BatchError(what + "：" + SystemErrorText(error));
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name beside `path` that no file has yet, for the `attempt`-th try.
std::string TemporaryName(const std::string& path, int attempt) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return directory + "." + name + ".tarvel-batch-" + std::to_string(getpid()) + "-" +
         std::to_string(attempt);
}

void SyncDirectory(const std::string& path) {
  // The rename itself must reach the disk too; a directory that cannot be synced is left so.
  const int fd = open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

// The file a path names: a symbolic link is followed, so that the link stays and its target is
// replaced.
std::string ResolvedPath(const std::string& path) {
  struct stat link;
  if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
    return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

}  // namespace

OutputFile::OutputFile(int fd, Mode mode, std::string path)
    : fd_(fd), mode_(mode), path_(std::move(path)) {}

std::unique_ptr<OutputFile> OutputFile::StandardOutput() {
  return std::unique_ptr<OutputFile>(new OutputFile(STDOUT_FILENO, Mode::Direct, "标准输出"));
}

std::unique_ptr<OutputFile> OutputFile::Replacing(const std::string& user_path,
                                                  TemporaryKind kind) {
  const std::string path = ResolvedPath(user_path);
  struct stat existing;
  const bool exists = stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode))
    throw BatchError("输出文件“" + user_path + "”是一个目录");
  // A file the user may not write is not replaced either, though the directory would allow it.
  if (exists && access(path.c_str(), W_OK) != 0)
    Fail("无法写入输出文件“" + user_path + "”", errno);
  if (exists && !S_ISREG(existing.st_mode)) {
    // A device or a FIFO (/dev/null, a named pipe) is not replaced but written to.
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
      Fail("无法写入输出文件“" + user_path + "”", errno);
    return std::unique_ptr<OutputFile>(
        new OutputFile(fd, Mode::Direct, "输出文件“" + user_path + "”"));
  }

  std::unique_ptr<OutputFile> file;
  // The unnamed file is linked in through /proc/self/fd; without /proc it cannot be.
  if (kind == TemporaryKind::Unnamed && access("/proc/self/fd", X_OK) == 0) {
    const int fd = open(DirectoryOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0)
      file.reset(new OutputFile(fd, Mode::Unnamed, path));
    else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      Fail("无法在目录“" + DirectoryOf(user_path) + "”中写输出文件", errno);
  }
  if (!file) {
    std::string temporary = TemporaryName(path, 0);
    int fd = -1;
    for (int attempt = 1; fd < 0; ++attempt) {
      fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && (errno != EEXIST || attempt > 100))
        Fail("无法在目录“" + DirectoryOf(user_path) + "”中写输出文件", errno);
      if (fd < 0)
        temporary = TemporaryName(path, attempt);
    }
    file.reset(new OutputFile(fd, Mode::Named, path));
    file->temporary_ = temporary;
    ArmSignalCleanup(temporary);
  }
  file->existed_ = exists;
  // A new file gets the usual permissions, a replaced one keeps its own (and, where allowed, its
  // owner).
  fchmod(file->fd_, exists ? existing.st_mode & 07777 : 0666 & ~CurrentUmask());
  if (exists) {
    [[maybe_unused]] const int ignored = fchown(file->fd_, existing.st_uid, existing.st_gid);
  }
  return file;
}

OutputFile::~OutputFile() {
  if (committed_)
    return;
  if (mode_ == Mode::Named) {
    unlink(temporary_.c_str());
    DisarmSignalCleanup();
  }
  // The unnamed file vanishes with its descriptor.
  if (fd_ != STDOUT_FILENO)
    close(fd_);
}

void OutputFile::Write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = write(fd_, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      Fail("写入" + Described() + "时出错", errno);
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::string OutputFile::Described() const {
  return mode_ == Mode::Direct ? path_ : "输出文件“" + path_ + "”";
}

bool OutputFile::IsTerminal() const {
  return isatty(fd_) == 1;
}

void OutputFile::PutInPlace() {
  const SignalsHeld held;
  if (mode_ == Mode::Unnamed) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    // A new file is linked in under its name at once; an existing one is replaced by a rename
    // from a hidden name, since a link cannot replace a file.
    if (!existed_ &&
        linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path_.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return;
    if (errno != EEXIST && !existed_)
      Fail("无法写入" + Described(), errno);
    for (int attempt = 0;; ++attempt) {
      temporary_ = TemporaryName(path_, attempt);
      if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0)
        break;
      if (errno != EEXIST || attempt > 100)
        Fail("无法写入" + Described(), errno);
    }
  }
  if (rename(temporary_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    unlink(temporary_.c_str());
    DisarmSignalCleanup();
    Fail("无法写入" + Described(), error);
  }
  DisarmSignalCleanup();
}

void OutputFile::Commit() {
  if (mode_ != Mode::Direct && fsync(fd_) != 0)
    Fail("写入" + Described() + "时出错", errno);
  if (mode_ != Mode::Direct)
    PutInPlace();
  committed_ = true;
  if (close(fd_) != 0)
    Fail("写入" + Described() + "时出错", errno);
  if (mode_ != Mode::Direct)
    SyncDirectory(path_);
}

}  // namespace tarvel::batch
