// The web page's entry to weather files: the page hands over a file's bytes, the core reads it and
// calculates every hour as the window would (climate/), and answers with the very JSON that
// tarvel-climate --json prints, and with what the panel shows beside it. The record stays in the
// page's core, so that the panel's options (months, hours, PMV, the user's zone) are one call that
// counts the zones again, and the chart draws the hours from it (climate_chart_entry.cpp).
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "climate/climate_error.h"
#include "climate/climate_json.h"
#include "climate/hour_calculation.h"
#include "climate/hours_table.h"
#include "climate/pmv_text.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "climate/zone_text.h"
#include "panel/number_text.h"
#include "tables/plain_number.h"
#include "web/handover.h"
#include "web/page_core.h"

namespace {

namespace climate = tarvel::climate;
using Json = nlohmann::ordered_json;
using tarvel::web::At;
using tarvel::web::kClimateTexts;
using tarvel::web::LoadedRecord;
using tarvel::web::PageCore;

// How many of the commonest reasons of each kind the panel names.
constexpr std::size_t kReasonsShown = 3;

std::string Dumped(const Json& json) {
  // A file's text may hold any bytes: one that is not part of valid UTF-8 becomes U+FFFD.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json FigureNames(const std::vector<climate::ConditionFigure>& figures) {
  Json names = Json::array();
  for (const climate::ConditionFigure& figure : figures)
    names.push_back({{"key", figure.key}, {"name", figure.name}, {"unit", figure.unit}});
  return names;
}

Json PercentileNames(const std::vector<climate::PercentileFigures>& rows) {
  return rows.empty() ? Json::array() : FigureNames(rows.front().figures);
}

// What the panel shows beside the climate answer.
std::string ShownJson(const LoadedRecord& loaded) {
  const climate::ClimateReport& report = loaded.report;
  const climate::HourTally tally = climate::TallyHours(loaded.record);
  Json reasons = Json::object();
  for (const auto& [status, key] : {std::pair{climate::HourStatus::Missing, "missing"},
                                    std::pair{climate::HourStatus::Message, "message"},
                                    std::pair{climate::HourStatus::Unreadable, "unreadable"}}) {
    Json list = Json::array();
    for (const auto& [text, count] : climate::CommonMessages(loaded.record, status, kReasonsShown))
      list.push_back({{"text", text}, {"hours", count}});
    reasons[key] = std::move(list);
  }
  Json zones = Json::array();
  for (const climate::Zone& zone : report.zones)
    zones.push_back({{"name", zone.name}, {"limits", climate::ZoneLimitsText(zone)}});
  const climate::DesignConditions& conditions = report.conditions;
  const auto month = [](std::optional<int> m) { return m ? Json(*m) : Json(nullptr); };
  return Dumped({
      {"filter", climate::FilterText(report.filter)},
      {"selected", report.counts.selected},
      {"tally",
       {{"state", tally.state},
        {"missing", tally.missing},
        {"message", tally.message},
        {"unreadable", tally.unreadable}}},
      {"reasons", std::move(reasons)},
      {"notes", loaded.record.notes},
      {"hottest", month(conditions.hottest_month)},
      {"coldest", month(conditions.coldest_month)},
      {"conditions", FigureNames(conditions.figures)},
      {"percentiles",
       {{"cooling", PercentileNames(conditions.cooling)},
        {"evaporation", PercentileNames(conditions.evaporation)},
        {"dehumidification", PercentileNames(conditions.dehumidification)},
        {"heating", PercentileNames(conditions.heating)}}},
      {"zones", std::move(zones)},
      {"pmv",
       {tarvel::FormatNumber(report.pmv.met), tarvel::FormatNumber(report.pmv.clo),
        tarvel::FormatNumber(report.pmv.air_speed)}},
  });
}

// The answer and what the panel shows, for the report as it stands.
void Answer(LoadedRecord& loaded) {
  loaded.answer = climate::ClimateJson(loaded.report);
  loaded.shown = ShownJson(loaded);
}

// The zones counted again for the options; the design conditions stay those of the whole record.
void Recount(LoadedRecord& loaded, const climate::ClimateOptions& options) {
  climate::ClimateReport& report = loaded.report;
  report.filter = options.filter;
  report.pmv = options.pmv;
  report.zones = climate::ZonesOf(options);
  report.counts = climate::CountZones(loaded.columns, options.filter, report.zones, options.pmv);
  Answer(loaded);
}

// The lowest and the highest dry bulb and moisture content of the record's states.
std::vector<tarvel::chart::StatePoint> ExtentOf(const climate::StateColumns& columns) {
  const std::vector<double>& t = columns.Of(tarvel::AirField::DryBulb);
  const std::vector<double>& d = columns.Of(tarvel::AirField::MoistureContent);
  if (t.empty())
    return {};
  const auto [t_low, t_high] = std::minmax_element(t.begin(), t.end());
  const auto [d_low, d_high] = std::minmax_element(d.begin(), d.end());
  return {{*t_low, *d_low}, {*t_high, *d_high}};
}

// The options as the panel hands them over, one JSON object of texts: "month" and "hour" (ranges
// as tarvel-climate --month and --hour take them), "met", "clo" and "air_speed", "zone" (the
// lower and upper limit of the dry bulb, relative humidity, dew point and moisture content, four
// pairs) and "pressure" (kPa, for the hours of a file that gives none; empty for none).
struct PanelOptions {
  climate::ClimateOptions options;
  std::string pressure;
};

std::string TextOf(const Json& object, std::string_view key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

PanelOptions OptionsOf(std::string_view text) {
  const Json request = Json::parse(text, nullptr, false);
  if (!request.is_object())
    throw climate::ClimateError("选项无法读取");
  PanelOptions read;
  read.options.filter.months = climate::ParseMonthRange(TextOf(request, "month"));
  read.options.filter.hours = climate::ParseHourRange(TextOf(request, "hour"));
  read.options.pmv = climate::PmvSettingsOf(TextOf(request, "met"), TextOf(request, "clo"),
                                            TextOf(request, "air_speed"));
  std::array<std::array<std::string, 2>, 4> texts;
  const auto zone = request.find("zone");
  for (std::size_t q = 0; zone != request.end() && zone->is_array() && q < texts.size(); ++q) {
    for (std::size_t end = 0; q < zone->size() && (*zone)[q].is_array() && end < 2; ++end) {
      const Json& pair = (*zone)[q];
      if (end < pair.size() && pair[end].is_string())
        texts[q][end] = pair[end].get<std::string>();
    }
  }
  read.options.user_zone = climate::ZoneFromLimits({{{texts[0][0], texts[0][1]},
                                                     {texts[1][0], texts[1][1]},
                                                     {texts[2][0], texts[2][1]},
                                                     {texts[3][0], texts[3][1]}}});
  const std::string pressure = TextOf(request, "pressure");
  const std::string_view trimmed = climate::TrimBlanks(pressure);
  const double kpa = tarvel::tables::IsPlainNumber(trimmed) ? tarvel::ParseNumber(trimmed) : 0;
  if (!trimmed.empty() && !(kpa > 0 && std::isfinite(kpa))) {
    throw climate::ClimateError("大气压力" + climate::Quoted(pressure) +
                                "不是正数（以千帕计，如 101.325）");
  }
  read.pressure = std::string(trimmed);
  return read;
}

// The answer of a read or of options: the refusal, then the record's answer while there is one.
void AnswerClimate(PageCore& page, std::string refusal) {
  page.answer.Clear();
  std::vector<std::string>& texts = page.answer.texts;
  texts.assign(kClimateTexts.size(), "");
  texts[At(kClimateTexts, "refusal")] = std::move(refusal);
  if (const std::optional<LoadedRecord>& loaded = page.climate.loaded) {
    texts[At(kClimateTexts, "answer")] = loaded->answer;
    texts[At(kClimateTexts, "shown")] = loaded->shown;
  }
}

}  // namespace

extern "C" {

// Sets the panel's options from the JSON in the buffer (OptionsOf) and, while a file is read,
// counts its zones again for them: texts kClimateTexts. Options that are refused change nothing.
// A new pressure for the hours without one takes effect when the file is read again.
EMSCRIPTEN_KEEPALIVE void tarvel_climate_options(PageCore* page) {
  std::string refusal;
  try {
    const PanelOptions read = OptionsOf(page->incoming);
    page->climate.options = read.options;
    page->climate.reading.fallback_pressure = read.pressure;
    if (page->climate.loaded)
      Recount(*page->climate.loaded, page->climate.options);
  } catch (const climate::ClimateError& e) {
    refusal = e.what();
  }
  AnswerClimate(*page, std::move(refusal));
}

// Reads the bytes in the buffer as a weather file, calculates every hour and counts the zones for
// the options set: texts kClimateTexts. A file that is refused leaves no record.
EMSCRIPTEN_KEEPALIVE void tarvel_climate_read(PageCore* page) {
  page->climate.loaded.reset();
  page->climate.outlines.reset();
  std::string refusal;
  try {
    LoadedRecord loaded;
    loaded.record = climate::ReadWeather(page->incoming, page->climate.reading);
    std::string().swap(page->incoming);  // the file's bytes are no longer needed
    climate::CalculateHours(loaded.record.hours);
    loaded.report = climate::MakeClimateReport(loaded.record, page->climate.options);
    loaded.columns = climate::StateColumnsOf(loaded.record);
    loaded.extent = ExtentOf(loaded.columns);
    Answer(loaded);
    page->climate.loaded = std::move(loaded);
  } catch (const climate::ClimateError& e) {
    refusal = e.what();
  } catch (const std::bad_alloc&) {
    refusal = "内存不足，文件太大";
  }
  std::string().swap(page->incoming);
  AnswerClimate(*page, std::move(refusal));
}

// Closes the weather file: no record, nothing of it on the chart.
EMSCRIPTEN_KEEPALIVE void tarvel_climate_close(PageCore* page) {
  page->climate.loaded.reset();
  page->climate.outlines.reset();
  AnswerClimate(*page, "");
}

// The table of hours of the record (as tarvel-climate --hours writes it): texts kCsvTexts.
EMSCRIPTEN_KEEPALIVE void tarvel_climate_hours(PageCore* page) {
  static_assert(tarvel::web::kCsvTexts.size() == 1);
  page->answer.Clear();
  const std::optional<LoadedRecord>& loaded = page->climate.loaded;
  page->answer.texts.push_back(loaded ? climate::HoursTable(loaded->record) : std::string());
}

}  // extern "C"
