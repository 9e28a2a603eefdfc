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

double ReadNumber(const FieldPanel& panel, AirField field) {
  return ParseNumber(panel.Text(field));
}

void WriteNumber(FieldPanel& panel, AirField field, double x) {
  char text[kNumberTextCapacity];
  panel.SetText(field, std::string_view(text, FormatNumber(x, text)));
}

}  // namespace tarvel
