#pragma once

// The parts of the design contract (design_contract.h) that check figures: the volume and density
// of every state, the supply states' figures and every step. Shared by design_contract.cpp and
// design_figures_contract.cpp.

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::testing_support::contract {

using nlohmann::json;

// The broken promises found so far, each prefixed with where it was found.
class Failures {
 public:
  void At(std::string where) { where_ = std::move(where); }
  void Add(const std::string& what) { list_.push_back(where_ + what); }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::vector<std::string> list_;
  std::string where_;
};

// The value of a state's field of that request key ("dry_bulb", …, "enthalpy") as the calculator
// reads it.
double FieldValue(const json& state, std::string_view key);

// The first state of each name, as later states find it.
using StatesByName = std::map<std::string, const json*>;

// A complete state has its volume v = 287·(t + 273.15)·(1 + d/622)/(1000·B) and density
// (1 + d/1000)/v, from its fields at the pressure as the calculator reads it, evaluated in that
// order; where one of these operations does not give a finite number, neither is given. A state
// the calculate command did not complete has neither.
void CheckVolume(const json& point, bool completed, const std::string& pressure,
                 Failures& failures);

// The figures of a supply state from its room: ε = Q/(W/1000) ("∞" or "-∞" when W = 0) and its
// text, the flow G = Q/(h_N − h_O) (W/(d_N − d_O) when Q = 0), d_N − d_O, W/G, G·v and G·v·3600,
// and the ε line from the room through the supply state. Each figure is the very double.
void CheckSupplyFigures(const json& supply, const json& room, const json& point,
                        Failures& failures);

// The design's flow, and its steps in request order: one for every process (mix, heat, coil,
// spray, steam) whose state was completed without a message, with its changes, flows and path. A
// figure that is not finite cannot be computed: it is left out, and the step or its state says so.
void CheckSteps(const json& request, const json& answer, const StatesByName& states,
                Failures& failures);

}  // namespace tarvel::testing_support::contract
