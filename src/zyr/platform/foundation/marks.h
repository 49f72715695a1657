// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Mark symbols of charts and 3D plots, drawn centred on a pixel.

#include <zyr/platform/host/canvas.h>

namespace zyr {

/// Draws mark \p MarkType centred on pixel (x, y) with the canvas's current pen (outline, lines)
/// and brush (inside of filled marks). Open marks never fill; the canvas's pen, brush, font and
/// pen position are the same afterwards. r is the half size in pixels: the mark covers
/// x - r .. x + r and y - r .. y + r.
///
/// | Type | Mark                          | r | Type | Mark                          | r |
/// |------|-------------------------------|---|------|-------------------------------|---|
/// |  0   | single pixel                  | 0 | 26   | triangle up, open             | 3 |
/// |  1   | dot (3 x 3 square in the pen) | 1 | 27   | triangle up, open             | 5 |
/// |  2   | plus                          | 2 | 28   | triangle up, filled           | 3 |
/// |  3   | plus                          | 3 | 29   | triangle up, filled           | 5 |
/// |  4   | plus                          | 5 | 30   | triangle down, open           | 3 |
/// |  5   | cross (x)                     | 2 | 31   | triangle down, open           | 5 |
/// |  6   | cross (x)                     | 3 | 32   | triangle down, filled         | 3 |
/// |  7   | cross (x)                     | 5 | 33   | triangle down, filled         | 5 |
/// |  8   | asterisk (plus and cross)     | 3 | 34   | triangle left, open           | 4 |
/// |  9   | asterisk (plus and cross)     | 5 | 35   | triangle left, filled         | 4 |
/// | 10   | square, open                  | 2 | 36   | triangle right, open          | 4 |
/// | 11   | square, open                  | 3 | 37   | triangle right, filled        | 4 |
/// | 12   | square, open                  | 5 | 38   | five-pointed star, open       | 5 |
/// | 13   | square, filled                | 2 | 39   | five-pointed star, filled     | 5 |
/// | 14   | square, filled                | 3 | 40   | hexagon, open                 | 4 |
/// | 15   | square, filled                | 5 | 41   | hexagon, filled               | 4 |
/// | 16   | circle, open                  | 2 | 42   | square with cross inside      | 4 |
/// | 17   | circle, open                  | 3 | 43   | square with plus inside       | 4 |
/// | 18   | circle, open                  | 5 | 44   | circle with plus inside       | 4 |
/// | 19   | circle, filled                | 2 | 45   | circle with cross inside      | 4 |
/// | 20   | circle, filled                | 3 | 46   | circle with centre dot        | 4 |
/// | 21   | circle, filled                | 5 | 47   | vertical bar                  | 5 |
/// | 22   | diamond, open                 | 3 | 48   | horizontal bar                | 5 |
/// | 23   | diamond, open                 | 5 | 49   | large circle, open            | 7 |
/// | 24   | diamond, filled               | 3 | 50   | large square, open            | 7 |
/// | 25   | diamond, filled               | 5 | 51   | large diamond, open           | 7 |
///
/// Types above 51 draw the character with that code (Unicode code point) centred on the pixel
/// with the canvas font in the pen colour on a transparent background. Negative types draw
/// nothing. See the gallery page "platform".
void DrawMarkOnCanvas(TCanvas& cv, int MarkType, int x, int y);

/// Names of the designed mark types, as in the table above; the digit is the half size r where
/// a shape comes in several sizes. The mark numbers stay accepted wherever a mark type is taken
/// (MarkAt, the box plot's and the 3D plots' symbols).
enum TMarkType : uint8_t {
  mrkPixel = 0,
  mrkDot = 1,
  mrkPlus2 = 2,
  mrkPlus3 = 3,
  mrkPlus5 = 4,
  mrkCross2 = 5,
  mrkCross3 = 6,
  mrkCross5 = 7,
  mrkAsterisk3 = 8,
  mrkAsterisk5 = 9,
  mrkSquare2 = 10,
  mrkSquare3 = 11,
  mrkSquare5 = 12,
  mrkSquareFilled2 = 13,
  mrkSquareFilled3 = 14,
  mrkSquareFilled5 = 15,
  mrkCircle2 = 16,
  mrkCircle3 = 17,
  mrkCircle5 = 18,
  mrkCircleFilled2 = 19,
  mrkCircleFilled3 = 20,
  mrkCircleFilled5 = 21,
  mrkDiamond3 = 22,
  mrkDiamond5 = 23,
  mrkDiamondFilled3 = 24,
  mrkDiamondFilled5 = 25,
  mrkTriangleUp3 = 26,
  mrkTriangleUp5 = 27,
  mrkTriangleUpFilled3 = 28,
  mrkTriangleUpFilled5 = 29,
  mrkTriangleDown3 = 30,
  mrkTriangleDown5 = 31,
  mrkTriangleDownFilled3 = 32,
  mrkTriangleDownFilled5 = 33,
  mrkTriangleLeft = 34,
  mrkTriangleLeftFilled = 35,
  mrkTriangleRight = 36,
  mrkTriangleRightFilled = 37,
  mrkStar = 38,
  mrkStarFilled = 39,
  mrkHexagon = 40,
  mrkHexagonFilled = 41,
  mrkSquareCross = 42,
  mrkSquarePlus = 43,
  mrkCirclePlus = 44,
  mrkCircleCross = 45,
  mrkCircleDot = 46,
  mrkVertBar = 47,
  mrkHorzBar = 48,
  mrkCircleLarge = 49,
  mrkSquareLarge = 50,
  mrkDiamondLarge = 51
};

/// Number of designed mark types (0 .. 51).
constexpr int NumMarkTypes = 52;

}  // namespace zyr
