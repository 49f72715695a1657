// SPDX-License-Identifier: MIT
#include <zyr/platform/host/graphics.h>

#include <QFont>
#include <cmath>
#include <cstdlib>

namespace zyr {

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont

void TFont::CopyFrom(const TFont& o) {
  FName = o.FName;
  FHeight = o.FHeight;
  FColor = o.FColor;
  FStyle = o.FStyle;
  FOrientation = o.FOrientation;
}

void TFont::SetName(const std::string& v) {
  if (v.empty() || v == FName) return;
  FName = v;
  Changed();
}

int TFont::Size() const {
  return int(std::nearbyint(std::abs(FHeight) * 72.0 / PixelsPerInch));
}

void TFont::SetSize(int points) { SetHeight(-int(std::nearbyint(points * double(PixelsPerInch) / 72.0))); }

void TFont::SetHeight(int v) {
  if (v == 0) v = -1;
  if (v == FHeight) return;
  FHeight = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TFont::SetOrientation(int v) {
  if (v == FOrientation) return;
  FOrientation = v;
  Changed();
}

int TFont::PixelSize() const {
  // A positive height is the cell height; the character height is about 80 % of it.
  int px = FHeight < 0 ? -FHeight : int(std::nearbyint(FHeight * 0.8));
  return px < 1 ? 1 : px;
}

QFont TFont::ToQFont() const {
  QFont f(QString::fromStdString(FName));
  f.setPixelSize(PixelSize());
  f.setBold(FStyle & fsBold);
  f.setItalic(FStyle & fsItalic);
  f.setUnderline(FStyle & fsUnderline);
  f.setStrikeOut(FStyle & fsStrikeOut);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

void TFont::Assign(const TPersistent* Source) {
  if (auto* f = dynamic_cast<const TFont*>(Source)) {
    *this = *f;
    return;
  }
  TGraphicsObject::Assign(Source);
}

// ---- TPen

void TPen::CopyFrom(const TPen& o) {
  FColor = o.FColor;
  FStyle = o.FStyle;
  FWidth = o.FWidth;
  FMode = o.FMode;
}

void TPen::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == FStyle || v > psClear) return;
  FStyle = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 1) v = 1;
  if (v == FWidth) return;
  FWidth = v;
  Changed();
}

void TPen::SetMode(TPenMode v) {
  if (v == FMode) return;
  FMode = v;
  Changed();
}

void TPen::Assign(const TPersistent* Source) {
  if (auto* p = dynamic_cast<const TPen*>(Source)) {
    *this = *p;
    return;
  }
  TGraphicsObject::Assign(Source);
}

// ---- TBrush

void TBrush::CopyFrom(const TBrush& o) {
  FColor = o.FColor;
  FStyle = o.FStyle;
}

void TBrush::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TBrush::Assign(const TPersistent* Source) {
  if (auto* b = dynamic_cast<const TBrush*>(Source)) {
    *this = *b;
    return;
  }
  TGraphicsObject::Assign(Source);
}

}  // namespace zyr
