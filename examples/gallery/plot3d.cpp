// SPDX-License-Identifier: MIT
// Gallery pages of the surface plot: a damped ripple in the default look, every mesh kind and
// colour coding, a plot without box, and one view per octant to check the drawing order.
#include <zyr/plot3d/plot3d.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

// sin(r)/r over -10 .. 10 plus a Gaussian bump, heights about -0.2 .. 1.4.
void FillRipple(TPlot3D& p, int n) {
  p.SetSuppressPaint(true);
  p.GridMat.Resize(n, n);
  for (int iy = 1; iy <= n; ++iy)
    for (int ix = 1; ix <= n; ++ix) {
      const double x = -10 + 20.0 * (ix - 1) / (n - 1), y = -10 + 20.0 * (iy - 1) / (n - 1);
      const double r = std::hypot(x, y);
      const double sinc = r < 1e-9 ? 1 : std::sin(r) / r;
      p.GridMat.SetElem(ix, iy,
                        sinc + 0.4 * std::exp(-((x - 5) * (x - 5) + (y + 4) * (y + 4)) / 6));
    }
  p.SetRange(-10, 10, -10, 10, -0.4, 1.4);
  p.SetColorScaleLow(-0.3);
  p.SetColorScaleHigh(1.2);
  p.SetSuppressPaint(false);
}

std::unique_ptr<TPlot3D> MakePlot(int w, int h, int n) {
  auto p = std::make_unique<TPlot3D>();
  p->SetBounds(0, 0, w, h);
  p->SetMagnification(std::min(w / 650.0, h / 500.0));
  p->SetLabDistZ(45);
  p->SetColorLow(RGB(20, 30, 140));
  p->SetColorHigh(RGB(255, 230, 60));
  p->SetColorMid(RGB(40, 170, 120));
  FillRipple(*p, n);
  return p;
}

// Pictures in a grid of the given number of columns, each with a title.
QImage Compose(const std::vector<std::pair<std::string, QImage>>& tiles, int cols) {
  const int tw = tiles.front().second.width(), th = tiles.front().second.height();
  const int rows = int(tiles.size() + size_t(cols) - 1) / cols;
  QImage out(cols * tw, rows * (th + 20), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter qp(&out);
  qp.setFont(QFont("DejaVu Sans", 10));
  for (size_t i = 0; i < tiles.size(); ++i) {
    const int x = int(i) % cols * tw, y = int(i) / cols * (th + 20);
    qp.drawText(x + 6, y + 15, QString::fromStdString(tiles[i].first));
    qp.drawImage(x, y + 20, tiles[i].second);
  }
  return out;
}

GalleryRegistrar regMain({"plot3d",
                          [] {
                            auto p = MakePlot(650, 500, 41);
                            p->SetColorCodingMode(ccmThreeColors);
                            p->SetCaptionX("x [mm]");
                            p->SetCaptionY("y [mm]");
                            p->SetCaptionZ("height");
                            return p->WindowPicture().copy();
                          },
                          [](QWidget* parent) -> QWidget* {
                            auto p = MakePlot(650, 500, 41);
                            p->SetColorCodingMode(ccmThreeColors);
                            p->setParent(parent);
                            return p.release();
                          }});

GalleryRegistrar regKinds(
    {"plot3d-kinds",
     [] {
       std::vector<std::pair<std::string, QImage>> tiles;
       const char* kinds[] = {"mkMesh", "mkWaterfallHorz", "mkWaterfallVert", "mkWaterfallDiag",
                              "mkGrid"};
       for (int k = 0; k <= mkGrid; ++k) {
         auto p = MakePlot(360, 300, 25);
         p->SetMeshKind(TMeshKind(k));
         tiles.push_back({kinds[k], p->WindowPicture().copy()});
       }
       auto p = MakePlot(360, 300, 25);
       p->SetMeshVisible(false);
       tiles.push_back({"mkMesh, mesh hidden", p->WindowPicture().copy()});
       const char* codings[] = {"ccmTwoColors", "ccmThreeColors", "ccmColorArray, mean"};
       for (int c = 0; c <= ccmColorArray; ++c) {
         auto q = MakePlot(360, 300, 25);
         q->SetColorCodingMode(TColorCodingMode(c));
         q->SetColorCodeAvg(c == ccmColorArray);
         tiles.push_back({codings[c], q->WindowPicture().copy()});
       }
       return Compose(tiles, 3);
     },
     nullptr});

GalleryRegistrar regBox({"plot3d-boxes",
                         [] {
                           std::vector<std::pair<std::string, QImage>> tiles;
                           const char* names[] = {"no box", "outlined box", "shaded box"};
                           for (int b = 0; b <= 2; ++b) {
                             auto p = MakePlot(360, 300, 25);
                             p->SetBoundBoxStyle(TBoundingBox(b));
                             p->SetColorCodingMode(ccmColorArray);
                             tiles.push_back({names[b], p->WindowPicture().copy()});
                           }
                           return Compose(tiles, 3);
                         },
                         nullptr});

GalleryRegistrar regOctants({"plot3d-octants",
                             [] {
                               std::vector<std::pair<std::string, QImage>> tiles;
                               const double ax[] = {60, 120, 240, 300};
                               const double az[] = {30, 150};
                               for (double a : ax)
                                 for (double z : az)
                                   for (double dz : {0.0, 180.0}) {
                                     auto p = MakePlot(300, 260, 21);
                                     p->SetViewAngles(a, z + dz);
                                     tiles.push_back({"x " + std::to_string(int(a)) + ", z " +
                                                          std::to_string(int(z + dz)),
                                                      p->WindowPicture().copy()});
                                   }
                               return Compose(tiles, 4);
                             },
                             nullptr});

}  // namespace
