// SPDX-License-Identifier: MIT
// TPlot3D: painting the picture and drawing the plot (box, surface, axes).
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/plot3d/plot3d.h>

#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zyr {

namespace {

// Faces of the box by their corners (in polygon order), the faces that meet at each corner
// (in drawing order) and the three neighbours of each corner.
constexpr int kFaceCorners[6][4] = {{1, 5, 7, 3}, {2, 3, 7, 6}, {2, 6, 4, 0},
                                    {0, 4, 5, 1}, {4, 5, 7, 6}, {0, 1, 3, 2}};
constexpr int kCornerFaces[8][3] = {{5, 3, 2}, {0, 3, 5}, {1, 2, 5}, {0, 1, 5},
                                    {3, 4, 2}, {0, 3, 4}, {1, 2, 4}, {0, 4, 1}};
constexpr int kNeighbours[8][3] = {{1, 2, 4}, {0, 3, 5}, {0, 3, 6}, {1, 2, 7},
                                   {0, 5, 6}, {1, 4, 7}, {2, 4, 7}, {3, 5, 6}};

int Round(double v) { return int(std::nearbyint(std::clamp(v, -1e9, 1e9))); }

void SetPixel(TCanvas& cv, int x, int y) {
  // A one-pixel line: works on raster and vector canvases alike.
  cv.MoveTo(x, y);
  cv.LineTo(x + 1, y);
}

QColor ToQt(TColor c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// True when the quadrilateral turns the same way at every corner (collinear corners allowed).
bool Convex(const TQuad& q) {
  int pos = 0, neg = 0;
  for (int k = 0; k < 4; ++k) {
    const TPoint& a = q.p[k];
    const TPoint& b = q.p[(k + 1) % 4];
    const TPoint& c = q.p[(k + 2) % 4];
    const long long cross =
        (long long)(b.X - a.X) * (c.Y - b.Y) - (long long)(b.Y - a.Y) * (c.X - b.X);
    pos += cross > 0;
    neg += cross < 0;
  }
  return pos == 0 || neg == 0;
}

// Filled and outlined cells straight on the canvas's painter: a rotation drag repaints tens of
// thousands of cells per frame, and going through the canvas per cell costs a pen and a brush
// object each time. The painter state is saved around it, so the canvas finds its own state
// again; the pixels are those of a canvas polygon with a one-pixel pen.
class TCellPainter {
 public:
  TCellPainter(TCanvas& cv, bool enabled) : FCanvas(cv), FEnabled(enabled) { Resume(); }
  ~TCellPainter() { Pause(); }
  bool Active() const { return FPainter != nullptr; }
  void Pause() {
    if (FPainter) FPainter->restore();
    FPainter = nullptr;
  }
  void Resume() {
    if (!FEnabled) return;
    FPainter = FCanvas.Painter();  // a handler may have closed the old one
    if (!FPainter) return;
    FPainter->save();
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FSmooth = FCanvas.Antialiased();
    FPainter->setRenderHint(QPainter::Antialiasing, FSmooth);
    FHavePen = FHaveBrush = false;
  }
  void Cell(const TQuad& q, TColor fill, TColor line) {
    if (!FHaveBrush || fill != FBrush) {
      FPainter->setBrush(ToQt(fill));
      FBrush = fill;
      FHaveBrush = true;
    }
    if (!FHavePen || line != FPen) {
      QPen pen(ToQt(line));
      pen.setWidth(0);
      pen.setCapStyle(Qt::FlatCap);
      FPainter->setPen(pen);
      FPen = line;
      FHavePen = true;
    }
    if (FSmooth) {
      // Smooth cells lie on the pixel centres, as the canvas draws smooth polygons.
      QPointF f[4];
      for (int k = 0; k < 4; ++k) f[k] = QPointF(q.p[k].X + 0.5, q.p[k].Y + 0.5);
      FPainter->drawPolygon(f, 4);
      return;
    }
    const QPoint pts[4] = {
        {q.p[0].X, q.p[0].Y}, {q.p[1].X, q.p[1].Y}, {q.p[2].X, q.p[2].Y}, {q.p[3].X, q.p[3].Y}};
    if (Convex(q))
      FPainter->drawConvexPolygon(pts, 4);  // Qt's much quicker path
    else
      FPainter->drawPolygon(pts, 4);
  }

 private:
  TCanvas& FCanvas;
  bool FEnabled;
  QPainter* FPainter = nullptr;
  bool FHavePen = false, FHaveBrush = false, FSmooth = false;
  TColor FPen = 0, FBrush = 0;
};

// Filled and outlined cells written straight into a raster picture, for pictures the plot owns
// and nobody draws on meanwhile. Fill: pixels whose centre lies inside the quadrilateral
// (even-odd); outline: every pixel of each edge, as a closed canvas polygon with a one-pixel
// pen sets them.
class TCellRaster {
 public:
  TCellRaster(QImage* img, const TRect& clip) : FImg(img) {
    if (!img) return;
    FClip = {std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, img->width()),
             std::min(clip.Bottom, img->height())};
    FBits = img->bits();
    FStride = img->bytesPerLine();
  }
  bool Active() const { return FBits != nullptr; }

  void Cell(const TQuad& q, TColor fill, TColor line) {
    Fill(q, ToRgb(fill));
    const uint32_t l = ToRgb(line);
    for (int k = 0; k < 4; ++k) Line(q.p[k], q.p[(k + 1) % 4], l);
  }

 private:
  static uint32_t ToRgb(TColor c) {
    c = ColorToRGB(c);
    return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) |
           GetBValue(c);
  }
  uint32_t* Row(int y) { return reinterpret_cast<uint32_t*>(FBits + size_t(y) * size_t(FStride)); }

