// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/chart_probe.h"

using namespace zyr;
using zyr::test::ProbeChart;

namespace {

// A 400 x 300 chart whose data area is 341 x 253 pixels; layer 1 maps world x to the data
// pixel x and world y to the data pixel 252 - y.
class ItemDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    c.SetBounds(0, 0, 400, 300);
    c.SetF3DRim(0);
    c.SetLRim(50);
    c.SetRRim(10);
    c.SetTRim(16);
    c.SetBRim(32);
    c.SetRange(1, 0, 0, 340, 252);
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(c.DataAreaWidth(), c.DataAreaHeight());
  }
  static double Y(int py) { return 252 - py; }

  void Draw(bool bw = false) {
    TCanvas& cv = bmp.Canvas();
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(clWhite);
    cv.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
    c.DrawAllItems(cv, 0, 0, bw);
    cv.Flush();
  }
  TColor Px(int x, int y) { return bmp.Canvas().Pixels(x, y); }
  // Bounding box of the non-white pixels inside a box (Left > Right when there are none).
  TRect Ink(int x0, int y0, int x1, int y1) {
    TRect r{x1, y1, x0 - 1, y0 - 1};
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (Px(x, y) != clWhite) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x);
          r.Bottom = std::max(r.Bottom, y);
        }
    return r;
  }

  ProbeChart c;
  TBitmap bmp;
};

}  // namespace

TEST_F(ItemDrawing, LongLineRunsAreJoinedPolylinesWithoutGaps) {
  c.MoveTo(0.0, Y(100));
  for (int i = 1; i <= 450; ++i) c.DrawTo(i * 0.7, Y(100));
  Draw();
  for (int x = 0; x < 315; ++x) ASSERT_EQ(Px(x, 100), clBlack) << x;
  EXPECT_EQ(Px(316, 100), clWhite);

  // 200 points, 200 points (starting on the last one) and the rest stay pending.
  TCanvas& cv = bmp.Canvas();
  TLongTextArray none;
  for (int i = 0; i <= 450; ++i)
    c.DrawContainerItemOnCanvas(cv, c.DataContainer(i), i, false, none, false, 0, 0);
  EXPECT_EQ(c.PendingPolylinePoints(), 450 - 2 * 199 + 1);
  c.FinishPolyLine(cv);
  EXPECT_EQ(c.PendingPolylinePoints(), 0);
}

TEST_F(ItemDrawing, ColourChangeRestartsAtTheLastPoint) {
  c.MoveTo(10.0, Y(60));
  c.DrawTo(100.0, Y(60));
  c.SetDataColor(clRed);
  c.DrawTo(200.0, Y(60));
  Draw();
  EXPECT_EQ(Px(10, 60), clBlack);
  EXPECT_EQ(Px(99, 60), clBlack);
  EXPECT_EQ(Px(100, 60), clRed);
  EXPECT_EQ(Px(199, 60), clRed);
  EXPECT_EQ(Px(200, 60), clWhite);
}

TEST_F(ItemDrawing, RelativeMovesFollowTheLastLinePoint) {
  c.MoveTo(10.0, Y(200));
  c.DrawTo(50.0, Y(200));
  c.DrawToRelPix(0, -30);  // straight up from the pending line's end
  c.MoveToRelPix(20, 0);
  c.DrawToRelPix(30, 0);
  Draw();
  EXPECT_EQ(Px(50, 200), clBlack);
  EXPECT_EQ(Px(50, 171), clBlack);
  EXPECT_EQ(Px(60, 170), clWhite);  // the move draws nothing
  EXPECT_EQ(Px(70, 170), clBlack);
  EXPECT_EQ(Px(99, 170), clBlack);
  EXPECT_EQ(Px(100, 170), clWhite);

  // A relative line from an explicit world start.
  c.ClearGraf();
  c.DrawToRelPix(100.0, Y(20), 0, 10);
  Draw();
  EXPECT_EQ(Px(100, 20), clBlack);
  EXPECT_EQ(Px(100, 29), clBlack);
}

