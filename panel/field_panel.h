#pragma once

#include <string_view>

#include "panel/air_field.h"

namespace tarvel {

// The calculator's whole state and its only channel to the user: seven text fields and modal
// messages. The solver is written against this interface alone, so the same calculation runs on
// the Qt window and on an in-memory panel.
class FieldPanel {
 public:
  virtual ~FieldPanel() = default;

  // The field's current text, unchanged (UTF-8). The view stays valid, and keeps showing that
  // text, until the field's text changes (SetText of that field, or the user typing) or the panel
  // is destroyed; reading the field again meanwhile gives an equal view.
  virtual std::string_view Text(AirField field) const = 0;
  // Replaces the field's text; the empty text empties the field. `text` may be a view of this
  // panel's own text.
  virtual void SetText(AirField field, std::string_view text) = 0;
  // Shows a modal message with a single OK button and returns when the user has closed it.
  virtual void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) = 0;

  // The field's text as a number (ParseNumber). A panel that already knows the value of the
  // text it holds may give it without reading the text again; the value is the same to the bit.
  virtual double Number(AirField field) const;
  // Writes x rounded to two decimals into the field as its text (FormatNumber), through SetText.
  virtual void SetNumber(AirField field, double x);
};

// The field's text as a number, as the calculator reads every input (see ParseNumber).
double ReadNumber(const FieldPanel& panel, AirField field);

// Writes x rounded to two decimals into the field (see FormatNumber).
void WriteNumber(FieldPanel& panel, AirField field, double x);

}  // namespace tarvel
