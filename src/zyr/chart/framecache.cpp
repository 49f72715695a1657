// SPDX-License-Identifier: MIT
// Kept pictures of a chart's frame and kept pixels of its grid.

#include <zyr/chart/framecache.h>

#include <algorithm>
#include <cstring>

namespace zyr {

namespace {

// The whole 32-bit picture of a canvas for direct writes, or null.
uint32_t* WholePicture(TCanvas& Canvas, int Width, int Height, qsizetype& Stride) {
  TRect box;
  uint32_t* bits = Canvas.DirectPixels(Stride, box);
  if (!bits || box.Left != 0 || box.Top != 0 || box.Right != Width || box.Bottom != Height)
    return nullptr;
  return bits;
}

// The part of a box inside a picture (an empty box stays empty).
TRect Inside(const TRect& r, int Width, int Height) {
  TRect o;
  o.Left = std::clamp(r.Left, 0, Width);
  o.Right = std::clamp(r.Right, o.Left, Width);
  o.Top = std::clamp(r.Top, 0, Height);
  o.Bottom = std::clamp(r.Bottom, o.Top, Height);
  if (o.Left == o.Right || o.Top == o.Bottom) o = TRect{};
  return o;
}

}  // namespace

// ------------------------------------------------------------------ frame

bool TFrameCache::Restore(const TPaintKey& Key, TBitmap& Target, const TRect& Skip) {
  if (Key.Empty() || !(Key == FKey)) return false;
  if (Target.Width() != FWidth || Target.Height() != FHeight) return false;
  if (!(Inside(Skip, FWidth, FHeight) == FSkip)) return false;
  TCanvas& cv = Target.Canvas();
  qsizetype stride = 0;
  uint32_t* bits = WholePicture(cv, FWidth, FHeight, stride);
  if (!bits) return false;
  ForEachPart([&](int y, int x, int n, size_t at) {
    std::memcpy(bits + qsizetype(y) * stride + x, FPixels.data() + at, size_t(n) * 4);
  });
  cv.Pen().Assign(&FPen);
  cv.Brush().Assign(&FBrush);
  cv.Font().Assign(&FFont);
  cv.SetPenPos(FPenPos);
  return true;
}

void TFrameCache::Offer(const TPaintKey& Key, TBitmap& Source, const TRect& Skip) {
  if (Key.Empty()) return;
  if (!(Key == FLastOffer)) {
    FLastOffer = Key;
    return;
  }
  if (Key == FKey && Skip == FSkip) return;
  const TPaintKey last = FLastOffer;
  Clear();
  FLastOffer = last;
  const QImage& img = Source.Image();
  FWidth = img.width();
  FHeight = img.height();
  FSkip = Inside(Skip, FWidth, FHeight);
  size_t n = 0;
  ForEachPart([&](int, int, int k, size_t) { n += size_t(k); });
  FPixels.resize(n);
  ForEachPart([&](int y, int x, int k, size_t at) {
    std::memcpy(FPixels.data() + at, img.constScanLine(y) + x * 4, size_t(k) * 4);
  });
  TCanvas& cv = Source.Canvas();
  FPen.Assign(&cv.Pen());
  FBrush.Assign(&cv.Brush());
  FFont.Assign(&cv.Font());
  FPenPos = cv.PenPos();
  FKey = Key;
}

void TFrameCache::Clear() {
  FKey.Clear();
  FLastOffer.Clear();
  std::vector<uint32_t>().swap(FPixels);
  FWidth = FHeight = 0;
  FSkip = TRect{};
}

// ------------------------------------------------------------------ pixels of a figure

bool TPixelCache::Replay(const TPaintKey& Key, TCanvas& Canvas) {
  if (Key.Empty() || !(Key == FKey)) return false;
  qsizetype stride = 0;
  uint32_t* bits = WholePicture(Canvas, FWidth, FHeight, stride);
  if (!bits) return false;
  const size_t n = FIndex.size();
  if (stride == FWidth) {
    for (size_t k = 0; k < n; ++k) bits[FIndex[k]] = FColor[k];
  } else {
    for (size_t k = 0; k < n; ++k)
      bits[qsizetype(FIndex[k] / uint32_t(FWidth)) * stride + FIndex[k] % uint32_t(FWidth)] =
          FColor[k];
  }
  return true;
}

void TPixelCache::Offer(const TPaintKey& Key, int Width, int Height, const TPen& Pen,
                        const std::function<void(TCanvas&)>& Draw) {
  if (Key.Empty()) return;
  if (!(Key == FLastOffer)) {
    FLastOffer = Key;
    return;
  }
  if (Key == FKey || Width <= 0 || Height <= 0) return;
  Clear();
  FLastOffer = Key;
  // Drawn on black, then on white: a pixel the figure writes opaquely reads the same both
  // times; one that reads differently but not as the background was blended.
  constexpr uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;  // as stored
  const size_t most = size_t(Width) * size_t(Height) / 8;         // more is drawn, not replayed
  TBitmap pic;
  pic.SetPixelFormat(pf32bit);
  pic.SetSize(Width, Height);
  std::vector<uint32_t> index, color;
  size_t first = 0;  // pixels found on the first pass
  for (int pass = 0; pass < 2; ++pass) {
    TCanvas& cv = pic.Canvas();
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(pass == 0 ? clBlack : clWhite);
    cv.FillRect(Rect(0, 0, Width, Height));
    cv.Pen().Assign(&Pen);
    Draw(cv);
    const QImage& img = pic.Image();
    const uint32_t back = pass == 0 ? kBlack : kWhite, other = pass == 0 ? kWhite : kBlack;
    size_t k = 0;  // walks the pixels of the first pass, which are in the same order
    for (int y = 0; y < Height; ++y) {
      const auto* p = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
      for (int x = 0; x < Width; ++x) {
        const uint32_t i = uint32_t(y) * uint32_t(Width) + uint32_t(x);
        const bool seen = pass == 1 && k < first && index[k] == i;
        if (seen) {
          if (p[x] != color[k]) return;  // blended
          ++k;
        } else if (p[x] != back) {
          if (pass == 1 && p[x] != other) return;  // blended, or missed on black
          if (index.size() >= most) return;
          index.push_back(i);
          color.push_back(p[x]);
        }
      }
    }
    first = index.size();
    if (pass == 1) {
      // Pixels written black on the first pass show only on the second; keep the order.
      std::vector<size_t> order(index.size());
      for (size_t j = 0; j < order.size(); ++j) order[j] = j;
      std::sort(order.begin(), order.end(),
                [&](size_t a, size_t b) { return index[a] < index[b]; });
      FIndex.resize(order.size());
      FColor.resize(order.size());
      for (size_t j = 0; j < order.size(); ++j) {
        FIndex[j] = index[order[j]];
        FColor[j] = color[order[j]];
      }
    }
  }
  FWidth = Width;
  FHeight = Height;
  FKey = Key;
}

void TPixelCache::Clear() {
  FKey.Clear();
  FLastOffer.Clear();
  FIndex.clear();
  FColor.clear();
  FWidth = FHeight = 0;
}

}  // namespace zyr
