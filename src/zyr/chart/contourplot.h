// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TContourPlot: a scalar field z(x, y) over layer 1 as dotted iso-lines or a colour surface.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/bytematrix.h>
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/numerics/matrix.h>
#include <zyr/scales/colorscale.h>

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>

namespace zyr {

/// How the pivot grid is turned into pixels.
enum TContourPlotMode : uint8_t {
  cpmDots,                ///< iso-lines as dots (lines when Antialiased), each level in its colour
  cpmMonoDots,            ///< iso-lines as dots (lines when Antialiased) in IsoColors colour 1
  cpmColorSurface,        ///< bilinearly interpolated colour surface
  cpmColorSurfNoIp,       ///< one colour per pivot cell
  cpmColorSurfNoIpTransp  ///< as cpmColorSurfNoIp, cells below IsoLow left transparent
};

/// Supplies the value z (and may change the mask byte) of pivot (pivx, pivy) at world (x, y).
using TEstimateZValEvent = std::function<void(TObject* Sender, double x, double y, int pivx,
                                              int pivy, double& z, uint8_t& Mask)>;

/// A chart that shows a scalar field over its first layer. The field is sampled on a grid of
/// pivots spanning the layer-1 range; the application supplies each value in OnEstimateZVal
/// (interpolating its own data there). Ordinary chart items, annotations and text labels are
/// drawn on top of the contour image.
///
///   auto* cp = new TContourPlot(parent);
///   cp->ResizePivotMatrix(500, 500);                 // 100 x 100 pivots
///   cp->SetIsoParams(-1, 1, 0.1);
///   cp->OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
///     z = std::sin(x) * std::cos(y);
///   };
///   cp->SetPlotMode(cpmColorSurface);
///
/// The data-area picture is cached: it is rebuilt (and the pivots re-estimated) only after a
/// change that invalidates it. CalculatePivotPoints(true) freezes the values until
/// CalculatePivotPoints(false) or ClearPivotPoints(false). A pivot whose value is NaN or
/// infinite is drawn like a blanked pivot (mask byte 1) and stays out of its neighbours'
/// averages and of MaxPivot / MinPivot; its own mask byte is kept. Mask bytes: 0 normal,
/// 1 blanked, 2..254 a MaskPalette colour, 255 rendered and then colour-inverted. An
/// exception thrown by OnEstimateZVal ends the pass and reaches the caller (also out of a
/// paint); the plot stays usable. Gallery pages "contourplot-*".
class TContourPlot : public TCustomRChart {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and repainting.
  ///@{
  Q_PROPERTY(int PlotMode READ PlotMode WRITE QtSetPlotMode)
  Q_PROPERTY(int NumPivotsX READ NumPivotsX WRITE SetNumPivotsX)
  Q_PROPERTY(int NumPivotsY READ NumPivotsY WRITE SetNumPivotsY)
  Q_PROPERTY(double IsoLow READ IsoLow WRITE SetIsoLow)
  Q_PROPERTY(double IsoHigh READ IsoHigh WRITE SetIsoHigh)
  Q_PROPERTY(double IsoDist READ IsoDist WRITE SetIsoDist)
  ///@}
 public:
  /// A contour plot with one pivot per 5 pixels of the data area, iso levels -1 .. 1 by 0.1,
  /// colour surface; no value handler yet.
  explicit TContourPlot(QWidget* parent = nullptr);
  /// Releases the grid, mask and colour tables.
  ~TContourPlot() override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TContourPlot"; }

  /// Largest grid size along one axis set through SetPivotResX/Y and SetPivotRes.
  static constexpr int kMaxPivots = 5000;

  /// Back to the initial state: the chart's reset, then a grid of one pivot per 5 pixels of
  /// the data area, ranges -5.2..5.2, iso levels -1..1 by 0.1, colour surface.
  void ResetComp() override;
  /// From another TContourPlot also the grid, mask, colours, iso settings and events.
  void Assign(const TPersistent* Source) override;

