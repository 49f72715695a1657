// SPDX-License-Identifier: MIT
// The item store at scale: appending line points one by one next to a plain pair of growing
// vectors (the yardstick of the fastest per-point append), the first paint after appending
// next to the warm repaint, the memory a line point costs after painting, and one hundred
// million points (append, first paint, pan step) with the peak resident memory.
//
// Run the memory figures in a fresh process each, e.g.
//   bench_store --benchmark_filter='BM_MemoryPerPoint/1000000/'
// The hundred million points need about 2 GB and run only when ZYR_BENCH_HUGE=1 is set.
// On a shared machine compare the "min" rows of --benchmark_repetitions=N.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>
#ifdef __linux__
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace zyr;

class StoreChart : public TRChart {
 public:
  StoreChart() { SetBounds(0, 0, 1000, 700); }
  void PaintNow() {
    Paint();
    ChartBmp().Canvas().Flush();
  }
};

// Memory figures are read from Linux's /proc; elsewhere they come out as 0.
double ResidentBytes() {
#ifndef __linux__
  return 0;
#else
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return double(resident) * double(sysconf(_SC_PAGESIZE));
#endif
}

double PeakResidentBytes() {
  double kb = 0;
  if (FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f))
      if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
    std::fclose(f);
  }
  return kb * 1024;
}

// The fastest repetition: the least disturbed by other work on the machine.
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// A random walk; the values are made up front so that only the append is timed.
struct TWalk {
  std::vector<double> x, y;
  explicit TWalk(int n) : x(size_t(n)), y(size_t(n)) {
    std::mt19937 rng(7);
    std::normal_distribution<double> step(0, 1);
    double v = 0;
    for (int i = 0; i < n; ++i) {
      x[size_t(i)] = i;
      y[size_t(i)] = v += step(rng);
    }
  }
};

void AppendOneByOne(TCustomRChart& c, const TWalk& w) {
  c.MoveTo(w.x[0], w.y[0]);
  for (size_t i = 1; i < w.x.size(); ++i) c.DrawTo(w.x[i], w.y[i]);
}

void FitRange(TCustomRChart& c, const TWalk& w) {
  double lo = w.y[0], hi = w.y[0];
  for (double v : w.y) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  c.SetRange(1, 0, lo, double(w.x.size()), hi);
}

void BM_AppendOneByOne(benchmark::State& state) {
  const TWalk w(int(state.range(0)));
  StoreChart c;
  for (auto _ : state) {
    AppendOneByOne(c, w);
    benchmark::DoNotOptimize(c.NumItems());
    state.PauseTiming();
    c.ClearGraf();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendOneByOne)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

void BM_AppendBulk(benchmark::State& state) {
  const TWalk w(int(state.range(0)));
  StoreChart c;
  for (auto _ : state) {
    c.DrawTo(w.x, w.y);
    benchmark::DoNotOptimize(c.NumItems());
    state.PauseTiming();
    c.ClearGraf();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendBulk)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

// The fastest per-point append there is: two growing vectors of doubles.
void BM_AppendVectorReference(benchmark::State& state) {
  const TWalk w(int(state.range(0)));
  for (auto _ : state) {
    std::vector<double> x, y;
    for (size_t i = 0; i < w.x.size(); ++i) {
      x.push_back(w.x[i]);
      y.push_back(w.y[i]);
    }
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendVectorReference)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

void BM_FirstPaintAfterAppend(benchmark::State& state) {
  const TWalk w(int(state.range(0)));
  StoreChart c;
  FitRange(c, w);
  c.WindowPicture();
  for (auto _ : state) {
    state.PauseTiming();
    c.ClearGraf();
    AppendOneByOne(c, w);
    state.ResumeTiming();
    c.PaintNow();
  }
}
BENCHMARK(BM_FirstPaintAfterAppend)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

void BM_WarmRepaint(benchmark::State& state) {
  const TWalk w(int(state.range(0)));
  StoreChart c;
  FitRange(c, w);
  AppendOneByOne(c, w);
  c.WindowPicture();
  c.PaintNow();
  for (auto _ : state) c.PaintNow();
}
BENCHMARK(BM_WarmRepaint)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

// Resident bytes a line point costs once it has been painted.
void BM_MemoryPerPoint(benchmark::State& state) {
  const int n = int(state.range(0));
  const TWalk w(n);
  for (auto _ : state) {
    StoreChart c;
    FitRange(c, w);
    c.WindowPicture();
    c.PaintNow();
    const double before = ResidentBytes();
    AppendOneByOne(c, w);
    c.PaintNow();
    c.PaintNow();
    state.counters["bytes_per_point"] = (ResidentBytes() - before) / n;
  }
}
BENCHMARK(BM_MemoryPerPoint)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One hundred million points: the append, the first paint and one pan step, each timed once.
// CPU time of this thread (page faults included): steadier than the wall clock when the
// machine is shared.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// One hundred million points: the append (one by one; the walk is made a block at a time
// outside the timing), the first paint and one pan step, each timed once.
void BM_HundredMillion(benchmark::State& state) {
  constexpr int n = 100'000'000, kBlock = 1 << 20;
  for (auto _ : state) {
    StoreChart c;
    c.SetRange(1, 0, -30000, n, 30000);
    c.WindowPicture();
    std::mt19937 rng(7);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> y(kBlock);
    double v = 0, append = 0;
    c.MoveTo(0.0, 0.0);
    for (int first = 1; first < n; first += kBlock) {
      const int m = std::min(kBlock, n - first);
      for (int k = 0; k < m; ++k) y[size_t(k)] = v += step(rng);
      const double a = ThreadCpuMs();
      for (int k = 0; k < m; ++k) c.DrawTo(double(first + k), y[size_t(k)]);
      append += ThreadCpuMs() - a;
    }
    const double t1 = ThreadCpuMs();
    c.PaintNow();
    const double t2 = ThreadCpuMs();
    c.ForceRange(1, n / 100.0, -30000, n + n / 100.0, 30000, false, false);
    c.ChartBmp().Canvas().Flush();
    const double t3 = ThreadCpuMs();
    state.counters["append_cpu_ms"] = append;
    state.counters["first_paint_cpu_ms"] = t2 - t1;
    state.counters["pan_cpu_ms"] = t3 - t2;
    state.counters["peak_MB"] = PeakResidentBytes() / 1e6;
  }
}

// Registered only on request: it takes seconds and about 2 GB.
const bool kHugeRegistered = [] {
  const char* on = std::getenv("ZYR_BENCH_HUGE");
  if (!on || std::string(on) != "1") return false;
  benchmark::RegisterBenchmark("BM_HundredMillion", BM_HundredMillion)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
