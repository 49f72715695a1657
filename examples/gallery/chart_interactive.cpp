// SPDX-License-Identifier: MIT
// Gallery page "chart-interactive": a chart of a few thousand measured points with two
// cross-hairs and a free-hand trace drawn with the mouse. The live page lets a person pick
// the mouse action (pan, zoom, cross-hair and label dragging, trace), zoom with the wheel,
// a touchpad pinch or the keys, go back and forward through the views, and highlights the
// item nearest to the mouse.
#include <zyr/chart/rchart.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <random>
#include <vector>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kPoints = 3000;

void FillChart(TRChart& c) {
  c.SetSuppressPaint(true);
  c.SetBounds(0, 0, 760, 480);
  c.SetCaption("Drift of a sensor: 3000 readings, marks every 100");
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(0xB0B0B0);
  c.Scale1X().SetCaption("Sample");
  c.Scale1Y().SetCaption("Signal [mV]");
  std::mt19937 rng(11);
  std::normal_distribution<double> noise(0, 0.35);
  double drift = 0;
  c.SetDataColor(0xA05000);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < kPoints; ++i) {
    drift += noise(rng) * 0.15;
    c.DrawTo(double(i), drift + 2 * std::sin(i / 240.0) + noise(rng));
  }
  c.SetDataColor(clRed);
  for (int i = 0; i < kPoints; i += 100) {
    const TrcChartItem it = c.GetChartItem(i);
    c.MarkAt(it.x, it.y, 3);
  }
  c.AutoRange(1, 3);
  c.AddTextLabel(2400.0, c.Scale1Y().RangeHigh() * 0.85, clNavy, "drag me (mouse action 11)", 0);
  c.TextLabels(1).SetMode(2);

  // Cross-hair 1: full lines at a reading; cross-hair 2: small cross at a mark.
  const TrcChartItem a = c.GetChartItem(700), b = c.GetChartItem(1800);
  c.CrossHair(1)->SetCrossHLayer(1);
  c.CrossHair(2)->SetCrossHLayer(1);
  c.CrossHair(3)->SetCrossHLayer(1);
  c.CrossHairSetup(1, 0x008000, 3, psDashDotDot, 1);
  c.CrossHairSetPos(1, a.x, a.y);
  c.CrossHairSetup(2, 0x0080FF, 4, psSolid, 1);
  c.CrossHairSetPos(2, b.x, b.y);
  c.SetSuppressPaint(false);
}

// Strokes drawn through the chart's own mouse handling, as a person would.
void DrawTrace(TRChart& c) {
  c.SetMouseAction(17);
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clFuchsia);
  auto stroke = [&](std::initializer_list<TPoint> pts) {
    const TPoint first = *pts.begin();
    c.MouseDown(mbLeft, ssLeft, first.X, first.Y);
    for (TPoint p : pts) c.MouseMove(ssLeft, p.X, p.Y);
    const TPoint last = *(pts.end() - 1);
    c.MouseUp(mbLeft, ssLeft, last.X, last.Y);
  };
  // A loop around a feature and an underline below it.
  std::vector<TPoint> loop;
  for (int k = 0; k <= 36; ++k) {
    const double t = k * 2 * M_PI / 36;
    loop.push_back({int(250 + 55 * std::cos(t)), int(150 + 35 * std::sin(t))});
  }
  c.MouseDown(mbLeft, ssLeft, loop[0].X, loop[0].Y);
  for (TPoint p : loop) c.MouseMove(ssLeft, p.X, p.Y);
  c.MouseUp(mbLeft, ssLeft, loop.back().X, loop.back().Y);
  stroke({{200, 200}, {240, 204}, {280, 202}, {310, 206}});
  stroke({{560, 330}, {600, 300}, {640, 330}});
  c.SetMouseAction(1);
}

QImage RenderInteractive() {
  TRChart c;
  FillChart(c);
  DrawTrace(c);
  return c.WindowPicture().copy();
}

QWidget* LiveInteractive(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* col = new QVBoxLayout(box);
  auto* row = new QHBoxLayout();
  col->addLayout(row);
  auto* chart = new TRChart(box);
  FillChart(*chart);
  chart->SetMouseAction(1);
  chart->SetMouseCursorFixed(false);
  chart->SetMouseWheelZoom(true);
  chart->SetKeyboardNavigation(true);
  col->addWidget(chart, 1);
  col->addWidget(new QLabel(
      "Wheel or pinch: zoom about the pointer (Ctrl: X only, Shift: Y only, over an axis: that "
      "axis). Keys (click the chart or Tab to it): arrows pan (Shift: by a pixel), + and - zoom, "
      "Backspace back, Shift+Backspace forward, Home fits the data, Esc cancels a drag.",
      box));

  auto* actions = new QComboBox(box);
  const std::pair<const char*, int> modes[] = {{"1 pan", 1},
                                               {"8 zoom to rectangle", 8},
                                               {"9 zoom by dragging", 9},
                                               {"10 drag cross-hair", 10},
                                               {"11 drag label", 11},
                                               {"17 free-hand trace", 17}};
  for (auto& m : modes) actions->addItem(m.first, m.second);
  row->addWidget(new QLabel("Mouse action:", box));
  row->addWidget(actions);
  QObject::connect(actions, &QComboBox::currentIndexChanged, box, [chart, actions](int ix) {
    chart->SetMouseAction(TMouseActMode(actions->itemData(ix).toInt()));
  });
  auto* back = new QPushButton("Back", box);
  auto* forward = new QPushButton("Forward", box);
  auto* clear = new QPushButton("Clear trace", box);
  row->addWidget(back);
  row->addWidget(forward);
  row->addWidget(clear);
  auto* where = new QLabel(box);
  row->addWidget(where, 1);
  // The buttons follow the view history: every zoom or pan reports through OnZoomPan.
  auto update = [chart, back, forward] {
    back->setEnabled(chart->CanZoomBack());
    forward->setEnabled(chart->CanZoomForward());
  };
  update();
  QObject::connect(back, &QPushButton::clicked, box, [chart, update] {
    chart->ZoomBack();
    update();
  });
  QObject::connect(forward, &QPushButton::clicked, box, [chart, update] {
    chart->ZoomForward();
    update();
  });
  QObject::connect(clear, &QPushButton::clicked, box, [chart] { chart->ClearMouseTrace(); });
  chart->OnZoomPan = [update](TObject*) { update(); };

  // The nearest item within 20 pixels gets a box (cross-hair 3).
  chart->OnMouseMoveInChart = [chart, where](TObject*, bool InChart, TShiftState, double rx,
                                             double ry) {
    double dist = 0;
    const int ix = InChart ? chart->FindNearestItemScreen(rx, ry, tkNotMoveTo, 255, dist) : -1;
    if (ix < 0 || dist > 20) {
      if (chart->CrossHair(3)->Mode() != 0) chart->CrossHairSetup(3, clRed, 0, psSolid, 2);
      where->clear();
      return;
    }
    const TrcChartItem it = chart->GetChartItem(ix);
    if (chart->CrossHair(3)->Mode() != 5) chart->CrossHairSetup(3, clRed, 5, psSolid, 2);
    chart->CrossHairSetPos(3, it.x, it.y);
    where->setText(QString("item %1: x = %2, y = %3").arg(ix).arg(it.x).arg(it.y, 0, 'f', 3));
  };
  return box;
}

GalleryRegistrar reg({"chart-interactive", RenderInteractive, LiveInteractive});

}  // namespace
