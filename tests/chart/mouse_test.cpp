// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/cursors.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <vector>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::Chart400x300;
using zyr::test::Drag;

double XLo(TCustomRChart& c, int l = 1) { return c.ScalePropsX(l).RangeLow(); }
double XHi(TCustomRChart& c, int l = 1) { return c.ScalePropsX(l).RangeHigh(); }
double YLo(TCustomRChart& c, int l = 1) { return c.ScalePropsY(l).RangeLow(); }
double YHi(TCustomRChart& c, int l = 1) { return c.ScalePropsY(l).RangeHigh(); }

}  // namespace

TEST(ChartMouse, RectangleZoomCornerOrder) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(7);
  double ax, ay, bx, by;
  c.M2R(1, 300, 200, ax, ay);
  c.M2R(1, 100, 50, bx, by);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  // From lower right to upper left: the corners reach the range as dragged, X turns round.
  Drag(c, 300, 200, 100, 50);
  EXPECT_NEAR(XLo(c), ax, 1e-9);
  EXPECT_NEAR(XHi(c), bx, 1e-9);
  EXPECT_NEAR(YLo(c), ay, 1e-9);
  EXPECT_NEAR(YHi(c), by, 1e-9);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_NEAR(c.ZoomStack(1, 0).left, ax, 1e-9);  // the zoom is a history entry
  EXPECT_NEAR(XLo(c, 2), 0, 1e-12);               // layer 2 does not follow the mouse

  // MouseAction 8 keeps the directions of the current ranges, also a reversed one.
  TRChart d;
  Chart400x300(d);
  d.ForceRange(1, 10, 0, 0, 10, false, false);
  d.SetMouseAction(8);
  d.M2R(1, 300, 200, ax, ay);
  d.M2R(1, 100, 50, bx, by);
  Drag(d, 300, 200, 100, 50);
  EXPECT_NEAR(XLo(d), std::max(ax, bx), 1e-9);
  EXPECT_NEAR(XHi(d), std::min(ax, bx), 1e-9);
  EXPECT_NEAR(YLo(d), std::min(ay, by), 1e-9);
  EXPECT_NEAR(YHi(d), std::max(ay, by), 1e-9);
}

TEST(ChartMouse, DragsWithoutExtentOrWithOtherButtonsChangeNothing) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(7);
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  Drag(c, 100, 100, 300, 100);  // no height
  Drag(c, 100, 100, 100, 200);  // no width
  // A right release cancels a left drag; the later left release finds nothing to do.
  c.MouseDown(mbLeft, ssLeft, 100, 100);
  c.MouseMove(ssLeft, 200, 200);
  c.MouseDown(mbRight, ssLeft | ssRight, 200, 200);
  c.MouseUp(mbRight, ssLeft, 200, 200);
  c.MouseUp(mbLeft, 0, 200, 200);
  // A press outside the data area starts nothing; moves far outside the control are safe.
  c.MouseDown(mbLeft, ssLeft, 10, 10);
  c.MouseMove(ssLeft, -100000, 2000000);
  c.MouseUp(mbLeft, 0, -100000, 2000000);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(XHi(c), 10);
  EXPECT_EQ(YLo(c), 0);
  EXPECT_EQ(YHi(c), 10);
}

TEST(ChartMouse, PanLinearAndLogarithmic) {
  TRChart c;
  Chart400x300(c);
  c.SetRRim(50);  // a data area 300 pixels wide
  c.ForceRange(1, 1, 0, 1000, 10, false, false);
  c.ScalePropsX(1).SetLogarithmic(true);
  c.SetMouseAction(1);
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  Drag(c, 150, 100, 250, 100);
  EXPECT_NEAR(XLo(c), 0.1, 1e-9);
  EXPECT_NEAR(XHi(c), 100, 1e-9);
  EXPECT_NEAR(YLo(c), 0, 1e-12);
  EXPECT_EQ(events, 1);

  // Linear Y: dragging down by a tenth of the height moves the range up by a tenth.
  TRChart d;
  Chart400x300(d);
  d.SetBounds(0, 0, 400, 300);
  d.SetMouseAction(3);
  d.MouseMove(ssLeft, 100, 100);
  d.MouseMove(ssLeft, 300, 100 + 126);  // half the height of 252
  EXPECT_NEAR(YLo(d), 5, 1e-9);
  EXPECT_NEAR(YHi(d), 15, 1e-9);
  EXPECT_NEAR(XLo(d), 0, 1e-12);  // mode 3 leaves X alone
  // The release makes the pan one history entry.
  d.MouseUp(mbLeft, 0, 300, 226);
  EXPECT_NEAR(d.ZoomStack(1, 0).bottom, 5, 1e-9);
}

