#pragma once

// How a design names its processes: each one's key, by which a request gives a point's process
// and an answer names a step's, and its Chinese name, as the design's table and the page's forms
// show it.

#include <string_view>

namespace tarvel::process {

enum class ProcessKind { State, Mix, Heat, Coil, Spray, Steam, Supply };

struct ProcessName {
  ProcessKind kind;
  std::string_view key;
  // None for a state given by its parameters, which no process made.
  std::string_view name;
};

// In the order in which a request's processes are listed to the user.
inline constexpr ProcessName kProcessNames[] = {
    {ProcessKind::State, "state", ""},
    {ProcessKind::Mix, "mix", "混合"},
    {ProcessKind::Heat, "heat", "等湿加热或冷却"},
    {ProcessKind::Coil, "coil", "冷却去湿"},
    {ProcessKind::Spray, "spray", "喷雾加湿"},
    {ProcessKind::Steam, "steam", "蒸汽加湿"},
    {ProcessKind::Supply, "supply", "送风状态"},
};

// Heating and cooling at constant moisture content are one process; a step of it is named by the
// sign of its change of enthalpy.
inline constexpr std::string_view kHeatingName = "等湿加热";
inline constexpr std::string_view kCoolingName = "等湿冷却";

// The figures of a design by their Chinese names, as its table heads their columns and its
// messages name the ones that cannot be computed.
inline constexpr std::string_view kFlowFigure = "风量";          // a step's air flow G, kg/s
inline constexpr std::string_view kHeatFigure = "热量";          // G·Δh, kW
inline constexpr std::string_view kWaterFigure = "湿量";         // G·Δd, g/s
inline constexpr std::string_view kSupplyFlowFigure = "送风量";  // G, kg/s
inline constexpr std::string_view kMoisturePerFlowFigure = "余湿量与送风量之比";    // W/G, g/kg
inline constexpr std::string_view kVolumeFlowFigure = "送风体积流量";               // G·v, m³/s
inline constexpr std::string_view kVolumeFlowPerHourFigure = "每小时送风体积流量";  // m³/h

constexpr const ProcessName& NamesOf(ProcessKind kind) {
  for (const ProcessName& named : kProcessNames) {
    if (named.kind == kind)
      return named;
  }
  return kProcessNames[0];
}

}  // namespace tarvel::process