TEST_F(ItemDrawing, MarksOutsideTheRangeAreSkippedScreenMarksAtTheEdgeDrawn) {
  c.MarkAt(341.0, Y(100), 1);  // just beyond the X range
  c.MarkAt(340.0, Y(150), 1);  // on its upper end
  c.SetAnnoMode(true);
  c.MarkAt(340, 200, 1);  // screen: x = W - RRim - LRim
  c.MarkAt(342, 220, 1);
  Draw();
  EXPECT_EQ(Px(340, 100), clWhite);
  EXPECT_EQ(Px(340, 150), clBlack);
  EXPECT_EQ(Px(340, 200), clBlack);
  EXPECT_EQ(Px(340, 220), clWhite);
}

TEST_F(ItemDrawing, DuplicateMarksOfOneTypeAreSuppressed) {
  c.SetAvoidDuplicateMarks(true);
  c.SetMinDupMarkDist(3);
  c.MarkAt(100.0, Y(50), 2);
  c.MarkAt(102.0, Y(50), 2);  // same type 2 pixels away
  c.MarkAt(100.0, Y(150), 2);
  c.MarkAt(102.0, Y(150), 5);  // another type
  Draw();
  EXPECT_EQ(Px(102, 50), clBlack);   // the first plus
  EXPECT_EQ(Px(104, 50), clWhite);   // no second plus
  EXPECT_EQ(Px(104, 148), clBlack);  // the cross is there

  c.SetAvoidDuplicateMarks(false);
  Draw();
  EXPECT_EQ(Px(104, 50), clBlack);
}

TEST_F(ItemDrawing, ArrowHeadsOpenAndFilled) {
  c.SetAnnoMode(true);
  c.SetFillColor(clRed);
  c.SetTransparentItems(true);
  c.DoubleArrow(50, 100, 150, 100, 10);
  c.SetTransparentItems(false);
  c.DoubleArrow(50, 200, 150, 200, 10);
  Draw();
  // Open heads: two wing lines (20 degrees off the shaft) and nothing inside.
  EXPECT_EQ(Px(142, 97), clBlack);
  EXPECT_EQ(Px(142, 103), clBlack);
  EXPECT_EQ(Px(143, 99), clWhite);
  EXPECT_EQ(Px(143, 101), clWhite);
  EXPECT_EQ(Px(58, 97), clBlack);
  EXPECT_EQ(Px(58, 103), clBlack);
  EXPECT_EQ(Px(57, 99), clWhite);
  // Filled heads at both ends.
  EXPECT_EQ(Px(143, 199), clRed);
  EXPECT_EQ(Px(57, 201), clRed);
  EXPECT_EQ(Px(130, 199), clWhite);
}

TEST_F(ItemDrawing, UpwardArrowHasItsWingsBelowTheTip) {
  c.SetAnnoMode(true);
  c.SetFillColor(clRed);
  c.Arrow(100, 150, 100, 50, 10);
  c.Arrow(200, 50, 200, 150, 10);  // pointing down: wings above the tip
  Draw();
  EXPECT_EQ(Px(101, 57), clRed);
  EXPECT_EQ(Px(101, 43), clWhite);
  EXPECT_EQ(Px(201, 143), clRed);
  EXPECT_EQ(Px(201, 157), clWhite);
}

