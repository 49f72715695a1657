// SPDX-License-Identifier: MIT
// TPlot3D: export of the picture to files, the clipboard and the printer.
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/host/clipboard.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/host/vectorcanvas.h>
#include <zyr/plot3d/plot3d.h>

#include <QImage>
#include <cmath>

namespace zyr {

namespace {

constexpr double kMaxPrintScale = 20;  // keeps a printed picture within reason

QImage Grayed(const QImage& img) {
  return img.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void TPlot3D::RenderPicture(TCanvas& cv, int w, int h, bool IncludeFrame) {
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetMode(pmCopy);
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(FColorBakGnd);
  cv.FillRect(Rect(0, 0, w, h));
  EnsureGridCurrent();
  ConstructDataBmp(cv, true);
  if (IncludeFrame)
    DrawFrame(cv, FFrameStyle, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, FFrameCol);
}

QImage TPlot3D::PictureImage(bool IncludeFrame) {
  if (Width() <= 0 || Height() <= 0) return QImage();
  TBitmap bmp(Width(), Height());
  RenderPicture(bmp.Canvas(), Width(), Height(), IncludeFrame);
  return bmp.Image().copy();
}

bool TPlot3D::CopyToBMP(const std::string& FName, bool IncludeFrame) {
  if (FName.empty() || Width() <= 0 || Height() <= 0) return false;
  TBitmap bmp(Width(), Height());
  RenderPicture(bmp.Canvas(), Width(), Height(), IncludeFrame);
  return bmp.SaveToFile(FName);
}

bool TPlot3D::CopyToWMF(const std::string& FName, bool IncludeFrame) {
  if (FName.empty() || Width() <= 0 || Height() <= 0) return false;
  TVectorCanvas cv(FName, Width(), Height(), "Plot3D");
  if (!cv.Ok()) return false;
  RenderPicture(cv, Width(), Height(), IncludeFrame);
  cv.Finish();
  return cv.Ok();
}

bool TPlot3D::CopyToClipboard(bool IncludeFrame) {
  const QImage img = PictureImage(IncludeFrame);
  return !img.isNull() && Clipboard::SetImage(img);
}

bool TPlot3D::CopyToClipboardWMF(bool IncludeFrame) {
  if (Width() <= 0 || Height() <= 0) return false;
  TVectorCanvas cv(Width(), Height(), "Plot3D");
  RenderPicture(cv, Width(), Height(), IncludeFrame);
  const std::string svg = cv.Finish();
  const QImage fallback = PictureImage(IncludeFrame);
  return !svg.empty() && Clipboard::SetSvg(svg, &fallback);
}

bool TPlot3D::PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame) {
  TPrinter& prn = Printer();
  if (prn.Printing()) return false;  // someone else's job is open
  prn.Title = "Plot3D";
  return prn.PrintDocument([&] {
    int x = 0, y = 0;
    return CopyToOpenPrinter(x, y, ScaleF, BlkWhite, IncludeFrame);
  });
}

bool TPlot3D::CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite, bool IncludeFrame) {
  TPrinter& prn = Printer();
  if (!prn.Printing() || !std::isfinite(ScaleF) || ScaleF <= 0) return false;
  QImage img = PictureImage(IncludeFrame);
  if (img.isNull()) return false;
  if (BlkWhite) img = Grayed(img);
  TCanvas& cv = prn.Canvas();
  // Screen pixels are taken as 1/96 inch, so ScaleF 1 prints the picture at its screen size.
  const double dpi = cv.GetDeviceCaps(LOGPIXELSY);
  const double f = std::min(ScaleF, kMaxPrintScale) * (dpi > 0 ? dpi / 96.0 : 1.0);
  const int w = int(std::lround(img.width() * f)), h = int(std::lround(img.height() * f));
  TBitmap bmp;
  bmp.SetImage(img);
  cv.StretchDraw(Rect(X, Y, X + w, Y + h), bmp);
  X += w;
  Y += h;
  return true;
}

}  // namespace zyr
