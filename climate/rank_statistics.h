#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tarvel::climate {

// The rank, counted from 1, of the value that is "not exceeded by more than k hours (or below on
// more than k days) a year on average" over `years` whole years: ⌊k·N⌋ + 1.
std::size_t RankOfYearlyAllowance(int k, int years);

// The rank of the annual percentile of p % among `count` values: ⌊p·H/100⌋ + 1, with p given in
// tenths of a percent (4 for 0.4 %) so that the product is exact.
std::size_t RankOfPercent(int tenths_of_percent, std::size_t count);

// The value at `rank` (from 1) counted from the largest, or from the smallest; nullopt when there
// are fewer values. Equal values each take a rank of their own.
std::optional<double> LargestAt(std::vector<double> values, std::size_t rank);
std::optional<double> SmallestAt(std::vector<double> values, std::size_t rank);

// A mean as the design conditions take it: the values added in the order given (file order), in
// double, then divided by their count.
class FileOrderMean {
 public:
  void Add(double value) {
    sum_ += value;
    ++count_;
  }
  std::optional<double> Mean() const {
    return count_ == 0 ? std::nullopt : std::optional<double>(sum_ / static_cast<double>(count_));
  }

 private:
  double sum_ = 0;
  std::size_t count_ = 0;
};

}  // namespace tarvel::climate
