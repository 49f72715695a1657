// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart_probe.h"

namespace zyr::test {

TEST(ChartItems, ArrayGrowsInStepsOfAllocSizeAndClearsToOneSlot) {
  ProbeChart c;
  EXPECT_EQ(c.DataLength(), 1u);
  EXPECT_EQ(c.DataCapacity(), 0);
  c.MoveTo(1.0, 1.0);
  EXPECT_EQ(c.DataLength(), 1000u);
  for (int i = 1; i < 1000; ++i) c.DrawTo(double(i), 0.0);
  EXPECT_EQ(c.DataLength(), 1000u);
  c.DrawTo(0.0, 0.0);  // item 1001
  EXPECT_EQ(c.DataLength(), 2000u);
  EXPECT_EQ(c.NumItems(), 1001);
  // New slots are zero, so fields an operation does not name read as zero.
  EXPECT_EQ(c.DataContainer(1000).Param3, 0);

  c.ClearGraf();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.DataLength(), 1u);
  EXPECT_EQ(c.DataCapacity(), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);

  c.SetAllocSize(0);
  c.SetAllocSize(1000001);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(3);
  for (int i = 0; i < 4; ++i) c.MoveTo(0.0, 0.0);
  EXPECT_EQ(c.DataLength(), 6u);
}

TEST(ChartItems, NewItemsTakeTheCurrentPen) {
  ProbeChart c;
  c.SetDataColor(clRed);
  c.SetFillColor(clBlue);
  c.SetPenStyle(psDash);
  c.SetLineWidth(3);
  c.SetDataTag(77);
  c.SetClassDefault(9);
  c.SetActiveLayer(2);
  c.SetActiveLayer(5);  // ignored
  c.SetTransparentItems(true);
  c.Rectangle(1.0, 2.0, 3.0, 4.0);
  c.MoveTo(5.0, 6.0);
  TrcChartItem r = c.DataContainer(0);
  EXPECT_EQ(r.ItemKind, tkRect);
  EXPECT_EQ(r.Color, clRed);
  EXPECT_EQ(r.FillColor, clBlue);
  EXPECT_EQ(r.PenStyle, psDash);
  EXPECT_EQ(r.LWid, 3);
  EXPECT_EQ(r.Tag, 77);
  EXPECT_EQ(r.ItemClass, 9);
  EXPECT_EQ(r.Layer, 2);
  EXPECT_TRUE(r.Transp);
  EXPECT_EQ(r.x2, 3.0);
  // MoveTo names no fill colour.
  EXPECT_EQ(c.DataContainer(1).FillColor, 0u);
  EXPECT_FALSE(c.DataContainer(1).Transp);
}

