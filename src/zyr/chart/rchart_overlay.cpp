// Cross-hair overlay and the free-hand mouse trace of the chart.
#include <zyr/chart/rchart.h>

namespace zyr {

void TCustomRChart::MouseTraceStep(int, int) {}

void TCustomRChart::MouseTraceEndStroke() {}

void TCustomRChart::RedrawCrossHairs() {}

}  // namespace zyr