  void Fill(const TQuad& q, uint32_t c) {
    int y0 = q.p[0].Y, y1 = q.p[0].Y;
    for (const TPoint& p : q.p) {
      y0 = std::min(y0, p.Y);
      y1 = std::max(y1, p.Y);
    }
    y0 = std::max(y0, FClip.Top);
    y1 = std::min(y1, FClip.Bottom - 1);
    for (int y = y0; y <= y1; ++y) {
      const double yc = y + 0.5;
      double xs[4];
      int n = 0;
      for (int k = 0; k < 4; ++k) {
        const TPoint& a = q.p[k];
        const TPoint& b = q.p[(k + 1) % 4];
        if ((a.Y <= yc) == (b.Y <= yc)) continue;
        xs[n++] = a.X + (yc - a.Y) * (b.X - a.X) / double(b.Y - a.Y);
      }
      for (int i = 1; i < n; ++i)  // at most four crossings
        for (int j = i; j > 0 && xs[j] < xs[j - 1]; --j) std::swap(xs[j], xs[j - 1]);
      uint32_t* row = Row(y);
      for (int i = 0; i + 1 < n; i += 2) {
        // Pixel x is inside when its centre x + 0.5 lies between the crossings.
        const int xa = std::max(int(std::ceil(xs[i] - 0.5)), FClip.Left);
        const int xb = std::min(int(std::ceil(xs[i + 1] - 0.5)) - 1, FClip.Right - 1);
        for (int x = xa; x <= xb; ++x) row[x] = c;
      }
    }
  }

  void Line(TPoint a, TPoint b, uint32_t c) {
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      if (a.X >= FClip.Left && a.X < FClip.Right && a.Y >= FClip.Top && a.Y < FClip.Bottom)
        Row(a.Y)[a.X] = c;
      if (a.X == b.X && a.Y == b.Y) break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        a.X += sx;
      }
      if (e2 <= dx) {
        err += dx;
        a.Y += sy;
      }
    }
  }

  QImage* FImg;
  uchar* FBits = nullptr;
  int FStride = 0;
  TRect FClip;
};

}  // namespace

void TPlot3D::Paint() {
  if (FSuppressPaint || !Visible()) return;
  TCanvas& cv = FGrafBmp.Canvas();
  InitGraf(cv);
  const QPointer<QObject> alive(this);
  if (!IsDesigning()) ConstructDataBmp(cv, true);
  if (!alive) return;  // a handler deleted the control
  DrawFrame(cv, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray, clBlack,
            FFrameCol);
  Canvas().SetCopyMode(SRCCOPY);
  Canvas().Draw(0, 0, FGrafBmp);
}

