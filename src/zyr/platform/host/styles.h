// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Style services: themed colours of the desktop. Off unless a caller turns them on, so that
/// pictures use the classic colours; when on, colours come from the application palette.

#include <zyr/platform/host/types.h>

namespace zyr {

enum TStyleColor : uint8_t { scBorder, scWindow, scGrid, scPanel, scButtonNormal };
enum TStyleFont : uint8_t { sfPanelTextNormal, sfWindowTextNormal, sfButtonTextNormal };

class TStyleServices {
 public:
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  TColor GetStyleColor(TStyleColor c) const;
  TColor GetStyleFontColor(TStyleFont f) const;
  /// A system colour as the active style shows it (ColorToRGB when styles are off).
  TColor GetSystemColor(TColor c) const;

 private:
  bool FEnabled = false;
};

/// The process-wide style services.
TStyleServices& StyleServices();

}  // namespace zyr
