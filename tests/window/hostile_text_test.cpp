// The window against its hostile corpus (tests/hostile/window.jsonl): texts of 10^7 characters,
// NUL, lone surrogates, markup, 1e308, -0, 1e-320, NaN and inf pasted into the fields as a user
// pastes them (Ctrl+V). Each calculation is answered as the core answers the same texts, with the
// messages the case expects; the clear command empties the six parameters and keeps the pressure;
// no control moves or changes size; and a calculation afterwards is answered as always.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <array>
#include <string>

#include "field_names.h"
#include "message_recorder.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"
#include "ui/calculator_window.h"

using tarvel::AirField;
using tarvel::CalculatorWindow;
using tarvel::MemoryPanel;

namespace {

// A text of the corpus with its generators expanded: {"repeat": X, "times": N} and
// {"join": [X, ...]} (tests/hostile/README.md).
QString Expand(const QJsonValue& value) {
  if (value.isString())
    return value.toString();
  const QJsonObject object = value.toObject();
  if (object.contains("repeat"))
    return Expand(object["repeat"]).repeated(object["times"].toInt());
  QString joined;
  for (const QJsonValue& part : object["join"].toArray())
    joined += Expand(part);
  return joined;
}

// The seven texts after a calculate command on the core alone, then its messages' texts.
QStringList CoreOutcome(const QStringList& texts) {
  std::array<std::string, tarvel::kParameterCount> parameters;
  for (int i = 0; i < tarvel::kParameterCount; ++i)
    parameters[i] = texts[i].toStdString();  // UTF-8 as the window hands it over
  MemoryPanel panel(parameters, texts[tarvel::FieldIndex(AirField::Pressure)].toStdString(),
                    MemoryPanel::Recording::On);
  tarvel::RunCalculate(panel);
  QStringList outcome;
  for (int i = 0; i < tarvel::kFieldCount; ++i) {
    const std::string_view text = panel.Text(static_cast<AirField>(i));
    outcome << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }
  for (const MemoryPanel::Message& m : panel.Messages())
    outcome << QString::fromStdString(m.text);
  return outcome;
}

// Where every control of the window is, by name, and the window's own size.
QMap<QString, QRect> Places(const QWidget& window) {
  QMap<QString, QRect> places{{"window", window.geometry()}};
  for (const QWidget* child : window.findChildren<QWidget*>())
    places[child->objectName()] = child->geometry();
  return places;
}

// A text for a failure message: its length and its start, not 10^7 characters.
QByteArray Shown(const QStringList& texts) {
  QStringList shown;
  for (const QString& text : texts)
    shown << (text.size() > 80 ? text.left(80) + QString("… (%1)").arg(text.size()) : text);
  return shown.join(" | ").toUtf8();
}

}  // namespace

class HostileTextTest : public QObject {
  Q_OBJECT

 private slots:
  void pasted_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("messages");
    QFile file(QStringLiteral(TARVEL_HOSTILE_DIR "/window.jsonl"));
    QVERIFY2(file.open(QIODevice::ReadOnly), "tests/hostile/window.jsonl cannot be read");
    int rows = 0;
    while (!file.atEnd()) {
      const QByteArray line = file.readLine().trimmed();
      if (line.isEmpty())
        continue;
      QJsonParseError error;
      const QJsonObject item = QJsonDocument::fromJson(line, &error).object();
      QVERIFY2(error.error == QJsonParseError::NoError, line.left(200).constData());
      QStringList texts;
      for (const char* name : kFieldNames)
        texts << Expand(item["paste"].toObject()[name]);
      QStringList messages;
      for (const QJsonValue& message : item["expect"].toObject()["messages"].toArray())
        messages << message.toString();
      QTest::newRow(item["case"].toString().toUtf8().constData()) << texts << messages;
      ++rows;
    }
    QVERIFY2(rows > 0, "tests/hostile/window.jsonl holds no case");
  }

  void pasted() {
    QFETCH(QStringList, texts);
    QFETCH(QStringList, messages);
    CalculatorWindow window;
    MessageRecorder recorder(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QMap<QString, QRect> places = Places(window);

    for (int i = 0; i < tarvel::kFieldCount; ++i) {
      auto* edit = window.findChild<QLineEdit*>(kFieldNames[i]);
      if (texts[i].isEmpty())
        continue;
      QGuiApplication::clipboard()->setText(texts[i]);
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      QVERIFY2(edit->text() == texts[i], kFieldNames[i]);
    }
    QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    // Each field as the window hands it to the core (UTF-8, a lone surrogate as "?").
    QStringList shown;
    for (int i = 0; i < tarvel::kFieldCount; ++i)
      shown << QString::fromUtf8(window.findChild<QLineEdit*>(kFieldNames[i])->text().toUtf8());
    QStringList told;
    for (const MessageRecorder::Shown& m : recorder.Messages())
      told << m.text;
    const QStringList core = CoreOutcome(texts);
    QVERIFY2(shown + told == core, Shown(shown + told) + " against the core's " + Shown(core));
    QVERIFY2(told == messages, Shown(told) + " against the expected " + Shown(messages));

    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    for (int i = 0; i < tarvel::kParameterCount; ++i)
      QVERIFY(window.findChild<QLineEdit*>(kFieldNames[i])->text().isEmpty());
    QVERIFY(window.findChild<QLineEdit*>("Text4")->text() == texts.last());
    QVERIFY2(Places(window) == places, "a control moved or changed size");

    // Still the calculator: 20 ℃ and 50 % at 101.325 kPa.
    recorder.Clear();
    const QStringList usual = {"20", "", "50", "", "", "", "101.325"};
    for (int i = 0; i < tarvel::kFieldCount; ++i)
      window.findChild<QLineEdit*>(kFieldNames[i])->setText(usual[i]);
    QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(window.findChild<QLineEdit*>("Text(1)")->text(), QStringLiteral("13.9"));
    QCOMPARE(window.findChild<QLineEdit*>("Text(5)")->text(), QStringLiteral("38.52"));
    QVERIFY(recorder.Messages().isEmpty());
  }
};

QTEST_MAIN(HostileTextTest)
#include "hostile_text_test.moc"
