// SPDX-License-Identifier: MIT
// TScale model: range rules, clamps, logarithmic refusal, transform and mouse zoom/pan.
#include <gtest/gtest.h>
#include <zyr/scales/scale.h>

#include <cmath>
#include <limits>

using namespace zyr;

namespace {

// A loaded stand-alone scale as a form would give it.
void MarkLoaded(TScale& s) {
  s.BeginLoading();
  s.EndLoading();
}

}  // namespace

TEST(ScaleModel, RangeRulesWidenEmptyRanges) {
  TScale s;
  s.SetRange(10, 20);
  s.SetRangeHigh(10);
  EXPECT_EQ(s.RangeHigh(), 10);
  EXPECT_EQ(s.RangeLow(), 11);  // reversed
  s.SetRange(10, 20);
  s.SetRangeLow(20);
  EXPECT_EQ(s.RangeLow(), 20);
  EXPECT_EQ(s.RangeHigh(), 21);
  s.SetRange(5, 5);
  EXPECT_EQ(s.RangeHigh(), 6);
}

TEST(ScaleModel, NonFiniteRangesAreIgnored) {
  TScale s;
  s.SetRange(1, 2);
  s.SetRangeLow(std::nan(""));
  s.SetRangeHigh(std::numeric_limits<double>::infinity());
  s.SetRange(0, std::nan(""));
  EXPECT_EQ(s.RangeLow(), 1);
  EXPECT_EQ(s.RangeHigh(), 2);
  EXPECT_EQ(s.R2M(std::nan("")), 0);
}

TEST(ScaleModel, PropertyClamps) {
  TScale s;
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(25);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetDecPlaces(-9);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  s.SetLabelType(2);
  EXPECT_EQ(s.DecPlaces(), 4);
}

TEST(ScaleModel, LogarithmicRefusedOnceLoaded) {
  TScale s;
  MarkLoaded(s);
  s.SetRange(0, 100);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(1, 100);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLabelType(3);
  EXPECT_FALSE(s.Logarithmic());
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());  // date labels stay linear
}

TEST(ScaleModel, TransformMapsRangeOntoExtent) {
  TScale s;  // 400 x 400, margins 20
  s.SetScaleType(1);
  s.SetRange(0, 100);
  EXPECT_EQ(s.R2M(0), 20);
  EXPECT_EQ(s.R2M(100), 379);
  EXPECT_NEAR(s.M2R(s.R2M(37.5)), 37.5, 0.2);
  s.SetScaleType(2);
  EXPECT_EQ(s.R2M(100), 20);  // High at the top
  EXPECT_EQ(s.R2M(0), 379);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_EQ(s.R2M(1000), 20);
  EXPECT_EQ(s.R2M(1), 379);
  EXPECT_NEAR(s.M2R(s.R2M(31.6)), 31.6, 0.5);
  EXPECT_EQ(s.R2M(0), 0);  // values <= 0 map to an edge
  EXPECT_EQ(s.ConvertToPixelCoords(10), s.R2M(10));
}

TEST(ScaleModel, NoExtentGivesZeroSlope) {
  TScale s;
  s.SetBounds(0, 0, 30, 30);
  s.SetScaleType(1);
  EXPECT_EQ(s.Transf_k(), 0);
  EXPECT_EQ(s.Transf_d(), 15);
  EXPECT_TRUE(std::isfinite(s.M2R(10)));
}

TEST(ScaleModel, HugeValuesClampToIntRange) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(0, 1e-300);
  EXPECT_EQ(s.R2M(1.0), 2147483647);
  EXPECT_EQ(s.R2M(-1.0), -2147483647);
}

TEST(ScaleModel, AssignCopiesTheAxisState) {
  TScale a, b;
  a.SetScaleType(3);
  a.SetRange(-5, 5);
  a.SetCaption("volts");
  a.SetScaleInscript("&V");
  a.DateFormat().SetDateOrder(2);
  a.SetIsHelper(true);
  b.Assign(&a);
  EXPECT_EQ(b.ScaleType(), 3);
  EXPECT_EQ(b.RangeLow(), -5);
  EXPECT_EQ(b.Caption(), "volts");
  EXPECT_EQ(b.ScaleInscript(), "&V");
  EXPECT_EQ(b.DateFormat().DateOrder(), 2);
  EXPECT_TRUE(b.IsHelper());
  EXPECT_EQ(b.R2M(5), a.R2M(5));
}

