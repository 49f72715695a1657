// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>

#include "chart_fixture.h"

using namespace zyr;

namespace {

constexpr TColor kLegendBack = 0x00FFFF;  // yellow: nothing else in these charts has it

using zyr::test::At;

int CountColor(const QImage& img, const TRect& r, TColor c) {
  int n = 0;
  for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
      if (At(img, x, y) == c) ++n;
  return n;
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("zyr-legend-" + name)).string();
}

// 400 x 300, margins 50, 10, 16, 32: the data-area frame runs along x = 50 and 390, y = 16
// and 268.
class Legend : public ::testing::Test {
 protected:
  void SetUp() override {
    c.SetBounds(0, 0, 400, 300);
    c.SetLRim(50);
    c.SetRRim(10);
    c.SetTRim(16);
    c.SetBRim(32);
    c.SetRange(1, 0, 0, 10, 10);
    c.Legend().SetColor(kLegendBack);
  }
  const QImage& Pic() { return c.WindowPicture(); }
  void ThreeEntries() {
    c.SetDataColor(clRed);
    c.AddLegendEntry("Alpha");
    c.SetDataColor(clBlue);
    c.AddLegendEntry("Beta curve");
    c.SetDataColor(clGreen);
    c.AddLegendEntry("");
  }
  void Click(int x, int y) {
    c.MouseDown(mbLeft, ssLeft, x, y);
    c.MouseUp(mbLeft, 0, x, y);
  }
  // The data-area frame is black all round.
  void ExpectFrameWhole() {
    const QImage& img = Pic();
    for (int x = 50; x <= 390; ++x) {
      ASSERT_EQ(At(img, x, 16), clBlack) << x;
      ASSERT_EQ(At(img, x, 268), clBlack) << x;
    }
    for (int y = 16; y <= 268; ++y) {
      ASSERT_EQ(At(img, 50, y), clBlack) << y;
      ASSERT_EQ(At(img, 390, y), clBlack) << y;
    }
  }
  TRChart c;
};

TEST_F(Legend, NoneByDefaultAndHiddenEntriesChangeNothing) {
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  EXPECT_FALSE(c.Legend().Visible());
  EXPECT_EQ(c.Legend().Count(), 0);
  const QImage before = Pic().copy();
  ThreeEntries();
  c.Legend().SetAnchor(laOutsideRight);
  EXPECT_EQ(c.MarginRight(), 10);
  EXPECT_EQ(Pic(), before);
  EXPECT_EQ(c.LegendRect(), TRect{});
  EXPECT_EQ(c.LegendEntryAt(300, 40), -1);
  // Shown but empty: still nothing.
  c.Legend().Clear();
  c.Legend().SetVisible(true);
  EXPECT_EQ(Pic(), before);
}

TEST_F(Legend, EveryInsideAnchorKeepsTheBoxesInsideTheFrame) {
  ThreeEntries();
  c.Legend().SetVisible(true);
  const TChartLegend::TLayout L = c.Legend().Layout();
  ASSERT_EQ(L.Entries.size(), 3u);
  for (int a = laTopLeft; a <= laBottomRight; ++a) {
    SCOPED_TRACE(a);
    c.Legend().SetAnchor(TLegendAnchor(a));
    const TRect r = c.LegendRect();
    EXPECT_GT(r.Left, 51);
    EXPECT_GT(r.Top, 17);
    EXPECT_LT(r.Right, 390);
    EXPECT_LT(r.Bottom, 268);
    for (int i = 0; i < 3; ++i) {
      const TRect& e = L.Entries[size_t(i)];
      const int x = r.Left + (e.Left + e.Right) / 2, y = r.Top + (e.Top + e.Bottom) / 2;
      EXPECT_EQ(c.LegendEntryAt(x, y), i);
    }
    EXPECT_GT(CountColor(Pic(), r, kLegendBack), r.Width() * r.Height() / 3);
    ExpectFrameWhole();
  }
  // The corners sit where their names say.
  c.Legend().SetAnchor(laTopLeft);
  const TRect tl = c.LegendRect();
  c.Legend().SetAnchor(laBottomRight);
  const TRect br = c.LegendRect();
  EXPECT_LT(tl.Right, 220);
  EXPECT_LT(tl.Bottom, 142);
  EXPECT_GT(br.Left, 220);
  EXPECT_GT(br.Top, 142);
}

