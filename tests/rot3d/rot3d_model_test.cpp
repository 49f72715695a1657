// SPDX-License-Identifier: MIT
// Item container, model mapping, setters, rotation matrix and searches of TRot3D.
#include <gtest/gtest.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/plot3d/rot3d.h>

#include <cmath>
#include <limits>

using namespace zyr;
using namespace zyr::rot3d;

TEST(Rot3DContainer, GrowsByAllocSizeAndReleasesWhenEmpty) {
  TRot3D r;
  r.SetAllocSize(0);        // ignored
  r.SetAllocSize(2000000);  // ignored
  EXPECT_EQ(r.AllocSize(), 1000);
  r.SetAllocSize(3);
  for (int i = 0; i < 7; ++i) r.MarkAt(i, 0, 0, 1);
  EXPECT_EQ(r.NumItems(), 7);
  EXPECT_EQ(r.NumAllocated(), 9);
  r.RemoveFirstItem();
  EXPECT_EQ(r.GetChartItem(0).x, 1.0);
  r.RemoveItem(2);  // item at x = 3
  EXPECT_EQ(r.GetChartItem(2).x, 4.0);
  r.RemoveItem(-1);
  r.RemoveItem(5);
  EXPECT_EQ(r.NumItems(), 5);
  while (r.NumItems() > 0) r.RemoveLastItem();
  EXPECT_EQ(r.NumAllocated(), 0);
  r.RemoveLastItem();  // nothing left: no effect
  EXPECT_EQ(r.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(r.TypeOfLastItem(), tkNone);
}

TEST(Rot3DContainer, ItemsTakeThePenAtTheTimeOfTheCall) {
  TRot3D r;
  r.SetDataCol(0xFF123456);  // top byte is cleared
  EXPECT_EQ(r.ColorData(), 0x123456u);
  r.SetDataTag(-7);
  r.SetLineWidth(5);
  r.Drawto(1, 2, 3);
  r.SetLineWidth(0);
  EXPECT_EQ(r.LineWidth(), 1);
  r.SetLineWidth(100);
  EXPECT_EQ(r.LineWidth(), 32);
  r.Line(1, 2, 3, 4, 5, 6);
  r.SetDataTag(9);
  r.MarkAt(0, 0, 0, 203);
  r.Moveto(7, 8, 9);

  const Tr3ChartItem d = r.GetChartItem(0);
  EXPECT_EQ(d.ItemKind, tkLineto);
  EXPECT_EQ(d.color, 0x123456u);
  EXPECT_EQ(d.tag, -7);
  EXPECT_EQ(d.marklw, 5);
  const Tr3ChartItem l = r.GetChartItem(1);
  EXPECT_EQ(l.ItemKind, tkLine);
  EXPECT_EQ(l.marklw, 32);
  EXPECT_EQ(l.z2, 6.0);
  EXPECT_EQ(r.GetChartItem(2).marklw, 203);
  EXPECT_EQ(r.GetChartItem(2).tag, 9);
  EXPECT_EQ(r.TypeOfFirstItem(), tkLineto);
  EXPECT_EQ(r.TypeOfLastItem(), tkMoveto);
}

TEST(Rot3DContainer, ReadsAndWritesOutOfRangeAreHarmless) {
  TRot3D r;
  r.MarkAt(1, 1, 1, 3);
  EXPECT_EQ(r.GetChartItem(-1).ItemKind, tkNone);
  EXPECT_EQ(r.GetChartItem(1).ItemKind, tkNone);
  EXPECT_EQ(r.GetItemParams(99).ItemKind, tkNone);

  Tr3ChartItem it;
  it.ItemKind = tkMoveto;
  it.x = 42;
  r.SetChartitem(1, it);
  r.SetItemParams(-3, it);
  EXPECT_EQ(r.NumItems(), 1);
  EXPECT_EQ(r.GetChartItem(0).x, 1.0);

  it.ItemKind = tkEverything;
  r.SetItemParams(0, it);
  EXPECT_EQ(r.GetChartItem(0).ItemKind, tkMarkAt);
  it.ItemKind = tkNone;
  r.SetItemParams(0, it);
  EXPECT_EQ(r.GetChartItem(0).ItemKind, tkMarkAt);
  it.ItemKind = tkMoveto;
  r.SetDataContainer(0, it);
  EXPECT_EQ(r.DataContainer(0).x, 42.0);
}

TEST(Rot3DModel, CentroidCountsBothEndsOfALine) {
  TRot3D r;
  r.Line(0, 0, 0, 6, 3, 9);
  r.MarkAt(3, 6, 0, 1);
  r.MakeVisible();
  EXPECT_EQ(r.NumRotObjects(), 3);
  EXPECT_DOUBLE_EQ(r.OriginX(), 3.0);
  EXPECT_DOUBLE_EQ(r.OriginY(), 3.0);
  EXPECT_DOUBLE_EQ(r.OriginZ(), 3.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 1000.0 / 6);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 1000.0 / 6);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 1000.0 / 9);
}

