// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/chart_fixture.h"
#include "chart/chart_probe.h"

using namespace zyr;
using zyr::test::Geometry400x300;
using zyr::test::ProbeChart;

namespace {

// Every picture drawn from the store's line runs is compared with the one drawn item by item
// from the records, on the shared 400 x 300 chart.
class LineRunCache : public ::testing::Test {
 protected:
  void SetUp() override {
    Setup(c);
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(c.DataAreaWidth(), c.DataAreaHeight());
  }
  static void Setup(ProbeChart& ch) {
    Geometry400x300(ch);
    ch.SetRange(1, 0, 0, 340, 252);
    ch.SetRange(2, 0, 0, 340, 252);
  }

  QImage DrawWith(ProbeChart& ch, bool cached) {
    ch.SetUseLineRunCache(cached);
    TCanvas& cv = bmp.Canvas();
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(clWhite);
    cv.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
    ch.DrawAllItems(cv, 0, 0, false);
    cv.Flush();
    return bmp.Image().copy();
  }
  // Repeated drawings of unchanged items give the same picture each time.
  void ExpectSameAsRecords(ProbeChart& ch, const char* what) {
    SCOPED_TRACE(what);
    const QImage ref = DrawWith(ch, false);
    DrawWith(ch, true);
    EXPECT_TRUE(DrawWith(ch, true) == ref);
    EXPECT_TRUE(DrawWith(ch, true) == ref);
    EXPECT_TRUE(ref != QImage());
  }
  // A drawing from the runs right after a change must already show it.
  void ExpectChangeSeen(ProbeChart& ch, const std::function<void()>& change, const char* what) {
    SCOPED_TRACE(what);
    DrawWith(ch, true);
    DrawWith(ch, true);
    change();
    const QImage cached = DrawWith(ch, true);
    EXPECT_TRUE(cached == DrawWith(ch, false));
  }

  // A dense walk of n points across the area: many points per pixel column.
  static void Walk(ProbeChart& ch, int n, unsigned seed, double x0 = 0, double x1 = 340) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> step(-3, 3);
    double y = 126;
    ch.MoveTo(x0, y);
    for (int i = 1; i < n; ++i) {
      y = std::clamp(y + step(rng), 1.0, 251.0);
      ch.DrawTo(x0 + (x1 - x0) * i / n, y);
    }
  }

  ProbeChart c;
  TBitmap bmp;
};

TEST_F(LineRunCache, DenseWalksPansAndAxisKinds) {
  Walk(c, 40000, 1);
  ExpectSameAsRecords(c, "plain");
  c.ForceRange(1, 3.3, 0, 343.3, 252, false, false);
  ExpectSameAsRecords(c, "panned");
  c.ForceRange(1, 340, 252, 0, 0, false, false);
  ExpectSameAsRecords(c, "both axes reversed");
  c.ForceRange(1, 100, 120, 101, 121, false, false);
  ExpectSameAsRecords(c, "zoomed in: sparse columns and far-off points");
  c.ForceRange(1, 0, 1, 340, 300, false, false);
  c.ScalePropsY(1).SetLogarithmic(true);
  c.AdjustScaling();
  ExpectSameAsRecords(c, "logarithmic Y");
  c.ForceRange(1, 300, 1, 1, 300, false, false);
  c.ScalePropsX(1).SetLogarithmic(true);
  c.AdjustScaling();
  ExpectSameAsRecords(c, "logarithmic and reversed X");
}

