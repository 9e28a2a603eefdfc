#include "panel/field_panel.h"

#include "panel/number_text.h"

namespace tarvel {

std::string_view IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return "None";
    case MessageIcon::Critical:
      return "Critical";
    case MessageIcon::Exclamation:
      return "Exclamation";
    case MessageIcon::Information:
      return "Information";
  }
  return "None";
}

double FieldPanel::Number(AirField field) const {
  return ParseNumber(Text(field));
}

void FieldPanel::SetNumber(AirField field, double x) {
  char text[kNumberTextCapacity];
  SetText(field, std::string_view(text, FormatNumber(x, text)));
}

double ReadNumber(const FieldPanel& panel, AirField field) {
  return panel.Number(field);
}

void WriteNumber(FieldPanel& panel, AirField field, double x) {
  panel.SetNumber(field, x);
}

}  // namespace tarvel
