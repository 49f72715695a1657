// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/qt.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

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

TEST(Plot3DSignals, MouseActionInformsWithTheValuesTheHandlerLeft) {
  TPlot3D p;
  p.SetBounds(0, 0, 400, 300);
  p.SetSuppressPaint(false);
  p.SetMouseAction(TPlot3D::maZoom);
  std::vector<std::string> calls;
  p.OnMouseAction = [&](TObject*, int&, int&, double&, double&, double& mag, TShiftState) {
    calls.push_back("handler");
    mag = 2.5;  // the handler answers; slots only hear the answer
  };
  double heard = 0;
  QObject::connect(&p, &TPlot3D::mouseAction, [&](int, int, double, double, double m, TShiftState) {
    calls.push_back("slot 1");
    heard = m;
  });
  QObject::connect(&p, &TPlot3D::mouseAction, [&](int, int, double, double, double, TShiftState) {
    calls.push_back("slot 2");
  });
  int zoomPans = 0;
  QObject::connect(&p, &TPlot3D::zoomPan, [&] { ++zoomPans; });
  p.MouseMove(0, 200, 200);
  p.MouseMove(ssLeft, 200, 150);
  EXPECT_EQ(calls, (std::vector<std::string>{"handler", "slot 1", "slot 2"}));
  EXPECT_EQ(heard, 2.5);
  EXPECT_EQ(p.Magnification(), 2.5);
  EXPECT_EQ(zoomPans, 1);
}

TEST(Plot3DSignals, MouseMoveOverPlotQueuesAndEverySignalIsListed) {
  TPlot3D p;
  p.SetBounds(0, 0, 400, 300);
  p.GridMat.Resize(10, 10);
  p.SetSuppressPaint(false);
  QObject receiver;
  int count = 0, rendered = 0;
  QObject::connect(
      &p, &TPlot3D::mouseMoveOverPlot, &receiver, [&](bool, TShiftState, int, int) { ++count; },
      Qt::QueuedConnection);
  QObject::connect(&p, &TPlot3D::dataRendered, [&] { ++rendered; });
  p.Repaint();
  EXPECT_GE(rendered, 1);
  p.MouseMove(0, 200, 150);
  EXPECT_EQ(count, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(count, 1);
  const QMetaObject* mo = p.metaObject();
  for (const char* sig :
       {"dataRendered()", "mouseAction(int,int,double,double,double,zyr::TShiftState)",
        "mouseMoveOverPlot(bool,zyr::TShiftState,int,int)", "zoomPan()"})
    EXPECT_GE(mo->indexOfSignal(sig), 0) << sig;
}

TEST(Plot3DProperties, QtTypedProperties) {
  TPlot3D p;
  EXPECT_TRUE(p.setProperty("CaptionZ", QStringLiteral("Höhe")));
  EXPECT_TRUE(p.setProperty("ColorMesh", QColor(Qt::red)));
  EXPECT_TRUE(p.setProperty("MeshKind", int(mkGrid)));
  EXPECT_TRUE(p.setProperty("MeshKind", 9));  // ignored
  EXPECT_TRUE(p.setProperty("RangeZHigh", 5.0));
  EXPECT_EQ(p.CaptionZ(), "Höhe");
  EXPECT_EQ(p.ColorMesh(), clRed);
  EXPECT_EQ(p.MeshKind(), mkGrid);
  EXPECT_EQ(p.RangeZHigh(), 5.0);
}
