// SPDX-License-Identifier: MIT
// The Qt-typed overloads of the chart family add exactly what the documented calls add, Qt's
// named colours mean what they say, and the named constants are the documented numbers.
#include <gtest/gtest.h>
#include <zyr/chart/boxplot.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/chart/smithchart.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/gauge.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <numbers>

using namespace zyr;

namespace {

void Frame(TCustomRChart& c) {
  c.SetBounds(0, 0, 300, 200);
  c.ForceRange(1, 0, 0, 10, 10, false, false);
}

void ExpectSameItems(TCustomRChart& a, TCustomRChart& b) {
  ASSERT_EQ(a.NumItems(), b.NumItems());
  for (int i = 0; i < a.NumItems(); ++i) {
    const TrcChartItem x = a.DataContainer(i), y = b.DataContainer(i);
    EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << "item " << i;
  }
  for (int i = 0; i < a.NumItems(); ++i) EXPECT_EQ(a.DataLongText(i), b.DataLongText(i));
}

}  // namespace

TEST(ChartQtOverloads, QtDrawingCallsAddTheItemsOfTheDocumentedCalls) {
  TRChart q, d;
  Frame(q);
  Frame(d);
  const QString longText = QString::fromUtf8("Grenzfrequenz f\u2080 \u00b1 5 %");
  q.SetDataColor(Qt::darkGreen);
  d.SetDataColor(FromQColor(QColor(Qt::darkGreen)));
  q.MoveTo(QPointF(1, 2));
  d.MoveTo(1.0, 2.0);
  q.DrawTo(QPointF(3, 4));
  d.DrawTo(3.0, 4.0);
  q.MarkAt(QPointF(5, 6), mrkCircleFilled3);
  d.MarkAt(5.0, 6.0, 20);
  q.MarkErrorBar(QPointF(2, 2), 0.5, 0.7, TCustomRChart::ebAlongX, mrkSquare3);
  d.MarkErrorBar(2, 2, 0.5, 0.7, 1, 11);
  q.Line(QPointF(0.5, 1), QPointF(9, 9.5));
  d.Line(0.5, 1.0, 9.0, 9.5);
  q.LineOffset(QPointF(1, 1), QPointF(2, 2), 3, -4);
  d.LineOffset(1, 1, 2, 2, 3, -4);
  q.Rectangle(QRectF(QPointF(1, 2), QPointF(3, 5)));
  d.Rectangle(1.0, 2.0, 3.0, 5.0);
  q.RectangleRelPix(QPointF(4, 4), 6, 8);
  d.RectangleRelPix(4, 4, 6, 8);
  q.RectFrame(QRectF(QPointF(6, 6), QPointF(8, 9)), TCustomRChart::frRaised, Qt::darkGray,
              Qt::white);
  d.RectFrame(6.0, 6.0, 8.0, 9.0, 3, clGray, clWhite);
  // Pixel corners with Qt colours keep the pixel overload.
  q.RectFrame(10, 20, 60, 70, TCustomRChart::frLowered, QColor(Qt::black), clSilver);
  d.RectFrame(10, 20, 60, 70, 2, clBlack, clSilver);
  q.Bar3D(QRectF(QPointF(1, 0), QPointF(2, 5)), 6, 45);
  d.Bar3D(1, 0, 2, 5, 6, 45);
  q.Ellipse(QPointF(5, 5), 2, 1);
  d.Ellipse(5, 5, 2, 1);
  q.Arc(QPointF(5, 5), 2, 1, 0, std::numbers::pi / 2);
  d.Arc(5, 5, 2, 1, 0, std::numbers::pi / 2);
  q.Arrow(QPointF(1, 1), QPointF(4, 3), 8);
  d.Arrow(1.0, 1.0, 4.0, 3.0, 8);
  q.DoubleArrow(QPointF(1, 9), QPointF(4, 7), 6);
  d.DoubleArrow(1.0, 9.0, 4.0, 7.0, 6);
  q.DrawToRelPix(QPointF(7, 7), 2, 3);
  d.DrawToRelPix(7, 7, 2, 3);
  // Texts: world and pixel positions, short and long texts, QString and literals.
  q.Text(QPointF(2, 8), 10, QStringLiteral("Peak"));
  d.Text(2.0, 8.0, 10, "Peak");
  q.Text(40, 50, 9, longText);
  d.Text(40, 50, 9, FromQString(longText));
  q.Text(3.0, 40, 9, QStringLiteral("mixed"));
  d.Text(3.0, 40, 9, std::string("mixed"));
  q.Text(1.0, 1.0, 8, QStringLiteral("ofs"), 5, 6, taLeftJustify);
  d.Text(1.0, 1.0, 8, "ofs", 5, 6, taLeftJustify);
  q.Text(QPointF(6, 1), 8, "literal");
  d.Text(6.0, 1.0, 8, "literal");
  ExpectSameItems(q, d);

  q.NewColorOfClassItems(Qt::magenta, 255);
  d.NewColorOfClassItems(FromQColor(QColor(Qt::magenta)), 255);
  q.SetDataLongText(q.NumItems() - 4, QStringLiteral("longer than fifteen chars"));
  d.SetDataLongText(d.NumItems() - 4, "longer than fifteen chars");
  ExpectSameItems(q, d);

  q.ShowGraf();
  d.ShowGraf();
  EXPECT_EQ(q.WindowPicture(), d.WindowPicture());
}

