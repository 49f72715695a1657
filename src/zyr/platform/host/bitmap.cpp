// SPDX-License-Identifier: MIT
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/files.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace zyr {

namespace {
constexpr int kDotsPerMeter96 = 3780;  // 96 dpi, the screen resolution of the controls

QImage NewImage(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.setDotsPerMeterX(kDotsPerMeter96);
  img.setDotsPerMeterY(kDotsPerMeter96);
  img.fill(Qt::white);
  return img;
}
}  // namespace

TBitmap::TBitmap() : FCanvas(&FImage, ctRaster) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { FCanvas.Flush(); }

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == Width() && h == Height()) return;
  FCanvas.Flush();
  QImage img;
  if (w > 0 && h > 0) {
    img = NewImage(w, h);
    if (!FImage.isNull()) {
      QPainter p(&img);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, FImage);
    }
  }
  FImage = img;
}

TRGB32* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= Height()) return nullptr;
  FCanvas.Flush();
  return reinterpret_cast<TRGB32*>(FImage.scanLine(y));
}

const QImage& TBitmap::Image() {
  FCanvas.Flush();
  return FImage;
}

void TBitmap::SetImage(const QImage& img) {
  FCanvas.Flush();
  FImage = img.convertToFormat(QImage::Format_RGB32);
  FImage.setDotsPerMeterX(kDotsPerMeter96);
  FImage.setDotsPerMeterY(kDotsPerMeter96);
}

bool TBitmap::LoadFromFile(const std::string& fileName) {
  TFileReader file(fileName);
  QFile device;
  if (!file.Ok() || !device.open(file.Handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
    return false;
  QImageReader reader(&device);
  QImage img = reader.read();
  if (img.isNull()) return false;
  SetImage(img);
  return true;
}

bool TBitmap::SaveToFile(const std::string& fileName) {
  FCanvas.Flush();
  if (FImage.isNull()) return false;
  QString suffix = QFileInfo(QString::fromStdString(fileName)).suffix().toLower();
  const char* fmt = "BMP";
  if (suffix == "png")
    fmt = "PNG";
  else if (suffix == "jpg" || suffix == "jpeg")
    fmt = "JPEG";
  return WriteFileAtomically(fileName, [&](QIODevice& d) { return FImage.save(&d, fmt); });
}

void TBitmap::Assign(const TPersistent* Source) {
  if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
    if (b == this) return;
    auto* src = const_cast<TBitmap*>(b);
    FCanvas.Flush();
    FImage = src->Image().copy();
    FPixelFormat = src->FPixelFormat;
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace zyr
