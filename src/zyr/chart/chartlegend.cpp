// SPDX-License-Identifier: MIT
// The curve legend: its entries and settings, how it is measured and how it is drawn.

#include <zyr/chart/chartlegend.h>
#include <zyr/platform/foundation/marks.h>

#include <algorithm>

namespace zyr {

namespace {

constexpr int kPad = 4;         // inside the frame
constexpr int kTextGap = 5;     // between the sample and the caption
constexpr int kColumnGap = 12;  // between columns
constexpr int kMaxFontPixels = 1000;
constexpr int kDefaultFontPixels = 11;  // 8 pt
constexpr int kMarkRows = 15;           // the largest designed marks are 15 pixels high

}  // namespace

TChartLegend::TChartLegend() : FMeasureBmp(1, 1) {
  FFont.SetColor(clBlack);
  // Changes made through Font() repaint the chart as the setters' do.
  FFont.OnChange = [this](TObject*) {
    if (!FQuietFont) Changed();
  };
}

void TChartLegend::Changed() {
  if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------ entries

TLegendEntry TChartLegend::Entry(int i) const {
  if (i < 0 || i >= Count()) return {};
  return FEntries[size_t(i)];
}

void TChartLegend::SetEntry(int i, const TLegendEntry& e) {
  if (i < 0 || i >= Count()) return;
  FEntries[size_t(i)] = e;
  Changed();
}

int TChartLegend::Add(const TLegendEntry& e) {
  FEntries.push_back(e);
  Changed();
  return Count() - 1;
}

void TChartLegend::Insert(int i, const TLegendEntry& e) {
  i = std::clamp(i, 0, Count());
  FEntries.insert(FEntries.begin() + i, e);
  Changed();
}

void TChartLegend::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  FEntries.erase(FEntries.begin() + i);
  Changed();
}

void TChartLegend::Move(int From, int To) {
  if (From < 0 || From >= Count() || To < 0 || To >= Count() || From == To) return;
  TLegendEntry e = std::move(FEntries[size_t(From)]);
  FEntries.erase(FEntries.begin() + From);
  FEntries.insert(FEntries.begin() + To, std::move(e));
  Changed();
}

void TChartLegend::Clear() {
  if (FEntries.empty()) return;
  FEntries.clear();
  Changed();
}

// ------------------------------------------------------------------ settings

#define ZYR_LEGEND_SETTER(Name, Field)         \
  void TChartLegend::Name(decltype(Field) v) { \
    if (v == Field) return;                    \
    Field = v;                                 \
    Changed();                                 \
  }

ZYR_LEGEND_SETTER(SetVisible, FVisible)
ZYR_LEGEND_SETTER(SetOffsetX, FOffsetX)
ZYR_LEGEND_SETTER(SetOffsetY, FOffsetY)
ZYR_LEGEND_SETTER(SetFrameVisible, FFrameVisible)
ZYR_LEGEND_SETTER(SetFrameColor, FFrameColor)
ZYR_LEGEND_SETTER(SetColor, FColor)
ZYR_LEGEND_SETTER(SetTransparent, FTransparent)
ZYR_LEGEND_SETTER(SetGreyedColor, FGreyedColor)
ZYR_LEGEND_SETTER(SetDraggable, FDraggable)
ZYR_LEGEND_SETTER(SetClickTogglesClass, FClickToggles)
#undef ZYR_LEGEND_SETTER

void TChartLegend::SetAnchor(TLegendAnchor v) {
  if (v == FAnchor || v > laOutsideBottom) return;
  FAnchor = v;
  Changed();
}

void TChartLegend::SetOffset(int x, int y) {
  if (x == FOffsetX && y == FOffsetY) return;
  FOffsetX = x;
  FOffsetY = y;
  Changed();
}

void TChartLegend::SetColumns(int v) {
  v = std::clamp(v, 1, 100);
  if (v == FColumns) return;
  FColumns = v;
  Changed();
}

void TChartLegend::SetFont(const TFont& v) { FFont.Assign(&v); }

void TChartLegend::SetTextColor(TColor v) {
  if (v == FFont.Color()) return;
  FFont.SetColor(v);
}

void TChartLegend::ResetComp() {
  FEntries.clear();
  FVisible = false;
  FAnchor = laTopRight;
  FOffsetX = FOffsetY = 0;
  FColumns = 1;
  FFrameVisible = true;
  FFrameColor = clBlack;
  FColor = clWhite;
  FTransparent = false;
  FQuietFont = true;
  FFont = TFont();
  FFont.SetColor(clBlack);
  FQuietFont = false;
  FGreyedColor = 0xA0A0A0;
  FDraggable = true;
  FClickToggles = false;
}

void TChartLegend::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TChartLegend*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  if (s == this) return;
  FEntries = s->FEntries;
  FVisible = s->FVisible;
  FAnchor = s->FAnchor;
  FOffsetX = s->FOffsetX;
  FOffsetY = s->FOffsetY;
  FColumns = s->FColumns;
  FFrameVisible = s->FFrameVisible;
  FFrameColor = s->FFrameColor;
  FColor = s->FColor;
  FTransparent = s->FTransparent;
  FQuietFont = true;
  FFont.Assign(&s->FFont);
  FQuietFont = false;
  FGreyedColor = s->FGreyedColor;
  FDraggable = s->FDraggable;
  FClickToggles = s->FClickToggles;
  Changed();
}

// ------------------------------------------------------------------ layout

