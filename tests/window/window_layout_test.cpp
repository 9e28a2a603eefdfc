// The window as it appears: control names, captions, places, focus order and accessible names.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/calculator_window.h"

using tarvel::CalculatorWindow;

namespace {

// Places are given in layout units of 1/1440 inch, as the form was drawn; 15 units make one
// device-independent pixel.
QRect FromUnits(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void windowIsFixedAndTitled() {
    CalculatorWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarvel"));
    QCOMPARE(window.size(), QSize(5565 / 15, 3435 / 15));
    QCOMPARE(window.minimumSize(), window.size());
    QCOMPARE(window.maximumSize(), window.size());
  }

  void holdsExactlyTheFormsControls() {
    CalculatorWindow window;
    QCOMPARE(window.findChildren<QLabel*>().size(), 14);
    QCOMPARE(window.findChildren<QLineEdit*>().size(), 7);
    QCOMPARE(window.findChildren<QPushButton*>().size(), 2);
  }

  void control_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");
    auto row = [](const char* name, const char* kind, const char* caption, QRect place) {
      QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromUtf8(caption) << place;
    };
    row("Label7", "QLabel", "当地大气压力", FromUnits(240, 240, 1335, 375));
    row("Text4", "QLineEdit", "", FromUnits(1560, 120, 2415, 375));
    row("Label8", "QLabel", "kPa", FromUnits(4080, 240, 375, 375));
    row("label1", "QLabel", "干球温度", FromUnits(240, 960, 855, 375));
    row("Text(0)", "QLineEdit", "", FromUnits(1200, 840, 735, 375));
    row("Label4", "QLabel", "℃", FromUnits(2040, 960, 375, 375));
    row("Label9", "QLabel", "露点温度", FromUnits(2880, 960, 855, 375));
    row("Text(3)", "QLineEdit", "", FromUnits(3960, 840, 735, 375));
    row("Label10", "QLabel", "℃", FromUnits(4800, 960, 375, 375));
    row("Label2", "QLabel", "湿球温度", FromUnits(240, 1560, 855, 375));
    row("Text(1)", "QLineEdit", "", FromUnits(1200, 1440, 735, 375));
    row("Label5", "QLabel", "℃", FromUnits(2040, 1560, 375, 375));
    row("Label11", "QLabel", "含湿量", FromUnits(2880, 1560, 855, 375));
    row("Text(4)", "QLineEdit", "", FromUnits(3960, 1440, 735, 375));
    row("Label12", "QLabel", "g/kg", FromUnits(4800, 1560, 495, 375));
    row("Label3", "QLabel", "相对湿度", FromUnits(240, 2160, 855, 375));
    row("Text(2)", "QLineEdit", "", FromUnits(1200, 2040, 735, 375));
    row("Label6", "QLabel", "％", FromUnits(2040, 2160, 375, 375));
    row("Label13", "QLabel", "湿空气焓", FromUnits(2880, 2160, 855, 375));
    row("Text(5)", "QLineEdit", "", FromUnits(3960, 2040, 735, 375));
    row("Label14", "QLabel", "kJ/kg", FromUnits(4800, 2160, 495, 375));
    row("Command1", "QPushButton", "湿空气参数计算", FromUnits(960, 2760, 1575, 495));
    row("Command2", "QPushButton", "数值清空", FromUnits(3120, 2760, 1575, 495));
  }

  // Every control under its form name, of its kind, with its caption (fields start empty) and at
  // its place.
  void control() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    CalculatorWindow window;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget*> found = window.findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.front();
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->text(), caption);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
      QCOMPARE(field->text(), caption);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(button->text(), caption);
    }
    QCOMPARE(control->geometry(), place);
  }

  // Tab walks the fields with relative humidity before wet bulb, then the two buttons, and comes
  // back round to the dry bulb, where the focus is when the window opens.
  void tabWalksTheFocusOrder() {
    CalculatorWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text(0)"));
    QStringList visited;
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    const QStringList expected = {"Text(2)", "Text(1)",  "Text4",    "Text(3)", "Text(4)",
                                  "Text(5)", "Command1", "Command2", "Text(0)"};
    QCOMPARE(visited, expected);
  }

  void accessibleName_data() {
    QTest::addColumn<QString>("expected");
    QTest::newRow("Text(0)") << QStringLiteral("干球温度 ℃");
    QTest::newRow("Text(1)") << QStringLiteral("湿球温度 ℃");
    QTest::newRow("Text(2)") << QStringLiteral("相对湿度 ％");
    QTest::newRow("Text(3)") << QStringLiteral("露点温度 ℃");
    QTest::newRow("Text(4)") << QStringLiteral("含湿量 g/kg");
    QTest::newRow("Text(5)") << QStringLiteral("湿空气焓 kJ/kg");
    QTest::newRow("Text4") << QStringLiteral("当地大气压力 kPa");
  }

  // What a screen reader is told, read through Qt's accessibility layer.
  void accessibleName() {
    QFETCH(QString, expected);
    CalculatorWindow window;
    window.show();
    auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(field != nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), expected);
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
