// SPDX-License-Identifier: MIT
#include "boxplot.h"

#include <zyr/platform/foundation/format.h>
#include <zyr/platform/numerics/math1.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

namespace zyr {

namespace {
constexpr int kMaxMark = 51;
constexpr int kStatBlockDashes = 30;
}  // namespace

// ---------------------------------------------------------------- TBoxPlotLabel

TBoxPlotLabel::TBoxPlotLabel() {
  SetColorBkg(0xC0C0C0);
  SetColorBorder(0);
  SetColorShadow(0x808080);
  SetShadowDx(3);
  SetShadowDy(2);
  SetTransparent(false);
  Font().SetColor(0);
  SetMode(1);
  SetVisible(true);
}

void TBoxPlotLabel::SetPosition(int v) {
  if (v == FLabelPos) return;
  FLabelPos = v;
  Changed();
}

void TBoxPlotLabel::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TBoxPlotLabel*>(Source)) FLabelPos = s->FLabelPos;
  TCustomTextLabel::Assign(Source);
}

// ---------------------------------------------------------------- construction

TBoxPlot::TBoxPlot(QWidget* parent)
    : TCustomRChart(parent), FMinis(1), FMaxis(1), FQuarts(1, 3), F90Percentils(1, 2), FMeans(1) {
  FSuppressPaint = true;
  auto own = std::make_unique<TDataTable>(1, 100);
  for (int r = 1; r <= 100; ++r) own->SetElem(1, r, GRandom());
  FOwnData = std::move(own);
  FData = FOwnData.get();
  FLabels = std::make_unique<TBoxPlotLabel>();
  FLabels->OnChange = [this](TObject* s) { DataChanged(s); };
  HookTable();
  Scale1X().SetVisible(false);
  TCustomRChart::SetRange(1, 0, -1, 2, 1);
  SetBRim(24);
  SetChartCaption("BoxPlot");
  for (int i = 1; i <= kNumTextLabels; ++i) {
    TextLabels(i).SetCaption(ProcessHexChars(FData->ColName(i)));
    CopyLabelLooks(i);
  }
  PlaceLabels();
}

TBoxPlot::~TBoxPlot() {
  UnhookTable();
  if (FLabels) FLabels->OnChange = nullptr;
}

void TBoxPlot::CreateWnd() {
  TCustomRChart::CreateWnd();
  SetBoxSuppressPaint(false);
}

void TBoxPlot::Paint() {
  if ((!Visible() && !IsDesigning()) || IsLoading() || FBoxSuppressPaint) return;
  TCustomRChart::Paint();
}

void TBoxPlot::SetBoxSuppressPaint(bool v) {
  if (v == FBoxSuppressPaint) return;
  FBoxSuppressPaint = v;
  if (!v) DataChanged(this);
  TCustomRChart::SetSuppressPaint(v);
}

// ---------------------------------------------------------------- data table

TDataTable* TBoxPlot::Table() {
  // A shared foreign table that died first leaves the box plot with an empty table of its own.
  if (FTracksShared && FSharedData.expired()) {
    FTracksShared = false;
    FData = nullptr;
    UseOwnTable(std::make_unique<TDataTable>());
  }
  return FData;
}

TDataTable& TBoxPlot::Data() { return *Table(); }

void TBoxPlot::HookTable() {
  if (FData) FData->OnChange = [this](TObject* s) { DataChanged(s); };
}

void TBoxPlot::UnhookTable() {
  TDataTable* t = Table();
  if (t && FExtMatAssigned) t->OnChange = nullptr;
}

void TBoxPlot::UseOwnTable(std::unique_ptr<TDataTable> t) {
  FOwnData = std::move(t);
  FData = FOwnData.get();
  FExtMatAssigned = false;
  HookTable();
}

void TBoxPlot::AssignAnotherDataTable(TDataTable* DTab) {
  UnhookTable();
  FTracksShared = false;
  FSharedData.reset();
  if (!DTab) {
    UseOwnTable(std::make_unique<TDataTable>());
  } else if (DTab != FOwnData.get()) {
    FOwnData.reset();
    FData = DTab;
    FExtMatAssigned = true;
    HookTable();
  }
  DataChanged(this);
}

void TBoxPlot::AssignAnotherDataTable(const std::shared_ptr<TDataTable>& DTab) {
  AssignAnotherDataTable(DTab.get());
  if (DTab) {
    FSharedData = DTab;
    FTracksShared = true;
  }
}

bool TBoxPlot::HasNumbers(int Col) const {
  // Counted with the statistics, so that columns and statistics always agree.
  return Col >= 1 && Col <= int(FNumCells.size()) && FNumCells[size_t(Col - 1)] > 0;
}

