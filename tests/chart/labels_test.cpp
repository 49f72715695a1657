// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/host/bitmap.h>

#include <cmath>
#include <limits>
#include <string>

#include "chart_fixture.h"

using namespace zyr;

namespace {

// Counts the paints that get through, and lets tests see a label's anchor pixel.
class LabelChart : public TRChart {
 public:
  using TCustomRChart::TextLabelAnchor;
  int paints = 0;

 protected:
  void Paint() override {
    if (!SuppressPaint()) ++paints;
    TRChart::Paint();
  }
};

// 400 x 300 with margins 50, 10, 16, 32: data area 341 x 253, world (0..10, 0..1) maps
// x to 50 + 34 x and y to 268 - 252 y.
void Geometry(TCustomRChart& c) {
  zyr::test::Geometry400x300(c);
  c.SetRange(1, 0, 0, 10, 1);
}

// A data-area picture in one colour.
struct Area {
  TBitmap bmp;
  explicit Area(TColor bkg = clWhite, int w = 341, int h = 253) : bmp(w, h) {
    bmp.Canvas().Brush().SetStyle(bsSolid);
    bmp.Canvas().Brush().SetColor(bkg);
    bmp.Canvas().FillRect({0, 0, w, h});
  }
  TColor At(int x, int y) { return bmp.Canvas().Pixels(x, y); }
};

// Width of each text and the line height in the label's font.
int Width(const TTextLabel& l, const std::string& s) {
  TBitmap b(4, 4);
  b.Canvas().Font().Assign(&l.Font());
  return b.Canvas().TextWidth(s);
}
int LineHeight(const TTextLabel& l, const std::string& s) {
  TBitmap b(4, 4);
  b.Canvas().Font().Assign(&l.Font());
  return b.Canvas().TextHeight(s);
}

// A boxed label with a pixel anchor.
TTextLabel& Boxed(TCustomRChart& c, int n, double x, double y, const std::string& caption) {
  c.SetTextLabel(n, x, y, clBlack, caption, 0);
  TTextLabel& l = c.TextLabels(n);
  l.SetAttachToData(0);
  l.SetMode(2);
  l.SetColorBorder(clRed);
  l.SetColorBkg(clYellow);
  return l;
}

// Leftmost column in rows y0 .. y1 - 1 holding a pixel other than bkg; -1 if none.
int LeftmostInk(Area& a, int y0, int y1, TColor bkg) {
  for (int x = 0; x < a.bmp.Width(); ++x)
    for (int y = y0; y < y1; ++y)
      if (a.At(x, y) != bkg) return x;
  return -1;
}

}  // namespace

TEST(TextLabels, ResetGivesThirtyFreeInvisibleLabelsInTheChartFont) {
  TRChart c;
  c.Font().SetName("DejaVu Serif");
  TTextLabel& l = c.TextLabels(30);
  l.SetMode(4);
  l.SetCaption("x");
  l.SetAttachToData(0);
  l.SetVisible(true);
  l.SetTransparent(true);
  c.ResetComp();
  for (int i = 1; i <= 30; ++i) {
    const TTextLabel& r = c.TextLabels(i);
    EXPECT_EQ(r.Mode(), 0);
    EXPECT_FALSE(r.Visible());
    EXPECT_EQ(r.AttachToData(), 3);
    EXPECT_EQ(r.ShadowDx(), 3);
    EXPECT_FALSE(r.Transparent());
    EXPECT_EQ(r.Caption(), "");
    EXPECT_EQ(r.Font().Name(), "DejaVu Serif");
  }
}

TEST(TextLabels, InvalidIndexRaisesAnErrorNamingTheControl) {
  TRChart c;
  c.SetName("SpectrumChart");
  for (int ix : {0, 31, -5}) {
    try {
      c.TextLabels(ix);
      ADD_FAILURE() << "no exception for index " << ix;
    } catch (const EZYRRChartError& e) {
      EXPECT_STREQ(e.what(), "Component \"SpectrumChart\": invalid index into TextLabel array");
    }
  }
  TTextLabel other;
  EXPECT_THROW(c.SetTextLabels(31, other), EZYRRChartError);
  const TRChart& cc = c;
  EXPECT_THROW(cc.TextLabels(0), EZYRRChartError);
  EXPECT_NO_THROW(c.TextLabels(1));
  EXPECT_NO_THROW(c.TextLabels(30));
}