TEST(ChartItems, DataItemsAreWorldAnnotationsKeepTheOverloadsMode) {
  ProbeChart c;
  c.MoveTo(10, 20);
  TrcChartItem d = c.DataContainer(0);
  EXPECT_EQ(d.x, 10.0);
  EXPECT_EQ(d.y, 20.0);
  EXPECT_EQ(d.CoordMode, cmAllWorld);

  c.SetAnnoMode(true);
  c.MoveTo(10, 20);
  c.MoveTo(10, 2.5);
  c.MoveTo(1.5, 20);
  c.Line(1.0, 2.0, 3, 4);
  c.Line(1, 2, 3.0, 4.0);
  c.Arrow(1.0, 2, 3.0, 4, 5);
  c.DoubleArrow(1, 2.0, 3, 4.0, 5);
  c.RectFrame(1, 2, 3, 4, 2, clGray, clWhite);
  c.CursorVert(7);
  c.MarkAt(1.0, 2.0, 5);
  c.DrawToRelPix(3, 4);
  const TCoordMode want[] = {
      cmAllScreen,          cmXScreenYWorld, cmXWorldYScreen, cmWorldMainScreenSec,
      cmScreenMainWorldSec, cmXWorldYScreen, cmXScreenYWorld, cmAllScreen,
      cmAllScreen,          cmAllWorld,      cmAllWorld};
  ASSERT_EQ(c.NumAnnos(), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(c.AnnoContainer(i).CoordMode, want[i]) << i;
  EXPECT_EQ(c.NumItems(), 1);
  EXPECT_EQ(c.AnnoContainer(7).LWid, 1);  // frames always have width 1
  // Annotations are not counted per kind.
  EXPECT_EQ(c.ItemCount(tkMoveTo), 1);
}

TEST(ChartItems, KindSpecificFields) {
  ProbeChart c;
  c.Bar3D(0.0, 0.0, 1.0, 1.0, 8, 200);
  c.Bar3D(0.0, 0.0, 1.0, 1.0, 8, -5);
  c.Arc(0.0, 0.0, 1.0, 1.0, 4.0, -1.0);
  c.Arc(0.0, 0.0, 1.0, 1.0, std::nan(""), -std::numeric_limits<double>::infinity());
  c.Text(1.0, 2.0, 10, "x", 0, 3, taLeftJustify);
  c.Text(1.0, 2.0, 10, "x", 0, 0, taLeftJustify);
  c.MarkErrorBar(1.0, 2.0, 0.5, 0.7, 1, 4);
  c.CursorHoriz(3.5);
  EXPECT_EQ(c.DataContainer(0).Param1, 180);
  EXPECT_EQ(c.DataContainer(0).Param2, 8);
  EXPECT_EQ(c.DataContainer(1).Param1, 0);
  EXPECT_EQ(c.DataContainer(2).Param1, 314159265);
  EXPECT_EQ(c.DataContainer(2).Param2, -100000000);
  EXPECT_EQ(c.DataContainer(3).Param1, 0);
  EXPECT_EQ(c.DataContainer(3).Param2, -314159265);
  EXPECT_EQ(c.DataContainer(4).ItemKind, tkTextOfs);
  EXPECT_EQ(c.DataContainer(4).y2, 3.0);
  EXPECT_EQ(c.DataContainer(5).ItemKind, tkText);
  EXPECT_EQ(c.DataContainer(5).Param3, taLeftJustify);
  EXPECT_EQ(c.DataContainer(5).Param2, tbClear);
  TrcChartItem e = c.DataContainer(6);
  EXPECT_EQ(e.ItemKind, tkMarkEBar);
  EXPECT_EQ(e.x2, 0.5);
  EXPECT_EQ(e.Param1, 1);
  EXPECT_EQ(e.Param3, 4);
  EXPECT_EQ(c.DataContainer(7).x, 0.0);
  EXPECT_EQ(c.DataContainer(7).y, 3.5);
}

TEST(ChartItems, LongTextsAreHandedOutInOrderUpToFifty) {
  ProbeChart c;
  c.Text(0.0, 0.0, 10, Letters(15));
  EXPECT_EQ(c.DataContainer(0).LWid, 0);
  EXPECT_EQ(c.NumLongTextsData(), 0);
  const std::string t16 = "abcdefghijklmnop";
  c.Text(0.0, 0.0, 10, t16);
  EXPECT_EQ(c.DataContainer(1).LWid, 1);
  EXPECT_EQ(c.DataContainer(1).Text.Str(), "abcdefghijklmno");
  EXPECT_EQ(c.DataLongText(1), t16);
  EXPECT_EQ(c.TextAlignment(), taCenter);
  EXPECT_EQ(c.DataContainer(1).Param3, taCenter);

  for (int i = 2; i <= 50; ++i) c.Text(0.0, 0.0, 10, Letters(20, char('A' + i % 26)));
  EXPECT_EQ(c.NumLongTextsData(), 50);
  c.Text(0.0, 0.0, 10, Letters(30, 'z'));  // the 51st
  const int last = c.NumItems() - 1;
  EXPECT_EQ(c.DataContainer(last).LWid, 0);
  EXPECT_EQ(c.DataLongText(last), Letters(15, 'z'));

  // Removing a text item does not give its number back.
  c.RemoveItem(1);
  c.ClearAnnotations();
  EXPECT_EQ(c.NumLongTextsData(), 50);
  c.ClearGraf();
  EXPECT_EQ(c.NumLongTextsData(), 0);
  c.Text(0.0, 0.0, 10, t16);
  EXPECT_EQ(c.DataContainer(0).LWid, 1);
}

TEST(ChartItems, ShortTextHoldsWindows1252) {
  ProbeChart c;
  c.Text(0.0, 0.0, 10, "K\xC3\xA4se \xE2\x82\xAC \xE4\xB8\xAD");  // Käse € 中
  TrcChartItem r = c.DataContainer(0);
  EXPECT_EQ(r.Text.Len, 8);
  EXPECT_EQ(uint8_t(r.Text.Chars[1]), 0xE4);
  EXPECT_EQ(uint8_t(r.Text.Chars[5]), 0x80);
  EXPECT_EQ(r.Text.Chars[7], '?');
  EXPECT_EQ(c.DataLongText(0), "K\xC3\xA4se \xE2\x82\xAC ?");
  // Characters, not bytes, decide about long texts; broken UTF-8 is no reason to crash.
  c.Text(0.0, 0.0, 10, "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4");
  EXPECT_EQ(c.DataContainer(1).LWid, 0);
  c.Text(0.0, 0.0, 10, "\xFF\xC3");
  EXPECT_EQ(c.DataContainer(2).Text.Str(), "??");
}

TEST(ChartItems, WritingLongTexts) {
  ProbeChart c;
  c.Text(0.0, 0.0, 10, "short");
  c.MoveTo(0.0, 0.0);
  c.SetDataLongText(0, Letters(20, 'b'));
  EXPECT_EQ(c.DataContainer(0).LWid, 1);
  c.SetDataLongText(0, Letters(25, 'c'));
  EXPECT_EQ(c.DataContainer(0).LWid, 1);
  EXPECT_EQ(c.DataLongText(0), Letters(25, 'c'));
  c.SetDataLongText(0, "tiny");
  EXPECT_EQ(c.DataContainer(0).LWid, 0);
  EXPECT_EQ(c.DataLongText(0), "tiny");
  EXPECT_EQ(c.NumLongTextsData(), 1);
  c.SetDataLongText(1, "not a text item");
  EXPECT_EQ(c.DataLongText(1), "");
  EXPECT_EQ(c.DataLongText(-1), "");
  EXPECT_EQ(c.AnnoLongText(0), "");
  // A record with a long-text number outside 1..50 never reads outside the table.
  TrcChartItem r = c.DataContainer(0);
  r.LWid = 4000;
  c.SetDataContainer(0, r);
  EXPECT_EQ(c.DataLongText(0), "tiny");
}

TEST(ChartItems, CountersFirstAndLastAndEmptyChart) {
  ProbeChart c;
  EXPECT_EQ(c.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(c.TypeOfLastItem(), tkNone);
  EXPECT_EQ(c.DataContainer(0).ItemKind, tkNone);
  c.RemoveLastItem();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.ItemCount(tkNone), 0);

  c.MoveTo(0.0, 0.0);
  c.DrawTo(1.0, 1.0);
  c.DrawTo(2.0, 0.0);
  EXPECT_EQ(c.ItemCount(tkLineto), 2);
  EXPECT_EQ(c.TypeOfLastItem(), tkLineto);
  EXPECT_EQ(c.ItemCount(99), 0);
  c.RemoveItem(0);
  EXPECT_EQ(c.ItemCount(tkMoveTo), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 2);
  EXPECT_EQ(c.TypeOfFirstItem(), tkLineto);
  EXPECT_EQ(c.DataContainer(0).x, 1.0);
  c.RemoveItem(5);
  c.RemoveItem(-1);
  EXPECT_EQ(c.NumItems(), 2);
  c.RemoveLastItem();
  c.RemoveLastItem();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.DataLength(), 1u);
  EXPECT_EQ(c.DataCapacity(), 0);

  // SetItemParams keeps the counters right; tkNone records are refused.
  c.MoveTo(0.0, 0.0);
  TrcChartItem m;
  TCustomRChart::ClearChartItem(m);
  m.ItemKind = tkMarkAt;
  c.SetItemParams(0, m);
  EXPECT_EQ(c.ItemCount(tkMoveTo), 0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 1);
  m.ItemKind = tkNone;
  c.SetItemParams(0, m);
  c.SetItemParams(3, m);
  EXPECT_EQ(c.DataContainer(0).ItemKind, tkMarkAt);
  EXPECT_EQ(c.GetItemParams(0).FillColor, 0xFFFFFFu);
  EXPECT_EQ(c.GetItemParams(0).ShadowColor, 0x808080u);
  EXPECT_EQ(c.GetItemParams(0).Layer, 1);
}

