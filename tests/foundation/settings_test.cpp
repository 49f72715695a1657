// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/bytematrix.h>
#include <zyr/platform/foundation/crosshair.h>
#include <zyr/platform/foundation/dtlabel.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/foundation/textlabel.h>

#include <cmath>

using namespace zyr;

TEST(TextLabel, EveryChangeNotifiesOnceAndSameValuesDoNot) {
  TCustomTextLabel lbl;
  int n = 0;
  TObject* sender = nullptr;
  lbl.OnChange = [&](TObject* s) {
    ++n;
    sender = s;
  };
  lbl.SetTxtLblCaption("a\nb");
  lbl.SetTxtLblCaption("a\nb");
  EXPECT_EQ(n, 1);
  EXPECT_EQ(sender, &lbl);
  lbl.SetTxtLblPos(1.5, 2.5);
  EXPECT_EQ(n, 2);
  lbl.Font().SetSize(12);  // the label's own font counts as a change
  EXPECT_EQ(n, 3);
  lbl.SetMode(4);
  lbl.SetVisible(true);
  lbl.SetTxtLblShadowDx(-2);
  EXPECT_EQ(n, 6);
  EXPECT_EQ(lbl.ShadowDx(), -2);
}

TEST(TextLabel, BadValuesAreClampedOrIgnored) {
  TCustomTextLabel lbl;
  lbl.SetTxtLblPos(3, 4);
  lbl.SetTxtLblPosX(std::nan(""));
  lbl.SetTxtLblPosY(-INFINITY);
  EXPECT_EQ(lbl.PosX(), 3);
  EXPECT_EQ(lbl.PosY(), 4);
  lbl.SetTxtLblMode(200);
  lbl.SetTxtLblAttachToData(9);
  lbl.SetTxtLblVertAlignment(3);
  lbl.SetTxtLblLayer(0);
  lbl.SetTxtLblAlignment(TAlignment(7));
  EXPECT_EQ(lbl.Mode(), 4);
  EXPECT_EQ(lbl.AttachToData(), 3);
  EXPECT_EQ(lbl.VerticalAlignment(), 2);
  EXPECT_EQ(lbl.Layer(), 1);
  EXPECT_EQ(lbl.Alignment(), taCenter);
}

TEST(TextLabel, AssignCopiesEverythingWithOneNotification) {
  TCustomTextLabel a, b;
  a.SetTxtLblCaption("x");
  a.SetTxtLblPos(10, 20);
  a.SetTxtLblLayer(2);
  a.SetTxtLblAttachToData(1);
  a.SetTxtLblAlignment(taRightJustify);
  a.SetTxtLblVertAlignment(0);
  a.SetTxtLblMode(3);
  a.SetTxtLblVisible(true);
  a.SetTxtLblTransparent(true);
  a.SetTxtLblColorBkg(clAqua);
  a.SetTxtLblColorBorder(clRed);
  a.SetTxtLblColorShadow(clBlue);
  a.SetTxtLblShadowDy(7);
  a.Font().SetName("DejaVu Serif");
  a.Font().SetColor(clGreen);
  int n = 0;
  b.OnChange = [&](TObject*) { ++n; };
  b.Assign(&a);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(b.Caption(), "x");
  EXPECT_EQ(b.PosX(), 10);
  EXPECT_EQ(b.PosY(), 20);
  EXPECT_EQ(b.Layer(), 2);
  EXPECT_EQ(b.AttachToData(), 1);
  EXPECT_EQ(b.Alignment(), taRightJustify);
  EXPECT_EQ(b.VerticalAlignment(), 0);
  EXPECT_EQ(b.Mode(), 3);
  EXPECT_TRUE(b.Visible());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.ColorBkg(), clAqua);
  EXPECT_EQ(b.ColorBorder(), clRed);
  EXPECT_EQ(b.ColorShadow(), clBlue);
  EXPECT_EQ(b.ShadowDy(), 7);
  EXPECT_EQ(b.Font().Name(), "DejaVu Serif");
  EXPECT_EQ(b.Font().Color(), clGreen);
  // The copy owns its font: changing the source afterwards leaves it alone.
  a.Font().SetColor(clRed);
  EXPECT_EQ(b.Font().Color(), clGreen);
  EXPECT_FALSE(b.OnChange == nullptr);
  b.Assign(&b);
  EXPECT_EQ(n, 1);
}

