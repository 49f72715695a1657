// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Helper of the chart's item drawing: the column merging of dense polylines.

#include <zyr/platform/host/canvas.h>

#include <array>
#include <cstdint>

namespace zyr {

/// Draws a polyline of one-pixel solid copying pen, replacing the points that share a pixel
/// column by at most four which set the same pixels. Segments leave out their end pixel, so a
/// column is covered from the lowest to the highest of its points before the last, plus the
/// stretch to the last point. Any number of points may be added; the canvas pen ends on the
/// last point after Finish.
class TColumnMerger {
 public:
  /// A merger drawing on Canvas with its current pen.
  explicit TColumnMerger(TCanvas& Canvas) : FCanvas(Canvas) {}
  /// Adds the next point of the polyline (pixels).
  void Add(TPoint p) {
    if (FOpen && p.X == FColX) {
      // The previous last point is now one before the last.
      if (FLast < FLo) FLo = FLast;
      if (FLast > FHi) FHi = FLast;
      FLast = p.Y;
      if (FK < 4) FHead[FK] = p.Y;
      ++FK;
      return;
    }
    if (FOpen) CloseColumn();
    FOpen = true;
    FColX = p.X;
    FFirst = FLast = p.Y;
    FLo = INT32_MAX;
    FHi = INT32_MIN;
    FHead[0] = p.Y;
    FK = 1;
  }
  /// Adds Count >= 5 points that all lie in column x: the first and the last with their Y,
  /// the others through the lowest and highest Y of all but the last.
  void AddColumn(int x, int yFirst, int yLo, int yHi, int yLast, int Count) {
    if (FOpen && x == FColX) {
      if (FLast < FLo) FLo = FLast;
      if (FLast > FHi) FHi = FLast;
    } else {
      if (FOpen) CloseColumn();
      FOpen = true;
      FColX = x;
      FFirst = yFirst;
      FLo = INT32_MAX;
      FHi = INT32_MIN;
      FK = 0;
    }
    if (yLo < FLo) FLo = yLo;
    if (yHi > FHi) FHi = yHi;
    FLast = yLast;
    FK += Count;
  }
  /// Draws everything added; the merger is empty afterwards.
  void Finish();

 private:
  static constexpr int kOutSize = 1024;
  void CloseColumn();
  void Push(int x, int y);

  TCanvas& FCanvas;
  bool FOpen = false;
  int FColX = 0, FFirst = 0, FLast = 0, FLo = 0, FHi = 0, FK = 0;
  std::array<int, 4> FHead{};
  std::array<TPoint, kOutSize> FOut;
  int FN = 0;
};

}  // namespace zyr
