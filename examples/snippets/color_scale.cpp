// SPDX-License-Identifier: MIT
// A colour legend that maps values to colours for the program; writes color_scale.png.
#include <zyr/scales/colorscale.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [legend]
  zyr::TColorScale legend;
  legend.resize(460, 70);
  legend.ColorArray().Fill(64, {zyr::clNavy, zyr::clBlue, zyr::clAqua, zyr::clYellow, zyr::clRed});
  legend.SetScaleRange(-20, 40);  // scale and colour interval together
  legend.SetColorLow(0);          // colours only over 0 .. 30 ...
  legend.SetColorHigh(30);
  legend.SetExtendColors(true);           // ... with the end colours beyond
  legend.CrossHair().SetPos(21.5, 21.5);  // a line at the current value
  // [legend]
  // [map]
  // The same mapping for the program's own drawing.
  const zyr::TColor warm = legend.ValueToColor(25.0);
  if (legend.ValueToColor(-10.0) != legend.ValueToColor(0.0) || warm == zyr::clNavy) return 1;
  // [map]
  return legend.WindowPicture().save("color_scale.png") ? 0 : 1;
}
