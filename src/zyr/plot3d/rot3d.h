// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TRot3D: a rotatable 3D plot of marks and polylines.

#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/control.h>
#include <zyr/qt.h>

#include <QVector3D>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyr {

namespace rot3d {
/// Kinds of the items of a TRot3D. They live in their own namespace because the 2D chart
/// uses some of the same enumerator names with other values.
enum Tr3Item : uint8_t {
  /// No item (an empty slot, or an index out of range).
  tkNone = 0,
  /// A mark (MarkAt).
  tkMarkAt = 1,
  /// A line from the previous point (Drawto).
  tkLineto = 2,
  /// A line between two points of its own (Line).
  tkLine = 3,
  /// A pen move without drawing (Moveto).
  tkMoveto = 4,
  /// Any kind, for the nearest-item searches.
  tkEverything = 5
};
}  // namespace rot3d
using rot3d::Tr3Item;

/// Handedness of the displayed coordinate system: adLeftHanded (default) or adRightHanded,
/// which exchanges the x and y axes in the projection (a mirror image).
enum TAxDir : uint8_t { adLeftHanded = 0, adRightHanded = 1 };

/// One item of a TRot3D in world coordinates.
struct Tr3ChartItem {
  /// World position (the first point of a tkLine item).
  ///@{
  double x = 0, y = 0, z = 0;  // position (first point of a line)
  ///@}
  /// Item colour; only the low 24 bits are used.
  TColor color = clBlack;      // only the low 24 bits are used
  /// Application tag (DataTag when the item was added).
  int32_t tag = 0;
  /// What the item is.
  Tr3Item ItemKind = rot3d::tkNone;
  /// Second point of a tkLine item.
  ///@{
  double x2 = 0, y2 = 0, z2 = 0;  // second point of a tkLine item
  ///@}
  /// Mark type of a tkMarkAt item; line width in pixels of tkLineto and tkLine.
  uint8_t marklw = 0;             // mark type, or line width of tkLineto and tkLine
};

/// Asks for the label of the mark drawn as object \p obj (counted from 0).
using TLblRequestEvent =
    std::function<void(TObject* Sender, int obj, std::string& LblText, int& dx, int& dy,
                       TAlignment& HAlign, TVerticalAlignment& VAlign, TFont& LblFont)>;

