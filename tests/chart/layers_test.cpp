// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/foundation/errors.h>

#include <cmath>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::Geometry400x300;

void ExpectRange(const TScaleProps& p, double lo, double hi, double eps = 1e-9) {
  EXPECT_NEAR(p.RangeLow(), lo, eps);
  EXPECT_NEAR(p.RangeHigh(), hi, eps);
}

}  // namespace

TEST(LayerTransforms, LinearMappingOfThePlottingArea) {
  TRChart c;
  Geometry400x300(c);
  c.SetRange(1, 0, 0, 10, 1);
  int x, y;
  c.R2M(1, 0, 0, x, y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 268);
  c.R2M(1, 10, 1, x, y);
  EXPECT_EQ(x, 390);
  EXPECT_EQ(y, 16);
  c.R2M(1, 5, 0.5, x, y);
  EXPECT_EQ(x, 220);
  double wx, wy;
  c.M2R(1, 220, 16, wx, wy);
  EXPECT_NEAR(wx, 5, 1e-12);
  EXPECT_NEAR(wy, 1, 1e-12);
  // Far outside values are limited, NaN goes to the upper limit, layers are clamped.
  c.R2M(1, 1e300, std::nan(""), x, y);
  EXPECT_EQ(x, 2147483647);
  EXPECT_EQ(y, 2147483647);
  c.R2M(7, -1e300, 0, x, y);
  EXPECT_EQ(x, -2147483647);
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  EXPECT_NEAR(kx, 34, 1e-12);
  EXPECT_NEAR(dx, 50, 1e-12);
}

TEST(LayerTransforms, LogarithmicMappingAndItsEdges) {
  TRChart c;
  Geometry400x300(c);
  c.Scale1X().SetRangeHigh(100);
  c.Scale1X().SetRangeLow(1);
  c.Scale1X().SetLogarithmic(true);
  int x, y;
  c.R2M(1, 10, 0, x, y);
  EXPECT_EQ(x, 220);
  c.R2M(1, 0, 0, x, y);
  EXPECT_EQ(x, 0);
  c.R2M(1, 1e-101, 0, x, y);
  EXPECT_EQ(x, 0);
  c.SetRange(1, 100, 0, 1, 1);  // reversed
  c.R2M(1, 0, 0, x, y);
  EXPECT_EQ(x, c.Width());
  double wx, wy;
  c.M2R(1, 220, 100, wx, wy);
  EXPECT_NEAR(wx, 10, 1e-9);
}

