#include "ui/start_up.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/calculator_window.h"

namespace tarvel {

bool InstallQtChineseTranslation(QCoreApplication& app) {
  // Owned by the application, so it stays loaded for as long as any text may be translated.
  auto* translator = new QTranslator(&app);
  if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return app.installTranslator(translator);
}

void OpenCalculator(CalculatorWindow& window) {
  window.ShowMessage(kStartUpCredit, MessageIcon::Information, kStartUpTitle);
  window.show();
}

}  // namespace tarvel
