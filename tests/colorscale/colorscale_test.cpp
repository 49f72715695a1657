// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/scales/colorscale.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

using namespace zyr;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TColor PixelAt(const QImage& img, int x, int y) {
  const QRgb c = img.pixel(x, y);
  return RGB(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
}

// A 300 x 75 legend over 0 .. 100 with four easily told colours.
struct FourColorScale : ::testing::Test {
  TColorScale cs;
  void SetUp() override {
    cs.ColorArray().SetNumColors(4);
    cs.ColorArray().SetColor(1, clRed);
    cs.ColorArray().SetColor(2, clLime);
    cs.ColorArray().SetColor(3, clBlue);
    cs.ColorArray().SetColor(4, clYellow);
    cs.SetScaleRange(0, 100);
    cs.CrossHair().SetCrossHMode(0);
  }
  int BarMidY() { return (cs.MarginTop() + cs.Height() - cs.MarginBottom()) / 2; }
};

}  // namespace

TEST(ColorScaleMapping, ValueToColorSpreadsTheTableAndClampsTheEnds) {
  TColorScale cs;
  cs.ColorArray().Fill(64, {clBlue, clRed});
  cs.SetColorHigh(100);
  cs.SetColorLow(0);
  EXPECT_EQ(cs.ValueToColor(50), cs.ColorArray().Color(32));
  EXPECT_EQ(cs.ValueToColor(-5), cs.ColorArray().Color(1));
  EXPECT_EQ(cs.ValueToColor(500), cs.ColorArray().Color(64));
  EXPECT_EQ(cs.ValueToColor(std::numeric_limits<double>::infinity()), cs.ColorArray().Color(64));

  // A degenerate interval gives the middle colour, NaN and an empty table the background.
  cs.SetColorLow(100);
  EXPECT_EQ(cs.ColorLow(), cs.ColorHigh());
  EXPECT_EQ(cs.ValueToColor(3), cs.ColorArray().Color(32));
  EXPECT_EQ(cs.ValueToColor(kNaN), cs.ColorSclBkgd());
  cs.ColorArray().SetNumColors(1);
  EXPECT_EQ(cs.ValueToColor(3), cs.ColorArray().Color(1));
  cs.ColorArray().SetNumColors(0);
  EXPECT_EQ(cs.ValueToColor(3), cs.ColorSclBkgd());
  EXPECT_EQ(cs.ColorToValue(clRed), cs.ColorLow());
}

TEST(ColorScaleMapping, ColorToValueAndValueToPixelInvertTheMapping) {
  TColorScale cs;
  cs.ColorArray().Fill(50, {clBlack, clRed, clYellow, clWhite});
  cs.SetScaleRange(-20, 80);
  for (double v = -20; v <= 80; v += 7.5) {
    // One table step is 2 units wide.
    EXPECT_NEAR(cs.ColorToValue(cs.ValueToColor(v)), v, 2.0) << v;
  }
  EXPECT_EQ(cs.ValueToPixel(-20), cs.MarginLeft());
  EXPECT_EQ(cs.ValueToPixel(80), cs.Width() - cs.MarginRight() - 1);
  EXPECT_NEAR(cs.Scale().ConvertPixelToScale(cs.ValueToPixel(30)), 30, 0.5);

  cs.SetOrientation(csoVertical);
  EXPECT_EQ(cs.Scale().ScaleType(), 2);
  EXPECT_EQ(cs.ValueToPixel(80), cs.MarginTop());
  EXPECT_EQ(cs.ValueToPixel(-20), cs.Height() - cs.MarginBottom() - 1);
}

