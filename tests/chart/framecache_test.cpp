// SPDX-License-Identifier: MIT
// Kept frame and grid pictures: a chart that keeps them paints exactly what a chart that
// draws everything paints, through changes of every setting the frame and grid depend on,
// and handlers that watch the drawing still see it.

#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>

#include <QImage>
#include <functional>
#include <string>

#include "../test_support.h"

using namespace zyr;

namespace {

class PaintChart : public TRChart {
 public:
  void PaintNow() { Paint(); }
};

// Two charts with the same settings, one keeping pictures and one drawing everything.
class FrameCache : public ::testing::Test {
 protected:
  void SetUp() override {
    ZYR_SKIP_WITHOUT_DEFAULT_FONT();
    plain.SetFrameCaching(false);
    Both([](PaintChart& c) {
      c.SetBounds(0, 0, 420, 320);
      c.SetStdLayout(rcl_X2Both_Y2Both);
      c.SetGridStyle(gsDotLines);
      c.SetCaption("Kept frame");
      c.SetRange(1, 0, -5, 100, 5);
      c.SetRange(2, 1, 1, 1000, 100);
      c.MoveTo(0.0, 0.0);
      for (int i = 1; i <= 100; ++i) c.DrawTo(double(i), double(i % 7) - 3);
      c.WindowPicture();
    });
  }
  void Both(const std::function<void(PaintChart&)>& f) {
    f(kept);
    f(plain);
  }
  // Paints both three times (the kept pictures are taken on the second and used on the
  // third) and compares every pixel of the windows.
  void ExpectSame(const std::string& step) {
    for (int i = 0; i < 3; ++i) Both([](PaintChart& c) { c.PaintNow(); });
    const QImage a = kept.WindowPicture(), b = plain.WindowPicture();
    ASSERT_EQ(a.size(), b.size()) << step;
    EXPECT_TRUE(a == b) << "pictures differ after: " << step;
  }
  PaintChart kept, plain;
};

TEST_F(FrameCache, PicturesMatchAfterEveryChangeOfTheFrame) {
  ExpectSame("start");
  Both([](PaintChart& c) { c.DrawTo(50.0, 4.0); });
  ExpectSame("new data");
  Both([](PaintChart& c) { c.SetRange(1, 10, -2, 60, 3); });
  ExpectSame("range");
  Both([](PaintChart& c) { c.Scale2Y().SetLogarithmic(true); });
  ExpectSame("logarithmic axis");
  Both([](PaintChart& c) { c.SetChartColor(clYellow); });
  ExpectSame("chart colour");
  Both([](PaintChart& c) { c.SetWindColor(clAqua); });
  ExpectSame("window colour");
  Both([](PaintChart& c) { c.SetGridColor(clRed); });
  ExpectSame("grid colour");
  Both([](PaintChart& c) { c.SetGridStyle(gsPoints); });
  ExpectSame("grid of points");
  Both([](PaintChart& c) {
    c.SetGridStyle(gsLines);
    c.SetGridDx(7.5);
  });
  ExpectSame("grid distance");
  Both([](PaintChart& c) { c.Font().SetSize(12); });
  ExpectSame("chart font");
  Both([](PaintChart& c) { c.Scale1X().Font().SetStyle(fsBold); });
  ExpectSame("scale font");
  Both([](PaintChart& c) { c.Scale1Y().SetColorScale(clBlue); });
  ExpectSame("scale colour");
  Both([](PaintChart& c) { c.Scale1X().SetCaption("time [s]"); });
  ExpectSame("scale caption");
  Both([](PaintChart& c) { c.Scale1Y().SetDecPlaces(3); });
  ExpectSame("decimals");
  Both([](PaintChart& c) { c.SetCaption("Another caption"); });
  ExpectSame("caption");
  Both([](PaintChart& c) { c.SetCaptionAlignment(taLeftJustify); });
  ExpectSame("caption alignment");
  Both([](PaintChart& c) { c.SetShadowWidth(6); });
  ExpectSame("shadow");
  Both([](PaintChart& c) { c.SetLRim(70); });
  ExpectSame("margin");
  Both([](PaintChart& c) { c.SetBounds(0, 0, 380, 340); });
  ExpectSame("size");
  Both([](PaintChart& c) { c.SetActiveLayer(2); });
  ExpectSame("active layer of the grid");
}

TEST_F(FrameCache, HandlersThatWatchTheDrawingStillRunAndChangeThePicture) {
  int ticks = 0;
  Both([&](PaintChart& c) {
    c.OnScaleTickDrawn = [&ticks](TObject*, TCanvas&, TScaleType, double, int, int) { ++ticks; };
    c.OnBeforeTickLabel = [](TObject*, TScaleType, double v, std::string& s) {
      if (v > 0) s = "+" + s;
    };
  });
  ticks = 0;
  kept.PaintNow();
  const int once = ticks;
  EXPECT_GT(once, 0);
  kept.PaintNow();
  kept.PaintNow();
  EXPECT_EQ(ticks, 3 * once);
  ExpectSame("tick label handler");

  int rendered = 0;
  Both([&](PaintChart& c) {
    c.OnScaleTickDrawn = nullptr;
    c.OnBeforeTickLabel = nullptr;
    c.ScaleX(1).OnAfterScaleRendered = [&rendered](TObject*, TCanvas&) { ++rendered; };
  });
  rendered = 0;
  for (int i = 0; i < 3; ++i) kept.PaintNow();
  EXPECT_EQ(rendered, 3);
  ExpectSame("scale rendered handler");
}

TEST_F(FrameCache, GridFollowsThePenAHandlerLeavesBeforeIt) {
  int width = 1;
  Both([&](PaintChart& c) {
    c.OnBeforeRenderData = [&width](TObject*, TCanvas& cv, int, int) { cv.Pen().SetWidth(width); };
  });
  ExpectSame("thin grid");
  width = 3;
  ExpectSame("wide grid");
  width = 1;
  ExpectSame("thin grid again");
}

TEST_F(FrameCache, ScalesRenderedHandlerDrawsOverTheKeptFrame) {
  int calls = 0;
  Both([&](PaintChart& c) {
    c.OnScalesRendered = [&calls](TObject*, TCanvas& cv, int, int) {
      ++calls;
      cv.Pen().SetColor(clRed);
      cv.MoveTo(0, 2);
      cv.LineTo(100, 2);
    };
  });
  calls = 0;
  ExpectSame("scales rendered handler");
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(QColor(kept.WindowPicture().pixel(50, 2)), QColor(Qt::red));
}

TEST_F(FrameCache, SwitchingOffDrawsEverythingAgain) {
  ExpectSame("kept");
  kept.SetFrameCaching(false);
  EXPECT_FALSE(kept.FrameCaching());
  Both([](PaintChart& c) { c.SetGridColor(clGreen); });
  ExpectSame("switched off");
  kept.SetFrameCaching(true);
  Both([](PaintChart& c) { c.SetGridColor(clBlue); });
  ExpectSame("switched on again");
}

}  // namespace