TEST(ChartItems, CountingAndSearchingWithMasks) {
  ProbeChart c;
  c.SetAnnoMode(true);
  for (int tag = 0; tag < 8; ++tag) {
    c.SetDataTag(tag);
    c.SetClassDefault(uint8_t(tag % 2));
    c.MarkAt(0.0, 0.0, 1);
  }
  EXPECT_EQ(c.CountAnnos(0, 0, 255, tkEverything), c.NumAnnos());
  EXPECT_EQ(c.CountAnnos(4, 4, 255, tkEverything), 4);  // tags 4..7
  EXPECT_EQ(c.CountAnnos(4, 4, 1, tkEverything), 2);
  EXPECT_EQ(c.CountAnnos(0, 0, 255, tkLine), 0);
  EXPECT_EQ(c.CountAnnoByClass({1, 1, 0}), 12);  // class 1 listed twice counts twice
  EXPECT_EQ(c.SearchAnnoItem(5, 0, 0, 0, tkMarkAt), 6);
  EXPECT_EQ(c.SearchAnnoItem(-1, 0, 0, 255, tkEverything), -1);

  c.SetAnnoMode(false);
  c.MoveTo(0.0, 0.0);
  c.MarkAt(0.0, 0.0, 1);
  c.RemoveLastItem();  // the mark stays in its slot but is no longer in use
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkMarkAt), -1);
  EXPECT_EQ(c.SearchDataItem(-1, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkEverything), 0);
  EXPECT_EQ(c.SearchDataItem(1, 0, 0, 255, tkEverything), -1);
}

