// SPDX-License-Identifier: MIT
// The numerics and formatting functions give every thread the same answers as one thread alone,
// while several threads call them at once (and, under the sanitizers, without data races).

#include <gtest/gtest.h>
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/platform/numerics/datatable.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/platform/numerics/matrix.h>
#include <zyr/platform/numerics/stats.h>
#include <zyr/qt.h>

#include <QDateTime>
#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace zyr;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 40;

// Runs work(thread index) on kThreads threads at once and counts the rounds whose result
// differs from `expected`.
template <typename Work>
int MismatchesUnderLoad(const std::string& expected, Work work) {
  std::atomic<int> mismatches{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      while (!go.load()) std::this_thread::yield();
      for (int r = 0; r < kRounds; ++r)
        if (work(t) != expected) ++mismatches;
    });
  go = true;
  for (auto& th : threads) th.join();
  return mismatches.load();
}

std::string FormatMany(int) {
  std::string s;
  for (int i = -50; i <= 50; ++i) {
    const double v = i * 1234.5678e-3 / 7;
    s += strff(v, 12, i % 8) + '|' + SigDigStr(v * 1e7, 0, 1 + (i + 50) % 15, i % 2 == 0) + '|';
    s += ReduceStringToAZ09("a b-" + std::to_string(i)) + AbbrevString("abcdefghij", i % 9);
    s += CenterString("x", i % 7) + ProcessHexChars("#41#42") + BoolToStr(i % 2, i % 3) + '\n';
  }
  return s;
}

std::string DatesMany(int) {
  std::string s;
  for (int i = 0; i < 60; ++i) {
    const double d = EncodeDate(1900 + i * 37 % 200, 1 + i % 12, 1 + i % 28) + i / 61.0;
    int y, m, dd, h, mi, sec, ms;
    DecodeDate(d, y, m, dd);
    DecodeTime(d, h, mi, sec, ms);
    s += FormatDateTime("dddd d mmmm yyyy hh:nn:ss.zzz", d) + ' ' + std::to_string(y + m + dd);
    s += ' ' + std::to_string(h * 3600 + mi * 60 + sec) + ' ' + std::to_string(DayOfWeek(d));
    s += ' ' + std::to_string(FromDateTime(ToDateTime(d))) + '\n';
  }
  return s;
}

std::string TicksAndDistancesMany(int) {
  std::ostringstream s;
  s.precision(17);
  for (int i = 1; i < 200; ++i) {
    double first, step;
    uint16_t sub;
    CalcScalePars(i % 13, -i * 0.37, i * i * 1.3e-3, first, step, sub);
    double nx, ny;
    s << first << ' ' << step << ' ' << sub << ' ' << DistanceToSegment(i, -i, 0, 0, 3, 7) << ' '
      << DistFromEllipse(i * 0.1, 2, 0, 0, 3, 1 + i % 5, nx, ny) << ' ' << nx << ' ' << ny << ' '
      << DistFromRect(i, i * 0.5, -2, -2, 40, 30) << ' ' << IntNeg(-i * 0.7) << '\n';
  }
  return s.str();
}

// Each thread owns its matrices and tables; the shared code underneath must not interfere.
std::string ContainersMany(int seed) {
  TMatrix m(40, 30);
  TDataTable table(6, 50);
  for (int c = 1; c <= 40; ++c)
    for (int r = 1; r <= 30; ++r) m.SetElem(c, r, (c * 31 + r * 17) % 101 - 50.0);
  for (int c = 1; c <= 6; ++c)
    for (int r = 1; r <= 50; ++r) table.SetElem(c, r, (c * r * 7) % 23 + 0.25 * c);
  table.SetElemText(2, 3, "text " + std::to_string(seed - seed));
  TMatrix copy;
  copy.Assign(&m);
  double lo, hi, mean, var, q1, med, q3, p90;
  copy.MinMax(lo, hi);
  table.MeanVarOfNumCells(1, 1, 6, 50, mean, var);
  table.QuartilesOfNumCells(1, 1, 6, 50, q1, med, q3);
  table.PercentileOfNumCells(2, 1, 4, 50, 90, p90);
  std::vector<double> values{5, 1, 4, 2, 3, 9, 7};
  std::ostringstream s;
  s.precision(17);
  s << lo << ' ' << hi << ' ' << copy.Percentile(0.3) << ' ' << mean << ' ' << var << ' ' << q1
    << ' ' << med << ' ' << q3 << ' ' << p90 << ' ' << PercentileOfValues(values, 0.5) << '\n';
  table.ExportAsASC(s, 3);
  return s.str();
}

TEST(Threads, FormattingGivesTheSameTextsOnEveryThread) {
  const std::string expected = FormatMany(0);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(MismatchesUnderLoad(expected, FormatMany), 0);
}

TEST(Threads, DateFunctionsAndQtDateConversionsGiveTheSameResultsOnEveryThread) {
  const std::string expected = DatesMany(0);
  EXPECT_EQ(MismatchesUnderLoad(expected, DatesMany), 0);
}

TEST(Threads, TicksAndDistancesGiveTheSameResultsOnEveryThread) {
  const std::string expected = TicksAndDistancesMany(0);
  EXPECT_EQ(MismatchesUnderLoad(expected, TicksAndDistancesMany), 0);
}

TEST(Threads, MatricesAndTablesOwnedPerThreadDoNotInterfere) {
  const std::string expected = ContainersMany(0);
  EXPECT_EQ(MismatchesUnderLoad(expected, ContainersMany), 0);
}

TEST(Threads, EachThreadHasItsOwnRandomSequence) {
  GRandomSeed(42);
  std::vector<double> main;
  for (int i = 0; i < 100; ++i) main.push_back(GRandom());
  std::vector<std::vector<double>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      GRandomSeed(42);
      for (int i = 0; i < 100; ++i) seen[t].push_back(GRandom());
    });
  for (auto& th : threads) th.join();
  for (const auto& s : seen) EXPECT_EQ(s, main);
}

}  // namespace
