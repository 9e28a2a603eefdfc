#pragma once

// The calculator's form: every control's name, caption and place, and the order in which the
// keyboard focus moves through the fields and buttons. The desktop window is built from this
// table, and the web page's form is written from it when the page is built, so both show the
// same form.

#include <string_view>

#include "panel/air_field.h"

namespace tarvel::form {

// A place on the form in layout units of 1/1440 inch, from the top left of the client area.
struct Place {
  int left, top, width, height;
};

inline constexpr std::string_view kFormName = "form1";
inline constexpr std::string_view kTitle = "Tarvel";
inline constexpr Place kClientArea{0, 0, 5565, 3435};

struct Label {
  std::string_view name;
  std::string_view caption;
  Place place;
};

// The fourteen labels, row by row from the pressure at the top, each row left to right. Every
// label sits 120 units below the top of the field it names and draws its caption from its top
// edge, so that the caption lines up with the text inside the field.
inline constexpr Label kLabels[] = {
    {"Label7", "当地大气压力", {240, 240, 1335, 375}}, {"Label8", "kPa", {4080, 240, 375, 375}},
    {"label1", "干球温度", {240, 960, 855, 375}},      {"Label4", "℃", {2040, 960, 375, 375}},
    {"Label9", "露点温度", {2880, 960, 855, 375}},     {"Label10", "℃", {4800, 960, 375, 375}},
    {"Label2", "湿球温度", {240, 1560, 855, 375}},     {"Label5", "℃", {2040, 1560, 375, 375}},
    {"Label11", "含湿量", {2880, 1560, 855, 375}},     {"Label12", "g/kg", {4800, 1560, 495, 375}},
    {"Label3", "相对湿度", {240, 2160, 855, 375}},     {"Label6", "％", {2040, 2160, 375, 375}},
    {"Label13", "湿空气焓", {2880, 2160, 855, 375}},   {"Label14", "kJ/kg", {4800, 2160, 495, 375}},
};

struct Field {
  AirField field;
  std::string_view name;
  Place place;
  std::string_view name_label;  // the label with the field's caption
  std::string_view unit_label;  // the label with its unit
};

// The seven fields in keyboard focus order: down the left column, except that relative humidity
// comes before the wet bulb, then the pressure, then down the right column.
inline constexpr Field kFields[] = {
    {AirField::DryBulb, "Text(0)", {1200, 840, 735, 375}, "label1", "Label4"},
    {AirField::RelHumidity, "Text(2)", {1200, 2040, 735, 375}, "Label3", "Label6"},
    {AirField::WetBulb, "Text(1)", {1200, 1440, 735, 375}, "Label2", "Label5"},
    {AirField::Pressure, "Text4", {1560, 120, 2415, 375}, "Label7", "Label8"},
    {AirField::DewPoint, "Text(3)", {3960, 840, 735, 375}, "Label9", "Label10"},
    {AirField::MoistureContent, "Text(4)", {3960, 1440, 735, 375}, "Label11", "Label12"},
    {AirField::Enthalpy, "Text(5)", {3960, 2040, 735, 375}, "Label13", "Label14"},
};

struct Button {
  std::string_view name;
  std::string_view caption;
  Place place;
};

// The two commands, after the fields in the focus order.
inline constexpr Button kCalculateButton{"Command1", "湿空气参数计算", {960, 2760, 1575, 495}};
inline constexpr Button kClearButton{"Command2", "数值清空", {3120, 2760, 1575, 495}};

// The label of that name, or null.
constexpr const Label* FindLabel(std::string_view name) {
  for (const Label& label : kLabels) {
    if (label.name == name)
      return &label;
  }
  return nullptr;
}

// Whether the form has a label of that name. Names are compared rather than FindLabel's pointer
// with null: GCC's undefined-behaviour sanitizer makes such a comparison no constant expression.
constexpr bool HasLabel(std::string_view name) {
  for (const Label& label : kLabels) {
    if (label.name == name)
      return true;
  }
  return false;
}

constexpr bool EveryFieldHasItsLabels() {
  for (const Field& field : kFields) {
    if (!HasLabel(field.name_label) || !HasLabel(field.unit_label))
      return false;
  }
  return true;
}
static_assert(EveryFieldHasItsLabels(), "a field names a label that the form does not have");

// The caption of the field's label: "干球温度", ..., "湿空气焓", "当地大气压力".
constexpr std::string_view FieldCaption(AirField air_field) {
  for (const Field& field : kFields) {
    if (field.field == air_field)
      return FindLabel(field.name_label)->caption;
  }
  return {};
}

// The unit that the field's label shows beside it: "℃", "％", "g/kg", "kJ/kg" or "kPa".
constexpr std::string_view FieldUnit(AirField air_field) {
  for (const Field& field : kFields) {
    if (field.field == air_field)
      return FindLabel(field.unit_label)->caption;
  }
  return {};
}

}  // namespace tarvel::form
