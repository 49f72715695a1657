// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Internal to the contour plot's value stage: iso-lines traced as smooth polylines for
/// antialiased pictures. Not part of the public interface.

#include <zyr/chart/contourplot.h>
#include <zyr/chart/contourplot_surface.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zyr::contour {

/// World to bitmap pixel along one axis of layer 1 without rounding: the transform of R2M,
/// less the control pixel of the bitmap's first column or row, moved to the pixel centre so
/// that a smooth line passes where the aliased dot would sit.
struct TAxisMap {
  /// Pixel = k * value + d (of log10(value) on a logarithmic axis).
  ///@{
  double k = 0, d = 0;
  ///@}
  /// Whether the axis is logarithmic.
  bool log = false;
  double edge = 0;    ///< pixel of values <= 1e-100 on a logarithmic axis
  double origin = 0;  ///< control pixel of bitmap pixel 0
  /// The bitmap pixel of world value v.
  double operator()(double v) const;
};

/// Sample lines of the cells along one axis. Cell c (1-based) spans the nodes first[c] ..
/// first[c + 1]; neighbouring cells share their boundary node, so a crossing there is one
/// point, computed once, for both cells.
struct TSampleAxis {
  /// First node of each cell, indexed from 1; one more entry closes the last cell.
  std::vector<int> first;
  /// World value and bitmap pixel of each node.
  ///@{
  std::vector<double> world, pixel;
  ///@}
  /// Cells 1..count of world width d centred on centre(c), each divided into at most maxSub
  /// parts and at most one per two pixels (at least one).
  template <class Centre>
  void Build(int count, double d, int maxSub, const TAxisMap& map, Centre&& centre);
};

/// Iso-lines of the plot's levels over the cells given to Cell, drawn smooth and one pixel
/// wide in the colour of their level (IsoColors colour 1 in cpmMonoDots). A cell's values are
/// interpolated bilinearly between its corners, as for the dots of the aliased picture, and
/// each level is traced through the sub-cells of the sample lines (marching squares; a saddle
/// is split by the sub-cell's mean). The pieces are written straight into the rows with the
/// share of each pixel they cover; pieces meeting on a sample line share their end point, so
/// their shares of the pixel there add up to one line, without beads or gaps.
class TIsoLines {
 public:
  /// Lines of the plot's levels over the given sample lines and axis maps.
  TIsoLines(const TContourPlot& cp, const TSampleAxis& xs, const TSampleAxis& ys,
            const TAxisMap& mx, const TAxisMap& my);
  /// The lines of cell (s, t) with the given corner values; cells with a value that is not
  /// finite draw none.
  void Cell(int s, int t, double zLL, double zLR, double zUL, double zUR);
  /// Blends the pieces of every part into the rows (colours from the rows' table), level
  /// colour by level colour, in bands of rows side by side (RunBands).
  static void Draw(const std::vector<const TIsoLines*>& parts, const TRowSink& rows, int bands);

 private:
  struct TSeg {
    double ax, ay, bx, by;  // bitmap pixels, pixel centres at .5
    int colour;             // IsoColors index
  };
  /// Levels lo <= level < hi (a level on a node counts as below it) among those drawn.
  bool Levels(double lo, double hi, int& j1, int& j2) const;
  void SubCell(int X, int Y, const double v[4], int j);

  const TContourPlot& FCp;
  const TSampleAxis& FXs;
  const TSampleAxis& FYs;
  const TAxisMap FMx, FMy;
  const int FLevels;
  const bool FMono;
  int FStride = 1;            // every FStride-th level in a cell crowded with levels
  std::vector<double> FNode;  // node values of the current cell
  std::vector<TSeg> FSegs;
};

/// Nodes farther than this many pixels outside the picture are pulled in: whatever lies
/// there is never seen, and the painter keeps exact arithmetic.
constexpr double kFarPixel = 1 << 20;

template <class Centre>
void TSampleAxis::Build(int count, double d, int maxSub, const TAxisMap& map, Centre&& centre) {
  first.assign(size_t(count) + 2, 0);
  world.clear();
  pixel.clear();
  for (int c = 1; c <= count; ++c) {
    const double lo = centre(c) - d / 2;
    const double span = std::abs(map(lo + d) - map(lo));
    const int n = !(span < 2.0 * maxSub) ? maxSub : std::max(1, int(span / 2));
    first[size_t(c)] = int(world.size());
    for (int i = 0; i < n; ++i) world.push_back(lo + d * i / n);
    if (c == count) world.push_back(lo + d);
  }
  first[size_t(count) + 1] = int(world.size()) - 1;
  pixel.resize(world.size());
  for (size_t i = 0; i < world.size(); ++i) pixel[i] = map(world[i]);
}

}  // namespace zyr::contour
