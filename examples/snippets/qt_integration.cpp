// SPDX-License-Identifier: MIT
// A chart in a Qt layout, driven by Qt signals and Qt value types; writes qt_integration.png.
#include <zyr/chart/rchart.h>
#include <zyr/qt.h>

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  // [layout]
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* chart = new zyr::TRChart(&window);  // owned by its parent, as every QWidget
  auto* readout = new QLabel(&window);
  layout->addWidget(chart, 1);
  layout->addWidget(readout);
  window.resize(640, 440);
  // [layout]

  // [signals]
  // Each event is also a signal, emitted after the event's handler; names drop the "On".
  QObject::connect(chart, &zyr::TCustomRChart::mouseMoveInChart, readout,
                   [readout](bool inChart, zyr::TShiftState, double x, double y) {
                     if (inChart)
                       readout->setText(zyr::ToDateTime(x).toString("dd.MM. hh:mm") +
                                        QString("  %1 kW").arg(y, 0, 'f', 1));
                   });
  QObject::connect(chart, &zyr::TCustomRChart::zoomPan, readout,
                   [readout] { readout->setText("zoomed"); });
  // [signals]

  // [values]
  // QColor, QString and QDateTime instead of TColor, UTF-8 strings and day numbers.
  const QDateTime start(QDate(2024, 6, 3), QTime(0, 0));
  chart->SetCaption(QString("Load on %1").arg(start.toString("d MMMM yyyy")));
  chart->SetChartColor(QColor("ivory"));
  chart->Scale1X().SetLabelType(3);
  chart->SetRange(1, zyr::FromDateTime(start), 0.0, zyr::FromDateTime(start.addDays(1)), 100.0);
  chart->SetDataColor(QColor(0, 110, 200));
  for (int m = 0; m <= 24 * 60; m += 15) {
    const QPointF p(zyr::FromDateTime(start.addSecs(m * 60)),
                    50 + 30 * std::sin((m - 480) / 1440.0 * 2 * M_PI));
    if (m == 0)
      chart->MoveTo(p);
    else
      chart->DrawTo(p);
  }
  chart->ShowGraf();
  // [values]

  // Headless here; an application calls window.show() and app.exec() instead.
  chart->SetMouseAction(zyr::TRChart::maZoomRect);
  chart->MouseMoveInChart(true, 0, zyr::FromDateTime(start.addSecs(9 * 3600)), 62.0);
  if (!readout->text().startsWith("03.06. 09:00")) return 1;
  return window.grab().save("qt_integration.png") ? 0 : 1;
}
