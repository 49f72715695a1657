// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// The system clipboard: text, pictures and vector pictures (SVG).

#include <string>

class QImage;

namespace zyr {

namespace Clipboard {
/// Each answers false when there is no clipboard (no GUI application).
bool SetText(const std::string& text);
/// The text on the clipboard (empty without one).
std::string Text();
/// Puts a picture on the clipboard.
bool SetImage(const QImage& img);
/// Puts an SVG document on the clipboard (mime type image/svg+xml) with a raster fallback.
bool SetSvg(const std::string& svg, const QImage* fallback = nullptr);
}  // namespace Clipboard

}  // namespace zyr
