// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <QGestureEvent>
#include <QLineEdit>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <cfloat>
#include <cmath>

#include "../test_support.h"
#include "chart_fixture.h"

using namespace zyr;

namespace {

// The shared 400 x 300 chart with wheel zoom on and every step its own history entry, unless
// a test says otherwise.
void Chart400x300(TCustomRChart& c, double lo = 0, double hi = 10) {
  zyr::test::Chart400x300(c, lo, hi);
  c.SetMouseWheelZoom(true);
  c.SetNavigationBurstMs(0);
}

// A wheel turn as Qt delivers it; answers whether the chart took the event.
bool Wheel(QWidget& w, int x, int y, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier,
           Qt::MouseButtons buttons = Qt::NoButton) {
  return test::SendWheel(w, QPointF(x, y), delta, mods, buttons);
}

double XLo(TCustomRChart& c, int l = 1) { return c.ScalePropsX(l).RangeLow(); }
double XHi(TCustomRChart& c, int l = 1) { return c.ScalePropsX(l).RangeHigh(); }
double YLo(TCustomRChart& c, int l = 1) { return c.ScalePropsY(l).RangeLow(); }
double YHi(TCustomRChart& c, int l = 1) { return c.ScalePropsY(l).RangeHigh(); }

bool Finite(TCustomRChart& c) {
  return std::isfinite(XLo(c)) && std::isfinite(XHi(c)) && std::isfinite(YLo(c)) &&
         std::isfinite(YHi(c));
}

// The world point under (x, y) before a turn is drawn within a pixel of (x, y) after it.
void ExpectPointStays(TCustomRChart& c, int x, int y, int delta, const char* what) {
  double wx, wy;
  c.M2R(1, x, y, wx, wy);
  ASSERT_TRUE(Wheel(c, x, y, delta)) << what;
  int px, py;
  c.R2M(1, wx, wy, px, py);
  EXPECT_LE(std::abs(px - x), 1) << what << " at " << x << "," << y;
  EXPECT_LE(std::abs(py - y), 1) << what << " at " << x << "," << y;
}

}  // namespace

TEST(ChartWheel, OffByDefaultAndVetoedByOnMouseWheel) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseWheelZoom(false);
  EXPECT_FALSE(Wheel(c, 200, 100, 120));  // not taken: a scroll area around may use it
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(XHi(c), 10);

  TRChart fresh;
  EXPECT_FALSE(fresh.MouseWheelZoom());
  EXPECT_FALSE(fresh.KeyboardNavigation());
  EXPECT_EQ(fresh.focusPolicy(), Qt::ClickFocus);

  c.SetMouseWheelZoom(true);
  int calls = 0;
  double seenLo = -1;
  c.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
    ++calls;
    seenLo = XLo(c);  // the handler runs before the zoom
    EXPECT_EQ(delta, 120);
    EXPECT_EQ(pos.X, 200);
    handled = calls == 2;
  };
  Wheel(c, 200, 100, 120);
  EXPECT_EQ(seenLo, 0);
  const double lo = XLo(c);
  EXPECT_GT(lo, 0);
  Wheel(c, 200, 100, 120);  // vetoed
  EXPECT_EQ(XLo(c), lo);
  EXPECT_EQ(calls, 2);
}

TEST(ChartWheel, PointUnderMouseStaysLinearLogAndReversed) {
  TRChart c;
  Chart400x300(c);
  const int pts[][2] = {{51, 17}, {220, 140}, {389, 267}, {300, 40}};
  for (auto& p : pts) {
    for (int d : {120, 120, 360, -120, -600, 40, -15}) ExpectPointStays(c, p[0], p[1], d, "linear");
  }
  // One notch in, one notch out: back to the width it had.
  TRChart n;
  Chart400x300(n);
  Wheel(n, 220, 140, 120);
  EXPECT_NEAR(XHi(n) - XLo(n), 10 / 1.2, 1e-9);
  EXPECT_NEAR(YHi(n) - YLo(n), 10 / 1.2, 1e-9);
  Wheel(n, 220, 140, -120);
  EXPECT_NEAR(XHi(n) - XLo(n), 10, 1e-9);

  TRChart g;
  Chart400x300(g, 1, 10);
  g.ScalePropsX(1).SetLogarithmic(true);
  g.ScalePropsY(1).SetLogarithmic(true);
  g.ForceRange(1, 1, 1, 1000, 1e6, false, false);
  ASSERT_TRUE(g.ScalePropsX(1).Logarithmic());
  for (auto& p : pts) {
    for (int d : {120, 240, -360, 60}) ExpectPointStays(g, p[0], p[1], d, "log");
  }
  // Zooming in log space: a notch at the centre divides the decades by the factor.
  g.ForceRange(1, 1, 1, 1000, 1e6, false, false);
  double cx, cy;
  g.M2R(1, 220, 142, cx, cy);
  Wheel(g, 220, 142, 120);
  EXPECT_NEAR(std::log10(XHi(g) / XLo(g)), 3 / 1.2, 1e-9);
  EXPECT_GT(XLo(g), 0);

  TRChart r;
  Chart400x300(r);
  r.ForceRange(1, 10, 10, 0, 0, false, false);  // both axes reversed
  for (auto& p : pts) ExpectPointStays(r, p[0], p[1], 120, "reversed");
  EXPECT_GT(XLo(r), XHi(r));
}

