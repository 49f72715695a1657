// SPDX-License-Identifier: MIT
// Surface plot: property rules, rotation matrix, height calibration, colour coding, scaling.
#include <gtest/gtest.h>
#include <zyr/plot3d/plot3d.h>

#include <cmath>
#include <limits>

using namespace zyr;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Plot3DModel, DefaultsOfANewPlot) {
  TPlot3D p;
  EXPECT_EQ(p.Width(), 650);
  EXPECT_EQ(p.Height(), 500);
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.CentY(), 250);
  EXPECT_EQ(p.ViewAngleX(), 60);
  EXPECT_EQ(p.ViewAngleZ(), 15);
  EXPECT_EQ(p.MouseAction(), 12);
  EXPECT_EQ(p.BoundBoxStyle(), 2);
  EXPECT_EQ(p.DecPlaceZ(), -2);
  EXPECT_EQ(p.LabDistZ(), 20);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  EXPECT_FALSE(p.SuppressPaint());
  // Heights -1 .. 1 fill the box from -150 to +150.
  EXPECT_DOUBLE_EQ(p.CalcIntZ(-1), -150);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(1), 150);
}

TEST(Plot3DModel, ViewAnglesAreFoldedIntoTheCircle) {
  TPlot3D p;
  p.SetViewAngleX(725);
  EXPECT_NEAR(p.ViewAngleX(), 5, 1e-9);
  p.SetViewAngleX(-30);
  EXPECT_NEAR(p.ViewAngleX(), 330, 1e-9);
  p.SetViewAngleZ(360);
  EXPECT_EQ(p.ViewAngleZ(), 360);
  p.SetViewAngleZ(kNaN);
  EXPECT_EQ(p.ViewAngleZ(), 360);

  p.SetViewAngles(-90, 450);
  EXPECT_NEAR(p.ViewAngleX(), 270, 1e-9);
  EXPECT_NEAR(p.ViewAngleZ(), 90, 1e-9);
}

TEST(Plot3DModel, ClampedAndRefusedSettings) {
  TPlot3D p;
  p.SetMagnification(10);
  EXPECT_EQ(p.Magnification(), 5);
  p.SetMagnification(0);
  EXPECT_EQ(p.Magnification(), 0.1);
  p.SetMagnification(kNaN);
  EXPECT_EQ(p.Magnification(), 0.1);

  p.SetMinTickZ(1);
  EXPECT_EQ(p.MinTickZ(), 2);
  p.SetMinTickZ(50);
  EXPECT_EQ(p.MinTickZ(), 20);
  p.SetDecPlaceX(-5);
  EXPECT_EQ(p.DecPlaceX(), -2);
  p.SetDecPlaceY(40);
  EXPECT_EQ(p.DecPlaceY(), 12);

  // The colour interval never becomes empty or reversed.
  p.SetColorScaleLow(200);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  p.SetColorScaleHigh(0);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  p.SetColorScaleHigh(kNaN);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  p.SetColorScaleLow(99);
  EXPECT_EQ(p.ColorScaleLow(), 99);
}

TEST(Plot3DModel, RangesNeverCollapse) {
  TPlot3D p;
  p.SetRangeZLow(1);  // equal to the high bound
  EXPECT_EQ(p.RangeZLow(), 0);
  p.SetRangeZHigh(0);  // equal to the low bound
  EXPECT_EQ(p.RangeZHigh(), 1);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(0), -150);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(1), 150);

  p.SetRange(2, 2, 0, 10, 5, 5);
  EXPECT_EQ(p.RangeXLow(), 1.5);
  EXPECT_EQ(p.RangeXHigh(), 2.5);
  EXPECT_EQ(p.RangeYHigh(), 10);
  EXPECT_EQ(p.RangeZLow(), 4.5);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(5.5), 150);

  // Non-finite bounds leave the axis alone; a range too wide for a double stays usable.
  p.SetRange(kNaN, 1, 0, kInf, -1e308, 1e308);
  EXPECT_EQ(p.RangeXLow(), 1.5);
  EXPECT_EQ(p.RangeYHigh(), 10);
  EXPECT_TRUE(std::isfinite(p.CalcIntZ(3)));
  p.SetRangeXLow(kInf);
  EXPECT_EQ(p.RangeXLow(), 1.5);
}

TEST(Plot3DModel, CentreFollowsAutoCenter) {
  TPlot3D p;
  p.SetCentX(10);
  EXPECT_EQ(p.CentX(), 325);  // ignored while AutoCenter is on
  p.SetAutoCenter(false);
  p.SetCentX(5000);
  EXPECT_EQ(p.CentX(), 1300);
  p.SetCentY(-5000);
  EXPECT_EQ(p.CentY(), -500);
  p.SetAutoCenter(true);
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.CentY(), 250);
  p.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(p.CentX(), 200);
  EXPECT_EQ(p.CentY(), 150);
}

