// TContourPlot: the data-area picture (values, mask overlay, items, labels, frame).

#include <zyr/chart/contourplot.h>

namespace zyr {

void TContourPlot::Paint() { TCustomRChart::Paint(); }

void TContourPlot::ConstructDataBmp(TBitmap& Bmp, int OffsX, int OffsY, bool Flag, int StartElem) {
  if (FInvalidDataBmp) CalculatePivotPoints(false);
  TCustomRChart::ConstructDataBmp(Bmp, OffsX, OffsY, Flag, StartElem);
  FInvalidDataBmp = false;
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& Canvas, int OffsX, int OffsY, bool Flag,
                                          int StartElem) {
  TCustomRChart::ConstructDataBmpCanvas(Canvas, OffsX, OffsY, Flag, StartElem);
}

void TContourPlot::RenderFromPivotPoints(TBitmap&, int, int) {}

void TContourPlot::IsoQuadSL(TRGB32*, int, int, int, int, double, double, double, double, double,
                             double, double, double, uint16_t, uint16_t) {}

void TContourPlot::IsoColQuadSL(TRGB32*, int, int, int, int, double, double, double, double, double,
                                double, double, double, uint16_t, uint16_t) {}

void TContourPlot::IsoQuad(TCanvas&, int, int, double, double, double, double, double, double,
                           double, double, uint16_t, uint16_t) {}

void TContourPlot::IsoColQuad(TCanvas&, int, int, double, double, double, double, double, double,
                              double, double, uint16_t, uint16_t) {}

void TContourPlot::RenderLabels(TCanvas&, int, int) {}

}  // namespace zyr