TEST(ChartMouse, SnappedPanKeepsTheGrid) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(4);
  c.SetPanGridDx(0.5);
  c.SetPanGridOffsX(0.1);
  c.MouseMove(ssLeft, 200, 100);
  for (int dx : {7, 23, 51, 99, -13, -140}) {
    c.MouseMove(ssLeft, 200 + dx, 100);
    const double lo = XLo(c);
    const double steps = (lo - 0.1) / 0.5;
    EXPECT_NEAR(steps, std::round(steps), 1e-9) << dx;
    EXPECT_NEAR(XHi(c) - lo, 10, 1e-9);
    EXPECT_NEAR(lo, std::trunc((0 - 10.0 * dx / 340) / 0.5) * 0.5 + 0.1, 1e-9);
  }
  // Not on logarithmic axes.
  c.ForceRange(1, 0, 1, 10, 100, false, false);
  c.ScalePropsY(1).SetLogarithmic(true);
  c.MouseUp(mbLeft, 0, 0, 0);
  Drag(c, 200, 100, 250, 150);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(YLo(c), 1);
}

TEST(ChartMouse, ConfinementShiftsPansAndCutsZooms) {
  TRChart c;
  Chart400x300(c, 0, 4);
  c.ConfineZoomRange(0, 0, 10, 10);
  c.SetMouseAction(1);
  Drag(c, 100, 100, 355, 100);  // asks for X -3 .. 1
  EXPECT_NEAR(XLo(c), 0, 1e-9);
  EXPECT_NEAR(XHi(c), 4, 1e-9);

  c.ForceRange(1, 1, 0, 8, 4, false, false);
  c.SetMouseAction(9);
  Drag(c, 380, 100, 60, 100);  // zooms out by 1.8: X -1.8 .. 10.8
  EXPECT_NEAR(XLo(c), 0, 1e-9);
  EXPECT_NEAR(XHi(c), 10, 1e-9);

  // A rectangle zoom is not confined.
  c.ForceRange(1, -5, -5, 15, 15, false, false);
  c.SetMouseAction(8);
  double x1, y1, x2, y2;
  c.M2R(1, 60, 260, x1, y1);
  c.M2R(1, 380, 20, x2, y2);
  Drag(c, 60, 260, 380, 20);
  EXPECT_NEAR(XLo(c), x1, 1e-9);
  EXPECT_NEAR(XHi(c), x2, 1e-9);
  EXPECT_LT(XLo(c), 0);
  EXPECT_GT(XHi(c), 10);
}

TEST(ChartMouse, DragZoomInAndOut) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(9);
  c.SetMAffLayer(2, true);
  c.MouseMove(ssLeft, 100, 100);
  c.MouseMove(ssLeft, 200, 40);  // right and up: both axes zoom in
  EXPECT_NEAR(XLo(c), 5 - 5 * 0.75, 1e-9);
  EXPECT_NEAR(YHi(c), 5 + 5 * 0.8, 1e-9);
  EXPECT_NEAR(XLo(c, 2), XLo(c), 1e-12);
  c.MouseMove(ssLeft, 20, 100);  // outside the data area: no step
  EXPECT_NEAR(XLo(c), 5 - 5 * 0.75, 1e-9);
  c.MouseMove(ssLeft, 60, 100);  // left: zooms out
  EXPECT_NEAR(XLo(c), 5 - 5 * 1.1, 1e-9);
}

