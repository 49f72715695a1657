// SPDX-License-Identifier: MIT
// Gallery page "scales": stand-alone scales of every label type in both orientations.
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/scales/scale.h>

#include <QPainter>
#include <functional>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kW = 900, kH = 760;

// Renders one configured scale into the page at (x, y).
void Place(QPainter& p, int x, int y, int w, int h, const std::function<void(TScale&)>& setup) {
  auto s = std::make_unique<TScale>();
  s->SetBounds(0, 0, w, h);
  setup(*s);
  p.drawImage(x, y, s->WindowPicture());
}

void Horizontal(TScale& s, TScaleType type, int margin = 30) {
  s.SetScaleType(type);
  s.SetMarginLeft(margin);
  s.SetMarginRight(margin);
  s.SetMarginTop(type == 1 ? 12 : 20);
  s.SetMarginBottom(type == 0 ? 12 : 20);
}

QImage RenderPage() {
  QImage img(kW, kH, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  int y = 8;
  const int w = 560, h = 62, gap = 6;
  auto row = [&](const std::function<void(TScale&)>& f) {
    Place(p, 8, y, w, h, f);
    y += h + gap;
  };
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetRange(0, 1);
    s.SetCaption("linear 0 .. 1, automatic decimals");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 0);
    s.SetRange(-250, 1250);
    s.SetMinTicks(6);
    s.SetScaleInscript("&%");
    s.SetCaption("inscription &%");
    s.SetCaptionAlignment(taLeftJustify);
    s.SetCaptionPosY(-40);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetRange(0, 2000000);
    s.SetCaption("exponent labels");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetRange(1, 10000);
    s.SetLogarithmic(true);
    s.SetMinTicks(6);
    s.SetCaption("logarithmic, 2 and 5 positions");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetRange(0.01, 1e6);
    s.SetLogarithmic(true);
    s.SetDecPlaces(-3);
    s.SetCaption("decades (exponents)");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(2);
    s.SetRange(0, 5400);
    s.SetMinTicks(5);
    s.SetCaption("time span 0 .. 5400 s");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(3);
    const double d = EncodeDate(2024, 3, 1);
    s.SetRange(d + 0.3, d + 1.6);
    s.SetMinTicks(5);
    s.SetCaption("hours with date lines");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosY(30);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(3);
    const double d = EncodeDate(2024, 3, 1) + 10.0 / 24;
    s.SetRange(d, d + 10.0 / 1440);
    s.SetMinTicks(5);
    s.DateFormat().SetDateForTime(1);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(3);
    s.SetRange(EncodeDate(2024, 1, 3), EncodeDate(2024, 1, 13));
    s.SetMinTicks(5);
    s.DateFormat().SetYearLength(0);
    s.SetCaption("days, no year");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(3);
    s.SetRange(EncodeDate(2023, 11, 15), EncodeDate(2025, 2, 1));
    s.SetMinTicks(5);
    s.SetCaption("months");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosY(24);
  });
  row([](TScale& s) {
    Horizontal(s, 1);
    s.SetLabelType(3);
    s.SetRange(EncodeDate(1890, 6, 1), EncodeDate(2030, 1, 1));
    s.SetMinTicks(5);
    s.SetCaption("years");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosY(24);
  });
  // Vertical scales on the right: reversed range, user texts, date message.
  const int vw = 100, vh = kH - 16;
  Place(p, 580, 8, vw, vh, [](TScale& s) {
    s.SetScaleType(3);
    s.SetMarginRight(10);
    s.SetRange(100, -40);
    s.SetMinTicks(6);
    s.SetCaption("reversed");
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionPosX(-30);
    s.SetCaptionPosY(4);
  });
  Place(p, 686, 8, vw, vh, [](TScale& s) {
    s.SetScaleType(2);
    s.SetMarginLeft(10);
    s.SetRange(0.5, 5.5);
    s.SetMinTicks(5);
    s.SetShortTicks(false);
    s.SetLabelType(4);
    s.SetUserTickText("none|low|mid|high|max|peak");
    s.SetCaption("user texts");
    s.SetCaptionAlignment(taLeftJustify);
    s.SetCaptionAnchor(uaSclBotRgt);
    s.SetCaptionPosY(4);
  });
  Place(p, 792, 8, vw, vh / 2 - 4, [](TScale& s) {
    s.SetScaleType(2);
    s.SetMarginLeft(10);
    s.SetRange(0.001, 1000);
    s.SetLogarithmic(true);
    s.SetMinTicks(8);
  });
  Place(p, 792, 8 + vh / 2 + 4, vw, vh / 2 - 4, [](TScale& s) {
    s.SetScaleType(2);
    s.SetMarginLeft(10);
    s.SetLabelType(3);
    s.SetRange(10, 5);
  });
  return img;
}

GalleryRegistrar reg({"scales", [] { return RenderPage(); },
                      [](QWidget* parent) -> QWidget* {
                        auto* s = new TScale(parent);
                        s->SetBounds(0, 0, 600, 80);
                        s->SetScaleType(1);
                        s->SetMarginBottom(20);
                        s->SetRange(0, 250);
                        s->SetMouseAction(1);
                        s->SetCaption("drag to pan, double click to stretch");
                        s->SetCaptionAnchor(uaSclCenter);
                        s->SetCaptionPosY(26);
                        return s;
                      }});

}  // namespace
