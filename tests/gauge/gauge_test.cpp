// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/scales/gauge.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

using namespace zyr;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TColor PixelAt(const QImage& img, int x, int y) {
  const QRgb c = img.pixel(x, y);
  return RGB(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
}

// The default 300 x 75 horizontal gauge on a plain cream background. Window: x 20 .. 289,
// y 10 .. 54; base line y = 44; index band y = 45 .. 54, of which the inner frame covers the
// last two rows.
struct PlainGauge : ::testing::Test {
  TScaleGauge g;
  static constexpr int kBase = 44;
  void SetUp() override {
    g.SetBackground(gbPlain);
    g.SetColorBg1(clCream);
  }
  int P(double v) { return g.Scale().ConvertToPixelCoords(v); }
};

}  // namespace

TEST(GaugeSetters, ValueIsClampedIntoTheDialEitherWayRound) {
  TScaleGauge g;
  EXPECT_EQ(g.Min(), -10);
  EXPECT_EQ(g.Max(), 10);
  g.SetValue(15);
  EXPECT_EQ(g.Value(), 10);
  g.SetValue(-20);
  EXPECT_EQ(g.Value(), -10);
  g.SetMin(10);
  g.SetMax(-10);
  g.SetValue(15);
  EXPECT_EQ(g.Value(), 10);
  g.SetValue(kNaN);
  EXPECT_EQ(g.Value(), 10);
  // A narrower dial takes the value along.
  g.SetMin(2);  // dial -10 .. 2
  EXPECT_EQ(g.Value(), 2);
  g.SetMax(5);
  EXPECT_EQ(g.Value(), 2);
}

TEST(GaugeSetters, LogarithmicNeedsAPositiveDial) {
  TScaleGauge g;
  g.SetLogarithmic(true);
  EXPECT_FALSE(g.Logarithmic());
  g.SetMin(1);
  g.SetMax(1000);
  g.SetLogarithmic(true);
  EXPECT_TRUE(g.Logarithmic());
  EXPECT_TRUE(g.Scale().Logarithmic());
  g.SetMin(0);
  EXPECT_EQ(g.Min(), 1);
  g.SetMax(-5);
  EXPECT_EQ(g.Max(), 1000);
  g.SetMin(10);
  EXPECT_EQ(g.Scale().RangeLow(), 10);
  g.SetLogarithmic(false);
  EXPECT_FALSE(g.Scale().Logarithmic());
}

TEST(GaugeSetters, CoverMarginsKeepATwentyPixelWindow) {
  TScaleGauge g;
  g.SetMarginLeft(500);
  EXPECT_EQ(g.MarginLeft(), 270);
  EXPECT_EQ(g.Scale().MarginLeft(), 270);
  g.SetMarginTop(500);
  EXPECT_EQ(g.MarginTop(), 35);
  g.SetMarginBottom(-3);
  EXPECT_EQ(g.MarginBottom(), 0);
  EXPECT_EQ(g.Scale().MarginBottom(), 10);

  g.SetOrientation(goVertical);
  EXPECT_EQ(g.Scale().ScaleType(), 3);
  EXPECT_EQ(g.Scale().MarginRight(), g.MarginRight() + 10);
  EXPECT_EQ(g.Scale().MarginBottom(), 0);
}

TEST(GaugeSetters, ColorSchemeAndAssignCopyOnlyTheirSettings) {
  TScaleGauge a, b;
  a.SetFrameStyleInner(5);
  a.SetFrameStyleOuter(1);
  a.SetValue(7);
  a.SetColorBg1(clNavy);
  a.SetColorScheme(1);
  a.SetCaption("not copied");
  a.SetIndexMode(gimBar);
  a.SetEnabled(false);
  b.SetMax(5);
  b.Assign(&a);
  EXPECT_EQ(b.FrameStyleInner(), 5);
  EXPECT_EQ(b.FrameStyleOuter(), 1);
  EXPECT_EQ(b.Value(), 5);  // kept on b's dial
  EXPECT_EQ(b.ColorBg1(), clNavy);
  EXPECT_EQ(b.ColorScheme(), 1);
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.Caption(), "");
  EXPECT_EQ(b.IndexMode(), gimTriangle);
}

