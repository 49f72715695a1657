// SPDX-License-Identifier: MIT
// TScale drawing: tick lists, label texts, events and pixel geometry of drawn scales.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/scales/scale.h>

#include <cmath>
#include <string>
#include <vector>

using namespace zyr;

namespace {

struct Drawn {
  std::vector<double> ticks;        // recorded tick positions
  std::vector<std::string> labels;  // texts offered to OnBeforeTickLabel
};

// Draws the scale once on a scratch bitmap and reports what it recorded and labelled.
Drawn Draw(TScale& s) {
  Drawn d;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string& t) {
    d.labels.push_back(t);
  };
  TBitmap bmp(s.Width(), s.Height());
  if (s.ScaleType() <= 1)
    s.DrawXScale(bmp.Canvas(), s.ScaleType() == 1 ? 20 : s.Height() - 21);
  else
    s.DrawYScale(bmp.Canvas(), s.ScaleType() == 2 ? 20 : s.Width() - 21);
  for (int i = 1; i <= s.NumTicks(); ++i) d.ticks.push_back(s.GetTickPos(i));
  s.OnBeforeTickLabel = nullptr;
  return d;
}

std::vector<double> Steps(double from, double step, int n) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(from + i * step);
  return v;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want, double tol) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], tol) << "index " << i;
}

std::vector<std::string> Strs(std::initializer_list<const char*> l) { return {l.begin(), l.end()}; }

}  // namespace

TEST(ScaleTicks, LinearRecordingDiffersByOrientation) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(0, 100);
  s.SetShortTicks(false);
  ExpectNear(Draw(s).ticks, Steps(0, 20, 6), 1e-9);
  s.SetShortTicks(true);  // horizontal: only the short positions are recorded
  ExpectNear(Draw(s).ticks, Steps(0, 5, 21), 1e-9);
  s.SetScaleType(2);  // vertical: short positions, then every main position again
  Drawn d = Draw(s);
  ASSERT_EQ(d.ticks.size(), 27u);
  EXPECT_NEAR(d.ticks[21], 0, 1e-9);
  EXPECT_EQ(s.GetTickPos(0), 0);
  EXPECT_EQ(s.GetTickPos(s.NumTicks() + 1), 0);
}

TEST(ScaleTicks, ReversedRangeWalksDownwards) {
  TScale s;
  s.SetScaleType(1);
  s.SetShortTicks(false);
  s.SetRange(100, 0);
  ExpectNear(Draw(s).ticks, Steps(100, -20, 6), 1e-9);
}

