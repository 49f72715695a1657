// SPDX-License-Identifier: MIT
// What every control owes a Qt program: signals that can be queued, one size also while
// hidden, and no exception from a slot or handler crossing Qt's event loop.

#include <gtest/gtest.h>
#include <zyr/chart/boxplot.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/chart/smithchart.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>
#include <zyr/scales/scale.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace zyr;

namespace {

std::vector<std::unique_ptr<TCustomControl>> AllControls() {
  std::vector<std::unique_ptr<TCustomControl>> v;
  v.push_back(std::make_unique<TRChart>());
  v.push_back(std::make_unique<TContourPlot>());
  v.push_back(std::make_unique<TSmithChart>());
  v.push_back(std::make_unique<TBoxPlot>());
  v.push_back(std::make_unique<TScale>());
  v.push_back(std::make_unique<TColorScale>());
  v.push_back(std::make_unique<TScaleGauge>());
  v.push_back(std::make_unique<TPlot3D>());
  v.push_back(std::make_unique<TRot3D>());
  return v;
}

const char* NameOf(const QObject& o) { return o.metaObject()->className(); }

}  // namespace

TEST(EveryControl, EverySignalCanBeQueued) {
  // A queued connection copies the arguments: each type must be known to Qt, or connect()
  // refuses and the slot never runs.
  QTimer sink;  // stop() takes no arguments and is harmless to call
  const QMetaMethod stop = sink.metaObject()->method(sink.metaObject()->indexOfSlot("stop()"));
  for (const auto& c : AllControls()) {
    const QMetaObject* mo = c->metaObject();
    int own = 0;
    for (int i = QWidget::staticMetaObject.methodCount(); i < mo->methodCount(); ++i) {
      const QMetaMethod m = mo->method(i);
      if (m.methodType() != QMetaMethod::Signal) continue;
      ++own;
      for (int p = 0; p < m.parameterCount(); ++p)
        EXPECT_TRUE(m.parameterMetaType(p).isValid())
            << NameOf(*c) << " " << m.methodSignature().constData();
      EXPECT_TRUE(QObject::connect(c.get(), m, &sink, stop, Qt::QueuedConnection))
          << NameOf(*c) << " " << m.methodSignature().constData();
    }
    // The input events every control has, and at least one of its own.
    EXPECT_GT(own, 12) << NameOf(*c);
  }
}

TEST(EveryControl, QueuedSignalsCarryShiftStatesAndPointers) {
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  c.SetRange(1, 0, 0, 10, 10);
  QObject receiver;
  std::vector<double> moved;
  QObject::connect(
      &c, &TCustomRChart::mouseMoveInChart, &receiver,
      [&](bool in, TShiftState s, double x, double y) {
        moved = {double(in), double(s), x, y};
      },
      Qt::QueuedConnection);
  TCrossHair* heard = nullptr;
  QObject::connect(
      &c, &TCustomRChart::crossHairMove, &receiver, [&](TCrossHair* ch) { heard = ch; },
      Qt::QueuedConnection);
  c.MouseMove(TShiftState(ssShift | ssCtrl), c.MarginLeft() + 1, c.MarginTop() + 1);
  emit c.crossHairMove(c.CrossHair(3));
  EXPECT_TRUE(moved.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(moved.size(), 4u);
  EXPECT_EQ(moved[0], 1);
  EXPECT_EQ(moved[1], ssShift | ssCtrl);
  EXPECT_NEAR(moved[2], 0, 0.1);
  EXPECT_NEAR(moved[3], 10, 0.1);
  EXPECT_EQ(heard, c.CrossHair(3));
}

TEST(EveryControl, QtResizeWhileHiddenSizesThePicture) {
  for (const auto& c : AllControls()) {
    ASSERT_FALSE(c->isVisible());
    c->resize(420, 310);
    EXPECT_EQ(c->Width(), 420) << NameOf(*c);
    EXPECT_EQ(c->Height(), 310) << NameOf(*c);
    EXPECT_EQ(c->width(), c->Width()) << NameOf(*c);
    EXPECT_EQ(c->height(), c->Height()) << NameOf(*c);
    EXPECT_EQ(c->WindowPicture().size(), QSize(420, 310)) << NameOf(*c);
  }
}

TEST(EveryControl, ThrowingSlotsNeverCrossTheEventLoop) {
  for (const auto& c : AllControls()) {
    c->resize(300, 200);
    QObject::connect(c.get(), &TCustomControl::mouseEnter, [] { throw std::runtime_error("x"); });
    QObject::connect(c.get(), &TCustomControl::mouseLeave, [] { throw 42; });
    QObject::connect(c.get(), &TCustomControl::mouseDown, [] { throw 'x'; });
    QEnterEvent enter(QPointF(20, 20), QPointF(20, 20), QPointF(20, 20));
    EXPECT_NO_THROW(QApplication::sendEvent(c.get(), &enter)) << NameOf(*c);
    QEvent leave(QEvent::Leave);
    EXPECT_NO_THROW(QApplication::sendEvent(c.get(), &leave)) << NameOf(*c);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 100), QPointF(150, 100),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    EXPECT_NO_THROW(QApplication::sendEvent(c.get(), &press)) << NameOf(*c);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(150, 100), QPointF(150, 100),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_NO_THROW(QApplication::sendEvent(c.get(), &release)) << NameOf(*c);
  }
}

TEST(EveryControl, ThrowingZoomHandlerDuringAPinchStaysInsideTheChart) {
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetMouseWheelZoom(true);
  c.OnZoomPan = [](TObject*) { throw std::runtime_error("handler failed"); };
  QNativeGestureEvent g(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                        QPointF(200, 150), QPointF(200, 150), c.mapToGlobal(QPointF(200, 150)),
                        0.25, QPointF());
  EXPECT_NO_THROW(QApplication::sendEvent(&c, &g));
  EXPECT_LT(c.ScalePropsX(1).RangeHigh() - c.ScalePropsX(1).RangeLow(), 10);  // it did zoom
  c.OnZoomPan = nullptr;
  QObject::connect(&c, &TCustomRChart::zoomPan, [] { throw 1; });
  EXPECT_NO_THROW(QApplication::sendEvent(&c, &g));
}
