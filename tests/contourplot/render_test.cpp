// SPDX-License-Identifier: MIT
// Contour rendering: cell geometry of the quad operations, the five modes, masks, the cached
// picture and bad input, checked with pixel probes.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>

using namespace zyr;

namespace {

// Opens the protected rendering steps to the tests.
class Probe : public TContourPlot {
 public:
  using TContourPlot::IsoColQuad;
  using TContourPlot::IsoColQuadSL;
  using TContourPlot::IsoQuad;
  using TContourPlot::IsoQuadSL;
  using TContourPlot::RenderFromPivotPoints;
};

TColor At(const QImage& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return clNone;
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

TColor Inverted(TColor c) { return ColorToRGB(c) ^ 0xFFFFFF; }

// A plot whose data area is 401 x 401 pixels over the world square 0..10.
void MakePlot(TContourPlot& cp) {
  cp.SetBounds(0, 0, 460, 448);
  cp.SetRange(0.0, 0.0, 10.0, 10.0);
  cp.HandleNeeded();
}

// Data-area bitmap pixel of a world point.
TPoint BmpPixel(const TContourPlot& cp, double x, double y) {
  int px, py;
  cp.R2M(x, y, px, py);
  return {px - cp.MarginLeft(), py - cp.MarginTop()};
}

// A white bitmap of the data area's size with its row access.
struct Rows {
  TBitmap bmp;
  explicit Rows(int w = 401, int h = 401) : bmp(w, h) {}
  TRGB32* Row0() { return bmp.ScanLine(0); }
  int Stride() { return int(bmp.ScanLine(1) - bmp.ScanLine(0)); }
  int NonWhite() {
    const QImage& img = bmp.Image();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += At(img, x, y) != clWhite;
    return n;
  }
};

// Counts the estimation calls of a plot whose field is z = f(x, y).
struct Field {
  int calls = 0;
  void Attach(TContourPlot& cp, std::function<double(double, double)> f) {
    cp.OnEstimateZVal = [this, f](TObject*, double x, double y, int, int, double& z, uint8_t&) {
      ++calls;
      z = f(x, y);
    };
  }
};

}  // namespace

// ------------------------------------------------------------------ quad geometry

TEST(ContourQuads, UniformCellIsOneBoxBetweenItsCornerPixels) {
  Probe cp;
  MakePlot(cp);
  Rows r;
  cp.IsoColQuadSL(r.Row0(), r.Stride(), 401, 0, 0, 2, 2, 3, 3, 0.3, 0.3, 0.3, 0.3, 25, 25);
  const TPoint a = BmpPixel(cp, 2, 2), b = BmpPixel(cp, 5, 5);
  const TColor c = cp.IsoColorOf(0.3);
  const QImage& img = r.bmp.Image();
  EXPECT_EQ(At(img, a.X, a.Y), c);  // both corners inclusive
  EXPECT_EQ(At(img, b.X, b.Y), c);
  EXPECT_EQ(At(img, a.X - 1, a.Y), clWhite);
  EXPECT_EQ(At(img, b.X + 1, b.Y), clWhite);
  EXPECT_EQ(r.NonWhite(), (b.X - a.X + 1) * (a.Y - b.Y + 1));

  // No iso level crosses a uniform cell.
  Rows dots;
  cp.IsoQuadSL(dots.Row0(), dots.Stride(), 401, 0, 0, 2, 2, 3, 3, 0.3, 0.3, 0.3, 0.3, 25, 25);
  EXPECT_EQ(dots.NonWhite(), 0);
}

TEST(ContourQuads, ScanLineAndCanvasFormsDrawTheSamePixels) {
  Probe cp;
  MakePlot(cp);
  for (TContourPlotMode mode : {cpmDots, cpmMonoDots, cpmColorSurface}) {
    cp.SetPlotMode(mode);
    Rows sl, canvas;
    auto quadSL = mode == cpmColorSurface ? &Probe::IsoColQuadSL : &Probe::IsoQuadSL;
    auto quad = mode == cpmColorSurface ? &Probe::IsoColQuad : &Probe::IsoQuad;
    (cp.*quadSL)(sl.Row0(), sl.Stride(), 401, 0, 0, 1, 1, 8, 7, -0.95, 0.4, 0.1, 0.97, 12, 9);
    (cp.*quad)(canvas.bmp.Canvas(), 0, 0, 1, 1, 8, 7, -0.95, 0.4, 0.1, 0.97, 12, 9);
    EXPECT_GT(sl.NonWhite(), 0) << int(mode);
    EXPECT_EQ(sl.bmp.Image(), canvas.bmp.Image()) << int(mode);
  }
}

TEST(ContourQuads, LevelsAreComparedStrictly) {
  Probe cp;
  MakePlot(cp);
  cp.SetPlotMode(cpmDots);
  // Level 0.0 sits exactly on the bottom edge; 0.05 at the top is below the next level.
  Rows onLevel;
  cp.IsoQuadSL(onLevel.Row0(), onLevel.Stride(), 401, 0, 0, 2, 2, 4, 4, 0, 0, 0.05, 0.05, 5, 5);
  EXPECT_EQ(onLevel.NonWhite(), 0);
  Rows below;
  cp.IsoQuadSL(below.Row0(), below.Stride(), 401, 0, 0, 2, 2, 4, 4, -0.01, -0.01, 0.05, 0.05, 5, 5);
  EXPECT_GT(below.NonWhite(), 0);
}

TEST(ContourQuads, TwentyLevelsFromMinusOneToPointNine) {
  Probe cp;
  MakePlot(cp);
  cp.SetPlotMode(cpmDots);
  cp.IsoColors.Fill(20, {clBlue, clRed});
  // z runs from -1.5 at y = 0 to 1.5 at y = 10: level v lies at y = (v + 1.5) * 10 / 3.
  Rows r;
  cp.IsoQuadSL(r.Row0(), r.Stride(), 401, 0, 0, 0, 0, 10, 10, -1.5, -1.5, 1.5, 1.5, 1, 1);
  const QImage& img = r.bmp.Image();
  const int col = BmpPixel(cp, 0, 0).X;
  std::vector<int> rows;
  for (int y = 0; y < img.height(); ++y)
    if (At(img, col, y) != clWhite) rows.push_back(y);
  ASSERT_EQ(rows.size(), 20u);
  EXPECT_EQ(rows.back(), BmpPixel(cp, 0, (-1.0 + 1.5) * 10 / 3).Y);   // bottom-most: -1.0
  EXPECT_EQ(rows.front(), BmpPixel(cp, 0, (0.9 + 1.5) * 10 / 3).Y);   // top-most: 0.9
  EXPECT_EQ(At(img, col, BmpPixel(cp, 0, 2.5 * 10 / 3).Y), clWhite);  // 1.0 is no level
  EXPECT_EQ(At(img, col, rows.back()), cp.IsoColors.Color(1));
  EXPECT_EQ(At(img, col, rows.front()), cp.IsoColors.Color(19));
}

TEST(ContourQuads, TinyIsoDistStaysBoundedAndStillDraws) {
  Probe cp;
  MakePlot(cp);
  cp.SetPlotMode(cpmDots);
  cp.SetIsoParams(-1, 1, 1e-12);  // 65535 levels at most, far more than pixels
  Rows r;
  cp.IsoQuadSL(r.Row0(), r.Stride(), 401, 0, 0, 0, 0, 10, 10, -1.5, -1.5, 1.5, 1.5, 250, 250);
  EXPECT_GT(r.NonWhite(), 0);
}

TEST(ContourQuads, BottomUpRowsLandOnTheSamePixels) {
  Probe cp;
  MakePlot(cp);
  Rows topDown, bottomUp;
  cp.IsoColQuadSL(topDown.Row0(), topDown.Stride(), 401, 0, 0, 1, 1, 8, 7, -0.95, 0.4, 0.1, 0.97,
                  12, 9);
  // The same buffer addressed from its last row with a negative stride, flipped back after.
  QImage flipped(401, 401, QImage::Format_RGB32);
  flipped.fill(Qt::white);
  TRGB32* last = reinterpret_cast<TRGB32*>(flipped.scanLine(400));
  const int stride = int(reinterpret_cast<TRGB32*>(flipped.scanLine(399)) - last);
  cp.IsoColQuadSL(last, stride, 401, 0, 0, 1, 1, 8, 7, -0.95, 0.4, 0.1, 0.97, 12, 9);
  bottomUp.bmp.SetImage(flipped.mirrored(false, true));
  EXPECT_EQ(topDown.bmp.Image(), bottomUp.bmp.Image());
}

// ------------------------------------------------------------------ whole plot

TEST(ContourRender, CellMapsProbeTheirColoursAndTransparency) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(5);  // pivots at 0, 2.5, 5, 7.5, 10
  cp.SetPivotResY(5);
  Field f;
  f.Attach(cp, [](double x, double) { return x < 1 ? -2.0 : x / 10; });
  const TPoint low = BmpPixel(cp, 0.5, 5), mid = BmpPixel(cp, 5, 5), high = BmpPixel(cp, 10, 5);
  const int n = cp.IsoColors.NumColors();

