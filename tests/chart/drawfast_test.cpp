// SPDX-License-Identifier: MIT
// The chart's items are drawn straight into 32-bit pictures where the painter would only copy
// pixels; drawn onto a picture that takes the painter's way every time, the same items must
// give exactly the same picture.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <random>

#include "chart/chart_probe.h"

using namespace zyr;
using zyr::test::ProbeChart;

namespace {

// Items of every kind with random pens, some reaching past the data area, some NaN.
void AddMixedItems(ProbeChart& c, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-10, 110);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int i = 0; i < 1200; ++i) {
    const double x = i % 97 == 0 ? nan : u(rng), y = u(rng);
    c.SetDataColor(TColor(rng() & 0xFFFFFF));
    c.SetFillColor(TColor(rng() & 0xFFFFFF));
    c.SetLineWidth(uint8_t(i % 50 < 40 ? 1 : 2 + i % 3));
    c.SetPenStyle(i % 23 == 0 ? psDash : psSolid);
    switch (i % 12) {
      case 0:
        c.MoveTo(x, y);
        break;
      case 1:
        c.DrawTo(x, y);
        break;
      case 2:
        c.MarkAt(x, y, uint8_t(i % 52));
        break;
      case 3:
        c.Line(x, y, x + 30 * std::sin(i), y + 20 * std::cos(i));
        break;
      case 4:
        c.Rectangle(x, y, x + 2 + i % 9, y + 2);
        break;
      case 5:
        c.Ellipse(x, y, 1.5 + i % 4, 1.0);
        break;
      case 6:
        c.Arc(x, y, 2.0, 1.5, 0.2, 2.0);
        break;
      case 7:
        c.Arrow(x, y, x + 4, y + 3, 6);
        break;
      case 8:
        c.Bar3D(x, y, x + 2, y + 4, 5, 45);
        break;
      case 9:
        c.Text(x, y, 8, "label");
        break;
      case 10:
        c.MarkErrorBar(x, y, 1, 2, 0, 19);
        break;
      default:
        c.RectFrame(x, y, x + 3, y + 2, 2 + i % 4, clGray, clWhite);
        break;
    }
  }
}

QImage Render(ProbeChart& c, QImage::Format format, TPenMode mode) {
  QImage img(c.DataAreaWidth(), c.DataAreaHeight(), format);
  img.fill(QColor(240, 240, 230));
  {
    TCanvas cv(&img, ctRaster);
    cv.Pen().SetMode(mode);
    c.DrawAllItems(cv, 0, 0, false);
  }
  return img.convertToFormat(QImage::Format_RGB32);
}

int Differences(const QImage& a, const QImage& b) {
  int diff = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) && diff++ == 0)
        ADD_FAILURE() << "first difference at " << x << "," << y;
  return diff;
}

}  // namespace

TEST(DrawFast, MixedItemsGiveThePainterPictureWithEveryPenAndMode) {
  ProbeChart c;
  c.SetBounds(0, 0, 500, 380);
  c.SetRange(1, 0, 0, 100, 100);
  AddMixedItems(c, 9);
  for (TPenMode mode : {pmCopy, pmXor, pmNot}) {
    const QImage fast = Render(c, QImage::Format_RGB32, mode);
    const QImage plain = Render(c, QImage::Format_ARGB32, mode);
    EXPECT_EQ(Differences(fast, plain), 0) << "pen mode " << int(mode);
    int drawn = 0;
    for (int y = 0; y < fast.height(); ++y)
      for (int x = 0; x < fast.width(); ++x) drawn += (fast.pixel(x, y) & 0xFFFFFF) != 0xF0F0E6;
    EXPECT_GT(drawn, 10000) << "pen mode " << int(mode);
  }
}
