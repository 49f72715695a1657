// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TScale: the one axis type of the library, and Rescale, the range arithmetic of mouse zoom
/// and pan that the charts share with it.

#include <zyr/platform/foundation/dtlabel.h>
#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/control.h>
#include <zyr/platform/host/paintkey.h>
#include <zyr/qt.h>

#include <memory>
#include <string>
#include <vector>

namespace zyr {

namespace scaleticks {
struct TTick;
}

/// Where the caption of a scale is anchored along its extent: uaSclTopLft at the start (left
/// end of a horizontal scale, top of a vertical one; default), uaSclCenter in the middle,
/// uaSclBotRgt at the right or bottom end.
enum TScaleUnitAnchor : uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

/// After each tick line: the tick's world value and its point on the base line.
using TScaleTickDrawnEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                       double CurrentTickPos, int ChartX, int ChartY)>;
/// Before each tick label (date lines included) is drawn; the handler may change the text.
using TBeforeTickLabelEvent = std::function<void(TObject* Sender, TScaleType ScaleType,
                                                 double CurrentTickPos, std::string& TickLabel)>;
/// Before / after a scale is drawn, with the canvas it is drawn on.
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

/// A single axis: base line, long and short ticks, tick labels (numbers, exponents, decades,
/// time spans, dates, user texts) and a caption. Used stand-alone as a control with its own
/// mouse zoom and pan, or owned by a chart, colour scale or gauge as a helper that draws on
/// the owner's canvas:
///
///   auto* s = new TScale(parent);
///   s->SetScaleType(1);             // horizontal, labels below the line
///   s->SetRange(0, 250);
///   s->SetCaption("Voltage [V]");
///
/// As a helper: SetIsHelper(true), SetTransparent(true), UseForeignCanvas(&cv, x, y),
/// ForcePaint(). Scale types: 0/1 horizontal with labels above/below, 2/3 vertical with
/// labels right/left. Label types: 0 none, 1 numbers, 2 time spans (seconds), 3 dates (day
/// numbers from 1899-12-30), 4 user texts. See the gallery page "scale".
///
/// A handler that wants the scale gone calls deleteLater(); an immediate delete inside a
/// handler is safe too: the scale stops drawing or handling the mouse at once.
///
/// Qt signals, each emitted right after the event's handler: OnZoomPan -> zoomPan(),
/// OnBeforeScaleRendered -> beforeScaleRendered(), OnAfterScaleRendered ->
/// afterScaleRendered() (the canvas is only for the handler). OnScaleTickDrawn and
/// OnBeforeTickLabel run per tick while drawing and have no signal. Named values: see the
/// constants below (maPan, stHorzLabelsBelow, ltDateTime, frLowered, ...).
class TScale : public TCustomControl {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and repainting.
  ///@{
  Q_PROPERTY(QString Caption READ QtCaption WRITE SetCaption)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(QColor ColorBackGnd READ QtColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(QColor ColorScale READ QtColorScale WRITE SetColorScale)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
  Q_PROPERTY(int FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(int LabelType READ LabelType WRITE QtSetLabelType)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
  Q_PROPERTY(int MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
  Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
  Q_PROPERTY(bool ShowBaseLine READ ShowBaseLine WRITE SetShowBaseLine)
  Q_PROPERTY(QString ScaleInscript READ QtScaleInscript WRITE SetScaleInscript)
  Q_PROPERTY(int ScaleType READ ScaleType WRITE QtSetScaleType)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(QString UserTickText READ QtUserTickText WRITE SetUserTickText)

  ///@}
 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  // Mouse actions (SetMouseAction); other values do nothing.
  /// No mouse action (default).
  static constexpr TMouseActMode maNone = 0;
  /// Left drag shifts the range with the mouse.
  static constexpr TMouseActMode maPan = 1;
  /// Left drag stretches the range; the end opposite the grab point stays.
  static constexpr TMouseActMode maStretch = 6;  // the far end stays
  /// Left drag zooms about the middle of the range.
  static constexpr TMouseActMode maZoomCenter = 9;
  // Scale types (SetScaleType).
  /// Horizontal, labels above the base line (default).
  static constexpr TScaleType stHorzLabelsAbove = 0;
  /// Horizontal, labels below the base line.
  static constexpr TScaleType stHorzLabelsBelow = 1;
  /// Vertical, labels right of the base line.
  static constexpr TScaleType stVertLabelsRight = 2;
  /// Vertical, labels left of the base line.
  static constexpr TScaleType stVertLabelsLeft = 3;
  // Label types (SetLabelType).
  /// Ticks only, no labels.
  static constexpr TFigType ltNone = 0;
  /// Numbers (default).
  static constexpr TFigType ltNumbers = 1;
  /// Seconds labelled as hours, minutes and seconds.
  static constexpr TFigType ltTimeSpan = 2;  // seconds as hours, minutes, seconds
  /// Dates and times of day numbers (days from 1899-12-30).
  static constexpr TFigType ltDateTime = 3;  // day numbers, see zyr/qt.h for QDateTime
  /// The fields of UserTickText, one per main tick.
  static constexpr TFigType ltUserText = 4;
  // Colour schemes (SetColorScheme): fixed gray and white frame lines, or the button colours.
  /// Gray and white frame lines (default).
  static constexpr TColorScheme csGrayWhite = 0;
  /// The system's button shadow and highlight colours.
  static constexpr TColorScheme csButtonColors = 1;
  // Frame styles (SetFrameStyle), as drawn by DrawFrame.
  /// No frame.
  static constexpr TFrameStyle frNone = 0;
  /// A single line.
  static constexpr TFrameStyle frSimple = 1;
  /// Sunken (default).
  static constexpr TFrameStyle frLowered = 2;
  /// Raised.
  static constexpr TFrameStyle frRaised = 3;
  /// Embossed ridge.
  static constexpr TFrameStyle frEmbossed = 4;
  /// Engraved groove.
  static constexpr TFrameStyle frEngraved = 5;
  /// A double line.
  static constexpr TFrameStyle frDouble = 6;

  /// A 400 x 400 pixel horizontal scale from 0 to 100 with numeric labels; it paints once its
  /// window exists.
  explicit TScale(QWidget* AOwner = nullptr);
  /// Releases the date settings; a foreign canvas is not touched.
  ~TScale() override;

  /// Sets every default and recomputes the transform; painting stays as suppressed as it was.
  void ResetComp();

  // Published properties.
  /// Caption text (default empty), drawn beside the scale; repaints.
  ///@{
  const std::string& Caption() const { return FUnitLabel; }
  void SetCaption(const std::string& v);
  void SetCaption(const QString& v) { SetCaption(FromQString(v)); }
  void SetCaption(const char* v) { SetCaption(std::string(v)); }
  ///@}
  /// Caption offset in pixels from its anchor (x along a horizontal scale, y along a vertical
  /// one) and from the base line (default 4, 4); repaints.
  ///@{
  int CaptionPosX() const { return FLblPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FLblPosY; }
  void SetCaptionPosY(int v);
  ///@}
  /// Caption alignment at its point (default taCenter); repaints.
  ///@{
  TAlignment CaptionAlignment() const { return FLblAlign; }
  void SetCaptionAlignment(TAlignment v);
  ///@}
  /// Caption anchor along the scale (default uaSclTopLft); repaints.
  ///@{
  TScaleUnitAnchor CaptionAnchor() const { return FLblAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  ///@}
  /// On a vertical scale: the caption turned by 90 degrees (read upwards), centred along the
  /// scale beside its labels, on the side away from the base line; position offsets,
  /// anchor and alignment then do not apply. Off by default (the caption lies horizontal).
  ///@{
  bool CaptionVertical() const { return FCaptionVertical; }
  void SetCaptionVertical(bool v) {
    if (v == FCaptionVertical) return;
    FCaptionVertical = v;
    TriggerPaint();
  }
  ///@}
  /// Background colour (default clBtnFace); not drawn when Transparent. Repaints on change.
  ///@{
  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor v);
  /// An invalid QColor is ignored.
  void SetColorBackGnd(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBackGnd(FromQColor(v));
  }
  ///@}
  /// Colour of base line, ticks, labels and caption (default black); repaints on change.
  ///@{
  TColor ColorScale() const { return FColorFG; }
  void SetColorScale(TColor v);
  void SetColorScale(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorScale(FromQColor(v));
  }
  ///@}
  /// Frame line colours (default csGrayWhite); repaints on change.
  ///@{
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Settings of date and time labels (ltDateTime); changing them repaints. The setter copies
  /// the given settings.
  ///@{
  TDTLabel& DateFormat() { return *FDTFormat; }
  void SetDateFormat(const TDTLabel& v);
  ///@}
  /// Decimals of numeric labels (default -2); repaints.
  ///@{
  int DecPlaces() const { return FDecPlaces; }
  /// -3 .. 12: n decimals, 0 integers only, -1 exponent form, -2 automatic, -3 decades.
  void SetDecPlaces(int v);
  ///@}
  /// Frame around the control, not drawn when Transparent (default frLowered); repaints.
  ///@{
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  ///@}
  /// What the labels show (default ltNumbers); ltDateTime also turns Logarithmic off,
  /// ltTimeSpan sets DecPlaces to 4. Repaints.
  ///@{
  TFigType LabelType() const { return FLabelType; }
  void SetLabelType(TFigType v);
  ///@}
  /// Logarithmic scale (default off); repaints.
  ///@{
  bool Logarithmic() const { return FAxLog; }
  /// Refused silently (stays linear) for a non-positive range or date labels once loaded.
  void SetLogarithmic(bool v);
  ///@}
  /// Distance in pixels of the scale's extent and base line from the control's edges
  /// (default 20 each); negative values become 0. Repaints.
  ///@{
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int v);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int v);
  ///@}
  /// Requested number of main ticks (default 3); 0 is kept and asks for the fewest.
  ///@{
  int MinTicks() const { return FNumTicks; }
  /// 0 stays 0; other values are clamped to 2 .. 10.
  void SetMinTicks(int v);
  ///@}
  /// What a left drag does (default maNone).
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  /// 1 pan, 6 stretch, 9 zoom about the centre; a double click toggles 1 and 6.
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}
  /// Entries of the tick position list of the last draw.
  int NumTicks() const { return FTickCount; }
  /// World range (default 0 .. 100); Low above High gives a reversed scale. Recomputes the
  /// transform and repaints.
  ///@{
  double RangeLow() const { return FRangeLow; }
  double RangeHigh() const { return FRangeHigh; }
  /// Non-finite values are ignored. RangeLow set equal to RangeHigh moves RangeHigh to the
  /// value + 1; RangeHigh set equal to RangeLow moves RangeLow to the value + 1 (reversed).
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  /// Both ends; equal ends give High = Low + 1, a non-finite end leaves the range unchanged.
  void SetRange(double Low, double High);
  /// Date axes (ltDateTime): the local date-times as day numbers; an invalid one is ignored.
  void SetRange(const QDateTime& Low, const QDateTime& High) {
    SetRange(FromDateTime(Low), FromDateTime(High));
  }
  ///@}
  /// Draws the short ticks between the main ticks (default on); repaints on change.
  ///@{
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  ///@}
  /// Draws the base line (default on); repaints.
  ///@{
  bool ShowBaseLine() const { return FDrawBaseLine; }
  void SetShowBaseLine(bool v);
  ///@}
  /// Pattern around numeric labels (default empty): "pre&post" surrounds the label, a
  /// pattern without "&" is put before it; repaints.
  ///@{
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  void SetScaleInscript(const QString& v) { SetScaleInscript(FromQString(v)); }
  void SetScaleInscript(const char* v) { SetScaleInscript(std::string(v)); }
  ///@}
  /// Orientation and label side, stHorzLabelsAbove .. stVertLabelsLeft (default 0); other
  /// values draw nothing. Recomputes the transform and repaints on change.
  ///@{
  TScaleType ScaleType() const { return FScaleType; }
  void SetScaleType(TScaleType v);
  ///@}
  /// Draws on the parent's (or foreign canvas's) background without filling it or drawing
  /// the frame (default off); repaints.
  ///@{
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  ///@}
  /// Texts of the main ticks with ltUserText, separated by "|" (default empty): main tick n
  /// shows field n, ticks beyond the last field show the last one. Repaints.
  ///@{
  const std::string& UserTickText() const { return FUserTicktext; }
  void SetUserTickText(const std::string& v);
  void SetUserTickText(const QString& v) { SetUserTickText(FromQString(v)); }
  void SetUserTickText(const char* v) { SetUserTickText(std::string(v)); }
  ///@}

