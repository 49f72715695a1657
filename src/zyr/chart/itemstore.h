// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// The compact item store behind a chart's data and annotation containers.
///
/// Callers see an array of 104-byte records; memory holds the coordinates of every item as two
/// arrays of doubles and the other fields once per run of items that differ only in (x, y):
/// a DrawTo or MarkAt stream under one pen costs about 17 bytes a point instead of a record.
///
///   TRcItemContainer c;                   // length 1, no records
///   c.Append(item);                       // slot 0
///   TrcChartItem r = c[0];                // a copy
///   c.ForEach(0, c.Size(), [](const TrcChartItem& it, size_t i) { ... });

#include <zyr/chart/chartitem.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace zyr {

/// Summary of TRcItemContainer::kBlockSize consecutive coordinate pairs, so that a block whose
/// points all fall into one pixel column is merged without visiting its points.
struct TLineBlock {
  /// Coordinates of the block's first and last point.
  ///@{
  double xFirst = 0, xLast = 0, yFirst = 0, yLast = 0;
  ///@}
  /// Lowest and highest y of the block, its last point left out.
  ///@{
  double yLo = 0, yHi = 0;  ///< over all points but the last
  ///@}
  /// X is monotonic and every coordinate finite: on a linear axis the pixels of the points
  /// then lie between those of the extremes.
  bool Summable = false;
};

/// The fields of a record after its coordinates x and y, as stored bytes.
struct TrcItemRest {
  /// Offset of the first stored field (x2) in a record.
  static constexpr size_t kOffset = offsetof(TrcChartItem, x2);
  /// Number of stored bytes.
  static constexpr size_t kSize = sizeof(TrcChartItem) - kOffset;
  /// The record's bytes from kOffset on.
  alignas(8) unsigned char Bytes[kSize];

  /// The fields of record r.
  static TrcItemRest Of(const TrcChartItem& r) {
    TrcItemRest s;
    std::memcpy(s.Bytes, reinterpret_cast<const unsigned char*>(&r) + kOffset, kSize);
    return s;
  }
  /// Writes the fields into record r, leaving its x and y alone.
  void To(TrcChartItem& r) const {
    std::memcpy(reinterpret_cast<unsigned char*>(&r) + kOffset, Bytes, kSize);
  }
  /// Byte-wise equality.
  bool operator==(const TrcItemRest& o) const {
    // Word by word: appends compare once per point, and a call to memcmp costs more.
    for (size_t k = 0; k < kSize; k += 8) {
      uint64_t a, b;
      std::memcpy(&a, Bytes + k, 8);
      std::memcpy(&b, o.Bytes + k, 8);
      if (a != b) return false;
    }
    return true;
  }
};
static_assert(TrcItemRest::kOffset == 16 && sizeof(TrcItemRest) == 88);

/// The non-coordinate fields of a sequence of items: runs that share them, and stretches of
/// items with fields of their own.
class TRcRestList {
 public:
  /// Items [Begin, next segment's Begin) share Rests[0] (a run) or have one entry each.
  struct TSeg {
    /// Index of the segment's first item.
    size_t Begin = 0;
    /// True when all items of the segment share Rests[0].
    bool Run = false;
    /// The shared entry of a run, or one entry per item.
    std::vector<TrcItemRest> Rests;
  };
  /// Equal fields this many times in a row turn into a run.
  static constexpr size_t kMinRun = 4;

  /// Number of items.
  size_t Size() const { return FSize; }
  /// The segments, in item order.
  const std::vector<TSeg>& Segs() const { return FSegs; }
  /// Index after the last item of segment s.
  size_t SegEnd(size_t s) const { return s + 1 < FSegs.size() ? FSegs[s + 1].Begin : FSize; }
  /// Segment holding item i (i < Size()).
  size_t SegOf(size_t i) const;
  /// Fields of item i, which lies in segment s.
  const TrcItemRest& RestAt(size_t s, size_t i) const {
    const TSeg& g = FSegs[s];
    return g.Run ? g.Rests[0] : g.Rests[i - g.Begin];
  }

  /// Whether the last items share one set of fields, so that ExtendRun may lengthen them.
  bool EndsInRun() const { return !FSegs.empty() && FSegs.back().Run; }
  /// One more item with the fields of the run at the end (EndsInRun() must hold).
  void ExtendRun() { ++FSize; }