TEST(TextLabels, AddTakesFreeLabelsInOrderUntilFull) {
  TRChart c;
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(c.AddTextLabel(i, i, clRed, "l", 0), i);
  EXPECT_EQ(c.AddTextLabel(0, 0, clRed, "full", 0), 0);
  c.TextLabels(17).SetMode(0);
  EXPECT_EQ(c.AddTextLabel(0, 0, clRed, "gap", 0), 17);
  c.SetTextLabel(0, 1, 1, clRed, "ignored", 0);
  c.SetTextLabel(31, 1, 1, clRed, "ignored", 0);
  c.ClearAllTextLabels();
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(c.TextLabels(i).Mode(), 0);
  EXPECT_EQ(c.AddTextLabel(0, 0, clRed, "again", 0), 1);
}

TEST(TextLabels, AddWithoutTemplateTakesTheChartDefaults) {
  TRChart c;
  c.SetActiveLayer(2);
  TTextLabel& pre = c.TextLabels(1);
  pre.SetAlignment(taLeftJustify);
  pre.SetShadowDx(7);
  pre.SetTransparent(true);
  pre.Font().SetName("DejaVu Serif");
  for (int tmpl : {0, 31, -1}) {
    c.TextLabels(1).SetMode(0);
    ASSERT_EQ(c.AddTextLabel(2.5, -1.5, clBlue, "a\nb", tmpl), 1);
    const TTextLabel& l = c.TextLabels(1);
    EXPECT_EQ(l.PosX(), 2.5);
    EXPECT_EQ(l.PosY(), -1.5);
    EXPECT_EQ(l.Layer(), 2);
    EXPECT_EQ(l.AttachToData(), 3);
    EXPECT_EQ(l.Alignment(), taCenter);
    EXPECT_EQ(l.ShadowDx(), 0);
    EXPECT_EQ(l.ColorBkg(), c.ChartColor());
    EXPECT_EQ(l.ColorBorder(), c.ChartFrameColor());
    EXPECT_FALSE(l.Transparent());
    EXPECT_EQ(l.Caption(), "a\nb");
    EXPECT_EQ(l.Font().Color(), clBlue);
    EXPECT_EQ(l.Font().Name(), "DejaVu Serif");  // the font itself is kept
    EXPECT_EQ(l.Mode(), 1);
    EXPECT_TRUE(l.Visible());
  }
}

TEST(TextLabels, TemplatesGiveTheirSettingsAndModeButNeverModeZero) {
  TRChart c;
  TTextLabel& t = c.TextLabels(5);
  t.SetAttachToData(0);
  t.SetAlignment(taRightJustify);
  t.SetVerticalAlignment(0);
  t.SetShadowDx(4);
  t.SetColorBkg(clAqua);
  t.SetColorBorder(clFuchsia);
  t.SetTransparent(true);
  t.Font().SetName("DejaVu Sans Mono");
  t.SetMode(4);

  ASSERT_EQ(c.AddTextLabel(1, 2, clRed, "copy", 5), 1);
  const TTextLabel& l = c.TextLabels(1);
  EXPECT_EQ(l.AttachToData(), 0);
  EXPECT_EQ(l.Alignment(), taRightJustify);
  EXPECT_EQ(l.ShadowDx(), 4);
  EXPECT_EQ(l.ColorBkg(), clAqua);
  EXPECT_EQ(l.ColorBorder(), clFuchsia);
  EXPECT_TRUE(l.Transparent());
  EXPECT_EQ(l.Font().Name(), "DejaVu Sans Mono");
  EXPECT_EQ(l.Font().Color(), clRed);
  EXPECT_EQ(l.Mode(), 4);
  EXPECT_EQ(t.Caption(), "");  // the template is untouched

  // A free template still gives its settings, but the new label is a plain one.
  c.TextLabels(6).SetColorBkg(clLime);
  ASSERT_EQ(c.AddTextLabel(0, 0, clRed, "plain", 6), 2);
  EXPECT_EQ(c.TextLabels(2).Mode(), 1);
  EXPECT_EQ(c.TextLabels(2).ColorBkg(), clLime);

  // A label may be its own template.
  c.SetTextLabel(5, 3, 4, clGreen, "self", 5);
  EXPECT_EQ(t.Mode(), 4);
  EXPECT_EQ(t.ColorBkg(), clAqua);
  EXPECT_EQ(t.Caption(), "self");
  EXPECT_EQ(t.PosX(), 3);
}

