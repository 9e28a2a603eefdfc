#include "climate/zone_text.h"

#include <array>

#include "climate/climate_error.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "panel/number_text.h"
#include "tables/column_map.h"
#include "tables/plain_number.h"

namespace tarvel::climate {
namespace {

struct Quantity {
  AirField field;
  Limits Zone::*limits;
  std::string_view unit;
};
constexpr std::array<Quantity, 4> kQuantities = {{
    {AirField::DryBulb, &Zone::dry_bulb, "℃"},
    {AirField::RelHumidity, &Zone::rel_humidity, "%"},
    {AirField::DewPoint, &Zone::dew_point, "℃"},
    {AirField::MoistureContent, &Zone::moisture, "g/kg"},
}};

[[noreturn]] void Refuse(std::string_view text, std::string_view why) {
  throw ClimateError("区域" + Quoted(text, 80) + std::string(why) +
                     "；应写成如 dry_bulb=20..26,rel_humidity=..60");
}

const Quantity* QuantityNamed(std::string_view name) {
  name = TrimBlanks(name);
  if (name == "moisture")
    name = "moisture_content";
  const auto role = tables::RoleOfName(name);
  for (const Quantity& quantity : kQuantities) {
    if (role && role->role.kind == tables::ColumnRole::Kind::Field &&
        role->role.field == quantity.field)
      return &quantity;
  }
  return nullptr;
}

std::optional<double> Bound(std::string_view text, std::string_view whole) {
  text = TrimBlanks(text);
  if (text.empty())
    return std::nullopt;
  if (!tables::IsPlainNumber(text))
    Refuse(whole, "中的" + Quoted(text) + "不是数");
  return ParseNumber(text);
}

std::string Name(AirField field) {
  return std::string(tables::FieldColumnName(field, tables::HeaderLanguage::Chinese));
}

// A limit typed into the user zone's form: empty for none.
std::optional<double> FormLimit(std::string_view text, AirField field, std::string_view end) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return std::nullopt;
  if (!tables::IsPlainNumber(trimmed))
    throw ClimateError(std::string(kUserZoneName) + "：" + Name(field) + std::string(end) +
                       Quoted(text) + "不是数");
  return ParseNumber(trimmed);
}

}  // namespace

std::optional<Zone> ZoneFromLimits(const std::array<LimitTexts, 4>& limits) {
  Zone zone;
  zone.name = std::string(kUserZoneName);
  for (std::size_t i = 0; i < kQuantities.size(); ++i) {
    const AirField field = kQuantities[i].field;
    Limits& set = zone.*(kQuantities[i].limits);
    set = {FormLimit(limits[i].lower, field, "下限"), FormLimit(limits[i].upper, field, "上限")};
    if (set.lower && set.upper && *set.lower > *set.upper)
      throw ClimateError(std::string(kUserZoneName) + "：" + Name(field) + "的下限大于上限");
  }
  if (!zone.dry_bulb.Any() && !zone.rel_humidity.Any() && !zone.dew_point.Any() &&
      !zone.moisture.Any())
    return std::nullopt;
  return zone;
}

Zone ParseZone(std::string_view text) {
  Zone zone;
  zone.name = std::string(kUserZoneName);
  std::string_view rest = text;
  while (!TrimBlanks(rest).empty()) {
    const std::size_t end = rest.find_first_of(",;");
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::size_t equals = part.find('=');
    const std::size_t dots = part.find("..");
    if (equals == std::string_view::npos || dots == std::string_view::npos || dots < equals)
      Refuse(text, "中的" + Quoted(part) + "不是“名称=下限..上限”");
    const Quantity* quantity = QuantityNamed(part.substr(0, equals));
    if (!quantity)
      Refuse(text, "中的" + Quoted(part.substr(0, equals)) + "不是可限定的参数");
    Limits& limits = zone.*(quantity->limits);
    if (limits.Any())
      Refuse(text, "给了两次" + Name(quantity->field));
    limits = {Bound(part.substr(equals + 1, dots - equals - 1), text),
              Bound(part.substr(dots + 2), text)};
    if (!limits.Any())
      Refuse(text, "中的" + Name(quantity->field) + "没有上限也没有下限");
    if (limits.lower && limits.upper && *limits.lower > *limits.upper)
      Refuse(text, "中" + Name(quantity->field) + "的下限大于上限");
  }
  if (!zone.dry_bulb.Any() && !zone.rel_humidity.Any() && !zone.dew_point.Any() &&
      !zone.moisture.Any())
    Refuse(text, "没有给出任何界限");
  return zone;
}

std::string ZoneLimitsText(const Zone& zone) {
  if (zone.pmv_within) {
    const std::string limit = FormatNumber(*zone.pmv_within);
    std::string text(1, '-');
    text.append(limit).append(" ≤ PMV ≤ ").append(limit);
    return text;
  }
  std::string text;
  for (const Quantity& quantity : kQuantities) {
    const Limits& limits = zone.*(quantity.limits);
    if (!limits.Any())
      continue;
    text.append(text.empty() ? "" : "，").append(Name(quantity.field)).append(" ");
    if (limits.lower && limits.upper)
      text.append(FormatNumber(*limits.lower)).append("~").append(FormatNumber(*limits.upper));
    else if (limits.lower)
      text.append("≥").append(FormatNumber(*limits.lower));
    else
      text.append("≤").append(FormatNumber(*limits.upper));
    text.append(" ").append(quantity.unit);
  }
  return text;
}

}  // namespace tarvel::climate