  cp.SetPlotMode(cpmColorSurfNoIp);
  TBitmap& g = cp.GrafBmp();
  EXPECT_EQ(At(g.Image(), mid.X, mid.Y), cp.IsoColors.Color(int(std::nearbyint(0.75 * n))));
  EXPECT_EQ(At(g.Image(), high.X - 2, high.Y), cp.IsoColors.Color(n));
  EXPECT_EQ(At(g.Image(), low.X, low.Y), cp.IsoColors.Color(1));  // below IsoLow: colour 1

  cp.SetPlotMode(cpmColorSurfNoIpTransp);
  EXPECT_EQ(At(cp.GrafBmp().Image(), low.X, low.Y), cp.ChartColor());  // left transparent
  EXPECT_EQ(At(cp.GrafBmp().Image(), mid.X, mid.Y),
            cp.IsoColors.Color(int(std::nearbyint(0.75 * n))));
}

TEST(ContourRender, MaskBytesBlankPaintAndInvertCells) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(5);
  cp.SetPivotResY(5);
  Field f;
  f.Attach(cp, [](double x, double y) { return (x - 5) * (y - 3) / 30; });
  cp.SetPlotMode(cpmColorSurface);
  const TPoint c33 = BmpPixel(cp, 5, 5), c44 = BmpPixel(cp, 7.5, 7.5);
  const TPoint c22 = BmpPixel(cp, 2.5, 2.5);
  cp.DrawPlot();
  const QImage before = cp.GrafBmp().Image().copy();

  cp.SetMaskVal(3, 3, 1);
  cp.SetMaskVal(4, 4, 5);
  cp.SetMaskVal(2, 2, 255);
  cp.DrawPlot();
  const QImage& after = cp.GrafBmp().Image();
  EXPECT_EQ(At(after, c33.X, c33.Y), cp.ChartColor());
  EXPECT_EQ(At(after, c44.X, c44.Y), cp.MaskPalette.Color(5));
  EXPECT_EQ(At(after, c22.X, c22.Y), Inverted(At(before, c22.X, c22.Y)));
  // The highlighted cell reaches the window inverted too.
  const QImage& win = cp.WindowPicture();
  EXPECT_EQ(At(win, c22.X + cp.MarginLeft(), c22.Y + cp.MarginTop()),
            Inverted(At(before, c22.X, c22.Y)));
}

