// SPDX-License-Identifier: MIT
// Dense lines drawn from the store's runs merge the points of a pixel column through their
// extreme values; the picture must be the one drawn item by item, whatever the order of X,
// the size of the columns and the values that break the merging (NaN, infinities).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "chart/chart_probe.h"

using namespace zyr;
using zyr::test::ProbeChart;

namespace {

QImage Drawn(ProbeChart& c, bool runs) {
  c.SetUseLineRunCache(runs);
  TBitmap b(c.DataAreaWidth(), c.DataAreaHeight());
  b.SetPixelFormat(pf32bit);
  TCanvas& cv = b.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(Rect(0, 0, b.Width(), b.Height()));
  c.DrawAllItems(cv, 0, 0, false);
  cv.Flush();
  return b.Image().copy();
}

void Prepare(ProbeChart& c) {
  c.SetBounds(0, 0, 500, 300);
  c.SetF3DRim(0);
  c.SetLRim(40);
  c.SetRRim(10);
  c.SetTRim(10);
  c.SetBRim(30);
  c.SetRange(1, 0, -50, 1000, 50);
}

void ExpectAsItemByItem(ProbeChart& c, const char* what) {
  SCOPED_TRACE(what);
  const QImage ref = Drawn(c, false);
  EXPECT_TRUE(Drawn(c, true) == ref);
}

}  // namespace

TEST(LineColumns, MonotonicXAcrossColumnsOfEverySize) {
  // Points per column from a fraction of one to hundreds, forwards and backwards, so that the
  // store's blocks of points straddle columns at every offset.
  for (double perColumn : {0.7, 3.0, 4.5, 7.0, 63.0, 65.0, 200.0}) {
    for (bool backwards : {false, true}) {
      ProbeChart c;
      Prepare(c);
      const int n = int(perColumn * 450);
      std::mt19937 rng(unsigned(perColumn * 10));
      std::normal_distribution<double> step(0, 1.5);
      double y = 0;
      c.MoveTo(backwards ? 1000.0 : 0.0, 0.0);
      for (int i = 1; i <= n; ++i) {
        const double x = 1000.0 * i / n;
        c.DrawTo(backwards ? 1000.0 - x : x, y = std::clamp(y + step(rng), -49.0, 49.0));
      }
      ExpectAsItemByItem(c, (std::to_string(perColumn) + (backwards ? " backwards" : "")).c_str());
      c.ForceRange(1, 1000, 50, 0, -50, false, false);
      ExpectAsItemByItem(c, "reversed axes");
      c.ForceRange(1, 300.3, -3, 310.7, 3, false, false);
      ExpectAsItemByItem(c, "zoomed in: points far outside");
    }
  }
}

TEST(LineColumns, UnorderedXAndValuesThatBreakTheMerging) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  ProbeChart c;
  Prepare(c);
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> jitter(-3, 3);
  std::normal_distribution<double> step(0, 2);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < 60000; ++i) {
    // X steps back now and then, so no block is ordered; odd values sit inside columns.
    const double x = i / 60.0 + jitter(rng);
    y = std::clamp(y + step(rng), -45.0, 45.0);
    double v = y;
    if (i % 777 == 0) v = nan;
    if (i % 1201 == 0) v = inf;
    if (i % 1303 == 0) v = -inf;
    if (i % 1709 == 0) v = 1e300;
    if (i % 1913 == 0) v = -1e300;
    c.DrawTo(i % 2099 == 0 ? nan : x, v);
  }
  ExpectAsItemByItem(c, "unordered");
  c.ForceRange(1, 500, 10, 520, -10, false, false);
  ExpectAsItemByItem(c, "zoomed and flipped");
  c.ScalePropsX(1).SetLogarithmic(true);
  c.ForceRange(1, 1, -50, 1000, 50, false, false);
  c.AdjustScaling();
  ExpectAsItemByItem(c, "logarithmic X");
}
