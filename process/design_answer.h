#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "process/process_names.h"

namespace tarvel::process {

// The figures of a supply state: its heat-moisture ratio and the supply air flow.
struct SupplyFigures {
  double ratio = 0;  // ε = Q/(W/1000), kJ/kg; an infinity when W = 0
  // The room's point (its index in the answer) when the command completed the supply state: the
  // ε line runs from the room through the supply state (chart/design_lines.h).
  std::optional<std::size_t> ratio_line_from;
  std::optional<double> flow;                  // G, kg/s of dry air
  std::optional<double> moisture_difference;   // d_room − d_supply, g/kg, from their fields
  std::optional<double> moisture_per_flow;     // W/G, g/kg: equals the difference within rounding
  std::optional<double> volume_flow;           // G·v of the supply state, m³/s
  std::optional<double> volume_flow_per_hour;  // the same in m³/h
};

// One state of a design as the calculate command left it.
struct PointAnswer {
  std::string name;
  // The parameter texts the calculate command was given, in field order (none when the point
  // could not be computed).
  std::vector<std::pair<AirField, std::string>> inputs;
  std::array<std::string, kParameterCount> fields;  // the six texts it left
  std::vector<MemoryPanel::Message> messages;       // the command's, then the design's own
  std::optional<double> volume;                     // m³/kg dry air, where the state is complete
  std::optional<double> density;  // kg/m³ of moist air, where the state is complete
  std::optional<SupplyFigures> supply;
  // Whether later states may use this one: the command completed it and nothing was said.
  bool complete = false;
};

// One stream of a mix: the state it comes from and its share of the design's flow.
struct StreamFlow {
  std::string from;
  std::size_t point = 0;       // the index of that state in the answer
  std::optional<double> flow;  // kg/s: G·w/Σw when the design's flow is known
};

// One process of the design between complete states, with what it takes or gives.
struct StepAnswer {
  ProcessKind kind = ProcessKind::Heat;
  std::string from;  // empty for a mix, whose streams say where they come from
  std::string to;
  std::size_t from_point = 0;  // the indexes of those states in the answer (`from` not for a mix)
  std::size_t to_point = 0;
  std::vector<StreamFlow> streams;  // a mix's
  double enthalpy_change = 0;       // h_to − h_from, kJ/kg (not for a mix)
  double moisture_change = 0;       // d_to − d_from, g/kg (not for a mix)
  std::optional<double> flow;       // kg/s of dry air
  std::optional<double> heat;       // G·(h_to − h_from), kW
  std::optional<double> moisture;   // G·(d_to − d_from), g/s
  // Why a figure with the flow is left out: it would not be finite (the design's own messages).
  std::vector<MemoryPanel::Message> messages;
};

// A field of a state: its text, and its value as the calculator reads it.
const std::string& FieldText(const PointAnswer& state, AirField field);
double FieldValue(const PointAnswer& state, AirField field);
// The value of a field that the command wrote (or was given); nothing for an empty field.
std::optional<double> WrittenValue(const PointAnswer& state, AirField field);

struct DesignAnswer {
  std::string pressure;             // the request's: the pressure field's text of every state
  std::vector<PointAnswer> points;  // in request order
  std::optional<double> flow;       // the design's supply air flow G, kg/s
  std::vector<StepAnswer> steps;    // in request order
  // The design's own messages about the request as a whole (a flow it gives that is not used).
  std::vector<MemoryPanel::Message> messages;
};

}  // namespace tarvel::process
