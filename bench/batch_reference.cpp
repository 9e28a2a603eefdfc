// tarvel-batch-reference: the measure that tarvel-batch is held to (scripts/bench-batch).
//
//   tarvel-batch-reference generate ROWS [SEED] > table.csv
//     A table of typical rows: ordinary states (dry bulb -10 to 40 °C, relative humidity 10 to
//     95 %, pressure 95 to 105 kPa), each given by one of the thirteen solving pairs in turn, every
//     row completing without a message.
//   tarvel-batch-reference generate-realistic ROWS > table.csv
//     A table of the realistic rows of tarvel-bench (bench/random_rows.h): the thirteen solving
//     pairs and the four classes of state in turn, texts as people and loggers type them; some
//     rows end with a message, as in real tables.
//   tarvel-batch-reference time table.csv [REPETITIONS]
//     Reads the table into memory (untimed), then times the calculate command alone on every row,
//     on one core: a fresh in-memory panel with the row's seven texts and the command, as
//     tarvel-bench times one command. Prints each repetition's CPU and wall seconds, then
//     "median_cpu_seconds S".
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/batch/csv_record.h"
#include "app/batch/input_file.h"
#include "app/batch/table_header.h"
#include "bench/random_rows.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace {

using tarvel::AirField;
using tarvel::kParameterCount;
using tarvel::MemoryPanel;

struct Row {
  std::array<std::string, kParameterCount> parameters;
  std::string pressure;
};

// The thirteen pairs that fix a state, by field index.
constexpr std::array<std::array<int, 2>, 13> kSolvingPairs = {{{0, 1},
                                                               {0, 2},
                                                               {0, 3},
                                                               {0, 4},
                                                               {0, 5},
                                                               {1, 2},
                                                               {1, 3},
                                                               {1, 4},
                                                               {2, 3},
                                                               {2, 4},
                                                               {2, 5},
                                                               {3, 5},
                                                               {4, 5}}};

bool Completes(const Row& row) {
  MemoryPanel panel(row.parameters, row.pressure);
  return tarvel::RunCalculate(panel) == tarvel::CalculateOutcome::Completed;
}

int Generate(long rows, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> dry(-10, 40), rh(10, 95), pressure(95, 105);
  std::string out = "id,当地大气压力,干球温度,湿球温度,相对湿度,露点温度,含湿量,湿空气焓\n";
  for (long id = 0; id < rows;) {
    Row state;
    state.pressure = tarvel::FormatNumber(pressure(random));
    state.parameters[0] = tarvel::FormatNumber(dry(random));
    state.parameters[2] = tarvel::FormatNumber(rh(random));
    MemoryPanel panel(state.parameters, state.pressure);
    if (tarvel::RunCalculate(panel) != tarvel::CalculateOutcome::Completed)
      continue;
    Row given;
    given.pressure = state.pressure;
    for (const int field : kSolvingPairs[id % kSolvingPairs.size()])
      given.parameters[field] = panel.Text(tarvel::ParameterField(field));
    if (!Completes(given))
      continue;
    out += std::to_string(id) + "," + given.pressure;
    for (const std::string& text : given.parameters)
      out += "," + text;
    out += "\n";
    ++id;
    if (out.size() > (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int GenerateRealistic(long rows) {
  using tarvel::bench::kRowClasses;
  using tarvel::bench::kRowPairs;
  // The pairs that fix a state: all but 11 and 15.
  std::vector<int> pairs;
  for (int p = 0; p < static_cast<int>(std::size(kRowPairs)); ++p) {
    if (kRowPairs[p].name.find("pair11") != 0 && kRowPairs[p].name.find("pair15") != 0)
      pairs.push_back(p);
  }
  const long kinds = static_cast<long>(pairs.size() * std::size(kRowClasses));
  const int per_kind = static_cast<int>((rows + kinds - 1) / kinds);
  std::vector<std::vector<tarvel::bench::Row>> made;
  for (const int p : pairs) {
    for (int k = 0; k < static_cast<int>(std::size(kRowClasses)); ++k)
      made.push_back(tarvel::bench::MakeRows(p, k, per_kind));
  }
  std::string out = "id,当地大气压力,干球温度,湿球温度,相对湿度,露点温度,含湿量,湿空气焓\n";
  for (long id = 0; id < rows; ++id) {
    const tarvel::bench::Row& row = made[id % kinds][id / kinds];
    out += std::to_string(id) + "," + row.pressure;
    for (const std::string& text : row.parameters)
      out += "," + text;
    out += "\n";
    if (out.size() > (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// The rows of a table with the header that Generate writes, each cell's text as a field holds it.
std::vector<Row> ReadRows(const std::string& path) {
  tarvel::batch::InputFile input(path);
  std::string data;
  while (tarvel::batch::ReadAppend(input.Descriptor(), data, 1 << 20) > 0) {
  }
  const auto header = tarvel::batch::ReadHeader(data, true);
  std::vector<Row> rows;
  tarvel::batch::CsvRecord record;
  std::string scratch;
  for (std::size_t offset = header->length; offset < data.size();) {
    offset += tarvel::batch::ReadRecord(std::string_view(data).substr(offset),
                                        header->dialect.separator, record);
    Row row;
    const auto text = [&](AirField field) {
      const int column = header->columns.field_column[tarvel::FieldIndex(field)];
      return column >= 0 && column < static_cast<int>(record.cells.size())
                 ? std::string(tarvel::batch::CellText(record.cells[column], scratch))
                 : std::string();
    };
    row.pressure = text(AirField::Pressure);
    for (int i = 0; i < kParameterCount; ++i)
      row.parameters[i] = text(tarvel::ParameterField(i));
    rows.push_back(std::move(row));
  }
  return rows;
}

double ThreadCpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

int Time(const std::string& path, int repetitions) {
  const std::vector<Row> rows = ReadRows(path);
  std::vector<double> cpu;
  long completed = 0;
  for (int r = 0; r < repetitions; ++r) {
    const double cpu_start = ThreadCpuSeconds();
    const auto wall_start = std::chrono::steady_clock::now();
    completed = 0;
    for (const Row& row : rows) {
      MemoryPanel panel(row.parameters, row.pressure);
      completed += tarvel::RunCalculate(panel) == tarvel::CalculateOutcome::Completed;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
    cpu.push_back(ThreadCpuSeconds() - cpu_start);
    std::printf("rows %zu completed %ld cpu_seconds %.3f wall_seconds %.3f\n", rows.size(),
                completed, cpu.back(), wall.count());
  }
  std::sort(cpu.begin(), cpu.end());
  std::printf("median_cpu_seconds %.3f\n", cpu[cpu.size() / 2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc >= 3)
    return Generate(std::stol(argv[2]), argc > 3 ? unsigned(std::stoul(argv[3])) : 1u);
  if (command == "generate-realistic" && argc >= 3)
    return GenerateRealistic(std::stol(argv[2]));
  if (command == "time" && argc >= 3)
    return Time(argv[2], argc > 3 ? std::stoi(argv[3]) : 5);
  std::fputs(
      "usage: tarvel-batch-reference generate ROWS [SEED] | generate-realistic ROWS | "
      "time FILE [REPETITIONS]\n",
      stderr);
  return 2;
}