TEST(ChartWheel, ModifiersScalesAndFrameChooseTheAxes) {
  TRChart c;
  Chart400x300(c);
  Wheel(c, 200, 100, 120, Qt::ControlModifier);
  EXPECT_LT(XHi(c) - XLo(c), 10);
  EXPECT_EQ(YLo(c), 0);
  EXPECT_EQ(YHi(c), 10);
  Chart400x300(c);
  Wheel(c, 200, 100, 120, Qt::ShiftModifier);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_LT(YHi(c) - YLo(c), 10);

  // Layer 2 follows only when it is mouse-affected.
  Chart400x300(c);
  Wheel(c, 200, 100, 120);
  EXPECT_EQ(XHi(c, 2), 10);
  c.SetMouseAffectsLayer(2, true);
  Wheel(c, 200, 100, 120);
  EXPECT_LT(XHi(c, 2), 10);

  // Over the left Y scale of layer 1: its Y axis only, whatever layers the mouse affects.
  TRChart s;
  Chart400x300(s);
  s.ScalePropsY(1).SetVisible(true);
  s.ScalePropsX(1).SetVisible(true);
  ASSERT_EQ(s.DetectScale(30, 100), 1);
  s.SetMouseAffectsLayer(1, false);
  EXPECT_TRUE(Wheel(s, 30, 100, 120));
  EXPECT_EQ(XLo(s), 0);
  EXPECT_LT(YHi(s) - YLo(s), 10);
  // Over the bottom X scale: X only.
  ASSERT_EQ(s.DetectScale(200, 285), -1);
  const double yw = YHi(s) - YLo(s);
  Wheel(s, 200, 285, 120);
  EXPECT_LT(XHi(s) - XLo(s), 10);
  EXPECT_EQ(YHi(s) - YLo(s), yw);
  // The frame outside data area and scales: nothing, and the event goes on.
  const double xw = XHi(s) - XLo(s);
  EXPECT_FALSE(Wheel(s, 395, 5, 120));
  EXPECT_EQ(XHi(s) - XLo(s), xw);
  EXPECT_EQ(YHi(s) - YLo(s), yw);
}

