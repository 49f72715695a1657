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
  double x = 0;
  double y = 0;
  friend bool operator==(const TPointDouble&, const TPointDouble&) = default;
};

/// A rectangle in world coordinates.
struct TRectDouble {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  friend bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

/// A world point with a flag word and a colour, e.g. one point of a mouse trace.
struct TColoredPoint {
  double x = 0;
  double y = 0;
  uint16_t flags = 0;
  TColor color = clBlack;
  friend bool operator==(const TColoredPoint&, const TColoredPoint&) = default;
};

/// Four pixel points, e.g. the corners of one projected surface cell.
struct TQuad {
  TPoint p[4];
  friend bool operator==(const TQuad&, const TQuad&) = default;
};

/// Horizontal alignment of text relative to its anchor.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Ordinal types: values are interpreted by the control that uses them.
using TScaleType = uint8_t;
using TFigType = uint8_t;
using TMouseActMode = uint8_t;
using TCrossHMode = uint8_t;
using TFrameStyle = uint8_t;
using TShadowStyle = uint8_t;
using TOrientation = uint8_t;
using TAxis = uint8_t;
using TColorScheme = uint8_t;
using TBoundingBox = uint8_t;
using TBkgFill = uint8_t;
using TZoomState = uint8_t;
using TZoomPanMode = uint8_t;
using TMouseBoxState = uint8_t;
using TTxtLblMode = uint8_t;
using TTxtLblAttachMode = uint8_t;
using TVerticalAlignment = uint8_t;
using TTimeFormat = uint8_t;
using TYearLength = uint8_t;
using TDateForTime = uint8_t;
using TDateOrder = uint8_t;

/// A rectangle selected with the mouse on a layer, in world coordinates.
using TSelectRectEvent =
    std::function<void(TObject* Sender, int Layer, double X1, double Y1, double X2, double Y2)>;
/// Reported after a zoom or pan changed the ranges.
using TZoomPanEvent = std::function<void(TObject* Sender)>;
/// Progress of a long operation, 0 .. 100 percent.
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

}  // namespace zyr
