// SPDX-License-Identifier: MIT
// A million points in one call, and the calls that keep large charts fast; writes
// large_data.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <QPointF>
#include <cmath>
#include <vector>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(800, 400);
  chart.SetCaption("1,000,000 samples");

  // [bulk]
  const size_t n = 1'000'000;
  std::vector<double> t(n), v(n);
  for (size_t i = 0; i < n; ++i) {
    t[i] = i * 1e-5;
    v[i] = std::sin(t[i] * 6.0) + 0.2 * std::sin(t[i] * 900.0);
  }
  chart.SetSuppressPaint(true);   // no painting while the chart is being filled
  chart.SetAllocSize(1'000'000);  // grow the container in one step
  chart.SetDataColor(zyr::clNavy);
  chart.MoveTo(t[0], v[0]);
  chart.DrawTo(t, v);  // one call for the whole polyline (spans of equal length)
  chart.AutoRange(1, 3);
  chart.SetSuppressPaint(false);  // paints once
  // [bulk]

  // [points]
  // Marks from Qt points: one at each crest of the slow wave.
  std::vector<QPointF> peaks;
  for (size_t i = 26180; i < n; i += 104720) peaks.emplace_back(t[i], v[i]);
  chart.SetDataColor(zyr::clRed);
  chart.MarkAt(peaks, 3);
  chart.ShowGraf();  // draws only the data area again
  // [points]
  if (chart.NumItems() != int(n + 1 + peaks.size())) return 1;
  return chart.CopyToBMP("large_data.png", false) ? 0 : 1;
}
