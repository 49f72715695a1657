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
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <memory>
#include <string>

namespace zyr {

/// Settings of one chart axis. The setters store the value and fire OnChange (see there), through
/// which the owning chart re-applies all its axes, re-sets the ranges and repaints. Get the
/// chart's objects with Scale1X() .. Scale2Y(); a standalone object only keeps settings.
class TScaleProps : public TPersistent {
 public:
  /// The defaults of ResetComp(), with a horizontal axis below its area (scale type 1).
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;

  /// Every default of the axis settings (fires no event).
  virtual void ResetComp();

  /// The axis caption (unit label, UTF-8); empty by default.
  ///@{
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  ///@}
  /// Offset in pixels of the caption from its anchor point (0, 0 by default).
  ///@{
  int CaptionPosX() const { return FCaptionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptionPosY; }
  void SetCaptionPosY(int v);
  ///@}
  /// Alignment of the caption at its point: taLeftJustify, taRightJustify or taCenter
  /// (default).
  ///@{
  TAlignment CaptionAlignment() const { return FCaptAlign; }
  void SetCaptionAlignment(TAlignment v);
  ///@}
  /// Where along the axis the caption's point lies: its left or top end (uaSclTopLft,
  /// default), its centre (uaSclCenter) or its right or bottom end (uaSclBotRgt).
  ///@{
  TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  ///@}
  /// A vertical axis' caption turned by 90 degrees and centred beside its labels (see
  /// TScale::CaptionVertical); the standard layouts make room for it. Off by default.
  ///@{
  bool CaptionVertical() const { return FCaptionVertical; }
  void SetCaptionVertical(bool v);
  ///@}
  /// Colour of the axis line, ticks and labels (black by default; the chart gives layer 1
  /// and 2 their own colours).
  ///@{
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  ///@}
  /// Date and time label settings (label type 3), owned; a change of them fires OnChange.
  ///@{
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  ///@}
  /// Copies the given settings into the owned date object.
  void SetDateFormat(const TDTLabel& v);
  /// Decimals of the labels: n decimals, 0 integers, -1 exponent form, -2 automatic
  /// (default), -3 decades.
  ///@{
  int DecPlaces() const { return FDecPlaces; }
  /// Clamped to -3 .. 12.
  void SetDecPlaces(int v);
  ///@}
  /// Logarithmic mapping of the axis (off by default).
  ///@{
  bool Logarithmic() const { return FLogAx; }
  /// true is refused (stays false) for a bound below 1e-100 or date labels, unless not yet loaded.
  void SetLogarithmic(bool v);
  ///@}
  /// Kind of labels: 0 none, 1 numbers (default), 2 time spans in seconds, 3 dates and times
  /// (day numbers), 4 the fields of UserTickText.
  ///@{
  TFigType LabelType() const { return FLabelType; }
  /// 3 (dates) also switches Logarithmic off; 2 (time spans) sets DecPlaces to 4.
  void SetLabelType(TFigType v);
  ///@}
  /// Font of the labels and caption; a change of it fires OnChange, SetFont copies.
  ///@{
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& v) { FFont.Assign(&v); }
  ///@}
  /// Number of main ticks asked for (3 by default); the drawing scale keeps 0 and clamps
  /// others to 2 .. 10.
  ///@{
  int MinTicks() const { return FMinTicks; }
  void SetMinTicks(int v);
  ///@}
  /// Bounds of the axis range in world coordinates (0 .. 1 by default). A NaN is ignored
  /// without an event.
  ///@{
  double RangeLow() const { return FRangeLow; }
  /// Keeps at least MinRange to the other bound; a logarithmic axis ignores bounds < 1e-100.
  void SetRangeLow(double v);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double v);
  ///@}
  /// Short ticks between the main ticks (on by default).
  ///@{
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  ///@}
  /// Pattern around numeric labels: the part before the first "&" goes before the label, the
  /// part after it behind ("(&)" makes 12 "(12)"); without "&" the whole text goes before.
  ///@{
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  ///@}
  /// Base line offset from the plotting area (FScalePosY on horizontal axes, FScalePosX else).
  ///@{
  int ScalePos() const;
  void SetScalePos(int v);
  ///@}
  /// Smallest width of the range in world units (1e-10 by default).
  ///@{
  double MinRange() const { return FMinRngDiff; }
  /// Ignored for v <= 1e-100; widens a narrower range about its centre.
  void SetMinRange(double v);
  ///@}
  /// What dragging the axis with the left button does: 0 nothing (default), 1 pan, 6 stretch,
  /// 9 zoom about the centre; a double click on the axis toggles 1 and 6. No event.
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}
  /// Texts of label type 4, separated by "|": the n-th main tick shows the n-th field.
  ///@{
  const std::string& UserTickText() const { return FUserTickText; }
  void SetUserTickText(const std::string& v);
  ///@}
  /// Qt forms (QString, QColor and the like) of the text and colour setters above; an
  /// invalid QColor gives clNone.
  ///@{
  void SetCaption(const QtText auto& v) { SetCaption(FromQString(v)); }
  void SetScaleInscript(const QtText auto& v) { SetScaleInscript(FromQString(v)); }
  void SetUserTickText(const QtText auto& v) { SetUserTickText(FromQString(v)); }
  void SetColorScale(const QtColor auto& v) { SetColorScale(FromQColor(v)); }
  ///@}
  /// Whether the axis is drawn (off by default; the chart's standard layout shows the axes
  /// of layer 1).
  ///@{
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  ///@}
  /// Scale type from the location: 0 labels above, 1 below, 2 right, 3 left of the base line.
  TScaleType ScaleType() const { return FScaleType; }
  /// Centre of the range: (RangeLow + RangeHigh) / 2.
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }

  /// True while the owning chart loads its properties (and for an object of its own until
  /// cleared): SetLogarithmic(true) then skips its checks, so settings may come in any order.
  ///@{
  bool NotYetLoaded() const { return FNotYetLoaded; }
  void SetNotYetLoaded(bool v) { FNotYetLoaded = v; }
  ///@}
  /// Writes both bounds without any rule or event (range operations of the chart).
  void StoreRange(double Low, double High) {
    FRangeLow = Low;
    FRangeHigh = High;
  }

  /// Writes the colour without an event (the chart's reset).
  void StoreColorScale(TColor c) { FColorScale = c; }

  /// Fired after every setter; not by SetMouseAction, SetNotYetLoaded, the Store... writes,
  /// ResetComp, Assign, a NaN bound or a MinRange that did not widen the range.
  TNotifyEvent OnChange;

  /// Copies every setting from another TScaleProps, OnChange and the loading state included;
  /// fires no event.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScaleProps"; }

 protected:
  void AssignTo(TPersistent* Dest) const override;
  /// Fires OnChange.
  void Changed();

  /// Scale type of the axis (see ScaleType()), set through the derived classes' location.
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

