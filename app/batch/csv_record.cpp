#include "app/batch/csv_record.h"

#include <cstring>

namespace tarvel::batch {
namespace {

const char* FindByte(const char* begin, const char* end, char c) {
  return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
}

const char* FindLastByte(const char* begin, const char* end, char c) {
  return static_cast<const char*>(memrchr(begin, c, static_cast<std::size_t>(end - begin)));
}

// A carriage return ends a record when a line feed follows it or when it is the last byte.
bool EndsRecordAt(const char* p, const char* end) {
  return *p == '\n' || (*p == '\r' && (p + 1 == end || p[1] == '\n'));
}

}  // namespace

std::size_t ReadRecord(std::string_view data, char separator, CsvRecord& record) {
  record.cells.clear();
  record.problem = RecordProblem::None;
  const char* const begin = data.data();
  const char* const end = begin + data.size();
  const char* p = begin;
  for (;;) {
    const char* const cell = p;
    const bool quoted = p < end && *p == '"';
    if (quoted) {
      ++p;
      for (;;) {
        const char* const quote = FindByte(p, end, '"');
        if (quote == nullptr) {
          record.cells.push_back({std::string_view(cell, end - cell), true});
          record.text = data;
          record.line_break = LineBreak::None;
          record.problem = RecordProblem::UnterminatedQuote;
          return data.size();
        }
        p = quote + 1;
        if (p < end && *p == '"') {
          ++p;  // a doubled quote stands for one
          continue;
        }
        break;  // the closing quote
      }
    }
    // The unquoted cell, or what follows a quoted cell's closing quote.
    for (; p < end && *p != separator && !EndsRecordAt(p, end); ++p) {
      if (quoted)
        record.problem = RecordProblem::TextAfterQuote;
    }
    record.cells.push_back({std::string_view(cell, p - cell), quoted});
    if (p == end) {
      record.text = data;
      record.line_break = LineBreak::None;
      return data.size();
    }
    if (*p == separator) {
      ++p;
      continue;
    }
    record.text = std::string_view(begin, p - begin);
    if (*p == '\n') {
      record.line_break = LineBreak::Lf;
      ++p;
    } else if (p + 1 < end) {
      record.line_break = LineBreak::CrLf;
      p += 2;
    } else {
      record.line_break = LineBreak::Cr;
      ++p;
    }
    return static_cast<std::size_t>(p - begin);
  }
}

std::string_view QuotedCellText(const CsvCell& cell, std::string& scratch) {
  std::string_view inside = cell.raw.substr(1);
  const std::size_t quote = inside.find('"');
  if (quote == inside.size() - 1)
    return inside.substr(0, quote);  // the usual case: no quote but the closing one
  scratch.clear();
  std::size_t i = 0;
  for (; i < inside.size(); ++i) {
    if (inside[i] == '"') {
      if (i + 1 < inside.size() && inside[i + 1] == '"') {
        ++i;
      } else {
        ++i;
        break;
      }
    }
    scratch.push_back(inside[i]);
  }
  scratch.append(inside.substr(std::min(i, inside.size())));
  return scratch;
}

std::vector<std::string> CellTexts(const CsvRecord& record) {
  std::vector<std::string> texts;
  std::string scratch;
  for (const CsvCell& cell : record.cells)
    texts.emplace_back(CellText(cell, scratch));
  return texts;
}

std::size_t RecordBoundaries::Scan(std::string_view more) {
  std::size_t last_end = std::string_view::npos;
  const char* const begin = more.data();
  const char* const end = begin + more.size();
  const char* p = begin;
  while (p < end) {
    if (state_ == State::Quoted) {
      const char* const quote = FindByte(p, end, '"');
      if (quote == nullptr)
        break;
      p = quote + 1;
      state_ = State::QuoteInQuoted;
      continue;
    }
    if (state_ == State::QuoteInQuoted) {
      if (*p == '"') {
        state_ = State::Quoted;  // a doubled quote
        ++p;
        continue;
      }
      // Anything else closes the cell: the byte is read as in an unquoted cell.
      state_ = State::Unquoted;
    }
    if (state_ == State::CellStart && *p == '"') {
      state_ = State::Quoted;
      ++p;
      continue;
    }
    // Outside quotes, up to the next quote, every line feed ends a record; the quote opens a
    // quoted cell only when it is a cell's first byte.
    const char* const quote = FindByte(p, end, '"');
    const char* const stop = quote != nullptr ? quote : end;
    if (const char* const lf = FindLastByte(p, stop, '\n'); lf != nullptr)
      last_end = static_cast<std::size_t>(lf + 1 - begin);
    if (quote == nullptr) {
      state_ = (end[-1] == separator_ || end[-1] == '\n') ? State::CellStart : State::Unquoted;
      break;
    }
    const bool opens = quote > p && (quote[-1] == separator_ || quote[-1] == '\n');
    state_ = opens ? State::Quoted : State::Unquoted;
    p = quote + 1;
  }
  return last_end;
}

}  // namespace tarvel::batch
