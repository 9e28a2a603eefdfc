#pragma once

#include <string_view>

class QCoreApplication;

namespace tarvel {

class CalculatorWindow;

inline constexpr std::string_view kStartUpTitle = "多谢使用";
inline constexpr std::string_view kStartUpCredit =
    "Tarvel 由 Tarvel 项目开发。\n欢迎把意见和建议发送到 tarvel@example.org";

// Loads Qt's own Simplified Chinese translation into the application, so that the standard
// buttons read as a Chinese desktop shows them ("确定"). Returns false when it is not installed;
// the program still works, with Qt's English button texts.
bool InstallQtChineseTranslation(QCoreApplication& app);

// Start-up: while the window loads, the credit message; when the user has closed it, the window
// appears with every field empty and the focus in the dry-bulb field.
void OpenCalculator(CalculatorWindow& window);

}  // namespace tarvel
