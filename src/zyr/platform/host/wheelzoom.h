// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Zoom factors of wheel turns, shared by every control that zooms with the wheel.

#include <algorithm>
#include <cmath>

namespace zyr {

/// Wheel delta of one notch; high-resolution wheels and touchpads send fractions of it.
constexpr int kWheelNotch = 120;
/// The largest turn one wheel event may zoom by: a flood of notches in one event (a stuck
/// wheel, a synthetic event) zooms no further than this.
constexpr double kMaxWheelNotches = 10;
/// Factor of one notch unless the control is told otherwise.
constexpr double kDefaultWheelZoomFactor = 1.2;

/// Whether a per-notch zoom factor can be used: above 1 (1 would not zoom) and at most 16.
inline bool ValidWheelZoomFactor(double PerNotch) { return PerNotch > 1 && PerNotch <= 16; }

/// Magnification of a turn of Delta (positive: away from the user, zooms in), PerNotch^(Delta /
/// 120) with the turn limited to kMaxWheelNotches notches either way.
inline double WheelTurnFactor(double PerNotch, int Delta) {
  const double notches =
      std::clamp(double(Delta) / kWheelNotch, -kMaxWheelNotches, kMaxWheelNotches);
  return std::pow(PerNotch, notches);
}

}  // namespace zyr
