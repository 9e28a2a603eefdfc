#pragma once

// The accurate paths of the correctly rounded exp and log: taken for the rare arguments whose fast
// path cannot decide the rounding, and for the subnormal results of exp.
namespace tarvel::elementary {

// e^x for −760 < x < 710 and |x| ≥ 2^−54.
double AccurateExp(double x);

// ln x for finite x > 0, x ≠ 1, given a double h within 2^−40 (relative) of ln x.
double AccurateLog(double x, double h);

}  // namespace tarvel::elementary
