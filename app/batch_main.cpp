// tarvel-batch: answers every row of a CSV table of air states as the calculator's window would,
// on every core. See tarvel-batch --help.
#include <unistd.h>

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "app/batch/batch_error.h"
#include "app/batch/batch_help.h"
#include "app/batch/batch_options.h"
#include "app/batch/batch_run.h"

namespace {

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written <= 0)
      return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

int Fail(std::string_view what) {
  WriteAll(STDERR_FILENO, "tarvel-batch: " + std::string(what) + "\n");
  return tarvel::batch::kUsageOrIoError;
}

}  // namespace

int main(int argc, char** argv) {
  using tarvel::batch::BatchOptions;
  try {
    const BatchOptions options = tarvel::batch::ParseCommandLine(argc, argv);
    switch (options.request) {
      case BatchOptions::Request::Help:
        WriteAll(STDOUT_FILENO, tarvel::batch::HelpText());
        return 0;
      case BatchOptions::Request::Version:
        WriteAll(STDOUT_FILENO, "tarvel-batch " TARVEL_VERSION "\n");
        return 0;
      case BatchOptions::Request::Run:
        return tarvel::batch::RunBatch(options);
    }
  } catch (const tarvel::batch::BatchError& e) {
    return Fail(e.what());
  } catch (const std::bad_alloc&) {
    return Fail("内存不足");
  } catch (const std::exception& e) {
    return Fail(std::string("内部错误：") + e.what());
  }
  return tarvel::batch::kUsageOrIoError;
}
