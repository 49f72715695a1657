// SPDX-License-Identifier: MIT
// The canvas writes thin solid lines and opaque fills straight into 32-bit pictures; these
// tests hold that path to the painter's pixels. A canvas on an ARGB32 image never takes it,
// so drawing the same figures on both must give the same picture.

#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>

#include <QImage>
#include <functional>
#include <random>

using namespace zyr;

namespace {

constexpr int kW = 64, kH = 48;

// Draws on a direct-capable picture and on a plain one; returns the number of differing
// pixels and reports the first.
int Differences(const std::function<void(TCanvas&)>& draw) {
  QImage fastImg(kW, kH, QImage::Format_RGB32), slowImg(kW, kH, QImage::Format_ARGB32);
  fastImg.fill(QColor(20, 90, 160));
  slowImg.fill(QColor(20, 90, 160));
  {
    TCanvas fast(&fastImg, ctRaster), slow(&slowImg, ctRaster);
    draw(fast);
    draw(slow);
  }
  int diff = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if ((fastImg.pixel(x, y) & 0xFFFFFF) != (slowImg.pixel(x, y) & 0xFFFFFF) && diff++ == 0)
        ADD_FAILURE() << "first difference at " << x << "," << y;
  return diff;
}

void SetPen(TCanvas& c, TColor col, int width, TPenStyle style, TPenMode mode) {
  c.Pen().SetColor(col);
  c.Pen().SetWidth(width);
  c.Pen().SetStyle(style);
  c.Pen().SetMode(mode);
}

}  // namespace

TEST(CanvasDirect, StraightLinesMatchThePainterForEveryPen) {
  for (int width : {1, 3})
    for (TPenStyle style : {psSolid, psDash})
      for (TPenMode mode : {pmCopy, pmXor, pmNot}) {
        const int d = Differences([&](TCanvas& c) {
          std::mt19937 rng(11);
          std::uniform_int_distribution<int> u(-20, kW + 20);
          for (int i = 0; i < 300; ++i) {
            SetPen(c, TColor(rng() & 0xFFFFFF), width, style, mode);
            const int x = u(rng), y = u(rng), len = u(rng) - 20;
            c.MoveTo(x, y);
            if (i % 2)
              c.LineTo(x + len, y);  // runs off every edge, both directions
            else
              c.LineTo(x, y + len);
          }
          // A polyline of axis-parallel pieces whose joints XOR must set once.
          const std::vector<TPoint> pts{{-3, 5}, {30, 5}, {30, 40}, {5, 40}, {5, -2}, {70, -2}};
          c.Polyline(pts);
        });
        EXPECT_EQ(d, 0) << "width " << width << " style " << int(style) << " mode " << int(mode);
      }
}

TEST(CanvasDirect, RectanglesAndFillsMatchThePainterAtTheEdgesAndInsideAClip) {
  for (bool clip : {false, true})
    for (TPenMode mode : {pmCopy, pmXor})
      for (int width : {1, 2}) {
        const int d = Differences([&](TCanvas& c) {
          if (clip) c.SetClipRect({7, 5, 50, 33});
          std::mt19937 rng(5);
          std::uniform_int_distribution<int> u(-20, kW + 10);
          for (int i = 0; i < 200; ++i) {
            SetPen(c, TColor(rng() & 0xFFFFFF), width, i % 7 == 0 ? psClear : psSolid, mode);
            c.Brush().SetColor(TColor(rng() & 0xFFFFFF));
            c.Brush().SetStyle(i % 3 == 0 ? bsClear : bsSolid);
            const int x = u(rng), y = u(rng);
            const int w = int(rng() % 20), h = int(rng() % 20);  // 0 and 1 wide boxes too
            if (i % 4 == 0)
              c.FillRect({x, y, x + w, y + h});
            else
              c.Rectangle(x, y, x + w, y + h);
          }
        });
        EXPECT_EQ(d, 0) << "clip " << clip << " mode " << int(mode) << " width " << width;
      }
}

