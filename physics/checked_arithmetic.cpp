#include "physics/checked_arithmetic.h"

namespace tarvel::checked {

void RaiseFault() {
  throw NumericFault();
}

}  // namespace tarvel::checked
