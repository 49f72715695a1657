// SPDX-License-Identifier: MIT
// A first chart: a damped sine with marks on its peaks, written to first_chart.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;  // a QWidget: put it into any layout, or render it without showing it
  chart.resize(640, 400);
  chart.SetCaption("Damped sine");
  chart.Scale1X().SetCaption("t [s]");
  chart.SetRange(1, 0.0, -1.1, 10.0, 1.1);  // layer 1: x from 0 to 10, y from -1.1 to 1.1

  chart.SetDataColor(zyr::clBlue);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 500; ++i) {
    const double t = i * 0.02;
    chart.DrawTo(t, std::exp(-0.25 * t) * std::sin(2 * t));
  }
  chart.SetDataColor(zyr::clRed);
  for (int k = 0; k < 4; ++k) {
    const double t = (M_PI / 2 + k * M_PI) / 2;
    chart.MarkAt(t, std::exp(-0.25 * t) * std::sin(2 * t), 2);
  }
  chart.ShowGraf();
  return chart.CopyToBMP("first_chart.png", false) ? 0 : 1;
}
