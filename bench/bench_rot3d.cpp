// SPDX-License-Identifier: MIT
// Repaint cost of TRot3D at its default size (450 x 300): 100,000 marks and a polyline of
// 1,000,000 segments, each painted after a small rotation as during a mouse drag.
#include <benchmark/benchmark.h>
#include <zyr/plot3d/rot3d.h>

#include <QApplication>
#include <cmath>
#include <random>

using namespace zyr;

static void BM_Rot3D_Marks100k(benchmark::State& state) {
  TRot3D r;
  std::mt19937 gen(1);
  std::normal_distribution<double> nd(0.0, 1.0);
  for (int i = 0; i < 100000; ++i) {
    r.SetColorData(i % 3 == 0 ? clRed : i % 3 == 1 ? clBlue : clGreen);
    r.MarkAt(nd(gen), nd(gen), nd(gen), uint8_t(i % 3 == 0 ? 1 : 14));
  }
  r.MakeVisible();
  double a = 0;
  for (auto _ : state) {
    r.SetViewAngleZ(a += 1.0);
    r.Repaint();
  }
}
BENCHMARK(BM_Rot3D_Marks100k)->Unit(benchmark::kMillisecond);

static void BM_Rot3D_Polyline1M(benchmark::State& state) {
  TRot3D r;
  const int n = 1000000;
  r.Moveto(1, 0, 0);
  for (int i = 1; i <= n; ++i) {
    const double t = i * 40 * M_PI / n;
    r.Drawto(std::cos(t), std::sin(t), t);
  }
  r.MakeVisible();
  double a = 0;
  for (auto _ : state) {
    r.SetViewAngleZ(a += 1.0);
    r.Repaint();
  }
}
BENCHMARK(BM_Rot3D_Polyline1M)->Unit(benchmark::kMillisecond);