TEST(Rot3DModel, ScaleFactorsFollowIsoMetricAndAutoScale) {
  TRot3D r;
  r.MarkAt(0, 0, 0, 1);
  r.MarkAt(10, 20, 40, 1);
  r.SetIsoMetric(true);  // runs MakeVisible
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 25.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 25.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 25.0);

  r.SetIsoMetric(false);
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 100.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 25.0);

  r.SetScaleFactors(2, 3, 4);
  r.SetAutoScale(false);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 3.0);
  r.SetIsoMetric(true);  // the X factor for all three
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 2.0);

  r.SetOrigins(1, 2, 3);
  r.SetAutoOrigin(false);
  EXPECT_DOUBLE_EQ(r.OriginY(), 2.0);
  r.SetAutoOrigin(true);
  EXPECT_DOUBLE_EQ(r.OriginY(), 10.0);
}

TEST(Rot3DModel, DegenerateInputGivesUnitFactorsAndNoCrash) {
  TRot3D r;
  r.MakeVisible();  // no items
  EXPECT_EQ(r.NumRotObjects(), 0);

  r.MarkAt(5, 5, 5, 1);
  r.MarkAt(5, 5, 5, 2);
  r.MakeVisible();
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 1.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 1.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 1.0);

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  r.MarkAt(nan, 0, 0, 1);
  r.Drawto(inf, -inf, nan);
  r.MarkAt(1e308, -1e308, 0, 1);
  r.MakeVisible();
  EXPECT_TRUE(std::isfinite(r.OriginX()));
  EXPECT_TRUE(std::isfinite(r.ScaleFactX()));
  EXPECT_FALSE(r.WindowPicture().isNull());
  double d;
  EXPECT_GE(r.FindNearestItemScreen(0, 0, tkEverything, d), 0);
  EXPECT_EQ(r.FindNearestItemReal(nan, 0, 0, tkEverything, d), -1);
}

TEST(Rot3DSetters, ClampAndRoundAsDocumented) {
  TRot3D r;
  EXPECT_EQ(r.MagnifyDivisor(), 5000);
  EXPECT_DOUBLE_EQ(r.Magnification(), 0.8);
  r.SetMagnify(10);
  EXPECT_EQ(r.MagnifyDivisor(), 800);
  EXPECT_DOUBLE_EQ(r.GetMagnify(), 5.0);
  r.SetMagnify(0.01);
  EXPECT_EQ(r.MagnifyDivisor(), 40000);
  r.SetMagnify(std::nan(""));
  EXPECT_EQ(r.MagnifyDivisor(), 40000);
  r.SetMagnify(3.0);
  EXPECT_EQ(r.MagnifyDivisor(), 1333);

  EXPECT_EQ(r.BoundBoxSize(), 800);
  r.SetBoundBoxSize(5000);
  EXPECT_EQ(r.BoundBoxSize(), 4000);
  r.SetBoundBoxSize(-1);
  EXPECT_EQ(r.BoundBoxSize(), 0);
  r.SetBoundBoxSize(301);
  EXPECT_EQ(r.BoundBoxSize(), 300);
  r.SetAxSize(9000);
  EXPECT_EQ(r.AxSize(), 4000);

  EXPECT_EQ(r.CentX(), 225);
  EXPECT_EQ(r.CentY(), 150);
  r.SetCentX(-5);
  r.SetCentY(1000);
  EXPECT_EQ(r.CentX(), 0);
  EXPECT_EQ(r.CentY(), 300);

  r.SetViewAngles(1, 2, 3);
  r.SetViewAngleY(std::nan(""));
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), 2.0);
  r.SetBoundBoxStyle(7);
  EXPECT_EQ(r.BoundBoxStyle(), 2);
}

