// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/colorarray.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyr {

TColor InterpolateColor(TColor a, TColor b, double frac) {
  if (!(frac > 0)) frac = 0;  // also catches NaN
  if (frac > 1) frac = 1;
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  auto mix = [frac](uint8_t x, uint8_t y) {
    return uint8_t(std::nearbyint(x + (double(y) - double(x)) * frac));
  };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

TColor PredefinedColors(int i) {
  static constexpr TColor table[NumPredefinedColors] = {
      RGB(0, 0, 0),       RGB(0, 0, 255),    RGB(220, 0, 0),    RGB(0, 140, 0),
      RGB(200, 0, 200),   RGB(0, 140, 140),  RGB(240, 120, 0),  RGB(140, 70, 20),
      RGB(0, 0, 128),     RGB(128, 0, 0),    RGB(128, 128, 0),  RGB(110, 40, 170),
      RGB(110, 110, 110), RGB(30, 130, 230), RGB(230, 30, 120), RGB(0, 90, 40),
  };
  int64_t k = ((int64_t(i) - 1) % NumPredefinedColors + NumPredefinedColors) % NumPredefinedColors;
  return table[k];
}

TColorArray::TColorArray() {
  FColors.resize(16);
  FillNoNotify(1, 16, {clBlue, clAqua, clLime, clYellow, clRed});
}

void TColorArray::Changed() {
  if (OnChange) OnChange(this);
}

void TColorArray::SetNumColors(int n) {
  n = std::clamp(n, 0, MaxColors);
  if (n == NumColors()) return;
  FColors.resize(size_t(n), clBlack);
  Changed();
}

TColor TColorArray::Color(int i) const {
  if (i < 1 || i > NumColors()) return clBlack;
  return FColors[size_t(i - 1)];
}

void TColorArray::SetColor(int i, TColor c) {
  if (i < 1 || i > NumColors() || FColors[size_t(i - 1)] == c) return;
  FColors[size_t(i - 1)] = c;
  Changed();
}

void TColorArray::FillNoNotify(int First, int Last, const std::vector<TColor>& anchors) {
  int n = NumColors();
  if (anchors.empty() || n == 0) return;
  First = std::clamp(First, 1, n);
  Last = std::clamp(Last, 1, n);
  int count = std::abs(Last - First) + 1;
  int dir = Last >= First ? 1 : -1;
  int segs = int(anchors.size()) - 1;
  for (int k = 0; k < count; ++k) {
    TColor c = anchors[0];
    if (segs > 0 && count > 1) {
      double pos = double(k) / (count - 1) * segs;
      int j = std::min(int(pos), segs - 1);
      c = InterpolateColor(anchors[size_t(j)], anchors[size_t(j + 1)], pos - j);
    }
    FColors[size_t(First + k * dir - 1)] = c;
  }
}

void TColorArray::Fill(int First, int Last, const std::vector<TColor>& anchors) {
  if (anchors.empty() || NumColors() == 0) return;
  FillNoNotify(First, Last, anchors);
  Changed();
}

void TColorArray::Fill(int n, std::initializer_list<TColor> anchors) {
  FColors.resize(size_t(std::clamp(n, 0, MaxColors)), clBlack);
  FillNoNotify(1, NumColors(), std::vector<TColor>(anchors));
  Changed();
}

void TColorArray::CopyRange(const TColorArray& Source, int SrcFirst, int DstFirst, int Count) {
  if (Count <= 0) return;
  // Copy through a buffer so overlapping ranges of one table work.
  std::vector<TColor> buf;
  std::vector<int> dst;
  for (int k = 0; k < Count; ++k) {
    int64_t s = int64_t(SrcFirst) + k;
    int64_t d = int64_t(DstFirst) + k;
    if (s < 1 || s > Source.NumColors() || d < 1 || d > NumColors()) continue;
    buf.push_back(Source.FColors[size_t(s - 1)]);
    dst.push_back(int(d));
  }
  if (buf.empty()) return;
  for (size_t k = 0; k < buf.size(); ++k) FColors[size_t(dst[k] - 1)] = buf[k];
  Changed();
}

int TColorArray::NearestIndex(TColor c) const {
  c = ColorToRGB(c);
  int best = 0;
  int64_t bestDist = std::numeric_limits<int64_t>::max();
  for (int i = 0; i < NumColors(); ++i) {
    TColor e = ColorToRGB(FColors[size_t(i)]);
    int64_t dr = int(GetRValue(e)) - int(GetRValue(c));
    int64_t dg = int(GetGValue(e)) - int(GetGValue(c));
    int64_t db = int(GetBValue(e)) - int(GetBValue(c));
    int64_t d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = i + 1;
    }
  }
  return best;
}

void TColorArray::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TColorArray*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FColors = src->FColors;
  Changed();
}

}  // namespace zyr