TEST(LayerTransforms, LogRangeThroughZeroSetWhileLoadingRaisesOnTheNextScaling) {
  TRChart c;
  c.BeginLoading();
  c.Scale1X().SetLogarithmic(true);  // range still 0..1: accepted while not yet loaded
  EXPECT_TRUE(c.Scale1X().Logarithmic());
  try {
    c.EndLoading();
    FAIL() << "expected the logarithmic axis error";
  } catch (const EZYRRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // After loading the setter refuses such a switch silently.
  TRChart d;
  d.BeginLoading();
  d.EndLoading();
  d.Scale1Y().SetLogarithmic(true);
  EXPECT_FALSE(d.Scale1Y().Logarithmic());
}

TEST(LayerTransforms, ZeroSizePlottingAreaStaysFinite) {
  TRChart c;
  Geometry400x300(c);
  c.SetLRim(500);  // plotting area narrower than nothing
  c.SetTRim(400);
  double wx, wy;
  c.M2R(1, 10, 10, wx, wy);
  EXPECT_TRUE(std::isfinite(wx));
  EXPECT_TRUE(std::isfinite(wy));
  int x, y;
  c.R2M(1, 0.3, 0.3, x, y);
  EXPECT_EQ(x, c.Width() / 2);
}

TEST(Ranges, SetRangeWidensEqualBoundsAndSetsBothLayersForLayerZero) {
  TRChart c;
  c.SetRange(1, 5, 0, 5, 1);
  ExpectRange(c.Scale1X(), 5 - 5e-11, 5 + 5e-11, 1e-15);
  c.Scale1X().SetRangeHigh(10);
  c.Scale1X().SetRangeLow(1);
  c.Scale1X().SetLogarithmic(true);
  c.SetRange(1, 5, 0, 5, 1);
  ExpectRange(c.Scale1X(), 5 / 1.1, 5.5, 1e-12);

  c.SetRange(0, -2, -3, 2, 3);
  ExpectRange(c.Scale2X(), -2, 2);
  ExpectRange(c.Scale2Y(), -3, 3);
  ExpectRange(c.Scale1Y(), -3, 3);
}

TEST(Ranges, ForceRangeRefusesWidthsBelowNinetyNinePercentOfMinRange) {
  TRChart c;
  c.Scale1X().SetMinRange(1);
  c.SetRange(1, 0, 0, 10, 1);
  c.ForceRange(1, 3, 0, 3.5, 1, false, false);
  ExpectRange(c.Scale1X(), 0, 10);
  c.ForceRange(1, 3, 0, 3.995, 1, false, false);
  ExpectRange(c.Scale1X(), 3, 3.995);
  // Non-finite bounds never reach the axis.
  c.ForceRange(1, std::nan(""), 0, 5, 1, false, false);
  ExpectRange(c.Scale1X(), 3, 3.995);
  c.ForceRange(1, 0, -INFINITY, 10, 1, false, false);
  ExpectRange(c.Scale1Y(), 0, 1);
  // Logarithmic bounds below 1e-100 are ignored one by one.
  c.Scale1Y().SetRangeHigh(100);
  c.Scale1Y().SetRangeLow(1);
  c.Scale1Y().SetLogarithmic(true);
  c.ForceRange(1, 3, 0, 4, 1000, false, false);
  ExpectRange(c.Scale1Y(), 1, 1000);
}

TEST(Ranges, AutoRangeFitsExtentsMarginsAndMinimumWidth) {
  TRChart c;
  c.MarkAt(3.0, 1.0, 1);
  c.MarkAt(3.0, 2.0, 1);
  c.AutoRange(1, 0);
  ExpectRange(c.Scale1X(), 2, 4);
  ExpectRange(c.Scale1Y(), 1, 2);

  TRChart m;
  m.MoveTo(0.0, 0.0);
  m.DrawTo(100.0, 50.0);
  m.AutoRange(1, 10);
  ExpectRange(m.Scale1X(), -10, 110);
  ExpectRange(m.Scale1Y(), -5, 55);

  TRChart w;
  w.MarkAt(99.0, 1.0, 1);
  w.MarkAt(101.0, 1.0, 1);
  w.AutoRange(1, 0, 50);
  ExpectRange(w.Scale1X(), 49, 151);
  w.AutoRange(0, 0, 50);  // all layers: no minimum width without a margin
  ExpectRange(w.Scale1X(), 99, 101);
  ExpectRange(w.Scale2X(), -1, 1);  // a layer without items

  TRChart e;
  e.AutoRange(1, 0);
  ExpectRange(e.Scale1X(), -1, 1);
  ExpectRange(e.Scale1Y(), -1, 1);
}

TEST(Ranges, CursorItemsPullTheirOtherCoordinateToZero) {
  TRChart c;
  c.MarkAt(4.0, 10.0, 1);
  c.MarkAt(6.0, 20.0, 1);
  c.CursorVert(5.0);
  c.AutoRange(1, 0);
  ExpectRange(c.Scale1Y(), 0, 20);
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 0, 0, x0, y0, x1, y1);
  EXPECT_EQ(x0, 4);
  EXPECT_EQ(x1, 6);
}

