// SPDX-License-Identifier: MIT
#include <zyr/platform/host/styles.h>

#include <QGuiApplication>
#include <QPalette>

namespace zyr {

namespace {
TColor FromQColor(const QColor& q) { return RGB(uint8_t(q.red()), uint8_t(q.green()), uint8_t(q.blue())); }

QPalette AppPalette() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::palette()
                                                                      : QPalette();
}
}  // namespace

TStyleServices& StyleServices() {
  static TStyleServices s;
  return s;
}

TColor TStyleServices::GetStyleColor(TStyleColor c) const {
  if (!FEnabled) {
    switch (c) {
      case scBorder: return ColorToRGB(clBtnShadow);
      case scWindow: return ColorToRGB(clWindow);
      case scGrid: return ColorToRGB(clBtnShadow);
      default: return ColorToRGB(clBtnFace);
    }
  }
  QPalette p = AppPalette();
  switch (c) {
    case scBorder: return FromQColor(p.color(QPalette::Mid));
    case scWindow: return FromQColor(p.color(QPalette::Base));
    case scGrid: return FromQColor(p.color(QPalette::Midlight));
    default: return FromQColor(p.color(QPalette::Button));
  }
}

TColor TStyleServices::GetStyleFontColor(TStyleFont f) const {
  if (!FEnabled) return ColorToRGB(f == sfButtonTextNormal ? clBtnText : clWindowText);
  QPalette p = AppPalette();
  return FromQColor(p.color(f == sfButtonTextNormal ? QPalette::ButtonText : QPalette::WindowText));
}

TColor TStyleServices::GetSystemColor(TColor c) const {
  if (!FEnabled || (c & 0xFF000000u) != clSystemColor) return ColorToRGB(c);
  QPalette p = AppPalette();
  switch (c) {
    case clWindow: return FromQColor(p.color(QPalette::Base));
    case clWindowText: return FromQColor(p.color(QPalette::Text));
    case clBtnFace: return FromQColor(p.color(QPalette::Button));
    case clBtnShadow: return FromQColor(p.color(QPalette::Dark));
    case clBtnHighlight: return FromQColor(p.color(QPalette::Light));
    case clGrayText: return FromQColor(p.color(QPalette::Disabled, QPalette::Text));
    case clHighlight: return FromQColor(p.color(QPalette::Highlight));
    default: return ColorToRGB(c);
  }
}

}  // namespace zyr
