// SPDX-License-Identifier: MIT
// TRot3D: rotation, zoom and pan with the mouse.
#include <zyr/platform/host/wheelzoom.h>
#include <zyr/plot3d/rot3d.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

void TRot3D::SetAnchors(int X, int Y) {
  MouseAnchorX = X;
  MouseAnchorY = Y;
  FCentXAnchor = FCentX;
  FCentYAnchor = FCentY;
  FMagAnchor = 4000.0 / FMagnify;
  FAngleAnchor = FViewAngle;
}

void TRot3D::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<QObject> alive(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!alive) return;  // the handler deleted the control
  // A press without a hover move before it (touch, tests) still starts from this point; a
  // second button pressed during a drag keeps the running anchors.
  const TShiftState pressed = Button == mbLeft ? ssLeft : Button == mbRight ? ssRight : 0;
  if ((Shift & (ssLeft | ssRight)) == pressed) SetAnchors(X, Y);
}

void TRot3D::MouseMove(TShiftState Shift, int X, int Y) {
  const QPointer<QObject> alive(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!alive) return;
  const bool left = Shift & ssLeft, right = Shift & ssRight;
  if (!left && !right) {
    SetAnchors(X, Y);
    return;
  }
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0 || X < 0 || X > w || Y < 0 || Y > h) return;

  if (left && (FMouseAction == maRotate || FMouseAction == maRotAndZoom)) {
    const double a = (MouseAnchorX - X) * 360.0 / w;
    const double b = (h + Y - MouseAnchorY) * 360.0 / h;
    if (FRotMat3D) {
      FViewAngle[0] = a + FAngleAnchor[0];
      FViewAngle[1] = b + FAngleAnchor[1];
    } else {
      FViewAngle[2] = a + FAngleAnchor[2];
      FViewAngle[0] = b + FAngleAnchor[0];
    }
    CalcRotMatrix();
    Changed();
  }
  if ((left && FMouseAction == maZoom) || (right && FMouseAction == maRotAndZoom)) {
    double f = (5.0 - 0.1) * (MouseAnchorY - Y) / h;
    f = std::clamp(FMagAnchor + f, 0.1, 5.0) - FMagAnchor;
    FMagnify = int(std::nearbyint(4000.0 / (FMagAnchor + f)));
    Changed();
  }
  if (left && FMouseAction == maPan) {
    FCentX = FCentXAnchor + (X - MouseAnchorX);
    FCentY = FCentYAnchor + (Y - MouseAnchorY);
    Changed();
  }
}

void TRot3D::SetWheelZoomFactor(double v) {
  if (ValidWheelZoomFactor(v)) FWheelZoomFactor = v;
}

bool TRot3D::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const QPointer<QObject> alive(this);
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!alive || !FMouseWheelZoom) return false;
  if (Shift & (ssLeft | ssRight)) return true;  // a drag owns the view until it ends
  if (WheelDelta == 0) return false;
  const double mag = 4000.0 / FMagnify;
  const double next = std::clamp(mag * WheelTurnFactor(FWheelZoomFactor, WheelDelta), 0.1, 5.0);
  const int divisor = int(std::nearbyint(4000.0 / next));
  if (divisor != FMagnify) {
    FMagnify = divisor;
    SetAnchors(MousePos.X, MousePos.Y);  // a drag that follows starts from the new zoom
    Changed();
  }
  return true;
}

}  // namespace zyr