TEST(Ranges, ExtentsCoverSecondPointsEllipsesAndErrorBars) {
  TRChart c;
  c.Line(0.0, 0.0, 10.0, -5.0);
  c.Ellipse(20.0, 0.0, 3.0, 7.0);
  c.MarkErrorBar(-4.0, 1.0, 2.0, 2.0, 1, 1);  // along x
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 0, 0, x0, y0, x1, y1);
  EXPECT_EQ(x0, -6);
  EXPECT_EQ(x1, 23);
  EXPECT_EQ(y0, -7);
  EXPECT_EQ(y1, 7);
  EXPECT_EQ(c.FindUsedLayers(), LayerBit(1));
  c.SetActiveLayer(2);
  c.MarkAt(1.0, 1.0, 1);
  EXPECT_EQ(c.FindUsedLayers(), LayerBit(1) | LayerBit(2));
}

TEST(Ranges, FindMinMaxOnAnEmptyWindowKeepsTheStartValues) {
  TRChart c;
  c.MarkAt(1.0, 1.0, 1);
  c.MarkAt(5.0, 3.0, 1);
  double x0, y0, x1, y1;
  c.FindMinMax(1, 10, 10, 20, 20, x0, y0, x1, y1);
  EXPECT_EQ(x0, uc_MaxDouble);
  EXPECT_EQ(x1, -uc_MaxDouble);
  c.FindMinMax(0, 0, 0, 5, 5, x0, y0, x1, y1);  // strict: x = 5 is outside
  EXPECT_EQ(x0, 1);
  EXPECT_EQ(x1, 1);
}

TEST(Ranges, IsometricGivesEqualUnitsPerPixel) {
  TRChart c;
  Geometry400x300(c);
  c.SetRange(1, 0, 0, 340, 1);
  c.SetIsoMetric(true);
  const double h = c.Scale1Y().RangeHigh() - c.Scale1Y().RangeLow();
  // Plotting area 340 x 252 pixels (+1 in the formula).
  EXPECT_NEAR(h, 340.0 * 253 / 341, 1e-9);
  EXPECT_NEAR(c.Scale1Y().GetScaleCenter(), 0.5, 1e-9);
  c.SetRange(1, 0, 10, 34, 20);
  EXPECT_NEAR(c.Scale1Y().RangeHigh() - c.Scale1Y().RangeLow(), 34.0 * 253 / 341, 1e-9);
}

TEST(Ranges, TickPositionsAreNumberedTheSameForReversedRanges) {
  TRChart c;
  TBitmap bmp(c.Width(), c.Height());
  c.SetRange(1, 0, 0, 10, 1);
  c.ScaleX(1).UseForeignCanvas(&bmp.Canvas(), 0, 0);
  c.ScaleX(1).ForcePaint();
  const int n = c.TickNumX();
  ASSERT_GE(n, 2);
  const double first = c.TickPosX(1), last = c.TickPosX(n);
  EXPECT_LT(first, last);
  EXPECT_EQ(c.TickPosX(0), 0);
  EXPECT_EQ(c.TickPosX(n + 1), 0);
  c.SetRange(1, 10, 0, 0, 1);
  c.ScaleX(1).ForcePaint();
  ASSERT_EQ(c.TickNumX(), n);
  EXPECT_EQ(c.TickPosX(1), c.ScaleX(1).GetTickPos(n));
}

TEST(ZoomHistory, SixteenEntriesPerLayerRing) {
  TRChart c;
  c.ClearZoomHistory();
  for (int i = 1; i <= 17; ++i) c.SetRange(1, 0, 0, i, 1);
  TRectDouble r;
  ASSERT_TRUE(c.GetZoomStackEntry(1, 0, r));
  EXPECT_EQ(r.right, 17);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 1);
  c.GetZoomStackEntry(1, -15, r);
  EXPECT_EQ(r.right, 2);  // entry 1 and the cleared state were overwritten
  EXPECT_FALSE(c.GetZoomStackEntry(1, 1, r));
  EXPECT_FALSE(c.GetZoomStackEntry(3, 0, r));
  c.ZoomHistory(-3);
  EXPECT_EQ(c.Scale1X().RangeHigh(), 14);
  c.ZoomHistory(-3);  // the write position is unchanged
  EXPECT_EQ(c.Scale1X().RangeHigh(), 14);
}

