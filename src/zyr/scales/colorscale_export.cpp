// SPDX-License-Identifier: MIT
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/vectorcanvas.h>
#include <zyr/scales/colorscale_export.h>

#include <QFileInfo>

namespace zyr::scales_detail {

bool ExportPicture(const std::string& FileName, int Width, int Height,
                   const std::function<void(TCanvas&)>& draw) {
  if (Width <= 0 || Height <= 0 || FileName.empty()) return false;
  const QString suffix = QFileInfo(QString::fromStdString(FileName)).suffix().toLower();
  if (suffix == "svg" || suffix == "pdf") {
    TVectorCanvas vc(FileName, Width, Height);
    if (!vc.Ok()) return false;
    draw(vc);
    vc.Finish();
    return vc.Ok();
  }
  TBitmap bmp(Width, Height);
  draw(bmp.Canvas());
  return bmp.SaveToFile(FileName);
}

std::string ExportPictureSVG(int Width, int Height, const std::function<void(TCanvas&)>& draw) {
  if (Width <= 0 || Height <= 0) return "";
  TVectorCanvas vc(Width, Height);
  draw(vc);
  return vc.Finish();
}

}  // namespace zyr::scales_detail