TEST(ContourRender, PaletteBytesShowOnBlankPivotsAndWhenSetWhileRendering) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(5);
  cp.SetPivotResY(5);
  cp.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, uint8_t&) {
    z = ix == 2 && iy == 2 ? std::numeric_limits<double>::quiet_NaN() : 0.5;
  };
  cp.SetPlotMode(cpmColorSurface);
  const TPoint nan = BmpPixel(cp, 2.5, 2.5), c44 = BmpPixel(cp, 7.5, 7.5);
  // A blank pivot's own byte still paints its cell.
  cp.SetMaskVal(2, 2, 7);
  cp.DrawPlot();
  EXPECT_EQ(At(cp.GrafBmp().Image(), nan.X, nan.Y), cp.MaskPalette.Color(7));
  // A byte set by the progress handler after the values were read shows in the same picture.
  cp.SetMaskVal(2, 2, 0);
  bool estimated = false, set = false;
  cp.OnProgress = [&](TObject*, int percent) {
    if (percent == 100) estimated = true;  // the values are in; 70 to 85 is the value stage
    if (estimated && percent >= 70 && percent < 85 && !set) {
      cp.SetMaskVal(4, 4, 9);
      set = true;
    }
  };
  cp.DrawPlot();
  ASSERT_TRUE(set);
  EXPECT_EQ(At(cp.GrafBmp().Image(), c44.X, c44.Y), cp.MaskPalette.Color(9));
}

