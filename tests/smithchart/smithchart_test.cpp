// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/smithchart.h>
#include <zyr/platform/foundation/constants.h>

#include <QImage>
#include <cmath>
#include <limits>

using namespace zyr;

namespace {

using S = TSmithChart;

TColor At(const QImage& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return 0xFFFFFFFF;
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// True when colour c is within one pixel of (x, y).
bool Near(const QImage& img, int x, int y, TColor c) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (At(img, x + dx, y + dy) == c) return true;
  return false;
}

// Counts the paints that reach the diagram.
class CountingSmith : public TSmithChart {
 public:
  int paints = 0;
  void InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) override {
    ++paints;
    TSmithChart::InitGraf(Canvas, X0, Y0, Width, Height);
  }
};

// A chart of the given size with its diagram painted.
struct Rendered {
  TSmithChart c;
  explicit Rendered(int w, int h) {
    c.SetBounds(0, 0, w, h);
    c.HandleNeeded();
  }
  const QImage& Pic() { return c.WindowPicture(); }
  TPoint Pix(double gr, double gi) {
    TPoint p;
    c.R2M(gr, gi, p.X, p.Y);
    return p;
  }
  int DiagramWidth() { return Pix(1, 0).X - Pix(-1, 0).X; }
};

}  // namespace

TEST(SmithConversions, KnownImpedancesAndTheirInverse) {
  EXPECT_DOUBLE_EQ(S::CalcReflectionReal(1, 0), 0);
  EXPECT_DOUBLE_EQ(S::CalcReflectionImag(1, 0), 0);
  EXPECT_NEAR(S::CalcReflectionReal(0, 1), 0, 1e-15);
  EXPECT_DOUBLE_EQ(S::CalcReflectionImag(0, 1), 1);
  EXPECT_DOUBLE_EQ(S::CalcResistance(0, 0), 1);
  EXPECT_DOUBLE_EQ(S::CalcReactance(0, 0), 0);
  EXPECT_EQ(S::CalcResistance(1, 0), uc_MaxReal);
  EXPECT_EQ(S::CalcReactance(1, 0), uc_MaxReal);
  // Short circuit and a capacitive load.
  EXPECT_DOUBLE_EQ(S::CalcReflectionReal(0, 0), -1);
  EXPECT_NEAR(S::CalcReflectionImag(0, -1), -1, 1e-15);
  for (double r : {0.0, 0.3, 1.0, 2.5, 40.0})
    for (double x : {-7.0, -0.5, 0.2, 1.0, 10.0}) {
      const double gr = S::CalcReflectionReal(r, x), gi = S::CalcReflectionImag(r, x);
      EXPECT_LE(std::hypot(gr, gi), 1 + 1e-12);
      EXPECT_NEAR(S::CalcResistance(gr, gi), r, 1e-9 * (1 + r * r));
      EXPECT_NEAR(S::CalcReactance(gr, gi), x, 1e-9 * (1 + x * x));
    }
}

TEST(SmithConversions, PolesAndBadInputAreDefined) {
  // z = -1 + jx lies at G = 1 + 2j/x; z = -1 has no finite image.
  EXPECT_EQ(S::CalcReflectionReal(-1, 0), uc_MaxReal);
  EXPECT_EQ(S::CalcReflectionImag(-1, 0), 0);
  EXPECT_EQ(S::CalcReflectionReal(-1, 2), 1);
  EXPECT_EQ(S::CalcReflectionImag(-1, 2), 1);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_DOUBLE_EQ(S::CalcReflectionReal(inf, 0), 1);  // open circuit
  EXPECT_DOUBLE_EQ(S::CalcReflectionImag(inf, 3), 0);
  EXPECT_DOUBLE_EQ(S::CalcReflectionReal(1, inf), 1);
  EXPECT_TRUE(std::isnan(S::CalcReflectionReal(std::nan(""), 1)));
  // A negative resistance lies outside the unit circle.
  EXPECT_GT(std::hypot(S::CalcReflectionReal(-0.5, 1), S::CalcReflectionImag(-0.5, 1)), 1);
}

