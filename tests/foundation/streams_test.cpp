// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/streams.h>

#include <sstream>
#include <vector>

using namespace zyr;

namespace {

std::vector<std::string> RoundTrip(const std::vector<std::string>& lines) {
  std::stringstream ss;
  for (const auto& s : lines) WriteLnStream(ss, s);
  std::vector<std::string> back;
  bool eos = false;
  for (;;) {
    std::string s = ReadLnStream(ss, lemAny, eos);
    if (eos) break;
    back.push_back(s);
  }
  return back;
}

}  // namespace

TEST(LineStream, HostileStringsReadBackExactly) {
  std::vector<std::string> lines = {
      "plain",
      "",
      "line\nfeed",
      "carriage\rreturn",
      "crlf\r\n",
      std::string("nul\0inside", 10),
      "back\\slash\\",
      "\\n is not a line feed",
      "\\",
      "\xE2\x82\xAC UTF-8 \xF0\x9F\x98\x80",
      "\n\r\n\r",
      std::string(1, '\0'),
  };
  EXPECT_EQ(RoundTrip(lines), lines);
}

TEST(LineStream, OneMegabyteLine) {
  std::string big(1 << 20, 'a');
  for (size_t i = 0; i < big.size(); i += 997) big[i] = char(i % 256);
  auto back = RoundTrip({big, "after"});
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0], big);
  EXPECT_EQ(back[1], "after");
}

TEST(LineStream, EndOfStreamAndForeignLineEnds) {
  std::istringstream in("first\nsecond\rthird\r\nlast");
  bool eos = true;
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "first");
  EXPECT_FALSE(eos);
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "second");
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "third");
  // The last line counts even without a line end; only the next read reports the end.
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "last");
  EXPECT_FALSE(eos);
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "");
  EXPECT_TRUE(eos);
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "");
  EXPECT_TRUE(eos);

  std::istringstream empty("");
  ReadLnStream(empty, lemAny, eos);
  EXPECT_TRUE(eos);
}

TEST(LineStream, UnknownEscapesAreKept) {
  std::istringstream in("a\\qb\\\r\n");
  bool eos = false;
  EXPECT_EQ(ReadLnStream(in, lemAny, eos), "a\\qb\\");
}
