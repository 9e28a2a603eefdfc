#pragma once

#include <string_view>

namespace tarvel {

// The message that greets the user while the calculator opens, before its fields are shown: the
// developer's credit and where to send suggestions. Every front end shows it word for word.
inline constexpr std::string_view kStartUpTitle = "多谢使用";
inline constexpr std::string_view kStartUpCredit =
    "Tarvel 由 Tarvel 项目开发。\n欢迎把意见和建议发送到 tarvel@example.org";

}  // namespace tarvel