void TPlot3D::InitGraf(TCanvas& Canvas) {
  if (FGrafBmp.Width() != Width() || FGrafBmp.Height() != Height())
    FGrafBmp.SetSize(Width(), Height());
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FColorBakGnd);
  Canvas.FillRect(Rect(0, 0, Width(), Height()));
  if (IsDesigning()) {
    const TColor bg = ColorToRGB(FColorBakGnd);
    const int r = GetRValue(bg), g = GetGValue(bg), b = GetBValue(bg);
    Canvas.Font().SetColor(r * r + g * g + b * b > 50000 ? clBlack : clWhite);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(10, 10, "Plot3D");
  }
}

void TPlot3D::ConstructDataBmp(TCanvas& Canvas, bool /*Flag*/) {
  Canvas.SetAntialiased(Antialiased());
  EnsureGridCurrent();
  const QPointer<QObject> alive(this);
  const int s = RearCorner(), o = 7 - s;
  const bool box = FBoundBox != 0;
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetWidth(1);
  if (box) {
    DrawBoxFaces(Canvas, o);
    DrawCornerEdges(Canvas, s, FColorCubeHidLin);
  }
  DrawSurface(Canvas);
  if (!alive) return;
  if (box) DrawCornerEdges(Canvas, o, FColorCubeFrame);
  DrawAxes(Canvas, o);
  if (!alive) return;
  Raise(
      OnDataRendered, [&] { OnDataRendered(this, Canvas); }, [this] { emit dataRendered(); });
}

void TPlot3D::DrawBoxFaces(TCanvas& cv, int front) {
  const TColor lo = ColorToRGB(FColorCubeFaceLo), hi = ColorToRGB(FColorCubeFaceHi);
  cv.Pen().SetColor(FColorCubeFrame);
  cv.Brush().SetStyle(FBoundBox == 1 ? bsClear : bsSolid);
  for (int face : kCornerFaces[front]) {
    TPoint pts[4];
    double depth = 0;
    for (int k = 0; k < 4; ++k) {
      const int c = kFaceCorners[face][k];
      const TScreenPt p = ProjectCorner(c);
      pts[k] = {p.x, p.y};
      depth += CornerDepth(c);
    }
    const int f = std::clamp(Round(50 * depth), 0, 200);
    auto shade = [f](int l, int h) { return uint8_t(l + (h - l) * f / 200); };
    cv.Brush().SetColor(RGB(shade(GetRValue(lo), GetRValue(hi)),
                            shade(GetGValue(lo), GetGValue(hi)),
                            shade(GetBValue(lo), GetBValue(hi))));
    cv.Polygon(pts, 4);
  }
}

void TPlot3D::DrawCornerEdges(TCanvas& cv, int corner, TColor color) {
  cv.Pen().SetColor(color);
  const TScreenPt a = ProjectCorner(corner);
  for (int n : kNeighbours[corner]) {
    const TScreenPt b = ProjectCorner(n);
    cv.MoveTo(a.x, a.y);
    cv.LineTo(b.x, b.y);
  }
}

