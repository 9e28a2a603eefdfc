#pragma once

#include "climate/format_reading.h"

namespace tarvel::climate {

// Checks the record as a whole and says what it lacks, without inventing anything: a line whose
// time repeats or goes back from the line before is marked unreadable; gaps in the hours, lines
// skipped between whole hours, leap days and a record that is not a whole number of years are
// told in the record's notes.
void CheckRecord(FormatReading& reading);

// The number of whole years of a record of `hours` hours: hours ÷ 8760 rounded down, at least 1.
int WholeYears(std::int64_t hours);

}  // namespace tarvel::climate
