// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TPlot3D: a surface plot of a matrix of heights.

#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/control.h>
#include <zyr/platform/numerics/matrix.h>
#include <zyr/qt.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace zyr {

/// How one cell of the surface is drawn.
enum TMeshKind : uint8_t { mkMesh, mkWaterfallHorz, mkWaterfallVert, mkWaterfallDiag, mkGrid };
/// How a height becomes a colour.
enum TColorCodingMode : uint8_t { ccmTwoColors, ccmThreeColors, ccmColorArray };
/// The axis a tick label belongs to.
enum TP3ScaleKind : uint8_t { p3skX, p3skY, p3skZ };

/// Mouse rotation, zoom or pan in progress; the handler may change any of the values.
using TMouseActionEvent =
    std::function<void(TObject* Sender, int& CenterX, int& CenterY, double& RotXAngle,
                       double& RotZAngle, double& Magnification, TShiftState Shift)>;
/// The mouse moved; OverPlot tells whether a cell (MouseCellX, MouseCellY) lies under it.
using TMouseMoveOverPlotEvent = std::function<void(
    TObject* Sender, bool OverPlot, TShiftState Shift, int MouseCellX, int MouseCellY)>;
/// Before a cell is drawn: change its colour, or draw it yourself and set Handled.
using TBeforeRenderPolygonEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, bool& Handled, int CellX, int CellY,
                       TQuad quad, TColor& color)>;
/// Before an axis tick label is drawn at (ChartX, ChartY); the handler may change the text.
using Tp3BeforeDrawScaleLabelEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TP3ScaleKind ScaleType,
                       std::string& CurrentTickLabel, int ChartX, int ChartY)>;

