#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>

namespace tarvel::batch {

// Where the output goes, so that no run leaves a partial file behind.
//
// A regular file (new or existing) is written to a file beside it that has no name (Linux
// O_TMPFILE), or where that is not possible a hidden named one that a signal handler removes on
// SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE. Commit() syncs it to disk and only then puts it in
// the file's place in one step, with the existing file's permissions. A run that ends otherwise
// (an error, a signal, even SIGKILL for the unnamed file) leaves the file as it was. A device or
// FIFO is written directly, standard output as it is.
class OutputFile {
 public:
  enum class TemporaryKind { Unnamed, Named };

  static std::unique_ptr<OutputFile> StandardOutput();
  // Throws BatchError when the file cannot be created beside `path`, or `path` is a directory.
  // `kind` is Unnamed except in tests of the fallback.
  static std::unique_ptr<OutputFile> Replacing(const std::string& path,
                                               TemporaryKind kind = TemporaryKind::Unnamed);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Writes all of `data`; throws BatchError when it cannot (a full disk, a closed pipe).
  void Write(std::string_view data);
  // Finishes the output: every byte on disk and the file in its place. Throws BatchError.
  void Commit();

  // Whether the output goes to a terminal.
  bool IsTerminal() const;

 private:
  enum class Mode { Direct, Unnamed, Named };
  OutputFile(int fd, Mode mode, std::string path);
  void PutInPlace();
  // The output as a message names it: 标准输出, or 输出文件 and the path in quotes.
  std::string Described() const;

  int fd_;
  Mode mode_;
  // Direct: the output as messages name it; otherwise the file the user named (its target, for a
  // symbolic link).
  std::string path_;
  std::string temporary_;  // Named: the temporary file's path
  bool existed_ = false;
  bool committed_ = false;
};

}  // namespace tarvel::batch
