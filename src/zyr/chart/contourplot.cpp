// SPDX-License-Identifier: MIT
// TContourPlot: construction, pivot grid, mask, estimation pass, iso settings and what makes
// the cached data-area picture invalid. The picture itself is made in contourplot_render.cpp.

#include <zyr/chart/contourplot.h>
#include <zyr/chart/painthold.h>
#include <zyr/platform/host/destroywatch.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/host/dialogs.h>
#include <zyr/platform/numerics/vector.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zyr {

namespace {

// Round half to even, safe for any double (non-finite and huge values saturate).
int RoundSat(double v) { return TCustomRChart::PixelOf(v); }

std::vector<TColor> ColorsOf(const TColorArray& a) {
  std::vector<TColor> v(size_t(a.NumColors()));
  for (int i = 1; i <= a.NumColors(); ++i) v[size_t(i - 1)] = a.Color(i);
  return v;
}

}  // namespace

TContourPlot::TContourPlot(QWidget* parent) : TCustomRChart(parent) {
  // Neighbours beyond the border read as blanked and never enter an average.
  FMaskMat.SetOutOfRangeValue(1);
  ResetComp();
  FGivenIsoColors = ColorsOf(IsoColors);
}

TContourPlot::~TContourPlot() {
  // Owned objects must not call back into a half-destroyed chart.
  IsoColors.OnChange = nullptr;
  OnResize = nullptr;
  OnZoomPan = nullptr;
  for (TTextLabel& lbl : FTextLabels) lbl.OnChange = nullptr;
}

void TContourPlot::ResetComp() {
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  TCustomRChart::ResetComp();
  OnEstimateZVal = nullptr;
  OnBeforeRenderChartItem = nullptr;
  OnDataRendered = nullptr;
  OnProgress = nullptr;
  for (TTextLabel& lbl : FTextLabels)
    lbl.OnChange = [this](TObject* Sender) { CplotStyleChanged(Sender); };
  OnZoomPan = [this](TObject* Sender) { ProcessZoomPan(Sender); };
  OnResize = [this](TObject* Sender) { ProcessResize(Sender); };
  IsoColors.OnChange = [this](TObject* Sender) { ChangedIsoColorsEvent(Sender); };
  const int nx = std::clamp((Width() - RcLRim - RcRRim) / 5, 2, kMaxPivots);
  const int ny = std::clamp((Height() - RcTRim - RcBRim) / 5, 2, kMaxPivots);
  FNumPivotX = nx;
  FNumPivotY = ny;
  FInvalidDataBmp = true;
  FPivotPreCalc = false;
  FExtColScale = nullptr;
  FEnabled = true;
  RcDataCol = clBlack;
  FPivotMat.Resize(nx, ny);
  FPivotMat.Fill(0);
  FMaskMat.Resize(nx, ny);
  FMaskMat.Fill(0);
  FMaximum = FMinimum = 0;
  MaskPalette.Fill(255, {clBlack, 0xFF0000, 0x008000, 0x0000FF, 0x00FFFF, 0xFFFFFF});
  for (int i = 0; i < NumPredefinedColors; ++i)
    MaskPalette.SetColor(i + 2, PredefinedColors(i + 1));
  TCustomRChart::SetIsoMetric(false);
  FPlotMode = cpmColorSurface;
  FIsoLow = -1.0;
  FIsoHigh = 1.0;
  FIsoDist = 0.1;
  TCustomRChart::SetGridStyle(gsPoints);
  TCustomRChart::SetGridDx(0);
  TCustomRChart::SetGridDy(0);
  SetPanGridDx(1.0);
  SetPanGridDy(1.0);
  SetPanGridOffsX(0);
  SetPanGridOffsY(0);
  TCustomRChart::SetRange(1, -5.2L, -5.2L, 5.2L, 5.2L);
  ScalePropsX(1).SetVisible(true);
  ScalePropsY(1).SetVisible(true);
  ScalePropsX(2).SetVisible(false);
  ScalePropsY(2).SetVisible(false);
  FSuppressPaint = suppressed;
  RedrawIfAuto();
}

void TContourPlot::CreateWnd() {
  TCustomRChart::CreateWnd();
  FSuppressPaint = false;
}

