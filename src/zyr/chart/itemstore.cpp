// SPDX-License-Identifier: MIT
// The compact item store: runs of equal fields over coordinate arrays, block summaries.

#include <zyr/chart/itemstore.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zyr {

// ------------------------------------------------------------------ fields by runs

size_t TRcRestList::SegOf(size_t i) const {
  // The last segment is where appends and most reads happen.
  if (!FSegs.empty() && FSegs.back().Begin <= i) return FSegs.size() - 1;
  auto it = std::upper_bound(FSegs.begin(), FSegs.end(), i,
                             [](size_t v, const TSeg& g) { return v < g.Begin; });
  return size_t(it - FSegs.begin()) - 1;
}

void TRcRestList::Add(const TrcItemRest& r) {
  if (!FSegs.empty()) {
    TSeg& g = FSegs.back();
    if (g.Run) {
      if (g.Rests[0] == r) {
        ++FSize;
        return;
      }
    } else if (g.Rests.back() == r) {
      if (FTrail + 1 < kMinRun) {
        g.Rests.push_back(r);
        ++FTrail;
        ++FSize;
        return;
      }
      // The equal entries at the end and this one become a run.
      if (FTrail == g.Rests.size()) {
        g.Rests.resize(1);
        g.Rests.shrink_to_fit();
        g.Run = true;
      } else {
        FSegs.push_back(TSeg{FSize - FTrail, true, {r}});
        TSeg& before = FSegs[FSegs.size() - 2];
        before.Rests.resize(before.Rests.size() - FTrail);
      }
      FTrail = 0;
      ++FSize;
      return;
    } else {
      g.Rests.push_back(r);
      FTrail = 1;
      ++FSize;
      return;
    }
  }
  FSegs.push_back(TSeg{FSize, false, {r}});
  FTrail = 1;
  ++FSize;
}

void TRcRestList::AddRun(const TrcItemRest& r, size_t n) {
  if (n == 0) return;
  if (!FSegs.empty() && FSegs.back().Run && FSegs.back().Rests[0] == r) {
    FSize += n;
    return;
  }
  if (n < kMinRun) {
    for (size_t k = 0; k < n; ++k) Add(r);
    return;
  }
  FSegs.push_back(TSeg{FSize, true, {r}});
  FTrail = 0;
  FSize += n;
}

void TRcRestList::AddRange(const TRcRestList& Src, size_t From, size_t To) {
  To = std::min(To, Src.FSize);
  if (From >= To) return;
  for (size_t s = Src.SegOf(From), i = From; i < To; ++s) {
    const size_t end = std::min(Src.SegEnd(s), To);
    const TSeg& g = Src.FSegs[s];
    if (g.Run) {
      AddRun(g.Rests[0], end - i);
      i = end;
    } else {
      for (; i < end; ++i) Add(g.Rests[i - g.Begin]);
    }
  }
}

void TRcRestList::Set(size_t i, const TrcItemRest& r) {
  const size_t s = SegOf(i);
  const bool last = s + 1 == FSegs.size();
  TSeg& g = FSegs[s];
  if (!g.Run) {
    g.Rests[i - g.Begin] = r;
    if (last) FTrail = 0;
    return;
  }
  if (g.Rests[0] == r) return;
  const size_t begin = g.Begin, len = SegEnd(s) - begin;
  if (len == 1) {
    g.Rests[0] = r;
    return;
  }
  // Writes that walk forwards through a run cost constant time each: the item joins the
  // single entries before it.
  if (i == begin) {
    if (s > 0 && !FSegs[s - 1].Run) {
      FSegs[s - 1].Rests.push_back(r);
      ++FSegs[s].Begin;
    } else {
      FSegs.insert(FSegs.begin() + std::ptrdiff_t(s), TSeg{i, false, {r}});
      ++FSegs[s + 1].Begin;
    }
    return;
  }
  if (i == begin + len - 1) {
    FSegs.insert(FSegs.begin() + std::ptrdiff_t(s + 1), TSeg{i, false, {r}});
    if (last) FTrail = 1;
    return;
  }
  TSeg mid{i, false, {r}}, tail{i + 1, true, {g.Rests[0]}};
  std::vector<TSeg> two;
  two.reserve(2);
  two.push_back(std::move(mid));
  two.push_back(std::move(tail));
  FSegs.insert(FSegs.begin() + std::ptrdiff_t(s + 1), std::make_move_iterator(two.begin()),
               std::make_move_iterator(two.end()));
  if (last) FTrail = 0;
}

