// SPDX-License-Identifier: MIT
#include <zyr/platform/host/vectorcanvas.h>

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <exception>

namespace zyr {

namespace {
constexpr int kResolution = 96;  // one picture unit is one screen pixel
}

TVectorCanvas::TVectorCanvas(const std::string& fileName, int width, int height,
                             const std::string& title)
    : FUncaught(std::uncaught_exceptions()) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  FFile = std::make_unique<TAtomicFile>(fileName);
  if (!FFile->Device()) {
    FOk = false;
    return;
  }
  // The writers may close their device when they end, which the atomic file must not see; the
  // picture is kept in memory and copied to the file at the end.
  FBuffer.open(QIODevice::WriteOnly);
  const QString name = QString::fromStdString(fileName);
  if (QFileInfo(name).suffix().toLower() == "pdf") {
    FPdf = std::make_unique<QPdfWriter>(&FBuffer);
    FPdf->setResolution(kResolution);
    FPdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    FPdf->setPageSize(QPageSize(QSizeF(width * 72.0 / kResolution, height * 72.0 / kResolution),
                                QPageSize::Point, QString(), QPageSize::ExactMatch));
    FPdf->setTitle(QString::fromStdString(title));
    SetDevice(FPdf.get(), ctVector);
  } else {
    FSvg = std::make_unique<QSvgGenerator>();
    FSvg->setOutputDevice(&FBuffer);
    FSvg->setSize(QSize(width, height));
    FSvg->setViewBox(QRect(0, 0, width, height));
    FSvg->setResolution(kResolution);
    FSvg->setTitle(QString::fromStdString(title));
    SetDevice(FSvg.get(), ctVector);
  }
  FOk = Painter() != nullptr;
}

TVectorCanvas::TVectorCanvas(int width, int height, const std::string& title)
    : FUncaught(std::uncaught_exceptions()) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  FBuffer.open(QIODevice::WriteOnly);
  FSvg = std::make_unique<QSvgGenerator>();
  FSvg->setOutputDevice(&FBuffer);
  FSvg->setSize(QSize(width, height));
  FSvg->setViewBox(QRect(0, 0, width, height));
  FSvg->setResolution(kResolution);
  FSvg->setTitle(QString::fromStdString(title));
  SetDevice(FSvg.get(), ctVector);
  FOk = Painter() != nullptr;
}

TVectorCanvas::~TVectorCanvas() {
  // A drawing cut short by an exception must not leave a picture that looks complete.
  if (!FFinished && std::uncaught_exceptions() > FUncaught && FFile) FFile->Discard();
  Finish();
}

std::string TVectorCanvas::Finish() {
  if (!FFinished) {
    FFinished = true;
    Flush();
    SetDevice(nullptr, ctVector);
    FSvg.reset();
    FPdf.reset();
    if (FFile) {
      const QByteArray& bytes = FBuffer.data();
      QIODevice* d = FFile->Device();
      FOk = FOk && d && d->write(bytes) == bytes.size() && FFile->Commit();
      FFile.reset();
      FBuffer.close();
      FBuffer.setData(QByteArray());
      return "";
    }
  }
  if (FBuffer.isOpen()) return FBuffer.data().toStdString();
  return "";
}

}  // namespace zyr