TEST(ColorScaleSetters, RangesAndColourIntervalFollowTheirCouplingRules) {
  TColorScale cs;
  EXPECT_EQ(cs.ScaleRangeLow(), -10);
  EXPECT_EQ(cs.ScaleRangeHigh(), 10);
  cs.SetScaleRange(3, 3);
  EXPECT_EQ(cs.ScaleRangeLow(), 2);
  EXPECT_EQ(cs.ScaleRangeHigh(), 4);
  EXPECT_EQ(cs.Scale().RangeLow(), 2);
  EXPECT_EQ(cs.Scale().RangeHigh(), 4);
  EXPECT_EQ(cs.ColorLow(), 2);
  EXPECT_EQ(cs.ColorHigh(), 4);

  cs.SetColorHigh(10);
  cs.SetColorLow(20);
  EXPECT_EQ(cs.ColorLow(), 20);
  EXPECT_EQ(cs.ColorHigh(), 20);
  cs.SetColorHigh(5);
  EXPECT_EQ(cs.ColorLow(), 5);
  cs.SetColorLow(kNaN);
  EXPECT_EQ(cs.ColorLow(), 5);

  // Scale range alone leaves the colour interval; the range rule may move the other end.
  cs.SetScaleRangeLow(4);
  EXPECT_EQ(cs.ScaleRangeLow(), 4);
  EXPECT_EQ(cs.ScaleRangeHigh(), 5);
  EXPECT_EQ(cs.ColorHigh(), 5);

  // A reversed range reverses the scale but keeps the colours in value order.
  cs.SetScaleRange(100, 0);
  EXPECT_EQ(cs.Scale().RangeLow(), 100);
  EXPECT_EQ(cs.Scale().RangeHigh(), 0);
  EXPECT_EQ(cs.ColorLow(), 0);
  EXPECT_EQ(cs.ColorHigh(), 100);
  cs.SetScaleRange(kNaN, 5);
  EXPECT_EQ(cs.ScaleRangeLow(), 100);
}

TEST(ColorScaleSetters, MarginsKeepABarPixelAndMinTicksIsClamped) {
  TColorScale cs;
  EXPECT_EQ(cs.MarginLeft(), 16);
  EXPECT_EQ(cs.MarginBottom(), 22);
  cs.SetMarginLeft(500);
  EXPECT_EQ(cs.MarginLeft(), 300 - 16 - 1);
  cs.SetMarginBottom(1000);
  EXPECT_EQ(cs.MarginBottom(), 75 - 8 - 1);
  EXPECT_EQ(cs.Scale().MarginTop(), 75 - cs.MarginBottom());
  cs.SetMarginTop(-5);
  EXPECT_EQ(cs.MarginTop(), 0);

  cs.SetOrientation(csoVertical);
  cs.SetMarginLeft(16);
  cs.SetMarginRight(40);
  EXPECT_EQ(cs.Scale().MarginLeft(), 300 - 40);

  cs.SetMinTicks(1);
  EXPECT_EQ(cs.MinTicks(), 2);
  cs.SetMinTicks(25);
  EXPECT_EQ(cs.MinTicks(), 10);
}

TEST_F(FourColorScale, BarColumnsMatchValueToColor) {
  const QImage& img = cs.WindowPicture();
  const int y = BarMidY();
  for (int x = cs.MarginLeft() + 1; x < cs.Width() - cs.MarginRight() - 1; ++x) {
    const double v = cs.Scale().ConvertPixelToScale(x);
    ASSERT_EQ(PixelAt(img, x, y), cs.ValueToColor(v)) << "x " << x;
  }
  // The bar frame and the background around it.
  EXPECT_EQ(PixelAt(img, cs.MarginLeft(), y), cs.ColorOfScale());
  EXPECT_EQ(PixelAt(img, cs.MarginLeft() - 3, y), cs.ColorSclBkgd());
}

TEST_F(FourColorScale, NarrowColourIntervalLeavesBackgroundOrEndColours) {
  cs.SetColorLow(40);
  cs.SetColorHigh(60);
  const int y = BarMidY();
  const int left = cs.MarginLeft() + 3, right = cs.Width() - cs.MarginRight() - 3;
  QImage img = cs.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, left, y), cs.ColorSclBkgd());
  EXPECT_EQ(PixelAt(img, right, y), cs.ColorSclBkgd());
  EXPECT_EQ(PixelAt(img, cs.ValueToPixel(50), y), clLime);
  EXPECT_EQ(PixelAt(img, cs.ValueToPixel(55), y), clBlue);

  cs.SetExtendColors(true);
  img = cs.WindowPicture().copy();
  EXPECT_EQ(PixelAt(img, left, y), clRed);
  EXPECT_EQ(PixelAt(img, right, y), clYellow);
}

