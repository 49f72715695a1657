// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/format.h>

#include <cmath>
#include <limits>

using namespace zyr;

TEST(Strff, FixedDecimalsAndWidth) {
  EXPECT_EQ(strff(3.14159, 1, 2), "3.14");
  EXPECT_EQ(strff(3.14159, 8, 2), "    3.14");
  EXPECT_EQ(strff(2.5, 1, 0), "2");  // half to even, as the C library rounds
  EXPECT_EQ(strff(-1234.5678, 1, 12), "-1234.567800000000");
  // Width never cuts a number.
  EXPECT_EQ(strff(123456.0, 3, 0), "123456");
}

TEST(Strff, NegativeDecimalsAndClamping) {
  EXPECT_EQ(strff(1234.5, 1, -1), "1.234E+03");
  EXPECT_EQ(strff(1234.5, 1, -2), "1234.5");
  EXPECT_EQ(strff(0.001, 1, -2), "0.001");
  EXPECT_EQ(strff(1.5e12, 1, -2), "1.5E+12");
  EXPECT_EQ(strff(1.0, 1, 99), strff(1.0, 1, 12));
  EXPECT_EQ(strff(1.0, 1, -50), strff(1.0, 1, -2));
}

TEST(Strff, NonFiniteHugeAndNegativeZero) {
  EXPECT_EQ(strff(std::nan(""), 5, 2), "  NaN");
  EXPECT_EQ(strff(INFINITY, 1, 2), "Inf");
  EXPECT_EQ(strff(-INFINITY, 1, -1), "-Inf");
  EXPECT_EQ(strff(-0.0, 1, 2), "0.00");
  EXPECT_EQ(strff(-0.001, 1, 2), "0.00");
  // The largest double in fixed point would be hundreds of characters: exponent form instead.
  std::string big = strff(std::numeric_limits<double>::max(), 1, 2);
  EXPECT_EQ(big, "1.798E+308");
  EXPECT_EQ(strff(std::numeric_limits<double>::denorm_min(), 1, -2), "4.94066E-324");
}

TEST(SigDigStr, SignificantDigitsAndForms) {
  EXPECT_EQ(SigDigStr(1.0, 10, 5, false), "    1.0000");
  EXPECT_EQ(SigDigStr(1.0, 10, 5, true), "         1");
  EXPECT_EQ(SigDigStr(123.456789, 1, 5, false), "123.46");
  EXPECT_EQ(SigDigStr(0.000123456, 1, 3, false), "0.000123");
  EXPECT_EQ(SigDigStr(0.0000123456, 1, 3, false), "1.23E-05");
  EXPECT_EQ(SigDigStr(0.00123456, 1, 3, false), "0.00123");
  EXPECT_EQ(SigDigStr(123456.0, 1, 3, false), "1.23E+05");
  // Rounding can carry into a new decade, which changes the form.
  EXPECT_EQ(SigDigStr(99999.7, 1, 5, false), "1.0000E+05");
  EXPECT_EQ(SigDigStr(1e300, 1, 5, true), "1E+300");
}

TEST(SigDigStr, ZeroDigitsGiveTheExactValue) {
  EXPECT_EQ(SigDigStr(5.0, 1, 0, true), "5");
  EXPECT_EQ(SigDigStr(-12.0, 4, 0, true), " -12");
  EXPECT_EQ(SigDigStr(0.1, 1, 0, true), "0.1");
  double v = 1.0 / 3.0;
  EXPECT_EQ(std::stod(SigDigStr(v, 1, 0, true)), v);
}

TEST(SigDigStr, NonFiniteAndNegativeZero) {
  EXPECT_EQ(SigDigStr(std::nan(""), 4, 5, true), " NaN");
  EXPECT_EQ(SigDigStr(-INFINITY, 1, 5, true), "-Inf");
  EXPECT_EQ(SigDigStr(-0.0, 1, 3, false), "0.00");
  EXPECT_EQ(SigDigStr(-1e-300, 1, 3, true), "-1E-300");
}

TEST(TextFunctions, ReduceAndBool) {
  EXPECT_EQ(ReduceStringToAZ09("Ab 9-x"), "Ab_9_x");
  // One replacement per character, not per UTF-8 byte.
  EXPECT_EQ(ReduceStringToAZ09("\xC2\xB5m"), "_m");
  EXPECT_EQ(BoolToStr(true, 0), "true");
  EXPECT_EQ(BoolToStr(false, 0), "false");
  EXPECT_EQ(BoolToStr(true, 1), "yes");
  EXPECT_EQ(BoolToStr(false, 77), "false");
}

TEST(TextFunctions, ProcessHexChars) {
  EXPECT_EQ(ProcessHexChars("a\\x41b"), "aAb");
  EXPECT_EQ(ProcessHexChars("#$42"), "B");
  EXPECT_EQ(ProcessHexChars("\\xB5s"), "\xC2\xB5s");  // micro sign as UTF-8
  // Incomplete or invalid notations and NUL stay as they are.
  EXPECT_EQ(ProcessHexChars("\\x4"), "\\x4");
  EXPECT_EQ(ProcessHexChars("\\xZZ"), "\\xZZ");
  EXPECT_EQ(ProcessHexChars("#$00"), "#$00");
  EXPECT_EQ(ProcessHexChars(""), "");
}

TEST(TextFunctions, AbbrevCenterMulti) {
  EXPECT_EQ(AbbrevString("Temperature", 5), "Temp.");
  EXPECT_EQ(AbbrevString("Temp", 5), "Temp");
  EXPECT_EQ(AbbrevString("abc", 0), "");
  EXPECT_EQ(AbbrevString("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4.");  // never splits a character
  EXPECT_EQ(CenterString("ab", 5), " ab  ");
  EXPECT_EQ(CenterString("abcdef", 3), "abc");
  EXPECT_EQ(CenterString("x", -1), "");
  EXPECT_EQ(MultiChar('-', 3), "---");
  EXPECT_EQ(MultiChar('-', -3), "");
}

// Single-byte text (a stored Windows-1252 item text) is not UTF-8: a byte that announces a
// sequence must not take the following characters with it.
TEST(TextFunctions, StraySingleBytesStandAlone) {
  EXPECT_EQ(ReduceStringToAZ09("caf\xE9xyz"), "caf_xyz");
  EXPECT_EQ(ReduceStringToAZ09("\xE9\xE8\xFC!"), "____");
  EXPECT_EQ(ReduceStringToAZ09("a\xF0\x9F"), "a__");  // truncated sequence at the end
  EXPECT_EQ(ReduceStringToAZ09("\xC3"), "_");
  EXPECT_EQ(ReduceStringToAZ09("x\xC3\xA4y"), "x_y");  // a complete sequence is one character
  EXPECT_EQ(AbbrevString("\xE9tude", 3), "\xE9t.");
  EXPECT_EQ(CenterString("\xE9"
                         "a",
                         4),
            " \xE9"
            "a ");
}
