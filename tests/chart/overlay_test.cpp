// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>

#include <QImage>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::At;

// Reaches the trace steps the mouse handling uses.
class OverlayChart : public TRChart {
 public:
  using TCustomRChart::MouseTraceEndStroke;
  using TCustomRChart::MouseTraceStep;
};

// 400 x 300, data area 50..390 by 16..268, world 0..10 on both axes of both layers; one text
// item so that every rebuild of the items is counted.
class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    c.SetBounds(0, 0, 400, 300);
    c.SetLRim(50);
    c.SetRRim(10);
    c.SetTRim(16);
    c.SetBRim(32);
    c.SetRange(1, 0, 0, 10, 10);
    c.SetRange(2, 0, 0, 10, 10);
    c.Text(5.0, 5.0, 8, "t");
    c.OnBeforeRenderText = [this](TObject*, std::string&, int, bool) { ++rebuilds; };
    Pic();
  }
  const QImage& Pic() { return c.WindowPicture(); }
  TPoint Pixel(int layer, double x, double y) {
    TPoint p;
    c.R2M(layer, x, y, p.X, p.Y);
    return p;
  }
  OverlayChart c;
  int rebuilds = 0;
};

}  // namespace

TEST_F(Overlay, LinesOfEachModeAtTheCrossHairPixel) {
  c.CrossHairSetup(1, clRed, 3, psSolid, 1);
  c.CrossHairSetPos(1, 2.0, 7.0);
  const TPoint p = Pixel(1, 2.0, 7.0);
  const QImage& img = Pic();
  // Horizontal line from LRim + 1 to the last pixel before the right frame; vertical likewise.
  EXPECT_EQ(At(img, 51, p.Y), clRed);
  EXPECT_EQ(At(img, 389, p.Y), clRed);
  EXPECT_EQ(At(img, 390, p.Y), clBlack);  // frame untouched
  EXPECT_EQ(At(img, p.X, 17), clRed);
  EXPECT_EQ(At(img, p.X, 267), clRed);
  EXPECT_EQ(At(img, p.X + 1, 100), clWhite);

  c.CrossHairSetup(1, clBlue, 1, psSolid, 1);  // horizontal only: the vertical line goes
  const QImage& img1 = Pic();
  EXPECT_EQ(At(img1, p.X, 100), clWhite);
  EXPECT_EQ(At(img1, 100, p.Y), clBlue);

  c.CrossHairSetup(1, clBlue, 2, psSolid, 1);
  const QImage& img2 = Pic();
  EXPECT_EQ(At(img2, p.X, 100), clBlue);
  EXPECT_EQ(At(img2, 100, p.Y), clWhite);
}

TEST_F(Overlay, CrossAndBoxModes) {
  c.CrossHairSetup(2, clGreen, 4, psSolid, 1);
  c.CrossHairSetPos(2, 3.0, 3.0);
  const TPoint p = Pixel(2, 3.0, 3.0);
  {
    const QImage& img = Pic();
    EXPECT_EQ(At(img, p.X - 13, p.Y), clGreen);
    EXPECT_EQ(At(img, p.X + 13, p.Y), clGreen);
    EXPECT_EQ(At(img, p.X + 14, p.Y), clWhite);  // LineTo leaves its end pixel
    EXPECT_EQ(At(img, p.X, p.Y - 13), clGreen);
    EXPECT_EQ(At(img, p.X - 3, p.Y - 3), clWhite);  // white box corner over the chart colour
    EXPECT_EQ(At(img, p.X - 2, p.Y - 2), clBlack);  // black inner box
    EXPECT_EQ(At(img, p.X + 2, p.Y + 2), clBlack);
    EXPECT_EQ(At(img, p.X - 6, p.Y - 6), clWhite);
  }
  c.CrossHairSetup(2, clGreen, 5, psSolid, 1);
  const QImage& img = Pic();
  EXPECT_EQ(At(img, p.X - 4, p.Y - 4), clGreen);
  EXPECT_EQ(At(img, p.X + 4, p.Y + 4), clGreen);
  EXPECT_EQ(At(img, p.X - 13, p.Y), clWhite);  // no arms in box mode
  EXPECT_EQ(At(img, p.X, p.Y), clWhite);       // box only, not filled
}

TEST_F(Overlay, CrossHairUsesItsOwnLayer) {
  c.SetRange(2, 0, 0, 20, 20);
  c.CrossHairSetup(2, clRed, 2, psSolid, 1);  // cross-hair 2 lives on layer 2
  c.CrossHairSetPos(2, 10.0, 10.0);
  const TPoint p2 = Pixel(2, 10.0, 10.0), p1 = Pixel(1, 10.0, 10.0);
  ASSERT_NE(p1.X, p2.X);
  EXPECT_EQ(At(Pic(), p2.X, 100), clRed);
}

