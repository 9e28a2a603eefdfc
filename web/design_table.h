#pragma once

// The table of a design as the page shows it and "导出 CSV" saves it: one row per point, in
// request order, every cell a text written by the core.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "process/design_answer.h"

namespace tarvel::web {

// A column: its name, as tarvel-batch names its columns where it has one (the window's captions,
// "当地大气压力", "提示"), and the unit of its numbers (empty for texts).
struct TableColumn {
  std::string_view name;
  std::string_view unit;
};

// 名称, the six parameters in field order as the fields show them, the specific volume, the
// pressure, the two texts the calculate command was given, then the process that made the point
// (with where it came from, ε of a supply state, the air flow and the heat and water it takes or
// gives), then the messages.
std::span<const TableColumn> DesignTableColumns();

using TableRow = std::vector<std::string>;
std::vector<TableRow> DesignTableRows(const process::DesignAnswer& answer);

// The table as tarvel-batch writes a CSV file: a header line of the column names (those without
// a name of tarvel-batch's with their unit: "比容（m³/kg）"), then the rows; cells separated by
// commas and quoted only where they hold a comma, a quote or a line break; UTF-8 without a
// byte-order mark; every line ended by a line feed.
std::string DesignCsv(const std::vector<TableRow>& rows);

// The table for the page, one line of JSON: {"columns": [{"name", "unit"}, ...], "rows": [[...]]}.
std::string DesignTableJson(const std::vector<TableRow>& rows);

}  // namespace tarvel::web
