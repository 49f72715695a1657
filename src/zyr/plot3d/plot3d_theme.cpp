// SPDX-License-Identifier: MIT
// Themes of the surface plot and the rotatable 3D plot.

#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>

#include <QPointer>

namespace zyr {

namespace {

// Faces of the bounding cube: the lighter one and the darker one, by the ground they lie on.
TColor Shade(TColor ground, int by) {
  ground = ColorToRGB(ground);
  auto ch = [by](int v) { return uint8_t(std::clamp(v + by, 0, 255)); };
  return RGB(ch(GetRValue(ground)), ch(GetGValue(ground)), ch(GetBValue(ground)));
}

bool IsDark(TColor c) {
  return TChartTheme::Contrast(c, clBlack) < TChartTheme::Contrast(c, clWhite);
}

}  // namespace

void TPlot3D::ApplyTheme(const TChartTheme& Theme) {
  const QPointer<QObject> alive(this);
  const bool d = Theme.Documented, dark = !d && IsDark(Theme.ChartColor);
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  SetAntialiased(Theme.Antialiased);
  SetColorBakGnd(d ? clWhite : Theme.ChartColor);
  SetColorFrame(d ? clBlack : Theme.FrameColor);
  SetFrameStyle(d ? 2 : 0);
  SetColorMesh(d ? clBlack : dark ? Shade(Theme.ChartColor, 40) : Theme.TextColor);
  SetColorCubeFrame(d ? 0x404040 : Theme.AxisColors[0]);
  SetColorCubeHidLin(d ? 0xB0B0B0 : Theme.GridColor);
  SetColorCubeFaceHigh(d ? 0xFEEEEE : Shade(Theme.ChartColor, dark ? 12 : -8));
  SetColorCubeFaceLow(d ? clSilver : Shade(Theme.ChartColor, dark ? 24 : -24));
  SetColorXCoords(d ? clRed : Theme.TextColor);
  SetColorYCoords(d ? clBlue : Theme.TextColor);
  SetColorZCoords(d ? clBlack : Theme.TextColor);
  if (!alive) return;
  FSuppressPaint = old;
  Redraw();
}

void TRot3D::ApplyTheme(const TChartTheme& Theme) {
  const bool d = Theme.Documented, dark = !d && IsDark(Theme.ChartColor);
  SetAntialiased(Theme.Antialiased);
  SetChartCol(d ? clWhite : Theme.ChartColor);
  SetFrameCol(d ? clBlack : Theme.FrameColor);
  SetFrameStyle(d ? 2 : 0);
  SetDataCol(d ? clBlack : Theme.AccentColor);
  SetColCubeFrame(d ? 0x404040 : Theme.AxisColors[0]);
  SetColCubeHidLin(d ? 0xB0B0B0 : Theme.GridColor);
  SetColCubeFaceHigh(d ? 0xEEEEEE : Shade(Theme.ChartColor, dark ? 12 : -8));
  SetColCubeFaceLow(d ? 0xC0C0C0 : Shade(Theme.ChartColor, dark ? 24 : -24));
}

}  // namespace zyr
