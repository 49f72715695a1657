// SPDX-License-Identifier: MIT
// The gauge's cover hides the control's edges; the dial's end labels must still show whole.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/scales/gauge.h>

#include <QImage>
#include <string>

using namespace zyr;

namespace {

// Inked pixels of a text drawn alone in the gauge's font.
int InkOfText(TScaleGauge& g, const std::string& text) {
  TBitmap bmp(200, 60);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(TRect{0, 0, 200, 60});
  cv.Font().Assign(&g.Font());
  cv.Font().SetColor(clBlack);
  cv.Brush().SetStyle(bsClear);
  cv.TextOut(5, 5, text);
  const QImage& img = bmp.Image();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

// Inked pixels of the gauge's picture inside a box of its window.
int InkIn(TScaleGauge& g, int x0, int y0, int x1, int y1) {
  const QImage& img = g.WindowPicture();
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

void WhiteDial(TScaleGauge& g) {
  g.SetBackground(gbPlain);
  g.SetColorBg1(clWhite);
  g.SetIndexMode(gimTriangle);
  g.SetValue(g.Min());
}

}  // namespace

TEST(GaugeEndLabels, HorizontalEndsShowWhole) {
  struct Case {
    double min, max;
    const char *first, *last;
  };
  for (const Case& c : {Case{-10, 10, "-10.0", "10.0"}, Case{0, 1000, "0", "1000"}}) {
    SCOPED_TRACE(c.last);
    TScaleGauge g;
    WhiteDial(g);
    g.SetMin(c.min);
    g.SetMax(c.max);
    const int w = g.Width(), h = g.Height();
    const int base = h - g.MarginBottom() - 10 - 1;
    // Inside the inner frame, above the ticks; the neighbouring labels are further in.
    const int left = g.MarginLeft() + 2, right = w - g.MarginRight() - 2;
    const int top = g.MarginTop() + 2, bottom = base - 7;
    EXPECT_EQ(InkIn(g, left, top, left + 34, bottom), InkOfText(g, c.first));
    EXPECT_EQ(InkIn(g, right - 34, top, right, bottom), InkOfText(g, c.last));
  }
}

TEST(GaugeEndLabels, VerticalEndsShowWhole) {
  TScaleGauge g;
  g.SetBounds(0, 0, 90, 300);
  g.SetOrientation(goVertical);
  WhiteDial(g);
  const int base = g.Width() - g.MarginRight() - 10 - 1;
  const int h = g.Height();
  // Labels end 8 pixels left of the base line; the next labels lie 60 pixels away.
  const int left = g.MarginLeft() + 2, top = g.MarginTop() + 2, bottom = h - g.MarginBottom() - 2;
  EXPECT_EQ(InkIn(g, left, top, base - 7, top + 25), InkOfText(g, "10.0"));
  EXPECT_EQ(InkIn(g, left, bottom - 25, base - 7, bottom), InkOfText(g, "-10.0"));
}
