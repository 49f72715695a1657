// SPDX-License-Identifier: MIT
// Gallery pages of the chart's drawing: "chart-items" (every item kind, world and pixel
// coordinates), "chart-grids" (grid styles, background areas, caption anchors) and
// "chart-million" (a line chart of one million points).
#include <zyr/chart/rchart.h>

#include <QPainter>
#include <cmath>
#include <random>

#include "gallery.h"

using namespace zyr;

namespace {

QImage Compose(int cols, int w, int h, const std::vector<QImage>& parts) {
  const int rows = int((parts.size() + size_t(cols) - 1) / size_t(cols));
  QImage out(cols * w, rows * h, QImage::Format_RGB32);
  out.fill(QColor(0xF0, 0xF0, 0xF0));
  QPainter p(&out);
  for (size_t i = 0; i < parts.size(); ++i) p.drawImage(int(i % size_t(cols)) * w, int(i / size_t(cols)) * h, parts[i]);
  return out;
}

void Label(TRChart& c, double x, double y, const std::string& s) {
  c.SetDataColor(clBlack);
  c.Text(x, y, 7, s);
}

QImage RenderItems() {
  TRChart c;
  c.SetBounds(0, 0, 900, 560);
  c.SetSuppressPaint(true);
  c.SetCaption("Every item kind");
  c.SetRange(1, 0, 0, 12, 8);
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(0xD0D0D0);

  c.SetDataColor(clBlue);  // polyline
  c.MoveTo(0.5, 6.5);
  for (int i = 1; i <= 30; ++i) c.DrawTo(0.5 + i * 0.1, 6.5 + 0.8 * std::sin(i * 0.4));
  Label(c, 2.0, 7.7, "MoveTo / DrawTo");

  for (int m = 0; m < 12; ++m) {  // marks
    c.SetDataColor(m % 2 ? clRed : clNavy);
    c.SetFillColor(0x40A0FF);
    c.MarkAt(4.3 + m * 0.3, 7.0, uint8_t(m * 4 + 3));
  }
  Label(c, 6.0, 7.7, "MarkAt");

  c.SetDataColor(0x006000);  // error bars
  for (int i = 0; i < 4; ++i) c.MarkErrorBar(9.0 + i * 0.7, 6.8, 0.3 + 0.1 * i, 0.5, 0, 20);
  Label(c, 10.2, 7.7, "MarkErrorBar");

  c.SetDataColor(clMaroon);  // lines and arrows
  c.Line(0.5, 4.0, 3.0, 5.5);
  c.SetFillColor(0xFFC080);
  c.Arrow(0.5, 3.6, 3.0, 4.6, 10);
  c.DoubleArrow(0.5, 3.0, 3.0, 3.0, 8);
  c.SetTransparentItems(true);
  c.DoubleArrow(0.5, 2.4, 3.0, 2.4, 8);
  c.SetTransparentItems(false);
  Label(c, 1.8, 5.9, "Line, Arrow, DoubleArrow");

  c.SetDataColor(clBlack);  // rectangles and frames
  c.SetFillColor(0xC0FFC0);
  c.Rectangle(4.0, 3.0, 5.2, 5.0);
  c.RectFrame(5.6, 3.0, 6.8, 5.0, 2, clGray, clWhite);
  c.RectFrame(7.2, 3.0, 8.4, 5.0, 3, clGray, clWhite);
  c.SetFillColor(0xFFD0A0);
  c.Bar3D(9.0, 3.0, 9.8, 5.0, 12, 45);
  c.Bar3D(10.6, 3.0, 11.4, 4.2, 12, 135);
  Label(c, 7.5, 5.5, "Rectangle, RectFrame, Bar3D");

  c.SetDataColor(clPurple);  // ellipses and arcs
  c.SetFillColor(0xF0D0F0);
  c.Ellipse(1.5, 1.0, 1.0, 0.6);
  c.Arc(4.0, 1.0, 0.8, 0.8, 0.0, 2.5);
  Label(c, 2.7, 1.9, "Ellipse, Arc");

  c.SetDataColor(clTeal);  // pixel-relative items
  c.MoveTo(6.0, 0.6);
  for (int i = 0; i < 6; ++i) c.DrawToRelPix(12, i % 2 ? 14 : -14);
  c.SetFillColor(0xFFFF80);
  c.RectangleRelPix(9.0, 1.0, 18, 10);
  c.SetDataColor(clNavy);
  c.Text(10.8, 1.0, 9, "Text");
  c.Text(10.8, 0.6, 7, "two lines\nof text");
  Label(c, 7.5, 1.9, "relative pixels, RectangleRelPix, Text");

  c.SetDataColor(clRed);  // cursor lines
  c.CursorVert(11.8);
  c.CursorHoriz(0.2);

  // Annotations keep pixel coordinates: they stay put when the ranges change.
  c.SetAnnoMode(true);
  c.SetDataColor(clGray);
  c.SetFillColor(0xFFF4E0);
  c.Rectangle(300, 452, 420, 480);
  c.SetDataColor(clBlack);
  c.Text(360, 466, 7, "annotation (pixels)");
  c.SetAnnoMode(false);
  c.ShowGraf();
  c.SetSuppressPaint(false);
  return c.WindowPicture().copy();
}

QImage RenderGrids() {
  std::vector<QImage> parts;
  const char* names[] = {"gsNone", "gsPoints", "gsVertLines", "gsHorizLines",
                         "gsLines", "gsHorizDotLines", "gsVertDotLines", "gsDotLines"};
  for (int g = 0; g < 8; ++g) {
    TRChart c;
    c.SetBounds(0, 0, 300, 200);
    c.SetSuppressPaint(true);
    c.SetCaption(names[g]);
    // Caption anchors: chart left, centre and right in turn.
    c.SetCaptionAnchorHoriz(TCaptionAnchorHoriz(1 + g % 3));
    c.SetCaptionAlignment(g % 3 == 0 ? taLeftJustify : (g % 3 == 1 ? taCenter : taRightJustify));
    c.SetGridStyle(GridStyleType(g));
    c.SetGridColor(0x909090);
    c.SetRange(1, 0, 0, 10, 10);
    c.BackGroundImg().SetAreaMode(TBGAreaMode(g + 3));
    c.BackGroundImg().SetAreaLeft(3);
    c.BackGroundImg().SetAreaRight(7);
    c.BackGroundImg().SetAreaTop(8);
    c.BackGroundImg().SetAreaBottom(4);
    c.SetDataColor(clBlue);
    c.MoveTo(0.0, 5.0);
    for (int i = 1; i <= 50; ++i) c.DrawTo(i * 0.2, 5 + 3 * std::sin(i * 0.2));
    c.SetSuppressPaint(false);
    parts.push_back(c.WindowPicture().copy());
  }
  return Compose(4, 300, 200, parts);
}

QImage RenderMillion() {
  TRChart c;
  c.SetBounds(0, 0, 1000, 700);
  c.SetSuppressPaint(true);
  c.SetCaption("1,000,000 points, random walk");
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < 1000000; ++i) {
    y += step(rng);
    c.DrawTo(double(i), y);
  }
  c.AutoRange(1, 3);
  c.SetSuppressPaint(false);
  return c.WindowPicture().copy();
}

GalleryRegistrar items({"chart-items", RenderItems, nullptr});
GalleryRegistrar grids({"chart-grids", RenderGrids, nullptr});
GalleryRegistrar million({"chart-million", RenderMillion, nullptr});

}  // namespace
