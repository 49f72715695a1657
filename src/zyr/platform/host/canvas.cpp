// SPDX-License-Identifier: MIT
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/longtext.h>
#include <zyr/platform/host/textlayouts.h>

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zyr {

namespace {

// Unlike ToQColor, clNone paints as ColorToRGB resolves it (white), never as an invalid
// colour; kept inline here as it runs once per drawn segment.
QColor PaintColor(TColor c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A colour as a 32-bit picture stores it (QColor's rgb() without building one: this runs
// for every line and box that is written directly).
uint32_t RasterPixel(TColor c) {
  c = ColorToRGB(c);
  return 0xFF000000u | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

Qt::PenStyle ToQtPenStyle(TPenStyle s) {
  switch (s) {
    case psDash:
      return Qt::DashLine;
    case psDot:
      return Qt::DotLine;
    case psDashDot:
      return Qt::DashDotLine;
    case psDashDotDot:
      return Qt::DashDotDotLine;
    case psClear:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

// Windows keeps a one-pixel line's end pixel out; with square pixels the end pixel is the
// last step of the major axis, so the drawn segment stops one step before it.
QLine WithoutEndPixel(int x0, int y0, int x1, int y1) {
  int dx = x1 - x0, dy = y1 - y0;
  int adx = std::abs(dx), ady = std::abs(dy);
  int n = std::max(adx, ady);
  // Point at step n-1 of the n-step line, rounded as the rasteriser does.
  double t = double(n - 1) / n;
  int ex = x0 + int(std::lround(dx * t));
  int ey = y0 + int(std::lround(dy * t));
  return QLine(x0, y0, ex, ey);
}

int FixedDiv16(int a, int b) { return int((int64_t(a) * 65536) / b); }

// The pixels the painter's aliased one-pixel square-capped line from (ax, ay) to (bx, by)
// sets, both ends included: it steps the major axis in 26.6 and the minor one in 16.16 fixed
// point. Only for lines that stay inside the picture (no clipping).
template <class Put>
void CosmeticLine(int ax, int ay, int bx, int by, Put put) {
  int x1 = ax * 64, y1 = ay * 64, x2 = bx * 64, y2 = by * 64;
  if (std::abs(x2 - x1) < std::abs(y2 - y1)) {
    if (y1 > y2) {
      std::swap(y1, y2);
      std::swap(x1, x2);
    }
    const int inc = FixedDiv16(x2 - x1, y2 - y1);
    int x = x1 * 1024;
    y1 -= 32;  // the caps reach half a pixel beyond both ends
    x -= inc >> 1;
    y2 += 32;
    int y = (y1 + 32) >> 6;
    const int ys = (y2 + 32) >> 6;
    x += ((y * 64) + (inc > 0 ? 32 : 0) - y1) * inc >> 6;
    for (; y < ys; ++y, x += inc) put(x >> 16, y);
  } else {
    if (x1 == x2) return;
    if (x1 > x2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const int inc = FixedDiv16(y2 - y1, x2 - x1);
    int y = y1 * 1024;
    x1 -= 32;
    y -= inc >> 1;
    x2 += 32;
    int x = (x1 + 32) >> 6;
    const int xs = (x2 + 32) >> 6;
    y += ((x * 64) + (inc > 0 ? 32 : 0) - x1) * inc >> 6;
    for (; x < xs; ++x, y += inc) put(x, y >> 16);
  }
}

}  // namespace

TCanvas::TCanvas() {
  FFont.SetColor(clBlack);
  FFont.OnChange = [this](TObject*) {
    // Only name, size and style shape the Qt font; a colour change keeps it and its metrics.
    if (FQFont && FQFontKey == FontKey(FFont)) return;
    FFontDirty = true;
    FQFont.reset();
    FMetrics.reset();
    ForgetWidths();
  };
  FPen.OnChange = [this](TObject*) { FPenDirty = true; };
  FBrush.OnChange = [this](TObject*) { FBrushDirty = true; };
}

TCanvas::TCanvas(QPaintDevice* device, TCanvasTarget target) : TCanvas() {
  FDevice = device;
  FTarget = target;
}

TCanvas::~TCanvas() { Flush(); }

std::string TCanvas::FontKey(const TFont& f) {
  return f.Name() + '\x1f' + std::to_string(f.Height()) + '\x1f' + std::to_string(f.Style());
}

const QFont& TCanvas::CachedFont() {
  if (!FQFont) {
    FQFont = std::make_unique<QFont>(FFont.ToQFont());
    FQFontKey = FontKey(FFont);
  }
  return *FQFont;
}

const QFontMetrics& TCanvas::Metrics() {
  if (!FMetrics || FMetricsDevice != FDevice) {
    FMetrics = std::make_unique<QFontMetrics>(CachedFont(), FDevice);
    FMetricsDevice = FDevice;
    ForgetWidths();
  }
  return *FMetrics;
}

void TCanvas::SetDevice(QPaintDevice* device, TCanvasTarget target) {
  Flush();
  FDevice = device;
  FTarget = target;
}

QImage* TCanvas::Image() {
  if (FTarget != ctRaster || !FDevice || FDevice->devType() != QInternal::Image) return nullptr;
  Flush();
  return static_cast<QImage*>(FDevice);
}

QImage* TCanvas::RasterImage() {
  if (FTarget != ctRaster || !FDevice || FDevice->devType() != QInternal::Image) return nullptr;
  return static_cast<QImage*>(FDevice);
}

void TCanvas::Flush() {
  FDirectState = -1;
  FForeignPainter = false;
  if (FPainter) {
    if (FPainter->isActive()) FPainter->end();
    FPainter.reset();
  }
}

QPainter* TCanvas::Begin() {
  if (FPainter) return FPainter.get();
  if (!FDevice || FDevice->width() <= 0 || FDevice->height() <= 0) return nullptr;
  if (FDevice->paintingActive()) return nullptr;  // someone else paints on it
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FDevice)) {
    FPainter.reset();
    return nullptr;
  }
  FPainter->setRenderHint(QPainter::Antialiasing, false);
  FPainter->setRenderHint(QPainter::TextAntialiasing, true);
  FSmoothHint = false;
  FDirectState = -1;
  FForeignPainter = false;
  if (FHasClip) FPainter->setClipRect(QRect(FClip.Left, FClip.Top, FClip.Width(), FClip.Height()));
  FPenDirty = FBrushDirty = FFontDirty = true;
  return FPainter.get();
}

QPainter* TCanvas::Painter() {
  QPainter* p = Begin();
  FForeignPainter = p != nullptr;
  FDirectState = -1;
  return p;
}

const TCanvas::TDirect* TCanvas::Direct() {
  if (FDirectState < 0) {
    FDirectState = 0;
    QImage* img = RasterImage();
    if (img && !FForeignPainter && FPainter && img->format() == QImage::Format_RGB32 &&
        FPainter->hasClipping() == FHasClip) {
      FDirect.Bits = reinterpret_cast<uint32_t*>(img->bits());
      FDirect.Stride = img->bytesPerLine() / 4;
      FDirect.Left = 0;
      FDirect.Top = 0;
      FDirect.Right = img->width();
      FDirect.Bottom = img->height();
      if (FHasClip) {
        FDirect.Left = std::max(FDirect.Left, FClip.Left);
        FDirect.Top = std::max(FDirect.Top, FClip.Top);
        FDirect.Right = std::min(FDirect.Right, FClip.Right);
        FDirect.Bottom = std::min(FDirect.Bottom, FClip.Bottom);
      }
      FDirectState = FDirect.Bits ? 1 : 0;
    }
  }
  return FDirectState == 1 ? &FDirect : nullptr;
}

uint32_t* TCanvas::DirectPixels(qsizetype& Stride, TRect& Box) {
  if (!Begin()) return nullptr;
  const TDirect* d = Direct();
  if (!d) return nullptr;
  Stride = d->Stride;
  Box = {d->Left, d->Top, d->Right, d->Bottom};
  return d->Bits;
}

void TCanvas::DirectSpan(const TDirect& d, int y, int xa, int xb, uint32_t c) {
  if (y < d.Top || y >= d.Bottom) return;
  xa = std::max(xa, d.Left);
  xb = std::min(xb, d.Right - 1);
  if (xa > xb) return;
  uint32_t* p = d.Bits + qsizetype(y) * d.Stride + xa;
  const size_t n = size_t(xb - xa + 1);
  // Long spans (box fills) double a filled head with memcpy, which runs at full width.
  constexpr size_t kHead = 32;
  if (n < 2 * kHead) {
    std::fill_n(p, n, c);
    return;
  }
  std::fill_n(p, kHead, c);
  for (size_t done = kHead; done < n;) {
    const size_t k = std::min(done, n - done);
    std::memcpy(p + done, p, k * sizeof(uint32_t));
    done += k;
  }
}

void TCanvas::DirectColumn(const TDirect& d, int x, int ya, int yb, uint32_t c) {
  if (x < d.Left || x >= d.Right) return;
  ya = std::max(ya, d.Top);
  yb = std::min(yb, d.Bottom - 1);
  uint32_t* p = d.Bits + qsizetype(ya) * d.Stride + x;
  for (int y = ya; y <= yb; ++y, p += d.Stride) *p = c;
}

// Horizontal and vertical one-pixel lines are plain runs; the painter sets the same pixels.
bool TCanvas::DirectSegment(int x0, int y0, int x1, int y1) {
  if (!ThinCopyPen()) return false;
  const TDirect* d = Direct();
  if (!d) return false;
  const uint32_t c = RasterPixel(FPen.Color());
  if (x0 != x1 && y0 != y1) {
    // Slanted lines are clipped by the painter in its own way: only whole ones go direct.
    const QLine l = WithoutEndPixel(x0, y0, x1, y1);
    auto inside = [d](QPoint p) {
      return p.x() >= d->Left && p.x() < d->Right && p.y() >= d->Top && p.y() < d->Bottom;
    };
    if (!inside(l.p1()) || !inside(l.p2()) || d->Right > 16000 || d->Bottom > 16000) return false;
    if (l.p1() == l.p2()) {
      d->Bits[qsizetype(l.y1()) * d->Stride + l.x1()] = c;
      return true;
    }
    uint32_t* bits = d->Bits;
    const qsizetype stride = d->Stride;
    CosmeticLine(l.x1(), l.y1(), l.x2(), l.y2(),
                 [=](int x, int y) { bits[qsizetype(y) * stride + x] = c; });
    return true;
  }
  if (y0 == y1)
    DirectSpan(*d, y0, x1 > x0 ? x0 : x1 + 1, x1 > x0 ? x1 - 1 : x0, c);
  else
    DirectColumn(*d, x0, y1 > y0 ? y0 : y1 + 1, y1 > y0 ? y1 - 1 : y0, c);
  return true;
}

void TCanvas::ApplyRasterOp() {
  if (FSmoothHint) SmoothHint(false);
  QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
  if (FTarget == ctRaster) {
    switch (FPen.Mode()) {
      case pmXor:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
      case pmNotXor:
        m = QPainter::RasterOp_NotSourceXorDestination;
        break;
      case pmNot:
        m = QPainter::RasterOp_NotDestination;
        break;
      default:
        break;
    }
  }
  if (FPainter->compositionMode() != m) FPainter->setCompositionMode(m);
}

void TCanvas::ApplyPen() {
  ApplyRasterOp();
  if (!FPenDirty) return;
  FPenDirty = false;
  QPen p(PaintColor(FPen.Color()));
  p.setStyle(ToQtPenStyle(FPen.Style()));
  int w = FPen.Width();
  if (w <= 1) {
    p.setWidth(0);  // cosmetic: one device pixel on every target
    p.setCapStyle(Qt::SquareCap);
  } else {
    p.setWidth(w);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
  }
  FPainter->setPen(p);
}

void TCanvas::ApplyBrush() {
  if (!FBrushDirty) return;
  FBrushDirty = false;
  if (FBrush.Style() == bsClear)
    FPainter->setBrush(Qt::NoBrush);
  else
    FPainter->setBrush(PaintColor(FBrush.Color()));
}

void TCanvas::ApplyFont() {
  if (!FFontDirty) return;
  FFontDirty = false;
  FPainter->setFont(CachedFont());
}

void TCanvas::DrawSegment(int x0, int y0, int x1, int y1) {
  if (x0 == x1 && y0 == y1) return;  // a zero-length line sets no pixel
  if (FPen.Width() <= 1) {
    if (DirectSegment(x0, y0, x1, y1)) return;
    ApplyPen();
    QLine l = WithoutEndPixel(x0, y0, x1, y1);
    if (l.p1() == l.p2()) {
      FPainter->drawPoint(l.p1());
    } else {
      // Cosmetic lines in Qt include both end points: draw up to the last kept pixel.
      FPainter->drawLine(l);
    }
  } else {
    ApplyPen();
    FPainter->drawLine(x0, y0, x1, y1);
  }
}

void TCanvas::SmoothHint(bool on) {
  FPainter->setRenderHint(QPainter::Antialiasing, on);
  FSmoothHint = on;
}

// Points go to the pixel centres (odd pen widths), so that a line along a row or column covers
// whole pixels and stays crisp.
static double SmoothOffset(int penWidth) { return penWidth <= 1 || penWidth % 2 ? 0.5 : 0.0; }

void TCanvas::SmoothPolyline(const TPoint* pts, int n) {
  ApplyPen();
  SmoothHint(true);
  const int w = FPen.Width();
  const double o = SmoothOffset(w);
  std::vector<QPointF> q;
  q.reserve(size_t(n));
  for (int i = 0; i < n; ++i)
    if (i == 0 || pts[i].X != pts[i - 1].X || pts[i].Y != pts[i - 1].Y)
      q.emplace_back(pts[i].X + o, pts[i].Y + o);
  if (q.size() < 2) return;
  if (w <= 1) {
    // The last pixel stays out as on the aliased path, so pieces joined end to start blend
    // their common pixel once.
    const QPointF d = q.back() - q[q.size() - 2];
    const double len = std::hypot(d.x(), d.y());
    if (len <= 1.0)
      q.pop_back();
    else
      q.back() -= d / len;
    if (q.size() == 1) {
      FPainter->drawPoint(q[0]);
      return;
    }
  }
  // A one-pixel line along a row or column through pixel centres covers whole pixels, so those
  // pieces are set directly; dense charts draw most of their length so. The slanted pieces
  // between them go to the painter, the two-point ones in one call.
  if (const TDirect* direct = w <= 1 && ThinCopyPen() ? Direct() : nullptr) {
    const TDirect& d = *direct;
    const uint32_t c = RasterPixel(FPen.Color());
    std::vector<QLineF> lines;
    size_t from = 0;  // the slanted piece being gathered starts here
    auto flush = [&](size_t to) {
      if (to == from + 1)
        lines.emplace_back(q[from], q[to]);
      else if (to > from + 1)
        FPainter->drawPolyline(q.data() + from, int(to - from + 1));
    };
    auto centre = [](double v) { return std::abs(v) < 1e9 && v - std::floor(v) == 0.5; };
    for (size_t i = 0; i + 1 < q.size(); ++i) {
      const QPointF a = q[i], b = q[i + 1];
      const bool column = a.x() == b.x(), row = a.y() == b.y();
      if ((!column && !row) || !centre(a.x()) || !centre(a.y()) || !centre(b.x()) || !centre(b.y()))
        continue;
      flush(i);
      const int x = int(std::floor(a.x())), y = int(std::floor(a.y()));
      const int x2 = int(std::floor(b.x())), y2 = int(std::floor(b.y()));
      if (column)
        DirectColumn(d, x, std::min(y, y2), std::max(y, y2), c);
      else
        DirectSpan(d, y, std::min(x, x2), std::max(x, x2), c);
      from = i + 1;
    }
    flush(q.size() - 1);
    if (!lines.empty()) FPainter->drawLines(lines.data(), int(lines.size()));
    return;
  }
  FPainter->drawPolyline(q.data(), int(q.size()));
}

void TCanvas::SmoothPolygon(const TPoint* pts, int n) {
  ApplyRasterOp();
  const double o = PenVisible() ? SmoothOffset(FPen.Width()) : 0.5;
  std::vector<QPointF> q(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) q[size_t(i)] = QPointF(pts[i].X + o, pts[i].Y + o);
  ApplyBrush();
  if (PenVisible()) {
    ApplyPen();
  } else {
    FPainter->setPen(Qt::NoPen);
    FPenDirty = true;
  }
  SmoothHint(true);
  FPainter->drawPolygon(q.data(), n);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  if (PenVisible() && Begin()) {
    if (Smooth()) {
      const TPoint seg[2] = {FPenPos, {x, y}};
      SmoothPolyline(seg, 2);
    } else {
      DrawSegment(FPenPos.X, FPenPos.Y, x, y);
    }
  }
  FPenPos = {x, y};
}

void TCanvas::Polyline(const TPoint* pts, int n) {
  if (!pts || n <= 0) return;
  if (n >= 2 && PenVisible() && Begin()) {
    if (Smooth()) {
      SmoothPolyline(pts, n);
    } else if (FPen.Width() <= 1) {
      // Each segment leaves out its end pixel, so joints are set once and XOR stays exact.
      for (int i = 1; i < n; ++i) DrawSegment(pts[i - 1].X, pts[i - 1].Y, pts[i].X, pts[i].Y);
    } else {
      ApplyPen();
      std::vector<QPoint> q(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) q[size_t(i)] = QPoint(pts[i].X, pts[i].Y);
      FPainter->drawPolyline(q.data(), n);
    }
  }
  FPenPos = pts[n - 1];
}

void TCanvas::Polygon(const TPoint* pts, int n) {
  if (!pts || n <= 0 || !Begin()) return;
  if (Smooth()) {
    SmoothPolygon(pts, n);
    return;
  }
  ApplyBrush();
  std::vector<QPoint> q(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) q[size_t(i)] = QPoint(pts[i].X, pts[i].Y);
  if (FBrush.Style() != bsClear) {
    ApplyRasterOp();
    FPainter->setPen(Qt::NoPen);
    FPainter->drawPolygon(q.data(), n);
    FPenDirty = true;
  }
  if (PenVisible()) {
    if (FPen.Width() <= 1) {
      for (int i = 0; i < n; ++i) {
        const TPoint& a = pts[i];
        const TPoint& b = pts[(i + 1) % n];
        DrawSegment(a.X, a.Y, b.X, b.Y);
      }
    } else {
      ApplyPen();
      FPainter->setBrush(Qt::NoBrush);
      FPainter->drawPolygon(q.data(), n);
      FBrushDirty = true;
    }
  }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1 || !Begin()) return;
  const TDirect* d = FPen.Mode() == pmCopy ? Direct() : nullptr;
  if (FBrush.Style() != bsClear) {
    // The inside only, so an XOR rectangle sets each pixel once.
    const int in = PenVisible() ? std::min(FPen.Width(), 1) : 0;
    QRect box(x1 + in, y1 + in, x2 - x1 - 2 * in, y2 - y1 - 2 * in);
    if (box.width() > 0 && box.height() > 0) {
      if (d) {
        const uint32_t c = RasterPixel(FBrush.Color());
        for (int y = box.top(); y <= box.bottom(); ++y)
          DirectSpan(*d, y, box.left(), box.right(), c);
      } else {
        ApplyRasterOp();
        FPainter->fillRect(box, PaintColor(FBrush.Color()));
      }
    }
  }
  // The painter's outline of a box cut by the clip loses pixels; those go the plain way.
  if (d && ThinCopyPen() && x2 - x1 >= 2 && y2 - y1 >= 2 && x1 >= d->Left && y1 >= d->Top &&
      x2 <= d->Right && y2 <= d->Bottom) {
    const uint32_t c = RasterPixel(FPen.Color());
    DirectSpan(*d, y1, x1, x2 - 1, c);
    DirectSpan(*d, y2 - 1, x1, x2 - 1, c);
    DirectColumn(*d, x1, y1 + 1, y2 - 2, c);
    DirectColumn(*d, x2 - 1, y1 + 1, y2 - 2, c);
    return;
  }
  if (PenVisible()) {
    ApplyPen();
    if (Smooth() != FSmoothHint) SmoothHint(Smooth());
    FPainter->setBrush(Qt::NoBrush);
    FBrushDirty = true;
    if (FPen.Width() <= 1)
      FPainter->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    else
      FPainter->drawRect(QRectF(x1 + 0.5 * FPen.Width(), y1 + 0.5 * FPen.Width(),
                                x2 - x1 - FPen.Width(), y2 - y1 - FPen.Width()));
  }
}

void TCanvas::FillRect(const TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top || !Begin()) return;
  if (FBrush.Style() == bsClear) return;
  if (const TDirect* d = FPen.Mode() == pmCopy ? Direct() : nullptr) {
    const uint32_t c = RasterPixel(FBrush.Color());
    for (int y = r.Top; y < r.Bottom; ++y) DirectSpan(*d, y, r.Left, r.Right - 1, c);
    return;
  }
  ApplyRasterOp();
  FPainter->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), PaintColor(FBrush.Color()));
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top || !Begin()) return;
  ApplyRasterOp();
  FPainter->setPen(QPen(PaintColor(FBrush.Color()), 0));
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
  FPenDirty = FBrushDirty = true;
}

