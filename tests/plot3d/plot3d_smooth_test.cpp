// SPDX-License-Identifier: MIT
// Antialiased 3D plots: their lines and faces blend into the picture; off, the classic pixels.

#include <gtest/gtest.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>

#include <QImage>
#include <cmath>
#include <set>

using namespace zyr;

namespace {

size_t Colours(const QImage& img) {
  std::set<QRgb> out;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.insert(img.pixel(x, y));
  return out.size();
}

}  // namespace

TEST(Plot3DAntialias, LinesAndFacesBlendOnlyWhenSwitchedOn) {
  TPlot3D p;
  p.SetBounds(0, 0, 300, 240);
  p.GridMat.Resize(12, 12);
  for (int i = 1; i <= 12; ++i)
    for (int j = 1; j <= 12; ++j) p.GridMat.SetElem(i, j, std::sin(i * 0.5) * std::cos(j * 0.4));
  const QImage aliased = p.WindowPicture().copy();
  p.SetAntialiased(true);
  const QImage smooth = p.WindowPicture().copy();
  EXPECT_GT(Colours(smooth), 2 * Colours(aliased));
  p.SetAntialiased(false);
  EXPECT_EQ(p.WindowPicture(), aliased);

  TRot3D r;
  r.SetBounds(0, 0, 300, 240);
  r.Moveto(0, 0, 0);
  r.Drawto(1, 0.7, 0.4);
  const QImage line = r.WindowPicture().copy();
  r.SetAntialiased(true);
  EXPECT_GT(Colours(r.WindowPicture()), Colours(line) + 5);
  r.SetAntialiased(false);
  EXPECT_EQ(r.WindowPicture(), line);
}
