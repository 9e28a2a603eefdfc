#include "process/design_context.h"

#include <cmath>
#include <variant>

#include "panel/number_text.h"
#include "process/design_messages.h"

namespace tarvel::process {

DesignContext::DesignContext(const Design& design) : design_(design) {
  answers_.reserve(design.points.size());
  for (const DesignPoint& point : design.points) {
    if (point.problem.empty() && std::holds_alternative<SupplyProcess>(point.process)) {
      supply_ = point.name.value_or("");
      break;
    }
  }
  if (!supply_ && design.flow) {
    const double flow = ParseNumber(*design.flow);
    if (IsPositiveFlow(flow))
      flow_ = flow;
  }
}

const PointAnswer* DesignContext::Usable(std::string_view name, PointAnswer& answer) const {
  if (name == answer.name) {
    Say(answer, messages::kSelfReference);
    return nullptr;
  }
  const PointAnswer* state = Find(std::string(name));
  if (state == nullptr) {
    Say(answer, messages::UnknownPoint(name));
    return nullptr;
  }
  if (!state->complete) {
    Say(answer, messages::PointNotUsable(name));
    return nullptr;
  }
  return state;
}

std::optional<std::string> DesignContext::TextOf(const ParameterValue& value,
                                                 PointAnswer& answer) const {
  if (!value.of)
    return value.text;
  const PointAnswer* state = Usable(*value.of, answer);
  if (state == nullptr)
    return std::nullopt;
  return state->fields[FieldIndex(value.field)];
}

std::optional<double> DesignContext::FlowNeeded(PointAnswer& answer) const {
  if (!flow_)
    Say(answer, messages::kFlowUnknown);
  return flow_;
}

void DesignContext::OfferSupplyFlow(double flow) {
  if (!flow_)
    flow_ = flow;
}

const PointAnswer* DesignContext::Find(const std::string& name) const {
  const auto found = names_.find(name);
  return found == names_.end() ? nullptr : &answers_[found->second];
}

std::optional<std::size_t> DesignContext::IndexOf(const std::string& name) const {
  const auto found = names_.find(name);
  return found == names_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

bool DesignContext::NameIsFree(const std::string& name) const {
  return names_.find(name) == names_.end();
}

void DesignContext::Add(PointAnswer answer, bool named) {
  if (named)
    names_.emplace(answer.name, answers_.size());
  answers_.push_back(std::move(answer));
}

bool IsPositiveFlow(double flow) {
  return std::isfinite(flow) && flow > 0;
}

MemoryPanel::Message DesignMessage(std::string_view text) {
  return {std::string(text), messages::kIcon, std::string(messages::kTitle)};
}

void Say(PointAnswer& answer, std::string_view text) {
  answer.messages.push_back(DesignMessage(text));
  answer.complete = false;
}

}  // namespace tarvel::process
