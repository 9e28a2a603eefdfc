#include "chart/design_lines.h"

#include "chart/process_lines.h"
#include "physics/checked_arithmetic.h"

namespace tarvel::chart {
namespace {

using process::DesignAnswer;
using process::PointAnswer;
using process::ProcessKind;

LineEnd EndOf(const PointAnswer& state) {
  return {process::FieldValue(state, AirField::DryBulb),
          process::FieldValue(state, AirField::MoistureContent),
          process::FieldValue(state, AirField::Enthalpy)};
}

// Heating and cooling keep the moisture content, steam the dry bulb.
LineShape ShapeOf(ProcessKind kind) {
  return kind == ProcessKind::Heat || kind == ProcessKind::Steam
             ? LineShape::StraightOnBoth
             : LineShape::StraightOnEnthalpyChart;
}

template <typename Draw>
std::vector<StatePoint> Drawn(Draw draw) {
  try {
    return draw();
  } catch (const NumericFault&) {
    return {};
  }
}

}  // namespace

DesignLines LinesOfDesign(const DesignAnswer& answer) {
  DesignLines lines;
  lines.steps.reserve(answer.steps.size());
  for (const process::StepAnswer& step : answer.steps) {
    const LineEnd to = EndOf(answer.points[step.to_point]);
    const LineShape shape = ShapeOf(step.kind);
    std::vector<std::vector<StatePoint>>& drawn = lines.steps.emplace_back();
    if (step.kind != ProcessKind::Mix) {
      drawn.push_back(
          Drawn([&] { return ProcessLine(EndOf(answer.points[step.from_point]), to, shape); }));
      continue;
    }
    for (const process::StreamFlow& stream : step.streams)
      drawn.push_back(
          Drawn([&] { return ProcessLine(EndOf(answer.points[stream.point]), to, shape); }));
  }
  lines.ratio_lines.resize(answer.points.size());
  for (std::size_t p = 0; p < answer.points.size(); ++p) {
    const PointAnswer& supply = answer.points[p];
    if (supply.supply && supply.supply->ratio_line_from) {
      const PointAnswer& room = answer.points[*supply.supply->ratio_line_from];
      lines.ratio_lines[p] = Drawn([&] { return RatioLine(EndOf(room), EndOf(supply)); });
    }
  }
  return lines;
}

}  // namespace tarvel::chart