TEST(TextLabels, AssigningALabelCopiesItsSettingsAndKeepsTheChartInformed) {
  LabelChart c;
  c.SetSuppressPaint(false);
  TTextLabel src;
  src.SetCaption("copied");
  src.SetMode(3);
  src.SetVisible(true);
  const int before = c.paints;
  c.SetTextLabels(4, src);
  EXPECT_EQ(c.paints, before + 1);
  EXPECT_EQ(c.TextLabels(4).Caption(), "copied");
  EXPECT_EQ(c.TextLabels(4).Mode(), 3);
  // The label still reports its changes to the chart.
  c.TextLabels(4).SetCaption("changed");
  EXPECT_EQ(c.paints, before + 2);
  c.SetAutoRedraw(false);
  c.TextLabels(4).SetCaption("quiet");
  EXPECT_EQ(c.paints, before + 2);
}

TEST(TextLabels, HideAndClearPaintOnceAndNotAtAllWhileSuppressed) {
  LabelChart c;
  for (int i = 0; i < 5; ++i) c.AddTextLabel(i, i, clRed, "l", 0);
  c.HideAllTextLabels();
  EXPECT_EQ(c.paints, 0);
  EXPECT_TRUE(c.SuppressPaint());
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(c.TextLabels(i).Visible());
  EXPECT_EQ(c.TextLabels(1).Mode(), 1);  // hidden, not freed

  c.SetSuppressPaint(false);
  for (int i = 1; i <= 5; ++i) c.TextLabels(i).SetVisible(true);
  c.paints = 0;
  c.HideAllTextLabels();
  EXPECT_EQ(c.paints, 1);
  EXPECT_FALSE(c.SuppressPaint());
  c.paints = 0;
  c.ClearAllTextLabels();
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.TextLabels(3).Mode(), 0);
  // Setting up a label repaints once, not once per setting.
  c.paints = 0;
  c.AddTextLabel(1, 1, clRed, "one", 0);
  EXPECT_EQ(c.paints, 1);
}

TEST(TextLabels, AnchorFollowsTheAttachMode) {
  LabelChart c;
  Geometry(c);
  TTextLabel& l = c.TextLabels(1);
  l.SetTxtLblPos(5, 150);
  int x, y;
  l.SetAttachToData(1);  // x world, y pixels
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 220);
  EXPECT_EQ(y, 150);
  c.SetRange(1, 0, 0, 20, 1);
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 135);
  EXPECT_EQ(y, 150);

  l.SetTxtLblPos(120.5, 0.5);
  l.SetAttachToData(2);  // x pixels, y world
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 120);  // ties round to even
  EXPECT_EQ(y, 142);
  l.SetAttachToData(0);
  l.SetTxtLblPos(121.5, 99.5);
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 122);
  EXPECT_EQ(y, 100);

  // World coordinates on the label's own layer.
  c.SetRange(2, 0, 0, 1, 1);
  l.SetAttachToData(3);
  l.SetLayer(2);
  l.SetTxtLblPos(0.5, 1);
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 220);
  EXPECT_EQ(y, 16);

  // Absurd pixel positions are limited instead of overflowing.
  l.SetAttachToData(0);
  l.SetTxtLblPos(1e300, -1e300);
  c.TextLabelAnchor(l, x, y);
  EXPECT_EQ(x, 30000);
  EXPECT_EQ(y, -30000);
}

TEST(TextLabelDrawing, BoxSitsByAlignmentAndVerticalAlignment) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = Boxed(c, 1, 200, 150, "Wg");  // anchor (150, 134) in the data area
  const int w = Width(l, "Wg"), h = LineHeight(l, "Wg");
  for (TAlignment al : {taLeftJustify, taRightJustify, taCenter}) {
    for (int va = 0; va <= 2; ++va) {
      l.SetAlignment(al);
      l.SetVerticalAlignment(TVerticalAlignment(va));
      Area a;
      c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
      const int L = al == taLeftJustify ? 150 : al == taRightJustify ? 150 - w : 150 - w / 2;
      const int B = va == 0 ? 134 + h : va == 1 ? 134 + h / 2 : 134;
      const int T = B - h;
      SCOPED_TRACE(testing::Message() << "alignment " << int(al) << " vertical " << va);
      const int midY = (T + B) / 2, midX = L + w / 2;
      EXPECT_EQ(a.At(L - 4, midY), clRed);
      EXPECT_EQ(a.At(L - 5, midY), clWhite);
      EXPECT_EQ(a.At(L + w + 3, midY), clRed);
      EXPECT_EQ(a.At(L + w + 4, midY), clWhite);
      EXPECT_EQ(a.At(midX, T - 2), clRed);
      EXPECT_EQ(a.At(midX, T - 3), clWhite);
      EXPECT_EQ(a.At(midX, B + 1), clRed);
      EXPECT_EQ(a.At(midX, B + 2), clWhite);
      EXPECT_EQ(a.At(L - 3, T - 1), clYellow);
    }
  }
}