TEST_F(Legend, DrawnOverTheItemsInEveryPathAndEveryExport) {
  c.SetFillColor(clRed);
  c.Rectangle(0.0, 0.0, 10.0, 10.0);  // covers the whole data area
  ThreeEntries();
  c.Legend().SetVisible(true);
  const TRect r = c.LegendRect();
  const TPoint in{r.Left + 2, r.Bottom - 3};
  EXPECT_EQ(At(Pic(), in.X, in.Y), kLegendBack);
  c.ShowGraf();
  EXPECT_EQ(At(Pic(), in.X, in.Y), kLegendBack);
  c.Rectangle(0.0, 0.0, 10.0, 10.0);
  c.ShowGrafNewOnly();
  EXPECT_EQ(At(Pic(), in.X, in.Y), kLegendBack);
  // Cross-hairs go over the cached picture, the legend stays under them.
  c.CrossHairSetup(1, clBlue, 3, psSolid, 1);
  c.CrossHairSetPos(1, 5.0, 5.0);
  EXPECT_EQ(At(Pic(), in.X, in.Y), kLegendBack);
  // The data-area picture itself never holds the legend.
  EXPECT_EQ(c.GrafBmp().Canvas().Pixels(in.X - 50, in.Y - 16), clRed);

  TBitmap bmp;
  ASSERT_TRUE(c.CopyToBitmap(bmp, false));
  EXPECT_EQ(At(bmp.Image(), in.X, in.Y), kLegendBack);
  ASSERT_TRUE(c.CopyToBitmapDAOnly(bmp, false));
  EXPECT_EQ(At(bmp.Image(), in.X - 50, in.Y - 16), kLegendBack);
  const std::string png = TempPath("export.png"), svg = TempPath("export.svg");
  ASSERT_TRUE(c.CopyToBMP(png, false));
  QImage read(QString::fromStdString(png));
  EXPECT_EQ(At(read, in.X, in.Y), kLegendBack);
  ASSERT_TRUE(c.CopyToWMF(svg, false));
  std::ifstream f(svg);
  const std::string text((std::istreambuf_iterator<char>(f)), {});
  EXPECT_NE(text.find("Beta curve"), std::string::npos);
  std::filesystem::remove(png);
  std::filesystem::remove(svg);
}

TEST_F(Legend, OutsideGrowsTheMarginWhileShownThere) {
  ThreeEntries();
  c.Legend().SetAnchor(laOutsideRight);
  c.Legend().SetVisible(true);
  const int w = c.Legend().Layout().Width;
  EXPECT_GE(c.MarginRight(), 10 + w);
  TRect r = c.LegendRect();
  EXPECT_GT(r.Left, 400 - c.MarginRight());
  EXPECT_LE(r.Right, 400);
  EXPECT_GT(CountColor(Pic(), r, kLegendBack), r.Width() * r.Height() / 3);
  // A margin set by the program is the new base.
  c.SetRRim(30);
  Pic();
  EXPECT_GE(c.MarginRight(), 30 + w);
  c.Legend().SetAnchor(laOutsideBottom);
  EXPECT_EQ(c.MarginRight(), 30);
  const int h = c.Legend().Layout().Height;
  EXPECT_GE(c.MarginBottom(), 32 + h);
  r = c.LegendRect();
  EXPECT_GT(r.Top, 300 - c.MarginBottom() + 20);  // below the axis labels
  EXPECT_LE(r.Bottom, 300);
  c.Legend().SetVisible(false);
  EXPECT_EQ(c.MarginBottom(), 32);
  EXPECT_EQ(c.MarginRight(), 30);
}

TEST_F(Legend, FontChangedInPlaceRefitsOnceLikeTheSetters) {
  ThreeEntries();
  c.Legend().SetAnchor(laOutsideRight);
  c.Legend().SetVisible(true);
  const int narrow = c.MarginRight();
  c.Legend().Font().SetSize(20);
  EXPECT_GT(c.MarginRight(), narrow + 20);  // the margin follows without a SetFont
  int fired = 0;
  const TNotifyEvent chart = c.Legend().OnChange;
  c.Legend().OnChange = [&](TObject* s) {
    ++fired;
    chart(s);
  };
  TFont big;
  big.SetSize(30);
  c.Legend().SetFont(big);
  c.Legend().SetTextColor(clRed);
  TChartLegend other;
  c.Legend().Assign(&other);
  EXPECT_EQ(fired, 3);
  c.Legend().ResetComp();
  EXPECT_EQ(fired, 3);
}

