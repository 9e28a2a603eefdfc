#include "app/batch/row_runner.h"

#include <algorithm>

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

  const char separator = layout_.dialect.separator;
  for (std::size_t column = 0; column < columns.input_roles.size(); ++column) {
    if (column > 0)
      out.push_back(separator);
    const tables::ColumnRole& role = columns.input_roles[column];
    if (role.kind == tables::ColumnRole::Kind::Message) {
      tables::AppendCell(out, message_, separator);
    } else if (role.kind == tables::ColumnRole::Kind::Field &&
               panel_.Text(role.field) != cell_texts[FieldIndex(role.field)]) {
      tables::AppendCell(out, panel_.Text(role.field), separator);
    } else if (column < present) {
      out.append(record_.cells[column].raw);  // not written: kept byte for byte
    }
  }
  for (const AirField field : columns.appended_fields) {
    out.push_back(separator);
    tables::AppendCell(out, panel_.Text(field), separator);
  }
  if (columns.message_column < 0) {
    out.push_back(separator);
    tables::AppendCell(out, message_, separator);
  }
  out.append(layout_.dialect.line_break);
  return !message_.empty();
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