TEST(ZoomHistory, ConfinementShiftsPansAndCutsOtherActions) {
  TRChart c;
  c.ConfineZoomRange(0, 0, 10, 10);
  c.SetMouseAction(1);
  c.ForceRange(1, -3, 2, 1, 5, false, true);
  ExpectRange(c.Scale1X(), 0, 4);
  c.SetMouseAction(9);
  c.ForceRange(1, -3, 2, 12, 5, false, true);
  ExpectRange(c.Scale1X(), 0, 10);
  c.ForceRange(1, -3, 2, 12, 5, false, false);  // not confined
  ExpectRange(c.Scale1X(), -3, 12);
}

TEST(AxisSettings, RangeAndMinRangeSetters) {
  TScalePropsHoriz p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.SetMinRange(4);
  ExpectRange(p, -1.5, 2.5);
  EXPECT_EQ(changes, 1);
  p.SetRangeLow(0);
  p.SetRangeHigh(10);
  changes = 0;
  p.SetMinRange(4);
  EXPECT_EQ(changes, 0);
  p.SetMinRange(1e-200);  // ignored
  EXPECT_EQ(p.MinRange(), 4);

  TScalePropsVert q;
  q.SetMinRange(0.5);
  q.SetRangeLow(0.9);
  ExpectRange(q, 0.9, 1.4);
  q.SetDecPlaces(20);
  EXPECT_EQ(q.DecPlaces(), 12);
  q.SetDecPlaces(-5);
  EXPECT_EQ(q.DecPlaces(), -3);
  q.SetLabelType(2);
  EXPECT_EQ(q.DecPlaces(), 4);
  q.SetNotYetLoaded(false);
  q.SetRangeLow(1);
  q.SetRangeHigh(10);
  q.SetLogarithmic(true);
  EXPECT_TRUE(q.Logarithmic());
  q.SetLabelType(3);
  EXPECT_FALSE(q.Logarithmic());
  q.SetLogarithmic(true);  // date labels stay linear
  EXPECT_FALSE(q.Logarithmic());

  TScalePropsHoriz copy;
  copy.Assign(&q);
  EXPECT_EQ(copy.LabelType(), 3);
  EXPECT_EQ(copy.RangeHigh(), 10);
}

TEST(AxisSettings, StandardLayoutsSetMarginsAndPlaceTheAxes) {
  TRChart c;
  c.SetBounds(0, 0, 500, 400);
  struct Row {
    TrcLayout l;
    int b, t, left, r;
  };
  for (Row row : {Row{rcl_X1Bottom_Y1Left, 40, 20, 50, 20}, Row{rcl_X1Bottom_Y2Left, 40, 24, 100, 20},
                  Row{rcl_X1Bottom_Y2Both, 40, 24, 50, 50}, Row{rcl_X2Bottom_Y2Left, 70, 24, 100, 20},
                  Row{rcl_X2Both_Y2Both, 40, 64, 50, 50}}) {
    c.SetStdLayout(row.l);
    EXPECT_EQ(c.MarginBottom(), row.b);
    EXPECT_EQ(c.MarginTop(), row.t);
    EXPECT_EQ(c.MarginLeft(), row.left);
    EXPECT_EQ(c.MarginRight(), row.r);
  }
  c.SetStdLayout(rcl_X1Bottom_Y2Left);
  EXPECT_TRUE(c.Scale2Y().Visible());
  EXPECT_EQ(c.Scale2Y().ScaleLocation(), slLeft);
  EXPECT_EQ(c.Scale2Y().ScalePos(), 50);
  // The second Y axis' base line lies 50 pixels left of the plotting area.
  EXPECT_EQ(c.ScaleY(2).MarginRight(), 50 + c.Width() - c.MarginLeft() - 1);
  EXPECT_EQ(c.ScaleY(1).MarginRight(), c.Width() - c.MarginLeft() - 1);

  c.SetStdLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(c.Scale2X().ScaleLocation(), slTop);
  EXPECT_EQ(c.Scale2Y().ScaleLocation(), slRight);
  EXPECT_EQ(c.ScaleX(2).ScaleType(), 0);

  c.SetStdLayout(rcl_X1Bottom_Y1Left);
  c.Scale1X().SetScalePos(10);  // base line 10 pixels below the plotting area
  EXPECT_EQ(c.ScaleX(1).MarginTop(), 10 + c.Height() - c.MarginBottom());
}