  // ---------------------------------------------------------------- mode and switches
  /// How the grid becomes pixels (default cpmColorSurface); rebuilds the picture and repaints
  /// (with AutoRedraw) on change.
  ///@{
  TContourPlotMode PlotMode() const { return FPlotMode; }
  void SetPlotMode(TContourPlotMode v);
  ///@}
  /// Estimation switched on (default on); a change shows at the next recalculation (no
  /// invalidation).
  ///@{
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  ///@}
  /// Clearing it rebuilds the data area and paints at once.
  void SetSuppressPaint(bool v) override;
  /// Antialiased also draws the iso-lines of cpmDots and cpmMonoDots as smooth lines
  /// through the crossings, in the colours and width of the dots, instead of the dots.
  void SetAntialiased(bool v) override;
  /// Iso-lines are drawn as smooth lines: Antialiased in a dot mode.
  bool SmoothIsoLines() const {
    return Antialiased() && (FPlotMode == cpmDots || FPlotMode == cpmMonoDots);
  }
  /// The chart's theme, and the theme's level colours (TChartTheme::LevelColors) for
  /// IsoColors while they are still those the library gave (a new table's or a theme's):
  /// colours the program set are its data and stay. The picture is rebuilt.
  void ApplyTheme(const TChartTheme& Theme) override;

  // ---------------------------------------------------------------- pivot grid
  /// Grid size along x and y in pivots (at least 2); setting one discards values and mask
  /// (SetPivotResX, SetPivotResY).
  ///@{
  int NumPivotsX() const { return FNumPivotX; }
  int NumPivotsY() const { return FNumPivotY; }
  void SetNumPivotsX(int n) { SetPivotResX(n); }
  void SetNumPivotsY(int n) { SetPivotResY(n); }
  ///@}
  /// Grid size along one axis, clamped to 2..kMaxPivots; discards values and mask.
  ///@{
  void SetPivotResX(int n);
  void SetPivotResY(int n);
  ///@}
  /// Pixels per pivot along the longer side of the data area (at least 10), the other side
  /// in proportion; discards values and mask.
  void SetPivotRes(int n);
  /// Pixels per pivot along the longer grid side: 5 times the larger grid size.
  ///@{
  int GetPivotRes() const;
  int PivotResolution() const { return GetPivotRes(); }
  void SetPivotResolution(int n) { SetPivotRes(n); }
  ///@}
  /// Grid of nx div 5 by ny div 5 pivots, arguments clamped to 10..5000.
  void ResizePivotMatrix(int nx, int ny);
  /// World coordinates of pivot column ix / row iy (1-based) on the current layer-1 range.
  ///@{
  double PivotPosX(int ix) const;
  double PivotPosY(int iy) const;
  ///@}

  /// Pivot value (0 outside the grid).
  ///@{
  double GetPivotVal(int ix, int iy) const { return FPivotMat.Elem(ix, iy); }
  double PivotMat(int ix, int iy) const { return GetPivotVal(ix, iy); }
  ///@}
  /// Mask byte (0 outside the grid); writes outside are ignored. Neither invalidates.
  ///@{
  uint8_t GetMaskVal(int ix, int iy) const;
  void SetMaskVal(int ix, int iy, uint8_t Value);
  uint8_t Mask(int ix, int iy) const { return GetMaskVal(ix, iy); }
  void SetMask(int ix, int iy, uint8_t Value) { SetMaskVal(ix, iy, Value); }
  ///@}
  /// Fills the whole mask with \p Value; does not rebuild the picture.
  void FillMask(uint8_t Value);
  /// The mask byte as rendering treats it: 1 for a pivot with a non-finite value and for
  /// neighbours beyond the border, else the stored byte.
  uint8_t EffectiveMask(int ix, int iy) const;

