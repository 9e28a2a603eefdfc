#include "app/batch/batch_options.h"

#include <string_view>

#include "app/batch/batch_error.h"
#include "tables/plain_number.h"

namespace tarvel::batch {
namespace {

constexpr std::string_view kSeeHelp = "；用法见 tarvel-batch --help";

[[noreturn]] void UsageError(const std::string& what) {
  throw BatchError(what + std::string(kSeeHelp));
}

void SetOnce(std::optional<std::string>& slot, std::string_view option, std::string value) {
  if (slot)
    UsageError("选项 " + std::string(option) + " 给了两次");
  slot = std::move(value);
}

}  // namespace

BatchOptions ParseCommandLine(int argc, const char* const* argv) {
  BatchOptions options;
  std::optional<std::string> input;
  std::optional<std::string> output;
  bool options_ended = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options_ended || arg == "-" || !arg.starts_with("-")) {
      if (input)
        UsageError("只能给一个输入文件，却给了“" + *input + "”和“" + std::string(arg) + "”");
      input = std::string(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      options.request = BatchOptions::Request::Help;
      return options;
    }
    if (arg == "--version") {
      options.request = BatchOptions::Request::Version;
      return options;
    }
    // An option with a value: "--name value", "--name=value", or "-o value" / "-oVALUE".
    std::string_view name = arg;
    std::optional<std::string> value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      name = arg.substr(0, equals);
      value = std::string(arg.substr(equals + 1));
    } else if (arg.starts_with("-o") && arg.size() > 2) {
      name = "-o";
      value = std::string(arg.substr(2));
    }
    const bool is_output = name == "-o" || name == "--output";
    if (!is_output && name != "--pressure")
      UsageError("未知的选项 " + std::string(arg));
    if (!value) {
      if (i + 1 >= argc)
        UsageError("选项 " + std::string(name) + " 后面缺少" + (is_output ? "文件名" : "大气压力"));
      value = argv[++i];
    }
    if (is_output) {
      if (value->empty())
        UsageError("选项 " + std::string(name) + " 的文件名是空的");
      SetOnce(output, "-o", *value);
    } else {
      if (!tables::IsPlainNumber(*value))
        UsageError("--pressure 的值“" + *value + "”不是一个数（以千帕计，如 101.325）");
      SetOnce(options.pressure, "--pressure", *value);
    }
  }
  if (input) {
    if (input->empty())
      UsageError("输入文件名是空的");
    options.input = *input;
  }
  if (output)
    options.output = *output;
  return options;
}

}  // namespace tarvel::batch