TEST(ChartItems, ScalingAndRecolouring) {
  ProbeChart c;
  c.SetClassDefault(255);
  c.Line(1.0, 1.0, 2.0, 2.0);
  c.SetClassDefault(3);
  c.Line(1.0, 1.0, 2.0, 2.0);
  c.MarkAt(1.0, 1.0, 0);
  c.ScaleSelectedItems(2, 0, 1, 0, 255);
  EXPECT_EQ(c.DataContainer(0).x, 2.0);
  EXPECT_EQ(c.DataContainer(0).x2, 4.0);
  EXPECT_EQ(c.DataContainer(0).y2, 2.0);
  EXPECT_EQ(c.DataContainer(1).x, 1.0);
  c.ScaleAllItems(1, 10, 1, 0);
  EXPECT_EQ(c.DataContainer(2).x, 11.0);
  EXPECT_EQ(c.DataContainer(2).x2, 0.0);  // one-point kinds keep their second point
  c.ScaleItem(1, 0, 0, 0, 0);
  c.ScaleItem(3, 0, 0, 0, 0);  // out of range: ignored
  EXPECT_EQ(c.DataContainer(1).y2, 0.0);
  c.NewColorOfClassItems(clLime, 3);
  EXPECT_EQ(c.DataContainer(0).Color, clBlack);
  EXPECT_EQ(c.DataContainer(2).Color, clLime);
  c.NewColorOfClassItems(clAqua, 255);
  EXPECT_EQ(c.DataContainer(0).Color, clAqua);
}

