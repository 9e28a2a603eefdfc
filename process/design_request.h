#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "panel/air_field.h"

namespace tarvel::process {

// A design: states of air, each named, each given by two parameters or made by a process from
// earlier states. Every number is a text, read as the calculator reads its fields; every name is
// any text, compared exactly.

// One parameter of a state: the text as given, or the text of that field of an earlier state
// (copied from it as a user copies a number from the window).
struct ParameterValue {
  AirField field = AirField::DryBulb;
  std::string text;               // the text given; unused when `of` is set
  std::optional<std::string> of;  // the name of the earlier state to copy it from
};

// A state from its parameters, as typed into the window: the first two given in field order are
// used (a parameter given as the empty text is not given).
struct StateProcess {
  std::vector<ParameterValue> parameters;
};

// Streams of air mixed adiabatically, each an earlier state and its dry-air mass flow (kg/s; any
// positive weights, since only their ratios matter).
struct MixStream {
  std::string point;
  std::string flow;
};
struct MixProcess {
  std::vector<MixStream> streams;
};

// Sensible heating or cooling at constant moisture content: to a dry bulb, or by a heat flow
// (kW) at the design's flow or at a flow (kg/s) of its own.
struct HeatProcess {
  std::string point;
  std::optional<ParameterValue> dry_bulb;  // set: to this dry bulb; else by `power`
  std::string power;
  std::optional<std::string> flow;
};

// A cooling and dehumidifying coil: its leaving state at a relative humidity (the apparatus dew
// point, typically 90 % or 95 %) and a moisture content, usually that of the supply state.
struct CoilProcess {
  std::string point;
  ParameterValue rel_humidity;
  ParameterValue moisture;
};

// Humidification to a relative humidity or a moisture content: by spraying water (adiabatic, at
// constant enthalpy) or by steam (at constant dry bulb).
enum class Humidifier { Spray, Steam };
struct HumidifyProcess {
  Humidifier humidifier = Humidifier::Spray;
  std::string point;
  ParameterValue target;  // field RelHumidity or MoistureContent
};

// The supply state from the room's loads: the point of the room's heat-moisture ratio line at the
// supply temperature difference, and the supply air flow that carries the loads away.
struct SupplyProcess {
  std::string room;
  std::string heat_load;      // Q, kW (negative for a heat loss)
  std::string moisture_load;  // W, g/s
  std::string difference;     // Δt, °C: the supply is at t_room − Δt
};

using Process = std::variant<StateProcess, MixProcess, HeatProcess, CoilProcess, HumidifyProcess,
                             SupplyProcess>;

struct DesignPoint {
  std::optional<std::string> name;  // nothing when the request gives no text for it
  Process process;
  // Why the point cannot be computed as given (a key missing, a value that is not a text, ...):
  // when not empty, the point is answered with this message alone.
  std::string problem;
};

// The keys of a request as a whole, {"command": "design", "pressure", "flow", "points"} (the
// pressure's is its field's, panel/field_names.h); "flow" is a mix stream's and a heat flow's too.
inline constexpr std::string_view kCommandKey = "command";
inline constexpr std::string_view kDesignCommand = "design";
inline constexpr std::string_view kFlowKey = "flow";
inline constexpr std::string_view kPointsKey = "points";
// A point's name; its other key is its process's (process/process_names.h).
inline constexpr std::string_view kNameKey = "name";

struct Design {
  std::string pressure;             // kPa, the pressure field's text for every state
  std::optional<std::string> flow;  // kg/s of dry air, used when no point is a supply state
  std::vector<DesignPoint> points;
};

}  // namespace tarvel::process