TEST(Rot3DMatrix, BothFormsAndHandedness) {
  TRot3D r;
  // Defaults (X 110, Z 210, two-axis form): first row is (cos Z, -sin Z, 0).
  EXPECT_DOUBLE_EQ(r.GetRotMat(1, 1), -0.866);
  EXPECT_DOUBLE_EQ(r.GetRotMat(1, 2), 0.5);
  EXPECT_DOUBLE_EQ(r.GetRotMat(2, 3), -0.94);
  EXPECT_EQ(r.GetRotMat(0, 1), 0.0);
  EXPECT_EQ(r.GetRotMat(1, 4), 0.0);

  r.SetViewAngles(90, 0, 0);
  EXPECT_DOUBLE_EQ(r.RotMat(2, 2), 0.0);
  EXPECT_DOUBLE_EQ(r.RotMat(2, 3), -1.0);
  EXPECT_DOUBLE_EQ(r.RotMat(3, 2), 1.0);

  r.SetViewAngles(0, 90, 0);  // Y has no effect in the two-axis form
  EXPECT_DOUBLE_EQ(r.RotMat(1, 1), 1.0);
  r.SetMRot3Axes(true);
  EXPECT_DOUBLE_EQ(r.RotMat(1, 1), 0.0);
  EXPECT_DOUBLE_EQ(r.RotMat(1, 3), 1.0);
  EXPECT_DOUBLE_EQ(r.RotMat(3, 1), -1.0);

  r.SetViewAngles(30, 40, 50);
  double left[3][3];
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) left[i - 1][j - 1] = r.RotMat(i, j);
  r.SetAxDir(adRightHanded);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(r.RotMat(i, 1), left[i - 1][1]);
    EXPECT_EQ(r.RotMat(i, 2), left[i - 1][0]);
    EXPECT_EQ(r.RotMat(i, 3), left[i - 1][2]);
  }
}

TEST(Rot3DSearch, NearestInWorldSpace) {
  TRot3D r;
  r.MarkAt(0, 0, 0, 1);
  r.Moveto(3, 4, 0);
  r.MarkAt(3, 4, 0, 1);
  double d = 0;
  EXPECT_EQ(r.FindNearestItemReal(3, 4, 1, tkEverything, d), 1);  // first of equals
  EXPECT_DOUBLE_EQ(d, 1.0);
  EXPECT_EQ(r.FindNearestItemReal(3, 4, 1, tkMarkAt, d), 2);
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkLine, d), -1);
  EXPECT_EQ(d, std::numeric_limits<double>::max());
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkNone, d), -1);
}

TEST(Rot3DSearch, LineIsFoundOnScreenThroughEitherEnd) {
  TRot3D r;
  r.SetViewAngles(0, 0, 0);
  r.SetMagnify(4.0);  // one model unit per pixel
  r.MarkAt(-500, -500, 0, 1);
  r.Line(-500, 500, 0, 500, 500, 0);
  r.MakeVisible();
  ASSERT_EQ(r.NumRotObjects(), 3);
  // Centroid (-500/3, 500/3, 0); x and y span 1000 units, so one world unit is one pixel.
  const int ox = 225 - int(std::nearbyint(-500.0 / 3));
  const int oy = 150 - int(std::nearbyint(500.0 / 3));
  double d = -1;
  EXPECT_EQ(r.FindNearestItemScreen(ox - 500, oy + 500, tkEverything, d), 1);
  EXPECT_LE(d, 1.5);
  EXPECT_EQ(r.FindNearestItemScreen(ox + 500, oy + 500, tkLine, d), 1);
  EXPECT_EQ(r.FindNearestItemScreen(ox + 500, oy + 500, tkMarkAt, d), 0);
  EXPECT_EQ(r.FindNearestItemScreen(0, 0, tkMoveto, d), -1);
  EXPECT_EQ(d, std::numeric_limits<double>::max());

  r.Clear();  // objects stay, but their items are gone
  EXPECT_EQ(r.NumRotObjects(), 3);
  EXPECT_EQ(r.FindNearestItemScreen(0, 0, tkEverything, d), -1);
  r.MakeVisible();
  EXPECT_EQ(r.NumRotObjects(), 0);
}