TEST(ContourRender, MaskedNeighboursStayOutOfTheCornerMeans) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(5);
  cp.SetPivotResY(5);
  cp.IsoColors.Fill(64, {clBlue, clLime, clRed});
  double outlier = 0;
  cp.OnEstimateZVal = [&](TObject*, double, double, int ix, int iy, double& z, uint8_t&) {
    z = (ix == 3 && iy == 3) ? outlier : 0.1 * ix - 0.2;
  };
  cp.SetMaskVal(3, 3, 1);
  const TPoint near = BmpPixel(cp, 5 - 2.5 * 0.45, 5);  // inside the cell of pivot (2, 3)
  cp.DrawPlot();
  const TColor ref = At(cp.GrafBmp().Image(), near.X, near.Y);
  outlier = 1000;
  cp.DrawPlot();
  EXPECT_EQ(At(cp.GrafBmp().Image(), near.X, near.Y), ref);
  cp.SetMaskVal(3, 3, 0);  // now the outlier does take part
  cp.DrawPlot();
  EXPECT_NE(At(cp.GrafBmp().Image(), near.X, near.Y), ref);
}

TEST(ContourRender, NonFiniteValuesLeaveTheirCellsBlank) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(5);
  cp.SetPivotResY(5);
  cp.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, uint8_t&) {
    z = ix == 2 && iy == 2   ? std::numeric_limits<double>::quiet_NaN()
        : ix == 4 && iy == 4 ? std::numeric_limits<double>::infinity()
                             : 0.5;
  };
  for (TContourPlotMode mode :
       {cpmDots, cpmMonoDots, cpmColorSurface, cpmColorSurfNoIp, cpmColorSurfNoIpTransp}) {
    cp.SetPlotMode(mode);
    const QImage& img = cp.GrafBmp().Image();
    const TPoint nan = BmpPixel(cp, 2.5, 2.5), inf = BmpPixel(cp, 7.5, 7.5);
    EXPECT_EQ(At(img, nan.X, nan.Y), cp.ChartColor()) << int(mode);
    EXPECT_EQ(At(img, inf.X, inf.Y), cp.ChartColor()) << int(mode);
  }
  const TPoint fine = BmpPixel(cp, 5, 5);
  EXPECT_EQ(At(cp.GrafBmp().Image(), fine.X, fine.Y), cp.IsoColorOf(0.5));
}

TEST(ContourRender, SubdivisionsFollowTheGridWidth) {
  // A vertical gradient gives one dot per crossing on each vertical sample line, so the
  // number of columns holding dots counts the sample lines.
  auto columns = [](int pivotsX, int width) {
    TContourPlot cp;
    cp.SetBounds(0, 0, width + 59, 148);
    cp.SetRange(0.0, 0.0, 10.0, 10.0);
    cp.HandleNeeded();
    cp.SetPlotMode(cpmMonoDots);
    cp.SetPivotResX(pivotsX);
    cp.SetPivotResY(2);
    cp.OnEstimateZVal = [](TObject*, double, double y, int, int, double& z, uint8_t&) {
      z = y / 10 - 0.5;
    };
    cp.DrawPlot();
    const QImage& img = cp.GrafBmp().Image();
    std::set<int> cols;
    for (int x = 1; x < img.width() - 1; ++x)
      for (int y = 1; y < img.height() - 1; ++y)
        if (At(img, x, y) == cp.IsoColors.Color(1)) cols.insert(x);
    return double(cols.size());
  };
  // 20 pivots: 19 cell widths of 25 lines; 200 pivots: 199 of 5 (4 pixels apart).
  EXPECT_NEAR(columns(20, 1000), 19 * 25, 19 * 25 * 0.05);
  EXPECT_NEAR(columns(200, 4000), 199 * 5, 199 * 5 * 0.05);
}

