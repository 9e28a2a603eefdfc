#include "ui/calculator_window.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <limits>

#include "panel/clear_command.h"
#include "panel/form_layout.h"
#include "solver/calculate_command.h"
#include "ui/message_box.h"

namespace tarvel {
namespace {

// The form's places are in units of 1/1440 inch: 15 units make one pixel at 96 dots per inch,
// which is one device-independent pixel in Qt, so Qt scales the window on high-DPI screens.
constexpr int kUnitsPerPixel = 15;

constexpr QRect Pixels(form::Place p) {
  return QRect(p.left / kUnitsPerPixel, p.top / kUnitsPerPixel, p.width / kUnitsPerPixel,
               p.height / kUnitsPerPixel);
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* AddButton(QWidget* window, const form::Button& row) {
  auto* button = new QPushButton(FromUtf8(row.caption), window);
  button->setObjectName(FromUtf8(row.name));
  button->setGeometry(Pixels(row.place));
  return button;
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(FromUtf8(form::kFormName));
  setWindowTitle(FromUtf8(form::kTitle));
  setFixedSize(Pixels(form::kClientArea).size());
  AddLabels();
  AddFields();
  AddButtons();
  fields_[FieldIndex(AirField::DryBulb)]->setFocus();
}

void CalculatorWindow::AddLabels() {
  for (const form::Label& row : form::kLabels) {
    auto* label = new QLabel(FromUtf8(row.caption), this);
    label->setObjectName(FromUtf8(row.name));
    label->setGeometry(Pixels(row.place));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
}

void CalculatorWindow::AddFields() {
  QWidget* previous = nullptr;
  for (const form::Field& row : form::kFields) {
    auto* field = new QLineEdit(this);
    field->setObjectName(FromUtf8(row.name));
    field->setGeometry(Pixels(row.place));
    // A field holds free text of any length; QLineEdit would cut what is typed or pasted at
    // 32767 characters (and could split an emoji's surrogate pair there).
    field->setMaxLength(std::numeric_limits<int>::max());
    auto* name = findChild<QLabel*>(FromUtf8(row.name_label), Qt::FindDirectChildrenOnly);
    auto* unit = findChild<QLabel*>(FromUtf8(row.unit_label), Qt::FindDirectChildrenOnly);
    // A screen reader announces the field by its label and unit, e.g. "干球温度 ℃".
    field->setAccessibleName(name->text() + QLatin1Char(' ') + unit->text());
    name->setBuddy(field);
    if (previous != nullptr) {
      setTabOrder(previous, field);
    }
    previous = field;
    fields_[FieldIndex(row.field)] = field;
  }
}

void CalculatorWindow::AddButtons() {
  QPushButton* calculate = AddButton(this, form::kCalculateButton);
  connect(calculate, &QPushButton::clicked, this, [this] { RunCalculate(*this); });
  QPushButton* clear = AddButton(this, form::kClearButton);
  connect(clear, &QPushButton::clicked, this, [this] { ClearParameters(*this); });

  setTabOrder(fields_[FieldIndex(AirField::Enthalpy)], calculate);
  setTabOrder(calculate, clear);
}

std::string_view CalculatorWindow::Text(AirField field) const {
  const QByteArray utf8 = fields_[FieldIndex(field)]->text().toUtf8();
  std::string& buffer = utf8_[FieldIndex(field)];
  buffer.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  return buffer;
}

void CalculatorWindow::SetText(AirField field, std::string_view text) {
  fields_[FieldIndex(field)]->setText(FromUtf8(text));
}

void CalculatorWindow::ShowMessage(std::string_view text, MessageIcon icon,
                                   std::string_view title) {
  ShowMessageBox(isVisible() ? this : nullptr, text, icon, title);
}

}  // namespace tarvel
