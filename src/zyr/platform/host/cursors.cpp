// SPDX-License-Identifier: MIT
#include <zyr/platform/host/cursors.h>

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace zyr {

namespace {

std::map<TCursor, QCursor>& Registry() {
  static std::map<TCursor, QCursor> r;
  return r;
}

// The four cursor images are drawn here: a grabbing hand and three magnifiers.
QCursor MakeCursor(TCursor c) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPen outline(Qt::white, 3);
  QPen ink(Qt::black, 1.5);
  if (c == crZyrHand) {
    QPainterPath hand;
    hand.addRoundedRect(8, 12, 16, 14, 4, 4);
    for (int f = 0; f < 4; ++f) hand.addRoundedRect(8 + f * 4, 6 + (f == 0 || f == 3 ? 3 : 0), 4, 10, 2, 2);
    hand.addRoundedRect(4, 14, 6, 4, 2, 2);
    p.setPen(ink);
    p.setBrush(Qt::white);
    p.drawPath(hand.simplified());
    p.end();
    return QCursor(pm, 16, 16);
  }
  p.setPen(outline);
  p.drawEllipse(QRectF(3, 3, 17, 17));
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(QRectF(3, 3, 17, 17));
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 1.5));
  if (c == crZyrZoomW || c == crZyrZoomP) p.drawLine(QPointF(7.5, 11.5), QPointF(15.5, 11.5));  // minus
  if (c == crZyrZoomP) p.drawLine(QPointF(11.5, 7.5), QPointF(11.5, 15.5));  // plus
  if (c == crZyrZoomD) {
    p.drawLine(QPointF(8, 8), QPointF(15, 15));  // drag: two arrows along the diagonal
    p.drawLine(QPointF(8, 8), QPointF(8, 11));
    p.drawLine(QPointF(8, 8), QPointF(11, 8));
    p.drawLine(QPointF(15, 15), QPointF(15, 12));
    p.drawLine(QPointF(15, 15), QPointF(12, 15));
  }
  p.end();
  return QCursor(pm, 11, 11);
}

Qt::CursorShape StandardShape(TCursor c) {
  switch (c) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

void Screen::RegisterZyrCursors() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  auto& r = Registry();
  for (TCursor c = crZyrHand; c <= crZyrZoomP; ++c)
    if (!r.count(c)) r.emplace(c, MakeCursor(c));
}

bool Screen::HasCursor(TCursor c) { return c <= 0 || Registry().count(c) > 0; }

QCursor Screen::Cursor(TCursor c) {
  auto& r = Registry();
  auto it = r.find(c);
  if (it != r.end()) return it->second;
  return QCursor(StandardShape(c));
}

TCursor Screen::CursorByName(const std::string& name) {
  if (name == "CURHAND") return crZyrHand;
  if (name == "CURZOOMW") return crZyrZoomW;
  if (name == "CURZOOMD") return crZyrZoomD;
  if (name == "CURZOOMP") return crZyrZoomP;
  return 0;
}

}  // namespace zyr