namespace {

// The pixels of a small ellipse, by the colour they take: the painter's aliased ellipse
// depends only on the box size, so one drawing serves every place.
struct TEllipseStamp {
  std::vector<TPoint> Pen, Brush;
  bool Valid = false;
};

constexpr int kMaxStampedEllipse = 64;

const TEllipseStamp& EllipseStampOf(int w, int h, bool pen, bool brush) {
  static std::unordered_map<uint32_t, TEllipseStamp> cache;
  const uint32_t key = uint32_t(w) | uint32_t(h) << 8 | uint32_t(pen) << 16 | uint32_t(brush) << 17;
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() >= 1024) cache.clear();
  TEllipseStamp st;
  // Drawn the plain way: a canvas on an ARGB32 picture never writes directly.
  QImage img(w + 4, h + 4, QImage::Format_ARGB32);
  img.fill(QColor(0, 0, 255));
  {
    TCanvas c(&img, ctRaster);
    c.Pen().SetColor(clRed);
    c.Pen().SetStyle(pen ? psSolid : psClear);
    c.Brush().SetColor(clLime);
    c.Brush().SetStyle(brush ? bsSolid : bsClear);
    c.Ellipse(2, 2, 2 + w, 2 + h);
  }
  st.Valid = true;
  for (int y = 0; y < img.height() && st.Valid; ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y) & 0xFFFFFF;
      if (p == 0x0000FF) continue;
      const bool border = x < 2 || y < 2 || x >= w + 2 || y >= h + 2;
      if (border || (p != 0xFF0000 && p != 0x00FF00)) {
        st.Valid = false;  // outside its box or blended: leave it to the painter
        break;
      }
      (p == 0xFF0000 ? st.Pen : st.Brush).push_back({x - 2, y - 2});
    }
  return cache.emplace(key, std::move(st)).first->second;
}

}  // namespace

