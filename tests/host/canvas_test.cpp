// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>

#include <QImage>

using namespace zyr;

namespace {

// Counts pixels of one colour in a box of the bitmap.
int CountColor(TBitmap& b, TColor c, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
  if (x1 < 0) x1 = b.Width();
  if (y1 < 0) y1 = b.Height();
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += b.Canvas().Pixels(x, y) == c;
  return n;
}

QImage Snapshot(TBitmap& b) { return b.Image().copy(); }

}  // namespace

TEST(CanvasLines, LineToLeavesOutTheEndPixelAndMovesThePen) {
  TBitmap b(30, 30);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(3, 4);
  c.LineTo(12, 4);
  EXPECT_EQ(c.GetPenPos(), Point(12, 4));
  EXPECT_EQ(c.Pixels(3, 4), clRed);
  EXPECT_EQ(c.Pixels(11, 4), clRed);
  EXPECT_NE(c.Pixels(12, 4), clRed);
  EXPECT_EQ(CountColor(b, clRed), 9);

  // Vertical, upwards: the start pixel is set, the end pixel is not.
  c.MoveTo(20, 25);
  c.LineTo(20, 15);
  EXPECT_EQ(c.Pixels(20, 25), clRed);
  EXPECT_EQ(c.Pixels(20, 16), clRed);
  EXPECT_NE(c.Pixels(20, 15), clRed);

  // Diagonal: exactly one pixel per major step, end excluded.
  TBitmap d(30, 30);
  d.Canvas().MoveTo(2, 2);
  d.Canvas().LineTo(12, 7);
  EXPECT_EQ(CountColor(d, clBlack), 10);
  EXPECT_EQ(d.Canvas().Pixels(2, 2), clBlack);
  EXPECT_NE(d.Canvas().Pixels(12, 7), clBlack);
}

TEST(CanvasLines, ZeroLengthLineAndClearPenDrawNothing) {
  TBitmap b(10, 10);
  b.Canvas().MoveTo(5, 5);
  b.Canvas().LineTo(5, 5);
  b.Canvas().Pen().SetStyle(psClear);
  b.Canvas().LineTo(9, 9);
  EXPECT_EQ(CountColor(b, clBlack), 0);
  EXPECT_EQ(b.Canvas().GetPenPos(), Point(9, 9));
}

TEST(CanvasLines, PolylineSetsJointsOnceSoXorTwiceRestores) {
  TBitmap b(40, 40);
  b.Canvas().Brush().SetColor(RGB(10, 120, 200));
  b.Canvas().FillRect({0, 0, 40, 40});
  b.Canvas().Pen().SetColor(clSilver);
  b.Canvas().Ellipse(5, 5, 30, 30);
  const QImage before = Snapshot(b);

  TCanvas& c = b.Canvas();
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  const std::vector<TPoint> pts{{2, 2}, {30, 2}, {30, 33}, {2, 33}, {2, 2}, {25, 20}};
  c.Polyline(pts);
  EXPECT_NE(Snapshot(b), before);
  // The closed box corner (2,2) is visited twice but must be set once.
  EXPECT_NE(c.Pixels(2, 2), before.pixel(2, 2) & 0xFFFFFF);
  c.Polyline(pts);
  EXPECT_EQ(Snapshot(b), before);

  c.Rectangle(4, 4, 20, 25);
  c.Rectangle(4, 4, 20, 25);
  c.MoveTo(0, 39);
  c.LineTo(39, 0);
  c.MoveTo(0, 39);
  c.LineTo(39, 0);
  EXPECT_EQ(Snapshot(b), before);
}

TEST(CanvasShapes, RectangleCoversX1ToX2MinusOne) {
  TBitmap b(20, 20);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clBlue);
  c.Brush().SetColor(clYellow);
  c.Rectangle(3, 4, 9, 12);
  EXPECT_EQ(c.Pixels(3, 4), clBlue);
  EXPECT_EQ(c.Pixels(8, 11), clBlue);
  EXPECT_EQ(c.Pixels(9, 11), clWhite);
  EXPECT_EQ(c.Pixels(8, 12), clWhite);
  EXPECT_EQ(c.Pixels(5, 6), clYellow);
  EXPECT_EQ(CountColor(b, clBlue) + CountColor(b, clYellow), 6 * 8);

  // Clear brush keeps the inside; reversed corners are the same box.
  TBitmap e(20, 20);
  e.Canvas().Brush().SetStyle(bsClear);
  e.Canvas().Rectangle(9, 12, 3, 4);
  EXPECT_EQ(e.Canvas().Pixels(3, 4), clBlack);
  EXPECT_EQ(e.Canvas().Pixels(5, 6), clWhite);
}

