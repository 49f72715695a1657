// SPDX-License-Identifier: MIT
// The chart's side of the curve legend: entries from the current pen, placement inside or
// beside the data area (growing the margin), drawing over the items, and the mouse.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>

#include <algorithm>
#include <cstdlib>

namespace zyr {

namespace {

constexpr int kInsideMargin = 6;  // keeps the box off the data-area frame
constexpr int kOutsideGap = 6;    // around a legend beside the data area
constexpr int kClickSlack = 3;    // pixels a click may wander before it becomes a drag

bool IsLineKind(TrcItem k) {
  return k == tkLineto || k == tkLine || k == tkLineRelPix || k == tkLineRelPixOrig ||
         k == tkLineOffs;
}

}  // namespace

std::unique_ptr<TChartLegend> TCustomRChart::MakeLegend() {
  auto l = std::make_unique<TChartLegend>();
  l->OnChange = [this](TObject*) {
    FitLegendMargins();
    RepaintIfAuto();
  };
  return l;
}

int TCustomRChart::AddLegendEntry(const std::string& Caption) {
  TLegendEntry e;
  e.Caption = Caption;
  e.LineColor = e.MarkColor = RcDataCol;
  e.LineStyle = RcPenStyle;
  e.LineWidth = RcLineWid;
  e.MarkFillColor = RcFillCol;
  e.ItemClass = RcClassDefault;
  // What the items of this pen look like: the newest mark of the class and colour gives the
  // mark; without any mark the entry is a line, with marks only it is a mark.
  bool mark = false, line = false;
  for (int i = FNumChartItems - 1; i >= 0 && !(mark && line); --i) {
    const TrcChartItem it = GetChartItem(i);
    if (it.ItemClass != RcClassDefault || it.Color != RcDataCol) continue;
    if (!mark && (it.ItemKind == tkMarkAt || it.ItemKind == tkMarkEBar)) {
      mark = true;
      e.MarkType = it.Param3;
    } else if (IsLineKind(it.ItemKind)) {
      line = true;
    }
  }
  e.ShowMark = mark;
  e.ShowLine = line || !mark;
  return FLegend->Add(e);
}

// ------------------------------------------------------------------ placement

void TCustomRChart::FitLegendMargins() {
  int needR = 0, needB = 0;
  const TChartLegend& lg = *FLegend;
  if (lg.Visible() && lg.Count() > 0 && lg.Outside()) {
    const TChartLegend::TLayout L = lg.Layout();
    // Never more than half of what the margins leave: the data area stays usable and a
    // legend that does not fit is clipped instead.
    if (lg.Anchor() == laOutsideRight) {
      const int base = RcRRim == FLegendSetR ? RcRRim - FLegendAddR : RcRRim;
      needR =
          std::min(L.Width + 2 * kOutsideGap, std::max(0, (Width() - F3DRim - RcLRim - base) / 2));
    } else {
      const int base = RcBRim == FLegendSetB ? RcBRim - FLegendAddB : RcBRim;
      needB = std::min(L.Height + 2 * kOutsideGap,
                       std::max(0, (Height() - F3DRim - RcTRim - base) / 2));
    }
  }
  // A margin that differs from the value set here was set by the program: it is the new base.
  if (RcRRim != FLegendSetR) FLegendAddR = 0;
  if (RcBRim != FLegendSetB) FLegendAddB = 0;
  const int r = RcRRim - FLegendAddR + needR, b = RcBRim - FLegendAddB + needB;
  FLegendAddR = needR;
  FLegendAddB = needB;
  FLegendSetR = r;
  FLegendSetB = b;
  if (r == RcRRim && b == RcBRim) return;
  const bool old = FSuppressPaint;
  FSuppressPaint = true;  // the caller paints (or is painting)
  try {
    if (r != RcRRim) SetRRim(r);
    if (b != RcBRim) SetBRim(b);
  } catch (const EZYRRChartError&) {
    // A range without a transform: the margins are stored; painting shows the empty chart.
  }
  FSuppressPaint = old;
}

void TCustomRChart::LegendAnchorPos(const TChartLegend::TLayout& L, int& Left, int& Top) const {
  const TChartLegend& lg = *FLegend;
  const int W = Width(), H = Height(), s = F3DRim;
  const int daL = RcLRim, daT = RcTRim, daW = DataAreaWidth(), daH = DataAreaHeight();
  const int w = L.Width, h = L.Height;
  if (lg.Anchor() == laOutsideRight) {
    Left = W - s - FLegendAddR + kOutsideGap;
    Top = daT;
  } else if (lg.Anchor() == laOutsideBottom) {
    Left = daL + (daW - w) / 2;
    Top = H - s - FLegendAddB + kOutsideGap;
  } else {
    const int col = lg.Anchor() % 3, row = lg.Anchor() / 3;
    const int right = daL + daW - 1, bottom = daT + daH - 1;  // the frame lines
    Left = col == 0   ? daL + kInsideMargin
           : col == 1 ? daL + (daW - w) / 2
                      : right - kInsideMargin - w;
    Top = row == 0   ? daT + kInsideMargin
          : row == 1 ? daT + (daH - h) / 2
                     : bottom - kInsideMargin - h;
  }
}

void TCustomRChart::ClampLegend(const TChartLegend::TLayout& L, int& Left, int& Top) const {
  if (FLegend->Outside()) {
    Left = std::max(0, std::min(Left, Width() - L.Width));
    Top = std::max(0, std::min(Top, Height() - L.Height));
    return;
  }
  // Inside the frame whatever the offset; a box too large for it starts at the top left.
  const int right = RcLRim + DataAreaWidth() - 1, bottom = RcTRim + DataAreaHeight() - 1;
  Left = std::max(RcLRim + 1, std::min(Left, right - L.Width));
  Top = std::max(RcTRim + 1, std::min(Top, bottom - L.Height));
}

bool TCustomRChart::PlaceLegend(TChartLegend::TLayout& L, int& Left, int& Top) const {
  const TChartLegend& lg = *FLegend;
  if (!lg.Visible() || lg.Count() == 0) return false;
  L = lg.Layout();
  LegendAnchorPos(L, Left, Top);
  Left += lg.OffsetX();
  Top += lg.OffsetY();
  ClampLegend(L, Left, Top);
  return true;
}

TRect TCustomRChart::LegendRect() const {
  TChartLegend::TLayout L;
  int x = 0, y = 0;
  if (!PlaceLegend(L, x, y)) return {};
  return Rect(x, y, x + L.Width, y + L.Height);
}

int TCustomRChart::LegendEntryAt(int x, int y) const {
  TChartLegend::TLayout L;
  int lx = 0, ly = 0;
  if (!PlaceLegend(L, lx, ly)) return -1;
  if (!FLegend->Outside() && !InDataArea(x, y)) return -1;  // clipped there
  return TChartLegend::EntryAt(L, x - lx, y - ly);
}

void TCustomRChart::DrawLegendOn(TCanvas& Canvas, int X0, int Y0, bool Outside) {
  if (FLegend->Outside() != Outside || Canvas.Width() <= 0 || Canvas.Height() <= 0) return;
  TChartLegend::TLayout L;
  int x = 0, y = 0;
  if (!PlaceLegend(L, x, y)) return;
  TRect clip = Rect(-X0, -Y0, Width() - X0, Height() - Y0);
  if (!Outside) {
    const int daW = DataAreaWidth(), daH = DataAreaHeight();
    if (daW <= 2 || daH <= 2) return;
    // Inside the frame, so that the frame and the scales stay whole.
    clip = Rect(RcLRim + 1 - X0, RcTRim + 1 - Y0, RcLRim + daW - 1 - X0, RcTRim + daH - 1 - Y0);
  }
  Canvas.SetClipRect(clip);
  FLegend->Draw(Canvas, x - X0, y - Y0, L, [this](int c) { return !ClassVisible(c); });
  Canvas.ResetClip();
}

// ------------------------------------------------------------------ mouse

bool TCustomRChart::LegendMouseDown(TMouseButton Button, int X, int Y) {
  FLegendPressed = FLegendDragged = false;
  const TChartLegend& lg = *FLegend;
  if (Button != mbLeft || !(lg.Draggable() || lg.ClickTogglesClass())) return false;
  const TRect r = LegendRect();
  if (X < r.Left || X >= r.Right || Y < r.Top || Y >= r.Bottom) return false;
  if (!lg.Outside() && !InDataArea(X, Y)) return false;
  FLegendPressed = true;
  FLegendPressEntry = LegendEntryAt(X, Y);
  FLegendPressX = X;
  FLegendPressY = Y;
  FLegendPressLeft = r.Left;  // where the drag starts: the legend as drawn
  FLegendPressTop = r.Top;
  return true;
}

bool TCustomRChart::LegendMouseMove(TShiftState Shift, int X, int Y) {
  if (!FLegendPressed) return false;
  if (!(Shift & ssLeft)) {
    FLegendPressed = FLegendDragged = false;
    return false;
  }
  const int dx = X - FLegendPressX, dy = Y - FLegendPressY;
  if (!FLegendDragged && std::abs(dx) < kClickSlack && std::abs(dy) < kClickSlack) return true;
  if (!FLegend->Draggable()) return true;
  FLegendDragged = true;
  const TChartLegend::TLayout L = FLegend->Layout();
  int baseX = 0, baseY = 0, x = FLegendPressLeft + dx, y = FLegendPressTop + dy;
  LegendAnchorPos(L, baseX, baseY);
  ClampLegend(L, x, y);
  // The stored offset is the one drawn, so the next drag starts where the legend is.
  const TDestroyWatch watch(this);  // the repaint's events may delete the chart
  FLegend->SetOffset(x - baseX, y - baseY);
  if (watch.Destroyed()) return true;
  TChartLegend* lg = FLegend.get();
  Raise(
      OnLegendMove, [&] { OnLegendMove(this, lg); }, [&] { emit legendMove(lg); });
  return true;
}

bool TCustomRChart::LegendMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FLegendPressed) return false;
  const bool click = !FLegendDragged && Button == mbLeft;
  const int entry = FLegendPressEntry;
  FLegendPressed = FLegendDragged = false;
  const TDestroyWatch watch(this);
  if (click && FLegend->ClickTogglesClass() && entry >= 0 && entry < FLegend->Count()) {
    const int c = FLegend->Entry(entry).ItemClass;
    if (c >= 0 && c <= 255) SetClassVisible(c, !ClassVisible(c));
    if (watch.Destroyed()) return true;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
  return true;
}

}  // namespace zyr