TEST(ScaleTicks, LogarithmicIntermediatePositions) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  s.SetShortTicks(false);
  s.SetMinTicks(3);  // 3 decades + 0.5 is not below 3
  ExpectNear(Draw(s).ticks, {1, 10, 100, 1000}, 1e-9);
  s.SetMinTicks(5);
  Drawn d = Draw(s);
  ExpectNear(d.ticks, {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}, 1e-9);
  EXPECT_EQ(d.labels, Strs({"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
  s.SetShortTicks(true);
  EXPECT_EQ(Draw(s).ticks.size(), 28u);  // 3, 4, 6 .. 9 of each decade as well
}

TEST(ScaleTicks, TimeSpanUsesTheStepTable) {
  TScale s;
  s.SetScaleType(1);
  s.SetLabelType(2);
  s.SetRange(0, 1000);
  s.SetMinTicks(5);  // 200 s per tick: 180 s steps, 30 s short steps
  s.SetShortTicks(false);
  Drawn d = Draw(s);
  ExpectNear(d.ticks, Steps(0, 180, 6), 1e-6);
  EXPECT_EQ(d.labels[1], " 00:03:00");
  s.SetShortTicks(true);
  ExpectNear(Draw(s).ticks, Steps(0, 30, 34), 1e-6);
}

TEST(ScaleTicks, DateTimeTenMinutesOverFiveTicks) {
  TScale s;
  s.SetScaleType(1);
  s.SetLabelType(3);
  const double start = EncodeDate(2024, 3, 1) + 10.0 / 24;
  s.SetRange(start, start + 10.0 / 1440);
  s.SetMinTicks(5);
  s.DateFormat().SetDateForTime(0);
  Drawn d = Draw(s);
  ExpectNear(d.ticks, Steps(start, 1.0 / 1440, 11), 1e-7);
  EXPECT_EQ(d.labels, Strs({"10:00", "10:02", "10:04", "10:06", "10:08", "10:10"}));
}

TEST(ScaleTicks, DateUnitsDaysMonthsYears) {
  TScale s;
  s.SetScaleType(1);
  s.SetLabelType(3);
  s.SetMinTicks(5);
  s.SetShortTicks(false);
  s.DateFormat().SetYearLength(0);
  s.SetRange(EncodeDate(2024, 1, 3), EncodeDate(2024, 1, 13));
  Drawn d = Draw(s);
  EXPECT_EQ(d.labels, Strs({"03-Jan", "05-Jan", "07-Jan", "09-Jan", "11-Jan", "13-Jan"}));
  s.DateFormat().SetYearLength(2);
  s.DateFormat().SetMonthName(false);
  s.DateFormat().SetDateOrder(2);
  s.SetRange(EncodeDate(2023, 11, 15), EncodeDate(2025, 2, 1));
  d = Draw(s);
  EXPECT_EQ(d.labels.front(), "2024-01");  // 3-month steps start at a month 1, 4, 7, 10
  EXPECT_EQ(d.labels.back(), "2025-01");
  s.SetRange(EncodeDate(990, 6, 1), EncodeDate(1100, 1, 1));
  d = Draw(s);
  EXPECT_EQ(d.labels.front(), "1000");
  s.SetRange(EncodeDate(9000, 1, 1), 3000000);  // beyond the last date
  d = Draw(s);
  EXPECT_EQ(d.labels.back(), "9999");
}

TEST(ScaleTicks, ClockFormatsAndDateLines) {
  TScale s;
  s.SetScaleType(1);
  s.SetLabelType(3);
  s.SetMinTicks(5);
  s.SetShortTicks(false);
  const double day = EncodeDate(2024, 3, 1);
  s.SetRange(day + 0.5, day + 1.5);  // 4.8 h per tick: 3-hour steps across midnight
  Drawn d = Draw(s);
  d.labels.resize(8);
  EXPECT_EQ(d.labels, Strs({"12:00", "01-Mar-2024", "15:00", "18:00", "21:00", "00:00",
                            "02-Mar-2024", "03:00"}));
  s.DateFormat().SetTimeFormat(2);
  s.DateFormat().SetDateForTime(0);
  d = Draw(s);
  d.labels.resize(5);
  EXPECT_EQ(d.labels, Strs({"12pm", "3pm", "6pm", "9pm", "12am"}));
  s.DateFormat().SetTimeFormat(1);
  EXPECT_EQ(Draw(s).labels.front(), "12h");
}

TEST(ScaleLabels, AutomaticDecimalsAndExponents) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(0, 1);
  EXPECT_EQ(Draw(s).labels.front(), "0.00");
  s.SetRange(0, 50);
  EXPECT_EQ(Draw(s).labels, Strs({"0", "10", "20", "30", "40", "50"}));
  s.SetRange(0, 2000000);
  Drawn d = Draw(s);
  EXPECT_EQ(d.labels[0], "0.0");
  EXPECT_EQ(d.labels[1], " 5.0E+05");
  s.SetDecPlaces(-1);
  s.SetRange(0, 1e120);
  d = Draw(s);
  EXPECT_EQ(d.labels[1], "*********");  // three-digit exponent
  s.SetDecPlaces(12);
  s.SetRange(0, 100);
  EXPECT_EQ(Draw(s).labels.back(), "100.0000000000");  // cut to 14 characters
  s.SetDecPlaces(0);
  s.SetRange(0, 1);
  EXPECT_EQ(Draw(s).labels, Strs({"0", "", "", "", "", "1"}));
}

TEST(ScaleLabels, LogarithmicDecimalsAndDecades) {
  TScale s;
  s.SetScaleType(1);
  s.SetRange(0.01, 100);
  s.SetLogarithmic(true);
  EXPECT_EQ(Draw(s).labels, Strs({"0.01", "0.1", "1", "10", "100"}));
  s.SetDecPlaces(-3);
  EXPECT_EQ(Draw(s).labels, Strs({"-2", "-1", "0", "1", "2"}));
}

TEST(ScaleLabels, InscriptionsAndUserTexts) {
  EXPECT_EQ(TScale::AddScaleInscription("12", "$"), "$12");
  EXPECT_EQ(TScale::AddScaleInscription("12", "&%"), "12%");
  EXPECT_EQ(TScale::AddScaleInscription("12", "(&)"), "(12)");
  EXPECT_EQ(TScale::AddScaleInscription("", "(&)"), "");
  EXPECT_EQ(TScale::ExtractUserText("a|b|", 3), "");
  EXPECT_EQ(TScale::ExtractUserText("a|b", 0), "");
  TScale s;
  s.SetScaleType(1);
  s.SetRange(1, 5);
  s.SetMinTicks(4);
  s.SetLabelType(4);
  s.SetUserTickText("a|b|c");
  EXPECT_EQ(Draw(s).labels, Strs({"a", "b", "c", "c", "c"}));
  s.SetLabelType(1);
  s.SetScaleInscript("&%");
  EXPECT_EQ(Draw(s).labels.back(), "5.0%");  // a span of 4 gets one decimal
}

TEST(ScaleLabels, TimeSpanMilliseconds) {
  TScale s;
  s.SetScaleType(1);
  s.SetLabelType(2);
  s.SetMinTicks(5);
  s.SetRange(-2.5, 0);  // 0.5 s steps: milliseconds shown
  EXPECT_EQ(Draw(s).labels.front(), "-00:00:02.500");
  s.SetRange(5400, 5700);
  EXPECT_EQ(Draw(s).labels.front(), " 01:30:00");
}

TEST(ScaleEvents, OrderDependsOnOrientation) {
  TScale s;
  s.SetRange(0, 100);
  s.SetShortTicks(false);
  std::string order;
  s.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { order += 'T'; };
  TBitmap bmp(400, 400);
  auto run = [&](TScaleType type) {
    order.clear();
    s.SetScaleType(type);
    s.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) { order += 'L'; };
    type <= 1 ? s.DrawXScale(bmp.Canvas(), 20) : s.DrawYScale(bmp.Canvas(), 20);
    return order.substr(0, 4);
  };
  EXPECT_EQ(run(1), "LTLT");
  EXPECT_EQ(run(2), "TLTL");
}

