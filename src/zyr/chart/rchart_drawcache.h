#pragma once
/// \file
/// Helpers of the chart's item drawing: compact copies of the line runs of an item array, so
/// that redrawing after a range change reads 16 bytes per point instead of a whole record, and
/// the column merging of dense polylines.

#include <zyr/chart/chartitem.h>
#include <zyr/platform/host/canvas.h>

#include <array>
#include <cstdint>
#include <vector>

namespace zyr {

/// Consecutive tkLineto items in world coordinates that share pen colour, style, width, fill,
/// layer and class, so that after the first of them no pen change happens in between.
struct TLineRun {
  int Begin = 0;      ///< first item index
  int End = 0;        ///< one past the last item index
  size_t Offset = 0;  ///< position of item Begin in the coordinate arrays
  TColor Color = 0;
  TColor FillColor = 0;
  int32_t LWid = 0;
  int32_t Layer = 0;
  TPenStyle PenStyle = psSolid;
  uint8_t ItemClass = 0;
  size_t FirstBlock = 0;  ///< its first block summary
  int NumBlocks = 0;
};

/// Summary of TLineRunCache::kBlockSize consecutive points of a run, so that a block whose
/// points all fall into one pixel column is merged without visiting its points.
struct TLineBlock {
  double xFirst = 0, xLast = 0, yFirst = 0, yLast = 0;
  double yLo = 0, yHi = 0;  ///< over all points but the last
  /// X is monotonic and every coordinate finite: on a linear axis the pixels of the points
  /// then lie between those of the extremes.
  bool Summable = false;
};

/// The line runs of the first items of one item array with their world coordinates, valid
/// for one state of the array (its Id and Generation) and one item count.
///
///   if (cache.Prepare(container, count))
///     for (const TLineRun& r : cache.Runs()) ... cache.X()[r.Offset] ...
///
/// Prepare builds only when it sees the same state a second time: a chart whose items change
/// before every repaint would pay for building and never profit.
class TLineRunCache {
 public:
  /// Runs shorter than this are left to the item-by-item drawing.
  static constexpr int kMinRunLength = 8;
  /// Points per block summary; the blocks of a run start at its second point, which is the
  /// first one drawn from the cache.
  static constexpr int kBlockSize = 64;

  /// True when the cache describes the first Count items of c in its present state.
  bool Matches(const TRcItemContainer& c, int Count) const {
    return FValid && FId == c.Id() && FGeneration == c.Generation() && FCount == Count;
  }
  /// Makes the cache describe the first Count items of c if worth it; false when it does not.
  bool Prepare(const TRcItemContainer& c, int Count);
  /// Forgets everything (and frees the arrays).
  void Clear();

  const std::vector<TLineRun>& Runs() const { return FRuns; }
  const double* X() const { return FX.data(); }
  const double* Y() const { return FY.data(); }
  const TLineBlock* Blocks() const { return FBlocks.data(); }

 private:
  void Build(const TRcItemContainer& c, int Count);

  bool FValid = false;
  uint64_t FId = 0, FGeneration = 0;
  int FCount = -1;
  uint64_t FSeenId = 0, FSeenGeneration = 0;
  int FSeenCount = -1;
  std::vector<TLineRun> FRuns;
  std::vector<double> FX, FY;
  std::vector<TLineBlock> FBlocks;
};

/// Draws a polyline of one-pixel solid copying pen, replacing the points that share a pixel
/// column by at most four which set the same pixels. Segments leave out their end pixel, so a
/// column is covered from the lowest to the highest of its points before the last, plus the
/// stretch to the last point. Any number of points may be added; the canvas pen ends on the
/// last point after Finish.
class TColumnMerger {
 public:
  explicit TColumnMerger(TCanvas& Canvas) : FCanvas(Canvas) {}
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