TEST(ContourRender, TinyBitmapsDrawNothingAndDoNotCrash) {
  Probe cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double x, double y) { return std::sin(x) * std::cos(y); });
  cp.SetMaskVal(2, 2, 7);
  cp.SetMaskVal(3, 3, 255);
  for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {1, 1}, {5, 1}, {1, 2}}) {
    TBitmap b(w, h);
    for (TContourPlotMode mode : {cpmDots, cpmColorSurface, cpmColorSurfNoIp}) {
      cp.SetPlotMode(mode);
      cp.RenderFromPivotPoints(b, 0, 0);
      cp.RenderFromPivotPoints(b, -300, 200);
    }
  }
  // A single row has no stride: the values draw nothing there.
  cp.FillMask(0);
  TBitmap row(5, 1);
  cp.RenderFromPivotPoints(row, 150, 150);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(At(row.Image(), x, 0), clWhite);
}

// ------------------------------------------------------------------ the cached picture

TEST(ContourCache, FrameOnlyChangesDoNotEstimateAgain) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double x, double y) { return x * y / 50 - 1; });
  cp.DrawPlot();
  const int n = f.calls;
  EXPECT_EQ(n, cp.NumPivotsX() * cp.NumPivotsY());
  cp.CrossHair(1)->SetCrossHMode(1);
  cp.CrossHair(1)->SetPos(3, 4);
  cp.CrossHair(1)->SetPos(6, 2);
  cp.SetCaption(std::string("field"));
  cp.SetWindColor(clYellow);
  cp.Repaint();
  EXPECT_EQ(f.calls, n);
  cp.SetPlotMode(cpmDots);  // invalidates: estimated once more
  EXPECT_EQ(f.calls, 2 * n);
}

TEST(ContourCache, ItemsAndLabelsAreDrawnOnTopOfTheValues) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double, double) { return 0.2; });
  cp.SetDataColor(clBlack);
  cp.Rectangle(4.0, 4.0, 6.0, 6.0);
  cp.ShowGraf();
  const TPoint in = BmpPixel(cp, 5, 5), corner = BmpPixel(cp, 4, 6), out = BmpPixel(cp, 8, 2);
  EXPECT_EQ(At(cp.GrafBmp().Image(), corner.X, corner.Y), clBlack);
  EXPECT_EQ(At(cp.GrafBmp().Image(), in.X, in.Y), cp.FillColor());
  EXPECT_EQ(At(cp.GrafBmp().Image(), out.X, out.Y), cp.IsoColorOf(0.2));
  const int lbl = cp.AddTextLabel(2, 8, clRed, "peak", 0);
  ASSERT_GT(lbl, 0);
  const QImage& img = cp.GrafBmp().Image();
  const TPoint at = BmpPixel(cp, 2, 8);
  int red = 0;
  for (int y = at.Y - 15; y <= at.Y + 15; ++y)
    for (int x = at.X - 30; x <= at.X + 30; ++x) red += At(img, x, y) != cp.IsoColorOf(0.2);
  EXPECT_GT(red, 20);
  // The frame closes the data area.
  EXPECT_EQ(At(img, 0, 0), cp.ChartFrameColor());
  EXPECT_EQ(At(img, img.width() - 1, img.height() - 1), cp.ChartFrameColor());
}

TEST(ContourCache, AThrowingHandlerLeavesAUsablePlot) {
  TContourPlot cp;
  MakePlot(cp);
  cp.OnEstimateZVal = [](TObject*, double, double, int, int, double&, uint8_t&) {
    throw std::runtime_error("no data");
  };
  EXPECT_THROW(cp.DrawPlot(), std::runtime_error);
  EXPECT_TRUE(cp.InvalidDataBmp());
  cp.OnEstimateZVal = [](TObject*, double, double, int, int, double& z, uint8_t&) { z = 0.4; };
  cp.DrawPlot();
  EXPECT_FALSE(cp.InvalidDataBmp());
  const TPoint mid = BmpPixel(cp, 5, 5);
  EXPECT_EQ(At(cp.GrafBmp().Image(), mid.X, mid.Y), cp.IsoColorOf(0.4));
}

