// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Drawing tools of a canvas: TFont, TPen and TBrush. Each reports changes through OnChange,
/// which a canvas uses to refresh its painter state lazily.

#include <zyr/platform/host/object.h>
#include <zyr/platform/host/qtvalues.h>

#include <string>

class QFont;

namespace zyr {

/// Base of the three drawing tools: change notification.
class TGraphicsObject : public TPersistent {
 public:
  /// Fires after every change of a setting (a canvas re-applies the tool then).
  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange.
  void Changed();
};

/// Font: name, size in points (or height in pixels), colour, styles and orientation.
/// Size and Height are tied together at 96 pixels per inch, as on the screen; a canvas draws
/// the font at |Height| pixels whatever its device resolution.
class TFont : public TGraphicsObject {
 public:
  /// Resolution that ties Size to Height.
  static constexpr int PixelsPerInch = 96;
  /// DejaVu Sans 8 pt in the window text colour.
  TFont() = default;
  /// A copy of the settings; OnChange is not copied.
  TFont(const TFont& o) { CopyFrom(o); }
  /// Copies the settings (not OnChange) and fires OnChange.
  TFont& operator=(const TFont& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }

  /// Family name of the font.
  ///@{
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  ///@}
  /// The family name as a QString.
  void SetName(const QtText auto& v) { SetName(FromQString(v)); }
  /// Size in points (rounded from Height when Height was set).
  int Size() const;
  /// Sets Height to the cell height of that many points.
  void SetSize(int points);
  /// Negative: character height in pixels; positive: cell height in pixels.
  int Height() const { return FHeight; }
  /// See Height().
  void SetHeight(int v);
  /// Colour of the text.
  ///@{
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  ///@}
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone.
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  /// Bold, italic, underline and strike-out bits (TFontStyle).
  ///@{
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  ///@}
  /// Angle of the base line in tenths of degrees, counter-clockwise.
  int Orientation() const { return FOrientation; }
  /// See Orientation().
  void SetOrientation(int v);

  /// Pixel size of the characters (never below 1).
  int PixelSize() const;
  /// The Qt font this font describes.
  QFont ToQFont() const;

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TFont"; }

 private:
  void CopyFrom(const TFont& o);
  std::string FName = "DejaVu Sans";
  int FHeight = -11;  // 8 pt at 96 dpi
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  int FOrientation = 0;
};

/// Pen: colour, style, width and mix mode.
class TPen : public TGraphicsObject {
 public:
  /// A black solid pen one pixel wide that copies.
  TPen() = default;
  /// A copy of the settings; OnChange is not copied.
  TPen(const TPen& o) : TGraphicsObject() { CopyFrom(o); }
  /// Copies the settings (not OnChange) and fires OnChange.
  TPen& operator=(const TPen& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }
  /// Colour of lines and outlines.
  ///@{
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  ///@}
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone.
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  /// Line pattern.
  ///@{
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle v);
  ///@}
  /// Line width in pixels.
  int Width() const { return FWidth; }
  /// Widths below 1 become 1.
  void SetWidth(int v);
  /// How the pen combines with the picture (pmXor: drawn twice it vanishes).
  ///@{
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode v);
  ///@}
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TPen"; }

 private:
  void CopyFrom(const TPen& o);
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  int FWidth = 1;
  TPenMode FMode = pmCopy;
};

/// Brush: fill colour and style (bsClear: no fill and no text background).
class TBrush : public TGraphicsObject {
 public:
  /// A solid white brush.
  TBrush() = default;
  /// A copy of the settings; OnChange is not copied.
  TBrush(const TBrush& o) : TGraphicsObject() { CopyFrom(o); }
  /// Copies the settings (not OnChange) and fires OnChange.
  TBrush& operator=(const TBrush& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }
  /// Fill colour.
  ///@{
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  ///@}
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone.
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  /// Solid fill, or none (bsClear).
  ///@{
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);
  ///@}
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TBrush"; }

 private:
  void CopyFrom(const TBrush& o);
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

}  // namespace zyr