TEST(ChartQtOverloads, NamedQtColoursAreThoseColoursEverywhere) {
  // Qt::red is the enumerator 7: without its own overload it would be the TColor 7.
  TRChart c;
  c.SetDataColor(Qt::red);
  EXPECT_EQ(c.DataColor(), clRed);
  c.SetWindColor(Qt::blue);
  EXPECT_EQ(c.WindColor(), clBlue);
  c.SetTextBkColor(Qt::yellow);
  EXPECT_EQ(c.TextBkColor(), clYellow);
  c.SetMouseTraceColor(Qt::green);
  EXPECT_EQ(c.MouseTraceColor(), clLime);
  c.CrossHairSetup(2, Qt::cyan, chmBoth, psSolid, 1);
  EXPECT_EQ(c.CrossHair(2)->Color(), clAqua);
  EXPECT_EQ(c.CrossHair(2)->Mode(), 3);
  const int n = c.AddTextLabel(1, 1, Qt::red, QStringLiteral("Label \u00e9"), 0);
  ASSERT_GT(n, 0);
  EXPECT_EQ(c.TextLabels(n).Font().Color(), clRed);
  EXPECT_EQ(c.TextLabels(n).Caption(), "Label \u00e9");
  c.SetTextLabel(n, 2, 2, clBlue, QStringLiteral("moved"), 0);
  EXPECT_EQ(c.TextLabels(n).Caption(), "moved");
  // Plain numbers stay TColors; an invalid QColor gives clNone.
  c.SetGridColor(0xFF8000);
  EXPECT_EQ(c.GridColor(), TColor(0xFF8000));
  c.SetShadowColor(QColor());
  EXPECT_EQ(c.ShadowColor(), clNone);

  TSmithChart s;
  s.SetDiagramColor(Qt::white);
  EXPECT_EQ(s.DiagramColor(), clWhite);
  s.CrossHairSetup(Qt::red, chmCrossBox, psSolid, 1);
  EXPECT_EQ(s.CrossHair(1)->Color(), clRed);
  TBoxPlot b;
  b.SetColorMedian(Qt::blue);
  EXPECT_EQ(b.ColorMedian(), clBlue);
  TContourPlot k;
  k.SetChartColor(Qt::black);
  EXPECT_EQ(k.ChartColor(), clBlack);
  k.Legend().SetTextColor(Qt::red);
  EXPECT_EQ(k.Legend().TextColor(), clRed);
  k.Scale1X().SetColorScale(Qt::darkBlue);
  EXPECT_EQ(k.Scale1X().ColorScale(), clNavy);
  k.BackGroundImg().SetAreaColor(Qt::darkGray);  // Qt::gray is a bluish A0A0A4
  EXPECT_EQ(k.BackGroundImg().AreaColor(), clGray);
  TScaleGauge g;
  g.SetColorIndex1(Qt::red);
  EXPECT_EQ(g.ColorIndex1(), clRed);
  g.SetColorIndex1(QColor());  // ignored: the gauge has no use for clNone
  EXPECT_EQ(g.ColorIndex1(), clRed);
  TPlot3D p;
  p.SetColorMesh(Qt::blue);
  EXPECT_EQ(p.ColorMesh(), clBlue);
  TRot3D r;
  r.SetColorData(Qt::red);
  EXPECT_EQ(r.ColorData(), clRed);
}