// ---------------------------------------------------------------- statistics

void TBoxPlot::CommitChangedData() {
  TDataTable* t = Table();
  const int C = t->NrOfColumns(), R = t->NrOfRows();
  FMinis.Resize(C);
  FMaxis.Resize(C);
  FMeans.Resize(C);
  FQuarts.Resize(C, 3);
  F90Percentils.Resize(C, 2);
  FNumCells.assign(size_t(C), 0);
  for (int i = 1; i <= C; ++i) {
    double lo = 0, hi = 0;
    FNumCells[size_t(i - 1)] = t->MinMaxOfNumCells(i, 1, i, R, lo, hi);
    if (FNumCells[size_t(i - 1)] > 0) {
      FMinis.SetElem(i, lo);
      FMaxis.SetElem(i, hi);
    }
    double q1 = 0, q2 = 0, q3 = 0;
    t->QuartilesOfNumCells(i, 1, i, R, q1, q2, q3);
    FQuarts.SetElem(i, 1, q1);
    FQuarts.SetElem(i, 2, q2);
    FQuarts.SetElem(i, 3, q3);
    double p = 0;
    t->PercentileOfNumCells(i, 1, i, R, 10, p);
    F90Percentils.SetElem(i, 1, p);
    t->PercentileOfNumCells(i, 1, i, R, 90, p);
    F90Percentils.SetElem(i, 2, p);
    double mean = 0, var = 0;
    t->MeanVarOfNumCells(i, 1, i, R, mean, var);
    FMeans.SetElem(i, mean);
  }
}

void TBoxPlot::DataChanged(TObject*) {
  if (FBoxSuppressPaint) return;
  CommitChangedData();
  TDataTable* t = Table();
  FSuppressPaint = true;
  const int n = std::min(t->NrOfColumns(), int(kNumTextLabels));
  for (int i = 1; i <= n; ++i) TextLabels(i).SetCaption(ProcessHexChars(t->ColName(i)));
  FSuppressPaint = false;
  CreateChart();
}

// ---------------------------------------------------------------- items

void TBoxPlot::CreateChart() {
  const bool was = FSuppressPaint;
  FSuppressPaint = true;
  ClearGraf();
  const bool horiz = FOrientation == bpltHorizontal;
  switch (FGridStyle) {
    case bpgsLines:
      TCustomRChart::SetGridStyle(horiz ? gsVertLines : gsHorizLines);
      break;
    case bpgsDotLines:
      TCustomRChart::SetGridStyle(horiz ? gsVertDotLines : gsHorizDotLines);
      break;
    default:
      TCustomRChart::SetGridStyle(gsNone);
  }
  const double w = FBPlotWidth;
  auto line = [&](double v1, double c1, double v2, double c2) {
    if (horiz)
      Line(v1, c1, v2, c2);
    else
      Line(c1, v1, c2, v2);
  };
  auto mark = [&](double v, double c, uint8_t mk) {
    if (horiz)
      MarkAt(v, c, mk);
    else
      MarkAt(c, v, mk);
  };
  const int C = Table()->NrOfColumns();
  for (int i = 1; i <= C; ++i) {
    // A column without numbers (or not yet computed) has nothing to show, in either orientation.
    if (!HasNumbers(i)) continue;
    TColor cLines = FColorLines, cBody = FColorBody, cMinMax = FColorMinMax, c90 = FColor90Perc,
           cMean = FColorMean, cMedian = FColorMedian;
    if (OnBeforeBoxDraw) {
      const TDestroyWatch watch(this);  // the handler may delete the box plot
      OnBeforeBoxDraw(this, i, cLines, cBody, cMinMax, c90, cMean, cMedian);
      if (watch.Destroyed()) return;
    }
    const double mn = FMinis.Elem(i), mx = FMaxis.Elem(i);
    const double q1 = FQuarts.Elem(i, 1), q2 = FQuarts.Elem(i, 2), q3 = FQuarts.Elem(i, 3);
    SetDataColor(cMinMax);
    line(q1, i, mn, i);
    line(q3, i, mx, i);
    if (FShowMinMax) {
      mark(mn, i, FMinMark);
      mark(mx, i, FMaxMark);
    }
    SetFillColor(cBody);
    SetDataColor(cLines);
    if (horiz)
      Rectangle(q1, i - w / 2, q3, i + w / 2);
    else
      Rectangle(i - w / 2, q1, i + w / 2, q3);
    if (FShow90Perc) {
      SetDataColor(c90);
      for (int k = 1; k <= 2; ++k) {
        const double p = F90Percentils.Elem(i, k);
        if (FPerc90Mark != 0)
          mark(p, i, FPerc90Mark);
        else
          line(p, i - w / 4, p, i + w / 4);
      }
    }
    if (FShowMedian) {
      SetDataColor(cMedian);
      if (FMedianMark != 0)
        mark(q2, i, FMedianMark);
      else
        line(q2, i - w / 2, q2, i + w / 2);
    }
    if (FShowMean) {
      SetDataColor(cMean);
      const double m = FMeans.Elem(i);
      if (FMeanMark != 0)
        mark(m, i, FMeanMark);
      else
        line(m, i - w / 2, m, i + w / 2);
    }
    if (i <= kNumTextLabels) PlaceLabel(i);
  }
  for (int i = 1; i <= kNumTextLabels; ++i) {
    if (i <= C)
      CopyLabelLooks(i);
    else
      TextLabels(i).SetVisible(false);
  }
  TCustomRChart::SetSuppressPaint(was);  // repaints when painting was on
}

