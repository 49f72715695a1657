// SPDX-License-Identifier: MIT
// TRot3D: export to files and the clipboard, and printing.
#include <zyr/platform/host/clipboard.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/host/vectorcanvas.h>
#include <zyr/plot3d/rot3d.h>

#include <QPainter>
#include <cmath>

namespace zyr {

bool TRot3D::RenderImage(QImage& img, bool IncludeFrame) {
  if (Width() <= 0 || Height() <= 0) return false;
  TBitmap bmp(Width(), Height());
  RenderPicture(bmp.Canvas(), false, IncludeFrame);
  img = bmp.Image();
  return !img.isNull();
}

bool TRot3D::CopyToBMP(const std::string& FName, bool IncludeFrame) {
  if (FName.empty() || Width() <= 0 || Height() <= 0) return false;
  TBitmap bmp(Width(), Height());
  RenderPicture(bmp.Canvas(), false, IncludeFrame);
  return bmp.SaveToFile(FName);
}

bool TRot3D::CopyToWMF(const std::string& FName, bool IncludeFrame) {
  if (FName.empty() || Width() <= 0 || Height() <= 0) return false;
  TVectorCanvas vc(FName, Width(), Height(), Name());
  if (!vc.Ok()) return false;
  RenderPicture(vc, false, IncludeFrame);
  vc.Finish();
  return vc.Ok();
}

bool TRot3D::CopyToClipboard(bool IncludeFrame) {
  QImage img;
  return RenderImage(img, IncludeFrame) && Clipboard::SetImage(img);
}

bool TRot3D::CopyToClipboardWMF(bool IncludeFrame) {
  QImage img;
  if (!RenderImage(img, IncludeFrame)) return false;
  TVectorCanvas vc(Width(), Height(), Name());
  RenderPicture(vc, false, IncludeFrame);
  const std::string svg = vc.Finish();
  return !svg.empty() && Clipboard::SetSvg(svg, &img);
}

bool TRot3D::CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite, bool IncludeFrame) {
  TPrinter& pr = Printer();
  if (!pr.Printing() || Width() <= 0 || Height() <= 0) return false;
  TCanvas& cv = pr.Canvas();
  QPainter* p = cv.Painter();
  if (!p) return false;
  if (!std::isfinite(ScaleF) || ScaleF <= 0) ScaleF = 1.0;
  // One screen pixel is 1/96 inch on paper, times ScaleF.
  const double s = ScaleF * cv.GetDeviceCaps(LOGPIXELSX) / double(TFont::PixelsPerInch);
  const QTransform old = p->worldTransform();
  p->translate(X, Y);
  p->scale(s, s);
  p->setClipRect(QRect(0, 0, Width(), Height()));
  RenderPicture(cv, BlkWhite, IncludeFrame);
  p->setClipping(false);
  p->setWorldTransform(old);
  X += int(std::nearbyint(Width() * s));
  Y += int(std::nearbyint(Height() * s));
  return true;
}

bool TRot3D::PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame) {
  TPrinter& pr = Printer();
  return pr.PrintDocument([&] {
    int x = 0, y = 0;
    return CopyToOpenPrinter(x, y, ScaleF, BlkWhite, IncludeFrame);
  });
}

}  // namespace zyr
