// SPDX-License-Identifier: MIT
// Gallery page "chart-text-labels": the chart's text labels in every mode, attach mode,
// alignment and vertical alignment, with multi-line captions, transparency and fonts.
#include <zyr/chart/rchart.h>

#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

void Build(TRChart& c) {
  c.SetBounds(0, 0, 720, 480);
  c.SetRange(1, 0, -1.5, 10, 1.5);
  c.SetDataColor(clNavy);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 400; ++i) c.DrawTo(i / 40.0, std::sin(i / 40.0 * 1.3) * 1.1);

  auto label = [&](double x, double y, TColor col, const char* text, TTxtLblMode mode,
                   TTxtLblAttachMode attach, TAlignment al, TVerticalAlignment va) {
    const int n = c.AddTextLabel(x, y, col, text, 0);
    TTextLabel& l = c.TextLabels(n);
    l.SetMode(mode);
    l.SetAttachToData(attach);
    l.SetAlignment(al);
    l.SetVerticalAlignment(va);
    return &l;
  };
  // The peak of the curve, world-anchored, in each mode.
  const double peak = M_PI / 2 / 1.3;
  TTextLabel* l = label(peak, 1.1, clBlack, "maximum (mode 4)", 4, 3, taCenter, 2);
  l->SetShadowDx(3);
  l->SetShadowDy(3);
  l->SetColorBkg(clCream);
  l = label(3 * peak, -1.1, clMaroon, "minimum\nunderlined (mode 3)", 3, 3, taCenter, 0);
  l->SetColorBorder(clMaroon);
  label(5 * peak, 1.1, clBlack, "boxed, right aligned\nsecond line\n3", 2, 3, taRightJustify, 1);
  l = label(7 * peak, -1.1, clWhite, "text with background (mode 1)", 1, 3, taRightJustify, 0);
  l->SetColorBkg(clTeal);
  // Pixel anchors and mixed anchors.
  l = label(60, 24, clBlack, "pixel anchor, left, top", 2, 0, taLeftJustify, 0);
  l->SetColorBkg(clMoneyGreen);
  l = label(9.0, 60, clPurple, "x world, y pixels", 3, 1, taRightJustify, 0);
  l->SetColorBorder(clPurple);
  l = label(300, -0.75, clGreen, "x pixels\ny world\ntransparent", 2, 2, taCenter, 1);
  l->SetTransparent(true);
  l->SetColorBorder(clGreen);
  // Fonts of their own.
  l = label(6.2, 0.15, clRed, "bold serif, shadow", 4, 3, taLeftJustify, 1);
  l->Font().SetName("DejaVu Serif");
  l->Font().SetSize(12);
  l->Font().SetStyle(fsBold);
  l->SetShadowDx(4);
  l->SetShadowDy(-4);
  l->SetColorShadow(clSilver);
  l = label(1.0, -0.5, clNavy, "transparent\nno box (mode 1)", 1, 3, taCenter, 1);
  l->SetTransparent(true);
  l->Font().SetStyle(fsItalic);
}

}  // namespace

static GalleryRegistrar reg({"chart-text-labels",
                             [] {
                               auto c = std::make_unique<TRChart>();
                               Build(*c);
                               return c->WindowPicture().copy();
                             },
                             [](QWidget* parent) -> QWidget* {
                               auto* c = new TRChart(parent);
                               Build(*c);
                               c->SetMouseAction(11);
                               return c;
                             }});
