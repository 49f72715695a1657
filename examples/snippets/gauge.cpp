// SPDX-License-Identifier: MIT
// A gauge with a band index and a moving dial; writes gauge_pair.png.
#include <zyr/scales/gauge.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [gauge]
  zyr::TScaleGauge fixed;  // the index moves over a fixed dial
  fixed.resize(320, 80);
  fixed.SetMin(0);
  fixed.SetMax(6);
  fixed.SetMarginTop(26);  // room for the caption above the window
  fixed.SetCaption("pressure [bar]");
  fixed.SetCaptionSize(8);
  fixed.SetCaptionPosY(7);
  fixed.SetIndexMode(zyr::gimBand);
  fixed.SetColorIndex1(zyr::clGreen);
  fixed.SetValue(3.7);  // clamped into Min .. Max

  zyr::TScaleGauge moving;  // the dial slides under an index in the middle
  moving.resize(320, 80);
  moving.SetMin(0);
  moving.SetMax(6);
  moving.SetFixedDial(false);
  moving.SetIndexMode(zyr::gimThreadTriangle);
  moving.SetValue(3.7);
  // [gauge]
  QImage page(320, 170, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter p(&page);
  p.drawImage(0, 0, fixed.WindowPicture());
  p.drawImage(0, 90, moving.WindowPicture());
  p.end();
  return page.save("gauge_pair.png") ? 0 : 1;
}
