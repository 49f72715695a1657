// SPDX-License-Identifier: MIT
// Gallery page "colorscale": colour legends in both orientations, with several colour tables,
// extended colours, a cross-hair and a reversed range.
#include <zyr/scales/colorscale.h>

#include <QPainter>
#include <functional>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kW = 760, kH = 460;

// Renders one configured colour scale into the page at (x, y).
void Place(QPainter& p, int x, int y, int w, int h,
           const std::function<void(TColorScale&)>& setup) {
  auto cs = std::make_unique<TColorScale>();
  cs->SetBounds(0, 0, w, h);
  setup(*cs);
  p.drawImage(x, y, cs->WindowPicture());
}

// Room for the caption above a horizontal bar.
void CaptionAbove(TColorScale& cs, const std::string& caption) {
  cs.SetMarginTop(28);
  cs.SetCaption(caption);
  cs.SetCaptionSize(9);
  cs.SetCaptionPosY(8);
}

QImage RenderPage() {
  QImage img(kW, kH, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  const int w = 520, h = 80, gap = 8;
  int y = 8;
  auto row = [&](const std::function<void(TColorScale&)>& f) {
    Place(p, 8, y, w, h, f);
    y += h + gap;
  };
  row([](TColorScale& cs) {
    CaptionAbove(cs, "default table, 0 .. 100, cross-hair at 37.5");
    cs.SetScaleRange(0, 100);
    cs.CrossHair().SetPos(37.5, 37.5);
  });
  row([](TColorScale& cs) {
    CaptionAbove(cs, "64 colours over 20 .. 80, extended colours");
    cs.ColorArray().Fill(64, {clNavy, clBlue, clWhite, clRed, clMaroon});
    cs.SetScaleRange(0, 100);
    cs.SetColorLow(20);
    cs.SetColorHigh(80);
    cs.SetExtendColors(true);
    cs.CrossHair().SetCrossHMode(0);
  });
  row([](TColorScale& cs) {
    CaptionAbove(cs, "the same without extended colours");
    cs.ColorArray().Fill(64, {clNavy, clBlue, clWhite, clRed, clMaroon});
    cs.SetScaleRange(0, 100);
    cs.SetColorLow(20);
    cs.SetColorHigh(80);
    cs.SetColorSclBkgd(clCream);
    cs.CrossHair().SetCrossHMode(0);
  });
  row([](TColorScale& cs) {
    CaptionAbove(cs, "8 grey steps, reversed range 1000 .. -1000");
    cs.ColorArray().Fill(8, {clBlack, clWhite});
    cs.SetScaleRange(1000, -1000);
    cs.SetFrameStyle(3);
    cs.CrossHair().SetCrossHMode(0);
  });
  row([](TColorScale& cs) {
    CaptionAbove(cs, "terrain table, thick cross-hair, unframed bar");
    cs.ColorArray().Fill(
        48, {RGB(0, 90, 0), RGB(120, 200, 60), RGB(240, 230, 140), RGB(140, 90, 40), clWhite});
    cs.SetScaleRange(-200, 3000);
    cs.SetFramedColorScale(false);
    cs.CrossHair().SetCrossHLineType(psSolid);
    cs.CrossHair().SetCrossHLineWidth(3);
    cs.CrossHair().SetCrossHColor(clBlack);
    cs.CrossHair().SetPos(1200, 1200);
  });
  // Vertical bars on the right.
  Place(p, 540, 8, 100, 440, [](TColorScale& cs) {
    cs.SetOrientation(csoVertical);
    cs.SetMarginTop(30);
    cs.SetMarginBottom(12);
    cs.SetMarginLeft(12);
    cs.SetMarginRight(52);
    cs.SetCaption("vertical");
    cs.SetCaptionSize(8);
    cs.SetCaptionPosY(8);
    cs.ColorArray().Fill(64, {clBlue, clAqua, clLime, clYellow, clRed});
    cs.SetScaleRange(-5, 35);
    cs.CrossHair().SetPos(22, 22);
  });
  Place(p, 650, 8, 100, 440, [](TColorScale& cs) {
    cs.SetOrientation(csoVertical);
    cs.SetMarginTop(30);
    cs.SetMarginBottom(12);
    cs.SetMarginLeft(12);
    cs.SetMarginRight(52);
    cs.SetCaption("10 .. 20 of 0 .. 30");
    cs.SetCaptionSize(7);
    cs.SetCaptionPosX(6);
    cs.SetCaptionPosY(8);
    cs.ColorArray().Fill(32, {clPurple, clFuchsia, clYellow});
    cs.SetScaleRange(0, 30);
    cs.SetColorLow(10);
    cs.SetColorHigh(20);
    cs.SetExtendColors(true);
    cs.CrossHair().SetCrossHMode(0);
  });
  return img;
}

QWidget* LiveControl(QWidget* parent) {
  auto* cs = new TColorScale(parent);
  cs->SetBounds(0, 0, 520, 80);
  cs->ColorArray().Fill(64, {clBlue, clAqua, clLime, clYellow, clRed});
  cs->SetScaleRange(0, 100);
  cs->SetMouseAction(18);  // drag the middle to pan, an end to stretch
  return cs;
}

GalleryRegistrar reg({"colorscale", RenderPage, LiveControl});

}  // namespace