void TContourPlot::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TContourPlot*>(Source);
  if (!src || src == this) {
    TCustomRChart::Assign(Source);
    return;
  }
  const bool suppressed = FSuppressPaint;
  FSuppressPaint = true;
  FPlotMode = src->FPlotMode;
  FPivotMat.Assign(&src->FPivotMat);
  FMaskMat.Assign(&src->FMaskMat);
  FMaskMat.SetOutOfRangeValue(1);
  IsoColors.Assign(&src->IsoColors);
  FGivenIsoColors = src->FGivenIsoColors;
  FNumPivotX = src->FNumPivotX;
  FNumPivotY = src->FNumPivotY;
  FIsoLow = src->FIsoLow;
  FIsoHigh = src->FIsoHigh;
  FIsoDist = src->FIsoDist;
  FMaximum = src->FMaximum;
  FMinimum = src->FMinimum;
  OnEstimateZVal = src->OnEstimateZVal;
  OnProgress = src->OnProgress;
  MaskPalette.Assign(&src->MaskPalette);
  TCustomRChart::Assign(Source);
  // Our own picture was made from our old data, whatever the source's state.
  FInvalidDataBmp = true;
  FSuppressPaint = suppressed;
  IsoColorsChanged();
  RedrawIfAuto();
}

void TContourPlot::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TContourPlot*>(Dest))
    d->Assign(this);
  else
    TCustomRChart::AssignTo(Dest);
}

// ------------------------------------------------------------------ redraw control

void TContourPlot::RedrawIfAuto() {
  if (FAutoRedraw || IsDesigning()) Paint();
}

void TContourPlot::InvalidateAndRedraw() {
  FInvalidDataBmp = true;
  RedrawIfAuto();
}

void TContourPlot::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) {
    FInvalidDataBmp = true;
    Paint();
  }
}

void TContourPlot::AdjustScaling() {
  TCustomRChart::AdjustScaling();
  const TPictureGeometry g{FXf[0].kx, FXf[0].dx,       FXf[0].ky,
                           FXf[0].dy, DataAreaWidth(), DataAreaHeight()};
  // Zoom, pan, resize and margin changes all end here, whichever path they took.
  if (!(g == FPictureGeometry)) {
    FPictureGeometry = g;
    FInvalidDataBmp = true;
  }
}

void TContourPlot::DrawPlot() { InvalidateAndRedraw(); }
void TContourPlot::CplotStyleChanged(TObject*) { InvalidateAndRedraw(); }
void TContourPlot::ProcessZoomPan(TObject*) { FInvalidDataBmp = true; }
void TContourPlot::ProcessResize(TObject*) { FInvalidDataBmp = true; }

void TContourPlot::ShowGraf() {
  FInvalidDataBmp = true;
  TCustomRChart::ShowGraf();
}

void TContourPlot::SetPlotMode(TContourPlotMode v) {
  if (v > cpmColorSurfNoIpTransp || v == FPlotMode) return;
  FPlotMode = v;
  InvalidateAndRedraw();
}

void TContourPlot::SetAntialiased(bool v) {
  if (v == Antialiased()) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetAntialiased(v);
}

void TContourPlot::ApplyTheme(const TChartTheme& Theme) {
  if (ColorsOf(IsoColors) == FGivenIsoColors) {
    TPaintHold hold(this, FSuppressPaint);
    if (Theme.LevelColors.empty()) {
      const TColorArray fresh;
      IsoColors.Assign(&fresh);
    } else {
      IsoColors.Fill(1, IsoColors.NumColors(), Theme.LevelColors);
    }
    if (hold.ChartDestroyed()) return;
    FGivenIsoColors = ColorsOf(IsoColors);
  }
  FInvalidDataBmp = true;
  TCustomRChart::ApplyTheme(Theme);
}

void TContourPlot::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  RedrawIfAuto();
}

void TContourPlot::SetChartCol(TColor v) {
  if (v == RcChartCol) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetChartCol(v);
}

void TContourPlot::SetChartFrameCol(TColor v) {
  if (v == FChartFrameCol) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetScaleCol(v);
}

void TContourPlot::SetClassVisib(int cnum, bool v) {
  if (ClassVisible(cnum) == v) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetClassVisible(cnum, v);
}

void TContourPlot::SetAnnoClassVisib(int cnum, bool v) {
  if (AnnoClassVisible(cnum) == v) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetAnnoClassVisible(cnum, v);
}

void TContourPlot::SetLRim(int v) {
  if (v != RcLRim) FInvalidDataBmp = true;
  TCustomRChart::SetLRim(v);
}

void TContourPlot::SetRRim(int v) {
  if (v != RcRRim) FInvalidDataBmp = true;
  TCustomRChart::SetRRim(v);
}

void TContourPlot::SetTRim(int v) {
  if (v != RcTRim) FInvalidDataBmp = true;
  TCustomRChart::SetTRim(v);
}

void TContourPlot::SetBRim(int v) {
  if (v != RcBRim) FInvalidDataBmp = true;
  TCustomRChart::SetBRim(v);
}