bool TCanvas::StampEllipse(int x1, int y1, int x2, int y2) {
  const int w = x2 - x1, h = y2 - y1;
  if (w > kMaxStampedEllipse || h > kMaxStampedEllipse || FPen.Mode() != pmCopy ||
      (PenVisible() && !ThinCopyPen()))
    return false;
  const TDirect* d = Direct();
  if (!d || x1 < d->Left || y1 < d->Top || x2 > d->Right || y2 > d->Bottom) return false;
  const TEllipseStamp& st = EllipseStampOf(w, h, PenVisible(), FBrush.Style() != bsClear);
  if (!st.Valid) return false;
  uint32_t* origin = d->Bits + qsizetype(y1) * d->Stride + x1;
  const uint32_t fill = RasterPixel(FBrush.Color()), line = RasterPixel(FPen.Color());
  for (const TPoint& p : st.Brush) origin[qsizetype(p.Y) * d->Stride + p.X] = fill;
  for (const TPoint& p : st.Pen) origin[qsizetype(p.Y) * d->Stride + p.X] = line;
  return true;
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1 || !Begin()) return;
  if (!Smooth() && StampEllipse(x1, y1, x2, y2)) return;
  ApplyBrush();
  if (PenVisible())
    ApplyPen();
  else {
    ApplyRasterOp();
    FPainter->setPen(Qt::NoPen);
    FPenDirty = true;
  }
  if (Smooth() != FSmoothHint) SmoothHint(Smooth());
  // Half-pixel offset: Qt's aliased curves otherwise reach one pixel past the box.
  FPainter->drawEllipse(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
}

