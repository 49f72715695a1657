// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/marks.h>
#include <zyr/platform/host/bitmap.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace zyr {

namespace {

enum Shape : uint8_t {
  shPixel,
  shDot,
  shPlus,
  shCross,
  shAsterisk,
  shSquare,
  shCircle,
  shDiamond,
  shTriUp,
  shTriDown,
  shTriLeft,
  shTriRight,
  shStar,
  shHexagon,
  shSquareCross,
  shSquarePlus,
  shCirclePlus,
  shCircleCross,
  shCircleDot,
  shVBar,
  shHBar,
};

struct MarkDef {
  Shape shape;
  uint8_t r;
  bool filled;
};

constexpr MarkDef kMarks[NumMarkTypes] = {
    {shPixel, 0, false},       {shDot, 1, false},        {shPlus, 2, false},
    {shPlus, 3, false},        {shPlus, 5, false},       {shCross, 2, false},
    {shCross, 3, false},       {shCross, 5, false},      {shAsterisk, 3, false},
    {shAsterisk, 5, false},    {shSquare, 2, false},     {shSquare, 3, false},
    {shSquare, 5, false},      {shSquare, 2, true},      {shSquare, 3, true},
    {shSquare, 5, true},       {shCircle, 2, false},     {shCircle, 3, false},
    {shCircle, 5, false},      {shCircle, 2, true},      {shCircle, 3, true},
    {shCircle, 5, true},       {shDiamond, 3, false},    {shDiamond, 5, false},
    {shDiamond, 3, true},      {shDiamond, 5, true},     {shTriUp, 3, false},
    {shTriUp, 5, false},       {shTriUp, 3, true},       {shTriUp, 5, true},
    {shTriDown, 3, false},     {shTriDown, 5, false},    {shTriDown, 3, true},
    {shTriDown, 5, true},      {shTriLeft, 4, false},    {shTriLeft, 4, true},
    {shTriRight, 4, false},    {shTriRight, 4, true},    {shStar, 5, false},
    {shStar, 5, true},         {shHexagon, 4, false},    {shHexagon, 4, true},
    {shSquareCross, 4, false}, {shSquarePlus, 4, false}, {shCirclePlus, 4, false},
    {shCircleCross, 4, false}, {shCircleDot, 4, false},  {shVBar, 5, true},
    {shHBar, 5, true},         {shCircle, 7, false},     {shSquare, 7, false},
    {shDiamond, 7, false},
};

// Line including both end pixels; works for horizontal, vertical and diagonal lines.
void Segment(TCanvas& cv, int x1, int y1, int x2, int y2) {
  int sx = (x2 > x1) - (x2 < x1);
  int sy = (y2 > y1) - (y2 < y1);
  if (sx == 0 && sy == 0) sx = 1;  // a single pixel
  cv.MoveTo(x1, y1);
  cv.LineTo(x2 + sx, y2 + sy);
}

// Arms of a plus or cross leave out the centre, so an XOR pen does not erase it.
void Plus(TCanvas& cv, int x, int y, int r) {
  Segment(cv, x - r, y, x + r, y);
  Segment(cv, x, y - r, x, y - 1);
  Segment(cv, x, y + 1, x, y + r);
}

void Cross(TCanvas& cv, int x, int y, int r) {
  Segment(cv, x - r, y - r, x + r, y + r);
  Segment(cv, x + r, y - r, x + 1, y - 1);
  Segment(cv, x - 1, y + 1, x - r, y + r);
}

void Poly(TCanvas& cv, int x, int y, const std::vector<TPoint>& rel) {
  std::vector<TPoint> pts;
  pts.reserve(rel.size());
  for (const TPoint& p : rel) pts.push_back({x + p.X, y + p.Y});
  cv.Polygon(pts);
}

std::vector<TPoint> StarPoints(int r) {
  std::vector<TPoint> pts;
  const double inner = r * 0.45;
  for (int k = 0; k < 10; ++k) {
    double a = -M_PI / 2 + k * M_PI / 5;
    double rad = k % 2 == 0 ? r : inner;
    pts.push_back({int(std::nearbyint(rad * std::cos(a))), int(std::nearbyint(rad * std::sin(a)))});
  }
  return pts;
}

// Flat top and bottom; as tall as wide so it reads as a hexagon at small sizes.
std::vector<TPoint> HexagonPoints(int r) {
  int half = (r + 1) / 2;
  return {{-r, 0}, {-half, -r}, {half, -r}, {r, 0}, {half, r}, {-half, r}};
}

// Raster ellipses of 5 pixels come out lopsided; a cut square is a cleaner small circle.
void Circle(TCanvas& cv, int x, int y, int r) {
  if (r <= 2) {
    Poly(cv, x, y, {{-1, -2}, {1, -2}, {2, -1}, {2, 1}, {1, 2}, {-1, 2}, {-2, 1}, {-2, -1}});
    return;
  }
  cv.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
}

void DrawShape(TCanvas& cv, const MarkDef& m, int x, int y) {
  const int r = m.r;
  switch (m.shape) {
    case shPixel:
      Segment(cv, x, y, x, y);
      break;
    case shDot:
      for (int dy = -1; dy <= 1; ++dy) Segment(cv, x - 1, y + dy, x + 1, y + dy);
      break;
    case shPlus:
      Plus(cv, x, y, r);
      break;
    case shCross:
      Cross(cv, x, y, r);
      break;
    case shAsterisk:
      Plus(cv, x, y, r);
      Segment(cv, x - r, y - r, x - 1, y - 1);
      Segment(cv, x + 1, y + 1, x + r, y + r);
      Segment(cv, x + r, y - r, x + 1, y - 1);
      Segment(cv, x - 1, y + 1, x - r, y + r);
      break;
    case shSquare:
      cv.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      break;
    case shCircle:
      Circle(cv, x, y, r);
      break;
    case shDiamond:
      Poly(cv, x, y, {{0, -r}, {r, 0}, {0, r}, {-r, 0}});
      break;
    case shTriUp:
      Poly(cv, x, y, {{0, -r}, {r, r}, {-r, r}});
      break;
    case shTriDown:
      Poly(cv, x, y, {{0, r}, {-r, -r}, {r, -r}});
      break;
    case shTriLeft:
      Poly(cv, x, y, {{-r, 0}, {r, -r}, {r, r}});
      break;
    case shTriRight:
      Poly(cv, x, y, {{r, 0}, {-r, r}, {-r, -r}});
      break;
    case shStar:
      Poly(cv, x, y, StarPoints(r));
      break;
    case shHexagon:
      Poly(cv, x, y, HexagonPoints(r));
      break;
    case shSquareCross:
      cv.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      Cross(cv, x, y, r - 2);
      break;
    case shSquarePlus:
      cv.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      Plus(cv, x, y, r - 2);
      break;
    case shCirclePlus:
      cv.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      Plus(cv, x, y, r - 2);
      break;
    case shCircleCross:
      cv.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      Cross(cv, x, y, r - 2);
      break;
    case shCircleDot:
      cv.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      Segment(cv, x, y, x, y);
      break;
    case shVBar:
      for (int dx = -1; dx <= 1; ++dx) Segment(cv, x + dx, y - r, x + dx, y + r);
      break;
    case shHBar:
      for (int dy = -1; dy <= 1; ++dy) Segment(cv, x - r, y + dy, x + r, y + dy);
      break;
  }
}

std::string CodePointToUtf8(unsigned cp) {
  std::string s;
  if (cp < 0x80) {
    s += char(cp);
  } else if (cp < 0x800) {
    s += char(0xC0 | (cp >> 6));
    s += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += char(0xE0 | (cp >> 12));
    s += char(0x80 | ((cp >> 6) & 0x3F));
    s += char(0x80 | (cp & 0x3F));
  } else {
    s += char(0xF0 | (cp >> 18));
    s += char(0x80 | ((cp >> 12) & 0x3F));
    s += char(0x80 | ((cp >> 6) & 0x3F));
    s += char(0x80 | (cp & 0x3F));
  }
  return s;
}

void DrawCharMark(TCanvas& cv, int code, int x, int y) {
  // Surrogates and values beyond Unicode are not characters.
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return;
  std::string s = CodePointToUtf8(unsigned(code));
  TColor fontColor = cv.Font().Color();
  cv.Font().SetColor(cv.Pen().Color());
  int w = cv.TextWidth(s);
  int h = cv.TextHeight(s);
  cv.TextOut(x - w / 2, y - h / 2, s);
  cv.Font().SetColor(fontColor);
}

}  // namespace