TEST_F(FourColorScale, VerticalBarRunsFromColourOneAtTheBottom) {
  cs.SetBounds(0, 0, 80, 240);
  cs.SetOrientation(csoVertical);
  const QImage& img = cs.WindowPicture();
  const int x = (cs.MarginLeft() + cs.Width() - cs.MarginRight()) / 2;
  EXPECT_EQ(PixelAt(img, x, cs.Height() - cs.MarginBottom() - 2), clRed);
  EXPECT_EQ(PixelAt(img, x, cs.MarginTop() + 2), clYellow);
}

TEST_F(FourColorScale, CrossHairLineIsDrawnAtItsValue) {
  cs.CrossHair().SetCrossHMode(3);
  cs.CrossHair().SetCrossHLineType(psSolid);
  cs.CrossHair().SetCrossHColor(clFuchsia);
  cs.CrossHair().SetPos(30, 30);
  const QImage& img = cs.WindowPicture();
  const int x = cs.ValueToPixel(30);
  EXPECT_EQ(PixelAt(img, x, cs.MarginTop() + 1), clFuchsia);
  EXPECT_EQ(PixelAt(img, x, cs.Height() - cs.MarginBottom() - 1), clFuchsia);
  EXPECT_NE(PixelAt(img, x, cs.Height() - cs.MarginBottom()), clFuchsia);
  EXPECT_NE(PixelAt(img, x + 1, BarMidY()), clFuchsia);
}

TEST_F(FourColorScale, PanAndStretchByTheMouse) {
  cs.SetMouseAction(18);
  int zoomPans = 0;
  cs.OnZoomPan = [&](TObject* s) {
    EXPECT_EQ(s, &cs);
    ++zoomPans;
  };
  const int e = cs.Width() - cs.MarginLeft() - cs.MarginRight();  // 268 px for 100 units

  // Left 42 %: only the low end moves.
  cs.MouseDown(mbLeft, ssLeft, cs.MarginLeft() + 20, 30);
  EXPECT_EQ(cs.ZoomPanMode(), 1);
  cs.MouseMove(ssLeft, cs.MarginLeft() + 20 + 67, 30);
  cs.MouseUp(mbLeft, 0, cs.MarginLeft() + 87, 30);
  EXPECT_NEAR(cs.ScaleRangeLow(), -100.0 * 67 / e, 1e-9);
  EXPECT_EQ(cs.ScaleRangeHigh(), 100);
  EXPECT_EQ(cs.ColorLow(), cs.ScaleRangeLow());
  EXPECT_EQ(cs.ColorHigh(), 100);
  EXPECT_EQ(zoomPans, 1);

  // Middle: pan, both ends by the same amount.
  cs.SetScaleRange(0, 100);
  const int mid = cs.MarginLeft() + e / 2;
  cs.MouseDown(mbLeft, ssLeft, mid, 30);
  EXPECT_EQ(cs.ZoomPanMode(), 0);
  cs.MouseMove(ssLeft, mid - 10, 30);
  EXPECT_NEAR(cs.ScaleRangeLow(), 1000.0 / e, 1e-9);
  EXPECT_NEAR(cs.ScaleRangeHigh(), 100 + 1000.0 / e, 1e-9);

  // Right end: only the high end moves; a drag that would turn the interval round is not
  // followed.
  cs.SetScaleRange(0, 100);
  cs.MouseDown(mbLeft, ssLeft, cs.Width() - cs.MarginRight() - 5, 30);
  EXPECT_EQ(cs.ZoomPanMode(), 2);
  cs.MouseMove(ssLeft, cs.Width() - cs.MarginRight() - 5 - 67, 30);
  EXPECT_NEAR(cs.ScaleRangeHigh(), 100 + 100.0 * 67 / e, 1e-9);
  EXPECT_EQ(cs.ScaleRangeLow(), 0);
  cs.SetScaleRange(0, 100);
  cs.MouseMove(ssLeft, 5000, 30);
  EXPECT_EQ(cs.ScaleRangeHigh(), 100);
  EXPECT_EQ(cs.ScaleRangeLow(), 0);
}

