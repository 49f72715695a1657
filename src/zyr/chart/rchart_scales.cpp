// SPDX-License-Identifier: MIT
// Axis settings of TCustomRChart: the four TScaleProps, their transfer into the layer scales,
// the margins the scales depend on, and the standard layouts.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/host/styles.h>

#include <algorithm>

namespace zyr {

namespace {
size_t Ix(int layer) { return layer == 2 ? 1 : 0; }
}  // namespace

void TCustomRChart::CreateLayers() {
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i] = std::make_unique<TScalePropsHoriz>();
    FScalePropsY[i] = std::make_unique<TScalePropsVert>();
    FScalesX[i] = std::make_unique<TScale>();
    FScalesY[i] = std::make_unique<TScale>();
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) {
      s->SetIsHelper(true);
      s->SetTransparent(true);
      s->OnZoomPan = [this](TObject* o) { ScaleZoomPan(o); };
    }
    FScalePropsX[i]->OnChange = [this](TObject* o) { ScalePropsChanged(o); };
    FScalePropsY[i]->OnChange = [this](TObject* o) { ScalePropsChanged(o); };
  }
  FOwnJointLayers = std::make_unique<TJointLayers>(this);
  FJointLayers = FOwnJointLayers.get();
  FJointLayers->OnChange = [this](TObject* o) { StyleChanged(o); };
}

void TCustomRChart::ResetLayers() {
  for (size_t i = 0; i < 2; ++i) {
    auto hx = std::move(FScalePropsX[i]->OnChange);
    auto hy = std::move(FScalePropsY[i]->OnChange);
    FScalePropsX[i]->ResetComp();
    FScalePropsY[i]->ResetComp();
    FScalePropsX[i]->OnChange = std::move(hx);
    FScalePropsY[i]->OnChange = std::move(hy);
    // A chart made in code is loaded once constructed; only a form reading its properties
    // (BeginLoading .. EndLoading) may set them in any order.
    FScalePropsX[i]->SetNotYetLoaded(IsLoading());
    FScalePropsY[i]->SetNotYetLoaded(IsLoading());
  }
  FJointLayers->ResetComp();
  FIsometric = false;
  FConfXLo = FConfYLo = FConfXHi = FConfYHi = 0;
  for (auto& layer : FZoomStack) layer.fill(TRectDouble{});
  FZStackPoi = 1;
  // The screen's pixel aspect; square on every display Qt drives.
  TBitmap aux(10, 10);
  Fxasp = aux.Canvas().GetDeviceCaps(ASPECTX);
  Fyasp = aux.Canvas().GetDeviceCaps(ASPECTY);
  for (size_t i = 0; i < 2; ++i) {
    const TColor c = PredefinedColors(int(i + 1));
    FScalePropsX[i]->StoreColorScale(c);
    FScalePropsY[i]->StoreColorScale(c);
    FScalePropsX[i]->StoreScaleLocation(i == 0 ? slBottom : slTop);
    FScalePropsY[i]->StoreScaleLocation(i == 0 ? slLeft : slRight);
    FScalesX[i]->SetName("RC_FScale_X_" + std::to_string(i + 1));
    FScalesY[i]->SetName("RC_FScale_Y_" + std::to_string(i + 1));
    FScalesX[i]->SetMouseAction(6);
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) {
      s->SetColorBackGnd(RcWindCol);
      s->SetFrameStyle(0);
    }
  }
  AdjustScaleGeometry();
  SetStdLayout(rcl_X1Bottom_Y1Left);
}

void TCustomRChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  AWidth = std::max(AWidth, RcLRim + RcRRim + F3DRim + 80);
  AHeight = std::max(AHeight, RcTRim + RcBRim + F3DRim + 20);
  const TDestroyWatch watch(this);
  TCustomRChart::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (watch.Destroyed()) return;  // by the resize event
  if (FScalePropsX[0]) {
    if (FIsometric) ReapplyIsometric();
    for (size_t i = 0; i < 2; ++i) {
      SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
      SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
    }
    AdjustScaleGeometry();
    try {
      AdjustScaling();
    } catch (...) {
      FSuppressPaint = old;
      throw;
    }
  }
  FSuppressPaint = old;
}

void TCustomRChart::BeginLoading() {
  TCustomControl::BeginLoading();
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->SetNotYetLoaded(true);
    FScalePropsY[i]->SetNotYetLoaded(true);
  }
}