TEST_F(Legend, ClickOnAnEntryHidesAndShowsItsClass) {
  c.SetClassDefault(3);
  c.SetDataColor(clRed);
  c.SetLineWidth(3);
  c.MoveTo(0.0, 5.0);
  c.DrawTo(10.0, 5.0);
  c.AddLegendEntry("class 3");
  c.Legend().SetVisible(true);
  c.Legend().SetAnchor(laTopLeft);
  const TRect r = c.LegendRect();
  const TChartLegend::TLayout L = c.Legend().Layout();
  const int ex = r.Left + L.Entries[0].Left + 30, ey = r.Top + L.Entries[0].Top + 5;
  const TRect curve = Rect(250, 130, 380, 155);
  ASSERT_GT(CountColor(Pic(), curve, clRed), 100);

  Click(ex, ey);  // off by default
  EXPECT_TRUE(c.ClassVisible(3));
  c.Legend().SetClickTogglesClass(true);
  Click(ex, ey);
  EXPECT_FALSE(c.ClassVisible(3));
  EXPECT_EQ(CountColor(Pic(), curve, clRed), 0);
  // Greyed: its line sample is no longer red.
  EXPECT_EQ(CountColor(Pic(), r, clRed), 0);
  EXPECT_GT(CountColor(Pic(), r, c.Legend().GreyedColor()), 10);
  Click(ex, ey);
  EXPECT_TRUE(c.ClassVisible(3));
  EXPECT_GT(CountColor(Pic(), curve, clRed), 100);
  EXPECT_GT(CountColor(Pic(), r, clRed), 10);
}

TEST_F(Legend, DragMovesItInsteadOfPanningAndReports) {
  ThreeEntries();
  c.Legend().SetVisible(true);
  c.SetMouseAction(1);  // pan
  int moves = 0;
  c.OnLegendMove = [&](TObject* s, TChartLegend* l) {
    EXPECT_EQ(s, &c);
    EXPECT_EQ(l, &c.Legend());
    ++moves;
  };
  const TRect r0 = c.LegendRect();
  const int x = r0.Left + 5, y = r0.Top + 5;
  c.MouseDown(mbLeft, ssLeft, x, y);
  c.MouseMove(ssLeft, x - 60, y + 40);
  c.MouseMove(ssLeft, x - 100, y + 50);
  c.MouseUp(mbLeft, 0, x - 100, y + 50);
  EXPECT_EQ(moves, 2);
  const TRect r1 = c.LegendRect();
  EXPECT_EQ(r1.Left, r0.Left - 100);
  EXPECT_EQ(r1.Top, r0.Top + 50);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(At(Pic(), r1.Left + 2, r1.Bottom - 3), kLegendBack);
  // Dragged far beyond the data area, it stays inside, and the next drag starts from there.
  c.MouseDown(mbLeft, ssLeft, r1.Left + 5, r1.Top + 5);
  c.MouseMove(ssLeft, -2000, 5000);
  c.MouseUp(mbLeft, 0, -2000, 5000);
  const TRect r2 = c.LegendRect();
  EXPECT_EQ(r2.Left, 51);
  EXPECT_EQ(r2.Bottom, 268);
  c.MouseDown(mbLeft, ssLeft, r2.Left + 5, r2.Top + 5);
  c.MouseMove(ssLeft, r2.Left + 25, r2.Top - 15);
  c.MouseUp(mbLeft, 0, r2.Left + 25, r2.Top - 15);
  EXPECT_EQ(c.LegendRect().Left, r2.Left + 20);
  EXPECT_EQ(c.LegendRect().Top, r2.Top - 20);
  // Outside the legend the pan works as before.
  c.MouseDown(mbLeft, ssLeft, 200, 60);
  c.MouseMove(ssLeft, 200, 60);
  c.MouseMove(ssLeft, 250, 60);
  c.MouseUp(mbLeft, 0, 250, 60);
  EXPECT_LT(c.ScalePropsX(1).RangeLow(), 0);
}

