// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TCustomTextLabel: settings of a movable text label of a chart.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/graphics.h>
#include <zyr/platform/host/qtvalues.h>

#include <string>

namespace zyr {

/// Text label modes (TTxtLblMode); the numbers stay accepted.
enum : TTxtLblMode {
  tlmFree = 0,        ///< available, never drawn
  tlmBackground = 1,  ///< text with background
  tlmBoxed = 2,       ///< text in a box
  tlmUnderlined = 3,  ///< underlined text
  tlmShadowBox = 4    ///< boxed with drop shadow
};
/// Text label attach modes (TTxtLblAttachMode): which coordinates are world values; the
/// numbers stay accepted.
enum : TTxtLblAttachMode {
  tlaPixels = 0,  ///< x and y in control pixels
  tlaXWorld = 1,  ///< x world, y pixels
  tlaYWorld = 2,  ///< x pixels, y world
  tlaWorld = 3    ///< x and y world
};

/// Caption, anchor, font and box style of a text label; the chart's TTextLabel and the box
/// plot's column labels derive from it. The owning control draws the label and repaints from
/// OnChange, which fires once after every change (also when the label's Font changes;
/// SetTxtLblPos and Assign fire once for all they change).
///
/// AttachToData: 0 x and y in pixels, 1 x world and y pixels, 2 x pixels and y world, 3 both
/// world (coordinates of Layer): tlaPixels, tlaXWorld, tlaYWorld, tlaWorld. Mode: 0 free
/// (never drawn), 1 text with background, 2 boxed, 3 underlined, 4 boxed with drop shadow:
/// tlmFree, tlmBackground, tlmBoxed, tlmUnderlined, tlmShadowBox. VerticalAlignment: 0 anchor
/// at the top of the text, 1 middle, 2 bottom: vaTop, vaCenter, vaBottom. Out-of-range
/// values are clamped (Layer 1 .. 2, AttachToData 0 .. 3, Mode 0 .. 4, VerticalAlignment
/// 0 .. 2, Alignment to taCenter); positions that are not finite numbers are ignored. Line
/// feeds in Caption separate lines.
class TCustomTextLabel : public TPersistent {
 public:
  /// A free (Mode 0), invisible label anchored by world coordinates on layer 1.
  TCustomTextLabel();
  TCustomTextLabel(const TCustomTextLabel&) = delete;
  TCustomTextLabel& operator=(const TCustomTextLabel&) = delete;

  /// The text; line feeds separate lines.
  const std::string& Caption() const { return FCaption; }
  /// The anchor, in the units AttachToData gives each coordinate.
  ///@{
  double PosX() const { return FPosX; }
  double PosY() const { return FPosY; }
  ///@}
  /// Layer of the anchor's world coordinates.
  int Layer() const { return FLayer; }
  /// Which anchor coordinates are world values (see the class).
  TTxtLblAttachMode AttachToData() const { return FAttachToData; }
  /// Where the text sits relative to its anchor, across and up or down.
  ///@{
  TAlignment Alignment() const { return FAlignment; }
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  ///@}
  /// Box style; 0 marks the label as free.
  TTxtLblMode Mode() const { return FMode; }
  /// Drawn at all.
  bool Visible() const { return FVisible; }
  /// No background behind the text.
  bool Transparent() const { return FTransparent; }
  /// Colours of the background, the border and the drop shadow.
  ///@{
  TColor ColorBkg() const { return FColorBkg; }
  TColor ColorBorder() const { return FColorBorder; }
  TColor ColorShadow() const { return FColorShadow; }
  ///@}
  /// Offset of the drop shadow in pixels.
  ///@{
  int ShadowDx() const { return FShadowDx; }
  int ShadowDy() const { return FShadowDy; }
  ///@}
  /// Font of the text.
  ///@{
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  ///@}

