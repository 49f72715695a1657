// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/stats.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyr {

double PercentileOfSorted(const std::vector<double>& Sorted, double Prob) {
  if (std::isnan(Prob)) return std::numeric_limits<double>::quiet_NaN();
  if (Sorted.empty()) return 0;
  const double h = (Sorted.size() - 1) * std::clamp(Prob, 0.0, 1.0);
  const size_t i = size_t(h);
  const double f = h - double(i);
  if (f == 0 || i + 1 >= Sorted.size()) return Sorted[i];
  const double lo = Sorted[i], hi = Sorted[i + 1];
  // Interpolating towards an infinity would give NaN for -inf .. +inf; take the nearer rank.
  if (std::isinf(lo) || std::isinf(hi)) return f < 0.5 ? lo : hi;
  return lo + f * (hi - lo);
}

double PercentileOfValues(std::vector<double>& Values, double Prob) {
  std::erase_if(Values, [](double v) { return std::isnan(v); });
  std::sort(Values.begin(), Values.end());
  return PercentileOfSorted(Values, Prob);
}

}  // namespace zyr
