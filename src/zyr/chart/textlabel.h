// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TTextLabel: one of the thirty movable text labels of a chart.

#include <zyr/platform/foundation/textlabel.h>

namespace zyr {

/// A caption floating above the chart's items, anchored to pixels or to world coordinates
/// of a layer, drawn as plain text, boxed, underlined or boxed with a drop shadow. Every
/// chart owns thirty of them; take one with AddTextLabel or set one up through TextLabels:
///
///   int n = chart->AddTextLabel(2.5, 10.0, clRed, "peak\n12.3 kHz", 0);
///   chart->TextLabels(n).SetMode(4);   // boxed with a drop shadow
///
/// Gallery picture: chart-text-labels.png.
class TTextLabel : public TCustomTextLabel {
 public:
  std::string ClassName() const override { return "TTextLabel"; }
};

}  // namespace zyr