void TContourPlot::SetF3DRim(int v) {
  if (v != F3DRim) FInvalidDataBmp = true;
  TCustomRChart::SetF3DRim(v);
}

void TContourPlot::SetRange(double xLo, double yLo, double xHi, double yHi) {
  FInvalidDataBmp = true;
  TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
}

void TContourPlot::SetCrossHair(int i, const TCrossHair& v) {
  TCustomRChart::SetCrossHair(i, v);
  if (FAutoRedraw || IsDesigning()) Paint();
}

void TContourPlot::HideAllTextLabels() {
  FInvalidDataBmp = true;
  TCustomRChart::HideAllTextLabels();
}

void TContourPlot::ClearAllTextLabels() {
  FInvalidDataBmp = true;
  TCustomRChart::ClearAllTextLabels();
}

int TContourPlot::AddTextLabel(double x, double y, TColor Color, const std::string& Caption,
                               int Template) {
  const int n = TCustomRChart::AddTextLabel(x, y, Color, Caption, Template);
  InvalidateAndRedraw();
  return n;
}

namespace {

// Exports draw the value picture afresh and leave it to be drawn again; a handler of the drawing
// may have deleted the plot, which is then left alone and the export fails.
template <class F>
bool ExportAfresh(QObject* Plot, bool& InvalidDataBmp, F&& Export) {
  const TDestroyWatch watch(Plot);
  InvalidDataBmp = true;
  const bool ok = Export();
  if (watch.Destroyed()) return false;
  InvalidDataBmp = true;
  return ok;
}

}  // namespace

// A copy renders into a picture of its own and leaves the window's picture behind; the
// second invalidation makes the next paint rebuild that one too.
bool TContourPlot::CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  return ExportAfresh(this, FInvalidDataBmp, [&] {
    return TCustomRChart::CopyToBitmap(ABitmap, BlkWhite, IncludeCrossHairs);
  });
}

bool TContourPlot::CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  return ExportAfresh(this, FInvalidDataBmp, [&] {
    return TCustomRChart::CopyToBitmapDAOnly(ABitmap, BlkWhite, IncludeCrossHairs);
  });
}

bool TContourPlot::CopyToBMP(const std::string& FName, bool BlkWhite) {
  return ExportAfresh(this, FInvalidDataBmp,
                      [&] { return TCustomRChart::CopyToBMP(FName, BlkWhite); });
}

bool TContourPlot::CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs) {
  return ExportAfresh(this, FInvalidDataBmp,
                      [&] { return TCustomRChart::CopyToClipboard(BlkWhite, IncludeCrossHairs); });
}

bool TContourPlot::CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs) {
  return ExportAfresh(this, FInvalidDataBmp, [&] {
    return TCustomRChart::CopyToClipboardDAOnly(BlkWhite, IncludeCrossHairs);
  });
}

bool TContourPlot::CopyToClipboardWMF(bool BlkWhite) {
  return ExportAfresh(this, FInvalidDataBmp,
                      [&] { return TCustomRChart::CopyToClipboardWMF(BlkWhite); });
}

bool TContourPlot::PrintIt(double ScaleF, bool BlkWhite) {
  return ExportAfresh(this, FInvalidDataBmp,
                      [&] { return TCustomRChart::PrintIt(ScaleF, BlkWhite); });
}

// ------------------------------------------------------------------ pivot grid

void TContourPlot::NewPivotGrid(int nx, int ny) {
  FNumPivotX = nx;
  FNumPivotY = ny;
  FPivotMat.Resize(nx, ny);
  FPivotMat.Fill(0);
  FMaskMat.Resize(nx, ny);
  FMaskMat.Fill(0);
  InvalidateAndRedraw();
}

void TContourPlot::SetPivotResX(int n) { NewPivotGrid(std::clamp(n, 2, kMaxPivots), FNumPivotY); }

void TContourPlot::SetPivotResY(int n) { NewPivotGrid(FNumPivotX, std::clamp(n, 2, kMaxPivots)); }

void TContourPlot::SetPivotRes(int n) {
  n = std::clamp(n, 10, 5 * (kMaxPivots - 1));
  const int w = Width() - RcLRim - RcRRim;
  const int h = Height() - RcTRim - RcBRim;
  const double q = n / 5.0;
  int nx = n / 5 + 1, ny = nx;
  // A data area without extent counts as square.
  if (w > 0 && h > 0) {
    if (w < h)
      nx = RoundSat(q * w / h) + 1;
    else
      ny = RoundSat(q * h / w) + 1;
  }
  NewPivotGrid(std::clamp(nx, 2, kMaxPivots), std::clamp(ny, 2, kMaxPivots));
}

