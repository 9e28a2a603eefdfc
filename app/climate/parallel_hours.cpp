#include "app/climate/parallel_hours.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "climate/hour_calculation.h"

namespace tarvel::climate_app {
namespace {

// Hours a thread takes at a time: small enough to share a year out evenly, large enough that
// taking the next block costs nothing beside calculating it.
constexpr std::size_t kBlockHours = 2048;

}  // namespace

int AvailableCores() {
  cpu_set_t cores;
  if (sched_getaffinity(0, sizeof cores, &cores) == 0)
    return std::max(1, CPU_COUNT(&cores));
  return std::max(1u, std::thread::hardware_concurrency());
}

void CalculateInParallel(std::span<climate::WeatherHour> hours, int threads) {
  const std::size_t blocks = (hours.size() + kBlockHours - 1) / kBlockHours;
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t block = next++; block < blocks; block = next++) {
      const std::size_t first = block * kBlockHours;
      climate::CalculateHours(hours.subspan(first, std::min(kBlockHours, hours.size() - first)));
    }
  };
  const std::size_t helpers =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)) - 1, blocks);
  std::vector<std::jthread> pool;
  for (std::size_t i = 0; i < helpers; ++i)
    pool.emplace_back(work);
  work();
}

}  // namespace tarvel::climate_app
