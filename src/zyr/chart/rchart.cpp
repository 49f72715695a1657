// SPDX-License-Identifier: MIT
// Construction, reset, assignment and the painting frame of TCustomRChart.

#include <zyr/chart/rchart.h>

#include <algorithm>

namespace zyr {

TCustomRChart::TCustomRChart(QWidget* parent) : TCustomControl(parent) {
  FSuppressPaint = true;
  FDataContainer = std::make_shared<TRcItemContainer>();
  FAnnoContainer = std::make_shared<TRcItemContainer>();
  FGrafBmp = std::make_unique<TBitmap>();
  FGrafBmp->SetPixelFormat(pf32bit);
  CreateLayers();
  CreateRendering();
  SetBounds(Left(), Top(), 280, 200);
  FGrafBmp->SetSize(DataAreaWidth(), DataAreaHeight());
  ResetComp();
}

TCustomRChart::~TCustomRChart() {
  // Leave the share consistent: users keep the data they showed, the owner forgets us.
  if (FUseDataOf) FUseDataOf->RemoveUser(this);
  FUseDataOf = nullptr;
  ReleaseUsers();
}

void TCustomRChart::ResetComp() {
  LeaveShareSilently();
  ReleaseUsers();
  FAllocSize = 1000;
  ResetDataStore();
  ResetAnnoStore();
  FLastElemOnShow = 0;
  RcDataCol = clBlack;
  RcFillCol = clSilver;
  RcPenStyle = psSolid;
  RcLineWid = 1;
  FDataTag = 0;
  RcClassDefault = 0;
  FActiveLayer = 1;
  FTranspItems = false;
  FTextBkStyle = tbClear;
  FTextAlignment = taCenter;
  FTextFont.Assign(&Font());
  FAnnoMode = false;
  FItClassVisib.fill(true);
  FAnnoClassVisib.fill(true);
  FLayerVisib.fill(true);
  FAnnosVisible = true;
  FAnnoBelowChart = false;
  FAnnoTextOnTop = true;
  FAvoidDupMarks = false;
  FDupMarksMinD = 1;
  FNumMTrace = 0;
  ResetLayers();
  ResetRendering();
  ResetTextLabels();
  ResetMouse();
  FAutoRedraw = true;
}

void TCustomRChart::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TCustomRChart*>(Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  // A user would otherwise overwrite its owner's data; the copy stands on its own.
  LeaveShareSilently();
  const int step = src->FAllocSize;
  auto arrayLength = [step](int count) { return size_t(step) * size_t(count / step + 1); };
  FAllocSize = step;
  FDataContainer->AssignFrom(*src->FDataContainer, size_t(src->FNumChartItems),
                             arrayLength(src->FNumChartItems));
  FAnnoContainer->AssignFrom(*src->FAnnoContainer, size_t(src->FNumAnnoItems),
                             arrayLength(src->FNumAnnoItems));
  FNumChartItems = src->FNumChartItems;
  FNumAnnoItems = src->FNumAnnoItems;
  FNumAllocData = src->FNumAllocData;
  FNumAllocAnno = src->FNumAllocAnno;
  FItemCount = src->FItemCount;
  FLongTextsData = src->FLongTextsData;
  FLongTextsAnno = src->FLongTextsAnno;
  FNumLongTextsData = src->FNumLongTextsData;
  FNumLongTextsAnno = src->FNumLongTextsAnno;
  FLastElemOnShow = src->FLastElemOnShow;
  FItClassVisib = src->FItClassVisib;
  FAnnoClassVisib = src->FAnnoClassVisib;
  FLayerVisib = src->FLayerVisib;
  FAnnoMode = src->FAnnoMode;
  FAnnoBelowChart = src->FAnnoBelowChart;
  FAnnoTextOnTop = src->FAnnoTextOnTop;
  FAnnosVisible = src->FAnnosVisible;
  FTranspItems = src->FTranspItems;
  FTextBkStyle = src->FTextBkStyle;
  FTextAlignment = src->FTextAlignment;
  RcDataCol = src->RcDataCol;
  RcFillCol = src->RcFillCol;
  RcPenStyle = src->RcPenStyle;
  RcLineWid = src->RcLineWid;
  FDataTag = src->FDataTag;
  RcClassDefault = src->RcClassDefault;
  FActiveLayer = src->FActiveLayer;
  FAvoidDupMarks = src->FAvoidDupMarks;
  FDupMarksMinD = src->FDupMarksMinD;
  // Charts showing our data see the new items.
  AdjustCanInfoOfSharedCharts();
  RepaintIfAuto();
}

int TCustomRChart::DataAreaWidth() const {
  return std::max(0, Width() - RcLRim - RcRRim - F3DRim + 1);
}

int TCustomRChart::DataAreaHeight() const {
  return std::max(0, Height() - RcTRim - RcBRim - F3DRim + 1);
}

void TCustomRChart::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) Paint();
}

void TCustomRChart::RepaintIfAuto() {
  if (FAutoRedraw || IsDesigning()) Paint();
}

void TRChart::CreateWnd() {
  TCustomRChart::CreateWnd();
  FSuppressPaint = false;
}

}  // namespace zyr
