#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::climate {

// The records of a CSV text one by one, read as spreadsheets write them (RFC 4180): a cell that
// begins with a quote may hold separators, line breaks and quotes written twice; whatever follows
// its closing quote is kept as it stands; a record ends at a line feed outside quotes, a carriage
// return before it being part of the line break.
class CsvRecords {
 public:
  CsvRecords(std::string_view text, char separator) : rest_(text), separator_(separator) {}

  // Reads the next record's cell texts into `cells`, whose strings are reused from record to
  // record; false at the end of the text.
  bool Next(std::vector<std::string>& cells);
  // The line the record last read begins on, counted from 1.
  std::int64_t Line() const { return line_; }
  // Whether that record's last cell opened a quote that the text never closes.
  bool Unclosed() const { return unclosed_; }

 private:
  std::string_view rest_;
  char separator_;
  std::int64_t line_ = 0;
  std::int64_t next_line_ = 1;
  bool unclosed_ = false;
};

// The separator of a table: of comma, semicolon and tab, the one that splits its first record
// into the most cells that `known` accepts (the first of them on a tie).
template <typename Known>
char DetectSeparator(std::string_view text, Known known) {
  char best = ',';
  int most = -1;
  std::vector<std::string> cells;
  for (const char separator : {',', ';', '\t'}) {
    CsvRecords records(text, separator);
    int count = 0;
    if (records.Next(cells)) {
      for (const std::string& cell : cells)
        count += known(cell) ? 1 : 0;
    }
    if (count > most) {
      most = count;
      best = separator;
    }
  }
  return best;
}

}  // namespace tarvel::climate
