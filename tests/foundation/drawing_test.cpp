// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/platform/host/bitmap.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

using namespace zyr;

namespace {

constexpr int kSize = 41;
constexpr int kC = 20;  // centre pixel

// Renders one mark in black with a red brush on white and returns the colours row by row.
std::vector<TColor> RenderMark(int type) {
  TBitmap bmp(kSize, kSize);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(Rect(0, 0, kSize, kSize));
  cv.Pen().SetColor(clBlack);
  cv.Brush().SetColor(clRed);
  DrawMarkOnCanvas(cv, type, kC, kC);
  std::vector<TColor> px;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) px.push_back(cv.Pixels(x, y));
  return px;
}

struct Box {
  int l = kSize, t = kSize, r = -1, b = -1;
};

Box Bounds(const std::vector<TColor>& px) {
  Box bx;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (px[size_t(y * kSize + x)] != clWhite) {
        bx.l = std::min(bx.l, x);
        bx.r = std::max(bx.r, x);
        bx.t = std::min(bx.t, y);
        bx.b = std::max(bx.b, y);
      }
  return bx;
}

}  // namespace

TEST(Marks, EachDesignedMarkIsDrawnCentredAndDistinct) {
  std::set<std::vector<TColor>> seen;
  for (int type = 0; type < NumMarkTypes; ++type) {
    SCOPED_TRACE(type);
    auto px = RenderMark(type);
    Box bx = Bounds(px);
    ASSERT_LE(bx.l, bx.r) << "nothing drawn";
    // Centred: the drawn box extends equally to both sides of the pixel (one pixel of slack
    // for shapes whose outline rounds unevenly).
    EXPECT_LE(std::abs((kC - bx.l) - (bx.r - kC)), 1);
    EXPECT_LE(std::abs((kC - bx.t) - (bx.b - kC)), 1);
    EXPECT_LE(bx.r - bx.l, 16);
    seen.insert(px);
  }
  EXPECT_EQ(int(seen.size()), NumMarkTypes);
}

TEST(Marks, OpenMarksDoNotFillAndFilledOnesUseTheBrush) {
  auto open = RenderMark(12);    // open square, half size 5
  auto filled = RenderMark(15);  // filled square, half size 5
  EXPECT_EQ(open[size_t(kC * kSize + kC)], clWhite);
  EXPECT_EQ(filled[size_t(kC * kSize + kC)], clRed);
  EXPECT_EQ(open[size_t((kC - 5) * kSize + kC)], clBlack);
  EXPECT_EQ(open[size_t((kC + 5) * kSize + kC)], clBlack);
}

TEST(Marks, CanvasStateIsKeptAndBadTypesAreSafe) {
  TBitmap bmp(20, 20);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(Rect(0, 0, 20, 20));
  cv.MoveTo(3, 4);
  cv.Brush().SetStyle(bsSolid);
  DrawMarkOnCanvas(cv, 18, 10, 10);
  EXPECT_EQ(cv.GetPenPos(), Point(3, 4));
  EXPECT_EQ(cv.Brush().Style(), bsSolid);
  DrawMarkOnCanvas(cv, -1, 10, 10);
  DrawMarkOnCanvas(cv, 0xD800, 10, 10);
  DrawMarkOnCanvas(cv, 0x7FFFFFFF, 10, 10);
  DrawMarkOnCanvas(cv, 5, -2000000000, 2000000000);
}

TEST(Marks, CharacterMarksUseThePenColour) {
  TBitmap bmp(kSize, kSize);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(Rect(0, 0, kSize, kSize));
  cv.Pen().SetColor(clBlue);
  cv.Font().SetColor(clGreen);
  DrawMarkOnCanvas(cv, 'X', kC, kC);
  int blue = 0, other = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      TColor c = cv.Pixels(x, y);
      if (c == clWhite) continue;
      // Text may be smoothed: count bluish pixels.
      if (GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60)
        ++blue;
      else if (GetGValue(c) > GetBValue(c) + 60)
        ++other;
    }
  EXPECT_EQ(other, 0);
  EXPECT_GT(blue, 5);
  EXPECT_EQ(cv.Font().Color(), clGreen);
}

TEST(Frames, LoweredAndRaisedSwapLightAndShadow) {
  const TColor hi = clWhite, light = clSilver, shadow = clGray, dark = clBlack, line = clBlue;
  auto render = [&](TFrameStyle st) {
    auto bmp = std::make_unique<TBitmap>(20, 12);
    TCanvas& cv = bmp->Canvas();
    cv.Brush().SetColor(clYellow);
    cv.FillRect(Rect(0, 0, 20, 12));
    DrawFrame(cv, st, 0, 0, 19, 11, hi, light, shadow, dark, line);
    return bmp;
  };
  auto lowered = render(2);
  TCanvas& lc = lowered->Canvas();
  EXPECT_EQ(lc.Pixels(0, 5), shadow);   // outer left
  EXPECT_EQ(lc.Pixels(10, 0), shadow);  // outer top
  EXPECT_EQ(lc.Pixels(19, 5), hi);      // outer right, inclusive edge
  EXPECT_EQ(lc.Pixels(10, 11), hi);     // outer bottom
  EXPECT_EQ(lc.Pixels(1, 5), dark);     // inner left
  EXPECT_EQ(lc.Pixels(18, 5), light);   // inner right
  EXPECT_EQ(lc.Pixels(10, 5), clYellow);

  auto raised = render(3);
  TCanvas& rc = raised->Canvas();
  EXPECT_EQ(rc.Pixels(0, 5), light);
  EXPECT_EQ(rc.Pixels(19, 5), dark);
  EXPECT_EQ(rc.Pixels(1, 5), hi);
  EXPECT_EQ(rc.Pixels(18, 5), shadow);

  auto simple = render(1);
  EXPECT_EQ(simple->Canvas().Pixels(0, 5), line);
  EXPECT_EQ(simple->Canvas().Pixels(1, 5), clYellow);
  auto none = render(0);
  EXPECT_EQ(none->Canvas().Pixels(0, 5), clYellow);
}

