#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/batch/csv_dialect.h"
#include "tables/column_map.h"

namespace tarvel::batch {

// The first record of a table: its names, and how the table is written.
struct TableHeader {
  CsvDialect dialect;
  tables::ColumnMap columns;
  std::string_view text;   // the header record as it stands, without the mark and line break
  std::size_t length = 0;  // the bytes of the input it takes: mark, record and line break
  std::int64_t lines = 1;  // the lines it spans (a quoted name may hold a line break)
};

// Reads the header from `start`, the first bytes of the input; `whole` says whether they are all
// of it. Returns nullopt when the header may go on after `start`: read more and call again.
//
// A UTF-8 byte-order mark is skipped and kept for the output. The separator is the one of comma,
// semicolon and tab that splits the first line into the most names the calculator knows (the
// first of them on a tie); the line break is that of the header. Throws BatchError when the input
// is empty, is UTF-16, is not UTF-8, holds NUL bytes or lone carriage returns in its header, when
// the header cannot be read as CSV, or as MapColumns does.
std::optional<TableHeader> ReadHeader(std::string_view start, bool whole);

}  // namespace tarvel::batch