TEST(Plot3DModel, ColorSchemeSetsTheStoredLineColours) {
  TPlot3D p;
  p.SetColorScheme(0);
  EXPECT_EQ(p.ColGrayLine(), clGray);
  EXPECT_EQ(p.ColWhiteLine(), clWhite);
  p.SetColorScheme(1);
  EXPECT_EQ(p.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(p.ColWhiteLine(), clBtnHighlight);
}

TEST(Plot3DModel, RotationMatrix) {
  TPlot3D p;
  const double a = 60 * M_PI / 180, c = 15 * M_PI / 180;
  EXPECT_NEAR(p.GetRotMat(1, 1), std::cos(c), 1e-12);
  EXPECT_NEAR(p.GetRotMat(1, 2), -std::sin(c), 1e-12);
  EXPECT_EQ(p.GetRotMat(1, 3), 0);
  EXPECT_NEAR(p.GetRotMat(2, 1), std::cos(a) * std::sin(c), 1e-12);
  EXPECT_NEAR(p.GetRotMat(2, 3), -std::sin(a), 1e-12);
  EXPECT_NEAR(p.GetRotMat(3, 2), std::sin(a) * std::cos(c), 1e-12);
  EXPECT_NEAR(p.GetRotMat(3, 3), std::cos(a), 1e-12);
  EXPECT_EQ(p.GetRotMat(0, 1), 0);
  EXPECT_EQ(p.GetRotMat(2, 4), 0);

  // Rounding noise of cos 90 is cut to an exact zero.
  p.SetViewAngles(90, 90);
  EXPECT_EQ(p.GetRotMat(1, 1), 0);
  EXPECT_EQ(p.GetRotMat(3, 3), 0);
  EXPECT_EQ(p.GetRotMat(2, 1), 0);
  EXPECT_NEAR(p.GetRotMat(3, 1), 1, 1e-12);
}

TEST(Plot3DModel, ResetRestoresTheStandardView) {
  TPlot3D p;
  p.SetAutoCenter(false);
  p.SetCentX(10);
  p.SetScaleFactY(3);
  p.SetMagnification(2);
  p.Reset();
  EXPECT_EQ(p.ViewAngleX(), 66);
  EXPECT_EQ(p.ViewAngleZ(), 135);
  EXPECT_EQ(p.Magnification(), 1);
  EXPECT_EQ(p.ScaleFactY(), 1);
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_NEAR(p.GetRotMat(3, 3), std::cos(66 * M_PI / 180), 1e-12);
}

TEST(Plot3DModel, ColourCoding) {
  TPlot3D p;
  p.SetColorLow(RGB(0, 0, 0));
  p.SetColorHigh(RGB(200, 100, 50));
  p.SetColorMid(RGB(10, 20, 30));
  EXPECT_EQ(p.CalcColorCoding(0), RGB(0, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(100), RGB(200, 100, 50));
  EXPECT_EQ(p.CalcColorCoding(25), RGB(50, 25, 12));  // 12.5 rounds to even
  EXPECT_EQ(p.CalcColorCoding(-50), RGB(0, 0, 0));    // clamped to the interval
  EXPECT_EQ(p.CalcColorCoding(1e300), RGB(200, 100, 50));
  EXPECT_EQ(p.CalcColorCoding(kNaN), RGB(0, 0, 0));

  p.SetColorCodingMode(ccmThreeColors);
  EXPECT_EQ(p.CalcColorCoding(50), RGB(10, 20, 30));
  EXPECT_EQ(p.CalcColorCoding(25), RGB(5, 10, 15));
  EXPECT_EQ(p.CalcColorCoding(75), RGB(105, 60, 40));

  p.SetColorCodingMode(ccmColorArray);
  p.IsoColors.SetNumColors(4);
  for (int i = 1; i <= 4; ++i) p.IsoColors.SetColor(i, RGB(uint8_t(i), 0, 0));
  EXPECT_EQ(p.CalcColorCoding(0), RGB(1, 0, 0));  // element 0 does not exist
  EXPECT_EQ(p.CalcColorCoding(50), RGB(2, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(100), RGB(4, 0, 0));
  p.IsoColors.SetNumColors(0);
  EXPECT_EQ(p.CalcColorCoding(100), RGB(200, 100, 50));
}

TEST(Plot3DModel, ExtremesAndAutoScale) {
  TPlot3D p;
  p.SetSuppressPaint(true);
  p.GridMat.Resize(20, 10);
  p.GridMat.SetElem(3, 4, 7);
  p.GridMat.SetElem(5, 6, -3);
  p.GridMat.SetElem(1, 1, kNaN);
  p.GridMat.SetElem(2, 1, kInf);
  p.SetSuppressPaint(false);
  EXPECT_EQ(p.MinZ(), -3);
  EXPECT_EQ(p.MaxZ(), 7);
  EXPECT_EQ(p.ProjMapX().NrOfColumns(), 20);
  EXPECT_EQ(p.ProjMapZ().NrOfRows(), 10);

  p.SetRange(0, 1, 0, 1, 0, 5);
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactX(), 1);
  EXPECT_EQ(p.ScaleFactY(), 2);
  EXPECT_DOUBLE_EQ(p.ScaleFactZ(), 0.5);

  // Changes outside a suppressed block are seen at the next read.
  p.GridMat.SetElem(7, 7, 100);
  EXPECT_EQ(p.MaxZ(), 100);

  p.Clear();
  EXPECT_EQ(p.MaxZ(), 0);
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 1);  // all heights equal

  p.GridMat.Resize(0, 0);
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactX(), 1);
  EXPECT_EQ(p.ScaleFactY(), 1);
}

}  // namespace
