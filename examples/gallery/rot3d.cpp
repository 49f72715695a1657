// SPDX-License-Identifier: MIT
// Gallery page "rot3d": a labelled helix and a clustered point cloud, with both box styles and
// both handedness settings.
#include <zyr/plot3d/rot3d.h>

#include <QPainter>
#include <cmath>
#include <memory>
#include <random>

#include "gallery.h"

using namespace zyr;

namespace {

void FillHelix(TRot3D& r) {
  r.SetColorData(clNavy);
  r.SetLineWidth(2);
  const int n = 240;
  for (int i = 0; i <= n; ++i) {
    const double t = i * 6 * M_PI / n;
    const double x = std::cos(t), y = std::sin(t), z = t / (3 * M_PI) - 1.0;
    if (i == 0)
      r.Moveto(x, y, z);
    else
      r.Drawto(x, y, z);
  }
  r.SetColorData(clRed);
  for (int i = 0; i <= n; i += 20) {
    const double t = i * 6 * M_PI / n;
    r.MarkAt(std::cos(t), std::sin(t), t / (3 * M_PI) - 1.0, 20);
  }
  r.SetColorData(clGreen);
  r.MarkAt(0, 0, -1, 200 + 0);
  r.MarkAt(0, 0, 1, 200 + 1);
  r.OnLblRequest = [](TObject*, int obj, std::string& txt, int& dx, int&, TAlignment& ha,
                      TVerticalAlignment&, TFont& f) {
    if (obj < 241) return;
    txt = "p" + std::to_string((obj - 241) * 20);
    dx = 6;
    ha = taLeftJustify;
    f.SetColor(clMaroon);
  };
  r.SetBoundBoxSize(1000);  // the auto-scaled helix spans 1000 model units; the view fits it
  r.MakeVisible();
}

void FillCloud(TRot3D& r) {
  std::mt19937 gen(7);
  std::normal_distribution<double> nd(0.0, 1.0);
  const struct {
    double x, y, z;
    TColor c;
    uint8_t mk;
  } clusters[3] = {{-4, -3, 0, clRed, 19}, {3, 2, -2, clBlue, 14}, {0, 4, 4, clGreen, 24}};
  for (const auto& cl : clusters) {
    r.SetColorData(cl.c);
    for (int i = 0; i < 150; ++i) r.MarkAt(cl.x + nd(gen), cl.y + nd(gen), cl.z + nd(gen), cl.mk);
  }
  r.SetColorData(clGray);
  r.Line(-4, -3, 0, 3, 2, -2);
  r.Line(3, 2, -2, 0, 4, 4);
  r.Line(0, 4, 4, -4, -3, 0);
  r.SetIsoMetric(true);
  r.MakeVisible();
}

QImage RenderPage() {
  const int w = 450, h = 300;
  QImage page(2 * w, 2 * h, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter p(&page);
  for (int k = 0; k < 4; ++k) {
    TRot3D r;
    r.SetBoundBoxStyle(k % 2 == 0 ? 2 : 1);
    r.SetAxDir(k < 2 ? adLeftHanded : adRightHanded);
    if (k / 2 == 0)
      FillHelix(r);
    else
      FillCloud(r);
    if (k == 1 || k == 2) r.SetViewAngles(120, 150, 30);
    p.drawImage((k % 2) * w, (k / 2) * h, r.WindowPicture());
  }
  p.end();
  return page;
}

GalleryRegistrar reg({"rot3d", RenderPage, [](QWidget* parent) -> QWidget* {
                        auto* r = new TRot3D(parent);
                        r->SetMouseAction(TRot3D::maRotAndZoom);
                        FillHelix(*r);
                        return r;
                      }});

}  // namespace