TEST(CanvasShapes, EllipseStaysInsideItsBox) {
  TBitmap b(40, 40);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().Ellipse(10, 10, 30, 20);
  EXPECT_EQ(CountColor(b, clWhite, 0, 0, 40, 10) + CountColor(b, clWhite, 0, 20, 40, 40), 40 * 30);
  EXPECT_EQ(CountColor(b, clWhite, 0, 0, 10, 40) + CountColor(b, clWhite, 30, 0, 40, 40), 20 * 40);
  EXPECT_EQ(b.Canvas().Pixels(20, 15), clRed);
  EXPECT_EQ(b.Canvas().Pixels(10, 10), clWhite);  // corners of the box stay free
}

TEST(CanvasShapes, ArcRunsCounterClockwiseFromStartToEndRadial) {
  // From the right radial to the top radial: only the upper right quarter.
  TBitmap b(41, 41);
  b.Canvas().Arc(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_GT(CountColor(b, clBlack, 21, 0, 41, 20), 10);
  EXPECT_EQ(CountColor(b, clBlack, 0, 0, 19, 41), 0);
  EXPECT_EQ(CountColor(b, clBlack, 0, 22, 41, 41), 0);

  // Swapping the radials gives the other three quarters.
  TBitmap r(41, 41);
  r.Canvas().Arc(0, 0, 41, 41, 20, 0, 40, 20);
  EXPECT_GT(CountColor(r, clBlack, 0, 22, 41, 41), 20);
  EXPECT_LE(CountColor(r, clBlack, 22, 0, 41, 18), 2);
}

TEST(CanvasShapes, PolygonIsFilledAndOutlined) {
  TBitmap b(30, 30);
  b.Canvas().Brush().SetColor(clLime);
  b.Canvas().Pen().SetColor(clNavy);
  b.Canvas().Polygon({{5, 5}, {25, 5}, {15, 25}});
  EXPECT_EQ(b.Canvas().Pixels(15, 10), clLime);
  EXPECT_EQ(b.Canvas().Pixels(10, 5), clNavy);
  EXPECT_EQ(b.Canvas().Pixels(2, 20), clWhite);
}

TEST(CanvasText, TextOutPutsTopLeftAtThePointWithOptionalBackground) {
  TBitmap b(100, 40);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clYellow);
  c.TextOut(10, 10, "Hg");
  const int w = c.TextWidth("Hg"), h = c.TextHeight("Hg");
  EXPECT_GT(w, 5);
  EXPECT_GT(h, 8);
  EXPECT_EQ(CountColor(b, clWhite, 10, 10, 10 + w, 10 + h) + CountColor(b, clYellow, 10, 10, 10 + w, 10 + h) <
                w * h,
            true);
  EXPECT_EQ(c.Pixels(10, 10), clYellow);  // background from the top-left
  EXPECT_EQ(c.Pixels(9, 9), clWhite);
  EXPECT_EQ(CountColor(b, clYellow, 0, 0, 100, 10), 0);

  TBitmap t(100, 40);
  t.Canvas().Brush().SetStyle(bsClear);
  t.Canvas().TextOut(10, 10, "Hg");
  EXPECT_EQ(CountColor(t, clYellow), 0);
  EXPECT_EQ(t.Canvas().Pixels(10, 10), clWhite);
  EXPECT_EQ(CountColor(t, clWhite, 0, 0, 100, 9), 100 * 9);  // nothing above the point
}

