// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/plot3d/plot3d.h>

#include <cmath>

#include "../test_support.h"

using namespace zyr;

namespace {

bool Wheel(QWidget& w, int delta, Qt::MouseButtons buttons = Qt::NoButton) {
  return test::SendWheel(w, QPointF(100, 80), delta, Qt::NoModifier, buttons);
}

}  // namespace

TEST(Plot3DWheel, ZoomsWithinTheMagnificationLimits) {
  TPlot3D p;
  p.SetBounds(0, 0, 300, 200);
  EXPECT_FALSE(p.MouseWheelZoom());
  EXPECT_FALSE(Wheel(p, 120));  // off by default
  EXPECT_EQ(p.Magnification(), 1);

  p.SetMouseWheelZoom(true);
  int zoomPans = 0, actions = 0;
  p.OnZoomPan = [&](TObject*) { ++zoomPans; };
  p.OnMouseAction = [&](TObject*, int&, int&, double&, double&, double&, TShiftState) {
    ++actions;
  };
  EXPECT_TRUE(Wheel(p, 120));
  EXPECT_NEAR(p.Magnification(), 1.2, 1e-12);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(actions, 1);
  Wheel(p, -60);  // half a notch of a smooth wheel
  EXPECT_NEAR(p.Magnification(), 1.2 / std::sqrt(1.2), 1e-12);
  EXPECT_FALSE(Wheel(p, 0));

  // Huge turns stop at the documented limits; at a limit nothing is reported.
  Wheel(p, 120 * 100);
  Wheel(p, 120 * 100);
  EXPECT_EQ(p.Magnification(), 5);
  const int before = zoomPans;
  Wheel(p, 120);
  EXPECT_EQ(zoomPans, before);
  for (int i = 0; i < 5; ++i) Wheel(p, -1200);
  EXPECT_EQ(p.Magnification(), 0.1);

  // A drag in progress and a handler that vetoes keep the magnification.
  p.SetMagnification(1);
  EXPECT_TRUE(Wheel(p, 120, Qt::LeftButton));
  EXPECT_EQ(p.Magnification(), 1);
  p.OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
  Wheel(p, 120);
  EXPECT_EQ(p.Magnification(), 1);

  p.SetWheelZoomFactor(1);  // ignored: would not zoom
  p.SetWheelZoomFactor(NAN);
  EXPECT_EQ(p.WheelZoomFactor(), 1.2);
}
