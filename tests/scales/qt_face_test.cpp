#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <QDateTime>
#include <cmath>

using namespace zyr;

TEST(ScaleQtFace, ColourOverloadsTakeQtColoursAndIgnoreInvalidOnes) {
  TScale s;
  s.SetColorScale(QColor(255, 128, 0));  // orange in Qt's red-green-blue order
  EXPECT_EQ(s.ColorScale(), RGB(255, 128, 0));
  s.SetColorBackGnd(QColor(Qt::darkBlue));
  EXPECT_EQ(s.ColorBackGnd(), RGB(0, 0, 128));
  s.SetColorScale(QColor());
  s.SetColorBackGnd(QColor());
  EXPECT_EQ(s.ColorScale(), RGB(255, 128, 0));
  EXPECT_EQ(s.ColorBackGnd(), RGB(0, 0, 128));
}

TEST(ScaleQtFace, NumbersAndLiteralsPickTheDocumentedOverloads) {
  TScale s;
  // A plain number is a TColor in its documented byte order, not a QRgb.
  s.SetColorScale(0xFF8000);
  EXPECT_EQ(s.ColorScale(), TColor(0xFF8000));
  s.SetColorBackGnd(clRed);
  EXPECT_EQ(s.ColorBackGnd(), clRed);
  s.SetCaption("U [V]");
  EXPECT_EQ(s.Caption(), "U [V]");
  s.SetCaption(std::string("I [A]"));
  EXPECT_EQ(s.Caption(), "I [A]");
  s.SetUserTickText("a|b");
  EXPECT_EQ(s.UserTickText(), "a|b");
  s.SetScaleInscript("&-ms");
  EXPECT_EQ(s.ScaleInscript(), "&-ms");
}

TEST(ScaleQtFace, TextOverloadsKeepCharactersBeyondAscii) {
  TScale s;
  s.SetCaption(QStringLiteral("Temperatur [°C] – Ω"));
  EXPECT_EQ(s.Caption(), "Temperatur [°C] – Ω");
  s.SetUserTickText(QStringLiteral("µ|ß"));
  EXPECT_EQ(s.UserTickText(), "µ|ß");
  s.SetScaleInscript(QString());
  EXPECT_EQ(s.ScaleInscript(), "");
}

TEST(ScaleQtFace, DateRangeFromQDateTimeAndInvalidDatesRefused) {
  TScale s;
  s.SetLabelType(TScale::ltDateTime);
  const QDateTime a(QDate(1899, 12, 30), QTime(0, 0));
  const QDateTime b(QDate(1900, 1, 1), QTime(12, 0));
  s.SetRange(a, b);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 2.5);
  s.SetRange(QDateTime(), b);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 2.5);
}

TEST(ScaleQtFace, NamedConstantsAreTheDocumentedOrdinals) {
  TScale s;
  s.SetMouseAction(TScale::maPan);
  s.DblClick();  // a double click toggles pan and stretch
  EXPECT_EQ(s.MouseAction(), TScale::maStretch);
  EXPECT_EQ(TScale::maStretch, 6);
  EXPECT_EQ(TScale::maZoomCenter, 9);
  EXPECT_EQ(TScale::stHorzLabelsAbove, 0);
  EXPECT_EQ(TScale::stVertLabelsLeft, 3);
  EXPECT_EQ(TScale::ltNone, 0);
  EXPECT_EQ(TScale::ltUserText, 4);
  EXPECT_EQ(TScale::frLowered, 2);
  EXPECT_EQ(TScale::frDouble, 6);
  // Date labels switch logarithmic off, whichever way the type is given.
  s.SetRange(1, 100);
  s.SetLogarithmic(true);
  s.SetLabelType(TScale::ltDateTime);
  EXPECT_FALSE(s.Logarithmic());
  s.SetLabelType(2);
  EXPECT_EQ(s.LabelType(), TScale::ltTimeSpan);
}