namespace {

// The pixels one mark sets, split by the colour they take; drawn once and then copied, since
// handing every mark of a dense scatter plot to the painter dominates its repaint. Aliased
// drawing makes a mark's pixels independent of what lies below, so the copy is exact.
struct MarkStamp {
  std::vector<TPoint> pen, brush;
  TRect bounds;  // of all offsets, right and bottom exclusive
  bool valid = false;
};

constexpr int kStampHalf = 16;
constexpr int kMaxStampPenWidth = 3;

MarkStamp BuildStamp(int type, int penWidth, bool brushSolid) {
  constexpr TColor kPen = clBlack, kBrush = clRed, kBack = clWhite;
  TBitmap b(2 * kStampHalf + 1, 2 * kStampHalf + 1);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(kBack);
  c.FillRect({0, 0, b.Width(), b.Height()});
  c.Pen().SetColor(kPen);
  c.Pen().SetWidth(penWidth);
  c.Brush().SetColor(kBrush);
  c.Brush().SetStyle(brushSolid ? bsSolid : bsClear);
  const MarkDef& m = kMarks[type];
  if (!m.filled) c.Brush().SetStyle(bsClear);
  DrawShape(c, m, kStampHalf, kStampHalf);
  MarkStamp st;
  const QImage& img = b.Image();
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const TColor px = RGB(uint8_t(qRed(row[x])), uint8_t(qGreen(row[x])), uint8_t(qBlue(row[x])));
      const TPoint d{x - kStampHalf, y - kStampHalf};
      if (px == kPen) {
        st.pen.push_back(d);
      } else if (px == kBrush) {
        st.brush.push_back(d);
      } else if (px != kBack) {
        return MarkStamp{};  // blended pixels: not a pure two-colour mark
      }
      // A mark touching the border may be cut: draw it the slow way.
      if (px != kBack && (x == 0 || y == 0 || x == img.width() - 1 || y == img.height() - 1))
        return MarkStamp{};
    }
  }
  st.bounds = {kStampHalf, kStampHalf, -kStampHalf, -kStampHalf};
  for (const auto* v : {&st.pen, &st.brush})
    for (const TPoint& d : *v) {
      st.bounds.Left = std::min(st.bounds.Left, d.X);
      st.bounds.Top = std::min(st.bounds.Top, d.Y);
      st.bounds.Right = std::max(st.bounds.Right, d.X + 1);
      st.bounds.Bottom = std::max(st.bounds.Bottom, d.Y + 1);
    }
  st.valid = true;
  return st;
}