TEST(ChartQtOverloads, FileNamesAndTextsFromQString) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = dir.filePath(QString::fromUtf8("M\u00fcnchen \u2116"));
  TRChart c;
  Frame(c);
  c.MarkAt(QPointF(1, 1), mrkPlus3);
  c.Text(QPointF(2, 2), 8, QString::fromUtf8("\u20ac \u2713"));
  EXPECT_EQ(c.DataContainer(1).Text.Str(), "\u20ac ?");  // the euro is Windows-1252, the tick not
  c.SaveData(base + ".dat");
  TRChart back;
  EXPECT_EQ(back.LoadData(base + ".dat", false), 2);
  EXPECT_EQ(back.DataContainer(0).Param3, 3);
  EXPECT_TRUE(c.SaveDataASC(base + ".txt"));
  EXPECT_TRUE(c.CopyToBMP(base + ".png", false));
  EXPECT_TRUE(c.CopyToWMF(base + ".svg", false));
  for (const char* ext : {".dat", ".txt", ".png", ".svg"}) {
    EXPECT_GT(QFileInfo(base + ext).size(), 0) << ext;
  }
  c.SetAnnoMode(true);
  c.Line(QPointF(0, 0), QPointF(1, 1));
  c.SaveAnno(base + ".ann");
  EXPECT_EQ(back.LoadAnno(base + ".ann", false), 1);
  EXPECT_EQ(c.AddLegendEntry(QStringLiteral("Messung")), 0);
  EXPECT_EQ(c.Legend().Count(), 1);

  TContourPlot k;
  k.SetBounds(0, 0, 200, 150);
  EXPECT_TRUE(k.CopyToBMP(base + "-contour.png", false));
  EXPECT_GT(k.AddTextLabel(1, 1, QColor(Qt::red), "Gipfel", 0), 0);
  TBoxPlot b;
  b.SaveDataASC(base + "-box.txt");
  EXPECT_TRUE(QFileInfo::exists(base + "-box.txt"));
}

TEST(ChartQtOverloads, NamedConstantsAreTheDocumentedNumbers) {
  EXPECT_EQ(mrkPixel, 0);
  EXPECT_EQ(mrkCircle3, 17);
  EXPECT_EQ(mrkDiamondFilled5, 25);
  EXPECT_EQ(mrkTriangleRightFilled, 37);
  EXPECT_EQ(mrkDiamondLarge, NumMarkTypes - 1);
  EXPECT_EQ(chmOff, 0);
  EXPECT_EQ(chmBoth, 3);
  EXPECT_EQ(chmBox, 5);
  EXPECT_EQ(tlmFree, 0);
  EXPECT_EQ(tlmShadowBox, 4);
  EXPECT_EQ(tlaPixels, 0);
  EXPECT_EQ(tlaXWorld, 1);
  EXPECT_EQ(tlaWorld, 3);
  EXPECT_EQ(TCustomRChart::frEngraved, 5);
  EXPECT_EQ(TCustomRChart::shsShadowBakColor, 2);
  EXPECT_EQ(TBakGndImg::bfTiled, 2);

  // The names work where the numbers did, with the same effect.
  TRChart c;
  Frame(c);
  c.TextLabels(1).SetMode(tlmBoxed);
  c.TextLabels(1).SetAttachToData(tlaPixels);
  EXPECT_EQ(c.TextLabels(1).Mode(), 2);
  EXPECT_EQ(c.TextLabels(1).AttachToData(), 0);
  c.SetShadowStyle(TCustomRChart::shsBlack);
  EXPECT_EQ(c.ShadowStyle(), 1);
  c.SetAnnoMode(true);  // annotations keep the coordinate mode of the overload
  c.MarkAt(2, 3, mrkStarFilled);
  EXPECT_EQ(c.AnnoContainer(0).Param3, 39);
  EXPECT_EQ(c.AnnoContainer(0).CoordMode, cmAllScreen);
}

