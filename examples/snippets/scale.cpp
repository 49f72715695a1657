// SPDX-License-Identifier: MIT
// A stand-alone axis that the user pans with the mouse; writes scale.png.
#include <zyr/scales/scale.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [scale]
  zyr::TScale scale;
  scale.resize(500, 60);
  scale.SetScaleType(zyr::TScale::stHorzLabelsBelow);
  scale.SetMarginBottom(24);
  scale.SetRange(0.1, 1000);
  scale.SetLogarithmic(true);
  scale.SetCaption("frequency [Hz]");
  scale.SetCaptionAnchor(zyr::uaSclCenter);
  scale.SetCaptionPosY(26);
  scale.SetMouseAction(zyr::TScale::maPan);  // drag to pan; a double click switches to stretch
  scale.OnZoomPan = [&scale](zyr::TObject*) {
    std::printf("%g .. %g\n", scale.RangeLow(), scale.RangeHigh());
  };
  // [scale]
  return scale.WindowPicture().save("scale.png") ? 0 : 1;
}
