// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Numeric limits and constants shared by all controls.

#include <limits>

namespace zyr {

/// Largest finite double.
constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
/// Largest finite 48-bit real of the classic file formats (kept as the documented limit).
constexpr double uc_MaxReal = 1.7e38;
/// Natural logarithm of 10.
constexpr double uc_ln10 = 2.30258509299404568402;

}  // namespace zyr
