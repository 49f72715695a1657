// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>
#include <zyr/scales/colorscale.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace zyr;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Call {
  double x, y;
  int ix, iy;
};

// A handler that records its calls and answers z = ix * 100 + iy.
struct Recorder {
  std::vector<Call> calls;
  TEstimateZValEvent Handler() {
    return [this](TObject*, double x, double y, int ix, int iy, double& z, uint8_t&) {
      calls.push_back({x, y, ix, iy});
      z = ix * 100 + iy;
    };
  }
};

// A plot whose window exists, so that changes repaint.
struct Live {
  TContourPlot c;
  Live() {
    c.SetBounds(0, 0, 260, 248);  // square data area of 200 x 200
    c.HandleNeeded();
  }
};

}  // namespace

TEST(ContourData, ResetGivesTheDocumentedStart) {
  TContourPlot c;
  // One pivot per 5 pixels of the area inside the margins.
  EXPECT_EQ(c.NumPivotsX(), (c.Width() - c.MarginLeft() - c.MarginRight()) / 5);
  EXPECT_EQ(c.NumPivotsY(), (c.Height() - c.MarginTop() - c.MarginBottom()) / 5);
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeLow(), -5.2);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 5.2);
  EXPECT_FALSE(c.ScalePropsX(2).Visible());
  EXPECT_FALSE(c.ScalePropsY(2).Visible());
  EXPECT_TRUE(c.ScalePropsX(1).Visible());

  ASSERT_EQ(c.MaskPalette.NumColors(), 255);
  EXPECT_EQ(c.MaskPalette.Color(1), clBlack);
  EXPECT_EQ(c.MaskPalette.Color(255), TColor(0xFFFFFF));
  for (int i = 1; i <= NumPredefinedColors; ++i)
    EXPECT_EQ(c.MaskPalette.Color(i + 1), PredefinedColors(i)) << i;

  // Reset after changes brings it all back.
  const int nx = c.NumPivotsX();
  c.ResizePivotMatrix(100, 100);
  c.SetIsoParams(0, 10, 1);
  c.SetPlotMode(cpmDots);
  c.CalculatePivotPoints(true);
  c.ResetComp();
  EXPECT_EQ(c.NumPivotsX(), nx);
  EXPECT_DOUBLE_EQ(c.IsoHigh(), 1.0);
  EXPECT_EQ(c.PlotMode(), cpmColorSurface);
  EXPECT_FALSE(c.PivotPreCalc());
}

TEST(ContourData, TwoByTwoPivotsSitOnTheRangeCorners) {
  TContourPlot c;
  c.SetPivotResX(1);  // raised to 2
  c.SetPivotResY(-7);
  ASSERT_EQ(c.NumPivotsX(), 2);
  ASSERT_EQ(c.NumPivotsY(), 2);
  Recorder r;
  c.OnEstimateZVal = r.Handler();
  c.CalculatePivotPoints(false);
  ASSERT_EQ(r.calls.size(), 4u);
  // Column by column, rows inside.
  EXPECT_EQ(r.calls[1].iy, 2);
  EXPECT_EQ(r.calls[2].ix, 2);
  for (const Call& k : r.calls) {
    EXPECT_EQ(k.x, k.ix == 1 ? -5.2 : 5.2);
    EXPECT_EQ(k.y, k.iy == 1 ? -5.2 : 5.2);
  }
  EXPECT_EQ(c.GetPivotVal(2, 1), 201);
  EXPECT_EQ(c.MaxPivot(), 202);
  EXPECT_EQ(c.MinPivot(), 101);
  // Outside the grid: neutral answers, writes ignored.
  EXPECT_EQ(c.GetPivotVal(0, 1), 0);
  EXPECT_EQ(c.GetPivotVal(3, 2), 0);
  c.SetMaskVal(3, 1, 7);
  EXPECT_EQ(c.GetMaskVal(3, 1), 0);
  EXPECT_EQ(c.GetMaskVal(-1, 1), 0);
  EXPECT_EQ(c.EffectiveMask(0, 1), 1);  // beyond the border counts as blanked
}

