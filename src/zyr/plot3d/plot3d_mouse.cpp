// SPDX-License-Identifier: MIT
// TPlot3D: mouse rotation, zoom and pan, and the cell under the mouse.
#include <zyr/platform/host/wheelzoom.h>
#include <zyr/plot3d/plot3d.h>

#include <QMetaMethod>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

// Brings an angle of a drag back into 0 .. 360 by one turn at most.
double WrapOnce(double a) {
  if (a > 360) return a - 360;
  if (a < 0) return a + 360;
  return a;
}

// Folds whatever a handler left into 0 .. 360.
double FoldAngle(double a) {
  a = std::fmod(a, 360);
  return a < 0 ? a + 360 : a;
}

}  // namespace

void TPlot3D::TakeAnchors(int X, int Y) {
  MouseAnchorX = X;
  MouseAnchorY = Y;
  FCentXAnchor = FCentX;
  FCentYAnchor = FCentY;
  FMagAnchor = FMagnify;
  FAngleAnchor = FViewAngle;
}

void TPlot3D::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<QObject> alive(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!alive) return;  // the handler deleted the control
  // A press without a preceding move (e.g. after a focus change) still starts from here.
  TakeAnchors(X, Y);
}

void TPlot3D::ApplyMouseValues(int cx, int cy, double ax, double az, double mag, TShiftState Shift,
                               bool zoomPan) {
  const QPointer<QObject> alive(this);
  DoMouseAction(cx, cy, ax, az, mag, Shift);
  if (!alive) return;
  FCentX = cx;
  FCentY = cy;
  if (std::isfinite(ax)) FViewAngle[0] = FoldAngle(ax);
  if (std::isfinite(az)) FViewAngle[2] = FoldAngle(az);
  if (!std::isnan(mag)) FMagnify = std::clamp(mag, 0.1, 5.0);
  CalcRotMatrix();
  if (zoomPan) DoZoomPan();
  if (!alive) return;
  Redraw();
}

void TPlot3D::MouseMove(TShiftState Shift, int X, int Y) {
  const QPointer<QObject> alive(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!alive) return;
  const bool left = Shift & ssLeft, right = Shift & ssRight;
  if (!left && !right) TakeAnchors(X, Y);

  const int w = Width(), h = Height();
  if (w > 0 && h > 0 && X >= 0 && X <= w && Y >= 0 && Y <= h) {
    const double turnZ = (MouseAnchorX - X) * 360.0 / w + FAngleAnchor[2];
    const double tiltX = (MouseAnchorY - Y) * 360.0 / h + FAngleAnchor[0];
    const double zoom = std::clamp(FMagAnchor + (5 - 0.1) * (MouseAnchorY - Y) / h / 2, 0.1, 5.0);
    switch (FMouseAction) {
      case 12:
        if (left) {
          const double az = std::clamp(WrapOnce(turnZ), FViewAngLimLow[2], FViewAngLimHigh[2]);
          const double ax = std::clamp(WrapOnce(tiltX), FViewAngLimLow[0], FViewAngLimHigh[0]);
          ApplyMouseValues(FCentX, FCentY, ax, az, FMagnify, Shift, false);
        }
        break;
      case 13:
        if (left)
          ApplyMouseValues(FCentX, FCentY, WrapOnce(tiltX), WrapOnce(turnZ), FMagnify, Shift,
                           false);
        else if (right)
          ApplyMouseValues(FCentX, FCentY, FViewAngle[0], FViewAngle[2], zoom, Shift, true);
        break;
      case 14:
        if (left) {
          const double ax = WrapOnce((Y - MouseAnchorY) * 360.0 / h + FAngleAnchor[0]);
          ApplyMouseValues(FCentX, FCentY, ax, FViewAngle[2], FMagnify, Shift, false);
        }
        break;
      case 15:
        if (left)
          ApplyMouseValues(FCentX, FCentY, FViewAngle[0], WrapOnce(turnZ), FMagnify, Shift, false);
        break;
      case 6:
        if (left) ApplyMouseValues(FCentX, FCentY, FViewAngle[0], FViewAngle[2], zoom, Shift, true);
        break;
      case 1:
        if (left)
          ApplyMouseValues(FCentXAnchor + X - MouseAnchorX, FCentYAnchor + Y - MouseAnchorY,
                           FViewAngle[0], FViewAngle[2], FMagnify, Shift, true);
        break;
      default:
        break;
    }
  }

  if (!alive) return;
  // The hit test paints first, so it only runs for a handler or a connected slot.
  if (OnMouseMoveOverPlot ||
      isSignalConnected(QMetaMethod::fromSignal(&TPlot3D::mouseMoveOverPlot))) {
    WindowPicture();  // the hit test reads the maps of the current drawing
    if (!alive) return;
    int cx = 0, cy = 0;
    const bool found = FindCellAt(X, Y, cx, cy);
    Raise(
        OnMouseMoveOverPlot, [&] { OnMouseMoveOverPlot(this, found, Shift, cx, cy); },
        [&] { emit mouseMoveOverPlot(found, Shift, cx, cy); });
  }
}

void TPlot3D::DoMouseAction(int& cx, int& cy, double& ax, double& az, double& mag,
                            TShiftState Shift) {
  Raise(
      OnMouseAction, [&] { OnMouseAction(this, cx, cy, ax, az, mag, Shift); },
      [&] { emit mouseAction(cx, cy, ax, az, mag, Shift); });
}

void TPlot3D::DoZoomPan() {
  Raise(
      OnZoomPan, [this] { OnZoomPan(this); }, [this] { emit zoomPan(); });
}

void TPlot3D::SetWheelZoomFactor(double v) {
  if (ValidWheelZoomFactor(v)) FWheelZoomFactor = v;
}

bool TPlot3D::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const QPointer<QObject> alive(this);
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!alive || !FMouseWheelZoom) return false;
  if (Shift & (ssLeft | ssRight)) return true;  // a drag owns the view until it ends
  if (WheelDelta == 0) return false;
  const double mag = std::clamp(FMagnify * WheelTurnFactor(FWheelZoomFactor, WheelDelta), 0.1, 5.0);
  if (mag != FMagnify)
    ApplyMouseValues(FCentX, FCentY, FViewAngle[0], FViewAngle[2], mag, Shift, true);
  return true;
}

}  // namespace zyr