TEST(ScaleBadInput, EveryWalkEndsWithSaneLabels) {
  struct Case {
    double lo, hi;
    bool log;
    int labelType;
  };
  const Case cases[] = {
      {0, 1e-300, false, 1},         {1e300, -1e300, false, 1}, {-1.7e308, 1.7e308, false, 1},
      {1e10, 1e10 + 1e-5, false, 1}, {1e-320, 1e300, true, 1},  {0, 10, true, 1},
      {-1e9, 1e9, false, 3},         {5, 4, false, 3},          {0, 1e-9, false, 3},
      {1, 1e17, false, 2},           {0, 1e-7, false, 2},       {-693593, 2958465, false, 3}};
  for (int minTicks : {0, 2, 10}) {
    for (const Case& c : cases) {
      for (TScaleType type : {TScaleType(1), TScaleType(2)}) {
        TScale s;
        s.SetScaleType(type);
        s.SetLabelType(TFigType(c.labelType));
        s.SetRange(c.lo, c.hi);
        s.SetLogarithmic(c.log);
        s.SetMinTicks(minTicks);
        Drawn d = Draw(s);
        EXPECT_LE(s.NumTicks(), 250);
        for (const std::string& l : d.labels) {
          EXPECT_LE(l.size(), 30u);
          EXPECT_EQ(l.find("nan"), std::string::npos) << l;
          EXPECT_EQ(l.find("inf"), std::string::npos) << l;
        }
      }
    }
  }
}