/// A cloud of 3D marks and polylines that the user rotates, zooms and pans with the mouse.
///
/// Add items in world coordinates (MarkAt, Moveto, Drawto, Line), then call MakeVisible: it
/// maps the world into an integer model space (about 1000 units across) and repaints. The
/// picture shows an optional bounding box with shaded faces, the axes and the items in the
/// order they were added; OnLblRequest supplies texts beside the marks.
///
///   auto* r = new TRot3D(parent);
///   r->MarkAt(1.0, 2.0, 3.0, 20);
///   r->MakeVisible();
///
/// The picture keeps the model origin in the middle of the control and grows and shrinks with
/// it: Magnification 0.8 (the default) shows the box and auto-scaled data whole at any size.
/// A handler that wants to delete the control should call deleteLater() on it.
///
/// Gallery page "rot3d" shows a helix, a point cloud and both box styles.
///
/// Qt signals, each emitted right after the event's handler (the canvas is only for the
/// handler): OnBeforeRenderData -> beforeRenderData(), OnDataRendered -> dataRendered().
/// OnLblRequest runs per mark while drawing and has no signal. Named values: maRotate,
/// bbFilled, ... below; frame styles and colour schemes as TScale's (TScale::frLowered, ...).
class TRot3D : public TCustomControl {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and repainting.
  ///@{
  Q_PROPERTY(int AllocSize READ AllocSize WRITE SetAllocSize)
  Q_PROPERTY(int CentX READ CentX WRITE SetCentX)
  Q_PROPERTY(int CentY READ CentY WRITE SetCentY)
  Q_PROPERTY(QColor ColorFrame READ QtColorFrame WRITE SetColorFrame)
  Q_PROPERTY(QColor ColorChart READ QtColorChart WRITE SetColorChart)
  Q_PROPERTY(QColor ColorCubeFrame READ QtColorCubeFrame WRITE SetColorCubeFrame)
  Q_PROPERTY(QColor ColorCubeHidLin READ QtColorCubeHidLin WRITE SetColorCubeHidLin)
  Q_PROPERTY(QColor ColorCubeFaceLow READ QtColorCubeFaceLow WRITE SetColorCubeFaceLow)
  Q_PROPERTY(QColor ColorCubeFaceHigh READ QtColorCubeFaceHigh WRITE SetColorCubeFaceHigh)
  Q_PROPERTY(QColor ColorData READ QtColorData WRITE SetColorData)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(bool IsoMetric READ IsoMetric WRITE SetIsoMetric)
  Q_PROPERTY(bool AutoOrigin READ AutoOrigin WRITE SetAutoOrigin)
  Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale)
  Q_PROPERTY(int FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(double Magnification READ Magnification WRITE SetMagnification)
  Q_PROPERTY(int MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(bool MouseRot3Axes READ MouseRot3Axes WRITE SetMouseRot3Axes)
  Q_PROPERTY(int AxDir READ AxDir WRITE QtSetAxDir)
  Q_PROPERTY(int BoundBoxStyle READ BoundBoxStyle WRITE SetBoundBoxStyle)
  Q_PROPERTY(int BoundBoxSize READ BoundBoxSize WRITE SetBoundBoxSize)
  Q_PROPERTY(int AxSize READ AxSize WRITE SetAxSize)
  Q_PROPERTY(bool ShowAxes READ ShowAxes WRITE SetShowAxes)
  Q_PROPERTY(QString AxNameX READ QtAxNameX WRITE SetAxNameX)
  Q_PROPERTY(QString AxNameY READ QtAxNameY WRITE SetAxNameY)
  Q_PROPERTY(QString AxNameZ READ QtAxNameZ WRITE SetAxNameZ)
  Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
  Q_PROPERTY(int TextFontStyle READ TextFontStyle WRITE SetTextFontStyle)
  Q_PROPERTY(int TextMarkSize READ TextMarkSize WRITE SetTextMarkSize)
  Q_PROPERTY(double ViewAngleX READ ViewAngleX WRITE SetViewAngleX)
  Q_PROPERTY(double ViewAngleY READ ViewAngleY WRITE SetViewAngleY)
  Q_PROPERTY(double ViewAngleZ READ ViewAngleZ WRITE SetViewAngleZ)

  ///@}
 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  // Mouse actions the control understands (value of MouseAction).
  /// Left drag shifts the model origin (CentX, CentY).
  static constexpr TMouseActMode maPan = 1;
  /// Left drag up zooms in, down zooms out (Magnification 0.1 .. 5).
  static constexpr TMouseActMode maZoom = 6;
  /// Left drag rotates the view (default).
  static constexpr TMouseActMode maRotate = 12;
  /// Left drag rotates the view, right drag zooms.
  static constexpr TMouseActMode maRotAndZoom = 13;  // left button rotates, right zooms
  // Bounding box styles (SetBoundBoxStyle).
  /// No box.
  static constexpr TBoundingBox bbNone = 0;
  /// The box's edges only.
  static constexpr TBoundingBox bbOutlined = 1;
  /// The box with its three rear faces filled in shades between ColorCubeFaceLow and
  /// ColorCubeFaceHigh (default).
  static constexpr TBoundingBox bbFilled = 2;
  // Frame styles and colour schemes are the scales' (TScale::frLowered, TScale::csGrayWhite,
  // ...; zyr/scales/scale.h), mark types TMarkType (mrkCircle3, ...).

  /// Draws on the canvas of the plot before or after the data.
  using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

  /// A 450 x 300 pixel plot without items, origin in the middle, view angles 110, 150, 210.
  explicit TRot3D(QWidget* parent = nullptr);
  /// Releases the items, drawing objects and picture.
  ~TRot3D() override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TRot3D"; }

  // --- Items (none repaints; MakeVisible shows them) ---
  /// Adds a mark of type \p mk (a TMarkType; 52 and up draw the character of that code,
  /// 200 .. 209 the digits 0 .. 9) at (x, y, z) in world coordinates.
  void MarkAt(double x, double y, double z, uint8_t mk);
  /// Adds a pen move to (x, y, z) that draws nothing.
  void Moveto(double x, double y, double z);
  /// Adds a line from the previous point to (x, y, z) in the current LineWidth.
  void Drawto(double x, double y, double z);
  /// Adds a line from (x1, y1, z1) to (x2, y2, z2) in the current LineWidth.
  void Line(double x1, double y1, double z1, double x2, double y2, double z2);
  /// The same spelled as on the 2D chart.
  ///@{
  void MoveTo(double x, double y, double z) { Moveto(x, y, z); }
  void DrawTo(double x, double y, double z) { Drawto(x, y, z); }
  ///@}
  /// The same with Qt's 3D points (single precision).
  ///@{
  void MarkAt(const QVector3D& p, uint8_t mk) { MarkAt(p.x(), p.y(), p.z(), mk); }
  void MoveTo(const QVector3D& p) { Moveto(p.x(), p.y(), p.z()); }
  void DrawTo(const QVector3D& p) { Drawto(p.x(), p.y(), p.z()); }
  void Line(const QVector3D& p1, const QVector3D& p2) {
    Line(p1.x(), p1.y(), p1.z(), p2.x(), p2.y(), p2.z());
  }
  ///@}
  /// Normalises the items into model space, builds the drawing objects and repaints; without
  /// items it only empties the drawing objects. Throws EZYRRot3DError when memory runs out.
  void MakeVisible();
  /// Clears the off-screen picture and removes every item; the last drawing objects stay.
  void Clear();
  /// Remove the last, the first or the item at \p Index (from 0); an index out of range is
  /// ignored. Removing the last remaining item releases the container.
  ///@{
  void RemoveLastItem();
  void RemoveFirstItem();
  void RemoveItem(int Index);
  ///@}
  /// Item \p idx (from 0); out of range: an item of kind tkNone.
  ///@{
  Tr3ChartItem GetChartItem(int idx) const;
  ///@}
  /// Overwrites item \p idx (from 0); out of range: ignored. MakeVisible shows the change.
  ///@{
  void SetChartitem(int idx, const Tr3ChartItem& item);
  ///@}
  /// Item \p idx as DataContainer: reading out of range gives an item of kind tkNone,
  /// writing out of range is ignored.
  ///@{
  Tr3ChartItem DataContainer(int idx) const { return GetChartItem(idx); }
  void SetDataContainer(int idx, const Tr3ChartItem& item) { SetChartitem(idx, item); }
  ///@}
  /// Item \p Item (from 0); out of range: an item of kind tkNone.
  Tr3ChartItem GetItemParams(int Item) const { return GetChartItem(Item); }
  /// Ignored for items of kind tkNone or tkEverything and for indices out of range.
  void SetItemParams(int Item, const Tr3ChartItem& ItParams);
  /// Number of items added.
  int NumItems() const { return FNumChartItems; }
  /// Kind of the first or last item; tkNone when there is none.
  ///@{
  Tr3Item TypeOfFirstItem() const;
  Tr3Item TypeOfLastItem() const;
  ///@}
  /// Index of the first item of kind ItemID (tkEverything: any) nearest to (mx, my, mz) in
  /// world space, or -1; dist is the distance (the largest double when nothing matched).
  int FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID, double& dist) const;
  /// Like FindNearestItemReal on the screen, over the drawing objects of the last MakeVisible.
  int FindNearestItemScreen(int mx, int my, Tr3Item ItemID, double& dist) const;
  /// Entries allocated in the item container; it grows by AllocSize entries at a time.
  int NumAllocated() const { return FNumAllocated; }
  /// Drawing objects built by the last MakeVisible (a tkLine item gives two).
  int NumRotObjects() const { return NRotObj; }

  // --- Current pen for new items ---
  /// Colour of the items added next (default black); the top byte is cleared. No repaint.
  ///@{
  TColor ColorData() const { return FDataCol; }
  void SetDataCol(TColor c);
  /// An invalid QColor is ignored.
  void SetDataCol(const QtColor auto& c) {
    if (QColor(c).isValid()) SetDataCol(FromQColor(c));
  }
  void SetColorData(TColor c) { SetDataCol(c); }
  void SetColorData(const QtColor auto& c) { SetDataCol(c); }
  ///@}
  /// Tag of the items added next (default 0).
  ///@{
  int32_t DataTag() const { return FDataTag; }
  void SetDataTag(int32_t t) { FDataTag = t; }
  ///@}
  /// Line width in pixels of the lines added next, limited to 1 .. 32 (default 1); no
  /// repaint.
  ///@{
  int LineWidth() const { return FLineWidth; }
  /// Limited to 1 .. 32.
  void SetLineWidth(int w);
  ///@}

  // --- View ---
  /// View angles in degrees (defaults 110, 150, 210): ViewAngleY only enters with
  /// MouseRot3Axes. A change recomputes the rotation matrix and repaints; non-finite values
  /// are refused (SetViewAngles refuses all three then). Mouse rotation is not folded back
  /// into 0 .. 360.
  ///@{
  double ViewAngleX() const { return FViewAngle[0]; }
  double ViewAngleY() const { return FViewAngle[1]; }
  double ViewAngleZ() const { return FViewAngle[2]; }
  void SetViewAngles(double vax, double vay, double vaz);
  void SetViewAngleX(double v);
  void SetViewAngleY(double v);
  void SetViewAngleZ(double v);
  ///@}
  /// Three-angle rotation: the matrix uses all three view angles and a drag turns x and y
  /// (on); off (default), ViewAngleY is unused and a drag turns z and x. Repaints.
  ///@{
  bool MouseRot3Axes() const { return FRotMat3D; }
  void SetMRot3Axes(bool v);
  void SetMouseRot3Axes(bool v) { SetMRot3Axes(v); }
  ///@}
  /// Handedness of the drawn axes (default adLeftHanded); repaints.
  ///@{
  TAxDir AxDir() const { return FAxDir; }
  void SetAxDir(TAxDir v);
  ///@}
  /// Rotation matrix entry (row ix, column iy, 1 .. 3) as a fraction; 0 outside.
  ///@{
  double GetRotMat(int ix, int iy) const;
  double RotMat(int ix, int iy) const { return GetRotMat(ix, iy); }
  ///@}
  /// Zoom of the picture, limited to 0.1 .. 5 (default 0.8; larger shows the model larger);
  /// stored as a divisor, so it reads back rounded. Repaints.
  ///@{
  double GetMagnify() const { return 4000.0 / FMagnify; }
  void SetMagnify(double m);
  double Magnification() const { return GetMagnify(); }
  void SetMagnification(double m) { SetMagnify(m); }
  ///@}
  /// The model's divisor behind Magnification (4000 / magnification).
  int MagnifyDivisor() const { return FMagnify; }
  /// The divisor the projection uses: MagnifyDivisor fitted to the control's size and, with
  /// AutoScale and AutoOrigin, to the data's extent. Equals MagnifyDivisor at 450 x 300.
  int ProjectionDivisor() const;
  /// Pixel position of the model origin (default the middle of the control).
  ///@{
  int CentX() const { return FCentX; }
  int CentY() const { return FCentY; }
  ///@}
  /// Pixel of the model origin, limited to 0 .. Width and 0 .. Height. A resize keeps its
  /// offset from the middle in proportion.
  ///@{
  void SetCentX(int v);
  void SetCentY(int v);
  ///@}

  // --- World to model mapping (used by the next MakeVisible) ---
  /// World point that maps to the model origin (default 0, 0, 0). Used by MakeVisible when
  /// AutoOrigin is off (AutoOrigin takes the centre of the items and stores it here); a
  /// change repaints, non-finite values are refused.
  ///@{
  double OriginX() const { return FOrigin[0]; }
  double OriginY() const { return FOrigin[1]; }
  double OriginZ() const { return FOrigin[2]; }
  void SetOrigins(double vax, double vay, double vaz);
  void SetOriginX(double v);
  void SetOriginY(double v);
  void SetOriginZ(double v);
  ///@}
  /// World-to-model factors per axis (default 1). Used by MakeVisible when AutoScale is off
  /// (AutoScale fits the items into about 1000 model units and stores the factors here); a
  /// change repaints, non-finite values are refused.
  ///@{
  double ScaleFactX() const { return FScaleFact[0]; }
  double ScaleFactY() const { return FScaleFact[1]; }
  double ScaleFactZ() const { return FScaleFact[2]; }
  void SetScaleFactors(double sfx, double sfy, double sfz);
  void SetScaleFactX(double v);
  void SetScaleFactY(double v);
  void SetScaleFactZ(double v);
  ///@}
  /// One scale factor for all three axes, the smallest (default off); a change runs
  /// MakeVisible.
  ///@{
  bool IsoMetric() const { return FIsoMetric; }
  void SetIsoMetric(bool v);
  ///@}
  /// MakeVisible takes the centre of the items as the origin (default on); a change runs
  /// MakeVisible.
  ///@{
  bool AutoOrigin() const { return FAutoOrigin; }
  void SetAutoOrigin(bool v);
  ///@}
  /// MakeVisible fits the items into about 1000 model units (default on); a change runs
  /// MakeVisible.
  ///@{
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool v);
  ///@}

  // --- Box, axes and appearance ---
  /// 0 no box, 1 wire box, 2 box with three shaded faces.
  ///@{
  TBoundingBox BoundBoxStyle() const { return FBoundBox; }
  void SetBoundBoxStyle(TBoundingBox v);
  ///@}
  /// Edge length of the box in model units, limited to 0 .. 4000 and kept even (default 800);
  /// repaints.
  ///@{
  int GetBoundBoxSize() const { return 2 * FBBSize; }
  void SetBoundBoxSize(int n);
  int BoundBoxSize() const { return GetBoundBoxSize(); }
  ///@}
  /// Length of each axis in model units from the origin, limited to 0 .. 4000 (default 700);
  /// repaints.
  ///@{
  int AxSize() const { return FAxSize; }
  void SetAxSize(int n);
  ///@}
  /// Draws the axes and their names (default on); repaints.
  ///@{
  bool ShowAxes() const { return FShowAxes; }
  void SetShowAxes(bool v);
  ///@}
  /// Axis names (default "X", "Y", "Z"), written just beyond each axis's end; repaints.
  ///@{
  const std::string& AxNameX() const { return FAxName[0]; }
  const std::string& AxNameY() const { return FAxName[1]; }
  const std::string& AxNameZ() const { return FAxName[2]; }
  void SetAxNameX(const std::string& v);
  void SetAxNameX(const QString& v) { SetAxNameX(FromQString(v)); }
  void SetAxNameX(const char* v) { SetAxNameX(std::string(v)); }
  void SetAxNameY(const std::string& v);
  void SetAxNameY(const QString& v) { SetAxNameY(FromQString(v)); }
  void SetAxNameY(const char* v) { SetAxNameY(std::string(v)); }
  void SetAxNameZ(const std::string& v);
  void SetAxNameZ(const QString& v) { SetAxNameZ(FromQString(v)); }
  void SetAxNameZ(const char* v) { SetAxNameZ(std::string(v)); }
  ///@}
  /// Frame around the control (default 2, lowered); repaints.
  ///@{
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  ///@}
  /// Fifth colour of the control frame (default black); repaints.
  ///@{
  TColor ColorFrame() const { return FFrameCol; }
  void SetFrameCol(TColor c);
  void SetFrameCol(const QtColor auto& c) {
    if (QColor(c).isValid()) SetFrameCol(FromQColor(c));
  }
  void SetColorFrame(TColor c) { SetFrameCol(c); }
  void SetColorFrame(const QtColor auto& c) { SetFrameCol(c); }
  ///@}
  /// Background colour (default white); repaints.
  ///@{
  TColor ColorChart() const { return FChartCol; }
  void SetChartCol(TColor c);
  void SetChartCol(const QtColor auto& c) {
    if (QColor(c).isValid()) SetChartCol(FromQColor(c));
  }
  void SetColorChart(TColor c) { SetChartCol(c); }
  void SetColorChart(const QtColor auto& c) { SetChartCol(c); }
  ///@}
  /// Stored colour scheme (default 1), kept for compatibility; the frame is drawn in fixed
  /// colours. Repaints.
  ///@{
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Colour of the box's front edges and of the axes beyond the box (default 0x404040);
  /// repaints.
  ///@{
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  void SetColCubeFrame(TColor c);
  void SetColCubeFrame(const QtColor auto& c) {
    if (QColor(c).isValid()) SetColCubeFrame(FromQColor(c));
  }
  void SetColorCubeFrame(TColor c) { SetColCubeFrame(c); }
  void SetColorCubeFrame(const QtColor auto& c) { SetColCubeFrame(c); }
  ///@}
  /// Colour of the box's rear edges and of the axes inside the box (default 0xB0B0B0);
  /// repaints.
  ///@{
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  void SetColCubeHidLin(TColor c);
  void SetColCubeHidLin(const QtColor auto& c) {
    if (QColor(c).isValid()) SetColCubeHidLin(FromQColor(c));
  }
  void SetColorCubeHidLin(TColor c) { SetColCubeHidLin(c); }
  void SetColorCubeHidLin(const QtColor auto& c) { SetColCubeHidLin(c); }
  ///@}
  /// One end of the shading of the filled box faces, which are blended between
  /// ColorCubeFaceLow and ColorCubeFaceHigh by their depth (default 0xC0C0C0); repaints.
  ///@{
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLo; }
  void SetColCubeFaceLow(TColor c);
  void SetColCubeFaceLow(const QtColor auto& c) {
    if (QColor(c).isValid()) SetColCubeFaceLow(FromQColor(c));
  }
  void SetColorCubeFaceLow(TColor c) { SetColCubeFaceLow(c); }
  void SetColorCubeFaceLow(const QtColor auto& c) { SetColCubeFaceLow(c); }
  ///@}
  /// The other end of the shading of the filled box faces (default 0xEEEEEE); repaints.
  ///@{
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHi; }
  void SetColCubeFaceHigh(TColor c);
  void SetColCubeFaceHigh(const QtColor auto& c) {
    if (QColor(c).isValid()) SetColCubeFaceHigh(FromQColor(c));
  }
  void SetColorCubeFaceHigh(TColor c) { SetColCubeFaceHigh(c); }
  void SetColorCubeFaceHigh(const QtColor auto& c) { SetColCubeFaceHigh(c); }
  ///@}
  /// Font style of the character marks (types 52 and up; default none); repaints.
  ///@{
  TFontStyles TextFontStyle() const { return FTextFontStyle; }
  void SetTextFontStyle(TFontStyles v);
  ///@}
  /// Size in points of the character marks, limited to 1 .. 500 (default 8); repaints.
  ///@{
  int TextMarkSize() const { return FTextMarkSize; }
  void SetTextMarkSize(int v);
  ///@}
  /// What a drag does: maRotate (default), maRotAndZoom, maZoom or maPan; other values do
  /// nothing. Takes effect with the next drag.
  ///@{
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  ///@}
  /// Entries the item container grows by when full (default 1000).
  ///@{
  int AllocSize() const { return FAllocSize; }
  /// Accepts 1 .. 1000000; other values are ignored.
  void SetAllocSize(int v);
  ///@}

  // --- Export and printing; each answers whether it succeeded ---
  /// Writes the picture as BMP, or PNG / JPEG by the file name's extension; IncludeFrame
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
  /// Writes the picture as SVG, or PDF when the name ends in ".pdf". False for an empty
  /// name, an empty control or a write error.
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
  /// Prints one page with the picture at the top-left, ScaleF times its screen size.
  bool PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame);
  /// Draws the picture on the open printer page with its top-left at (X, Y) in printer pixels,
  /// ScaleF times its screen size; X, Y come back as its bottom-right corner.
  bool CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite, bool IncludeFrame);

  // --- Events ---
  /// Before anything is drawn, on the canvas being drawn on. Emits beforeRenderData().
  TRenderEvent OnBeforeRenderData;
  /// After everything is drawn, on the canvas being drawn on. Emits dataRendered().
  TRenderEvent OnDataRendered;
  /// For each mark drawn: supply its text (LblText, empty for none), offset in pixels (dx,
  /// dy), alignment and font. \p obj counts the drawing objects from 0. No signal.
  TLblRequestEvent OnLblRequest;

  /// Takes the drag anchors; a second button pressed during a drag keeps the running ones.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Runs the drag step of MouseAction (rotate, zoom or pan) and repaints.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// On: the wheel changes Magnification (within 0.1 .. 5, about the model origin) by
  /// WheelZoomFactor per notch. OnMouseWheel comes first and vetoes by setting Handled. Off
  /// by default.
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
  /// Emitted right after OnBeforeRenderData and OnDataRendered.
  ///@{
  void beforeRenderData();
  void dataRendered();
  ///@}

 protected:
  /// Draws the picture and the frame.
  void Paint() override;
  /// Keeps the origin's offset from the middle in proportion to the new size.
  void Resize() override;
  /// Rotation matrix from ViewAngleX and ViewAngleZ (ViewAngleY is not used).
  virtual void CalcRotMatrix_2Ax();
  /// Rotation matrix from all three view angles.
  virtual void CalcRotMatrix_3Ax();
  /// Recomputes the rotation matrix: the three-angle form with MouseRot3Axes, then the
  /// x and y columns exchanged for adRightHanded.
  void CalcRotMatrix();
  /// Sizes the off-screen picture to the control plus \p extra and fills it.
  void InitGraf(TCanvas& cv, bool white, int extra);
  /// Draws box, axes, items and names on \p cv in control pixels.
  void ConstructDataBmp(TCanvas& cv, bool BlackWhite);

  /// Screen pixel of a model point, limited to -30000 .. 30000.
  TPoint Project(int64_t X, int64_t Y, int64_t Z) const;

  /// The off-screen picture of the last paint.
  TBitmap GrafBmp;

 private:
  QString QtAxNameX() const { return ToQString(FAxName[0]); }
  QString QtAxNameY() const { return ToQString(FAxName[1]); }
  QString QtAxNameZ() const { return ToQString(FAxName[2]); }
  QColor QtColorFrame() const { return ToQColor(ColorFrame()); }
  QColor QtColorChart() const { return ToQColor(ColorChart()); }
  QColor QtColorCubeFrame() const { return ToQColor(ColorCubeFrame()); }
  QColor QtColorCubeHidLin() const { return ToQColor(ColorCubeHidLin()); }
  QColor QtColorCubeFaceLow() const { return ToQColor(ColorCubeFaceLow()); }
  QColor QtColorCubeFaceHigh() const { return ToQColor(ColorCubeFaceHigh()); }
  QColor QtColorData() const { return ToQColor(ColorData()); }
  void QtSetAxDir(int v) {
    if (v == adLeftHanded || v == adRightHanded) SetAxDir(TAxDir(v));
  }
  void AddItem(const Tr3ChartItem& it);
  Tr3ChartItem PointItem(Tr3Item Kind, double x, double y, double z, uint8_t marklw) const;
  void SetupCubeCorners();
  void Changed();
  void SetAnchors(int X, int Y);
  void DrawBoxFaces(TCanvas& cv, int B);
  void DrawAxes(TCanvas& cv);
  void DrawObjects(TCanvas& cv, bool BlackWhite);
  void DrawMarkLabel(TCanvas& cv, int obj, TPoint p);
  void DrawCharMark(TCanvas& cv, int m, TPoint p, TColor c);
  void DrawAxisNames(TCanvas& cv);
  void DrawEdges(TCanvas& cv, int corner, TColor c);
  int FrontCorner() const;
  void FillBackground(TCanvas& cv, TColor c, int w, int h);
  void DrawPlotFrame(TCanvas& cv);
  void RenderPicture(TCanvas& cv, bool BlackWhite, bool IncludeFrame);
  bool RenderImage(QImage& img, bool IncludeFrame);

  // Item container.
  std::vector<Tr3ChartItem> FDataContainer;
  int FNumChartItems = 0;
  int FNumAllocated = 0;
  int FAllocSize = 1000;

  // Drawing objects of the last MakeVisible.
  int NRotObj = 0;
  std::vector<int32_t> FRotDataX, FRotDataY, FRotDataZ;
  std::vector<uint32_t> FRotProp;  // colour in the low 24 bits, object kind in the top byte
  std::vector<uint8_t> FRotMark, FLineWid;
  std::vector<int32_t> FBackLink;

  // Geometry.
  std::array<double, 3> FViewAngle{110, 150, 210};
  std::array<double, 3> FAngleAnchor{110, 150, 210};
  int FRotMat[3][3] = {};
  bool FRotMat3D = false;
  TAxDir FAxDir = adLeftHanded;
  int FMagnify = 5000;
  bool FMouseWheelZoom = false;
  double FWheelZoomFactor = 1.2;
  mutable int FDivisor = 5000;   // FMagnify fitted to the control, see ProjectionDivisor
  double FDataRadius = 0;        // largest distance of a drawing object from the model origin
  int FFitW = 450, FFitH = 300;  // size the centre was last placed for
  double FMagAnchor = 0.8;
  int FCentX = 0, FCentY = 0;
  int FCentXAnchor = 0, FCentYAnchor = 0;
  std::array<double, 3> FOrigin{0, 0, 0};
  std::array<double, 3> FScaleFact{1, 1, 1};
  std::array<int, 3> FMinCoord{0, 0, 0}, FMaxCoord{0, 0, 0};
  int CubeCorners[8][3] = {};
  int FBBSize = 400;
  int FAxSize = 700;
  int MouseAnchorX = 0, MouseAnchorY = 0;

  // Appearance.
  TColor FDataCol = clBlack;
  int FLineWidth = 1;
  int32_t FDataTag = 0;
  TColor FFrameCol = clBlack;
  TColor FChartCol = clWhite;
  TColorScheme FColorScheme = 1;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TColor FColorCubeFrame = 0x404040;
  TColor FColorCubeHidLin = 0xB0B0B0;
  TColor FColorCubeFaceHi = 0xEEEEEE;
  TColor FColorCubeFaceLo = 0xC0C0C0;
  TBoundingBox FBoundBox = 2;
  bool FShowAxes = true;
  TFrameStyle FFrameStyle = 2;
  bool FIsoMetric = false;
  bool FAutoOrigin = true;
  bool FAutoScale = true;
  std::array<std::string, 3> FAxName{"X", "Y", "Z"};
  TFontStyles FTextFontStyle = 0;
  int FTextMarkSize = 8;
  TMouseActMode FMouseAction = maRotate;
};

}  // namespace zyr
