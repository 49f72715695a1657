// Text labels of TCustomRChart.

#include <zyr/chart/rchart.h>

namespace zyr {

void TCustomRChart::DrawTextLabels(TCanvas&, int, int) {}

}  // namespace zyr