TEST_F(FourColorScale, VerticalStretchZonesHaveTheHighEndAtTheTop) {
  cs.SetBounds(0, 0, 80, 240);
  cs.SetOrientation(csoVertical);
  cs.SetMouseAction(18);
  cs.MouseDown(mbLeft, ssLeft, 20, cs.MarginTop() + 5);
  EXPECT_EQ(cs.ZoomPanMode(), 2);
  cs.MouseMove(ssLeft, 20, cs.MarginTop() + 25);  // dragging down lifts the top value
  EXPECT_GT(cs.ScaleRangeHigh(), 100);
  EXPECT_EQ(cs.ScaleRangeLow(), 0);
  cs.MouseDown(mbLeft, ssLeft, 20, cs.Height() - cs.MarginBottom() - 5);
  EXPECT_EQ(cs.ZoomPanMode(), 1);
}

TEST_F(FourColorScale, CrossHairDragArmsFirstAndStopsAtTheRangeEnd) {
  cs.SetMouseAction(10);
  cs.CrossHair().SetCrossHMode(3);
  int moves = 0;
  cs.OnCrossHairMove = [&](TObject*) { ++moves; };
  cs.MouseDown(mbLeft, ssLeft, 100, 30);
  cs.MouseMove(ssLeft, 100, 30);
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(cs.CrossHair().PosX(), 0);
  cs.MouseMove(ssLeft, 150, 30);
  EXPECT_EQ(moves, 1);
  EXPECT_NEAR(cs.CrossHair().PosX(), cs.Scale().ConvertPixelToScale(150), 1e-9);
  EXPECT_EQ(cs.CrossHair().PosY(), cs.CrossHair().PosX());
  cs.MouseMove(ssLeft, 5000, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 100);
  cs.MouseMove(ssLeft, -5000, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 0);

  // A reversed scale clamps into the same interval.
  cs.SetScaleRange(100, 0);
  cs.MouseMove(ssLeft, 5000, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 0);
  cs.MouseMove(ssLeft, -5000, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 100);

  // Button up disarms; with the cross-hair off nothing moves.
  cs.MouseMove(0, 150, 30);
  cs.MouseMove(ssLeft, 150, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 100);
  cs.CrossHair().SetCrossHMode(0);
  cs.MouseMove(ssLeft, 120, 30);
  cs.MouseMove(ssLeft, 130, 30);
  EXPECT_EQ(cs.CrossHair().PosX(), 100);
}

TEST_F(FourColorScale, MouseMoveReportsValueAndWhetherOverTheBar) {
  bool in = false;
  double value = -1;
  int calls = 0;
  cs.OnMouseMoveInScale = [&](TObject*, bool InScale, TShiftState, double v) {
    in = InScale;
    value = v;
    ++calls;
  };
  cs.MouseMove(0, cs.MarginLeft(), cs.MarginTop());
  EXPECT_TRUE(in);
  EXPECT_NEAR(value, 0, 1e-9);
  cs.MouseMove(0, cs.MarginLeft() - 1, 30);
  EXPECT_FALSE(in);
  cs.MouseMove(0, 100, cs.Height() - cs.MarginBottom() + 1);
  EXPECT_FALSE(in);
  EXPECT_EQ(calls, 3);
}

