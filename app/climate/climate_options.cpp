#include "app/climate/climate_options.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <vector>

#include "climate/climate_error.h"
#include "climate/pressure_text.h"
#include "climate/text_lines.h"
#include "climate/zone_text.h"
#include "panel/number_text.h"
#include "tables/plain_number.h"

namespace tarvel::climate_app {
namespace {

using climate::ClimateError;

constexpr std::string_view kSeeHelp = "；用法见 tarvel-climate --help";
constexpr std::array<std::string_view, 9> kValued = {"--hours",     "--month",   "--hour",
                                                     "--zone",      "--pmv",     "--pressure",
                                                     "--elevation", "--threads", "--json"};

[[noreturn]] void UsageError(const std::string& what) {
  throw ClimateError(what + std::string(kSeeHelp));
}

// The settings of --pmv: met, clo and air speed, each a plain decimal, met above zero.
climate::PmvSettings PmvOf(const std::string& text) {
  std::vector<double> values;
  std::string_view rest = text;
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string_view part = climate::TrimBlanks(rest.substr(0, comma));
    if (!tables::IsPlainNumber(part) || ParseNumber(part) < 0)
      break;
    values.push_back(ParseNumber(part));
    if (comma == std::string_view::npos)
      break;
    rest.remove_prefix(comma + 1);
  }
  if (values.size() != 3 || !(values[0] > 0)) {
    UsageError("--pmv 的值“" + text +
               "”应是用逗号隔开的三个数：代谢率 met、服装热阻 clo、风速 m/s，如 1.2,0.5,0.1");
  }
  return {values[0], values[1], values[2], std::nullopt};
}

// The value read by `read`, a refusal of which is a usage error like any other.
template <typename Read>
auto Parsed(Read read) {
  try {
    return read();
  } catch (const ClimateError& e) {
    UsageError(e.what());
  }
}

// The command line as words: its options by name, each with its value ("" for --json), and its
// files. Help and version end the reading at once.
struct Words {
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> files;
  std::optional<ClimateCommand::Request> request;
};

Words ReadWords(int argc, const char* const* argv) {
  Words words;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  for (auto next = args.begin(); next != args.end() && !words.request;) {
    const std::string_view arg = *next++;
    if (arg == "--") {
      words.files.insert(words.files.end(), next, args.end());
      break;
    }
    if (arg == "-" || !arg.starts_with("-")) {
      words.files.emplace_back(arg);
    } else if (arg == "-h" || arg == "--help" || arg == "--version") {
      words.request =
          arg == "--version" ? ClimateCommand::Request::Version : ClimateCommand::Request::Help;
    } else {
      const std::string_view name = arg.substr(0, arg.find('='));
      if (std::find(kValued.begin(), kValued.end(), name) == kValued.end())
        UsageError("未知的选项 " + std::string(arg));
      std::string value(name.size() < arg.size() ? arg.substr(name.size() + 1) : "");
      if (name == "--json" && name.size() < arg.size())
        UsageError("选项 --json 不带值");
      if (name != "--json" && name.size() == arg.size()) {
        if (next == args.end())
          UsageError("选项 " + std::string(name) + " 后面缺少值");
        value = *next++;
      }
      if (!words.options.emplace(name, std::move(value)).second)
        UsageError("选项 " + std::string(name) + " 给了两次");
    }
  }
  return words;
}

}  // namespace

ClimateCommand ParseClimateCommand(int argc, const char* const* argv) {
  ClimateCommand command;
  const Words words = ReadWords(argc, argv);
  if (words.request) {
    command.request = *words.request;
    return command;
  }
  if (words.files.size() > 1) {
    UsageError("只能给一个气象文件，却给了“" + words.files[0] + "”和“" + words.files[1] + "”");
  }
  if (words.files.empty() || words.files[0].empty())
    UsageError(words.files.empty() ? "没有给出气象文件（EPW 或 CSV）" : "气象文件名是空的");
  command.input = words.files[0];

  const auto value = [&](std::string_view name) {
    const auto found = words.options.find(name);
    return found == words.options.end() ? std::nullopt : std::optional<std::string>(found->second);
  };
  command.json = value("--json").has_value();
  if (const auto hours = value("--hours")) {
    if (hours->empty())
      UsageError("选项 --hours 的文件名是空的");
    command.hours_output = *hours;
  }
  if (const auto month = value("--month"))
    command.report.filter.months = Parsed([&] { return climate::ParseMonthRange(*month); });
  if (const auto hour = value("--hour"))
    command.report.filter.hours = Parsed([&] { return climate::ParseHourRange(*hour); });
  if (const auto zone = value("--zone"))
    command.report.user_zone = Parsed([&] { return climate::ParseZone(*zone); });
  if (const auto pmv = value("--pmv"))
    command.report.pmv = PmvOf(*pmv);
  if (const auto threads = value("--threads")) {
    command.threads = climate::ReadCount(*threads);
    if (command.threads < 1 || command.threads > 1024)
      UsageError("--threads 的值“" + *threads + "”应是 1 到 1024 的整数");
  }
  const auto pressure = value("--pressure");
  const auto elevation = value("--elevation");
  if (pressure && elevation)
    UsageError("--pressure 和 --elevation 只能给一个");
  if (pressure) {
    if (!tables::IsPlainNumber(*pressure) || !(ParseNumber(*pressure) > 0))
      UsageError("--pressure 的值“" + *pressure + "”不是正数（以千帕计，如 101.325）");
    command.reading.fallback_pressure = *pressure;
  }
  if (elevation) {
    const std::optional<std::string> kpa = tables::IsPlainNumber(*elevation)
                                               ? climate::PressureTextAtElevation(*elevation)
                                               : std::nullopt;
    if (!kpa)
      UsageError("--elevation 的值“" + *elevation + "”不是可用的海拔（以米计，如 1000）");
    command.reading.fallback_pressure = *kpa;
    command.reading.elevation = *elevation;
  }
  return command;
}

}  // namespace tarvel::climate_app
