// SPDX-License-Identifier: MIT
// Themes on the contour plot: under Dark every line and text that lies on the theme's ground
// reads (contrast measured on the rendered picture), colours the program chose are kept, and
// Classic brings back the documented picture.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>
#include <zyr/scales/colorscale.h>

#include <QImage>
#include <cmath>
#include <set>
#include <string>

#include "../test_support.h"

using namespace zyr;

namespace {

TColor At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// The colour of a box (right and bottom exclusive) that stands out most from Ground.
double BestContrast(const QImage& img, const TRect& r, TColor Ground) {
  double best = 1;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      best = std::max(best, TChartTheme::Contrast(At(img, x, y), Ground));
  return best;
}

// Two hills of opposite sign over the default range, iso lines every 0.1.
void Levels(TContourPlot& cp) {
  cp.SetBounds(0, 0, 520, 420);
  cp.HandleNeeded();
  cp.SetPivotResX(60);
  cp.SetPivotResY(50);
  cp.SetIsoParams(-1.2, 1.2, 0.1);
  cp.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = 1.1 * std::exp(-((x - 1.8) * (x - 1.8) + (y - 1.2) * (y - 1.2)) / 3.0) -
        1.2 * std::exp(-((x + 0.8) * (x + 0.8) + (y + 2.4) * (y + 2.4)) / 4.0);
  };
  cp.SetPlotMode(cpmDots);
}

TRect DataArea(const TContourPlot& cp) {
  return Rect(cp.MarginLeft(), cp.MarginTop(), cp.Width() - cp.MarginRight() - cp.ShadowWidth(),
              cp.Height() - cp.MarginBottom() - cp.ShadowWidth());
}

}  // namespace

TEST(ContourTheme, DarkLinesLabelsCrossHairsLegendAndScalesRead) {
  ZYR_SKIP_WITHOUT_DEFAULT_FONT();
  const TChartTheme dark = TChartTheme::Dark();
  TContourPlot cp;
  Levels(cp);
  cp.ApplyTheme(dark);
  cp.SetCaption("dark");
  cp.Scale1Y().SetCaption("y [m]");
  cp.NextDataColor();
  cp.MoveTo(-4.0, -4.5);
  cp.DrawTo(4.0, 4.5);
  cp.AddLegendEntry("track");
  cp.Legend().SetVisible(true);
  cp.ShowGraf();
  cp.AddTextLabel(-0.8, -2.4, dark.TextColor, "-1.1", 0);
  cp.CrossHair1()->SetCrossHMode(3);
  cp.CrossHair1()->SetPos(-3.9, 3.9);
  cp.DrawPlot();
  const QImage img = cp.WindowPicture().copy();
  const TRect da = DataArea(cp);

  // Every level: each pixel of the dots (the aliased picture holds the pure level colours)
  // against the data area.
  TContourPlot bare;
  Levels(bare);
  bare.ApplyTheme(dark);
  bare.SetAntialiased(false);
  const QImage dots = bare.WindowPicture().copy();
  std::set<TColor> levelColours;
  for (int y = da.Top + 1; y < da.Bottom - 1; ++y)
    for (int x = da.Left + 1; x < da.Right - 1; ++x) levelColours.insert(At(dots, x, y));
  levelColours.erase(dark.ChartColor);
  EXPECT_GT(levelColours.size(), 8u);
  for (TColor c : levelColours) EXPECT_GE(TChartTheme::Contrast(c, dark.ChartColor), 4.5) << c;

  // The cross-hair's horizontal line, away from the iso lines.
  int cx, cy;
  cp.R2M(-3.9, 3.9, cx, cy);
  EXPECT_GE(BestContrast(img, Rect(da.Left + 2, cy, da.Left + 20, cy + 1), dark.ChartColor), 4.5);
  // The label of a level, the legend, the scales' labels and the caption.
  int lx, ly;
  cp.R2M(-0.8, -2.4, lx, ly);
  EXPECT_GE(BestContrast(img, Rect(lx - 8, ly - 14, lx + 8, ly), dark.ChartColor), 4.5);
  const TRect legend = cp.LegendRect();
  ASSERT_GT(legend.Width(), 10);
  EXPECT_EQ(At(img, legend.Right - 3, legend.Top + 3), dark.LegendColor);
  EXPECT_GE(
      BestContrast(img, Rect(legend.Left + 30, legend.Top + 2, legend.Right - 2, legend.Bottom - 2),
                   dark.LegendColor),
      4.5);
  EXPECT_GE(BestContrast(img, Rect(0, da.Top, da.Left - 8, da.Bottom), dark.WindowColor), 4.5);
  EXPECT_GE(
      BestContrast(img, Rect(da.Left, da.Bottom + 4, da.Right, cp.Height()), dark.WindowColor),
      4.5);
  EXPECT_GE(BestContrast(img, Rect(0, 0, cp.Width(), da.Top - 2), dark.WindowColor), 4.5);
  // The frame of the data area.
  EXPECT_GE(TChartTheme::Contrast(At(img, da.Left, (da.Top + da.Bottom) / 2), dark.ChartColor),
            3.0);
}

TEST(ContourTheme, ColoursOfTheProgramStayAndClassicGivesTheDocumentedPicture) {
  TContourPlot plain;
  Levels(plain);
  plain.DrawPlot();
  const QImage before = plain.WindowPicture().copy();
  const TColor firstLevel = plain.IsoColors.Color(1);

  // The library's colours follow the theme and come back with Classic, also through an
  // attached colour legend.
  TContourPlot cp;
  Levels(cp);
  TColorScale legend;
  cp.SetAttachedColorScale(&legend);
  for (int i = 0; i < 5; ++i) {
    cp.ApplyTheme(TChartTheme::Modern());
    cp.ApplyTheme(TChartTheme::Dark());
  }
  EXPECT_NE(cp.IsoColors.Color(1), firstLevel);
  EXPECT_EQ(legend.ColorArray().Color(1), cp.IsoColors.Color(1));
  EXPECT_EQ(cp.CrossHair1()->Color(), TChartTheme::Dark().CrossHairColor);
  cp.ApplyTheme(TChartTheme::Classic());
  EXPECT_EQ(cp.IsoColors.Color(1), firstLevel);
  EXPECT_EQ(cp.CrossHair1()->Color(), TColor(clRed));
  EXPECT_EQ(cp.WindowPicture(), before);

  // Colours the program set are its data: no theme replaces them.
  TContourPlot own;
  Levels(own);
  own.IsoColors.Fill(12, {clNavy, clMaroon});
  own.ApplyTheme(TChartTheme::Dark());
  EXPECT_EQ(own.IsoColors.NumColors(), 12);
  EXPECT_EQ(own.IsoColors.Color(1), TColor(clNavy));
  own.ApplyTheme(TChartTheme::Classic());
  EXPECT_EQ(own.IsoColors.Color(12), TColor(clMaroon));
}
