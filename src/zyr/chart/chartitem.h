// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// The chart item record of the 2D charts, its kinds and coordinate modes (the store that
/// holds the records of a container is in itemstore.h).
///
///   TrcChartItem it = chart->DataContainer(0);    // a copy; tkNone when there is no item 0
///   if (it.ItemKind == tkMarkAt) ...
///
/// A record is a plain 104-byte value with the byte layout of the chart item files.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/types.h>

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace zyr {

/// Kind of a chart item (stored as one byte; values from files outside the list draw nothing).
enum TrcItem : uint8_t {
  /// Empty slot; also the answer of reads when there is no such item.
  tkNone = 0,
  /// A mark at (x, y); Param3 the mark type.
  tkMarkAt = 1,
  /// A separate line segment from (x, y) to (x2, y2).
  tkLine = 2,
  /// Continues the current polyline to (x, y).
  tkLineto = 3,
  /// A filled rectangle between the corners (x, y) and (x2, y2).
  tkRect = 4,
  /// A rectangle with a 3D frame (FrameStyle, ShadowColor, HiLightColor) between two corners.
  tkRectFrame = 5,
  /// A 3D bar between two corners; Param1 the angle in degrees, Param2 the depth in pixels.
  tk3DBar = 6,
  /// Text at (x, y); Param1 font size, Param2 background (TTextBkg), Param3 alignment.
  tkText = 7,
  /// Starts a new polyline at (x, y).
  tkMoveTo = 8,
  /// An ellipse with centre (x, y) and half axes x2, y2.
  tkEllipse = 9,
  /// Search and count argument only: any kind.
  tkEverything = 10,  // search and count argument only
  /// Hit-test search argument only: any kind but tkMoveTo.
  tkNotMoveTo = 11,   // hit-test search argument only
  /// Moves the pen position by the pixel offset (x, y).
  tkMoveRelPix = 12,
  /// Draws from the pen position by the pixel offset (x, y).
  tkLineRelPix = 13,
  /// An arrow from (x, y) to (x2, y2) with a head at the end; Param1 the head size in pixels.
  tkArrow = 14,
  /// An arrow with heads at both ends.
  tkDoubleArrow = 15,
  /// Text at (x, y) shifted by the pixel offset (x2, y2); Params as tkText.
  tkTextOfs = 16,
  /// A rectangle centred on (x, y); Param1 and Param2 its half width and height in pixels.
  tkRectRelPix = 17,
  /// A mark with an error bar reaching x2 towards lower and y2 towards higher values; Param1 its
  /// direction (0 along y, else along x), Param3 the mark type.
  tkMarkEBar = 18,
  /// A line segment shifted by the pixel offset (Param1, Param2).
  tkLineOffs = 19,
  /// An elliptic arc: centre (x, y), half axes x2, y2; Param1 and Param2 the start and end angles
  /// in radians times 1e8.
  tkArc = 20,
  /// A line from the world point (x, y) by the pixel offset (x2, y2).
  tkLineRelPixOrig = 21,
  /// A vertical cursor line across the chart at x.
  tkCursorVert = 22,
  /// A horizontal cursor line across the chart at y.
  tkCursorHoriz = 23,
};
/// Number of item kinds (and of the per-kind counters of a chart).
constexpr int rcNumItemKinds = 24;

/// Which coordinates of an item are world values and which are pixels. Point 1 is (x, y),
/// point 2 is (x2, y2).
enum TCoordMode : uint8_t {
  /// Every coordinate is a world value of the item's layer.
  cmAllWorld = 0,
  /// Every coordinate is in pixels.
  cmAllScreen = 1,
  /// Point 1 in world values, point 2 in pixels.
  cmWorldMainScreenSec = 2,
  /// Point 1 in pixels, point 2 in world values.
  cmScreenMainWorldSec = 3,
  /// Every x in pixels, every y in world values.
  cmXScreenYWorld = 4,
  /// Every x in world values, every y in pixels.
  cmXWorldYScreen = 5,
};

/// Which coordinates of point 1 and point 2 are world values, by coordinate mode.
struct TModeWorld {
  /// True where the coordinate (x, y of point 1, x2, y2 of point 2) is a world value.
  ///@{
  bool x1, y1, x2, y2;
  ///@}
};
/// The world coordinates of a coordinate mode; unknown modes count as all world.
inline TModeWorld ModeWorld(TCoordMode cm) {
  switch (cm) {
    case cmAllScreen:
      return {false, false, false, false};
    case cmWorldMainScreenSec:
      return {true, true, false, false};
    case cmScreenMainWorldSec:
      return {false, false, true, true};
    case cmXScreenYWorld:
      return {false, true, false, true};
    case cmXWorldYScreen:
      return {true, false, true, false};
    default:
      return {true, true, true, true};  // cmAllWorld and unknown values from files
  }
}

/// Background of text items.
enum TTextBkg : uint8_t { tbClear = 0, tbSolid = 1 };

/// Short text of an item: a length byte and up to 15 Windows-1252 characters.
struct TrcShortText {
  /// Number of characters used, 0 .. 15.
  uint8_t Len = 0;
  /// The characters, in Windows-1252.
  char Chars[15] = {};

  /// Stores the first 15 characters of a UTF-8 text; characters that Windows-1252 cannot
  /// hold become '?'.
  void Assign(const std::string& Utf8);
  /// The stored characters as UTF-8.
  std::string Str() const;
};
static_assert(sizeof(TrcShortText) == 16);

/// One drawing instruction of a chart. Field meanings depend on ItemKind; see TCustomRChart's
/// adding operations. The padding fields are always zero.
struct TrcChartItem {
  /// Point 1, x (world value or pixels as CoordMode says; its use depends on ItemKind).
  double x = 0;
  /// Point 1, y.
  double y = 0;
  /// Point 2, x, or a size or offset (by kind).
  double x2 = 0;
  /// Point 2, y, or a size or offset (by kind).
  double y2 = 0;
  /// Colour of lines, marks and text.
  TColor Color = 0;
  /// Fill colour of areas; background colour of text.
  TColor FillColor = 0;
  /// Shadow colour of tkRectFrame.
  TColor ShadowColor = 0;
  /// Highlight colour of tkRectFrame.
  TColor HiLightColor = 0;
  /// Line style.
  TPenStyle PenStyle = psSolid;
  /// Padding, always zero.
  uint8_t Pad1[3] = {};
  /// Free for the application; searched with a bit mask.
  int32_t Tag = 0;
  /// Line width in pixels; for text items the long-text number (1 .. 50, 0 none).
  int32_t LWid = 0;  // line width; for text items the long-text number (0: none)
  /// Class 0 .. 255, for visibility, removal, recolouring and search by class.
  uint8_t ItemClass = 0;
  /// What the item draws.
  TrcItem ItemKind = tkNone;
  /// Padding, always zero.
  uint8_t Pad2[2] = {};
  /// Layer 1 or 2, whose axes map the world values.
  int32_t Layer = 0;
  /// Area items: outline only, no fill.
  bool Transp = false;
  /// Frame style of tkRectFrame.
  TFrameStyle FrameStyle = 0;
  /// Text of text items, cut to 15 characters.
  TrcShortText Text;
  /// Padding, always zero.
  uint8_t Pad3[2] = {};
  /// First parameter of the kind (see TrcItem).
  int32_t Param1 = 0;
  /// Second parameter of the kind.
  int32_t Param2 = 0;
  /// Third parameter of the kind.
  int32_t Param3 = 0;
  /// Which coordinates are world values and which pixels.
  TCoordMode CoordMode = cmAllWorld;
  /// Padding, always zero.
  uint8_t Pad4[3] = {};

  /// Sets the padding bytes to zero (records from callers may carry anything there).
  void ClearPadding() {
    Pad1[0] = Pad1[1] = Pad1[2] = 0;
    Pad2[0] = Pad2[1] = 0;
    Pad3[0] = Pad3[1] = 0;
    Pad4[0] = Pad4[1] = Pad4[2] = 0;
  }
};

static_assert(sizeof(TrcChartItem) == 104);
static_assert(std::is_trivially_copyable_v<TrcChartItem>);
static_assert(std::is_standard_layout_v<TrcChartItem>);
static_assert(offsetof(TrcChartItem, Color) == 32 && offsetof(TrcChartItem, PenStyle) == 48);
static_assert(offsetof(TrcChartItem, Tag) == 52 && offsetof(TrcChartItem, LWid) == 56);
static_assert(offsetof(TrcChartItem, ItemClass) == 60 && offsetof(TrcChartItem, ItemKind) == 61);
static_assert(offsetof(TrcChartItem, Layer) == 64 && offsetof(TrcChartItem, Transp) == 68);
static_assert(offsetof(TrcChartItem, FrameStyle) == 69 && offsetof(TrcChartItem, Text) == 70);
static_assert(offsetof(TrcChartItem, Param1) == 88 && offsetof(TrcChartItem, Param3) == 96);
static_assert(offsetof(TrcChartItem, CoordMode) == 100);
static_assert(sizeof(bool) == 1);

/// True for tkText and tkTextOfs.
constexpr bool IsTextItem(TrcItem k) { return k == tkText || k == tkTextOfs; }

/// Long texts of one container, numbered 1..50 (index 0 holds number 1).
constexpr int rcMaxLongTexts = 50;
/// Full texts of one container's text items longer than 15 characters.
using TLongTextArray = std::array<std::string, rcMaxLongTexts>;

/// Text of one item as a multi-line description; Flags select groups of lines (1 kind,
/// 2 points, 4 colour and pen style, 8 tag, 16 class; -1 all with the details of the kind).
std::string ItemDescription(const TrcChartItem& Item, int Flags);

}  // namespace zyr
