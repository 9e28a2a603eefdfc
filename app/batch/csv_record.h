#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::batch {

// One cell as it stands in the file: its bytes between the separators, quotes included.
struct CsvCell {
  std::string_view raw;
  bool quoted = false;  // it begins with a quote: its text is the part inside, "" read as one "
};

// Why a record cannot be read as CSV.
enum class RecordProblem {
  None,
  TextAfterQuote,     // a quoted cell goes on after its closing quote, as in "12"5
  UnterminatedQuote,  // a quoted cell runs to the end of the input
};

enum class LineBreak { None, Lf, CrLf, Cr };

// One record (a row, or the header) of a CSV table.
struct CsvRecord {
  std::vector<CsvCell> cells;  // at least one; the vector keeps its capacity from row to row
  std::string_view text;       // the record without its line break
  LineBreak line_break = LineBreak::None;
  RecordProblem problem = RecordProblem::None;
};

// Reads the record at the front of `data` (which starts at a record's first byte) into `record`
// and returns the number of bytes it takes, its line break included.
//
// The rules are RFC 4180's, read the way spreadsheets read them: a cell that begins with a quote
// is quoted and may hold separators, quotes (doubled) and line breaks; a quote anywhere else is
// an ordinary character. A record ends at a line feed outside quotes (a carriage return before it
// belongs to the line break) or at the end of the data; a carriage return that is neither before
// a line feed nor the last byte is an ordinary character.
std::size_t ReadRecord(std::string_view data, char separator, CsvRecord& record);

// The text of a quoted cell: the part inside the quotes with each "" read as one " (and whatever
// follows the closing quote as it stands). The view points into the cell or into `scratch`.
std::string_view QuotedCellText(const CsvCell& cell, std::string& scratch);

// The text of a cell: its bytes, or for a quoted cell QuotedCellText (inline: most are not).
inline std::string_view CellText(const CsvCell& cell, std::string& scratch) {
  return cell.quoted ? QuotedCellText(cell, scratch) : cell.raw;
}

// The texts of all of a record's cells, as strings (for the header and tests; rows use CellText).
std::vector<std::string> CellTexts(const CsvRecord& record);

// Finds where records end in input that arrives in pieces, by the rules of ReadRecord, without
// reading their cells: a fast look for quotes and line feeds, so that the thread that reads the
// input can cut it into whole records cheaply.
class RecordBoundaries {
 public:
  explicit RecordBoundaries(char separator) : separator_(separator) {}

  // Scans `more`, the bytes that follow those scanned before (the first piece starts at a
  // record), and returns the offset in `more` just after the last line break that ends a record,
  // or npos when no record ends in it.
  std::size_t Scan(std::string_view more);

  // Whether the bytes scanned so far end inside a quoted cell.
  bool InsideQuotes() const { return state_ == State::Quoted; }

 private:
  enum class State { CellStart, Unquoted, Quoted, QuoteInQuoted };
  char separator_;
  State state_ = State::CellStart;
};

}  // namespace tarvel::batch
