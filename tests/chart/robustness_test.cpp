// SPDX-License-Identifier: MIT
// Faults found by adversarial use of the chart: stale overlays in the cached pictures, axis
// settings written whole, layer numbers out of range, logarithmic axes switched in code,
// handlers that delete their own chart and rubber figures on a shown widget.

#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QtTest/QTest>
#include <functional>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::Chart400x300;

QRgb Rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// The pixel column of a world x on layer 1.
int PixX(const TCustomRChart& c, double x) {
  int px, py;
  c.R2M(1, x, 0, px, py);
  return px;
}

}  // namespace

// ------------------------------------------------------------------ cross-hairs

TEST(ChartOverlay, CrossHairsLeaveNoGhostsAfterShowingNewItems) {
  for (int show = 0; show < 2; ++show) {
    TRChart c;
    Chart400x300(c);
    c.HandleNeeded();
    c.Repaint();
    c.CrossHairSetup(1, clRed, 2, psSolid, 1);  // a vertical line
    c.CrossHairSetPos(1, 3, 5);
    const int oldX = PixX(c, 3);
    c.MoveTo(0.0, 9.0);
    c.DrawTo(1.0, 9.0);
    // Several displays of the new items, by either way.
    for (int i = 0; i < 3; ++i) {
      if (show == 0)
        c.ShowGraf();
      else
        c.ShowGrafNewOnly();
    }
    EXPECT_EQ(Rgb(c.WindowPicture(), oldX, 150), 0xFF0000u);  // red is there
    c.CrossHairSetPos(1, 7, 5);
    const QImage shown = c.WindowPicture();
    EXPECT_EQ(Rgb(shown, oldX, 150), 0xFFFFFFu) << "ghost after way " << show;
    EXPECT_EQ(Rgb(shown, PixX(c, 7), 150), 0xFF0000u);
    EXPECT_EQ(Rgb(c.ChartBmp().Image(), oldX, 150), 0xFFFFFFu);

    // Dragging it with the mouse leaves nothing behind either.
    c.SetMouseAction(10);
    c.ShowGraf();
    c.MouseMove(ssLeft, PixX(c, 7), 150);
    c.MouseMove(ssLeft, 300, 150);
    c.MouseUp(mbLeft, 0, 300, 150);
    EXPECT_EQ(Rgb(c.WindowPicture(), PixX(c, 7), 150), 0xFFFFFFu);
    EXPECT_EQ(Rgb(c.WindowPicture(), 300, 150), 0xFF0000u);
  }
}

// ------------------------------------------------------------------ axis settings written whole

TEST(ChartAxisSettings, WritingAWholeSettingsObjectKeepsTheLink) {
  using Setter = std::function<void(TCustomRChart&, const TScaleProps&)>;
  using Getter = std::function<TScaleProps&(TCustomRChart&)>;
  struct Case {
    Setter set;
    Getter get;
    int layer;
    bool x;
  };
  const Case cases[] = {
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScale1X(p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.Scale1X(); }, 1, true},
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScale1Y(p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.Scale1Y(); }, 1, false},
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScale2X(p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.Scale2X(); }, 2, true},
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScale2Y(p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.Scale2Y(); }, 2, false},
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScalePropsX(2, p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.ScalePropsX(2); }, 2, true},
      {[](TCustomRChart& c, const TScaleProps& p) { c.SetScalePropsY(1, p); },
       [](TCustomRChart& c) -> TScaleProps& { return c.ScalePropsY(1); }, 1, false},
  };
  for (const Case& k : cases) {
    TRChart c;
    Chart400x300(c);
    TScalePropsHoriz p;  // a free object: no handler, never loaded
    p.SetRangeHigh(40);
    p.SetRangeLow(20);
    k.set(c, p);
    auto pixel = [&](double v) {
      int px, py;
      c.R2M(k.layer, v, v, px, py);
      return k.x ? px : py;
    };
    TScale& scale = k.x ? c.ScaleX(k.layer) : c.ScaleY(k.layer);
    EXPECT_EQ(scale.RangeLow(), 20);
    EXPECT_EQ(scale.RangeHigh(), 40);
    EXPECT_EQ(pixel(20), k.x ? 50 : 268);
    EXPECT_EQ(pixel(40), k.x ? 390 : 16);
    // Later changes through the chart's object still reach axis and transform.
    k.get(c).SetRangeHigh(60);
    EXPECT_EQ(scale.RangeHigh(), 60);
    EXPECT_EQ(pixel(60), k.x ? 390 : 16);
    // The chart stays loaded: a switch to logarithmic over a range through zero is refused.
    k.get(c).SetRangeLow(-1);
    k.get(c).SetLogarithmic(true);
    EXPECT_FALSE(k.get(c).Logarithmic());
  }
}

