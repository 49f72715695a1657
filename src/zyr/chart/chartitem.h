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
  tkNone = 0,
  tkMarkAt = 1,
  tkLine = 2,
  tkLineto = 3,
  tkRect = 4,
  tkRectFrame = 5,
  tk3DBar = 6,
  tkText = 7,
  tkMoveTo = 8,
  tkEllipse = 9,
  tkEverything = 10,  // search and count argument only
  tkNotMoveTo = 11,   // hit-test search argument only
  tkMoveRelPix = 12,
  tkLineRelPix = 13,
  tkArrow = 14,
  tkDoubleArrow = 15,
  tkTextOfs = 16,
  tkRectRelPix = 17,
  tkMarkEBar = 18,
  tkLineOffs = 19,
  tkArc = 20,
  tkLineRelPixOrig = 21,
  tkCursorVert = 22,
  tkCursorHoriz = 23,
};
/// Number of item kinds (and of the per-kind counters of a chart).
constexpr int rcNumItemKinds = 24;

/// Which coordinates of an item are world values and which are pixels. Point 1 is (x, y),
/// point 2 is (x2, y2).
enum TCoordMode : uint8_t {
  cmAllWorld = 0,
  cmAllScreen = 1,
  cmWorldMainScreenSec = 2,
  cmScreenMainWorldSec = 3,
  cmXScreenYWorld = 4,
  cmXWorldYScreen = 5,
};

/// Which coordinates of point 1 and point 2 are world values, by coordinate mode.
struct TModeWorld {
  bool x1, y1, x2, y2;
};
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
  uint8_t Len = 0;
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
  double x = 0;
  double y = 0;
  double x2 = 0;
  double y2 = 0;
  TColor Color = 0;
  TColor FillColor = 0;
  TColor ShadowColor = 0;
  TColor HiLightColor = 0;
  TPenStyle PenStyle = psSolid;
  uint8_t Pad1[3] = {};
  int32_t Tag = 0;
  int32_t LWid = 0;  // line width; for text items the long-text number (0: none)
  uint8_t ItemClass = 0;
  TrcItem ItemKind = tkNone;
  uint8_t Pad2[2] = {};
  int32_t Layer = 0;
  bool Transp = false;
  TFrameStyle FrameStyle = 0;
  TrcShortText Text;
  uint8_t Pad3[2] = {};
  int32_t Param1 = 0;
  int32_t Param2 = 0;
  int32_t Param3 = 0;
  TCoordMode CoordMode = cmAllWorld;
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
using TLongTextArray = std::array<std::string, rcMaxLongTexts>;

/// Text of one item as a multi-line description; Flags select groups of lines (1 kind,
/// 2 points, 4 colour and pen style, 8 tag, 16 class; -1 all with the details of the kind).
std::string ItemDescription(const TrcChartItem& Item, int Flags);

}  // namespace zyr