void TCustomRChart::Loaded() {
  TCustomControl::Loaded();
  for (size_t i = 0; i < 2; ++i) {
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
    FScalePropsX[i]->SetNotYetLoaded(false);
    FScalePropsY[i]->SetNotYetLoaded(false);
  }
  AdjustScaling();
  Paint();
}

void TCustomRChart::ReapplyIsometric() {
  for (size_t i = 0; i < 2; ++i) {
    TScaleProps& sx = *FScalePropsX[i];
    TScaleProps& sy = *FScalePropsY[i];
    const double c = (sy.RangeLow() + sy.RangeHigh()) / 2;
    const double g = IsoHalfHeight(sx.RangeLow(), sx.RangeHigh());
    sy.StoreRange(c - g, c + g);
  }
}

void TCustomRChart::AdjustScaleGeometry() {
  for (size_t i = 0; i < 2; ++i) {
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) {
      const bool old = s->SuppressPaint();
      s->SetSuppressPaint(true);
      s->SetBounds(0, 0, Width(), Height());
      s->SetSuppressPaint(old);
    }
    FScalesX[i]->SetMarginLeft(RcLRim);
    FScalesX[i]->SetMarginRight(RcRRim + F3DRim - 1);
    FScalesY[i]->SetMarginTop(RcTRim);
    FScalesY[i]->SetMarginBottom(RcBRim + F3DRim - 1);
  }
}

void TCustomRChart::SetScaleProps(TScale& Scale, const TScaleProps& Props) {
  const int p = Props.ScalePos();
  const TScaleType t = Props.ScaleType();
  Scale.SetScaleType(t);
  switch (t) {
    case 0: Scale.SetMarginBottom(p + Height() - RcTRim - 1); break;
    case 1: Scale.SetMarginTop(p + Height() - RcBRim - F3DRim); break;
    case 2: Scale.SetMarginLeft(p + Width() - RcRRim - F3DRim); break;
    case 3: Scale.SetMarginRight(p + Width() - RcLRim - 1); break;
    default: break;
  }
  Scale.SetRange(Props.RangeLow(), Props.RangeHigh());
  Scale.SetVisible(Props.Visible());
  Scale.SetCaption(Props.Caption());
  Scale.SetCaptionPosX(Props.CaptionPosX());
  Scale.SetCaptionPosY(Props.CaptionPosY());
  Scale.SetCaptionAlignment(Props.CaptionAlignment());
  Scale.SetCaptionAnchor(Props.CaptionAnchor());
  Scale.SetCaptionVertical(Props.CaptionVertical());
  Scale.SetColorScale(Props.ColorScale());
  Scale.SetDecPlaces(Props.DecPlaces());
  Scale.SetLogarithmic(Props.Logarithmic());
  Scale.SetLabelType(Props.LabelType());
  Scale.SetShortTicks(Props.ShortTicks());
  Scale.SetMinTicks(Props.MinTicks());
  Scale.SetScaleInscript(Props.ScaleInscript());
  Scale.SetUserTickText(Props.UserTickText());
  Scale.Font().Assign(&Props.Font());
  Scale.Font().SetColor(Props.Font().Color());
  Scale.SetDateFormat(Props.DateFormat());
  if (StyleServices().Enabled()) {
    const TColor c = StyleServices().GetStyleFontColor(sfPanelTextNormal);
    Scale.SetColorScale(c);
    Scale.Font().SetColor(c);
  }
}

void TCustomRChart::ScalePropsChanged(TObject*) {
  ApplyAllScaleProps();
  Paint();
}

void TCustomRChart::ApplyAllScaleProps() {
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  try {
    for (size_t i = 0; i < 2; ++i) {
      SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
      SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
    }
    for (int l = 1; l <= 2; ++l) {
      const TScaleProps& sx = *FScalePropsX[Ix(l)];
      const TScaleProps& sy = *FScalePropsY[Ix(l)];
      ForceRange(l, sx.RangeLow(), sy.RangeLow(), sx.RangeHigh(), sy.RangeHigh(), false, false);
    }
  } catch (...) {
    FSuppressPaint = old;
    throw;
  }
  FSuppressPaint = old;
}

