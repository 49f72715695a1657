// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/host/bitmap.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "chart_fixture.h"

using namespace zyr;

namespace {

const double kNothing = std::sqrt(uc_MaxDouble);
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// 400 x 300 with margins 50, 10, 16, 32: the data area is 340 x 252 pixels, so X 0..10 gives
// 34 pixels per unit from pixel 50 and Y 0..12 gives 21 pixels per unit up from pixel 268.
void KnownGeometry(TCustomRChart& c) {
  zyr::test::Geometry400x300(c);
  c.SetRange(0, 0, 0, 10, 12);
}
int Px(double x) { return int(50 + 34 * x); }
int Py(double y) { return int(268 - 21 * y); }

}  // namespace

TEST(HitTestData, EmptyChartAndEmptySelectionsFindNothing) {
  TRChart c;
  KnownGeometry(c);
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkEverything, 255, d), -1);
  EXPECT_EQ(d, kNothing);
  EXPECT_EQ(c.FindNearestItemScreen(1, 1, tkEverything, 255, true, d), -1);
  EXPECT_EQ(d, kNothing);
  EXPECT_EQ(c.FindNearestItemAlongAxis(1, 0, tkEverything, 255, d), -1);
  EXPECT_EQ(c.FindNearestAnnoElem(1, 1, tkEverything, 255, false, d), -1);
  EXPECT_EQ(d, kNothing);

  c.MarkAt(1.0, 1.0, 2);
  // tkNone selects nothing, another class or kind nothing either.
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkNone, 255, d), -1);
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkEverything, 3, d), -1);
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkLineto, 255, d), -1);
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkMarkAt, 0, d), 0);
  EXPECT_EQ(d, 0);
  // Axes other than x and y.
  EXPECT_EQ(c.FindNearestItemAlongAxis(1, 2, tkEverything, 255, d), -1);
  EXPECT_EQ(d, kNothing);
}

TEST(HitTestData, RealDistanceTiesMovesAndVisibility) {
  TRChart c;
  KnownGeometry(c);
  c.MoveTo(2.0, 2.0);  // 0: exactly at the query, but a move
  c.DrawTo(5.0, 2.0);  // 1: 3 away
  c.DrawTo(2.0, 5.0);  // 2: 3 away as well: the earlier one wins
  c.SetActiveLayer(2);
  c.MarkAt(3.0, 2.0, 1);  // 3: 1 away, layer 2
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkEverything, 255, d), 0);
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkNotMoveTo, 255, d), 3);
  EXPECT_DOUBLE_EQ(d, 1);
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkLineto, 255, d), 1);
  EXPECT_DOUBLE_EQ(d, 3);
  c.SetLayerVisible(2, false);
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkNotMoveTo, 255, true, d), 1);
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkNotMoveTo, 255, false, d), 3);
}

TEST(HitTestData, NonFiniteValuesGiveDefinedAnswers) {
  TRChart c;
  KnownGeometry(c);
  c.MarkAt(kNaN, 1.0, 1);
  c.MarkAt(4.0, 4.0, 1);
  double d = 0;
  // The NaN item is never found, a NaN query finds nothing.
  EXPECT_EQ(c.FindNearestItemReal(0, 1, tkEverything, 255, d), 1);
  EXPECT_EQ(c.FindNearestItemScreen(0, 1, tkEverything, 255, d), 1);
  EXPECT_EQ(c.FindNearestItemAlongAxis(0, 0, tkEverything, 255, d), 1);
  EXPECT_EQ(c.FindNearestItemReal(kNaN, 1, tkEverything, 255, d), -1);
  EXPECT_EQ(d, kNothing);
  EXPECT_EQ(c.FindNearestItemScreen(1, kNaN, tkEverything, 255, d), -1);
  EXPECT_EQ(c.FindNearestItemAlongAxis(kNaN, 1, tkEverything, 255, d), -1);
  // A far item whose squared distance overflows is still the nearest one there is.
  TRChart far;
  far.MarkAt(1e200, 1e200, 1);
  EXPECT_EQ(far.FindNearestItemReal(0, 0, tkEverything, 255, d), 0);
  EXPECT_TRUE(std::isinf(d));
  // Infinite queries on screen land on the 32-bit pixel limit, not on undefined values.
  EXPECT_EQ(c.FindNearestItemScreen(HUGE_VAL, 4, tkEverything, 255, d), 1);
  EXPECT_GT(d, 1e9);
}