TEST_F(ItemDrawing, TwoLineRightAlignedTextHangsOnItsAnchor) {
  c.SetAnnoMode(true);
  c.SetTextAlignment(taRightJustify);
  c.Text(250, 100, 12, "Wide first line\nab");
  Draw();
  TCanvas& cv = bmp.Canvas();
  cv.Font().SetName(c.TextFont().Name());
  cv.Font().SetStyle(c.TextFont().Style());
  cv.Font().SetSize(12);
  int w = 0, h = 0, lh = 0;
  ASSERT_EQ(c.CalcTextExtents("Wide first line\nab", cv, w, h, lh), 2);
  const int top = 100 - lh / 2;
  const TRect all = Ink(0, 0, bmp.Width(), bmp.Height());
  EXPECT_GE(all.Top, top);
  EXPECT_LT(all.Top, top + lh / 2);
  EXPECT_LE(all.Right, 250);
  EXPECT_NEAR(all.Left, 250 - w, 2);
  const TRect second = Ink(0, top + lh, bmp.Width(), top + 2 * lh);
  EXPECT_NEAR(second.Left, 250 - cv.TextWidth("ab"), 2);
  EXPECT_GE(second.Right, 245);
}

TEST_F(ItemDrawing, SolidMultiLineTextGetsOneBackgroundBox) {
  c.SetAnnoMode(true);
  c.SetTextBkStyle(tbSolid);
  c.SetFillColor(clYellow);
  c.SetTextAlignment(taLeftJustify);
  c.Text(100, 100, 10, "one\ntwo\nthree");
  Draw();
  TCanvas& cv = bmp.Canvas();
  cv.Font().SetSize(10);
  int w = 0, h = 0, lh = 0;
  c.CalcTextExtents("one\ntwo\nthree", cv, w, h, lh);
  const int y = 100 - lh / 2;
  EXPECT_EQ(Px(96, y - 2), clYellow);
  EXPECT_EQ(Px(100 + w + 3, y + 3 * lh + 1), clYellow);
  EXPECT_EQ(Px(95, y), clWhite);
  EXPECT_EQ(Px(100 + w + 4, y), clWhite);
}

TEST_F(ItemDrawing, BarDepthRecedesToTheLeftBeyondNinetyDegrees) {
  c.SetFillColor(clRed);
  c.Bar3D(100.0, Y(150), 150.0, Y(100), 20, 135);
  c.Bar3D(250.0, Y(150), 300.0, Y(100), 20, 45);
  Draw();
  // Front faces.
  EXPECT_EQ(Px(125, 125), clRed);
  EXPECT_EQ(Px(275, 125), clRed);
  // 135 degrees: side face left of the bar, nothing right of it.
  EXPECT_EQ(Px(92, 130), clRed);
  EXPECT_EQ(Px(158, 130), clWhite);
  EXPECT_EQ(Px(120, 95), clRed);  // top face
  // 45 degrees: the other way round.
  EXPECT_EQ(Px(308, 130), clRed);
  EXPECT_EQ(Px(242, 130), clWhite);
}

TEST_F(ItemDrawing, TextEventSeesLongTextThreeWhateverTheShortText) {
  c.Text(10.0, Y(10), 8, "first long text number one");
  c.Text(10.0, Y(30), 8, "second long text number two");
  c.Text(10.0, Y(50), 8, "third long text number three");
  TrcChartItem it = c.GetChartItem(2);
  ASSERT_EQ(it.LWid, 3);
  it.Text.Assign("short");
  c.SetChartItem(2, it);
  std::vector<std::string> seen;
  std::vector<int> indexes;
  c.OnBeforeRenderText = [&](TObject* Sender, std::string& Text, int Index, bool IsAnno) {
    EXPECT_EQ(Sender, &c);
    EXPECT_FALSE(IsAnno);
    seen.push_back(Text);
    indexes.push_back(Index);
    Text = "";  // the handler's text is drawn
  };
  Draw();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[2], "third long text number three");
  EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
  EXPECT_GT(Ink(0, 0, bmp.Width(), bmp.Height()).Left, bmp.Width() - 1);
}

