// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TLongTextMetrics: measuring and cutting of texts too long to shape whole. A canvas shapes
/// short texts exactly; a text of megabytes would take longer to shape than a whole paint, and
/// only a sliver of it can ever be seen. For those, widths are sums of per-character advances
/// (kerning left out) and drawing keeps only the characters that reach the visible span.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class QFontMetrics;

namespace zyr {

/// Measures and clips texts of megabytes character by character, so that their widths do not
/// overflow and only the visible part is drawn.
class TLongTextMetrics {
 public:
  /// Texts of more bytes than this take the long way.
  static constexpr size_t kMinBytes = 1024;
  /// Widths are capped so that callers can add margins without overflow.
  static constexpr int64_t kMaxWidth = int64_t(1) << 26;
  /// Whether a text is long enough to need this.
  static bool IsLong(const std::string& s) { return s.size() > kMinBytes; }

  /// A byte range of the text and the distance of its first character from the text's start.
  struct TSpan {
    /// Bytes Begin .. End of the text, which start Offset and end EndOffset pixels after its start.
    ///@{
    size_t Begin = 0, End = 0;
    int64_t Offset = 0, EndOffset = 0;
    ///@}
  };

  /// Width in pixels in the font of \p fm (at most kMaxWidth).
  int Width(const std::string& text, const QFontMetrics& fm);
  /// The whole characters of \p text that lie on or overlap [Lo, Hi] of its baseline.
  TSpan Visible(const std::string& text, const QFontMetrics& fm, double Lo, double Hi);

 private:
  // What a text measured: its width and, every kMarkStep characters, the byte offset and the
  // advance up to there, so a visible span is found without walking the whole text.
  struct TEntry {
    std::string Text;
    int64_t Width = 0;
    std::vector<size_t> MarkByte;
    std::vector<int64_t> MarkAdvance;
  };
  static constexpr size_t kMarkStep = 1024;
  static constexpr size_t kEntries = 4;

  const TEntry& Entry(const std::string& text, const QFontMetrics& fm);
  int Advance(char32_t c, const QFontMetrics& fm);

  std::vector<TEntry> FEntries;   // most recent first
  std::vector<int32_t> FAdvance;  // per BMP character, -1 unknown
  std::unordered_map<char32_t, int32_t> FAdvanceAstral;
};

}  // namespace zyr
