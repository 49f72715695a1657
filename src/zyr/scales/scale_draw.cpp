// SPDX-License-Identifier: MIT
// TScale rendering: paint cycle, ticks, labels, date messages and the caption.
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/scales/scale.h>
#include <zyr/scales/scale_labels.h>
#include <zyr/scales/scale_ticks.h>

#include <QMetaMethod>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

using namespace scaleticks;
namespace sl = scalelabels;

struct TScale::TDrawState {
  TCanvas& cv;
  int base;
  int dir;                // +1 when ticks point towards growing x or y
  QPointer<TScale> self;  // cleared when a handler deletes the scale (or its owner)
  int userIndex = 0;
  int lastDay = -1;
  bool dateShown = false;
  int digitHeight = -1;  // height of "0", measured once per draw
};

namespace {

// Pixel coordinates handed to the canvas stay in a range every backend draws safely.
int Px(long long p) { return int(std::clamp(p, -30000LL, 30000LL)); }

}  // namespace

void TScale::DoBeforeScaleRendered(TCanvas& cv) {
  Raise(
      OnBeforeScaleRendered, [&] { OnBeforeScaleRendered(this, cv); },
      [this] { emit beforeScaleRendered(); });
}

void TScale::DoAfterScaleRendered(TCanvas& cv) {
  Raise(
      OnAfterScaleRendered, [&] { OnAfterScaleRendered(this, cv); },
      [this] { emit afterScaleRendered(); });
}

