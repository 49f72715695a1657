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

 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

  /// Mouse actions (SetMouseAction); other values do nothing.
  static constexpr TMouseActMode maNone = 0;
  static constexpr TMouseActMode maCrossHair = 10;   // drag the cross-hair
  static constexpr TMouseActMode maPanStretch = 18;  // middle pans, outer parts stretch an end
  /// Zoom/pan modes of the current drag (ZoomPanMode).
  static constexpr TZoomPanMode zpmPan = 0;
  static constexpr TZoomPanMode zpmLowEnd = 1;
  static constexpr TZoomPanMode zpmHighEnd = 2;

  explicit TColorScale(QWidget* AOwner = nullptr);
  ~TColorScale() override;

  // Published properties.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  void SetCaption(const QString& v) { SetCaption(FromQString(v)); }
  void SetCaption(const char* v) { SetCaption(std::string(v)); }
  TColor CaptionColor() const { return FCaptColor; }
  void SetCaptionColor(TColor v);
  void SetCaptionColor(const QtColor auto& v) {
    if (QColor(v).isValid()) SetCaptionColor(FromQColor(v));
  }
  int CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(int v);
  int CaptionSize() const { return FCaptSize; }
  void SetCaptionSize(int v);
  TFontStyles CaptionStyle() const { return FCaptStyle; }
  void SetCaptionStyle(TFontStyles v);
  TColor ColorSclBkgd() const { return FColorSclBkgd; }
  void SetColorSclBkgd(TColor v);
  void SetColorSclBkgd(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorSclBkgd(FromQColor(v));
  }
  TColor ColorOfScale() const { return FColorScale; }
  void SetColorOfScale(TColor v);
  void SetColorOfScale(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorOfScale(FromQColor(v));
  }
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  TCrossHair& CrossHair() { return *FCrossHair; }
  /// Copies the settings of \p v into the owned cross-hair.
  void SetCrossHair(const TCrossHair& v);
  TFrameStyle FrameStyle() const { return FFrameSt; }
  void SetFrameStyle(TFrameStyle v);
  double ScaleRangeLow() const { return FColSclMin; }
  /// Sets the scale's low end only; the colour interval stays.
  void SetScaleRangeLow(double v);
  double ScaleRangeHigh() const { return FColSclMax; }
  void SetScaleRangeHigh(double v);
  bool ExtendColors() const { return FExtendColors; }
  /// Paints the bar beyond the colour interval in the end colours instead of the background.
  void SetExtendColors(bool v);
  bool FramedColorScale() const { return FFramedColors; }
  void SetFramedColorScale(bool v);
  double ColorLow() const { return FColorLow; }
  /// A value above ColorHigh moves ColorHigh along; non-finite values are ignored.
  void SetColorLow(double v);
  double ColorHigh() const { return FColorHigh; }
  void SetColorHigh(double v);
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int v);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int v);
  int MinTicks() const;
  /// Clamped to 2 .. 10.
  void SetMinTicks(int v);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  TColScaleOrientation Orientation() const { return FColScaleOrient; }
  void SetOrientation(TColScaleOrientation v);

  TNotifyEvent OnCrossHairMove;
  TRenderEvent OnDataRendered;
  TMouseMoveInColorScaleEvent OnMouseMoveInScale;
  TZoomPanEvent OnZoomPan;

  // Public state and operations.
  /// The colour table; any change repaints.
  TColorArray& ColorArray() { return *FColorArray; }
  /// The numeric scale beside the bar (for label settings such as DecPlaces); its type,
  /// margins and size follow the control's layout.
  TScale& Scale() { return *FScale; }
  TZoomPanMode ZoomPanMode() const { return FZoomPanMode; }
  bool SuppressPaint() const { return FSuppressPaint; }
  /// Clearing it paints at once.
  void SetSuppPaint(bool v);
  void SetSuppressPaint(bool v) { SetSuppPaint(v); }

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
  bool ExportToFile(const std::string& FileName);
  bool ExportToFile(const QString& FileName) { return ExportToFile(FromQString(FileName)); }
  bool ExportToFile(const char* FileName) { return ExportToFile(std::string(FileName)); }
  /// The picture as an SVG document.
  std::string ExportToSVG();

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TColorScale"; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 signals:
  void crossHairMove();
  void dataRendered();
  void mouseMoveInScale(bool InScale, zyr::TShiftState Shift, double rMousePos);
  void zoomPan();

 protected:
  void Paint() override;
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
