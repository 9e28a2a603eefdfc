// Start-up: one credit message before the window appears, then the window, empty, with the focus
// in the dry-bulb field.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "message_recorder.h"
#include "ui/calculator_window.h"
#include "ui/start_up.h"

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(tarvel::InstallQtChineseTranslation(*QCoreApplication::instance()));
  }

  void creditOnceBeforeTheWindow() {
    tarvel::CalculatorWindow window;
    MessageRecorder recorder(&window);
    tarvel::OpenCalculator(window);

    QCOMPARE(recorder.Messages().size(), 1);
    const MessageRecorder::Shown& shown = recorder.Messages().front();
    QVERIFY(!shown.window_visible);
    QCOMPARE(shown.title, QStringLiteral("多谢使用"));
    QCOMPARE(shown.icon, QMessageBox::Information);
    QVERIFY2(shown.text.contains(QLatin1Char('@')), "the credit gives no contact address");
    QCOMPARE(shown.buttons, QStringList{QStringLiteral("确定")});

    QVERIFY(window.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text(0)"));
    for (const QLineEdit* field : window.findChildren<QLineEdit*>()) {
      QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    }
    QCOMPARE(recorder.Messages().size(), 1);
  }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