void TCanvas::ArcPath(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool pie) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1 || !Begin()) return;
  const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
  const double rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
  // Radials are true angles; Qt's angles are parametric on the ellipse.
  auto param = [&](int px, int py) {
    double a = std::atan2(-(py - cy) / ry, (px - cx) / rx) * 180.0 / std::numbers::pi;
    return a;
  };
  double a0 = param(x3, y3);
  double a1 = param(x4, y4);
  double span = a1 - a0;
  while (span <= 0) span += 360.0;
  while (span > 360.0) span -= 360.0;
  QRectF box(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
  if (pie) {
    ApplyBrush();
    if (PenVisible())
      ApplyPen();
    else {
      FPainter->setPen(Qt::NoPen);
      FPenDirty = true;
    }
    if (Smooth() != FSmoothHint) SmoothHint(Smooth());
    FPainter->drawPie(box, int(std::lround(a0 * 16)), int(std::lround(span * 16)));
  } else if (PenVisible()) {
    ApplyPen();
    if (Smooth() != FSmoothHint) SmoothHint(Smooth());
    FPainter->drawArc(box, int(std::lround(a0 * 16)), int(std::lround(span * 16)));
  }
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcPath(x1, y1, x2, y2, x3, y3, x4, y4, false);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcPath(x1, y1, x2, y2, x3, y3, x4, y4, true);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (TLongTextMetrics::IsLong(text)) {
    LongTextOut(x, y, text);
    return;
  }
  if (text.empty() || !Begin()) return;
  const QFontMetrics& fm = Metrics();
  const int w = CachedWidth(text);
  const int h = fm.height();
  if (DrawLaidOut(x, y, w, h, text)) {
    FPenPos = {x + w, y};
    return;
  }
  ApplyFont();
  const QString s = ToQString(text);
  FPainter->save();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->translate(x, y);
  if (FFont.Orientation() != 0) FPainter->rotate(-FFont.Orientation() / 10.0);
  if (FBrush.Style() != bsClear) FPainter->fillRect(QRect(0, 0, w, h), PaintColor(FBrush.Color()));
  FPainter->setPen(PaintColor(FFont.Color()));
  FPainter->drawText(0, fm.ascent(), s);
  FPainter->restore();
  FPenPos = {x + w, y};
}