  // Each of these leaves the list as it was when it throws.
  /// Appends one item with fields r.
  void Add(const TrcItemRest& r);
  /// n items that share r.
  void AddRun(const TrcItemRest& r, size_t n);
  /// The fields of items [From, To) of Src, in order.
  void AddRange(const TRcRestList& Src, size_t From, size_t To);
  /// Replaces the fields of item i (< Size()), splitting its run when they differ.
  void Set(size_t i, const TrcItemRest& r);
  /// Keeps the first n items.
  void Truncate(size_t n);
  /// Removes every item and frees the segments.
  void Clear();
  /// Exchanges the contents of two lists.
  void Swap(TRcRestList& o) noexcept;

 private:
  std::vector<TSeg> FSegs;
  size_t FSize = 0;
  /// Items at the end of a last segment of single entries that equal its last entry (a lower
  /// bound: 0 is always safe).
  size_t FTrail = 0;
};

/// Growable array of item records with a length in the sense of the item store (slots that
/// exist; slots never written read as zero) over a compact representation. Charts that share
/// data hold the same store.
class TRcItemContainer {
 public:
  /// Points per block summary.
  static constexpr size_t kBlockSize = 64;

  /// One zeroed slot.
  TRcItemContainer();
  /// Copies the slots of o; the copy keeps (or gets) an identity of its own.
  ///@{
  TRcItemContainer(const TRcItemContainer& o);
  TRcItemContainer& operator=(const TRcItemContainer& o);
  ///@}
  ~TRcItemContainer();

  /// Slots of the array.
  size_t Length() const { return FLength; }
  /// Keeps the slots below n; new slots are zero.
  void SetLength(size_t n);
  /// Slots that hold written records; the slots from here to Length() are zero.
  size_t Size() const { return FRests.Size(); }
  /// Length n with the first Count slots copied from src (the rest zero).
  void AssignFrom(const TRcItemContainer& src, size_t Count, size_t n);
  /// Exchanges the contents of two stores (constant time).
  void Swap(TRcItemContainer& o) noexcept;

  /// Copy of slot i (zero beyond Size(); i must be below Length()).
  ///@{
  TrcChartItem operator[](size_t i) const;
  TrcChartItem Get(size_t i) const { return (*this)[i]; }
  ///@}
  /// Writes slot i (below Length()); zero slots before it become written ones.
  void Set(size_t i, const TrcChartItem& r);
  /// Writes the slot at Size(), growing the length when needed.
  void Append(const TrcChartItem& r);
  /// n records that are Template with the coordinates (x[k], y[k]), at Size().
  void AppendPoints(const TrcChartItem& Template, const double* x, const double* y, size_t n);
  /// The record of the run at the end with the coordinates (x, y), at Size(): what Append of
  /// that record stores, without comparing fields (Rests().EndsInRun() must hold).
  void ExtendRun(double x, double y) {
    const size_t i = Size();
    ReserveXY(i + 1);
    FX[i] = x;
    FY[i] = y;
    FRests.ExtendRun();
    if (FLength <= i) FLength = i + 1;
    ++FGeneration;
    // Blocks missing after earlier changes are made at the next block end.
    if ((i + 1) % kBlockSize == 0 && (i + 1) / kBlockSize > FBlocks.size()) SummariseBlocks(i + 1);
  }
  /// The first n written slots of Src, at Size().
  void AppendFrom(const TRcItemContainer& Src, size_t n);
  /// Copies slots [First, First + n) into Out.
  void CopyOut(size_t First, size_t n, TrcChartItem* Out) const;

  /// Calls f(const TrcChartItem&, size_t index) for the slots [First, Last) in order; the
  /// record is valid during the call only. When f returns bool, false stops the walk.
  template <class F>
  void ForEach(size_t First, size_t Last, F&& f) const;
  /// Calls f(TrcChartItem&, size_t index) for the slots [First, Last) below Size() and
  /// stores what it leaves in the record.
  template <class F>
  void Update(size_t First, size_t Last, F&& f);
  /// Moves the records [Index + 1, Count) down one slot; slot Count - 1 keeps its record.
  void RemoveShift(size_t Index, size_t Count);
  /// Keeps, in order, the records of [0, Count) for which Remove is false at the front; the
  /// slots after them keep their records. Returns the number kept.
  template <class Pred>
  size_t RemoveIf(size_t Count, Pred&& Remove);

  /// Coordinates of the written slots (Size() values each).
  ///@{
  const double* X() const { return FX; }
  const double* Y() const { return FY; }
  ///@}
  /// The other fields of the written slots.
  const TRcRestList& Rests() const { return FRests; }
  /// Makes the summaries of the whole blocks of slots below n that are missing; returns how
  /// many leading blocks have one (fewer when memory is short).
  size_t SummariseBlocks(size_t n) noexcept;
  /// Summary of block b covers slots [b * kBlockSize, (b + 1) * kBlockSize).
  const TLineBlock* BlockData() const { return FBlocks.data(); }

