// SPDX-License-Identifier: MIT
#include <zyr/platform/host/longtext.h>

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace zyr {

namespace {

// Decodes the character at s[i] and its length in bytes. A malformed sequence counts as one
// replacement character per byte, so a cut never falls inside a character.
char32_t DecodeUtf8(const unsigned char* s, size_t n, size_t i, size_t& len) {
  const unsigned char b = s[i];
  len = 1;
  if (b < 0x80) return b;
  size_t need;
  char32_t c;
  if ((b & 0xE0) == 0xC0) {
    need = 1;
    c = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    need = 2;
    c = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    need = 3;
    c = b & 0x07;
  } else {
    return 0xFFFD;
  }
  for (size_t k = 1; k <= need; ++k) {
    if (i + k >= n || (s[i + k] & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (s[i + k] & 0x3F);
  }
  len = need + 1;
  return c > 0x10FFFF ? 0xFFFD : c;
}

}  // namespace

int TLongTextMetrics::Advance(char32_t c, const QFontMetrics& fm) {
  if (c < 0x10000) {
    if (FAdvance.empty()) FAdvance.assign(0x10000, -1);
    int32_t& a = FAdvance[c];
    if (a < 0) a = std::max(0, fm.horizontalAdvance(QChar(char16_t(c))));
    return a;
  }
  auto it = FAdvanceAstral.find(c);
  if (it != FAdvanceAstral.end()) return it->second;
  const int a = std::max(0, fm.horizontalAdvance(QString::fromUcs4(&c, 1)));
  if (FAdvanceAstral.size() < 4096) FAdvanceAstral.emplace(c, a);
  return a;
}

const TLongTextMetrics::TEntry& TLongTextMetrics::Entry(const std::string& text,
                                                        const QFontMetrics& fm) {
  for (size_t k = 0; k < FEntries.size(); ++k) {
    const TEntry& e = FEntries[k];
    if (e.Text.size() == text.size() && std::memcmp(e.Text.data(), text.data(), text.size()) == 0) {
      if (k > 0)
        std::rotate(FEntries.begin(), FEntries.begin() + ptrdiff_t(k),
                    FEntries.begin() + ptrdiff_t(k) + 1);
      return FEntries.front();
    }
  }
  TEntry e;
  e.Text = text;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  // Plain ASCII is by far the common case; it needs no decoding and no table of 64K.
  int32_t ascii[0x80];
  for (char32_t c = 0; c < 0x80; ++c) ascii[c] = Advance(c, fm);
  int64_t w = 0;
  size_t chars = 0;
  for (size_t i = 0; i < n; ++chars) {
    if (chars % kMarkStep == 0) {
      e.MarkByte.push_back(i);
      e.MarkAdvance.push_back(w);
    }
    const unsigned char b = s[i];
    if (b < 0x80) {
      w += ascii[b];
      ++i;
      continue;
    }
    size_t len;
    w += Advance(DecodeUtf8(s, n, i, len), fm);
    i += len;
  }
  e.Width = w;
  if (FEntries.size() >= kEntries) FEntries.pop_back();
  FEntries.insert(FEntries.begin(), std::move(e));
  return FEntries.front();
}

int TLongTextMetrics::Width(const std::string& text, const QFontMetrics& fm) {
  return int(std::min(Entry(text, fm).Width, kMaxWidth));
}

TLongTextMetrics::TSpan TLongTextMetrics::Visible(const std::string& text, const QFontMetrics& fm,
                                                  double Lo, double Hi) {
  const TEntry& e = Entry(text, fm);
  TSpan span;
  if (!(Hi >= 0) || !(Lo <= double(e.Width)) || Hi < Lo) return span;  // nothing can be seen
  // Start from the last mark at or before Lo.
  const auto at =
      std::upper_bound(e.MarkAdvance.begin(), e.MarkAdvance.end(), int64_t(std::floor(Lo)));
  const size_t m = at == e.MarkAdvance.begin() ? 0 : size_t(at - e.MarkAdvance.begin()) - 1;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  size_t i = e.MarkByte.empty() ? 0 : e.MarkByte[m];
  int64_t pos = e.MarkAdvance.empty() ? 0 : e.MarkAdvance[m];
  size_t len = 1;
  // Skip the characters that end before Lo.
  while (i < n) {
    const int a = Advance(DecodeUtf8(s, n, i, len), fm);
    if (double(pos + a) > Lo) break;
    pos += a;
    i += len;
  }
  span.Begin = i;
  span.Offset = pos;
  // Take the characters that start before Hi.
  while (i < n && double(pos) <= Hi) {
    pos += Advance(DecodeUtf8(s, n, i, len), fm);
    i += len;
  }
  span.End = i;
  span.EndOffset = pos;
  return span;
}

}  // namespace zyr
