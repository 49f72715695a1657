// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Pieces of a chart's picture that only its settings change, kept so that a repaint after
/// a change of the data copies them instead of drawing them: the frame around the data area
/// (background, shadow rim, caption, scales) and the grid.
///
/// Each piece is kept under a key of everything its drawing reads (TPaintKey) and taken only
/// when the same key comes twice in a row, so that pictures whose settings change at every
/// paint (panning, zooming) never pay for taking it.

#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/paintkey.h>

#include <QImage>
#include <functional>
#include <vector>

namespace zyr {

/// The picture of a bitmap under a key, but for a box its owner draws over at once, with the
/// canvas state its drawing left behind.
class TFrameCache {
 public:
  /// When \p Key is the kept one and \p Skip the box left out then, copies the kept picture
  /// into \p Target, restores the canvas state and returns true. The target must be as large
  /// as the kept picture.
  bool Restore(const TPaintKey& Key, TBitmap& Target, const TRect& Skip);
  /// The picture in \p Source was just drawn under \p Key: kept, but for \p Skip, when the
  /// key came twice in a row.
  void Offer(const TPaintKey& Key, TBitmap& Source, const TRect& Skip);
  /// Forgets the kept picture and the last key offered.
  void Clear();

 private:
  // Calls f(y, x, n, at) for each run of kept pixels of a row, at its place in FPixels.
  template <class F>
  void ForEachPart(F&& f) const {
    size_t at = 0;
    for (int y = 0; y < FHeight; ++y) {
      if (y < FSkip.Top || y >= FSkip.Bottom || FSkip.Left == FSkip.Right) {
        f(y, 0, FWidth, at);
        at += size_t(FWidth);
        continue;
      }
      f(y, 0, FSkip.Left, at);
      at += size_t(FSkip.Left);
      f(y, FSkip.Right, FWidth - FSkip.Right, at);
      at += size_t(FWidth - FSkip.Right);
    }
  }
  TPaintKey FKey, FLastOffer;
  std::vector<uint32_t> FPixels;
  int FWidth = 0, FHeight = 0;
  TRect FSkip;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
};

/// The pixels a thin-pen figure (the grid) writes, replayed into a 32-bit raster canvas.
class TPixelCache {
 public:
  /// When \p Key is the kept one and \p Canvas takes direct writes over its whole picture of
  /// the recorded size, writes the recorded pixels and returns true.
  bool Replay(const TPaintKey& Key, TCanvas& Canvas);
  /// \p Draw just drew the figure on a canvas of \p Width x \p Height with pen \p Pen under
  /// \p Key. When the key came twice, it is drawn again on a black and on a white picture;
  /// pixels that come out equal on both are kept. A figure whose pixels depend on what lies
  /// below (blended edges) is not kept.
  void Offer(const TPaintKey& Key, int Width, int Height, const TPen& Pen,
             const std::function<void(TCanvas&)>& Draw);
  /// Forgets the kept pixels and the last key offered.
  void Clear();

 private:
  TPaintKey FKey, FLastOffer;
  int FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FIndex;  // y * FWidth + x
  std::vector<uint32_t> FColor;  // as stored in a 32-bit picture
};

}  // namespace zyr