int TCanvas::TextWidth(const std::string& text) { return TextExtent(text).X; }

int TCanvas::TextHeight(const std::string&) { return Metrics().height(); }

void TCanvas::ForgetWidths() {
  FTexts.reset();
  FLongTexts.reset();
}

TLongTextMetrics& TCanvas::LongTexts() {
  if (!FLongTexts) FLongTexts = std::make_unique<TLongTextMetrics>();
  return *FLongTexts;
}

void TCanvas::LongTextOut(int x, int y, const std::string& text) {
  if (!Begin()) return;
  ApplyFont();
  const QFontMetrics& fm = Metrics();
  const int w = LongTexts().Width(text, fm);
  const int h = fm.height();
  FPainter->save();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->translate(x, y);
  if (FFont.Orientation() != 0) FPainter->rotate(-FFont.Orientation() / 10.0);
  // The picture seen from the text's baseline; the margin covers overhangs and the kerning
  // that the per-character widths leave out.
  const QRectF seen = FPainter->combinedTransform().inverted().mapRect(
      QRectF(0, 0, FDevice->width(), FDevice->height()));
  const double margin = 4.0 * h + seen.width() / 4;
  if (seen.bottom() + margin >= 0 && seen.top() - margin <= h) {
    const auto span = LongTexts().Visible(text, fm, seen.left() - margin, seen.right() + margin);
    if (FBrush.Style() != bsClear) {
      const int a = int(std::clamp<int64_t>(span.Offset, 0, w));
      const int b = int(std::clamp<int64_t>(span.EndOffset, 0, w));
      FPainter->fillRect(QRect(a, 0, b - a, h), PaintColor(FBrush.Color()));
    }
    FPainter->setPen(PaintColor(FFont.Color()));
    FPainter->drawText(
        QPointF(double(span.Offset), fm.ascent()),
        QString::fromUtf8(text.data() + span.Begin, qsizetype(span.End - span.Begin)));
  }
  FPainter->restore();
  FPenPos = {x + w, y};
}

