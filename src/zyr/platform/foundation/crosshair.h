// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TCrossHair: settings of one cross-hair of a chart or colour legend.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/object.h>
#include <zyr/platform/host/qtvalues.h>

namespace zyr {

/// Cross-hair modes (TCrossHMode); the numbers stay accepted.
enum : TCrossHMode {
  chmOff = 0,         ///< not drawn
  chmHorizontal = 1,  ///< horizontal line
  chmVertical = 2,    ///< vertical line
  chmBoth = 3,        ///< both lines
  chmCrossBox = 4,    ///< small cross with a box
  chmBox = 5          ///< box only
};

/// Position (world coordinates of a layer) and look of a cross-hair. The owning control draws
/// it and repaints from OnChange, which fires once after every change (SetPos and Assign
/// fire once for all they change).
///
/// Mode: 0 off, 1 horizontal line, 2 vertical line, 3 both lines, 4 small cross with a box,
/// 5 box only (chmOff, chmHorizontal, chmVertical, chmBoth, chmCrossBox, chmBox). Values are
/// clamped: Mode to 0 .. 5, Layer to 1 .. 2, LineWidth to 1 .. 100. Positions that are not
/// finite numbers are ignored, so a drawn cross-hair always has a pixel.
///
///     chart.CrossHair1()->SetCrossHMode(3);
///     chart.CrossHair1()->SetPos(2.5, 10.0);
class TCrossHair : public TPersistent {
 public:
  /// Off, at 0, 0 of layer 1, with a solid red line one pixel wide.
  TCrossHair() = default;
  TCrossHair(const TCrossHair&) = delete;
  TCrossHair& operator=(const TCrossHair&) = delete;

  /// Position in world coordinates of the cross-hair's layer.
  ///@{
  double PosX() const { return FPosX; }
  double PosY() const { return FPosY; }
  ///@}
  /// Layer whose coordinates the position is in (1 or 2).
  int Layer() const { return FLayer; }
  /// Colour of the lines.
  TColor Color() const { return FColor; }
  /// What is drawn (see the class).
  TCrossHMode Mode() const { return FMode; }
  /// Line pattern.
  TPenStyle LineType() const { return FLineType; }
  /// Line width in pixels.
  int LineWidth() const { return FLineWidth; }

  /// Sets one coordinate of the position.
  ///@{
  void SetCrossHPosX(double v);
  void SetCrossHPosY(double v);
  ///@}
  /// Sets both coordinates with one notification.
  void SetPos(double x, double y);
  /// Sets Layer, Color, Mode, LineType and LineWidth (clamped as the class says).
  ///@{
  void SetCrossHLayer(int v);
  void SetCrossHColor(TColor v);
  void SetCrossHMode(TCrossHMode v);
  void SetCrossHLineType(TPenStyle v);
  void SetCrossHLineWidth(int v);
  ///@}

  /// Short names of the setters above.
  ///@{
  void SetPosX(double v) { SetCrossHPosX(v); }
  void SetPosY(double v) { SetCrossHPosY(v); }
  void SetLayer(int v) { SetCrossHLayer(v); }
  void SetColor(TColor v) { SetCrossHColor(v); }
  void SetMode(TCrossHMode v) { SetCrossHMode(v); }
  void SetLineType(TPenStyle v) { SetCrossHLineType(v); }
  void SetLineWidth(int v) { SetCrossHLineWidth(v); }
  ///@}
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone, as the numeric setter takes it.
  ///@{
  void SetCrossHColor(const QtColor auto& v) { SetCrossHColor(FromQColor(v)); }
  void SetColor(const QtColor auto& v) { SetCrossHColor(v); }
  ///@}

  /// Copies all settings (not OnChange) from another TCrossHair.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TCrossHair"; }

  /// Fires once after every change; the owning control redraws from it.
  TNotifyEvent OnChange;

 private:
  void Changed();

  double FPosX = 0;
  double FPosY = 0;
  int FLayer = 1;
  TColor FColor = clRed;
  TCrossHMode FMode = 0;
  TPenStyle FLineType = psSolid;
  int FLineWidth = 1;
};

}  // namespace zyr
