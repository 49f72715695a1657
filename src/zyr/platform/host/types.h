// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Basic value types of the host layer: colours, points, rectangles, pixel rows and the
/// small enumerations of pens, brushes, fonts and mouse input.

#include <cstdint>
#include <functional>

namespace zyr {

/// A colour 0x00BBGGRR; a top byte of 0xFF names a system colour resolved by ColorToRGB.
using TColor = uint32_t;

/// A named colour (0x00BBGGRR).
///@{
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
///@}

// System colours: 0xFF000000 | classic system colour index.
/// A system colour: ColorToRGB resolves it to its fixed classic value.
///@{
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
///@}

/// Resolves system colours to fixed classic values, so pictures never depend on the desktop.
/// clNone and clDefault resolve to white and black; plain colours come back unchanged.
TColor ColorToRGB(TColor c);

/// The colour of red, green and blue components 0..255.
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
/// One component of a colour.
///@{
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }
///@}

/// One pixel of a 32-bit bitmap row, in memory order B, G, R, A.
struct TRGB32 {
  /// Blue, green, red, and a byte the pictures do not use.
  ///@{
  uint8_t B, G, R, A;
  ///@}
};
static_assert(sizeof(TRGB32) == 4);

/// A pixel position.
struct TPoint {
  int X = 0;  ///< column, growing to the right
  int Y = 0;  ///< row, growing downwards
  /// Equal when both coordinates are.
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A pixel rectangle; Right and Bottom lie just outside it, as in drawing calls.
struct TRect {
  /// An edge of the rectangle.
  ///@{
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  ///@}
  /// Extent in pixels (Right - Left, Bottom - Top).
  ///@{
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  ///@}
  /// Equal when all four edges are.
  friend bool operator==(const TRect&, const TRect&) = default;
};

/// The point (x, y).
inline TPoint Point(int x, int y) { return TPoint{x, y}; }
/// The rectangle of the given edges.
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

/// Line pattern of a pen; psClear draws nothing.
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
/// How a pen combines with the picture: copy, invert by XOR (drawn twice it vanishes),
/// not-XOR, or invert the destination.
enum TPenMode : uint8_t { pmCopy, pmXor, pmNotXor, pmNot };
/// Fill of a brush: solid, or none.
enum TBrushStyle : uint8_t { bsSolid, bsClear };
/// Font style bits, combined in TFontStyles.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
/// Set of TFontStyle bits.
using TFontStyles = uint8_t;

/// Copy modes of TCanvas::Draw (raster operations on source and destination).
enum TCopyMode : uint32_t {
  cmSrcCopy = 0x00CC0020,
  cmSrcAnd = 0x008800C6,
  cmSrcPaint = 0x00EE0086,
  cmSrcInvert = 0x00660046,
};
/// The copy modes under their classic names.
///@{
constexpr TCopyMode SRCCOPY = cmSrcCopy;
constexpr TCopyMode SRCAND = cmSrcAnd;
constexpr TCopyMode SRCPAINT = cmSrcPaint;
constexpr TCopyMode SRCINVERT = cmSrcInvert;
///@}

/// Pixel format of a bitmap as asked for; every bitmap stores 32 bits a pixel.
enum TPixelFormat : uint8_t { pfDevice, pf24bit, pf32bit };

/// The mouse button of a press or release.
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

/// Modifier keys and mouse buttons held during an input event.
enum TShiftFlag : uint16_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
/// Set of TShiftFlag bits.
using TShiftState = uint16_t;

/// A mouse cursor: one of the cr... values, or a cursor registered with the screen.
using TCursor = int;
/// A standard cursor.
///@{
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
///@}

/// Device capability indices of TCanvas::GetDeviceCaps.
enum TDeviceCap : int { LOGPIXELSX = 88, LOGPIXELSY = 90, ASPECTX = 40, ASPECTY = 42 };

/// Date and time as days since 1899-12-30 with the time of day as the fraction.
using TDateTime = double;

class TObject;
/// An event that only names its sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace zyr