TFontTexts& TCanvas::Texts() {
  Metrics();  // first: a new font or device lets the table go
  if (!FTexts) FTexts = TTextLayouts::Of(CachedFont(), FDevice);
  return *FTexts;
}

int TCanvas::CachedWidth(const std::string& text) { return Texts().Width(text, Metrics()); }

// Unturned texts on a raster picture are drawn from their kept glyphs: the same pixels as
// the painter's text drawing without shaping them again.
bool TCanvas::DrawLaidOut(int x, int y, int w, int h, const std::string& text) {
  if (FTarget != ctRaster || FFont.Orientation() != 0) return false;
  const QList<QGlyphRun> runs = Texts().Runs(text, FDevice);
  if (runs.isEmpty()) return false;
  const QPainter::CompositionMode was = FPainter->compositionMode();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (FBrush.Style() != bsClear) FPainter->fillRect(QRect(x, y, w, h), PaintColor(FBrush.Color()));
  FPainter->setPen(PaintColor(FFont.Color()));
  FPenDirty = true;
  const QPointF base(x, y + Metrics().ascent());
  for (const QGlyphRun& r : runs) FPainter->drawGlyphRun(base, r);
  if (was != QPainter::CompositionMode_SourceOver) FPainter->setCompositionMode(was);
  return true;
}