TEST(ChartMouse, RubberBandAndSelectionOncePerLayer) {
  TRChart c;
  Chart400x300(c);
  c.ForceRange(2, 10, 100, 0, 0, false, false);  // layer 2 runs backwards in X and Y
  c.SetMAffLayer(2, true);
  struct Call {
    int layer;
    double x1, y1, x2, y2;
  };
  std::vector<Call> bands, selections;
  c.OnRubberBand = [&](TObject*, int l, double a, double b, double d, double e) {
    bands.push_back({l, a, b, d, e});
  };
  c.OnSelectRect = [&](TObject*, int l, double a, double b, double d, double e) {
    selections.push_back({l, a, b, d, e});
  };
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.SetMouseAction(5);
  Drag(c, 300, 200, 100, 50);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].layer, 1);
  EXPECT_EQ(bands[1].layer, 2);
  EXPECT_GT(bands[0].x1, bands[0].x2);  // the band keeps its direction
  c.SetMouseAction(16);
  Drag(c, 300, 200, 100, 50);
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_LT(selections[0].x1, selections[0].x2);
  EXPECT_LT(selections[0].y1, selections[0].y2);
  EXPECT_GT(selections[1].x1, selections[1].x2);  // ordered like layer 2's ranges
  EXPECT_GT(selections[1].y1, selections[1].y2);
  EXPECT_EQ(zoomPans, 2);  // one per release, though neither changes a range
  EXPECT_EQ(XLo(c), 0);
}

TEST(ChartMouse, RubberFiguresVanishExactly) {
  TRChart c;
  Chart400x300(c);
  c.HandleNeeded();
  c.Repaint();
  const QImage before = c.WindowPicture().copy();
  for (int m : {5, 7, 16}) {
    c.SetMouseAction(TMouseActMode(m));
    c.MouseDown(mbLeft, ssLeft, 100, 100);
    c.MouseMove(ssLeft, 150, 130);
    c.MouseMove(ssLeft, 2000, -50);  // clamped into the data area
    EXPECT_NE(c.WindowPicture(), before) << m;
    c.MouseMove(ssLeft, 300, 100);  // same row: the release changes nothing
    c.MouseUp(mbLeft, 0, 300, 100);
    EXPECT_EQ(c.WindowPicture(), before) << m;
  }
  // The right button cancels with the figure erased.
  c.SetMouseAction(7);
  c.MouseDown(mbLeft, ssLeft, 100, 100);
  c.MouseMove(ssLeft, 150, 130);
  c.MouseUp(mbRight, ssLeft, 150, 130);
  EXPECT_EQ(c.WindowPicture(), before);
  EXPECT_EQ(XHi(c), 10);
  EXPECT_EQ(c.Canvas().Pen().Mode(), pmCopy);
  EXPECT_EQ(c.Canvas().Brush().Style(), bsSolid);
}

TEST(ChartMouse, DoubleClickOnAScaleSwitchesItsActionAndSwallowsTheClick) {
  TRChart c;
  Chart400x300(c);
  c.ScalePropsY(1).SetVisible(true);
  c.ScalePropsY(1).SetMouseAction(1);
  c.ScalePropsX(1).SetVisible(true);
  EXPECT_EQ(c.DetectScale(30, 100), 1);
  EXPECT_EQ(c.DetectScale(200, 280), -1);
  EXPECT_EQ(c.DetectScale(200, 100), 0);
  int ups = 0, downs = 0;
  c.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  c.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  c.MouseMove(0, 30, 100);
  c.DblClick();
  EXPECT_EQ(c.ScalePropsY(1).MouseAction(), 6);
  c.MouseDown(mbLeft, ssLeft | ssDouble, 30, 100);
  c.MouseUp(mbLeft, 0, 30, 100);
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(ups, 0);
  c.MouseUp(mbLeft, 0, 30, 100);
  EXPECT_EQ(ups, 1);
  c.DblClick();
  EXPECT_EQ(c.ScalePropsY(1).MouseAction(), 1);
}