void TRcRestList::Truncate(size_t n) {
  if (n >= FSize) return;
  while (!FSegs.empty() && FSegs.back().Begin >= n) FSegs.pop_back();
  if (!FSegs.empty() && !FSegs.back().Run) FSegs.back().Rests.resize(n - FSegs.back().Begin);
  FSize = n;
  FTrail = 0;
  if (n == 0) std::vector<TSeg>().swap(FSegs);
}

void TRcRestList::Clear() {
  std::vector<TSeg>().swap(FSegs);
  FSize = 0;
  FTrail = 0;
}

void TRcRestList::Swap(TRcRestList& o) noexcept {
  FSegs.swap(o.FSegs);
  std::swap(FSize, o.FSize);
  std::swap(FTrail, o.FTrail);
}

// ------------------------------------------------------------------ the store

namespace {
uint64_t NewContainerId() {
  static std::atomic<uint64_t> next{0};
  return ++next;
}
}  // namespace

TRcItemContainer::TRcItemContainer() : FLength(1), FId(NewContainerId()) {}

TRcItemContainer::TRcItemContainer(const TRcItemContainer& o) : FId(NewContainerId()) {
  AssignFrom(o, o.Size(), o.FLength);
}

TRcItemContainer& TRcItemContainer::operator=(const TRcItemContainer& o) {
  if (this != &o) AssignFrom(o, o.Size(), o.FLength);
  return *this;
}

TRcItemContainer::~TRcItemContainer() { FreeXY(); }

// ------------------------------------------------------------------ coordinate arrays

