// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TSmithChart: a chart for impedances, drawn on a Smith diagram.

#include <zyr/chart/rchart.h>

#include <string>

namespace zyr {

/// A chart whose layer-1 world coordinates are the real and imaginary parts of the reflection
/// coefficient G = (z - 1)/(z + 1) of a normalised impedance z = r + jx. The diagram (unit
/// disc, resistance circles, reactance arcs and their labels) is the background; impedances
/// are converted with the Calc... functions and drawn with the ordinary chart items.
///
///   auto* s = new TSmithChart(parent);
///   s->MoveTo(TSmithChart::CalcReflectionReal(r0, x0), TSmithChart::CalcReflectionImag(r0, x0));
///   s->DrawTo(TSmithChart::CalcReflectionReal(r1, x1), TSmithChart::CalcReflectionImag(r1, x1));
///   s->ShowGraf();
///
/// The chart is isometric; the range operations act on layer 1. Gallery page "smithchart".
class TSmithChart : public TCustomRChart {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name.
  ///@{
  Q_PROPERTY(QColor GridColorLight READ QtGridColorLight WRITE SetGridColorLight)
  Q_PROPERTY(QColor GridColorDark READ QtGridColorDark WRITE SetGridColorDark)
  Q_PROPERTY(QColor DiagramColor READ QtDiagramColor WRITE SetDiagramColor)
  ///@}
 public:
  /// An isometric Smith chart showing G from -1.2 to 1.2 on both axes, scales hidden.
  explicit TSmithChart(QWidget* parent = nullptr);
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TSmithChart"; }

  // ---------------------------------------------------------------- conversions
  /// Re G of r + jx. For Resistance = -1 the impedance has no finite image when Reactance
  /// is 0 (answers uc_MaxReal); otherwise the exact value 1. NaN in gives NaN out.
  static double CalcReflectionReal(double Resistance, double Reactance);
  /// Im G of r + jx. For Resistance = -1: 2/Reactance, and 0 when Reactance is 0.
  static double CalcReflectionImag(double Resistance, double Reactance);
  /// r of a reflection coefficient; uc_MaxReal at G = 1 (open circuit).
  static double CalcResistance(double ReflectionReal, double ReflectionImag);
  /// x of a reflection coefficient; uc_MaxReal at G = 1.
  static double CalcReactance(double ReflectionReal, double ReflectionImag);
  /// Impedance (r, x) under control pixel (X, Y): the read-out of a mouse position.
  void PixelToImpedance(int X, int Y, double& Resistance, double& Reactance) const;

  // ---------------------------------------------------------------- diagram colours
  /// Pen of the minor circles and arcs (default 0xDBDBDB); repaints on change.
  ///@{
  TColor GridColorLight() const { return FGridColLight; }
  void SetGridColorLight(TColor v) { SetGridColLight(v); }
  void SetGridColLight(TColor v);
  ///@}
  /// Pen of the major circles and arcs, the unit circle and the real axis (default
  /// 0xA7A7A7); repaints on change.
  ///@{
  TColor GridColorDark() const { return FGridColDark; }
  void SetGridColorDark(TColor v) { SetGridColDark(v); }
  void SetGridColDark(TColor v);
  ///@}
  /// Fill of the unit disc and background of the resistance labels (default 0xF8E8E8);
  /// repaints on change.
  ///@{
  TColor DiagramColor() const { return FDiagramColor; }
  void SetDiagramColor(TColor v);
  ///@}
  /// Qt forms of the colour setters; an invalid QColor gives clNone.
  ///@{
  void SetGridColorLight(const QtColor auto& v) { SetGridColorLight(FromQColor(v)); }
  void SetGridColorDark(const QtColor auto& v) { SetGridColorDark(FromQColor(v)); }
  void SetDiagramColor(const QtColor auto& v) { SetDiagramColor(FromQColor(v)); }
  ///@}
  /// The second names take the same Qt forms.
  ///@{
  void SetGridColLight(const QtColor auto& v) { SetGridColorLight(v); }
  void SetGridColDark(const QtColor auto& v) { SetGridColorDark(v); }
  ///@}
  /// \cond internal
  QColor QtGridColorLight() const { return ToQColor(GridColorLight()); }
  QColor QtGridColorDark() const { return ToQColor(GridColorDark()); }
  QColor QtDiagramColor() const { return ToQColor(DiagramColor()); }
  /// \endcond

