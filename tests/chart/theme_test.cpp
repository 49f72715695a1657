// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/styles.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>
#include <zyr/scales/scale.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <cmath>
#include <memory>
#include <random>
#include <set>

#include "../test_support.h"
#include "chart_probe.h"

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::At;

// Colours of a box of the picture (right and bottom exclusive).
std::set<TColor> ColoursIn(const QImage& img, int x0, int y0, int x1, int y1) {
  std::set<TColor> out;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) out.insert(At(img, x, y));
  return out;
}

// The colour of a box that stands out most from Ground, with its contrast.
double BestContrast(const QImage& img, int x0, int y0, int x1, int y1, TColor Ground) {
  double best = 1;
  for (TColor c : ColoursIn(img, x0, y0, x1, y1))
    best = std::max(best, TChartTheme::Contrast(c, Ground));
  return best;
}

void TwoCurves(TRChart& c) {
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetCaption("Caption");
  c.Scale1X().SetCaption("time [s]");
  c.Scale1Y().SetCaption("signal [V]");
  c.NextDataColor();
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 100; ++i) c.DrawTo(i / 10.0, std::sin(i / 10.0));
  c.NextDataColor();
  c.MoveTo(0.0, 1.0);
  for (int i = 1; i <= 100; ++i) c.DrawTo(i / 10.0, std::cos(i / 10.0));
  c.ShowGraf();
}

QImage Picture(const TChartTheme* Theme, const TChartTheme* Before = nullptr) {
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  if (Before) c.ApplyTheme(*Before);
  if (Theme) c.ApplyTheme(*Theme);
  TwoCurves(c);
  return c.WindowPicture().copy();
}

}  // namespace

TEST(ChartTheme, ClassicIsTheDocumentedLookAndTheLastThemeWins) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  const TChartTheme classic = TChartTheme::Classic(), modern = TChartTheme::Modern(),
                    dark = TChartTheme::Dark();
  const QImage plain = Picture(nullptr);
  EXPECT_EQ(Picture(&classic), plain);
  EXPECT_EQ(Picture(&classic, &dark), plain);
  EXPECT_NE(Picture(&modern), plain);
  EXPECT_EQ(Picture(&modern, &dark), Picture(&modern));

  // Many switches before and after the chart is shown: the last one holds.
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  for (int i = 0; i < 50; ++i) c.ApplyTheme(i % 2 ? modern : dark);
  c.ApplyTheme(classic);
  c.HandleNeeded();
  for (int i = 0; i < 20; ++i) c.ApplyTheme(i % 3 ? dark : modern);
  c.ApplyTheme(classic);
  TwoCurves(c);
  EXPECT_EQ(c.WindowPicture(), plain);
  EXPECT_FALSE(c.Antialiased());
  EXPECT_FALSE(c.MouseWheelZoom());
}

TEST(ChartTheme, ModernSetsItsPropertiesWhichStayChangeable) {
  TRChart c;
  c.ApplyTheme(TChartTheme::Modern());
  EXPECT_TRUE(c.Antialiased());
  EXPECT_TRUE(c.MouseWheelZoom());
  EXPECT_EQ(c.WindColor(), TColor(clWhite));
  EXPECT_EQ(c.ShadowWidth(), 0);
  EXPECT_EQ(c.GridStyle(), gsLines);
  EXPECT_TRUE(c.Scale1Y().CaptionVertical());
  EXPECT_TRUE(c.Scale2Y().CaptionVertical());
  EXPECT_FALSE(c.Scale1X().CaptionVertical());
  EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartCenter);
  EXPECT_EQ(c.CaptionAlignment(), taCenter);
  EXPECT_EQ(c.Font().Name(), TChartTheme::Modern().FontName);
  c.SetAntialiased(false);
  c.SetGridStyle(gsNone);
  EXPECT_FALSE(c.Antialiased());
  EXPECT_EQ(c.GridStyle(), gsNone);
}

TEST(ChartTheme, NextDataColorCyclesTenDistinctColours) {
  TRChart c;
  c.ApplyTheme(TChartTheme::Modern());
  std::vector<TColor> seen;
  for (int i = 0; i < 10; ++i) {
    seen.push_back(c.NextDataColor());
    EXPECT_EQ(c.DataColor(), seen.back());
  }
  EXPECT_EQ(std::set<TColor>(seen.begin(), seen.end()).size(), 10u);
  EXPECT_EQ(c.NextDataColor(), seen[0]);
  c.ResetDataColors();
  EXPECT_EQ(c.NextDataColor(), seen[0]);
  // A theme of one's own without colours falls back on the classic ones.
  TChartTheme none = TChartTheme::Modern();
  none.DataColors.clear();
  c.ApplyTheme(none);
  EXPECT_EQ(c.NextDataColor(), TChartTheme::Classic().DataColors[0]);
}

