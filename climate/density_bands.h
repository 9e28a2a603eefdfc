#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::climate {

// The bands of a density's legend: each band one colour for the cells whose hours run from
// `lowest` to `highest`, both included.
struct DensityBand {
  std::int64_t lowest;
  std::int64_t highest;
  bool operator==(const DensityBand&) const = default;
};

// A legend shows at most this many bands while a rule below keeps to it.
inline constexpr std::size_t kMostBands = 8;

// The bands of a density whose fullest cell holds `most` hours: the first band begins at 1, the
// others at the round numbers of the first of these rules that needs at most kMostBands bands to
// reach `most` — 2, 5, 10, 20, 50, 100, … (1-2-5), 3, 10, 30, 100, … (1-3), or 10, 100, 1000, …
// (decades, whatever their number) — and each band ends where the next begins, the last at `most`
// itself. No band for `most` below 1.
std::vector<DensityBand> DensityBands(std::int64_t most);

// The band of `count` hours, by its index; -1 for a count below the first band.
int BandOf(const std::vector<DensityBand>& bands, std::int64_t count);

// The band as its legend writes it: "1", "2–4", "200–317".
std::string BandText(const DensityBand& band);

}  // namespace tarvel::climate
