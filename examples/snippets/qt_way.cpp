// SPDX-License-Identifier: MIT
// The Qt way: signals with any number of slots, QColor, a QDateTime axis and resize.
#include <zyr/chart/rchart.h>
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <QApplication>
#include <QDateTime>
#include <QDebug>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(800, 500);  // the same size as SetBounds, shown or hidden

  // Dates on the x axis: day numbers, converted from and to QDateTime.
  const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
  const QDateTime end = start.addDays(30);
  chart.Scale1X().SetLabelType(zyr::TScale::ltDateTime);
  chart.SetRange(1, zyr::FromDateTime(start), 0.0, zyr::FromDateTime(end), 100.0);

  // Colours as Qt names them; Qt::lightGray is light grey, not the number 6.
  chart.SetDataColor(QColor("orange"));
  chart.SetGridColor(Qt::lightGray);
  chart.SetGridStyle(zyr::gsDotLines);
  chart.MoveTo(QPointF(zyr::FromDateTime(start), 20.0));
  chart.DrawTo(QPointF(zyr::FromDateTime(end), 80.0));
  chart.SetDataColor(Qt::darkBlue);
  chart.MarkAt(QPointF(zyr::FromDateTime(start.addDays(15)), 50.0), zyr::mrkCircleFilled3);
  chart.SetMouseAction(zyr::TRChart::maPan);

  // Two slots on one signal: both run, in the order they were connected.
  QObject::connect(&chart, &zyr::TRChart::zoomPan,
                   [&] { qDebug() << "x from" << zyr::ToDateTime(chart.RangeLoX1()); });
  QObject::connect(&chart, &zyr::TRChart::zoomPan, [] { qDebug() << "redraw the legend"; });

  chart.ShowGraf();
  return chart.CopyToBMP(QStringLiteral("qt_way.png"), false) ? 0 : 1;
}
