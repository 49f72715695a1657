// SPDX-License-Identifier: MIT
// The chart and contour cases of the library's benchmarks drawn by other Qt charting
// libraries, for a side-by-side comparison: QCustomPlot (PEER_QCP, Qt 5 or Qt 6) or Qwt
// (PEER_QWT, Qt 5).
// Same picture size (1000 x 700), aliased, minimum of the repetitions in milliseconds.

#include <QApplication>
#include <QImage>
#include <QVector>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

#ifdef PEER_QCP
#include <qcustomplot.h>
#define PEER_NAME "QCustomPlot " QCUSTOMPLOT_VERSION_STR
#endif
#ifdef PEER_QWT
#include <qwt_color_map.h>
#include <qwt_matrix_raster_data.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_renderer.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_symbol.h>
#include <qwt_text.h>
#define PEER_NAME "Qwt " QWT_VERSION_STR
#endif

namespace {

constexpr int kW = 1000, kH = 700;

struct TWalk {
  QVector<double> x, y;
  explicit TWalk(int n) : x(n), y(n) {
    std::mt19937 rng(7);
    std::normal_distribution<double> step(0, 1);
    double v = 0;
    for (int i = 0; i < n; ++i) {
      x[i] = i;
      y[i] = v += step(rng);
    }
  }
  double Lo() const { return *std::min_element(y.begin(), y.end()); }
  double Hi() const { return *std::max_element(y.begin(), y.end()); }
};

// CPU time of this thread: on a shared, loaded machine it moves less than the wall clock.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct TTimes {
  double Wall = 1e300, Cpu = 1e300;
};

// Values of a 200 x 200 grid as the contour benchmarks estimate them, shifted by Phase so that
// every rebuild sees new data.
constexpr int kGrid = 200;
QVector<double> Field(double Phase) {
  QVector<double> z(kGrid * kGrid);
  for (int r = 0; r < kGrid; ++r)
    for (int c = 0; c < kGrid; ++c)
      z[r * kGrid + c] = std::sin(c * 0.05 + Phase) * std::cos(0.7 * r * 0.05);
  return z;
}

// Minimum over Reps runs of Body, with Setup (untimed) before each.
TTimes MinMs(int Reps, const std::function<void()>& Setup, const std::function<void()>& Body) {
  TTimes best;
  for (int r = 0; r < Reps; ++r) {
    if (Setup) Setup();
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadCpuMs();
    Body();
    const double c1 = ThreadCpuMs();
    const auto t1 = std::chrono::steady_clock::now();
    best.Wall = std::min(best.Wall, std::chrono::duration<double, std::milli>(t1 - t0).count());
    best.Cpu = std::min(best.Cpu, c1 - c0);
  }
  return best;
}

void Report(const char* Case, TTimes t) {
  std::printf("%-44s %10.3f ms %10.3f ms cpu\n", Case, t.Wall, t.Cpu);
}

#ifdef PEER_QCP
// A plot with four axes, dotted grid lines and a title, as the library's frame benchmark.
struct TPlot {
  QCustomPlot p;
  TPlot() {
    p.resize(kW, kH);
    p.setNotAntialiasedElements(QCP::aeAll);
    p.xAxis2->setVisible(true);
    p.yAxis2->setVisible(true);
    p.xAxis->grid()->setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.yAxis->grid()->setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.plotLayout()->insertRow(0);
    p.plotLayout()->addElement(0, 0, new QCPTextElement(&p, "Frame benchmark"));
    p.xAxis->setRange(0, 100000);
    p.yAxis->setRange(-300, 300);
    p.replot(QCustomPlot::rpImmediateRefresh);
  }
  QCPGraph* Graph() {
    if (!p.graphCount()) p.addGraph();
    return p.graph(0);
  }
  void Paint() { p.replot(QCustomPlot::rpImmediateRefresh); }
  void SetData(const TWalk& w) {
    Graph()->setData(w.x, w.y, true);
    p.xAxis->setRange(0, w.x.size());
    p.yAxis->setRange(w.Lo(), w.Hi());
  }
  void Pan(double dx) { p.xAxis->moveRange(dx); }
  void Marks(int n) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0, 100);
    QVector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
      x[i] = u(rng);
      y[i] = u(rng);
    }
    Graph()->setLineStyle(QCPGraph::lsNone);
    Graph()->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 5));
    Graph()->setData(x, y);
    p.xAxis->setRange(0, 100);
    p.yAxis->setRange(0, 100);
  }
  bool AppendOneByOne(const TWalk& w) {
    QCPGraph* g = Graph();
    for (int i = 0; i < w.x.size(); ++i) g->addData(w.x[i], w.y[i]);
    return true;
  }
  void AppendBulk(const TWalk& w) { Graph()->addData(w.x, w.y, true); }
  void Clear() { Graph()->data()->clear(); }
  // Clearing keeps the container's memory; a new container starts from fresh pages, as the
  // library's appends after ClearGraf do.
  void ClearFresh() { Graph()->setData(QSharedPointer<QCPGraphDataContainer>::create()); }
};