TEST(HitTestData, ScreenDistanceUsesPixelsOfTheItemsLayer) {
  TRChart c;
  KnownGeometry(c);
  c.MarkAt(3.0, 2.0, 1);  // 34 pixels right of (2, 2)
  c.MarkAt(2.0, 3.0, 1);  // 21 pixels above: nearer on screen although equal in world
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(2, 2, tkEverything, 255, d), 0);
  EXPECT_EQ(c.FindNearestItemScreen(2, 2, tkEverything, 255, d), 1);
  EXPECT_DOUBLE_EQ(d, 21);
  // A layer-2 item drawn right at the query pixel although its world values differ.
  c.SetRange(2, 0, 0, 100, 120);
  c.SetActiveLayer(2);
  c.MarkAt(20.0, 20.0, 1);
  c.SetActiveLayer(1);
  EXPECT_EQ(c.FindNearestItemScreen(2, 2, tkEverything, 255, d), 2);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestItemScreen(2, 2, tkEverything, 255, true, d), 2);
  c.SetLayerVisible(2, false);
  EXPECT_EQ(c.FindNearestItemScreen(2, 2, tkEverything, 255, true, d), 1);
}

TEST(HitTestData, AlongAxisMeasuresOnePixelCoordinate) {
  TRChart c;
  KnownGeometry(c);
  c.MarkAt(9.0, 1.0, 1);
  c.MarkAt(0.0, 6.0, 1);  // y pixel 21 from that of y = 5
  c.MarkAt(5.0, 3.0, 1);
  double d = 0;
  EXPECT_EQ(c.FindNearestItemAlongAxis(5, 1, tkEverything, 255, d), 1);
  EXPECT_DOUBLE_EQ(d, 21);
  EXPECT_EQ(c.FindNearestItemAlongAxis(5, 0, tkEverything, 255, d), 2);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestItemAlongAxis(8, 0, tkEverything, 255, d), 0);
  EXPECT_DOUBLE_EQ(d, 34);
}

TEST(HitTestData, ScreenCoordinatesOfEveryMode) {
  TRChart c;
  KnownGeometry(c);
  TrcChartItem it;
  TCustomRChart::ClearChartItem(it);
  it.x = 1;
  it.y = 2;
  it.x2 = 3.4;
  it.y2 = 4.6;
  struct Case {
    TCoordMode m;
    int x1, y1, x2, y2;
  } cases[] = {
      {cmAllWorld, Px(1), Py(2), int(std::lround(50 + 34 * 3.4)), int(std::lround(268 - 21 * 4.6))},
      {cmAllScreen, 51, 18, 53, 21},
      {cmWorldMainScreenSec, Px(1), Py(2), 53, 21},
      {cmScreenMainWorldSec, 51, 18, int(std::lround(50 + 34 * 3.4)),
       int(std::lround(268 - 21 * 4.6))},
      {cmXScreenYWorld, 51, Py(2), 53, int(std::lround(268 - 21 * 4.6))},
      {cmXWorldYScreen, Px(1), 18, int(std::lround(50 + 34 * 3.4)), 21},
  };
  for (const Case& k : cases) {
    it.CoordMode = k.m;
    int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    c.ConvertToScreenCoords(it, x1, y1, x2, y2);
    EXPECT_EQ(x1, k.x1) << int(k.m);
    EXPECT_EQ(y1, k.y1) << int(k.m);
    EXPECT_EQ(x2, k.x2) << int(k.m);
    EXPECT_EQ(y2, k.y2) << int(k.m);
  }
  // Screen values round half to even; unknown modes leave the outputs alone.
  it.CoordMode = cmAllScreen;
  it.x = 0.5;
  it.y = 1.5;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  c.ConvertToScreenCoords(it, x1, y1, x2, y2);
  EXPECT_EQ(x1, 50);
  EXPECT_EQ(y1, 18);
  it.CoordMode = TCoordMode(9);
  x1 = y1 = x2 = y2 = -7;
  c.ConvertToScreenCoords(it, x1, y1, x2, y2);
  EXPECT_EQ(x1 + y1 + x2 + y2, -28);
  // NaN and far screen values stay inside the int range.
  it.CoordMode = cmAllScreen;
  it.x = kNaN;
  it.y = -1e300;
  c.ConvertToScreenCoords(it, x1, y1, x2, y2);
  EXPECT_EQ(x1, 2147483647);
  EXPECT_EQ(y1, -2147483647);
}

