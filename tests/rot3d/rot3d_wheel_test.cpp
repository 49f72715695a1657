// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/plot3d/rot3d.h>

#include <cmath>

#include "../test_support.h"

using namespace zyr;

namespace {

bool Wheel(QWidget& w, int delta, Qt::MouseButtons buttons = Qt::NoButton) {
  return test::SendWheel(w, QPointF(100, 80), delta, Qt::NoModifier, buttons);
}

}  // namespace

TEST(Rot3DWheel, ZoomsWithinTheMagnificationLimits) {
  TRot3D r;
  r.SetMagnification(1);
  EXPECT_FALSE(Wheel(r, 120));  // off by default
  EXPECT_EQ(r.MagnifyDivisor(), 4000);

  r.SetMouseWheelZoom(true);
  EXPECT_TRUE(Wheel(r, 120));
  EXPECT_NEAR(r.Magnification(), 1.2, 1e-3);
  EXPECT_EQ(r.MagnifyDivisor(), 3333);
  Wheel(r, -120);
  EXPECT_EQ(r.MagnifyDivisor(), 4000);

  for (int i = 0; i < 5; ++i) Wheel(r, 120 * 100);
  EXPECT_EQ(r.MagnifyDivisor(), 800);  // magnification 5
  for (int i = 0; i < 5; ++i) Wheel(r, -120 * 100);
  EXPECT_EQ(r.MagnifyDivisor(), 40000);  // magnification 0.1
  r.WindowPicture();

  r.SetMagnification(1);
  EXPECT_TRUE(Wheel(r, 120, Qt::RightButton));  // a drag owns the view
  EXPECT_EQ(r.MagnifyDivisor(), 4000);
  r.OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
  Wheel(r, 120);
  EXPECT_EQ(r.MagnifyDivisor(), 4000);
}