TEST_F(FourColorScale, CopyToBitMapAndExportRepeatThePicture) {
  const QImage pic = cs.WindowPicture().copy();
  TBitmap b1;
  cs.CopyToBitMap(&b1, -1, 0);
  ASSERT_EQ(b1.Width(), 300);
  ASSERT_EQ(b1.Height(), 75);
  EXPECT_EQ(b1.Image(), pic);

  TBitmap b2(400, 100);
  cs.CopyToBitMap(&b2, 50, 20);
  EXPECT_EQ(b2.Width(), 400);
  EXPECT_EQ(b2.Canvas().Pixels(50 + 120, 20 + BarMidY()), PixelAt(pic, 120, BarMidY()));
  EXPECT_EQ(b2.Canvas().Pixels(10, 10), clWhite);
  cs.CopyToBitMap(nullptr, 0, 0);

  QTemporaryDir dir;
  const std::string png = QDir(dir.path()).filePath("cs.png").toStdString();
  ASSERT_TRUE(cs.ExportToFile(png));
  QImage loaded(QString::fromStdString(png));
  EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), pic);
  const std::string svg = cs.ExportToSVG();
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_TRUE(cs.ExportToFile(QDir(dir.path()).filePath("cs.svg").toStdString()));
  EXPECT_FALSE(cs.ExportToFile(QDir(dir.path()).filePath("missing/cs.png").toStdString()));
}

TEST_F(FourColorScale, SuppressPaintHoldsThePictureUntilCleared) {
  const QImage before = cs.WindowPicture().copy();
  cs.SetSuppPaint(true);
  cs.SetColorSclBkgd(clAqua);
  TBitmap b;
  cs.CopyToBitMap(&b, -1, -1);
  EXPECT_EQ(b.Image(), before);
  cs.SetSuppPaint(false);
  cs.CopyToBitMap(&b, -1, -1);
  EXPECT_EQ(b.Canvas().Pixels(5, 5), clAqua);
}

TEST_F(FourColorScale, AssignCopiesSettingsAndKeepsItsOwnPicture) {
  cs.SetOrientation(csoVertical);
  cs.SetColorLow(10);
  cs.SetColorHigh(30);
  cs.SetCaption("copied");
  TColorScale other;
  other.SetBounds(0, 0, 90, 200);
  other.Assign(&cs);
  EXPECT_EQ(other.Orientation(), csoVertical);
  EXPECT_EQ(other.ColorLow(), 10);
  EXPECT_EQ(other.ColorHigh(), 30);
  EXPECT_EQ(other.Caption(), "copied");
  EXPECT_EQ(other.ColorArray().NumColors(), 4);
  EXPECT_EQ(other.Scale().MarginLeft(), 90 - other.MarginRight());
  // The copy paints its own picture; the source is untouched.
  const QImage& img = other.WindowPicture();
  EXPECT_EQ(img.width(), 90);
  EXPECT_EQ(cs.Width(), 300);
}

TEST(ColorScaleBadInput, DegenerateSizesAndTablesPaintSafely) {
  TColorScale cs;
  for (int n : {0, 1, 2}) {
    cs.ColorArray().SetNumColors(n);
    cs.ColorArray().Fill(1, n, {clGreen});
    EXPECT_EQ(cs.WindowPicture().width(), 300);
  }
  cs.ColorArray().SetNumColors(1);
  const QImage& one = cs.WindowPicture();
  EXPECT_EQ(PixelAt(one, 100, 30), clGreen);

  cs.SetBounds(0, 0, 0, 0);
  EXPECT_TRUE(cs.WindowPicture().isNull());
  TBitmap b;
  cs.CopyToBitMap(&b, -1, -1);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_FALSE(cs.ExportToFile("/tmp/never-written.png"));
  EXPECT_EQ(cs.ExportToSVG(), "");
  cs.MouseMove(ssLeft, 3, 3);

  // Margins larger than a control that shrank afterwards.
  cs.SetBounds(0, 0, 300, 75);
  cs.SetMarginLeft(250);
  cs.SetMarginRight(40);
  cs.SetBounds(0, 0, 60, 20);
  cs.SetScaleRange(1e308, -1e308);
  cs.CrossHair().SetPos(kNaN, 1e300);
  EXPECT_EQ(cs.WindowPicture().width(), 60);
  cs.SetMouseAction(18);
  cs.MouseDown(mbLeft, ssLeft, 10, 10);
  cs.MouseMove(ssLeft, 40, 10);
  cs.SetMouseAction(10);
  cs.MouseMove(ssLeft, 40, 10);
  cs.MouseMove(ssLeft, 45, 10);
  EXPECT_TRUE(std::isfinite(cs.CrossHair().PosX()));
}
