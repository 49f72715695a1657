#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/gauge.h>

#include <QFile>
#include <QTemporaryDir>

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
