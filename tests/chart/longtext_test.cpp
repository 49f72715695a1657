// SPDX-License-Identifier: MIT
// Texts of megabytes in a chart (caption, text item, text label, tick labels) give the picture
// their visible part gives.

#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>

#include <QImage>
#include <functional>

namespace zyr::test {

namespace {

const std::string& Huge() {
  static const std::string s = [] {
    std::string t;
    while (t.size() < (4u << 20)) t += "Chart text that goes on and on, ";
    return t;
  }();
  return s;
}

// 32 bytes per repetition: whole repetitions keep the proportions of the huge text.
std::string Head(size_t reps) { return Huge().substr(0, 32 * reps); }

QImage Picture(const std::function<void(TRChart&)>& setUp) {
  TRChart c;
  c.SetBounds(0, 0, 1000, 700);
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  setUp(c);
  TBitmap bmp;
  EXPECT_TRUE(c.CopyToBitmap(bmp, false));
  return bmp.Image().copy();
}

}  // namespace

TEST(ChartLongText, HugeCaptionItemAndLabelShowTheirVisibleBeginning) {
  const auto caption = [](const std::string& t) {
    return [t](TRChart& c) {
      c.SetCaptAnchorX(cahControlLeft);
      c.SetCaptPosX(5);
      c.SetCaptAlignment(taLeftJustify);
      c.SetCaption(t);
    };
  };
  EXPECT_EQ(Picture(caption(Huge())), Picture(caption(Head(60))));

  const auto item = [](const std::string& t) {
    return [t](TRChart& c) { c.Text(1.0, 5.0, 12, t, 0, 0, taLeftJustify); };
  };
  EXPECT_EQ(Picture(item(Huge())), Picture(item(Head(60))));

  const auto label = [](const std::string& t) {
    return [t](TRChart& c) {
      const int n = c.AddTextLabel(2.0, 7.0, clBlue, t, 0);
      c.TextLabels(n).SetAlignment(taLeftJustify);
      c.TextLabels(n).SetMode(2);  // boxed: the box spans the whole text
    };
  };
  EXPECT_EQ(Picture(label(Huge())), Picture(label(Head(60))));
}

TEST(ChartLongText, TrimmedHugeCaptionEndsInDotsLikeAShortOne) {
  const auto trimmed = [](const std::string& t) {
    return [t](TRChart& c) {
      c.SetCaptionTrim(50);
      c.SetCaption(t);
    };
  };
  const QImage huge = Picture(trimmed(Huge()));
  EXPECT_EQ(huge, Picture(trimmed(Head(1000))));
  EXPECT_NE(huge, Picture([](TRChart&) {}));  // there is a caption
}

TEST(ChartLongText, HugeTickLabelsLeaveTheDataAreaAlone) {
  const auto ticks = [](const std::string& t) {
    return [t](TRChart& c) {
      c.OnBeforeTickLabel = [t](TObject*, TScaleType, double, std::string& s) { s = t; };
    };
  };
  const QImage huge = Picture(ticks(Huge()));
  const QImage plain = Picture([](TRChart&) {});
  const QRect dataArea(60, 26, 900, 600);
  EXPECT_EQ(huge.copy(dataArea), plain.copy(dataArea));
  EXPECT_NE(huge, plain);
}

}  // namespace zyr::test
