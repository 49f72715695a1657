// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TScaleGauge: an instrument-style gauge showing one value on a fixed or moving dial.

#include <zyr/platform/foundation/theme.h>
#include <zyr/platform/foundation/types.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/control.h>
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <memory>
#include <string>

namespace zyr {

/// Direction of the dial: goHorizontal (default; labels above the base line) or goVertical
/// (labels left of it).
enum TGaugeOrientation : uint8_t { goHorizontal, goVertical };
/// gbPlain fills with ColorBg1; gbVertGrad (default) and gbHorizGrad blend from ColorBg1 to
/// ColorBg2 across and down the window; gbVertMidBand and gbHorizMidBand have ColorBg2 in the
/// middle.
enum TGaugeBackground : uint8_t { gbPlain, gbVertGrad, gbHorizGrad, gbVertMidBand, gbHorizMidBand };
/// Shape of the index that marks the value.
enum TGaugeIndexMode : uint8_t {
  /// A line across the window at the value.
  gimThread,
  /// A small triangle pointing at the base line (default).
  gimTriangle,
  /// Thread plus triangle in ColorIndex2.
  gimThreadTriangle,
  /// Thread plus triangles at both edges in ColorIndex2.
  gimThreadTwoTriangles,
  /// A band from the start of the window to the value, blended from ColorIndex1 to
  /// ColorIndex2.
  gimBand,
  /// A band from GaugeZero to the value: ColorIndex1 above GaugeZero, ColorIndex2 below.
  gimDualColorBand,
  /// A short bar three pixels wide beside the base line.
  gimBar
};

/// Mouse moved over a gauge: whether it is over the dial and the dial value under it.
using TMouseMoveInGaugeEvent =
    std::function<void(TObject* Sender, bool InGauge, TShiftState Shift, double rMousePos)>;

/// A gauge: a linear or logarithmic dial seen through a window in a cover, with an index
/// (thread, triangles, band, dual-colour band or bar) at the value. With a fixed dial the
/// index moves; with a moving dial (SetFixedDial(false)) the dial slides under an index in
/// the middle of the window.
///
///   auto* g = new TScaleGauge(parent);
///   g->SetMin(0);
///   g->SetMax(100);
///   g->SetIndexMode(gimBand);
///   g->SetValue(42);                      // clamped into Min .. Max
///
/// The dial's end labels are kept whole inside the window. A handler that wants the gauge
/// gone calls deleteLater(); an immediate delete inside a handler (also one of Scale()) is
/// safe too: the gauge stops at once. See the gallery page "gauge".
///
/// Qt signal, emitted right after the handler: OnMouseMoveInGauge ->
/// mouseMoveInGauge(InGauge, Shift, rMousePos). Named values: the enumerations above; frame
/// styles and colour schemes as TScale's (TScale::frRaised, TScale::csGrayWhite, ...).
class TScaleGauge : public TCustomControl {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and repainting.
  ///@{
  Q_PROPERTY(int Background READ Background WRITE QtSetBackground)
  Q_PROPERTY(QString Caption READ QtCaption WRITE SetCaption)
  Q_PROPERTY(QColor CaptionColor READ QtCaptionColor WRITE SetCaptionColor)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(int CaptionSize READ CaptionSize WRITE SetCaptionSize)
  Q_PROPERTY(int CaptionStyle READ CaptionStyle WRITE SetCaptionStyle)
  Q_PROPERTY(QColor ColorBg1 READ QtColorBg1 WRITE SetColorBg1)
  Q_PROPERTY(QColor ColorBg2 READ QtColorBg2 WRITE SetColorBg2)
  Q_PROPERTY(QColor ColorIndex1 READ QtColorIndex1 WRITE SetColorIndex1)
  Q_PROPERTY(QColor ColorIndex2 READ QtColorIndex2 WRITE SetColorIndex2)
  Q_PROPERTY(QColor ColorCover READ QtColorCover WRITE SetColorCover)
  Q_PROPERTY(QColor ColorScale READ QtColorScale WRITE SetColorScale)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(bool FixedDial READ FixedDial WRITE SetFixedDial)
  Q_PROPERTY(int FrameStyleOuter READ FrameStyleOuter WRITE SetFrameStyleOuter)
  Q_PROPERTY(int FrameStyleInner READ FrameStyleInner WRITE SetFrameStyleInner)
  Q_PROPERTY(double GaugeZero READ GaugeZero WRITE SetGaugeZero)
  Q_PROPERTY(int IndexMode READ IndexMode WRITE QtSetIndexMode)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(double Max READ Max WRITE SetMax)
  Q_PROPERTY(double Min READ Min WRITE SetMin)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
  Q_PROPERTY(int Orientation READ Orientation WRITE QtSetOrientation)
  Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
  Q_PROPERTY(double Value READ Value WRITE SetValue)

  ///@}
 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  /// A 300 x 75 pixel horizontal gauge, range -10 .. 10, value 0, triangle index.
  explicit TScaleGauge(QWidget* AOwner = nullptr);
  /// Releases the dial's scale and the picture.
  ~TScaleGauge() override;

