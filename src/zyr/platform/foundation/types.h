// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Records, ordinal types and event types shared by the controls. The ordinal types are small
/// integers; each control documents the meaning of the values it accepts.

#include <zyr/platform/host/object.h>
#include <zyr/platform/host/types.h>

#include <cstdint>
#include <functional>

namespace zyr {

/// A point in world coordinates.
struct TPointDouble {
  /// Coordinates in world units.
  ///@{
  double x = 0;
  double y = 0;
  ///@}
  /// Equal when both coordinates are.
  friend bool operator==(const TPointDouble&, const TPointDouble&) = default;
};

/// A rectangle in world coordinates.
struct TRectDouble {
  /// An edge in world units.
  ///@{
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  ///@}
  /// Equal when all four edges are.
  friend bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

/// A world point with a flag word and a colour, e.g. one point of a mouse trace.
struct TColoredPoint {
  /// Position in world units.
  ///@{
  double x = 0;
  double y = 0;
  ///@}
  /// Bits whose meaning the owner gives (a mouse trace: bit 0 ends a stroke, bit 1 inverted).
  uint16_t flags = 0;
  /// Colour of the point.
  TColor color = clBlack;
  /// Equal when all fields are.
  friend bool operator==(const TColoredPoint&, const TColoredPoint&) = default;
};

/// Four pixel points, e.g. the corners of one projected surface cell.
struct TQuad {
  /// The corners in drawing order.
  TPoint p[4];
  /// Equal when all corners are.
  friend bool operator==(const TQuad&, const TQuad&) = default;
};

/// Horizontal alignment of text relative to its anchor.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Ordinal types: values are interpreted by the control that uses them.
/// Orientation of a scale: 0/1 horizontal with labels above/below, 2/3 vertical with labels
/// right/left.
using TScaleType = uint8_t;
/// Label type of a scale: 0 none, 1 numbers, 2 time spans, 3 dates, 4 user texts.
using TFigType = uint8_t;
/// What the mouse does on a control; each control lists its values (maPan, ...).
using TMouseActMode = uint8_t;
/// Look of a cross-hair: 0 off, 1 horizontal line, 2 vertical line, 3 both, 4 small cross
/// with a box, 5 box only.
using TCrossHMode = uint8_t;
/// Frame drawn around a control (TScale::frLowered, ...).
using TFrameStyle = uint8_t;
/// Outline of a chart's shadow rim.
using TShadowStyle = uint8_t;
/// Direction of an error bar: 0 along y, other values along x.
using TOrientation = uint8_t;
/// An axis of a search: 0 x, 1 y.
using TAxis = uint8_t;
/// Colours of frames: TScale::csGrayWhite or TScale::csButtonColors.
using TColorScheme = uint8_t;
/// Box of a 3D plot: 0 none, 1 outlined, 2 with shaded faces.
using TBoundingBox = uint8_t;
/// Placement of a background picture: 0 natural size, 1 stretched, 2 tiled.
using TBkgFill = uint8_t;
/// State of a mouse drag in progress (internal to the controls).
///@{
using TZoomState = uint8_t;
using TMouseBoxState = uint8_t;
///@}
/// What a drag on a colour scale moves: the interval, or one of its ends.
using TZoomPanMode = uint8_t;
/// Settings of a text label (see TCustomTextLabel).
///@{
using TTxtLblMode = uint8_t;
using TTxtLblAttachMode = uint8_t;
using TVerticalAlignment = uint8_t;
///@}
/// Vertical alignments (TVerticalAlignment): which part of the text sits at its anchor. The
/// numbers stay accepted.
enum : TVerticalAlignment {
  vaTop = 0,     ///< the top of the text at the anchor: the text hangs below it
  vaCenter = 1,  ///< the middle of the text at the anchor
  vaBottom = 2   ///< the bottom of the text at the anchor: the text stands above it
};
/// Settings of date and time labels (see TDTLabel).
///@{
using TTimeFormat = uint8_t;
using TYearLength = uint8_t;
using TDateForTime = uint8_t;
using TDateOrder = uint8_t;
///@}

/// A rectangle selected with the mouse on a layer, in world coordinates.
using TSelectRectEvent =
    std::function<void(TObject* Sender, int Layer, double X1, double Y1, double X2, double Y2)>;
/// Reported after a zoom or pan changed the ranges.
using TZoomPanEvent = std::function<void(TObject* Sender)>;
/// Progress of a long operation, 0 .. 100 percent.
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

}  // namespace zyr