TEST(SmithLabels, TextsAndLevels) {
  EXPECT_EQ(S::LabelText(0), "0");
  EXPECT_EQ(S::LabelText(0.5), "0.5");
  EXPECT_EQ(S::LabelText(1.2), "1.2");
  EXPECT_EQ(S::LabelText(10), "10");
  EXPECT_EQ(S::LabelText(-0.2), "-0.2");
  EXPECT_EQ(S::LabelText(-0.004), "0");
  EXPECT_EQ(S::LabelText(2.005), "2");
  EXPECT_EQ(S::LabelLevel(300), 1);
  EXPECT_EQ(S::LabelLevel(301), 2);
  EXPECT_EQ(S::LabelLevel(501), 3);
  EXPECT_EQ(S::LabelLevel(751), 4);
  EXPECT_EQ(S::LabelLevel(900), 4);
  EXPECT_EQ(S::LabelLevel(901), 5);
}

TEST(SmithChart, Defaults) {
  TSmithChart c;
  EXPECT_TRUE(c.Isometric());
  EXPECT_EQ(c.GridColorLight(), 0xDBDBDBu);
  EXPECT_EQ(c.GridColorDark(), 0xA7A7A7u);
  EXPECT_EQ(c.DiagramColor(), 0xF8E8E8u);
  EXPECT_EQ(c.RangeXLow(), -1.2);
  EXPECT_EQ(c.RangeXHigh(), 1.2);
  EXPECT_FALSE(c.ScalePropsX(1).Visible());
  EXPECT_FALSE(c.ScalePropsY(2).Visible());
  EXPECT_EQ(c.GridStyle(), gsPoints);
}

TEST(SmithChart, RangeLimitRepaintsOnceAndStaysIsometric) {
  CountingSmith c;
  c.SetBounds(0, 0, 500, 300);
  c.HandleNeeded();
  c.WindowPicture();
  c.paints = 0;
  c.SetRangeXLow(-2);
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.RangeXLow(), -2);
  double kx, dx, ky, dy;
  c.GetTransformParams(kx, dx, ky, dy);
  EXPECT_NEAR(std::fabs(kx), std::fabs(ky), 0.01 * std::fabs(kx));
  // A caller's own suppression is kept.
  c.SetSuppressPaint(true);
  c.paints = 0;
  c.SetRangeXHigh(3);
  EXPECT_EQ(c.paints, 0);
  EXPECT_TRUE(c.SuppressPaint());
  c.SetRangeXLow(std::nan(""));
  EXPECT_EQ(c.RangeXLow(), -2);
}

TEST(SmithChart, CenterChartKeepsTheViewSize) {
  TSmithChart c;
  c.SetBounds(0, 0, 400, 400);
  c.SetRange(0.2, -0.5, 1.0, 0.3);
  const double w = c.RangeXHigh() - c.RangeXLow(), h = c.RangeYHigh() - c.RangeYLow();
  c.CenterChart();
  EXPECT_NEAR(c.RangeXLow(), -w / 2, 1e-12);
  EXPECT_NEAR(c.RangeXHigh(), w / 2, 1e-12);
  EXPECT_NEAR(c.RangeYLow() + c.RangeYHigh(), 0, 1e-9);
  EXPECT_NEAR(c.RangeYHigh() - c.RangeYLow(), h, 1e-9);
}

TEST(SmithChart, MouseReadOutGivesImpedance) {
  Rendered r(400, 400);
  const TPoint m = r.Pix(0, 0);
  double res = 0, rea = 0;
  r.c.PixelToImpedance(m.X, m.Y, res, rea);
  EXPECT_NEAR(res, 1, 0.03);
  EXPECT_NEAR(rea, 0, 0.03);
  const TPoint o = r.Pix(1, 0);
  r.c.PixelToImpedance(o.X, o.Y, res, rea);
  EXPECT_GT(res, 50);
}

