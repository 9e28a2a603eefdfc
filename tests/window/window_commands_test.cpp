// The two buttons driven as a user drives them: type into the fields, click, read the fields and
// every message box that appears.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string_view>

#include "message_recorder.h"
#include "ui/calculator_window.h"
#include "ui/start_up.h"

using tarvel::CalculatorWindow;

namespace {

// Text(0) to Text(5), then the pressure Text4.
const QStringList kFieldNames = {"Text(0)", "Text(1)", "Text(2)", "Text(3)",
                                 "Text(4)", "Text(5)", "Text4"};

}  // namespace

class WindowCommandsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CalculatorWindow> window_;
  std::unique_ptr<MessageRecorder> recorder_;

  QLineEdit* Field(const QString& name) const { return window_->findChild<QLineEdit*>(name); }

  // Types each non-empty text into its field; texts[6] is the pressure.
  void Type(const QStringList& texts) {
    for (qsizetype i = 0; i < texts.size(); ++i) {
      QTest::keyClicks(Field(kFieldNames[i]), texts[i]);
    }
  }

  QStringList Texts() const {
    QStringList texts;
    for (const QString& name : kFieldNames) {
      texts << Field(name)->text();
    }
    return texts;
  }

  void Click(const char* button) {
    QTest::mouseClick(window_->findChild<QPushButton*>(button), Qt::LeftButton);
  }

 private slots:
  void initTestCase() {
    QVERIFY(tarvel::InstallQtChineseTranslation(*QCoreApplication::instance()));
  }

  void init() {
    window_ = std::make_unique<CalculatorWindow>();
    recorder_ = std::make_unique<MessageRecorder>(window_.get());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void cleanup() {
    recorder_.reset();
    window_.reset();
  }

  // One pair of each family. Columns: the six parameters as typed and the pressure, then the six
  // parameters after the calculation.
  void calculation_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("result");
    QTest::newRow("dry bulb + relative humidity")
        << QStringList{"20", "", "50", "", "", "", "101.325"}
        << QStringList{"20", "13.9", "50", "9.28", "7.26", "38.52"};
    QTest::newRow("dry bulb + wet bulb")
        << QStringList{"25", "20", "", "", "", "", "101.325"}
        << QStringList{"25", "20", "62.9", "17.45", "12.48", "56.9"};
    QTest::newRow("wet bulb + relative humidity")
        << QStringList{"", "20", "50", "", "", "", "101.325"}
        << QStringList{"27.41", "20", "50", "16.08", "11.42", "56.67"};
    QTest::newRow("relative humidity + dew point")
        << QStringList{"", "", "100", "20", "", "", "101.325"}
        << QStringList{"20", "20", "100", "20", "14.69", "57.37"};
    QTest::newRow("moisture content + enthalpy")
        << QStringList{"", "", "", "", "10", "47", "101.325"}
        << QStringList{"21.49", "16.87", "62.57", "14.05", "10", "46.99"};
    QTest::newRow("fields after the first two given are recomputed")
        << QStringList{"20", "", "50", "1", "1", "1", "101.325"}
        << QStringList{"20", "13.9", "50", "9.28", "7.26", "38.52"};
  }

  void calculation() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, result);
    Type(typed);
    Click("Command1");
    QCOMPARE(recorder_->Messages().size(), 0);
    QStringList expected = result;
    expected << typed[6];  // nothing writes the pressure
    QCOMPARE(Texts(), expected);
  }

  // Every message the calculate command can end with; none of them changes a field.
  void message_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QString>("title");
    QTest::newRow("pressure empty, all six given")
        << QStringList{"20", "15", "50", "10", "8", "40", ""}
        << QStringLiteral("请输入当地大气压力数值") << QMessageBox::Critical
        << QStringLiteral("注意");
    QTest::newRow("one parameter given") << QStringList{"", "", "", "", "", "40", "101.325"}
                                         << QStringLiteral("请输入两个以上空气参数")
                                         << QMessageBox::Warning << QStringLiteral("注意");
    QTest::newRow("wet bulb + enthalpy")
        << QStringList{"", "20", "", "", "", "57", "101.325"} << QStringLiteral("无法得出结果")
        << QMessageBox::NoIcon << QStringLiteral("错误");
    QTest::newRow("dew point + moisture content")
        << QStringList{"", "", "", "15", "10", "", "101.325"} << QStringLiteral("有多种结果")
        << QMessageBox::NoIcon << QStringLiteral("注意");
    QTest::newRow("search ends outside the range")
        << QStringList{"", "20", "101", "", "", "", "101.325"} << QStringLiteral("超出区域范围")
        << QMessageBox::Critical << QStringLiteral("注意");
    QTest::newRow("numeric fault at zero pressure")
        << QStringList{"", "20", "", "15", "", "", "0"} << QStringLiteral("数值运算错误")
        << QMessageBox::Critical << QStringLiteral("错误");
  }

  void message() {
    QFETCH(QStringList, typed);
    QFETCH(QString, text);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QString, title);
    Type(typed);
    Click("Command1");
    QCOMPARE(recorder_->Messages().size(), 1);
    const MessageRecorder::Shown& shown = recorder_->Messages().front();
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.title, title);
    QCOMPARE(shown.buttons, QStringList{QStringLiteral("确定")});
    QCOMPARE(Texts(), typed);
  }

  // A numeric fault ends one command, not the window: the next command computes as usual.
  void windowWorksAfterNumericFault() {
    Type({"", "20", "", "15", "", "", "0"});
    Click("Command1");
    QCOMPARE(recorder_->Messages().size(), 1);
    QCOMPARE(recorder_->Messages().front().text, QStringLiteral("数值运算错误"));
    recorder_->Clear();

    Click("Command2");
    Field("Text4")->clear();
    Type({"20", "", "50", "", "", "", "101.325"});
    Click("Command1");
    QCOMPARE(recorder_->Messages().size(), 0);
    QCOMPARE(Texts(), (QStringList{"20", "13.9", "50", "9.28", "7.26", "38.52", "101.325"}));
  }

  // The panel's view of a field's text, as the solver takes it: UTF-8 as typed, and still valid
  // after the same field is read again and other fields are written.
  void textIsAViewThatOutlivesRereadsAndOtherWrites() {
    Field("Text(0)")->setText(QStringLiteral("25℃ and more"));
    const std::string_view dry = window_->Text(tarvel::AirField::DryBulb);
    QCOMPARE(QString::fromUtf8(dry.data(), static_cast<qsizetype>(dry.size())),
             QStringLiteral("25℃ and more"));
    for (int i = 1; i < tarvel::kParameterCount; ++i)
      window_->SetText(tarvel::ParameterField(i), "a text long enough to need the heap");
    QCOMPARE(window_->Text(tarvel::AirField::DryBulb).data(), dry.data());
    QCOMPARE(QString::fromUtf8(dry.data(), static_cast<qsizetype>(dry.size())),
             QStringLiteral("25℃ and more"));
    QCOMPARE(Field("Text(5)")->text(), QStringLiteral("a text long enough to need the heap"));
  }

  void clearEmptiesTheParametersAndKeepsThePressure_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::newRow("all filled") << QStringList{"20",   "13.9",  "50",     "9.28",
                                               "7.26", "38.52", "101.325"};
    QTest::newRow("already empty") << QStringList{"", "", "", "", "", "", ""};
  }

  void clearEmptiesTheParametersAndKeepsThePressure() {
    QFETCH(QStringList, typed);
    Type(typed);
    Click("Command2");
    QCOMPARE(recorder_->Messages().size(), 0);
    QCOMPARE(Texts(), (QStringList{"", "", "", "", "", "", typed[6]}));
  }
};

QTEST_MAIN(WindowCommandsTest)
#include "window_commands_test.moc"
