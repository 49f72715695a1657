// SPDX-License-Identifier: MIT
// TRot3D: painting of box, axes, objects and labels.
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/plot3d/rot3d.h>

#include <QImage>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace zyr {

namespace {

// Corner i of the box: x from bit 4, y from bit 2, z from bit 1.
constexpr int kNeighbours[8][3] = {{1, 2, 4}, {0, 3, 5}, {0, 3, 6}, {1, 2, 7},
                                   {0, 5, 6}, {1, 4, 7}, {2, 4, 7}, {3, 5, 6}};
constexpr int kFaces[6][4] = {{1, 5, 7, 3}, {2, 3, 7, 6}, {2, 6, 4, 0},
                              {0, 4, 5, 1}, {4, 5, 7, 6}, {0, 1, 3, 2}};
constexpr int kFacesAt[8][3] = {{5, 3, 2}, {0, 3, 5}, {1, 2, 5}, {0, 1, 5},
                                {3, 4, 2}, {0, 3, 4}, {1, 2, 4}, {0, 4, 1}};

constexpr uint32_t kMove = 1, kLineTo = 2, kMark = 3;

int UnitSign(int corner, int bit) { return (corner & bit) ? 1 : -1; }

// Blend from lo (b = 0) to hi (b = 400) channel by channel.
TColor FaceColor(TColor lo, TColor hi, int b) {
  lo = ColorToRGB(lo);
  hi = ColorToRGB(hi);
  TColor c = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int l = int((lo >> shift) & 0xFF), h = int((hi >> shift) & 0xFF);
    const int v = std::clamp(l + b * (h - l) / 400, 0, 255);
    c |= TColor(v) << shift;
  }
  return c;
}

// A character code (Latin-1) as UTF-8.
std::string CharText(int code) {
  if (code < 0x80) return std::string(1, char(code));
  return {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
}

}  // namespace

void TRot3D::InitGraf(TCanvas& cv, bool white, int extra) {
  GrafBmp.SetSize(Width() + extra, Height() + extra);
  const TColor c = white ? clWhite : FChartCol;
  FillBackground(cv, c, Width() + extra, Height() + extra);
}

void TRot3D::FillBackground(TCanvas& cv, TColor c, int w, int h) {
  cv.Pen().SetMode(pmCopy);
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  cv.Pen().SetColor(c);
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(c);
  cv.Rectangle(0, 0, w, h);
}

void TRot3D::DrawPlotFrame(TCanvas& cv) {
  DrawFrame(cv, FFrameStyle, 0, 0, Width() - 1, Height() - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, clBlack,
            FFrameCol);
}

void TRot3D::Paint() {
  const QPointer<QObject> alive(this);
  InitGraf(GrafBmp.Canvas(), false, 0);
  ConstructDataBmp(GrafBmp.Canvas(), false);
  if (!alive) return;  // a handler deleted the control
  DrawPlotFrame(GrafBmp.Canvas());
  Canvas().SetCopyMode(SRCCOPY);
  Canvas().Draw(0, 0, GrafBmp);
}

void TRot3D::RenderPicture(TCanvas& cv, bool BlackWhite, bool IncludeFrame) {
  const QPointer<QObject> alive(this);
  FillBackground(cv, FChartCol, Width(), Height());
  ConstructDataBmp(cv, BlackWhite);
  if (alive && IncludeFrame) DrawPlotFrame(cv);
}

int TRot3D::FrontCorner() const {
  int best = 0, bestDepth = 0;
  for (int i = 0; i < 8; ++i) {
    const int d = UnitSign(i, 4) * FRotMat[2][0] + UnitSign(i, 2) * FRotMat[2][1] +
                  UnitSign(i, 1) * FRotMat[2][2];
    if (i == 0 || d < bestDepth) {
      best = i;
      bestDepth = d;
    }
  }
  return best;
}

void TRot3D::ConstructDataBmp(TCanvas& cv, bool BlackWhite) {
  cv.SetAntialiased(Antialiased());
  const QPointer<QObject> alive(this);
  Raise(
      OnBeforeRenderData, [&] { OnBeforeRenderData(this, cv); },
      [this] { emit beforeRenderData(); });
  if (!alive) return;
  FDivisor = ProjectionDivisor();
  cv.Pen().SetMode(pmCopy);
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  const bool box = FBoundBox != 0;
  const int B = box ? FrontCorner() : 0;
  if (box) DrawBoxFaces(cv, B);
  if (FShowAxes) DrawAxes(cv);
  if (box) DrawEdges(cv, 7 - B, FColorCubeHidLin);
  DrawObjects(cv, BlackWhite);
  if (!alive) return;
  cv.Pen().SetWidth(1);
  if (box) DrawEdges(cv, B, FColorCubeFrame);
  if (FShowAxes) DrawAxisNames(cv);
  Raise(
      OnDataRendered, [&] { OnDataRendered(this, cv); }, [this] { emit dataRendered(); });
}

void TRot3D::DrawBoxFaces(TCanvas& cv, int B) {
  cv.Pen().SetColor(FColorCubeFrame);
  cv.Brush().SetStyle(FBoundBox == 1 ? bsClear : bsSolid);
  for (int f : kFacesAt[B]) {
    TPoint pts[4];
    int S = 0;
    for (int k = 0; k < 4; ++k) {
      const int c = kFaces[f][k];
      pts[k] = Project(CubeCorners[c][0], CubeCorners[c][1], CubeCorners[c][2]);
      S += UnitSign(c, 4) * FRotMat[2][0] + UnitSign(c, 2) * FRotMat[2][1] +
           UnitSign(c, 1) * FRotMat[2][2];
    }
    const int b = -S / 10;
    cv.Brush().SetColor(FaceColor(FColorCubeFaceLo, FColorCubeFaceHi, b));
    cv.Polygon(pts, 4);
  }
  cv.Brush().SetStyle(bsSolid);
}

