// SPDX-License-Identifier: MIT
// Column merging of the chart's item drawing.

#include <zyr/chart/rchart_drawcache.h>

namespace zyr {

// ------------------------------------------------------------------ column merging

void TColumnMerger::Push(int x, int y) {
  // A repeated point would be a zero-length segment, which sets no pixel.
  if (FN > 0 && FOut[size_t(FN - 1)].X == x && FOut[size_t(FN - 1)].Y == y) return;
  if (FN == kOutSize) {
    // Each thin segment is drawn on its own, so the line may be split at any point.
    FCanvas.Polyline(FOut.data(), FN);
    FOut[0] = FOut[size_t(FN - 1)];
    FN = 1;
  }
  FOut[size_t(FN++)] = {x, y};
}

void TColumnMerger::CloseColumn() {
  const int x = FColX;
  if (FK < 5) {
    for (int i = 0; i < FK; ++i) Push(x, FHead[size_t(i)]);
    return;
  }
  Push(x, FFirst);
  if (FLast > FHi) {
    Push(x, FLo);
  } else if (FLast < FLo) {
    Push(x, FHi);
  } else if (FLast != FHi) {
    Push(x, FLo);
    Push(x, FHi);
  } else {
    Push(x, FHi);
    Push(x, FLo);
  }
  Push(x, FLast);
}

void TColumnMerger::Finish() {
  if (FOpen) CloseColumn();
  FOpen = false;
  if (FN > 0) FCanvas.Polyline(FOut.data(), FN);
  FN = 0;
}

}  // namespace zyr
