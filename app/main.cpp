// tarvel: the desktop calculator. It takes no command-line arguments and keeps nothing between
// runs; closing the window ends the program.
#include <QApplication>

#include "ui/calculator_window.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tarvel::InstallQtChineseTranslation(app);
  tarvel::CalculatorWindow window;
  tarvel::OpenCalculator(window);
  return app.exec();
}