TEST(SmithChart, AssignCopiesDiagramColours) {
  TSmithChart a, b;
  a.SetGridColorLight(clRed);
  a.SetGridColorDark(clBlue);
  a.SetDiagramColor(clYellow);
  b.Assign(&a);
  EXPECT_EQ(b.GridColorLight(), clRed);
  EXPECT_EQ(b.GridColorDark(), clBlue);
  EXPECT_EQ(b.DiagramColor(), clYellow);
}

TEST(SmithDiagram, DiscAxisAndCircles) {
  Rendered r(700, 700);
  const QImage& img = r.Pic();
  const TSmithChart& c = r.c;
  // Inside the disc, off every line: the diagram colour; outside: the chart colour.
  const TPoint in = r.Pix(-0.9, 0.05), out = r.Pix(-1.1, 0.9);
  EXPECT_EQ(At(img, in.X, in.Y), c.DiagramColor());
  EXPECT_EQ(At(img, out.X, out.Y), clWhite);
  const TPoint axis = r.Pix(-0.9, 0);
  EXPECT_EQ(At(img, axis.X, axis.Y), c.GridColorDark());
  // Complete circles reach right up to G = 1; the others stop short of it.
  for (double res : {0.0, 5.0, 10.0}) {
    const double u = res / (res + 1), v = 1 / (res + 1), t = 0.3;
    const TPoint p = r.Pix(u + v * std::cos(t), v * std::sin(t));
    EXPECT_TRUE(Near(img, p.X, p.Y, c.GridColorDark())) << "r = " << res;
  }
  struct {
    double r, phi;
    TColor pen;
  } gaps[] = {{0.5, 0.42, c.GridColorDark()},
              {1, 0.395, c.GridColorDark()},
              {3, 1.036, c.GridColorLight()},
              {7, 1.35, c.GridColorLight()}};
  for (const auto& g : gaps) {
    const double u = g.r / (g.r + 1), v = 1 / (g.r + 1);
    const TPoint gap = r.Pix(u + v * std::cos(g.phi * 0.6), -v * std::sin(g.phi * 0.6));
    const TPoint drawn = r.Pix(u + v * std::cos(g.phi + 0.3), -v * std::sin(g.phi + 0.3));
    EXPECT_EQ(At(img, gap.X, gap.Y), c.DiagramColor()) << "r = " << g.r;
    EXPECT_TRUE(Near(img, drawn.X, drawn.Y, g.pen)) << "r = " << g.r;
  }
  // Reactance arc x = 1 (centre (1, 1), radius 1) above and below the axis.
  const double t = 3.9;  // a point of the arc inside the disc
  const TPoint up = r.Pix(1 + std::cos(t), 1 + std::sin(t));
  const TPoint down = r.Pix(1 + std::cos(t), -1 - std::sin(t));
  EXPECT_TRUE(Near(img, up.X, up.Y, c.GridColorDark()));
  EXPECT_TRUE(Near(img, down.X, down.Y, c.GridColorDark()));
}

