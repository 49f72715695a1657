#include <gtest/gtest.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/qt.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zyr;

TEST(Rot3DQtFace, TwoDimensionalSpellingAndQtPointsAddTheSameItems) {
  TRot3D a, b;
  a.Moveto(1, 2, 3);
  a.Drawto(4, 5, 6);
  a.MarkAt(1.5, 2.5, 3.5, 20);
  a.Line(0, 0, 0, 1, 1, 1);
  b.MoveTo(1.0, 2.0, 3.0);
  b.DrawTo(QVector3D(4, 5, 6));
  b.MarkAt(QVector3D(1.5f, 2.5f, 3.5f), 20);
  b.Line(QVector3D(0, 0, 0), QVector3D(1, 1, 1));
  ASSERT_EQ(a.NumItems(), 4);
  ASSERT_EQ(b.NumItems(), 4);
  for (int i = 0; i < 4; ++i) {
    const Tr3ChartItem x = a.GetChartItem(i), y = b.GetChartItem(i);
    EXPECT_EQ(x.ItemKind, y.ItemKind) << i;
    EXPECT_EQ(x.x, y.x) << i;
    EXPECT_EQ(x.y, y.y) << i;
    EXPECT_EQ(x.z, y.z) << i;
    EXPECT_EQ(x.x2, y.x2) << i;
    EXPECT_EQ(x.marklw, y.marklw) << i;
  }
  // Integer arguments still reach the documented calls.
  b.MoveTo(1, 2, 3);
  EXPECT_EQ(b.TypeOfLastItem(), rot3d::tkMoveto);
}

TEST(Rot3DQtFace, ColoursTextsAndFileNamesFromQtTypes) {
  TRot3D r;
  r.SetColorData(QColor(255, 128, 0));
  r.Moveto(0, 0, 0);
  EXPECT_EQ(r.GetChartItem(0).color, RGB(255, 128, 0));
  r.SetColorData(QColor());  // invalid: ignored
  EXPECT_EQ(r.ColorData(), RGB(255, 128, 0));
  r.SetDataCol(clNavy);
  EXPECT_EQ(r.ColorData(), clNavy);
  r.SetColCubeFaceLow(QColor(Qt::white));
  r.SetColorChart(QColor(Qt::black));
  EXPECT_EQ(r.ColorCubeFaceLow(), clWhite);
  EXPECT_EQ(r.ColorChart(), clBlack);
  r.SetAxNameX(QStringLiteral("Ost"));
  r.SetAxNameY("Nord");
  EXPECT_EQ(r.AxNameX(), "Ost");
  EXPECT_EQ(r.AxNameY(), "Nord");
  r.SetBoundBoxStyle(TRot3D::bbNone);
  EXPECT_EQ(r.BoundBoxStyle(), 0);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  r.MakeVisible();
  EXPECT_TRUE(r.CopyToBMP(dir.filePath(QStringLiteral("wolke-ä.png")), false));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("wolke-ä.png"))));
}