  // Published properties.
  /// Background of the window (default gbVertGrad); repaints on change.
  ///@{
  TGaugeBackground Background() const { return FGaugeBG; }
  void SetBackground(TGaugeBackground v);
  ///@}
  /// Caption text (default empty), drawn on the cover at (CaptionPosX, CaptionPosY);
  /// repaints on change.
  ///@{
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  void SetCaption(const QString& v) { SetCaption(FromQString(v)); }
  void SetCaption(const char* v) { SetCaption(std::string(v)); }
  ///@}
  /// Caption colour (default black; gray when disabled); repaints on change.
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
  /// First background colour (default gray); repaints on change.
  ///@{
  TColor ColorBg1() const { return FColorSclBG1; }
  void SetColorBg1(TColor v);
  void SetColorBg1(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBg1(FromQColor(v));
  }
  ///@}
  /// Second background colour (default white); repaints on change.
  ///@{
  TColor ColorBg2() const { return FColorSclBG2; }
  void SetColorBg2(TColor v);
  void SetColorBg2(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBg2(FromQColor(v));
  }
  ///@}
  /// First index colour (default black); repaints on change.
  ///@{
  TColor ColorIndex1() const { return FColorIndex1; }
  void SetColorIndex1(TColor v);
  void SetColorIndex1(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorIndex1(FromQColor(v));
  }
  ///@}
  /// Second index colour (default red), see TGaugeIndexMode; repaints on change.
  ///@{
  TColor ColorIndex2() const { return FColorIndex2; }
  void SetColorIndex2(TColor v);
  void SetColorIndex2(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorIndex2(FromQColor(v));
  }
  ///@}
  /// Colour of the cover around the window (default silver); repaints on change.
  ///@{
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor v);
  void SetColorCover(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCover(FromQColor(v));
  }
  ///@}
  /// Colour of the dial's ticks and labels (default black); repaints on change.
  ///@{
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  void SetColorScale(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorScale(FromQColor(v));
  }
  ///@}
  /// Stored frame line colours (default csGrayWhite); the frames are drawn in fixed colours.
  /// Repaints on change.
  ///@{
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// The enabled look; a disabled gauge is drawn in gray and takes no input.
  ///@{
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  ///@}
  /// Fixed dial with a moving index (default on); off, the dial moves so that the value sits
  /// under an index in the middle of the window. Repaints on change.
  ///@{
  bool FixedDial() const { return FScaleFixed; }
  void SetFixedDial(bool v);
  ///@}
  /// Frame around the control (default frRaised); repaints on change.
  ///@{
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle v);
  ///@}
  /// Frame around the window (default frLowered); repaints on change.
  ///@{
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle v);
  ///@}
  /// Reference value of the dual-colour band (default 0); NaN is ignored. Repaints on change.
  ///@{
  double GaugeZero() const { return FGaugeZero; }
  void SetGaugeZero(double v);
  ///@}
  /// Shape of the index (default gimTriangle); repaints on change.
  ///@{
  TGaugeIndexMode IndexMode() const { return FGaugeIdxMode; }
  void SetIndexMode(TGaugeIndexMode v);
  ///@}
  /// Logarithmic dial (default off); repaints on change.
  ///@{
  bool Logarithmic() const { return FLogarithmic; }
  /// Refused silently unless Min and Max are both positive.
  void SetLogarithmic(bool v);
  ///@}
  /// Cover margins; each is clamped so that the window keeps at least 20 pixels.
  /// Defaults 20, 10, 10, 20 (left, right, top, bottom). Repaints on change.
  ///@{
  int MarginLeft() const { return FCovMargLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FCovMargRight; }
  void SetMarginRight(int v);
  int MarginTop() const { return FCovMargTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FCovMargBottom; }
  void SetMarginBottom(int v);
  ///@}
  /// Upper end of the dial (default 10); non-finite values are ignored. Repaints on change.
  ///@{
  double Max() const { return FGaugeMax; }
  /// Refused on a logarithmic gauge for values <= 0; the value is kept inside the new range.
  void SetMax(double v);
  ///@}
  /// Lower end of the dial (default -10); refused like Max.
  ///@{
  double Min() const { return FGaugeMin; }
  void SetMin(double v);
  ///@}
  /// Requested main ticks of the dial (default 0); repaints on change.
  ///@{
  int MinTicks() const { return FMinTicks; }
  /// Passed to the dial's scale; until it is first set the scale keeps its default count.
  void SetMinTicks(int v);
  ///@}
  /// Direction of the dial (default goHorizontal); lays the dial out again and repaints.
  ///@{
  TGaugeOrientation Orientation() const { return FGaugeOrient; }
  void SetOrientation(TGaugeOrientation v);
  ///@}
  /// Short ticks on the dial (default off); repaints on change.
  ///@{
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  ///@}
  /// The value shown (default 0); repaints on change.
  ///@{
  double Value() const { return FGaugeValue; }
  /// Clamped into the closed interval between Min and Max (either order); NaN is ignored.
  void SetValue(double v);
  ///@}

  /// On every mouse move: whether the mouse is over the dial and the dial value under it.
  /// Emits mouseMoveInGauge().
  TMouseMoveInGaugeEvent OnMouseMoveInGauge;

  // Public operations.
  /// The dial's scale (label settings such as DecPlaces); type, size, margins and range
  /// follow the gauge.
  TScale& Scale() { return *FScale; }
  /// Dial value at pixel \p p along the dial (as of the last paint for a moving dial).
  double ConvertPixelToScale(int p) const;
  /// Writes the picture to a file: .svg and .pdf as vector pictures, other extensions (png,
  /// bmp, jpg) as raster images. Returns false when the file cannot be written.
  ///@{
  bool ExportToFile(const std::string& FileName);
  bool ExportToFile(const QString& FileName) { return ExportToFile(FromQString(FileName)); }
  bool ExportToFile(const char* FileName) { return ExportToFile(std::string(FileName)); }
  ///@}
  /// The picture as an SVG document.
  std::string ExportToSVG();

  /// Copies frame styles, enabled look, value, background and frame colours and colour scheme
  /// of another TScaleGauge and repaints; other sources as the base class.
  void Assign(const TPersistent* Source) override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TScaleGauge"; }

  /// Resizes, then lays the dial out again.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// Runs OnMouseMove, then reports OnMouseMoveInGauge.
  void MouseMove(TShiftState Shift, int X, int Y) override;

 signals:
  /// Emitted right after OnMouseMoveInGauge.
  void mouseMoveInGauge(bool InGauge, zyr::TShiftState Shift, double rMousePos);

 protected:
  /// Draws the picture.
  void Paint() override;
  /// A TScaleGauge target takes this gauge's settings (Assign).
  void AssignTo(TPersistent* Dest) const override;

 private:
  struct TPaintColors;
  QString QtCaption() const { return ToQString(FCaption); }
  QColor QtCaptionColor() const { return ToQColor(FCaptColor); }
  QColor QtColorBg1() const { return ToQColor(ColorBg1()); }
  QColor QtColorBg2() const { return ToQColor(ColorBg2()); }
  QColor QtColorIndex1() const { return ToQColor(ColorIndex1()); }
  QColor QtColorIndex2() const { return ToQColor(ColorIndex2()); }
  QColor QtColorCover() const { return ToQColor(ColorCover()); }
  QColor QtColorScale() const { return ToQColor(ColorScale()); }
  // Values outside the enumerations are ignored.
  void QtSetBackground(int v) {
    if (v >= gbPlain && v <= gbHorizMidBand) SetBackground(TGaugeBackground(v));
  }
  void QtSetIndexMode(int v) {
    if (v >= gimThread && v <= gimBar) SetIndexMode(TGaugeIndexMode(v));
  }
  void QtSetOrientation(int v) {
    if (v == goHorizontal || v == goVertical) SetOrientation(TGaugeOrientation(v));
  }
  void TriggerPaint() { Repaint(); }
  /// Stores a changed setting and repaints.
  template <typename T>
  void Update(T& field, T v) {
    if (field == v) return;
    field = v;
    TriggerPaint();
  }
  void ScaleLayout();
  bool IsHorizontal() const { return FGaugeOrient == goHorizontal; }
  double ClampToRange(double v) const;
  /// Runs every paint step on \p cv, which covers the control's size. False when a handler
  /// deleted the gauge on the way (nothing of it may be touched then).
  bool DrawPicture(TCanvas& cv);
  void DrawBackground(TCanvas& cv, const TPaintColors& col);
  void DrawIndex(TCanvas& cv, const TPaintColors& col, int p);
  void DrawTriangle(TCanvas& cv, int base, int p, int dir, bool horz);
  void DrawBandLine(TCanvas& cv, int pos, TColor c);

  TFrameStyle FInnerFrameSt = 2;
  TFrameStyle FOuterFrameSt = 3;
  std::string FCaption;
  TColor FCaptColor = clBlack;
  int FCaptPosX = 10, FCaptPosY = 10;
  int FCaptSize = 12;
  TFontStyles FCaptStyle = fsBold;
  bool FEnabled = true;
  double FGaugeMin = -10, FGaugeMax = 10;
  double FGaugeValue = 0;
  int FGaugeWid = 300, FGaugeHgt = 75;
  TGaugeOrientation FGaugeOrient = goHorizontal;
  TGaugeBackground FGaugeBG = gbVertGrad;
  TGaugeIndexMode FGaugeIdxMode = gimTriangle;
  double FGaugeZero = 0;
  int FCovMargLeft = 20, FCovMargRight = 10, FCovMargTop = 10, FCovMargBottom = 20;
  bool FLogarithmic = false;
  int FMinTicks = 0;
  bool FShortTicks = false;
  TColor FColorIndex1 = clBlack, FColorIndex2 = clRed;
  TColor FColorSclBG1 = clGray, FColorSclBG2 = clWhite;
  TColor FColorCover = clSilver;
  TColor FColorScale = clBlack;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = 0;
  bool FScaleFixed = true;
  // Declared before the scale, which draws on its canvas, so the scale goes first.
  std::unique_ptr<TBitmap> FGrafBmp;
  std::unique_ptr<TScale> FScale;
};

}  // namespace zyr