TEST(ChartQtProperties, FormPropertiesReachTheDocumentedSettings) {
  TRChart c;
  EXPECT_TRUE(c.setProperty("WindColor", QColor(Qt::yellow)));
  EXPECT_EQ(c.WindColor(), clYellow);
  EXPECT_EQ(c.property("ShadowBakColor").value<QColor>(), ToQColor(clBtnFace));
  EXPECT_TRUE(c.setProperty("ShadowWidth", 4));
  EXPECT_EQ(c.ShadowWidth(), 4);
  EXPECT_TRUE(c.setProperty("GridStyle", int(gsDotLines)));
  EXPECT_EQ(c.GridStyle(), gsDotLines);
  c.setProperty("GridStyle", 99);  // out of range: ignored
  EXPECT_EQ(c.GridStyle(), gsDotLines);
  EXPECT_TRUE(c.setProperty("GridDx", 2.5));
  EXPECT_DOUBLE_EQ(c.GridDx(), 2.5);
  c.setProperty("CaptionAlignment", int(taCenter));
  EXPECT_EQ(c.CaptionAlignment(), taCenter);
  c.setProperty("CaptionAlignment", -1);
  EXPECT_EQ(c.CaptionAlignment(), taCenter);
  c.setProperty("StandardLayout", int(rcl_X1Bottom_Y2Both));
  EXPECT_EQ(c.StandardLayout(), rcl_X1Bottom_Y2Both);
  EXPECT_TRUE(c.setProperty("Isometric", true));
  EXPECT_TRUE(c.Isometric());
  EXPECT_TRUE(c.setProperty("MouseWheelZoom", true));
  EXPECT_TRUE(c.MouseWheelZoom());
  EXPECT_TRUE(c.setProperty("ScaleX1Caption", QString::fromUtf8("Zeit [\u00b5s]")));
  EXPECT_EQ(c.Scale1X().Caption(), "Zeit [\u00b5s]");
  EXPECT_TRUE(c.setProperty("ScaleY1LabelType", int(TScale::ltDateTime)));
  EXPECT_EQ(c.Scale1Y().LabelType(), TScale::ltDateTime);
  c.setProperty("ScaleY1LabelType", int(TScale::ltNumbers));
  c.SetRange(1, 0, 1, 10, 100);
  EXPECT_TRUE(c.setProperty("ScaleY1Logarithmic", true));
  EXPECT_TRUE(c.Scale1Y().Logarithmic());

  TSmithChart s;
  EXPECT_TRUE(s.setProperty("DiagramColor", QColor(Qt::cyan)));
  EXPECT_EQ(s.DiagramColor(), clAqua);
  TBoxPlot b;
  EXPECT_TRUE(b.setProperty("Orientation", int(bpltVertical)));
  EXPECT_EQ(b.Orientation(), bpltVertical);
  EXPECT_TRUE(b.setProperty("GridStyle", int(bpgsLines)));  // the box plot's own grid
  EXPECT_EQ(b.GridStyle(), bpgsLines);
  EXPECT_TRUE(b.setProperty("ColorBody", QColor(Qt::green)));
  EXPECT_EQ(b.ColorBody(), clLime);
  TContourPlot k;
  EXPECT_TRUE(k.setProperty("PlotMode", int(cpmColorSurface)));
  EXPECT_EQ(k.PlotMode(), cpmColorSurface);
  EXPECT_TRUE(k.setProperty("IsoDist", 0.25));
  EXPECT_DOUBLE_EQ(k.IsoDist(), 0.25);
}