  /// Asks OnEstimateZVal for every pivot (unless frozen and PreCalcFlag is false), with
  /// progress reports and message processing per step; PreCalcFlag true freezes the values.
  void CalculatePivotPoints(bool PreCalcFlag);
  /// Zeroes the values (unless frozen and PreCalcFlag is false); sets the freeze flag.
  void ClearPivotPoints(bool PreCalcFlag);
  /// Values are frozen: rebuilding the picture does not re-estimate them.
  bool PivotPreCalc() const { return FPivotPreCalc; }
  /// Percentile (0..1) of all pivot values; with UseMask only of those with mask byte 0
  /// (NaN when there is none).
  ///@{
  double PercentilePivots(double prob) const;
  double PercentilePivots(double prob, bool UseMask) const;
  ///@}
  /// Reports progress in percent: runs OnProgress and emits progress().
  void FeedbackProgress(int percent);
  /// Extremes of the finite values of the last calculation.
  ///@{
  double MaxPivot() const { return FMaximum; }
  double MinPivot() const { return FMinimum; }
  ///@}

  // ---------------------------------------------------------------- iso levels and colours
  /// Iso levels: the lowest level and bottom of the colour range (default -1), the top of
  /// the colour range (default 1) and the distance of the levels (default 0.1). A change
  /// rebuilds the picture and repaints (with AutoRedraw); low and high also update the
  /// attached colour scale.
  ///@{
  double IsoLow() const { return FIsoLow; }
  double IsoHigh() const { return FIsoHigh; }
  double IsoDist() const { return FIsoDist; }
  ///@}
  /// Non-finite values are ignored (SetIsoParams then changes nothing). Low at or above high
  /// pushes high to low + 1, and the other way round.
  ///@{
  void SetIsoLow(double x);
  void SetIsoHigh(double x);
  void SetIsoDist(double x);
  void SetIsoParams(double iLow, double iHigh, double iDist);
  ///@}
  /// Number of iso levels IsoLow + j * IsoDist (j = 0..count - 1) below IsoHigh, at most
  /// 65535; 0 when IsoDist is not positive.
  int NumIsoLevels() const;
  /// Value of iso level \p j (from 0).
  double IsoLevel(int j) const { return FIsoLow + j * FIsoDist; }
  /// The levels lying strictly between a and b (in any order) are jFirst..jLast; false when
  /// there is none.
  bool IsoLevelsBetween(double a, double b, int& jFirst, int& jLast) const;
  /// Colour index (1..count of IsoColors) of a value; at or below IsoLow, and NaN, give 1.
  int IsoColorIndex(double v) const;
  /// Colour of a value, IsoColors entry IsoColorIndex(v).
  TColor IsoColorOf(double v) const { return IsoColors.Color(IsoColorIndex(v)); }
  /// Sends the colours and the iso range to the attached colour scale.
  void IsoColorsChanged();

  /// The colour legend kept in step with IsoColors and the iso range; a destroyed legend
  /// detaches itself.
  ///@{
  TColorScale* AttachedColorScale() const { return FExtColScale.data(); }
  void SetAttachedColorScale(TColorScale* v) { FExtColScale = v; }
  ///@}

  /// Colours of the value range (public, as the legend's).
  TColorArray IsoColors;
  /// Colours of mask bytes 2..254; changes show at the next rebuild (DrawPlot).
  TColorArray MaskPalette;

  /// Supplies the value of each pivot (and may change its mask byte); called while the
  /// picture is rebuilt unless the values are frozen, and by CalculatePivotPoints.
  TEstimateZValEvent OnEstimateZVal;
  /// Progress of a calculation in percent. Emits progress().
  TOnPercentDoneEvent OnProgress;

  // Qt signal after the handler: OnProgress -> progress. OnEstimateZVal (per grid point,
  // answers through a reference) has none.
 signals:
  /// Emitted right after OnProgress.
  void progress(int Percent);

 public:

  // ---------------------------------------------------------------- cached picture
  /// The data-area picture must be rebuilt at the next paint.
  bool InvalidDataBmp() const { return FInvalidDataBmp; }
  /// Rebuilds the data area and repaints.
  void DrawPlot();
  /// Change handlers: a text label changed (rebuild and repaint), zoom/pan or resize
  /// (rebuild at the next paint).
  ///@{
  void CplotStyleChanged(TObject* Sender);
  void ProcessZoomPan(TObject* Sender);
  void ProcessResize(TObject* Sender);
  ///@}
  /// New items are part of the cached picture, so showing them rebuilds it.
  void ShowGraf() override;
  void ShowGrafNewOnly() override { ShowGraf(); }

