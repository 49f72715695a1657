// SPDX-License-Identifier: MIT
#include <zyr/platform/host/clipboard.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace zyr {

namespace {
QClipboard* Board() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                      : nullptr;
}
}  // namespace

bool Clipboard::SetText(const std::string& text) {
  QClipboard* cb = Board();
  if (!cb) return false;
  cb->setText(QString::fromStdString(text));
  return true;
}

std::string Clipboard::Text() {
  QClipboard* cb = Board();
  return cb ? cb->text().toStdString() : std::string();
}

bool Clipboard::SetImage(const QImage& img) {
  QClipboard* cb = Board();
  if (!cb) return false;
  cb->setImage(img);
  return true;
}

bool Clipboard::SetSvg(const std::string& svg, const QImage* fallback) {
  QClipboard* cb = Board();
  if (!cb) return false;
  auto* mime = new QMimeData;  // the clipboard takes ownership
  mime->setData("image/svg+xml", QByteArray(svg.data(), qsizetype(svg.size())));
  if (fallback) mime->setImageData(*fallback);
  cb->setMimeData(mime);
  return true;
}

}  // namespace zyr