TEST(SmithDiagram, SmallDiagramsLabelOnlyTheMainValues) {
  auto labelled = [](Rendered& r) {
    const QImage& img = r.Pic();
    // Resistance label r = 0.1 hides the real axis under its opaque background.
    const TPoint rl = r.Pix((0.1 - 1) / 1.1, 0);
    const bool res = At(img, rl.X - 3, rl.Y) != r.c.GridColorDark() &&
                     At(img, rl.X + 3, rl.Y) != r.c.GridColorDark();
    // Reactance label +0.1 sits outside the disc, beyond the end of its arc.
    const double v = 10, px = (1 - v * v) / (1 + v * v), py = 2 * v / (1 + v * v);
    const TPoint p = r.Pix(px, py), o = r.Pix(0, 0);
    const double len = std::hypot(p.X - o.X, p.Y - o.Y);
    const int lx = int(std::lround(p.X + 10 * (p.X - o.X) / len));
    const int ly = int(std::lround(p.Y + 10 * (p.Y - o.Y) / len));
    bool ink = false;
    for (int y = ly - 3; y <= ly + 3; ++y)
      for (int x = lx - 3; x <= lx + 3; ++x) ink |= At(img, x, y) != clWhite;
    return std::pair{res, ink};
  };
  Rendered small(330, 310);
  ASSERT_LE(small.DiagramWidth(), 300);
  Rendered large(1240, 1240);
  ASSERT_GT(large.DiagramWidth(), 900);
  EXPECT_EQ(labelled(small), std::pair(false, false));
  EXPECT_EQ(labelled(large), std::pair(true, true));
  // The main labels are there at every size: r = 1 covers the axis at G = 0.
  const TPoint one = small.Pix(0, 0);
  EXPECT_NE(At(small.Pic(), one.X - 3, one.Y), small.c.GridColorDark());
}

TEST(SmithDiagram, BadImpedancesAndExtremeViewsDrawSafely) {
  TSmithChart c;
  c.SetBounds(0, 0, 300, 300);
  c.HandleNeeded();
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  c.MoveTo(S::CalcReflectionReal(nan, 1), S::CalcReflectionImag(nan, 1));
  c.DrawTo(S::CalcReflectionReal(inf, 1), S::CalcReflectionImag(inf, 1));
  c.DrawTo(S::CalcReflectionReal(-1, 0), S::CalcReflectionImag(-1, 0));
  c.DrawTo(S::CalcReflectionReal(-3, 2), S::CalcReflectionImag(-3, 2));
  c.MarkAt(S::CalcReflectionReal(1, -inf), S::CalcReflectionImag(1, -inf), 1);
  c.ShowGraf();
  EXPECT_FALSE(c.WindowPicture().isNull());
  // Deep into the open-circuit point, and so far out that the disc is a dot.
  c.SetRange(1 - 1e-9, -1e-9, 1 + 1e-9, 1e-9);
  EXPECT_FALSE(c.WindowPicture().isNull());
  c.SetRange(-1e12, -1e12, 1e12, 1e12);
  EXPECT_FALSE(c.WindowPicture().isNull());
}

TEST(SmithChart, CrossHairMovesWithoutRedrawingTheDiagram) {
  CountingSmith c;
  c.SetBounds(0, 0, 400, 400);
  c.HandleNeeded();
  c.CrossHairSetup(clRed, 2, psSolid, 1);
  const int before = c.paints;
  const double g = S::CalcReflectionReal(1, 1);  // z = 1 + j
  c.CrossHairSetPos(g, S::CalcReflectionImag(1, 1));
  EXPECT_EQ(c.paints, before);
  EXPECT_DOUBLE_EQ(c.CrossHairPosX(), g);
  EXPECT_DOUBLE_EQ(c.CrossHairPosX(1), g);
  int x = 0, y = 0;
  c.R2M(g, 0, x, y);
  const QImage& img = c.WindowPicture();
  EXPECT_EQ(At(img, x, 40), clRed);
  EXPECT_EQ(At(img, x, 340), clRed);
}

TEST(SmithChart, MouseMoveReportsReflectionCoefficient) {
  Rendered r(400, 400);
  double gr = 99, gi = 99;
  r.c.OnMouseMoveInChart = [&](TObject*, bool InChart, TShiftState, double x, double y) {
    EXPECT_TRUE(InChart);
    gr = x;
    gi = y;
  };
  const TPoint p = r.Pix(S::CalcReflectionReal(2, -1), S::CalcReflectionImag(2, -1));
  r.c.MouseMove(TShiftState(), p.X, p.Y);
  EXPECT_NEAR(S::CalcResistance(gr, gi), 2, 0.1);
  EXPECT_NEAR(S::CalcReactance(gr, gi), -1, 0.1);
  EXPECT_DOUBLE_EQ(r.c.MousePosX(), gr);
}
