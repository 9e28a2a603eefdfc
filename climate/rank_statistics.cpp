#include "climate/rank_statistics.h"

#include <algorithm>
#include <functional>

namespace tarvel::climate {
namespace {

template <typename Order>
std::optional<double> ValueAt(std::vector<double> values, std::size_t rank, Order order) {
  if (rank == 0 || rank > values.size())
    return std::nullopt;
  const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank - 1);
  std::nth_element(values.begin(), at, values.end(), order);
  return *at;
}

}  // namespace

std::size_t RankOfYearlyAllowance(int k, int years) {
  return static_cast<std::size_t>(k) * static_cast<std::size_t>(years) + 1;
}

std::size_t RankOfPercent(int tenths_of_percent, std::size_t count) {
  return static_cast<std::size_t>(tenths_of_percent) * count / 1000 + 1;
}

std::optional<double> LargestAt(std::vector<double> values, std::size_t rank) {
  return ValueAt(std::move(values), rank, std::greater<double>());
}

std::optional<double> SmallestAt(std::vector<double> values, std::size_t rank) {
  return ValueAt(std::move(values), rank, std::less<double>());
}

}  // namespace tarvel::climate