TEST_F(LineRunCache, PensLayersClassesAndOtherItems) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(0, 1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  c.MoveTo(0.0, 126.0);
  double y = 126;
  for (int i = 1; i < 30000; ++i) {
    // Pen changes inside runs, wide and dashed pens, other layers and classes, and other kinds.
    if (i % 2500 == 0) c.SetDataColor(TColor(rng() & 0xFFFFFF));
    if (i % 7000 == 0) c.SetLineWidth(uint8_t(1 + (i / 7000) % 3));
    if (i % 9000 == 0) c.SetPenStyle(i % 18000 ? psDash : psSolid);
    if (i % 4000 == 0) c.SetActiveLayer(c.ActiveLayer() == 1 ? 2 : 1);
    if (i % 3000 == 0) c.SetClassDefault(uint8_t(i / 3000));
    if (i % 1111 == 0) c.MarkAt(i * 340.0 / 30000, y, 3);
    if (i % 1777 == 0) c.Text(i * 340.0 / 30000, y, 8, "t");
    if (i % 5003 == 0) c.MoveTo(i * 340.0 / 30000, 20.0);
    y = std::clamp(y + (u(rng) - 0.5) * 6, 1.0, 251.0);
    const double yy = i % 997 == 0 ? nan : i % 1409 == 0 ? inf : y;
    c.DrawTo(i % 1301 == 0 ? nan : i * 340.0 / 30000, yy);
  }
  c.SetRange(2, 20, -10, 300, 260);
  ExpectSameAsRecords(c, "mixed");
  c.SetClassVisible(4, false);
  c.SetClassVisible(7, false);
  ExpectSameAsRecords(c, "hidden classes");
  c.SetLayerVisible(2, false);
  ExpectSameAsRecords(c, "hidden layer");
  c.SetLayerVisible(2, true);
  c.SetAnnoMode(true);
  Walk(c, 5000, 9, 10, 200);
  c.SetAnnoMode(false);
  c.SetAnnoTextOnTop(true);
  ExpectSameAsRecords(c, "annotation runs, texts on top");
  c.SetAnnoBelowChart(true);
  ExpectSameAsRecords(c, "annotations below");
}

TEST_F(LineRunCache, RunsAtAnyOffsetWithItemsOfEveryKindBetween) {
  std::mt19937 rng(21);
  std::uniform_real_distribution<double> u(0, 340), v(0, 252);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int part = 0; part < 40; ++part) {
    // Runs of odd lengths start anywhere within the store's summary blocks.
    std::vector<double> xs, ys;
    const int n = 8 + int(rng() % 700);
    const double x0 = u(rng);
    double y = v(rng);
    for (int k = 0; k < n; ++k) {
      xs.push_back(x0 + k * 0.05);
      y = std::clamp(y + (k % 5 - 2) * 0.7, 0.0, 252.0);
      ys.push_back(k == n / 2 && part % 3 == 0 ? nan : y);
    }
    c.SetDataColor(part % 4 == 0 ? clBlue : clBlack);
    c.SetLineWidth(uint8_t(part % 7 == 0 ? 2 : 1));
    c.SetPenStyle(part % 9 == 0 ? psDot : psSolid);
    c.SetClassDefault(uint8_t(part % 5));
    c.SetActiveLayer(part % 6 == 0 ? 2 : 1);
    c.SetAnnoMode(part % 8 == 0);
    if (part % 2)
      c.DrawTo(xs, ys);
    else
      for (int k = 0; k < n; ++k) c.DrawTo(xs[size_t(k)], ys[size_t(k)]);
    c.SetAnnoMode(false);
    const double x = u(rng), yy = v(rng);
    switch (part % 10) {
      case 0:
        c.MarkAt(x, yy, uint8_t(part));
        break;
      case 1:
        c.Line(x, yy, x + 9, yy + 4);
        break;
      case 2:
        c.Rectangle(x, yy, x + 6, yy + 5);
        break;
      case 3:
        c.Ellipse(x, yy, 4.0, 3.0);
        break;
      case 4:
        c.Arc(x, yy, 5.0, 3.0, 0.5, 2.5);
        break;
      case 5:
        c.Arrow(x, yy, x + 8, yy + 8, 5);
        break;
      case 6:
        c.Bar3D(x, yy, x + 4, yy + 9, 4, 30);
        break;
      case 7:
        c.MarkErrorBar(x, yy, 2, 3, 1, 4);
        break;
      case 8:
        c.DrawToRelPix(3, -4);
        break;
      default:
        c.MoveTo(x, yy);
        break;
    }
  }
  ExpectSameAsRecords(c, "runs and items");
  c.SetClassVisible(2, false);
  ExpectSameAsRecords(c, "a class hidden");
  c.SetAvoidDuplicateMarks(true);
  c.ForceRange(1, 30, 20, 200, 230, false, false);
  ExpectSameAsRecords(c, "zoomed, duplicate marks avoided");
  c.RemoveItem(0);
  ExpectSameAsRecords(c, "every item one slot down");
}