  /// After a mouse drag changed the range. Emits zoomPan().
  TZoomPanEvent OnZoomPan;
  /// After each tick line, with the tick's world value and its point on the base line. No
  /// signal.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  /// Before each tick label; the handler may change the text. No signal.
  TBeforeTickLabelEvent OnBeforeTickLabel;
  /// After the scale is drawn, on the canvas it was drawn on. Emits afterScaleRendered().
  TScaleRenderedEvent OnAfterScaleRendered;
  /// Before the scale is drawn, on the canvas it is drawn on. Emits beforeScaleRendered().
  TScaleRenderedEvent OnBeforeScaleRendered;

  // Public state and operations.
  /// While on, nothing is painted (on until the window exists).
  ///@{
  bool SuppressPaint() const { return FSuppressPaint; }
  /// Clearing it paints at once.
  void SetSuppressPaint(bool v);
  ///@}
  /// Marks the scale as the axis of an owning control (default off): it paints at once even
  /// when transparent. Repaints on change.
  ///@{
  bool IsHelper() const { return FIsHelper; }
  void SetIsHelper(bool v);
  ///@}
  /// Position of the scale's top-left corner on the foreign canvas in pixels; repaints.
  ///@{
  int ForCvPosX() const { return FForCvPosX; }
  void SetForCvPosX(int v);
  int ForCvPosY() const { return FForCvPosY; }
  void SetForCvPosY(int v);
  ///@}
  /// Draws on \p Canvas at (X, Y) from now on (not owned; nullptr returns to the own canvas).
  void UseForeignCanvas(TCanvas* Canvas, int X, int Y);
  /// The foreign canvas in use, or nullptr for the own one.
  TCanvas* ForeignCanvas() const { return FForeignCv; }
  /// Paints once even while painting is suppressed.
  void ForcePaint();
  /// Pixel interval along the scale that tick labels are kept inside, for owners that cover
  /// the scale's edges. An empty interval (the default) keeps horizontal labels 2 pixels
  /// inside the control and does not move vertical ones.
  void SetLabelArea(int First, int Last);
  /// The interval set by SetLabelArea.
  ///@{
  int LabelAreaFirst() const { return FLabelAreaFirst; }
  int LabelAreaLast() const { return FLabelAreaLast; }
  ///@}
  /// The ix-th (1-based) recorded tick value of the last draw, 0 outside 1 .. NumTicks.
  double GetTickPos(int ix) const;
  /// Middle of the range, (RangeLow + RangeHigh) / 2.
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }
  /// Same as M2R.
  double ConvertPixelToScale(int p) const { return M2R(p); }
  /// Same as R2M.
  int ConvertToPixelCoords(double v) const { return R2M(v); }
  /// World value to pixel along the scale (clamped to the 32-bit range).
  int R2M(double v) const;
  /// Pixel along the scale to world value.
  double M2R(double p) const;
  /// The transform: pixel = Transf_k * value + Transf_d (value or ln value when logarithmic).
  ///@{
  double Transf_k() const { return FTransf_k; }
  double Transf_d() const { return FTransf_d; }
  ///@}
  /// Recomputes the transform from range, margins, size and scale type.
  void AdjustScalePars();
  /// Draws a horizontal scale with its base line at \p BaseY (ticks, labels, caption).
  void DrawXScale(TCanvas& Canvas, int BaseY);
  /// Draws a vertical scale with its base line at \p BaseX.
  void DrawYScale(TCanvas& Canvas, int BaseX);
  /// Adds every setting the paint cycle reads to \p Key, so that an owner may keep the
  /// picture of the scale and reuse it while the key stays the same.
  void AddPaintKey(TPaintKey& Key) const;
  /// True when painting has an observer besides the picture (a rendering handler or a
  /// connected rendering signal): a kept picture cannot stand in for painting then.
  bool PaintObserved() const;
  /// The Index-th (from 1) field of a "|"-separated text; beyond the end the last field.
  static std::string ExtractUserText(const std::string& Text, int Index);
  /// Puts \p Label into \p Inscript: "pre&post" surrounds it, a pattern without "&" prefixes.
  static std::string AddScaleInscription(const std::string& Label, const std::string& Inscript);

  /// Copies every setting of another TScale (range, look, labels, caption, tick
  /// handlers and render events) and repaints; other sources as the base class.
  void Assign(const TPersistent* Source) override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TScale"; }

  /// Resizes, then recomputes the transform and repaints.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// Mouse handling of a stand-alone scale: a left drag changes the range by MouseAction and
  /// fires OnZoomPan after each step.
  ///@{
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  ///@}
  /// Switches MouseAction between maPan and maStretch, then runs OnDblClick.
  void DblClick() override;

 signals:
  /// Emitted right after OnZoomPan, OnBeforeScaleRendered and OnAfterScaleRendered.
  ///@{
  void zoomPan();
  void beforeScaleRendered();
  void afterScaleRendered();
  ///@}

 protected:
  /// Draws the scale on its own canvas, or on the foreign canvas when one is set.
  void Paint() override;
  /// Painting starts once the window exists.
  void CreateWnd() override;
  /// Recomputes the transform and repaints after loading.
  void Loaded() override;
  /// A TScale target takes this scale's settings (Assign).
  void AssignTo(TPersistent* Dest) const override;

 private:
  struct TDrawState;
  QString QtCaption() const { return ToQString(FUnitLabel); }
  QString QtScaleInscript() const { return ToQString(FScaleInscript); }
  QString QtUserTickText() const { return ToQString(FUserTicktext); }
  QColor QtColorBackGnd() const { return ToQColor(FColorBG); }
  QColor QtColorScale() const { return ToQColor(FColorFG); }
  // Form properties ignore numbers that name no label or scale type.
  void QtSetLabelType(int v) {
    if (v >= ltNone && v <= ltUserText) SetLabelType(TFigType(v));
  }
  void QtSetScaleType(int v) {
    if (v >= stHorzLabelsAbove && v <= stVertLabelsLeft) SetScaleType(TScaleType(v));
  }
  // Each runs the event's handler, then emits its signal.
  void DoZoomPan();
  void DoBeforeScaleRendered(TCanvas& cv);
  void DoAfterScaleRendered(TCanvas& cv);
  void TriggerPaint();
  void Changed(TObject*) { TriggerPaint(); }
  bool IsHorizontal() const { return FScaleType <= 1; }
  void ApplyColorScheme();
  // Drawing steps (scale_draw.cpp).
  /// False when a handler deleted the scale on the way.
  bool DrawScale(TCanvas& cv, int base);
  std::string NumericLabel(const scaleticks::TTick& t, uint8_t mode, int dec, TDrawState& ds);
  void DrawDateLabels(TDrawState& ds, double v, uint8_t unit);
  void DrawDateMessage(TDrawState& ds, bool invalid);
  void DrawCaption(TCanvas& cv, int base);
  void DrawVerticalCaption(TCanvas& cv, int base);
  void DrawTickLine(TDrawState& ds, double v, int len);
  // style 0: own text height, 1: numeric ("0" height), 2: date line below a time line
  void DrawLabel(TDrawState& ds, double v, std::string text, int style);
  bool FireTick(TDrawState& ds, double v);
  void Record(double v);

  TFrameStyle FFrameStyle = 2;
  TColor FColorFG = clBlack;
  TColor FColorBG = clBtnFace;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = 0;
  bool FAxLog = false;
  double FTransf_k = 1, FTransf_d = 0;
  // A point of the transform inside the range: nearly equal ends far from zero are
  // converted relative to it, where k * value + d would cancel.
  double FTransfRef = 0, FTransfRefPix = 0;
  int FLabelAreaFirst = 0, FLabelAreaLast = 0;
  bool TransfNeedsRef() const;
  double FRangeHigh = 100, FRangeLow = 0;
  bool FShortTicks = true;
  int FTickCount = 0;
  int FNumTicks = 3;
  int FDecPlaces = -2;
  bool FNotYetLoaded = true;
  bool FDrawBaseLine = true;
  bool FTransparent = false;
  TFigType FLabelType = 1;
  std::unique_ptr<TDTLabel> FDTFormat;
  int FMarginTop = 20, FMarginBottom = 20, FMarginRight = 20, FMarginLeft = 20;
  bool FIsHelper = false;
  int FLblPosX = 4, FLblPosY = 4;
  TAlignment FLblAlign = taCenter;
  TScaleUnitAnchor FLblAnchor = uaSclTopLft;
  bool FCaptionVertical = false;
  int FLabelExtent = 0;  // widest label of a vertical scale in the current draw
  TMouseActMode FMouseAction = 0;
  int FMAnchorX = 0, FMAnchorY = 0;
  double FMAnchorWorldLow = 0, FMAnchorWorldHigh = 0;
  bool FLButtonWasDown = false;
  std::string FUserTicktext;
  std::string FScaleInscript;
  std::vector<double> FScaleTickPos = std::vector<double>(250, 0.0);
  std::string FUnitLabel;
  TCanvas* FForeignCv = nullptr;
  int FForCvPosX = 0, FForCvPosY = 0;
  TScaleType FScaleType = 0;
  bool FSuppressPaint = true;
};

/// New range for a mouse drag from (AnchorX, AnchorY) to (X, Y) on a scale of the given size,
/// margins and type: MouseAction 1 pans, 6 stretches (the far end stays), 9 zooms about the
/// centre. Returns false for other actions and when the result would not be a usable range
/// (a zero extent, a non-positive logarithmic range or a non-finite value); for scale types
/// other than 0 .. 3 it returns true and leaves the results unset.
bool Rescale(int X, int Y, int AnchorX, int AnchorY, int Width, int Height, int MarginLeft,
             int MarginRight, int MarginTop, int MarginBottom, double AnchorLow, double AnchorHigh,
             TMouseActMode MouseAction, TScaleType ScaleType, bool Log, double RangeLow,
             double RangeHigh, double& NewLow, double& NewHigh);

}  // namespace zyr
