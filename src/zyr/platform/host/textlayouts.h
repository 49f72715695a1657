// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TTextLayouts: widths and laid-out glyphs of short texts, kept per font and string for every
/// canvas of the program. A chart draws the same labels at every paint, on canvases that come
/// and go (exports, scales with their own picture) and with fonts that change between the
/// caption and the scales; shaping a text costs far more than blitting its glyphs.
///
/// The tables are bounded: a font's table is emptied when it grows past kMaxTexts, and all
/// of them when more than kMaxFonts fonts were used. They are emptied as well before the
/// application object goes, while its fonts still exist.

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class QFontMetrics;
class QPaintDevice;

namespace zyr {

class TFontTexts;

/// The program's tables of measured and laid-out texts.
class TTextLayouts {
 public:
  /// Texts kept per font before its table is emptied.
  static constexpr size_t kMaxTexts = 4096;
  /// Fonts kept before every table is emptied.
  static constexpr size_t kMaxFonts = 64;

  /// The table of \p Font on \p Device (null: the screen), shared by every canvas that
  /// draws in it.
  static std::shared_ptr<TFontTexts> Of(const QFont& Font, const QPaintDevice* Device);
  /// Forgets every measured and laid-out text (the next use measures again).
  static void Clear();
  /// Number of texts kept over all fonts.
  static size_t Count();
};

/// Texts measured and laid out in one font for one resolution.
class TFontTexts {
 public:
  /// Made by TTextLayouts::Of.
  TFontTexts(const QFont& Font, int Dpi);
  TFontTexts(const TFontTexts&) = delete;
  TFontTexts& operator=(const TFontTexts&) = delete;
  ~TFontTexts();

  /// Advance width of \p Text, measured with \p Metrics on first use.
  int Width(std::string_view Text, const QFontMetrics& Metrics);
  /// The glyphs of \p Text laid out on \p Device as the painter's text drawing places them,
  /// with the baseline at y = 0 and the start at x = 0; empty when the text cannot be drawn
  /// that way (control characters, right-to-left scripts, a font with lines through or under
  /// its glyphs) or \p Device has another resolution than the table.
  QList<QGlyphRun> Runs(std::string_view Text, const QPaintDevice* Device);

 private:
  friend class TTextLayouts;
  struct TTables;
  std::unique_ptr<TTables> FTables;
  QFont FFont;
  int FDpi;
};

}  // namespace zyr