namespace {

// Large coordinate arrays live in their own mappings of whole huge pages: appending then
// takes one page fault per 2 MiB instead of one per 4 KiB, and growing moves the pages
// instead of copying them. Smaller ones stay with malloc.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kMapFrom = size_t(1) << 20;

bool Mapped(size_t Bytes) { return Bytes >= kMapFrom; }

size_t ArrayBytes(size_t Capacity) {
  const size_t b = Capacity * sizeof(double);
  return Mapped(b) ? (b + kHugePage - 1) / kHugePage * kHugePage : b;
}

#ifdef __linux__
void* MapAligned(size_t Bytes) {
  void* p =
      mmap(nullptr, Bytes + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  const uintptr_t a = (uintptr_t(p) + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
  const size_t head = a - uintptr_t(p);
  if (head) munmap(p, head);
  if (kHugePage - head) munmap(reinterpret_cast<char*>(a) + Bytes, kHugePage - head);
  madvise(reinterpret_cast<void*>(a), Bytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(a);
}
#endif

// Grows an array of OldBytes (as ArrayBytes gave) to NewBytes keeping its first Used values;
// null (the old array untouched) when memory is short.
double* GrowArray(double* Old, size_t OldBytes, size_t NewBytes, size_t Used) {
#ifdef __linux__
  if (Mapped(NewBytes)) {
    void* q = MapAligned(NewBytes);
    if (!q) return nullptr;
    if (Mapped(OldBytes)) {
      // The old pages move to the start of the new mapping, which they replace there.
      if (mremap(Old, OldBytes, OldBytes, MREMAP_MAYMOVE | MREMAP_FIXED, q) != MAP_FAILED)
        return static_cast<double*>(q);
      std::memcpy(q, Old, Used * sizeof(double));
      munmap(Old, OldBytes);
      return static_cast<double*>(q);
    }
    if (Used) std::memcpy(q, Old, Used * sizeof(double));
    std::free(Old);
    return static_cast<double*>(q);
  }
#else
  (void)OldBytes;
  (void)Used;
#endif
  return static_cast<double*>(std::realloc(Old, NewBytes));
}

void FreeArray(double* p, size_t Bytes) {
#ifdef __linux__
  if (p && Mapped(Bytes)) {
    munmap(p, Bytes);
    return;
  }
#else
  (void)Bytes;
#endif
  std::free(p);
}

}  // namespace

void TRcItemContainer::FreeXY() {
  FreeArray(FX, ArrayBytes(FCapX));
  FreeArray(FY, ArrayBytes(FCapY));
  FX = FY = nullptr;
  FCapX = FCapY = FCapacity = 0;
}

void TRcItemContainer::GrowXY(size_t n) {
  if (n > SIZE_MAX / sizeof(double) / 4) throw std::bad_alloc();
  // Doubling keeps appends amortised constant; pages never written cost no memory.
  const size_t want = std::max({n, FCapacity * 2, size_t(256)});
  const size_t used = Size();
  if (FCapX < want) {
    double* x = GrowArray(FX, ArrayBytes(FCapX), ArrayBytes(want), used);
    if (!x) throw std::bad_alloc();
    FX = x;
    FCapX = want;
  }
  if (FCapY < want) {
    double* y = GrowArray(FY, ArrayBytes(FCapY), ArrayBytes(want), used);
    if (!y) throw std::bad_alloc();  // FX is merely larger than needed
    FY = y;
    FCapY = want;
  }
  FCapacity = want;
}

void TRcItemContainer::SetLength(size_t n) {
  ++FGeneration;
  if (n < Size()) {
    FRests.Truncate(n);
    DropBlocksFrom(n);
    if (n == 0) {
      FreeXY();
      std::vector<TLineBlock>().swap(FBlocks);
    }
  }
  FLength = n;
}

void TRcItemContainer::AssignFrom(const TRcItemContainer& src, size_t Count, size_t n) {
  Count = std::min({Count, src.Size(), n});
  if (&src == this) {
    SetLength(n);
    return;
  }
  TRcRestList rests;
  rests.AddRange(src.FRests, 0, Count);
  ReserveXY(Count);
  if (Count) {
    std::memcpy(FX, src.FX, Count * sizeof(double));
    std::memcpy(FY, src.FY, Count * sizeof(double));
  }
  FRests.Swap(rests);
  FBlocks.clear();
  FLength = n;
  ++FGeneration;
  SummariseBlocks(Count);
}

void TRcItemContainer::Swap(TRcItemContainer& o) noexcept {
  ++FGeneration;
  ++o.FGeneration;
  std::swap(FX, o.FX);
  std::swap(FY, o.FY);
  std::swap(FCapacity, o.FCapacity);
  std::swap(FCapX, o.FCapX);
  std::swap(FCapY, o.FCapY);
  FRests.Swap(o.FRests);
  FBlocks.swap(o.FBlocks);
  std::swap(FLength, o.FLength);
}

TrcChartItem TRcItemContainer::operator[](size_t i) const {
  if (i >= Size()) return TrcChartItem{};
  return Record(FRests.SegOf(i), i);
}

void TRcItemContainer::Set(size_t i, const TrcChartItem& r) {
  if (i >= FLength) return;
  if (i >= Size()) {
    // Never-written slots before it are zero records.
    const TrcChartItem zero{};
    while (Size() < i) Append(zero);
    Append(r);
    return;
  }
  FRests.Set(i, TrcItemRest::Of(r));
  FX[i] = r.x;
  FY[i] = r.y;
  DropBlocksFrom(i);
  ++FGeneration;
}

void TRcItemContainer::Append(const TrcChartItem& r) {
  const size_t i = Size();
  ReserveXY(i + 1);
  FRests.Add(TrcItemRest::Of(r));
  FX[i] = r.x;
  FY[i] = r.y;
  if (FLength < i + 1) FLength = i + 1;
  ++FGeneration;
  // Summaries are kept up to date while appending, so the first drawing finds them ready.
  if ((i + 1) % kBlockSize == 0) SummariseBlocks(Size());
}

namespace {
template <bool Copy>
TLineBlock BlockSummary(const double* x, const double* y, double* ox, double* oy);
}  // namespace

void TRcItemContainer::AppendPoints(const TrcChartItem& Template, const double* x, const double* y,
                                    size_t n) {
  if (n == 0) return;
  const size_t i = Size();
  if (n > SIZE_MAX - i) throw std::bad_alloc();
  ReserveXY(i + n);
  try {
    FRests.AddRun(TrcItemRest::Of(Template), n);
  } catch (...) {
    FRests.Truncate(i);  // nothing appended
    throw;
  }
  if (n == 1) {
    FX[i] = *x;
    FY[i] = *y;
    if (Size() / kBlockSize > FBlocks.size()) SummariseBlocks(Size());
  } else {
    size_t done = 0;
    auto copy = [&](size_t m) {
      std::memcpy(FX + i + done, x + done, m * sizeof(double));
      std::memcpy(FY + i + done, y + done, m * sizeof(double));
      done += m;
    };
    // The block begun before, then whole blocks copied and summarised in one pass. Room for
    // their summaries is made first, so that adding one cannot fail.
    copy(std::min(n, (kBlockSize - i % kBlockSize) % kBlockSize));
    if ((i + done) / kBlockSize > FBlocks.size()) SummariseBlocks(i + done);
    try {
      FBlocks.reserve(FBlocks.size() + (n - done) / kBlockSize);
    } catch (const std::bad_alloc&) {
    }
    while (n - done >= kBlockSize) {
      const size_t at = i + done;
      if (FBlocks.size() == at / kBlockSize && FBlocks.size() < FBlocks.capacity()) {
        FBlocks.push_back(BlockSummary<true>(x + done, y + done, FX + at, FY + at));
        done += kBlockSize;
      } else {
        copy(kBlockSize);
      }
    }
    copy(n - done);
    if ((i + n) / kBlockSize > FBlocks.size()) SummariseBlocks(i + n);
  }
  if (FLength < i + n) FLength = i + n;
  ++FGeneration;
}

void TRcItemContainer::AppendFrom(const TRcItemContainer& Src, size_t n) {
  n = std::min(n, Src.Size());
  if (n == 0 || &Src == this) return;
  const size_t i = Size();
  ReserveXY(i + n);
  try {
    FRests.AddRange(Src.FRests, 0, n);
  } catch (...) {
    FRests.Truncate(i);  // nothing appended
    throw;
  }
  std::memcpy(FX + i, Src.FX, n * sizeof(double));
  std::memcpy(FY + i, Src.FY, n * sizeof(double));
  if (FLength < i + n) FLength = i + n;
  ++FGeneration;
  SummariseBlocks(Size());
}

void TRcItemContainer::CopyOut(size_t First, size_t n, TrcChartItem* Out) const {
  ForEach(First, First + n, [&](const TrcChartItem& r, size_t i) { Out[i - First] = r; });
}

void TRcItemContainer::RemoveShift(size_t Index, size_t Count) {
  Count = std::min(Count, Size());
  if (Index + 1 >= Count) return;
  TRcRestList rests;
  rests.AddRange(FRests, 0, Index);
  rests.AddRange(FRests, Index + 1, Count);
  rests.AddRange(FRests, Count - 1, Size());
  std::memmove(FX + Index, FX + Index + 1, (Count - Index - 1) * sizeof(double));
  std::memmove(FY + Index, FY + Index + 1, (Count - Index - 1) * sizeof(double));
  FRests.Swap(rests);
  DropBlocksFrom(Index);
  ++FGeneration;
}

// ------------------------------------------------------------------ block summaries

void TRcItemContainer::DropBlocksFrom(size_t Slot) {
  const size_t b = Slot / kBlockSize;
  if (b < FBlocks.size()) FBlocks.resize(b);
}

namespace {

// One lane of a block summary: a running minimum and maximum that skip NaN as std::min and
// std::max do (a NaN start stays), whether every value was finite, and the direction of x.
struct TSummaryLane {
  double Lo, Hi, Bad = 0;  // Bad turns NaN once a value is not finite
  bool Up = true, Down = true;
  explicit TSummaryLane(double y0) : Lo(y0), Hi(y0) {}
  void Add(double x, double xNext, double y) {
    Lo = y < Lo ? y : Lo;
    Hi = Hi < y ? y : Hi;
    Bad += (x - x) + (y - y);
    Up &= x <= xNext;
    Down &= x >= xNext;
  }
  void Join(const TSummaryLane& o) {
    Lo = o.Lo < Lo ? o.Lo : Lo;
    Hi = Hi < o.Hi ? o.Hi : Hi;
    Bad += o.Bad;
    Up &= o.Up;
    Down &= o.Down;
  }
};

// The summary of one block; with Copy, the points are also written to ox and oy on the way,
// so that an append reads them once.
template <bool Copy>
TLineBlock BlockSummary(const double* x, const double* y, double* ox, double* oy) {
  constexpr size_t n = TRcItemContainer::kBlockSize;
  static_assert(n % 2 == 0);
  TLineBlock b;
  b.xFirst = x[0];
  b.xLast = x[n - 1];
  b.yFirst = y[0];
  b.yLast = y[n - 1];
  // Every append summarises its block: the points at even and odd places go to two lanes,
  // which halves the chains of dependent steps and fits a pair of doubles in one register.
  TSummaryLane a(y[0]), c(y[0]);
#ifdef __SSE2__
  // minpd and maxpd return their second operand when one is NaN, as the lanes' steps do.
  // Two sets of registers take turns, so no step waits for the one before. Instead of adding
  // up the points, NaN y is caught by an unordered compare and NaN x by the direction
  // tests; infinities show in the extremes of y and, x being monotonic, in its ends.
  const __m128d all = _mm_castsi128_pd(_mm_set1_epi32(-1));
  __m128d lo0 = _mm_set1_pd(y[0]), hi0 = lo0, lo1 = lo0, hi1 = lo0;
  __m128d nan0 = _mm_setzero_pd(), nan1 = nan0;
  __m128d up0 = all, down0 = all, up1 = all, down1 = all;
  size_t i = 0;
  for (; i + 4 < n; i += 4) {
    const __m128d xa = _mm_loadu_pd(x + i), xan = _mm_loadu_pd(x + i + 1);
    const __m128d xb = _mm_loadu_pd(x + i + 2), xbn = _mm_loadu_pd(x + i + 3);
    const __m128d ya = _mm_loadu_pd(y + i), yb = _mm_loadu_pd(y + i + 2);
    if constexpr (Copy) {
      _mm_storeu_pd(ox + i, xa);
      _mm_storeu_pd(ox + i + 2, xb);
      _mm_storeu_pd(oy + i, ya);
      _mm_storeu_pd(oy + i + 2, yb);
    }
    lo0 = _mm_min_pd(ya, lo0);
    hi0 = _mm_max_pd(ya, hi0);
    lo1 = _mm_min_pd(yb, lo1);
    hi1 = _mm_max_pd(yb, hi1);
    nan0 = _mm_or_pd(nan0, _mm_cmpunord_pd(ya, ya));
    nan1 = _mm_or_pd(nan1, _mm_cmpunord_pd(yb, yb));
    up0 = _mm_and_pd(up0, _mm_cmple_pd(xa, xan));
    down0 = _mm_and_pd(down0, _mm_cmpge_pd(xa, xan));
    up1 = _mm_and_pd(up1, _mm_cmple_pd(xb, xbn));
    down1 = _mm_and_pd(down1, _mm_cmpge_pd(xb, xbn));
  }
  for (; i + 2 < n; i += 2) {
    const __m128d xa = _mm_loadu_pd(x + i), xan = _mm_loadu_pd(x + i + 1);
    const __m128d ya = _mm_loadu_pd(y + i);
    if constexpr (Copy) {
      _mm_storeu_pd(ox + i, xa);
      _mm_storeu_pd(oy + i, ya);
    }
    lo0 = _mm_min_pd(ya, lo0);
    hi0 = _mm_max_pd(ya, hi0);
    nan0 = _mm_or_pd(nan0, _mm_cmpunord_pd(ya, ya));
    up0 = _mm_and_pd(up0, _mm_cmple_pd(xa, xan));
    down0 = _mm_and_pd(down0, _mm_cmpge_pd(xa, xan));
  }
  if constexpr (Copy)
    for (size_t k = i; k < n; ++k) {
      ox[k] = x[k];
      oy[k] = y[k];
    }
  lo0 = _mm_min_pd(lo1, lo0);
  hi0 = _mm_max_pd(hi1, hi0);
  double l[2], h[2];
  _mm_storeu_pd(l, lo0);
  _mm_storeu_pd(h, hi0);
  const int u = _mm_movemask_pd(_mm_and_pd(up0, up1)),
            w = _mm_movemask_pd(_mm_and_pd(down0, down1)),
            bad = _mm_movemask_pd(_mm_or_pd(nan0, nan1));
  a.Lo = l[0];
  c.Lo = l[1];
  a.Hi = h[0];
  c.Hi = h[1];
  a.Up = u & 1;
  c.Up = u & 2;
  a.Down = w & 1;
  c.Down = w & 2;
  if (bad) a.Bad = std::numeric_limits<double>::quiet_NaN();
  a.Add(x[n - 2], x[n - 1], y[n - 2]);
  a.Join(c);
  a.Bad += (x[0] - x[0]) + (y[0] - y[0]) + (a.Lo - a.Lo) + (a.Hi - a.Hi);
#else
  if constexpr (Copy) {
    std::memcpy(ox, x, n * sizeof(double));
    std::memcpy(oy, y, n * sizeof(double));
  }
  for (size_t i = 0; i + 2 < n; i += 2) {
    a.Add(x[i], x[i + 1], y[i]);
    c.Add(x[i + 1], x[i + 2], y[i + 1]);
  }
  a.Add(x[n - 2], x[n - 1], y[n - 2]);
  a.Join(c);
#endif
  a.Bad += (x[n - 1] - x[n - 1]) + (y[n - 1] - y[n - 1]);
  b.yLo = a.Lo;
  b.yHi = a.Hi;
  b.Summable = a.Bad == 0 && (a.Up || a.Down);
  return b;
}

}  // namespace

TLineBlock TRcItemContainer::Summary(const double* x, const double* y) {
  return BlockSummary<false>(x, y, nullptr, nullptr);
}

size_t TRcItemContainer::SummariseBlocks(size_t n) noexcept {
  const size_t want = std::min(n, Size()) / kBlockSize;
  try {
    for (size_t b = FBlocks.size(); b < want; ++b)
      FBlocks.push_back(Summary(FX + b * kBlockSize, FY + b * kBlockSize));
  } catch (const std::bad_alloc&) {
  }
  return std::min(want, FBlocks.size());
}

}  // namespace zyr
