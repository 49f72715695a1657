// SPDX-License-Identifier: MIT
// The colour surface drawn row by row gives the pixels of drawing it cell by cell, for every
// view, corner value, band of rows and run of columns; sides that would break that are
// refused, and the whole plot with them stays as before.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/contourplot_surface.h>

#include <QImage>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "plot_view.h"

using namespace zyr;

namespace {

using TView = test::TPlotView;

// Corner values of cell (s, t): a smooth field, with blank (NaN) and infinite corners,
// overflowing and signed-zero values, corners on a colour boundary and cells of one colour.
void CornerValues(const contour::TIsoIndex& index, int s, int t, double& ll, double& lr, double& ul,
                  double& ur) {
  auto f = [](double x, double y) { return std::sin(x * 0.37) * std::cos(y * 0.23) * 1.1; };
  ll = f(s, t);
  lr = f(s + 1, t);
  ul = f(s, t + 1);
  ur = f(s + 1, t + 1);
  const double inf = std::numeric_limits<double>::infinity();
  switch ((s * 7 + t * 13) % 41) {
    case 0:
      ur = std::numeric_limits<double>::quiet_NaN();
      break;
    case 1:
      lr = inf;
      break;
    case 2:
      ul = -inf;
      break;
    case 3:
      lr = ul = ur = ll;
      break;
    case 4:
      ll = index.lo + (s % 60 + 0.5) / index.scale;
      break;
    case 5:
      ll = 1e308;
      ur = -1e308;
      break;
    case 6:
      ll = lr = -0.0;
      break;
    case 7:
      ll = lr = ul = ur = std::numeric_limits<double>::quiet_NaN();
      break;
    default:
      break;
  }
}

// The sides of every cell as the plot's value stage makes them, for a sink over an offset
// bitmap of about half the data area, so that far cells clamp onto its edges.
struct TSurfaceCase {
  TContourPlot cp;
  TBitmap bmp;
  std::vector<uint32_t> lut;
  std::vector<contour::TCellSide> sx, sy;

  explicit TSurfaceCase(const TView& v) {
    test::ShowView(cp, v);
    cp.SetPlotMode(cpmColorSurface);
    cp.DrawPlot();  // sets the transforms
    bmp.SetSize(v.w / 2 + 3, v.h / 2 + 1);
    for (int k = 0; k <= 64; ++k) lut.push_back(0xFF000000u | uint32_t(k * 0x030507 + 11));
    const int subdiv = 5 * v.nx <= 500 ? 500 / v.nx : 5;
    const double dx = (cp.ScalePropsX(1).RangeHigh() - cp.ScalePropsX(1).RangeLow()) / (v.nx - 1);
    const double dy = (cp.ScalePropsY(1).RangeHigh() - cp.ScalePropsY(1).RangeLow()) / (v.ny - 1);
    const contour::TRowSink s = Sink();
    sx.resize(size_t(v.nx) + 1);
    sy.resize(size_t(v.ny) + 1);
    for (int i = 1; i <= v.nx; ++i)
      contour::MakeCellSide(cp, s, true, cp.PivotPosX(i) - dx / 2, dx, subdiv, sx[size_t(i)], true);
    for (int j = 1; j <= v.ny; ++j)
      contour::MakeCellSide(cp, s, false, cp.PivotPosY(j) - dy / 2, dy, subdiv, sy[size_t(j)],
                            true);
  }

  void White() {
    bmp.Canvas().Brush().SetStyle(bsSolid);
    bmp.Canvas().Brush().SetColor(clWhite);
    bmp.Canvas().FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
  }

  contour::TRowSink Sink() {
    return contour::TRowSink(bmp.ScanLine(0), int(bmp.ScanLine(1) - bmp.ScanLine(0)), bmp.Height(),
                             37, -21, lut);
  }

  // The cells one by one, column by column.
  QImage ByCells() {
    White();
    contour::TRowSink s = Sink();
    const contour::TIsoIndex index(cp);
    for (int i = 1; i < int(sx.size()); ++i)
      for (int j = 1; j < int(sy.size()); ++j) {
        double ll, lr, ul, ur;
        CornerValues(index, i, j, ll, lr, ul, ur);
        contour::SurfaceCellRows(index, s, sx[size_t(i)], sy[size_t(j)], ll, lr, ul, ur);
      }
    return bmp.Image().copy();
  }

