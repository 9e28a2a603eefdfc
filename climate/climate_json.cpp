#include "climate/climate_json.h"

#include <nlohmann/json.hpp>

#include "tables/design_answer_writing.h"

namespace tarvel::climate {
namespace {

// The members keep the order in which they are written.
using Json = nlohmann::ordered_json;

Json TextOrNull(const std::optional<std::string>& text) {
  return text ? Json(*text) : Json(nullptr);
}

Json StationJson(const Station& station) {
  return {{"name", TextOrNull(station.name)},
          {"country", TextOrNull(station.country)},
          {"latitude", TextOrNull(station.latitude)},
          {"longitude", TextOrNull(station.longitude)},
          {"elevation", TextOrNull(station.elevation)}};
}

Json PercentilesJson(const std::vector<PercentileFigures>& rows) {
  Json array = Json::array();
  for (const PercentileFigures& row : rows) {
    Json object = {{"percent", row.percent}};
    for (const ConditionFigure& figure : row.figures)
      object[std::string(figure.key)] = TextOrNull(figure.text);
    array.push_back(std::move(object));
  }
  return array;
}

Json ConditionsJson(const DesignConditions& conditions) {
  Json object = Json::object();
  for (const ConditionFigure& figure : conditions.figures)
    object[std::string(figure.key)] = TextOrNull(figure.text);
  object["cooling"] = PercentilesJson(conditions.cooling);
  object["evaporation"] = PercentilesJson(conditions.evaporation);
  object["dehumidification"] = PercentilesJson(conditions.dehumidification);
  object["heating"] = PercentilesJson(conditions.heating);
  return object;
}

// The state as a design answer writes its point, after its pressure.
Json OutdoorJson(const std::optional<OutdoorState>& state) {
  if (!state)
    return nullptr;
  Json object = {{"pressure", state->pressure}};
  const Json point = tables::PointJson(state->point);
  for (const auto& [key, value] : point.items())
    object[key] = value;
  return object;
}

Json ZonesJson(const ZoneCounts& counts) {
  Json array = Json::array();
  for (const ZoneCount& zone : counts.zones)
    array.push_back(
        {{"name", zone.name}, {"hours", zone.hours}, {"share", TextOrNull(zone.share)}});
  return array;
}

}  // namespace

std::string ClimateJson(const ClimateReport& report) {
  const Json object = {
      {"station", StationJson(report.station)},
      {"years", report.years},
      {"hours", report.hours},
      {"missing", report.missing},
      {"conditions", ConditionsJson(report.conditions)},
      {"outdoor",
       {{"summer", OutdoorJson(report.outdoor.summer)},
        {"winter", OutdoorJson(report.outdoor.winter)}}},
      {"zones", ZonesJson(report.counts)},
  };
  // A station's name may hold any bytes: one that is not part of valid UTF-8 becomes U+FFFD.
  return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string ClimateJson(const WeatherRecord& record, const ClimateOptions& options) {
  return ClimateJson(MakeClimateReport(record, options));
}

}  // namespace tarvel::climate