  // Chart settings that change the cached picture.
  /// Background colour of the data area; rebuilds the picture on change.
  ///@{
  void SetChartColor(TColor v) { SetChartCol(v); }
  void SetChartCol(TColor v) override;
  ///@}
  /// Colour of the data area's frame; rebuilds the picture on change.
  ///@{
  void SetChartFrameColor(TColor v) { SetChartFrameCol(v); }
  void SetScaleCol(TColor v) override { SetChartFrameCol(v); }
  void SetChartFrameCol(TColor v);
  ///@}
  /// Shows or hides the items of class \p cnum; rebuilds the picture on change.
  ///@{
  void SetClassVisible(int cnum, bool v) override { SetClassVisib(cnum, v); }
  void SetClassVisib(int cnum, bool v);
  ///@}
  /// Shows or hides the annotations of class \p cnum; rebuilds the picture on change.
  ///@{
  void SetAnnoClassVisible(int cnum, bool v) override { SetAnnoClassVisib(cnum, v); }
  void SetAnnoClassVisib(int cnum, bool v);
  ///@}
  /// Margins of the data area and width of its shadow in pixels; a change rebuilds the
  /// picture.
  ///@{
  void SetMarginLeft(int v) { SetLRim(v); }
  void SetMarginRight(int v) { SetRRim(v); }
  void SetMarginTop(int v) { SetTRim(v); }
  void SetMarginBottom(int v) { SetBRim(v); }
  void SetShadowWidth(int v) { SetF3DRim(v); }
  void SetLRim(int v) override;
  void SetRRim(int v) override;
  void SetTRim(int v) override;
  void SetBRim(int v) override;
  void SetF3DRim(int v) override;
  ///@}
  /// Text labels: as the chart's, and each rebuilds the picture (AddTextLabel repaints with
  /// AutoRedraw and answers the label's number).
  ///@{
  void HideAllTextLabels();
  void ClearAllTextLabels();
  int AddTextLabel(double x, double y, TColor Color, const std::string& Caption, int Template);
  ///@}
  // Qt forms: the chart's for the virtual setters, own ones where the chart's would bypass
  // the calls of this class.
  /// Qt forms of the colour setters above.
  ///@{
  using TCustomRChart::SetChartCol;
  using TCustomRChart::SetChartColor;
  using TCustomRChart::SetChartFrameColor;
  using TCustomRChart::SetScaleCol;
  ///@}
  /// SetChartFrameCol with a QColor or Qt::GlobalColor; an invalid QColor gives clNone.
  void SetChartFrameCol(const QtColor auto& v) { SetChartFrameColor(v); }
  /// Qt form of AddTextLabel (QColor, QString).
  ///@{
  template <class C, class S>
  requires AnyQtArg<C, S>
  int AddTextLabel(double x, double y, const C& Color, const S& Caption, int Template) {
    return AddTextLabel(x, y, qtarg::Lib(Color), qtarg::Lib(Caption), Template);
  }
  ///@}