TEST(HitTestMarking, WindowAndKindReclassing) {
  TRChart c;
  KnownGeometry(c);
  c.MoveTo(2.0, 3.0);     // 0 inside
  c.DrawTo(1.0, 2.0);     // 1 inside, on the corner
  c.DrawTo(3.5, 3.0);     // 2 outside in x
  c.SetActiveLayer(2);    // layers do not matter
  c.MarkAt(3.0, 4.0, 1);  // 3 inside, on the other corner
  c.SetLayerVisible(2, false);
  EXPECT_EQ(c.MarkItemsInWindow(3, 4, 1, 2, tkEverything, 7), 3);
  const int expected[] = {7, 7, 0, 7};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c.DataContainer(i).ItemClass, expected[i]) << i;
  EXPECT_EQ(c.MarkItemsInWindow(3, 4, 1, 2, tkNotMoveTo, 9), 2);
  EXPECT_EQ(c.DataContainer(0).ItemClass, 7);
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 10, 10, tkEverything, 255), 0);
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 10, 10, tkNone, 4), 0);
  EXPECT_EQ(c.MarkItemsInWindow(kNaN, 0, 10, 10, tkEverything, 4), 0);
  EXPECT_EQ(c.DataContainer(2).ItemClass, 0);

  c.MarkAllItems(tkLineto, 5);
  EXPECT_EQ(c.DataContainer(1).ItemClass, 5);
  EXPECT_EQ(c.DataContainer(2).ItemClass, 5);
  EXPECT_EQ(c.DataContainer(0).ItemClass, 7);
  c.MarkAllItems(tkEverything, 255);  // ignored
  c.MarkAllItems(tkNone, 1);          // ignored
  EXPECT_EQ(c.DataContainer(0).ItemClass, 7);
  EXPECT_EQ(c.DataContainer(3).ItemClass, 9);
  // The class now steers the searches.
  double d;
  EXPECT_EQ(c.FindNearestItemReal(0, 0, tkEverything, 5, d), 1);
  // Charts that share the data see the new classes.
  TRChart user;
  user.SetUseDataOf(&c);
  c.MarkAllItems(tkEverything, 3);
  EXPECT_EQ(user.DataContainer(2).ItemClass, 3);
}

