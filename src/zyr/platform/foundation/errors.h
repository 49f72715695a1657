// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Exceptions of the library. Every real error raised by a control derives from EZYRError and
/// carries a fixed English message.

#include <stdexcept>
#include <string>

namespace zyr {

/// Base of all exceptions the library raises; catch it to handle any library error.
class EZYRError : public std::runtime_error {
 public:
  /// An error with the given message.
  explicit EZYRError(const std::string& Msg) : std::runtime_error(Msg) {}
};

/// Raised by the 2D charts (TRChart and its descendants).
class EZYRRChartError : public EZYRError {
 public:
  /// An error with the given message.
  explicit EZYRRChartError(const std::string& Msg) : EZYRError(Msg) {}
};

/// Raised by the rotatable 3D plot.
class EZYRRot3DError : public EZYRError {
 public:
  /// An error with the given message.
  explicit EZYRRot3DError(const std::string& Msg) : EZYRError(Msg) {}
};

}  // namespace zyr
