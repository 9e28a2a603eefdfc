#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "panel/air_field.h"
#include "panel/field_panel.h"

class QLineEdit;

namespace tarvel {

// The calculator window form1: the seven fields with their labels at fixed places, the calculate
// and clear buttons, and the field panel that the solver works on. The window computes nothing
// itself; both buttons hand the panel to the core's commands.
class CalculatorWindow final : public QWidget, public FieldPanel {
  Q_OBJECT

 public:
  explicit CalculatorWindow(QWidget* parent = nullptr);

  // A view of the field's text as UTF-8, kept in a buffer of the window's own for each field.
  std::string_view Text(AirField field) const override;
  void SetText(AirField field, std::string_view text) override;
  // Modal box over the window once it is shown; a box of its own while the window is loading.
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;

 private:
  void AddLabels();
  void AddFields();
  void AddButtons();

  std::array<QLineEdit*, kFieldCount> fields_{};
  // The UTF-8 text of each field as Text last read it. Reading an unchanged field again rewrites
  // the same bytes within the same capacity, so views handed out earlier stay valid.
  mutable std::array<std::string, kFieldCount> utf8_{};
};

}  // namespace tarvel
