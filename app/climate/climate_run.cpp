#include "app/climate/climate_run.h"

#include <sys/stat.h>
#include <unistd.h>

#include <exception>
#include <new>
#include <string>

#include "app/batch/batch_error.h"
#include "app/batch/input_file.h"
#include "app/batch/output_file.h"
#include "app/climate/climate_help.h"
#include "app/climate/climate_options.h"
#include "app/climate/climate_table.h"
#include "app/climate/parallel_hours.h"
#include "climate/climate_error.h"
#include "climate/climate_json.h"
#include "climate/hours_table.h"
#include "climate/weather_reading.h"

namespace tarvel::climate_app {
namespace {

constexpr std::size_t kReadBytes = 1u << 20;

// Writes all of `text`; false when the descriptor takes no more.
bool Written(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t count = write(fd, text.data(), text.size());
    if (count <= 0)
      return false;
    text.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

void WriteAll(int fd, std::string_view text) {
  if (!Written(fd, text))
    throw climate::ClimateError("无法写出结果（输出已关闭？）");
}

std::string ReadWhole(const std::string& path) {
  const batch::InputFile input(path);
  std::string bytes;
  while (batch::ReadAppend(input.Descriptor(), bytes, kReadBytes) > 0) {
  }
  return bytes;
}

// The weather file is never written: not even as the table of hours.
void RefuseToOverwrite(const std::string& input, const std::string& output) {
  struct stat in {};
  struct stat out {};
  if (input != "-" && stat(input.c_str(), &in) == 0 && stat(output.c_str(), &out) == 0 &&
      in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
    throw climate::ClimateError("--hours 的文件“" + output +
                                "”就是气象文件本身：气象文件只读不写，请换一个文件名");
  }
}

std::string Summary(const climate::WeatherRecord& record) {
  const climate::HourTally tally = climate::TallyHours(record);
  std::string line = "tarvel-climate: 已计算 " + std::to_string(record.hours.size()) +
                     " 小时，其中 " + std::to_string(tally.NotTakingPart()) + " 小时不参加统计";
  if (tally.NotTakingPart() > 0) {
    line += "（缺测 " + std::to_string(tally.missing) + "，计算有提示 " +
            std::to_string(tally.message) + "，无法读取 " + std::to_string(tally.unreadable) + "）";
  }
  return line + "\n";
}

int Run(const ClimateCommand& command) {
  if (command.request == ClimateCommand::Request::Help) {
    WriteAll(STDOUT_FILENO, ClimateHelpText());
    return kEveryLineRead;
  }
  if (command.request == ClimateCommand::Request::Version) {
    WriteAll(STDOUT_FILENO, "tarvel-climate " TARVEL_VERSION "\n");
    return kEveryLineRead;
  }
  if (command.hours_output)
    RefuseToOverwrite(command.input, *command.hours_output);
  climate::WeatherRecord record = climate::ReadWeather(ReadWhole(command.input), command.reading);
  CalculateInParallel(record.hours, command.threads > 0 ? command.threads : AvailableCores());
  const climate::ClimateReport report = climate::MakeClimateReport(record, command.report);

  if (command.hours_output) {
    const std::unique_ptr<batch::OutputFile> output =
        batch::OutputFile::Replacing(*command.hours_output);
    output->Write(climate::HoursTable(record));
    output->Commit();
  }
  if (command.json) {
    WriteAll(STDOUT_FILENO, climate::ClimateJson(report) + "\n");
    std::string notes;
    for (const std::string& note : record.notes)
      notes += "tarvel-climate: 说明：" + note + "\n";
    WriteAll(STDERR_FILENO, notes);
  } else {
    WriteAll(STDOUT_FILENO, ClimateTable(report, record));
  }
  WriteAll(STDERR_FILENO, Summary(record));
  return climate::TallyHours(record).unreadable > 0 ? kSomeLinesUnreadable : kEveryLineRead;
}

}  // namespace

int RunClimate(int argc, const char* const* argv) {
  std::string failure;
  try {
    return Run(ParseClimateCommand(argc, argv));
  } catch (const climate::ClimateError& e) {
    failure = e.what();
  } catch (const batch::BatchError& e) {
    failure = e.what();
  } catch (const std::bad_alloc&) {
    failure = "内存不足";
  } catch (const std::exception& e) {
    failure = std::string("内部错误：") + e.what();
  }
  Written(STDERR_FILENO, "tarvel-climate: " + failure + "\n");
  return kUsageOrInputError;
}

}  // namespace tarvel::climate_app
