// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TCustomRChart, the 2D chart with two layers, and TRChart, its ready-to-use form.

#include <zyr/chart/bakgndimg.h>
#include <zyr/chart/chartitem.h>
#include <zyr/chart/chartlegend.h>
#include <zyr/chart/itemstore.h>
#include <zyr/chart/framecache.h>
#include <zyr/chart/jointlayers.h>
#include <zyr/chart/rchart_drawcache.h>
#include <zyr/chart/scaleprops.h>
#include <zyr/chart/textlabel.h>
#include <zyr/platform/foundation/crosshair.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/control.h>
#include <zyr/platform/host/destroywatch.h>
#include <zyr/platform/host/styles.h>
#include <zyr/qt.h>

#include <QPointF>
#include <QRectF>
#include <array>
#include <cmath>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zyr {

/// Standard layouts: margins, caption and axis placement in one step.
enum TrcLayout : uint8_t {
  /// Layer 1 only: X axis at the bottom, Y axis on the left.
  rcl_X1Bottom_Y1Left,
  /// X of layer 1 at the bottom, both Y axes on the left (layer 2's further out).
  rcl_X1Bottom_Y2Left,
  /// X of layer 1 at the bottom, Y of layer 1 on the left and of layer 2 on the right.
  rcl_X1Bottom_Y2Both,
  /// Both X axes at the bottom, both Y axes on the left (layer 2's further out).
  rcl_X2Bottom_Y2Left,
  /// X axes at the bottom (layer 1) and top (layer 2), Y axes on the left and right.
  rcl_X2Both_Y2Both
};
/// Horizontal anchor of the chart caption.
enum TCaptionAnchorHoriz : uint8_t {
  /// Left edge of the control.
  cahControlLeft,
  /// Left edge of the data area.
  cahChartLeft,
  /// Centre of the data area.
  cahChartCenter,
  /// Right edge of the data area (the default).
  cahChartRight,
  /// Right edge of the control.
  cahControlRight
};
/// Vertical anchor of the chart caption.
enum TCaptionAnchorVert : uint8_t {
  /// Top edge of the control.
  cavControlTop,
  /// Top edge of the data area (the default).
  cavChartTop,
  /// Centre of the data area.
  cavChartCenter,
  /// Bottom edge of the data area.
  cavChartBottom,
  /// Bottom edge of the control.
  cavControlBottom
};
/// A set of layers: bit L stands for layer L (LayerBit(1) | LayerBit(2) is both).
using TLayerSet = uint8_t;
/// The set that holds only Layer (1 or 2).
constexpr TLayerSet LayerBit(int Layer) { return TLayerSet(1u << Layer); }

/// A 2D chart: the program sets a pen (colour, style, width, class, layer) and adds drawing
/// instructions (MoveTo, DrawTo, MarkAt, Text, Rectangle, ...) in world or pixel coordinates.
/// Each call appends one TrcChartItem to the data container, or to the annotation container
/// while AnnoMode is on; nothing is drawn until the chart is shown again.
///
///   auto* c = new TRChart(parent);
///   c->SetDataColor(clRed);
///   c->MoveTo(0.0, 0.0);
///   c->DrawTo(1.0, 2.0);
///   c->SaveData("curve.dat");          // LoadData reads it back
///
/// Several charts may show one data container (SetUseDataOf). Descendants override the
/// virtual painting steps (Paint, InitGraf).
class TCustomRChart : public TCustomControl {
  Q_OBJECT
  // Published properties with Qt types, for Designer and .ui files.
  /// Qt property for Designer, .ui files and QObject::property(); it reads and writes through
  /// the member functions named in its declaration, so it behaves as they do.
  ///@{
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(QColor ChartColor READ QtChartColor WRITE SetChartColor)
  Q_PROPERTY(QColor DataColor READ QtDataColor WRITE SetDataColor)
  Q_PROPERTY(QColor FillColor READ QtFillColor WRITE SetFillColor)
  Q_PROPERTY(QColor GridColor READ QtGridColor WRITE SetGridColor)
  Q_PROPERTY(QString Caption READ QtCaption WRITE SetCaption)
  Q_PROPERTY(int MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(double RangeLoX READ RangeLoX1 WRITE SetRangeLoX1)
  Q_PROPERTY(double RangeHiX READ RangeHiX1 WRITE SetRangeHiX1)
  Q_PROPERTY(double RangeLoY READ RangeLoY1 WRITE SetRangeLoY1)
  Q_PROPERTY(double RangeHiY READ RangeHiY1 WRITE SetRangeHiY1)
  Q_PROPERTY(QColor WindColor READ QtWindColor WRITE SetWindColor)
  Q_PROPERTY(QColor ChartFrameColor READ QtChartFrameColor WRITE SetChartFrameColor)
  Q_PROPERTY(QColor ShadowColor READ QtShadowColor WRITE SetShadowColor)
  Q_PROPERTY(QColor ShadowBakColor READ QtShadowBakColor WRITE SetShadowBakColor)
  Q_PROPERTY(int ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
  Q_PROPERTY(int ShadowStyle READ ShadowStyle WRITE SetShadowStyle)
  Q_PROPERTY(int GridStyle READ GridStyle WRITE QtSetGridStyle)
  Q_PROPERTY(double GridDx READ GridDx WRITE SetGridDx)
  Q_PROPERTY(double GridDy READ GridDy WRITE SetGridDy)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(int CaptionAlignment READ CaptionAlignment WRITE QtSetCaptionAlignment)
  Q_PROPERTY(int CaptionTrim READ CaptionTrim WRITE SetCaptionTrim)
  Q_PROPERTY(int StandardLayout READ StandardLayout WRITE QtSetStandardLayout)
  Q_PROPERTY(bool Isometric READ Isometric WRITE SetIsometric)
  Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw)
  Q_PROPERTY(bool MouseCursorFixed READ MouseCursorFixed WRITE SetMouseCursorFixed)
  Q_PROPERTY(bool MouseWheelZoom READ MouseWheelZoom WRITE SetMouseWheelZoom)
  Q_PROPERTY(bool KeyboardNavigation READ KeyboardNavigation WRITE SetKeyboardNavigation)
  Q_PROPERTY(QString ScaleX1Caption READ QtScaleX1Caption WRITE QtSetScaleX1Caption)
  Q_PROPERTY(QString ScaleY1Caption READ QtScaleY1Caption WRITE QtSetScaleY1Caption)
  Q_PROPERTY(bool ScaleX1Logarithmic READ ScaleX1Logarithmic WRITE SetScaleX1Logarithmic)
  Q_PROPERTY(bool ScaleY1Logarithmic READ ScaleY1Logarithmic WRITE SetScaleY1Logarithmic)
  Q_PROPERTY(int ScaleX1LabelType READ ScaleX1LabelType WRITE SetScaleX1LabelType)
  Q_PROPERTY(int ScaleY1LabelType READ ScaleY1LabelType WRITE SetScaleY1LabelType)
  ///@}
 public:
  /// A chart of 280 x 200 pixels in its reset state; painting stays suppressed until
  /// SetSuppressPaint(false) (TRChart clears it when its window exists).
  explicit TCustomRChart(QWidget* parent = nullptr);
  /// Users of this chart's data keep a copy of their own; an owner forgets this chart.
  ~TCustomRChart() override;
  /// "TCustomRChart".
  std::string ClassName() const override { return "TCustomRChart"; }

  /// Brings the chart back to its initial state.
  virtual void ResetComp();
  /// A form starts setting the properties: until EndLoading the axis settings accept a
  /// logarithmic switch before its range (the chart is loaded once constructed otherwise).
  void BeginLoading() override;
  /// From another TCustomRChart: copies the item store and the drawing state. The copy
  /// holds its own data (it never joins the source's share).
  void Assign(const TPersistent* Source) override;

  // ---------------------------------------------------------------- frame and painting
  /// Margins in pixels between the control's edges and the data area; the data area starts
  /// at control pixel (MarginLeft, MarginTop). StandardLayout sets them (50, 20, 20, 40 for
  /// the default layout).
  ///@{
  int MarginLeft() const { return RcLRim; }
  int MarginRight() const { return RcRRim; }
  int MarginTop() const { return RcTRim; }
  int MarginBottom() const { return RcBRim; }
  ///@}
  /// Width in pixels (0..32, default 0) of the shadow rim along the right and bottom edges.
  int ShadowWidth() const { return F3DRim; }
  /// Size of the data area in pixels: Width - MarginLeft - MarginRight - ShadowWidth + 1 by
  /// Height - MarginTop - MarginBottom - ShadowWidth + 1, never negative.
  ///@{
  int DataAreaWidth() const;
  int DataAreaHeight() const;
  ///@}
  /// Background of the data area (default white).
  TColor ChartColor() const { return RcChartCol; }
  /// Background of the control outside the data area (default clBtnFace).
  TColor WindColor() const { return RcWindCol; }
  /// Colour of the frame around the data area and of the caption (default black).
  TColor ChartFrameColor() const { return FChartFrameCol; }
  /// The cached picture of the data area (background, grid, items, labels, frame).
  TBitmap& GrafBmp() { return *FGrafBmp; }

  /// On (the default): setters repaint the chart at once and ShowGraf rebuilds only the data
  /// area. Off: nothing repaints until ShowGraf (then a full paint) or Paint.
  ///@{
  bool AutoRedraw() const { return FAutoRedraw; }
  void SetAutoRedraw(bool v) { FAutoRedraw = v; }
  ///@}
  /// Repaints after data changes copy the frame, scales, caption and grid from pictures kept
  /// since the last paint with the same settings (on by default; the pictures are the same
  /// either way). Off draws every piece at every paint and frees the kept pictures.
  ///@{
  bool FrameCaching() const { return FFrameCaching; }
  void SetFrameCaching(bool v);
  ///@}
  /// On: Paint does nothing. Raised from construction until the window exists, and by
  /// operations that change several things at once.
  bool SuppressPaint() const { return FSuppressPaint; }
  /// Clearing it paints at once.
  virtual void SetSuppressPaint(bool v);
  /// Change handler of owned objects: repaints when AutoRedraw is on or while designing.
  void StyleChanged(TObject* Sender);
  /// Paints the background of the data area into the box (X0, Y0)-(X0+Width, Y0+Height).
  virtual void InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height);

  // ---------------------------------------------------------------- layers and transforms
  /// World to control pixel on a layer (clamped to 1..2); log axes send values <= 1e-100 to
  /// the edge; results are limited to the 32-bit range.
  void R2M(int Layer, double xin, double yin, int& xout, int& yout) const {
    const TLayerTransform& t = FXf[Layer >= 2 ? 1 : 0];
    xout = t.logX ? (xin <= 1e-100 ? t.logEdgeX : PixelOf(t.kx * std::log(xin) + t.dx))
                  : PixelOf(t.kx * xin + t.dx);
    yout = t.logY ? (yin <= 1e-100 ? t.logEdgeY : PixelOf(t.ky * std::log(yin) + t.dy))
                  : PixelOf(t.ky * yin + t.dy);
  }
  /// A transformed coordinate as a pixel: limited to the 32-bit range (NaN to the top), then
  /// rounded half to even.
  static int PixelOf(double v) {
    if (!(v <= 2147483647.0)) return 2147483647;
    if (v < -2147483647.0) return -2147483647;
    // Adding and removing 1.5 * 2^52 rounds to an integer in the default (half-even) mode.
    return int((v + 6755399441055744.0) - 6755399441055744.0);
  }
  /// Control pixel to world. On a plotting area without extent (no slope) every pixel maps
  /// to the centre of the axis range.
  void M2R(int Layer, int xin, int yin, double& xout, double& yout) const;
  /// The layer's transform: pixel = kx * u + dx and pixel = ky * v + dy, where u and v are the
  /// world values, or their natural logarithms on logarithmic axes (Layer clamped to 1..2).
  void GetTransformParams(int Layer, double& kx, double& dx, double& ky, double& dy) const;
  /// Recomputes the transforms of both layers; EZYRRChartError for a log axis whose range
  /// is not positive.
  virtual void AdjustScaling();

