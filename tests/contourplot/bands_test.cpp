// SPDX-License-Identifier: MIT
// The value stage shared out in bands of rows on Qt's thread pool: the picture is the one a
// single thread draws, for every mode, size, mask and view; handlers stay on the GUI thread,
// and a pool that is busy elsewhere only means the GUI thread draws alone.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>

#include <QImage>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plot_view.h"

using namespace zyr;

namespace {

class Probe : public TContourPlot {
 public:
  using TContourPlot::RenderFromPivotPoints;
};

// Sets the threads a picture may use for one scope.
class PoolThreads {
 public:
  explicit PoolThreads(int n) : FOld(QThreadPool::globalInstance()->maxThreadCount()) {
    QThreadPool::globalInstance()->setMaxThreadCount(n);
  }
  ~PoolThreads() { QThreadPool::globalInstance()->setMaxThreadCount(FOld); }

 private:
  int FOld;
};

using View = test::TPlotView;

// A field with steep and flat parts, blanked, painted, inverted and NaN pivots, and values
// whose corner means overflow.
void Configure(Probe& cp, const View& v, TContourPlotMode mode) {
  test::ShowView(cp, v);
  cp.OnEstimateZVal = [](TObject*, double x, double y, int ix, int iy, double& z, uint8_t& m) {
    z = std::sin(x * 1.7) * std::cos(y * 0.9) * 1.2;
    if ((ix * 7 + iy * 3) % 11 == 0) z = std::numeric_limits<double>::quiet_NaN();
    if ((ix + iy * 5) % 29 == 0) z = -1e308;
    if ((ix * 5 + iy) % 13 == 0) m = 1;
    if ((ix + iy * 5) % 17 == 0) m = 255;
    if ((ix * 3 + iy * 2) % 19 == 0) m = uint8_t(2 + ix % 200);
  };
  cp.SetPlotMode(mode);
}

// The cached picture and a copy into an odd-sized bitmap at an offset, drawn with n threads.
std::vector<QImage> Pictures(const View& v, TContourPlotMode mode, int threads) {
  PoolThreads pool(threads);
  Probe cp;
  Configure(cp, v, mode);
  cp.DrawPlot();
  std::vector<QImage> out{cp.GrafBmp().Image().copy()};
  TBitmap offset(v.w / 2 + 3, v.h / 2 + 1);
  cp.RenderFromPivotPoints(offset, -37, 21);
  out.push_back(offset.Image().copy());
  return out;
}

const TContourPlotMode kModes[] = {cpmDots, cpmMonoDots, cpmColorSurface, cpmColorSurfNoIp,
                                   cpmColorSurfNoIpTransp};

}  // namespace

TEST(ContourBands, EveryModeAndViewGivesThePictureOfOneThread) {
  const View views[] = {
      {460, 448, 37, 41, 0, 0, 10, 10},               // big cells
      {1001, 703, 200, 199, 0, 0, 10, 10},            // about a pixel per sub-cell
      {333, 257, 61, 333, 0, 0, 10, 10},              // odd sizes, more pivot rows than pixels
      {700, 511, 120, 90, 2, 3, 7, 6},                // zoomed in: outer cells pile up on the edges
      {640, 481, 80, 77, 10, 10, 0, 0},               // reversed axes
      {600, 450, 50, 60, 0.01, 0.02, 100, 50, true},  // logarithmic axes
  };
  for (const View& v : views)
    for (TContourPlotMode mode : kModes) {
      const std::vector<QImage> one = Pictures(v, mode, 1);
      for (int threads : {2, 5}) {
        const std::vector<QImage> many = Pictures(v, mode, threads);
        for (size_t i = 0; i < one.size(); ++i)
          EXPECT_EQ(one[i], many[i]) << v.w << "x" << v.h << " mode " << int(mode) << " threads "
                                     << threads << " picture " << i;
      }
    }
}

TEST(ContourBands, HandlersAreCalledOnTheGuiThreadInTheOrderOfOneThread) {
  auto run = [](int threads) {
    PoolThreads pool(threads);
    Probe cp;
    Configure(cp, {700, 600, 230, 150, 0, 0, 10, 10}, cpmColorSurface);
    std::vector<std::string> calls;
    QThread* gui = QThread::currentThread();
    auto note = [&](const std::string& what) {
      EXPECT_EQ(QThread::currentThread(), gui) << what;
      calls.push_back(what);
    };
    const auto estimate = cp.OnEstimateZVal;
    cp.OnEstimateZVal = [&](TObject* s, double x, double y, int ix, int iy, double& z, uint8_t& m) {
      EXPECT_EQ(QThread::currentThread(), gui);
      estimate(s, x, y, ix, iy, z, m);
    };
    cp.OnProgress = [&](TObject*, int p) { note("progress " + std::to_string(p)); };
    cp.OnBeforeRenderData = [&](TObject*, TCanvas&, int, int) { note("before"); };
    cp.OnDataRendered = [&](TObject*, TCanvas&, int, int) { note("rendered"); };
    cp.DrawPlot();
    return std::make_pair(calls, cp.GrafBmp().Image().copy());
  };
  const auto one = run(1), many = run(4);
  EXPECT_EQ(one.first, many.first);
  EXPECT_EQ(one.second, many.second);
  EXPECT_GT(one.first.size(), 200u);  // estimation, values and mask each report progress
}

TEST(ContourBands, ABusyPoolLeavesTheWholePictureToTheGuiThread) {
  const View v{800, 600, 150, 140, 0, 0, 10, 10};
  const QImage alone = Pictures(v, cpmColorSurface, 1)[0];
  PoolThreads pool(3);
  // Every pool thread is taken for a while (not for good: Qt's own painting waits for the
  // pool too).
  QSemaphore release;
  for (int i = 0; i < 3; ++i)
    QThreadPool::globalInstance()->start([&] { release.tryAcquire(1, 300); });
  Probe cp;
  Configure(cp, v, cpmColorSurface);
  cp.DrawPlot();
  EXPECT_EQ(cp.GrafBmp().Image(), alone);
  release.release(3);
  QThreadPool::globalInstance()->waitForDone();
}

TEST(ContourBands, OverflowingCornerMeansPutNoDotsOnThePictureEdge) {
  // Two huge pivots make one corner of the cell right of them -inf while its other corners
  // stay in the iso range: the crossings of its bottom edge have no position.
  Probe cp;
  cp.SetBounds(0, 0, 460, 448);
  cp.SetRange(0.0, 0.0, 10.0, 10.0);
  cp.HandleNeeded();
  cp.SetPivotResX(5);
  cp.SetPivotResY(5);
  cp.SetPlotMode(cpmDots);
  cp.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, uint8_t&) {
    z = ix == 2 && (iy == 2 || iy == 3) ? -1e308 : 0.5;
  };
  cp.DrawPlot();
  TBitmap b(401, 401);
  cp.RenderFromPivotPoints(b, 0, 0);
  const QImage& img = b.Image();
  int edge = 0, inside = 0;
  for (int y = 0; y < img.height(); ++y)
    edge += img.pixel(img.width() - 1, y) != qRgb(255, 255, 255);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width() - 1; ++x) inside += img.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_EQ(edge, 0);
  EXPECT_GT(inside, 0);  // the huge values still have iso-lines around them
}