TEST(CanvasDirect, SlantedLinesMatchThePainterOneByOne) {
  // Every direction and length from a few starts, each line on a fresh picture, so that no
  // later line hides a wrong pixel; the ones leaving the picture are included.
  QImage fastImg(kW, kH, QImage::Format_RGB32), slowImg(kW, kH, QImage::Format_ARGB32);
  TCanvas fast(&fastImg, ctRaster), slow(&slowImg, ctRaster);
  int bad = 0, lines = 0;
  for (const TPoint s : {TPoint{31, 23}, TPoint{0, 0}, TPoint{63, 5}, TPoint{10, 47}})
    for (int ey = -6; ey < kH + 6; ++ey)
      for (int ex = -6; ex < kW + 6; ++ex) {
        for (TCanvas* c : {&fast, &slow}) {
          c->Brush().SetColor(clWhite);
          c->FillRect({0, 0, kW, kH});
          c->Pen().SetColor(clRed);
          c->MoveTo(s.X, s.Y);
          c->LineTo(ex, ey);
        }
        fast.Flush();
        slow.Flush();
        ++lines;
        for (int y = 0; y < kH; ++y) {
          const QRgb* a = reinterpret_cast<const QRgb*>(fastImg.constScanLine(y));
          const QRgb* b = reinterpret_cast<const QRgb*>(slowImg.constScanLine(y));
          bool same = true;
          for (int x = 0; x < kW; ++x) same = same && (a[x] & 0xFFFFFF) == (b[x] & 0xFFFFFF);
          if (!same && bad++ < 3)
            ADD_FAILURE() << "line " << s.X << "," << s.Y << " -> " << ex << "," << ey;
          if (!same) break;
        }
      }
  EXPECT_EQ(bad, 0) << "of " << lines;
}

TEST(CanvasDirect, SmallEllipsesMatchThePainterAnywhereInALargePicture) {
  // Copies of one drawing must equal the painter's ellipse at every place, far from the
  // origin too, with and without pen and brush, and cut by the edges.
  constexpr int W = 1000, H = 700;
  QImage fastImg(W, H, QImage::Format_RGB32), slowImg(W, H, QImage::Format_ARGB32);
  fastImg.fill(Qt::white);
  slowImg.fill(Qt::white);
  {
    TCanvas fast(&fastImg, ctRaster), slow(&slowImg, ctRaster);
    std::mt19937 rng(17);
    for (int i = 0; i < 3000; ++i) {
      const int x = int(rng() % (W + 40)) - 20, y = int(rng() % (H + 40)) - 20;
      const int w = 1 + int(rng() % 30), h = 1 + int(rng() % 30);
      const TColor pen = TColor(rng() & 0xFFFFFF), brush = TColor(rng() & 0xFFFFFF);
      const bool noPen = i % 5 == 0, clear = i % 3 == 0;
      for (TCanvas* c : {&fast, &slow}) {
        c->Pen().SetColor(pen);
        c->Pen().SetStyle(noPen ? psClear : psSolid);
        c->Brush().SetColor(brush);
        c->Brush().SetStyle(clear ? bsClear : bsSolid);
        c->Ellipse(x, y, x + w, y + h);
      }
    }
  }
  int diff = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if ((fastImg.pixel(x, y) & 0xFFFFFF) != (slowImg.pixel(x, y) & 0xFFFFFF) && diff++ == 0)
        ADD_FAILURE() << "first difference at " << x << "," << y;
  EXPECT_EQ(diff, 0);
}

TEST(CanvasDirect, SmoothThinPolylinesSetRowAndColumnPiecesAsThePainterWould) {
  // Dense chart lines: long runs along columns joined by short slanted pieces, some along rows,
  // some leaving the clip. Set directly, those pieces must look as the painter draws them.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> u(-10, kH + 10);
  std::vector<TPoint> pts;
  for (int x = -3; x < kW + 3; ++x)
    for (int k = 0; k < 4; ++k) pts.push_back({x, u(rng)});
  pts.push_back({kW + 3, 20});
  pts.push_back({kW - 20, 20});  // along a row
  QImage fastImg(kW, kH, QImage::Format_RGB32), slowImg(kW, kH, QImage::Format_ARGB32);
  fastImg.fill(Qt::white);
  slowImg.fill(Qt::white);
  {
    TCanvas fast(&fastImg, ctRaster), slow(&slowImg, ctRaster);
    for (TCanvas* c : {&fast, &slow}) {
      c->SetAntialiased(true);
      c->SetClipRect({2, 3, kW - 2, kH - 4});
      c->Pen().SetColor(clNavy);
      c->Polyline(pts.data(), int(pts.size()));
    }
  }
  // The painter blends the slanted pieces of one polyline a little differently from single
  // lines (up to 6 %); beyond that only the joints differ, which it leaves partly covered.
  int joints = 0, lighter = 0, outside = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (x < 2 || y < 3 || x >= kW - 2 || y >= kH - 4)
        outside += fastImg.pixel(x, y) != 0xFFFFFFFFu;
      const int a = qGray(fastImg.pixel(x, y)), b = qGray(slowImg.pixel(x, y));
      joints += a < b - 16;
      lighter += a > b + 16;
    }
  EXPECT_LT(joints, kW * kH / 20);
  EXPECT_EQ(lighter, 0);
  EXPECT_EQ(outside, 0);
}