TEST_F(ItemDrawing, ItemEventChangesOnlyWhatIsDrawn) {
  c.Line(10.0, Y(40), 200.0, Y(40));
  c.SetAnnoMode(true);
  c.Line(10, 80, 200, 80);
  std::vector<std::pair<int, bool>> calls;
  c.OnBeforeRenderChartItem = [&](TObject* Sender, TrcChartItem& Item, int Index, bool IsAnno) {
    EXPECT_EQ(Sender, &c);
    calls.emplace_back(Index, IsAnno);
    Item.Color = clBlue;
  };
  Draw();
  EXPECT_EQ(Px(100, 40), clBlue);
  EXPECT_EQ(Px(100, 80), clBlue);
  EXPECT_EQ(c.GetChartItem(0).Color, clBlack);
  EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{0, false}, {0, true}}));

  // Hidden items are neither reported nor drawn.
  calls.clear();
  c.SetAnnoClassVisible(0, false);
  Draw();
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_EQ(Px(100, 80), clWhite);
}

TEST_F(ItemDrawing, CoordinateModesMixWorldAndScreen) {
  c.SetAnnoMode(true);
  c.Line(10.0, Y(10), 100, 50);   // world start, screen end
  c.Line(200, 10, 300.0, Y(10));  // screen start, world end
  c.MoveTo(20, Y(100));           // x screen, y world
  c.DrawTo(120.0, 100);           // x world, y screen
  c.CursorVert(330);
  c.CursorHoriz(Y(240));
  Draw();
  EXPECT_EQ(Px(10, 10), clBlack);
  EXPECT_EQ(Px(55, 30), clBlack);
  EXPECT_EQ(Px(200, 10), clBlack);
  EXPECT_EQ(Px(299, 10), clBlack);
  EXPECT_EQ(Px(20, 100), clBlack);
  EXPECT_EQ(Px(119, 100), clBlack);
  EXPECT_EQ(Px(330, 0), clBlack);
  EXPECT_EQ(Px(330, 251), clBlack);
  EXPECT_EQ(Px(0, 240), clBlack);
  EXPECT_EQ(Px(339, 240), clBlack);
}

TEST_F(ItemDrawing, HugeAndNaNCoordinatesAreClamped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  c.Line(10.0, Y(60), 1e300, Y(60));
  c.Rectangle(-1e200, Y(200), 1e200, Y(210));
  Draw();
  EXPECT_EQ(Px(340, 60), clBlack);
  EXPECT_EQ(Px(170, 205), clSilver);
  // Nothing of this may crash or hang.
  c.MoveTo(nan, nan);
  c.DrawTo(1e308, -1e308);
  c.Ellipse(100.0, Y(100), 1e250, 1e250);
  c.Text(nan, 1e300, 8, "x");
  c.Arc(100.0, Y(100), nan, 5, 0, 1);
  c.Bar3D(0.0, 0.0, 1e300, nan, 1 << 30, 135);
  c.LineOffset(0.0, 0.0, 1e300, 1.0, INT32_MAX, INT32_MIN);
  c.RectangleRelPix(nan, 1.0, INT32_MAX, INT32_MIN);
  c.Arrow(0.0, 0.0, 1e300, -1e300, INT32_MAX);
  Draw();
}

TEST_F(ItemDrawing, BlackAndWhiteDrawsBlackPensAndGreyFills) {
  c.SetDataColor(clRed);
  c.SetFillColor(clBlue);
  c.Rectangle(50.0, Y(50), 100.0, Y(100));
  Draw(true);
  EXPECT_EQ(Px(50, 75), clBlack);
  EXPECT_EQ(Px(75, 75), TColor(0xC0C0C0));
  Draw(false);
  EXPECT_EQ(Px(50, 75), clRed);
  EXPECT_EQ(Px(75, 75), clBlue);
}

