#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "physics/checked_arithmetic.h"
#include "process/design_answer.h"
#include "process/design_request.h"

namespace tarvel::process {

// What a point of a design may know of the design while it is computed: the pressure, the states
// answered before it (through their field texts only) and the supply air flow known so far.
class DesignContext {
 public:
  explicit DesignContext(const Design& design);

  std::string_view Pressure() const { return design_.pressure; }

  // The earlier state named `name` when later states may use it. Otherwise nothing, and `answer`
  // (the point being computed) is told why: it names itself, no earlier state has that name, or
  // that state ended with a message.
  const PointAnswer* Usable(std::string_view name, PointAnswer& answer) const;

  // A parameter's text: the text given, or the field text of the earlier state it names.
  std::optional<std::string> TextOf(const ParameterValue& value, PointAnswer& answer) const;

  // The design's supply air flow as far as it is known now: the flow of its first supply state
  // that gives one, or, in a design without a supply state, the flow the request gives.
  std::optional<double> Flow() const { return flow_; }
  // The flow for a step that needs one now; otherwise nothing, and `answer` is told.
  std::optional<double> FlowNeeded(PointAnswer& answer) const;
  // A supply state's flow: the design's when it is the first.
  void OfferSupplyFlow(double flow);
  // The name of the design's first supply state, whose flow the design takes rather than the
  // request's; nothing in a design without one.
  const std::optional<std::string>& SupplyState() const { return supply_; }

  // The earlier point that has this name, if any, and its index in the answer.
  const PointAnswer* Find(const std::string& name) const;
  std::optional<std::size_t> IndexOf(const std::string& name) const;
  // Whether no earlier point has this name.
  bool NameIsFree(const std::string& name) const;
  // Adds the point after its computation; later points find it by its name when `named`.
  void Add(PointAnswer answer, bool named);
  const std::vector<PointAnswer>& Answers() const { return answers_; }
  std::vector<PointAnswer> TakeAnswers() { return std::move(answers_); }

 private:
  const Design& design_;
  std::vector<PointAnswer> answers_;
  std::unordered_map<std::string, std::size_t> names_;
  std::optional<double> flow_;
  std::optional<std::string> supply_;
};

// Whether a flow read from its text is one: finite and above zero.
bool IsPositiveFlow(double flow);

// One of the design's own messages, with its icon and title.
MemoryPanel::Message DesignMessage(std::string_view text);

// Adds one of the design's own messages to the point; the point can no longer be used by others.
void Say(PointAnswer& answer, std::string_view text);

// A figure as `compute` gives it, or nothing when it would not be finite (a numeric fault).
template <typename Compute>
std::optional<double> FigureIfFinite(Compute compute) {
  try {
    return compute();
  } catch (const NumericFault&) {
    return std::nullopt;
  }
}

}  // namespace tarvel::process