TEST(ChartMouse, DraggingOnAScalePansItsAxis) {
  TRChart c;
  Chart400x300(c);
  c.ScalePropsY(1).SetVisible(true);
  c.ScalePropsY(1).SetMouseAction(1);
  int events = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  c.MouseMove(ssLeft, 30, 100);  // arms on the scale
  c.MouseMove(ssLeft, 30, 100 + 126);
  EXPECT_NEAR(YLo(c), 5, 1e-9);
  EXPECT_NEAR(YHi(c), 15, 1e-9);
  EXPECT_EQ(XLo(c), 0);
  EXPECT_EQ(events, 1);
}

TEST(ChartMouse, CursorFollowsTheActionUnlessFixed) {
  TRChart c;
  Chart400x300(c);
  for (int m : {0, 1, 4, 7, 8, 9, 10}) {
    c.SetMouseAction(TMouseActMode(m));
    c.MouseMove(0, 200, 100);
    EXPECT_EQ(c.Cursor(), crDefault) << m;
  }
  c.SetMouseCursorFixed(false);
  const std::vector<std::pair<int, TCursor>> table = {
      {0, crCross},    {1, crZyrHand},  {3, crZyrHand}, {7, crZyrZoomW},
      {8, crZyrZoomP}, {9, crZyrZoomD}, {16, crDefault}};
  for (auto [m, cur] : table) {
    c.SetMouseAction(TMouseActMode(m));
    c.MouseMove(0, 200, 100);
    EXPECT_EQ(c.Cursor(), cur) << m;
  }
  c.SetMouseAction(9);
  c.MouseMove(0, 200, 100);
  c.MouseMove(0, 5, 5);
  EXPECT_EQ(c.Cursor(), crDefault);
}

TEST(ChartMouse, MoveReportsPositionOnceAndDropsReentrantMoves) {
  TRChart c;
  Chart400x300(c);
  std::vector<bool> inChart;
  double rx = 0, ry = 0;
  c.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double x, double y) {
    inChart.push_back(in);
    rx = x;
    ry = y;
  };
  int moves = 0;
  c.OnMouseMove = [&](TObject*, TShiftState, int, int) {
    ++moves;
    c.MouseMove(0, 1, 1);  // a handler that lets another move in
  };
  c.MouseMove(0, 220, 268);
  EXPECT_EQ(moves, 1);
  ASSERT_EQ(inChart.size(), 1u);
  EXPECT_TRUE(inChart[0]);
  EXPECT_NEAR(rx, 5, 1e-9);
  EXPECT_NEAR(ry, 0, 1e-9);
  EXPECT_NEAR(c.GetMousePosX(), 5, 1e-9);
  c.MouseMove(0, 5, 5);
  EXPECT_FALSE(inChart.back());
  EXPECT_NEAR(c.GetMousePosX(), 5, 1e-9);  // kept from the last move inside
  EXPECT_EQ(c.LastMouseX(), 5);
}

TEST(ChartMouse, CrossHairDragMovesTheNearestAndCanBeVetoed) {
  TRChart c;
  Chart400x300(c);
  c.CrossHair1()->SetMode(2);
  c.CrossHair1()->SetPos(2, 5);
  c.CrossHair2()->SetMode(2);
  c.CrossHair2()->SetPos(8, 5);
  c.SetMouseAction(10);
  TCrossHair* moved = nullptr;
  int dxSeen = 0;
  bool allow = true;
  c.OnBeforeCrossHairMove = [&](TObject*, TCrossHair*, int dx, int, bool& a) {
    dxSeen = dx;
    a = allow;
  };
  c.OnCrossHairMove = [&](TObject*, TCrossHair* ch) { moved = ch; };
  int x8, y8;
  c.R2M(1, 8, 5, x8, y8);
  c.MouseMove(ssLeft, x8 - 10, 100);
  EXPECT_EQ(moved, c.CrossHair2());
  EXPECT_EQ(dxSeen, -10);
  c.MouseMove(ssLeft, 220, 100);
  EXPECT_NEAR(c.CrossHair2()->PosX(), 5, 1e-9);
  EXPECT_EQ(c.CrossHair1()->PosX(), 2);
  c.MouseUp(mbLeft, 0, 220, 100);

  allow = false;
  moved = nullptr;
  c.MouseMove(ssLeft, 100, 100);
  EXPECT_EQ(moved, nullptr);
  EXPECT_EQ(c.CrossHair1()->PosX(), 2);
}

