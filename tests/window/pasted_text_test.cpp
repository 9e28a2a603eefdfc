// Free text of any length and content pasted into a field, as a user pastes it (Ctrl+V): the field
// keeps every character, and the calculate command on the window answers exactly as the core does
// on an in-memory panel holding the same texts.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <string>

#include "field_names.h"
#include "message_recorder.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"
#include "ui/calculator_window.h"
#include "ui/message_box.h"
#include "ui/start_up.h"

using tarvel::AirField;
using tarvel::CalculatorWindow;
using tarvel::MemoryPanel;
using tarvel::MessageIcon;

namespace {

using Texts = std::array<std::string, tarvel::kFieldCount>;

// The texts of a calculation from a dry bulb of 20 °C and 50 % at standard pressure; each row
// replaces one of them by the pasted text.
Texts StartingTexts() {
  return {"20", "", "50", "", "", "", "101.325"};
}

QString Message(const QString& text, QMessageBox::Icon icon, const QString& title) {
  return QStringLiteral("message %1 (icon %2, title %3)").arg(text).arg(icon).arg(title);
}

// What one calculate command left behind: the seven texts, then every message shown.
using Outcome = QStringList;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The core alone, on an in-memory panel holding the given texts.
Outcome CoreOutcome(const Texts& texts) {
  std::array<std::string, tarvel::kParameterCount> parameters;
  std::copy_n(texts.begin(), tarvel::kParameterCount, parameters.begin());
  MemoryPanel panel(parameters, texts[tarvel::FieldIndex(AirField::Pressure)],
                    MemoryPanel::Recording::On);
  tarvel::RunCalculate(panel);
  Outcome outcome;
  for (int i = 0; i < tarvel::kFieldCount; ++i) {
    outcome << FromView(panel.Text(static_cast<AirField>(i)));
  }
  for (const MemoryPanel::Message& m : panel.Messages()) {
    outcome << Message(QString::fromStdString(m.text), QtIcon(m.icon),
                       QString::fromStdString(m.title));
  }
  return outcome;
}

}  // namespace

class PastedTextTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(tarvel::InstallQtChineseTranslation(*QCoreApplication::instance()));
  }

  // Columns: the field pasted into, the pasted text, and the short text it must read as (empty
  // when it is only compared with the core on the same text).
  void pasted_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("reads_as");
    const QString blanks(40000, QLatin1Char(' '));
    const int pressure = tarvel::FieldIndex(AirField::Pressure);
    const int dry_bulb = tarvel::FieldIndex(AirField::DryBulb);
    const int rel_humidity = tarvel::FieldIndex(AirField::RelHumidity);
    QTest::newRow("pressure: 40000 blanks, then 20") << pressure << blanks + "20"
                                                     << "20";
    QTest::newRow("dry bulb: 40000 blanks, then 20") << dry_bulb << blanks + "20"
                                                     << "20";
    QTest::newRow("humidity: 40000 blanks, then 20") << rel_humidity << blanks + "20"
                                                     << "20";
    QTest::newRow("pressure: 101.325, then 40000 blanks") << pressure << "101.325" + blanks << "";
    QTest::newRow("dry bulb: 20000 emoji (40000 UTF-16 units)")
        << dry_bulb << QString::fromUtf8("😀").repeated(20000) << "";
    QTest::newRow("dry bulb: emoji after the number")
        << dry_bulb << QString::fromUtf8("25😀") << "25";
    QTest::newRow("dry bulb: 50000 digits") << dry_bulb << QString(50000, QLatin1Char('9')) << "";
    QTest::newRow("humidity: control characters")
        << rel_humidity << QString::fromUtf8("\t\n 4 0\x01\x1b[31m\x7f") << "40";
    QTest::newRow("pressure: line feeds and a carriage return")
        << pressure << QString::fromUtf8("\n\n90\r\n") << "90";
  }

  void pasted() {
    QFETCH(int, field);
    QFETCH(QString, pasted);
    QFETCH(QString, reads_as);

    CalculatorWindow window;
    MessageRecorder recorder(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Texts before = StartingTexts();
    for (int i = 0; i < tarvel::kFieldCount; ++i) {
      window.SetText(static_cast<AirField>(i), before[i]);
    }
    auto* edit = window.findChild<QLineEdit*>(kFieldNames[field]);
    QGuiApplication::clipboard()->setText(pasted);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text().size(), pasted.size());
    QCOMPARE(edit->text(), pasted);
    before[field] = pasted.toStdString();

    QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    Outcome shown;
    for (int i = 0; i < tarvel::kFieldCount; ++i) {
      shown << FromView(window.Text(static_cast<AirField>(i)));
    }
    for (const MessageRecorder::Shown& m : recorder.Messages()) {
      shown << Message(m.text, m.icon, m.title);
    }
    QCOMPARE(edit->text(), pasted);  // the calculation keeps the text it did not rewrite
    QCOMPARE(shown, CoreOutcome(before));

    if (!reads_as.isEmpty()) {
      // Read as the short text: the same results and messages in every other field.
      Texts short_texts = before;
      short_texts[field] = reads_as.toStdString();
      Outcome expected = CoreOutcome(short_texts);
      expected[field] = shown[field];
      QCOMPARE(shown, expected);
    }
  }
};

QTEST_MAIN(PastedTextTest)
#include "pasted_text_test.moc"
