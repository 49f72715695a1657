// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Screen cursors: the standard shapes (crDefault, crCross, ...) and the library's own four,
/// "CURHAND", "CURZOOMW", "CURZOOMD" and "CURZOOMP" as cursor numbers 1 to 4.

#include <zyr/platform/host/types.h>

#include <string>

class QCursor;

namespace zyr {

/// The charts' own cursors: a hand for panning, and magnifiers for zooming to a rectangle
/// (minus), by dragging (arrows) and keeping the directions (plus).
///@{
constexpr TCursor crZyrHand = 1;
constexpr TCursor crZyrZoomW = 2;
constexpr TCursor crZyrZoomD = 3;
constexpr TCursor crZyrZoomP = 4;
///@}

namespace Screen {
/// Registers the library cursors under 1 .. 4 (idempotent; needs a GUI application).
void RegisterZyrCursors();
/// Whether a cursor number is known (standard shapes always are).
bool HasCursor(TCursor c);
/// The Qt cursor for a cursor number (the arrow for unknown numbers).
QCursor Cursor(TCursor c);
/// The cursor number of a resource name, 0 when unknown.
TCursor CursorByName(const std::string& name);
}  // namespace Screen

}  // namespace zyr