TEST(ChartTheme, DarkTextTicksAndGridReadOnTheirGround) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  const TChartTheme dark = TChartTheme::Dark();
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  c.ApplyTheme(dark);
  TwoCurves(c);
  const QImage img = c.WindowPicture().copy();
  const int l = c.MarginLeft(), t = c.MarginTop();
  const int r = 400 - c.MarginRight(), b = 300 - c.MarginBottom();
  // Around the data area: the caption above, tick labels and the vertical caption left of it,
  // tick labels and the caption below it.
  EXPECT_EQ(At(img, 2, 2), dark.WindowColor);
  EXPECT_GE(BestContrast(img, 0, 0, 400, t - 1, dark.WindowColor), 4.5);
  EXPECT_GE(BestContrast(img, 0, t, l - 10, b, dark.WindowColor), 4.5);
  EXPECT_GE(BestContrast(img, 0, t, 16, b, dark.WindowColor), 4.5);
  EXPECT_GE(BestContrast(img, l, b + 9, r, 300, dark.WindowColor), 4.5);
  // Ticks: the pixels just left of the data area carry the axis colour.
  EXPECT_GE(BestContrast(img, l - 6, t, l - 1, b, dark.WindowColor), 4.5);
  // Grid lines: each grid pixel inside the data area reads on the data area's colour.
  std::set<TColor> inside = ColoursIn(img, l + 2, t + 2, r - 2, b - 2);
  EXPECT_TRUE(inside.count(dark.GridColor));
  EXPECT_GE(TChartTheme::Contrast(dark.GridColor, dark.ChartColor), 4.5);
  for (TColor axis : dark.AxisColors) EXPECT_GE(TChartTheme::Contrast(axis, dark.WindowColor), 4.5);
  EXPECT_GE(TChartTheme::Contrast(dark.TextColor, dark.LegendColor), 4.5);
}

TEST(ChartTheme, ExtremeFontSizesAreClampedAndPaint) {
  for (int size : {0, -5, 10000}) {
    TChartTheme t = TChartTheme::Modern();
    t.FontSize = t.CaptionFontSize = size;
    TRChart c;
    c.SetBounds(0, 0, 300, 200);
    c.ApplyTheme(t);
    TwoCurves(c);
    EXPECT_FALSE(c.WindowPicture().isNull());
    EXPECT_GE(c.Font().Size(), 4);
    EXPECT_LE(c.Font().Size(), 96);
    EXPECT_LE(c.Scale1Y().Font().Size(), 96);
  }
}

TEST(ChartTheme, StyledTextTakesAReadablePaletteColour) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  const QPalette was = QGuiApplication::palette();
  QPalette dark = was;
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Window, QColor(40, 40, 40));
  dark.setColor(QPalette::Text, QColor(240, 240, 240));
  dark.setColor(QPalette::WindowText, QColor(250, 250, 250));
  QGuiApplication::setPalette(dark);
  StyleServices().SetEnabled(true);
  auto labelContrast = [](uint8_t elements) {
    TRChart c;
    c.SetBounds(0, 0, 300, 200);
    c.SetStyleElements(elements);
    c.SetRange(1, 0, 0, 10, 1);
    const QImage img = c.WindowPicture().copy();
    const TColor ground = At(img, 2, 100);
    return BestContrast(img, 0, c.MarginTop(), c.MarginLeft() - 8, 200 - c.MarginBottom(), ground);
  };
  // The chart's own grey window with the palette's white text would not read.
  const double ownGround = labelContrast(TCustomRChart::seFont);
  const double styledGround = labelContrast(TCustomRChart::seFont | TCustomRChart::seClient);
  const double noFont = labelContrast(0);
  StyleServices().SetEnabled(false);
  QGuiApplication::setPalette(was);
  EXPECT_GE(ownGround, 4.5);
  EXPECT_GE(styledGround, 4.5);
  EXPECT_GE(noFont, 4.5);
}

