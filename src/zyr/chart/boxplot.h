// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TBoxPlot: box-and-whisker symbols for the columns of a data table.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/textlabel.h>
#include <zyr/platform/numerics/datatable.h>
#include <zyr/platform/numerics/matrix.h>
#include <zyr/platform/numerics/vector.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyr {

/// Direction of the boxes: bpltHorizontal (values along x, boxes stacked along y) or
/// bpltVertical (values along y, boxes side by side along x).
enum TBoxPlotOrientation : uint8_t { bpltHorizontal = 0, bpltVertical = 1 };
/// Grid of the value axis: bpgsNone, bpgsLines (solid lines) or bpgsDotLines (dotted lines).
enum TBoxPlotGridStyle : uint8_t { bpgsNone = 0, bpgsLines = 1, bpgsDotLines = 2 };

/// Per-box colour hook: (Sender, Column, ColorLines, ColorBody, ColorMinMax, Color90Perc,
/// ColorMean, ColorMedian); change the colours for this box only.
using TOnBeforeBoxDrawEvent = std::function<void(
    TObject* Sender, int Column, TColor& ColorLines, TColor& ColorBody, TColor& ColorMinMax,
    TColor& Color90Perc, TColor& ColorMean, TColor& ColorMedian)>;

/// Appearance of the column labels of a box plot, plus their distance from the chart margin:
///
///   plot->Labels().SetPosition(-6);   // 6 pixels below the top margin instead
///
/// Position >= 0 counts from the bottom margin (vertical boxes) or the right margin
/// (horizontal boxes); a negative value counts |Position| from the top or left margin.
class TBoxPlotLabel : public TCustomTextLabel {
 public:
  /// Grey labels with a shadow, black text, 8 pixels from the margin.
  TBoxPlotLabel();
  /// Distance of the labels from the margin in pixels (default 8, see the class).
  ///@{
  int Position() const { return FLabelPos; }
  /// Fires OnChange when it changes.
  void SetPosition(int v);
  ///@}
  /// Copies the look and, from another TBoxPlotLabel, the position.
  void Assign(const TPersistent* Source) override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TBoxPlotLabel"; }

 private:
  int FLabelPos = 8;
};

/// A chart that draws one box-and-whisker symbol per column of Data(): the box spans the
/// quartiles, whiskers reach minimum and maximum, median, mean and the 10th/90th percentiles
/// are lines or marks. The symbols are ordinary chart items on layer 1; the first 30 columns
/// are named by the chart's text labels.
///
///   auto* bp = new TBoxPlot(parent);
///   bp->Data().Resize(3, 50);           // fill with SetElem; each change rebuilds the chart
///   bp->AutoRange(5);
///
/// Painting (and every rebuild) starts when the window exists (CreateWnd). Gallery picture:
/// boxplot.png.
class TBoxPlot : public TCustomRChart {
  Q_OBJECT
  /// Qt properties (Designer, QVariant access): each reads and writes through the getter
  /// and setter of the same name, with the same limits and rebuilding.
  ///@{
  Q_PROPERTY(QColor ColorBody READ QtColorBody WRITE SetColorBody)
  Q_PROPERTY(QColor ColorLines READ QtColorLines WRITE SetColorLines)
  Q_PROPERTY(QColor ColorMedian READ QtColorMedian WRITE SetColorMedian)
  Q_PROPERTY(QColor ColorMean READ QtColorMean WRITE SetColorMean)
  Q_PROPERTY(QColor Color90Perc READ QtColor90Perc WRITE SetColor90Perc)
  Q_PROPERTY(QColor ColorMinMax READ QtColorMinMax WRITE SetColorMinMax)
  Q_PROPERTY(double BoxWidth READ BoxWidth WRITE SetBoxWidth)
  Q_PROPERTY(int Orientation READ Orientation WRITE QtSetOrientation)
  Q_PROPERTY(int GridStyle READ GridStyle WRITE QtSetGridStyle)
  Q_PROPERTY(bool Show90Perc READ Show90Perc WRITE SetShow90Perc)
  Q_PROPERTY(bool ShowMedian READ ShowMedian WRITE SetShowMedian)
  Q_PROPERTY(bool ShowMean READ ShowMean WRITE SetShowMean)
  ///@}
  // OnBeforeBoxDraw is fired per box while painting: it has no signal.
 public:
  /// A box plot of its own table (at first one column of 100 random values), vertical boxes.
  explicit TBoxPlot(QWidget* parent = nullptr);
  /// Releases the own table; a foreign table is only unhooked.
  ~TBoxPlot() override;
  /// Class name for diagnostics.
  std::string ClassName() const override { return "TBoxPlot"; }

