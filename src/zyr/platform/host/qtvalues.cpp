// SPDX-License-Identifier: MIT
#include <zyr/platform/host/qtvalues.h>

namespace zyr {

QColor ToQColor(TColor c) {
  if (c == clNone) return QColor();
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) {
  if (!c.isValid() || c.alpha() == 0) return clNone;
  const QColor rgb = c.toRgb();
  return RGB(uint8_t(rgb.red()), uint8_t(rgb.green()), uint8_t(rgb.blue()));
}

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string FromQString(const QString& s) { return s.toStdString(); }

}  // namespace zyr
