// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// The background of a chart's data area: grid styles, the highlighted-area modes and
/// TBakGndImg, the image and area settings a chart owns.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/object.h>
#include <zyr/qt.h>

#include <string>

namespace zyr {

/// Grid of the data area: points at the crossings, vertical and/or horizontal lines, solid or
/// dotted.
enum GridStyleType : uint8_t {
  /// No grid (default).
  gsNone,
  /// A pixel at every crossing of the grid.
  gsPoints,
  /// Solid vertical lines.
  gsVertLines,
  /// Solid horizontal lines.
  gsHorizLines,
  /// Solid lines in both directions.
  gsLines,
  /// Dotted horizontal lines.
  gsHorizDotLines,
  /// Dotted vertical lines.
  gsVertDotLines,
  /// Dotted lines in both directions.
  gsDotLines
};

/// Which part of the data area is filled in AreaColor, bounded by the world coordinates
/// AreaLeft/AreaRight/AreaTop/AreaBottom; the ...Inv modes fill the outside instead.
enum TBGAreaMode : uint8_t {
  /// No highlighted area (default).
  bamNone,
  /// Left of AreaLeft.
  bamLeft,
  /// Right of AreaRight.
  bamRight,
  /// Above AreaTop.
  bamTop,
  /// Below AreaBottom.
  bamBottom,
  /// Between AreaLeft and AreaRight.
  bamVStripe,
  /// Between AreaTop and AreaBottom.
  bamHStripe,
  /// Inside the box AreaLeft .. AreaRight by AreaTop .. AreaBottom.
  bamRect,
  /// Outside that box.
  bamRectInv,
  /// Outside the vertical stripe.
  bamVStripeInv,
  /// Outside the horizontal stripe.
  bamHStripeInv
};

/// Background of a chart's data area: an image file (natural size, stretched or tiled) or,
/// without an image, a highlighted area in world coordinates of the active layer.
///
///   chart->BackGroundImg().SetAreaMode(bamVStripe);
///   chart->BackGroundImg().SetAreaLeft(2.0);
///   chart->BackGroundImg().SetAreaRight(3.5);
///
/// OnChange fires after every change; the chart repaints from it. An image that cannot be
/// loaded clears Name. See the gallery page "chart".
class TBakGndImg : public TPersistent {
 public:
  /// No image, no area; the area box -1 .. 1 in both directions, colour 0xDDDDDD.
  TBakGndImg() = default;
  TBakGndImg(const TBakGndImg&) = delete;
  TBakGndImg& operator=(const TBakGndImg&) = delete;

  /// Image file; empty means no image. Without IncludePath only the file-name part is kept.
  ///@{
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  ///@}
  /// Whether Name keeps its directory (off by default).
  ///@{
  bool IncludePath() const { return FIncldPath; }
  /// Switching it off strips the directory from Name at once.
  void SetIncludePath(bool v);
  ///@}
  /// Fill modes of an image (the numbers stay accepted): bfNatural natural size at the top
  /// left corner, bfStretched stretched over the data area, bfTiled tiled.
  ///@{
  static constexpr TBkgFill bfNatural = 0;  // natural size at the top left corner
  static constexpr TBkgFill bfStretched = 1;
  static constexpr TBkgFill bfTiled = 2;
  ///@}
  /// How the image covers the data area (bfStretched by default).
  ///@{
  TBkgFill FillMode() const { return FFillMode; }
  void SetFillMode(TBkgFill v);
  ///@}
  /// Which part of the data area is filled in AreaColor when there is no image (bamNone by
  /// default).
  ///@{
  TBGAreaMode AreaMode() const { return FBGAreaMode; }
  void SetAreaMode(TBGAreaMode v);
  ///@}
  /// Colour of the highlighted area (0xDDDDDD, light grey, by default).
  ///@{
  TColor AreaColor() const { return FBGAreaColor; }
  void SetAreaColor(TColor v);
  ///@}
  /// Qt forms: the image file name, and the area colour (an invalid QColor gives clNone).
  ///@{
  void SetName(const QtText auto& v) { SetName(FromQString(v)); }
  void SetAreaColor(const QtColor auto& v) { SetAreaColor(FromQColor(v)); }
  ///@}
  /// Bounds of the highlighted area in world coordinates of the chart's active layer
  /// (-1, 1, 1, -1 by default); a NaN is ignored.
  ///@{
  double AreaLeft() const { return FBGAreaLeft; }
  void SetAreaLeft(double v);
  double AreaRight() const { return FBGAreaRight; }
  void SetAreaRight(double v);
  double AreaTop() const { return FBGAreaTop; }
  void SetAreaTop(double v);
  double AreaBottom() const { return FBGAreaBottom; }
  void SetAreaBottom(double v);
  ///@}

  /// Back to the reset values (OnChange is kept and not fired).
  void ResetComp();
  /// From another TBakGndImg: every field including OnChange, which then fires.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TBakGndImg"; }

  /// Fired after every change of a setting (a setter given the current value fires nothing).
  TNotifyEvent OnChange;

 private:
  void Changed();
  void SetArea(double& field, double v);

  std::string FName;
  bool FIncldPath = false;
  TBkgFill FFillMode = 1;
  TBGAreaMode FBGAreaMode = bamNone;
  TColor FBGAreaColor = 0xDDDDDD;
  double FBGAreaLeft = -1, FBGAreaRight = 1, FBGAreaTop = 1, FBGAreaBottom = -1;
};

}  // namespace zyr