// A smooth colour map of 200 x 200 cells over the whole plot.
struct TSurface {
  TPlot t;
  QCPColorMap* map = new QCPColorMap(t.p.xAxis, t.p.yAxis);
  TSurface() {
    map->data()->setSize(kGrid, kGrid);
    map->data()->setRange(QCPRange(0, 1), QCPRange(0, 1));
    map->setInterpolate(true);
    map->setGradient(QCPColorGradient::gpJet);
    t.p.xAxis->setRange(0, 1);
    t.p.yAxis->setRange(0, 1);
    SetData(0);
    t.Paint();
  }
  void SetData(double Phase) {
    const QVector<double> z = Field(Phase);
    for (int r = 0; r < kGrid; ++r)
      for (int c = 0; c < kGrid; ++c) map->data()->setCell(c, r, z[r * kGrid + c]);
    map->setDataRange(QCPRange(-1, 1));
  }
  static bool HasContours() { return false; }
};
#endif

#ifdef PEER_QWT
struct TPlot {
  QwtPlot p;
  QwtPlotCurve* curve = new QwtPlotCurve;
  QImage img{kW, kH, QImage::Format_RGB32};
  TPlot() {
    p.resize(kW, kH);
    p.setTitle("Frame benchmark");
    p.enableAxis(QwtPlot::xTop);
    p.enableAxis(QwtPlot::yRight);
    auto* grid = new QwtPlotGrid;
    grid->setPen(QPen(Qt::black, 0, Qt::DotLine));
    grid->attach(&p);
    curve->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
    curve->attach(&p);
    p.setAxisScale(QwtPlot::xBottom, 0, 100000);
    p.setAxisScale(QwtPlot::yLeft, -300, 300);
    p.replot();
  }
  void Paint() {
    img.fill(Qt::white);
    QwtPlotRenderer r;
    r.renderTo(&p, img);
  }
  void SetData(const TWalk& w) {
    curve->setSamples(w.x, w.y);
    p.setAxisScale(QwtPlot::xBottom, 0, w.x.size());
    p.setAxisScale(QwtPlot::yLeft, w.Lo(), w.Hi());
  }
  void Pan(double dx) {
    const QwtInterval i = p.axisInterval(QwtPlot::xBottom);
    p.setAxisScale(QwtPlot::xBottom, i.minValue() + dx, i.maxValue() + dx);
  }
  void Marks(int n) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0, 100);
    QVector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
      x[i] = u(rng);
      y[i] = u(rng);
    }
    curve->setStyle(QwtPlotCurve::NoCurve);
    curve->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, Qt::NoBrush, QPen(Qt::blue), QSize(5, 5)));
    curve->setSamples(x, y);
    p.setAxisScale(QwtPlot::xBottom, 0, 100);
    p.setAxisScale(QwtPlot::yLeft, 0, 100);
  }
  bool AppendOneByOne(const TWalk&) { return false; }  // samples are set as a whole
  void AppendBulk(const TWalk& w) { curve->setSamples(w.x, w.y); }
  void Clear() { curve->setSamples(QVector<QPointF>()); }
  void ClearFresh() { Clear(); }
};

