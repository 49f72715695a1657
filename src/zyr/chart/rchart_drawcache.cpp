// Line-run cache and column merging of the chart's item drawing.

#include <zyr/chart/rchart_drawcache.h>

#include <algorithm>
#include <cmath>

namespace zyr {

// ------------------------------------------------------------------ line runs

namespace {

bool SameRun(const TrcChartItem& a, const TrcChartItem& b) {
  return b.ItemKind == tkLineto && b.CoordMode == cmAllWorld && a.Color == b.Color &&
         a.FillColor == b.FillColor && a.LWid == b.LWid && a.PenStyle == b.PenStyle &&
         a.Layer == b.Layer && a.ItemClass == b.ItemClass;
}

TLineBlock Summary(const double* x, const double* y) {
  constexpr int n = TLineRunCache::kBlockSize;
  TLineBlock b;
  b.xFirst = x[0];
  b.xLast = x[n - 1];
  b.yFirst = y[0];
  b.yLast = y[n - 1];
  b.yLo = b.yHi = y[0];
  bool up = true, down = true, finite = std::isfinite(x[n - 1]) && std::isfinite(y[n - 1]);
  for (int i = 0; i < n - 1; ++i) {
    finite = finite && std::isfinite(x[i]) && std::isfinite(y[i]);
    up = up && x[i] <= x[i + 1];
    down = down && x[i] >= x[i + 1];
    b.yLo = std::min(b.yLo, y[i]);
    b.yHi = std::max(b.yHi, y[i]);
  }
  b.Summable = finite && (up || down);
  return b;
}

}  // namespace

bool TLineRunCache::Prepare(const TRcItemContainer& c, int Count) {
  if (Matches(c, Count)) return true;
  if (c.Id() == FSeenId && c.Generation() == FSeenGeneration && Count == FSeenCount) {
    Build(c, Count);
    return true;
  }
  // Outdated coordinates are not kept: the items may have shrunk for good.
  Clear();
  FSeenId = c.Id();
  FSeenGeneration = c.Generation();
  FSeenCount = Count;
  return false;
}

void TLineRunCache::Clear() {
  FValid = false;
  FSeenCount = FCount = -1;
  std::vector<TLineRun>().swap(FRuns);
  std::vector<double>().swap(FX);
  std::vector<double>().swap(FY);
  std::vector<TLineBlock>().swap(FBlocks);
}

void TLineRunCache::Build(const TRcItemContainer& c, int Count) {
  FRuns.clear();
  FX.clear();
  FY.clear();
  FBlocks.clear();
  const int n = std::max(0, std::min<int>(Count, int(std::min<size_t>(c.Length(), INT32_MAX))));
  const TrcChartItem* items = c.Data();
  for (int i = 0; i < n;) {
    const TrcChartItem& first = items[i];
    // Items of other layers are never drawn, so they need no run.
    if (first.ItemKind != tkLineto || first.CoordMode != cmAllWorld ||
        (first.Layer != 1 && first.Layer != 2)) {
      ++i;
      continue;
    }
    int end = i + 1;
    while (end < n && SameRun(first, items[end])) ++end;
    if (end - i >= kMinRunLength) {
      TLineRun r;
      r.Begin = i;
      r.End = end;
      r.Offset = FX.size();
      r.Color = first.Color;
      r.FillColor = first.FillColor;
      r.LWid = first.LWid;
      r.Layer = first.Layer;
      r.PenStyle = first.PenStyle;
      r.ItemClass = first.ItemClass;
      for (int k = i; k < end; ++k) {
        FX.push_back(items[k].x);
        FY.push_back(items[k].y);
      }
      r.FirstBlock = FBlocks.size();
      for (int b = 1; b + kBlockSize <= end - i; b += kBlockSize)
        FBlocks.push_back(
            Summary(FX.data() + r.Offset + size_t(b), FY.data() + r.Offset + size_t(b)));
      r.NumBlocks = int(FBlocks.size() - r.FirstBlock);
      FRuns.push_back(r);
    }
    i = end;
  }
  FValid = true;
  FId = c.Id();
  FGeneration = c.Generation();
  FCount = Count;
}

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
