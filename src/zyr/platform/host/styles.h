// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Style services: themed colours of the desktop. Off unless a caller turns them on, so that
/// pictures use the classic colours; when on, colours come from the application palette.

#include <zyr/platform/host/types.h>

namespace zyr {

/// The elements whose colours a visual style supplies.
enum TStyleColor : uint8_t { scBorder, scWindow, scGrid, scPanel, scButtonNormal };
/// The texts whose colours a visual style supplies.
enum TStyleFont : uint8_t { sfPanelTextNormal, sfWindowTextNormal, sfButtonTextNormal };

/// Colours of the active visual style (Qt's palette). Off by default, so that pictures do not
/// depend on the desktop; the answers are then the classic colours.
class TStyleServices {
 public:
  /// Whether the style's colours are used.
  ///@{
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  ///@}
  /// Colour of an element: the palette's when enabled, else the classic one.
  TColor GetStyleColor(TStyleColor c) const;
  /// Colour of a text: the palette's when enabled, else the classic one.
  TColor GetStyleFontColor(TStyleFont f) const;
  /// A system colour as the active style shows it (ColorToRGB when styles are off).
  TColor GetSystemColor(TColor c) const;

 private:
  bool FEnabled = false;
};

/// The process-wide style services.
TStyleServices& StyleServices();

}  // namespace zyr