// ---------------------------------------------------------------- labels

void TBoxPlot::CopyLabelLooks(int i) {
  TTextLabel& l = TextLabels(i);
  const TBoxPlotLabel& s = *FLabels;
  l.SetVisible(s.Visible());
  l.SetTransparent(s.Transparent());
  l.SetShadowDx(s.ShadowDx());
  l.SetShadowDy(s.ShadowDy());
  l.SetMode(s.Mode());
  l.SetFont(s.Font());
  l.SetColorBkg(s.ColorBkg());
  l.SetColorBorder(s.ColorBorder());
  l.SetColorShadow(s.ColorShadow());
}

void TBoxPlot::PlaceLabel(int i) {
  TTextLabel& l = TextLabels(i);
  const int p = FLabels->Position();
  l.SetLayer(1);
  if (FOrientation == bpltVertical) {
    l.SetAttachToData(1);
    l.SetAlignment(taCenter);
    l.SetVerticalAlignment(p >= 0 ? 2 : 0);
    l.SetTxtLblPos(i, p >= 0 ? Height() - p - MarginBottom() : MarginTop() - p);
  } else {
    l.SetAttachToData(2);
    l.SetVerticalAlignment(1);
    l.SetAlignment(p >= 0 ? taRightJustify : taLeftJustify);
    l.SetTxtLblPos(p >= 0 ? Width() - p - MarginRight() : MarginLeft() - p, i);
  }
}

void TBoxPlot::PlaceLabels() {
  for (int i = 1; i <= kNumTextLabels; ++i) PlaceLabel(i);
}

void TBoxPlot::SetLabels(std::unique_ptr<TBoxPlotLabel> v) {
  if (!v || v.get() == FLabels.get()) return;
  FLabels->OnChange = nullptr;
  FLabels = std::move(v);
  FLabels->OnChange = [this](TObject* s) { DataChanged(s); };
  Rebuild();
}

// ---------------------------------------------------------------- layout

void TBoxPlot::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomRChart::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FLabels) return;  // still inside the chart's constructor
  const bool was = FBoxSuppressPaint, chartWas = FSuppressPaint;
  FBoxSuppressPaint = true;
  FSuppressPaint = true;
  PlaceLabels();
  if (FOrientation == bpltVertical) {
    Scale1X().SetVisible(false);
    Scale1Y().SetVisible(true);
  }
  FBoxSuppressPaint = was;
  FSuppressPaint = chartWas;
  Paint();
}

void TBoxPlot::SetOrientation(TBoxPlotOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  const bool was = FBoxSuppressPaint;
  FBoxSuppressPaint = true;
  const double xl = Scale1X().RangeLow(), xh = Scale1X().RangeHigh();
  const double yl = Scale1Y().RangeLow(), yh = Scale1Y().RangeHigh();
  TCustomRChart::SetRange(1, yl, xl, yh, xh);
  Scale1X().SetVisible(v == bpltHorizontal);
  Scale1Y().SetVisible(v != bpltHorizontal);
  PlaceLabels();
  const TDestroyWatch watch(this);
  CreateChart();
  if (!watch.Destroyed()) FBoxSuppressPaint = was;
}

