// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Order statistics shared by the matrices, vectors and data tables.
///
/// Percentiles interpolate linearly between the closest ranks: for n sorted values x[0..n-1]
/// and a probability p in 0..1, h = (n - 1) p and the result is x[floor h] + (h - floor h) *
/// (x[floor h + 1] - x[floor h]). So p = 0 gives the minimum, p = 1 the maximum and p = 0.5
/// the usual median; the quartiles are the percentiles at 0.25, 0.5 and 0.75.

#include <vector>

namespace zyr {

/// Percentile at probability Prob (clamped to 0..1) of Values, which it sorts in place.
/// NaN entries are ignored; no values give 0; a NaN probability gives NaN.
double PercentileOfValues(std::vector<double>& Values, double Prob);

/// Percentile of values that are already sorted and free of NaN.
double PercentileOfSorted(const std::vector<double>& Sorted, double Prob);

}  // namespace zyr
