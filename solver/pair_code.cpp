#include "solver/pair_code.h"

namespace tarvel {

PairCode PairCodeOf(int first_index, int second_index) {
  // Positions count from 1; the offset for the first position makes the fifteen codes run from 3
  // to 17 with the dry-bulb pairs first.
  const int m = first_index + 1;
  const int n = second_index + 1;
  int code = m + n;
  switch (m) {
    case 2:
      code += 3;
      break;
    case 3:
      code += 5;
      break;
    case 4:
    case 5:
      code += 6;
      break;
    default:
      break;
  }
  return static_cast<PairCode>(code);
}

}  // namespace tarvel