// ---- pixel geometry ----

namespace {

bool Dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 100; }

}  // namespace

TEST(ScalePixels, TicksSitWhereR2MSays) {
  TScale s;
  s.SetBounds(0, 0, 400, 80);
  s.SetScaleType(1);
  s.SetFrameStyle(0);
  s.SetRange(0, 100);
  const QImage img = s.WindowPicture();
  const int base = s.MarginTop();
  const int x = s.R2M(40);
  for (int y = base; y < base + 7; ++y) EXPECT_TRUE(Dark(img, x, y)) << y;
  EXPECT_FALSE(Dark(img, x, base + 7));  // 7 px main tick, label starts below the gap
  const int xs = s.R2M(45);              // short tick
  EXPECT_TRUE(Dark(img, xs, base + 3));
  EXPECT_FALSE(Dark(img, xs, base + 4));
  EXPECT_TRUE(Dark(img, s.R2M(70), base));  // base line
  EXPECT_FALSE(Dark(img, x, base - 1));
}

TEST(ScalePixels, VerticalTicksAndForeignCanvasOffset) {
  TScale s;
  s.SetBounds(0, 0, 80, 300);
  s.SetScaleType(3);
  s.SetRange(0, 10);
  s.SetTransparent(true);
  s.SetIsHelper(true);
  TBitmap bmp(200, 400);
  s.UseForeignCanvas(&bmp.Canvas(), 50, 0);
  s.ForcePaint();
  const QImage& img = bmp.Image();
  const int base = 50 + 80 - s.MarginRight() - 1;
  const int y = s.R2M(4);  // main tick (steps of 2)
  for (int x = base - 5; x <= base; ++x) EXPECT_TRUE(Dark(img, x, y)) << x;
  EXPECT_FALSE(Dark(img, base - 6, y));
  EXPECT_FALSE(Dark(img, base + 1, y));
}

TEST(ScalePixels, RightEdgeLabelIsPushedIn) {
  TScale s;
  s.SetBounds(0, 0, 300, 60);
  s.SetScaleType(1);
  s.SetFrameStyle(0);
  s.SetMarginRight(2);
  s.SetRange(0, 100000);
  s.SetDecPlaces(0);
  const QImage img = s.WindowPicture();
  int rightmost = -1;
  for (int x = 0; x < 300; ++x)
    for (int y = s.MarginTop() + 7; y < 60; ++y)
      if (Dark(img, x, y)) rightmost = std::max(rightmost, x);
  EXPECT_GE(rightmost, 290);
  EXPECT_LE(rightmost, 297);  // ends at least 2 px before the right edge
}

TEST(ScalePixels, InvalidDateRangeDrawsOnlyItsMessage) {
  TScale s;
  s.SetBounds(0, 0, 400, 60);
  s.SetScaleType(1);
  s.SetFrameStyle(0);
  s.SetShowBaseLine(false);
  s.SetLabelType(3);
  s.SetRange(10, 5);
  const QImage img = s.WindowPicture();
  EXPECT_EQ(s.NumTicks(), 0);
  bool text = false;
  for (int x = 150; x < 250; ++x)
    for (int y = 27; y < 45; ++y) text |= Dark(img, x, y);
  EXPECT_TRUE(text);
  for (int x = 0; x < 400; ++x) EXPECT_FALSE(Dark(img, x, s.MarginTop() + 1));  // no ticks
}