TEST(Frames, EmbossedAndEngravedAreMirrorImages) {
  TBitmap a(10, 10), b(10, 10);
  DrawFrame(a.Canvas(), 4, 0, 0, 9, 9, clWhite, clSilver, clGray, clBlack, clBlack);
  DrawFrame(b.Canvas(), 5, 0, 0, 9, 9, clWhite, clSilver, clGray, clBlack, clBlack);
  EXPECT_EQ(a.Canvas().Pixels(0, 4), clWhite);
  EXPECT_EQ(a.Canvas().Pixels(1, 4), clGray);
  EXPECT_EQ(b.Canvas().Pixels(0, 4), clGray);
  EXPECT_EQ(b.Canvas().Pixels(1, 4), clWhite);
}

TEST(Frames, PenIsRestoredAndFontScalesWithResolution) {
  TBitmap bmp(10, 10);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetColor(clRed);
  cv.Pen().SetWidth(3);
  DrawFrame(cv, 2, 9, 9, 0, 0, clWhite, clSilver, clGray, clBlack, clBlack);  // reversed corners
  EXPECT_EQ(cv.Pen().Color(), clRed);
  EXPECT_EQ(cv.Pen().Width(), 3);
  int dpi = cv.GetDeviceCaps(LOGPIXELSY);
  SetCanvasFontSizeScaled(cv, 12);
  EXPECT_EQ(cv.Font().Height(), -int(std::nearbyint(12.0 * dpi / 72)));
}

TEST(ColorArray, InterpolationAndNearest) {
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0), clBlack);
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 1), clWhite);
  EXPECT_EQ(InterpolateColor(RGB(0, 0, 0), RGB(200, 100, 50), 0.5), RGB(100, 50, 25));
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, std::nan("")), clBlack);
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 7), clWhite);

  TColorArray ca;
  ca.Fill(5, {clRed, clLime, clBlue});
  ASSERT_EQ(ca.NumColors(), 5);
  EXPECT_EQ(ca.Color(1), clRed);
  EXPECT_EQ(ca.Color(3), clLime);
  EXPECT_EQ(ca.Color(5), clBlue);
  EXPECT_EQ(ca.Color(2), RGB(128, 128, 0));
  EXPECT_EQ(ca.NearestIndex(RGB(10, 240, 5)), 3);
  EXPECT_EQ(ca.ColorToIndex(RGB(0, 0, 200)), 5);

  // A reversed range runs the ramp from First down to Last.
  ca.Fill(5, 1, {clBlack, clWhite});
  EXPECT_EQ(ca.Color(5), clBlack);
  EXPECT_EQ(ca.Color(1), clWhite);
  TColorArray empty;
  empty.SetNumColors(0);
  EXPECT_EQ(empty.NearestIndex(clRed), 0);
}

TEST(ColorArray, OutOfRangeCopyAssignAndNotification) {
  TColorArray ca;
  int changes = 0;
  ca.OnChange = [&](TObject*) { ++changes; };
  ca.SetNumColors(4);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ca.Color(0), clBlack);
  EXPECT_EQ(ca.Color(5), clBlack);
  ca.SetColor(0, clRed);
  ca.SetColor(5, clRed);
  EXPECT_EQ(changes, 1);
  ca.SetNumColors(-3);
  EXPECT_EQ(ca.NumColors(), 0);
  ca.SetNumColors(1 << 30);
  EXPECT_EQ(ca.NumColors(), TColorArray::MaxColors);

  TColorArray src;
  src.Fill(4, {clRed, clBlue});
  TColorArray dst;
  dst.SetNumColors(6);
  dst.CopyRange(src, 3, 5, 10);  // only entries 3, 4 -> 5, 6 fit
  EXPECT_EQ(dst.Color(5), src.Color(3));
  EXPECT_EQ(dst.Color(6), src.Color(4));
  // Overlapping copy within one table keeps the source values.
  src.CopyRange(src, 1, 2, 3);
  EXPECT_EQ(src.Color(2), clRed);
  EXPECT_EQ(src.Color(4), InterpolateColor(clRed, clBlue, 2.0 / 3));

  changes = 0;
  ca.Assign(&dst);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ca.NumColors(), 6);
  EXPECT_EQ(ca.Color(6), dst.Color(6));
}

TEST(ColorArray, PredefinedColorsAreDistinctAndDarkEnough) {
  std::set<TColor> all;
  for (int i = 1; i <= NumPredefinedColors; ++i) {
    TColor c = PredefinedColors(i);
    all.insert(c);
    // Readable on white: no channel combination close to white.
    EXPECT_LT(GetRValue(c) + GetGValue(c) + GetBValue(c), 3 * 200) << i;
  }
  EXPECT_EQ(int(all.size()), NumPredefinedColors);
  EXPECT_EQ(PredefinedColors(NumPredefinedColors + 1), PredefinedColors(1));
  EXPECT_EQ(PredefinedColors(0), PredefinedColors(NumPredefinedColors));
  EXPECT_EQ(PredefinedColors(-2147483647 - 1), PredefinedColors(-2147483647 - 1));
}
