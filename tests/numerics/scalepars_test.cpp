// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/numerics/math1.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace zyr {
namespace {

struct Ticks {
  double first = 0, step = 0;
  uint16_t sub = 0;
};

Ticks Calc(int n, double lo, double hi) {
  Ticks t;
  CalcScalePars(n, lo, hi, t.first, t.step, t.sub);
  return t;
}

// True when |step| is 1, 2 or 5 times a power of ten.
bool IsNiceStep(double step) {
  const double a = std::fabs(step);
  const double e = std::floor(std::log10(a));
  const double m = a / std::pow(10.0, e);
  for (double nice : {1.0, 2.0, 5.0, 10.0})
    if (std::fabs(m - nice) < 1e-6 * nice) return true;
  return false;
}

// Ticks the way a scale walks them: from FirstTick by Step until just beyond High.
int CountTicks(const Ticks& t, double hi) {
  const double s = t.step > 0 ? 1 : -1;
  int n = 0;
  for (int h = 0; s * (t.first + h * t.step - hi) <= 0.001 * s * t.step; ++h) ++n;
  return n;
}

TEST(CalcScalePars, RisingRangesGetNiceStepsFromLow) {
  const struct {
    int n;
    double lo, hi;
  } cases[] = {{3, 0, 1},         {5, 0, 100}, {10, -5.2, 5.2}, {4, 0.3, 0.7}, {7, 1234.5, 98765.4},
               {2, -1e-3, -2e-4}, {20, 0, 1},  {3, 17, 18}};
  for (const auto& c : cases) {
    const Ticks t = Calc(c.n, c.lo, c.hi);
    SCOPED_TRACE(testing::Message() << c.n << " ticks on " << c.lo << " .. " << c.hi);
    EXPECT_GT(t.step, 0);
    EXPECT_TRUE(IsNiceStep(t.step)) << t.step;
    EXPECT_GE(t.first, c.lo - 1e-9 * t.step);
    EXPECT_LT(t.first - t.step, c.lo);  // no tick skipped at the start
    const double intervals = (c.hi - c.lo) / t.step;
    EXPECT_GE(intervals, c.n * (1 - 1e-9));
    EXPECT_LE(intervals, 2.5 * c.n + 1e-9);
  }
}

TEST(CalcScalePars, KnownSteps) {
  Ticks t = Calc(5, 0, 100);
  EXPECT_DOUBLE_EQ(t.step, 20);
  EXPECT_DOUBLE_EQ(t.first, 0);
  EXPECT_EQ(t.sub, 4);
  EXPECT_EQ(CountTicks(t, 100), 6);

  t = Calc(10, 0, 1);
  EXPECT_DOUBLE_EQ(t.step, 0.1);
  EXPECT_EQ(t.sub, 5);
  EXPECT_EQ(CountTicks(t, 1), 11);  // rounding must not drop the tick on High

  t = Calc(2, 0, 10);
  EXPECT_DOUBLE_EQ(t.step, 5);
  EXPECT_EQ(t.sub, 5);

  t = Calc(4, -5.2, 5.2);
  EXPECT_DOUBLE_EQ(t.step, 2);
  EXPECT_DOUBLE_EQ(t.first, -4);
}

TEST(CalcScalePars, ReversedRangeStepsDownFromLow) {
  const Ticks t = Calc(5, 100, 0);
  EXPECT_DOUBLE_EQ(t.step, -20);
  EXPECT_DOUBLE_EQ(t.first, 100);
  EXPECT_EQ(CountTicks(t, 0), 6);

  const Ticks u = Calc(3, 7.3, -2.1);
  EXPECT_LT(u.step, 0);
  EXPECT_TRUE(IsNiceStep(u.step));
  EXPECT_LE(u.first, 7.3);
  EXPECT_GT(u.first - u.step, 7.3);
  EXPECT_EQ(CountTicks(u, -2.1), CountTicks(Calc(3, -2.1, 7.3), 7.3));
}

TEST(CalcScalePars, TinyAndHugeSpans) {
  for (double scale : {1e-300, 1e-200, 1e200, 1e300}) {
    SCOPED_TRACE(scale);
    const Ticks t = Calc(5, -scale, 3 * scale);
    ASSERT_TRUE(std::isfinite(t.step));
    EXPECT_GT(t.step, 0);
    EXPECT_TRUE(IsNiceStep(t.step));
    EXPECT_GE(t.first, -scale * (1 + 1e-9));
    const int n = CountTicks(t, 3 * scale);
    EXPECT_GE(n, 5);
    EXPECT_LE(n, 15);
  }
  // The whole double range: the span itself overflows.
  const double big = std::numeric_limits<double>::max();
  const Ticks t = Calc(1, -big, big);
  EXPECT_TRUE(std::isfinite(t.step));
  EXPECT_GT(t.step, 0);
  EXPECT_GE(CountTicks(t, big), 2);
}

TEST(CalcScalePars, SpanBelowPrecisionStillAdvances) {
  const double lo = 1e20, hi = std::nextafter(1e20, 2e20);
  const Ticks t = Calc(10, lo, hi);
  ASSERT_GT(t.step, 0);
  EXPECT_NE(t.first + t.step, t.first);
}

TEST(CalcScalePars, EmptyOrNonFiniteRangeHasNoTicks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (auto [lo, hi] : {std::pair{nan, 1.0}, {0.0, nan}, {0.0, inf}, {-inf, inf}, {3.0, 3.0}}) {
    const Ticks t = Calc(5, lo, hi);
    EXPECT_EQ(t.step, 0) << lo << " .. " << hi;
    EXPECT_GE(t.sub, 1);
    EXPECT_TRUE(std::isfinite(t.first));
  }
}

TEST(CalcScalePars, OddTickRequestsAreSafe) {
  for (int n : {0, -7, 1, 100000}) {
    const Ticks t = Calc(n, 0, 1);
    EXPECT_GT(t.step, 0) << n;
    EXPECT_TRUE(IsNiceStep(t.step)) << n;
  }
  EXPECT_DOUBLE_EQ(Calc(0, 0, 1).step, Calc(1, 0, 1).step);
}

TEST(MathHelpers, SignumIntNegExChange) {
  EXPECT_EQ(Signum(-0.5), -1);
  EXPECT_EQ(Signum(0.0), 0);
  EXPECT_EQ(Signum(1e-300), 1);
  EXPECT_EQ(Signum(std::nan("")), 0);

  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-2.3), -3);
  EXPECT_EQ(IntNeg(-3.0), -3);
  EXPECT_EQ(IntNeg(1e300), INT_MAX);
  EXPECT_EQ(IntNeg(-1e300), INT_MIN);
  EXPECT_EQ(IntNeg(std::nan("")), 0);

  double a = 1, b = 2;
  ExChange(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

TEST(MathHelpers, GRandomIsReproducibleAndNormal) {
  GRandomSeed(42);
  std::vector<double> first;
  for (int i = 0; i < 5; ++i) first.push_back(GRandom());
  GRandomSeed(42);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GRandom(), first[size_t(i)]);
  GRandomSeed(43);
  EXPECT_NE(GRandom(), first[0]);

  GRandomSeed(7);
  const int n = 20000;
  double sum = 0, sum2 = 0;
  for (int i = 0; i < n; ++i) {
    const double v = GRandom(10, -2);  // the sign of the deviation is ignored
    ASSERT_TRUE(std::isfinite(v));
    sum += v;
    sum2 += v * v;
  }
  const double mean = sum / n;
  EXPECT_NEAR(mean, 10, 0.1);
  EXPECT_NEAR(std::sqrt(sum2 / n - mean * mean), 2, 0.1);
  EXPECT_TRUE(std::isnan(GRandom(std::nan(""), 1)));

  for (int i = 0; i < 1000; ++i) {
    const double u = URandom();
    ASSERT_GE(u, 0);
    ASSERT_LT(u, 1);
  }
}

}  // namespace
}  // namespace zyr