void TPlot3D::DrawSurface(TCanvas& cv) {
  const int nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  if (FProjMapX.NrOfColumns() != nx || FProjMapX.NrOfRows() != ny) {
    FProjMapX.Resize(nx, ny);
    FProjMapY.Resize(nx, ny);
    FProjMapZ.Resize(nx, ny);
  }
  FSurfaceDrawn = false;
  if (nx < 2 || ny < 2) return;
  const QPointer<QObject> alive(this);

  // Every grid point is projected once; the cells then only look their corners up.
  const double fx = 300.0 / (nx - 1), fy = 300.0 / (ny - 1);
  const size_t n = size_t(nx) * size_t(ny);
  std::vector<TScreenPt> scr(n);
  std::vector<double> z(n);
  auto at = [nx](int ix, int iy) { return size_t(iy - 1) * size_t(nx) + size_t(ix - 1); };
  for (int iy = 1; iy <= ny; ++iy) {
    const double y = fy * FSclIntern[1] * (iy - ny / 2.0 - 0.5);
    for (int ix = 1; ix <= nx; ++ix) {
      const double h = GridMat.Elem(ix, iy);
      const double x = fx * FSclIntern[0] * (ix - nx / 2.0 - 0.5);
      const double zm = std::isfinite(h) ? FSclIntern[2] * CalcIntZ(h) : 0;
      const TScreenPt p = Project(x, y, zm);
      scr[at(ix, iy)] = p;
      z[at(ix, iy)] = h;
      FProjMapX.SetElem(ix, iy, p.x);
      FProjMapY.SetElem(ix, iy, p.y);
    }
  }

  const bool xTurned = FViewAngle[0] > 180;
  const double az = FViewAngle[2];
  const bool rowsUp = xTurned != (az < 90 || az > 270);
  const bool colsUp = xTurned == (az > 180);
  // Without a handler that could draw in between, the picture's pixels are written directly.
  const bool direct =
      FMeshKind == mkMesh && !OnBeforeRenderPolygon && cv.IsRaster() && !cv.Antialiased();
  TCellRaster raster(direct ? cv.Image() : nullptr, cv.ClipRect());
  TCellPainter fast(cv, FMeshKind == mkMesh && !raster.Active());
  for (int m = 1; m < ny; ++m) {
    const int iy = rowsUp ? m : ny - m;
    for (int r = 1; r < nx; ++r) {
      const int ix = colsUp ? r : nx - r;
      const size_t i0 = at(ix, iy), i1 = at(ix + 1, iy), i2 = at(ix + 1, iy + 1),
                   i3 = at(ix, iy + 1);
      FProjMapZ.SetElem(ix, iy, (m - 1) * nx + r);
      FProjMapZ.SetElem(ix + 1, iy, (m - 1) * nx + r + 1);
      FProjMapZ.SetElem(ix + 1, iy + 1, m * nx + r + 1);
      FProjMapZ.SetElem(ix, iy + 1, m * nx + r);
      const double h0 = z[i0], h1 = z[i1], h2 = z[i2], h3 = z[i3];
      // A cell touching a hole (NaN) or an infinite height is left out.
      if (!std::isfinite(h0 + h1 + h2 + h3)) continue;
      TColor color =
          CalcColorCoding(FColorCodeAvg ? (h0 + h1 + h2 + h3) / 4 : std::max({h0, h1, h2, h3}));
      TQuad quad;
      quad.p[0] = {scr[i0].x, scr[i0].y};
      quad.p[1] = {scr[i1].x, scr[i1].y};
      quad.p[2] = {scr[i2].x, scr[i2].y};
      quad.p[3] = {scr[i3].x, scr[i3].y};
      if (OnBeforeRenderPolygon) {
        bool handled = false;
        fast.Pause();
        OnBeforeRenderPolygon(this, cv, handled, ix, iy, quad, color);
        if (!alive) return;
        fast.Resume();
        if (handled) continue;
      }
      if (raster.Active()) {
        raster.Cell(quad, color, FMeshVisible ? FColorMesh : color);
        continue;
      }
      if (fast.Active()) {
        fast.Cell(quad, color, FMeshVisible ? FColorMesh : color);
        continue;
      }
      DrawCell(cv, quad, color);
    }
  }
  FSurfaceDrawn = true;
}

void TPlot3D::DrawCell(TCanvas& cv, const TQuad& quad, TColor color) {
  const TPoint* p = quad.p;
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(color);
  if (FMeshKind == mkMesh) {
    cv.Pen().SetColor(FMeshVisible ? FColorMesh : color);
    cv.Polygon(p, 4);
    return;
  }
  cv.Pen().SetColor(color);
  cv.Polygon(p, 4);
  cv.Pen().SetColor(FColorMesh);
  switch (FMeshKind) {
    case mkWaterfallHorz:
      cv.MoveTo(p[0].X, p[0].Y);
      cv.LineTo(p[3].X, p[3].Y);
      cv.MoveTo(p[2].X, p[2].Y);
      cv.LineTo(p[1].X, p[1].Y);
      break;
    case mkWaterfallVert:
      cv.MoveTo(p[0].X, p[0].Y);
      cv.LineTo(p[1].X, p[1].Y);
      cv.MoveTo(p[2].X, p[2].Y);
      cv.LineTo(p[3].X, p[3].Y);
      break;
    case mkWaterfallDiag:
      cv.MoveTo(p[0].X, p[0].Y);
      cv.LineTo(p[2].X, p[2].Y);
      break;
    case mkGrid:
      SetPixel(cv, p[0].X, p[0].Y);
      SetPixel(cv, p[1].X, p[1].Y);
      SetPixel(cv, p[3].X, p[3].Y);
      SetPixel(cv, p[2].X, p[2].Y);
      break;
    default:
      break;
  }
}

}  // namespace zyr
