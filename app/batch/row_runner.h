#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/batch/csv_dialect.h"
#include "app/batch/csv_record.h"
#include "panel/memory_panel.h"
#include "tables/column_map.h"

namespace tarvel::batch {

// What became of a table's rows.
struct RowCounts {
  std::int64_t answered = 0;      // calculated, with or without a message
  std::int64_t with_message = 0;  // of those, the rows whose command showed a message
  std::int64_t unreadable = 0;    // not read as CSV: kept as they were, with a message
  RowCounts& operator+=(const RowCounts& other);
};

// Everything a row's answer depends on besides the row.
struct TableLayout {
  CsvDialect dialect;
  tables::ColumnMap columns;
  std::string pressure;  // the pressure typed for a row whose own is empty or absent ("" if none)
};

// The output's header line: the input's header as it stands, then the names of the columns the
// output appends.
void AppendHeaderLine(const TableLayout& layout, std::string_view header_text, std::string& out);

// Answers rows as the calculator's window answers them: the row's cells are typed into the seven
// fields, the calculate command runs, and the seven cells afterwards hold the fields' texts, with
// the messages in the message column. One runner per thread; it allocates nothing per row once its
// buffers have grown to the table's rows.
class RowRunner {
 public:
  explicit RowRunner(const TableLayout& layout);

  // Answers each whole record of `records`, the first of which starts on input line
  // `first_line`, and appends the output rows to `out`.
  RowCounts Run(std::string_view records, std::int64_t first_line, std::string& out);

 private:
  // Appends the answered row; returns whether its command showed a message.
  bool Answer(std::string& out);
  // Appends the row as it was, not calculated, with `why` in the message column.
  void KeepUnreadable(const std::string& why, std::string& out);
  void AppendRawCell(std::size_t column, std::string& out) const;
  // Writes the answered row at `p`, which has room for it, and returns its end.
  char* WriteAnswer(const std::array<std::string_view, kFieldCount>& cell_texts, char* p) const;
  // Writes input columns `from` to `to` - 1 (at least one) of a readable record as they stand, each
  // after its separator (none before column 0), empty where the row has fewer cells; returns the
  // end.
  char* WriteKeptColumns(std::size_t from, std::size_t to, char* p) const;

  const TableLayout& layout_;
  MemoryPanel panel_{MemoryPanel::Recording::Messages};
  CsvRecord record_;
  std::array<std::string, kFieldCount> scratch_;  // the texts of quoted cells
  std::string message_;                           // the row's messages, joined
};

}  // namespace tarvel::batch
