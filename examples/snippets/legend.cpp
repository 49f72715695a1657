// SPDX-License-Identifier: MIT
// A curve legend whose entries come from the pen in use; writes legend.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(640, 400);
  chart.SetRange(1, 0.0, -1.4, 10.0, 1.4);

  // [entries]
  // One class per curve, so that a click on the entry can hide and show the curve.
  chart.SetClassDefault(1);
  chart.SetDataColor(zyr::clNavy);
  chart.SetLineWidth(2);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) chart.DrawTo(i / 20.0, std::sin(i / 20.0));
  chart.AddLegendEntry("model");  // takes colour, width and class of the pen in use

  chart.SetClassDefault(2);
  chart.SetDataColor(zyr::clRed);
  chart.SetLineWidth(1);
  for (int i = 0; i <= 20; ++i) chart.MarkAt(i / 2.0, std::sin(i / 2.0) + 0.1 * std::cos(i), 3);
  chart.AddLegendEntry("measured");  // the newest mark of the class becomes the sample
  // [entries]

  // [custom]
  zyr::TLegendEntry band;  // an entry of the program's own: a filled box
  band.Caption = "tolerance";
  band.ShowBox = true;
  band.BoxColor = 0xE0E0E0;
  band.LineColor = zyr::clGray;
  chart.Legend().Add(band);
  // [custom]

  // [place]
  chart.Legend().SetAnchor(zyr::laOutsideRight);  // beside the data area; the margin grows
  chart.Legend().SetClickTogglesClass(true);      // a click hides or shows the entry's class
  chart.Legend().SetVisible(true);                // nothing shows until this
  chart.OnLegendMove = [](zyr::TObject*, zyr::TChartLegend*) { /* remember where it went */ };
  // [place]
  chart.ShowGraf();
  return chart.CopyToBMP("legend.png", false) && chart.Legend().Count() == 3 ? 0 : 1;
}
