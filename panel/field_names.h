#pragma once

// How the seven fields are named where they are not typed into: each field's key, by which a
// request, an answer or a program names it (the design request's parameters and pressure, the
// Python module's arguments, the page's forms). The caption and unit of each are the form's
// (panel/form_layout.h); a table's column names are built from both (tables/column_map.h).

#include <optional>
#include <string_view>

#include "panel/air_field.h"

namespace tarvel {

struct FieldKey {
  AirField field;
  std::string_view key;
};

// By FieldIndex: the six parameters in field order, then the pressure.
inline constexpr FieldKey kFieldKeys[kFieldCount] = {
    {AirField::DryBulb, "dry_bulb"},         {AirField::WetBulb, "wet_bulb"},
    {AirField::RelHumidity, "rel_humidity"}, {AirField::DewPoint, "dew_point"},
    {AirField::MoistureContent, "moisture"}, {AirField::Enthalpy, "enthalpy"},
    {AirField::Pressure, "pressure"},
};

constexpr bool KeysStandInFieldOrder() {
  for (int i = 0; i < kFieldCount; ++i) {
    if (FieldIndex(kFieldKeys[i].field) != i)
      return false;
  }
  return true;
}
static_assert(KeysStandInFieldOrder(), "kFieldKeys must list the fields by their index");

// "dry_bulb" ... "enthalpy", "pressure".
constexpr std::string_view KeyOf(AirField field) {
  return kFieldKeys[FieldIndex(field)].key;
}

// The field of that key, if any.
constexpr std::optional<AirField> FieldOfKey(std::string_view key) {
  for (const FieldKey& named : kFieldKeys) {
    if (named.key == key)
      return named.field;
  }
  return std::nullopt;
}

}  // namespace tarvel
