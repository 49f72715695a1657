// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Number formatting and small text functions. All results are new strings; nothing throws.
/// Not-a-number is written "NaN", infinities "Inf" and "-Inf"; negative zero is written as 0.

#include <string>

namespace zyr {

/// \p v as text, right-aligned in at least \p width characters (never cut).
/// Decimals (clamped to -2 .. 12):
///  - 0 .. 12: fixed point with that many decimals ("3.14" for 3.14159, 2);
///  - -1: exponent form with 4 significant digits ("1.235E+03");
///  - -2: automatic: the shortest of fixed or exponent form with up to 6 significant digits and
///    no trailing zeros ("1234.5", "0.001", "1.5E+12").
/// Fixed point switches to exponent form when the value needs more than 20 integer digits.
std::string strff(double v, int width, int decimals);

/// \p v with \p digits significant digits (clamped to 1 .. 17; 0 or less: as many as needed to
/// read back the exact value), right-aligned in at least \p width characters. Exponent form
/// ("1.2346E+300") is used when the decimal exponent is below -4 or not below the digits.
/// \p StripZeros removes trailing zeros after the decimal point (and a bare point).
std::string SigDigStr(double v, int width, int digits, bool StripZeros);

/// Keeps letters A..Z, a..z and digits 0..9 and replaces every other character by one
/// underscore '_', so the text is safe as an identifier, a file name or a listing entry.
/// A complete UTF-8 sequence is one character; any other byte (single-byte text such as
/// Windows-1252) is one character of its own and never takes its neighbours with it.
std::string ReduceStringToAZ09(const std::string& s);

/// Writes a boolean as a word. Style 0: "true"/"false"; 1: "yes"/"no"; 2: "on"/"off";
/// 3: "1"/"0"; other styles as 0.
std::string BoolToStr(bool b, int style);

/// Replaces hexadecimal character notations: "\xHH" (two hex digits) and "#$HH" become the byte
/// HH. Anything else, including incomplete notations, is kept as it stands.
std::string ProcessHexChars(const std::string& s);

/// \p s shortened to at most \p n characters (UTF-8 characters, not bytes); a text that is cut
/// ends in "." to show it was abbreviated. n <= 0 gives an empty string.
std::string AbbrevString(const std::string& s, int n);

/// \p s centred in a field of \p n characters, padded with blanks (the extra blank of an odd
/// padding goes to the right); a longer text is cut to n characters.
std::string CenterString(const std::string& s, int n);

/// \p n copies of \p c (empty for n <= 0).
std::string MultiChar(char c, int n);

}  // namespace zyr
