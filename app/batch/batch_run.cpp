#include "app/batch/batch_run.h"

#include <sched.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/batch/batch_error.h"
#include "app/batch/input_file.h"
#include "app/batch/ordered_pipeline.h"
#include "app/batch/output_file.h"
#include "app/batch/progress.h"
#include "app/batch/record_blocks.h"
#include "app/batch/row_runner.h"
#include "app/batch/table_header.h"

namespace tarvel::batch {
namespace {

constexpr std::size_t kHeaderReadBytes = 64u << 10;

// The cores this process may run on.
int AvailableCores() {
  cpu_set_t cores;
  if (sched_getaffinity(0, sizeof cores, &cores) == 0)
    return std::max(1, CPU_COUNT(&cores));
  return std::max(1u, std::thread::hardware_concurrency());
}

// Reads until the header is whole; `buffer` keeps every byte read.
TableHeader ReadTableHeader(int fd, std::string& buffer) {
  for (;;) {
    const bool whole = ReadAppend(fd, buffer, kHeaderReadBytes) == 0;
    if (std::optional<TableHeader> header = ReadHeader(buffer, whole))
      return *std::move(header);
    if (buffer.size() > kMaxRecordBytes)
      throw BatchError("表头（第一行）超过 32 MiB，无法读取");
  }
}

TableLayout LayoutOf(const TableHeader& header, const BatchOptions& options) {
  if (!header.columns.HasField(AirField::Pressure) && !options.pressure) {
    throw BatchError(
        "表中没有当地大气压力列（当地大气压力 或 pressure）；请用 --pressure 千帕 给出每一行的"
        "大气压力，如 --pressure 101.325");
  }
  return {header.dialect, header.columns, options.pressure.value_or("")};
}

int Run(const BatchOptions& options, std::optional<Progress>& progress) {
  const InputFile input(options.input);
  std::string buffer;
  const TableHeader header = ReadTableHeader(input.Descriptor(), buffer);
  const TableLayout layout = LayoutOf(header, options);

  std::unique_ptr<OutputFile> output =
      options.output == "-" ? OutputFile::StandardOutput() : OutputFile::Replacing(options.output);
  std::string header_line(header.dialect.byte_order_mark ? kByteOrderMark : "");
  AppendHeaderLine(layout, header.text, header_line);
  output->Write(header_line);

  progress.emplace(isatty(STDERR_FILENO) == 1 && !output->IsTerminal(), input.KnownSize(),
                   static_cast<std::int64_t>(header.length));
  RecordBlockReader reader(input.Descriptor(), layout.dialect.separator,
                           buffer.substr(header.length), 1 + header.lines);
  const int workers = AvailableCores();
  std::vector<std::unique_ptr<RowRunner>> runners;
  for (int worker = 0; worker < workers; ++worker)
    runners.push_back(std::make_unique<RowRunner>(layout));
  PipelineStages stages;
  stages.read = [&](Block& block) { return reader.Next(block.input, block.first_line); };
  stages.stop_reading = [&] { reader.Stop(); };
  stages.work = [&](int worker, Block& block) {
    block.counts = runners[worker]->Run(block.input, block.first_line, block.output);
  };
  stages.write = [&](const Block& block) {
    output->Write(block.output);
    progress->Add(block.counts, block.input.size());
  };
  stages.tick = [&] { progress->Tick(); };
  RunInOrder(workers, stages);
  output->Commit();
  progress->Finish();
  return progress->Counts().unreadable > 0 ? kSomeRowsUnreadable : kEveryRowAnswered;
}

}  // namespace

int RunBatch(const BatchOptions& options) {
  std::optional<Progress> progress;
  try {
    return Run(options, progress);
  } catch (const BatchError& e) {
    if (progress)
      progress->Clear();
    const std::string line = std::string("tarvel-batch: ") + e.what() + "\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    return kUsageOrIoError;
  }
}

}  // namespace tarvel::batch
