// SPDX-License-Identifier: MIT
// An impedance sweep on a Smith chart; writes smith_chart.png.
#include <zyr/chart/smithchart.h>

#include <QApplication>
#include <complex>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [sweep]
  zyr::TSmithChart smith;
  smith.resize(480, 480);
  smith.SetCaption("Series RLC, 50 ohm");
  smith.SetDataColor(zyr::clNavy);
  smith.SetLineWidth(2);
  // Normalised impedance z = r + jx of a series RLC circuit from 10 to 1000 MHz.
  auto z = [](double f) {
    const double w = 2 * M_PI * f * 1e6;
    return std::complex<double>(25.0, w * 80e-9 - 1 / (w * 4e-12)) / 50.0;
  };
  for (int i = 0; i <= 400; ++i) {
    const std::complex<double> zi = z(10 * std::pow(100.0, i / 400.0));
    const double gr = zyr::TSmithChart::CalcReflectionReal(zi.real(), zi.imag());
    const double gi = zyr::TSmithChart::CalcReflectionImag(zi.real(), zi.imag());
    if (i == 0)
      smith.MoveTo(gr, gi);
    else
      smith.DrawTo(gr, gi);
  }
  // [sweep]
  // [readout]
  // Resonance (x = 0) is where the sweep crosses the real axis; a cross-hair marks it.
  const double f0 = 1 / (2 * M_PI * std::sqrt(80e-9 * 4e-12)) / 1e6;
  const std::complex<double> z0 = z(f0);
  smith.CrossHairSetup(zyr::clRed, 3, zyr::psDot, 1);
  smith.CrossHairSetPos(zyr::TSmithChart::CalcReflectionReal(z0.real(), z0.imag()),
                        zyr::TSmithChart::CalcReflectionImag(z0.real(), z0.imag()));
  // Back from the reflection coefficient to the impedance, e.g. for a mouse read-out.
  const double r = zyr::TSmithChart::CalcResistance(smith.CrossHairPosX(), smith.CrossHairPosY());
  // [readout]
  smith.ShowGraf();
  return smith.CopyToBMP("smith_chart.png", false) && std::abs(r - 0.5) < 1e-9 ? 0 : 1;
}