  // Copy and print: the picture is rebuilt for the copy and again for the next paint.
  /// Copies and prints as the chart's; the value picture is rebuilt for the copy and again
  /// for the next paint. False when it fails (also when a handler deleted the plot).
  ///@{
  bool CopyToBitmap(TBitmap& ABitmap, bool BlkWhite) {
    return CopyToBitmap(ABitmap, BlkWhite, true);
  }
  bool CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs);
  bool CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite) {
    return CopyToBitmapDAOnly(ABitmap, BlkWhite, true);
  }
  bool CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs);
  bool CopyToBMP(const std::string& FName, bool BlkWhite);
  bool CopyToBMP(const QtText auto& FName, bool BlkWhite) {
    return CopyToBMP(FromQString(FName), BlkWhite);
  }
  /// \cond internal
  // Setter of the PlotMode property; values outside the enumeration are ignored.
  void QtSetPlotMode(int v) {
    if (v >= cpmDots && v <= cpmColorSurfNoIpTransp) SetPlotMode(TContourPlotMode(v));
  }
  /// \endcond
  bool CopyToClipboard(bool BlkWhite) { return CopyToClipboard(BlkWhite, true); }
  bool CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs);
  bool CopyToClipboardDAOnly(bool BlkWhite) { return CopyToClipboardDAOnly(BlkWhite, true); }
  bool CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs);
  bool CopyToClipboardWMF(bool BlkWhite);
  bool CopyToClipBoardWMF(bool BlkWhite) { return CopyToClipboardWMF(BlkWhite); }
  bool PrintIt(double ScaleF, bool BlkWhite);
  ///@}

  // ---------------------------------------------------------------- layer-1 forms
  /// Layer-1 forms of the chart's transforms: world to pixel (R2M), pixel to world (M2R) and
  /// the transform's factors and offsets.
  ///@{
  using TCustomRChart::GetTransformParams;
  using TCustomRChart::M2R;
  using TCustomRChart::R2M;
  using TCustomRChart::SetRange;
  void R2M(double xin, double yin, int& xout, int& yout) const { R2M(1, xin, yin, xout, yout); }
  void M2R(int xin, int yin, double& xout, double& yout) const { M2R(1, xin, yin, xout, yout); }
  void GetTransformParams(double& kx, double& dx, double& ky, double& dy) const {
    GetTransformParams(1, kx, dx, ky, dy);
  }
  ///@}
  /// Layer-1 range; always rebuilds the picture.
  void SetRange(double xLo, double yLo, double xHi, double yHi);
  /// Copies the settings into cross-hair i and repaints when AutoRedraw is on.
  void SetCrossHair(int i, const TCrossHair& v);
  /// Moves a cross-hair: cross-hair 1 when no number is given.
  ///@{
  using TCustomRChart::CrossHairSetPos;
  void CrossHairSetPos(double x, double y) { CrossHairSetPos(1, x, y); }
  ///@}

  /// Data-area picture: rebuilt (pivots, values, mask, items, labels) only when invalid; the
  /// frame is always drawn.
  void ConstructDataBmp(TBitmap& Bmp, int OffsX, int OffsY, bool Flag, int StartElem) override;
  /// The same onto a canvas without pixel access (vector export).
  void ConstructDataBmpCanvas(TCanvas& Canvas, int OffsX, int OffsY, bool Flag,
                              int StartElem) override;
  /// Keeps the cached picture in step with the layer-1 transform.
  void AdjustScaling() override;

 protected:
  /// A TContourPlot target takes this plot's settings (Assign).
  void AssignTo(TPersistent* Dest) const override;
  /// Clears SuppressPaint once the window exists.
  void CreateWnd() override;
  /// Paint cycle with the cached data-area picture.
  void Paint() override;
  /// Keeps the data-area picture while it is valid and of the right size.
  void PrepareDataBmp(int Width, int Height) override;

  /// Marks the picture invalid and repaints when AutoRedraw is on or while designing.
  void InvalidateAndRedraw();
  /// Repaints when AutoRedraw is on or while designing, without rebuilding the picture.
  void RedrawIfAuto();
  /// Change handler of IsoColors.
  void ChangedIsoColorsEvent(TObject* Sender);
  /// New zeroed grid of the given size with a cleared mask; invalidates and repaints.
  void NewPivotGrid(int nx, int ny);
  /// The estimation step of a picture rebuild: estimates unless the values are frozen and
  /// leaves the freeze as it is. (CalculatePivotPoints(false) releases a freeze, so calling
  /// it from the rebuild would end the freeze after a single paint.)
  void UpdatePivotPoints();

  /// Value rendering and mask overlay into \p Bmp at offset (OffsX, OffsY).
  void RenderFromPivotPoints(TBitmap& Bmp, int OffsX, int OffsY);
  /// Dotted iso-lines / interpolated colours of one cell into 32-bit rows (Pixels is row 0,
  /// Stride in pixels, negative for bottom-up buffers).
  ///@{
  void IsoQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY, double x,
                 double y, double dx, double dy, double zLL, double zLR, double zUL, double zUR,
                 uint16_t NumX, uint16_t NumY);
  void IsoColQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY, double x,
                    double y, double dx, double dy, double zLL, double zLR, double zUL, double zUR,
                    uint16_t NumX, uint16_t NumY);
  ///@}
  /// The same on a canvas, with identical geometry and colours.
  ///@{
  void IsoQuad(TCanvas& Canvas, int OffsX, int OffsY, double x, double y, double dx, double dy,
               double zLL, double zLR, double zUL, double zUR, uint16_t NumX, uint16_t NumY);
  void IsoColQuad(TCanvas& Canvas, int OffsX, int OffsY, double x, double y, double dx, double dy,
                  double zLL, double zLR, double zUL, double zUR, uint16_t NumX, uint16_t NumY);
  ///@}
  /// Text labels into the data-area picture.
  void RenderLabels(TCanvas& Canvas, int OffsX, int OffsY);

  /// Plot mode (PlotMode).
  TContourPlotMode FPlotMode = cpmColorSurface;
  /// Pivot values, NumPivotsX columns by NumPivotsY rows, from 1.
  TMatrix FPivotMat;
  /// Mask bytes of the pivots.
  TByteMatrix FMaskMat;
  /// Grid size.
  ///@{
  int FNumPivotX = 2;
  int FNumPivotY = 2;
  ///@}
  /// Iso settings (IsoLow, IsoHigh, IsoDist) and the extremes of the last calculation.
  ///@{
  double FIsoLow = -1.0, FIsoHigh = 1.0, FIsoDist = 0.1;
  double FMaximum = 0, FMinimum = 0;
  ///@}
  /// Estimation switched on (Enabled).
  bool FEnabled = true;
  /// The values are frozen (PivotPreCalc).
  bool FPivotPreCalc = false;
  /// The attached colour scale; cleared when it is destroyed.
  QPointer<TColorScale> FExtColScale;
  /// IsoColors as the library last gave them (new table or theme); a theme replaces only
  /// these.
  std::vector<TColor> FGivenIsoColors;
  /// A calculation is running (message processing may call back in).
  bool FCalculating = false;
  /// Layer-1 transform and data-area size the cached picture was made for.
  struct TPictureGeometry {
    /// Transform factors and offsets of layer 1.
    ///@{
    double kx = 0, dx = 0, ky = 0, dy = 0;
    ///@}
    /// Size of the data area in pixels.
    ///@{
    int w = -1, h = -1;
    ///@}
    /// Same geometry.
    bool operator==(const TPictureGeometry&) const = default;
  };
  /// The geometry of the cached picture.
  TPictureGeometry FPictureGeometry;

  // RENDERING helpers
  /// IsoColors as 32-bit row pixels (entry k for index k); kept while a picture is rendered.
  ///@{
  std::vector<uint32_t> IsoRowColors() const;
  std::vector<uint32_t> FIsoRowColors;
  ///@}
  /// Mask overlay: palette cells painted, highlighted cells inverted, the rest kept. False
  /// \p Marked tells that no mask byte above 1 is set, so there is nothing to look for.
  void RenderMask(TBitmap& Bmp, int OffsX, int OffsY, double dx, double dy, bool Marked = true);
  /// Steps around the values: the handler before them, items and labels on top, then the
  /// closing handler and the frame.
  ///@{
  void BeforeRenderData(TCanvas& Canvas, int OffsX, int OffsY);
  void RenderOnTop(TCanvas& Canvas, int OffsX, int OffsY, bool Flag);
  void FinishDataArea(TCanvas& Canvas, int OffsX, int OffsY);
  ///@}

 public:
  /// Background of the data area; on the cached picture itself (the chart's ShowGraf) it also
  /// marks the picture for rebuilding, so the values are never wiped without being redrawn.
  void InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) override;
};

}  // namespace zyr
