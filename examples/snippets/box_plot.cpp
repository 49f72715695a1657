// SPDX-License-Identifier: MIT
// Box plots of the columns of a data table; writes box_plot.png.
#include <zyr/chart/boxplot.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [table]
  zyr::TBoxPlot plot;
  plot.resize(560, 380);
  plot.SetChartCaption("Tensile strength by batch [MPa]");
  plot.HandleNeeded();  // the statistics are built once the control has its window
  zyr::TDataTable& t = plot.Data();
  t.BeginUpdate();  // one rebuild for the whole table instead of one per value
  t.Resize(4, 30);  // 4 columns (boxes) by 30 rows (1-based)
  for (int c = 1; c <= 4; ++c) {
    t.SetColName(c, "batch " + std::to_string(c));
    for (int r = 1; r <= 30; ++r)
      t.SetElem(c, r, 400 + 12 * c + 25 * std::sin(r * 1.7 + c) + (r == 7 ? 60 : 0));
  }
  t.EndUpdate();
  // [table]
  // [look]
  plot.SetShow90Perc(true);  // 10th and 90th percentile lines
  plot.SetColorBody(0xF0D8B0);
  plot.AutoRange(15);  // room for the column names below the whiskers
  // [look]
  const double median1 = plot.Quartile(1, 2);
  return plot.CopyToBMP("box_plot.png", false) && median1 > 380 && median1 < 440 ? 0 : 1;
}
