// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Drawing tools of a canvas: TFont, TPen and TBrush. Each reports changes through OnChange,
/// which a canvas uses to refresh its painter state lazily.

#include <zyr/platform/host/object.h>

#include <string>

class QFont;

namespace zyr {

/// Base of the three drawing tools: change notification with a batching counter.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

/// Font: name, size in points (or height in pixels), colour, styles and orientation.
/// Size and Height are tied together at 96 pixels per inch, as on the screen; a canvas draws
/// the font at |Height| pixels whatever its device resolution.
class TFont : public TGraphicsObject {
 public:
  static constexpr int PixelsPerInch = 96;
  TFont() = default;
  TFont(const TFont& o) { CopyFrom(o); }
  TFont& operator=(const TFont& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }

  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  /// Size in points (rounded from Height when Height was set).
  int Size() const;
  void SetSize(int points);
  /// Negative: character height in pixels; positive: cell height in pixels.
  int Height() const { return FHeight; }
  void SetHeight(int v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  /// Angle of the base line in tenths of degrees, counter-clockwise.
  int Orientation() const { return FOrientation; }
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
  TPen() = default;
  TPen(const TPen& o) : TGraphicsObject() { CopyFrom(o); }
  TPen& operator=(const TPen& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle v);
  int Width() const { return FWidth; }
  /// Widths below 1 become 1.
  void SetWidth(int v);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode v);
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
  TBrush() = default;
  TBrush(const TBrush& o) : TGraphicsObject() { CopyFrom(o); }
  TBrush& operator=(const TBrush& o) {
    CopyFrom(o);
    Changed();
    return *this;
  }
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TBrush"; }

 private:
  void CopyFrom(const TBrush& o);
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

}  // namespace zyr
