// SPDX-License-Identifier: MIT
// Texts drawn from kept glyphs must come out as the painter's own text drawing puts them.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/textlayouts.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "../test_support.h"

using namespace zyr;

namespace {

// The texts a chart and its users draw: labels, dates, signs, other scripts, fallback fonts,
// mixed directions, spaces at the ends and characters the painter shows its own way.
const char* const kTexts[] = {"0",
                              "-300",
                              "1.0E+05",
                              " 2.5E-03",
                              "12:30:45.250",
                              "Frame benchmark",
                              "AVATAR Wolf ffi fl",
                              "  spaced  ",
                              "\xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F \xE2\x82\xAC \xC2\xB5s",
                              "\xCE\xB1\xCE\xB2\xCE\xB3 \xD0\x96\xD0\xB8",
                              "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 42 abc",
                              "\xE4\xB8\xAD\xE6\x96\x87 mix",
                              "tab\there",
                              "line\nbreak",
                              "a\xE2\x80\xA8"
                              "b"};

struct TFontCase {
  const char* Name;
  int Height;
  TFontStyles Style;
};
const TFontCase kFonts[] = {
    {"DejaVu Sans", -11, 0},           {"DejaVu Sans", -11, fsBold},
    {"DejaVu Sans", -17, fsItalic},    {"DejaVu Serif", 14, 0},
    {"DejaVu Sans", -13, fsUnderline}, {"DejaVu Sans Mono", -9, fsStrikeOut}};

// The reference: what the canvas drew before it kept glyphs.
void PainterText(QImage& img, const QFont& f, int x, int y, const QString& s, const QColor& col,
                 const QColor* back) {
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(f);
  const QFontMetrics fm(f, &img);
  p.translate(x, y);
  if (back) p.fillRect(QRect(0, 0, fm.horizontalAdvance(s), fm.height()), *back);
  p.setPen(col);
  p.drawText(0, fm.ascent(), s);
}

}  // namespace

TEST(TextLayouts, KeptGlyphsDrawThePaintersPixels) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  TTextLayouts::Clear();
  for (const TFontCase& fc : kFonts)
    for (const char* t : kTexts)
      for (bool solid : {false, true})
        for (int pass = 0; pass < 2; ++pass) {  // the second pass draws from kept glyphs
          SCOPED_TRACE(std::string(fc.Name) + " " + std::to_string(fc.Height) + " style " +
                       std::to_string(fc.Style) + " '" + t + "' solid " + std::to_string(solid));
          TBitmap b(260, 40);
          b.SetPixelFormat(pf32bit);
          TCanvas& c = b.Canvas();
          c.Brush().SetColor(clWhite);
          c.FillRect(Rect(0, 0, 260, 40));
          c.Font().SetName(fc.Name);
          c.Font().SetHeight(fc.Height);
          c.Font().SetStyle(fc.Style);
          c.Font().SetColor(clNavy);
          c.Brush().SetStyle(solid ? bsSolid : bsClear);
          c.Brush().SetColor(clYellow);
          c.TextOut(7, 9, t);
          const int w = c.TextWidth(t);
          EXPECT_EQ(c.PenPos(), Point(7 + w, 9));
          QImage want(260, 40, QImage::Format_RGB32);
          want.fill(Qt::white);
          const QColor back(255, 255, 0);
          PainterText(want, c.Font().ToQFont(), 7, 9, QString::fromUtf8(t), QColor(0, 0, 128),
                      solid ? &back : nullptr);
          ASSERT_EQ(b.Image(), want);
        }
}

TEST(TextLayouts, DrawingKeepsTheCanvasStateForWhatFollows) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  // After a text an XOR pen still inverts and the brush still fills in its own colour.
  TBitmap b(60, 30);
  b.SetPixelFormat(pf32bit);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(Rect(0, 0, 60, 30));
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Brush().SetStyle(bsClear);
  c.TextOut(2, 2, "42");
  c.MoveTo(0, 25);
  c.LineTo(40, 25);
  EXPECT_EQ(c.Pixels(10, 25), clBlack);
  c.Pen().SetMode(pmCopy);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clRed);
  c.Pen().SetColor(clRed);
  c.Rectangle(45, 5, 55, 15);
  EXPECT_EQ(c.Pixels(50, 10), clRed);
}

TEST(TextLayouts, TablesStayBoundedAndAreSharedBetweenCanvases) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  TTextLayouts::Clear();
  TBitmap a(50, 20), b(50, 20);
  const int w = a.Canvas().TextWidth("shared text");
  const size_t kept = TTextLayouts::Count();
  EXPECT_EQ(b.Canvas().TextWidth("shared text"), w);
  EXPECT_EQ(TTextLayouts::Count(), kept);  // measured once for both
  // Many distinct texts never keep more than the bound for one font.
  for (size_t i = 0; i < TTextLayouts::kMaxTexts + 100; ++i)
    a.Canvas().TextWidth("t" + std::to_string(i));
  EXPECT_LE(TTextLayouts::Count(), TTextLayouts::kMaxTexts + 1);
  EXPECT_EQ(a.Canvas().TextWidth("shared text"), w);  // measured again after being dropped
  // A font change on one canvas does not lose the other font's texts.
  a.Canvas().Font().SetStyle(fsBold);
  const int bold = a.Canvas().TextWidth("shared text");
  EXPECT_GT(bold, w);
  a.Canvas().Font().SetStyle(0);
  EXPECT_EQ(a.Canvas().TextWidth("shared text"), w);
  TTextLayouts::Clear();
  EXPECT_EQ(TTextLayouts::Count(), 0u);
  EXPECT_EQ(a.Canvas().TextWidth("shared text"), w);
}