  /// Sets the property of the same name; fires OnChange when the value changes.
  ///@{
  void SetTxtLblCaption(const std::string& v);
  void SetTxtLblPosX(double v);
  void SetTxtLblPosY(double v);
  ///@}
  /// Sets both anchor coordinates with one notification.
  void SetTxtLblPos(double x, double y);
  /// Sets the property of the same name; fires OnChange when the value changes.
  ///@{
  void SetTxtLblLayer(int v);
  void SetTxtLblAttachToData(TTxtLblAttachMode v);
  void SetTxtLblAlignment(TAlignment v);
  void SetTxtLblVertAlignment(TVerticalAlignment v);
  void SetTxtLblMode(TTxtLblMode v);
  void SetTxtLblVisible(bool v);
  void SetTxtLblTransparent(bool v);
  void SetTxtLblColorBkg(TColor v);
  void SetTxtLblColorBorder(TColor v);
  void SetTxtLblColorShadow(TColor v);
  void SetTxtLblShadowDx(int v);
  void SetTxtLblShadowDy(int v);
  ///@}
  /// Copies the font's settings into the label's own font.
  void SetTxtLblFont(const TFont& v);

  /// Short names of the SetTxtLbl... setters.
  ///@{
  void SetCaption(const std::string& v) { SetTxtLblCaption(v); }
  void SetPosX(double v) { SetTxtLblPosX(v); }
  void SetPosY(double v) { SetTxtLblPosY(v); }
  void SetLayer(int v) { SetTxtLblLayer(v); }
  void SetAttachToData(TTxtLblAttachMode v) { SetTxtLblAttachToData(v); }
  void SetAlignment(TAlignment v) { SetTxtLblAlignment(v); }
  void SetVerticalAlignment(TVerticalAlignment v) { SetTxtLblVertAlignment(v); }
  void SetMode(TTxtLblMode v) { SetTxtLblMode(v); }
  void SetVisible(bool v) { SetTxtLblVisible(v); }
  void SetTransparent(bool v) { SetTxtLblTransparent(v); }
  void SetColorBkg(TColor v) { SetTxtLblColorBkg(v); }
  void SetColorBorder(TColor v) { SetTxtLblColorBorder(v); }
  void SetColorShadow(TColor v) { SetTxtLblColorShadow(v); }
  void SetShadowDx(int v) { SetTxtLblShadowDx(v); }
  void SetShadowDy(int v) { SetTxtLblShadowDy(v); }
  void SetFont(const TFont& v) { SetTxtLblFont(v); }
  ///@}
  /// Qt forms of the caption and colour setters, under both names. Colours are a QColor or
  /// Qt::GlobalColor (Qt::red is red); an invalid QColor gives clNone, as the numeric
  /// setters take it.
  ///@{
  void SetTxtLblCaption(const QtText auto& v) { SetTxtLblCaption(FromQString(v)); }
  void SetTxtLblColorBkg(const QtColor auto& v) { SetTxtLblColorBkg(FromQColor(v)); }
  void SetTxtLblColorBorder(const QtColor auto& v) { SetTxtLblColorBorder(FromQColor(v)); }
  void SetTxtLblColorShadow(const QtColor auto& v) { SetTxtLblColorShadow(FromQColor(v)); }
  void SetCaption(const QtText auto& v) { SetTxtLblCaption(v); }
  void SetColorBkg(const QtColor auto& v) { SetTxtLblColorBkg(v); }
  void SetColorBorder(const QtColor auto& v) { SetTxtLblColorBorder(v); }
  void SetColorShadow(const QtColor auto& v) { SetTxtLblColorShadow(v); }
  ///@}

  /// Copies all settings and the font (not OnChange) from another TCustomTextLabel.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TCustomTextLabel"; }

  /// Fires once after every change; the owning control repaints from it.
  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange (once at the end while a batch of changes is made).
  void Changed();

 private:
  std::string FCaption;
  double FPosX = 0;
  double FPosY = 0;
  int FLayer = 1;
  TTxtLblAttachMode FAttachToData = 3;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = 2;
  TTxtLblMode FMode = 0;
  bool FVisible = false;
  bool FTransparent = false;
  TColor FColorBkg = clWhite;
  TColor FColorBorder = clBlack;
  TColor FColorShadow = 0x808080;
  int FShadowDx = 3;
  int FShadowDy = 3;
  TFont FFont;
  int FUpdating = 0;  // font changes made by Assign/SetTxtLblFont notify once at the end
};

}  // namespace zyr
