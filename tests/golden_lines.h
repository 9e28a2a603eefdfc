#pragma once

// The request lines of a golden file (tests/golden/NAME.jsonl). A file that cannot be read, or
// holds no line, fails the test that asked for it: a test must not pass by checking nothing.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel {

inline std::vector<std::string> GoldenLines(const std::string& name) {
  const std::string path = std::string(TARVEL_GOLDEN_DIR) + "/" + name + ".jsonl";
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);)
    lines.push_back(line);
  if (lines.empty())
    ADD_FAILURE() << "no request read from " << path;
  return lines;
}

// Line `index` (from 0) of the golden file; a missing line throws, which fails the test.
inline std::string GoldenLine(const std::string& name, std::size_t index) {
  const std::vector<std::string> lines = GoldenLines(name);
  if (index >= lines.size())
    throw std::out_of_range(name + ".jsonl has no line " + std::to_string(index + 1));
  return lines[index];
}

}  // namespace tarvel
