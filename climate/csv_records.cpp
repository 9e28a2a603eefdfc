#include "climate/csv_records.h"

namespace tarvel::climate {

bool CsvRecords::Next(std::vector<std::string>& cells) {
  if (rest_.empty())
    return false;
  line_ = next_line_;
  unclosed_ = false;
  std::size_t count = 0;
  std::size_t i = 0;
  const std::size_t size = rest_.size();
  for (;;) {
    if (count == cells.size())
      cells.emplace_back();
    std::string& cell = cells[count++];
    cell.clear();
    if (i < size && rest_[i] == '"') {
      ++i;
      for (;;) {
        if (i == size) {
          unclosed_ = true;
          break;
        }
        const char c = rest_[i++];
        if (c == '"') {
          if (i < size && rest_[i] == '"') {
            cell.push_back('"');
            ++i;
            continue;
          }
          break;
        }
        if (c == '\n')
          ++next_line_;
        cell.push_back(c);
      }
    }
    const std::size_t start = i;
    while (i < size && rest_[i] != separator_ && rest_[i] != '\n')
      ++i;
    std::size_t end = i;
    if (i == size || rest_[i] == '\n') {
      if (end > start && rest_[end - 1] == '\r')
        --end;
      cell.append(rest_.substr(start, end - start));
      break;
    }
    cell.append(rest_.substr(start, end - start));
    ++i;  // the separator
  }
  if (i < size) {
    ++i;  // the line feed
    ++next_line_;
  }
  rest_.remove_prefix(i);
  cells.resize(count);
  return true;
}

}  // namespace tarvel::climate
