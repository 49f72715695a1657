// SPDX-License-Identifier: MIT
// Gallery page "gauge": every index mode and background, both orientations, a moving dial, a
// logarithmic dial and a disabled gauge.
#include <zyr/scales/gauge.h>

#include <QPainter>
#include <functional>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kW = 960, kH = 700;

// Renders one configured gauge into the page at (x, y).
void Place(QPainter& p, int x, int y, int w, int h,
           const std::function<void(TScaleGauge&)>& setup) {
  auto g = std::make_unique<TScaleGauge>();
  g->SetBounds(0, 0, w, h);
  setup(*g);
  p.drawImage(x, y, g->WindowPicture());
}

QImage RenderPage() {
  QImage img(kW, kH, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  struct Row {
    TGaugeIndexMode mode;
    TGaugeBackground bg;
    const char* caption;
  };
  const Row rows[] = {
      {gimThread, gbPlain, "thread, plain"},
      {gimTriangle, gbVertGrad, "triangle, vertical gradient"},
      {gimThreadTriangle, gbHorizGrad, "thread + triangle, horizontal gradient"},
      {gimThreadTwoTriangles, gbVertMidBand, "two triangles, vertical mid band"},
      {gimBand, gbHorizMidBand, "band, horizontal mid band"},
      {gimDualColorBand, gbVertGrad, "dual colour band, value -4"},
      {gimBar, gbPlain, "bar"},
  };
  const int w = 340, h = 84, gap = 8;
  int y = 8;
  for (const Row& r : rows) {
    Place(p, 8, y, w, h, [&](TScaleGauge& g) {
      g.SetMarginTop(26);
      g.SetCaption(r.caption);
      g.SetCaptionSize(8);
      g.SetCaptionPosY(7);
      g.SetIndexMode(r.mode);
      g.SetBackground(r.bg);
      if (r.bg == gbPlain) g.SetColorBg1(clCream);
      g.SetColorIndex1(r.mode == gimDualColorBand ? clGreen : clBlack);
      g.SetValue(r.mode == gimDualColorBand ? -4 : 3.5);
    });
    y += h + gap;
  }
  // Second column: moving dial, logarithmic dial, disabled gauge, dual band positive.
  y = 8;
  auto right = [&](const std::function<void(TScaleGauge&)>& f) {
    Place(p, 356, y, w, h, [&](TScaleGauge& g) {
      g.SetMarginTop(26);
      g.SetCaptionSize(8);
      g.SetCaptionPosY(7);
      f(g);
    });
    y += h + gap;
  };
  right([](TScaleGauge& g) {
    g.SetCaption("moving dial 0 .. 10, value 3");
    g.SetMin(0);
    g.SetMax(10);
    g.SetFixedDial(false);
    g.SetIndexMode(gimThreadTwoTriangles);
    g.SetValue(3);
  });
  right([](TScaleGauge& g) {
    g.SetCaption("logarithmic 1 .. 1000, value 42");
    g.SetMin(1);
    g.SetMax(1000);
    g.SetLogarithmic(true);
    g.SetIndexMode(gimBand);
    g.SetColorIndex1(clBlue);
    g.SetValue(42);
  });
  right([](TScaleGauge& g) {
    g.SetCaption("disabled");
    g.SetIndexMode(gimThreadTriangle);
    g.SetValue(6);
    g.SetEnabled(false);
  });
  right([](TScaleGauge& g) {
    g.SetCaption("dual colour band, value 4, short ticks");
    g.SetIndexMode(gimDualColorBand);
    g.SetColorIndex1(clGreen);
    g.SetShortTicks(true);
    g.SetMinTicks(5);
    g.SetValue(4);
  });
  right([](TScaleGauge& g) {
    g.SetCaption("reversed dial 100 .. 0, value 70");
    g.SetMin(100);
    g.SetMax(0);
    g.SetIndexMode(gimBar);
    g.SetColorCover(RGB(180, 190, 210));
    g.SetValue(70);
  });
  // Vertical gauges along the right side.
  const TGaugeIndexMode vmodes[] = {gimThreadTwoTriangles, gimBand, gimDualColorBand, gimBar,
                                    gimTriangle};
  const TGaugeBackground vbgs[] = {gbHorizGrad, gbVertMidBand, gbHorizMidBand, gbPlain, gbVertGrad};
  for (int i = 0; i < 5; ++i) {
    const int top = i < 3 ? 8 : 356;
    const int left = 704 + (i < 3 ? i : i - 3) * 84;
    Place(p, left, top, 80, 340, [&](TScaleGauge& g) {
      g.SetOrientation(goVertical);
      g.SetMarginTop(20);
      g.SetMarginBottom(14);
      g.SetMarginLeft(10);
      g.SetMarginRight(10);
      g.SetIndexMode(vmodes[i]);
      g.SetBackground(vbgs[i]);
      if (vbgs[i] == gbPlain) g.SetColorBg1(clCream);
      g.SetColorIndex1(vmodes[i] == gimDualColorBand ? clGreen : clBlack);
      g.SetMin(0);
      g.SetMax(100);
      g.SetGaugeZero(50);
      g.SetValue(i == 2 ? 30 : 65);
      if (i == 4) g.SetFixedDial(false);
    });
  }
  return img;
}

QWidget* LiveControl(QWidget* parent) {
  auto* g = new TScaleGauge(parent);
  g->SetBounds(0, 0, 340, 84);
  g->SetIndexMode(gimThreadTriangle);
  g->SetValue(2.5);
  return g;
}

GalleryRegistrar reg({"gauge", RenderPage, LiveControl});

}  // namespace
