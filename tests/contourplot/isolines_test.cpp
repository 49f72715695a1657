// SPDX-License-Identifier: MIT
// Smooth iso-lines of antialiased contour plots: where they run compared with the dots of the
// aliased picture, how evenly they join across cells, their colours, masks, exports and bad
// input; with the switch off the dots stay exactly as they were.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>

#include <QFile>
#include <QImage>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

using namespace zyr;

namespace {

TColor At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// Ink of a pixel on white: 0 for white, 1 for black.
double Ink(const QImage& img, int x, int y) { return 1.0 - qGray(img.pixel(x, y)) / 255.0; }

// Opens the value stage to the tests: a picture into any bitmap at an offset.
class Probe : public TContourPlot {
 public:
  using TContourPlot::RenderFromPivotPoints;
};

// A plot whose data area is 401 x 401 pixels over the world square 0..10, its field given by f.
void MakePlot(TContourPlot& cp, std::function<double(double, double)> f, int pivots = 40) {
  cp.SetBounds(0, 0, 470, 460);
  cp.SetRange(0.0, 0.0, 10.0, 10.0);
  cp.HandleNeeded();
  cp.SetPivotResX(pivots);
  cp.SetPivotResY(pivots);
  cp.OnEstimateZVal = [f](TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = f(x, y);
  };
}

// One black level at 5 of the plane z = x + y / 2: the line x = 5 - y / 2, slanted.
void SlantedLevel(TContourPlot& cp) {
  MakePlot(cp, [](double x, double y) { return x + y / 2; });
  cp.IsoColors.Fill(1, {clBlack});
  cp.SetIsoParams(5, 6, 1);
  cp.SetPlotMode(cpmMonoDots);
}

// The data-area picture, with the plot repainted first.
QImage DataArea(TContourPlot& cp) {
  cp.DrawPlot();
  const QImage img = cp.GrafBmp().Image().copy();
  EXPECT_EQ(img.size(), QSize(401, 401));
  return img;
}

std::set<TColor> Colours(const QImage& img, int inset) {
  std::set<TColor> out;
  for (int y = inset; y < img.height() - inset; ++y)
    for (int x = inset; x < img.width() - inset; ++x) out.insert(At(img, x, y));
  return out;
}

}  // namespace

TEST(ContourIsoLines, SmoothLinesRunThroughTheDotsWithIntermediateColours) {
  TContourPlot cp;
  SlantedLevel(cp);
  const QImage dots = DataArea(cp);
  cp.SetAntialiased(true);
  const QImage smooth = DataArea(cp);
  EXPECT_EQ(Colours(dots, 1), (std::set<TColor>{clWhite, clBlack}));
  EXPECT_GT(Colours(smooth, 1).size(), 10u);

  // Every dot lies on the smooth line, and every well-covered pixel of the line beside a dot.
  int dotCount = 0, strong = 0;
  for (int y = 1; y < 400; ++y)
    for (int x = 1; x < 400; ++x) {
      if (Ink(dots, x, y) > 0.5) {
        ++dotCount;
        const double near =
            std::max({Ink(smooth, x, y), Ink(smooth, x - 1, y), Ink(smooth, x + 1, y),
                      Ink(smooth, x, y - 1), Ink(smooth, x, y + 1)});
        EXPECT_GT(near, 0.4) << x << "," << y;
      }
      if (Ink(smooth, x, y) > 0.5) {
        ++strong;
        bool dotBeside = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) dotBeside |= Ink(dots, x + dx, y + dy) > 0.5;
        EXPECT_TRUE(dotBeside) << x << "," << y;
      }
    }
  EXPECT_GT(dotCount, 300);
  EXPECT_GT(strong, 200);
}

TEST(ContourIsoLines, PiecesJoinAcrossCellsWithoutBeads) {
  // A joint drawn twice would darken the rows where cells meet; one polyline keeps the ink of
  // every row alike. Rows near the border are left out: there the corner means deviate from
  // the plane.
  for (int pivots : {40, 150}) {
    TContourPlot cp;
    SlantedLevel(cp);
    cp.SetPivotResX(pivots);
    cp.SetPivotResY(pivots);
    cp.SetAntialiased(true);
    const QImage img = DataArea(cp);
    double lo = 1e9, hi = 0;
    for (int y = 40; y < 360; ++y) {
      double ink = 0;
      for (int x = 1; x < 400; ++x) ink += Ink(img, x, y);
      lo = std::min(lo, ink);
      hi = std::max(hi, ink);
    }
    EXPECT_GT(lo, 0.8) << pivots;  // no gap
    EXPECT_LT(hi / lo, 1.3) << pivots;
  }
}

