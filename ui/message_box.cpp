#include "ui/message_box.h"

#include <QMessageBox>
#include <QString>

namespace tarvel {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

void ShowMessageBox(QWidget* parent, std::string_view text, MessageIcon icon,
                    std::string_view title) {
  // The button text comes from Qt's own translation ("确定" with qtbase_zh_CN loaded).
  QMessageBox box(QtIcon(icon), FromUtf8(title), FromUtf8(text), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace tarvel
