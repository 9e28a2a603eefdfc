#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "climate/weather_reading.h"
#include "climate/weather_record.h"
#include "tables/column_map.h"

namespace tarvel::climate {

// The humidities a table of hours may give beside the dry bulb, in the order in which an hour takes
// the first it has: the dew point before the relative humidity, as an EPW hour takes them, then
// the others.
inline constexpr std::array<AirField, 5> kHumidityOrder = {
    AirField::DewPoint, AirField::RelHumidity, AirField::WetBulb, AirField::MoistureContent,
    AirField::Enthalpy};

// The columns of a table of hours (a CSV file, or a front end's table) that the window is typed
// from.
struct InputColumns {
  bool pressure = false;             // whether the table has a pressure column
  std::vector<AirField> humidities;  // those it has, in kHumidityOrder
};

// The input columns of a table whose columns are `columns`. Throws ClimateError when it has no
// dry-bulb column, no humidity, or no pressure column while `options` give no pressure either.
InputColumns InputColumnsOf(const tables::ColumnMap& columns, const ReadingOptions& options);

// Gives the hour what the window is typed from a row of such a table, `cells` holding its texts by
// FieldIndex (empty for a field the table lacks): the pressure (or the options' pressure where the
// row has none), the dry bulb and the first humidity that is data (TakeInputs).
void TakeRowInputs(const InputColumns& columns,
                   const std::array<std::string_view, kFieldCount>& cells,
                   const ReadingOptions& options, WeatherHour& hour);

}  // namespace tarvel::climate