TEST(HitTestAnno, PointsSegmentsRectanglesAndCursors) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  c.MarkAt(100, 100, 1);            // 0: screen point, control pixel (150, 116)
  c.Line(1.0, 1.0, 3.0, 1.0);       // 1: segment along y pixel Py(1)
  c.Rectangle(6.0, 6.0, 8.0, 8.0);  // 2
  c.CursorVert(9.0);                // 3
  c.MoveTo(5.0, 5.0);               // 4: no candidate
  c.MoveToRelPix(0, 0);             // 5: no candidate
  double d = 0;
  // Beyond the end of the segment the distance is to the end point.
  EXPECT_EQ(c.FindNearestAnnoElem(0, 1, tkLine, 255, false, d), 1);
  EXPECT_DOUBLE_EQ(d, 34);
  EXPECT_EQ(c.FindNearestAnnoElem(2, 2, tkLine, 255, false, d), 1);
  EXPECT_DOUBLE_EQ(d, 21);
  // Inside the rectangle.
  EXPECT_EQ(c.FindNearestAnnoElem(7, 7, tkEverything, 255, false, d), 2);
  EXPECT_EQ(d, 0);
  // Only the x distance counts for a vertical cursor.
  EXPECT_EQ(c.FindNearestAnnoElem(9.5, 11, tkEverything, 255, false, d), 3);
  EXPECT_DOUBLE_EQ(d, 17);
  // The screen mark: control pixel = value + margins.
  EXPECT_EQ(c.FindNearestAnnoElem(100.0 / 34, (268 - 116) / 21.0, tkMarkAt, 255, false, d), 0);
  EXPECT_NEAR(d, 0, 1e-9);
  // Moves are never found, not even with their own kind.
  EXPECT_EQ(c.FindNearestAnnoElem(5, 5, tkMoveTo, 255, false, d), -1);
  EXPECT_EQ(c.FindNearestAnnoElem(5, 5, tkMoveRelPix, 255, false, d), -1);
  // Hidden layers only with OnlyVisible.
  c.SetLayerVisible(1, false);
  EXPECT_EQ(c.FindNearestAnnoElem(7, 7, tkEverything, 255, true, d), -1);
  EXPECT_EQ(c.FindNearestAnnoElem(7, 7, tkEverything, 255, false, d), 2);
}

TEST(HitTestAnno, BarBackFaceAndPixelSizedShapes) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  // Depth 30 at 90 degrees: the back face is the front one 30 pixels higher.
  c.Bar3D(2.0, 2.0, 4.0, 4.0, 30, 90);
  c.RectangleRelPix(8.0, 2.0, 5, 10);
  c.LineOffset(1.0, 10.0, 3.0, 10.0, 0, -21);  // drawn at y = 11
  double d = 0;
  // 40 pixels above the front face's top edge, 10 above the back face's.
  const double above = 4.0 + 40.0 / 21;
  EXPECT_EQ(c.FindNearestAnnoElem(3, above, tk3DBar, 255, false, d), 0);
  EXPECT_DOUBLE_EQ(d, 10);
  // Half width 5 pixels, so 12 pixels right of the centre is 7 away.
  EXPECT_EQ(c.FindNearestAnnoElem(8 + 12.0 / 34, 2, tkEverything, 255, false, d), 1);
  EXPECT_DOUBLE_EQ(d, 7);
  EXPECT_EQ(c.FindNearestAnnoElem(2, 11, tkEverything, 255, false, d), 2);
  EXPECT_EQ(d, 0);
}

TEST(HitTestAnno, EllipseFocalMeasure) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  c.Ellipse(5.0, 6.0, 4.0, 3.0);  // foci at 5 -/+ sqrt(7)
  c.MarkAt(0.0, 0.0, 1);
  double d = 0;
  EXPECT_EQ(c.FindNearestAnnoElem(6, 7, tkEverything, 255, false, d), 0);
  EXPECT_EQ(d, 0);
  // On the major axis 1 beyond the vertex: the focal distances add up to 10, less 2A = 8.
  EXPECT_EQ(c.FindNearestAnnoElem(10, 6, tkEllipse, 255, false, d), 0);
  EXPECT_NEAR(d, std::sqrt(2.0), 1e-12);
  // Tall ellipse: foci on the vertical axis.
  TRChart t;
  KnownGeometry(t);
  t.SetAnnoMode(true);
  t.Ellipse(5.0, 6.0, -3.0, 4.0);
  EXPECT_EQ(t.FindNearestAnnoElem(5, 11, tkEllipse, 255, false, d), 0);
  EXPECT_NEAR(d, std::sqrt(2.0), 1e-12);
  EXPECT_EQ(t.FindNearestAnnoElem(7.9, 6, tkEllipse, 255, false, d), 0);
  EXPECT_EQ(d, 0);
}

