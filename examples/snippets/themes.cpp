// SPDX-License-Identifier: MIT
// The Modern theme, a theme of the program's own, and colours for successive curves; writes
// themes.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(640, 400);

  // [apply]
  zyr::TChartTheme theme = zyr::TChartTheme::Modern();  // or Classic(), Dark()
  theme.GridColor = zyr::RGB(225, 225, 235);            // a preset is a plain value to edit
  chart.ApplyTheme(theme);  // sets the chart's own properties; change any of them afterwards
  // [apply]

  chart.SetCaption("Three responses");
  chart.Scale1X().SetCaption("t [ms]");
  chart.Scale1Y().SetCaption("amplitude");
  chart.SetRange(1, 0.0, -1.2, 10.0, 1.2);
  // [colors]
  chart.SetLineWidth(2);
  for (int k = 1; k <= 3; ++k) {
    chart.NextDataColor();  // the theme's next data colour becomes the pen colour
    chart.SetClassDefault(uint8_t(k));
    chart.MoveTo(0.0, 0.0);
    for (int i = 1; i <= 200; ++i)
      chart.DrawTo(i / 20.0, std::exp(-i / (60.0 * k)) * std::sin(i / 20.0 * (1 + k * 0.4)));
    chart.AddLegendEntry("order " + std::to_string(k));
  }
  chart.Legend().SetVisible(true);
  // [colors]
  chart.ShowGraf();
  return chart.CopyToBMP("themes.png", false) && chart.Antialiased() ? 0 : 1;
}
