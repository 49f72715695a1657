// SPDX-License-Identifier: MIT
// Export of TCustomRChart: bitmaps, picture files, the clipboard and the printer. Every
// export draws the chart afresh with the paint steps, so the cached pictures stay as they are.

#include <zyr/chart/rchart.h>
#include <zyr/platform/host/clipboard.h>
#include <zyr/platform/host/destroywatch.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/host/vectorcanvas.h>

#include <QImage>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

constexpr double kMaxPrintScale = 20;  // keeps a printed picture within reason

// Restores the colours when the drawing in between fails, unless a handler of the drawing
// deleted the chart: then Gone() tells the export to stop without touching it.
struct TBWScope {
  TCustomRChart& chart;
  bool active;
  TDestroyWatch watch;
  TBWScope(TCustomRChart& c, bool bw) : chart(c), active(bw), watch(&c) {
    if (active) chart.BackupColorsAndMakeBW();
  }
  ~TBWScope() {
    if (active && !watch.Destroyed()) chart.ReloadBackupColors();
  }
  bool Gone() const { return watch.Destroyed(); }
};

}  // namespace

QImage TCustomRChart::ChartPicture(bool BlkWhite, bool CrossHairs, bool DAOnly) {
  if (Width() <= 0 || Height() <= 0) return QImage();
  TBitmap bmp(Width(), Height());
  bmp.SetPixelFormat(pf32bit);
  {
    TBWScope bw(*this, BlkWhite);
    RenderChartOn(bmp.Canvas(), CrossHairs);
    if (bw.Gone()) return QImage();
  }
  if (!DAOnly) return bmp.Image().copy();
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (w <= 0 || h <= 0) return QImage();
  return bmp.Image().copy(RcLRim, RcTRim, w, h);
}

bool TCustomRChart::CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  const QImage img = ChartPicture(BlkWhite, IncludeCrossHairs, false);
  if (img.isNull()) return false;
  ABitmap.SetImage(img);
  return true;
}

bool TCustomRChart::CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  const QImage img = ChartPicture(BlkWhite, IncludeCrossHairs, true);
  if (img.isNull()) return false;
  ABitmap.SetImage(img);
  return true;
}

bool TCustomRChart::CopyToBMP(const std::string& FName, bool BlkWhite) {
  if (FName.empty()) return false;
  TBitmap bmp;
  return CopyToBitmap(bmp, BlkWhite, true) && bmp.SaveToFile(FName);
}

bool TCustomRChart::CopyToWMF(const std::string& FName, bool BlkWhite) {
  if (FName.empty() || Width() <= 0 || Height() <= 0) return false;
  TVectorCanvas cv(FName, Width(), Height(), "Chart");
  if (!cv.Ok()) return false;
  {
    TBWScope bw(*this, BlkWhite);
    RenderChartOn(cv, true);
    if (bw.Gone()) return false;
  }
  cv.Finish();
  return cv.Ok();
}

bool TCustomRChart::CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs) {
  const QImage img = ChartPicture(BlkWhite, IncludeCrossHairs, false);
  return !img.isNull() && Clipboard::SetImage(img);
}

bool TCustomRChart::CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs) {
  const QImage img = ChartPicture(BlkWhite, IncludeCrossHairs, true);
  return !img.isNull() && Clipboard::SetImage(img);
}

bool TCustomRChart::CopyToClipboardWMF(bool BlkWhite) {
  if (Width() <= 0 || Height() <= 0) return false;
  std::string svg;
  {
    TVectorCanvas cv(Width(), Height(), "Chart");
    TBWScope bw(*this, BlkWhite);
    RenderChartOn(cv, true);
    if (bw.Gone()) return false;
    svg = cv.Finish();
  }
  const QImage fallback = ChartPicture(BlkWhite, true, false);
  return !svg.empty() && Clipboard::SetSvg(svg, &fallback);
}

bool TCustomRChart::PrintIt(double ScaleF, bool BlkWhite) {
  TPrinter& prn = Printer();
  if (prn.Printing()) return false;  // another job is open; CopyToOpenPrinter adds to it
  if (!std::isfinite(ScaleF) || ScaleF <= 0) return false;
  prn.Title = "Chart";
  return prn.PrintDocument([&] {
    int x = 0, y = 0;
    return CopyToOpenPrinter(x, y, ScaleF, BlkWhite);
  });
}

bool TCustomRChart::CopyToOpenPrinter(int& X, int& Y, double ScaleF, bool BlkWhite) {
  TPrinter& prn = Printer();
  if (!prn.Printing() || !std::isfinite(ScaleF) || ScaleF <= 0) return false;
  const QImage img = ChartPicture(BlkWhite, true, false);
  if (img.isNull()) return false;
  TCanvas& cv = prn.Canvas();
  // A screen pixel counts as 1/96 inch, so ScaleF 1 prints the chart at its screen size.
  const double dpi = cv.GetDeviceCaps(LOGPIXELSY);
  const double f = std::min(ScaleF, kMaxPrintScale) * (dpi > 0 ? dpi / 96.0 : 1.0);
  const int w = std::max(1, int(std::lround(img.width() * f)));
  const int h = std::max(1, int(std::lround(img.height() * f)));
  TBitmap bmp;
  bmp.SetImage(img);
  cv.StretchDraw(Rect(X, Y, X + w, Y + h), bmp);
  X += w;
  Y += h;
  return true;
}

}  // namespace zyr