TEST(ContourData, WithoutHandlerOrDisabledTheGridIsZero) {
  TContourPlot c;
  c.SetPivotResX(5);
  c.SetPivotResY(4);
  c.SetMaskVal(2, 2, 9);
  c.CalculatePivotPoints(false);
  EXPECT_EQ(c.MaxPivot(), 0);
  EXPECT_EQ(c.MinPivot(), 0);
  EXPECT_EQ(c.GetMaskVal(2, 2), 9);

  Recorder r;
  c.OnEstimateZVal = r.Handler();
  c.CalculatePivotPoints(false);
  EXPECT_EQ(c.GetPivotVal(5, 4), 504);
  c.SetEnabled(false);
  c.CalculatePivotPoints(false);
  EXPECT_EQ(r.calls.size(), 20u);
  EXPECT_EQ(c.GetPivotVal(5, 4), 0);
  EXPECT_EQ(c.MaxPivot(), 0);
  EXPECT_EQ(c.GetMaskVal(2, 2), 9);
}

TEST(ContourData, HandlerSeesAndChangesTheMask) {
  TContourPlot c;
  c.SetPivotResX(3);
  c.SetPivotResY(3);
  c.SetMaskVal(2, 3, 40);
  std::vector<int> seen;
  c.OnEstimateZVal = [&](TObject* s, double, double, int ix, int iy, double& z, uint8_t& m) {
    EXPECT_EQ(s, &c);
    seen.push_back(m);
    if (ix == 1 && iy == 1) m = 255;
    z = 1;
  };
  c.CalculatePivotPoints(false);
  EXPECT_EQ(seen[5], 40);  // (2, 3)
  EXPECT_EQ(c.GetMaskVal(1, 1), 255);
  EXPECT_EQ(c.GetMaskVal(2, 3), 40);
}

TEST(ContourData, GridSizeOperations) {
  TContourPlot c;
  c.SetBounds(0, 0, 260, 248);  // data area 200 x 200
  c.SetPivotRes(3);             // as 10
  EXPECT_EQ(c.NumPivotsX(), 3);
  EXPECT_EQ(c.NumPivotsY(), 3);
  EXPECT_EQ(c.GetPivotRes(), 15);

  c.SetBounds(0, 0, 260, 148);  // 200 x 100
  c.SetPivotRes(50);
  EXPECT_EQ(c.NumPivotsX(), 11);
  EXPECT_EQ(c.NumPivotsY(), 6);
  c.SetBounds(0, 0, 160, 248);  // 100 x 200
  c.SetPivotRes(50);
  EXPECT_EQ(c.NumPivotsX(), 6);
  EXPECT_EQ(c.NumPivotsY(), 11);

  c.ResizePivotMatrix(20000, 3);
  EXPECT_EQ(c.NumPivotsX(), 1000);
  EXPECT_EQ(c.NumPivotsY(), 2);

  // A new size discards values and mask but keeps a freeze.
  c.ResizePivotMatrix(50, 50);
  c.OnEstimateZVal = [](TObject*, double, double, int, int, double& z, uint8_t& m) {
    z = 5;
    m = 2;
  };
  c.CalculatePivotPoints(true);
  c.SetPivotResX(12);
  EXPECT_EQ(c.NumPivotsX(), 12);
  EXPECT_EQ(c.GetPivotVal(4, 4), 0);
  EXPECT_EQ(c.GetMaskVal(4, 4), 0);
  EXPECT_TRUE(c.PivotPreCalc());

  // Absurd sizes stay bounded.
  c.SetPivotResY(2000000000);
  EXPECT_EQ(c.NumPivotsY(), TContourPlot::kMaxPivots);
  c.SetPivotRes(2000000000);
  EXPECT_LE(c.NumPivotsX(), TContourPlot::kMaxPivots);
  EXPECT_LE(c.NumPivotsY(), TContourPlot::kMaxPivots);
}