  /// Identity of this store, unique for the life of the program (copies get their own).
  uint64_t Id() const { return FId; }
  /// Advances with every change, so that (Id, Generation) names one state of the contents.
  uint64_t Generation() const { return FGeneration; }
  /// Marks the contents as changed.
  void Touch() { ++FGeneration; }

 private:
  void ReserveXY(size_t n) {
    if (n > FCapacity) GrowXY(n);
  }
  void GrowXY(size_t n);
  void FreeXY();
  void DropBlocksFrom(size_t Slot);
  static TLineBlock Summary(const double* x, const double* y);
  TrcChartItem Record(size_t s, size_t i) const {
    TrcChartItem r;
    FRests.RestAt(s, i).To(r);
    r.x = FX[i];
    r.y = FY[i];
    return r;
  }

  double* FX = nullptr;
  double* FY = nullptr;
  size_t FCapacity = 0;         // of both arrays
  size_t FCapX = 0, FCapY = 0;  // of each, as allocated
  TRcRestList FRests;
  std::vector<TLineBlock> FBlocks;
  size_t FLength = 0;
  uint64_t FId = 0;
  uint64_t FGeneration = 0;
};

// ------------------------------------------------------------------ walks

template <class F>
void TRcItemContainer::ForEach(size_t First, size_t Last, F&& f) const {
  using R = std::invoke_result_t<F&, const TrcChartItem&, size_t>;
  auto call = [&](const TrcChartItem& r, size_t i) {
    if constexpr (std::is_same_v<R, bool>)
      return f(r, i);
    else
      return (f(r, i), true);
  };
  if (Last > FLength) Last = FLength;
  const size_t written = Last < Size() ? Last : Size();
  TrcChartItem r;
  if (First < written) {
    const auto& segs = FRests.Segs();
    for (size_t s = FRests.SegOf(First), i = First; i < written; ++s) {
      const size_t end = std::min(FRests.SegEnd(s), written);
      const TRcRestList::TSeg& g = segs[s];
      if (g.Run) {
        g.Rests[0].To(r);
        for (; i < end; ++i) {
          r.x = FX[i];
          r.y = FY[i];
          if (!call(r, i)) return;
        }
      } else {
        for (; i < end; ++i) {
          g.Rests[i - g.Begin].To(r);
          r.x = FX[i];
          r.y = FY[i];
          if (!call(r, i)) return;
        }
      }
    }
  }
  for (size_t i = std::max(First, written); i < Last; ++i) {
    r = TrcChartItem{};
    if (!call(r, i)) return;
  }
}

template <class F>
void TRcItemContainer::Update(size_t First, size_t Last, F&& f) {
  if (Last > Size()) Last = Size();
  if (First >= Last) return;
  // The fields are gathered afresh, so that runs split and join as the records now are.
  TRcRestList rests;
  rests.AddRange(FRests, 0, First);
  TrcChartItem r;
  for (size_t s = FRests.SegOf(First), i = First; i < Last; ++s) {
    const size_t end = std::min(FRests.SegEnd(s), Last);
    for (; i < end; ++i) {
      r = Record(s, i);
      f(r, i);
      FX[i] = r.x;
      FY[i] = r.y;
      rests.Add(TrcItemRest::Of(r));
    }
  }
  rests.AddRange(FRests, Last, Size());
  FRests.Swap(rests);
  DropBlocksFrom(First);
  ++FGeneration;
}

template <class Pred>
size_t TRcItemContainer::RemoveIf(size_t Count, Pred&& Remove) {
  if (Count > Size()) Count = Size();
  TRcRestList rests;
  size_t kept = 0;
  TrcChartItem r;
  for (size_t s = 0, i = 0; i < Count; ++s) {
    const size_t end = std::min(FRests.SegEnd(s), Count);
    for (; i < end; ++i) {
      r = Record(s, i);
      if (Remove(static_cast<const TrcChartItem&>(r))) continue;
      FX[kept] = r.x;
      FY[kept] = r.y;
      rests.Add(TrcItemRest::Of(r));
      ++kept;
    }
  }
  rests.AddRange(FRests, kept, Size());
  FRests.Swap(rests);
  DropBlocksFrom(0);
  ++FGeneration;
  return kept;
}

}  // namespace zyr
