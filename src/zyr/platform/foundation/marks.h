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

/// Number of designed mark types (0 .. 51).
constexpr int NumMarkTypes = 52;

}  // namespace zyr