TPoint TCanvas::TextExtent(const std::string& text) {
  const QFontMetrics& fm = Metrics();
  if (TLongTextMetrics::IsLong(text)) return {LongTexts().Width(text, fm), fm.height()};
  return {CachedWidth(text), fm.height()};
}

TColor TCanvas::Pixels(int x, int y) {
  QImage* img = Image();
  if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height()) return clNone;
  QRgb p = img->pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

void TCanvas::SetPixels(int x, int y, TColor c) {
  QImage* img = Image();
  if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height()) return;
  if (FHasClip && (x < FClip.Left || x >= FClip.Right || y < FClip.Top || y >= FClip.Bottom))
    return;
  c = ColorToRGB(c);
  img->setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
}

void TCanvas::Draw(int x, int y, TBitmap& bmp) {
  if (bmp.Empty() || &bmp.Canvas() == this) return;
  const QImage& src = bmp.Image();
  if (!Begin()) return;
  QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
  if (FTarget == ctRaster) {
    switch (FCopyMode) {
      case SRCAND:
        m = QPainter::RasterOp_SourceAndDestination;
        break;
      case SRCPAINT:
        m = QPainter::RasterOp_SourceOrDestination;
        break;
      case SRCINVERT:
        m = QPainter::RasterOp_SourceXorDestination;
        break;
      default:
        break;
    }
  }
  FPainter->setCompositionMode(m);
  FPainter->drawImage(x, y, src);
}

