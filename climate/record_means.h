#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "climate/rank_statistics.h"
#include "climate/weather_record.h"
#include "panel/air_field.h"

namespace tarvel::climate {

// The field values of a record's hours with a state, column by column in file order, with each
// hour's month and clock hour: the many passes of the statistics run over these few megabytes
// rather than over the record's texts.
struct StateColumns {
  std::vector<std::uint8_t> months;
  std::vector<std::uint8_t> clock_hours;
  std::array<std::vector<double>, kFieldCount> values;  // by FieldIndex, the pressure's too

  std::size_t Size() const { return months.size(); }
  const std::vector<double>& Of(AirField field) const { return values[FieldIndex(field)]; }
};
StateColumns StateColumnsOf(const WeatherRecord& record);

// The mean of a field's values over the hours (by their index in the columns) that `take`
// accepts, added in file order; nullopt when there are none.
template <typename Take>
std::optional<double> MeanOver(const StateColumns& columns, AirField field, Take take) {
  const std::vector<double>& values = columns.Of(field);
  FileOrderMean mean;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (take(i))
      mean.Add(values[i]);
  }
  return mean.Mean();
}

// The mean dry bulb of every whole day of the record, in file order: a day is the run of
// consecutive hours written with one date, and it is whole when it has 24 hours and each has a
// state. Its 24 dry bulbs are added in file order in double and the sum divided by 24.
std::vector<double> DailyMeanDryBulbs(const WeatherRecord& record);

// The calendar months (1 to 12) with the highest and the lowest mean dry bulb over every hour of
// that month with a state, in every year of the record; the earlier month on a tie. Nullopt
// without any hour with a state.
struct HottestAndColdest {
  std::optional<int> hottest;
  std::optional<int> coldest;
};
HottestAndColdest HottestAndColdestMonths(const StateColumns& columns);

}  // namespace tarvel::climate
