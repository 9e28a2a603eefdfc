#include "climate/zone_counts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "panel/number_text.h"
#include "physics/float_bits.h"

namespace tarvel::climate {
namespace {

// The PMV of each pair of dry bulb and relative humidity met, computed once: a weather file writes
// its temperatures to a tenth and its humidities to a percent, so the pairs of a year repeat.
class PmvMemo {
 public:
  explicit PmvMemo(const PmvSettings& settings) : settings_(settings) {}

  std::optional<Pmv> Of(double dry_bulb, double rel_humidity) {
    const Key key{BitsOf(dry_bulb), BitsOf(rel_humidity)};
    const auto found = known_.find(key);
    if (found != known_.end())
      return found->second;
    const std::optional<Pmv> pmv = PmvFromRelHumidity(dry_bulb, rel_humidity, settings_);
    known_.emplace(key, pmv);
    return pmv;
  }

 private:
  struct Key {
    std::uint64_t t;
    std::uint64_t phi;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<std::uint64_t>()(key.t ^ (key.phi * 0x9E3779B97F4A7C15u));
    }
  };
  const PmvSettings& settings_;
  std::unordered_map<Key, std::optional<Pmv>, KeyHash> known_;
};

}  // namespace

ZoneCounts CountZones(const WeatherRecord& record, const HourFilter& filter,
                      std::span<const Zone> zones, const PmvSettings& settings) {
  return CountZones(StateColumnsOf(record), filter, zones, settings);
}

ZoneCounts CountZones(const StateColumns& columns, const HourFilter& filter,
                      std::span<const Zone> zones, const PmvSettings& settings) {
  ZoneCounts counts;
  for (const Zone& zone : zones)
    counts.zones.push_back({zone.name, 0, std::nullopt});
  const bool needs_pmv = std::any_of(zones.begin(), zones.end(),
                                     [](const Zone& zone) { return zone.pmv_within.has_value(); });
  PmvMemo memo(settings);
  std::array<double, kFieldCount> values{};
  for (std::size_t i = 0; i < columns.Size(); ++i) {
    if (!filter.months.Holds(columns.months[i]) || !filter.hours.Holds(columns.clock_hours[i]))
      continue;
    ++counts.selected;
    for (int f = 0; f < kFieldCount; ++f)
      values[f] = columns.values[f][i];
    std::optional<Pmv> pmv;
    if (needs_pmv) {
      pmv =
          memo.Of(values[FieldIndex(AirField::DryBulb)], values[FieldIndex(AirField::RelHumidity)]);
    }
    for (std::size_t z = 0; z < zones.size(); ++z)
      counts.zones[z].hours += InZone(zones[z], values, pmv) ? 1 : 0;
  }
  if (counts.selected > 0) {
    for (ZoneCount& zone : counts.zones) {
      zone.share = FormatNumber(static_cast<double>(zone.hours) * 100 /
                                static_cast<double>(counts.selected));
    }
  }
  return counts;
}

}  // namespace tarvel::climate