TEST_F(PlainGauge, TriangleAndBarPointAtTheBaseLine) {
  g.SetValue(0);
  QImage img = g.WindowPicture().copy();
  const int p = P(0);
  EXPECT_EQ(PixelAt(img, p, kBase + 1), clBlack);
  EXPECT_EQ(PixelAt(img, p + 1, kBase + 1), clCream);
  EXPECT_EQ(PixelAt(img, p - 4, kBase + 8), clBlack);
  EXPECT_EQ(PixelAt(img, p + 4, kBase + 8), clBlack);
  EXPECT_EQ(PixelAt(img, p + 5, kBase + 8), clCream);

  g.SetIndexMode(gimBar);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, p, kBase + 1), clCream);
  EXPECT_EQ(PixelAt(img, p, kBase + 2), clBlack);
  EXPECT_EQ(PixelAt(img, p - 1, kBase + 2), clCream);
  EXPECT_EQ(PixelAt(img, p + 1, kBase + 3), clBlack);
  EXPECT_EQ(PixelAt(img, p, kBase + 8), clBlack);
  EXPECT_EQ(PixelAt(img, p, kBase + 11), g.ColorCover());
}

TEST_F(PlainGauge, ThreadTwoTrianglesMarkBothEdgesOfTheWindow) {
  g.SetIndexMode(gimThreadTwoTriangles);
  g.SetValue(5);
  const QImage& img = g.WindowPicture();
  const int p = P(5);
  EXPECT_EQ(PixelAt(img, p, 30), clBlack);                             // thread
  EXPECT_EQ(PixelAt(img, p - 4, kBase + 8), g.ColorIndex2());          // lower triangle
  EXPECT_EQ(PixelAt(img, p - 4, g.MarginTop() + 2), g.ColorIndex2());  // top one, wide end
  EXPECT_EQ(PixelAt(img, p - 1, g.MarginTop() + 9), clCream);
  EXPECT_EQ(PixelAt(img, p, 5), g.ColorCover());  // the cover hides the thread
}

TEST_F(PlainGauge, BandsRunFromTheWindowEdgeOrFromZero) {
  g.SetIndexMode(gimBand);
  g.SetColorIndex1(clBlack);
  g.SetColorIndex2(clWhite);
  g.SetValue(2);
  QImage img = g.WindowPicture().copy();
  const int y = kBase + 4;
  EXPECT_EQ(PixelAt(img, 60, y), InterpolateColor(clBlack, clWhite, 40.0 / 270));
  EXPECT_EQ(PixelAt(img, P(2), y), InterpolateColor(clBlack, clWhite, (P(2) - 20) / 270.0));
  EXPECT_EQ(PixelAt(img, P(2) + 1, y), clCream);
  EXPECT_EQ(PixelAt(img, 60, kBase + 8), clCream);  // seven rows high

  g.SetIndexMode(gimDualColorBand);
  g.SetColorIndex1(clGreen);
  g.SetColorIndex2(clRed);
  g.SetValue(4);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, P(0), y), clGreen);
  EXPECT_EQ(PixelAt(img, P(4), y), clGreen);
  EXPECT_EQ(PixelAt(img, P(4) + 1, y), clCream);
  EXPECT_EQ(PixelAt(img, P(0) - 1, y), clCream);
  g.SetValue(-4);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, P(-4), y), clRed);
  EXPECT_EQ(PixelAt(img, P(0), y), clRed);
  EXPECT_EQ(PixelAt(img, P(0) + 1, y), clCream);
  // A reversed dial still shows the band between zero and the value.
  g.SetMin(10);
  g.SetMax(-10);
  g.SetValue(4);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, (P(0) + P(4)) / 2, y), clGreen);
}

TEST_F(PlainGauge, MovingDialCentresTheValueUnderTheIndex) {
  g.SetMin(0);
  g.SetMax(10);
  g.SetIndexMode(gimThread);
  g.SetValue(3);
  g.SetFixedDial(false);
  const QImage& img = g.WindowPicture();
  EXPECT_NEAR(g.Scale().RangeLow(), -2, 1e-12);
  EXPECT_NEAR(g.Scale().RangeHigh(), 8, 1e-12);
  const int mid = 20 + 270 / 2;
  EXPECT_EQ(PixelAt(img, mid, 20), clBlack);
  EXPECT_NEAR(g.ConvertPixelToScale(mid), 3, 0.05);

  g.SetFixedDial(true);
  EXPECT_EQ(g.Scale().RangeLow(), 0);
  EXPECT_EQ(g.Scale().RangeHigh(), 10);

  // Logarithmic: Value / s .. Value * s with s = sqrt(Max / Min).
  g.SetMin(1);
  g.SetMax(100);
  g.SetLogarithmic(true);
  g.SetValue(20);
  g.SetFixedDial(false);
  g.WindowPicture();
  EXPECT_NEAR(g.Scale().RangeLow(), 2, 1e-9);
  EXPECT_NEAR(g.Scale().RangeHigh(), 200, 1e-9);
}