TEST(ChartMouse, TextLabelDragFollowsTheAttachMode) {
  TRChart c;
  Chart400x300(c);
  const int n = c.AddTextLabel(2, 2, clBlack, "A", 0);
  const int m = c.AddTextLabel(8, 8, clBlack, "B", 0);
  ASSERT_GT(n, 0);
  c.TextLabels(m).SetAttachToData(1);
  c.TextLabels(m).SetTxtLblPos(8, 50);
  c.SetMouseAction(11);
  TTextLabel* moved = nullptr;
  c.OnTextLabelMove = [&](TObject*, TTextLabel* l) { moved = l; };
  int x, y;
  c.R2M(1, 8, 0, x, y);
  c.MouseMove(ssLeft, x + 3, 53);
  EXPECT_EQ(moved, &c.TextLabels(m));
  c.MouseMove(ssLeft, 220, 60);
  EXPECT_NEAR(c.TextLabels(m).PosX(), 5, 1e-9);
  EXPECT_EQ(c.TextLabels(m).PosY(), 60);
  EXPECT_EQ(c.TextLabels(n).PosX(), 2);
}

TEST(ChartMouse, MouseBoxEndsOnEveryWay) {
  // Never shown: nothing can arrive, so it must not wait.
  {
    TRChart c;
    double a, b, d, e;
    EXPECT_FALSE(c.MouseBox(a, b, d, e));
  }
  auto* c = new TRChart;
  Chart400x300(*c);
  c->show();
  double xLo = 0, yLo = 0, xHi = 0, yHi = 0;

  QTimer::singleShot(0, c, [c] {
    c->MouseDown(mbLeft, ssLeft, 300, 60);
    c->MouseMove(ssLeft, 100, 200);
    c->MouseUp(mbLeft, 0, 100, 200);
  });
  ASSERT_TRUE(c->MouseBox(xLo, yLo, xHi, yHi));
  double wx1, wy1, wx2, wy2;
  c->M2R(1, 100, 200, wx1, wy1);
  c->M2R(1, 300, 60, wx2, wy2);
  EXPECT_NEAR(xLo, wx1, 1e-9);
  EXPECT_NEAR(xHi, wx2, 1e-9);
  EXPECT_NEAR(yLo, wy1, 1e-9);
  EXPECT_NEAR(yHi, wy2, 1e-9);

  QTimer::singleShot(0, c, [c] { c->MouseDown(mbRight, ssRight, 100, 100); });
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));

  QTimer::singleShot(0, c, [c] {
    c->MouseDown(mbLeft, ssLeft, 100, 100);
    c->MouseMove(ssLeft, 200, 200);
    c->MouseBoxAbort();
  });
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));

  QTimer::singleShot(0, c, [c] { c->hide(); });
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));
  c->show();

  QTimer::singleShot(0, [c] { delete c; });
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));
}