// ------------------------------------------------------------------ layer numbers

TEST(ChartLayers, NumbersAboveTwoMeanLayerTwo) {
  TRChart c;
  Chart400x300(c);
  c.ForceRange(2, 100, 100, 200, 300, false, false);
  for (int layer : {3, 7, 255}) {
    int x2, y2, x, y;
    c.R2M(2, 150, 200, x2, y2);
    c.R2M(layer, 150, 200, x, y);
    EXPECT_EQ(x, x2) << layer;
    EXPECT_EQ(y, y2) << layer;
    double wx, wy;
    c.M2R(layer, 220, 142, wx, wy);
    EXPECT_NEAR(wx, 150, 1e-9);
    EXPECT_NEAR(wy, 200, 1e-9);
    double kx, dx, ky, dy, kx2, dx2, ky2, dy2;
    c.GetTransformParams(layer, kx, dx, ky, dy);
    c.GetTransformParams(2, kx2, dx2, ky2, dy2);
    EXPECT_EQ(kx, kx2);
    EXPECT_EQ(dy, dy2);
    EXPECT_EQ(&c.ScaleX(layer), &c.ScaleX(2));
    EXPECT_EQ(&c.ScaleY(layer), &c.ScaleY(2));
  }
  // An item recorded on layer 3 is found where layer 2 places it.
  c.MarkAt(5.0, 5.0, 1);  // layer 1, at pixel (220, 142)
  TrcChartItem it = c.GetChartItem(0);
  it.Layer = 3;
  it.x = 150;
  it.y = 100;  // layer 2: pixel (220, 268)
  c.SetChartItem(0, it);
  double dist;
  EXPECT_EQ(c.FindNearestItemScreen(5.0, 0.0, tkEverything, 255, dist), 0);
  EXPECT_NEAR(dist, 0, 1e-9);
}

// ------------------------------------------------------------------ logarithmic axes in code

TEST(ChartLogAxis, SwitchingInCodeIsRefusedForRangesThroughZero) {
  TRChart c;
  Chart400x300(c);
  c.Scale1X().SetLogarithmic(true);  // range 0..10
  EXPECT_FALSE(c.Scale1X().Logarithmic());
  c.Scale1Y().SetRangeLow(1e-200);
  c.Scale1Y().SetLogarithmic(true);
  EXPECT_FALSE(c.Scale1Y().Logarithmic());
  EXPECT_NO_THROW(c.ForceRange(1, 0, 0, 5, 5, false, false));
  // A positive range may be switched.
  c.Scale2X().SetRangeLow(1);
  c.Scale2X().SetRangeHigh(1000);
  c.Scale2X().SetLogarithmic(true);
  EXPECT_TRUE(c.Scale2X().Logarithmic());
  // After a reset the chart is still loaded.
  c.ResetComp();
  c.Scale1X().SetLogarithmic(true);
  EXPECT_FALSE(c.Scale1X().Logarithmic());
}

