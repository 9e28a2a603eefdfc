#include "solver/calculate_command.h"

#include <cstddef>

#include "panel/messages.h"
#include "physics/checked_arithmetic.h"
#include "solver/solve_pair.h"

namespace tarvel {
namespace {

// Records whether the command ended with a message: every message of a calculation ends it.
class MessageWatch final : public FieldPanel {
 public:
  explicit MessageWatch(FieldPanel& panel) : panel_(panel) {}
  std::string_view Text(AirField field) const override { return panel_.Text(field); }
  void SetText(AirField field, std::string_view text) override { panel_.SetText(field, text); }
  double Number(AirField field) const override { return panel_.Number(field); }
  void SetNumber(AirField field, double x) override { panel_.SetNumber(field, x); }
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override {
    shown_ = true;
    panel_.ShowMessage(text, icon, title);
  }
  bool Shown() const { return shown_; }

 private:
  FieldPanel& panel_;
  bool shown_ = false;
};

}  // namespace

PairCode GivenPair(const FieldPanel& panel) {
  // Only the first two given fields matter, so the look stops there.
  int given[2];
  int count = 0;
  for (int i = 0; i < kParameterCount && count < 2; ++i) {
    if (!panel.Text(ParameterField(i)).empty())
      given[count++] = i;
  }
  return count == 2 ? PairCodeOf(given[0], given[1]) : PairCode{0};
}

CalculateOutcome RunCalculate(FieldPanel& panel, SearchMode mode) {
  if (panel.Text(AirField::Pressure).empty()) {
    panel.ShowMessage(messages::kEnterPressure, MessageIcon::Critical, messages::kTitleAttention);
    return CalculateOutcome::Message;
  }

  const PairCode pair = GivenPair(panel);
  if (pair == 0) {
    panel.ShowMessage(messages::kEnterTwoParameters, MessageIcon::Exclamation,
                      messages::kTitleAttention);
    return CalculateOutcome::Message;
  }

  MessageWatch watch(panel);
  try {
    SolvePair(watch, pair, mode);
  } catch (const NumericFault&) {
    panel.ShowMessage(messages::kNumericFault, MessageIcon::Critical, messages::kTitleError);
    return CalculateOutcome::NumericFault;
  }
  return watch.Shown() ? CalculateOutcome::Message : CalculateOutcome::Completed;
}

}  // namespace tarvel