TEST(AxisSettings, PropsChangesReachTheScales) {
  TRChart c;
  c.Scale1X().SetCaption("Time [s]");
  c.Scale1X().SetRangeHigh(20);
  EXPECT_EQ(c.ScaleX(1).Caption(), "Time [s]");
  EXPECT_EQ(c.ScaleX(1).RangeHigh(), 20);
  int x, y;
  c.R2M(1, 20, 0, x, y);
  EXPECT_EQ(x, c.Width() - c.MarginRight() - c.ShadowWidth());
  TScalePropsVert other;
  other.SetRangeLow(-7);
  c.SetScalePropsY(3, other);  // ignored
  EXPECT_EQ(c.Scale1Y().RangeLow(), 0);
  EXPECT_EQ(&c.ScalePropsY(9), &c.Scale1Y());
}

TEST(JointLayers, ControlledAxesFollowTheirController) {
  TRChart c;
  EXPECT_EQ(c.JointLayers().L02yControlledBy(), 2);
  int changes = 0;
  c.JointLayers().OnChange = [&](TObject*) { ++changes; };
  c.SetRange(1, 0, 0, 10, 1);
  c.SetRange(2, 100, 100, 200, 200);
  c.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(changes, 1);
  ExpectRange(c.Scale2X(), 0, 10);
  ExpectRange(c.Scale2Y(), 100, 200);
  c.SetRange(1, 5, 0, 15, 1);
  ExpectRange(c.Scale2X(), 5, 15);
  c.SetRange(2, 300, 300, 400, 400);  // only its Y axis is free
  ExpectRange(c.Scale2X(), 5, 15);
  ExpectRange(c.Scale2Y(), 300, 400);

  c.JointLayers().SetL02xControlledBy(2);  // freed silently, range kept
  EXPECT_EQ(changes, 1);
  ExpectRange(c.Scale2X(), 5, 15);
}

TEST(JointLayers, RefusedJoinsRaiseAndChangeNothing) {
  TRChart c;
  auto message = [&](auto&& f) {
    try {
      f();
    } catch (const EZYRRChartError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { c.JointLayers().SetL02xControlledBy(3); }),
            "Destination layer 3 is out of range");
  c.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(message([&] { c.JointLayers().SetL01xControlledBy(2); }),
            "Destination layer 2 is already joined");
  EXPECT_EQ(c.JointLayers().L01xControlledBy(), 1);
  TJointLayers j(nullptr);
  j.SetControlledLayerY(1, 2);
  EXPECT_EQ(message([&] { j.SetControlledLayerY(2, 1); }), "Destination layer 1 is already joined");
  TJointLayers k(nullptr);
  k.SetControlledLayerX(2, 1);
  EXPECT_EQ(message([&] { k.SetControlledLayerX(1, 2); }), "Destination layer 2 is already joined");
  // The controller of others cannot itself be joined.
  TJointLayers m(nullptr);
  m.SetControlledLayerX(2, 1);
  EXPECT_EQ(m.GetControlledLayerX(2), 1);
}