TEST(ContourData, FrozenValuesAreNotEstimatedAgain) {
  TContourPlot c;
  c.SetPivotResX(4);
  c.SetPivotResY(4);
  Recorder r;
  c.OnEstimateZVal = r.Handler();
  c.CalculatePivotPoints(true);
  ASSERT_EQ(r.calls.size(), 16u);
  c.CalculatePivotPoints(false);  // frozen: releases without estimating
  EXPECT_EQ(r.calls.size(), 16u);
  EXPECT_FALSE(c.PivotPreCalc());
  EXPECT_EQ(c.GetPivotVal(4, 4), 404);
  c.CalculatePivotPoints(false);
  EXPECT_EQ(r.calls.size(), 32u);

  c.CalculatePivotPoints(true);
  c.ClearPivotPoints(false);  // frozen values stay, the freeze goes
  EXPECT_EQ(c.GetPivotVal(4, 4), 404);
  EXPECT_FALSE(c.PivotPreCalc());
  c.ClearPivotPoints(false);
  EXPECT_EQ(c.GetPivotVal(4, 4), 0);
  c.ClearPivotPoints(true);
  EXPECT_TRUE(c.PivotPreCalc());
}

TEST(ContourData, FrozenPlotRepaintsWithoutEstimation) {
  Live l;
  l.c.SetPivotResX(6);
  l.c.SetPivotResY(6);
  Recorder r;
  l.c.OnEstimateZVal = r.Handler();
  l.c.DrawPlot();
  EXPECT_EQ(r.calls.size(), 36u);
  EXPECT_FALSE(l.c.InvalidDataBmp());
  l.c.CalculatePivotPoints(true);
  EXPECT_EQ(r.calls.size(), 72u);
  l.c.SetPlotMode(cpmDots);
  l.c.SetIsoDist(0.2);
  l.c.DrawPlot();
  TBitmap copy;
  l.c.CopyToBitmap(copy, false);
  l.c.DrawPlot();
  EXPECT_EQ(r.calls.size(), 72u);
  EXPECT_TRUE(l.c.PivotPreCalc());
  l.c.ClearPivotPoints(false);
  l.c.DrawPlot();
  EXPECT_EQ(r.calls.size(), 108u);
}

TEST(ContourData, PercentileWithAndWithoutMask) {
  TContourPlot c;
  c.SetPivotResX(3);
  c.SetPivotResY(3);
  // Values 1..9; the masked ones are the large ones.
  c.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, uint8_t& m) {
    z = (ix - 1) * 3 + iy;
    m = z > 5 ? uint8_t(z > 8 ? 255 : 1) : 0;
  };
  c.CalculatePivotPoints(false);
  EXPECT_DOUBLE_EQ(c.PercentilePivots(0.5), 5);
  EXPECT_DOUBLE_EQ(c.PercentilePivots(0.5, false), 5);
  EXPECT_DOUBLE_EQ(c.PercentilePivots(0.5, true), 3);
  EXPECT_DOUBLE_EQ(c.PercentilePivots(1.0, true), 5);
  c.FillMask(7);
  EXPECT_TRUE(std::isnan(c.PercentilePivots(0.5, true)));
}

TEST(ContourData, NonFiniteValuesActAsBlanks) {
  TContourPlot c;
  c.SetPivotResX(3);
  c.SetPivotResY(2);
  c.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, uint8_t&) {
    const double v[3][2] = {{kNaN, 2}, {kInf, -kInf}, {-3, 7}};
    z = v[ix - 1][iy - 1];
  };
  c.CalculatePivotPoints(false);
  EXPECT_EQ(c.MaxPivot(), 7);
  EXPECT_EQ(c.MinPivot(), -3);
  EXPECT_TRUE(std::isnan(c.GetPivotVal(1, 1)));  // kept for the application
  EXPECT_EQ(c.GetMaskVal(1, 1), 0);
  EXPECT_EQ(c.EffectiveMask(1, 1), 1);
  EXPECT_EQ(c.EffectiveMask(2, 1), 1);
  EXPECT_EQ(c.EffectiveMask(2, 2), 1);
  EXPECT_EQ(c.EffectiveMask(3, 2), 0);
  c.SetMaskVal(3, 2, 200);
  EXPECT_EQ(c.EffectiveMask(3, 2), 200);

  // Only non-finite values everywhere: extremes stay at their start values, nothing breaks.
  c.OnEstimateZVal = [](TObject*, double, double, int, int, double& z, uint8_t&) { z = kNaN; };
  c.CalculatePivotPoints(false);
  EXPECT_GT(c.MinPivot(), c.MaxPivot());
}