  // By rows, in `bands` bands of rows and runs of `run` columns; false when refused.
  bool ByRows(int bands, int run, QImage& out) {
    contour::TSurfaceRows rows;
    const contour::TRowSink whole = Sink();
    if (!rows.BuildColumns(sx, whole.Width()) || !rows.BuildRows(sy, whole.Height())) return false;
    White();
    const contour::TIsoIndex index(cp);
    auto corners = [&](int t, int s0, int s1, double* ll, double* lr, double* ul, double* ur) {
      for (int i = s0; i <= s1; ++i)
        CornerValues(index, i, t, ll[i - s0], lr[i - s0], ul[i - s0], ur[i - s0]);
    };
    const int h = whole.Height(), n = int(sx.size()) - 1;
    for (int s0 = 1; s0 <= n; s0 += run)
      for (int b = 0; b < bands; ++b) {
        contour::TRowSink band = Sink();
        band.Clip(h * b / bands, h * (b + 1) / bands - 1);
        rows.Draw(index, band, corners, s0, std::min(n, s0 + run - 1));
      }
    out = bmp.Image().copy();
    return true;
  }
};

// Opens the value stage and the quad operation to the tests.
class Probe : public TContourPlot {
 public:
  using TContourPlot::IsoColQuadSL;
  using TContourPlot::RenderFromPivotPoints;
};

// Mean of a pivot and its neighbours on the grid at one corner, summed in that order.
double CornerMean(const TContourPlot& cp, int s, int t,
                  std::initializer_list<std::pair<int, int>> n) {
  double sum = cp.GetPivotVal(s, t);
  int count = 1;
  for (auto [i, j] : n)
    if (i >= 1 && i <= cp.NumPivotsX() && j >= 1 && j <= cp.NumPivotsY()) {
      sum += cp.GetPivotVal(i, j);
      ++count;
    }
  return sum / count;
}

// A side over pixels lo..hi with n even sub-cells (n at most the pixels).
contour::TCellSide EvenSide(int lo, int hi, int n) {
  contour::TCellSide s;
  s.lo = s.coverLo = s.spanLo = lo;
  s.hi = s.coverHi = s.spanHi = hi;
  s.n = n;
  const int w = hi - lo + 1;
  for (int i = 0; i < n; ++i) {
    s.subLo.push_back(lo + w * i / n);
    s.subHi.push_back(lo + w * (i + 1) / n);
  }
  s.subHi.back() = hi;
  for (int p = lo; p <= hi; ++p) {
    int last = 0;
    for (int i = 0; i < n; ++i)
      if (s.subLo[size_t(i)] <= p && p <= s.subHi[size_t(i)]) last = i;
    s.last.push_back(last);
  }
  s.regular = s.full = true;
  return s;
}

}  // namespace

TEST(ContourSurfaceRows, RowsGiveThePixelsOfCellsInEveryViewBandAndRun) {
  const TView views[] = {
      {1000, 700, 200, 200, 0, 0, 10, 10},  // cells of about 5 x 3.5 pixels
      {460, 448, 37, 41, 0, 0, 10, 10},     // wide cells, many sub-cells
      {300, 300, 9, 7, -3, -3, 3, 3},       // sub-cells above the table of one cell
      {640, 481, 80, 77, 10, 10, 0, 0},     // both axes reversed
      {700, 511, 120, 90, 2, 3, 7, 6},      // zoomed in: cells clamp onto the edges
      {600, 450, 50, 60, 0.01, 0.02, 100, 50, true},
      {100, 900, 3, 200, 0, 0, 10, 10},    // cells far wider than high
      {413, 377, 200, 200, 0, 0, 10, 10},  // cells below a pixel
  };
  int byRows = 0;
  for (const TView& v : views) {
    SCOPED_TRACE(testing::Message() << v.w << " x " << v.h << ", " << v.nx << " x " << v.ny);
    TSurfaceCase c(v);
    const QImage cells = c.ByCells();
    QImage rows;
    for (const auto& [bands, run] : {std::pair{1, 1000}, std::pair{5, 7}, std::pair{16, 1}}) {
      if (!c.ByRows(bands, run, rows)) break;
      EXPECT_EQ(rows, cells) << bands << " bands, runs of " << run;
      ++byRows;
    }
  }
  // Every linear view above allows drawing by rows.
  EXPECT_GE(byRows, 3 * 7);
}

