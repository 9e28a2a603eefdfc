#pragma once

// The table of a design as the page shows it and "导出 CSV" saves it: one row per point, in
// request order, every cell a text written by the core.

#include <string>
#include <string_view>
#include <vector>

#include "process/design_answer.h"

namespace tarvel::tables {

// A row of the table, in its columns: 名称, the six parameters in field order as the fields show
// them, the specific volume, the pressure, the two texts the calculate command was given, then the
// process that made the point (with where it came from, ε of a supply state, the air flow and the
// heat and water it takes or gives), then the messages.
using TableRow = std::vector<std::string>;
std::vector<TableRow> DesignTableRows(const process::DesignAnswer& answer);

// The table as tarvel-batch writes a CSV file: a header line of the column names (those without
// a name of tarvel-batch's with their unit: "比容（m³/kg）"), then the rows; cells separated by
// commas and quoted only where they hold a comma, a quote or a line break; UTF-8 without a
// byte-order mark; every line ended by a line feed.
std::string DesignCsv(const std::vector<TableRow>& rows);

// The table for the page, one line of JSON: {"columns": [{"name", "unit"}, ...], "rows": [[...]]}.
std::string DesignTableJson(const std::vector<TableRow>& rows);

}  // namespace tarvel::tables