TEST(ContourData, IsoRangePushesAndIgnoresNonFinite) {
  TContourPlot c;
  c.SetIsoHigh(-1.0);  // at IsoLow: low moves down
  EXPECT_DOUBLE_EQ(c.IsoLow(), -2.0);
  c.SetIsoLow(3.0);  // above IsoHigh: high moves up
  EXPECT_DOUBLE_EQ(c.IsoHigh(), 4.0);
  c.SetIsoLow(kNaN);
  c.SetIsoHigh(kInf);
  c.SetIsoDist(kNaN);
  EXPECT_DOUBLE_EQ(c.IsoLow(), 3.0);
  EXPECT_DOUBLE_EQ(c.IsoHigh(), 4.0);
  EXPECT_DOUBLE_EQ(c.IsoDist(), 0.1);

  c.SetIsoParams(10, 5, 0.5);  // high below the new low: low follows high
  EXPECT_DOUBLE_EQ(c.IsoLow(), 4.0);
  EXPECT_DOUBLE_EQ(c.IsoHigh(), 5.0);
  c.SetIsoParams(0, 20, 1);
  EXPECT_DOUBLE_EQ(c.IsoLow(), 0.0);
  EXPECT_DOUBLE_EQ(c.IsoHigh(), 20.0);
  c.SetIsoParams(1, 2, kNaN);
  EXPECT_DOUBLE_EQ(c.IsoLow(), 0.0);
  EXPECT_DOUBLE_EQ(c.IsoDist(), 1.0);
}

TEST(ContourData, IsoLevelListIsBoundedAndStrict) {
  TContourPlot c;
  c.SetIsoParams(-1, 1, 0.1);
  ASSERT_EQ(c.NumIsoLevels(), 20);
  EXPECT_DOUBLE_EQ(c.IsoLevel(0), -1.0);
  EXPECT_NEAR(c.IsoLevel(19), 0.9, 1e-12);
  int a = -1, b = -1;
  ASSERT_TRUE(c.IsoLevelsBetween(-5, 5, a, b));
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 19);
  // A level equal to an end is not between.
  ASSERT_TRUE(c.IsoLevelsBetween(-0.5, -1.0, a, b));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 4);
  EXPECT_FALSE(c.IsoLevelsBetween(-0.95, -0.92, a, b));
  EXPECT_FALSE(c.IsoLevelsBetween(0.3, 0.3, a, b));
  EXPECT_FALSE(c.IsoLevelsBetween(kNaN, 0.3, a, b));
  ASSERT_TRUE(c.IsoLevelsBetween(-kInf, kInf, a, b));
  EXPECT_EQ(b, 19);

  c.SetIsoDist(0);
  EXPECT_EQ(c.NumIsoLevels(), 0);
  EXPECT_FALSE(c.IsoLevelsBetween(-5, 5, a, b));
  c.SetIsoDist(-0.1);
  EXPECT_EQ(c.NumIsoLevels(), 0);
  c.SetIsoDist(1e-300);
  EXPECT_EQ(c.NumIsoLevels(), 65535);
}

TEST(ContourData, ValueColourMapping) {
  TContourPlot c;
  c.IsoColors.Fill(16, {clBlue, clRed});
  c.SetIsoParams(-1, 1, 0.1);
  EXPECT_EQ(c.IsoColorIndex(-1.0), 1);
  EXPECT_EQ(c.IsoColorIndex(-5.0), 1);
  EXPECT_EQ(c.IsoColorIndex(-0.99), 1);  // rounds to 0, raised to 1
  EXPECT_EQ(c.IsoColorIndex(0.0), 8);
  EXPECT_EQ(c.IsoColorIndex(0.99), 16);
  EXPECT_EQ(c.IsoColorIndex(7.0), 16);
  EXPECT_EQ(c.IsoColorIndex(kNaN), 1);
  EXPECT_EQ(c.IsoColorIndex(kInf), 16);
  EXPECT_EQ(c.IsoColorIndex(-kInf), 1);
  EXPECT_EQ(c.IsoColorOf(7.0), c.IsoColors.Color(16));
  c.IsoColors.SetNumColors(0);
  EXPECT_EQ(c.IsoColorIndex(0.5), 1);
}

