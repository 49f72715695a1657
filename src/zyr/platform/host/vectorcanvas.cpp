#include <zyr/platform/host/vectorcanvas.h>

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace zyr {

namespace {
constexpr int kResolution = 96;  // one picture unit is one screen pixel
}

TVectorCanvas::TVectorCanvas(const std::string& fileName, int width, int height,
                             const std::string& title) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  const QString name = QString::fromStdString(fileName);
  if (QFileInfo(name).suffix().toLower() == "pdf") {
    FPdf = std::make_unique<QPdfWriter>(name);
    FPdf->setResolution(kResolution);
    FPdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    FPdf->setPageSize(QPageSize(QSizeF(width * 72.0 / kResolution, height * 72.0 / kResolution),
                                QPageSize::Point, QString(), QPageSize::ExactMatch));
    FPdf->setTitle(QString::fromStdString(title));
    SetDevice(FPdf.get(), ctVector);
  } else {
    FSvg = std::make_unique<QSvgGenerator>();
    FSvg->setFileName(name);
    FSvg->setSize(QSize(width, height));
    FSvg->setViewBox(QRect(0, 0, width, height));
    FSvg->setResolution(kResolution);
    FSvg->setTitle(QString::fromStdString(title));
    SetDevice(FSvg.get(), ctVector);
  }
  FOk = Painter() != nullptr;
}

TVectorCanvas::TVectorCanvas(int width, int height, const std::string& title) {
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

TVectorCanvas::~TVectorCanvas() { Finish(); }

std::string TVectorCanvas::Finish() {
  if (!FFinished) {
    FFinished = true;
    Flush();
    SetDevice(nullptr, ctVector);
  }
  if (FBuffer.isOpen()) return FBuffer.data().toStdString();
  return "";
}

}  // namespace zyr