TEST(ScaleMouse, StretchDragReturnsToStartRange) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(0, 100);
  s.SetMouseAction(6);
  int zoomed = 0;
  s.OnZoomPan = [&](TObject* sender) {
    EXPECT_EQ(sender, &s);
    ++zoomed;
  };
  s.MouseDown(mbLeft, ssLeft, 300, 30);
  s.MouseMove(ssLeft, 300, 30);  // anchor
  s.MouseMove(ssLeft, 250, 30);
  EXPECT_EQ(s.RangeLow(), 0);  // the far end stays
  EXPECT_NEAR(s.RangeHigh(), 100.0 * 280 / 230, 1e-9);
  s.MouseMove(ssLeft, 300, 30);
  s.MouseUp(mbLeft, 0, 300, 30);
  EXPECT_NEAR(s.RangeLow(), 0, 1e-9);
  EXPECT_NEAR(s.RangeHigh(), 100, 1e-9);
  EXPECT_EQ(zoomed, 2);
}

TEST(ScaleMouse, PanFollowsTheMouseAndIgnoresMargins) {
  TScale s;
  s.SetScaleType(0);
  s.SetRange(0, 360);  // one unit per pixel
  s.SetMouseAction(1);
  s.MouseMove(ssLeft, 100, 50);
  s.MouseMove(ssLeft, 110, 50);
  EXPECT_NEAR(s.RangeLow(), -10, 1e-9);
  EXPECT_NEAR(s.RangeHigh(), 350, 1e-9);
  s.MouseMove(ssLeft, 5, 50);  // inside the left margin: nothing happens
  EXPECT_NEAR(s.RangeLow(), -10, 1e-9);
  s.MouseMove(0, 200, 50);  // no button
  EXPECT_NEAR(s.RangeLow(), -10, 1e-9);
  s.MouseUp(mbLeft, 0, 110, 50);
}

TEST(ScaleMouse, DoubleClickTogglesPanAndStretch) {
  TScale s;
  s.SetMouseAction(1);
  s.DblClick();
  EXPECT_EQ(s.MouseAction(), 6);
  s.DblClick();
  EXPECT_EQ(s.MouseAction(), 1);
  s.SetMouseAction(9);
  s.DblClick();
  EXPECT_EQ(s.MouseAction(), 9);
}

TEST(ScaleMouse, RescaleCases) {
  double lo = -1, hi = -1;
  // Zoom about the centre: a drag of a tenth of the width to the left widens by 10 %.
  ASSERT_TRUE(
      Rescale(60, 0, 100, 0, 400, 100, 20, 20, 20, 20, 0, 100, 9, 1, false, 0, 100, lo, hi));
  EXPECT_NEAR(lo, -5, 1e-9);
  EXPECT_NEAR(hi, 105, 1e-9);
  // Logarithmic pan by the whole extent moves one decade span.
  ASSERT_TRUE(Rescale(20, 0, 380, 0, 400, 100, 20, 20, 20, 20, 1, 10, 1, 1, true, 1, 10, lo, hi));
  EXPECT_NEAR(lo, 10, 1e-9);
  EXPECT_NEAR(hi, 100, 1e-9);
  // Vertical pan: dragging down raises the range.
  ASSERT_TRUE(Rescale(0, 70, 0, 60, 100, 400, 20, 20, 20, 20, 0, 360, 1, 2, false, 0, 360, lo, hi));
  EXPECT_NEAR(lo, 10, 1e-9);
  EXPECT_FALSE(Rescale(1, 1, 0, 0, 400, 100, 20, 20, 20, 20, 0, 1, 3, 1, false, 0, 1, lo, hi));
  lo = hi = 7;
  EXPECT_TRUE(Rescale(1, 1, 0, 0, 400, 100, 20, 20, 20, 20, 0, 1, 1, 9, false, 0, 1, lo, hi));
  EXPECT_EQ(lo, 7);  // unknown scale type: results untouched
}

TEST(ScaleMouse, RescaleRefusesUnusableResults) {
  double lo = 3, hi = 4;
  // Stretch onto the margin edge divides by zero.
  EXPECT_FALSE(
      Rescale(20, 0, 300, 0, 400, 100, 20, 20, 20, 20, 0, 100, 6, 1, false, 0, 100, lo, hi));
  // No extent at all.
  EXPECT_FALSE(Rescale(30, 0, 20, 0, 40, 100, 20, 20, 20, 20, 0, 100, 1, 1, false, 0, 100, lo, hi));
  // Logarithmic arithmetic on a range touching zero.
  EXPECT_FALSE(Rescale(30, 0, 50, 0, 400, 100, 20, 20, 20, 20, 0, 100, 1, 1, true, 0, 100, lo, hi));
  EXPECT_EQ(lo, 3);
  EXPECT_EQ(hi, 4);
}
