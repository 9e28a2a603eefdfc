#include "climate/density_bands.h"

#include <array>
#include <span>

namespace tarvel::climate {
namespace {

// The round numbers of each rule within a decade, in the order the rules are tried.
constexpr std::array<int, 3> kOneTwoFive = {1, 2, 5};
constexpr std::array<int, 2> kOneThree = {1, 3};
constexpr std::array<int, 1> kDecades = {1};

// The lowest counts of the bands by one rule, up to `most`: 1, then the rule's round numbers.
std::vector<std::int64_t> Lowest(std::span<const int> rule, std::int64_t most) {
  std::vector<std::int64_t> lowest;
  for (std::int64_t decade = 1; decade <= most; decade *= 10) {
    for (const int step : rule) {
      if (step * decade <= most)
        lowest.push_back(step * decade);
    }
    if (decade > most / 10)
      break;
  }
  return lowest;
}

}  // namespace

std::vector<DensityBand> DensityBands(std::int64_t most) {
  std::vector<std::int64_t> lowest = Lowest(kOneTwoFive, most);
  if (lowest.size() > kMostBands)
    lowest = Lowest(kOneThree, most);
  if (lowest.size() > kMostBands)
    lowest = Lowest(kDecades, most);
  std::vector<DensityBand> bands;
  for (std::size_t i = 0; i < lowest.size(); ++i)
    bands.push_back({lowest[i], i + 1 < lowest.size() ? lowest[i + 1] - 1 : most});
  return bands;
}

int BandOf(const std::vector<DensityBand>& bands, std::int64_t count) {
  int band = -1;
  for (std::size_t i = 0; i < bands.size() && bands[i].lowest <= count; ++i)
    band = static_cast<int>(i);
  return band;
}

std::string BandText(const DensityBand& band) {
  if (band.lowest == band.highest)
    return std::to_string(band.lowest);
  return std::to_string(band.lowest) + "–" + std::to_string(band.highest);
}

}  // namespace tarvel::climate