void TChartLegend::ApplyFont(TCanvas& Canvas) const {
  Canvas.Font().Assign(&FFont);
  const int px = FFont.Height() == 0 ? kDefaultFontPixels : FFont.PixelSize();
  Canvas.Font().SetHeight(-std::clamp(px, 1, kMaxFontPixels));
}

TChartLegend::TLayout TChartLegend::Layout(TCanvas& Canvas) const {
  TLayout L;
  const int n = Count();
  if (n == 0) return L;
  ApplyFont(Canvas);
  const int th = Canvas.TextHeight("Ag");
  const int rowH = std::max(th, kMarkRows) + 2;
  const int sampleW = std::max(24, 2 * th);
  const int cols = std::min(FColumns, n);
  const int rows = (n + cols - 1) / cols;
  std::vector<int> colW(size_t(cols), 0);
  for (int i = 0; i < n; ++i) {
    const int w = sampleW + kTextGap + Canvas.TextWidth(FEntries[size_t(i)].Caption);
    int& cw = colW[size_t(i % cols)];
    cw = std::max(cw, w);
  }
  std::vector<int> colX(size_t(cols), kPad);
  for (int c = 1; c < cols; ++c)
    colX[size_t(c)] = colX[size_t(c - 1)] + colW[size_t(c - 1)] + kColumnGap;
  L.Entries.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const int c = i % cols, r = i / cols;
    const int x = colX[size_t(c)], y = kPad + r * rowH;
    L.Entries.push_back(Rect(x, y, x + colW[size_t(c)], y + rowH));
  }
  L.Width = colX[size_t(cols - 1)] + colW[size_t(cols - 1)] + kPad;
  L.Height = 2 * kPad + rows * rowH;
  return L;
}

TChartLegend::TLayout TChartLegend::Layout() const { return Layout(FMeasureBmp.Canvas()); }

int TChartLegend::EntryAt(const TLayout& L, int x, int y) {
  for (size_t i = 0; i < L.Entries.size(); ++i) {
    const TRect& r = L.Entries[i];
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return int(i);
  }
  return -1;
}

// ------------------------------------------------------------------ drawing

void TChartLegend::Draw(TCanvas& Canvas, int Left, int Top, const TLayout& L,
                        const std::function<bool(int)>& ClassHidden) const {
  if (L.Entries.empty() || L.Entries.size() != FEntries.size()) return;
  const TPen pen = Canvas.Pen();
  const TBrush brush = Canvas.Brush();
  const TFont font = Canvas.Font();
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetWidth(1);
  if (!FTransparent || FFrameVisible) {
    Canvas.Brush().SetStyle(FTransparent ? bsClear : bsSolid);
    Canvas.Brush().SetColor(FColor);
    Canvas.Pen().SetColor(FFrameVisible ? FFrameColor : FColor);
    Canvas.Rectangle(Left, Top, Left + L.Width, Top + L.Height);
  }
  ApplyFont(Canvas);
  const TRect clip = Canvas.ClipRect();
  for (size_t i = 0; i < FEntries.size(); ++i) {
    TRect r = L.Entries[i];
    r = Rect(r.Left + Left, r.Top + Top, r.Right + Left, r.Bottom + Top);
    if (r.Top >= clip.Bottom) break;  // rows go downwards: the rest is clipped anyway
    if (r.Bottom <= clip.Top || r.Left >= clip.Right || r.Right <= clip.Left) continue;
    const TLegendEntry& e = FEntries[i];
    DrawEntry(Canvas, e, r, e.ItemClass >= 0 && ClassHidden && ClassHidden(e.ItemClass));
  }
  Canvas.Pen() = pen;
  Canvas.Brush() = brush;
  Canvas.Font() = font;
}

void TChartLegend::DrawEntry(TCanvas& Canvas, const TLegendEntry& e, const TRect& r,
                             bool Greyed) const {
  auto col = [&](TColor c) { return Greyed ? FGreyedColor : c; };
  const int th = Canvas.TextHeight("Ag");
  const int sampleW = std::max(24, 2 * th);
  const int cy = r.Top + r.Height() / 2;
  if (e.ShowBox) {
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetColor(col(e.LineColor));
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(col(e.BoxColor));
    const int h = std::min(r.Height() - 4, th);
    Canvas.Rectangle(r.Left + 2, cy - h / 2, r.Left + sampleW - 2, cy - h / 2 + h);
  } else {
    if (e.ShowLine && e.LineStyle != psClear) {
      Canvas.Pen().SetColor(col(e.LineColor));
      Canvas.Pen().SetStyle(e.LineStyle);
      Canvas.Pen().SetWidth(std::clamp(e.LineWidth, 1, 20));
      Canvas.MoveTo(r.Left + 1, cy);
      Canvas.LineTo(r.Left + sampleW - 1, cy);
    }
    if (e.ShowMark && e.MarkType >= 0) {
      Canvas.Pen().SetStyle(psSolid);
      Canvas.Pen().SetWidth(1);
      Canvas.Pen().SetColor(col(e.MarkColor));
      Canvas.Brush().SetStyle(bsSolid);
      Canvas.Brush().SetColor(col(e.MarkFillColor));
      DrawMarkOnCanvas(Canvas, e.MarkType, r.Left + sampleW / 2, cy);
    }
  }
  if (e.Caption.empty()) return;
  Canvas.Brush().SetStyle(bsClear);
  Canvas.Font().SetColor(Greyed ? FGreyedColor : FFont.Color());
  Canvas.TextOut(r.Left + sampleW + kTextGap, r.Top + (r.Height() - th) / 2, e.Caption);
}

}  // namespace zyr
