// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TColorScale: a colour legend with a numeric scale, a cross-hair line and mouse pan/stretch.

#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/crosshair.h>
#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/control.h>
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <limits>
#include <memory>
#include <string>

namespace zyr {

/// Direction of the colour bar: left to right with the scale below it, or bottom to top with
/// the scale right of it.
enum TColScaleOrientation : uint8_t { csoHorizontal, csoVertical };

/// Mouse moved over a colour scale: whether it is over the bar and the scale value under it.
using TMouseMoveInColorScaleEvent =
    std::function<void(TObject* Sender, bool InScale, TShiftState Shift, double rMousePos)>;

/// A colour legend: a bar filled with the colours of ColorArray() spread over ColorLow to
/// ColorHigh, a numeric scale beside it, a caption and an optional cross-hair line. It maps
/// values to colours (ValueToColor) and back (ColorToValue) for the application, e.g. for a
/// contour plot:
///
///   auto* cs = new TColorScale(parent);
///   cs->ColorArray().Fill(64, {clBlue, clLime, clRed});
///   cs->SetScaleRange(0, 100);             // scale and colour interval together
///   TColor c = cs->ValueToColor(42.0);
///
/// MouseAction 10 drags the cross-hair, 18 pans (middle of the bar) or stretches one end
/// (outer 42 %). See the gallery page "colorscale".
///
/// A handler that wants the control gone calls deleteLater(); an immediate delete inside a
/// handler (also one of Scale()) is safe too: the control stops at once.
///
/// Qt signals, each emitted right after the event's handler: OnCrossHairMove ->
/// crossHairMove(), OnDataRendered -> dataRendered() (the canvas is only for the handler),
/// OnMouseMoveInScale -> mouseMoveInScale(InScale, Shift, rMousePos), OnZoomPan -> zoomPan().
/// Named values: maCrossHair, maPanStretch, zpmPan .. zpmHighEnd below; frame styles and
/// colour schemes as TScale's (TScale::frLowered, TScale::csGrayWhite, ...).
class TColorScale : public TCustomControl {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and repainting.
  ///@{
  Q_PROPERTY(QString Caption READ QtCaption WRITE SetCaption)
  Q_PROPERTY(QColor CaptionColor READ QtCaptionColor WRITE SetCaptionColor)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(int CaptionSize READ CaptionSize WRITE SetCaptionSize)
  Q_PROPERTY(int CaptionStyle READ CaptionStyle WRITE SetCaptionStyle)
  Q_PROPERTY(QColor ColorSclBkgd READ QtColorSclBkgd WRITE SetColorSclBkgd)
  Q_PROPERTY(QColor ColorOfScale READ QtColorOfScale WRITE SetColorOfScale)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(int FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(double ScaleRangeLow READ ScaleRangeLow WRITE SetScaleRangeLow)
  Q_PROPERTY(double ScaleRangeHigh READ ScaleRangeHigh WRITE SetScaleRangeHigh)
  Q_PROPERTY(bool ExtendColors READ ExtendColors WRITE SetExtendColors)
  Q_PROPERTY(bool FramedColorScale READ FramedColorScale WRITE SetFramedColorScale)
  Q_PROPERTY(double ColorLow READ ColorLow WRITE SetColorLow)
  Q_PROPERTY(double ColorHigh READ ColorHigh WRITE SetColorHigh)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
  Q_PROPERTY(int MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(int Orientation READ Orientation WRITE QtSetOrientation)

  ///@}
 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  /// After the picture is drawn, on the canvas it was drawn on.
  using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

  // Mouse actions (SetMouseAction); other values do nothing.
  /// No mouse action (default).
  /// Mouse actions (SetMouseAction); other values do nothing.
  static constexpr TMouseActMode maNone = 0;
  /// A left drag moves the cross-hair along the bar.
  static constexpr TMouseActMode maCrossHair = 10;   // drag the cross-hair
  /// A left drag pans the scale and colour interval, or stretches one end (outer 42 %).
  static constexpr TMouseActMode maPanStretch = 18;  // middle pans, outer parts stretch an end
  // Zoom/pan modes of the current drag (ZoomPanMode).
  /// The drag shifts both ends.
  /// Zoom/pan modes of the current drag (ZoomPanMode).
  static constexpr TZoomPanMode zpmPan = 0;
  /// The drag moves the low end.
  static constexpr TZoomPanMode zpmLowEnd = 1;
  /// The drag moves the high end.
  static constexpr TZoomPanMode zpmHighEnd = 2;

  /// A 300 x 75 pixel horizontal colour scale, range and colour interval -10 .. 10, with a
  /// colour table of 16 colours from blue over aqua, lime and yellow to red.
  explicit TColorScale(QWidget* AOwner = nullptr);
  /// Releases the scale, the colour table, the cross-hair and the picture.
  ~TColorScale() override;

  // Published properties.
  /// Caption text (default empty), drawn at (CaptionPosX, CaptionPosY); repaints on change.
  ///@{
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  void SetCaption(const QString& v) { SetCaption(FromQString(v)); }
  void SetCaption(const char* v) { SetCaption(std::string(v)); }
  ///@}
  /// Caption colour (default black); repaints on change.
  ///@{
  TColor CaptionColor() const { return FCaptColor; }
  void SetCaptionColor(TColor v);
  void SetCaptionColor(const QtColor auto& v) {
    if (QColor(v).isValid()) SetCaptionColor(FromQColor(v));
  }
  ///@}
  /// Caption position in pixels from the control's top-left corner (default 10, 10);
  /// repaints on change.
  ///@{
  int CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(int v);
  ///@}
  /// Caption font size in points (default 12); repaints on change.
  ///@{
  int CaptionSize() const { return FCaptSize; }
  void SetCaptionSize(int v);
  ///@}
  /// Caption font style (default bold); repaints on change.
  ///@{
  TFontStyles CaptionStyle() const { return FCaptStyle; }
  void SetCaptionStyle(TFontStyles v);
  ///@}
  /// Background colour (default silver); repaints on change.
  ///@{
  TColor ColorSclBkgd() const { return FColorSclBkgd; }
  void SetColorSclBkgd(TColor v);
  void SetColorSclBkgd(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorSclBkgd(FromQColor(v));
  }
  ///@}
  /// Colour of the scale, its labels and the bar's frame (default black); repaints on change.
  ///@{
  TColor ColorOfScale() const { return FColorScale; }
  void SetColorOfScale(TColor v);
  void SetColorOfScale(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorOfScale(FromQColor(v));
  }
  ///@}
  /// Stored frame line colours (default csGrayWhite); the frame is drawn in fixed colours.
  /// Repaints on change.
  ///@{
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// The cross-hair line over the bar (default mode 3, red, dotted; position 0); a change
  /// repaints. PosX is used on a horizontal bar, PosY on a vertical one.
  TCrossHair& CrossHair() { return *FCrossHair; }
  /// Copies the settings of \p v into the owned cross-hair.
  void SetCrossHair(const TCrossHair& v);
  /// Frame around the control (default frLowered); repaints on change.
  ///@{
  TFrameStyle FrameStyle() const { return FFrameSt; }
  void SetFrameStyle(TFrameStyle v);
  ///@}
  /// Low end of the numeric scale's range (default -10), set by the scale's range rules; the
  /// colour interval stays. Repaints.
  ///@{
  double ScaleRangeLow() const { return FColSclMin; }
  void SetScaleRangeLow(double v);
  ///@}
  /// High end of the numeric scale's range (default 10), set by the scale's range rules; the
  /// colour interval stays. Repaints.
  ///@{
  double ScaleRangeHigh() const { return FColSclMax; }
  void SetScaleRangeHigh(double v);
  ///@}
  /// Paints the bar beyond the colour interval in the end colours instead of the background
  /// (default off); repaints on change.
  ///@{
  bool ExtendColors() const { return FExtendColors; }
  void SetExtendColors(bool v);
  ///@}
  /// Draws a rectangle around the bar (default on); repaints on change.
  ///@{
  bool FramedColorScale() const { return FFramedColors; }
  void SetFramedColorScale(bool v);
  ///@}
  /// Low end of the value interval the colour table spreads over (default -10); a value above
  /// ColorHigh moves ColorHigh along, non-finite values are ignored. Repaints.
  ///@{
  double ColorLow() const { return FColorLow; }
  void SetColorLow(double v);
  ///@}
  /// High end of the colour interval (default 10); a value below ColorLow moves ColorLow
  /// along, non-finite values are ignored. Repaints.
  ///@{
  double ColorHigh() const { return FColorHigh; }
  void SetColorHigh(double v);
  ///@}
  /// Position of the bar inside the control: distance in pixels from each edge (defaults
  /// 8, 22, 16, 16 for top, bottom, left, right), clamped so the bar keeps one pixel. The
  /// scale follows; repaints on change.
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
  /// Requested main ticks of the scale (default 3).
  ///@{
  int MinTicks() const;
  /// Clamped to 2 .. 10.
  void SetMinTicks(int v);
  ///@}
  /// What a left drag does (default maNone).
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}
  /// Direction of the bar (default csoHorizontal); lays the scale out again and repaints.
  ///@{
  TColScaleOrientation Orientation() const { return FColScaleOrient; }
  void SetOrientation(TColScaleOrientation v);
  ///@}

  /// After a cross-hair drag moved the cross-hair. Emits crossHairMove().
  TNotifyEvent OnCrossHairMove;
  /// After bar, scale and caption are drawn (before the cross-hair and frame), on the canvas
  /// of the picture. Emits dataRendered().
  TRenderEvent OnDataRendered;
  /// On every mouse move: whether the mouse is over the bar and the scale value under it.
  /// Emits mouseMoveInScale().
  TMouseMoveInColorScaleEvent OnMouseMoveInScale;
  /// When a pan or stretch drag ends (mouse up). Emits zoomPan().
  TZoomPanEvent OnZoomPan;

  // Public state and operations.
  /// The colour table; any change repaints.
  TColorArray& ColorArray() { return *FColorArray; }
  /// The numeric scale beside the bar (for label settings such as DecPlaces); its type,
  /// margins and size follow the control's layout.
  TScale& Scale() { return *FScale; }
  /// Which end the current maPanStretch drag moves (zpmPan, zpmLowEnd or zpmHighEnd).
  TZoomPanMode ZoomPanMode() const { return FZoomPanMode; }
  /// While on, nothing is painted (default off).
  ///@{
  bool SuppressPaint() const { return FSuppressPaint; }
  /// Clearing it paints at once.
  void SetSuppPaint(bool v);
  void SetSuppressPaint(bool v) { SetSuppPaint(v); }
  ///@}

  /// Sets the scale range and the colour interval together; equal ends are widened by 1 each
  /// way. A reversed range reverses the scale; the colour interval is always low .. high.
  void SetScaleRange(double Low, double High);
  /// Colour of \p v: the table entry spread over ColorLow .. ColorHigh, clamped to the ends.
  /// NaN and an empty table answer the background colour.
  TColor ValueToColor(double v) const;
  /// Value at the table entry nearest to \p c.
  double ColorToValue(TColor c) const;
  /// NaN for an invalid QColor.
  double ColorToValue(const QtColor auto& c) const {
    return QColor(c).isValid() ? ColorToValue(FromQColor(c))
                               : std::numeric_limits<double>::quiet_NaN();
  }
  /// Pixel of \p v along the scale.
  int ValueToPixel(double v) const;
  /// Copies the picture into \p ABitmap at (PosX, PosY); a negative position resizes
  /// ABitmap to the picture and copies it to (0, 0).
  void CopyToBitMap(TBitmap* ABitmap, int PosX, int PosY);
  /// Writes the picture to a file: .svg and .pdf as vector pictures, other extensions (png,
  /// bmp, jpg) as raster images. Returns false when the file cannot be written.
  ///@{
  bool ExportToFile(const std::string& FileName);
  bool ExportToFile(const QString& FileName) { return ExportToFile(FromQString(FileName)); }
  bool ExportToFile(const char* FileName) { return ExportToFile(std::string(FileName)); }
  ///@}
  /// The picture as an SVG document.
  std::string ExportToSVG();

  /// Copies every setting of another TColorScale (look, caption, ranges, cross-hair, margins,
  /// handlers, the scale and the colour table) and repaints; other sources as the base class.
  void Assign(const TPersistent* Source) override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TColorScale"; }

  /// Resizes, then lays the scale out again.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// Mouse handling: the drag of MouseAction, and OnMouseMoveInScale on every move.
  ///@{
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  ///@}

 signals:
  /// Emitted right after OnCrossHairMove, OnDataRendered, OnMouseMoveInScale and OnZoomPan.
  ///@{
  void crossHairMove();
  void dataRendered();
  void mouseMoveInScale(bool InScale, zyr::TShiftState Shift, double rMousePos);
  void zoomPan();
  ///@}

 protected:
  /// Draws the picture, unless painting is suppressed.
  void Paint() override;
  /// A TColorScale target takes this scale's settings (Assign).
  void AssignTo(TPersistent* Dest) const override;

 private:
  QString QtCaption() const { return ToQString(FCaption); }
  QColor QtCaptionColor() const { return ToQColor(FCaptColor); }
  QColor QtColorSclBkgd() const { return ToQColor(FColorSclBkgd); }
  QColor QtColorOfScale() const { return ToQColor(FColorScale); }
  void QtSetOrientation(int v) {
    if (v == csoHorizontal || v == csoVertical) SetOrientation(TColScaleOrientation(v));
  }
  // Each runs the event's handler, then emits its signal.
  void DoCrossHairMove();
  void DoDataRendered(TCanvas& cv);
  void DoMouseMoveInScale(bool InScale, TShiftState Shift, double rMousePos);
  void DoZoomPan();
  void TriggerPaint();
  void ScaleLayout();
  void SyncScaleRange();
  bool IsHorizontal() const { return FColScaleOrient == csoHorizontal; }
  /// World value under the mouse along the bar; the scale centre when the scale has no extent.
  double MouseValue(int X, int Y) const;
  /// Runs every paint step on \p cv, which covers the control's size. False when a handler
  /// deleted the control on the way (nothing of it may be touched then).
  bool DrawPicture(TCanvas& cv);
  void DrawBar(TCanvas& cv);
  void DrawCrossHair(TCanvas& cv);
  bool RenderToBitmap();

  TFrameStyle FFrameSt = 2;
  std::string FCaption;
  TColor FCaptColor = clBlack;
  int FCaptPosX = 10, FCaptPosY = 10;
  int FCaptSize = 12;
  TFontStyles FCaptStyle = fsBold;
  bool FSuppressPaint = false;
  double FColSclMin = -10, FColSclMax = 10;
  std::unique_ptr<TCrossHair> FCrossHair;
  bool FExtendColors = false;
  bool FLeftButWasDown = false;
  int FMarginTop = 8, FMarginBottom = 22, FMarginLeft = 16, FMarginRight = 16;
  TMouseActMode FMouseAction = 0;
  int FMouseAnchorX = 0, FMouseAnchorY = 0;
  double FAnchorSclLow = 0, FAnchorSclHigh = 0;
  TZoomPanMode FZoomPanMode = 0;
  bool FFramedColors = true;
  double FColorLow = -10, FColorHigh = 10;
  TColScaleOrientation FColScaleOrient = csoHorizontal;
  TColor FColorSclBkgd = clSilver;
  TColor FColorScale = clBlack;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = 0;
  // Declared before the scale, which draws on its canvas, so the scale goes first.
  std::unique_ptr<TBitmap> FGrafBmp;
  std::unique_ptr<TColorArray> FColorArray;
  std::unique_ptr<TScale> FScale;
};

}  // namespace zyr
