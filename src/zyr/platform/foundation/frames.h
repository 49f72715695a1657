// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// 3D frames around controls and boxes, and font sizing for a canvas's resolution.

#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/canvas.h>

namespace zyr {

/// Draws a frame of \p style on the pixels of the rectangle left .. right, top .. bottom (both
/// edges inclusive). The colours play these roles: c1 highlight (usually white), c2 light
/// (silver), c3 shadow (gray), c4 dark shadow (black), c5 plain line colour.
///
/// | Style | Frame                                                                      |
/// |-------|----------------------------------------------------------------------------|
/// | 0     | none                                                                       |
/// | 1     | simple: one line in c5                                                     |
/// | 2     | lowered: outer line c3 top/left, c1 bottom/right; inner c4 / c2            |
/// | 3     | raised: outer line c2 top/left, c4 bottom/right; inner c1 / c3             |
/// | 4     | embossed (a ridge): outer line c1 top/left, c3 bottom/right; inner c3 / c1 |
/// | 5     | engraved (a groove): outer line c3 top/left, c1 bottom/right; inner c1 / c3|
/// | 6     | double line in c5 (outer and inner)                                        |
/// | other | none                                                                       |
///
/// The pen width is 1 while drawing; the canvas's pen and brush are restored afterwards.
/// A rectangle too small for two lines gets only the outer one. See the gallery page "platform".
void DrawFrame(TCanvas& cv, TFrameStyle style, int left, int top, int right, int bottom, TColor c1,
               TColor c2, TColor c3, TColor c4, TColor c5);

/// Sets the canvas font to \p points at the canvas's vertical resolution (LOGPIXELSY), so text
/// has the same physical size on the screen and on a printer page.
void SetCanvasFontSizeScaled(TCanvas& cv, int points);

}  // namespace zyr
