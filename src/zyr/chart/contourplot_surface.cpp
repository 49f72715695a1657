// SPDX-License-Identifier: MIT
// Row bands of the contour plot's value stage on Qt's global thread pool.

#include <zyr/chart/contourplot_surface.h>

#include <QThreadPool>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

namespace zyr::contour {

namespace {

// Shared by the caller and its helpers. A helper that starts after every band has been
// claimed touches nothing but the counter, so the caller need not wait for it.
struct TBandJob {
  const std::function<void(int)>* band = nullptr;
  int count = 0;
  std::atomic<int> next{0};
  std::mutex m;
  std::condition_variable cv;
  int done = 0;
  std::exception_ptr error;

  void Work() {
    for (int b; (b = next.fetch_add(1)) < count;) {
      std::exception_ptr e;
      try {
        (*band)(b);
      } catch (...) {
        e = std::current_exception();
      }
      std::lock_guard<std::mutex> lock(m);
      if (e && !error) error = e;
      if (++done == count) cv.notify_all();
    }
  }
};

constexpr int kTable = 256;

// Bottom values and steps of sub-cell columns 0 .. NumX - 1 of a cell:
// b_i = zLL + (zLR - zLL) * i / NumX and step_i = (zUL + (zUR - zUL) * i / NumX - b_i) / NumY.
void ColumnSteps(double zLL, double zLR, double zUL, double zUR, int NumX, int NumY, double* b,
                 double* step) {
  int first = 0;
#if defined(__SSE2__)
  {
    // Two columns at a time: the divisions are most of a cell's cost.
    const __m128d ll = _mm_set1_pd(zLL), dl = _mm_set1_pd(zLR - zLL);
    const __m128d ul = _mm_set1_pd(zUL), du = _mm_set1_pd(zUR - zUL);
    const __m128d nx = _mm_set1_pd(NumX), ny = _mm_set1_pd(NumY), two = _mm_set1_pd(2);
    __m128d iv = _mm_set_pd(1, 0);
    for (; first + 2 <= NumX; first += 2, iv = _mm_add_pd(iv, two)) {
      const __m128d bv = _mm_add_pd(ll, _mm_div_pd(_mm_mul_pd(dl, iv), nx));
      const __m128d uv = _mm_add_pd(ul, _mm_div_pd(_mm_mul_pd(du, iv), nx));
      _mm_storeu_pd(b + first, bv);
      _mm_storeu_pd(step + first, _mm_div_pd(_mm_sub_pd(uv, bv), ny));
    }
  }
#endif
  for (int i = first; i < NumX; ++i) {
    b[i] = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    step[i] = (u - b[i]) / NumY;
  }
}

// out[i] = lut[index(b[i] + step[i] * j)] for i < n.
void ColourRow(const TIsoIndex& index, const uint32_t* lut, const double* b, const double* step,
               double j, int n, uint32_t* out) {
  int i = 0;
#if defined(__SSE2__)
  // Index 0 (below the range, NaN) shows as 1: clamping at 1 before rounding gives the same
  // (max and min pick the second operand for NaN, the conversion rounds half to even).
  const __m128d jj = _mm_set1_pd(j), lo = _mm_set1_pd(index.lo), one = _mm_set1_pd(1);
  // Without colours the index is 1 as well.
  const __m128d scale = _mm_set1_pd(index.scale), count = _mm_set1_pd(std::max(index.count, 1.0));
  for (; i + 2 <= n; i += 2) {
    const __m128d v = _mm_add_pd(_mm_loadu_pd(b + i), _mm_mul_pd(_mm_loadu_pd(step + i), jj));
    const __m128d f = _mm_mul_pd(_mm_sub_pd(v, lo), scale);
    const __m128d c = _mm_min_pd(_mm_max_pd(f, one), count);
    const __m128i k = _mm_cvtpd_epi32(c);
    out[i] = lut[_mm_cvtsi128_si32(k)];
    out[i + 1] = lut[_mm_cvtsi128_si32(_mm_shuffle_epi32(k, 1))];
  }
#endif
  for (; i < n; ++i) out[i] = lut[index(b[i] + step[i] * j)];
}

// Colours of sub-cells (i, j), i < NumX, j < NumY, at j * NumX + i.
void SubCellColours(const TIsoIndex& index, const uint32_t* lut, double zLL, double zLR, double zUL,
                    double zUR, int NumX, int NumY, uint32_t* colour) {
  double b[kTable], step[kTable];
  ColumnSteps(zLL, zLR, zUL, zUR, NumX, NumY, b, step);
  for (int j = 0; j < NumY; ++j) ColourRow(index, lut, b, step, j, NumX, colour + j * NumX);
}

}  // namespace

void SurfaceCellRows(const TIsoIndex& index, TRowSink& s, const TCellSide& sx, const TCellSide& sy,
                     double zLL, double zLR, double zUL, double zUR) {
  const int NumX = sx.n, NumY = sy.n;
  if (!sy.regular || NumX * NumY > kTable) {
    SurfaceCell(index, s, sx, sy, zLL, zLR, zUL, zUR);
    return;
  }
  if (int k; index.OneColour(zLL, zLR, zUL, zUR, k)) {
    s.Box(sx.lo, sy.lo, sx.hi, sy.hi, k);
    return;
  }
  uint32_t colour[kTable];
  SubCellColours(index, s.Colors(), zLL, zLR, zUL, zUR, NumX, NumY, colour);
  const int y0 = std::max(sy.coverLo, s.ClipLo()), y1 = std::min(sy.coverHi, s.ClipHi());
  const int w = sx.coverHi - sx.coverLo + 1;
  const int* col = sx.last.data();
  for (int y = y0; y <= y1; ++y) {
    const uint32_t* c = colour + sy.last[size_t(y - sy.coverLo)] * NumX;
    uint32_t* row = s.RowAt(y) + sx.coverLo;
    if (sx.full)
      for (int x = 0; x < w; ++x) row[x] = c[col[x]];
    else
      for (int x = 0; x < w; ++x)
        if (col[x] >= 0) row[x] = c[col[x]];
  }
}

bool TSurfaceAxis::Build(const std::vector<TCellSide>& sides, int pixels, bool regular) {
  const int n = int(sides.size());
  if (n < 2 || pixels <= 0) return false;
  cell.assign(size_t(pixels), 0);
  sub.assign(size_t(pixels), 0);
  // Later cells draw over earlier ones.
  for (int c = 1; c < n; ++c) {
    const TCellSide& side = sides[size_t(c)];
    if (side.last.empty() || !side.full || side.coverLo != side.lo || side.coverHi != side.hi ||
        (regular && !side.regular) || side.lo < 0 || side.hi >= pixels)
      return false;
    for (int p = side.lo; p <= side.hi; ++p) {
      cell[size_t(p)] = c;
      sub[size_t(p)] = side.last[size_t(p - side.coverLo)];
    }
  }
  from.assign(size_t(n), std::numeric_limits<int>::max());
  to.assign(size_t(n), -1);
  int first = 0;
  while (first < pixels && cell[size_t(first)] == 0) ++first;
  int last = pixels - 1;
  while (last > first && cell[size_t(last)] == 0) --last;
  if (first == pixels) return true;
  // One unbroken run, cells in order: the cells of a range of columns win one range of pixels.
  const int dir = cell[size_t(last)] >= cell[size_t(first)] ? 1 : -1;
  for (int p = first; p <= last; ++p) {
    const int c = cell[size_t(p)];
    if (c == 0 || (p > first && (c - cell[size_t(p - 1)]) * dir < 0)) return false;
    from[size_t(c)] = std::min(from[size_t(c)], p);
    to[size_t(c)] = p;
  }
  return true;
}

bool TSurfaceRows::BuildColumns(const std::vector<TCellSide>& sideX, int width) {
  FSideX = &sideX;
  return FX.Build(sideX, width, false);
}

bool TSurfaceRows::BuildRows(const std::vector<TCellSide>& sideY, int height) {
  FSideY = &sideY;
  return FY.Build(sideY, height, true);
}

void TSurfaceRows::Draw(const TIsoIndex& index, TRowSink& s, const TStripCorners& corners, int s0,
                        int s1) const {
  s0 = std::max(s0, 1);
  s1 = std::min(s1, int(FX.from.size()) - 1);
  int xa = std::numeric_limits<int>::max(), xb = -1;
  for (int c = s0; c <= s1; ++c)
    if (FX.from[size_t(c)] <= FX.to[size_t(c)]) {
      xa = std::min(xa, FX.from[size_t(c)]);
      xb = std::max(xb, FX.to[size_t(c)]);
    }
  if (xb < xa) return;
  const int n = s1 - s0 + 1, w = xb - xa + 1;
  std::vector<double> z(4 * size_t(n)), b(static_cast<size_t>(w)), step(static_cast<size_t>(w));
  std::vector<double> cb, cs;
  double *zLL = z.data(), *zLR = zLL + n, *zUL = zLR + n, *zUR = zUL + n;
  const int y0 = std::max(s.ClipLo(), 0), y1 = std::min(s.ClipHi(), int(FY.cell.size()) - 1);
  int strip = 0;
  for (int y = y0; y <= y1; ++y) {
    const int t = FY.cell[size_t(y)];
    if (t == 0) continue;
    if (t != strip) {
      // Per pixel column the bottom value and step of its sub-cell column in this row of
      // cells; a cell of one colour has its corner value and no step.
      strip = t;
      corners(t, s0, s1, zLL, zLR, zUL, zUR);
      const int NumY = (*FSideY)[size_t(t)].n;
      for (int c = s0; c <= s1; ++c) {
        const int p0 = FX.from[size_t(c)], p1 = FX.to[size_t(c)];
        if (p0 > p1) continue;
        const size_t k = size_t(c - s0);
        if (int one; index.OneColour(zLL[k], zLR[k], zUL[k], zUR[k], one)) {
          std::fill(b.begin() + (p0 - xa), b.begin() + (p1 - xa + 1), zLL[k]);
          std::fill(step.begin() + (p0 - xa), step.begin() + (p1 - xa + 1), 0.0);
          continue;
        }
        const int NumX = (*FSideX)[size_t(c)].n;
        cb.resize(size_t(NumX));
        cs.resize(size_t(NumX));
        ColumnSteps(zLL[k], zLR[k], zUL[k], zUR[k], NumX, NumY, cb.data(), cs.data());
        for (int p = p0; p <= p1; ++p) {
          const int i = FX.sub[size_t(p)];
          b[size_t(p - xa)] = cb[size_t(i)];
          step[size_t(p - xa)] = cs[size_t(i)];
        }
      }
    }
    ColourRow(index, s.Colors(), b.data(), step.data(), FY.sub[size_t(y)], w, s.RowAt(y) + xa);
  }
}

int RenderThreads() { return std::max(1, QThreadPool::globalInstance()->maxThreadCount()); }

void RunBands(int count, const std::function<void(int)>& band) {
  if (count <= 0) return;
  if (count == 1) {
    band(0);
    return;
  }
  auto job = std::make_shared<TBandJob>();
  job->band = &band;
  job->count = count;
  QThreadPool* pool = QThreadPool::globalInstance();
  const int helpers = std::min(count, RenderThreads()) - 1;
  for (int i = 0; i < helpers; ++i)
    if (!pool->tryStart([job] { job->Work(); })) break;
  job->Work();
  std::unique_lock<std::mutex> lock(job->m);
  job->cv.wait(lock, [&] { return job->done == job->count; });
  if (job->error) std::rethrow_exception(job->error);
}

}  // namespace zyr::contour