TEST(VerticalAxisCaption, TurnedAndCentredBesideTheLabels) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  auto picture = [](bool vertical, TrcLayout layout) {
    TRChart c;
    c.SetBounds(0, 0, 400, 300);
    c.Scale1Y().SetCaptionVertical(vertical);
    c.Scale2Y().SetCaptionVertical(vertical);
    c.SetStandardLayout(layout);
    c.SetRange(1, 0, 0, 10, 1);
    c.SetRange(2, 0, 0, 10, 1);
    c.Scale1Y().SetCaption("Voltage");
    c.Scale2Y().SetCaption("Current");
    c.SetWindColor(clWhite);
    QImage img = c.WindowPicture().copy();
    return std::make_tuple(img, c.MarginLeft(), c.MarginRight(), c.MarginTop(),
                           300 - c.MarginBottom());
  };
  // Bounding box of the dark pixels in a box.
  auto ink = [](const QImage& img, int x0, int y0, int x1, int y1) {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (qGray(img.pixel(x, y)) < 128) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  };
  const auto [flat, fl, fr, ft, fb] = picture(false, rcl_X1Bottom_Y1Left);
  const auto [up, ul, ur, ut, ub] = picture(true, rcl_X1Bottom_Y1Left);
  EXPECT_GT(ul, fl);  // the layout made room
  // The caption is the leftmost ink: taller than wide, centred along the axis.
  const TRect labels = ink(up, ul - 8 - 30, ut, ul - 8, ub);
  const TRect cap = ink(up, 0, 0, labels.Left - 1, 300);
  ASSERT_LT(cap.Left, cap.Right);
  EXPECT_GT(cap.Height(), 3 * cap.Width());
  EXPECT_NEAR((cap.Top + cap.Bottom) / 2.0, (ut + ub) / 2.0, 3);
  EXPECT_GE(labels.Left - cap.Right, 2);

  // A right axis has its caption right of its labels.
  const auto [both, bl, br, bt, bb] = picture(true, rcl_X1Bottom_Y2Both);
  const int axis = 400 - br;
  const TRect rcap = ink(both, axis + 30, 0, 400, 300);
  ASSERT_LT(rcap.Left, rcap.Right);
  EXPECT_GT(rcap.Height(), 3 * rcap.Width());
  EXPECT_NEAR((rcap.Top + rcap.Bottom) / 2.0, (bt + bb) / 2.0, 3);
  EXPECT_LE(rcap.Right, 400);
}

TEST(ChartAntialias, ItemsSmoothOverlaysAndDefaultExact) {
  auto picture = [](bool smooth, bool crossHair) {
    TRChart c;
    c.SetBounds(0, 0, 300, 200);
    c.SetAntialiased(smooth);
    c.SetRange(1, 0, 0, 10, 10);
    c.SetDataColor(clBlack);
    c.MoveTo(0.0, 0.0);
    c.DrawTo(10.0, 7.0);
    c.MarkAt(5.0, 5.0, 2);
    if (crossHair) {
      c.CrossHair1()->SetCrossHMode(1);
      c.CrossHair1()->SetPos(3, 3);
    }
    c.ShowGraf();
    return std::make_tuple(c.WindowPicture().copy(), c.MarginLeft(), c.MarginTop());
  };
  const auto [aliased, l, t] = picture(false, false);
  const auto [smooth, l2, t2] = picture(true, false);
  const int r = 300 - 20, b = 200 - 40;
  EXPECT_EQ(ColoursIn(aliased, l + 1, t + 1, r - 1, b - 1).size(), 2u);
  EXPECT_GT(ColoursIn(smooth, l + 1, t + 1, r - 1, b - 1).size(), 10u);
  // The frame and the axis lines stay crisp.
  EXPECT_EQ(At(smooth, l, (t + b) / 2), clBlack);
  EXPECT_EQ(At(smooth, l + 1, (t + b) / 2), clWhite);
  // Cross-hairs keep their aliased pixels on a smooth picture.
  const auto [withCross, l3, t3] = picture(true, true);
  const auto [aliasedCross, l4, t4] = picture(false, true);
  int same = 0, red = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (At(aliasedCross, x, y) == TColor(0x0000FF)) {
        ++red;
        same += At(withCross, x, y) == TColor(0x0000FF);
      }
  EXPECT_GT(red, 50);
  EXPECT_EQ(same, red);
}