void TCustomRChart::ScaleZoomPan(TObject* Sender) {
  // A scale dragged with the mouse: its new range becomes the axis range.
  for (size_t i = 0; i < 2; ++i) {
    if (Sender == FScalesX[i].get())
      FScalePropsX[i]->StoreRange(FScalesX[i]->RangeLow(), FScalesX[i]->RangeHigh());
    if (Sender == FScalesY[i].get())
      FScalePropsY[i]->StoreRange(FScalesY[i]->RangeLow(), FScalesY[i]->RangeHigh());
  }
  ScalePropsChanged(Sender);
}

TScalePropsHoriz& TCustomRChart::ScalePropsX(int sclix) { return *FScalePropsX[Ix(sclix)]; }
TScalePropsVert& TCustomRChart::ScalePropsY(int sclix) { return *FScalePropsY[Ix(sclix)]; }
const TScalePropsHoriz& TCustomRChart::ScalePropsX(int sclix) const {
  return *FScalePropsX[Ix(sclix)];
}
const TScalePropsVert& TCustomRChart::ScalePropsY(int sclix) const {
  return *FScalePropsY[Ix(sclix)];
}

void TCustomRChart::SetScalePropsX(int sclix, const TScaleProps& v) {
  if (sclix != 1 && sclix != 2) return;
  AssignScaleProps(*FScalePropsX[Ix(sclix)], v);
}

void TCustomRChart::SetScalePropsY(int sclix, const TScaleProps& v) {
  if (sclix != 1 && sclix != 2) return;
  AssignScaleProps(*FScalePropsY[Ix(sclix)], v);
}

void TCustomRChart::AssignScaleProps(TScaleProps& Own, const TScaleProps& v) {
  if (&Own == &v) return;
  // The copy takes the settings only: the chart's change handler and its loading state stay,
  // so that the axis keeps following later changes of the object.
  TNotifyEvent hook = std::move(Own.OnChange);
  const bool notYetLoaded = Own.NotYetLoaded();
  Own.Assign(&v);
  Own.OnChange = std::move(hook);
  Own.SetNotYetLoaded(notYetLoaded);
  ApplyAllScaleProps();
  if (IsDesigning()) Paint();
}

std::string TCustomRChart::ExtractUserText(const std::string& Text, int Index) {
  return TScale::ExtractUserText(Text, Index);
}

std::string TCustomRChart::AddScaleInscription(const std::string& Label,
                                               const std::string& Inscript) {
  return TScale::AddScaleInscription(Label, Inscript);
}

void TCustomRChart::SetJointLayers(TJointLayers* v) {
  if (!v || v == FJointLayers) return;
  // The chart uses the given object from now on; its own stays alive until destruction, so
  // nothing is freed twice whoever owns the given one.
  FJointLayers = v;
  RepaintIfAuto();
}

// ------------------------------------------------------------------ margins

void TCustomRChart::MarginChanged() {
  FGrafBmp->SetSize(DataAreaWidth(), DataAreaHeight());
  if (FIsometric) ReapplyIsometric();
  AdjustScaleGeometry();
  for (size_t i = 0; i < 2; ++i) {
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
  }
  AdjustScaling();
  RepaintIfAuto();
}

void TCustomRChart::SetLRim(int v) {
  RcLRim = v;
  MarginChanged();
}
void TCustomRChart::SetRRim(int v) {
  RcRRim = v;
  MarginChanged();
}
void TCustomRChart::SetTRim(int v) {
  RcTRim = v;
  MarginChanged();
}
void TCustomRChart::SetBRim(int v) {
  RcBRim = v;
  MarginChanged();
}
void TCustomRChart::SetF3DRim(int v) {
  F3DRim = std::clamp(v, 0, 32);
  MarginChanged();
}

// ------------------------------------------------------------------ standard layouts