int TContourPlot::GetPivotRes() const { return 5 * std::max(FNumPivotX, FNumPivotY); }

void TContourPlot::ResizePivotMatrix(int nx, int ny) {
  NewPivotGrid(std::clamp(nx, 10, 5000) / 5, std::clamp(ny, 10, 5000) / 5);
}

double TContourPlot::PivotPosX(int ix) const {
  const TScaleProps& p = ScalePropsX(1);
  const double lo = p.RangeLow(), hi = p.RangeHigh();
  return lo + (hi - lo) * (ix - 1) / (FNumPivotX - 1);
}

double TContourPlot::PivotPosY(int iy) const {
  const TScaleProps& p = ScalePropsY(1);
  const double lo = p.RangeLow(), hi = p.RangeHigh();
  return lo + (hi - lo) * (iy - 1) / (FNumPivotY - 1);
}

uint8_t TContourPlot::GetMaskVal(int ix, int iy) const {
  if (ix < 1 || ix > FNumPivotX || iy < 1 || iy > FNumPivotY) return 0;
  return FMaskMat.Elem(ix, iy);
}

void TContourPlot::SetMaskVal(int ix, int iy, uint8_t Value) { FMaskMat.SetElem(ix, iy, Value); }

void TContourPlot::FillMask(uint8_t Value) { FMaskMat.Fill(Value); }

uint8_t TContourPlot::EffectiveMask(int ix, int iy) const {
  const uint8_t m = FMaskMat.Elem(ix, iy);
  if (m == 1 || !std::isfinite(FPivotMat.Elem(ix, iy))) return 1;
  return m;
}

void TContourPlot::CalculatePivotPoints(bool PreCalcFlag) {
  // Message processing below may ask for a paint, which would start another pass.
  if (FCalculating) return;
  if (PreCalcFlag || !FPivotPreCalc) {
    // The value and progress handlers may delete the plot: then nothing of it is touched.
    const TDestroyWatch watch(this);
    struct TBusy {
      bool& f;
      const TDestroyWatch& w;
      ~TBusy() {
        if (!w.Destroyed()) f = false;
      }
    } busy{FCalculating, watch};
    FCalculating = true;
    const int nx = FNumPivotX, ny = FNumPivotY;
    const double xLo = ScalePropsX(1).RangeLow(), xHi = ScalePropsX(1).RangeHigh();
    const double yLo = ScalePropsY(1).RangeLow(), yHi = ScalePropsY(1).RangeHigh();
    const bool ask = OnEstimateZVal && FEnabled;
    const int step = std::max(1, nx / 100);
    double mx = -uc_MaxDouble, mn = uc_MaxDouble;
    FMaximum = mx;
    FMinimum = mn;
    // Every column has the same y positions.
    std::vector<double> ys(size_t(ny) + 1);
    for (int iy = 1; iy <= ny; ++iy) ys[size_t(iy)] = yLo + (yHi - yLo) * (iy - 1) / (ny - 1);
    for (int ix = 1; ix <= nx; ++ix) {
      if (ix % step == 0) {
        FeedbackProgress(RoundSat(ix * 100.0 / nx));
        if (watch.Destroyed()) return;
        Application::ProcessMessages();
        if (watch.Destroyed()) return;
        // The grid was replaced meanwhile: what we would compute belongs to no grid.
        if (FNumPivotX != nx || FNumPivotY != ny) return;
      }
      const double x = xLo + (xHi - xLo) * (ix - 1) / (nx - 1);
      for (int iy = 1; iy <= ny; ++iy) {
        const double y = ys[size_t(iy)];
        double z = 0;
        uint8_t mask = FMaskMat.Elem(ix, iy);
        if (ask) {
          OnEstimateZVal(this, x, y, ix, iy, z, mask);
          if (watch.Destroyed()) return;
          if (FNumPivotX != nx || FNumPivotY != ny) return;
        }
        FPivotMat.SetElem(ix, iy, z);
        FMaskMat.SetElem(ix, iy, mask);
        // Non-finite values are drawn as blanks; they would make the range useless.
        if (std::isfinite(z)) {
          if (z > mx) mx = z;
          if (z < mn) mn = z;
        }
      }
      FMaximum = mx;
      FMinimum = mn;
    }
  }
  FPivotPreCalc = PreCalcFlag;
}

void TContourPlot::UpdatePivotPoints() {
  if (!FPivotPreCalc) CalculatePivotPoints(false);
}

void TContourPlot::ClearPivotPoints(bool PreCalcFlag) {
  if (PreCalcFlag || !FPivotPreCalc) FPivotMat.Fill(0);
  FPivotPreCalc = PreCalcFlag;
}

