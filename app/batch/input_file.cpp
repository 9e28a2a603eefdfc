#include "app/batch/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/batch/batch_error.h"
#include "app/batch/system_error_text.h"

namespace tarvel::batch {

InputFile::InputFile(const std::string& path)
    : fd_(path == "-" ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC)),
      owned_(path != "-") {
  const std::string name = path == "-" ? "标准输入" : "输入文件“" + path + "”";
  if (fd_ < 0)
    throw BatchError("无法打开" + name + "：" + SystemErrorText(errno));
  struct stat status;
  if (fstat(fd_, &status) == 0 && S_ISDIR(status.st_mode)) {
    if (owned_)
      close(fd_);
    throw BatchError(name + "是一个目录");
  }
  if (fstat(fd_, &status) == 0 && S_ISREG(status.st_mode)) {
    const off_t offset = lseek(fd_, 0, SEEK_CUR);
    size_ = status.st_size - (offset > 0 ? offset : 0);
    posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  }
}

InputFile::~InputFile() {
  if (owned_)
    close(fd_);
}

std::size_t ReadAppend(int fd, std::string& buffer, std::size_t count) {
  const std::size_t old_size = buffer.size();
  buffer.resize(old_size + count);
  for (;;) {
    const ssize_t got = read(fd, buffer.data() + old_size, count);
    if (got >= 0) {
      buffer.resize(old_size + static_cast<std::size_t>(got));
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      const int error = errno;
      buffer.resize(old_size);
      throw BatchError("读取输入时出错：" + SystemErrorText(error));
    }
  }
}

}  // namespace tarvel::batch
