// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TChartLegend: the curve legend of a 2D chart (entries, placement, look).

#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/graphics.h>
#include <zyr/platform/host/object.h>
#include <zyr/qt.h>

#include <functional>
#include <string>
#include <vector>

namespace zyr {

/// Where a legend sits: nine places inside the data area, or outside it to the right of or
/// below the data area (the chart's margin then grows to make room).
enum TLegendAnchor : uint8_t {
  /// Inside the data area, top left.
  laTopLeft,
  /// Inside, top centre.
  laTopCenter,
  /// Inside, top right (default).
  laTopRight,
  /// Inside, left in the middle.
  laCenterLeft,
  /// Inside, in the middle.
  laCenter,
  /// Inside, right in the middle.
  laCenterRight,
  /// Inside, bottom left.
  laBottomLeft,
  /// Inside, bottom centre.
  laBottomCenter,
  /// Inside, bottom right.
  laBottomRight,
  /// Outside the data area, to its right.
  laOutsideRight,
  /// Outside the data area, below it.
  laOutsideBottom
};

/// One line of a legend: a sample (a line, a mark, both, or a filled box) and a caption.
/// ItemClass names the class of data items the entry stands for (-1: none); a chart can
/// hide and show that class by a click on the entry.
struct TLegendEntry {
  /// Text beside the sample.
  std::string Caption;
  /// Draws a line sample (default on).
  bool ShowLine = true;
  /// Colour of the line sample and of a box's outline.
  TColor LineColor = clBlack;
  /// Pattern of the line sample.
  TPenStyle LineStyle = psSolid;
  int LineWidth = 1;  ///< drawn at 1..20 pixels
  /// Draws a mark sample (default off).
  bool ShowMark = false;
  int MarkType = 0;  ///< a mark type of DrawMarkOnCanvas; its size comes with the type
  /// Outline colour of the mark.
  TColor MarkColor = clBlack;
  /// Fill colour of the mark.
  TColor MarkFillColor = clSilver;
  /// A filled box (outlined in LineColor) instead of the line and the mark.
  bool ShowBox = false;
  /// Fill colour of the box.
  TColor BoxColor = clSilver;
  /// Class of data items the entry stands for; -1 for none.
  int ItemClass = -1;
};

/// The curve legend of a 2D chart: a list of entries drawn as a framed box over the items,
/// in one of nine places inside the data area or outside it to the right or below.
///
///   chart->SetDataColor(clRed);
///   chart->AddLegendEntry("measured");        // takes the pen, mark and class in use
///   chart->Legend().SetAnchor(laTopLeft);
///   chart->Legend().SetVisible(true);
///
/// Nothing is shown until Visible is set (the reset state: invisible, no entries). The mouse
/// drags a shown legend; with ClickTogglesClass a click on an entry hides or shows its class
/// of items. OnChange fires after every change; the chart repaints from it. See the gallery
/// page "chart-legend".
class TChartLegend : public TPersistent {
 public:
  /// An invisible legend without entries, top right, one column, white box with a black
  /// frame.
  TChartLegend();
  TChartLegend(const TChartLegend&) = delete;
  TChartLegend& operator=(const TChartLegend&) = delete;

  // ---------------------------------------------------------------- entries
  /// Number of entries.
  int Count() const { return int(FEntries.size()); }
  /// Copy of entry i (0-based); an empty entry for other indexes.
  TLegendEntry Entry(int i) const;
  /// Replaces entry i (other indexes: ignored).
  void SetEntry(int i, const TLegendEntry& e);
  /// Appends an entry and returns its index.
  int Add(const TLegendEntry& e);
  /// Inserts before index i (clamped to 0..Count).
  void Insert(int i, const TLegendEntry& e);
  /// Removes entry i (other indexes: ignored).
  void Delete(int i);
  /// Moves entry From to position To (other indexes: ignored).
  void Move(int From, int To);
  /// Removes every entry.
  void Clear();

  // ---------------------------------------------------------------- placement
  /// Shows the legend (default off).
  ///@{
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  ///@}
  /// Place of the legend (default laTopRight).
  ///@{
  TLegendAnchor Anchor() const { return FAnchor; }
  /// Values beyond laOutsideBottom are ignored.
  void SetAnchor(TLegendAnchor v);
  ///@}
  /// True for the places outside the data area.
  bool Outside() const { return FAnchor >= laOutsideRight; }
  /// Shift from the anchored place in pixels (right and down are positive). Inside the data
  /// area the box is kept inside it whatever the offset.
  ///@{
  int OffsetX() const { return FOffsetX; }
  int OffsetY() const { return FOffsetY; }
  void SetOffsetX(int v);
  void SetOffsetY(int v);
  /// Sets both offsets with one notification.
  void SetOffset(int x, int y);
  ///@}
  /// Entries are laid out row by row in this many columns (1..100).
  ///@{
  int Columns() const { return FColumns; }
  void SetColumns(int v);
  ///@}

