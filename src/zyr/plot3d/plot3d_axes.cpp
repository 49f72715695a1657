// SPDX-License-Identifier: MIT
// TPlot3D: the three axes with their ticks, labels and captions, and where the texts go.
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/plot3d/plot3d.h>

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zyr {

namespace {

constexpr int kMaxTicks = 1000;  // guards the tick loop against degenerate steps
constexpr int kTextGap = 2;      // free pixels kept between two texts
constexpr int kEdge = 2;         // the control's frame

double DegSin(double deg) { return std::sin(deg * std::numbers::pi / 180); }
double DegCos(double deg) { return std::cos(deg * std::numbers::pi / 180); }
int Round(double v) { return int(std::nearbyint(std::clamp(v, -1e9, 1e9))); }

TRect Shifted(const TRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right + kTextGap && b.Left < a.Right + kTextGap && a.Top < b.Bottom &&
         b.Top < a.Bottom;
}

// Moves r inside the area; a text larger than the area keeps its left or top edge inside.
TRect Inside(TRect r, const TRect& area) {
  const int dx = r.Right > area.Right ? area.Right - r.Right : 0;
  const int dy = r.Bottom > area.Bottom ? area.Bottom - r.Bottom : 0;
  r = Shifted(r, dx, dy);
  return Shifted(r, r.Left < area.Left ? area.Left - r.Left : 0,
                 r.Top < area.Top ? area.Top - r.Top : 0);
}

}  // namespace

bool TPlot3D::TextFree(const TRect& r) const {
  for (const TAxisText& t : FAxisTexts)
    if (Overlap(r, t.rect)) return false;
  return true;
}

TRect TPlot3D::TextArea() const {
  return {kEdge, kEdge, std::max(Width() - kEdge, kEdge), std::max(Height() - kEdge, kEdge)};
}

// A tick label stays where its tick puts it unless it would be cut or would cover a text
// drawn before; then it takes the smallest move that frees it.
TRect TPlot3D::PlaceTickLabel(const TRect& wanted) const {
  const TRect area = TextArea();
  const TRect r = Inside(wanted, area);
  if (TextFree(r)) return r;
  TRect best = r;
  int bestCost = -1;
  auto consider = [&](int dx, int dy) {
    const TRect c = Inside(Shifted(r, dx, dy), area);
    const int cost = std::abs(c.Left - r.Left) + std::abs(c.Top - r.Top);
    if ((bestCost < 0 || cost < bestCost) && TextFree(c)) {
      best = c;
      bestCost = cost;
    }
  };
  for (const TAxisText& t : FAxisTexts) {
    if (!Overlap(r, t.rect)) continue;
    consider(t.rect.Left - kTextGap - r.Right, 0);
    consider(t.rect.Right + kTextGap - r.Left, 0);
    consider(0, t.rect.Top - r.Bottom);
    consider(0, t.rect.Bottom - r.Top);
  }
  return best;
}

// A caption moves away from its axis (outward) and along it until it covers no label and is
// not cut; the documented place wins whenever it is free.
TRect TPlot3D::PlaceCaption(const TRect& wanted, double ox, double oy, double ax, double ay,
                            int reach) const {
  const TRect area = TextArea();
  const TRect r = Inside(wanted, area);
  if (TextFree(r) && r == wanted) return r;
  constexpr int kStep = 3, kSteps = 30;
  const int along = std::max(reach, 0) / kStep;
  for (int cost = 0; cost <= kSteps + along; ++cost)
    for (int out = 0; out <= std::min(cost, kSteps); ++out) {
      const int s = cost - out;
      if (s > along) continue;
      for (int sign : {1, -1}) {
        const double d = out * kStep, a = sign * s * kStep;
        const TRect c =
            Inside(Shifted(wanted, Round(ox * d + ax * a), Round(oy * d + ay * a)), area);
        if (TextFree(c)) return c;
        if (s == 0) break;
      }
    }
  return r;
}

void TPlot3D::PutText(TCanvas& Canvas, TP3ScaleKind Kind, bool caption, const TRect& r,
                      const std::string& s) {
  Canvas.TextOut(r.Left, r.Top, s);
  FAxisTexts.push_back({Kind, caption, s, r});
}

void TPlot3D::DrawAxes(TCanvas& cv, int front) {
  // X and Y run along the floor edges next to the front corner, from the low to the high side
  // of the box, so the labels stay with the data whichever way the plot is turned.
  struct Ends {
    bool shown;
    TScreenPt a, b;
  } ends[3] = {};
  if (FVisible[0]) {
    int l = front ^ 1, k = l ^ 4;
    if (l & 4) std::swap(l, k);
    ends[0] = {true, ProjectCorner(l), ProjectCorner(k)};
  }
  if (FVisible[1]) {
    int l = front ^ 1, k = l ^ 2;
    if (l & 2) std::swap(l, k);
    ends[1] = {true, ProjectCorner(l), ProjectCorner(k)};
  }
  if (FVisible[2]) {
    auto right = [this](int c) {
      const double sx = c & 4 ? 1 : -1, sy = c & 2 ? 1 : -1, sz = c & 1 ? 1 : -1;
      return FRotMat[0][0] * sx + FRotMat[0][1] * sy + FRotMat[0][2] * sz;
    };
    int mc = 0;
    for (int c = 1; c < 8; ++c)
      if (right(c) > right(mc)) mc = c;
    // The row giving screen x has no z part, so mc is always a floor corner.
    ends[2] = {true, ProjectCorner(mc), ProjectCorner(mc ^ 1)};
  }
  // All tick labels first, so that the captions can keep clear of every one of them.
  FAxisTexts.clear();
  TFont fonts[3];
  const QPointer<QObject> alive(this);
  for (int k = 0; k < 3; ++k) {
    if (!ends[k].shown) continue;
    const Ends& e = ends[k];
    DrawAxisTicks(cv, TP3ScaleKind(k), e.a.x, e.a.y, e.b.x, e.b.y, FRangeLow[size_t(k)],
                  FRangeHigh[size_t(k)]);
    if (!alive) return;  // a label handler deleted the control
    fonts[k] = cv.Font();
  }
  for (int k = 0; k < 3; ++k) {
    if (!ends[k].shown) continue;
    const Ends& e = ends[k];
    cv.Font() = fonts[k];
    cv.Brush().SetStyle(bsClear);
    DrawAxisCaption(cv, TP3ScaleKind(k), e.a.x, e.a.y, e.b.x, e.b.y);
  }
}

void TPlot3D::DrawAxis(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2,
                       double Low, double High) {
  FAxisTexts.clear();
  const QPointer<QObject> alive(this);
  DrawAxisTicks(Canvas, Kind, x1, y1, x2, y2, Low, High);
  if (!alive) return;
  DrawAxisCaption(Canvas, Kind, x1, y1, x2, y2);
}

void TPlot3D::DrawAxisTicks(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2,
                            double Low, double High) {
  const size_t ax = size_t(Kind);
  const TColor color = Kind == p3skX ? FColorXAx : Kind == p3skY ? FColorYAx : FColorZAx;
  SetCanvasFontSizeScaled(Canvas, 8);
  Canvas.Pen().SetColor(color);
  Canvas.Font().SetColor(color);
  Canvas.Brush().SetStyle(bsClear);

  const double w = std::fabs(High - Low);
  int q = FDecPlace[ax];
  if (q == -2) {
    if (w >= 1000000 || w <= 0.0001)
      q = -2;
    else if (w >= 100)
      q = 0;
    else
      q = 2 - Round(std::log(w) / 2.5);
  }

  double first = 0, step = 0;
  uint16_t numShort = 1;
  CalcScalePars(FNTicks[ax], Low, High, first, step, numShort);
  const double dir = High > Low ? 1 : -1;
  const int h = Canvas.TextHeight("0");
  const double vx = FViewAngle[0], vz = FViewAngle[2];
  const bool ticksUp = (vx > 90 && vx <= 180) || vx > 270;
  const double span = High - Low;
  if (step == 0 || !std::isfinite(step) || !std::isfinite(first) || !std::isfinite(span)) return;
  const QPointer<QObject> alive(this);
  for (int n = 0; n < kMaxTicks; ++n) {
    const double t = first + n * step;
    const int tx = x1 + Round((t - Low) / span * (x2 - x1));
    const int ty = y1 + Round((t - Low) / span * (y2 - y1));
    int ex = tx, ey = ty, top = ty;
    if (Kind == p3skZ) {
      ex = tx + 8;
      top = ey - h / 2;
    } else if (ticksUp) {
      ey = ty - 8;
      top = ey - h;
    } else {
      ey = ty + 8;
      top = ey;
    }
    Canvas.MoveTo(tx, ty);
    Canvas.LineTo(ex, ey);

    std::string label;
    if (std::fabs(t / span) < 1e-14) {
      if (w <= 100000)
        label = strff(0, 1, q);
      else
        label = q != 0 ? "0.0" : "0";
    } else {
      label = strff(t, 1, q);
    }
    if (label.size() > 14) label.resize(14);
    if (OnBeforeDrawScaleLabel) {
      OnBeforeDrawScaleLabel(this, Canvas, Kind, label, tx, ty);
      if (!alive) return;
    }

    const TPoint size = Canvas.TextExtent(label);
    const int half = size.X / 2;
    const int p = vx > 180 ? -1 : 1;
    int left = ex + 3;
    if (Kind == p3skX) {
      const int shift = Round(DegSin(vz) * half) * p;
      left = vz <= 90 || vz > 270 ? ex - half - shift : ex - half + shift;
    } else if (Kind == p3skY) {
      const int shift = Round(DegCos(vz) * half) * p;
      left = vz > 180 ? ex - half - shift : ex - half + shift;
    }
    PutText(Canvas, Kind, false, PlaceTickLabel({left, top, left + size.X, top + size.Y}), label);

    const double next = first + (n + 1) * step;
    if (!(dir * 0.001 * step >= dir * (next - High))) break;
  }
}

void TPlot3D::DrawAxisCaption(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2) {
  const int dx = x2 - x1, dy = y2 - y1;
  const double len = std::sqrt(double(dx) * dx + double(dy) * dy);
  if (len <= 0) return;
  const double vx = FViewAngle[0], vz = FViewAngle[2];
  const int pp = vx <= 90 || (vx > 180 && vx <= 270) ? -1 : 1;
  const int mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  const std::string& capt = Kind == p3skX ? FCaptX : Kind == p3skY ? FCaptY : FCaptZ;
  if (capt.empty()) return;
  const TPoint size = Canvas.TextExtent(capt);
  if (Kind == p3skZ) {
    const int left = x1 + FLabDist[2], top = my - 8;
    PutText(Canvas, Kind, true,
            PlaceCaption({left, top, left + size.X, top + size.Y}, 1, 0, 0, 1, int(len) / 2), capt);
    return;
  }
  const int dist = FLabDist[size_t(Kind)];
  const double v = dist * pp;
  const int ox = Round(dy * v / len), oy = Round(dx * v / len);
  const bool firstForm = Kind == p3skX ? (vz <= 90 || vz > 270) : vz > 180;
  const int sign = firstForm ? 1 : -1;
  const int cx = mx + sign * ox, cy = my - sign * oy;
  // Outward: the side the documented distance puts the caption on.
  const double out = (dist != 0 ? (dist > 0 ? 1 : -1) : 1) * pp * sign;
  const int left = cx - size.X / 2, top = cy - size.Y / 2;
  PutText(Canvas, Kind, true,
          PlaceCaption({left, top, left + size.X, top + size.Y}, out * dy / len, -out * dx / len,
                       dx / len, dy / len, int(len) / 2),
          capt);
}

void TPlot3D::DrawCenteredText(TCanvas& Canvas, int x, int y, const std::string& s) {
  Canvas.TextOut(x - Canvas.TextWidth(s) / 2, y - Canvas.TextHeight(s) / 2, s);
}

}  // namespace zyr