TEST(ContourData, AttachedColourScaleFollowsAndMayBeDestroyed) {
  TContourPlot c;
  auto* cs = new TColorScale();
  c.SetAttachedColorScale(cs);
  c.IsoColors.Fill(40, {clBlack, clYellow});
  EXPECT_EQ(cs->ColorArray().NumColors(), 40);
  EXPECT_EQ(cs->ColorArray().Color(40), c.IsoColors.Color(40));
  c.SetIsoParams(2, 8, 1);
  EXPECT_DOUBLE_EQ(cs->ScaleRangeLow(), 2);
  EXPECT_DOUBLE_EQ(cs->ScaleRangeHigh(), 8);

  delete cs;
  EXPECT_EQ(c.AttachedColorScale(), nullptr);
  c.SetIsoLow(0);
  c.IsoColors.SetColor(1, clRed);
  c.IsoColorsChanged();
}

TEST(ContourData, ThrowingHandlerPropagatesAndLeavesThePlotUsable) {
  Live l;
  l.c.SetPivotResX(5);
  l.c.SetPivotResY(5);
  l.c.OnEstimateZVal = [](TObject*, double, double, int ix, int, double&, uint8_t&) {
    if (ix == 3) throw std::runtime_error("no data");
  };
  EXPECT_THROW(l.c.CalculatePivotPoints(false), std::runtime_error);
  EXPECT_THROW(l.c.DrawPlot(), std::runtime_error);

  Recorder r;
  l.c.OnEstimateZVal = r.Handler();
  l.c.CalculatePivotPoints(false);
  EXPECT_EQ(r.calls.size(), 25u);
  l.c.DrawPlot();
  EXPECT_EQ(r.calls.size(), 50u);
  EXPECT_FALSE(l.c.InvalidDataBmp());
}

TEST(ContourData, HandlerMayCallBackIntoThePlot) {
  TContourPlot c;
  c.SetPivotResX(4);
  c.SetPivotResY(4);
  int calls = 0;
  c.OnEstimateZVal = [&](TObject*, double, double, int ix, int, double& z, uint8_t&) {
    ++calls;
    c.CalculatePivotPoints(false);  // ignored while a pass runs
    if (ix == 2) c.SetPivotResX(40);
    z = 1;
  };
  c.CalculatePivotPoints(false);
  EXPECT_EQ(c.NumPivotsX(), 40);
  EXPECT_EQ(calls, 5);                           // the pass ends with the grid it was made for
  EXPECT_DOUBLE_EQ(c.PercentilePivots(1.0), 0);  // nothing of the old pass in the new grid
}

TEST(ContourData, ProgressIsReportedInAtMostAHundredSteps) {
  TContourPlot c;
  c.ResizePivotMatrix(5000, 10);  // 1000 x 2
  std::vector<int> seen;
  c.OnProgress = [&](TObject*, int p) { seen.push_back(p); };
  c.CalculatePivotPoints(false);
  ASSERT_FALSE(seen.empty());
  EXPECT_LE(seen.size(), 101u);
  EXPECT_EQ(seen.back(), 100);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i], seen[i - 1]);

  seen.clear();
  c.SetPivotResX(7);
  c.CalculatePivotPoints(false);
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_EQ(seen.front(), 14);
}

