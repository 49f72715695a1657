// SPDX-License-Identifier: MIT
// Two layers: a date axis shared by both, a linear and a logarithmic Y axis; writes
// axes_layers.png.
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/datetime.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(720, 420);
  chart.SetCaption("Culture: temperature and cell count");

  // [layers]
  chart.SetStandardLayout(zyr::rcl_X1Bottom_Y2Both);  // Y of layer 1 left, of layer 2 right
  const double day0 = zyr::EncodeDate(2024, 5, 1);    // day numbers: days since 1899-12-30
  chart.Scale1X().SetLabelType(3);                    // 3: dates and times
  chart.Scale1Y().SetCaption("T [°C]");
  chart.Scale2Y().SetCaption("cells / ml");
  chart.SetRange(1, day0, 30.0, day0 + 14, 40.0);
  chart.SetRange(2, day0, 1e3, day0 + 14, 1e9);
  chart.Scale2Y().SetLogarithmic(true);           // after a positive range has been set
  chart.Scale2Y().SetDecPlaces(-3);               // decade labels as powers of ten
  chart.SetMarginRight(60);                       // room for the right-hand labels
  chart.JointLayers().SetControlledLayerX(2, 1);  // layer 2's X axis follows layer 1's
  // [layers]

  // [draw]
  chart.SetActiveLayer(1);  // new items and mouse read-outs use layer 1
  chart.SetDataColor(zyr::clRed);
  chart.MoveTo(day0, 37.0);
  for (int h = 1; h <= 14 * 24; ++h) chart.DrawTo(day0 + h / 24.0, 37.0 + std::sin(h / 3.8) * 0.4);
  chart.SetActiveLayer(2);
  chart.SetDataColor(zyr::clNavy);
  for (int d = 0; d <= 14; ++d)
    chart.MarkAt(day0 + d, 1e4 * std::pow(10.0, 4.5 / (1 + std::exp(-(d - 6) * 0.9))), 3);
  chart.SetActiveLayer(1);
  // [draw]

  // [zoom]
  // Zooming layer 1 in X moves layer 2 with it, because its X axis is joined.
  chart.SetRange(1, day0 + 2, 30.0, day0 + 12, 40.0);
  if (chart.Scale2X().RangeLow() != day0 + 2) return 1;
  // [zoom]
  chart.ShowGraf();
  return chart.CopyToBMP("axes_layers.png", false) ? 0 : 1;
}
