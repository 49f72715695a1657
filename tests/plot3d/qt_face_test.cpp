#include <gtest/gtest.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/qt.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zyr;

TEST(Plot3DQtFace, ColourSettersTakeQColorAndIgnoreInvalid) {
  TPlot3D p;
  p.SetColorBakGnd(QColor(1, 2, 3));
  p.SetColorHigh(QColor(Qt::yellow));
  p.SetColorCubeFaceHigh(QColor(250, 240, 230));
  EXPECT_EQ(p.ColorBakGnd(), RGB(1, 2, 3));
  EXPECT_EQ(p.ColorHigh(), clYellow);
  EXPECT_EQ(p.ColorCubeFaceHigh(), RGB(250, 240, 230));
  p.SetColorBakGnd(QColor());
  EXPECT_EQ(p.ColorBakGnd(), RGB(1, 2, 3));
  p.SetColorMesh(0x0000FF);  // a number is a TColor
  EXPECT_EQ(p.ColorMesh(), clRed);
}

TEST(Plot3DQtFace, CaptionsAndFileNamesTakeQString) {
  TPlot3D p;
  p.SetCaptionX(QStringLiteral("Länge"));
  p.SetCaptionY("Breite");
  p.SetCaptionZ(std::string("Höhe"));
  EXPECT_EQ(p.CaptionX(), "Länge");
  EXPECT_EQ(p.CaptionY(), "Breite");
  EXPECT_EQ(p.CaptionZ(), "Höhe");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  p.SetSuppressPaint(false);
  EXPECT_TRUE(p.CopyToBMP(dir.filePath(QStringLiteral("fläche.png")), false));
  EXPECT_TRUE(p.CopyToWMF(dir.filePath(QStringLiteral("fläche.svg")), true));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("fläche.png"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("fläche.svg"))));
}

TEST(Plot3DQtFace, NamedMouseActionsDoWhatTheySay) {
  TPlot3D p;
  p.SetBounds(0, 0, 400, 300);
  p.SetSuppressPaint(false);
  EXPECT_EQ(p.MouseAction(), TPlot3D::maRotate);
  p.SetMouseAction(TPlot3D::maZoom);
  p.MouseMove(0, 200, 200);  // no button: anchors
  p.MouseMove(ssLeft, 200, 100);
  EXPECT_GT(p.Magnification(), 1.0);
  p.SetMouseAction(TPlot3D::maTurn);
  const double ax = p.ViewAngleX(), az = p.ViewAngleZ();
  p.MouseMove(0, 200, 100);
  p.MouseMove(ssLeft, 150, 100);
  EXPECT_EQ(p.ViewAngleX(), ax);
  EXPECT_NE(p.ViewAngleZ(), az);
  p.SetBoundBoxStyle(TPlot3D::bbOutlined);
  EXPECT_EQ(p.BoundBoxStyle(), 1);
}