TEST(ContourSurfaceRows, SidesThatWouldChangeWhoWinsAPixelAreRefused) {
  contour::TSurfaceAxis axis;
  const contour::TCellSide none;
  // Neighbours sharing a pixel: the later cell wins it.
  ASSERT_TRUE(axis.Build({none, EvenSide(0, 4, 2), EvenSide(4, 8, 3)}, 10, true));
  EXPECT_EQ(axis.cell, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 2, 0}));
  EXPECT_EQ(axis.from[1], 0);
  EXPECT_EQ(axis.to[1], 3);
  EXPECT_EQ(axis.from[2], 4);
  EXPECT_EQ(axis.to[2], 8);
  // Cells out of order, a gap between cells, sub-cells short of the side, a side past the
  // pixels, no cover data, an irregular side where regular ones are asked for.
  EXPECT_FALSE(
      axis.Build({none, EvenSide(5, 9, 2), EvenSide(0, 4, 2), EvenSide(10, 12, 1)}, 13, false));
  EXPECT_FALSE(axis.Build({none, EvenSide(0, 3, 2), EvenSide(6, 9, 2)}, 10, false));
  contour::TCellSide shortSide = EvenSide(0, 5, 2);
  shortSide.full = false;
  EXPECT_FALSE(axis.Build({none, shortSide}, 10, false));
  contour::TCellSide wider = EvenSide(0, 5, 2);
  wider.lo = 0;
  wider.coverLo = 1;
  EXPECT_FALSE(axis.Build({none, wider}, 10, false));
  EXPECT_FALSE(axis.Build({none, EvenSide(0, 10, 2)}, 10, false));
  contour::TCellSide bare = EvenSide(0, 5, 2);
  bare.last.clear();
  EXPECT_FALSE(axis.Build({none, bare}, 10, false));
  contour::TCellSide irregular = EvenSide(0, 5, 2);
  irregular.regular = false;
  EXPECT_TRUE(axis.Build({none, irregular}, 10, false));
  EXPECT_FALSE(axis.Build({none, irregular}, 10, true));
}

TEST(ContourSurfaceRows, TheWholePictureIsItsCellsDrawnOneByOne) {
  const TView views[] = {{1000, 700, 200, 200, 0, 0, 10, 10},
                         {640, 481, 80, 77, 10, 10, 0, 0},
                         {700, 511, 120, 90, 2, 3, 7, 6},
                         {600, 450, 50, 60, 0.01, 0.02, 100, 50, true},
                         {300, 300, 9, 7, -3, -3, 3, 3}};
  for (const TView& v : views) {
    SCOPED_TRACE(testing::Message() << v.w << " x " << v.h << ", " << v.nx << " x " << v.ny);
    Probe cp;
    test::ShowView(cp, v);
    cp.SetPlotMode(cpmColorSurface);
    // Steep and flat parts, huge values and values on colour boundaries.
    cp.OnEstimateZVal = [](TObject*, double x, double y, int ix, int iy, double& z, uint8_t&) {
      z = std::sin(x * 1.7) * std::cos(y * 0.9) * 1.2;
      if ((ix + iy * 5) % 29 == 0) z = -1e308;
      if ((ix * 3 + iy) % 23 == 0) z = 1e308;
      if ((ix * 3 + iy) % 37 == 0) z = -1 + 2.5 * 2 / 64;
    };
    cp.DrawPlot();
    TBitmap stage(v.w / 2 + 3, v.h / 2 + 1), cells(v.w / 2 + 3, v.h / 2 + 1);
    cp.RenderFromPivotPoints(stage, -37, 21);
    const int subdiv = 5 * v.nx <= 500 ? 500 / v.nx : 5;
    const double dx = (cp.ScalePropsX(1).RangeHigh() - cp.ScalePropsX(1).RangeLow()) / (v.nx - 1);
    const double dy = (cp.ScalePropsY(1).RangeHigh() - cp.ScalePropsY(1).RangeLow()) / (v.ny - 1);
    TRGB32* row0 = cells.ScanLine(0);
    const int stride = int(cells.ScanLine(1) - row0);
    for (int s = 1; s <= v.nx; ++s)
      for (int t = 1; t <= v.ny; ++t) {
        const double zLL = CornerMean(cp, s, t, {{s - 1, t}, {s - 1, t - 1}, {s, t - 1}});
        const double zUL = CornerMean(cp, s, t, {{s - 1, t}, {s - 1, t + 1}, {s, t + 1}});
        const double zUR = CornerMean(cp, s, t, {{s, t + 1}, {s + 1, t + 1}, {s + 1, t}});
        const double zLR = CornerMean(cp, s, t, {{s, t - 1}, {s + 1, t - 1}, {s + 1, t}});
        cp.IsoColQuadSL(row0, stride, cells.Height(), -37, 21, cp.PivotPosX(s) - dx / 2,
                        cp.PivotPosY(t) - dy / 2, dx, dy, zLL, zLR, zUL, zUR, uint16_t(subdiv),
                        uint16_t(subdiv));
      }
    EXPECT_EQ(stage.Image(), cells.Image());
  }
}