TEST(CrossHair, SettersClampNotifyAndAssign) {
  TCrossHair ch;
  int n = 0;
  ch.OnChange = [&](TObject*) { ++n; };
  ch.SetPos(1, 2);
  EXPECT_EQ(n, 1);
  ch.SetPos(1, 2);
  ch.SetCrossHPosX(std::nan(""));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(ch.PosX(), 1);
  ch.SetCrossHMode(9);
  EXPECT_EQ(ch.Mode(), 5);
  ch.SetCrossHLineWidth(0);
  EXPECT_EQ(ch.LineWidth(), 1);
  ch.SetCrossHLayer(3);
  EXPECT_EQ(ch.Layer(), 2);
  ch.SetCrossHColor(clBlue);
  ch.SetCrossHLineType(psDashDotDot);
  EXPECT_EQ(n, 5);

  TCrossHair copy;
  int m = 0;
  copy.OnChange = [&](TObject*) { ++m; };
  copy.Assign(&ch);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(copy.PosY(), 2);
  EXPECT_EQ(copy.Mode(), 5);
  EXPECT_EQ(copy.Layer(), 2);
  EXPECT_EQ(copy.Color(), clBlue);
  EXPECT_EQ(copy.LineType(), psDashDotDot);
}

TEST(DTLabel, DefaultsClampingAssign) {
  TDTLabel d;
  EXPECT_EQ(d.TimeFormat(), 0);
  EXPECT_EQ(d.DateSeparator(), '-');
  EXPECT_EQ(d.TimeSeparator(), ':');
  EXPECT_EQ(d.YearLength(), 2);
  EXPECT_TRUE(d.MonthName());
  EXPECT_EQ(d.DateForTime(), 2);
  EXPECT_EQ(d.DateOrder(), 1);
  int n = 0;
  d.OnChange = [&](TObject*) { ++n; };
  d.SetTimeFormat(9);
  d.SetDateOrder(3);
  d.SetDateForTime(3);
  d.SetDateForTime(3);
  EXPECT_EQ(d.TimeFormat(), 2);
  EXPECT_EQ(d.DateOrder(), 2);
  EXPECT_EQ(n, 3);

  TDTLabel e;
  int m = 0;
  e.OnChange = [&](TObject*) { ++m; };
  d.SetDateSeparator('/');
  d.SetMonthName(false);
  e.Assign(&d);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(e.DateSeparator(), '/');
  EXPECT_FALSE(e.MonthName());
  EXPECT_EQ(e.DateForTime(), 3);
  e.Assign(&d);  // nothing differs
  EXPECT_EQ(m, 1);
}

TEST(ByteMatrix, OutOfRangeReadsAnswerTheConfiguredValue) {
  TByteMatrix m(3, 2);
  EXPECT_EQ(m.Elem(3, 2), 0);
  m.Fill(7);
  m.SetElem(3, 2, 9);
  EXPECT_EQ(m.Elem(3, 2), 9);
  EXPECT_EQ(m.Elem(1, 1), 7);
  m.SetOutOfRangeValue(255);
  EXPECT_EQ(m.Elem(0, 1), 255);
  EXPECT_EQ(m.Elem(4, 1), 255);
  EXPECT_EQ(m.Elem(1, 3), 255);
  EXPECT_EQ(m.Elem(-2147483647 - 1, 2147483647), 255);
  m.SetElem(4, 1, 1);  // ignored
  EXPECT_EQ(m.Elem(1, 1), 7);

  EXPECT_FALSE(m.Resize(1 << 20, 1 << 20));  // refused, unchanged
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_TRUE(m.Resize(-1, 5));
  EXPECT_EQ(m.NrOfColumns(), 0);
  EXPECT_EQ(m.Elem(1, 1), 255);

  TByteMatrix c;
  m.Resize(2, 2);
  m.SetElem(2, 1, 42);
  c.Assign(&m);
  EXPECT_EQ(c.Elem(2, 1), 42);
  EXPECT_EQ(c.Elem(9, 9), 255);
}

TEST(Errors, HierarchyCarriesTheMessage) {
  try {
    throw EZYRRChartError("Logarithmic axis must not be negative.");
  } catch (const EZYRError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
}