/// Place of an X axis: slTop above the plotting area, slBottom below it.
enum TScaleLocationHoriz : uint8_t { slTop, slBottom };
/// Place of a Y axis: slLeft left of the plotting area, slRight right of it.
enum TScaleLocationVert : uint8_t { slLeft, slRight };

/// Settings of an X axis: below (default) or above the plotting area.
class TScalePropsHoriz : public TScaleProps {
 public:
  /// The defaults, below the plotting area.
  TScalePropsHoriz() { ResetComp(); }
  /// Every default, with the location slBottom (fires no event).
  void ResetComp() override;
  /// Above (slTop, scale type 0) or below (slBottom, scale type 1, default) the plotting area.
  ///@{
  TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationHoriz v);
  ///@}
  /// Writes the location without an event.
  void StoreScaleLocation(TScaleLocationHoriz v) {
    FScaleLoc = v;
    FScaleType = v == slTop ? 0 : 1;
  }
  /// As TScaleProps::Assign, and the location when Source is an X axis' settings too.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScalePropsHoriz"; }

 private:
  TScaleLocationHoriz FScaleLoc = slBottom;
};

/// Settings of a Y axis: left (default) or right of the plotting area.
class TScalePropsVert : public TScaleProps {
 public:
  /// The defaults, left of the plotting area.
  TScalePropsVert() { ResetComp(); }
  /// Every default, with the location slLeft (fires no event).
  void ResetComp() override;
  /// Left (slLeft, scale type 3, default) or right (slRight, scale type 2) of the plotting
  /// area.
  ///@{
  TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
  void SetScaleLocation(TScaleLocationVert v);
  ///@}
  /// Writes the location without an event.
  void StoreScaleLocation(TScaleLocationVert v) {
    FScaleLoc = v;
    FScaleType = v == slLeft ? 3 : 2;
  }
  /// As TScaleProps::Assign, and the location when Source is a Y axis' settings too.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScalePropsVert"; }

 private:
  TScaleLocationVert FScaleLoc = slLeft;
};

}  // namespace zyr