TEST(HitTestAnno, ArcsOnlyWithinTheirSweep) {
  TRChart c;
  zyr::test::Geometry400x300(c);
  c.SetRange(0, 0, 0, 10, 7.411764705882353);  // 34 pixels per unit on both axes
  c.SetAnnoMode(true);
  c.Arc(5.0, 3.0, 2.0, 2.0, 0.0, std::numbers::pi / 2);  // upper right quarter
  double d = 0;
  // Just outside the arc at 45 degrees.
  const double r = 2.5 / std::sqrt(2.0);
  EXPECT_EQ(c.FindNearestAnnoElem(5 + r, 3 + r, tkArc, 255, false, d), 0);
  EXPECT_NEAR(d, 17, 1.5);
  // Lower left: outside the sweep.
  EXPECT_EQ(c.FindNearestAnnoElem(5 - r, 3 - r, tkArc, 255, false, d), -1);
  // A sweep across the negative x axis (from 135 to -135 degrees).
  c.ClearAnnotations();
  c.Arc(5.0, 3.0, 2.0, 2.0, 3 * std::numbers::pi / 4, -3 * std::numbers::pi / 4);
  EXPECT_EQ(c.FindNearestAnnoElem(2.5, 3, tkArc, 255, false, d), 0);
  EXPECT_NEAR(d, 17, 1.5);
  EXPECT_EQ(c.FindNearestAnnoElem(7.5, 3, tkArc, 255, false, d), -1);
}

TEST(HitTestAnno, TextBoxesAsDrawn) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  const std::string s = "Hit me";
  c.SetTextAlignment(taLeftJustify);
  c.Text(100, 100, 12, s);  // anchor at control pixel (150, 116)
  c.TextFont().SetStyle(TFontStyles(fsBold));
  // Measured as the drawing measures it: name and style of TextFont, the item's size.
  TCanvas cv;
  cv.Font().SetName(c.TextFont().Name());
  cv.Font().SetStyle(c.TextFont().Style());
  cv.Font().SetSize(12);
  int w, h, lh;
  c.CalcTextExtents(s, cv, w, h, lh);
  ASSERT_GT(w, 10);
  auto world = [](int px, int py, double& x, double& y) {
    x = (px - 50) / 34.0;
    y = (268 - py) / 21.0;
  };
  double x, y, d = 0;
  // Inside, near the right end of the text.
  world(150 + w - 2, 116, x, y);
  EXPECT_EQ(c.FindNearestAnnoElem(x, y, tkText, 255, false, d), 0);
  EXPECT_NEAR(d, 0, 1e-9);
  // Left of the box by 20 pixels, level with the anchor.
  world(130, 116, x, y);
  c.FindNearestAnnoElem(x, y, tkEverything, 255, false, d);
  EXPECT_NEAR(d, 20, 1e-9);
  // Centred: the box starts half a width to the left.
  c.ClearAnnotations();
  c.SetTextAlignment(taCenter);
  c.Text(100, 100, 12, s);
  world(150 - w / 2 - 20, 116, x, y);
  c.FindNearestAnnoElem(x, y, tkEverything, 255, false, d);
  EXPECT_NEAR(d, 20, 1e-9);
  // Right aligned and shifted by a pixel offset (tkTextOfs): the box ends at the anchor.
  c.ClearAnnotations();
  c.Text(2.0, 2.0, 12, s, 10, -5, taRightJustify);
  ASSERT_EQ(c.AnnoContainer(0).ItemKind, tkTextOfs);
  world(Px(2) + 10 + 20, Py(2) - 5, x, y);
  EXPECT_EQ(c.FindNearestAnnoElem(x, y, tkTextOfs, 255, false, d), 0);
  EXPECT_NEAR(d, 20, 1e-9);
  // The box is lineH / 2 above the anchor.
  world(Px(2) + 10 - 1, Py(2) - 5 - lh / 2 - 15, x, y);
  c.FindNearestAnnoElem(x, y, tkTextOfs, 255, false, d);
  EXPECT_NEAR(d, 15, 1e-9);
}