  // ---------------------------------------------------------------- layer-1 ranges
  /// Setting a limit re-applies the isometric scaling and repaints once. RangeYHigh follows
  /// from the isometric scaling and cannot be set. Non-finite values are ignored.
  ///@{
  double RangeXLow() const { return GetRangeLowX(); }
  double RangeXHigh() const { return GetRangeHighX(); }
  double RangeYLow() const { return GetRangeLowY(); }
  double RangeYHigh() const { return GetRangeHighY(); }
  void SetRangeXLow(double x) { SetRangeLowX(x); }
  void SetRangeXHigh(double x) { SetRangeHighX(x); }
  void SetRangeYLow(double x) { SetRangeLowY(x); }
  double GetRangeLowX() const;
  double GetRangeHighX() const;
  double GetRangeLowY() const;
  double GetRangeHighY() const;
  void SetRangeLowX(double x);
  void SetRangeHighX(double x);
  void SetRangeLowY(double x);
  ///@}

  /// The chart's SetRange on layer 1 (reflection coefficients).
  void SetRange(double xLo, double yLo, double xHi, double yHi);
  /// The chart's AutoRange on layer 1: fits the ranges to the items, Margin in percent of the
  /// extent, MinRange a minimum width in percent of the centre value.
  ///@{
  void AutoRange(double Margin);
  void AutoRange(double MinRange, double Margin);
  ///@}
  /// Extents of the items strictly inside a window of layer 1; without any point inside,
  /// the minima are the largest double and the maxima its negative.
  void FindMinMax(double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY, double& MinX,
                  double& MinY, double& MaxX, double& MaxY) const;
  /// Factors and offsets of the layer-1 transform: pixel x = kx * ReflReal + dx, pixel y =
  /// ky * ReflImag + dy.
  void GetTransformParams(double& kx, double& dx, double& ky, double& dy) const;
  /// Control pixel to reflection coefficient.
  void M2R(int xin, int yin, double& ReflReal, double& ReflImag) const;
  /// Reflection coefficient to control pixel.
  void R2M(double ReflReal, double ReflImag, int& xout, int& yout) const;
  /// Re-classes the items of kind \p ItemID inside the window of reflection coefficients
  /// (corners in any order, edges included) into \p ClassNumber; returns their number.
  int MarkItemsInWindow(double ReflRealLow, double ReflImagLow, double ReflRealHigh,
                        double ReflImagHigh, TrcItem ItemID, uint8_t ClassNumber);
  /// Keeps the size of the view and puts G = 0 in its middle.
  void CenterChart();

  // ---------------------------------------------------------------- cross-hair 1
  // The chart's numbered forms stay available next to the cross-hair-1 forms.
  /// Cross-hair 1 in reflection coefficients: its position (the setters repaint), both
  /// coordinates at once (CrossHairSetPos), and its colour, mode, line style and width
  /// (CrossHairSetup). The chart's numbered forms act on cross-hair n.
  ///@{
  using TCustomRChart::CrossHairPosX;
  using TCustomRChart::CrossHairPosY;
  using TCustomRChart::CrossHairSetPos;
  using TCustomRChart::CrossHairSetup;
  using TCustomRChart::SetCrossHairPosX;
  using TCustomRChart::SetCrossHairPosY;
  double CrossHairPosX() const { return GetCrossHairPosX(); }
  double CrossHairPosY() const { return GetCrossHairPosY(); }
  double GetCrossHairPosX() const;
  double GetCrossHairPosY() const;
  void SetCrossHairPosX(double x);
  void SetCrossHairPosY(double y);
  void CrossHairSetPos(double x, double y);
  void CrossHairSetup(TColor chColor, TCrossHMode Mode, TPenStyle LineType, int LineWidth);
  void CrossHairSetup(const QtColor auto& chColor, TCrossHMode Mode, TPenStyle LineType,
                      int LineWidth) {
    CrossHairSetup(FromQColor(chColor), Mode, LineType, LineWidth);
  }
  ///@}

  /// From another chart; from a TSmithChart also the diagram colours.
  void Assign(const TPersistent* Source) override;

  /// Draws the diagram below the items.
  void InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) override;

  /// Text of a diagram label: no decimals when the value is (nearly) whole, else one.
  static std::string LabelText(double w);
  /// Label level of a diagram D pixels wide (1..5): more circles are labelled when wider.
  static int LabelLevel(int D);

 protected:
  /// A TSmithChart target takes this chart's settings (Assign).
  void AssignTo(TPersistent* Dest) const override;
  /// The chart's paint cycle without the mouse trace.
  void Paint() override;
  /// Clears SuppressPaint once the window exists.
  void CreateWnd() override;

  /// The three diagram colours.
  ///@{
  TColor FGridColLight = 0xDBDBDB;
  TColor FGridColDark = 0xA7A7A7;
  TColor FDiagramColor = 0xF8E8E8;
  ///@}

 private:
  void SetLimit(int Which, double x);
};

}  // namespace zyr
