// tarvel-climate: a weather file's hours, each calculated as the calculator's window would, with
// the outdoor design conditions and the comfort zones they give. See tarvel-climate --help.
#include <unistd.h>

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "app/batch/batch_error.h"
#include "app/climate/climate_help.h"
#include "app/climate/climate_options.h"
#include "app/climate/climate_run.h"
#include "climate/climate_error.h"

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
  WriteAll(STDERR_FILENO, "tarvel-climate: " + std::string(what) + "\n");
  return tarvel::climate_app::kUsageOrInputError;
}

}  // namespace

int main(int argc, char** argv) {
  using tarvel::climate_app::ClimateCommand;
  try {
    const ClimateCommand command = tarvel::climate_app::ParseClimateCommand(argc, argv);
    switch (command.request) {
      case ClimateCommand::Request::Help:
        WriteAll(STDOUT_FILENO, tarvel::climate_app::ClimateHelpText());
        return 0;
      case ClimateCommand::Request::Version:
        WriteAll(STDOUT_FILENO, "tarvel-climate " TARVEL_VERSION "\n");
        return 0;
      case ClimateCommand::Request::Run:
        return tarvel::climate_app::RunClimate(command);
    }
  } catch (const tarvel::climate::ClimateError& e) {
    return Fail(e.what());
  } catch (const tarvel::batch::BatchError& e) {
    return Fail(e.what());
  } catch (const std::bad_alloc&) {
    return Fail("内存不足");
  } catch (const std::exception& e) {
    return Fail(std::string("内部错误：") + e.what());
  }
  return tarvel::climate_app::kUsageOrInputError;
}