TEST_F(Legend, EntryFromThePenInUse) {
  c.SetDataColor(clRed);
  c.SetPenStyle(psDash);
  c.SetLineWidth(3);
  c.SetClassDefault(5);
  c.SetFillColor(clBlue);
  c.MarkAt(1.0, 1.0, 13);
  TLegendEntry e = c.Legend().Entry(c.AddLegendEntry("marks"));
  EXPECT_EQ(e.Caption, "marks");
  EXPECT_TRUE(e.ShowMark);
  EXPECT_EQ(e.MarkType, 13);
  EXPECT_EQ(e.MarkColor, clRed);
  EXPECT_EQ(e.MarkFillColor, clBlue);
  EXPECT_FALSE(e.ShowLine);
  EXPECT_EQ(e.ItemClass, 5);
  c.MoveTo(0.0, 0.0);
  c.DrawTo(2.0, 2.0);
  e = c.Legend().Entry(c.AddLegendEntry("both"));
  EXPECT_TRUE(e.ShowMark);
  EXPECT_TRUE(e.ShowLine);
  EXPECT_EQ(e.LineColor, clRed);
  EXPECT_EQ(e.LineStyle, psDash);
  EXPECT_EQ(e.LineWidth, 3);
  c.SetDataColor(clGreen);  // no items in this colour yet: a line
  e = c.Legend().Entry(c.AddLegendEntry("line"));
  EXPECT_TRUE(e.ShowLine);
  EXPECT_FALSE(e.ShowMark);

  c.Legend().Move(2, 0);
  EXPECT_EQ(c.Legend().Entry(0).Caption, "line");
  EXPECT_EQ(c.Legend().Entry(1).Caption, "marks");
  c.Legend().Move(0, 7);  // out of range: ignored
  c.Legend().Delete(-1);
  c.Legend().Delete(3);
  EXPECT_EQ(c.Legend().Count(), 3);
  c.Legend().Delete(1);
  EXPECT_EQ(c.Legend().Entry(1).Caption, "both");
  EXPECT_EQ(c.Legend().Entry(9).Caption, "");
  c.Legend().Insert(-5, e);
  EXPECT_EQ(c.Legend().Entry(0).Caption, "line");
  EXPECT_EQ(c.Legend().Count(), 3);
}

TEST_F(Legend, BadInputIsClippedNotFatal) {
  c.Legend().SetVisible(true);
  for (int i = 0; i < 1000; ++i) c.AddLegendEntry(i % 2 ? "" : "entry " + std::to_string(i));
  // Far larger than the control: clipped to the data area, which keeps its frame.
  EXPECT_GT(c.Legend().Layout().Height, 300);
  const TRect r = c.LegendRect();
  EXPECT_EQ(r.Top, 17);
  EXPECT_LT(r.Right, 390);
  EXPECT_EQ(c.LegendEntryAt(r.Left + 10, r.Top + 8), 0);
  EXPECT_EQ(c.LegendEntryAt(r.Left + 10, 290), -1);  // outside the data area: clipped away
  ExpectFrameWhole();
  c.Legend().SetAnchor(laOutsideBottom);
  EXPECT_GT(c.DataAreaHeight(), 50);  // the margin grows by half of the room at most
  Pic();
  c.Legend().SetAnchor(laOutsideRight);
  c.Legend().SetColumns(0);
  EXPECT_EQ(c.Legend().Columns(), 1);
  c.Legend().SetColumns(1000);
  EXPECT_EQ(c.Legend().Columns(), 100);
  Pic();

  c.Legend().Clear();
  c.Legend().SetAnchor(laCenter);
  c.Legend().SetColumns(2);
  ThreeEntries();
  c.Legend().SetOffset(-5000, -5000);
  EXPECT_EQ(c.LegendRect().Left, 51);
  EXPECT_EQ(c.LegendRect().Top, 17);
  c.Legend().SetOffset(5000, 5000);
  EXPECT_EQ(c.LegendRect().Right, 390);
  EXPECT_EQ(c.LegendRect().Bottom, 268);
  c.Legend().SetAnchor(TLegendAnchor(200));
  EXPECT_EQ(c.Legend().Anchor(), laCenter);

  c.Legend().SetOffset(0, 0);
  c.Legend().Font().SetSize(0);
  c.Legend().SetFont(c.Legend().Font());
  const int h0 = c.Legend().Layout().Height;
  EXPECT_GT(h0, 10);
  EXPECT_LT(h0, 100);
  EXPECT_EQ(At(Pic(), c.LegendRect().Left + 2, c.LegendRect().Top + 2), kLegendBack);
  c.Legend().Font().SetSize(10000);
  c.Legend().SetFont(c.Legend().Font());
  EXPECT_GT(c.Legend().Layout().Height, 1000);
  Pic();
  ExpectFrameWhole();
}

}  // namespace