void TScale::Paint() {
  if (IsLoading() || FSuppressPaint) return;
  if (!Visible() && (FIsHelper || !IsDesigning())) return;
  TCanvas& target = FForeignCv ? *FForeignCv : Canvas();
  const int px = FForeignCv ? FForCvPosX : 0, py = FForeignCv ? FForCvPosY : 0;
  target.Font().Assign(&Font());
  // A helper scale draws as its owner's canvas is set to.
  if (!FForeignCv) target.SetAntialiased(Antialiased());
  // Handlers may delete the scale or its owner; after that nothing of it is touched.
  const QPointer<TScale> self(this);
  DoBeforeScaleRendered(target);
  if (!self) return;

  auto drawOn = [&](TCanvas& cv, int ox, int oy) {
    int base = 0;
    switch (FScaleType) {
      case 0:
        base = oy + Height() - FMarginBottom - 1;
        break;
      case 1:
        base = oy + FMarginTop;
        break;
      case 2:
        base = ox + FMarginLeft;
        break;
      case 3:
        base = ox + Width() - FMarginRight - 1;
        break;
      default:
        return;
    }
    if (!DrawScale(cv, base) || !FDrawBaseLine) return;
    cv.Pen().SetColor(FColorFG);
    if (IsHorizontal()) {
      cv.MoveTo(FMarginLeft, Px(base));
      cv.LineTo(Width() - FMarginRight - 1, Px(base));
    } else {
      cv.MoveTo(Px(base), FMarginTop);
      cv.LineTo(Px(base), Height() - FMarginBottom - 1);
    }
  };

  if (FTransparent) {
    target.Pen().SetColor(FColorFG);
    drawOn(target, px, py);
    if (self) DoAfterScaleRendered(target);
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp(Width(), Height());
  TCanvas& bc = bmp.Canvas();
  bc.Font().Assign(&Font());
  bc.SetAntialiased(target.Antialiased());
  bc.Pen().SetColor(FColorBG);
  bc.Brush().SetColor(FColorBG);
  bc.Brush().SetStyle(bsSolid);
  bc.Rectangle(0, 0, Width(), Height());
  bc.Pen().SetColor(FColorFG);
  drawOn(bc, 0, 0);
  if (!self) return;
  DoAfterScaleRendered(bc);
  if (!self) return;
  DrawFrame(bc, FFrameStyle, 0, 0, Width() - 1, Height() - 1, FColWhiteLine, clSilver, FColGrayLine,
            FColBlackLine, FColBlackLine);
  target.Draw(px, py, bmp);
}

void TScale::DrawXScale(TCanvas& Canvas, int BaseY) {
  if (FNumTicks != 0) FNumTicks = std::clamp(FNumTicks, 2, 20);
  DrawScale(Canvas, BaseY);
}

void TScale::DrawYScale(TCanvas& Canvas, int BaseX) { DrawScale(Canvas, BaseX); }

bool TScale::DrawScale(TCanvas& cv, int base) {
  if (FScaleType > 3) return true;
  if (cv.IsPrinterCanvas()) {
    // The host draws fonts at their pixel height on every device, so restating the size
    // keeps labels at their screen pixel size on the page.
    cv.Font().SetSize(Font().Size());
  }
  cv.Brush().SetStyle(FTransparent ? bsClear : bsSolid);
  if (IsHorizontal() && FNumTicks != 0) FNumTicks = std::clamp(FNumTicks, 2, 20);
  FTickCount = 0;
  FScaleTickPos.assign(250, 0.0);
  FLabelExtent = 0;

  TDrawState ds{cv, base, (FScaleType == 0 || FScaleType == 3) ? -1 : 1, this};
  TTickInput in;
  in.low = FRangeLow;
  in.high = FRangeHigh;
  in.numTicks = FNumTicks;
  in.shortTicks = FShortTicks;
  in.horizontal = IsHorizontal();
  in.log = FAxLog;
  in.labelType = FLabelType;
  const TTickPlan plan = ComputeTicks(in);
  switch (plan.mode) {
    case smDateInvalid:
      DrawDateMessage(ds, true);
      break;
    case smDateTooShort:
      DrawDateMessage(ds, false);
      break;
    default: {
      const int mainLen = IsHorizontal() ? 7 : 6;
      const bool eventFirst = plan.mode == smLog || (plan.mode == smLinear && !IsHorizontal());
      // Labels are formed once per draw for the whole numeric plan.
      int dec = FDecPlaces;
      if (plan.mode == smLinear && dec <= -2) dec = sl::AutoDecimalsLinear(FRangeLow, FRangeHigh);
      if (plan.mode == smLog && dec == -2) dec = sl::AutoDecimalsLog(FRangeLow, FRangeHigh);
      for (const TTick& t : plan.ticks) {
        if (t.record) Record(t.v);
        if (t.kind == skEventOnly) {
          if (!FireTick(ds, t.v)) return false;
          continue;
        }
        if (t.kind == skShort) {
          const bool longShort = plan.mode == smLog && !IsHorizontal();
          DrawTickLine(ds, t.v, longShort ? 6 : 4);
          if (!FireTick(ds, t.v)) return false;
          continue;
        }
        DrawTickLine(ds, t.v, mainLen);
        if (eventFirst && !FireTick(ds, t.v)) return false;
        switch (plan.mode) {
          case smTimeSpan:
            DrawLabel(ds, t.v, sl::TimeSpanLabel(t.v, plan.stepIndex <= 9), 0);
            break;
          case smDateTime:
            DrawDateLabels(ds, t.v, plan.unit);
            break;
          default:
            if (FLabelType != 0) DrawLabel(ds, t.v, NumericLabel(t, plan.mode, dec, ds), 1);
        }
        if (!ds.self || (!eventFirst && !FireTick(ds, t.v))) return false;
      }
    }
  }
  DrawCaption(cv, base);
  return true;
}

std::string TScale::NumericLabel(const TTick& t, uint8_t mode, int dec, TDrawState& ds) {
  double v = t.v;
  std::string s;
  if (mode == smLog && FDecPlaces == -3) {
    if (t.mantissa == 1) s = std::to_string(long(std::nearbyint(std::log10(v))));
  } else if (mode != smLog && std::fabs(v / (FRangeHigh - FRangeLow)) < 1e-14) {
    v = 0;
    if (std::fabs(FRangeHigh - FRangeLow) <= 100000)
      s = sl::FormatNumber(0, dec);
    else
      s = dec != 0 ? "0.0" : "0";
  } else {
    s = sl::FormatNumber(v, dec);
  }
  if (s.size() > 14) s.resize(14);
  if (mode != smLog && FDecPlaces == 0 && std::fabs(v - std::nearbyint(v)) > 1e-6) s.clear();
  if (mode == smLog && FDecPlaces == -2 && s.find('.') != std::string::npos &&
      s.find_first_of("eE") == std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (FLabelType == 4) return ExtractUserText(FUserTicktext, ++ds.userIndex);
  return AddScaleInscription(s, FScaleInscript);
}

void TScale::DrawDateLabels(TDrawState& ds, double v, uint8_t unit) {
  const TDTLabel& f = *FDTFormat;
  switch (unit) {
    case duDays:
      DrawLabel(ds, v, sl::FormatDate(sl::DayPattern(f), v), 0);
      return;
    case duMonths:
      DrawLabel(ds, v, sl::FormatDate(sl::MonthPattern(f), v), 0);
      return;
    case duYears:
      DrawLabel(ds, v, sl::YearLabel(v, f), 0);
      return;
    default:
      break;
  }
  DrawLabel(ds, v, sl::FormatDate(sl::ClockPattern(TDateUnit(unit), f), v), 0);
  if (!ds.self) return;
  int y, m, d;
  DecodeLinearDate(v, y, m, d);
  bool show = false;
  switch (f.DateForTime()) {
    case 1:
      show = !ds.dateShown;
      break;
    case 2:
      show = d != ds.lastDay;
      break;
    case 3:
      show = true;
      break;
    default:
      break;
  }
  if (!show) return;
  ds.dateShown = true;
  ds.lastDay = d;
  DrawLabel(ds, v, sl::FormatDate(sl::DayPattern(f), v), 2);
}

void TScale::DrawTickLine(TDrawState& ds, double v, int len) {
  const int p = Px(R2M(v)), b = Px(ds.base);
  if (IsHorizontal()) {
    ds.cv.MoveTo(p, b);
    ds.cv.LineTo(p, b + ds.dir * len);
  } else {
    ds.cv.MoveTo(b, p);
    ds.cv.LineTo(b + ds.dir * len, p);
  }
}

bool TScale::FireTick(TDrawState& ds, double v) {
  if (!OnScaleTickDrawn) return true;
  const int p = R2M(v);
  if (IsHorizontal())
    OnScaleTickDrawn(this, ds.cv, FScaleType, v, p, ds.base);
  else
    OnScaleTickDrawn(this, ds.cv, FScaleType, v, ds.base, p);
  return bool(ds.self);
}

void TScale::DrawLabel(TDrawState& ds, double v, std::string text, int style) {
  if (OnBeforeTickLabel) {
    OnBeforeTickLabel(this, FScaleType, v, text);
    if (!ds.self) return;
  }
  if (text.empty()) return;
  TCanvas& cv = ds.cv;
  // 64 bits: a value far outside the range lies near the ends of the int range.
  const long long p = R2M(v);
  const TPoint ext = cv.TextExtent(text);
  const int w = ext.X, h = ext.Y;
  long long left, top;
  if (IsHorizontal()) {
    long long base = ds.base;
    if (style == 2) base += FScaleType == 1 ? h : -h;  // date line: one text line further out
    const long long half = w / 2;
    const bool area = FLabelAreaFirst < FLabelAreaLast;
    const long long lo = area ? FLabelAreaFirst : 2, hi = area ? FLabelAreaLast : Width() - 2;
    left = p + half < hi ? p - std::min(p - lo, half) : hi - 2 * half;
    top = FScaleType == 1 ? base + 7 : base - h - 7;
  } else {
    left = FScaleType == 2 ? ds.base + 8 : ds.base - w - 8;
    if (style == 2)
      top = p - 3 * (h / 2);
    else if (style == 1) {
      if (ds.digitHeight < 0) ds.digitHeight = cv.TextHeight("0");
      top = p - ds.digitHeight / 2;
    } else
      top = p - h / 2;
  }
  if (!IsHorizontal() && FLabelAreaFirst < FLabelAreaLast)
    top = std::max<long long>(std::min<long long>(top, FLabelAreaLast - h), FLabelAreaFirst);
  if (!IsHorizontal()) FLabelExtent = std::max(FLabelExtent, w);
  cv.TextOut(Px(left), Px(top), text);
}

void TScale::DrawDateMessage(TDrawState& ds, bool invalid) {
  TCanvas& cv = ds.cv;
  const int p = Px(R2M(FRangeLow / 2 + FRangeHigh / 2));
  if (IsHorizontal()) {
    const std::string s = invalid ? "invalid DateTime scale" : "DateTime range is below 1 second";
    cv.TextOut(p - cv.TextWidth(s) / 2, Px(ds.base + 7), s);
    return;
  }
  static const char* const kInvalid[] = {"invalid", "DateTime", "scale"};
  static const char* const kShort[] = {"DateTime", "range is", "below 1", "second"};
  const int h = cv.TextHeight("T");
  const char* const* lines = invalid ? kInvalid : kShort;
  const int n = invalid ? 3 : 4;
  for (int i = 0; i < n; ++i) {
    const std::string s = lines[i];
    const int left = FScaleType == 2 ? ds.base + 2 : ds.base - 2 - cv.TextWidth(s);
    cv.TextOut(Px(left), Px(p + (i - 1) * h), s);
  }
}

void TScale::DrawCaption(TCanvas& cv, int base) {
  if (FUnitLabel.empty()) return;
  if (FCaptionVertical && !IsHorizontal()) {
    DrawVerticalCaption(cv, base);
    return;
  }
  long long x, y;
  if (IsHorizontal()) {
    const int anchor = FLblAnchor == uaSclCenter
                           ? FMarginLeft + (Width() - FMarginLeft - FMarginRight) / 2
                       : FLblAnchor == uaSclBotRgt ? Width() - FMarginRight
                                                   : FMarginLeft;
    x = 0LL + FLblPosX + anchor;
    y = 0LL + FLblPosY + base;
  } else {
    const int anchor = FLblAnchor == uaSclCenter
                           ? FMarginTop + (Height() - FMarginTop - FMarginBottom) / 2
                       : FLblAnchor == uaSclBotRgt ? Height() - FMarginBottom
                                                   : FMarginTop;
    y = 0LL + FLblPosY + anchor;
    x = 0LL + FLblPosX + base;
  }
  const int w = cv.TextWidth(FUnitLabel);
  if (FLblAlign == taRightJustify)
    x -= w;
  else if (FLblAlign == taCenter)
    x -= w / 2;
  cv.TextOut(Px(x), Px(y), FUnitLabel);
}

void TScale::DrawVerticalCaption(TCanvas& cv, int base) {
  constexpr int kGap = 4;  // between the widest label and the caption
  const TPoint ext = cv.TextExtent(FUnitLabel);
  const long long beside = 8LL + FLabelExtent + kGap;
  long long left = FScaleType == 2 ? base + beside : base - beside - ext.Y;
  // Kept inside the control, even where the margin is too narrow for labels and caption.
  left = std::clamp<long long>(left, 0, std::max(0, Width() - ext.Y));
  const long long centre = FMarginTop + (0LL + Height() - FMarginTop - FMarginBottom) / 2;
  const int was = cv.Font().Orientation();
  cv.Font().SetOrientation(900);
  // Turned by 90 degrees the text runs upwards from its origin, its top towards the left.
  cv.TextOut(Px(left), Px(centre + ext.X / 2), FUnitLabel);
  cv.Font().SetOrientation(was);
}

// ------------------------------------------------------------------ cached pictures

void TScale::AddPaintKey(TPaintKey& Key) const {
  // Every field the paint cycle and the drawing steps read belongs here; a new drawing
  // setting must be added too.
  Key.Add(Antialiased()).Add(FCaptionVertical).Add(FScaleType).Add(FMarginTop).Add(FMarginBottom).Add(FMarginLeft).Add(FMarginRight);
  Key.Add(Width()).Add(Height()).Add(Visible()).Add(FIsHelper).Add(IsLoading());
  Key.Add(FForeignCv).Add(FForCvPosX).Add(FForCvPosY).Add(FTransparent);
  Key.Add(FColorFG).Add(FColorBG).Add(FColBlackLine).Add(FColGrayLine).Add(FColWhiteLine);
  Key.Add(FColorScheme).Add(FFrameStyle).Add(FAxLog);
  Key.Add(FTransf_k).Add(FTransf_d).Add(FTransfRef).Add(FTransfRefPix);
  Key.Add(FLabelAreaFirst).Add(FLabelAreaLast).Add(FRangeLow).Add(FRangeHigh);
  Key.Add(FShortTicks).Add(FNumTicks).Add(FDecPlaces).Add(FDrawBaseLine).Add(FLabelType);
  const TDTLabel& f = *FDTFormat;
  Key.Add(f.TimeFormat()).Add(f.DateSeparator()).Add(f.TimeSeparator()).Add(f.YearLength());
  Key.Add(f.MonthName()).Add(f.DateForTime()).Add(f.DateOrder());
  Key.Add(FLblPosX).Add(FLblPosY).Add(FLblAlign).Add(FLblAnchor);
  Key.Add(FUserTicktext).Add(FScaleInscript).Add(FUnitLabel).Add(Font());
}

bool TScale::PaintObserved() const {
  return OnBeforeScaleRendered || OnAfterScaleRendered ||
         isSignalConnected(QMetaMethod::fromSignal(&TScale::beforeScaleRendered)) ||
         isSignalConnected(QMetaMethod::fromSignal(&TScale::afterScaleRendered));
}

}  // namespace zyr