TEST(ChartWheel, ZeroHugeAndExtremeDeltasStayFinite) {
  TRChart c;
  Chart400x300(c);
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  EXPECT_FALSE(Wheel(c, 200, 100, 0));
  EXPECT_EQ(events, 0);
  // A hundred notches in one event zoom as far as ten.
  Wheel(c, 220, 142, 120 * 100);
  EXPECT_NEAR((XHi(c) - XLo(c)) * std::pow(1.2, 10), 10, 1e-6);
  EXPECT_EQ(events, 1);

  // In until the axis' MinRange; the range never collapses.
  for (int i = 0; i < 300; ++i) Wheel(c, 220, 142, 1200);
  EXPECT_TRUE(Finite(c));
  EXPECT_GE(XHi(c) - XLo(c), c.ScalePropsX(1).MinRange() * 0.99);
  EXPECT_LT(XHi(c) - XLo(c), 1e-9);
  const int before = events;
  const double w = XHi(c) - XLo(c);
  Wheel(c, 220, 142, 1200);  // at the limit nothing changes and nothing is reported
  EXPECT_EQ(XHi(c) - XLo(c), w);
  EXPECT_EQ(events, before);
  c.WindowPicture();

  // Out until the largest finite width; never infinite, never NaN.
  for (int i = 0; i < 600; ++i) Wheel(c, 220, 142, -1200);
  EXPECT_TRUE(Finite(c));
  EXPECT_GT(XHi(c) - XLo(c), 1e300);
  EXPECT_TRUE(std::isfinite(XHi(c) - XLo(c)));
  c.WindowPicture();

  // The narrowest width a large offset can still resolve: with MinRange at its smallest the
  // range keeps distinct pixels and finite transforms.
  TRChart d;
  Chart400x300(d, 1e6, 1e6 + 1);
  d.ScalePropsX(1).SetMinRange(1e-90);
  d.ScalePropsY(1).SetMinRange(1e-90);
  for (int i = 0; i < 400; ++i) Wheel(d, 220, 142, 1200);
  EXPECT_TRUE(Finite(d));
  EXPECT_GT(XHi(d), XLo(d));
  ExpectPointStays(d, 300, 100, 1200, "at the resolution limit");
  // Around zero the width may shrink to the smallest normal double, no further.
  TRChart z;
  Chart400x300(z, -1, 1);
  z.ScalePropsX(1).SetMinRange(1e-90);
  z.ScalePropsY(1).SetMinRange(1e-90);
  for (int i = 0; i < 400; ++i) Wheel(z, 220, 142, 1200);
  EXPECT_TRUE(Finite(z));
  EXPECT_GE(XHi(z) - XLo(z), 1e-90 * 0.99);

  // Log axes: in and out to the ends of the doubles.
  TRChart g;
  Chart400x300(g, 1, 10);
  g.ScalePropsX(1).SetLogarithmic(true);
  g.ForceRange(1, 1, 0, 100, 10, false, false);
  ASSERT_TRUE(g.ScalePropsX(1).Logarithmic());
  for (int i = 0; i < 400; ++i) Wheel(g, 220, 142, -1200);
  EXPECT_TRUE(Finite(g));
  EXPECT_GE(XLo(g), 1e-100);
  EXPECT_LE(XHi(g), DBL_MAX);
  g.WindowPicture();
  for (int i = 0; i < 400; ++i) Wheel(g, 220, 142, 1200);
  EXPECT_TRUE(Finite(g));
  EXPECT_GT(XHi(g), XLo(g));
  EXPECT_GE(XHi(g) - XLo(g), g.ScalePropsX(1).MinRange() * 0.99);
  g.WindowPicture();
}

TEST(ChartWheel, ConfinementMinRangeAndDragsHold) {
  TRChart c;
  Chart400x300(c, 2, 8);
  c.SetMouseAction(1);  // a pan action would shift a confined range; the wheel cuts it
  c.ConfineZoomRange(0, 0, 10, 10);
  for (int i = 0; i < 20; ++i) Wheel(c, 100, 60, -120);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(XHi(c), 10);
  EXPECT_EQ(YLo(c), 0);
  EXPECT_EQ(YHi(c), 10);

  TRChart m;
  Chart400x300(m);
  m.ScalePropsX(1).SetMinRange(1);
  for (int i = 0; i < 6; ++i) Wheel(m, 200, 100, 1200);
  EXPECT_GE(XHi(m) - XLo(m), 0.99);
  EXPECT_LT(YHi(m) - YLo(m), 0.01);  // the other axis goes on

  // While a drag runs the wheel is swallowed and changes nothing.
  TRChart d;
  Chart400x300(d);
  d.SetMouseAction(1);
  d.MouseDown(mbLeft, ssLeft, 200, 100);
  d.MouseMove(ssLeft, 200, 100);
  EXPECT_TRUE(Wheel(d, 200, 100, 120, Qt::NoModifier, Qt::LeftButton));
  EXPECT_EQ(XLo(d), 0);
  EXPECT_EQ(XHi(d), 10);
  d.MouseUp(mbLeft, 0, 200, 100);
  d.SetMouseAction(7);
  d.MouseDown(mbLeft, ssLeft, 200, 100);
  Wheel(d, 200, 100, 120, Qt::NoModifier, Qt::LeftButton);
  EXPECT_EQ(XHi(d), 10);
}

