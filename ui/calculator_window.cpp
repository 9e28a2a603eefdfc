#include "ui/calculator_window.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <limits>

#include "panel/clear_command.h"
#include "solver/calculate_command.h"
#include "ui/message_box.h"

namespace tarvel {
namespace {

// The layout is absolute, in units of 1/1440 inch: 15 units make one pixel at 96 dots per inch,
// which is one device-independent pixel in Qt, so Qt scales the window on high-DPI screens.
constexpr int kUnitsPerPixel = 15;

struct Place {
  int left, top, width, height;
};

constexpr QRect Pixels(Place p) {
  return QRect(p.left / kUnitsPerPixel, p.top / kUnitsPerPixel, p.width / kUnitsPerPixel,
               p.height / kUnitsPerPixel);
}

constexpr Place kClientArea{0, 0, 5565, 3435};

struct LabelRow {
  const char* name;
  const char* caption;
  Place place;
};

// Every label sits 120 units below the top of the field it names and draws its caption from its
// top edge, so that the caption lines up with the text inside the field.
constexpr LabelRow kLabels[] = {
    {"Label7", "当地大气压力", {240, 240, 1335, 375}}, {"Label8", "kPa", {4080, 240, 375, 375}},
    {"label1", "干球温度", {240, 960, 855, 375}},      {"Label4", "℃", {2040, 960, 375, 375}},
    {"Label9", "露点温度", {2880, 960, 855, 375}},     {"Label10", "℃", {4800, 960, 375, 375}},
    {"Label2", "湿球温度", {240, 1560, 855, 375}},     {"Label5", "℃", {2040, 1560, 375, 375}},
    {"Label11", "含湿量", {2880, 1560, 855, 375}},     {"Label12", "g/kg", {4800, 1560, 495, 375}},
    {"Label3", "相对湿度", {240, 2160, 855, 375}},     {"Label6", "％", {2040, 2160, 375, 375}},
    {"Label13", "湿空气焓", {2880, 2160, 855, 375}},   {"Label14", "kJ/kg", {4800, 2160, 495, 375}},
};

struct FieldRow {
  AirField field;
  const char* name;
  Place place;
  const char* name_label;
  const char* unit_label;
};

// In keyboard focus order: down the left column, except that relative humidity comes before the
// wet bulb, then the pressure, then down the right column.
constexpr FieldRow kFields[] = {
    {AirField::DryBulb, "Text(0)", {1200, 840, 735, 375}, "label1", "Label4"},
    {AirField::RelHumidity, "Text(2)", {1200, 2040, 735, 375}, "Label3", "Label6"},
    {AirField::WetBulb, "Text(1)", {1200, 1440, 735, 375}, "Label2", "Label5"},
    {AirField::Pressure, "Text4", {1560, 120, 2415, 375}, "Label7", "Label8"},
    {AirField::DewPoint, "Text(3)", {3960, 840, 735, 375}, "Label9", "Label10"},
    {AirField::MoistureContent, "Text(4)", {3960, 1440, 735, 375}, "Label11", "Label12"},
    {AirField::Enthalpy, "Text(5)", {3960, 2040, 735, 375}, "Label13", "Label14"},
};

constexpr Place kCalculatePlace{960, 2760, 1575, 495};
constexpr Place kClearPlace{3120, 2760, 1575, 495};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent) {
  setObjectName("form1");
  setWindowTitle("Tarvel");
  setFixedSize(Pixels(kClientArea).size());
  AddLabels();
  AddFields();
  AddButtons();
  fields_[FieldIndex(AirField::DryBulb)]->setFocus();
}

void CalculatorWindow::AddLabels() {
  for (const LabelRow& row : kLabels) {
    auto* label = new QLabel(QString::fromUtf8(row.caption), this);
    label->setObjectName(row.name);
    label->setGeometry(Pixels(row.place));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
}

void CalculatorWindow::AddFields() {
  QWidget* previous = nullptr;
  for (const FieldRow& row : kFields) {
    auto* field = new QLineEdit(this);
    field->setObjectName(row.name);
    field->setGeometry(Pixels(row.place));
    // A field holds free text of any length; QLineEdit would cut what is typed or pasted at
    // 32767 characters (and could split an emoji's surrogate pair there).
    field->setMaxLength(std::numeric_limits<int>::max());
    auto* name = findChild<QLabel*>(row.name_label, Qt::FindDirectChildrenOnly);
    auto* unit = findChild<QLabel*>(row.unit_label, Qt::FindDirectChildrenOnly);
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
  auto* calculate = new QPushButton(QString::fromUtf8("湿空气参数计算"), this);
  calculate->setObjectName("Command1");
  calculate->setGeometry(Pixels(kCalculatePlace));
  connect(calculate, &QPushButton::clicked, this, [this] { RunCalculate(*this); });

  auto* clear = new QPushButton(QString::fromUtf8("数值清空"), this);
  clear->setObjectName("Command2");
  clear->setGeometry(Pixels(kClearPlace));
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
