// SPDX-License-Identifier: MIT
// Gallery page "platform": the drawing building blocks every control uses.
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/format.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/platform/host/bitmap.h>

#include "gallery.h"

using namespace zyr;

namespace {

void Heading(TCanvas& cv, int x, int y, const std::string& s) {
  cv.Font().SetStyle(fsBold);
  cv.Font().SetColor(clBlack);
  cv.Brush().SetStyle(bsClear);
  cv.TextOut(x, y, s);
  cv.Font().SetStyle(0);
}

void DrawMarks(TCanvas& cv, int x0, int y0) {
  Heading(cv, x0, y0, "Marks 0 .. 51 (and 65, 947 drawn as characters)");
  const int cols = 18, cellW = 40, cellH = 40;
  for (int t = 0; t < NumMarkTypes + 2; ++t) {
    int type = t < NumMarkTypes ? t : (t == NumMarkTypes ? 65 : 947);
    int cx = x0 + (t % cols) * cellW + cellW / 2;
    int cy = y0 + 30 + (t / cols) * cellH;
    cv.Pen().SetColor(clNavy);
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(RGB(255, 170, 60));
    DrawMarkOnCanvas(cv, type, cx, cy);
    cv.Brush().SetStyle(bsClear);
    cv.Font().SetColor(clGray);
    std::string label = std::to_string(type);
    cv.TextOut(cx - cv.TextWidth(label) / 2, cy + 9, label);
  }
}

void DrawFrames(TCanvas& cv, int x0, int y0) {
  Heading(cv, x0, y0, "Frame styles");
  const char* names[] = {"0 none",     "1 simple",   "2 lowered", "3 raised",
                         "4 embossed", "5 engraved", "6 double"};
  for (int s = 0; s <= 6; ++s) {
    int x = x0 + s * 100;
    int y = y0 + 22;
    cv.Pen().SetColor(clBtnFace);
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(clBtnFace);
    cv.Rectangle(x, y, x + 90, y + 50);
    DrawFrame(cv, TFrameStyle(s), x, y, x + 89, y + 49, clWhite, clSilver, clGray, clBlack,
              clBlack);
    cv.Brush().SetStyle(bsClear);
    cv.Font().SetColor(clBlack);
    cv.TextOut(x + 8, y + 18, names[s]);
  }
}

void ColorBar(TCanvas& cv, int x, int y, int w, const TColorArray& ca, const std::string& name) {
  for (int i = 0; i < w; ++i) {
    int idx = 1 + int(double(i) / w * ca.NumColors());
    cv.Pen().SetColor(ca.Color(idx));
    cv.MoveTo(x + i, y);
    cv.LineTo(x + i, y + 18);
  }
  cv.Brush().SetStyle(bsClear);
  cv.Font().SetColor(clBlack);
  cv.TextOut(x + w + 10, y + 2, name);
}

void DrawColors(TCanvas& cv, int x0, int y0) {
  Heading(cv, x0, y0, "Colour arrays");
  TColorArray a;
  ColorBar(cv, x0, y0 + 22, 400, a, "new table (16 colours)");
  TColorArray b;
  b.Fill(256, {clBlack, clRed, clYellow, clWhite});
  ColorBar(cv, x0, y0 + 46, 400, b, "256: black, red, yellow, white");
  TColorArray c;
  c.Fill(64, {RGB(40, 60, 200), clWhite, RGB(200, 40, 40)});
  ColorBar(cv, x0, y0 + 70, 400, c, "64: diverging blue, white, red");
  TColorArray d;
  d.Fill(8, {clGreen, clYellow});
  ColorBar(cv, x0, y0 + 94, 400, d, "8 steps: green to yellow");

  Heading(cv, x0, y0 + 130, "Predefined colours");
  for (int i = 1; i <= NumPredefinedColors; ++i) {
    int x = x0 + (i - 1) * 44;
    cv.Pen().SetColor(PredefinedColors(i));
    cv.Pen().SetWidth(3);
    cv.MoveTo(x, y0 + 160);
    cv.LineTo(x + 36, y0 + 160);
    cv.Pen().SetWidth(1);
    cv.Font().SetColor(PredefinedColors(i));
    cv.TextOut(x + 12, y0 + 166, std::to_string(i));
  }
}

void DrawText(TCanvas& cv, int x0, int y0) {
  Heading(cv, x0, y0, "Default font and number formats");
  cv.Font().SetColor(clBlack);
  const std::string lines[] = {
      "DejaVu Sans 8 pt: The quick brown fox jumps over the lazy dog 0123456789",
      "strff(3.14159, 8, 2) = '" + strff(3.14159, 8, 2) + "'   strff(1234.5, 1, -1) = '" +
          strff(1234.5, 1, -1) + "'   strff(1.5e12, 1, -2) = '" + strff(1.5e12, 1, -2) + "'",
      "SigDigStr(123.456789, 1, 5, false) = '" + SigDigStr(123.456789, 1, 5, false) +
          "'   SigDigStr(1e300, 1, 5, true) = '" + SigDigStr(1e300, 1, 5, true) + "'",
      "CenterString(\"ab\", 6) = '" + CenterString("ab", 6) +
          "'   AbbrevString(\"Temperature\", 6) = '" + AbbrevString("Temperature", 6) +
          "'   ProcessHexChars(\"10 \\xB5m\") = '" + ProcessHexChars("10 \\xB5m") + "'",
  };
  int y = y0 + 22;
  for (const auto& s : lines) {
    cv.TextOut(x0, y, s);
    y += cv.TextHeight(s) + 4;
  }
}

// The same marks three times enlarged, so their pixel design can be judged.
void DrawMarksMagnified(TCanvas& cv, int x0, int y0) {
  Heading(cv, x0, y0, "Marks enlarged 3x");
  const int cols = 26, cell = 19;
  TBitmap small(cols * cell, 2 * cell);
  TCanvas& sc = small.Canvas();
  sc.Brush().SetColor(clWhite);
  sc.FillRect(Rect(0, 0, small.Width(), small.Height()));
  for (int t = 0; t < NumMarkTypes; ++t) {
    sc.Pen().SetColor(clNavy);
    sc.Brush().SetStyle(bsSolid);
    sc.Brush().SetColor(RGB(255, 170, 60));
    DrawMarkOnCanvas(sc, t, (t % cols) * cell + cell / 2, (t / cols) * cell + cell / 2);
  }
  cv.StretchDraw(Rect(x0, y0 + 20, x0 + 3 * small.Width(), y0 + 20 + 3 * small.Height()), small);
}

QImage RenderPlatformSheet() {
  TBitmap bmp(1520, 760);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clWhite);
  cv.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
  DrawMarks(cv, 20, 14);
  DrawFrames(cv, 20, 190);
  DrawColors(cv, 20, 290);
  DrawText(cv, 20, 490);
  DrawMarksMagnified(cv, 20, 600);
  return bmp.Image().copy();
}

GalleryRegistrar reg({"platform", [] { return RenderPlatformSheet(); },
                      [](QWidget*) -> QWidget* { return nullptr; }});

}  // namespace