TEST(ContourIsoLines, EachLevelInItsColourAndMonoInColourOne) {
  TContourPlot cp;
  MakePlot(cp, [](double x, double) { return x; });
  cp.IsoColors.Fill(4, {clRed, clBlue});
  cp.SetIsoParams(0, 10, 2.5);  // levels 0, 2.5, 5, 7.5: the vertical lines x = 2.5, 5, 7.5
  cp.SetAntialiased(true);
  for (TContourPlotMode mode : {cpmDots, cpmMonoDots}) {
    cp.SetPlotMode(mode);
    const QImage img = DataArea(cp);
    for (double level : {2.5, 5.0, 7.5}) {
      int px, py;
      cp.R2M(level, 5.0, px, py);
      const int x = px - cp.MarginLeft(), y = 200;
      // The line is vertical: the darkest pixel of the row beside its place has its colour.
      int best = x;
      for (int dx = -1; dx <= 1; ++dx)
        if (Ink(img, x + dx, y) > Ink(img, best, y)) best = x + dx;
      const TColor want = mode == cpmMonoDots ? cp.IsoColors.Color(1) : cp.IsoColorOf(level);
      EXPECT_EQ(At(img, best, y), want) << int(mode) << " " << level;
    }
  }
}

TEST(ContourIsoLines, SwitchingRebuildsAndOffKeepsTheDotsExactly) {
  TContourPlot plain;
  SlantedLevel(plain);
  const QImage before = plain.WindowPicture().copy();

  TContourPlot cp;
  SlantedLevel(cp);
  cp.DrawPlot();
  cp.SetAntialiased(true);  // a shown plot with a valid picture repaints with lines
  EXPECT_NE(cp.WindowPicture(), before);
  cp.SetAntialiased(false);
  EXPECT_EQ(cp.WindowPicture(), before);

  // The value pixels of the surfaces are no lines: the switch leaves them alone.
  for (TContourPlotMode mode : {cpmColorSurface, cpmColorSurfNoIp}) {
    cp.SetPlotMode(mode);
    const QImage aliased = DataArea(cp);
    cp.SetAntialiased(true);
    EXPECT_EQ(DataArea(cp), aliased) << int(mode);
    cp.SetAntialiased(false);
  }
}

TEST(ContourIsoLines, MasksCutAndCoverTheLines) {
  TContourPlot cp;
  SlantedLevel(cp);
  cp.SetAntialiased(true);
  cp.CalculatePivotPoints(true);
  // Pivot columns 17..24 around the line's middle: blanked below, palette colour 5 above.
  for (int ix = 17; ix <= 24; ++ix)
    for (int iy = 1; iy <= 40; ++iy) cp.SetMaskVal(ix, iy, iy <= 20 ? 1 : 5);
  const QImage img = DataArea(cp);
  int x1, y1, x2, y2;
  cp.R2M(cp.PivotPosX(18), cp.PivotPosY(4), x1, y1);
  cp.R2M(cp.PivotPosX(23), cp.PivotPosY(17), x2, y2);
  for (int y = y2 - cp.MarginTop(); y <= y1 - cp.MarginTop(); ++y)
    for (int x = x1 - cp.MarginLeft(); x <= x2 - cp.MarginLeft(); ++x)
      ASSERT_EQ(At(img, x, y), clWhite) << x << "," << y;
  cp.R2M(cp.PivotPosX(20), cp.PivotPosY(30), x1, y1);
  EXPECT_EQ(At(img, x1 - cp.MarginLeft(), y1 - cp.MarginTop()), cp.MaskPalette.Color(5));
  // The line goes on beyond the masked columns.
  cp.R2M(1.0, 8.0, x1, y1);
  EXPECT_GT(Ink(img, x1 - cp.MarginLeft(), y1 - cp.MarginTop()), 0.3);
}

