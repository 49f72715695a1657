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

enum TGaugeOrientation : uint8_t { goHorizontal, goVertical };
/// Plain background, gradients across or along the window, or bands light in the middle.
enum TGaugeBackground : uint8_t { gbPlain, gbVertGrad, gbHorizGrad, gbVertMidBand, gbHorizMidBand };
/// Shape of the index that marks the value.
enum TGaugeIndexMode : uint8_t {
  gimThread,
  gimTriangle,
  gimThreadTriangle,
  gimThreadTwoTriangles,
  gimBand,
  gimDualColorBand,
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

 public:
  /// Colours, fonts and antialiasing of a theme (TChartTheme); each may be changed afterwards.
  void ApplyTheme(const TChartTheme& Theme);
  explicit TScaleGauge(QWidget* AOwner = nullptr);
  ~TScaleGauge() override;

  // Published properties.
  TGaugeBackground Background() const { return FGaugeBG; }
  void SetBackground(TGaugeBackground v);
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
  TColor ColorBg1() const { return FColorSclBG1; }
  void SetColorBg1(TColor v);
  void SetColorBg1(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBg1(FromQColor(v));
  }
  TColor ColorBg2() const { return FColorSclBG2; }
  void SetColorBg2(TColor v);
  void SetColorBg2(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorBg2(FromQColor(v));
  }
  TColor ColorIndex1() const { return FColorIndex1; }
  void SetColorIndex1(TColor v);
  void SetColorIndex1(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorIndex1(FromQColor(v));
  }
  TColor ColorIndex2() const { return FColorIndex2; }
  void SetColorIndex2(TColor v);
  void SetColorIndex2(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorIndex2(FromQColor(v));
  }
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor v);
  void SetColorCover(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorCover(FromQColor(v));
  }
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  void SetColorScale(const QtColor auto& v) {
    if (QColor(v).isValid()) SetColorScale(FromQColor(v));
  }
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  /// The enabled look; a disabled gauge is drawn in gray and takes no input.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool FixedDial() const { return FScaleFixed; }
  void SetFixedDial(bool v);
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle v);
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle v);
  /// Reference value of the dual-colour band.
  double GaugeZero() const { return FGaugeZero; }
  void SetGaugeZero(double v);
  TGaugeIndexMode IndexMode() const { return FGaugeIdxMode; }
  void SetIndexMode(TGaugeIndexMode v);
  bool Logarithmic() const { return FLogarithmic; }
  /// Refused silently unless Min and Max are both positive.
  void SetLogarithmic(bool v);
  /// Cover margins; each is clamped so that the window keeps at least 20 pixels.
  int MarginLeft() const { return FCovMargLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FCovMargRight; }
  void SetMarginRight(int v);
  int MarginTop() const { return FCovMargTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FCovMargBottom; }
  void SetMarginBottom(int v);
  double Max() const { return FGaugeMax; }
  /// Refused on a logarithmic gauge for values <= 0; the value is kept inside the new range.
  void SetMax(double v);
  double Min() const { return FGaugeMin; }
  void SetMin(double v);
  int MinTicks() const { return FMinTicks; }
  /// Passed to the dial's scale; until it is first set the scale keeps its default count.
  void SetMinTicks(int v);
  TGaugeOrientation Orientation() const { return FGaugeOrient; }
  void SetOrientation(TGaugeOrientation v);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  double Value() const { return FGaugeValue; }
  /// Clamped into the closed interval between Min and Max (either order); NaN is ignored.
  void SetValue(double v);

  TMouseMoveInGaugeEvent OnMouseMoveInGauge;

  // Public operations.
  /// The dial's scale (label settings such as DecPlaces); type, size, margins and range
  /// follow the gauge.
  TScale& Scale() { return *FScale; }
  /// Dial value at pixel \p p along the dial (as of the last paint for a moving dial).
  double ConvertPixelToScale(int p) const;
  /// Writes the picture to a file: .svg and .pdf as vector pictures, other extensions (png,
  /// bmp, jpg) as raster images. Returns false when the file cannot be written.
  bool ExportToFile(const std::string& FileName);
  bool ExportToFile(const QString& FileName) { return ExportToFile(FromQString(FileName)); }
  bool ExportToFile(const char* FileName) { return ExportToFile(std::string(FileName)); }
  /// The picture as an SVG document.
  std::string ExportToSVG();

  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TScaleGauge"; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 signals:
  void mouseMoveInGauge(bool InGauge, zyr::TShiftState Shift, double rMousePos);

 protected:
  void Paint() override;
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
