// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/math1.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace zyr {

namespace {

// Relative slack when comparing computed values with nice step boundaries and tick multiples.
constexpr double kTolerance = 1e-9;

struct NiceStep {
  int mantissa;  // 1, 2 or 5
  int exponent;  // power of ten
  double Value() const { return mantissa * std::pow(10.0, exponent); }
  void Grow() {
    if (mantissa == 1) {
      mantissa = 2;
    } else if (mantissa == 2) {
      mantissa = 5;
    } else {
      mantissa = 1;
      ++exponent;
    }
  }
  void Shrink() {
    if (mantissa == 5) {
      mantissa = 2;
    } else if (mantissa == 2) {
      mantissa = 1;
    } else {
      mantissa = 5;
      --exponent;
    }
  }
};

// Largest 1-2-5 step not above the raw step given by its decimal logarithm.
NiceStep NiceStepBelow(double log10Raw) {
  NiceStep s{1, int(std::floor(log10Raw))};
  const double m = std::pow(10.0, log10Raw - s.exponent) * (1 + kTolerance);
  if (m >= 10) {
    ++s.exponent;
  } else if (m >= 5) {
    s.mantissa = 5;
  } else if (m >= 2) {
    s.mantissa = 2;
  }
  return s;
}

}  // namespace

void CalcScalePars(int NumTicks, double Low, double High, double& FirstTick, double& Step,
                   uint16_t& NSubTicks) {
  NSubTicks = 1;
  Step = 0;
  FirstTick = std::isfinite(Low) ? Low : 0.0;
  if (!std::isfinite(Low) || !std::isfinite(High) || Low == High) return;

  const int n = std::clamp(NumTicks, 1, 10000);
  const double lo = std::min(Low, High);
  const double hi = std::max(Low, High);
  // Halving first keeps spans near the double limit finite.
  const double half = hi / 2 - lo / 2;
  const double raw = half * (2.0 / n);
  double log10Raw;
  if (std::isfinite(raw) && raw >= DBL_MIN)
    log10Raw = std::log10(raw);
  else if (half >= DBL_MIN)
    log10Raw = std::log10(half) + std::log10(2.0 / n);
  else  // subnormal spans: the halves vanish, the difference itself is exact
    log10Raw = std::log10(hi - lo) - std::log10(double(n));
  if (!std::isfinite(log10Raw)) return;

  NiceStep nice = NiceStepBelow(log10Raw);
  while (!std::isfinite(nice.Value())) nice.Shrink();
  // Below a few units in the last place successive ticks would coincide.
  const double maxAbs = std::max(std::fabs(lo), std::fabs(hi));
  const double minStep = 4 * (maxAbs - std::nextafter(maxAbs, 0.0));
  for (int guard = 0; guard < 4000 && nice.Value() < minStep; ++guard) nice.Grow();

  const double step = nice.Value();
  const double k =
      High > Low ? std::ceil(Low / step - kTolerance) : std::floor(Low / step + kTolerance);
  FirstTick = k * step;
  if (FirstTick == 0) FirstTick = 0;  // no negative zero in labels
  Step = High > Low ? step : -step;
  NSubTicks = nice.mantissa == 2 ? 4 : 5;
}

int Signum(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

int IntNeg(double x) {
  if (std::isnan(x)) return 0;
  const double f = std::floor(x);
  if (f <= double(INT_MIN)) return INT_MIN;
  if (f >= double(INT_MAX)) return INT_MAX;
  return int(f);
}

namespace {

// splitmix64: small, fast and identical on every platform, unlike the standard distributions.
thread_local uint64_t gRandomState = 0;

uint64_t NextRandom() {
  uint64_t z = (gRandomState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void GRandomSeed(uint64_t Seed) { gRandomState = Seed; }

double URandom() { return double(NextRandom() >> 11) * 0x1.0p-53; }

double GRandom(double Mean, double StdDev) {
  if (!std::isfinite(Mean) || !std::isfinite(StdDev))
    return std::numeric_limits<double>::quiet_NaN();
  // Box-Muller; 1 - u keeps the logarithm's argument in (0, 1].
  const double u1 = 1.0 - URandom();
  const double u2 = URandom();
  const double z = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
  return Mean + std::fabs(StdDev) * z;
}

}  // namespace zyr
