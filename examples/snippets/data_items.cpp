// SPDX-License-Identifier: MIT
// Data and annotation containers, classes and coordinate modes; writes data_items.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(640, 400);
  chart.SetRange(1, 0.0, -1.5, 10.0, 1.5);

  // [classes]
  // Data items: the measured curve in class 1, its samples as marks in class 2.
  chart.SetClassDefault(1);
  chart.SetDataColor(zyr::clNavy);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) chart.DrawTo(i * 0.05, std::sin(i * 0.05));
  chart.SetClassDefault(2);
  chart.SetDataColor(zyr::clRed);
  for (int i = 0; i <= 20; ++i) chart.MarkAt(i * 0.5, std::sin(i * 0.5), 3);
  chart.SetClassVisible(2, false);  // hide the samples ...
  chart.SetClassVisible(2, true);   // ... and show them again
  // [classes]

  // [modes]
  // Annotations live in a container of their own (hidden, saved and cleared apart from the
  // data) and keep the coordinate mode of the overload: integers are pixels of the data area.
  chart.SetAnnoMode(true);
  chart.SetDataColor(zyr::clGreen);
  chart.Arrow(8.0, 1.3, 7.85, 1.02, 8);  // all world coordinates
  chart.Text(8.0, 1.38, 8, "maximum", 0, 0, zyr::taCenter);
  chart.SetDataColor(zyr::clBlack);
  chart.Text(5.0, 12, 9, "x in world units, y 12 pixels below the top");  // stays there
  chart.SetAnnoMode(false);
  // [modes]

  // [read]
  // Items are 104-byte records; reading one gives a copy.
  const zyr::TrcChartItem first = chart.DataContainer(0);
  if (first.ItemKind != zyr::tkMoveTo || chart.NumAnnos() != 3) return 1;
  // [read]
  chart.ShowGraf();
  return chart.CopyToBMP("data_items.png", false) ? 0 : 1;
}
