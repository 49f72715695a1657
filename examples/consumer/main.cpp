// Builds a chart through the installed package, renders it headless and checks the result.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.SetRange(1, 0, -1.2, 10, 1.2);
  chart.SetDataColor(zyr::clBlue);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) chart.DrawTo(i / 20.0, std::sin(i / 20.0 * 3));
  chart.ShowGraf();
  zyr::TBitmap bmp;
  const bool ok = chart.CopyToBitmap(bmp, false) && bmp.Width() == 400 && chart.NumItems() == 201;
  std::printf("consumer: %s\n", ok ? "ok" : "FAILED");
  return ok ? 0 : 1;
}