  // ---------------------------------------------------------------- look
  /// Draws the frame of the box (default on).
  ///@{
  bool FrameVisible() const { return FFrameVisible; }
  void SetFrameVisible(bool v);
  ///@}
  /// Colour of the frame (default black).
  ///@{
  TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor v);
  ///@}
  /// Background of the box (default white), unless Transparent.
  ///@{
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  ///@}
  /// Leaves the background of the box unfilled (default off).
  ///@{
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  ///@}
  /// Font of the captions (DejaVu Sans 8 pt, black). A size of 0 draws at 8 pt, sizes are
  /// drawn at most 1000 pixels high.
  ///@{
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  /// Copies the settings of \p v into the caption font.
  void SetFont(const TFont& v);
  ///@}
  /// Colour of the captions (the font's colour, default black).
  ///@{
  TColor TextColor() const { return FFont.Color(); }
  void SetTextColor(TColor v);
  ///@}
  /// Colour of the captions and samples of entries whose class is hidden (default 0xA0A0A0).
  ///@{
  TColor GreyedColor() const { return FGreyedColor; }
  void SetGreyedColor(TColor v);
  ///@}
  /// Qt forms of the colour setters; an invalid QColor gives clNone.
  ///@{
  void SetFrameColor(const QtColor auto& v) { SetFrameColor(FromQColor(v)); }
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  void SetTextColor(const QtColor auto& v) { SetTextColor(FromQColor(v)); }
  void SetGreyedColor(const QtColor auto& v) { SetGreyedColor(FromQColor(v)); }
  ///@}

  // ---------------------------------------------------------------- mouse
  /// The left button drags a shown legend (on by default).
  ///@{
  bool Draggable() const { return FDraggable; }
  void SetDraggable(bool v);
  ///@}
  /// A click on an entry with a class hides or shows that class of data items (off by
  /// default).
  ///@{
  bool ClickTogglesClass() const { return FClickToggles; }
  void SetClickTogglesClass(bool v);
  ///@}

  // ---------------------------------------------------------------- layout and drawing
  /// Size of the box and the boxes of the entries, relative to its top left corner.
  struct TLayout {
    /// Size of the box in pixels.
    ///@{
    int Width = 0, Height = 0;
    ///@}
    /// Box of each entry, in entry order.
    std::vector<TRect> Entries;
  };
  /// Measures with Canvas's font machinery (the canvas's font is set to the legend's).
  TLayout Layout(TCanvas& Canvas) const;
  /// Measures on a canvas of the legend's own.
  TLayout Layout() const;
  /// Draws the box with its top left corner at (Left, Top). ClassHidden answers whether an
  /// entry's class is hidden (the entry is greyed). Pen, brush and font are put back.
  void Draw(TCanvas& Canvas, int Left, int Top, const TLayout& L,
            const std::function<bool(int ItemClass)>& ClassHidden) const;
  /// Index of the entry whose box holds (x, y) relative to the legend's corner; -1 for none.
  static int EntryAt(const TLayout& L, int x, int y);

  /// Back to the reset state: invisible, no entries, default look (OnChange kept, not fired).
  void ResetComp();
  /// Copies entries and settings from another TChartLegend and fires OnChange once.
  void Assign(const TPersistent* Source) override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TChartLegend"; }

  /// Fires once after every change; the owning chart repaints from it.
  TNotifyEvent OnChange;

 private:
  void Changed();
  /// The caption font as drawn: sizes 0 and huge ones made sensible.
  void ApplyFont(TCanvas& Canvas) const;
  void DrawEntry(TCanvas& Canvas, const TLegendEntry& e, const TRect& r, bool Greyed) const;

  std::vector<TLegendEntry> FEntries;
  bool FVisible = false;
  TLegendAnchor FAnchor = laTopRight;
  int FOffsetX = 0, FOffsetY = 0;
  int FColumns = 1;
  bool FFrameVisible = true;
  TColor FFrameColor = clBlack;
  TColor FColor = clWhite;
  bool FTransparent = false;
  TFont FFont;
  TColor FGreyedColor = 0xA0A0A0;
  bool FDraggable = true;
  bool FClickToggles = false;
  bool FQuietFont = false;  // the font changes as part of a larger change that fires once
  mutable TBitmap FMeasureBmp;
};

}  // namespace zyr