TEST(TextLabelDrawing, ShiftsIntoTheCanvasByTheDataAreaOrigin) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = Boxed(c, 1, 60, 40, "x");
  l.SetAlignment(taLeftJustify);
  l.SetVerticalAlignment(0);
  const int h = LineHeight(l, "x");
  // Anchor (60, 40) of the control is (10, 24) of the data area; the canvas puts the data
  // area at (7, 3).
  Area a(clWhite, 400, 300);
  c.DrawTextLabels(a.bmp.Canvas(), 7, 3);
  EXPECT_EQ(a.At(10 + 7 - 4, 24 + 3 + h / 2), clRed);
  EXPECT_EQ(a.At(10 + 7 - 5, 24 + 3 + h / 2), clWhite);
  EXPECT_EQ(a.At(10 + 7, 24 + 3 - 2), clRed);
  EXPECT_EQ(a.At(10 + 7, 24 + 3 - 3), clWhite);
}

TEST(TextLabelDrawing, ModesDrawBackgroundBoxUnderlineAndShadow) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = Boxed(c, 1, 200, 150, "Mode");
  l.SetAlignment(taLeftJustify);
  l.SetVerticalAlignment(2);
  l.SetColorShadow(clNavy);
  l.SetShadowDx(5);
  l.SetShadowDy(6);
  const int w = Width(l, "Mode"), h = LineHeight(l, "Mode");
  const int L = 150, B = 134, T = B - h;
  const int Rr = L + w + 4, Rb = B + 2;  // right and bottom of the box, exclusive

  {  // 1: background box in the background colour, no outline
    l.SetMode(1);
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 4, T), clYellow);
    EXPECT_EQ(a.At(L - 5, T), clWhite);
    EXPECT_EQ(a.At(Rr - 1, Rb - 1), clYellow);
  }
  {  // 3: background, then the underline from L to L + w - 1 at B
    l.SetMode(3);
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 4, T), clYellow);
    EXPECT_EQ(a.At(L, B), clRed);
    EXPECT_EQ(a.At(L + w - 1, B), clRed);
    EXPECT_EQ(a.At(L + w, B), clYellow);
    EXPECT_EQ(a.At(L - 1, B), clYellow);
  }
  {  // 4: shadow box shifted by (5, 6) under the outlined box
    l.SetMode(4);
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 4, T), clRed);
    EXPECT_EQ(a.At(Rr - 1, Rb - 1), clRed);
    EXPECT_EQ(a.At(Rr + 4, Rb + 5), clNavy);
    EXPECT_EQ(a.At(Rr + 5, Rb + 5), clWhite);
    EXPECT_EQ(a.At(Rr + 4, Rb + 6), clWhite);
    EXPECT_EQ(a.At(Rr + 2, T + 3), clWhite);  // above the shadow, right of the box
    EXPECT_EQ(a.At(Rr + 2, T + 4), clNavy);
    EXPECT_EQ(a.At(L - 3, T - 1), clYellow);  // the box covers the shadow
  }
}

TEST(TextLabelDrawing, TransparentLabelsLeaveTheBackground) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = Boxed(c, 1, 200, 150, "see through");
  l.SetTransparent(true);
  l.SetVerticalAlignment(2);
  l.SetAlignment(taLeftJustify);
  l.SetShadowDx(3);
  l.SetShadowDy(3);
  const int h = LineHeight(l, "see through");
  const int L = 150, B = 134, T = B - h;
  for (TTxtLblMode m : {1, 2, 3, 4}) {
    l.SetMode(m);
    Area a(clLime);
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    SCOPED_TRACE(testing::Message() << "mode " << int(m));
    EXPECT_EQ(a.At(L - 3, T - 1), clLime);
    // The drop shadow stays solid and shows through a transparent box.
    EXPECT_EQ(a.At(L - 1, B - 1), m == 4 ? TColor(0x808080) : clLime);
    EXPECT_EQ(a.At(L - 4, T), (m == 2 || m == 4) ? clRed : clLime);
  }
}

