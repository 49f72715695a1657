// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/math1.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyr {

double DistanceToSegment(double Px, double Py, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  double t = 0;
  if (len2 > 0) t = std::clamp(((Px - x1) * dx + (Py - y1) * dy) / len2, 0.0, 1.0);
  return std::hypot(Px - (x1 + t * dx), Py - (y1 + t * dy));
}

double DistFromRect(double Px, double Py, double x1, double y1, double x2, double y2) {
  const double left = std::min(x1, x2), right = std::max(x1, x2);
  const double top = std::min(y1, y2), bottom = std::max(y1, y2);
  const double dx = std::max({left - Px, 0.0, Px - right});
  const double dy = std::max({top - Py, 0.0, Py - bottom});
  return std::hypot(dx, dy);
}

namespace {

// Root of the nearest-point equation by bisection; converges for every input in a bounded
// number of halvings, unlike Newton's method near the ellipse's evolute.
double EllipseRoot(double r0, double z0, double z1, double g) {
  const double n0 = r0 * z0;
  double s0 = z1 - 1;
  double s1 = g < 0 ? 0 : std::hypot(n0, z1) - 1;
  double s = 0;
  for (int i = 0; i < 1100; ++i) {
    s = (s0 + s1) / 2;
    if (s == s0 || s == s1) break;
    const double ratio0 = n0 / (s + r0);
    const double ratio1 = z1 / (s + 1);
    g = ratio0 * ratio0 + ratio1 * ratio1 - 1;
    if (g > 0) {
      s0 = s;
    } else if (g < 0) {
      s1 = s;
    } else {
      break;
    }
  }
  return s;
}

// Nearest point (x0, x1) of the ellipse with half axes e0 >= e1 > 0 to (y0, y1), y0, y1 >= 0.
void NearestInQuadrant(double e0, double e1, double y0, double y1, double& x0, double& x1) {
  if (y1 > 0) {
    if (y0 > 0) {
      const double z0 = y0 / e0, z1 = y1 / e1;
      const double g = z0 * z0 + z1 * z1 - 1;
      if (g != 0) {
        const double r0 = (e0 / e1) * (e0 / e1);
        const double sbar = EllipseRoot(r0, z0, z1, g);
        x0 = r0 * y0 / (sbar + r0);
        x1 = y1 / (sbar + 1);
      } else {
        x0 = y0;
        x1 = y1;
      }
    } else {
      x0 = 0;
      x1 = e1;
    }
    return;
  }
  const double numer0 = e0 * y0, denom0 = e0 * e0 - e1 * e1;
  if (numer0 < denom0) {
    const double xde0 = numer0 / denom0;
    x0 = e0 * xde0;
    x1 = e1 * std::sqrt(std::max(0.0, 1 - xde0 * xde0));
  } else {
    x0 = e0;
    x1 = 0;
  }
}

}  // namespace

double DistFromEllipse(double Px, double Py, double Cx, double Cy, double a, double b,
                       double& NearX, double& NearY) {
  a = std::fabs(a);
  b = std::fabs(b);
  if (!std::isfinite(Px) || !std::isfinite(Py) || !std::isfinite(Cx) || !std::isfinite(Cy) ||
      !std::isfinite(a) || !std::isfinite(b)) {
    NearX = NearY = std::numeric_limits<double>::quiet_NaN();
    return NearX;
  }
  const double dx = Px - Cx, dy = Py - Cy;
  double nx, ny;  // nearest point relative to the centre, in the quadrant of (|dx|, |dy|)
  if (a == 0 || b == 0) {
    // Degenerate outline: a segment along the non-zero axis, or the centre itself.
    nx = std::min(std::fabs(dx), a);
    ny = std::min(std::fabs(dy), b);
  } else if (a >= b) {
    NearestInQuadrant(a, b, std::fabs(dx), std::fabs(dy), nx, ny);
  } else {
    NearestInQuadrant(b, a, std::fabs(dy), std::fabs(dx), ny, nx);
  }
  NearX = Cx + std::copysign(nx, dx);
  NearY = Cy + std::copysign(ny, dy);
  return std::hypot(Px - NearX, Py - NearY);
}

}  // namespace zyr