TEST(ContourIsoLines, ExportsDrawTheLinesSmooth) {
  const std::string dir = ::testing::TempDir();
  TContourPlot cp;
  SlantedLevel(cp);
  cp.SetAntialiased(true);
  ASSERT_TRUE(cp.CopyToBMP(dir + "iso_smooth.png", false));
  const QImage png(QString::fromStdString(dir + "iso_smooth.png"));
  ASSERT_FALSE(png.isNull());
  EXPECT_GT(Colours(png.copy(cp.MarginLeft() + 1, cp.MarginTop() + 1, 399, 399), 0).size(), 10u);

  auto svg = [&](bool smooth) {
    cp.SetAntialiased(smooth);
    const std::string f = dir + (smooth ? "iso_smooth.svg" : "iso_dots.svg");
    EXPECT_TRUE(cp.CopyToWMF(f, false));
    QFile file(QString::fromStdString(f));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  };
  EXPECT_NE(svg(true), svg(false));
}

TEST(ContourIsoLines, BadFieldsAndCrowdedLevelsStayBounded) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    std::function<double(double, double)> f;
    double lo, hi, dist;
    bool log;
  };
  const Case cases[] = {
      {[](double x, double y) { return std::sin(x) * std::cos(y); }, -1, 1, 1e-9, false},
      {[=](double x, double y) { return x < 3   ? nan
                                        : x > 7 ? inf
                                                : x * y; }, 0, 100, 5, false},
      {[](double x, double) { return x > 5 ? 1e308 : -1e308; }, -1e308, 1e308, 1e306, false},
      {[](double x, double y) { return x - y; }, -10, 10, 0.5, true},
  };
  for (const Case& c : cases) {
    TContourPlot cp;
    MakePlot(cp, c.f, 60);
    if (c.log) {
      cp.SetRange(1e-30, 1e-30, 10.0, 10.0);
      cp.ScalePropsX(1).SetLogarithmic(true);
      cp.ScalePropsY(1).SetLogarithmic(true);
    }
    cp.SetIsoParams(c.lo, c.hi, c.dist);
    cp.SetPlotMode(cpmDots);
    cp.SetAntialiased(true);
    EXPECT_EQ(DataArea(cp).size(), QSize(401, 401));
  }
  // Two pivots and a data area of one row.
  TContourPlot tiny;
  MakePlot(
      tiny, [](double x, double y) { return x - y; }, 2);
  tiny.SetAntialiased(true);
  tiny.SetPlotMode(cpmDots);
  EXPECT_GT(Colours(DataArea(tiny), 1).size(), 2u);
  tiny.SetBounds(0, 0, 470, tiny.MarginTop() + tiny.MarginBottom() + 1);
  tiny.DrawPlot();
}

TEST(ContourIsoLines, ThePictureIsTheSameOnAnyNumberOfThreads) {
  // Reversed and logarithmic axes, masks, a progress handler that splits the work into runs
  // of columns, and a picture into another bitmap at an offset.
  auto pictures = [](int threads, bool progress, bool log) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int was = pool->maxThreadCount();
    pool->setMaxThreadCount(threads);
    Probe cp;
    MakePlot(
        cp, [](double x, double y) { return std::sin(x * 1.3) * std::cos(y * 0.8); }, 120);
    if (log) {
      cp.SetRange(0.01, 0.02, 100.0, 50.0);
      cp.ScalePropsX(1).SetLogarithmic(true);
      cp.ScalePropsY(1).SetLogarithmic(true);
    } else {
      cp.SetRange(10.0, 10.0, 0.0, 0.0);
    }
    cp.SetIsoParams(-1, 1, 0.07);
    cp.IsoColors.Fill(64, {clNavy, clBlue, clAqua, clLime, clYellow, clRed});
    cp.SetPlotMode(cpmDots);
    cp.SetAntialiased(true);
    cp.CalculatePivotPoints(true);
    for (int i = 1; i <= 120; i += 7) cp.SetMaskVal(i, 121 - i, uint8_t(i % 3 == 0 ? 1 : 255));
    if (progress) cp.OnProgress = [](TObject*, int) {};
    std::vector<QImage> out{DataArea(cp)};
    TBitmap offset(230, 190);
    cp.RenderFromPivotPoints(offset, -37, 21);
    out.push_back(offset.Image().copy());
    pool->setMaxThreadCount(was);
    return out;
  };
  for (bool log : {false, true}) {
    const std::vector<QImage> one = pictures(1, false, log);
    EXPECT_GT(Colours(one[0], 0).size(), 50u);
    for (auto [threads, progress] : {std::pair{1, true}, {3, false}, {5, true}}) {
      const std::vector<QImage> many = pictures(threads, progress, log);
      for (size_t i = 0; i < one.size(); ++i)
        EXPECT_EQ(one[i], many[i]) << threads << " " << progress << " " << log << " " << i;
    }
  }
}