TEST(HitTestAnno, TextHandlerSeesAnnotationsAndShapesTheBox) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  c.SetTextAlignment(taLeftJustify);
  c.Text(100, 100, 10, std::string("a"));
  int calls = 0;
  c.OnBeforeRenderText = [&](TObject* Sender, std::string& Text, int Index, bool IsAnnotation) {
    EXPECT_EQ(Sender, &c);
    EXPECT_EQ(Index, 0);
    EXPECT_TRUE(IsAnnotation);
    Text = "a much longer text\nin two lines";
    ++calls;
  };
  TCanvas cv;
  cv.Font().SetName(c.TextFont().Name());
  cv.Font().SetSize(10);
  int w, h, lh;
  ASSERT_EQ(c.CalcTextExtents("a much longer text\nin two lines", cv, w, h, lh), 2);
  // A point on the second line, far right of the single letter, is inside the box.
  double d = 1;
  const double x = (150 + w - 3 - 50) / 34.0, y = (268 - (116 - lh / 2 + lh + 2)) / 21.0;
  EXPECT_EQ(c.FindNearestAnnoElem(x, y, tkText, 255, false, d), 0);
  EXPECT_NEAR(d, 0, 1e-9);
  EXPECT_EQ(calls, 1);
  // The handler only shapes the search: the stored text stays.
  EXPECT_EQ(c.AnnoLongText(0), "a");
}

// Every pixel that drawing puts down for a text or an arc annotation is where the search
// finds that annotation.
TEST(HitTestAnno, DrawnPixelsAreHits) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  c.SetDataColor(clBlack);
  c.Text(4.0, 6.0, 14, std::string("Wide text"), 7, 3, taRightJustify);
  c.Arc(7.0, 6.0, 2.0, 3.0, -2.5, 2.5);  // the right side, round through angle 0
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(340, 252);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect(TRect{0, 0, 340, 252});
  c.DrawAllItems(bmp.Canvas(), 0, 0, false);
  const TrcItem kinds[] = {tkTextOfs, tkArc};
  int drawn[2] = {0, 0};
  for (int py = 0; py < 252; ++py)
    for (int px = 0; px < 340; ++px) {
      if (bmp.Canvas().Pixels(px, py) == clWhite) continue;
      const double x = px / 34.0, y = (252 - py) / 21.0;
      for (int k = 0; k < 2; ++k) {
        double d = 1e9;
        if (c.FindNearestAnnoElem(x, y, kinds[k], 255, false, d) == k && d <= 1.5) ++drawn[k];
      }
      double d = 1e9;
      EXPECT_NE(c.FindNearestAnnoElem(x, y, tkEverything, 255, false, d), -1) << px << "," << py;
      EXPECT_LE(d, 1.5) << px << "," << py;
    }
  for (int k = 0; k < 2; ++k) EXPECT_GT(drawn[k], 20) << k;
}

TEST(HitTestAnno, FarAndMalformedItemsAreSafe) {
  TRChart c;
  KnownGeometry(c);
  c.SetAnnoMode(true);
  c.Text(1e300, -1e300, 12, std::string("far away"), 5, 5, taRightJustify);
  c.Arc(kNaN, 1.0, 1.0, 1.0, 0.0, 1.0);
  c.Ellipse(1.0, 1.0, HUGE_VAL, 1.0);
  double d = 0;
  EXPECT_EQ(c.FindNearestAnnoElem(5, 5, tkTextOfs, 255, false, d), 0);
  EXPECT_GT(d, 1e8);
  EXPECT_EQ(c.FindNearestAnnoElem(5, 5, tkArc, 255, false, d), -1);
  EXPECT_EQ(c.FindNearestAnnoElem(5, 5, tkEllipse, 255, false, d), -1);
  // A layer number that only a damaged file could hold: hidden for OnlyVisible searches.
  c.SetAnnoMode(false);
  c.MarkAt(5.0, 5.0, 1);
  TrcChartItem it = c.DataContainer(0);
  it.Layer = std::numeric_limits<int32_t>::min();
  c.SetChartItem(0, it);
  EXPECT_EQ(c.FindNearestItemScreen(5, 5, tkEverything, 255, true, d), -1);
  EXPECT_EQ(c.FindNearestItemScreen(5, 5, tkEverything, 255, false, d), 0);
  EXPECT_EQ(d, 0);
}
