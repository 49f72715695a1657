// SPDX-License-Identifier: MIT
// Gallery page "smithchart": an impedance sweep of a mismatched load seen through a lossy
// line (a spiral towards the centre), with marks at a few frequencies, at a small and a large
// size so that the label levels can be compared.
#include <zyr/chart/smithchart.h>

#include <QPainter>
#include <cmath>
#include <complex>
#include <cstdio>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

// Normalised input impedance at frequency f (GHz): load 2.2 - j1.4 behind a lossy line.
std::complex<double> Impedance(double f) {
  const std::complex<double> zl(2.2, -1.4);
  const std::complex<double> gl = (zl - 1.0) / (zl + 1.0);
  const std::complex<double> g = gl * std::exp(std::complex<double>(-0.3 * f, -5.0 * f));
  return (1.0 + g) / (1.0 - g);
}

void Build(TSmithChart& c, int size) {
  c.SetBounds(0, 0, size, size);
  c.SetCaption("input impedance 0.5 .. 3 GHz");
  c.SetDataColor(clNavy);
  c.SetLineWidth(2);
  const double f0 = 0.5, f1 = 3.0;
  const int n = 600;
  for (int i = 0; i <= n; ++i) {
    const std::complex<double> z = Impedance(f0 + (f1 - f0) * i / n);
    const double gr = TSmithChart::CalcReflectionReal(z.real(), z.imag());
    const double gi = TSmithChart::CalcReflectionImag(z.real(), z.imag());
    if (i == 0)
      c.MoveTo(gr, gi);
    else
      c.DrawTo(gr, gi);
  }
  c.SetDataColor(clMaroon);
  c.SetLineWidth(1);
  for (double f : {0.5, 1.0, 1.5, 2.0, 2.5, 3.0}) {
    const std::complex<double> z = Impedance(f);
    const double gr = TSmithChart::CalcReflectionReal(z.real(), z.imag());
    const double gi = TSmithChart::CalcReflectionImag(z.real(), z.imag());
    c.MarkAt(gr, gi, 3);
    char txt[16];
    std::snprintf(txt, sizeof txt, "%.1f GHz", f);
    c.Text(gr, gi, 8, txt, 6, -6, taLeftJustify);
  }
  const std::complex<double> z = Impedance(1.0);
  c.CrossHairSetup(clRed, 1, psDot, 1);
  c.CrossHairSetPos(TSmithChart::CalcReflectionReal(z.real(), z.imag()),
                    TSmithChart::CalcReflectionImag(z.real(), z.imag()));
  c.ShowGraf();
}

QImage Render() {
  auto small = std::make_unique<TSmithChart>();
  Build(*small, 300);
  auto large = std::make_unique<TSmithChart>();
  Build(*large, 1200);
  QImage img(1510, 1200, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.drawImage(0, 0, small->WindowPicture());
  p.drawImage(310, 0, large->WindowPicture());
  return img;
}

}  // namespace

static GalleryRegistrar reg({"smithchart", [] { return Render(); },
                             [](QWidget* parent) -> QWidget* {
                               auto* c = new TSmithChart(parent);
                               Build(*c, 600);
                               return c;
                             }});
