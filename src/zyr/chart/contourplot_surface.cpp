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

// Colours of sub-cells (i, j), i < NumX, j < NumY, at j * NumX + i: the value
// b_i + step_i * j, with b_i and step_i the bottom value and the step of column i, turned into
// a colour index as TIsoIndex does (max and min pick the second operand for NaN, the
// conversion rounds half to even), two columns at a time.
void SubCellColours(const TIsoIndex& index, const uint32_t* lut, double zLL, double zLR, double zUL,
                    double zUR, int NumX, int NumY, uint32_t* colour) {
  alignas(16) double b[kTable], step[kTable];
  int first = 0;
#if defined(__SSE2__)
  {
    // The same steps two columns at a time: the divisions are most of a cell's cost.
    const __m128d ll = _mm_set1_pd(zLL), dl = _mm_set1_pd(zLR - zLL);
    const __m128d ul = _mm_set1_pd(zUL), du = _mm_set1_pd(zUR - zUL);
    const __m128d nx = _mm_set1_pd(NumX), ny = _mm_set1_pd(NumY), two = _mm_set1_pd(2);
    __m128d iv = _mm_set_pd(1, 0);
    for (; first + 2 <= NumX; first += 2, iv = _mm_add_pd(iv, two)) {
      const __m128d bv = _mm_add_pd(ll, _mm_div_pd(_mm_mul_pd(dl, iv), nx));
      const __m128d uv = _mm_add_pd(ul, _mm_div_pd(_mm_mul_pd(du, iv), nx));
      _mm_store_pd(b + first, bv);
      _mm_store_pd(step + first, _mm_div_pd(_mm_sub_pd(uv, bv), ny));
    }
  }
#endif
  for (int i = first; i < NumX; ++i) {
    b[i] = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    step[i] = (u - b[i]) / NumY;
  }
  for (int j = 0; j < NumY; ++j) {
    uint32_t* out = colour + j * NumX;
    int i = 0;
#if defined(__SSE2__)
    // Index 0 (below the range, NaN) shows as 1: clamping at 1 before rounding gives the same.
    const __m128d jj = _mm_set1_pd(j), lo = _mm_set1_pd(index.lo), one = _mm_set1_pd(1);
    const __m128d scale = _mm_set1_pd(index.scale), count = _mm_set1_pd(index.count);
    for (; i + 2 <= NumX; i += 2) {
      const __m128d v = _mm_add_pd(_mm_load_pd(b + i), _mm_mul_pd(_mm_load_pd(step + i), jj));
      const __m128d f = _mm_mul_pd(_mm_sub_pd(v, lo), scale);
      const __m128d c = _mm_min_pd(_mm_max_pd(f, one), count);
      const __m128i k = _mm_cvtpd_epi32(c);
      out[i] = lut[_mm_cvtsi128_si32(k)];
      out[i + 1] = lut[_mm_cvtsi128_si32(_mm_shuffle_epi32(k, 1))];
    }
#endif
    for (; i < NumX; ++i) out[i] = lut[index(b[i] + step[i] * j)];
  }
}

}  // namespace

void SurfaceCellRows(const TIsoIndex& index, TRowSink& s, const TCellSide& sx, const TCellSide& sy,
                     double zLL, double zLR, double zUL, double zUR) {
  const int NumX = sx.n, NumY = sy.n;
  if (!sy.regular || NumX * NumY > kTable) {
    SurfaceCell(index, s, sx, sy, zLL, zLR, zUL, zUR);
    return;
  }
  const int kLL = index(zLL);
  if (kLL == index(zLR) && kLL == index(zUL) && kLL == index(zUR)) {
    s.Box(sx.lo, sy.lo, sx.hi, sy.hi, kLL);
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