void TCanvas::StretchDraw(const TRect& r, TBitmap& bmp) {
  if (bmp.Empty() || &bmp.Canvas() == this || r.Width() == 0 || r.Height() == 0) return;
  const QImage& src = bmp.Image();
  if (!Begin()) return;
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), src);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
  if (&source == this) {
    QImage* img = Image();
    if (!img) return;
    QImage part = img->copy(src.Left, src.Top, src.Width(), src.Height());
    if (!Begin()) return;
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter->drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), part);
    return;
  }
  QImage* img = source.Image();
  if (!img || !Begin()) return;
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), *img,
                      QRect(src.Left, src.Top, src.Width(), src.Height()));
}

void TCanvas::SetClipRect(const TRect& r) {
  FDirectState = -1;
  FHasClip = true;
  FClip = r;
  if (FPainter) FPainter->setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void TCanvas::ResetClip() {
  FDirectState = -1;
  FHasClip = false;
  if (FPainter) FPainter->setClipping(false);
}

TRect TCanvas::ClipRect() const {
  if (FHasClip) return FClip;
  return {0, 0, Width(), Height()};
}

int TCanvas::GetDeviceCaps(int index) const {
  switch (index) {
    case LOGPIXELSX:
      return FDevice ? FDevice->logicalDpiX() : TFont::PixelsPerInch;
    case LOGPIXELSY:
      return FDevice ? FDevice->logicalDpiY() : TFont::PixelsPerInch;
    case ASPECTX:
    case ASPECTY:
      return 36;
    default:
      return 0;
  }
}

int TCanvas::Width() const { return FDevice ? FDevice->width() : 0; }
int TCanvas::Height() const { return FDevice ? FDevice->height() : 0; }

}  // namespace zyr
