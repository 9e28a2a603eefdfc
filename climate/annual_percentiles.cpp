// The annual percentiles as design data are given worldwide: the dry bulb, wet bulb and dew point
// exceeded in 0.4, 1 and 2 % of the hours, with the mean of what goes with them, and the dry bulb
// below which 0.4 and 1 % of the hours fall.
#include <array>
#include <span>

#include "climate/design_conditions.h"
#include "climate/rank_statistics.h"
#include "climate/record_means.h"
#include "panel/number_text.h"

namespace tarvel::climate {
namespace {

struct Percent {
  int tenths;             // of a percent, from the end ranked
  std::string_view text;  // as the percentile is named
};
constexpr std::array<Percent, 3> kUpperPercents = {{{4, "0.4"}, {10, "1"}, {20, "2"}}};
constexpr std::array<Percent, 2> kLowerPercents = {{{4, "99.6"}, {10, "99"}}};

// A coincident figure: the mean of `field` over the hours whose ranked field has exactly the
// percentile's value.
struct Coincident {
  std::string_view key;
  std::string_view name;
  std::string_view unit;
  AirField field;
};

struct Ranked {
  std::string_view key;
  std::string_view name;
  AirField field;
};

std::optional<std::string> Written(const std::optional<double>& value) {
  return value ? std::optional<std::string>(FormatNumber(*value)) : std::nullopt;
}

std::vector<PercentileFigures> Percentiles(const StateColumns& columns, const Ranked& ranked,
                                           std::span<const Coincident> coincident, bool from_top) {
  const std::vector<double>& values = columns.Of(ranked.field);
  std::vector<PercentileFigures> rows;
  const auto add = [&](const Percent& percent) {
    const std::size_t rank = RankOfPercent(percent.tenths, values.size());
    const std::optional<double> value =
        from_top ? LargestAt(values, rank) : SmallestAt(values, rank);
    PercentileFigures row{std::string(percent.text), {}};
    row.figures.push_back({ranked.key, ranked.name, "℃", Written(value)});
    for (const Coincident& figure : coincident) {
      std::optional<double> mean;
      if (value) {
        mean = MeanOver(columns, figure.field, [&](std::size_t i) { return values[i] == *value; });
      }
      row.figures.push_back({figure.key, figure.name, figure.unit, Written(mean)});
    }
    rows.push_back(std::move(row));
  };
  if (from_top) {
    for (const Percent& percent : kUpperPercents)
      add(percent);
  } else {
    for (const Percent& percent : kLowerPercents)
      add(percent);
  }
  return rows;
}

}  // namespace

void AddAnnualPercentiles(const StateColumns& columns, DesignConditions& conditions) {
  static constexpr Coincident kWetBulb = {"wet_bulb", "平均同时湿球温度", "℃", AirField::WetBulb};
  static constexpr Coincident kDryBulb = {"dry_bulb", "平均同时干球温度", "℃", AirField::DryBulb};
  static constexpr Coincident kMoisture = {"moisture", "平均同时含湿量", "g/kg",
                                           AirField::MoistureContent};
  static constexpr std::array<Coincident, 2> kDehumidification = {kMoisture, kDryBulb};
  conditions.cooling =
      Percentiles(columns, {"dry_bulb", "干球温度", AirField::DryBulb}, {&kWetBulb, 1}, true);
  conditions.evaporation =
      Percentiles(columns, {"wet_bulb", "湿球温度", AirField::WetBulb}, {&kDryBulb, 1}, true);
  conditions.dehumidification =
      Percentiles(columns, {"dew_point", "露点温度", AirField::DewPoint}, kDehumidification, true);
  conditions.heating = Percentiles(columns, {"dry_bulb", "干球温度", AirField::DryBulb}, {}, false);
}

}  // namespace tarvel::climate