  /// The table shown: the box plot's own, or the one handed to AssignAnotherDataTable.
  TDataTable& Data();
  /// Shows a table owned by the caller (not freed by the box plot), which must outlive the
  /// box plot or be released first with AssignAnotherDataTable(nullptr); nullptr goes back to
  /// an own, empty table.
  void AssignAnotherDataTable(TDataTable* DTab);
  /// Like the pointer form, but a shared table that dies first is noticed and released.
  void AssignAnotherDataTable(const std::shared_ptr<TDataTable>& DTab);
  /// True while a table handed to AssignAnotherDataTable is shown.
  bool ExternalDataTable() const { return FExtMatAssigned; }

  /// Recomputes, relabels and rebuilds (nothing while the box plot's painting is suppressed).
  void DataChanged(TObject* Sender);
  /// Recomputes the statistics of all columns.
  void CommitChangedData();
  /// Turns the statistics into chart items.
  void CreateChart();
  /// Same as CreateChart.
  void Update() { CreateChart(); }
  /// Value axis: all minima and maxima widened by Margin percent; category axis 0 .. C + 1.
  void AutoRange(double Margin);
  /// The chart's SetRange on layer 1 (x and y from low to high).
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
    TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
  }
  /// The chart's ConfineZoomRange: zooming stays inside this range.
  void ConfineZoomRange(double xLo, double yLo, double xHi, double yHi) {
    TCustomRChart::ConfineZoomRange(xLo, yLo, xHi, yHi);
  }
  /// Resizes and places the column labels again.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  /// The table followed by the statistics block; std::ios_base::failure when it cannot be
  /// written.
  void SaveDataASC(const std::string& FName);

  /// The box plot's own painting switch; lifting it recomputes and rebuilds.
  ///@{
  bool BoxSuppressPaint() const { return FBoxSuppressPaint; }
  void SetBoxSuppressPaint(bool v);
  ///@}

  /// Minimum, maximum and mean of the numeric cells of column \p i (from 1).
  ///@{
  // Statistics of column i (1-based).
  double Minimum(int i) const { return FMinis.Elem(i); }
  double Maximum(int i) const { return FMaxis.Elem(i); }
  double Mean(int i) const { return FMeans.Elem(i); }
  ///@}
  /// q = 1 lower quartile, 2 median, 3 upper quartile.
  double Quartile(int i, int q) const { return FQuarts.Elem(i, q); }
  /// p = 1: 10th, 2: 90th percentile.
  double Percentile90(int i, int p) const { return F90Percentils.Elem(i, p); }

  /// Direction of the boxes (default bpltVertical); a change exchanges the layer-1 ranges,
  /// shows only the value axis and rebuilds.
  ///@{
  TBoxPlotOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TBoxPlotOrientation v);
  ///@}
  /// Box width in world units of the category axis (default 0.5); rebuilds on change.
  ///@{
  double BoxWidth() const { return FBPlotWidth; }
  /// Clamped to 0..1 (NaN: 0).
  void SetBoxWidth(double v);
  ///@}
  /// Fill colour of the boxes (default 0xE9E9E9); rebuilds on change.
  ///@{
  TColor ColorBody() const { return FColorBody; }
  void SetColorBody(TColor v);
  ///@}
  /// Outline colour of the boxes (default black); rebuilds on change.
  ///@{
  TColor ColorLines() const { return FColorLines; }
  void SetColorLines(TColor v);
  ///@}
  /// Colour of the median (default black); rebuilds on change.
  ///@{
  TColor ColorMedian() const { return FColorMedian; }
  void SetColorMedian(TColor v);
  ///@}
  /// Colour of the mean (default blue); rebuilds on change.
  ///@{
  TColor ColorMean() const { return FColorMean; }
  void SetColorMean(TColor v);
  ///@}
  /// Colour of the 10th and 90th percentiles (default blue); rebuilds on change.
  ///@{
  TColor Color90Perc() const { return FColor90Perc; }
  void SetColor90Perc(TColor v);
  ///@}
  /// Colour of the whiskers and the minimum and maximum marks (default black); rebuilds on
  /// change.
  ///@{
  TColor ColorMinMax() const { return FColorMinMax; }
  void SetColorMinMax(TColor v);
  ///@}
  /// Qt forms of the colour setters (an invalid QColor gives clNone) and of SaveDataASC.
  ///@{
  // Qt forms of the colour setters (an invalid QColor gives clNone) and the file name.
  void SetColorBody(const QtColor auto& v) { SetColorBody(FromQColor(v)); }
  void SetColorLines(const QtColor auto& v) { SetColorLines(FromQColor(v)); }
  void SetColorMedian(const QtColor auto& v) { SetColorMedian(FromQColor(v)); }
  void SetColorMean(const QtColor auto& v) { SetColorMean(FromQColor(v)); }
  void SetColor90Perc(const QtColor auto& v) { SetColor90Perc(FromQColor(v)); }
  void SetColorMinMax(const QtColor auto& v) { SetColorMinMax(FromQColor(v)); }
  void SaveDataASC(const QtText auto& FName) { SaveDataASC(FromQString(FName)); }
  ///@}
  /// \cond internal
  // Accessors of the Qt properties; enumeration values out of range are ignored.
  QColor QtColorBody() const { return ToQColor(ColorBody()); }
  QColor QtColorLines() const { return ToQColor(ColorLines()); }
  QColor QtColorMedian() const { return ToQColor(ColorMedian()); }
  QColor QtColorMean() const { return ToQColor(ColorMean()); }
  QColor QtColor90Perc() const { return ToQColor(Color90Perc()); }
  QColor QtColorMinMax() const { return ToQColor(ColorMinMax()); }
  void QtSetOrientation(int v) {
    if (v == bpltHorizontal || v == bpltVertical) SetOrientation(TBoxPlotOrientation(v));
  }
  void QtSetGridStyle(int v) {
    if (v >= bpgsNone && v <= bpgsDotLines) SetGridStyle(TBoxPlotGridStyle(v));
  }
  /// \endcond
  /// Shows the 10th and 90th percentiles (default off); rebuilds on change.
  ///@{
  bool Show90Perc() const { return FShow90Perc; }
  void SetShow90Perc(bool v);
  ///@}
  /// Shows the median (default on); rebuilds on change.
  ///@{
  bool ShowMedian() const { return FShowMedian; }
  void SetShowMedian(bool v);
  ///@}
  /// Shows the mean (default on); rebuilds on change.
  ///@{
  bool ShowMean() const { return FShowMean; }
  void SetShowMean(bool v);
  ///@}
  /// Shows the minimum and maximum marks (default on); rebuilds on change.
  ///@{
  bool ShowMinMax() const { return FShowMinMax; }
  void SetShowMinMax(bool v);
  ///@}
  /// Grid of the value axis (default bpgsNone); rebuilds on change.
  ///@{
  TBoxPlotGridStyle GridStyle() const { return FGridStyle; }
  void SetGridStyle(TBoxPlotGridStyle v);
  ///@}
  /// Mark types (0 .. 51; larger values are ignored) of minimum and maximum (default 26),
  /// mean (default 5), median and percentiles (default 0). 0 draws mean, median and
  /// percentiles as lines instead of marks. Rebuilds on change.
  ///@{
  // Mark types 0..51; larger values are ignored.
  uint8_t SymbolMin() const { return FMinMark; }
  void SetSymbolMin(int v);
  uint8_t SymbolMax() const { return FMaxMark; }
  void SetSymbolMax(int v);
  uint8_t SymbolMean() const { return FMeanMark; }
  void SetSymbolMean(int v);
  uint8_t SymbolMedian() const { return FMedianMark; }
  void SetSymbolMedian(int v);
  uint8_t Symbol90Perc() const { return FPerc90Mark; }
  void SetSymbol90Perc(int v);
  ///@}
  /// Look and position of the column labels; a change rebuilds.
  TBoxPlotLabel& Labels() { return *FLabels; }
  /// Takes over the given object (nullptr is ignored).
  void SetLabels(std::unique_ptr<TBoxPlotLabel> v);

  /// Before each box is drawn: change its colours for this box only. No signal.
  TOnBeforeBoxDrawEvent OnBeforeBoxDraw;

 protected:
  /// Lifts the painting switch once the window exists, which computes and draws.
  void CreateWnd() override;
  /// Paints when visible and painting is not suppressed.
  void Paint() override;

 private:
  TDataTable* Table();
  void HookTable();
  void UnhookTable();
  void UseOwnTable(std::unique_ptr<TDataTable> t);
  bool HasNumbers(int Col) const;
  void PlaceLabels();
  void PlaceLabel(int i);
  void CopyLabelLooks(int i);
  void Rebuild();
  template <class T>
  void SetProp(T& field, T v) {
    if (field == v) return;
    field = v;
    Rebuild();
  }
  void SetSymbol(uint8_t& field, int v);

  TBoxPlotOrientation FOrientation = bpltVertical;
  double FBPlotWidth = 0.5;
  TVector FMinis, FMaxis;
  uint8_t FMinMark = 26, FMaxMark = 26, FMeanMark = 5, FMedianMark = 0, FPerc90Mark = 0;
  TMatrix FQuarts;
  TMatrix F90Percentils;
  std::unique_ptr<TBoxPlotLabel> FLabels;
  TVector FMeans;
  TColor FColorBody = 0xE9E9E9, FColorLines = 0, FColorMedian = 0, FColorMean = 0xFF0000,
         FColor90Perc = 0xFF0000, FColorMinMax = 0;
  bool FShow90Perc = false, FShowMedian = true, FShowMean = true, FShowMinMax = true;
  TBoxPlotGridStyle FGridStyle = bpgsNone;
  bool FExtMatAssigned = false;
  bool FBoxSuppressPaint = true;

  std::unique_ptr<TDataTable> FOwnData;
  TDataTable* FData = nullptr;
  std::weak_ptr<TDataTable> FSharedData;  // set for a shared foreign table
  bool FTracksShared = false;
  std::vector<int> FNumCells;  // numeric cells per column at the last CommitChangedData
};

}  // namespace zyr
