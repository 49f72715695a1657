// Item drawing of TCustomRChart.

#include <zyr/chart/rchart.h>

namespace zyr {

void TCustomRChart::DrawAllItems(TCanvas&, int, int, bool) {}

int TCustomRChart::CalcTextExtents(const std::string& Text, TCanvas& Canvas, int& Width,
                                   int& Height, int& LineHeight) {
  Width = Canvas.TextWidth(Text);
  LineHeight = Canvas.TextHeight(Text) + 1;
  Height = LineHeight;
  return 1;
}

}  // namespace zyr
