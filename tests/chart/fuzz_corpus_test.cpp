// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/load_checks.h"
#include "chart_probe.h"

namespace zyr::test {

namespace {

namespace fs = std::filesystem;

// Beside this source, or above the working directory when the compiler saw a relative path
// (a compiler cache may rewrite it).
fs::path CorpusDir() {
  if (const char* dir = std::getenv("ZYR_FUZZ_CORPUS")) return dir;
  const fs::path beside = fs::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / "corpus";
  if (fs::is_directory(beside)) return beside;
  for (fs::path p = fs::current_path(); !p.empty(); p = p.parent_path()) {
    if (fs::is_directory(p / "fuzz" / "corpus")) return p / "fuzz" / "corpus";
    if (p == p.parent_path()) break;
  }
  return beside;
}

std::string ReadAll(const fs::path& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

// Every input the fuzzer found interesting is read as data and as annotations, replacing and
// appending: a valid result, no change after a failure, every value kept after a success.
TEST(ChartFuzzCorpus, EveryInputLoadsSoundly) {
  const fs::path dir = CorpusDir();
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  ProbeChart chart, scratch;
  const std::string file = (fs::path(testing::TempDir()) / "zyr_corpus_in.dat").string();
  const std::string out = (fs::path(testing::TempDir()) / "zyr_corpus_out.dat").string();
  int inputs = 0, loaded = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = ReadAll(entry.path());
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    fuzz::WriteFile(file, p, bytes.size());
    ++inputs;
    for (bool anno : {false, true})
      for (bool append : {false, true}) {
        EXPECT_EQ(fuzz::CheckLoad(chart, scratch, file, out, p, bytes.size(), anno, append), "")
            << entry.path().filename();
        if ((anno ? chart.NumAnnos() : chart.NumItems()) > (append ? 2 : 0)) ++loaded;
      }
  }
  EXPECT_GE(inputs, 10);
  EXPECT_GT(loaded, 0);  // the corpus holds readable files, not only rejected ones
}

// The checks themselves notice damage; a check that cannot fail would guard nothing.
TEST(ChartFuzzCorpus, ChecksNoticeAChangedChart) {
  ProbeChart c;
  fuzz::FillBaseline(c);
  const fuzz::ChartState before = fuzz::Snapshot(c);
  EXPECT_EQ(before.data.size(), 4u);
  EXPECT_EQ(before.anno.size(), 2u);
  EXPECT_EQ(before.dataTexts[1], "a long text of the data, kept whole");
  c.ScaleItem(0, 2.0, 0.0, 1.0, 0.0);
  EXPECT_FALSE(fuzz::SameRecords(before.data, fuzz::Snapshot(c).data));
}

}  // namespace zyr::test
