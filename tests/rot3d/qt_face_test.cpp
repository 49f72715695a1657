// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/qt.h>

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <string>
#include <vector>

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

TEST(Rot3DSignals, RenderSignalsFollowTheirHandlers) {
  TRot3D r;
  r.MarkAt(1.0, 2.0, 3.0, 20);
  std::vector<std::string> calls;
  r.OnBeforeRenderData = [&](TObject*, TCanvas&) { calls.push_back("before handler"); };
  r.OnDataRendered = [&](TObject*, TCanvas&) { calls.push_back("after handler"); };
  QObject::connect(&r, &TRot3D::beforeRenderData, [&] { calls.push_back("before 1"); });
  QObject::connect(&r, &TRot3D::beforeRenderData, [&] { calls.push_back("before 2"); });
  QObject::connect(&r, &TRot3D::dataRendered, [&] { calls.push_back("after"); });
  r.MakeVisible();
  r.WindowPicture();
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5),
            (std::vector<std::string>{"before handler", "before 1", "before 2", "after handler",
                                      "after"}));
  EXPECT_GE(r.metaObject()->indexOfSignal("beforeRenderData()"), 0);
  EXPECT_GE(r.metaObject()->indexOfSignal("dataRendered()"), 0);
}

TEST(Rot3DSignals, ASlotMayDeleteThePlot) {
  auto* r = new TRot3D;
  r->MarkAt(1.0, 2.0, 3.0, 20);
  QObject::connect(r, &TRot3D::beforeRenderData, r, [r] { delete r; });
  const QPointer<TRot3D> watch(r);
  r->MakeVisible();
  r->WindowPicture();  // paints; the slot deletes the plot on the way
  EXPECT_TRUE(watch.isNull());
}

TEST(Rot3DProperties, QtTypedProperties) {
  TRot3D r;
  EXPECT_TRUE(r.setProperty("AxNameZ", QStringLiteral("Tiefe")));
  EXPECT_TRUE(r.setProperty("ColorChart", QColor(Qt::black)));
  EXPECT_TRUE(r.setProperty("AxDir", int(adRightHanded)));
  EXPECT_TRUE(r.setProperty("AxDir", 5));  // ignored
  EXPECT_TRUE(r.setProperty("Magnification", 2.0));
  EXPECT_EQ(r.AxNameZ(), "Tiefe");
  EXPECT_EQ(r.ColorChart(), clBlack);
  EXPECT_EQ(r.AxDir(), adRightHanded);
  EXPECT_NEAR(r.Magnification(), 2.0, 1e-9);
  EXPECT_EQ(r.property("ColorData").value<QColor>(), QColor(Qt::black));
}
