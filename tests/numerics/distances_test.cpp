// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/numerics/math1.h>

#include <cmath>
#include <limits>

namespace zyr {
namespace {

TEST(DistanceToSegment, InsideAndBeyondTheEnds) {
  EXPECT_DOUBLE_EQ(DistanceToSegment(5, 3, 0, 0, 10, 0), 3);    // above the middle
  EXPECT_DOUBLE_EQ(DistanceToSegment(-3, 4, 0, 0, 10, 0), 5);   // beyond the start
  EXPECT_DOUBLE_EQ(DistanceToSegment(13, -4, 0, 0, 10, 0), 5);  // beyond the end
  EXPECT_DOUBLE_EQ(DistanceToSegment(1, 1, 0, 0, 2, 2), 0);     // on a diagonal
  EXPECT_DOUBLE_EQ(DistanceToSegment(4, 5, 1, 1, 1, 1), 5);     // zero length
  EXPECT_NEAR(DistanceToSegment(0, 2, 2, 0, 0, 0), 2, 1e-12);   // order of ends irrelevant
}

TEST(DistFromRect, ZeroInsideEuclideanOutside) {
  EXPECT_EQ(DistFromRect(5, 5, 0, 0, 10, 10), 0);
  EXPECT_EQ(DistFromRect(10, 3, 0, 0, 10, 10), 0);  // on the edge
  EXPECT_EQ(DistFromRect(5, 5, 10, 10, 0, 0), 0);   // corners in any order
  EXPECT_DOUBLE_EQ(DistFromRect(15, 5, 0, 0, 10, 10), 5);
  EXPECT_DOUBLE_EQ(DistFromRect(5, -2, 10, 10, 0, 0), 2);
  EXPECT_DOUBLE_EQ(DistFromRect(13, 14, 0, 0, 10, 10), 5);  // nearest corner
}

TEST(DistFromEllipse, OnAxesAndDiagonal) {
  double nx, ny;
  EXPECT_DOUBLE_EQ(DistFromEllipse(15, 2, 0, 2, 10, 5, nx, ny), 5);
  EXPECT_DOUBLE_EQ(nx, 10);
  EXPECT_DOUBLE_EQ(ny, 2);
  EXPECT_DOUBLE_EQ(DistFromEllipse(0, -9, 0, 0, 10, 5, nx, ny), 4);
  EXPECT_DOUBLE_EQ(ny, -5);
  // Centre of an elongated ellipse: the nearest outline point is at the end of the minor axis.
  EXPECT_DOUBLE_EQ(DistFromEllipse(0, 0, 0, 0, 10, 5, nx, ny), 5);
  EXPECT_DOUBLE_EQ(std::fabs(ny), 5);
  // Circle: distance is | |P - C| - r |.
  EXPECT_NEAR(DistFromEllipse(3, 4, 0, 0, 10, 10, nx, ny), 5, 1e-9);
  EXPECT_NEAR(DistFromEllipse(30, 40, 0, 0, 10, 10, nx, ny), 40, 1e-9);
  EXPECT_NEAR(nx, 6, 1e-9);
  EXPECT_NEAR(ny, 8, 1e-9);
}

TEST(DistFromEllipse, NearestPointLiesOnOutlineAndIsNearest) {
  const double a = 7, b = 3, cx = 1, cy = -2;
  for (auto [px, py] :
       {std::pair{9.0, 4.0}, {-3.0, -1.0}, {2.0, -2.5}, {-20.0, 15.0}, {1.5, 0.5}}) {
    double nx, ny;
    const double d = DistFromEllipse(px, py, cx, cy, a, b, nx, ny);
    const double u = (nx - cx) / a, v = (ny - cy) / b;
    EXPECT_NEAR(u * u + v * v, 1, 1e-9) << px << "," << py;
    EXPECT_NEAR(d, std::hypot(px - nx, py - ny), 1e-9);
    // No sampled outline point is nearer.
    for (int k = 0; k < 720; ++k) {
      const double t = k * M_PI / 360;
      ASSERT_GE(std::hypot(px - cx - a * std::cos(t), py - cy - b * std::sin(t)), d - 1e-9);
    }
  }
}

TEST(DistFromEllipse, DegenerateAndBadInput) {
  double nx, ny;
  EXPECT_DOUBLE_EQ(DistFromEllipse(3, 4, 0, 0, 10, 0, nx, ny), 4);  // a segment
  EXPECT_DOUBLE_EQ(nx, 3);
  EXPECT_DOUBLE_EQ(DistFromEllipse(3, 4, 0, 0, 0, 0, nx, ny), 5);      // a point
  EXPECT_DOUBLE_EQ(DistFromEllipse(0, 12, 0, 0, -10, -5, nx, ny), 7);  // signs ignored
  EXPECT_TRUE(std::isnan(DistFromEllipse(std::nan(""), 0, 0, 0, 1, 1, nx, ny)));
  EXPECT_TRUE(std::isnan(nx));
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(DistFromEllipse(0, 0, 0, 0, inf, 1, nx, ny)));
}

}  // namespace
}  // namespace zyr