double TContourPlot::PercentilePivots(double prob) const { return FPivotMat.Percentile(prob); }

double TContourPlot::PercentilePivots(double prob, bool UseMask) const {
  if (!UseMask) return PercentilePivots(prob);
  TVector v(FNumPivotX * FNumPivotY);
  int n = 0;
  for (int ix = 1; ix <= FNumPivotX; ++ix)
    for (int iy = 1; iy <= FNumPivotY; ++iy)
      if (FMaskMat.Elem(ix, iy) == 0) v.SetElem(++n, FPivotMat.Elem(ix, iy));
  if (n == 0) return std::numeric_limits<double>::quiet_NaN();
  return v.Percentile(prob, 1, n);
}

void TContourPlot::FeedbackProgress(int percent) {
  Raise(OnProgress, [&] { OnProgress(this, percent); }, [&] { emit progress(percent); });
}

// ------------------------------------------------------------------ iso levels and colours

void TContourPlot::SetIsoLow(double x) {
  if (!std::isfinite(x) || x == FIsoLow) return;
  FIsoLow = x;
  if (!(FIsoHigh > x)) FIsoHigh = x + 1;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  RedrawIfAuto();
}

void TContourPlot::SetIsoHigh(double x) {
  if (!std::isfinite(x) || x == FIsoHigh) return;
  FIsoHigh = x;
  if (x <= FIsoLow) FIsoLow = x - 1;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  RedrawIfAuto();
}

void TContourPlot::SetIsoDist(double x) {
  if (!std::isfinite(x) || x == FIsoDist) return;
  FIsoDist = x;
  InvalidateAndRedraw();
}

void TContourPlot::SetIsoParams(double iLow, double iHigh, double iDist) {
  if (!std::isfinite(iLow) || !std::isfinite(iHigh) || !std::isfinite(iDist)) return;
  if (iLow == FIsoLow && iHigh == FIsoHigh && iDist == FIsoDist) return;
  FIsoLow = iLow;
  if (!(FIsoHigh > iLow)) FIsoHigh = iLow + 1;
  FIsoHigh = iHigh;
  if (iHigh <= FIsoLow) FIsoLow = iHigh - 1;
  FIsoDist = iDist;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  RedrawIfAuto();
}

int TContourPlot::NumIsoLevels() const {
  if (!(FIsoDist > 0)) return 0;
  const double n = (FIsoHigh - FIsoLow) / FIsoDist;
  if (!(n > 0)) return 0;
  return n >= 65535 ? 65535 : RoundSat(n);
}

bool TContourPlot::IsoLevelsBetween(double a, double b, int& jFirst, int& jLast) const {
  const int L = NumIsoLevels();
  if (L == 0 || !(a == a) || !(b == b) || a == b) return false;
  if (a > b) std::swap(a, b);
  // Start from an estimate and correct it, so rounding never admits a level on the bounds.
  const double lo = std::floor((a - FIsoLow) / FIsoDist);
  int j = lo < 0 ? 0 : lo >= L ? L : int(lo);
  while (j > 0 && IsoLevel(j - 1) > a) --j;
  while (j < L && !(IsoLevel(j) > a)) ++j;
  const double hi = std::ceil((b - FIsoLow) / FIsoDist);
  int k = hi < 0 ? -1 : hi >= L ? L - 1 : int(hi);
  while (k < L - 1 && IsoLevel(k + 1) < b) ++k;
  while (k >= 0 && !(IsoLevel(k) < b)) --k;
  if (j > k) return false;
  jFirst = j;
  jLast = k;
  return true;
}

int TContourPlot::IsoColorIndex(double v) const {
  const int count = IsoColors.NumColors();
  if (count <= 1 || !(v > FIsoLow)) return 1;
  const double f = (v - FIsoLow) / (FIsoHigh - FIsoLow) * count;
  if (!(f < count)) return count;  // also a zero-width range and +inf
  return std::max(1, RoundSat(f));
}

void TContourPlot::IsoColorsChanged() {
  TColorScale* cs = FExtColScale.data();
  if (!cs) return;
  // The legend shows exactly our table, also when its own had another length.
  const int count = IsoColors.NumColors();
  cs->ColorArray().SetNumColors(count);
  cs->ColorArray().CopyRange(IsoColors, 1, 1, count);
  cs->SetScaleRange(FIsoLow, FIsoHigh);
}

void TContourPlot::ChangedIsoColorsEvent(TObject*) {
  IsoColorsChanged();
  InvalidateAndRedraw();
}

}  // namespace zyr
