// SPDX-License-Identifier: MIT
// Handlers that delete their own contour plot while it renders: the value, progress, drawing
// and item events of every stage. The plot must stop without touching freed memory (ASan).

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>

#include <QDir>
#include <QPointer>
#include <functional>
#include <string>

using namespace zyr;

namespace {

// Deletes the plot the first time it is called.
struct TKiller {
  TContourPlot* victim = nullptr;
  bool done = false;
  void operator()() {
    if (!victim) return;
    TContourPlot* p = victim;
    victim = nullptr;
    done = true;
    delete p;
  }
};

using Arm = std::function<void(TContourPlot&, TKiller*)>;

// Deletes from a progress handler once the percentage reaches `from`: below 70 the values are
// estimated, 70..85 the value stage draws, above 85 the mask stage.
Arm ProgressFrom(int from) {
  return [from](TContourPlot& c, TKiller* k) {
    c.OnProgress = [k, from](TObject*, int p) {
      if (p >= from) (*k)();
    };
  };
}

}  // namespace

TEST(ContourSelfDelete, EveryRenderingEvent) {
  const struct {
    std::string name;
    bool masked;
    Arm arm;
  } cases[] = {
      {"estimate", false,
       [](TContourPlot& c, TKiller* k) {
         c.OnEstimateZVal = [k](TObject*, double, double, int, int, double& z, uint8_t&) {
           z = 1;
           (*k)();
         };
       }},
      {"progress of estimation", false, ProgressFrom(0)},
      {"progress of values", false, ProgressFrom(72)},
      {"progress of plain mask", false, ProgressFrom(90)},
      {"progress of mask", true, ProgressFrom(90)},
      {"before data", false,
       [](TContourPlot& c, TKiller* k) {
         c.OnBeforeRenderData = [k](TObject*, TCanvas&, int, int) { (*k)(); };
       }},
      {"item", false,
       [](TContourPlot& c, TKiller* k) {
         c.OnBeforeRenderChartItem = [k](TObject*, TrcChartItem&, int, bool) { (*k)(); };
       }},
      {"data rendered", false,
       [](TContourPlot& c, TKiller* k) {
         c.OnDataRendered = [k](TObject*, TCanvas&, int, int) { (*k)(); };
       }},
  };
  for (const auto& cs : cases) {
    auto* c = new TContourPlot;
    c->SetBounds(0, 0, 360, 300);
    c->SetRange(0.0, 0.0, 10.0, 10.0);
    c->SetPivotResX(150);
    c->HandleNeeded();
    c->OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
      z = x * y / 50;
    };
    if (cs.masked) c->SetMask(3, 3, 7);
    c->MoveTo(1.0, 1.0);
    c->DrawTo(9.0, 9.0);
    TKiller k;
    k.victim = c;
    cs.arm(*c, &k);
    QPointer<QWidget> alive(c);
    c->DrawPlot();
    EXPECT_TRUE(k.done) << cs.name;
    EXPECT_TRUE(alive.isNull()) << cs.name;
    if (alive) delete c;
  }
}

// Exports draw afresh: a handler deleting the plot there makes the export fail, and the export
// touches nothing of the plot afterwards (black-and-white exports restore colours at the end).
TEST(ContourSelfDelete, ExportsStopAndReportFailure) {
  const QString dir = QDir::tempPath() + "/zyr_contour_selfdelete";
  QDir().mkpath(dir);
  const std::function<bool(TContourPlot&, bool)> exports[] = {
      [&](TContourPlot& c, bool bw) { return c.CopyToBMP((dir + "/a.png").toStdString(), bw); },
      [&](TContourPlot& c, bool bw) { return c.CopyToWMF((dir + "/a.svg").toStdString(), bw); },
      [](TContourPlot& c, bool bw) {
        TBitmap bmp;
        return c.CopyToBitmapDAOnly(bmp, bw);
      },
  };
  for (const auto& exportIt : exports)
    for (const bool bw : {false, true}) {
      auto* c = new TContourPlot;
      c->SetBounds(0, 0, 300, 240);
      c->SetRange(0.0, 0.0, 10.0, 10.0);
      c->OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
        z = x * y / 50;
      };
      c->MoveTo(1.0, 1.0);
      c->DrawTo(9.0, 9.0);
      TKiller k;
      k.victim = c;
      c->OnDataRendered = [&k](TObject*, TCanvas&, int, int) { k(); };
      QPointer<QWidget> alive(c);
      EXPECT_FALSE(exportIt(*c, bw));
      EXPECT_TRUE(k.done);
      EXPECT_TRUE(alive.isNull());
      if (alive) delete c;
    }
  QDir(dir).removeRecursively();
}