void TRot3D::DrawAxes(TCanvas& cv) {
  const int L = std::min(FAxSize, FBBSize);
  for (int k = 2; k >= 0; --k) {
    int64_t inner[3] = {0, 0, 0}, outer[3] = {0, 0, 0};
    inner[k] = L;
    outer[k] = FAxSize;
    cv.MoveTo(FCentX, FCentY);
    cv.Pen().SetColor(FColorCubeHidLin);
    const TPoint pi = Project(inner[0], inner[1], inner[2]);
    cv.LineTo(pi.X, pi.Y);
    cv.Pen().SetColor(FColorCubeFrame);
    const TPoint po = Project(outer[0], outer[1], outer[2]);
    cv.LineTo(po.X, po.Y);
  }
}

void TRot3D::DrawEdges(TCanvas& cv, int corner, TColor c) {
  cv.Pen().SetColor(c);
  const TPoint p0 = Project(CubeCorners[corner][0], CubeCorners[corner][1], CubeCorners[corner][2]);
  for (int n : kNeighbours[corner]) {
    const TPoint p = Project(CubeCorners[n][0], CubeCorners[n][1], CubeCorners[n][2]);
    cv.MoveTo(p0.X, p0.Y);
    cv.LineTo(p.X, p.Y);
  }
}

void TRot3D::DrawObjects(TCanvas& cv, bool BlackWhite) {
  if (NRotObj <= 0) return;
  const QPointer<QObject> alive(this);
  cv.Font() = Font();
  const TColor first = BlackWhite ? clBlack : (FRotProp[0] & 0x00FFFFFF);
  cv.Pen().SetColor(first);
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(first);
  for (int o = 0; o < NRotObj; ++o) {
    const uint32_t prop = FRotProp[size_t(o)];
    const uint32_t kind = prop >> 24;
    if (kind != kMove && kind != kLineTo && kind != kMark) continue;
    const TPoint p = Project(FRotDataX[size_t(o)], FRotDataY[size_t(o)], FRotDataZ[size_t(o)]);
    const TColor c = BlackWhite ? clBlack : (prop & 0x00FFFFFF);
    if (kind == kMove) {
      cv.MoveTo(p.X, p.Y);
    } else if (kind == kLineTo) {
      cv.Pen().SetColor(c);
      cv.Pen().SetWidth(FLineWid[size_t(o)]);
      // A segment within one pixel sets nothing; skipping it keeps dense polylines cheap.
      if (!(cv.PenPos() == p)) cv.LineTo(p.X, p.Y);
    } else {
      const int m = FRotMark[size_t(o)];
      if (m < NumMarkTypes) {
        cv.Pen().SetColor(c);
        cv.Pen().SetWidth(1);
        cv.Brush().SetColor(c);
        DrawMarkOnCanvas(cv, m, p.X, p.Y);
        if (OnLblRequest) {
          DrawMarkLabel(cv, o, p);
          if (!alive) return;
        }
      } else {
        DrawCharMark(cv, m, p, c);
      }
    }
  }
}

void TRot3D::DrawMarkLabel(TCanvas& cv, int obj, TPoint p) {
  std::string text;
  int dx = 0, dy = 0;
  TAlignment ha = taCenter;
  TVerticalAlignment va = 1;
  const QPointer<QObject> alive(this);
  OnLblRequest(this, obj, text, dx, dy, ha, va, cv.Font());
  if (!alive || text.empty()) return;
  const TPoint ext = cv.TextExtent(text);
  int x = p.X + dx, y = p.Y + dy;
  if (ha == taRightJustify)
    x -= ext.X;
  else if (ha == taCenter)
    x -= ext.X / 2;
  if (va == 1)
    y -= ext.Y / 2;
  else if (va == 2)
    y -= ext.Y;
  cv.Brush().SetStyle(bsClear);
  cv.TextOut(x, y, text);
  cv.Brush().SetStyle(bsSolid);
}

void TRot3D::DrawCharMark(TCanvas& cv, int m, TPoint p, TColor c) {
  const std::string text = CharText(m >= 200 && m <= 209 ? '0' + (m - 200) : m);
  const TFont labelFont = cv.Font();
  cv.Font().SetName(Font().Name());
  cv.Font().SetStyle(FTextFontStyle);
  cv.Font().SetSize(FTextMarkSize);
  cv.Font().SetColor(c);
  const TPoint ext = cv.TextExtent(text);
  cv.Brush().SetStyle(bsClear);
  cv.TextOut(p.X - ext.X / 2, p.Y - ext.Y / 2, text);
  cv.Brush().SetStyle(bsSolid);
  cv.Font() = labelFont;
}

void TRot3D::DrawAxisNames(TCanvas& cv) {
  cv.Font() = Font();
  cv.Brush().SetStyle(bsClear);
  for (int k = 2; k >= 0; --k) {
    if (FAxName[size_t(k)].empty()) continue;
    int64_t v[3] = {0, 0, 0};
    v[k] = int64_t(FAxSize) + 50;
    const TPoint p = Project(v[0], v[1], v[2]);
    const TPoint ext = cv.TextExtent(FAxName[size_t(k)]);
    cv.TextOut(p.X - ext.X / 2, p.Y - ext.Y / 2, FAxName[size_t(k)]);
  }
  cv.Brush().SetStyle(bsSolid);
}

}  // namespace zyr
