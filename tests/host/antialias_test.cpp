// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/vectorcanvas.h>

#include <QImage>
#include <set>

using namespace zyr;

namespace {

// Distinct colours of a box of the picture.
std::set<TColor> ColoursIn(TBitmap& b, int x0, int y0, int x1, int y1) {
  std::set<TColor> out;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) out.insert(b.Canvas().Pixels(x, y));
  return out;
}

bool IsGrey(TColor c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

// A white picture whose canvas draws smooth or aliased.
struct TWhite : TBitmap {
  TWhite(int w, int h, bool smooth) : TBitmap(w, h) {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(Rect(0, 0, w, h));
    Canvas().SetAntialiased(smooth);
  }
};

}  // namespace

TEST(CanvasAntialias, SlantedLineBlendsAndAxisLinesStayCrisp) {
  TWhite a(60, 60, false);
  TWhite s(60, 60, true);
  for (TBitmap* b : {&a, &s}) {
    b->Canvas().MoveTo(5, 5);
    b->Canvas().LineTo(50, 25);
  }
  // Aliased: black and white only; smooth: intermediate greys along the line.
  EXPECT_EQ(ColoursIn(a, 0, 0, 60, 30).size(), 2u);
  const auto greys = ColoursIn(s, 0, 0, 60, 30);
  EXPECT_GT(greys.size(), 4u);
  for (TColor c : greys) EXPECT_TRUE(IsGrey(c)) << std::hex << c;

  // A horizontal and a vertical one-pixel line: whole pixels, no blur beside them, and the end
  // pixel is left out as on the aliased path.
  TCanvas& c = s.Canvas();
  c.MoveTo(5, 40);
  c.LineTo(30, 40);
  c.MoveTo(45, 35);
  c.LineTo(45, 58);
  for (int x = 5; x < 30; ++x) {
    EXPECT_EQ(c.Pixels(x, 40), clBlack) << x;
    EXPECT_EQ(c.Pixels(x, 39), clWhite) << x;
    EXPECT_EQ(c.Pixels(x, 41), clWhite) << x;
  }
  EXPECT_EQ(c.Pixels(30, 40), clWhite);
  for (int y = 35; y < 58; ++y) {
    EXPECT_EQ(c.Pixels(45, y), clBlack) << y;
    EXPECT_EQ(c.Pixels(44, y), clWhite) << y;
    EXPECT_EQ(c.Pixels(46, y), clWhite) << y;
  }
  EXPECT_EQ(c.Pixels(45, 58), clWhite);
}

TEST(CanvasAntialias, RectangleOutlineAndFillKeepTheirBox) {
  TWhite s(40, 40, true);
  TCanvas& c = s.Canvas();
  c.Brush().SetColor(clRed);
  c.Rectangle(5, 5, 20, 15);
  EXPECT_EQ(c.Pixels(5, 5), clBlack);
  EXPECT_EQ(c.Pixels(19, 14), clBlack);
  EXPECT_EQ(c.Pixels(10, 10), clRed);
  EXPECT_EQ(c.Pixels(20, 10), clWhite);
  EXPECT_EQ(c.Pixels(10, 15), clWhite);
  EXPECT_EQ(ColoursIn(s, 0, 0, 40, 40).size(), 3u);
}

TEST(CanvasAntialias, EllipsesArcsAndPolygonsAreSmoothInsideTheirBox) {
  TWhite s(80, 80, true);
  TCanvas& c = s.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Ellipse(10, 10, 40, 40);
  EXPECT_GT(ColoursIn(s, 0, 0, 41, 41).size(), 4u);
  // Nothing outside the box.
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(c.Pixels(i, 9), clWhite);
    EXPECT_EQ(c.Pixels(40, i), clWhite);
  }
  c.Arc(45, 10, 75, 40, 75, 25, 45, 25);  // upper half
  EXPECT_GT(ColoursIn(s, 45, 5, 76, 25).size(), 4u);
  EXPECT_EQ(ColoursIn(s, 45, 28, 76, 41).size(), 1u);
  const TPoint tri[3] = {{10, 50}, {70, 55}, {20, 75}};
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clBlue);
  c.Polygon(tri, 3);
  EXPECT_EQ(c.Pixels(30, 60), clBlue);
  EXPECT_GT(ColoursIn(s, 5, 45, 75, 80).size(), 5u);
}

TEST(CanvasAntialias, XorFiguresStayAliasedAndErase) {
  TWhite s(60, 60, true);
  TCanvas& c = s.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(3, 3);
  c.LineTo(40, 50);  // a smooth line under the figure
  const QImage before = s.Image().copy();
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  for (int k = 0; k < 2; ++k) {
    c.MoveTo(5, 50);
    c.LineTo(55, 10);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(10, 10, 50, 30);
    c.Ellipse(20, 20, 45, 45);
    if (k == 0) {
      EXPECT_NE(s.Image(), before);
    }
  }
  EXPECT_EQ(s.Image(), before);
}

TEST(CanvasAntialias, WidePensAndPolylinesDrawSmooth) {
  TWhite s(80, 60, true);
  TCanvas& c = s.Canvas();
  c.Pen().SetWidth(3);
  const TPoint pts[4] = {{5, 5}, {30, 40}, {55, 10}, {75, 50}};
  c.Polyline(pts, 4);
  EXPECT_EQ(c.GetPenPos(), Point(75, 50));
  EXPECT_EQ(c.Pixels(30, 39), clBlack);
  EXPECT_GT(ColoursIn(s, 0, 0, 80, 60).size(), 8u);
  // Dashed thin lines keep their gaps.
  TWhite d(80, 10, true);
  d.Canvas().Pen().SetStyle(psDash);
  d.Canvas().MoveTo(0, 5);
  d.Canvas().LineTo(80, 5);
  EXPECT_TRUE(ColoursIn(d, 0, 5, 80, 6).count(clWhite));
  EXPECT_TRUE(ColoursIn(d, 0, 5, 80, 6).count(clBlack));
}

TEST(CanvasAntialias, SvgPictureFollowsTheSwitch) {
  auto draw = [](bool smooth) {
    TVectorCanvas v(100, 100);
    v.SetAntialiased(smooth);
    v.MoveTo(10, 10);
    v.LineTo(80, 60);
    return v.Finish();
  };
  const std::string aliased = draw(false), smooth = draw(true);
  EXPECT_NE(aliased, smooth);
  // Smooth figures lie on the pixel centres.
  EXPECT_NE(smooth.find("10.5"), std::string::npos);
}
