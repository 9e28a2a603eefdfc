#pragma once

#include "panel/start_up_text.h"

class QCoreApplication;

namespace tarvel {

class CalculatorWindow;

// Loads Qt's own Simplified Chinese translation into the application, so that the standard
// buttons read as a Chinese desktop shows them ("确定"). Returns false when it is not installed;
// the program still works, with Qt's English button texts.
bool InstallQtChineseTranslation(QCoreApplication& app);

// Start-up: while the window loads, the credit message; when the user has closed it, the window
// appears with every field empty and the focus in the dry-bulb field.
void OpenCalculator(CalculatorWindow& window);

}  // namespace tarvel