// A Qwt raster plot of 200 x 200 cells, drawn as a smooth image or as 20 contour lines.
struct TSurface {
  TPlot t;
  QwtPlotSpectrogram* raster = new QwtPlotSpectrogram;
  explicit TSurface(bool Contours = false) {
    auto* map = new QwtLinearColorMap(Qt::darkBlue, Qt::darkRed);
    map->addColorStop(0.25, Qt::cyan);
    map->addColorStop(0.5, Qt::green);
    map->addColorStop(0.75, Qt::yellow);
    raster->setColorMap(map);
    raster->setRenderThreadCount(0);  // every core
    if (Contours) {
      QList<double> levels;
      for (int i = 0; i < 20; ++i) levels += -1 + 0.1 * i;
      raster->setContourLevels(levels);
      raster->setDisplayMode(QwtPlotSpectrogram::ImageMode, false);
      raster->setDisplayMode(QwtPlotSpectrogram::ContourMode, true);
    }
    raster->attach(&t.p);
    t.p.setAxisScale(QwtPlot::xBottom, 0, 1);
    t.p.setAxisScale(QwtPlot::yLeft, 0, 1);
    SetData(0);
    t.Paint();
  }
  void SetData(double Phase) {
    auto* d = new QwtMatrixRasterData;
    d->setInterval(Qt::XAxis, QwtInterval(0, 1));
    d->setInterval(Qt::YAxis, QwtInterval(0, 1));
    d->setInterval(Qt::ZAxis, QwtInterval(-1, 1));
    d->setResampleMode(QwtMatrixRasterData::BilinearInterpolation);
    d->setValueMatrix(Field(Phase), kGrid);
    raster->setData(d);
  }
  static bool HasContours() { return true; }
};
#endif

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::printf("%s on Qt %s, %d x %d, minimum ms\n", PEER_NAME, qVersion(), kW, kH);
  {
    TPlot t;
    Report("empty chart: frame, 4 scales, grid", MinMs(200, nullptr, [&] { t.Paint(); }));
  }
  {
    TPlot t;
    t.SetData(TWalk(100'000));
    t.Paint();
    Report("line of 100k points", MinMs(50, nullptr, [&] { t.Paint(); }));
  }
  for (int n : {1'000'000, 10'000'000}) {
    const TWalk w(n);
    TPlot t;
    t.SetData(w);
    t.Paint();
    const bool big = n > 1'000'000;
    Report(big ? "repaint, 10M-point line" : "repaint, 1M-point line (warm)",
           MinMs(big ? 5 : 20, nullptr, [&] { t.Paint(); }));
    Report(big ? "first paint after the data changed, 10M" : "first paint after the data changed, 1M",
           MinMs(big ? 3 : 10, [&] { t.SetData(w); }, [&] { t.Paint(); }));
    if (!big) {
      double dx = n / 100.0;
      Report("pan step, 1M points", MinMs(20, [&] { t.Pan(dx = -dx); }, [&] { t.Paint(); }));
    }
    TPlot a;
    if (a.AppendOneByOne(TWalk(10)))
      Report(big ? "append 10M points one by one" : "append 1M points one by one",
             MinMs(big ? 2 : 8, [&] { a.Clear(); }, [&] { a.AppendOneByOne(w); }));
    if (a.AppendOneByOne(TWalk(10)))
      Report(big ? "append 10M one by one, fresh memory" : "append 1M one by one, fresh memory",
             MinMs(big ? 2 : 8, [&] { a.ClearFresh(); }, [&] { a.AppendOneByOne(w); }));
    Report(big ? "append 10M points at once" : "append 1M points at once",
           MinMs(big ? 3 : 10, [&] { a.Clear(); }, [&] { a.AppendBulk(w); }));
    // As after ClearGraf, which gives the memory back.
    Report(big ? "append 10M points at once, fresh memory" : "append 1M points at once, fresh memory",
           MinMs(big ? 3 : 10, [&] { a.ClearFresh(); }, [&] { a.AppendBulk(w); }));
  }
  {
    TPlot t;
    t.Marks(100'000);
    t.Paint();
    Report("100k circle marks", MinMs(10, nullptr, [&] { t.Paint(); }));
  }
  {
    // New values each time, so that the picture of the surface is built again.
    TSurface s;
    double phase = 0;
    Report("colour surface rebuilt, 200 x 200, smooth",
           MinMs(20, [&] { s.SetData(phase += 0.1); }, [&] { s.t.Paint(); }));
  }
  if (TSurface::HasContours()) {
#ifdef PEER_QWT
    TSurface s(true);
    double phase = 0;
    Report("20 iso levels, 200 x 200",
           MinMs(5, [&] { s.SetData(phase += 0.1); }, [&] { s.t.Paint(); }));
#endif
  }
  return 0;
}
