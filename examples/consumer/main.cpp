// SPDX-License-Identifier: MIT
// Builds a chart through the installed package, renders it headless and checks the result.
#include <zyr/chart/rchart.h>
#include <zyr/qt.h>
#include <zyr/version.h>

#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.SetRange(1, 0, -1.2, 10, 1.2);
  chart.SetDataColor(zyr::FromQColor(QColor(Qt::blue)));
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) chart.DrawTo(i / 20.0, std::sin(i / 20.0 * 3));
  chart.ShowGraf();
  zyr::TBitmap bmp;
  const bool drawn =
      chart.CopyToBitmap(bmp, false) && bmp.Width() == 400 && chart.NumItems() == 201;
  // The headers and the loaded library must come from the same release.
  const bool sameVersion = std::strcmp(zyr::Version(), ZYR_VERSION_STR) == 0;
  std::printf("consumer: zyrcharts %s: %s\n", zyr::Version(),
              drawn && sameVersion ? "ok" : "FAILED");
  return drawn && sameVersion ? 0 : 1;
}
