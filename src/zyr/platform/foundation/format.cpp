// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zyr {

namespace {

std::string PadLeft(std::string s, int width) {
  if (width > int(s.size())) s.insert(0, size_t(width - int(s.size())), ' ');
  return s;
}

// Empty when v is a number, else its word.
std::string NonFiniteWord(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
  return {};
}

std::string Printf(const char* fmt, int prec, double v) {
  char buf[400];
  std::snprintf(buf, sizeof buf, fmt, prec, v);
  return buf;
}

// "-0", "-0.00" and "-0.0E+00" come from values that round to zero: write them unsigned.
void DropNegativeZero(std::string& s) {
  if (s.empty() || s[0] != '-') return;
  for (char c : s) {
    if (c == 'E') break;
    if (c >= '1' && c <= '9') return;
  }
  s.erase(0, 1);
}

// Removes trailing zeros of the mantissa (and a bare decimal point).
void StripTrailingZeros(std::string& s) {
  size_t dot = s.find('.');
  if (dot == std::string::npos) return;
  size_t e = s.find('E');
  size_t end = e == std::string::npos ? s.size() : e;
  size_t last = end;
  while (last > dot + 1 && s[last - 1] == '0') --last;
  if (last == dot + 1) last = dot;
  s.erase(last, end - last);
}

// Smallest number of significant digits that reads back as exactly v.
int ShortestDigits(double v) {
  for (int p = 1; p < 17; ++p) {
    std::string s = Printf("%.*E", p - 1, v);
    if (std::strtod(s.c_str(), nullptr) == v) return p;
  }
  return 17;
}

}  // namespace

std::string strff(double v, int width, int decimals) {
  std::string w = NonFiniteWord(v);
  if (!w.empty()) return PadLeft(w, width);
  decimals = std::clamp(decimals, -2, 12);
  std::string s;
  if (decimals == -2) {
    s = Printf("%.*G", 6, v);
  } else if (decimals == -1 || std::fabs(v) >= 1e20) {
    s = Printf("%.*E", 3, v);
  } else {
    s = Printf("%.*f", decimals, v);
  }
  DropNegativeZero(s);
  return PadLeft(s, width);
}

std::string SigDigStr(double v, int width, int digits, bool StripZeros) {
  std::string w = NonFiniteWord(v);
  if (!w.empty()) return PadLeft(w, width);
  if (v == 0) v = 0;  // turns -0 into +0
  int p = digits <= 0 ? ShortestDigits(v) : std::min(digits, 17);
  // The exponent after rounding to p digits decides the form (9.99995 -> 1.0000E+01).
  std::string e = Printf("%.*E", p - 1, v);
  int exp10 = std::atoi(e.c_str() + e.find('E') + 1);
  std::string s;
  if (exp10 < -4 || exp10 >= p)
    s = e;
  else
    s = Printf("%.*f", p - 1 - exp10, v);
  if (StripZeros) StripTrailingZeros(s);
  DropNegativeZero(s);
  return PadLeft(s, width);
}

namespace {

bool IsAZ09(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Byte length the lead byte c announces (1 for bytes that cannot start a sequence).
size_t Utf8Len(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

// Length of the character at s[i]: a lead byte counts as a sequence only when all of its
// continuation bytes follow, so a stray single-byte character never swallows its neighbours.
size_t CharLen(const std::string& s, size_t i) {
  const size_t n = Utf8Len(static_cast<unsigned char>(s[i]));
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

// Splits s into UTF-8 characters; every byte outside a complete sequence stands alone.
std::vector<std::string> Utf8Chars(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size();) {
    const size_t n = CharLen(s, i);
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

int HexVal(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string ReduceStringToAZ09(const std::string& s) {
  std::string out;
  for (const std::string& ch : Utf8Chars(s))
    out += ch.size() == 1 && IsAZ09(static_cast<unsigned char>(ch[0])) ? ch[0] : '_';
  return out;
}

std::string BoolToStr(bool b, int style) {
  switch (style) {
    case 1:
      return b ? "yes" : "no";
    case 2:
      return b ? "on" : "off";
    case 3:
      return b ? "1" : "0";
    default:
      return b ? "true" : "false";
  }
}

std::string ProcessHexChars(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    bool lead = (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'x') ||
                (s[i] == '#' && i + 1 < s.size() && s[i + 1] == '$');
    if (lead && i + 3 < s.size()) {
      int hi = HexVal(s[i + 2]);
      int lo = HexVal(s[i + 3]);
      // A NUL would cut the text short wherever it is shown: keep that notation literally.
      if (hi >= 0 && lo >= 0 && (hi | lo) != 0) {
        AppendUtf8(out, unsigned(hi * 16 + lo));
        i += 4;
        continue;
      }
    }
    out += s[i++];
  }
  return out;
}

std::string AbbrevString(const std::string& s, int n) {
  if (n <= 0) return {};
  std::vector<std::string> chars = Utf8Chars(s);
  if (int(chars.size()) <= n) return s;
  std::string out;
  int keep = n > 1 ? n - 1 : n;
  for (int i = 0; i < keep; ++i) out += chars[size_t(i)];
  if (n > 1) out += '.';
  return out;
}

std::string CenterString(const std::string& s, int n) {
  if (n <= 0) return {};
  std::vector<std::string> chars = Utf8Chars(s);
  std::string out;
  if (int(chars.size()) >= n) {
    for (int i = 0; i < n; ++i) out += chars[size_t(i)];
    return out;
  }
  int pad = n - int(chars.size());
  return std::string(size_t(pad / 2), ' ') + s + std::string(size_t(pad - pad / 2), ' ');
}

std::string MultiChar(char c, int n) { return n > 0 ? std::string(size_t(n), c) : std::string(); }

}  // namespace zyr