TEST(ChartHistory, BurstsMakeOneEntryAndReportEveryStep) {
  TRChart c;
  Chart400x300(c);
  c.SetNavigationBurstMs(10000);
  c.ClearZoomHistory();
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  EXPECT_FALSE(c.CanZoomBack());
  for (int i = 0; i < 5; ++i) Wheel(c, 220, 142, 120);
  EXPECT_EQ(events, 5);
  // One entry in the ring (the burst's last state) on top of the cleared state.
  EXPECT_NEAR(c.ZoomStack(1, 0).right - c.ZoomStack(1, 0).left, 10 / std::pow(1.2, 5), 1e-9);
  EXPECT_EQ(c.ZoomStack(1, -1).right, 10);
  // Back goes to the view before the burst in one step.
  ASSERT_TRUE(c.CanZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(XHi(c), 10);
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_EQ(events, 6);

  // Another kind of step ends a burst.
  Wheel(c, 220, 142, 120);
  QTest::keyClick(&c, Qt::Key_Right);  // keyboard off: nothing
  c.SetKeyboardNavigation(true);
  QTest::keyClick(&c, Qt::Key_Right);
  Wheel(c, 220, 142, 120);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_FALSE(c.ZoomBack());
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(XHi(c), 10);
}

TEST(ChartHistory, BackAndForwardLikeABrowser) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(7);
  auto view = [&] { return std::array<double, 4>{XLo(c), YLo(c), XHi(c), YHi(c)}; };
  const auto v0 = view();
  Wheel(c, 220, 142, 120);
  const auto v1 = view();
  // A rectangle zoom and a pan by the mouse are history steps too.
  c.MouseDown(mbLeft, ssLeft, 100, 50);
  c.MouseMove(ssLeft, 300, 200);
  c.MouseUp(mbLeft, 0, 300, 200);
  const auto v2 = view();
  c.SetMouseAction(1);
  c.MouseDown(mbLeft, ssLeft, 200, 100);
  c.MouseMove(ssLeft, 200, 100);
  c.MouseMove(ssLeft, 230, 120);
  c.MouseMove(ssLeft, 260, 140);
  c.MouseUp(mbLeft, 0, 260, 140);
  const auto v3 = view();
  EXPECT_NE(v2, v3);
  EXPECT_FALSE(c.CanZoomForward());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(view(), v2);  // the whole pan is one step
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(view(), v1);
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_EQ(view(), v2);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(view(), v0);
  EXPECT_FALSE(c.ZoomBack());
  EXPECT_EQ(view(), v0);
  EXPECT_TRUE(c.CanZoomForward());
  // A new zoom after going back drops the views ahead.
  Wheel(c, 120, 200, -120);
  EXPECT_FALSE(c.CanZoomForward());
  EXPECT_FALSE(c.ZoomForward());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(view(), v0);
  // ZoomHistory keeps its documented meaning beside it.
  c.ZoomHistory(0);
  c.ClearViewHistory();
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_FALSE(c.CanZoomForward());

  // Back only restores the layers the step changed: layer 2, moved by the program since,
  // keeps its range.
  TRChart d;
  Chart400x300(d);
  Wheel(d, 220, 142, 120);
  d.ForceRange(2, 5, 5, 6, 6, false, false);
  EXPECT_TRUE(d.ZoomBack());
  EXPECT_EQ(XHi(d), 10);
  EXPECT_EQ(XLo(d, 2), 5);
}