TEST_F(Overlay, LinesNearTheEdgeWithinHalfALineWidthAreNotDrawn) {
  // Width 5: c = 2, so a horizontal line needs TRim + 2 < y.
  c.CrossHairSetup(1, clRed, 1, psSolid, 5);
  double rx, ry;
  c.M2R(1, 100, 18, rx, ry);  // y = TRim + 2
  c.CrossHairSetPos(1, rx, ry);
  EXPECT_EQ(At(Pic(), 200, 20), clWhite);
  EXPECT_EQ(At(Pic(), 200, 18), clWhite);
  c.M2R(1, 100, 19, rx, ry);  // one pixel further in: drawn, starting at LRim + c + 1
  c.CrossHairSetPos(1, rx, ry);
  EXPECT_EQ(At(Pic(), 200, 19), clRed);
  EXPECT_EQ(At(Pic(), 53, 19), clRed);
  // Far outside: nothing, and no wrap-around of huge pixel values.
  c.CrossHairSetPos(1, 1e300, -1e300);
  EXPECT_EQ(At(Pic(), 200, 19), clWhite);
}

TEST_F(Overlay, SmallCrossNearTheFrameStaysInsideTheDataArea) {
  c.CrossHairSetup(1, clRed, 4, psSolid, 1);
  double rx, ry;
  c.M2R(1, 52, 100, rx, ry);
  c.CrossHairSetPos(1, rx, ry);
  const QImage& img = Pic();
  EXPECT_EQ(At(img, 51, 100), clRed);
  EXPECT_EQ(At(img, 50, 100), clBlack);                // frame
  EXPECT_EQ(At(img, 45, 100), ColorToRGB(clBtnFace));  // outside: untouched
}

TEST_F(Overlay, MovingACrossHairRedrawsTheOverlayNotTheItems) {
  c.CrossHairSetup(1, clRed, 3, psSolid, 1);
  const int before = rebuilds;
  c.CrossHairSetPos(1, 3.0, 3.0);
  c.SetCHPosX(1, 4.0);
  c.SetCHPosY(1, 6.0);
  c.CrossHair1()->SetPos(7.0, 8.0);  // through the object
  c.CrossHair1()->SetCrossHColor(clBlue);
  EXPECT_EQ(rebuilds, before);
  EXPECT_DOUBLE_EQ(c.CrossHairPosX(1), 7.0);
  EXPECT_DOUBLE_EQ(c.CrossHairPosY(1), 8.0);
  // The old lines are gone, the new ones shown, the item kept.
  const TPoint old = Pixel(1, 4.0, 6.0), now = Pixel(1, 7.0, 8.0);
  const QImage& img = Pic();
  EXPECT_EQ(At(img, old.X, 30), clWhite);
  EXPECT_EQ(At(img, 100, old.Y), clWhite);
  EXPECT_EQ(At(img, now.X, 30), clBlue);
  EXPECT_EQ(At(img, 100, now.Y), clBlue);
  EXPECT_EQ(rebuilds, before);
}

TEST_F(Overlay, IndexesOutsideOneToFourAreIgnored) {
  c.CrossHairSetPos(0, 1, 1);
  c.CrossHairSetPos(5, 1, 1);
  c.CrossHairSetup(-1, clRed, 3, psSolid, 1);
  c.SetCHPosX(7, 3);
  EXPECT_EQ(c.CrossHairPosX(0), 0);
  EXPECT_EQ(c.CrossHairPosY(5), 0);
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(c.CrossHairPosX(n), 0);
    EXPECT_EQ(c.CrossHair(n)->Mode(), 0);
  }
}

TEST_F(Overlay, ExportsCarryCrossHairsOnlyWhenAsked) {
  c.CrossHairSetup(1, clRed, 2, psSolid, 1);
  c.CrossHairSetPos(1, 5.0, 5.0);
  const int x = Pixel(1, 5.0, 5.0).X;
  TBitmap with, without;
  ASSERT_TRUE(c.CopyToBitmap(with, false, true));
  ASSERT_TRUE(c.CopyToBitmap(without, false, false));
  EXPECT_EQ(with.Canvas().Pixels(x, 40), clRed);
  EXPECT_EQ(without.Canvas().Pixels(x, 40), clWhite);
}

// ------------------------------------------------------------------ mouse trace

TEST_F(Overlay, TraceStopsAtItsCapacity) {
  for (int i = 0; i < TCustomRChart::kMaxMouseTrace + 10; ++i) c.MouseTraceStep(60 + i % 300, 100);
  EXPECT_EQ(c.NumMouseTrace(), TCustomRChart::kMaxMouseTrace);
  EXPECT_NE(c.MouseTrace(TCustomRChart::kMaxMouseTrace).flags, 0xFFFF);
}

