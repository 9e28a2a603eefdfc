#include "app/batch/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace tarvel::batch {
namespace {

// "3 秒", "2 分 5 秒", "1 时 20 分"
std::string Duration(double seconds) {
  const auto s = static_cast<std::int64_t>(std::ceil(seconds));
  if (s < 60)
    return std::to_string(s) + " 秒";
  if (s < 3600)
    return std::to_string(s / 60) + " 分 " + std::to_string(s % 60) + " 秒";
  return std::to_string(s / 3600) + " 时 " + std::to_string(s / 60 % 60) + " 分";
}

void WriteToStandardError(const std::string& text) {
  // Progress is a courtesy: a write that fails is not worth ending the run for.
  std::string_view rest = text;
  while (!rest.empty()) {
    const ssize_t written = write(STDERR_FILENO, rest.data(), rest.size());
    if (written <= 0)
      return;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
}

// Back to the line's start and erase it.
constexpr std::string_view kEraseLine = "\r\x1b[K";

}  // namespace

std::string ProgressText(std::int64_t rows, double seconds, std::int64_t done_bytes,
                         std::int64_t total_bytes) {
  std::string text = "已处理 " + std::to_string(rows) + " 行";
  if (seconds > 0)
    text += "，每秒 " + std::to_string(static_cast<std::int64_t>(rows / seconds)) + " 行";
  if (total_bytes > 0) {
    const double share = std::clamp(double(done_bytes) / double(total_bytes), 0.0, 1.0);
    text += "，完成 " + std::to_string(static_cast<int>(share * 100)) + "%";
    if (rows > 0 && share > 0 && seconds > 0)
      text += "，约剩 " + Duration(seconds * (1 - share) / share);
  }
  return text;
}

std::string SummaryText(const RowCounts& counts) {
  std::string text = "tarvel-batch: 已计算 " + std::to_string(counts.answered) + " 行，其中 " +
                     std::to_string(counts.with_message) + " 行有提示";
  if (counts.unreadable > 0) {
    text += "；" + std::to_string(counts.unreadable) + " 行无法按 CSV 读取，已原样保留（见提示列）";
  }
  return text;
}

Progress::Progress(bool in_place, std::int64_t total_bytes, std::int64_t done_bytes)
    : in_place_(in_place), total_bytes_(total_bytes), done_bytes_(done_bytes) {}

void Progress::Add(const RowCounts& counts, std::size_t input_bytes) {
  counts_ += counts;
  done_bytes_ += static_cast<std::int64_t>(input_bytes);
}

void Progress::Tick() {
  if (!in_place_)
    return;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
  const std::int64_t rows = counts_.answered + counts_.unreadable;
  Show(std::string(kEraseLine) + ProgressText(rows, elapsed.count(), done_bytes_, total_bytes_));
}

void Progress::Clear() {
  if (drawn_)
    WriteToStandardError(std::string(kEraseLine));
  drawn_ = false;
}

void Progress::Finish() {
  Clear();
  WriteToStandardError(SummaryText(counts_) + "\n");
}

void Progress::Show(const std::string& text) {
  WriteToStandardError(text);
  drawn_ = true;
}

}  // namespace tarvel::batch