TEST(ChartLogAxis, ABrokenTransformNeverFailsAPaintAndMendingTheRangeDrawsAgain) {
  // The reference: the same chart with a sound logarithmic axis.
  TRChart ref;
  Chart400x300(ref);
  ref.Scale1X().SetRangeLow(1);
  ref.Scale1X().SetRangeHigh(100);
  ref.Scale1X().SetLogarithmic(true);
  ref.HandleNeeded();
  const QImage good = ref.WindowPicture().copy();

  TRChart c;
  Chart400x300(c);
  c.ForceRange(1, 0, 0, 1, 10, false, false);
  c.BeginLoading();
  c.Scale1X().SetLogarithmic(true);  // stored while loading, range 0..1
  EXPECT_THROW(c.EndLoading(), EZYRRChartError);
  c.HandleNeeded();
  EXPECT_NO_THROW(c.Repaint());
  EXPECT_NO_THROW(c.ShowGraf());
  EXPECT_NO_THROW(c.SetChartColor(clYellow));
  EXPECT_NO_THROW(c.SetChartColor(clWhite));
  const QImage broken = c.WindowPicture().copy();
  EXPECT_EQ(Rgb(broken, 200, 150), 0xFFFFFFu);  // an empty data area
  TBitmap bmp;
  EXPECT_TRUE(c.CopyToBitmap(bmp, false));
  EXPECT_EQ(bmp.Image().convertToFormat(QImage::Format_RGB32), broken);

  c.Scale1X().SetRangeLow(1);
  c.Scale1X().SetRangeHigh(100);
  EXPECT_EQ(c.WindowPicture(), good);
  EXPECT_TRUE(c.CopyToBitmap(bmp, false));
  EXPECT_EQ(bmp.Image().convertToFormat(QImage::Format_RGB32), good);
}

// ------------------------------------------------------------------ rubber figures

TEST(ChartRubberFigures, AShownWidgetShowsExactlyTheCurrentFigure) {
  for (int m : {5, 7, 16}) {
    TRChart ref;
    Chart400x300(ref);
    ref.HandleNeeded();
    const QImage base = ref.WindowPicture().convertToFormat(QImage::Format_RGB32);

    TRChart c;
    Chart400x300(c);
    c.SetMouseAction(TMouseActMode(m));
    c.show();  // pressed at once, before anything was painted
    const QPoint anchor(100, 100);
    QTest::mousePress(&c, Qt::LeftButton, Qt::NoModifier, anchor);
    for (const QPoint p : {QPoint(180, 140), QPoint(260, 90), QPoint(120, 230), QPoint(300, 200)}) {
      QMouseEvent mv(QEvent::MouseMove, QPointF(p), c.mapToGlobal(QPointF(p)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&c, &mv);
      // What the screen should show: the chart and the current figure inverted once.
      TBitmap expect;
      expect.SetImage(base);
      TCanvas& cv = expect.Canvas();
      cv.Pen().SetMode(pmXor);
      cv.Pen().SetColor(clWhite);
      cv.Brush().SetStyle(bsClear);
      if (m == 5) {
        cv.MoveTo(anchor.x(), anchor.y());
        cv.LineTo(p.x(), p.y());
      } else {
        cv.Rectangle(anchor.x(), anchor.y(), p.x(), p.y());
      }
      const QImage want = expect.Image().convertToFormat(QImage::Format_RGB32);
      const QImage seen = c.grab().toImage().convertToFormat(QImage::Format_RGB32);
      EXPECT_EQ(seen, want) << "mode " << m << " at " << p.x() << "," << p.y();
    }
    QTest::mouseRelease(&c, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
  }
}

TEST(ChartRubberFigures, ReleasingABandOrASelectionReportsAZoomPan) {
  for (int m : {5, 16}) {
    TRChart c;
    Chart400x300(c);
    c.SetMouseAction(TMouseActMode(m));
    int order = 0, reported = 0, zoomPan = 0;
    c.OnRubberBand = [&](TObject*, int, double, double, double, double) { reported = ++order; };
    c.OnSelectRect = c.OnRubberBand;
    c.OnZoomPan = [&](TObject* s) {
      EXPECT_EQ(s, &c);
      zoomPan = ++order;
    };
    c.MouseDown(mbLeft, ssLeft, 100, 100);
    c.MouseMove(ssLeft, 200, 200);
    c.MouseUp(mbLeft, 0, 200, 200);
    EXPECT_EQ(reported, 1) << m;
    EXPECT_EQ(zoomPan, 2) << m;  // after the report
    // A drag without extent reports nothing.
    c.MouseDown(mbLeft, ssLeft, 100, 100);
    c.MouseMove(ssLeft, 100, 200);
    c.MouseUp(mbLeft, 0, 100, 200);
    EXPECT_EQ(order, 2) << m;
  }
}