TEST(ChartMouse, RealQtEventsPanAShownChart) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(1);
  c.show();
  int events = 0, inChart = 0;
  c.OnZoomPan = [&](TObject*) { ++events; };
  c.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double, double) { inChart += in; };
  QTest::mousePress(&c, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  // Moves with a button held go as plain events: they must carry the held button.
  for (int x : {100, 134, 168}) {
    QMouseEvent mv(QEvent::MouseMove, QPointF(x, 100), c.mapToGlobal(QPointF(x, 100)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&c, &mv);
  }
  QTest::mouseRelease(&c, Qt::LeftButton, Qt::NoModifier, QPoint(168, 100));
  EXPECT_NEAR(XLo(c), -2, 1e-9);
  EXPECT_NEAR(XHi(c), 8, 1e-9);
  EXPECT_NEAR(YLo(c), 0, 1e-9);
  EXPECT_EQ(events, 2);
  EXPECT_GE(inChart, 3);
  EXPECT_NEAR(c.ZoomStack(1, 0).left, -2, 1e-9);

  // A real double click on the left scale switches its action.
  c.ScalePropsY(1).SetVisible(true);
  c.ScalePropsY(1).SetMouseAction(1);
  c.SetMouseAction(0);
  QMouseEvent hover(QEvent::MouseMove, QPointF(30, 100), c.mapToGlobal(QPointF(30, 100)),
                    Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&c, &hover);
  QTest::mouseDClick(&c, Qt::LeftButton, Qt::NoModifier, QPoint(30, 100));
  EXPECT_EQ(c.ScalePropsY(1).MouseAction(), 6);
}

TEST(ChartMouse, EveryPanIsOneHistoryEntryAndTheOldestIsOverwritten) {
  TRChart c;
  Chart400x300(c);
  c.ClearZoomHistory();
  c.SetMouseAction(2);
  for (int i = 1; i <= 17; ++i) Drag(c, 300, 100, 266, 100);  // each pans X by +1
  EXPECT_NEAR(XLo(c), 17, 1e-9);
  EXPECT_NEAR(c.ZoomStack(1, 0).left, 17, 1e-9);
  EXPECT_NEAR(c.ZoomStack(1, -15).left, 2, 1e-9);  // the start and the first pan are gone
  c.ZoomHistory(-15);
  EXPECT_NEAR(XLo(c), 2, 1e-9);
  c.ZoomHistory(0);
  EXPECT_NEAR(XLo(c), 17, 1e-9);
}

TEST(ChartMouse, TraceRecordsClampedStrokes) {
  TRChart c;
  Chart400x300(c);
  c.SetMouseAction(17);
  c.MouseMove(0, 100, 100);  // no button: nothing
  c.MouseMove(ssLeft, 220, 142);
  c.MouseMove(ssLeft, 1000, -1000);
  c.MouseUp(mbLeft, 0, 1000, -1000);
  c.MouseMove(ssLeft, 100, 100);
  ASSERT_EQ(c.NumMouseTrace(), 3);
  EXPECT_NEAR(c.MouseTrace(1).x, 5, 1e-9);
  EXPECT_NEAR(c.MouseTrace(2).x, 10, 1e-9);  // clamped to the data area's corner
  EXPECT_NEAR(c.MouseTrace(2).y, 10, 1e-9);
  EXPECT_EQ(c.MouseTrace(2).flags & 1, 1);  // the release ended the stroke
  EXPECT_EQ(c.MouseTrace(3).flags & 1, 0);
}

TEST(ChartMouse, CrossHairDragDoesNotRedrawTheItems) {
  TRChart c;
  Chart400x300(c);
  c.HandleNeeded();
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  c.CrossHair1()->SetMode(3);
  c.CrossHair1()->SetPos(5, 5);
  c.Repaint();
  int rebuilds = 0;
  c.OnBeforeRenderData = [&](TObject*, TCanvas&, int, int) { ++rebuilds; };
  c.SetMouseAction(10);
  c.MouseMove(ssLeft, 200, 100);
  c.MouseMove(ssLeft, 260, 150);
  EXPECT_EQ(rebuilds, 0);
  double x, y;
  c.M2R(1, 260, 150, x, y);
  EXPECT_NEAR(c.CrossHairPosX(1), x, 1e-9);
  EXPECT_NEAR(c.CrossHairPosY(1), y, 1e-9);
}

TEST(ChartMouse, TabAndArrowKeysReachTheChart) {
  TRChart c;
  c.SetBounds(0, 0, 300, 200);
  c.show();
  std::vector<uint16_t> keys;
  c.OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { keys.push_back(Key); };
  QTest::keyClick(&c, Qt::Key_Tab);
  QTest::keyClick(&c, Qt::Key_Left);
  EXPECT_EQ(keys, (std::vector<uint16_t>{VK_TAB, VK_LEFT}));
}