const MarkStamp& StampOf(int type, int penWidth, bool brushSolid) {
  static std::vector<std::unique_ptr<MarkStamp>> cache(
      size_t(NumMarkTypes * kMaxStampPenWidth * 2));
  const size_t key = (size_t(type) * kMaxStampPenWidth + size_t(penWidth - 1)) * 2 + brushSolid;
  if (!cache[key]) cache[key] = std::make_unique<MarkStamp>(BuildStamp(type, penWidth, brushSolid));
  return *cache[key];
}

// The stamp lies wholly inside the writable box (checked by the caller).
void PutPixels(uint32_t* bits, qsizetype stride, const std::vector<TPoint>& pts, int x, int y,
               TColor c) {
  c = ColorToRGB(c);
  const uint32_t rgb = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
  uint32_t* origin = bits + qsizetype(y) * stride + x;
  for (const TPoint& d : pts) origin[qsizetype(d.Y) * stride + d.X] = rgb;
}

// Copies a cached mark straight into a 32-bit raster picture; false when the canvas or the pen
// needs the painter (vector targets, XOR, dashed or wide pens, characters).
bool StampMarkOnCanvas(TCanvas& cv, int type, int x, int y) {
  if (type >= NumMarkTypes || cv.Pen().Mode() != pmCopy || cv.Pen().Style() != psSolid ||
      cv.Pen().Width() > kMaxStampPenWidth)
    return false;
  qsizetype stride = 0;
  TRect clip;
  uint32_t* bits = cv.DirectPixels(stride, clip);
  if (!bits) return false;
  const MarkStamp& st = StampOf(type, cv.Pen().Width(), cv.Brush().Style() == bsSolid);
  if (!st.valid) return false;
  // Shapes cut by the picture's edge are rasterised a little differently: draw those.
  if (x + st.bounds.Left < clip.Left || y + st.bounds.Top < clip.Top ||
      x + st.bounds.Right > clip.Right || y + st.bounds.Bottom > clip.Bottom)
    return false;
  PutPixels(bits, stride, st.brush, x, y, cv.Brush().Color());
  PutPixels(bits, stride, st.pen, x, y, cv.Pen().Color());
  return true;
}

}  // namespace

void DrawMarkOnCanvas(TCanvas& cv, int MarkType, int x, int y) {
  if (MarkType < 0) return;
  if (StampMarkOnCanvas(cv, MarkType, std::clamp(x, -30000, 30000), std::clamp(y, -30000, 30000)))
    return;
  // Keep the whole mark where every canvas handles pixel coordinates.
  x = std::clamp(x, -30000, 30000);
  y = std::clamp(y, -30000, 30000);
  TPoint penPos = cv.GetPenPos();
  TBrushStyle brushStyle = cv.Brush().Style();
  if (MarkType >= NumMarkTypes) {
    cv.Brush().SetStyle(bsClear);
    DrawCharMark(cv, MarkType, x, y);
  } else {
    const MarkDef& m = kMarks[MarkType];
    if (!m.filled) cv.Brush().SetStyle(bsClear);
    DrawShape(cv, m, x, y);
  }
  cv.Brush().SetStyle(brushStyle);
  cv.MoveTo(penPos.X, penPos.Y);
}

}  // namespace zyr