/// A matrix of heights drawn as a colour-coded surface in parallel projection, back to front,
/// inside an optional shaded bounding box with three labelled axes. The mouse rotates, zooms
/// or shifts the view (MouseAction) and OnMouseMoveOverPlot reports the cell under it.
///
///   auto* p = new TPlot3D(parent);
///   p->SetSuppressPaint(true);              // fill without repainting per element
///   p->GridMat.Resize(40, 30);              // 40 columns (x) by 30 rows (y), 1-based
///   ... p->GridMat.SetElem(ix, iy, z) ...
///   p->SetRange(0, 1, 0, 1, zLow, zHigh);   // the z range also calibrates the heights
///   p->SetSuppressPaint(false);             // recomputes the extremes and repaints
///
/// See the gallery pages "plot3d" and "plot3d-*".
///
/// Qt signals, each emitted right after the event's handler: OnDataRendered ->
/// dataRendered() (the canvas is only for the handler), OnMouseAction -> mouseAction(CenterX,
/// CenterY, RotXAngle, RotZAngle, Magnification, Shift) with the values the handler left (only
/// the handler can change them), OnMouseMoveOverPlot -> mouseMoveOverPlot(OverPlot, Shift,
/// MouseCellX, MouseCellY), OnZoomPan -> zoomPan(). OnBeforeRenderPolygon and
/// OnBeforeDrawScaleLabel run per cell or label while drawing and have no signal. Named values:
/// maRotate, bbFilled, ... below, the enumerations above; frame styles and colour schemes as
/// TScale's (TScale::frLowered, TScale::csButtonColors, ...).
class TPlot3D : public TCustomControl {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same clamping and repainting.
  ///@{
  Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
  Q_PROPERTY(int BoundBoxStyle READ BoundBoxStyle WRITE SetBoundBoxStyle)
  Q_PROPERTY(QString CaptionX READ QtCaptionX WRITE SetCaptionX)
  Q_PROPERTY(QString CaptionY READ QtCaptionY WRITE SetCaptionY)
  Q_PROPERTY(QString CaptionZ READ QtCaptionZ WRITE SetCaptionZ)
  Q_PROPERTY(int CentX READ CentX WRITE SetCentX)
  Q_PROPERTY(int CentY READ CentY WRITE SetCentY)
  Q_PROPERTY(QColor ColorFrame READ QtColorFrame WRITE SetColorFrame)
  Q_PROPERTY(QColor ColorBakGnd READ QtColorBakGnd WRITE SetColorBakGnd)
  Q_PROPERTY(QColor ColorXCoords READ QtColorXCoords WRITE SetColorXCoords)
  Q_PROPERTY(QColor ColorYCoords READ QtColorYCoords WRITE SetColorYCoords)
  Q_PROPERTY(QColor ColorZCoords READ QtColorZCoords WRITE SetColorZCoords)
  Q_PROPERTY(QColor ColorHigh READ QtColorHigh WRITE SetColorHigh)
  Q_PROPERTY(QColor ColorMid READ QtColorMid WRITE SetColorMid)
  Q_PROPERTY(QColor ColorLow READ QtColorLow WRITE SetColorLow)
  Q_PROPERTY(QColor ColorMesh READ QtColorMesh WRITE SetColorMesh)
  Q_PROPERTY(QColor ColorCubeFrame READ QtColorCubeFrame WRITE SetColorCubeFrame)
  Q_PROPERTY(QColor ColorCubeHidLin READ QtColorCubeHidLin WRITE SetColorCubeHidLin)
  Q_PROPERTY(QColor ColorCubeFaceLow READ QtColorCubeFaceLow WRITE SetColorCubeFaceLow)
  Q_PROPERTY(QColor ColorCubeFaceHigh READ QtColorCubeFaceHigh WRITE SetColorCubeFaceHigh)
  Q_PROPERTY(bool ColorCodeAvg READ ColorCodeAvg WRITE SetColorCodeAvg)
  Q_PROPERTY(int ColorCodingMode READ ColorCodingMode WRITE QtSetColorCodingMode)
  Q_PROPERTY(bool MeshVisible READ MeshVisible WRITE SetMeshVisible)
  Q_PROPERTY(int MeshKind READ MeshKind WRITE QtSetMeshKind)
  Q_PROPERTY(int FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(double ColorScaleLow READ ColorScaleLow WRITE SetColorScaleLow)
  Q_PROPERTY(double ColorScaleHigh READ ColorScaleHigh WRITE SetColorScaleHigh)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(double Magnification READ Magnification WRITE SetMagnification)
  Q_PROPERTY(int MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(double RangeXLow READ RangeXLow WRITE SetRangeXLow)
  Q_PROPERTY(double RangeXHigh READ RangeXHigh WRITE SetRangeXHigh)
  Q_PROPERTY(double RangeYLow READ RangeYLow WRITE SetRangeYLow)
  Q_PROPERTY(double RangeYHigh READ RangeYHigh WRITE SetRangeYHigh)
  Q_PROPERTY(double RangeZLow READ RangeZLow WRITE SetRangeZLow)
  Q_PROPERTY(double RangeZHigh READ RangeZHigh WRITE SetRangeZHigh)
  Q_PROPERTY(bool VisibleXCoords READ VisibleXCoords WRITE SetVisibleXCoords)
  Q_PROPERTY(bool VisibleYCoords READ VisibleYCoords WRITE SetVisibleYCoords)
  Q_PROPERTY(bool VisibleZCoords READ VisibleZCoords WRITE SetVisibleZCoords)
  Q_PROPERTY(double ViewAngleX READ ViewAngleX WRITE SetViewAngleX)
  Q_PROPERTY(double ViewAngleZ READ ViewAngleZ WRITE SetViewAngleZ)

  ///@}
 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  /// After the plot is drawn on Canvas.
  using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
  /// A model point (x, y, z).
  using TPoint3 = std::array<double, 3>;

  // Mouse actions (SetMouseAction); other values do nothing.
  /// No mouse action.
  static constexpr TMouseActMode maNone = 0;
  /// Left drag shifts the origin (CentX, CentY).
  static constexpr TMouseActMode maPan = 1;
  /// Left drag up zooms in, down zooms out (Magnification 0.1 .. 5).
  static constexpr TMouseActMode maZoom = 6;
  /// Left drag rotates both view angles within ViewAngLimLow .. ViewAngLimHigh (default).
  static constexpr TMouseActMode maRotate = 12;      // within the view angle limits
  /// Left drag rotates both view angles freely; right drag zooms.
  static constexpr TMouseActMode maRotAndZoom = 13;  // left button rotates freely, right zooms
  /// Left drag up and down tilts (ViewAngleX only).
  static constexpr TMouseActMode maTilt = 14;
  /// Left drag sideways turns (ViewAngleZ only).
  static constexpr TMouseActMode maTurn = 15;
  // Bounding box styles (SetBoundBoxStyle).
  /// No box.
  static constexpr TBoundingBox bbNone = 0;
  /// The three rear faces outlined.
  static constexpr TBoundingBox bbOutlined = 1;
  /// The three rear faces filled with a shade between ColorCubeFaceLow and ColorCubeFaceHigh.
  static constexpr TBoundingBox bbFilled = 2;
  // Frame styles and colour schemes are the scales' (TScale::frLowered, TScale::csGrayWhite,
  // ...; zyr/scales/scale.h), mark types TMarkType (mrkCircle3, ...).

  /// A 650 x 500 pixel plot with a 1 x 1 grid, origin in the middle, view angles 60 and 15.
  explicit TPlot3D(QWidget* parent = nullptr);
  /// Releases the grid, maps and picture.
  ~TPlot3D() override;

  /// The heights: NX columns (first index, x) by NY rows (second index, y), 1-based.
  TMatrix GridMat;
  /// Colour table of ccmColorArray.
  TColorArray IsoColors;

  // --- properties -------------------------------------------------------------------------
  /// Keeps the model origin in the middle of the control on every resize (default on);
  /// switching it on recentres at once.
  ///@{
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool v);
  ///@}
  /// Box drawn behind the surface: bbNone, bbOutlined or bbFilled (default); repaints.
  ///@{
  TBoundingBox BoundBoxStyle() const { return FBoundBox; }
  void SetBoundBoxStyle(TBoundingBox v);
  ///@}
  /// Axis captions (default "X", "Y", "Z"), drawn beside the middle of each axis; repaints.
  ///@{
  const std::string& CaptionX() const { return FCaptX; }
  const std::string& CaptionY() const { return FCaptY; }
  const std::string& CaptionZ() const { return FCaptZ; }
  void SetCaptionX(const std::string& v);
  void SetCaptionX(const QString& v) { SetCaptionX(FromQString(v)); }
  void SetCaptionX(const char* v) { SetCaptionX(std::string(v)); }
  void SetCaptionY(const std::string& v);
  void SetCaptionY(const QString& v) { SetCaptionY(FromQString(v)); }
  void SetCaptionY(const char* v) { SetCaptionY(std::string(v)); }
  void SetCaptionZ(const std::string& v);
  void SetCaptionZ(const QString& v) { SetCaptionZ(FromQString(v)); }
  void SetCaptionZ(const char* v) { SetCaptionZ(std::string(v)); }
  ///@}
  /// Screen position of the model origin in control pixels. With AutoCenter on, a setter
  /// only recentres; otherwise the value is clamped to -Width .. 2 Width (-Height ..
  /// 2 Height) and the plot repaints.
  ///@{
  int CentX() const { return FCentX; }
  int CentY() const { return FCentY; }
  void SetCentX(int v);
  void SetCentY(int v);
  ///@}

  /// Fifth colour of the control frame (default black); repaints.
  ///@{
  TColor ColorFrame() const { return FFrameCol; }
  void SetColorFrame(TColor v) { SetColorField(FFrameCol, v); }
  void SetColorFrame(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorFrame(FromQColor(v));
  }
  ///@}
  /// Background colour (default white); repaints.
  ///@{
  TColor ColorBakGnd() const { return FColorBakGnd; }
  void SetColorBakGnd(TColor v) { SetColorField(FColorBakGnd, v); }
  void SetColorBakGnd(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBakGnd(FromQColor(v));
  }
  ///@}
  /// Colour of the x axis, its ticks and labels (default red); repaints.
  ///@{
  TColor ColorXCoords() const { return FColorXAx; }
  void SetColorXCoords(TColor v) { SetColorField(FColorXAx, v); }
  void SetColorXCoords(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorXCoords(FromQColor(v));
  }
  ///@}
  /// Colour of the y axis, its ticks and labels (default blue); repaints.
  ///@{
  TColor ColorYCoords() const { return FColorYAx; }
  void SetColorYCoords(TColor v) { SetColorField(FColorYAx, v); }
  void SetColorYCoords(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorYCoords(FromQColor(v));
  }
  ///@}
  /// Colour of the z axis, its ticks and labels (default black); repaints.
  ///@{
  TColor ColorZCoords() const { return FColorZAx; }
  void SetColorZCoords(TColor v) { SetColorField(FColorZAx, v); }
  void SetColorZCoords(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorZCoords(FromQColor(v));
  }
  ///@}
  /// Colour of the top of the colour coding, at ColorScaleHigh (default yellow); repaints.
  ///@{
  TColor ColorHigh() const { return FColorFillHigh; }
  void SetColorHigh(TColor v) { SetColorField(FColorFillHigh, v); }
  void SetColorHigh(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorHigh(FromQColor(v));
  }
  ///@}
  /// Middle colour of ccmThreeColors (default blue); repaints.
  ///@{
  TColor ColorMid() const { return FColorFillMid; }
  void SetColorMid(TColor v) { SetColorField(FColorFillMid, v); }
  void SetColorMid(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorMid(FromQColor(v));
  }
  ///@}
  /// Colour of the bottom of the colour coding, at ColorScaleLow (default black); repaints.
  ///@{
  TColor ColorLow() const { return FColorFillLow; }
  void SetColorLow(TColor v) { SetColorField(FColorFillLow, v); }
  void SetColorLow(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorLow(FromQColor(v));
  }
  ///@}
  /// Colour of the mesh lines (default black); repaints.
  ///@{
  TColor ColorMesh() const { return FColorMesh; }
  void SetColorMesh(TColor v) { SetColorField(FColorMesh, v); }
  void SetColorMesh(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorMesh(FromQColor(v));
  }
  ///@}
  /// Colour of the box's front edges (default 0x404040); repaints.
  ///@{
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  void SetColorCubeFrame(TColor v) { SetColorField(FColorCubeFrame, v); }
  void SetColorCubeFrame(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCubeFrame(FromQColor(v));
  }
  ///@}
  /// Colour of the box's rear (hidden) edges (default 0xB0B0B0); repaints.
  ///@{
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  void SetColorCubeHidLin(TColor v) { SetColorField(FColorCubeHidLin, v); }
  void SetColorCubeHidLin(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCubeHidLin(FromQColor(v));
  }
  ///@}
  /// One end of the shading of the filled box faces, which are blended between
  /// ColorCubeFaceLow and ColorCubeFaceHigh by their depth (default silver); repaints.
  ///@{
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLo; }
  void SetColorCubeFaceLow(TColor v) { SetColorField(FColorCubeFaceLo, v); }
  void SetColorCubeFaceLow(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCubeFaceLow(FromQColor(v));
  }
  ///@}
  /// The other end of the shading of the filled box faces (default 0xFEEEEE); repaints.
  ///@{
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHi; }
  void SetColorCubeFaceHigh(TColor v) { SetColorField(FColorCubeFaceHi, v); }
  void SetColorCubeFaceHigh(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCubeFaceHigh(FromQColor(v));
  }
  ///@}

  /// Colours a cell by the mean (on) or the largest (off, default) of its four heights;
  /// repaints.
  ///@{
  bool ColorCodeAvg() const { return FColorCodeAvg; }
  void SetColorCodeAvg(bool v);
  ///@}
  /// How heights become colours (default ccmTwoColors); repaints.
  ///@{
  TColorCodingMode ColorCodingMode() const { return FColorCodingMode; }
  void SetColorCodingMode(TColorCodingMode v);
  ///@}
  /// Outlines mkMesh cells in ColorMesh (default on); off, cells are outlined in their own
  /// colour.
  ///@{
  bool MeshVisible() const { return FMeshVisible; }
  void SetMeshVisible(bool v);
  ///@}
  /// How a cell is drawn (default mkMesh); repaints.
  ///@{
  TMeshKind MeshKind() const { return FMeshKind; }
  void SetMeshKind(TMeshKind v);
  ///@}
  /// Frame around the control (default 2, lowered); repaints.
  ///@{
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  ///@}
  /// Upper end of the colour coding's height interval (default 100); a value not above
  /// ColorScaleLow or not finite is refused; repaints.
  ///@{
  double ColorScaleHigh() const { return FColorScaleHigh; }
  void SetColorScaleHigh(double v);
  ///@}
  /// Lower end of the colour coding's height interval (default 0); a value not below
  /// ColorScaleHigh or not finite is refused; repaints.
  ///@{
  double ColorScaleLow() const { return FColorScaleLow; }
  void SetColorScaleLow(double v);
  ///@}
  /// Stored colour scheme (default 1): 0 sets ColGrayLine and ColWhiteLine to gray and white,
  /// other values to the button shadow and highlight colours.
  ///@{
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Line colours that follow ColorScheme (black, gray, white by default); the frame itself
  /// is drawn in fixed colours.
  ///@{
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }
  ///@}

  /// Decimals of each axis's tick labels (defaults 1, 1, -2): -2 chooses them from the range
  /// width; values are clamped to -2 .. 12; repaints.
  ///@{
  int DecPlaceX() const { return FDecPlace[0]; }
  int DecPlaceY() const { return FDecPlace[1]; }
  int DecPlaceZ() const { return FDecPlace[2]; }
  void SetDecPlaceX(int v) { SetDecPlace(0, v); }
  void SetDecPlaceY(int v) { SetDecPlace(1, v); }
  void SetDecPlaceZ(int v) { SetDecPlace(2, v); }
  ///@}
  /// Caption distance from its axis in pixels (defaults 40, 40, 20); repaints.
  ///@{
  int LabDistX() const { return FLabDist[0]; }
  int LabDistY() const { return FLabDist[1]; }
  int LabDistZ() const { return FLabDist[2]; }
  void SetLabDistX(int v) { SetLabDist(0, v); }
  void SetLabDistY(int v) { SetLabDist(1, v); }
  void SetLabDistZ(int v) { SetLabDist(2, v); }
  ///@}
  /// Zoom of the picture about the origin, clamped to 0.1 .. 5 (default 1); repaints.
  ///@{
  double Magnification() const { return FMagnify; }
  void SetMagnification(double v);
  ///@}
  /// Requested ticks per axis, clamped to 2 .. 20 (defaults 3); repaints.
  ///@{
  int MinTickX() const { return FNTicks[0]; }
  int MinTickY() const { return FNTicks[1]; }
  int MinTickZ() const { return FNTicks[2]; }
  void SetMinTickX(int v) { SetMinTick(0, v); }
  void SetMinTickY(int v) { SetMinTick(1, v); }
  void SetMinTickZ(int v) { SetMinTick(2, v); }
  ///@}
  /// What a mouse drag does: 12 rotate (within the limits, default), 13 rotate freely /
  /// right button zoom, 14 tilt, 15 turn, 6 zoom, 1 pan (the ma... constants); other values
  /// do nothing.
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}

  /// Axis ranges (defaults -1 .. 1); the x and y ranges only label the axes, the z range
  /// also maps heights onto the box. Non-finite bounds are refused; a bound set equal to the
  /// other one moves 1 away from it. Repaints.
  ///@{
  double RangeXLow() const { return FRangeLow[0]; }
  double RangeXHigh() const { return FRangeHigh[0]; }
  double RangeYLow() const { return FRangeLow[1]; }
  double RangeYHigh() const { return FRangeHigh[1]; }
  double RangeZLow() const { return FRangeLow[2]; }
  double RangeZHigh() const { return FRangeHigh[2]; }
  void SetRangeXLow(double v) { SetRangeLow(0, v); }
  void SetRangeXHigh(double v) { SetRangeHigh(0, v); }
  void SetRangeYLow(double v) { SetRangeLow(1, v); }
  void SetRangeYHigh(double v) { SetRangeHigh(1, v); }
  void SetRangeZLow(double v) { SetRangeLow(2, v); }
  void SetRangeZHigh(double v) { SetRangeHigh(2, v); }
  ///@}

  /// Stretch of the grid (x, y) and of the heights (z) inside the box (defaults 1); not
  /// finite values are refused; repaints. AutoScale sets all three.
  ///@{
  double ScaleFactX() const { return FSclIntern[0]; }
  double ScaleFactY() const { return FSclIntern[1]; }
  double ScaleFactZ() const { return FSclIntern[2]; }
  void SetScaleFactX(double v) { SetScaleFact(0, v); }
  void SetScaleFactY(double v) { SetScaleFact(1, v); }
  void SetScaleFactZ(double v) { SetScaleFact(2, v); }
  ///@}

  /// View angles in degrees (defaults 60 and 15), folded into 0 .. 360: tilt about x and
  /// turn about z. Non-finite values are refused; repaints.
  ///@{
  double ViewAngleX() const { return FViewAngle[0]; }
  double ViewAngleZ() const { return FViewAngle[2]; }
  void SetViewAngleX(double v);
  void SetViewAngleZ(double v);
  ///@}
  /// Limits of mouse rotation with maRotate in degrees (defaults 0 .. 360); axis 0 is x,
  /// 2 is z. Axes outside 0 .. 2 read 0 and are ignored; non-finite values are refused.
  ///@{
  double ViewAngLimLow(int axis) const;
  double ViewAngLimHigh(int axis) const;
  void SetViewAngLimLow(int axis, double v);
  void SetViewAngLimHigh(int axis, double v);
  ///@}

  /// Shows each axis with its ticks, labels and caption (default on); repaints.
  ///@{
  bool VisibleXCoords() const { return FVisible[0]; }
  bool VisibleYCoords() const { return FVisible[1]; }
  bool VisibleZCoords() const { return FVisible[2]; }
  void SetVisibleXCoords(bool v) { SetVisibleAxis(0, v); }
  void SetVisibleYCoords(bool v) { SetVisibleAxis(1, v); }
  void SetVisibleZCoords(bool v) { SetVisibleAxis(2, v); }
  ///@}

  /// True while painting is suppressed (see SetSuppressPaint); false after construction.
  bool SuppressPaint() const { return FSuppressPaint; }
  /// While on, nothing is painted; switching it off takes in GridMat's changes and repaints.
  void SetSuppressPaint(bool v);

  // --- events -----------------------------------------------------------------------------
  /// After the plot is drawn, on the canvas it was drawn on (screen picture, export or
  /// foreign canvas); draw extras here. Emits dataRendered().
  TRenderEvent OnDataRendered;
  /// During a mouse rotation, zoom or pan step: the handler may change the origin, angles
  /// and magnification before they are used. Emits mouseAction().
  TMouseActionEvent OnMouseAction;
  /// Before each cell is drawn (rear to front): change its colour or draw it and set
  /// Handled. No signal.
  TBeforeRenderPolygonEvent OnBeforeRenderPolygon;
  /// Before each axis tick label is drawn; the handler may change the text. No signal.
  Tp3BeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
  /// On every mouse move: the cell under the mouse, or OverPlot false and cell (0, 0).
  /// Emits mouseMoveOverPlot().
  TMouseMoveOverPlotEvent OnMouseMoveOverPlot;
  /// After each mouse zoom or pan step (also a wheel zoom). Emits zoomPan().
  TZoomPanEvent OnZoomPan;

  // --- operations -------------------------------------------------------------------------
  /// All three ranges at once; equal bounds widen to Low - 0.5 .. High + 0.5, an axis with a
  /// non-finite bound keeps its range. Recomputes the height calibration and repaints.
  void SetRange(double XLow, double XHigh, double YLow, double YHigh, double ZLow, double ZHigh);
  /// Sets both view angles in degrees (folded into 0 .. 360; non-finite ones are skipped)
  /// and repaints; nothing happens when both are unchanged.
  void SetViewAngles(double AngleX, double AngleZ);
  /// Rotation matrix element (1 .. 3, 1 .. 3); 0 outside.
  double GetRotMat(int ix, int iy) const;
  /// Scale factors that make the grid square and fill the z range with the heights.
  void AutoScale();
  /// Centred origin, scale factors 1, view angles 66 and 135, magnification 1.
  void Reset();
  /// Sets every height to 0.
  void Clear();
  /// Takes in a change of GridMat: box corners, height extremes and projection maps.
  /// Does nothing while painting is suppressed and does not repaint.
  void GridMatChanged();
  /// Draws the plot (no background, no frame) on another canvas, e.g. a printer page.
  void DrawOnForeignCanvas(TCanvas& Canvas);

  /// Smallest and largest finite height of GridMat (0 when there is none).
  /// Rescans GridMat first when it changed.
  ///@{
  double MinZ();
  double MaxZ();
  ///@}
  /// Corner c (0 .. 7) of the unscaled box; bit 2 sets x, bit 1 y, bit 0 z.
  const TPoint3& CubeCorners(int c) const;
  /// The picture of the last paint.
  TBitmap& GrafBmp() { return FGrafBmp; }
  /// A tick label or caption of an axis as last drawn, in control pixels.
  struct TAxisText {
    /// The axis.
    TP3ScaleKind kind;
    /// True for the caption, false for a tick label.
    bool caption;
    /// The text as drawn.
    std::string text;
    /// Its rectangle in control pixels.
    TRect rect;
  };
  /// The axis texts of the last drawing. They are kept apart from each other and inside the
  /// control: a text stays where its axis puts it unless it would be cut or cover another.
  const std::vector<TAxisText>& AxisTexts() const { return FAxisTexts; }
  /// Per grid point of the last drawing: screen x, screen y and drawing sequence number.
  ///@{
  const TIntMatrix& ProjMapX() const { return FProjMapX; }
  const TIntMatrix& ProjMapY() const { return FProjMapY; }
  const TIntMatrix& ProjMapZ() const { return FProjMapZ; }
  ///@}

  /// Draws the plot on a canvas (Flag is not used by the drawing).
  void ConstructDataBmp(TCanvas& Canvas, bool Flag);
  /// Sizes the picture to the control and fills it with the background.
  void InitGraf(TCanvas& Canvas);
  /// Colour of a height by the current colour coding.
  TColor CalcColorCoding(double z) const;
  /// Height in box units: RangeZLow maps to -150, RangeZHigh to +150.
  double CalcIntZ(double z) const { return FCalibZk * z + FCalibZd; }
  /// Recomputes the height calibration from the z range.
  void AdjustScaling();
  /// Recomputes the rotation matrix from ViewAngleX and ViewAngleZ.
  void CalcRotMatrix();
  /// One axis from (x1, y1), value Low, to (x2, y2), value High, with ticks, labels, caption.
  void DrawAxis(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2, double Low,
                double High);
  /// Text centred on (x, y).
  ///@{
  void DrawCenteredText(TCanvas& Canvas, int x, int y, const std::string& s);
  void DrawCenteredText(TCanvas& Canvas, int x, int y, const QString& s) {
    DrawCenteredText(Canvas, x, y, FromQString(s));
  }
  void DrawCenteredText(TCanvas& Canvas, int x, int y, const char* s) {
    DrawCenteredText(Canvas, x, y, std::string(s));
  }
  ///@}

  // --- export and print -------------------------------------------------------------------
  /// Writes the picture to a file: PNG or JPEG by extension, BMP otherwise; IncludeFrame
  /// adds the control frame. False for an empty name, an empty control or a write error.
  ///@{
  bool CopyToBMP(const std::string& FName, bool IncludeFrame);
  bool CopyToBMP(const QString& FName, bool IncludeFrame) {
    return CopyToBMP(FromQString(FName), IncludeFrame);
  }
  bool CopyToBMP(const char* FName, bool IncludeFrame) {
    return CopyToBMP(std::string(FName), IncludeFrame);
  }
  ///@}
  /// Writes the picture as a vector file: PDF when the name ends in ".pdf", SVG otherwise.
  /// False for an empty name, an empty control or a write error.
  ///@{
  bool CopyToWMF(const std::string& FName, bool IncludeFrame);
  bool CopyToWMF(const QString& FName, bool IncludeFrame) {
    return CopyToWMF(FromQString(FName), IncludeFrame);
  }
  bool CopyToWMF(const char* FName, bool IncludeFrame) {
    return CopyToWMF(std::string(FName), IncludeFrame);
  }
  ///@}
  /// Puts the picture on the clipboard as a bitmap; false when the control is empty.
  bool CopyToClipboard(bool IncludeFrame);
  /// Puts the picture on the clipboard as SVG with a bitmap fallback.
  bool CopyToClipboardWMF(bool IncludeFrame);
  /// Prints the picture on a page of its own, ScaleF times its screen size (1: as large as on
  /// a 96 dpi screen), in gray shades when BlkWhite is set.
  bool PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame);
  /// Draws the picture on the open printer page with its top-left at (X, Y) in device pixels;
  /// answers in X, Y the bottom-right corner, so the next picture can follow. False when no
  /// print job is open.
  bool CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite, bool IncludeFrame);

  /// Class name for diagnostics.
  std::string ClassName() const override { return "TPlot3D"; }

  /// Takes the drag anchors (mouse, origin, angles, magnification) for the next drag.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Runs the drag step of MouseAction and reports the cell under the mouse.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// On: the wheel changes Magnification (within 0.1 .. 5, the picture grows about CentX,
  /// CentY) by WheelZoomFactor per notch, with OnMouseAction and OnZoomPan as a zoom by the
  /// mouse. OnMouseWheel comes first and vetoes by setting Handled. Off by default.
  ///@{
  bool MouseWheelZoom() const { return FMouseWheelZoom; }
  void SetMouseWheelZoom(bool v) { FMouseWheelZoom = v; }
  ///@}
  /// Zoom of one wheel notch; values not above 1 or above 16 are ignored.
  ///@{
  double WheelZoomFactor() const { return FWheelZoomFactor; }
  void SetWheelZoomFactor(double v);
  ///@}
  /// Runs OnMouseWheel, then the wheel zoom when MouseWheelZoom is on; true when handled.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 signals:
  /// Emitted right after OnDataRendered, OnMouseAction (with the values the handler left),
  /// OnMouseMoveOverPlot and OnZoomPan.
  ///@{
  void dataRendered();
  void mouseAction(int CenterX, int CenterY, double RotXAngle, double RotZAngle,
                   double Magnification, zyr::TShiftState Shift);
  void mouseMoveOverPlot(bool OverPlot, zyr::TShiftState Shift, int MouseCellX, int MouseCellY);
  void zoomPan();
  ///@}

 protected:
  /// Draws the picture and the frame, unless painting is suppressed.
  void Paint() override;
  /// Recentres the origin with AutoCenter.
  void Resize() override;
  /// Keeps the origin in the middle with AutoCenter.
  void ProcessResize();
  /// The cell whose projected quadrilateral holds (mx, my), nearest the viewer; false if none.
  bool FindCellAt(int mx, int my, int& CellX, int& CellY);

 private:
  QString QtCaptionX() const { return ToQString(FCaptX); }
  QString QtCaptionY() const { return ToQString(FCaptY); }
  QString QtCaptionZ() const { return ToQString(FCaptZ); }
  QColor QtColorFrame() const { return ToQColor(ColorFrame()); }
  QColor QtColorBakGnd() const { return ToQColor(ColorBakGnd()); }
  QColor QtColorXCoords() const { return ToQColor(ColorXCoords()); }
  QColor QtColorYCoords() const { return ToQColor(ColorYCoords()); }
  QColor QtColorZCoords() const { return ToQColor(ColorZCoords()); }
  QColor QtColorHigh() const { return ToQColor(ColorHigh()); }
  QColor QtColorMid() const { return ToQColor(ColorMid()); }
  QColor QtColorLow() const { return ToQColor(ColorLow()); }
  QColor QtColorMesh() const { return ToQColor(ColorMesh()); }
  QColor QtColorCubeFrame() const { return ToQColor(ColorCubeFrame()); }
  QColor QtColorCubeHidLin() const { return ToQColor(ColorCubeHidLin()); }
  QColor QtColorCubeFaceLow() const { return ToQColor(ColorCubeFaceLow()); }
  QColor QtColorCubeFaceHigh() const { return ToQColor(ColorCubeFaceHigh()); }
  // Values outside the enumerations are ignored.
  void QtSetColorCodingMode(int v) {
    if (v >= ccmTwoColors && v <= ccmColorArray) SetColorCodingMode(TColorCodingMode(v));
  }
  void QtSetMeshKind(int v) {
    if (v >= mkMesh && v <= mkGrid) SetMeshKind(TMeshKind(v));
  }
  // Each runs the event's handler, then emits its signal.
  void DoMouseAction(int& cx, int& cy, double& ax, double& az, double& mag, TShiftState Shift);
  void DoZoomPan();
  struct TScreenPt {
    int x, y;
  };
  void Redraw();
  void SetColorField(TColor& field, TColor v);
  void SetDecPlace(int axis, int v);
  void SetLabDist(int axis, int v);
  void SetMinTick(int axis, int v);
  void SetRangeLow(int axis, double v);
  void SetRangeHigh(int axis, double v);
  void SetScaleFact(int axis, double v);
  void SetVisibleAxis(int axis, bool v);
  void ResetCubeCorners();
  void EnsureGridCurrent();
  void TakeAnchors(int X, int Y);
  void ApplyMouseValues(int cx, int cy, double ax, double az, double mag, TShiftState Shift,
                        bool zoomPan);

  // geometry
  TScreenPt Project(double x, double y, double z) const;
  TScreenPt ProjectCorner(int c) const;
  double CornerDepth(int c) const;
  int RearCorner() const;

  // drawing steps
  void DrawBoxFaces(TCanvas& cv, int front);
  void DrawCornerEdges(TCanvas& cv, int corner, TColor color);
  void DrawSurface(TCanvas& cv);
  void DrawCell(TCanvas& cv, const TQuad& quad, TColor color);
  void DrawAxes(TCanvas& cv, int front);
  void DrawAxisTicks(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2, double Low,
                     double High);
  void DrawAxisCaption(TCanvas& Canvas, TP3ScaleKind Kind, int x1, int y1, int x2, int y2);
  TRect TextArea() const;
  bool TextFree(const TRect& r) const;
  TRect PlaceTickLabel(const TRect& wanted) const;
  /// (ox, oy) points away from the axis, (ax, ay) along it; reach limits the move along it.
  TRect PlaceCaption(const TRect& wanted, double ox, double oy, double ax, double ay,
                     int reach) const;
  void PutText(TCanvas& Canvas, TP3ScaleKind Kind, bool caption, const TRect& r,
               const std::string& s);
  void RenderPicture(TCanvas& cv, int w, int h, bool IncludeFrame);
  QImage PictureImage(bool IncludeFrame);

  std::array<TPoint3, 8> FCubeCorners{};
  TBitmap FGrafBmp;
  TColor FFrameCol = clBlack;
  TMouseActMode FMouseAction = 12;
  std::array<double, 3> FRangeLow{-1, -1, -1};
  std::array<double, 3> FRangeHigh{1, 1, 1};
  TColor FColorXAx = clRed, FColorYAx = clBlue, FColorZAx = clBlack;
  TColor FColorCubeFrame = 0x404040, FColorCubeHidLin = 0xB0B0B0;
  TColor FColorCubeFaceHi = 0xFEEEEE, FColorCubeFaceLo = clSilver;
  std::string FCaptX = "X", FCaptY = "Y", FCaptZ = "Z";
  std::array<int, 3> FLabDist{40, 40, 20};
  std::array<int, 3> FDecPlace{1, 1, -2};
  TBoundingBox FBoundBox = 2;
  TColor FColorBakGnd = clWhite;
  TMeshKind FMeshKind = mkMesh;
  TColor FColorMesh = clBlack;
  TColor FColorFillHigh = clYellow, FColorFillMid = clBlue, FColorFillLow = clBlack;
  double FColorScaleLow = 0, FColorScaleHigh = 100;
  TColorCodingMode FColorCodingMode = ccmTwoColors;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = 1;
  TFrameStyle FFrameStyle = 2;
  std::array<double, 3> FViewAngle{60, 0, 15};
  std::array<double, 3> FViewAngLimLow{0, 0, 0};
  std::array<double, 3> FViewAngLimHigh{360, 360, 360};
  std::array<bool, 3> FVisible{true, true, true};
  double FMagnify = 1;
  bool FMouseWheelZoom = false;
  double FWheelZoomFactor = 1.2;
  double FMagAnchor = 1;
  bool FMeshVisible = true;
  std::array<int, 3> FNTicks{3, 3, 3};
  double FCalibZk = 150, FCalibZd = 0;
  bool FColorCodeAvg = false;
  int FCentX = 0, FCentY = 0;
  bool FAutoCenter = true;
  int FCentXAnchor = 0, FCentYAnchor = 0;
  std::array<double, 3> FAngleAnchor{60, 0, 15};
  double FMinZ = 0, FMaxZ = 0;
  std::array<double, 3> FSclIntern{1, 1, 1};
  bool FSuppressPaint = true;
  double FRotMat[3][3] = {};
  int MouseAnchorX = 0, MouseAnchorY = 0;
  TIntMatrix FProjMapX, FProjMapY, FProjMapZ;
  std::vector<TAxisText> FAxisTexts;

  bool FGridDirty = true;      // extremes and map sizes lag behind GridMat
  bool FSurfaceDrawn = false;  // the maps hold a drawn surface the hit test may use
};

}  // namespace zyr
