// SPDX-License-Identifier: MIT
// Replays the kept inputs of the format, tick and chart-range fuzzers through the same checks
// the fuzzers run; the sanitizer build also replays them for undefined behaviour.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/scale_checks.h"

namespace zyr::test {

namespace {

namespace fs = std::filesystem;

// Beside this source, or above the working directory when the compiler saw a relative path.
fs::path CorpusDir(const std::string& target) {
  const std::string name = "corpus_" + target;
  if (const char* dir = std::getenv("ZYR_FUZZ_DIR")) return fs::path(dir) / name;
  const fs::path beside = fs::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / name;
  if (fs::is_directory(beside)) return beside;
  for (fs::path p = fs::current_path(); !p.empty(); p = p.parent_path()) {
    if (fs::is_directory(p / "fuzz" / name)) return p / "fuzz" / name;
    if (p == p.parent_path()) break;
  }
  return beside;
}

std::string ReadAll(const fs::path& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs \p check on every kept input of a target; answers the number of inputs.
template <class Check>
int Replay(const std::string& target, Check check) {
  const fs::path dir = CorpusDir(target);
  int inputs = 0;
  if (!fs::is_directory(dir)) {
    ADD_FAILURE() << "no corpus at " << dir;
    return inputs;
  }
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = ReadAll(entry.path());
    EXPECT_EQ(check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path().filename();
    ++inputs;
  }
  return inputs;
}

}  // namespace

TEST(ScaleFuzzCorpus, FormatsOfEveryKeptInput) {
  EXPECT_GE(Replay("format", fuzz::CheckFormat), 5);
}

TEST(ScaleFuzzCorpus, TicksOfEveryKeptInput) {
  TScale scale;
  EXPECT_GE(Replay("scale_ticks",
                   [&](const uint8_t* p, size_t n) { return fuzz::CheckTicks(scale, p, n); }),
            10);
}

TEST(ScaleFuzzCorpus, ChartRangesOfEveryKeptInput) {
  TRChart chart;
  chart.SetBounds(0, 0, 160, 120);
  EXPECT_GE(Replay("chart_ranges",
                   [&](const uint8_t* p, size_t n) { return fuzz::CheckRanges(chart, p, n); }),
            4);
}

// libFuzzer starts with an empty input; the checks must take it without reading anything.
TEST(ScaleFuzzCorpus, ChecksAcceptEmptyInputs) {
  EXPECT_EQ(fuzz::CheckFormat(nullptr, 0), "");
  TScale scale;
  EXPECT_EQ(fuzz::CheckTicks(scale, nullptr, 0), "");
}

}  // namespace zyr::test