TEST(ChartItems, RemovingByClassAndLayerKeepsOrderAndCounters) {
  ProbeChart c;
  for (int i = 0; i < 6; ++i) {
    c.SetClassDefault(uint8_t(i % 3));
    c.SetActiveLayer(1 + i % 2);
    c.MarkAt(double(i), 0.0, 1);
  }
  EXPECT_EQ(c.RemoveItemsByClass(1), 2);  // items 1 and 4
  ASSERT_EQ(c.NumItems(), 4);
  EXPECT_EQ(c.DataContainer(1).x, 2.0);
  EXPECT_EQ(c.DataContainer(3).x, 5.0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 4);
  EXPECT_EQ(c.RemoveItemsByLayer(2), 2);  // items 3 and 5
  EXPECT_EQ(c.NumItems(), 2);
  EXPECT_EQ(c.RemoveItemsByLayer(7), 0);
  EXPECT_EQ(c.DataLength(), 1000u);
  c.SetAnnoMode(true);
  c.MarkAt(0, 0, 1);
  c.RemoveAnnoItem(3);
  EXPECT_EQ(c.NumAnnos(), 1);
  c.RemoveAnnoItem(0);
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.AnnoLength(), 1u);
}

TEST(ChartItems, SwitchesClampAndIgnoreBadIndexes) {
  ProbeChart c;
  c.SetMinDupMarkDist(0);
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  c.SetMinDupMarkDist(7);
  EXPECT_EQ(c.MinDupMarkDist(), 3);
  c.SetClassVisible(300, false);
  c.SetClassVisible(4, false);
  EXPECT_FALSE(c.ClassVisible(4));
  EXPECT_FALSE(c.ClassVisible(-1));
  EXPECT_TRUE(c.AnnoClassVisible(4));
  c.SetLayerVisible(3, false);
  EXPECT_TRUE(c.LayerVisible(1));
  EXPECT_FALSE(c.LayerVisible(0));
  c.ResetComp();
  EXPECT_TRUE(c.ClassVisible(4));
}

TEST(ChartItems, ClearGrafSizesTheDataAreaPicture) {
  ProbeChart c;
  c.ClearGraf();
  // The reset applies the first standard layout: margins 50, 20, 20, 40.
  EXPECT_EQ(c.GrafBmp().Width(), 280 - c.MarginLeft() - c.MarginRight() + 1);
  EXPECT_EQ(c.GrafBmp().Height(), 200 - c.MarginTop() - c.MarginBottom() + 1);
  EXPECT_EQ(c.GrafBmp().Width(), 211);
  EXPECT_EQ(c.GrafBmp().Canvas().Pixels(5, 5), clWhite);
}

TEST(ChartItems, AssignCopiesTheStoreAndStandsAlone) {
  ProbeChart a, b, owner;
  a.SetAllocSize(10);
  for (int i = 0; i < 25; ++i) a.MarkAt(double(i), 1.0, 2);
  a.Text(0.0, 0.0, 8, Letters(40));
  a.SetAnnoMode(true);
  a.Text(0, 0, 8, Letters(17, 'q'));
  a.SetClassVisible(5, false);
  owner.MoveTo(0.0, 0.0);
  b.SetUseDataOf(&owner);
  b.Assign(&a);
  EXPECT_EQ(b.UseDataOf(), nullptr);
  EXPECT_EQ(owner.DataUsersNum(), 0);
  EXPECT_EQ(owner.NumItems(), 1);
  EXPECT_EQ(b.NumItems(), 26);
  EXPECT_EQ(b.DataLength(), 30u);
  EXPECT_EQ(b.ItemCount(tkMarkAt), 25);
  EXPECT_EQ(b.DataLongText(25), Letters(40));
  EXPECT_EQ(b.AnnoLongText(0), Letters(17, 'q'));
  EXPECT_FALSE(b.ClassVisible(5));
  EXPECT_TRUE(b.AnnoMode());
  b.SetAnnoMode(false);
  b.MoveTo(0.0, 0.0);
  EXPECT_EQ(a.NumItems(), 26);
}

}  // namespace zyr::test