TEST(ContourCache, ExportsRenderTheValuesToo) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double, double) { return 0.6; });
  cp.DrawPlot();
  TBitmap out;
  ASSERT_TRUE(cp.CopyToBitmapDAOnly(out, false, false));
  const TPoint mid = BmpPixel(cp, 5, 5);
  EXPECT_EQ(At(out.Image(), mid.X, mid.Y), cp.IsoColorOf(0.6));
}

TEST(ContourCache, RenderingReportsProgressInItsTwoBands) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(250);
  cp.SetPivotResY(20);
  std::vector<int> seen;
  cp.OnProgress = [&](TObject*, int p) { seen.push_back(p); };
  cp.DrawPlot();
  // The estimation pass reports 0..100 first; rendering starts again in the seventies.
  size_t start = 1;
  while (start < seen.size() && seen[start] >= seen[start - 1]) ++start;
  ASSERT_LT(start, seen.size());
  std::vector<int> values, mask;
  for (size_t i = start; i < seen.size(); ++i)
    (seen[i] > 85 || (!mask.empty()) ? mask : values).push_back(seen[i]);
  EXPECT_GE(values.front(), 70);
  ASSERT_FALSE(values.empty());
  ASSERT_FALSE(mask.empty());
  EXPECT_LE(values.size(), 130u);
  EXPECT_LE(mask.size(), 130u);
  EXPECT_EQ(values.back(), 85);
  EXPECT_EQ(mask.back(), 100);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_TRUE(std::is_sorted(mask.begin(), mask.end()));
}

TEST(ContourCache, AProgressHandlerThatResizesThePictureStopsTheValueStage) {
  TContourPlot cp;
  MakePlot(cp);
  cp.SetPivotResX(300);
  Field f;
  f.Attach(cp, [](double x, double y) { return x * y / 50; });
  bool resized = false;
  cp.OnProgress = [&](TObject*, int p) {
    if (p >= 75 && !resized) {
      resized = true;
      cp.SetMarginLeft(80);  // reallocates the cached picture
    }
  };
  cp.DrawPlot();
  EXPECT_TRUE(resized);
  cp.OnProgress = nullptr;
  cp.DrawPlot();
  const TPoint mid = BmpPixel(cp, 5, 5);
  EXPECT_EQ(At(cp.GrafBmp().Image(), mid.X, mid.Y), cp.IsoColorOf(0.5));
}

TEST(ContourCache, TheChartsOwnShowGrafRedrawsTheValues) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double, double) { return 0.3; });
  cp.DrawPlot();
  TCustomRChart& chart = cp;
  chart.ShowGraf();  // clears the data area, then draws it through the plot
  const TPoint mid = BmpPixel(cp, 5, 5);
  EXPECT_EQ(At(cp.GrafBmp().Image(), mid.X, mid.Y), cp.IsoColorOf(0.3));
  EXPECT_EQ(At(cp.WindowPicture(), mid.X + cp.MarginLeft(), mid.Y + cp.MarginTop()),
            cp.IsoColorOf(0.3));
}

TEST(ContourCache, VectorExportCarriesTheValuesAsAnImage) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double x, double) { return x / 10; });
  const std::string file = testing::TempDir() + "contour_export.svg";
  ASSERT_TRUE(cp.CopyToWMF(file, false));
  QFile svg(QString::fromStdString(file));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<image"));
}

TEST(ContourCache, ChangesThroughTheBaseChartRebuildThePicture) {
  TContourPlot cp;
  MakePlot(cp);
  Field f;
  f.Attach(cp, [](double x, double y) { return x * y / 50 - 1; });
  cp.DrawPlot();
  const int n = f.calls;
  TCustomRChart& base = cp;
  base.SetChartColor(clYellow);
  EXPECT_EQ(f.calls, 2 * n);
  base.SetClassVisible(3, false);
  EXPECT_EQ(f.calls, 3 * n);
  base.SetMarginLeft(base.MarginLeft() + 7);
  EXPECT_GT(f.calls, 3 * n);
}
