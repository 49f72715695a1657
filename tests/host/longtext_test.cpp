// SPDX-License-Identifier: MIT
// Texts of megabytes: measured without overflow and drawn as far as they can be seen, with the
// same pixels as their visible beginning.

#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>

#include <QImage>
#include <QPainter>

using namespace zyr;

namespace {

std::string Repeat(const std::string& piece, size_t bytes) {
  std::string s;
  s.reserve(bytes + piece.size());
  while (s.size() < bytes) s += piece;
  return s;
}

const std::string& Huge() {
  static const std::string s = Repeat("The quick brown fox jumps over the lazy dog. ", 4u << 20);
  return s;
}

// Draws the text on a fresh white picture, set up by \p prepare.
QImage Drawn(const std::string& text, int x, int y, const std::function<void(TCanvas&)>& prepare) {
  TBitmap b(400, 300);
  prepare(b.Canvas());
  b.Canvas().TextOut(x, y, text);
  return b.Image().copy();
}

int DarkPixels(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += qGray(img.pixel(x, y)) < 128;
  return n;
}

}  // namespace

TEST(LongText, WidthsOfHugeTextsAddUpWithoutOverflow) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  const int w = c.TextWidth("W");
  ASSERT_GT(w, 0);
  // 4 M characters of W are wider than a 26.6 fixed-point pixel count can hold.
  EXPECT_EQ(c.TextWidth(std::string(4u << 20, 'W')), (4 << 20) * w);
  EXPECT_EQ(c.TextExtent(std::string(4u << 20, 'W')).Y, c.TextHeight("W"));
  EXPECT_EQ(c.TextWidth(std::string(3000, 'W')), 3000 * w);
  // A long text's width continues the width of its shaped beginning.
  const std::string piece = "The quick brown fox jumps over the lazy dog. ";
  const std::string longer = Repeat(piece, 4000);
  EXPECT_EQ(c.TextWidth(longer), int(longer.size() / piece.size()) * c.TextWidth(piece));
  // Absurd sizes stay far from the integer limit, so callers can add margins.
  c.Font().SetSize(1000);
  EXPECT_GT(c.TextWidth(std::string(4u << 20, 'W')), 0);
  EXPECT_LT(c.TextWidth(std::string(4u << 20, 'W')), 1 << 30);
}

TEST(LongText, HugeTextsShowExactlyTheirVisibleBeginning) {
  const auto plain = [](TCanvas& c) { c.Brush().SetStyle(bsClear); };
  const auto boxed = [](TCanvas& c) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clYellow);
  };
  const auto vertical = [](TCanvas& c) {
    c.Brush().SetStyle(bsClear);
    c.Font().SetOrientation(900);
  };
  const auto bigBold = [](TCanvas& c) {
    c.Font().SetSize(20);
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clRed);
  };
  const std::string head = Huge().substr(0, 600);  // wider than the picture in every case
  struct Case {
    const char* name;
    std::function<void(TCanvas&)> prepare;
    int x, y;
  } cases[] = {{"plain", plain, 5, 10},
               {"boxed", boxed, -30, 100},
               {"vertical", vertical, 20, 290},
               {"big bold", bigBold, 0, 200}};
  for (const Case& k : cases) {
    const QImage full = Drawn(Huge(), k.x, k.y, k.prepare);
    EXPECT_EQ(full, Drawn(head, k.x, k.y, k.prepare)) << k.name;
    EXPECT_GT(DarkPixels(full), 500) << k.name;
  }
}

TEST(LongText, MultiByteTextsAreCutBetweenCharacters) {
  // Two-, three- and four-byte characters, and a stray continuation byte.
  const std::string piece = "Grüße \xE2\x82\xAC 5 \xF0\x9F\x98\x80 \x80x ";
  const std::string text = Repeat(piece, 1u << 20);
  const auto prepare = [](TCanvas& c) { c.Brush().SetStyle(bsClear); };
  EXPECT_EQ(Drawn(text, 3, 3, prepare), Drawn(Repeat(piece, 40 * piece.size()), 3, 3, prepare));
}

TEST(LongText, CentredHugeTextShowsItsMiddleAcrossThePicture) {
  TBitmap b(400, 60);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  const int w = c.TextWidth(Huge());
  c.TextOut(200 - w / 2, 20, Huge());
  EXPECT_EQ(c.PenPos().X, 200 - w / 2 + w);
  // Text from edge to edge, nothing above or below its line.
  const QImage img = b.Image();
  for (int band = 0; band < 400; band += 50)
    EXPECT_GT(DarkPixels(img.copy(band, 20, 50, c.TextHeight("x"))), 20) << band;
  EXPECT_EQ(DarkPixels(img.copy(0, 0, 400, 19)), 0);
  EXPECT_EQ(DarkPixels(img.copy(0, 20 + c.TextHeight("x") + 1, 400, 20)), 0);
}

TEST(LongText, ScaledPainterStillShowsTheBeginning) {
  // A printer page is drawn through a scaled painter; what is visible shrinks accordingly.
  auto draw = [](const std::string& text) {
    TBitmap b(400, 100);
    QPainter* p = b.Canvas().Painter();
    p->scale(0.25, 0.25);
    b.Canvas().Brush().SetStyle(bsClear);
    b.Canvas().TextOut(0, 40, text);
    return b.Image().copy();
  };
  EXPECT_EQ(draw(Huge()), draw(Huge().substr(0, 2000)));
}
