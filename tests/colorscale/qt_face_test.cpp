#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/colorscale.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

using namespace zyr;

TEST(ColorScaleQtFace, ColourAndTextOverloads) {
  TColorScale cs;
  cs.SetCaptionColor(QColor(Qt::red));
  cs.SetColorSclBkgd(QColor(0, 0, 255));
  cs.SetColorOfScale(QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(cs.CaptionColor(), clRed);
  EXPECT_EQ(cs.ColorSclBkgd(), clBlue);
  EXPECT_EQ(cs.ColorOfScale(), RGB(0x12, 0x34, 0x56));
  cs.SetCaptionColor(QColor());  // invalid: ignored
  EXPECT_EQ(cs.CaptionColor(), clRed);
  cs.SetCaptionColor(0x0000FF);  // a number stays a TColor
  EXPECT_EQ(cs.CaptionColor(), clRed);
  cs.SetCaption(QStringLiteral("Höhe [m]"));
  EXPECT_EQ(cs.Caption(), "Höhe [m]");
  cs.SetCaption("depth");
  EXPECT_EQ(cs.Caption(), "depth");
}

TEST(ColorScaleQtFace, ColorToValueTakesQColorAndRefusesInvalid) {
  TColorScale cs;
  cs.ColorArray().Fill(64, {clBlue, clLime, clRed});
  cs.SetScaleRange(0, 100);
  const TColor c = cs.ValueToColor(42.0);
  EXPECT_DOUBLE_EQ(cs.ColorToValue(ToQColor(c)), cs.ColorToValue(c));
  EXPECT_TRUE(std::isnan(cs.ColorToValue(QColor())));
}

TEST(ColorScaleQtFace, NamedConstantsDriveTheMouse) {
  TColorScale cs;
  cs.SetBounds(0, 0, 300, 75);
  cs.SetScaleRange(0, 100);
  cs.SetMouseAction(TColorScale::maPanStretch);
  EXPECT_EQ(cs.MouseAction(), 18);
  cs.MouseDown(mbLeft, ssLeft, 150, 30);  // the middle of the bar pans
  EXPECT_EQ(cs.ZoomPanMode(), TColorScale::zpmPan);
  cs.MouseUp(mbLeft, 0, 150, 30);
  cs.MouseDown(mbLeft, ssLeft, 20, 30);  // the left part stretches the low end
  EXPECT_EQ(cs.ZoomPanMode(), TColorScale::zpmLowEnd);
  cs.MouseUp(mbLeft, 0, 20, 30);
  EXPECT_EQ(TColorScale::maCrossHair, 10);
  EXPECT_EQ(TColorScale::zpmHighEnd, 2);
}

TEST(ColorScaleQtFace, ExportTakesQStringFileNames) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TColorScale cs;
  EXPECT_TRUE(cs.ExportToFile(dir.filePath(QStringLiteral("légende.png"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("légende.png"))));
}