TEST(ChartAntialias, ExportsFollowTheSwitch) {
  const std::string dir = ::testing::TempDir();
  TRChart c;
  c.SetBounds(0, 0, 300, 200);
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 7.0);
  c.ShowGraf();
  ASSERT_TRUE(c.CopyToBMP(dir + "aa_off.png", false));
  c.SetAntialiased(true);
  ASSERT_TRUE(c.CopyToBMP(dir + "aa_on.png", false));
  QImage off(QString::fromStdString(dir + "aa_off.png")),
      on(QString::fromStdString(dir + "aa_on.png"));
  ASSERT_FALSE(on.isNull());
  EXPECT_LE(ColoursIn(off, 60, 30, 270, 150).size(), 3u);
  EXPECT_GT(ColoursIn(on, 60, 30, 270, 150).size(), 10u);
  ASSERT_TRUE(c.CopyToWMF(dir + "aa_on.svg", false));
  c.SetAntialiased(false);
  ASSERT_TRUE(c.CopyToWMF(dir + "aa_off.svg", false));
  auto read = [](const std::string& f) {
    QFile file(QString::fromStdString(f));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  };
  EXPECT_NE(read(dir + "aa_on.svg"), read(dir + "aa_off.svg"));
}

TEST(ChartAntialias, MillionPointLineReducedPerColumnLooksTheSame) {
  test::ProbeChart c;
  c.SetBounds(0, 0, 500, 300);
  c.SetAntialiased(true);
  c.SetRange(1, 0, -1.5, 1, 1.5);
  std::mt19937 rng(3);
  std::normal_distribution<double> noise(0, 0.08);
  c.MoveTo(0.0, 0.0);
  const int n = 1000000;
  for (int i = 1; i < n; ++i) {
    const double x = double(i) / n;
    c.DrawTo(x, std::sin(x * 40) + noise(rng));
  }
  c.SetMergePolyColumns(true);
  c.ShowGraf();
  const QImage reduced = c.WindowPicture().copy();
  c.SetMergePolyColumns(false);
  c.ShowGraf();
  const QImage full = c.WindowPicture().copy();
  int differ = 0, worst = 0;
  for (int y = 0; y < full.height(); ++y)
    for (int x = 0; x < full.width(); ++x) {
      const QRgb a = reduced.pixel(x, y), b = full.pixel(x, y);
      const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
      differ += d > 0;
      worst = std::max(worst, d);
    }
  EXPECT_LT(differ, full.width() * full.height() / 100);
  EXPECT_LE(worst, 96);
}

TEST(ControlThemes, EveryControlGoesModernAndBackToClassic) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  // For each control: the classic picture, the picture after Modern, Dark and Classic again,
  // and whether Modern changed it.
  auto check = [](auto make) {
    const TChartTheme modern = TChartTheme::Modern();
    auto plain = make();
    const QImage before = plain->WindowPicture().copy();
    auto themed = make();
    themed->ApplyTheme(modern);  // before the control is first painted
    EXPECT_TRUE(themed->Antialiased());
    const QImage m = themed->WindowPicture().copy();
    EXPECT_NE(m, before);
    themed->ApplyTheme(TChartTheme::Dark());
    themed->ApplyTheme(TChartTheme::Classic());
    EXPECT_FALSE(themed->Antialiased());
    EXPECT_EQ(themed->WindowPicture(), before);
  };
  check([] {
    auto s = std::make_unique<TScale>();
    s->SetBounds(0, 0, 300, 60);
    return s;
  });
  check([] {
    auto s = std::make_unique<TColorScale>();
    s->SetBounds(0, 0, 300, 80);
    s->SetCaption("level");
    return s;
  });
  check([] {
    auto g = std::make_unique<TScaleGauge>();
    g->SetBounds(0, 0, 300, 120);
    g->SetValue(0.5);
    return g;
  });
  check([] {
    auto p = std::make_unique<TPlot3D>();
    p->SetBounds(0, 0, 300, 240);
    p->GridMat.Resize(10, 10);
    for (int i = 1; i <= 10; ++i)
      for (int j = 1; j <= 10; ++j) p->GridMat.SetElem(i, j, std::sin(i * 0.5) * std::cos(j * 0.4));
    return p;
  });
  check([] {
    auto r = std::make_unique<TRot3D>();
    r->SetBounds(0, 0, 300, 240);
    r->Moveto(0, 0, 0);
    r->Drawto(1, 1, 1);
    r->MarkAt(0.5, 0.2, 0.8, 2);
    return r;
  });
}
