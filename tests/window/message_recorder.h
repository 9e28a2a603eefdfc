#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>

// Watches the whole application for message boxes. When one is shown it notes what the user sees
// (text, icon, title, button captions, and whether the given window was already on screen) and then
// presses the box's button as a user would, once the box's own event loop is running, so a modal
// box never blocks a test. A box that should not have appeared is closed and recorded all the same.
class MessageRecorder : public QObject {
 public:
  struct Shown {
    QString text;
    QMessageBox::Icon icon;
    QString title;
    QStringList buttons;
    bool window_visible;
  };

  explicit MessageRecorder(const QWidget* window = nullptr) : window_(window) {
    qApp->installEventFilter(this);
  }
  ~MessageRecorder() override { qApp->removeEventFilter(this); }

  const QList<Shown>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box == nullptr || event->type() != QEvent::Show) {
      return false;
    }
    QStringList buttons;
    for (const QAbstractButton* button : box->buttons()) {
      buttons << button->text();
    }
    messages_.append({box->text(), box->icon(), box->windowTitle(), buttons,
                      window_ != nullptr && window_->isVisible()});
    QMetaObject::invokeMethod(
        box,
        [box] {
          if (box->buttons().size() == 1) {
            QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
          }
          if (box->isVisible()) {
            box->done(0);
          }
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  QPointer<const QWidget> window_;
  QList<Shown> messages_;
};