TEST(ContourData, ChangesThatInvalidateThePicture) {
  Live l;
  TContourPlot& c = l.c;
  int estimations = 0;
  c.OnEstimateZVal = [&](TObject*, double, double, int, int, double&, uint8_t&) { ++estimations; };
  c.SetPivotResX(3);
  c.SetPivotResY(3);
  // Whether the change (or the plain repaint after it) rebuilt the picture.
  auto rebuilds = [&](auto change) {
    c.DrawPlot();
    const int before = estimations;
    change();
    c.Repaint();
    return estimations > before;
  };
  EXPECT_FALSE(rebuilds([] {}));
  EXPECT_FALSE(rebuilds([&] { c.SetMaskVal(1, 1, 5); }));
  EXPECT_FALSE(rebuilds([&] { c.FillMask(0); }));
  EXPECT_FALSE(rebuilds([&] { c.SetPlotMode(c.PlotMode()); }));
  EXPECT_FALSE(rebuilds([&] { c.SetChartColor(c.ChartColor()); }));
  EXPECT_FALSE(rebuilds([&] { c.SetIsoLow(c.IsoLow()); }));
  EXPECT_FALSE(rebuilds([&] { c.CrossHairSetPos(0.5, 0.5); }));
  EXPECT_FALSE(rebuilds([&] { c.SetWindColor(clAqua); }));
  EXPECT_FALSE(rebuilds([&] { c.SetEnabled(false); }));  // shows at the next rebuild
  c.SetEnabled(true);

  EXPECT_TRUE(rebuilds([&] { c.SetPlotMode(cpmMonoDots); }));
  EXPECT_TRUE(rebuilds([&] { c.SetChartColor(clYellow); }));
  EXPECT_TRUE(rebuilds([&] { c.SetChartFrameColor(clRed); }));
  EXPECT_TRUE(rebuilds([&] { c.SetClassVisible(3, false); }));
  EXPECT_TRUE(rebuilds([&] { c.SetAnnoClassVisible(3, false); }));
  EXPECT_TRUE(rebuilds([&] { c.SetMarginLeft(40); }));
  EXPECT_TRUE(rebuilds([&] { c.SetShadowWidth(3); }));
  EXPECT_TRUE(rebuilds([&] { c.SetRange(0.0, 0.0, 1.0, 1.0); }));
  EXPECT_TRUE(rebuilds([&] { c.TCustomRChart::SetRange(1, 0, 0, 2, 2); }));
  EXPECT_TRUE(rebuilds([&] { c.SetBounds(0, 0, 300, 300); }));
  EXPECT_TRUE(rebuilds([&] { c.SetIsoLow(-0.5); }));
  EXPECT_TRUE(rebuilds([&] { c.SetIsoDist(0.3); }));
  EXPECT_TRUE(rebuilds([&] { c.IsoColors.SetColor(2, clLime); }));
  EXPECT_TRUE(rebuilds([&] { c.AddTextLabel(0, 0, clRed, "A", 0); }));
  EXPECT_TRUE(rebuilds([&] { c.TextLabels(1).SetCaption("B"); }));
  EXPECT_TRUE(rebuilds([&] { c.HideAllTextLabels(); }));
  EXPECT_TRUE(rebuilds([&] { c.SetPivotResX(4); }));
  EXPECT_TRUE(rebuilds([&] {
    c.SetSuppressPaint(true);
    c.SetSuppressPaint(false);
  }));
  EXPECT_TRUE(rebuilds([&] {
    c.MoveTo(0.0, 0.0);
    c.DrawTo(1.0, 1.0);
    c.ShowGraf();
  }));
  // A copy renders a picture of its own; the window's is rebuilt after it.
  EXPECT_TRUE(rebuilds([&] {
    TBitmap bmp;
    c.CopyToBitmap(bmp, false);
  }));
}

TEST(ContourData, AssignCopiesTheContourState) {
  TContourPlot a, b;
  a.SetPivotResX(7);
  a.SetPivotResY(3);
  a.SetPlotMode(cpmDots);
  a.SetIsoParams(0, 50, 5);
  a.IsoColors.Fill(8, {clRed, clBlue});
  a.MaskPalette.SetColor(9, clFuchsia);
  Recorder r;
  a.OnEstimateZVal = r.Handler();
  a.CalculatePivotPoints(false);
  a.SetMaskVal(7, 3, 33);
  b.DrawPlot();

  b.Assign(&a);
  EXPECT_EQ(b.NumPivotsX(), 7);
  EXPECT_EQ(b.NumPivotsY(), 3);
  EXPECT_EQ(b.PlotMode(), cpmDots);
  EXPECT_DOUBLE_EQ(b.IsoHigh(), 50);
  EXPECT_DOUBLE_EQ(b.IsoDist(), 5);
  EXPECT_EQ(b.GetPivotVal(7, 3), 703);
  EXPECT_EQ(b.GetMaskVal(7, 3), 33);
  EXPECT_EQ(b.MaxPivot(), 703);
  EXPECT_EQ(b.IsoColors.NumColors(), 8);
  EXPECT_EQ(b.MaskPalette.Color(9), clFuchsia);
  EXPECT_TRUE(b.InvalidDataBmp());
  EXPECT_EQ(b.EffectiveMask(0, 1), 1);  // the border still reads as blanked
  b.CalculatePivotPoints(false);        // the copied handler now serves b
  EXPECT_EQ(r.calls.size(), 42u);
}
