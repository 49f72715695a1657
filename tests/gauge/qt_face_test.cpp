// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/gauge.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

using namespace zyr;

TEST(GaugeQtFace, EveryColourSetterTakesQColorAndIgnoresInvalid) {
  TScaleGauge g;
  const QColor q(10, 20, 30);
  const TColor t = RGB(10, 20, 30);
  g.SetCaptionColor(q);
  g.SetColorBg1(q);
  g.SetColorBg2(q);
  g.SetColorIndex1(q);
  g.SetColorIndex2(q);
  g.SetColorCover(q);
  g.SetColorScale(q);
  for (TColor c : {g.CaptionColor(), g.ColorBg1(), g.ColorBg2(), g.ColorIndex1(), g.ColorIndex2(),
                   g.ColorCover(), g.ColorScale()})
    EXPECT_EQ(c, t);
  g.SetColorCover(QColor());
  EXPECT_EQ(g.ColorCover(), t);
  g.SetColorCover(clLime);
  EXPECT_EQ(g.ColorCover(), clLime);
  g.SetCaption(QStringLiteral("Druck – bar"));
  EXPECT_EQ(g.Caption(), "Druck – bar");
}

TEST(GaugeQtFace, ExportTakesQStringFileNames) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TScaleGauge g;
  EXPECT_TRUE(g.ExportToFile(dir.filePath(QStringLiteral("jauge-ü.svg"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("jauge-ü.svg"))));
}

TEST(GaugeSignals, MouseMoveInGaugeFollowsTheHandlerAndQueues) {
  TScaleGauge g;
  std::vector<std::string> calls;
  g.OnMouseMoveInGauge = [&](TObject*, bool, TShiftState, double) { calls.push_back("handler"); };
  QObject::connect(&g, &TScaleGauge::mouseMoveInGauge,
                   [&](bool, TShiftState, double) { calls.push_back("slot 1"); });
  QObject::connect(&g, &TScaleGauge::mouseMoveInGauge,
                   [&](bool, TShiftState, double) { calls.push_back("slot 2"); });
  QObject receiver;
  double queued = -100;
  bool queuedIn = false;
  QObject::connect(
      &g, &TScaleGauge::mouseMoveInGauge, &receiver,
      [&](bool in, TShiftState, double v) {
        queuedIn = in;
        queued = v;
      },
      Qt::QueuedConnection);
  const double expected = g.ConvertPixelToScale(150);
  g.MouseMove(0, 150, 30);
  EXPECT_EQ(calls, (std::vector<std::string>{"handler", "slot 1", "slot 2"}));
  EXPECT_EQ(queued, -100);
  QCoreApplication::processEvents();
  EXPECT_TRUE(queuedIn);
  EXPECT_DOUBLE_EQ(queued, expected);
  EXPECT_GE(g.metaObject()->indexOfSignal("mouseMoveInGauge(bool,zyr::TShiftState,double)"), 0);
}

TEST(GaugeProperties, QtTypedPropertiesAndOutOfRangeEnumerations) {
  TScaleGauge g;
  EXPECT_TRUE(g.setProperty("ColorIndex2", QColor(0, 255, 0)));
  EXPECT_TRUE(g.setProperty("IndexMode", int(gimBar)));
  EXPECT_TRUE(g.setProperty("IndexMode", 42));  // not a mode: ignored
  EXPECT_TRUE(g.setProperty("Max", 50.0));
  EXPECT_TRUE(g.setProperty("Value", 20.0));
  EXPECT_EQ(g.ColorIndex2(), clLime);
  EXPECT_EQ(g.IndexMode(), gimBar);
  EXPECT_EQ(g.Value(), 20.0);
  EXPECT_EQ(g.property("Caption").toString(), QString());
}
