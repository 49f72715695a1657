// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TScaleProps: the settings of one chart axis (range, mapping, labels, placement). A chart
/// owns four of them (Scale1X, Scale1Y, Scale2X, Scale2Y) and copies them into the TScale that
/// draws the axis whenever one changes (OnChange).
///
///   chart->Scale1X().SetRangeLow(0);
///   chart->Scale1X().SetCaption("Time [s]");   // re-applies the axis and repaints

#include <zyr/platform/foundation/dtlabel.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/graphics.h>
#include <zyr/scales/scale.h>

#include <memory>
#include <string>

namespace zyr {

class TScaleProps : public TPersistent {
 public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  /// Every default of the axis settings (fires no event).
  virtual void ResetComp();

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  int CaptionPosX() const { return FCaptionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptionPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return FCaptAlign; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  /// A vertical axis' caption turned by 90 degrees and centred beside its labels (see
  /// TScale::CaptionVertical); the standard layouts make room for it. Off by default.
  bool CaptionVertical() const { return FCaptionVertical; }
  void SetCaptionVertical(bool v);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  /// Copies the given settings into the owned date object.
  void SetDateFormat(const TDTLabel& v);
  int DecPlaces() const { return FDecPlaces; }
  /// Clamped to -3 .. 12.
  void SetDecPlaces(int v);
  bool Logarithmic() const { return FLogAx; }
  /// true is refused (stays false) for a bound below 1e-100 or date labels, unless not yet loaded.
  void SetLogarithmic(bool v);
  TFigType LabelType() const { return FLabelType; }
  /// 3 (dates) also switches Logarithmic off; 2 (time spans) sets DecPlaces to 4.
  void SetLabelType(TFigType v);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& v) { FFont.Assign(&v); }
  int MinTicks() const { return FMinTicks; }
  void SetMinTicks(int v);
  double RangeLow() const { return FRangeLow; }
  /// Keeps at least MinRange to the other bound; a logarithmic axis ignores bounds < 1e-100.
  void SetRangeLow(double v);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double v);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  /// Base line offset from the plotting area (FScalePosY on horizontal axes, FScalePosX else).
  int ScalePos() const;
  void SetScalePos(int v);
  double MinRange() const { return FMinRngDiff; }
  /// Ignored for v <= 1e-100; widens a narrower range about its centre.
  void SetMinRange(double v);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  const std::string& UserTickText() const { return FUserTickText; }
  void SetUserTickText(const std::string& v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  TScaleType ScaleType() const { return FScaleType; }
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }

  bool NotYetLoaded() const { return FNotYetLoaded; }
  void SetNotYetLoaded(bool v) { FNotYetLoaded = v; }
  /// Writes both bounds without any rule or event (range operations of the chart).
  void StoreRange(double Low, double High) {
    FRangeLow = Low;
    FRangeHigh = High;
  }

  /// Writes the colour without an event (the chart's reset).
  void StoreColorScale(TColor c) { FColorScale = c; }

  TNotifyEvent OnChange;

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScaleProps"; }

 protected:
  void AssignTo(TPersistent* Dest) const override;
  void Changed();

  TScaleType FScaleType = 1;

 private:
  std::string FCaption;
  int FCaptionPosX = 0, FCaptionPosY = 0;
  TAlignment FCaptAlign = taCenter;
  TScaleUnitAnchor FCaptAnchor = uaSclTopLft;
  bool FCaptionVertical = false;
  TColor FColorScale = clBlack;
  std::unique_ptr<TDTLabel> FDTFormat;
  int FDecPlaces = -2;
  bool FLogAx = false;
  TFigType FLabelType = 1;
  TFont FFont;
  int FMinTicks = 3;
  bool FNotYetLoaded = true;
  double FRangeLow = 0.0, FRangeHigh = 1.0;
  bool FShortTicks = true;
  std::string FScaleInscript;
  int FScalePosX = 0, FScalePosY = 0;
  double FMinRngDiff = 1e-10;
  TMouseActMode FMouseAction = 0;
  std::string FUserTickText;
  bool FVisible = false;
};

enum TScaleLocationHoriz : uint8_t { slTop, slBottom };
enum TScaleLocationVert : uint8_t { slLeft, slRight };

/// Settings of an X axis: below (default) or above the plotting area.
class TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz() { ResetComp(); }
  void ResetComp() override;
  TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationHoriz v);
  /// Writes the location without an event.
  void StoreScaleLocation(TScaleLocationHoriz v) {
    FScaleLoc = v;
    FScaleType = v == slTop ? 0 : 1;
  }
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScalePropsHoriz"; }

 private:
  TScaleLocationHoriz FScaleLoc = slBottom;
};

/// Settings of a Y axis: left (default) or right of the plotting area.
class TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert() { ResetComp(); }
  void ResetComp() override;
  TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationVert v);
  /// Writes the location without an event.
  void StoreScaleLocation(TScaleLocationVert v) {
    FScaleLoc = v;
    FScaleType = v == slLeft ? 3 : 2;
  }
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScalePropsVert"; }

 private:
  TScaleLocationVert FScaleLoc = slLeft;
};

}  // namespace zyr