TEST_F(ItemDrawing, RectanglesIncludeTheirEdgesAndFramesShadeThem) {
  c.SetDataColor(clBlack);
  c.SetFillColor(clYellow);
  c.Rectangle(10.0, Y(10), 20.0, Y(20));
  c.RectFrame(50.0, Y(10), 70.0, Y(30), 2, clGray, clWhite);
  c.Rectangle(100.0, Y(10), 100.0, Y(10));  // collapsed: one pixel
  Draw();
  EXPECT_EQ(Px(20, 20), clBlack);
  EXPECT_EQ(Px(21, 20), clWhite);
  EXPECT_EQ(Px(15, 15), clYellow);
  EXPECT_EQ(Px(50, 20), clGray);   // left edge in the shadow colour
  EXPECT_EQ(Px(60, 10), clGray);   // top edge
  EXPECT_EQ(Px(70, 20), clWhite);  // right edge highlighted
  EXPECT_EQ(Px(60, 30), clWhite);  // bottom edge
  EXPECT_EQ(Px(60, 20), clYellow);
  EXPECT_EQ(Px(100, 10), clBlack);
}

TEST_F(ItemDrawing, ErrorBarsEndInTicks) {
  c.MarkErrorBar(100.0, Y(100), 20, 30, 0, 0);   // along y: 20 down, 30 up
  c.MarkErrorBar(200.0, Y(100), 10, 10, 1, 0);   // along x
  c.MarkErrorBar(1000.0, Y(100), 10, 10, 1, 0);  // out of range
  Draw();
  EXPECT_EQ(Px(100, 110), clBlack);
  EXPECT_EQ(Px(97, 120), clBlack);
  EXPECT_EQ(Px(103, 120), clBlack);
  EXPECT_EQ(Px(104, 120), clWhite);
  EXPECT_EQ(Px(97, 70), clBlack);
  EXPECT_EQ(Px(200, 97), clWhite);
  EXPECT_EQ(Px(190, 97), clBlack);
  EXPECT_EQ(Px(210, 103), clBlack);
}

TEST_F(ItemDrawing, AnnotationsDrawOverOrUnderTheData) {
  c.SetFillColor(clBlue);
  c.Rectangle(50.0, Y(50), 100.0, Y(100));
  c.SetAnnoMode(true);
  c.SetFillColor(clRed);
  c.Rectangle(50.0, Y(50), 100.0, Y(100));
  Draw();
  EXPECT_EQ(Px(75, 75), clRed);
  c.SetAnnoBelowChart(true);
  Draw();
  EXPECT_EQ(Px(75, 75), clBlue);
  c.SetAnnosVisible(false);
  c.SetAnnoBelowChart(false);
  Draw();
  EXPECT_EQ(Px(75, 75), clBlue);
}

TEST_F(ItemDrawing, MergedPolylineColumnsSetTheSamePixels) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> step(-3, 3);
  double y = 126;
  c.MoveTo(0.0, y);
  for (int i = 0; i < 30000; ++i) {
    y = std::clamp(y + step(rng), 0.0, 252.0);
    // Runs of many points per column, including ones that end on their extremes.
    c.DrawTo(i * 340.0 / 30000, i % 97 == 0 ? 252.0 : y);
  }
  c.SetMergePolyColumns(true);
  Draw();
  const QImage merged = bmp.Image().copy();
  c.SetMergePolyColumns(false);
  Draw();
  EXPECT_TRUE(merged == bmp.Image());
  EXPECT_LT(Ink(0, 0, bmp.Width(), bmp.Height()).Left, 2);

  // Short runs in one column ending below, above, inside and on the extremes of the run.
  const std::vector<std::vector<int>> runs = {
      {5, 9, 2, 7, 1}, {5, 9, 2, 7, 12}, {5, 9, 2, 7, 4},    {5, 9, 2, 7, 9},
      {5, 9, 2, 7, 2}, {5, 5, 5, 5, 5},  {9, 2, 9, 2, 9, 2}, {3, 4, 5, 6, 7, 8}};
  c.ClearGraf();
  c.MoveTo(0.0, Y(0));
  int x = 2;
  for (const auto& r : runs) {
    for (int v : r) c.DrawTo(double(x), Y(20 + v));
    x += 3;
  }
  c.SetMergePolyColumns(true);
  Draw();
  const QImage small = bmp.Image().copy();
  c.SetMergePolyColumns(false);
  Draw();
  EXPECT_TRUE(small == bmp.Image());
}