TEST_F(PlainGauge, BackgroundsAndTheDisabledLook) {
  g.SetIndexMode(gimThread);
  QImage img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, 100, 14), clCream);
  EXPECT_EQ(PixelAt(img, 5, 40), g.ColorCover());

  g.SetBackground(gbVertGrad);
  img = g.WindowPicture().copy();
  g.SetColorBg1(clGray);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, 22, 14), InterpolateColor(clGray, clWhite, 2.0 / 270));
  EXPECT_EQ(PixelAt(img, 280, 14), InterpolateColor(clGray, clWhite, 260.0 / 270));
  g.SetBackground(gbVertMidBand);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, 30, 14), PixelAt(img, 280, 14));  // mirrored about the middle
  EXPECT_EQ(PixelAt(img, 155, 14), clWhite);
  g.SetBackground(gbHorizGrad);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, 100, 14), InterpolateColor(clGray, clWhite, 4.0 / 45));

  g.SetBackground(gbPlain);
  g.SetColorBg1(clCream);
  g.SetEnabled(false);
  img = g.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, 100, 14), TColor(0xE9E9EE));
  EXPECT_EQ(PixelAt(img, P(0), 14), clGray);
  EXPECT_EQ(PixelAt(img, 100, kBase), clGray);  // the dial's base line
  g.SetEnabled(true);
  EXPECT_EQ(PixelAt(g.WindowPicture(), 100, kBase), clBlack);
}

TEST(GaugeVertical, TriangleRightOfTheBaseLineAndPixelToValue) {
  TScaleGauge g;
  g.SetBounds(0, 0, 80, 300);
  g.SetOrientation(goVertical);
  g.SetBackground(gbPlain);
  g.SetColorBg1(clCream);
  g.SetValue(0);
  const QImage& img = g.WindowPicture();
  const int base = 80 - g.MarginRight() - 10 - 1;
  const int p = g.Scale().ConvertToPixelCoords(0);
  EXPECT_EQ(PixelAt(img, base + 1, p), clBlack);
  EXPECT_EQ(PixelAt(img, base + 1, p + 1), clCream);
  EXPECT_EQ(PixelAt(img, base + 8, p + 4), clBlack);
  EXPECT_NEAR(g.ConvertPixelToScale(g.MarginTop()), 10, 1e-9);
  EXPECT_NEAR(g.ConvertPixelToScale(300 - g.MarginBottom() - 1), -10, 1e-9);
}

TEST(GaugeMouse, MoveReportsTheDialValue) {
  TScaleGauge g;
  bool in = false;
  double v = 0;
  g.OnMouseMoveInGauge = [&](TObject* s, bool InGauge, TShiftState, double value) {
    EXPECT_EQ(s, &g);
    in = InGauge;
    v = value;
  };
  g.MouseMove(0, 20, 30);
  EXPECT_TRUE(in);
  EXPECT_NEAR(v, -10, 1e-9);
  g.MouseMove(0, 10, 30);
  EXPECT_FALSE(in);
  g.MouseMove(0, 100, 70);
  EXPECT_FALSE(in);
}

TEST(GaugeBadInput, DegenerateSettingsPaintSafelyAndExportWorks) {
  TScaleGauge g;
  g.SetMin(5);
  g.SetMax(5);
  g.SetValue(8);
  EXPECT_EQ(g.Value(), 5);
  for (int m = gimThread; m <= gimBar; ++m) {
    g.SetIndexMode(TGaugeIndexMode(m));
    g.SetFixedDial(m % 2 == 0);
    EXPECT_EQ(g.WindowPicture().width(), 300);
  }
  g.SetGaugeZero(1e300);
  g.SetIndexMode(gimDualColorBand);
  EXPECT_EQ(g.WindowPicture().width(), 300);

  QTemporaryDir dir;
  const std::string png = QDir(dir.path()).filePath("g.png").toStdString();
  ASSERT_TRUE(g.ExportToFile(png));
  EXPECT_EQ(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32),
            g.WindowPicture());
  EXPECT_NE(g.ExportToSVG().find("<svg"), std::string::npos);

  g.SetMarginLeft(250);
  g.SetBounds(0, 0, 30, 10);
  EXPECT_EQ(g.WindowPicture().width(), 30);
  for (int bg = gbPlain; bg <= gbHorizMidBand; ++bg) {
    g.SetBackground(TGaugeBackground(bg));
    EXPECT_EQ(g.WindowPicture().height(), 10);
  }
  g.SetBounds(0, 0, 0, 0);
  EXPECT_TRUE(g.WindowPicture().isNull());
  EXPECT_FALSE(g.ExportToFile(png));
  g.MouseMove(0, 1, 1);
}