TEST_F(Overlay, TracePointsByIndex) {
  c.SetMouseTraceColor(clRed);
  c.SetMouseTraceInvert(false);
  c.MouseTraceStep(50 + 34, 16 + 126);
  c.MouseTraceEndStroke();
  c.SetMouseTraceInvert(true);
  c.MouseTraceStep(100, 100);
  ASSERT_EQ(c.NumMouseTrace(), 2);
  const TColoredPoint p = c.MouseTrace(1);
  double rx, ry;
  c.M2R(1, 84, 142, rx, ry);
  EXPECT_DOUBLE_EQ(p.x, rx);
  EXPECT_DOUBLE_EQ(p.y, ry);
  EXPECT_EQ(p.color, clRed);
  EXPECT_EQ(p.flags, 1);                // stroke end, copy mode
  EXPECT_EQ(c.MouseTrace(2).flags, 2);  // inverting
  for (int i : {0, -1, 3, 5000}) EXPECT_EQ(c.MouseTrace(i).flags, 0xFFFF) << i;
  c.MouseTraceEndStroke();
  EXPECT_EQ(c.GetMTracePoint(2).flags, 3);
}

TEST_F(Overlay, InvertingSegmentsVanishWhenDrawnTwice) {
  const QImage before = Pic().copy();
  c.MouseTraceStep(100, 100);
  c.MouseTraceStep(200, 150);
  const QImage& drawn = Pic();
  EXPECT_EQ(At(drawn, 150, 125), clBlack);  // white inverted over white
  // The same segment again (a new stroke through the same points) restores the picture.
  c.MouseTraceEndStroke();
  c.MouseTraceStep(100, 100);
  c.MouseTraceStep(200, 150);
  EXPECT_EQ(Pic(), before);
}

TEST_F(Overlay, StrokeEndsDrawNoSegmentAndSurviveRepaints) {
  c.SetMouseTraceColor(clRed);
  c.SetMouseTraceInvert(false);
  c.MouseTraceStep(100, 100);
  c.MouseTraceStep(200, 100);
  c.MouseTraceEndStroke();
  c.MouseTraceStep(200, 200);  // new stroke: no segment from (200, 100)
  c.MouseTraceStep(300, 200);
  auto check = [&](const char* when) {
    const QImage& img = Pic();
    EXPECT_EQ(At(img, 150, 100), clRed) << when;
    EXPECT_EQ(At(img, 250, 200), clRed) << when;
    EXPECT_EQ(At(img, 200, 150), clWhite) << when;
  };
  check("live");
  c.CrossHairSetup(1, clBlue, 5, psSolid, 1);  // overlay redraw keeps the strokes
  check("after an overlay redraw");
  c.Invalidate();
  check("after a full paint");
  c.ShowGraf();
  check("after showing the items");
}

TEST_F(Overlay, ClearMouseTraceRemovesStrokesFromThePicture) {
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clRed);
  c.MouseTraceStep(100, 100);
  c.MouseTraceStep(200, 100);
  ASSERT_EQ(At(Pic(), 150, 100), clRed);
  c.ClearMouseTrace();
  EXPECT_EQ(c.NumMouseTrace(), 0);
  EXPECT_EQ(c.MouseTrace(1).flags, 0xFFFF);
  EXPECT_EQ(At(Pic(), 150, 100), clWhite);
  c.MouseTraceEndStroke();  // on an empty trace: nothing
  EXPECT_EQ(c.NumMouseTrace(), 0);
}

TEST_F(Overlay, ClearGrafEmptiesTheTraceAndDefaultsAreWhiteInverting) {
  EXPECT_EQ(c.MouseTraceColor(), TColor(0xFFFFFF));
  EXPECT_TRUE(c.MouseTraceInvert());
  c.MouseTraceStep(100, 100);
  c.ClearGraf();
  EXPECT_EQ(c.NumMouseTrace(), 0);
}

TEST_F(Overlay, ObjectChangesFollowAutoRedrawTheChartOperationsDoNot) {
  const int before = rebuilds;
  c.CrossHairSetup(1, clRed, 2, psSolid, 1);
  c.SetAutoRedraw(false);
  c.CrossHair1()->SetPos(2.0, 2.0);  // waits for the next paint
  const int x2 = Pixel(1, 2.0, 2.0).X, x8 = Pixel(1, 8.0, 8.0).X;
  EXPECT_EQ(At(Pic(), x2, 100), clWhite);
  c.CrossHairSetPos(1, 8.0, 8.0);  // shows at once
  EXPECT_EQ(At(Pic(), x8, 100), clRed);
  EXPECT_EQ(rebuilds, before);
}