  // ---------------------------------------------------------------- ranges
  /// Layer 0 sets both layers; equal bounds are widened, Isometric corrects Y.
  void SetRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi);
  /// Sets the ranges without widening or isometric correction; Push records the new state on
  /// the zoom history, Confine keeps it inside the zoom limits.
  void ForceRange(int Layer, long double xLo, long double yLo, long double xHi, long double yHi,
                  bool Push, bool Confine);
  /// \private \internal Step of SetRange for one layer; not for applications.
  void SetRangeIntern(int Layer, long double xLo, long double yLo, long double xHi,
                      long double yHi, bool Push, bool Confine);
  /// \private \internal Step of ForceRange for one layer; not for applications.
  void ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi,
                      long double yHi, bool Push, bool Confine);
  /// Gives the layers of the set one common range: the smallest low and largest high bound
  /// among them (X only / Y only: the other axis keeps each layer's own range). Goes through
  /// SetRange's widening and isometric rules and records the zoom history.
  ///@{
  void SetEqualRange(TLayerSet Layers);
  void SetEqualRangeXOnly(TLayerSet Layers);
  void SetEqualRangeYOnly(TLayerSet Layers);
  ///@}
  /// Fits the ranges to the data items (Layer 0: all layers); Margin in percent of the extent,
  /// MinRange a minimum width in percent of the centre value (0 when left out). A layer
  /// without data items gets -1..1; equal bounds are widened by 1 on each side. The XOnly and
  /// YOnly forms change one axis and keep the other's range. Repaints with AutoRedraw.
  ///@{
  void AutoRange(int Layer, double Margin);
  void AutoRange(int Layer, double Margin, double MinRange);
  void AutoRangeXOnly(int Layer, double Margin);
  void AutoRangeXOnly(int Layer, double Margin, double MinRange);
  void AutoRangeYOnly(int Layer, double Margin);
  void AutoRangeYOnly(int Layer, double Margin, double MinRange);
  ///@}
  /// On: equal world units per pixel in x and y; the Y range of each layer is recomputed
  /// about its centre from the X range and the data-area size (default off). Setting it
  /// records the zoom history and repaints with AutoRedraw.
  ///@{
  bool Isometric() const { return FIsometric; }
  void SetIsometric(bool v) { SetIsoMetric(v); }
  void SetIsoMetric(bool v);
  ///@}
  /// Extents of the layer's data items with margin and minimum width (all 0 without items).
  void LLCalcExtents(int Layer, double Margin, double MinRange, double& MinX, double& MinY,
                     double& MaxX, double& MaxY);
  /// Extents of the data items strictly inside a window (Layer 0: all layers); without any
  /// point inside, the minima are the largest double and the maxima its negative.
  void FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY,
                  double& MinX, double& MinY, double& MaxX, double& MaxY) const;
  /// The same as FindMinMax.
  void LLCalcMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                    double RangeHiY, double& MinX, double& MinY, double& MaxX,
                    double& MaxY) const;
  /// Layers that hold at least one data item.
  TLayerSet FindUsedLayers() const;
  /// World value of the ix-th tick (1-based) of the active layer's axis as last drawn; the
  /// numbering is the same for reversed ranges; 0 outside 1..TickNumX.
  ///@{
  double TickPosX(int ix) const;
  double TickPosY(int ix) const;
  double GetTickPosX(int ix) const { return TickPosX(ix); }
  double GetTickPosY(int ix) const { return TickPosY(ix); }
  ///@}
  /// Number of ticks of the active layer's X / Y scale as last drawn.
  ///@{
  int TickNumX() const;
  int TickNumY() const;
  int GetTickPosXCnt() const { return TickNumX(); }
  int GetTickPosYCnt() const { return TickNumY(); }
  ///@}

  // ---------------------------------------------------------------- zoom history
  /// Entries of the zoom history ring, per layer.
  static constexpr int kZoomStackSize = 16;
  /// Records the ranges of both layers as the newest history entry.
  void ZoomStateOnStack();
  /// Entry StackIx (0 newest .. -15 oldest) of a layer as (X low, Y high, X high, Y low);
  /// false for other indexes.
  bool GetZoomStackEntry(int Layer, int StackIx, TRectDouble& Entry) const;
  /// Entry StackIx as GetZoomStackEntry gives it; all zero for other indexes.
  TRectDouble ZoomStack(int Layer, int StackIx) const;
  /// Returns to history entry n (-15..0) without changing the history.
  void ZoomHistory(int n);
  /// Empties the history, then records the present ranges as its only entry.
  void ClearZoomHistory();
  /// Limits for confined zooming and panning; (0, 0, 0, 0) switches them off.
  void ConfineZoomRange(double XMin, double YMin, double XMax, double YMax);
  /// What the left mouse button does in the data area (maNone .. maTrace, default maNone).
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}

  // ---------------------------------------------------------------- axis settings
  /// Settings of layer sclix's axes (other indexes give layer 1's). Every change of them
  /// re-applies all axis settings and ranges and repaints.
  ///@{
  TScalePropsHoriz& ScalePropsX(int sclix);
  TScalePropsVert& ScalePropsY(int sclix);
  const TScalePropsHoriz& ScalePropsX(int sclix) const;
  const TScalePropsVert& ScalePropsY(int sclix) const;
  ///@}
  /// Copies the settings in (ignored for indexes other than 1 and 2); the chart's own object
  /// keeps its change handler. Repaints only while designing.
  ///@{
  void SetScalePropsX(int sclix, const TScaleProps& v);
  void SetScalePropsY(int sclix, const TScaleProps& v);
  ///@}
  /// Settings of the X and Y axes of layer 1 and 2: ScalePropsX(1) .. ScalePropsY(2).
  ///@{
  TScalePropsHoriz& Scale1X() { return ScalePropsX(1); }
  TScalePropsVert& Scale1Y() { return ScalePropsY(1); }
  TScalePropsHoriz& Scale2X() { return ScalePropsX(2); }
  TScalePropsVert& Scale2Y() { return ScalePropsY(2); }
  ///@}
  /// SetScalePropsX / SetScalePropsY for layer 1 and 2.
  ///@{
  void SetScale1X(const TScaleProps& v) { SetScalePropsX(1, v); }
  void SetScale1Y(const TScaleProps& v) { SetScalePropsY(1, v); }
  void SetScale2X(const TScaleProps& v) { SetScalePropsX(2, v); }
  void SetScale2Y(const TScaleProps& v) { SetScalePropsY(2, v); }
  ///@}
  /// The scale that draws an axis (owned by the chart; Layer 2 and above give layer 2's, else
  /// layer 1's). Change the axis through ScalePropsX / ScalePropsY: the chart copies those
  /// settings into the scale.
  ///@{
  TScale& ScaleX(int Layer) { return *FScalesX[Layer >= 2 ? 1 : 0]; }
  TScale& ScaleY(int Layer) { return *FScalesY[Layer >= 2 ? 1 : 0]; }
  ///@}
  /// Copies axis settings into a scale control and places its base line.
  void SetScaleProps(TScale& Scale, const TScaleProps& Props);
  /// Re-applies every axis setting and range and repaints (change handlers of the axis
  /// settings). ScaleZoomPan first takes over the range of a scale dragged with the mouse.
  ///@{
  void ScalePropsChanged(TObject* Sender);
  void ScaleZoomPan(TObject* Sender);
  ///@}
  /// The Index-th (from 1) field of a "|"-separated text; beyond the end the last field.
  static std::string ExtractUserText(const std::string& Text, int Index);
  /// Puts Label into Inscript: "pre&post" surrounds it, a pattern without "&" prefixes.
  static std::string AddScaleInscription(const std::string& Label, const std::string& Inscript);
  /// Standard layout: margins, caption place and the axes' places and visibility in one step
  /// (default rcl_X1Bottom_Y1Left); values beyond rcl_X2Both_Y2Both are ignored. Repaints
  /// unless painting is suppressed.
  ///@{
  TrcLayout StandardLayout() const { return FStdLayout; }
  void SetStandardLayout(TrcLayout v) { SetStdLayout(v); }
  void SetStdLayout(TrcLayout v);
  ///@}
  /// Which axes follow the ranges of the other layer (the chart's own object by default).
  TJointLayers& JointLayers() { return *FJointLayers; }
  /// Uses the given object from now on (not freed by the chart); null is ignored. Repaints
  /// with AutoRedraw.
  void SetJointLayers(TJointLayers* v);

  // ---------------------------------------------------------------- margins
  /// Set a margin in pixels (see MarginLeft): the data-area picture and the scales follow, an
  /// isometric Y range is recomputed; repaints with AutoRedraw.
  ///@{
  void SetMarginLeft(int v) { SetLRim(v); }
  void SetMarginRight(int v) { SetRRim(v); }
  void SetMarginTop(int v) { SetTRim(v); }
  void SetMarginBottom(int v) { SetBRim(v); }
  ///@}
  /// Sets ShadowWidth (clamped to 0..32) as SetF3DRim.
  void SetShadowWidth(int v) { SetF3DRim(v); }
  // Virtual, so that descendants with a cached picture hear of every change.
  /// The margin setters under their short names (left, right, top, bottom).
  ///@{
  virtual void SetLRim(int v);
  virtual void SetRRim(int v);
  virtual void SetTRim(int v);
  virtual void SetBRim(int v);
  ///@}
  /// Shadow width in pixels, clamped to 0..32; otherwise as the margin setters.
  virtual void SetF3DRim(int v);
  /// Keeps the control at least LRim + RRim + ShadowWidth + 80 by TRim + BRim + ShadowWidth + 20.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // ==== RENDERING (frame, paint cycle, export, printing): rchart_paint.cpp, rchart_export.cpp
  /// (Sender, Canvas, Top, Left): Top and Left are the control pixel of the canvas origin.
  using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int Top, int Left)>;
  /// Members of StyleElements: which parts take the colours of active visual styles.
  enum TStyleElement : uint8_t { seFont = 1, seClient = 2, seBorder = 4 };
  /// \var seFont
  /// Caption and scale texts.
  /// \var seClient
  /// Window, shadow rim, data-area background and grid.
  /// \var seBorder
  /// Frame of the data area.

  /// Set of TStyleElement bits (empty by default): the parts that take the colours of active
  /// visual styles instead of the chart's own. Takes effect at the next paint.
  ///@{
  uint8_t StyleElements() const { return FStyleElements; }
  void SetStyleElements(uint8_t v) { FStyleElements = v; }
  ///@}

  /// Sets ChartColor; repaints with AutoRedraw.
  ///@{
  void SetChartColor(TColor v) { SetChartCol(v); }
  virtual void SetChartCol(TColor v);
  ///@}
  /// Sets WindColor (also the background of the axes); repaints with AutoRedraw.
  ///@{
  void SetWindColor(TColor v) { SetWindCol(v); }
  void SetWindCol(TColor v);
  ///@}
  /// Sets ChartFrameColor; repaints with AutoRedraw.
  ///@{
  void SetChartFrameColor(TColor v) { SetScaleCol(v); }
  virtual void SetScaleCol(TColor v);
  ///@}
  /// Colour of the grid (default black); the setters repaint with AutoRedraw.
  ///@{
  TColor GridColor() const { return RcGridCol; }
  void SetGridColor(TColor v) { SetGridCol(v); }
  void SetGridCol(TColor v);
  ///@}
  /// Colour of the shadow rim (default clGrayText); the setter repaints with AutoRedraw.
  ///@{
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  ///@}
  /// Colour of the two corner squares of the shadow rim (default clBtnFace); the setter
  /// repaints with AutoRedraw.
  ///@{
  TColor ShadowBakColor() const { return RcShadowBakCol; }
  void SetShadowBakColor(TColor v);
  ///@}
  /// 0: outline in ShadowColor, 1: black outline, other: outline in ShadowBakColor.
  ///@{
  TShadowStyle ShadowStyle() const { return RcShadowStyle; }
  void SetShadowStyle(TShadowStyle v);
  ///@}
  /// Grid of the data area on the active layer's axes (default gsNone); values beyond
  /// gsDotLines are ignored. The setter repaints with AutoRedraw.
  ///@{
  GridStyleType GridStyle() const { return RcGridStyle; }
  void SetGridStyle(GridStyleType v);
  ///@}
  /// Grid distances: 0 follows the scale ticks; on logarithmic axes -1 decades, -2 the
  /// 1-2-5 series, -3 every mantissa step. Values below -3 and non-finite ones are ignored.
  ///@{
  double GridDx() const { return RcGridDx; }
  void SetGridDx(double v);
  double GridDy() const { return RcGridDy; }
  void SetGridDy(double v);
  ///@}

  /// Caption of the chart (UTF-8, empty by default), drawn in ChartFrameColor at the place
  /// the caption anchors give; the setters repaint with AutoRedraw.
  ///@{
  const std::string& Caption() const { return FChartCaption; }
  void SetCaption(const std::string& v) { SetChartCaption(v); }
  void SetChartCaption(const std::string& v);
  ///@}
  /// Offset in pixels of the caption from its anchor point (defaults 0 and -15).
  ///@{
  int CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(int v) { SetCaptPosX(v); }
  void SetCaptPosX(int v);
  int CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(int v) { SetCaptPosY(v); }
  void SetCaptPosY(int v);
  ///@}
  /// Which end of the caption sits at the anchor point (default taRightJustify); values
  /// beyond taCenter are ignored.
  ///@{
  TAlignment CaptionAlignment() const { return FCaptAlignment; }
  void SetCaptionAlignment(TAlignment v) { SetCaptAlignment(v); }
  void SetCaptAlignment(TAlignment v);
  ///@}
  /// Where the caption's anchor point lies horizontally (default cahChartRight).
  ///@{
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptAnchorX; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) { SetCaptAnchorX(v); }
  void SetCaptAnchorX(TCaptionAnchorHoriz v);
  ///@}
  /// Where the caption's anchor point lies vertically (default cavChartTop).
  ///@{
  TCaptionAnchorVert CaptionAnchorVert() const { return FCaptAnchorY; }
  void SetCaptionAnchorVert(TCaptionAnchorVert v) { SetCaptAnchorY(v); }
  void SetCaptAnchorY(TCaptionAnchorVert v);
  ///@}
  /// Percent of the data-area width the caption may take (cut with "..."); 0 never cuts,
  /// other values are clamped to 5..100.
  ///@{
  int CaptionTrim() const { return FCaptTrim; }
  void SetCaptionTrim(int v) { SetCaptTrim(v); }
  void SetCaptTrim(int v);
  ///@}

  /// Background image and highlighted area of the data area; changes of it repaint with
  /// AutoRedraw.
  TBakGndImg& BackGroundImg() { return *FBakGndFile; }
  /// Copies the settings of v (the chart keeps its own object and change handler).
  void SetBackGroundImg(const TBakGndImg& v);
  /// The given object replaces the owned one and is owned by the chart from now on (null is
  /// ignored); repaints with AutoRedraw.
  void SetBakGndFile(std::unique_ptr<TBakGndImg> v);

  /// Cross-hairs 1..4 (other numbers give cross-hair 1), owned by the chart; each is drawn
  /// over the picture and redrawn when it changes.
  ///@{
  TCrossHair* CrossHair(int i) { return FCrossHairs[size_t(i >= 1 && i <= 4 ? i - 1 : 0)].get(); }
  TCrossHair* CrossHair1() { return CrossHair(1); }
  TCrossHair* CrossHair2() { return CrossHair(2); }
  TCrossHair* CrossHair3() { return CrossHair(3); }
  TCrossHair* CrossHair4() { return CrossHair(4); }
  ///@}
  /// Copies the settings of v into cross-hair i.
  void SetCrossHair(int i, const TCrossHair& v) { CrossHair(i)->Assign(&v); }

  /// The cached picture of the whole control, as last painted.
  TBitmap& ChartBmp() { return *FChartBmp; }
  /// A small helper picture of the chart (10 x 10 pixels after reset).
  TBitmap& AuxBmp() { return *FAuxBmp; }

  /// Shows the items added since the last display: with AutoRedraw only the data area is
  /// rebuilt, otherwise the whole chart. Charts sharing the data are told to repaint.
  virtual void ShowGraf();
  /// Draws the items again on top of the current data-area picture (no background, no grid).
  virtual void ShowGrafNewOnly();
  /// Everything outside the data area: background, shadow rim, caption, scales.
  void ConstructChartBmp(TCanvas& Canvas);
  /// Grid, items, text labels and frame of the data area onto Bitmap at (X0, Y0).
  virtual void ConstructDataBmp(TBitmap& Bitmap, int X0, int Y0, bool Flag, int StartElem);
  /// As ConstructDataBmp on any canvas; StartElem != 0 leaves out the grid.
  virtual void ConstructDataBmpCanvas(TCanvas& Canvas, int X0, int Y0, bool Flag, int StartElem);
  /// Cross-hairs into Bitmap (whose origin is control pixel (X, Y)), then Bitmap to Canvas.
  void DrawFinish(int X, int Y, TBitmap& Bitmap, TCanvas& Canvas);
  /// Saves the frame and scale colours and switches them to black and white (no repaint).
  void BackupColorsAndMakeBW();
  /// Restores the colours saved by BackupColorsAndMakeBW.
  void ReloadBackupColors();

  // Export. BlkWhite draws the frame and scales in black and white. Raster files take their
  // format from the name (.png, .jpg, else BMP); vector files are SVG, or PDF for ".pdf".
  // Each answers false when nothing could be produced.
  /// The whole chart as a raster picture in ABitmap (the control's size); cross-hairs are
  /// included unless IncludeCrossHairs is false. False when nothing could be produced.
  ///@{
  bool CopyToBitmap(TBitmap& ABitmap, bool BlkWhite) { return CopyToBitmap(ABitmap, BlkWhite, true); }
  bool CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs);
  ///@}
  /// The data area only.
  ///@{
  bool CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite) {
    return CopyToBitmapDAOnly(ABitmap, BlkWhite, true);
  }
  bool CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs);
  ///@}
  /// Writes the whole chart with cross-hairs as a raster file (.png, .jpg, else BMP); false
  /// for an empty name or when the file could not be written.
  bool CopyToBMP(const std::string& FName, bool BlkWhite);
  /// Writes the whole chart as a vector file: SVG, or PDF for a name ending in ".pdf"; false
  /// when it could not be written.
  bool CopyToWMF(const std::string& FName, bool BlkWhite);
  /// The whole chart as a raster picture on the clipboard (cross-hairs unless
  /// IncludeCrossHairs is false); false when nothing could be copied.
  ///@{
  bool CopyToClipboard(bool BlkWhite) { return CopyToClipboard(BlkWhite, true); }
  bool CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs);
  ///@}
  /// The data area only as a raster picture on the clipboard.
  ///@{
  bool CopyToClipboardDAOnly(bool BlkWhite) { return CopyToClipboardDAOnly(BlkWhite, true); }
  bool CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs);
  ///@}
  /// SVG on the clipboard with a raster picture beside it.
  bool CopyToClipboardWMF(bool BlkWhite);
  /// Prints one page; ScaleF 1 prints at screen size (a pixel as 1/96 inch).
  bool PrintIt(double ScaleF, bool BlkWhite);
  /// Draws onto the open printer page at (X, Y) device pixels and advances X and Y past the
  /// picture; false when no print job is open.
  bool CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite);

  /// Drawing events: OnScalesRendered after the caption and scales are drawn,
  /// OnBeforeRenderData after the data-area background (before the grid), OnDataRendered
  /// after the items and text labels (before the data-area frame). A handler may draw on
  /// Canvas; subtract Left and Top from control pixels.
  ///@{
  TRenderEvent OnScalesRendered, OnBeforeRenderData, OnDataRendered;
  ///@}
  /// Fired by the axes after each tick is drawn, with the chart as Sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  /// Fired by the axes before each tick label is drawn (the handler may change the text),
  /// with the chart as Sender.
  TBeforeTickLabelEvent OnBeforeTickLabel;
  // ==== END RENDERING

  // ==== ITEM DRAWING: rchart_draw.cpp
  /// Handler may change the item; only this drawing sees the change, never the store.
  using TBeforeRenderCItemEvent = std::function<void(TObject* Sender, TrcChartItem& ChartItem,
                                                     int Index, bool IsAnnotation)>;
  /// Handler may replace the text for this drawing.
  using TBeforeRenderTextEvent =
      std::function<void(TObject* Sender, std::string& Text, int Index, bool IsAnnotation)>;
  /// Draws the visible data and annotation items in chart order onto a data-area canvas whose
  /// top left corner is at (X0, Y0); starts from the reset pen state. BlackWhite draws every
  /// pen black, fills light grey and text backgrounds white.
  void DrawAllItems(TCanvas& Canvas, int X0, int Y0, bool BlackWhite);
  /// Draws one item (visibility already checked); LongTexts is its container's table.
  void DrawContainerItemOnCanvas(TCanvas& Canvas, const TrcChartItem& Item, int Index,
                                 bool IsAnnotation, const TLongTextArray& LongTexts,
                                 bool BlackWhite, int X0, int Y0);
  /// Appends a canvas point to the pending polyline (at most 200 points, joined without gaps).
  void EnterPolyline(int X, int Y, TCanvas& Canvas);
  /// Draws the pending polyline, if any; the canvas pen ends on its last point.
  void FinishPolyLine(TCanvas& Canvas);
  /// Calls OnBeforeRenderChartItem when it is set.
  void DoOnBeforeRenderChartItem(TObject* Sender, TrcChartItem& Item, int Index,
                                 bool IsAnnotation);
  /// Measures a text of one or more lines (separated by line feeds); returns the line count.
  /// Width is the widest line, LineHeight the text height + 1, Height LineHeight per line.
  int CalcTextExtents(const std::string& Text, TCanvas& Canvas, int& Width, int& Height,
                      int& LineHeight);
  /// Font of text items: name and style are used, the size comes from each item. Changes
  /// show at the next drawing (no repaint of their own).
  ///@{
  TFont& TextFont() { return FTextFont; }
  void SetTextFont(const TFont& v) { FTextFont.Assign(&v); }
  ///@}
  /// Style (bold, italic, ...) of TextFont.
  ///@{
  TFontStyles TextFontStyle() const { return FTextFont.Style(); }
  TFontStyles GetTextFontStyle() const { return FTextFont.Style(); }
  void SetTextFontStyle(TFontStyles v) { FTextFont.SetStyle(v); }
  ///@}

  /// Fired before each visible item is drawn, with a copy the handler may change.
  TBeforeRenderCItemEvent OnBeforeRenderChartItem;
  /// Fired before each text item is drawn (and measured by FindNearestAnnoElem); the handler
  /// may replace the text.
  TBeforeRenderTextEvent OnBeforeRenderText;
  // ==== END ITEM DRAWING

  // ==== TEXT LABELS: textlabel.h, rchart_labels.cpp
  /// Number of text labels of a chart.
  static constexpr int kNumTextLabels = 30;
  /// Label ix (1..30); EZYRRChartError naming the control for any other index.
  ///@{
  TTextLabel& TextLabels(int ix) { return GetFTextLabel(ix); }
  const TTextLabel& TextLabels(int ix) const;
  TTextLabel& GetFTextLabel(int ix);
  ///@}
  /// Copies the settings of Value into label ix (same index rule); repaints when AutoRedraw
  /// is on or while designing.
  ///@{
  void SetTextLabels(int ix, const TCustomTextLabel& Value) { SetFTextLabel(ix, Value); }
  void SetFTextLabel(int ix, const TCustomTextLabel& Value);
  ///@}
  /// Takes the first free label (Mode 0) and returns its number; 0 when all are in use.
  /// Template 1..30 copies that label's settings, other values take the chart's defaults.
  int AddTextLabel(double x, double y, TColor Color, const std::string& Caption, int Template);
  /// Sets up label n like AddTextLabel (n outside 1..30: ignored).
  void SetTextLabel(int n, double x, double y, TColor Color, const std::string& Caption,
                    int Template);
  /// Make all labels invisible / free (Mode 0), painting once at the end.
  ///@{
  void HideAllTextLabels();
  void ClearAllTextLabels();
  ///@}
  /// Draws the visible text labels, number 30 first, onto a data-area canvas at (X0, Y0).
  void DrawTextLabels(TCanvas& Canvas, int X0, int Y0);
  // ==== END TEXT LABELS

  // ==== HIT TESTING: rchart_hittest.cpp
  // Searches return the 0-based index of the best item of their container, or -1 when no item
  // qualifies; Dist then is sqrt(uc_MaxDouble). Kind: tkNone selects nothing, tkEverything
  // everything, tkNotMoveTo all but moves. Class 255 selects every class. OnlyVisible skips
  // items of hidden layers. On equal distances the lower index wins; items with a NaN
  // coordinate are never found.
  /// Nearest data item by Euclidean distance in world units (no transform). Returns its
  /// 0-based index or -1; Kind tkNone selects nothing, tkEverything everything, tkNotMoveTo
  /// all but moves; Class 255 every class; OnlyVisible (false when left out) skips items of
  /// hidden layers.
  ///@{
  int FindNearestItemReal(double x, double y, TrcItem Kind, uint8_t Class, bool OnlyVisible,
                          double& Dist) const;
  int FindNearestItemReal(double x, double y, TrcItem Kind, uint8_t Class, double& Dist) const {
    return FindNearestItemReal(x, y, Kind, Class, false, Dist);
  }
  ///@}
  /// Nearest data item by pixel distance; (x, y) is a world point of the active layer, items
  /// are placed where their own layer draws them. Index and filters as FindNearestItemReal.
  ///@{
  int FindNearestItemScreen(double x, double y, TrcItem Kind, uint8_t Class, bool OnlyVisible,
                            double& Dist) const;
  int FindNearestItemScreen(double x, double y, TrcItem Kind, uint8_t Class, double& Dist) const {
    return FindNearestItemScreen(x, y, Kind, Class, false, Dist);
  }
  ///@}
  /// Nearest data item by pixel distance along one axis (0: x, 1: y; other axes give -1);
  /// Value is a world value of the active layer. Index and filters as FindNearestItemReal.
  ///@{
  int FindNearestItemAlongAxis(double Value, TAxis Axis, TrcItem Kind, uint8_t Class,
                               bool OnlyVisible, double& Dist) const;
  int FindNearestItemAlongAxis(double Value, TAxis Axis, TrcItem Kind, uint8_t Class,
                               double& Dist) const {
    return FindNearestItemAlongAxis(Value, Axis, Kind, Class, false, Dist);
  }
  ///@}
  /// Nearest annotation by the geometry of its kind as drawn: squared pixel distances to
  /// points, segments, rectangles, text boxes, bar faces and arcs (within their angles); for
  /// ellipses the focal measure in world units (0 inside). Dist is the root of the measure.
  /// Fires OnBeforeRenderText for text items, as drawing does.
  int FindNearestAnnoElem(double x, double y, TrcItem Kind, uint8_t Class, bool OnlyVisible,
                          double& Dist);
  /// Control pixels of an item's two points by its coordinate mode (world points through
  /// the item's layer, screen values shifted by the margins); other modes leave the outputs.
  void ConvertToScreenCoords(const TrcChartItem& Item, int& X1, int& Y1, int& X2,
                             int& Y2) const;
  /// Sets the class of every data item of the kind (NewClass 255 or tkNone: nothing).
  /// Neither marking operation repaints.
  void MarkAllItems(TrcItem Kind, uint8_t NewClass);
  /// Re-classes the data items of the kind inside the world rectangle (corners in any
  /// order, edges included, any layer); returns their number.
  int MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem Kind,
                        uint8_t NewClass);
  // ==== END HIT TESTING

  // ==== MOUSE: rchart_mouse.cpp
  // The left button acts in the data area by MouseAction: 0 nothing, 1 pan, 2 pan X, 3 pan Y,
  // 4 pan snapped to the pan grid, 5 rubber band, 7 zoom to a rectangle, 8 the same keeping
  // the axis directions, 9 zoom by dragging, 10 drag a cross-hair, 11 drag a text label,
  // 16 select a rectangle, 17 free-hand trace. Dragging on a scale whose MouseAction is not 0
  // pans (1) or stretches (6) that axis; a double click on it switches 1 and 6.
  /// (Sender, InChart, Shift, world position on the active layer); fired after every move.
  using TMouseMoveInChartEvent = std::function<void(
      TObject* Sender, bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY)>;
  /// Before a cross-hair drag starts; (dx, dy) from the cross-hair to the mouse in pixels.
  using TBeforeCrossHMoveEvent = std::function<void(TObject* Sender, TCrossHair* WhichCrossHair,
                                                    int dx, int dy, bool& AllowMove)>;
  /// (Sender, WhichCrossHair): the mouse moved a cross-hair.
  using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair* WhichCrossHair)>;
  /// (Sender, WhichTextLabel): the mouse moved a text label.
  using TTextLabelMoveEvent = std::function<void(TObject* Sender, TTextLabel* WhichTextLabel)>;

  /// Starts the drag of MouseAction (or of a scale, the legend or a MouseBox); a press that
  /// belongs to a double click is ignored.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Re-entrant calls (a handler that processes messages) are dropped; after the handling
  /// OnMouseMoveInChart reports the position.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// Ends a drag: a rubber band or selection reports its rectangle per mouse-affected layer
  /// (OnRubberBand, OnSelectRect), a zoom rectangle sets the ranges; then OnZoomPan. Pans
  /// and drag zooms record the zoom history.
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// On a scale: switches its MouseAction between 1 and 6. The press and release that come
  /// with the double click are ignored.
  void DblClick() override;
  /// Fires OnMouseMoveInChart and then the mouseMoveInChart signal.
  void MouseMoveInChart(bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY);
  /// Waits (processing events) for the user to drag a box with the mouse and returns its
  /// corners in world units of the active layer, sorted. False when cancelled by the right
  /// button or MouseBoxAbort, when the chart is hidden or destroyed meanwhile, or when a box
  /// is already being asked for.
  bool MouseBox(double& xLo, double& yLo, double& xHi, double& yHi);
  /// Cancels a running MouseBox (it answers false) and removes its rubber box.
  void MouseBoxAbort();
  /// Layer (1, 2) of a visible Y scale under the control pixel, -1 / -2 for a visible X
  /// scale of layer 1 / 2, else 0.
  int DetectScale(int X, int Y) const;

  /// Whether a layer follows mouse panning and zooming (default: layer 1 yes, layer 2 no;
  /// other layers answer false and are ignored when written).
  ///@{
  bool MouseAffectsLayer(int Layer) const { return GetMAffLayer(Layer); }
  void SetMouseAffectsLayer(int Layer, bool v) { SetMAffLayer(Layer, v); }
  bool GetMAffLayer(int Layer) const;
  void SetMAffLayer(int Layer, bool v);
  ///@}
  /// World position (active layer) of the last mouse move inside the data area.
  ///@{
  double MousePosX() const { return FMousePosX; }
  double MousePosY() const { return FMousePosY; }
  double GetMousePosX() const { return FMousePosX; }
  double GetMousePosY() const { return FMousePosY; }
  ///@}
  /// Control pixel of the last mouse move.
  ///@{
  int LastMouseX() const { return FLastMouseX; }
  int LastMouseY() const { return FLastMouseY; }
  ///@}
  /// On (the default): the mouse action does not change the cursor.
  ///@{
  bool MouseCursorFixed() const { return FMCurFixed; }
  void SetMouseCursorFixed(bool v) { FMCurFixed = v; }
  ///@}
  /// Snapping grid of MouseAction 4: lower bounds become Int(v / d) * d + offset. A distance
  /// of 0 or less switches snapping off; values that are not finite are ignored. Defaults:
  /// distances 1, offsets 0.
  ///@{
  double PanGridDx() const { return FPanGridDx; }
  double PanGridDy() const { return FPanGridDy; }
  double PanGridOffsX() const { return FPanGridOffsX; }
  double PanGridOffsY() const { return FPanGridOffsY; }
  void SetPanGridDx(double v);
  void SetPanGridDy(double v);
  void SetPanGridOffsX(double v);
  void SetPanGridOffsY(double v);
  ///@}

  /// After every mouse move over the control: inside the data area or not, and the world
  /// position on the active layer.
  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// After the mouse, wheel or keys zoomed or panned, and at the end of a rubber band or
  /// selection drag.
  TZoomPanEvent OnZoomPan;
  /// At the end of a rubber band (MouseAction 5) / selection (16) drag: the rectangle in
  /// world units, once per mouse-affected layer.
  ///@{
  TSelectRectEvent OnRubberBand, OnSelectRect;
  ///@}
  /// Before a cross-hair drag starts; the handler may clear AllowMove.
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  /// While a cross-hair is dragged, after each move.
  TCrossHairMoveEvent OnCrossHairMove;
  /// While a text label is dragged, after each move.
  TTextLabelMoveEvent OnTextLabelMove;

  // Mouse actions (SetMouseAction); the numbers stay accepted.
  /// Mouse action: nothing (the default).
  static constexpr TMouseActMode maNone = 0;
  /// Mouse action: drag pans the mouse-affected layers in x and y.
  static constexpr TMouseActMode maPan = 1;
  /// Mouse action: drag pans in x only.
  static constexpr TMouseActMode maPanX = 2;
  /// Mouse action: drag pans in y only.
  static constexpr TMouseActMode maPanY = 3;
  /// Mouse action: drag pans with the lower bounds snapped to the pan grid (PanGridDx, ...).
  static constexpr TMouseActMode maPanSnapped = 4;  // to the pan grid
  /// Mouse action: drag a rubber line; its ends are reported by OnRubberBand.
  static constexpr TMouseActMode maRubberBand = 5;
  /// Mouse action: drag a rectangle that becomes the new ranges.
  static constexpr TMouseActMode maZoomRect = 7;
  /// Mouse action: as maZoomRect, keeping the directions of reversed axes.
  static constexpr TMouseActMode maZoomRectKeepDirection = 8;
  /// Mouse action: dragging right or up zooms in, left or down out, about the range centres.
  static constexpr TMouseActMode maZoomDrag = 9;
  /// Mouse action: drag the nearest shown cross-hair.
  static constexpr TMouseActMode maDragCrossHair = 10;
  /// Mouse action: drag a text label.
  static constexpr TMouseActMode maDragTextLabel = 11;
  /// Mouse action: drag a rectangle that is reported by OnSelectRect (ranges unchanged).
  static constexpr TMouseActMode maSelectRect = 16;
  /// Mouse action: draw a free-hand trace (MouseTrace).
  static constexpr TMouseActMode maTrace = 17;
  // Shadow styles (SetShadowStyle): the outline of the shadow rim.
  /// Shadow outline in ShadowColor (the default).
  static constexpr TShadowStyle shsShadowColor = 0;
  /// Black shadow outline.
  static constexpr TShadowStyle shsBlack = 1;
  /// Shadow outline in ShadowBakColor.
  static constexpr TShadowStyle shsShadowBakColor = 2;
  /// Frame styles of RectFrame, the scales' values (TScale::frNone ..).
  ///@{
  static constexpr TFrameStyle frNone = TScale::frNone;
  static constexpr TFrameStyle frSimple = TScale::frSimple;
  static constexpr TFrameStyle frLowered = TScale::frLowered;
  static constexpr TFrameStyle frRaised = TScale::frRaised;
  static constexpr TFrameStyle frEmbossed = TScale::frEmbossed;
  static constexpr TFrameStyle frEngraved = TScale::frEngraved;
  static constexpr TFrameStyle frDouble = TScale::frDouble;
  ///@}
  // Directions of MarkErrorBar: 0 a bar along y, any other value along x.
  /// Error bar along y (MarkErrorBar).
  static constexpr TOrientation ebAlongY = 0;
  /// Error bar along x (MarkErrorBar; any value other than 0 does the same).
  static constexpr TOrientation ebAlongX = 1;
  // Axes of FindNearestItemAlongAxis.
  /// The x axis (FindNearestItemAlongAxis).
  static constexpr TAxis axX = 0;
  /// The y axis (FindNearestItemAlongAxis).
  static constexpr TAxis axY = 1;
  // Label types of the axes are TScale's (TScale::ltDateTime, ...), mark types TMarkType
  // (mrkCircle3, ...), cross-hair modes chmOff .. chmBox, text label modes tlmFree ..
  // tlmShadowBox and attach modes tlaPixels .. tlaWorld.

  // Qt signals, each emitted right after its handler (arguments without Sender):
  // OnMouseMoveInChart -> mouseMoveInChart, OnZoomPan -> zoomPan, OnRubberBand -> rubberBand,
  // OnSelectRect -> selectRect, OnBeforeCrossHairMove -> beforeCrossHairMove (informs of the
  // final AllowMove; the handler answers), OnCrossHairMove -> crossHairMove,
  // OnTextLabelMove -> textLabelMove. Per-item paint events (OnBeforeRenderChartItem,
  // OnBeforeRenderText, OnScaleTickDrawn, OnBeforeTickLabel) have no signal.
 signals:
  /// Emitted after OnMouseMoveInChart, with its arguments.
  void mouseMoveInChart(bool InChart, zyr::TShiftState Shift, double rMousePosX,
                        double rMousePosY);
  /// Emitted after OnZoomPan.
  void zoomPan();
  /// Emitted after OnRubberBand, with its arguments.
  void rubberBand(int Layer, double X1, double Y1, double X2, double Y2);
  /// Emitted after OnSelectRect, with its arguments.
  void selectRect(int Layer, double X1, double Y1, double X2, double Y2);
  /// Emitted after OnBeforeCrossHairMove with the AllowMove its handler left (a slot cannot
  /// change it).
  void beforeCrossHairMove(zyr::TCrossHair* WhichCrossHair, int dx, int dy, bool AllowMove);
  /// Emitted after OnCrossHairMove.
  void crossHairMove(zyr::TCrossHair* WhichCrossHair);
  /// Emitted after OnTextLabelMove.
  void textLabelMove(zyr::TTextLabel* WhichTextLabel);

 protected:
  /// Fires OnZoomPan, then the zoomPan signal (for descendants that zoom or pan themselves).
  void RaiseZoomPan() {
    Raise(OnZoomPan, [&] { OnZoomPan(this); }, [&] { emit zoomPan(); });
  }

 public:
  // Qt value types beside the documented calls, each a forward to the call of the same name.
  // Colours are QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives clNone.
  // Texts and file names are QString; item texts keep what Windows-1252 holds ('?' else).
  /// Qt forms of the calls of the same name: colours as QColor or Qt::GlobalColor (an
  /// invalid QColor gives clNone), texts as QString.
  ///@{
  void SetChartColor(const QtColor auto& c) { SetChartColor(FromQColor(c)); }
  void SetDataColor(const QtColor auto& c) { SetDataColor(FromQColor(c)); }
  void SetFillColor(const QtColor auto& c) { SetFillColor(FromQColor(c)); }
  void SetGridColor(const QtColor auto& c) { SetGridColor(FromQColor(c)); }
  void SetWindColor(const QtColor auto& c) { SetWindColor(FromQColor(c)); }
  void SetChartFrameColor(const QtColor auto& c) { SetChartFrameColor(FromQColor(c)); }
  void SetShadowColor(const QtColor auto& c) { SetShadowColor(FromQColor(c)); }
  void SetShadowBakColor(const QtColor auto& c) { SetShadowBakColor(FromQColor(c)); }
  void SetTextBkColor(const QtColor auto& c) { SetTextBkColor(FromQColor(c)); }
  void SetMouseTraceColor(const QtColor auto& c) { SetMouseTraceColor(FromQColor(c)); }
  ///@}
  /// The setters' second names take the same Qt forms.
  ///@{
  void SetChartCol(const QtColor auto& c) { SetChartColor(c); }
  void SetWindCol(const QtColor auto& c) { SetWindColor(c); }
  void SetScaleCol(const QtColor auto& c) { SetChartFrameColor(c); }
  void SetGridCol(const QtColor auto& c) { SetGridColor(c); }
  void SetDataCol(const QtColor auto& c) { SetDataColor(c); }
  void SetFillCol(const QtColor auto& c) { SetFillColor(c); }
  void SetChartCaption(const QtText auto& v) { SetCaption(v); }
  ///@}
  /// Qt forms of the class colour, cross-hair and text label calls: QColor or Qt::GlobalColor
  /// colours, QString captions, each mixed freely with the documented types.
  ///@{
  void NewColorOfClassItems(const QtColor auto& c, uint8_t ClassNumber) {
    NewColorOfClassItems(FromQColor(c), ClassNumber);
  }
  void CrossHairSetup(int n, const QtColor auto& Color, TCrossHMode Mode, TPenStyle LineType,
                      int LineWidth) {
    CrossHairSetup(n, FromQColor(Color), Mode, LineType, LineWidth);
  }
  template <class C, class S>
  requires AnyQtArg<C, S>
  int AddTextLabel(double x, double y, const C& Color, const S& Caption, int Template) {
    return AddTextLabel(x, y, qtarg::Lib(Color), qtarg::Lib(Caption), Template);
  }
  template <class C, class S>
  requires AnyQtArg<C, S>
  void SetTextLabel(int n, double x, double y, const C& Color, const S& Caption, int Template) {
    SetTextLabel(n, x, y, qtarg::Lib(Color), qtarg::Lib(Caption), Template);
  }
  ///@}
  /// Any mix of world and pixel corners, as the documented overloads take them.
  template <class X1, class Y1, class X2, class Y2, class C1, class C2>
  requires AnyQtArg<C1, C2>
  void RectFrame(X1 x1, Y1 y1, X2 x2, Y2 y2, TFrameStyle FrameStyle, const C1& ShadowColor,
                 const C2& HiLightColor) {
    RectFrame(x1, y1, x2, y2, FrameStyle, qtarg::Lib(ShadowColor), qtarg::Lib(HiLightColor));
  }
  /// Qt forms of the calls of the same name: texts and file names as QString (item texts
  /// keep what Windows-1252 holds, '?' for other characters).
  ///@{
  template <class X, class Y, QtText S>
  void Text(X x, Y y, int size, const S& txt) {
    Text(x, y, size, FromQString(txt));
  }
  void Text(double x, double y, int size, const QtText auto& txt, int dx, int dy,
            TAlignment Alignment) {
    Text(x, y, size, FromQString(txt), dx, dy, Alignment);
  }
  void SetDataLongText(int idx, const QtText auto& s) { SetDataLongText(idx, FromQString(s)); }
  void SetAnnoLongText(int idx, const QtText auto& s) { SetAnnoLongText(idx, FromQString(s)); }
  int AddLegendEntry(const QtText auto& Caption) { return AddLegendEntry(FromQString(Caption)); }
  bool CopyToBMP(const QtText auto& FName, bool BlkWhite) {
    return CopyToBMP(FromQString(FName), BlkWhite);
  }
  bool CopyToWMF(const QtText auto& FName, bool BlkWhite) {
    return CopyToWMF(FromQString(FName), BlkWhite);
  }
  void SaveData(const QtText auto& FName) { SaveData(FromQString(FName)); }
  void SaveAnno(const QtText auto& FName) { SaveAnno(FromQString(FName)); }
  int LoadData(const QtText auto& FName, bool AppendIt) {
    return LoadData(FromQString(FName), AppendIt);
  }
  int LoadAnno(const QtText auto& FName, bool AppendIt) {
    return LoadAnno(FromQString(FName), AppendIt);
  }
  bool SaveDataASC(const QtText auto& FName) { return SaveDataASC(FromQString(FName)); }
  ///@}
  /// The colour of the same name (ChartColor, DataColor, ...) as a QColor.
  ///@{
  QColor QtChartColor() const { return ToQColor(ChartColor()); }
  QColor QtDataColor() const { return ToQColor(DataColor()); }
  QColor QtFillColor() const { return ToQColor(FillColor()); }
  QColor QtGridColor() const { return ToQColor(GridColor()); }
  ///@}
  /// Sets Caption from a QString or a UTF-8 C string (null gives an empty caption).
  ///@{
  void SetCaption(const QString& v) { SetCaption(FromQString(v)); }
  // Keeps SetCaption("text") unambiguous beside the QString overload.
  void SetCaption(const char* v) { SetChartCaption(v ? v : ""); }
  ///@}
  /// Caption as a QString.
  QString QtCaption() const { return ToQString(Caption()); }
  // Getters and setters of the Qt properties that the documented names do not cover.
  /// The colour of the same name (WindColor, ChartFrameColor, ...) as a QColor.
  ///@{
  QColor QtWindColor() const { return ToQColor(WindColor()); }
  QColor QtChartFrameColor() const { return ToQColor(ChartFrameColor()); }
  QColor QtShadowColor() const { return ToQColor(ShadowColor()); }
  QColor QtShadowBakColor() const { return ToQColor(ShadowBakColor()); }
  ///@}
  /// GridStyle, CaptionAlignment and StandardLayout from an int, for the Qt properties;
  /// values outside the enumeration are ignored.
  ///@{
  void QtSetGridStyle(int v) {
    if (v >= gsNone && v <= gsDotLines) SetGridStyle(GridStyleType(v));
  }
  void QtSetCaptionAlignment(int v) {
    if (v >= taLeftJustify && v <= taCenter) SetCaptionAlignment(TAlignment(v));
  }
  void QtSetStandardLayout(int v) {
    if (v >= rcl_X1Bottom_Y1Left && v <= rcl_X2Both_Y2Both) SetStandardLayout(TrcLayout(v));
  }
  ///@}
  /// Caption of layer 1's X / Y axis as a QString (Scale1X().Caption(), ...).
  ///@{
  QString QtScaleX1Caption() const { return ToQString(ScalePropsX(1).Caption()); }
  QString QtScaleY1Caption() const { return ToQString(ScalePropsY(1).Caption()); }
  void QtSetScaleX1Caption(const QString& v) { Scale1X().SetCaption(v); }
  void QtSetScaleY1Caption(const QString& v) { Scale1Y().SetCaption(v); }
  ///@}
  /// Logarithmic setting of layer 1's X / Y axis (Scale1X().Logarithmic(), ...); true is
  /// refused for a range that is not positive.
  ///@{
  bool ScaleX1Logarithmic() const { return ScalePropsX(1).Logarithmic(); }
  bool ScaleY1Logarithmic() const { return ScalePropsY(1).Logarithmic(); }
  void SetScaleX1Logarithmic(bool v) { Scale1X().SetLogarithmic(v); }
  void SetScaleY1Logarithmic(bool v) { Scale1Y().SetLogarithmic(v); }
  ///@}
  /// Label type (TFigType) of layer 1's X / Y axis (Scale1X().LabelType(), ...); setting a
  /// value outside TScale::ltNone .. TScale::ltUserText is ignored.
  ///@{
  int ScaleX1LabelType() const { return ScalePropsX(1).LabelType(); }
  int ScaleY1LabelType() const { return ScalePropsY(1).LabelType(); }
  void SetScaleX1LabelType(int v) {
    if (v >= TScale::ltNone && v <= TScale::ltUserText) Scale1X().SetLabelType(TFigType(v));
  }
  void SetScaleY1LabelType(int v) {
    if (v >= TScale::ltNone && v <= TScale::ltUserText) Scale1Y().SetLabelType(TFigType(v));
  }
  ///@}
  /// Ranges from a rectangle of world bounds: left() is X low, right() X high, top() Y low,
  /// bottom() Y high (QRectF's y grows downwards, so top() is the smaller y).
  void SetRange(int Layer, const QRectF& r) {
    SetRange(Layer, r.left(), r.top(), r.right(), r.bottom());
  }
  // World points and rectangles: a QRectF's left() and top() are the first corner (x1, y1),
  // right() and bottom() the second (x2, y2).
  /// The world-coordinate calls of the same name with QPointF points; a QRectF's left() and
  /// top() are the first corner (x1, y1), right() and bottom() the second (x2, y2).
  ///@{
  void MoveTo(const QPointF& p) { MoveTo(p.x(), p.y()); }
  void DrawTo(const QPointF& p) { DrawTo(p.x(), p.y()); }
  void MarkAt(const QPointF& p, uint8_t mk) { MarkAt(p.x(), p.y(), mk); }
  void MarkErrorBar(const QPointF& p, double dlower, double dupper, TOrientation Dir, uint8_t mk) {
    MarkErrorBar(p.x(), p.y(), dlower, dupper, Dir, mk);
  }
  void Line(const QPointF& p1, const QPointF& p2) { Line(p1.x(), p1.y(), p2.x(), p2.y()); }
  void LineOffset(const QPointF& p1, const QPointF& p2, int dx, int dy) {
    LineOffset(p1.x(), p1.y(), p2.x(), p2.y(), dx, dy);
  }
  void Rectangle(const QRectF& r) { Rectangle(r.left(), r.top(), r.right(), r.bottom()); }
  void RectangleRelPix(const QPointF& c, int dx, int dy) { RectangleRelPix(c.x(), c.y(), dx, dy); }
  template <class C1, class C2>
  void RectFrame(const QRectF& r, TFrameStyle FrameStyle, const C1& ShadowColor,
                 const C2& HiLightColor) {
    RectFrame(r.left(), r.top(), r.right(), r.bottom(), FrameStyle, ShadowColor, HiLightColor);
  }
  ///@}
  /// llx, lly are left() and top(); urx, ury right() and bottom().
  void Bar3D(const QRectF& r, int Depth, int Angle) {
    Bar3D(r.left(), r.top(), r.right(), r.bottom(), Depth, Angle);
  }
  /// The world-coordinate calls of the same name with QPointF points (centres, ends).
  ///@{
  void Ellipse(const QPointF& c, double HorizAxLeng, double VertAxLeng) {
    Ellipse(c.x(), c.y(), HorizAxLeng, VertAxLeng);
  }
  void Arc(const QPointF& c, double HorizAxLeng, double VertAxLeng, double Angle1, double Angle2) {
    Arc(c.x(), c.y(), HorizAxLeng, VertAxLeng, Angle1, Angle2);
  }
  void Arrow(const QPointF& p1, const QPointF& p2, int HeadSize) {
    Arrow(p1.x(), p1.y(), p2.x(), p2.y(), HeadSize);
  }
  void DoubleArrow(const QPointF& p1, const QPointF& p2, int HeadSize) {
    DoubleArrow(p1.x(), p1.y(), p2.x(), p2.y(), HeadSize);
  }
  void Text(const QPointF& p, int size, const auto& txt) { Text(p.x(), p.y(), size, txt); }
  void DrawToRelPix(const QPointF& p, int dx, int dy) { DrawToRelPix(p.x(), p.y(), dx, dy); }
  void CrossHairSetPos(int n, const QPointF& p) { CrossHairSetPos(n, p.x(), p.y()); }
  ///@}
  // Layer 1 ranges, one bound at a time.
  /// One bound of layer 1's ranges in world units; the setters keep the other three bounds
  /// and go through SetRange (widening, isometric rule, zoom history, repaint).
  ///@{
  double RangeLoX1() const { return ScalePropsX(1).RangeLow(); }
  double RangeHiX1() const { return ScalePropsX(1).RangeHigh(); }
  double RangeLoY1() const { return ScalePropsY(1).RangeLow(); }
  double RangeHiY1() const { return ScalePropsY(1).RangeHigh(); }
  void SetRangeLoX1(double v) { SetRange(1, v, RangeLoY1(), RangeHiX1(), RangeHiY1()); }
  void SetRangeHiX1(double v) { SetRange(1, RangeLoX1(), RangeLoY1(), v, RangeHiY1()); }
  void SetRangeLoY1(double v) { SetRange(1, RangeLoX1(), v, RangeHiX1(), RangeHiY1()); }
  void SetRangeHiY1(double v) { SetRange(1, RangeLoX1(), RangeLoY1(), RangeHiX1(), v); }
  ///@}
  // ==== END MOUSE

  // ==== CURVE LEGEND: chartlegend.h, rchart_legend.cpp
  // Invisible and empty until the program adds entries and shows it. Inside the data area it
  // is drawn over the items (not into the data-area picture); outside, the right or bottom
  // margin grows by its size while it is shown there.
  /// (Sender, Legend): the mouse moved the legend; its offsets tell where to.
  using TLegendMoveEvent = std::function<void(TObject* Sender, TChartLegend* Legend)>;
  /// The curve legend (owned by the chart); its changes fit the margins and repaint with
  /// AutoRedraw.
  ///@{
  TChartLegend& Legend() { return *FLegend; }
  const TChartLegend& Legend() const { return *FLegend; }
  ///@}
  /// Appends an entry for the items of the current pen (colour, style, width, fill, class);
  /// the newest data item of that class and colour that is a mark gives the entry its mark,
  /// and the line shows when the class has lines too (or no marks). Returns the index.
  int AddLegendEntry(const std::string& Caption);
  /// Entry (0-based) under control pixel (x, y) of the shown legend; -1 for none.
  int LegendEntryAt(int x, int y) const;
  /// Box of the shown legend in control pixels (empty when not shown).
  TRect LegendRect() const;
  /// After the mouse dragged the legend to a new place.
  TLegendMoveEvent OnLegendMove;
  // OnLegendMove -> legendMove (emitted after the handler).
 signals:
  /// Emitted after OnLegendMove.
  void legendMove(zyr::TChartLegend* Legend);

 protected:
  /// A legend whose changes fit the chart's margins and repaint it.
  std::unique_ptr<TChartLegend> MakeLegend();
  /// The chart's legend.
  std::unique_ptr<TChartLegend> FLegend = MakeLegend();
  /// \cond INTERNAL
  // Legend and data colour state; not for applications.
  std::vector<TColor> FDataColors = TChartTheme::Classic().DataColors;
  size_t FNextDataColor = 0;
  // Margin added for a legend beside the data area, and the margin value it gave.
  int FLegendAddR = 0, FLegendAddB = 0, FLegendSetR = -1, FLegendSetB = -1;
  bool FLegendPressed = false, FLegendDragged = false;
  int FLegendPressX = 0, FLegendPressY = 0, FLegendPressLeft = 0, FLegendPressTop = 0;
  int FLegendPressEntry = -1;
  /// Grows or shrinks the right / bottom margin for a legend beside the data area.
  void FitLegendMargins();
  void LegendAnchorPos(const TChartLegend::TLayout& L, int& Left, int& Top) const;
  void ClampLegend(const TChartLegend::TLayout& L, int& Left, int& Top) const;
  /// \endcond
  /// Layout and control pixel of the shown legend; false when it is not shown.
  bool PlaceLegend(TChartLegend::TLayout& L, int& Left, int& Top) const;
  /// Draws the legend when it lies Outside (or inside) the data area; (X0, Y0) is the control
  /// pixel of the canvas origin.
  void DrawLegendOn(TCanvas& Canvas, int X0, int Y0, bool Outside);
  /// Legend dragging: each answers true when the legend took the mouse.
  ///@{
  bool LegendMouseDown(TMouseButton Button, int X, int Y);
  bool LegendMouseMove(TShiftState Shift, int X, int Y);
  bool LegendMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  ///@}

 public:
  // ==== END CURVE LEGEND

  // ==== APPEARANCE: rchart_theme.cpp
  /// Repaints as the frame's other style setters do (with AutoRedraw).
  void SetAntialiased(bool v) override;
  /// Sets the chart's own appearance properties from a theme: window, data area, frame and
  /// grid colours, shadow, fonts, caption place, axis colours and captions (vertical Y
  /// captions re-apply the standard layout to make room), the legend's look, antialiasing and
  /// wheel zoom. Each may be changed afterwards; the items keep their colours.
  virtual void ApplyTheme(const TChartTheme& Theme);
  /// The theme's next data colour, in turn (Classic: the predefined colours), made the
  /// current DataColor for the items added next; also returned.
  TColor NextDataColor();
  /// NextDataColor starts again at the first colour.
  void ResetDataColors() { FNextDataColor = 0; }
  // ==== END APPEARANCE

  // ==== CROSS-HAIRS AND MOUSE TRACE: rchart_overlay.cpp
  // Cross-hairs are drawn over the cached picture, never into the data-area bitmap, so moving
  // or restyling one redraws the overlay without drawing the items again.
  /// Position of cross-hair n (1..4, other numbers are ignored) in world units of its layer; a
  /// shown cross-hair (mode not 0) is redrawn at once.
  void CrossHairSetPos(int n, double x, double y);
  /// Look of cross-hair n (1..4): colour, mode (0 off .. 5), pen style and width; redraws.
  void CrossHairSetup(int n, TColor Color, TCrossHMode Mode, TPenStyle LineType, int LineWidth);
  /// Position of cross-hair n in world units of its layer; 0 for n outside 1..4. The setters
  /// change one coordinate as CrossHairSetPos does (other n: ignored).
  ///@{
  double CrossHairPosX(int n) const { return GetCHPosX(n); }
  double CrossHairPosY(int n) const { return GetCHPosY(n); }
  void SetCrossHairPosX(int n, double v) { SetCHPosX(n, v); }
  void SetCrossHairPosY(int n, double v) { SetCHPosY(n, v); }
  double GetCHPosX(int n) const;
  double GetCHPosY(int n) const;
  void SetCHPosX(int n, double v);
  void SetCHPosY(int n, double v);
  ///@}
  /// Draws the cross-hairs into Bitmap, whose origin is control pixel (X0, Y0); they are
  /// limited to the data area.
  void DrawCrossHairs(int X0, int Y0, TBitmap& Bitmap);

  /// The free-hand trace (MouseAction 17): up to kMaxMouseTrace points in world units of the
  /// active layer, drawn as strokes over the items.
  static constexpr int kMaxMouseTrace = 5000;
  /// Colour of new trace points (default white); the points keep the colour they got.
  ///@{
  TColor MouseTraceColor() const { return FColorMTrace; }
  void SetMouseTraceColor(TColor v) { FColorMTrace = v; }
  ///@}
  /// On: trace segments are drawn inverting (pmXor), so they stay visible on any colour.
  ///@{
  bool MouseTraceInvert() const { return FMTraceInvert; }
  void SetMouseTraceInvert(bool v) { FMTraceInvert = v; }
  ///@}
  /// Trace point i (1..NumMouseTrace()); flags bit 0: the stroke ends here, bit 1: drawn
  /// inverting. Other indexes give a point whose flags are 0xFFFF.
  ///@{
  TColoredPoint MouseTrace(int i) const { return GetMTracePoint(i); }
  TColoredPoint GetMTracePoint(int i) const;
  ///@}
  /// Number of trace points (0..kMaxMouseTrace).
  int NumMouseTrace() const { return FNumMTrace; }
  /// Empties the trace and repaints.
  void ClearMouseTrace();
  /// Draws the trace into Bitmap, whose origin is control pixel (X0, Y0).
  void DrawMouseTrace(int X0, int Y0, TBitmap& Bitmap);
  // ==== END CROSS-HAIRS AND MOUSE TRACE

  // ---------------------------------------------------------------- drawing state
  // The pen of the items added next. Its setters only store: existing items keep their
  // values and nothing repaints (SetActiveLayer and SetAnnoMode excepted).
  /// Line, mark and text colour of new items (default black).
  ///@{
  TColor DataColor() const { return RcDataCol; }
  void SetDataColor(TColor v) { SetDataCol(v); }
  void SetDataCol(TColor v) { RcDataCol = v; }
  ///@}
  /// Fill colour of new items, also the background of texts (default clSilver).
  ///@{
  TColor FillColor() const { return RcFillCol; }
  void SetFillColor(TColor v) { SetFillCol(v); }
  void SetFillCol(TColor v) { RcFillCol = v; }
  TColor TextBkColor() const { return RcFillCol; }
  void SetTextBkColor(TColor v) { SetFillCol(v); }
  ///@}
  /// Pen style of new items (default psSolid).
  ///@{
  TPenStyle PenStyle() const { return RcPenStyle; }
  void SetPenStyle(TPenStyle v) { RcPenStyle = v; }
  ///@}
  /// Line width in pixels of new items (default 1; not used by texts and RectFrame).
  ///@{
  uint8_t LineWidth() const { return RcLineWid; }
  void SetLineWidth(uint8_t v) { SetLineWid(v); }
  void SetLineWid(uint8_t v) { RcLineWid = v; }
  ///@}
  /// Tag of new items, free for the application (default 0); see CountAnnos and the searches.
  ///@{
  int DataTag() const { return FDataTag; }
  void SetDataTag(int v) { FDataTag = v; }
  ///@}
  /// Class (0..255, default 0) of new items: classes can be hidden, recoloured, searched and
  /// removed together.
  ///@{
  uint8_t ClassDefault() const { return RcClassDefault; }
  void SetClassDefault(uint8_t v) { RcClassDefault = v; }
  ///@}
  /// Layer (1 or 2, default 1) of new items; also the layer of mouse positions, ticks, the
  /// grid and FindNearestItemScreen.
  int ActiveLayer() const { return FActiveLayer; }
  /// Layers other than 1 and 2 are ignored.
  void SetActiveLayer(int v);
  /// On: new rectangles, ellipses, arcs and arrow heads are drawn unfilled (default off).
  ///@{
  bool TransparentItems() const { return FTranspItems; }
  void SetTransparentItems(bool v) { FTranspItems = v; }
  ///@}
  /// Background of new texts: tbClear (the default) or tbSolid, filled with FillColor.
  ///@{
  TTextBkg TextBkStyle() const { return FTextBkStyle; }
  void SetTextBkStyle(TTextBkg v) { FTextBkStyle = v; }
  ///@}
  /// Alignment of new texts at their point when the Text call names none (default taCenter).
  ///@{
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment v) { FTextAlignment = v; }
  ///@}
  /// On: new items go to the annotation container. The setter repaints with AutoRedraw.
  ///@{
  bool AnnoMode() const { return FAnnoMode; }
  void SetAnnoMode(bool v);
  ///@}

  // ---------------------------------------------------------------- visibility switches
  // The setters repaint with AutoRedraw.
  /// Whether data items of class cnum (0..255) are drawn (default all); other classes answer
  /// false and are ignored when written.
  ///@{
  bool ClassVisible(int cnum) const;
  virtual void SetClassVisible(int cnum, bool v);
  ///@}
  /// The same for the annotation items.
  ///@{
  bool AnnoClassVisible(int cnum) const;
  virtual void SetAnnoClassVisible(int cnum, bool v);
  ///@}
  /// Whether the items of a layer are drawn (default both). Layers other than 1 and 2
  /// answer false and are ignored when written.
  ///@{
  bool LayerVisible(int Layer) const;
  void SetLayerVisible(int Layer, bool v);
  ///@}
  /// Whether the annotations are drawn (default on).
  ///@{
  bool AnnosVisible() const { return FAnnosVisible; }
  void SetAnnosVisible(bool v);
  ///@}
  /// On: annotations are drawn beneath the data items (default off).
  ///@{
  bool AnnoBelowChart() const { return FAnnoBelowChart; }
  void SetAnnoBelowChart(bool v);
  ///@}
  /// On (the default): text annotations are drawn after all other annotations.
  ///@{
  bool AnnoTextOnTop() const { return FAnnoTextOnTop; }
  void SetAnnoTextOnTop(bool v);
  ///@}
  /// On: a MarkAt data item is not drawn where a mark of the same type was drawn within
  /// MinDupMarkDist pixels in both directions (default off).
  ///@{
  bool AvoidDuplicateMarks() const { return FAvoidDupMarks; }
  void SetAvoidDuplicateMarks(bool v) { SetAvoidDupMarks(v); }
  void SetAvoidDupMarks(bool v);
  ///@}
  /// Distance in pixels of AvoidDuplicateMarks, 1..3 (default 1).
  ///@{
  int MinDupMarkDist() const { return FDupMarksMinD; }
  void SetMinDupMarkDist(int v) { SetDupMarksMinD(v); }
  /// Clamped to 1..3.
  void SetDupMarksMinD(int v);
  ///@}

  // ---------------------------------------------------------------- item store sizes
  /// Growth step of the containers (default 1000); values outside 1..1,000,000 are ignored.
  ///@{
  int AllocSize() const { return FAllocSize; }
  void SetAllocSize(int v);
  ///@}
  /// Number of data items.
  int NumItems() const { return FNumChartItems; }
  /// Number of annotation items.
  int NumAnnos() const { return FNumAnnoItems; }
  /// Number of data items of a kind (0 for values outside the kinds).
  int ItemCount(int kind) const;

  // ---------------------------------------------------------------- adding items
  // Float arguments are world coordinates, integer arguments pixels. Data items always store
  // their values as world coordinates; annotations keep the mode of the overload.
  /// Moves the pen to (x, y) without drawing: starts a new polyline (tkMoveTo).
  ///@{
  void MoveTo(double x, double y) { MoveToIntern(x, y, cmAllWorld); }
  void MoveTo(int x, int y) { MoveToIntern(x, y, cmAllScreen); }
  void MoveTo(int x, double y) { MoveToIntern(x, y, cmXScreenYWorld); }
  void MoveTo(double x, int y) { MoveToIntern(x, y, cmXWorldYScreen); }
  ///@}
  /// A line from the pen position to (x, y), which becomes the pen position (tkLineto);
  /// consecutive lines of one pen are drawn as polylines.
  ///@{
  void DrawTo(double x, double y) { DrawToIntern(x, y, cmAllWorld); }
  void DrawTo(int x, int y) { DrawToIntern(x, y, cmAllScreen); }
  void DrawTo(int x, double y) { DrawToIntern(x, y, cmXScreenYWorld); }
  void DrawTo(double x, int y) { DrawToIntern(x, y, cmXWorldYScreen); }
  ///@}
  /// A mark of type mk (TMarkType, e.g. mrkCircle3) centred at (x, y) in DataColor (tkMarkAt).
  /// It is drawn only while its point lies inside the layer's ranges (pixel form: inside
  /// the data area).
  ///@{
  void MarkAt(double x, double y, uint8_t mk);
  void MarkAt(int x, int y, uint8_t mk);
  ///@}
  /// Bulk forms: the items of DrawTo(x[k], y[k]) or MarkAt(x[k], y[k], mk) for every k, in
  /// world coordinates, appended at once; EZYRRChartError when the spans differ in length.
  ///@{
  void DrawTo(std::span<const double> x, std::span<const double> y);
  void MarkAt(std::span<const double> x, std::span<const double> y, uint8_t mk);
  void DrawTo(std::span<const QPointF> p);
  void MarkAt(std::span<const QPointF> p, uint8_t mk);
  ///@}
  /// A mark mk at (x, y) with an error bar (tkMarkEBar): dlower towards lower and dupper
  /// towards higher values (magnitudes are used), along y for Dir ebAlongY, else along x.
  void MarkErrorBar(double x, double y, double dlower, double dupper, TOrientation Dir, uint8_t mk);
  /// A line from (x1, y1) to (x2, y2), leaving the pen position alone (tkLine). Any mix of
  /// a world and a pixel point.
  ///@{
  void Line(double x1, double y1, double x2, double y2) { LineIntern(x1, y1, x2, y2, cmAllWorld); }
  void Line(int x1, int y1, int x2, int y2) { LineIntern(x1, y1, x2, y2, cmAllScreen); }
  void Line(double x1, double y1, int x2, int y2) {
    LineIntern(x1, y1, x2, y2, cmWorldMainScreenSec);
  }
  void Line(int x1, int y1, double x2, double y2) {
    LineIntern(x1, y1, x2, y2, cmScreenMainWorldSec);
  }
  ///@}
  /// A line between two world points, both shifted by (dx, dy) pixels (tkLineOffs).
  void LineOffset(double x1, double y1, double x2, double y2, int dx, int dy);
  /// A rectangle with corners (x1, y1) and (x2, y2), edges included, outlined in DataColor
  /// and filled with FillColor unless TransparentItems (tkRect).
  ///@{
  void Rectangle(double x1, double y1, double x2, double y2) {
    RectangleIntern(x1, y1, x2, y2, cmAllWorld);
  }
  void Rectangle(int x1, int y1, int x2, int y2) { RectangleIntern(x1, y1, x2, y2, cmAllScreen); }
  void Rectangle(double x1, double y1, int x2, int y2) {
    RectangleIntern(x1, y1, x2, y2, cmWorldMainScreenSec);
  }
  void Rectangle(int x1, int y1, double x2, double y2) {
    RectangleIntern(x1, y1, x2, y2, cmScreenMainWorldSec);
  }
  ///@}
  /// A rectangle of half width dx and half height dy pixels about a world centre
  /// (tkRectRelPix); outlined and filled as Rectangle.
  void RectangleRelPix(double centx, double centy, int dx, int dy);
  /// A rectangle filled with FillColor and framed by FrameStyle (frLowered, ...) in
  /// ShadowColor and HiLightColor (tkRectFrame).
  ///@{
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                 TColor ShadowColor, TColor HiLightColor) {
    RectFrameIntern(x1, y1, x2, y2, FrameStyle, ShadowColor, HiLightColor, cmAllWorld);
  }
  void RectFrame(int x1, int y1, int x2, int y2, TFrameStyle FrameStyle, TColor ShadowColor,
                 TColor HiLightColor) {
    RectFrameIntern(x1, y1, x2, y2, FrameStyle, ShadowColor, HiLightColor, cmAllScreen);
  }
  void RectFrame(double x1, double y1, int x2, int y2, TFrameStyle FrameStyle, TColor ShadowColor,
                 TColor HiLightColor) {
    RectFrameIntern(x1, y1, x2, y2, FrameStyle, ShadowColor, HiLightColor, cmWorldMainScreenSec);
  }
  void RectFrame(int x1, int y1, double x2, double y2, TFrameStyle FrameStyle, TColor ShadowColor,
                 TColor HiLightColor) {
    RectFrameIntern(x1, y1, x2, y2, FrameStyle, ShadowColor, HiLightColor, cmScreenMainWorldSec);
  }
  ///@}
  /// A 3D bar (tk3DBar) between the lower-left and upper-right world corners, with a top and
  /// side face Depth pixels deep at Angle degrees. Angle is clamped to 0..180 degrees.
  void Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle);
  /// An ellipse about a world centre with the given half axes in world units (tkEllipse);
  /// outlined and filled as Rectangle.
  void Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng);
  /// An elliptic arc about a world centre with the given half axes, from Angle1 to Angle2
  /// counter-clockwise (tkArc). Angles in radians, clamped to -pi..pi.
  void Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, double Angle1,
           double Angle2);
  /// A line from (x1, y1) to (x2, y2) with a head HeadSize pixels long at the second point
  /// (tkArrow); the head is filled with FillColor unless TransparentItems. Any mix of world
  /// and pixel coordinates, also per axis.
  ///@{
  void Arrow(double x1, double y1, double x2, double y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmAllWorld);
  }
  void Arrow(int x1, int y1, int x2, int y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmAllScreen);
  }
  void Arrow(double x1, double y1, int x2, int y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmWorldMainScreenSec);
  }
  void Arrow(int x1, int y1, double x2, double y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmScreenMainWorldSec);
  }
  void Arrow(double x1, int y1, double x2, int y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmXWorldYScreen);
  }
  void Arrow(int x1, double y1, int x2, double y2, int HeadSize) {
    ArrowIntern(x1, y1, x2, y2, HeadSize, cmXScreenYWorld);
  }
  ///@}
  /// As Arrow, with a head at both ends (tkDoubleArrow).
  ///@{
  void DoubleArrow(double x1, double y1, double x2, double y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmAllWorld);
  }
  void DoubleArrow(int x1, int y1, int x2, int y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmAllScreen);
  }
  void DoubleArrow(double x1, double y1, int x2, int y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmWorldMainScreenSec);
  }
  void DoubleArrow(int x1, int y1, double x2, double y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmScreenMainWorldSec);
  }
  void DoubleArrow(double x1, int y1, double x2, int y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmXWorldYScreen);
  }
  void DoubleArrow(int x1, double y1, int x2, double y2, int HeadSize) {
    DoubleArrowIntern(x1, y1, x2, y2, HeadSize, cmXScreenYWorld);
  }
  ///@}
  /// A text (UTF-8) at a world point, shifted by (dx, dy) pixels (tkTextOfs when shifted).
  /// Texts longer than 15 characters keep their full form as one of 50 long texts.
  void Text(double x, double y, int size, const std::string& txt, int dx, int dy,
            TAlignment Alignment) {
    TextIntern(x, y, size, txt, dx, dy, Alignment, cmAllWorld);
  }
  /// A text (UTF-8, lines split at line feeds) of size points in DataColor at (x, y), aligned
  /// by TextAlignment, on a TextBkStyle background (tkText). Longer than 15 characters: kept
  /// whole as one of 50 long texts per container, then cut to 15.
  ///@{
  void Text(double x, double y, int size, const std::string& txt) {
    TextIntern(x, y, size, txt, 0, 0, FTextAlignment, cmAllWorld);
  }
  void Text(int x, int y, int size, const std::string& txt) {
    TextIntern(x, y, size, txt, 0, 0, FTextAlignment, cmAllScreen);
  }
  void Text(int x, double y, int size, const std::string& txt) {
    TextIntern(x, y, size, txt, 0, 0, FTextAlignment, cmXScreenYWorld);
  }
  void Text(double x, int y, int size, const std::string& txt) {
    TextIntern(x, y, size, txt, 0, 0, FTextAlignment, cmXWorldYScreen);
  }
  ///@}
  /// A vertical line across the data area at x (tkCursorVert).
  ///@{
  void CursorVert(double x) { CursorVertIntern(x, cmAllWorld); }
  void CursorVert(int x) { CursorVertIntern(x, cmAllScreen); }
  ///@}
  /// A horizontal line across the data area at y (tkCursorHoriz).
  ///@{
  void CursorHoriz(double y) { CursorHorizIntern(y, cmAllWorld); }
  void CursorHoriz(int y) { CursorHorizIntern(y, cmAllScreen); }
  ///@}
  /// Moves the pen by (dx, dy) pixels without drawing (tkMoveRelPix).
  void MoveToRelPix(int dx, int dy);
  /// A line from the pen position to the point (dx, dy) pixels away (tkLineRelPix).
  void DrawToRelPix(int dx, int dy);
  /// A line from world point (x, y) to the point (dx, dy) pixels away from it, which becomes
  /// the pen position (tkLineRelPixOrig).
  void DrawToRelPix(double x, double y, int dx, int dy);

  // ---------------------------------------------------------------- reading and changing
  /// Data item idx: reading gives a copy, a tkNone record for idx outside 0..NumItems-1;
  /// writing replaces the item whole (outside the range: ignored) without touching the
  /// kind counters, the share or the picture.
  ///@{
  TrcChartItem DataContainer(int idx) const { return GetChartItem(idx); }
  void SetDataContainer(int idx, const TrcChartItem& Item) { SetChartItem(idx, Item); }
  TrcChartItem GetChartItem(int idx) const;
  void SetChartItem(int idx, const TrcChartItem& Item);
  ///@}
  /// Annotation item idx, read and written as DataContainer (0..NumAnnos-1).
  ///@{
  TrcChartItem AnnoContainer(int idx) const { return GetAnnoItem(idx); }
  void SetAnnoContainer(int idx, const TrcChartItem& Item) { SetAnnoItem(idx, Item); }
  TrcChartItem GetAnnoItem(int idx) const;
  void SetAnnoItem(int idx, const TrcChartItem& Item);
  ///@}
  /// Copy of data item Item (outside the range: a tkNone record).
  TrcChartItem GetItemParams(int Item) const { return GetChartItem(Item); }
  /// Replaces data item Item keeping the kind counters right; tkNone and tkEverything
  /// records and indexes outside the range are ignored.
  void SetItemParams(int Item, const TrcChartItem& ItParams);
  /// Full text of a data / annotation text item (empty for other kinds and indexes out of
  /// range). Writing replaces the text of a text item (others are ignored) by the rule of
  /// Text: more than 15 characters take a long text while any of the 50 is left.
  ///@{
  std::string DataLongText(int idx) const;
  void SetDataLongText(int idx, const std::string& s);
  std::string AnnoLongText(int idx) const;
  void SetAnnoLongText(int idx, const std::string& s);
  ///@}
  /// Kind of the first / last data item; tkNone without data items.
  ///@{
  TrcItem TypeOfFirstItem() const;
  TrcItem TypeOfLastItem() const;
  ///@}
  /// Recolours the data items of a class (255: all data items); no repaint.
  void NewColorOfClassItems(TColor Newcol, uint8_t ClassNumber);
  /// The neutral record: zero except white fill and highlight, grey shadow, layer 1.
  static void ClearChartItem(TrcChartItem& Item);

  // ---------------------------------------------------------------- counting and searching
  // An item matches when (Tag & TagMask) agree (TagMask 0: any tag), its kind equals
  // ItemKind (tkEverything: any) and its class equals ItemClass (255: any).
  /// Number of matching annotation items: (Tag & TagMask) agree (TagMask 0: any tag), kind
  /// ItemKind (tkEverything: any), class ItemClass (255: any).
  int CountAnnos(int Tag, uint32_t TagMask, int ItemClass, TrcItem ItemKind) const;
  /// Sum of the annotation counts of the listed classes (a class listed twice counts twice).
  int CountAnnoByClass(const std::vector<uint8_t>& ClList) const;
  /// First matching data / annotation item at StartIx or later (matching as CountAnnos);
  /// -1 when there is none or StartIx < 0.
  ///@{
  int SearchDataItem(int StartIx, int Tag, uint32_t TagMask, int ItemClass, TrcItem ItemKind) const;
  int SearchAnnoItem(int StartIx, int Tag, uint32_t TagMask, int ItemClass, TrcItem ItemKind) const;
  ///@}

  // ---------------------------------------------------------------- scaling (data items)
  /// x := kx*x + dx, y := ky*y + dy (and the second point of two-point kinds), for data item
  /// Item / every data item; no repaint.
  ///@{
  void ScaleItem(int Item, double kx, double dx, double ky, double dy);
  void ScaleAllItems(double kx, double dx, double ky, double dy);
  ///@}
  /// Only the items of the class (255 is a class here, not a wildcard).
  void ScaleSelectedItems(double kx, double dx, double ky, double dy, uint8_t ClassNumber);

  // ---------------------------------------------------------------- removing
  // Only ClearAnnotations repaints; call ShowGraf to see the rest.
  /// Removes data item Index / the first / the last data item; the following items move
  /// down one place. Indexes outside the range remove nothing.
  ///@{
  void RemoveItem(int Index);
  void RemoveFirstItem() { RemoveItem(0); }
  void RemoveLastItem();
  ///@}
  /// Removes annotation item Index (outside the range: nothing).
  void RemoveAnnoItem(int Index);
  /// Remove the data items of a class / a layer; return the number of items removed.
  ///@{
  int RemoveItemsByClass(uint8_t ClassNumber);
  int RemoveItemsByLayer(int Layer);
  ///@}
  /// Empties the data container, its long texts and the mouse trace, and resets the data
  /// area picture; no repaint.
  void ClearGraf();
  /// Empties the annotation container and its long texts; repaints.
  void ClearAnnotations();

  // ---------------------------------------------------------------- data sharing
  /// The chart whose data this chart shows (none: its own). Refusals are reported in an
  /// information box and leave everything as it was.
  ///@{
  TCustomRChart* UseDataOf() const { return FUseDataOf; }
  void SetUseDataOf(TCustomRChart* Chart);
  ///@}
  /// Charts that show this chart's data, numbered 1..DataUsersNum() (null for other i).
  ///@{
  int DataUsersNum() const { return FDataUsersNum; }
  TCustomRChart* DataUsers(int i) const;
  ///@}
  /// Brings every chart of this chart's share up to date with this chart's data.
  void AdjustCanInfoOfSharedCharts();
  /// Most charts that may show one chart's data.
  static constexpr int MaxDataUsers = 4;

  // ---------------------------------------------------------------- files
  /// Write the data / annotation container as an item file; EZYRRChartError when the file
  /// cannot be written.
  ///@{
  void SaveData(const std::string& FName);
  void SaveAnno(const std::string& FName);
  ///@}
  /// Read an item file into the data / annotation container, after the items held when
  /// AppendIt is true. Return the number of items read, -2 for a file of another kind, -1
  /// for a file that cannot be read completely. A failed load changes nothing.
  ///@{
  int LoadData(const std::string& FName, bool AppendIt);
  int LoadAnno(const std::string& FName, bool AppendIt);
  ///@}
  /// Writes a readable listing of the data items; false when it could not be written whole.
  bool SaveDataASC(const std::string& FName);
  /// Copies the annotations of the listed classes (all for an empty list) from SrcChart.
  void CopyAnnoFrom(const TCustomRChart* SrcChart, const std::vector<uint8_t>& ClassFilter,
                    bool AppendIt);

  // ==== NAVIGATION: rchart_navigation.cpp
  // Wheel, pinch and keyboard zoom and pan, and a browser-like history of views beside the
  // zoom history ring above (which keeps its meaning). Everything is off by default.
  /// On: the wheel zooms the mouse-affected layers about the world point under the mouse
  /// (Ctrl: X only, Shift: Y only; over a scale: that axis of its layer only; elsewhere
  /// outside the data area: nothing), and a touchpad pinch zooms about its centre. Confinement
  /// and MinRange hold. OnMouseWheel comes first: a handler that sets Handled vetoes.
  ///@{
  bool MouseWheelZoom() const { return FMouseWheelZoom; }
  void SetMouseWheelZoom(bool v);
  ///@}
  /// Zoom of one wheel notch (a turn of 120); values not above 1 or above 16 are ignored.
  ///@{
  double WheelZoomFactor() const { return FWheelZoomFactor; }
  void SetWheelZoomFactor(double v);
  ///@}
  /// On: the chart takes the focus by Tab and shows it by a dotted frame near its edge; the
  /// arrow keys pan by 10 % (Shift: one pixel), + and - zoom about the centre, Backspace
  /// calls ZoomBack, Shift+Backspace ZoomForward, Home fits the data (AutoRange), Escape
  /// aborts a mouse drag.
  ///@{
  bool KeyboardNavigation() const { return FKeyboardNavigation; }
  void SetKeyboardNavigation(bool v);
  ///@}
  /// Wheel, key and pinch steps of one kind that follow each other within this many
  /// milliseconds make one history entry (0 .. 10000; default 300).
  ///@{
  int NavigationBurstMs() const { return FNavBurstMs; }
  void SetNavigationBurstMs(int v);
  ///@}
  /// Back to the view before the last zoom or pan of the user (mouse, wheel, keys, pinch, Home);
  /// ZoomForward returns again. A new zoom or pan drops the views ahead. False when there is
  /// nowhere to go. OnZoomPan reports the change.
  ///@{
  bool ZoomBack();
  bool ZoomForward();
  ///@}
  /// Whether ZoomBack / ZoomForward has a view to go to.
  ///@{
  bool CanZoomBack() const { return !FNavBack.empty(); }
  bool CanZoomForward() const { return !FNavFwd.empty(); }
  ///@}
  /// Forgets the views of ZoomBack and ZoomForward.
  void ClearViewHistory();
  /// Most views kept for ZoomBack.
  static constexpr size_t kMaxViewHistory = 100;

  /// OnMouseWheel first; then, with MouseWheelZoom, zooms at the mouse. True when handled.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  /// OnKeyDown first; then, with KeyboardNavigation, the navigation keys.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  /// OnKeyPress first; then, with KeyboardNavigation, + and - zoom about the centre.
  void KeyPress(char& Key) override;

 protected:
  /// Zooms by pinch gestures of touchpads and touch screens (with MouseWheelZoom); other
  /// events go to the control as usual.
  bool event(QEvent* e) override;
  /// Shows or removes the focus frame of KeyboardNavigation.
  ///@{
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  ///@}
  /// \cond INTERNAL
  /// The ranges (x low, y low, x high, y high) of both layers, and the layers that count.
  struct TNavView {
    std::array<std::array<double, 4>, 2> Range{};
    TLayerSet Layers = 0;
  };
  enum TNavKind : uint8_t { nkNone, nkMouse, nkWheel, nkZoomKey, nkPanKey, nkPinch, nkFit };
  bool FMouseWheelZoom = false;
  double FWheelZoomFactor = 1.2;
  bool FKeyboardNavigation = false;
  int FNavBurstMs = 300;
  std::vector<TNavView> FNavBack, FNavFwd;
  // The running burst: its kind, the view before it, when its last step came, whether it
  // made its history entry (and which views ahead that dropped), and the ring position of
  // its zoom history entry.
  TNavKind FNavKind = nkNone;
  TNavView FNavBefore;
  int64_t FNavLastMs = 0;
  bool FNavPushed = false;
  std::vector<TNavView> FNavDroppedFwd;
  int FNavStackPoi = 0;
  bool FDragAborted = false;  // Escape ended a drag; moves are ignored until the release
  bool FFocusFrame = false;   // the focus frame is shown
  void ResetNavigation();
  TNavView CurrentView(TLayerSet Layers) const;
  /// Starts a burst, unless Kind continues the running one in time.
  void NavBurstStep(TNavKind Kind);
  void NavStartBurst(TNavKind Kind);
  void NavEndBurst() { FNavKind = nkNone; }
  /// After a step: the first change of a burst becomes a history entry (and, with
  /// OwnZoomStack, one entry of the zoom history ring, updated by later steps).
  void NavStepDone(bool OwnZoomStack);
  /// Ranges of the layers of View, in one repaint; then OnZoomPan.
  void ApplyView(const TNavView& View);
  bool DragRunning() const;
  /// Zooms about control pixel (X, Y) by Factor (above 1: in): the data area zooms the
  /// mouse-affected layers, a scale its own axis. False when nothing is there to zoom.
  bool ZoomAtPixel(TNavKind Kind, int X, int Y, double Factor, TShiftState Shift);
  bool ZoomLayers(TNavKind Kind, int X, int Y, double Factor, TLayerSet Layers, bool ZoomX,
                  bool ZoomY);
  void PanByKey(double FracX, double FracY, bool Pixel);
  void FitDataByKey();
  void PinchStep(double Factor, int X, int Y);
  /// Ends any mouse drag: rubber figures vanish, pans and zooms go back to where they began.
  void AbortMouseDrag();
  /// XorRubberFigures without the focus frame.
  void XorDragFigures();
  /// The focus frame on the window picture (On) or the cached picture under it back (off).
  void ShowFocusFrame(bool On);
  void UpdateFocusFrame();
  /// \endcond
  // ==== END NAVIGATION

 protected:
  /// Rebuilds the whole picture: frame, scales, data area, legend and cross-hairs. Does
  /// nothing while the chart is invisible, loading or SuppressPaint is on.
  void Paint() override;
  /// After a form has set the properties: applies the axis settings, recomputes the
  /// transforms and paints.
  void Loaded() override;

  // Every adding operation ends in one of these with the coordinate mode of its overload.
  /// The adding operations with the coordinate mode (cmAllWorld, ...) of their overload;
  /// descendants may add items in any mode through them.
  ///@{
  void MoveToIntern(double x, double y, TCoordMode cm);
  void MarkAtIntern(double x, double y, uint8_t mk, TCoordMode cm);
  void AddArrow(TrcItem Kind, double x1, double y1, double x2, double y2, int HeadSize,
                TCoordMode cm);
  void DrawToIntern(double x, double y, TCoordMode cm);
  void LineIntern(double x1, double y1, double x2, double y2, TCoordMode cm);
  void RectangleIntern(double x1, double y1, double x2, double y2, TCoordMode cm);
  void RectFrameIntern(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                       TColor ShadowColor, TColor HiLightColor, TCoordMode cm);
  void ArrowIntern(double x1, double y1, double x2, double y2, int HeadSize, TCoordMode cm);
  void DoubleArrowIntern(double x1, double y1, double x2, double y2, int HeadSize, TCoordMode cm);
  void TextIntern(double x, double y, int size, const std::string& txt, int dx, int dy,
                  TAlignment Alignment, TCoordMode cm);
  void CursorVertIntern(double x, TCoordMode cm);
  void CursorHorizIntern(double y, TCoordMode cm);
  ///@}

  /// Full text of a text record of the data (Anno false) or annotation container.
  std::string FullItemText(const TrcChartItem& it, bool Anno) const;

  /// \cond INTERNAL
  // Item store. The data array is shared by reference between the charts of a share.
  std::shared_ptr<TRcItemContainer> FDataContainer;
  std::shared_ptr<TRcItemContainer> FAnnoContainer;
  int FNumChartItems = 0;
  int FNumAnnoItems = 0;
  int FNumAllocData = 0;
  int FNumAllocAnno = 0;
  int FAllocSize = 1000;
  std::array<int, rcNumItemKinds> FItemCount{};
  TLongTextArray FLongTextsData, FLongTextsAnno;
  int FNumLongTextsData = 0;
  int FNumLongTextsAnno = 0;
  int FLastElemOnShow = 0;

  // Drawing state copied into new items.
  TColor RcDataCol = clBlack;
  TColor RcFillCol = clSilver;
  TPenStyle RcPenStyle = psSolid;
  uint8_t RcLineWid = 1;
  int FDataTag = 0;
  uint8_t RcClassDefault = 0;
  int FActiveLayer = 1;
  bool FTranspItems = false;
  TTextBkg FTextBkStyle = tbClear;
  TAlignment FTextAlignment = taCenter;
  bool FAnnoMode = false;

  // Visibility and display switches.
  std::array<bool, 256> FItClassVisib{};
  std::array<bool, 256> FAnnoClassVisib{};
  std::array<bool, 2> FLayerVisib{};
  bool FAnnosVisible = true;
  bool FAnnoBelowChart = false;
  bool FAnnoTextOnTop = true;
  bool FAvoidDupMarks = false;
  int FDupMarksMinD = 1;
  bool FInvalidDataBmp = false;

  // Data sharing.
  TCustomRChart* FUseDataOf = nullptr;
  std::array<TCustomRChart*, MaxDataUsers> FDataUsers{};
  int FDataUsersNum = 0;

  // Frame geometry and redraw control.
  int RcLRim = 50, RcRRim = 10, RcTRim = 16, RcBRim = 32;
  int F3DRim = 0;
  TColor RcWindCol = clBtnFace;
  TColor RcChartCol = clWhite;
  TColor FChartFrameCol = clBlack;
  bool FAutoRedraw = true;
  bool FSuppressPaint = true;
  std::unique_ptr<TBitmap> FGrafBmp;

  // Layers and axes.
  std::array<std::unique_ptr<TScalePropsHoriz>, 2> FScalePropsX;
  std::array<std::unique_ptr<TScalePropsVert>, 2> FScalePropsY;
  std::array<std::unique_ptr<TScale>, 2> FScalesX;
  std::array<std::unique_ptr<TScale>, 2> FScalesY;
  std::array<long double, 2> Cpkx{}, Cpdx{}, Cpky{}, Cpdy{};
  // What R2M needs, refreshed by AdjustScaling, so that the hot path is a multiply-add.
  struct TLayerTransform {
    double kx = 0, dx = 0, ky = 0, dy = 0;
    bool logX = false, logY = false;
    int logEdgeX = 0, logEdgeY = 0;  // pixel of values <= 1e-100 on a log axis
  };
  std::array<TLayerTransform, 2> FXf{};
  bool FIsometric = false;
  double Fxasp = 1, Fyasp = 1;
  std::unique_ptr<TJointLayers> FOwnJointLayers;
  TJointLayers* FJointLayers = nullptr;
  TrcLayout FStdLayout = rcl_X1Bottom_Y1Left;
  std::array<std::array<TRectDouble, kZoomStackSize>, 2> FZoomStack{};
  int FZStackPoi = 1;
  double FConfXLo = 0, FConfYLo = 0, FConfXHi = 0, FConfYHi = 0;
  TMouseActMode FMouseAction = 0;
  // Chart caption placement (set by the standard layouts).
  int FCaptPosX = 0, FCaptPosY = -15;
  TAlignment FCaptAlignment = taRightJustify;
  TCaptionAnchorHoriz FCaptAnchorX = cahChartRight;
  TCaptionAnchorVert FCaptAnchorY = cavChartTop;

  // TEXT LABELS state
  std::array<TTextLabel, kNumTextLabels> FTextLabels;
  /// Back to the reset settings (font from the control's Font), change handler attached.
  void ResetTextLabels();
  /// Control pixel of a label's anchor, by its attach mode (world parts on its layer).
  void TextLabelAnchor(const TTextLabel& Lbl, int& ax, int& ay) const;
  /// \endcond

  // RENDERING state
  /// The paint cycle: frame, data-area picture (prepared by PrepareDataBmp, then built by
  /// ConstructDataBmp), optionally the mouse trace, copy into the frame, cross-hairs, window.
  void PaintCycle(bool MouseTrace);
  /// The data-area picture on the window, with the cross-hairs over it (ShowGraf and
  /// ShowGrafNewOnly); the cached chart picture follows it.
  void ShowDataArea();
  /// Sizes the data-area picture and paints its background; descendants that keep the
  /// picture between paints skip this while it is valid.
  virtual void PrepareDataBmp(int Width, int Height);
  /// \cond INTERNAL
  TColor RcGridCol = clBlack;
  TColor FShadowColor = clGrayText;
  TColor RcShadowBakCol = clBtnFace;
  TShadowStyle RcShadowStyle = 0;
  GridStyleType RcGridStyle = gsNone;
  double RcGridDx = 0, RcGridDy = 0;
  std::string FChartCaption;
  int FCaptTrim = 100;
  uint8_t FStyleElements = 0;
  std::unique_ptr<TBakGndImg> FBakGndFile;
  std::array<std::unique_ptr<TCrossHair>, 4> FCrossHairs;
  std::unique_ptr<TBitmap> FChartBmp, FAuxBmp;
  bool FInPaint = false;
  TColor ColBakWindow = 0, ColBakFrame = 0, ColBakChart = 0, ColBakFont = 0, ColBakShadow = 0,
         ColBakShadowBgnd = 0;
  std::array<TColor, 2> ColBakScalesX{}, ColBakScalesY{}, ColBakSclFontX{}, ColBakSclFontY{};
  /// Owned objects of the frame and the scale routing (constructor).
  void CreateRendering();
  /// Reset values of the frame, caption, grid, image and cross-hairs.
  void ResetRendering();
  /// Points the four layer scales at a canvas.
  void ScalesDrawOn(TCanvas& Canvas);
  /// The whole chart onto a canvas of the control's size, from scratch (caches untouched).
  void RenderChartOn(TCanvas& Canvas, bool CrossHairs);
  /// Window background and an empty data area: the picture of a chart whose transform
  /// cannot be computed.
  void DrawEmptyChart(TCanvas& Canvas);
  /// A raster copy of the chart, optionally with black-and-white frame colours.
  QImage ChartPicture(bool BlkWhite, bool CrossHairs, bool DAOnly);
  void DrawGrid(TCanvas& Canvas, int X0, int Y0);
  // Kept pieces of the picture that only settings change: the frame outside the data area
  // and the grid (framecache.h). Keys are empty where the piece must be drawn.
  TFrameCache FFrameCache;
  TPixelCache FGridCache;
  bool FFrameCaching = true;
  bool FFrameUnderData = false;  // the paint cycle covers the data area of the frame at once
  TPaintKey FrameKey() const;
  TPaintKey GridKey(TCanvas& Canvas, const std::vector<TPoint>& Lines) const;
  void DrawBackgroundArea(TCanvas& Canvas, int X0, int Y0, int Width, int Height);
  bool DrawBackgroundImage(TCanvas& Canvas, int X0, int Y0, int Width, int Height);
  /// Hook of the cross-hair drawing of DrawFinish (cross-hairs are drawn by the mouse code).
  void DrawCrossHairsOn(TCanvas& Canvas, int X, int Y);
  /// Hook of the mouse trace step of Paint.
  void DrawMouseTraceOn(TCanvas& Canvas);
  /// A colour of the chart, or the visual style's when styles are on for the element.
  TColor StyledColor(TColor Own, TStyleColor StyleCol, TStyleElement Element) const;
  /// Colour of texts outside the data area: with visual styles and seFont the palette's text
  /// colour, as long as it reads on the window colour actually used; else Own.
  TColor StyledTextColor(TColor Own) const;

  // HIT TESTING state
  /// Measure of one annotation against the world query (x, y) whose active-layer pixel is
  /// (Qx, Qy); NaN when the item is no candidate. TextCanvas measures text boxes.
  double AnnoElemMeasure(const TrcChartItem& Item, int Index, double x, double y, double Qx,
                         double Qy, TCanvas& TextCanvas);
  /// The box of a text annotation as drawn, in control pixels.
  void AnnoTextBox(const TrcChartItem& Item, int Index, TCanvas& TextCanvas, int& Left,
                   int& Top, int& Right, int& Bottom);

  // ITEM DRAWING state
  static constexpr int kMaxPolyPoints = 200;
  TColor FLastPenCol = clWhite;
  TPenStyle FLastPenStyle = psSolid;
  TColor FLastBrushCol = clWhite;
  TColor FLastFontCol = clWhite;
  int FLastLWidth = 1;
  int FLastMoveToX = 0, FLastMoveToY = 0;
  std::array<TPoint, kMaxPolyPoints> FPPa{};
  int FNumPPa = 0;
  /// Duplicate-mark map, FPixMapW x FPixMapH cells: -1 free, else the mark type there.
  std::vector<int> FPixMap;
  int FPixMapW = 0, FPixMapH = 0;
  TFont FTextFont;
  /// Off: polylines are drawn point by point (to compare with the column-merging path).
  bool FMergePolyColumns = true;
  /// Draws a tkLineto item that needs no pen change; false when the full path must do it.
  bool DrawLinetoQuickly(TCanvas& Canvas, const TrcChartItem& Item, int X0, int Y0);
  /// Off: every item is drawn from its record (to compare with the run path).
  bool FUseLineRunCache = true;
  /// Off: single DrawTo and MarkAt calls always take the general path of AddPoints (to compare
  /// with lengthening the last run directly).
  bool FAppendFastPath = true;
  /// Whether polylines on the canvas's present pen may be column-merged.
  bool MergeColumns(TCanvas& Canvas) const;
  /// Canvas pixel of a world point of a tkLineto item, as DrawLinetoQuickly places it.
  TPoint LinetoPixel(int Layer, double x, double y, int X0, int Y0) const;
  /// Draws the tkLineto items From..To-1 of one run of Store on Layer, whose pen is already
  /// set, from the store's coordinates and block summaries.
  void DrawLineRun(TCanvas& Canvas, TRcItemContainer& Store, int Layer, int From, int To, int X0,
                   int Y0);
  void SetItemPen(TCanvas& Canvas, TColor Col, TPenStyle Style, TColor Fill);
  void SetItemPenStyle(TCanvas& Canvas, TPenStyle Style);
  void SetItemPenCol(TCanvas& Canvas, TColor Col);
  /// Canvas pixel of an item coordinate pair: world through the layer, or a data-area offset.
  TPoint ItemPixel(const TrcChartItem& Item, double x, double y, bool xWorld, bool yWorld, int X0,
                   int Y0) const;
  TPoint CurrentDrawPos(TCanvas& Canvas) const;
  bool MarkIsDuplicate(int MarkType, int px, int py);
  void DrawItemText(TCanvas& Canvas, const TrcChartItem& Item, int Index, bool IsAnnotation,
                    const TLongTextArray& LongTexts, bool BlackWhite, int X0, int Y0);
  void DrawItemArrow(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite, int X0, int Y0);
  void DrawItem3DBar(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite, int X0, int Y0);
  void DrawItemErrorBar(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite, int X0,
                        int Y0);
  void DrawItemRectFrame(TCanvas& Canvas, const TrcChartItem& Item, TPoint P1, TPoint P2,
                         bool BlackWhite);
  void DrawItemArc(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite, int X0, int Y0);

  // MOUSE state
  /// The chart wants Tab (and the arrow keys) as key strokes instead of moving the focus on.
  bool focusNextPrevChild(bool next) override;
  std::array<bool, 2> FMouseAffLayer{true, false};
  TZoomState FZoomState = 0;  // 1: a rubber figure is being dragged
  int WindAnchorX = 0, WindAnchorY = 0, WindOldCornerX = 0, WindOldCornerY = 0;
  TMouseBoxState MouseBoxState = 0;  // 0 idle, 1 waiting, 2 dragging, 3 done
  int MouseBoxX1 = 0, MouseBoxY1 = 0, MouseBoxX2 = 0, MouseBoxY2 = 0;
  bool LButtonWasDown = false;  // a left-button drag is armed
  int FLastMouseX = 0, FLastMouseY = 0;
  std::array<int, 2> FMAnchorScrX{}, FMAnchorScrY{};
  std::array<double, 2> FMAnchorRcLoX{}, FMAnchorRcHiX{}, FMAnchorRcLoY{}, FMAnchorRcHiY{};
  double FPanGridDx = 1, FPanGridDy = 1, FPanGridOffsX = 0, FPanGridOffsY = 0;
  bool FMCurFixed = true;
  double FMousePosX = 0, FMousePosY = 0;
  int CHNext = 1, TLNext = 1;
  bool FWasDblClk = false;
  bool MouseMoveActive = false;
  /// Reset values of the mouse settings and states.
  void ResetMouse();
  bool InDataArea(int X, int Y) const;
  void ClampToDataArea(int& X, int& Y) const;
  /// Records the mouse pixel and both layers' ranges as the anchors of a drag.
  void ArmMouseDrag(int X, int Y);
  /// A rubber line or rectangle inverted on the window picture: drawn twice it vanishes.
  void XorRubber(bool Line, int x1, int y1, int x2, int y2);
  void EraseRubberFigures();
  /// Inverts the rubber figures of the drags in progress on the window picture (drawn twice
  /// they vanish).
  void XorRubberFigures();
  void HandleMouseMove(TShiftState Shift, int X, int Y);
  bool ScaleDragStep(int X, int Y);
  void PanStep(int X, int Y);
  void DragZoomStep(int X, int Y);
  void RubberStep(int X, int Y);
  void CrossHairDragStep(int X, int Y);
  void TextLabelDragStep(int X, int Y);
  void FinishRubberDrag(TMouseButton Button);
  void UpdateMouseCursor(int X, int Y);

  // OVERLAY state
  /// Records control pixel (X, Y) (already inside the data area) as the next trace point and
  /// draws the segment from the previous point on the window picture.
  void MouseTraceStep(int X, int Y);
  /// The newest trace point ends its stroke.
  void MouseTraceEndStroke();
  /// Redraws the cross-hairs on the cached picture without rebuilding it.
  void RedrawCrossHairs();
  std::vector<TColoredPoint> FMTrace;  // grown to kMaxMouseTrace on first use
  int FNumMTrace = 0;
  TColor FColorMTrace = 0xFFFFFF;
  bool FMTraceInvert = true;
  // Mode of each cross-hair when it last reported a change: a change of a cross-hair that
  // was and stays off needs no redraw.
  std::array<TCrossHMode, 4> FCHLastMode{};
  // Set while the chart changes a cross-hair itself and redraws on its own terms.
  bool FCHQuiet = false;
  /// Change handler of cross-hair n: redraws the overlay (repaint policy applies).
  void CrossHairChanged(int n);
  void DrawCrossHairsCanvas(TCanvas& Canvas, int X0, int Y0);
  void DrawMouseTraceCanvas(TCanvas& Canvas, int X0, int Y0);
  /// \endcond

 private:
  // Layers (rchart_layers.cpp, rchart_scales.cpp).
  void CreateLayers();
  void ResetLayers();
  void RefreshTransform(size_t LayerIx);
  void AdjustScaleGeometry();
  void MarginChanged();
  /// Copies settings into one of the chart's axis objects and applies them at once.
  void AssignScaleProps(TScaleProps& Own, const TScaleProps& v);
  /// ScalePropsChanged without the repaint.
  void ApplyAllScaleProps();
  void ReapplyIsometric();
  double IsoHalfHeight(double xLo, double xHi) const;
  void ConfineRange(long double& lo, long double& hi, double L, double H, bool shift) const;
  void SetEqualRangeAxes(TLayerSet Layers, bool doX, bool doY);
  void AutoRangeAxes(int Layer, double Margin, double MinRange, bool doX, bool doY);
  bool RawExtents(int Layer, double& MinX, double& MinY, double& MaxX, double& MaxY) const;
  static void ApplyMargin(double& lo, double& hi, double Margin, bool log, bool testPositive);
  static void ApplyMinWidth(double& lo, double& hi, double MinRange);

  /// Grows the container chosen by AnnoMode for n more items as n single additions would;
  /// returns how many fit (0 when it cannot grow any further).
  int GrowContainer(int n);
  /// The fields that every new item takes from the drawing state.
  void FillCommonFields(TrcChartItem& it, TrcItem Kind, TCoordMode cm) const;
  /// The next slot of the container chosen by AnnoMode (grown as needed) with the common
  /// fields; false when the container cannot grow any further.
  bool NewItem(TrcChartItem& it, TrcItem Kind, TCoordMode cm);
  /// Stores a completed new item, counts it (data container only) and updates the share.
  void CommitNewItem(const TrcChartItem& it);
  /// n tkLineto or tkMarkAt (mark mk) items at (x[k], y[k]), as n single additions.
  void AddPoints(TrcItem Kind, const double* x, const double* y, size_t n, TCoordMode cm,
                 uint8_t mk);
  /// The drawing state a single tkLineto or tkMarkAt item takes, and the state of the store
  /// right after the last addition: while both stay the same and that addition ended in a
  /// run, the next point of the same kind only lengthens the run.
  struct TAppendKey {
    uint64_t StoreId = 0;  // 0: no run to lengthen
    uint64_t Generation = 0;
    TColor Color = 0, Fill = 0;
    int32_t Tag = 0, Layer = 0;
    uint8_t Kind = 0, Mode = 0, PenStyle = 0, LWid = 0, ItemClass = 0, Mark = 0;
    bool Anno = false;
    bool operator==(const TAppendKey&) const = default;
  };
  TAppendKey AppendKey(const TRcItemContainer& c, TrcItem Kind, TCoordMode cm, uint8_t mk) const;
  /// Adds the point as AddPoints would when it can only lengthen the run at the end; false
  /// (nothing done) otherwise.
  bool ExtendRun(TrcItem Kind, double x, double y, TCoordMode cm, uint8_t mk);
  TAppendKey FAppendKey;
  /// Stores txt in it.Text and, when longer than 15 characters, as a long text.
  static void StoreText(TrcChartItem& it, const std::string& txt, TLongTextArray& Texts,
                        int& NumTexts);
  /// Empties a container to one zeroed slot.
  static void ResetContainer(TRcItemContainer& c);
  void ResetDataStore();
  void ResetAnnoStore();
  void RepaintIfAuto();
  void ReceiveSharedState(const TCustomRChart& From);
  void RemoveUser(TCustomRChart* User);
  void TakePrivateDataCopy();
  void LeaveShareSilently();
  /// Every user of this chart's data continues with a copy of its own.
  void ReleaseUsers();

  // Files.
  void SaveContainer(const std::string& FName, bool Anno);
  int LoadContainer(const std::string& FName, bool AppendIt, bool Anno);
};

/// The chart as placed on a form: painting starts when its window exists.
///
///   auto* chart = new TRChart(parentWidget);
///   chart->SetBounds(0, 0, 400, 300);
class TRChart : public TCustomRChart {
  Q_OBJECT
 public:
  /// A chart of 280 x 200 pixels in its reset state; it paints once its window exists.
  explicit TRChart(QWidget* parent = nullptr) : TCustomRChart(parent) {}
  /// "TRChart".
  std::string ClassName() const override { return "TRChart"; }

 protected:
  /// Creates the window and lets the chart paint from now on (SuppressPaint off).
  void CreateWnd() override;
};

}  // namespace zyr
