// SPDX-License-Identifier: MIT
// Qt colours and texts on the objects a chart hands out (cross-hairs, text labels, fonts, pens,
// canvases, colour tables, data tables), on the setters' second names, and the named values
// of the last numbered settings.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/chart/smithchart.h>
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/crosshair.h>
#include <zyr/platform/foundation/dtlabel.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/numerics/datatable.h>
#include <zyr/scales/scale.h>

#include <QFileInfo>
#include <QTemporaryDir>

using namespace zyr;

namespace {

TColor PixelAt(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

}  // namespace

TEST(QtSettings, CrossHairTakesQtColoursUnderBothNames) {
  TCrossHair ch;
  int changes = 0;
  ch.OnChange = [&](TObject*) { ++changes; };
  // Qt::blue is the enumerator 9: through the numeric setter it would be a dark red.
  ch.SetColor(Qt::blue);
  EXPECT_EQ(ch.Color(), clBlue);
  EXPECT_EQ(changes, 1);
  ch.SetCrossHColor(QColor(255, 128, 0));
  EXPECT_EQ(ch.Color(), RGB(255, 128, 0));
  ch.SetCrossHColor(Qt::blue);
  ch.SetColor(QColor(Qt::blue));  // the same colour: no second notification
  EXPECT_EQ(changes, 3);
  ch.SetColor(QColor());
  EXPECT_EQ(ch.Color(), clNone);
  ch.SetColor(0x0000FF);  // numbers stay TColors
  EXPECT_EQ(ch.Color(), clRed);
}

TEST(QtSettings, TextLabelTakesQtColoursAndTextsUnderBothNames) {
  TTextLabel l;
  int changes = 0;
  l.OnChange = [&](TObject*) { ++changes; };
  // A label keeps its caption as UTF-8: nothing is lost to Windows-1252 here.
  l.SetCaption(QString::fromUtf8("\u03a9 \u2248 5 \u00b5s \u2713"));
  EXPECT_EQ(l.Caption(), "\u03a9 \u2248 5 \u00b5s \u2713");
  l.SetTxtLblCaption(QStringLiteral("zwei\nZeilen"));
  EXPECT_EQ(l.Caption(), "zwei\nZeilen");
  l.SetCaption("literal");
  EXPECT_EQ(l.Caption(), "literal");
  l.SetColorBkg(Qt::yellow);
  EXPECT_EQ(l.ColorBkg(), clYellow);
  l.SetTxtLblColorBkg(QColor(0, 0, 255));
  EXPECT_EQ(l.ColorBkg(), clBlue);
  l.SetColorBorder(Qt::darkRed);
  EXPECT_EQ(l.ColorBorder(), clMaroon);
  l.SetTxtLblColorBorder(Qt::green);
  EXPECT_EQ(l.ColorBorder(), clLime);
  l.SetTxtLblColorShadow(Qt::gray);  // Qt's gray is A0A0A4
  EXPECT_EQ(l.ColorShadow(), RGB(0xA0, 0xA0, 0xA4));
  l.SetColorShadow(QColor());
  EXPECT_EQ(l.ColorShadow(), clNone);
  EXPECT_EQ(changes, 9);
  l.Font().SetColor(Qt::red);
  EXPECT_EQ(l.Font().Color(), clRed);
  EXPECT_EQ(changes, 10);  // the font's change reaches the label
}

TEST(QtSettings, ChartRepaintsALabelWhoseColourCameAsQColor) {
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  const int n = c.AddTextLabel(0, 0, Qt::black, QStringLiteral("Peak"), 0);
  ASSERT_GT(n, 0);
  TTextLabel& l = c.TextLabels(n);
  l.SetAttachToData(tlaPixels);
  l.SetTxtLblPos(200, 150);
  l.SetVerticalAlignment(vaBottom);  // the text stands on the anchor; the box reaches 2 below
  l.SetColorBkg(Qt::yellow);
  EXPECT_EQ(PixelAt(c.WindowPicture(), 200, 151), clYellow);
  l.SetColorBkg(QColor(0, 128, 255));
  EXPECT_EQ(PixelAt(c.WindowPicture(), 200, 151), RGB(0, 128, 255));
  l.SetVerticalAlignment(vaTop);  // now the text hangs below the anchor
  EXPECT_EQ(l.VerticalAlignment(), 0);
  EXPECT_EQ(PixelAt(c.WindowPicture(), 200, 149), RGB(0, 128, 255));
}

TEST(QtSettings, DrawingToolsCanvasAndTablesTakeQtTypes) {
  TFont f;
  f.SetColor(Qt::darkBlue);
  EXPECT_EQ(f.Color(), clNavy);
  f.SetName(QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(f.Name(), "DejaVu Serif");
  TPen pen;
  pen.SetColor(Qt::red);
  EXPECT_EQ(pen.Color(), clRed);
  TBrush brush;
  brush.SetColor(QColor());
  EXPECT_EQ(brush.Color(), clNone);

  // A QString text draws the same pixels as its UTF-8 spelling.
  TBitmap a(120, 30), b(120, 30);
  a.Canvas().TextOut(2, 2, QString::fromUtf8("Gr\u00f6\u00dfe \u2248 5"));
  b.Canvas().TextOut(2, 2, std::string("Gr\u00f6\u00dfe \u2248 5"));
  EXPECT_EQ(a.Image(), b.Image());
  EXPECT_EQ(a.Canvas().TextWidth(QStringLiteral("abc")), a.Canvas().TextWidth("abc"));
  EXPECT_EQ(a.Canvas().TextExtent(QStringLiteral("abc")), a.Canvas().TextExtent("abc"));
  EXPECT_EQ(a.Canvas().TextHeight(QStringLiteral("abc")), a.Canvas().TextHeight("abc"));
  a.Canvas().SetPixels(3, 4, Qt::green);
  EXPECT_EQ(a.Canvas().Pixels(3, 4), clLime);

  TColorArray colours;
  colours.SetNumColors(4);
  colours.SetColor(2, Qt::magenta);
  EXPECT_EQ(colours.Color(2), clFuchsia);
  colours.SetColor(2, QColor());  // a colour table has no use for clNone
  EXPECT_EQ(colours.Color(2), clFuchsia);

  TDataTable t(2, 3);
  t.SetColName(1, QString::fromUtf8("M\u00fcller"));
  t.SetElemText(2, 1, QStringLiteral("n/a"));
  EXPECT_EQ(t.ColName(1), "M\u00fcller");
  EXPECT_EQ(t.ElemText(2, 1), "n/a");

  TScale s;
  s.SetColor(Qt::cyan);
  EXPECT_EQ(s.Color(), clAqua);
  s.SetName(QStringLiteral("Achse"));
  EXPECT_EQ(s.Name(), "Achse");
}

TEST(QtSettings, FileNamesOfBitmapsTablesAndPrinterFromQString) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = dir.filePath(QString::fromUtf8("Z\u00fcrich \u2116 1"));
  TBitmap bmp(20, 10);
  bmp.Canvas().SetPixels(5, 5, Qt::red);
  ASSERT_TRUE(bmp.SaveToFile(base + ".png"));
  TBitmap back;
  ASSERT_TRUE(back.LoadFromFile(base + ".png"));
  EXPECT_EQ(back.Canvas().Pixels(5, 5), clRed);
  EXPECT_FALSE(back.LoadFromFile(base + "-missing.png"));

  TDataTable t(1, 2);
  t.SetElem(1, 1, 2.5);
  t.ExportAsASC(base + ".txt", 2);
  EXPECT_GT(QFileInfo(base + ".txt").size(), 0);

  TPrinter& p = Printer();
  const std::string before = p.OutputFileName();
  p.SetOutputFileName(base + ".pdf");
  EXPECT_EQ(p.OutputFileName(), FromQString(base + ".pdf"));
  p.SetOutputFileName(before);
}

TEST(QtSettings, SecondNamesOfChartSettersTakeTheSameQtForms) {
  TRChart c;
  c.SetChartCol(Qt::blue);
  EXPECT_EQ(c.ChartColor(), clBlue);
  c.SetWindCol(Qt::yellow);
  EXPECT_EQ(c.WindColor(), clYellow);
  c.SetScaleCol(Qt::darkGreen);
  EXPECT_EQ(c.ChartFrameColor(), clGreen);
  c.SetGridCol(Qt::red);
  EXPECT_EQ(c.GridColor(), clRed);
  c.SetDataCol(Qt::magenta);
  EXPECT_EQ(c.DataColor(), clFuchsia);
  c.SetFillCol(QColor());
  EXPECT_EQ(c.FillColor(), clNone);
  c.SetChartCaption(QString::fromUtf8("Messung \u00b5"));
  EXPECT_EQ(c.Caption(), "Messung \u00b5");
  c.SetChartCaption("literal");
  EXPECT_EQ(c.Caption(), "literal");
  c.SetGridCol(0xFF8000);  // numbers stay TColors
  EXPECT_EQ(c.GridColor(), TColor(0xFF8000));

  TSmithChart s;
  s.SetGridColLight(Qt::lightGray);
  EXPECT_EQ(s.GridColorLight(), RGB(0xC0, 0xC0, 0xC0));
  s.SetGridColDark(Qt::black);
  EXPECT_EQ(s.GridColorDark(), clBlack);
}

TEST(QtSettings, ContourPlotSecondNamesRebuildItsPicture) {
  // The contour plot keeps a picture that only its own setters rebuild; the Qt forms of the
  // second names must reach them.
  auto frame = [](TContourPlot& k) {
    k.SetBounds(0, 0, 240, 180);
    (void)k.WindowPicture();
  };
  TContourPlot q, d;
  frame(q);
  frame(d);
  q.SetChartCol(Qt::darkCyan);
  d.SetChartCol(RGB(0, 0x80, 0x80));
  EXPECT_EQ(q.ChartColor(), d.ChartColor());
  q.SetChartFrameCol(Qt::red);
  d.SetChartFrameCol(clRed);
  EXPECT_EQ(q.WindowPicture(), d.WindowPicture());
  q.SetScaleCol(Qt::blue);
  d.SetScaleCol(clBlue);
  EXPECT_EQ(q.WindowPicture(), d.WindowPicture());
  TContourPlot fresh;
  frame(fresh);
  EXPECT_NE(fresh.WindowPicture(), q.WindowPicture());
}

TEST(QtSettings, LabelTypePropertiesIgnoreValuesOutsideTheTypes) {
  TRChart c;
  EXPECT_TRUE(c.setProperty("ScaleX1LabelType", int(TScale::ltUserText)));
  EXPECT_EQ(c.Scale1X().LabelType(), TScale::ltUserText);
  // 260 would have wrapped to 4 and 5 is no type at all.
  for (int bad : {5, 260, -1, -252}) {
    c.setProperty("ScaleX1LabelType", bad);
    c.setProperty("ScaleY1LabelType", bad);
  }
  EXPECT_EQ(c.Scale1X().LabelType(), TScale::ltUserText);
  EXPECT_EQ(c.Scale1Y().LabelType(), TScale::ltNumbers);
  c.SetScaleY1LabelType(TScale::ltNone);
  EXPECT_EQ(c.property("ScaleY1LabelType").toInt(), 0);

  TScale s;
  EXPECT_TRUE(s.setProperty("LabelType", int(TScale::ltDateTime)));
  EXPECT_TRUE(s.setProperty("ScaleType", int(TScale::stVertLabelsRight)));
  s.setProperty("LabelType", 260);  // would wrap to ltUserText
  s.setProperty("ScaleType", 257);  // would wrap to stHorzLabelsBelow
  s.setProperty("ScaleType", 4);
  EXPECT_EQ(s.LabelType(), TScale::ltDateTime);
  EXPECT_EQ(s.ScaleType(), TScale::stVertLabelsRight);
}

TEST(QtSettings, NamedValuesAreTheDocumentedNumbers) {
  EXPECT_EQ(vaTop, 0);
  EXPECT_EQ(vaCenter, 1);
  EXPECT_EQ(vaBottom, 2);
  EXPECT_EQ(tf24Hours, 0);
  EXPECT_EQ(tfHoursH, 1);
  EXPECT_EQ(tf12HoursAmPm, 2);
  EXPECT_EQ(ylNone, 0);
  EXPECT_EQ(ylTwoDigits, 1);
  EXPECT_EQ(ylFourDigits, 2);
  EXPECT_EQ(dftNever, 0);
  EXPECT_EQ(dftFirstMainTick, 1);
  EXPECT_EQ(dftDayChange, 2);
  EXPECT_EQ(dftAlways, 3);
  EXPECT_EQ(doMonthDayYear, 0);
  EXPECT_EQ(doDayMonthYear, 1);
  EXPECT_EQ(doYearMonthDay, 2);

  // The defaults read as their names, and the names set what the numbers set.
  TDTLabel f;
  EXPECT_EQ(f.TimeFormat(), tf24Hours);
  EXPECT_EQ(f.YearLength(), ylFourDigits);
  EXPECT_EQ(f.DateForTime(), dftDayChange);
  EXPECT_EQ(f.DateOrder(), doDayMonthYear);
  f.SetDateOrder(doYearMonthDay);
  f.SetTimeFormat(tf12HoursAmPm);
  EXPECT_EQ(f.DateOrder(), 2);
  EXPECT_EQ(f.TimeFormat(), 2);
  TTextLabel l;
  EXPECT_EQ(l.VerticalAlignment(), vaBottom);
}

TEST(QtSettings, InvalidDatesLeaveTheRangeAsItWas) {
  TRChart c;
  c.SetBounds(0, 0, 400, 300);
  const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
  c.SetRange(1, FromDateTime(start), 0.0, FromDateTime(start.addDays(7)), 10.0);
  const double lo = c.RangeLoX1(), hi = c.RangeHiX1();
  for (const QDateTime& bad : {QDateTime(), QDateTime(QDate(2024, 2, 30), QTime(1, 0))}) {
    c.SetRange(1, FromDateTime(bad), 0.0, FromDateTime(start.addDays(3)), 10.0);
    c.SetRange(1, FromDateTime(start), 0.0, FromDateTime(bad), 10.0);
  }
  EXPECT_EQ(c.RangeLoX1(), lo);
  EXPECT_EQ(c.RangeHiX1(), hi);
}