namespace {

struct TAxisRow {
  uint8_t location;  // 0 top/left, 1 bottom/right
  bool visible;
  int scalePos, captPosX, captPosY;
  uint8_t align, anchor;
};

struct TLayoutRow {
  int bRim, tRim, lRim, rRim;
  int captPosX, captPosY;
  uint8_t captAlign, anchorX, anchorY;
  TAxisRow x1, x2, y1, y2;
};

// Locations: X 0 top, 1 bottom; Y 0 left, 1 right.
constexpr TLayoutRow kLayouts[] = {
    {40, 20, 50, 20, 0, -16, 1, 3, 1,
     {1, true, 0, 0, 22, 2, 1}, {1, false, 0, 10, 100, 2, 1},
     {0, true, 0, 0, -16, 0, 0}, {0, false, 0, 10, 100, 1, 0}},
    {40, 24, 100, 20, 0, -16, 1, 3, 1,
     {1, true, 0, 0, 22, 2, 1}, {1, false, 0, 10, 100, 2, 1},
     {0, true, 0, 0, -23, 1, 0}, {0, true, 50, 0, -23, 1, 0}},
    {40, 24, 50, 50, 0, -20, 2, 2, 1,
     {1, true, 0, 0, 22, 2, 1}, {1, false, 0, 10, 100, 2, 1},
     {0, true, 0, 0, -23, 1, 0}, {1, true, 0, 0, -23, 0, 0}},
    {70, 24, 100, 20, 0, -16, 1, 3, 1,
     {1, true, 0, -20, 7, 1, 0}, {1, true, 30, -20, 7, 1, 0},
     {0, true, 0, 0, -23, 1, 0}, {0, true, 50, 0, -23, 1, 0}},
    {40, 64, 50, 50, 0, -60, 2, 2, 1,
     {1, true, 0, 0, 20, 2, 1}, {0, true, 0, 0, -40, 2, 1},
     {0, true, 0, 0, -40, 1, 0}, {1, true, 0, 0, -40, 0, 0}},
};

void ApplyAxisRow(TScaleProps& p, const TAxisRow& r) {
  p.SetCaptionPosX(r.captPosX);
  p.SetCaptionPosY(r.captPosY);
  p.SetCaptionAlignment(TAlignment(r.align));
  p.SetCaptionAnchor(TScaleUnitAnchor(r.anchor));
  p.SetScalePos(r.scalePos);
  p.SetVisible(r.visible);
}

// Width a vertical caption takes beside the labels of its axis: one text line and a gap.
int VerticalCaptionRoom(const TScaleProps& p) {
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(&p.Font());
  return probe.Canvas().TextHeight("Ag") + 4;
}

}  // namespace

void TCustomRChart::SetStdLayout(TrcLayout v) {
  if (v > rcl_X2Both_Y2Both) return;
  FStdLayout = v;
  const TLayoutRow& row = kLayouts[v];
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  // The axis settings are applied all at once below, not after every single setter.
  std::array<TNotifyEvent, 4> hooks;
  for (size_t i = 0; i < 2; ++i) {
    hooks[2 * i] = std::move(FScalePropsX[i]->OnChange);
    hooks[2 * i + 1] = std::move(FScalePropsY[i]->OnChange);
  }
  // Vertical Y captions get room beside their labels; an axis further out on the same side
  // moves out by as much.
  std::array<int, 2> room{}, yPos{};  // room per side (left, right), ScalePos per layer
  for (size_t i = 0; i < 2; ++i) {
    const TAxisRow& y = i == 0 ? row.y1 : row.y2;
    yPos[i] = y.scalePos + room[y.location];
    if (y.visible && FScalePropsY[i]->CaptionVertical())
      room[y.location] += VerticalCaptionRoom(*FScalePropsY[i]);
  }
  SetLRim(row.lRim + room[0]);
  SetRRim(row.rRim + room[1]);
  SetTRim(row.tRim);
  SetBRim(row.bRim);
  FCaptPosX = row.captPosX;
  FCaptPosY = row.captPosY;
  FCaptAlignment = TAlignment(row.captAlign);
  FCaptAnchorX = TCaptionAnchorHoriz(row.anchorX);
  FCaptAnchorY = TCaptionAnchorVert(row.anchorY);
  const TAxisRow* xs[2] = {&row.x1, &row.x2};
  const TAxisRow* ys[2] = {&row.y1, &row.y2};
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->SetScaleLocation(TScaleLocationHoriz(xs[i]->location));
    ApplyAxisRow(*FScalePropsX[i], *xs[i]);
    FScalePropsY[i]->SetScaleLocation(TScaleLocationVert(ys[i]->location));
    ApplyAxisRow(*FScalePropsY[i], *ys[i]);
    FScalePropsY[i]->SetScalePos(yPos[i]);
  }
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->OnChange = std::move(hooks[2 * i]);
    FScalePropsY[i]->OnChange = std::move(hooks[2 * i + 1]);
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
  }
  SetSuppressPaint(old);
}

}  // namespace zyr
