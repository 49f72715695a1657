// Draws on a library bitmap through the installed headers and checks one pixel.
#include <zyr/platform/host/bitmap.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  zyr::TBitmap bmp(64, 32);
  bmp.Canvas().Pen().SetColor(zyr::clRed);
  bmp.Canvas().MoveTo(0, 10);
  bmp.Canvas().LineTo(64, 10);
  const bool ok = bmp.Canvas().Pixels(5, 10) == zyr::clRed;
  std::printf("consumer: %s\n", ok ? "ok" : "FAILED");
  return ok ? 0 : 1;
}