TEST_F(LineRunCache, EveryChangeOfTheItemsIsSeen) {
  Walk(c, 20000, 5);
  ExpectChangeSeen(
      c,
      [&] {
        TrcChartItem it = c.GetChartItem(7000);
        it.y = 5;
        c.SetChartItem(7000, it);
      },
      "one item replaced");
  ExpectChangeSeen(
      c, [&] { c.NewColorOfClassItems(clRed, 255); }, "colour of a class");
  ExpectChangeSeen(
      c, [&] { c.RemoveItem(12000); }, "item removed");
  ExpectChangeSeen(
      c, [&] { c.ScaleAllItems(1, 0, 0.5, 60); }, "items scaled");
  ExpectChangeSeen(
      c,
      [&] {
        c.MarkAllItems(tkLineto, 3);
        c.SetClassVisible(3, false);
      },
      "class of all lines");
  ExpectChangeSeen(
      c,
      [&] {
        c.SetClassVisible(3, true);
        c.DrawTo(300.0, 10.0);
      },
      "item added");
  const std::string file = ::testing::TempDir() + "zyr_linerun_cache.dat";
  c.SaveData(file);
  ExpectChangeSeen(
      c,
      [&] {
        c.ClearGraf();
        Walk(c, 20000, 77);
      },
      "cleared and drawn anew");
  ExpectChangeSeen(
      c, [&] { c.LoadData(file, false); }, "loaded");
  std::remove(file.c_str());
}

TEST_F(LineRunCache, SharedDataChangedThroughTheOtherChart) {
  ProbeChart owner;
  Setup(owner);
  Walk(owner, 20000, 11);
  c.SetUseDataOf(&owner);
  ExpectSameAsRecords(c, "shared");
  ExpectChangeSeen(
      c,
      [&] {
        TrcChartItem it = owner.GetChartItem(9000);
        it.y = 250;
        owner.SetChartItem(9000, it);
      },
      "changed by the owner");
  ExpectChangeSeen(
      c, [&] { owner.ScaleAllItems(1, 0, 1, -40); }, "scaled by the owner");
  c.SetUseDataOf(nullptr);
}

TEST_F(LineRunCache, TextHandlerThatChangesItemsDuringTheDrawing) {
  c.Text(10.0, 10.0, 8, "x");
  Walk(c, 20000, 13);
  bool armed = false;
  c.OnBeforeRenderText = [&](TObject*, std::string&, int, bool) {
    if (!armed) return;
    armed = false;
    TrcChartItem it = c.GetChartItem(8000);
    it.y = 240;
    c.SetChartItem(8000, it);
  };
  DrawWith(c, true);
  DrawWith(c, true);
  // The handler moves a point of the run drawn after it; the drawing must show the new place.
  armed = true;
  const QImage cached = DrawWith(c, true);
  EXPECT_FALSE(armed);
  EXPECT_TRUE(cached == DrawWith(c, false));
}

// The screen search on linear axes works out the pixels in doubles; it must pick the same
// item with the same distance as pixels from R2M would, ties to the first.
TEST(NearestScreenSearch, SameAsPixelsFromR2M) {
  ProbeChart c;
  c.SetBounds(0, 0, 400, 300);
  c.SetRange(1, 0, 0, 100, 100);
  c.SetRange(2, 100, -50, -100, 50);
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> u(-20, 120);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int i = 0; i < 3000; ++i) {
    c.SetActiveLayer(i % 3 == 0 ? 2 : 1);
    const double x = i % 211 == 0 ? nan : i % 307 == 0 ? 1e300 : i % 401 == 0 ? -inf : u(rng);
    // Whole numbers land on pixel centres and half pixels, so ties and rounding are tried.
    c.MarkAt(i % 5 == 0 ? std::round(x) : x, i % 7 == 0 ? std::round(u(rng) * 2) / 2 : u(rng), 1);
  }
  c.SetActiveLayer(1);
  for (int q = 0; q < 200; ++q) {
    const double x = u(rng), y = u(rng);
    int qx, qy;
    c.R2M(1, x, y, qx, qy);
    int want = -1;
    double wantM = 0;
    for (int i = 0; i < c.NumItems(); ++i) {
      const TrcChartItem it = c.GetChartItem(i);
      if (std::isnan(it.x) || std::isnan(it.y)) continue;
      int px, py;
      c.R2M(it.Layer, it.x, it.y, px, py);
      const double m = std::pow(double(px) - qx, 2) + std::pow(double(py) - qy, 2);
      if (want < 0 || m < wantM) {
        want = i;
        wantM = m;
      }
    }
    double d = 0;
    ASSERT_EQ(c.FindNearestItemScreen(x, y, tkEverything, 255, false, d), want) << q;
    EXPECT_EQ(d, std::sqrt(wantM));
  }
}

}  // namespace
