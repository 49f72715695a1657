// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TColorArray (a table of colours, 1-based), colour blending and the predefined colours.

#include <zyr/platform/host/object.h>
#include <zyr/platform/host/qtvalues.h>

#include <initializer_list>
#include <vector>

namespace zyr {

/// Blends \p a into \p b: frac 0 gives a, 1 gives b; frac is clamped to 0 .. 1 (NaN counts
/// as 0). System colours are resolved first. Channels are rounded to the nearest value.
TColor InterpolateColor(TColor a, TColor b, double frac);

/// Number of predefined colours.
constexpr int NumPredefinedColors = 16;
/// Predefined colour i (1 .. NumPredefinedColors): distinct colours that read well on white,
/// for curves and axes. Other indices wrap around (0 is the last colour).
TColor PredefinedColors(int i);

/// A colour table with entries 1 .. NumColors, used for colour legends, surface colouring and
/// contour levels. Fill it with Fill (a smooth ramp through several colours) or SetColor;
/// read it with Color. Reads outside 1 .. NumColors give clBlack and writes there are ignored.
/// Every change fires OnChange once. A new table holds 16 colours: a blue-cyan-green-yellow-red
/// ramp. See the gallery page "platform".
class TColorArray : public TPersistent {
 public:
  TColorArray();
  TColorArray(const TColorArray&) = delete;
  TColorArray& operator=(const TColorArray&) = delete;

  /// Largest number of colours a table holds.
  static constexpr int MaxColors = 65536;

  /// Number of entries.
  int NumColors() const { return int(FColors.size()); }
  /// New entries are black; existing ones are kept. Clamped to 0 .. MaxColors.
  void SetNumColors(int n);
  /// Entry i (1 .. NumColors); reads outside answer black, writes outside are ignored.
  ///@{
  TColor Color(int i) const;
  void SetColor(int i, TColor c);
  ///@}
  /// Entry i as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor is ignored,
  /// as a colour table has no use for clNone.
  void SetColor(int i, const QtColor auto& c) {
    if (QColor(c).isValid()) SetColor(i, FromQColor(c));
  }

  /// Fills entries First .. Last (clamped to the table) with a ramp through \p anchors, spread
  /// evenly; one anchor fills a plain colour, none leaves the table as it is.
  void Fill(int First, int Last, const std::vector<TColor>& anchors);
  /// Resizes to n and fills all entries with a ramp through \p anchors.
  void Fill(int n, std::initializer_list<TColor> anchors);

  /// Copies Count entries of \p Source starting at SrcFirst into this table starting at
  /// DstFirst; entries that fall outside either table are skipped. Source may be this table.
  void CopyRange(const TColorArray& Source, int SrcFirst, int DstFirst, int Count);

  /// Index (1 .. NumColors) of the entry nearest to \p c in RGB distance; the first of equal
  /// distances wins; 0 for an empty table.
  int NearestIndex(TColor c) const;
  /// Same as NearestIndex.
  int ColorToIndex(TColor c) const { return NearestIndex(c); }

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TColorArray"; }

  /// Fires after every change of the table.
  TNotifyEvent OnChange;

 private:
  void Changed();
  void FillNoNotify(int First, int Last, const std::vector<TColor>& anchors);
  std::vector<TColor> FColors;
};

}  // namespace zyr
