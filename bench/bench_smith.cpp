// SPDX-License-Identifier: MIT
// Full paint of a 900 x 900 Smith chart carrying an impedance sweep of 10,000 points.

#include <benchmark/benchmark.h>
#include <zyr/chart/smithchart.h>

#include <cmath>
#include <complex>
#include <memory>

namespace {

using namespace zyr;

void BM_SmithFullPaint(benchmark::State& state) {
  auto c = std::make_unique<TSmithChart>();
  c->SetBounds(0, 0, 900, 900);
  c->HandleNeeded();
  c->SetSuppressPaint(true);
  const int n = int(state.range(0));
  const std::complex<double> zl(2.2, -1.4);
  const std::complex<double> gl = (zl - 1.0) / (zl + 1.0);
  for (int i = 0; i < n; ++i) {
    const double f = 0.5 + 2.5 * i / n;
    const std::complex<double> g = gl * std::exp(std::complex<double>(-0.3 * f, -5.0 * f));
    const std::complex<double> z = (1.0 + g) / (1.0 - g);
    const double gr = TSmithChart::CalcReflectionReal(z.real(), z.imag());
    const double gi = TSmithChart::CalcReflectionImag(z.real(), z.imag());
    if (i == 0)
      c->MoveTo(gr, gi);
    else
      c->DrawTo(gr, gi);
  }
  c->CrossHairSetup(clRed, 3, psSolid, 1);
  c->SetSuppressPaint(false);
  for (auto _ : state) c->Repaint();
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SmithFullPaint)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
