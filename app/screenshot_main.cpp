// tarvel-screenshot OUTPUT.png: draws the calculator window after one calculation (pressure
// 101.325 kPa, dry bulb 20 °C, relative humidity 50 %) into a PNG file, for the README. Run it
// with QT_QPA_PLATFORM=offscreen to need no display; QT_SCALE_FACTOR sets the pixel density.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "ui/calculator_window.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvel-screenshot OUTPUT.png\n");
    return 2;
  }
  tarvel::InstallQtChineseTranslation(app);
  tarvel::CalculatorWindow window;
  window.SetText(tarvel::AirField::Pressure, "101.325");
  window.SetText(tarvel::AirField::DryBulb, "20");
  window.SetText(tarvel::AirField::RelHumidity, "50");
  window.show();
  window.findChild<QPushButton*>("Command1")->click();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "tarvel-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