void TBoxPlot::AutoRange(double Margin) {
  CommitChangedData();
  const int C = Table()->NrOfColumns();
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  // Columns without numbers hold no minimum or maximum of their own.
  for (int i = 1; i <= C; ++i) {
    if (!HasNumbers(i)) continue;
    lo = std::min(lo, FMinis.Elem(i));
    hi = std::max(hi, FMaxis.Elem(i));
  }
  const bool vert = FOrientation == bpltVertical;
  if (lo > hi) {  // nothing to fit: keep the value range
    lo = vert ? Scale1Y().RangeLow() : Scale1X().RangeLow();
    hi = vert ? Scale1Y().RangeHigh() : Scale1X().RangeHigh();
  } else {
    const double e = std::isfinite(Margin) ? std::fabs(hi - lo) * Margin / 100 : 0.0;
    lo -= e;
    hi += e;
  }
  if (vert)
    TCustomRChart::SetRange(1, 0, lo, C + 1, hi);
  else
    TCustomRChart::SetRange(1, lo, 0, hi, C + 1);
}

// ---------------------------------------------------------------- export

void TBoxPlot::SaveDataASC(const std::string& FName) {
  TDataTable* t = Table();
  t->ExportAsASC(FName, -2);
  std::ofstream f(FName, std::ios::binary | std::ios::app);
  if (!f) f.open(FName, std::ios::binary | std::ios::trunc);
  if (!f) throw std::ios_base::failure("cannot open " + FName);
  const std::string dashes(kStatBlockDashes, '-');
  f << "\r\n" << dashes << " Box Parameters " << dashes << "\r\n\r\n";
  const int C = t->NrOfColumns();
  f << "      ";
  for (int i = 1; i <= C; ++i) f << CenterString(AbbrevString(t->ColName(i), 12), 12) << ' ';
  f << "\r\n";
  auto row = [&](const char* label, auto value) {
    f << label;
    for (int i = 1; i <= C; ++i) f << strff(value(i), 12, -2) << ' ';
    f << "\r\n";
  };
  row("Mean: ", [&](int i) { return FMeans.Elem(i); });
  row(" Min: ", [&](int i) { return FMinis.Elem(i); });
  row(" P10: ", [&](int i) { return F90Percentils.Elem(i, 1); });
  row("  Q1: ", [&](int i) { return FQuarts.Elem(i, 1); });
  row("  Q2: ", [&](int i) { return FQuarts.Elem(i, 2); });
  row("  Q3: ", [&](int i) { return FQuarts.Elem(i, 3); });
  row(" P90: ", [&](int i) { return F90Percentils.Elem(i, 2); });
  row(" Max: ", [&](int i) { return FMaxis.Elem(i); });
  f.close();
  if (!f) throw std::ios_base::failure("cannot write " + FName);
}

// ---------------------------------------------------------------- properties

void TBoxPlot::Rebuild() {
  const TDestroyWatch watch(this);
  CreateChart();
  if (!watch.Destroyed()) Paint();
}

void TBoxPlot::SetBoxWidth(double v) {
  if (!(v >= 0)) v = 0;  // also NaN
  if (v > 1) v = 1;
  SetProp(FBPlotWidth, v);
}

void TBoxPlot::SetSymbol(uint8_t& field, int v) {
  if (v < 0 || v > kMaxMark) return;
  SetProp(field, uint8_t(v));
}

void TBoxPlot::SetSymbolMin(int v) { SetSymbol(FMinMark, v); }
void TBoxPlot::SetSymbolMax(int v) { SetSymbol(FMaxMark, v); }
void TBoxPlot::SetSymbolMean(int v) { SetSymbol(FMeanMark, v); }
void TBoxPlot::SetSymbolMedian(int v) { SetSymbol(FMedianMark, v); }
void TBoxPlot::SetSymbol90Perc(int v) { SetSymbol(FPerc90Mark, v); }
void TBoxPlot::SetColorBody(TColor v) { SetProp(FColorBody, v); }
void TBoxPlot::SetColorLines(TColor v) { SetProp(FColorLines, v); }
void TBoxPlot::SetColorMedian(TColor v) { SetProp(FColorMedian, v); }
void TBoxPlot::SetColorMean(TColor v) { SetProp(FColorMean, v); }
void TBoxPlot::SetColor90Perc(TColor v) { SetProp(FColor90Perc, v); }
void TBoxPlot::SetColorMinMax(TColor v) { SetProp(FColorMinMax, v); }
void TBoxPlot::SetShow90Perc(bool v) { SetProp(FShow90Perc, v); }
void TBoxPlot::SetShowMedian(bool v) { SetProp(FShowMedian, v); }
void TBoxPlot::SetShowMean(bool v) { SetProp(FShowMean, v); }
void TBoxPlot::SetShowMinMax(bool v) { SetProp(FShowMinMax, v); }
void TBoxPlot::SetGridStyle(TBoxPlotGridStyle v) { SetProp(FGridStyle, v); }

}  // namespace zyr
