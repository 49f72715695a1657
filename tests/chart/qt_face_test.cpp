// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/boxplot.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/chart/smithchart.h>

#include <QCoreApplication>
#include <QMetaMethod>
#include <QSignalSpy>
#include <string>
#include <vector>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::Chart400x300;
using zyr::test::Drag;

bool HasSignal(const QMetaObject* mo, const char* name) {
  for (int i = 0; i < mo->methodCount(); ++i) {
    const QMetaMethod m = mo->method(i);
    if (m.methodType() == QMetaMethod::Signal && m.name() == name) return true;
  }
  return false;
}

}  // namespace

TEST(ChartQtFace, SlotsRunAfterTheHandlerInOrder) {
  TRChart c;
  Chart400x300(c);
  std::vector<std::string> order;
  c.OnSelectRect = [&](TObject*, int, double, double, double, double) { order.push_back("h"); };
  QObject::connect(&c, &TCustomRChart::selectRect, [&] { order.push_back("a"); });
  QObject::connect(&c, &TCustomRChart::selectRect,
                   [&](int l, double x1, double, double x2, double) {
                     EXPECT_EQ(l, 1);
                     EXPECT_LT(x1, x2);  // ordered in the direction of the range
                     order.push_back("b");
                   });
  int zoomPans = 0;
  QObject::connect(&c, &TCustomRChart::zoomPan, [&] { ++zoomPans; });
  c.SetMouseAction(TCustomRChart::maSelectRect);
  Drag(c, 300, 200, 100, 50);
  EXPECT_EQ(order, (std::vector<std::string>{"h", "a", "b"}));
  EXPECT_EQ(zoomPans, 1);

  // Input events of every control come the same way.
  std::vector<std::string> clicks;
  c.OnClick = [&](TObject*) { clicks.push_back("h"); };
  QObject::connect(&c, &TCustomControl::click, [&] { clicks.push_back("s"); });
  c.Click();
  EXPECT_EQ(clicks, (std::vector<std::string>{"h", "s"}));
}

TEST(ChartQtFace, SignalCarriesTheHandlersFinalAnswer) {
  TRChart c;
  Chart400x300(c);
  c.OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
  QSignalSpy spy(&c, &TCustomControl::mouseWheel);
  EXPECT_TRUE(c.DoMouseWheel(0, 120, TPoint{5, 6}));
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy[0][1].toInt(), 120);
  EXPECT_EQ(spy[0][2].value<TPoint>(), (TPoint{5, 6}));
  EXPECT_TRUE(spy[0][3].toBool());
}

TEST(ChartQtFace, QueuedConnectionDeliversValues) {
  TRChart c;
  Chart400x300(c);
  std::vector<double> got;
  QObject receiver;
  QObject::connect(
      &c, &TCustomRChart::rubberBand, &receiver,
      [&](int l, double x1, double y1, double x2, double y2) {
        got = {double(l), x1, y1, x2, y2};
      },
      Qt::QueuedConnection);
  c.SetMouseAction(TCustomRChart::maRubberBand);
  Drag(c, 50, 268, 390, 16);  // the whole data area
  EXPECT_TRUE(got.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0], 1);
  EXPECT_NEAR(got[1], 0, 1e-9);
  EXPECT_NEAR(got[2], 0, 1e-9);
  EXPECT_NEAR(got[3], 10, 1e-9);
  EXPECT_NEAR(got[4], 10, 1e-9);
}

TEST(ChartQtFace, HandlerDeletingTheChartStopsTheSignal) {
  auto* c = new TRChart;
  Chart400x300(*c);
  int heard = 0;
  QObject::connect(c, &TCustomControl::click, [&] { ++heard; });
  c->OnClick = [&](TObject*) { delete c; };
  c->Click();
  EXPECT_EQ(heard, 0);
}

TEST(ChartQtFace, EveryChartListsItsSignals) {
  TRChart r;
  TContourPlot k;
  TSmithChart s;
  TBoxPlot b;
  for (QObject* o : std::vector<QObject*>{&r, &k, &s, &b}) {
    const QMetaObject* mo = o->metaObject();
    for (const char* name :
         {"zoomPan", "mouseMoveInChart", "rubberBand", "selectRect", "beforeCrossHairMove",
          "crossHairMove", "textLabelMove", "click", "mouseDown", "keyPress"})
      EXPECT_TRUE(HasSignal(mo, name)) << mo->className() << " " << name;
  }
  EXPECT_STREQ(k.metaObject()->className(), "zyr::TContourPlot");
  EXPECT_TRUE(HasSignal(k.metaObject(), "progress"));
}

TEST(ChartQtFace, QtOverloadsAndPropertiesMatchTheDocumentedCalls) {
  TRChart c;
  Chart400x300(c);
  // Numbers keep picking the documented overloads.
  c.SetDataColor(0x0000FF);
  EXPECT_EQ(c.DataColor(), TColor(0x0000FF));
  c.SetDataColor(QColor(255, 0, 0));
  EXPECT_EQ(c.DataColor(), TColor(0x0000FF));  // blue-green-red byte order
  c.SetFillColor(QColor());
  EXPECT_EQ(c.FillColor(), clNone);
  c.SetCaption(QString("Spektrum \u00e9"));
  EXPECT_EQ(c.QtCaption(), QString("Spektrum \u00e9"));

  c.SetRange(1, QRectF(QPointF(1, 2), QPointF(5, 8)));
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeLow(), 1);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 2);
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeHigh(), 5);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 8);

  EXPECT_TRUE(c.setProperty("MarginLeft", 60));
  EXPECT_EQ(c.MarginLeft(), 60);
  EXPECT_TRUE(c.setProperty("MouseAction", int(TCustomRChart::maZoomRectKeepDirection)));
  EXPECT_EQ(c.MouseAction(), 8);
  EXPECT_TRUE(c.setProperty("ChartColor", QColor(0, 0, 255)));
  EXPECT_EQ(c.ChartColor(), TColor(0xFF0000));
  EXPECT_TRUE(c.setProperty("RangeHiX", 20.0));
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeHigh(), 20);
  EXPECT_DOUBLE_EQ(c.property("RangeLoX").toDouble(), 1);
  EXPECT_EQ(c.property("Caption").toString(), QString("Spektrum \u00e9"));
}