TEST(CanvasCopy, FourCopyModesCombineSourceAndDestination) {
  const TColor src = RGB(0x0F, 0xF0, 0x33), dst = RGB(0x3C, 0x0F, 0xFF);
  auto run = [&](TCopyMode mode) {
    TBitmap s(4, 4), d(6, 6);
    s.Canvas().Brush().SetColor(src);
    s.Canvas().FillRect({0, 0, 4, 4});
    d.Canvas().Brush().SetColor(dst);
    d.Canvas().FillRect({0, 0, 6, 6});
    d.Canvas().SetCopyMode(mode);
    d.Canvas().Draw(1, 1, s);
    EXPECT_EQ(d.Canvas().Pixels(0, 0), dst);  // outside the copied box
    EXPECT_EQ(d.Canvas().Pixels(5, 5), dst);
    return d.Canvas().Pixels(2, 2);
  };
  EXPECT_EQ(run(SRCCOPY), src);
  EXPECT_EQ(run(SRCAND), src & dst);
  EXPECT_EQ(run(SRCPAINT), src | dst);
  EXPECT_EQ(run(SRCINVERT), src ^ dst);
}

TEST(CanvasPixels, OutOfRangeReadsAnswerNoneAndWritesAreIgnored) {
  TBitmap b(5, 5);
  b.Canvas().SetPixels(-1, 2, clRed);
  b.Canvas().SetPixels(5, 2, clRed);
  EXPECT_EQ(b.Canvas().Pixels(-1, 0), clNone);
  EXPECT_EQ(b.Canvas().Pixels(0, 5), clNone);
  EXPECT_EQ(CountColor(b, clRed), 0);
  b.Canvas().SetPixels(4, 4, clBtnFace);
  EXPECT_EQ(b.Canvas().Pixels(4, 4), ColorToRGB(clBtnFace));
}

TEST(CanvasClip, DrawingStaysInsideTheClipBox) {
  TBitmap b(20, 20);
  b.Canvas().SetClipRect({5, 5, 10, 10});
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().FillRect({0, 0, 20, 20});
  EXPECT_EQ(CountColor(b, clRed), 25);
  b.Canvas().ResetClip();
  b.Canvas().FillRect({0, 0, 20, 20});
  EXPECT_EQ(CountColor(b, clRed), 400);
}

TEST(Bitmap, ScanLineRowsAreBgraAndResizeKeepsTheOverlap) {
  TBitmap b(8, 6);
  b.Canvas().SetPixels(2, 3, RGB(10, 20, 30));
  TRGB32* row = b.ScanLine(3);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row[2].R, 10);
  EXPECT_EQ(row[2].G, 20);
  EXPECT_EQ(row[2].B, 30);
  row[5] = {200, 100, 50, 255};
  EXPECT_EQ(b.Canvas().Pixels(5, 3), RGB(50, 100, 200));
  EXPECT_EQ(b.ScanLine(6), nullptr);
  EXPECT_EQ(b.ScanLine(-1), nullptr);

  b.SetSize(4, 4);
  EXPECT_EQ(b.Canvas().Pixels(2, 3), RGB(10, 20, 30));
  b.SetSize(10, 10);
  EXPECT_EQ(b.Canvas().Pixels(2, 3), RGB(10, 20, 30));
  EXPECT_EQ(b.Canvas().Pixels(9, 9), clWhite);
  b.SetSize(-3, 5);
  EXPECT_EQ(b.Width(), 0);
  b.Canvas().LineTo(3, 3);  // drawing on an empty bitmap is harmless
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, SavesAndLoadsByExtension) {
  TBitmap b(16, 9);
  b.Canvas().SetPixels(3, 4, clRed);
  const std::string dir = testing::TempDir();
  for (const char* ext : {".png", ".bmp"}) {
    const std::string name = dir + "zyr_bitmap" + ext;
    ASSERT_TRUE(b.SaveToFile(name)) << ext;
    TBitmap c;
    ASSERT_TRUE(c.LoadFromFile(name)) << ext;
    EXPECT_EQ(c.Width(), 16);
    EXPECT_EQ(c.Canvas().Pixels(3, 4), clRed) << ext;
  }
  TBitmap c(2, 2);
  EXPECT_FALSE(c.LoadFromFile(dir + "does-not-exist.png"));
  EXPECT_EQ(c.Width(), 2);
  EXPECT_FALSE(TBitmap().SaveToFile(dir + "empty.png"));
}