TEST(ChartKeys, ArrowsPlusMinusHomeAndBackspace) {
  TRChart c;
  Chart400x300(c);
  QTest::keyClick(&c, Qt::Key_Right);
  QTest::keyClick(&c, Qt::Key_Plus);
  EXPECT_EQ(XLo(c), 0);  // off by default
  EXPECT_EQ(XHi(c), 10);
  c.SetKeyboardNavigation(true);
  EXPECT_EQ(c.focusPolicy(), Qt::StrongFocus);  // Tab reaches it
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  QTest::keyClick(&c, Qt::Key_Right);
  EXPECT_NEAR(XLo(c), 1, 1e-12);
  EXPECT_NEAR(XHi(c), 11, 1e-12);
  QTest::keyClick(&c, Qt::Key_Up);
  EXPECT_NEAR(YLo(c), 1, 1e-12);
  QTest::keyClick(&c, Qt::Key_Down);
  QTest::keyClick(&c, Qt::Key_Left);
  EXPECT_NEAR(XLo(c), 0, 1e-12);
  EXPECT_NEAR(YLo(c), 0, 1e-12);
  QTest::keyClick(&c, Qt::Key_Right, Qt::ShiftModifier);  // one pixel of 340
  EXPECT_NEAR(XLo(c), 10.0 / 340, 1e-12);
  EXPECT_EQ(events, 5);
  QTest::keyClick(&c, Qt::Key_Left, Qt::ShiftModifier);

  // + and - zoom about the centre of the data area.
  double cx, cy;
  c.M2R(1, 50 + 170, 16 + 126, cx, cy);
  QTest::keyClick(&c, Qt::Key_Plus);
  EXPECT_NEAR(XHi(c) - XLo(c), 10 / 1.2, 1e-9);
  int px, py;
  c.R2M(1, cx, cy, px, py);
  EXPECT_EQ(px, 220);
  EXPECT_EQ(py, 142);
  QTest::keyClick(&c, Qt::Key_Minus);
  EXPECT_NEAR(XHi(c) - XLo(c), 10, 1e-9);

  // Backspace goes back, Shift+Backspace forward.
  QTest::keyClick(&c, Qt::Key_Backspace);
  EXPECT_NEAR(XHi(c) - XLo(c), 10 / 1.2, 1e-9);
  QTest::keyClick(&c, Qt::Key_Backspace, Qt::ShiftModifier);
  EXPECT_NEAR(XHi(c) - XLo(c), 10, 1e-9);

  // Home fits the data.
  c.MoveTo(2.0, 3.0);
  c.DrawTo(4.0, 7.0);
  QTest::keyClick(&c, Qt::Key_Home);
  EXPECT_EQ(XLo(c), 2);
  EXPECT_EQ(XHi(c), 4);
  EXPECT_EQ(YHi(c), 7);
  QTest::keyClick(&c, Qt::Key_Backspace);
  EXPECT_NEAR(XHi(c) - XLo(c), 10, 1e-9);

  // Keys with Ctrl belong to the application.
  const double lo = XLo(c);
  QTest::keyClick(&c, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(XLo(c), lo);
  // A handler that clears the key takes it.
  c.OnKeyDown = [](TObject*, uint16_t& Key, TShiftState) { Key = 0; };
  QTest::keyClick(&c, Qt::Key_Right);
  EXPECT_EQ(XLo(c), lo);
}

TEST(ChartKeys, ConfinedPansKeepTheirWidthAndLogAxesPanInDecades) {
  TRChart c;
  Chart400x300(c, 2, 8);
  c.SetKeyboardNavigation(true);
  c.ConfineZoomRange(0, 0, 10, 10);
  for (int i = 0; i < 10; ++i) QTest::keyClick(&c, Qt::Key_Right);
  EXPECT_NEAR(XLo(c), 4, 1e-12);
  EXPECT_EQ(XHi(c), 10);

  TRChart g;
  Chart400x300(g, 1, 10);
  g.SetKeyboardNavigation(true);
  g.ScalePropsX(1).SetLogarithmic(true);
  g.ForceRange(1, 1, 0, 1e5, 10, false, false);
  QTest::keyClick(&g, Qt::Key_Right);
  EXPECT_NEAR(XLo(g), std::pow(10, 0.5), 1e-9);
  EXPECT_NEAR(XHi(g), std::pow(10, 5.5), 1e-3);
}

TEST(ChartKeys, EscapeAbortsDrags) {
  TRChart c;
  Chart400x300(c);
  c.SetKeyboardNavigation(true);
  c.SetMouseAction(1);
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  c.MouseDown(mbLeft, ssLeft, 200, 100);
  c.MouseMove(ssLeft, 200, 100);
  c.MouseMove(ssLeft, 260, 100);
  EXPECT_NE(XLo(c), 0);
  QTest::keyClick(&c, Qt::Key_Escape);
  EXPECT_EQ(XLo(c), 0);  // back where the drag began
  EXPECT_EQ(XHi(c), 10);
  EXPECT_EQ(events, 2);
  c.MouseMove(ssLeft, 300, 100);  // the rest of the drag is ignored
  c.MouseUp(mbLeft, 0, 300, 100);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_FALSE(c.CanZoomBack());  // an aborted drag leaves no history
  c.MouseMove(0, 300, 100);
  c.MouseDown(mbLeft, ssLeft, 200, 100);  // the next drag works again
  c.MouseMove(ssLeft, 200, 100);
  c.MouseMove(ssLeft, 260, 100);
  c.MouseUp(mbLeft, 0, 260, 100);
  EXPECT_NE(XLo(c), 0);

  // A rubber rectangle vanishes exactly and zooms nothing.
  TRChart r;
  Chart400x300(r);
  r.SetKeyboardNavigation(true);
  r.SetMouseAction(7);
  const QImage before = r.WindowPicture().copy();
  r.MouseDown(mbLeft, ssLeft, 100, 50);
  r.MouseMove(ssLeft, 300, 200);
  EXPECT_NE(r.WindowPicture(), before);
  QTest::keyClick(&r, Qt::Key_Escape);
  EXPECT_EQ(r.WindowPicture(), before);
  r.MouseMove(ssLeft, 320, 220);
  r.MouseUp(mbLeft, 0, 320, 220);
  EXPECT_EQ(XHi(r), 10);
  EXPECT_EQ(r.WindowPicture(), before);
}

TEST(ChartKeys, FocusFrameIsAnOverlayThatErasesExactly) {
  QWidget form;
  form.resize(400, 340);
  auto* chart = new TRChart(&form);
  TRChart& c = *chart;
  Chart400x300(c);
  c.SetKeyboardNavigation(true);
  auto* next = new QLineEdit(&form);
  next->setGeometry(0, 310, 100, 20);
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) GTEST_SKIP() << "this platform activates no window";
  c.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(c.hasFocus());
  const QImage& win = c.WindowPicture();
  const QImage cached = c.ChartBmp().Canvas().Image()->copy();
  auto inverted = [&](int x, int y) {
    return (win.pixel(x, y) & 0xFFFFFF) == (~cached.pixel(x, y) & 0xFFFFFF);
  };
  auto same = [&] {
    return c.WindowPicture().convertToFormat(QImage::Format_RGB32) ==
           cached.convertToFormat(QImage::Format_RGB32);
  };
  EXPECT_TRUE(inverted(1, 1));
  EXPECT_FALSE(inverted(2, 1));  // dotted
  EXPECT_TRUE(inverted(398, 298));
  EXPECT_TRUE(inverted(1, 151));
  // A repaint keeps it; an export never has it.
  c.Repaint();
  EXPECT_TRUE(inverted(1, 1));
  TBitmap exported;
  c.CopyToBitmap(exported, false);
  EXPECT_EQ(exported.Canvas().Image()->pixel(1, 1) & 0xFFFFFF, cached.pixel(1, 1) & 0xFFFFFF);
  // Tab moves on to the next field; losing the focus leaves exactly the cached picture.
  QTest::keyClick(&c, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(next->hasFocus());
  EXPECT_TRUE(same());
  // Switching navigation off takes the frame away too.
  c.setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(same());
  c.SetKeyboardNavigation(false);
  EXPECT_TRUE(same());
}

TEST(ChartPinch, NativeAndGesturePinchZoomAboutTheirCentre) {
  TRChart c;
  Chart400x300(c);
  double wx, wy;
  c.M2R(1, 300, 80, wx, wy);
  QNativeGestureEvent g(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                        QPointF(300, 80), QPointF(300, 80), c.mapToGlobal(QPointF(300, 80)), 0.25,
                        QPointF());
  QApplication::sendEvent(&c, &g);
  EXPECT_NEAR(XHi(c) - XLo(c), 10 / 1.25, 1e-9);
  int px, py;
  c.R2M(1, wx, wy, px, py);
  EXPECT_LE(std::abs(px - 300), 1);
  EXPECT_LE(std::abs(py - 80), 1);
  // Nonsense factors change nothing.
  QNativeGestureEvent bad(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                          QPointF(300, 80), QPointF(300, 80), c.mapToGlobal(QPointF(300, 80)), -1.5,
                          QPointF());
  QApplication::sendEvent(&c, &bad);
  EXPECT_NEAR(XHi(c) - XLo(c), 10 / 1.25, 1e-9);

  TRChart p;
  Chart400x300(p);
  QPinchGesture pinch;
  pinch.setScaleFactor(0.5);
  pinch.setCenterPoint(p.mapToGlobal(QPointF(220, 142)));
  QGestureEvent ge({&pinch});
  QApplication::sendEvent(&p, &ge);
  EXPECT_NEAR(XHi(p) - XLo(p), 20, 1e-9);

  // Off: pinches pass by.
  TRChart o;
  Chart400x300(o);
  o.SetMouseWheelZoom(false);
  QApplication::sendEvent(&o, &g);
  EXPECT_EQ(XHi(o), 10);
}
