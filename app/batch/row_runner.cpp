#include "app/batch/row_runner.h"

#include <algorithm>
#include <cstring>

#include "app/batch/utf8.h"
#include "solver/calculate_command.h"
#include "tables/csv_cell.h"
#include "tables/joined_messages.h"

namespace tarvel::batch {
namespace {

std::string Unreadable(std::int64_t line, std::string_view why) {
  return "第" + std::to_string(line) + "行无法按 CSV 读取（" + std::string(why) +
         "），原样保留，未计算";
}

}  // namespace

RowCounts& RowCounts::operator+=(const RowCounts& other) {
  answered += other.answered;
  with_message += other.with_message;
  unreadable += other.unreadable;
  return *this;
}

void AppendHeaderLine(const TableLayout& layout, std::string_view header_text, std::string& out) {
  const tables::ColumnMap& columns = layout.columns;
  const char separator = layout.dialect.separator;
  out.append(header_text);
  for (const AirField field : columns.appended_fields) {
    out.push_back(separator);
    tables::AppendCell(out, tables::FieldColumnName(field, columns.language), separator);
  }
  if (columns.message_column < 0) {
    out.push_back(separator);
    tables::AppendCell(out, tables::MessageColumnName(columns.language), separator);
  }
  out.append(layout.dialect.line_break);
}

RowRunner::RowRunner(const TableLayout& layout) : layout_(layout) {}

RowCounts RowRunner::Run(std::string_view records, std::int64_t first_line, std::string& out) {
  RowCounts counts;
  const char separator = layout_.dialect.separator;
  const std::size_t columns = static_cast<std::size_t>(layout_.columns.InputColumns());
  const bool all_utf8 = IsUtf8(records);
  // Line numbers are needed only for a message, so line feeds are counted only then.
  std::size_t counted = 0;
  std::int64_t line = first_line;
  const auto line_at = [&](std::size_t offset) {
    line += std::count(records.begin() + counted, records.begin() + offset, '\n');
    counted = offset;
    return line;
  };
  for (std::size_t offset = 0; offset < records.size();) {
    const std::size_t length = ReadRecord(records.substr(offset), separator, record_);
    if (record_.problem == RecordProblem::TextAfterQuote) {
      KeepUnreadable(Unreadable(line_at(offset), "右引号后还有字符"), out);
    } else if (record_.problem == RecordProblem::UnterminatedQuote) {
      KeepUnreadable(Unreadable(line_at(offset), "引号没有闭合，一直到文件末尾"), out);
    } else if (record_.cells.size() > columns) {
      KeepUnreadable(
          Unreadable(line_at(offset), "有" + std::to_string(record_.cells.size()) +
                                          "个单元格，表头只有" + std::to_string(columns) + "列"),
          out);
    } else if (!all_utf8 && !IsUtf8(record_.text)) {
      KeepUnreadable(Unreadable(line_at(offset), "不是 UTF-8 文本"), out);
    } else {
      ++counts.answered;
      counts.with_message += Answer(out) ? 1 : 0;
      offset += length;
      continue;
    }
    ++counts.unreadable;
    offset += length;
  }
  return counts;
}

bool RowRunner::Answer(std::string& out) {
  const tables::ColumnMap& columns = layout_.columns;
  const std::size_t present = record_.cells.size();
  // The text of each field's cell; a field without a cell in this row is typed empty.
  std::array<std::string_view, kFieldCount> cell_texts{};
  for (int f = 0; f < kFieldCount; ++f) {
    const int column = columns.field_column[f];
    if (column >= 0 && static_cast<std::size_t>(column) < present)
      cell_texts[f] = CellText(record_.cells[column], scratch_[f]);
    const bool default_pressure = f == FieldIndex(AirField::Pressure) && cell_texts[f].empty();
    panel_.SetText(static_cast<AirField>(f), default_pressure ? layout_.pressure : cell_texts[f]);
  }
  panel_.ClearRecord();
  RunCalculate(panel_);
  tables::JoinMessages(panel_.Messages(), message_);

  // The row is written straight into `out`, which is given room for the most it can take once:
  // its input text (with the separators of the cells it lacks) and every written cell quoted.
  std::size_t most = record_.text.size() + columns.input_roles.size() +
                     tables::CellBytesAtMost(message_.size()) + 1 +
                     layout_.dialect.line_break.size();
  for (int f = 0; f < kFieldCount; ++f)
    most += tables::CellBytesAtMost(panel_.Text(static_cast<AirField>(f)).size()) + 1;
  const std::size_t start = out.size();
  out.resize(start + most);
  char* const end = WriteAnswer(cell_texts, out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
  return !message_.empty();
}

char* RowRunner::WriteAnswer(const std::array<std::string_view, kFieldCount>& cell_texts,
                             char* p) const {
  const tables::ColumnMap& columns = layout_.columns;
  const char separator = layout_.dialect.separator;
  // Cells kept as they stand are copied in runs, with the separators between them, as one piece
  // of the input: a row's own cells and the fields the command left alone mostly stand together.
  std::size_t kept_from = 0;  // the first column of the run of kept cells not yet written
  const std::size_t width = columns.input_roles.size();
  for (std::size_t column = 0; column < width; ++column) {
    const tables::ColumnRole& role = columns.input_roles[column];
    std::string_view written;
    if (role.kind == tables::ColumnRole::Kind::Message) {
      written = message_;
    } else if (role.kind == tables::ColumnRole::Kind::Field &&
               panel_.Text(role.field) != cell_texts[FieldIndex(role.field)]) {
      written = panel_.Text(role.field);
    } else {
      continue;  // not written: kept byte for byte
    }
    if (kept_from < column)
      p = WriteKeptColumns(kept_from, column, p);
    if (column > 0)
      *p++ = separator;
    p = tables::WriteCell(p, written, separator);
    kept_from = column + 1;
  }
  if (kept_from < width)
    p = WriteKeptColumns(kept_from, width, p);
  for (const AirField field : columns.appended_fields) {
    *p++ = separator;
    p = tables::WriteCell(p, panel_.Text(field), separator);
  }
  if (columns.message_column < 0) {
    *p++ = separator;
    p = tables::WriteCell(p, message_, separator);
  }
  const std::string_view line_break = layout_.dialect.line_break;
  std::memcpy(p, line_break.data(), line_break.size());
  return p + line_break.size();
}

char* RowRunner::WriteKeptColumns(std::size_t from, std::size_t to, char* p) const {
  const char separator = layout_.dialect.separator;
  if (from > 0)
    *p++ = separator;
  const std::size_t present = record_.cells.size();
  std::size_t next = from + 1;  // the first column whose separator is still to be written
  if (from < present) {
    // The cells of a readable record stand one separator apart in its text.
    next = std::min(to, present);
    const char* const begin = record_.cells[from].raw.data();
    const std::string_view last = record_.cells[next - 1].raw;
    const auto length = static_cast<std::size_t>(last.data() + last.size() - begin);
    std::memcpy(p, begin, length);
    p += length;
  }
  // The columns the row has no cell for are empty.
  for (; next < to; ++next)
    *p++ = separator;
  return p;
}

void RowRunner::AppendRawCell(std::size_t column, std::string& out) const {
  out.append(record_.cells[column].raw);
  // A quote left open at the end of the input is closed, so that the output reads as CSV and the
  // cell keeps every byte it took.
  if (record_.problem == RecordProblem::UnterminatedQuote && column + 1 == record_.cells.size())
    out.push_back('"');
}

void RowRunner::KeepUnreadable(const std::string& why, std::string& out) {
  const tables::ColumnMap& columns = layout_.columns;
  const char separator = layout_.dialect.separator;
  const std::size_t present = record_.cells.size();
  const std::size_t width = columns.input_roles.size();
  // An unclosed quote may have taken the rest of the input into its cell: that cell is never
  // replaced by the message, but moved behind the row's last column.
  const bool move_last = record_.problem == RecordProblem::UnterminatedQuote &&
                         present - 1 == static_cast<std::size_t>(columns.message_column);
  for (std::size_t column = 0; column < width; ++column) {
    if (column > 0)
      out.push_back(separator);
    if (static_cast<int>(column) == columns.message_column)
      tables::AppendCell(out, why, separator);
    else if (column < present)
      AppendRawCell(column, out);
  }
  for (std::size_t i = 0; i < columns.appended_fields.size(); ++i)
    out.push_back(separator);
  if (columns.message_column < 0) {
    out.push_back(separator);
    tables::AppendCell(out, why, separator);
  }
  for (std::size_t column = move_last ? present - 1 : width; column < present; ++column) {
    out.push_back(separator);
    AppendRawCell(column, out);
  }
  out.append(layout_.dialect.line_break);
}

}  // namespace tarvel::batch