TEST(TextLabelDrawing, MultiLineCaptionsAlignEachLineInsideTheBlock) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = c.TextLabels(1);
  c.SetTextLabel(1, 200, 100, clBlack, "ab\nabcd", 0);
  l.SetAttachToData(0);
  l.SetTransparent(true);
  l.SetVerticalAlignment(0);  // block below the anchor (150, 84)
  const int w = Width(l, "abcd"), w1 = Width(l, "ab"), h = LineHeight(l, "ab\nabcd");

  // Where the ink of "ab" and "abcd" starts relative to their drawing position.
  Area ref;
  ref.bmp.Canvas().Font().Assign(&l.Font());
  ref.bmp.Canvas().Brush().SetStyle(bsClear);
  ref.bmp.Canvas().TextOut(20, 20, "ab");
  const int inkOfs = LeftmostInk(ref, 20, 20 + h, clWhite) - 20;

  const struct {
    TAlignment al;
    int L, s1;
  } cases[] = {{taLeftJustify, 150, 0},
               {taRightJustify, 150 - w, w - w1},
               {taCenter, 150 - w / 2, (w - w1) / 2}};
  for (const auto& k : cases) {
    l.SetAlignment(k.al);
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    SCOPED_TRACE(testing::Message() << "alignment " << int(k.al));
    EXPECT_EQ(LeftmostInk(a, 84, 84 + h, clWhite), k.L + k.s1 + inkOfs);   // first line
    EXPECT_EQ(LeftmostInk(a, 84 + h, 84 + 2 * h, clWhite), k.L + inkOfs);  // second line
    EXPECT_EQ(LeftmostInk(a, 84 + 2 * h, 253, clWhite), -1);
    EXPECT_EQ(LeftmostInk(a, 0, 84, clWhite), -1);
  }
}

TEST(TextLabelDrawing, LabelOneEndsOnTopAndHiddenLabelsStayAway) {
  TRChart c;
  Geometry(c);
  Boxed(c, 1, 200, 150, "same").SetColorBkg(clAqua);
  Boxed(c, 30, 200, 150, "same").SetColorBkg(clYellow);
  TTextLabel& l = c.TextLabels(1);
  const int w = Width(l, "same"), h = LineHeight(l, "same");
  const int L = 150 - w / 2, T = 134 - h;
  {
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 3, T - 1), clAqua);
  }
  l.SetVisible(false);
  {
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 3, T - 1), clYellow);
  }
  c.TextLabels(30).SetLayer(2);
  c.SetLayerVisible(2, false);
  {
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 3, T - 1), clWhite);
  }
  c.SetLayerVisible(2, true);
  c.TextLabels(30).SetMode(0);  // free labels are never drawn
  {
    Area a;
    c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
    EXPECT_EQ(a.At(L - 3, T - 1), clWhite);
  }
}

TEST(TextLabelDrawing, OddInputDrawsSafely) {
  TRChart c;
  Geometry(c);
  TTextLabel& l = Boxed(c, 1, 200, 150, "");
  l.SetTxtLblPos(std::nan(""), std::numeric_limits<double>::infinity());
  EXPECT_EQ(l.PosX(), 200);  // not-a-number positions are refused
  l.SetShadowDx(std::numeric_limits<int>::max());
  l.SetShadowDy(std::numeric_limits<int>::min());
  l.SetMode(4);
  Area a;
  c.DrawTextLabels(a.bmp.Canvas(), 0, 0);
  EXPECT_EQ(a.At(150 - 4, 133), clRed);  // an empty caption still gets its box
  for (int attach = 0; attach <= 3; ++attach) {
    l.SetAttachToData(TTxtLblAttachMode(attach));
    l.SetTxtLblPos(-1e308, 1e308);
    l.SetCaption("far\n\naway\r\n");
    EXPECT_NO_THROW(c.DrawTextLabels(a.bmp.Canvas(), 0, 0));
  }
  TBitmap empty;
  EXPECT_NO_THROW(c.DrawTextLabels(empty.Canvas(), 0, 0));
}
