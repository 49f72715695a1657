// SPDX-License-Identifier: MIT
// TScale over ranges at the edges of the double type: subnormal widths, huge nearly equal
// ends and the whole double range. Run under UBSan these also prove that no out-of-range
// value reaches an integer conversion.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/numerics/math1.h>
#include <zyr/scales/scale.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace zyr;

namespace {

struct Label {
  double v;
  std::string text;
  int pixel;
};

std::vector<Label> DrawLabels(TScale& s) {
  std::vector<Label> out;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::string& t) {
    out.push_back({v, t, s.R2M(v)});
  };
  TBitmap bmp(s.Width(), s.Height());
  s.UseForeignCanvas(&bmp.Canvas(), 0, 0);
  s.ForcePaint();
  s.UseForeignCanvas(nullptr, 0, 0);
  s.OnBeforeTickLabel = nullptr;
  return out;
}

struct Range {
  double lo, hi;
};
constexpr Range kRanges[] = {
    {5e-324, 0},
    {0, 5e-324},
    {-5e-324, 5e-324},
    {1.6525713066466286e40, 1.6525713066466281e40},
    {1.6525713066466281e40, 1.6525713066466286e40},
    {-DBL_MAX, DBL_MAX},
    {DBL_MAX, std::nextafter(DBL_MAX, 0.0)},
};

}  // namespace

TEST(ScaleExtremeRanges, TickStepsExistAndStayInsideTheRange) {
  for (const Range& r : kRanges) {
    SCOPED_TRACE(testing::Message() << r.lo << " .. " << r.hi);
    double first = 0, step = 0;
    uint16_t nsub = 0;
    CalcScalePars(3, r.lo, r.hi, first, step, nsub);
    ASSERT_NE(step, 0);
    EXPECT_TRUE(std::isfinite(step) && std::isfinite(first));
    EXPECT_EQ(step > 0, r.hi > r.lo);
    EXPECT_LE(std::fabs(first - r.lo), std::fabs(step) * (1 + 1e-9));
  }
}

// Every label names a value of the range in a readable number, at a pixel on the scale.
TEST(ScaleExtremeRanges, LabelsAreNumbersOfTheRangeOnTheScale) {
  for (int type = 0; type <= 3; ++type)
    for (const Range& r : kRanges)
      for (int dec : {-2, -1, 0, 3}) {
        SCOPED_TRACE(testing::Message()
                     << "type " << type << ", " << r.lo << " .. " << r.hi << ", dec " << dec);
        TScale s;
        s.SetBounds(0, 0, type <= 1 ? 300 : 80, type <= 1 ? 60 : 300);
        s.SetScaleType(TScaleType(type));
        s.SetDecPlaces(dec);
        s.SetRange(r.lo, r.hi);
        const std::vector<Label> labels = DrawLabels(s);
        const double lo = std::min(r.lo, r.hi), hi = std::max(r.lo, r.hi);
        const bool horiz = type <= 1;
        const int first = horiz ? s.MarginLeft() : s.MarginTop();
        const int last = horiz ? s.Width() - s.MarginRight() : s.Height() - s.MarginBottom();
        for (const Label& l : labels) {
          EXPECT_GE(l.v, lo - (hi - lo) * 1e-6);
          EXPECT_LE(l.v, hi + (hi - lo) * 1e-6);
          EXPECT_GE(l.pixel, first - 1);
          EXPECT_LE(l.pixel, last + 1);
          if (l.text.empty()) continue;  // DecPlaces 0 leaves fractions unlabelled
          // Three-digit exponents do not fit the exponent form and show as asterisks.
          if (l.text.find_first_not_of('*') == std::string::npos) continue;
          char* end = nullptr;
          std::strtod(l.text.c_str(), &end);
          EXPECT_NE(end, l.text.c_str()) << l.text;
          EXPECT_LE(l.text.size(), 14u);
        }
      }
}

TEST(ScaleExtremeRanges, HugeNearlyEqualEndsShowTheirMagnitude) {
  TScale s;
  s.SetBounds(0, 0, 300, 60);
  s.SetScaleType(1);
  s.SetRange(1.6525713066466286e40, 1.6525713066466281e40);
  const std::vector<Label> labels = DrawLabels(s);
  ASSERT_FALSE(labels.empty());
  for (const Label& l : labels) EXPECT_NE(l.text.find("E+40"), std::string::npos) << l.text;
}

TEST(ScaleExtremeRanges, SubnormalWidthLabelsItsZero) {
  TScale s;
  s.SetBounds(0, 0, 300, 60);
  s.SetScaleType(1);
  s.SetRange(5e-324, 0);
  const std::vector<Label> labels = DrawLabels(s);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front().v, 0);
}

// Positions near the ends of the int range are clamped, never wrapped round into view.
TEST(ScaleExtremeRanges, CaptionFarOutsideTheIntRange) {
  auto picture = [](const std::string& caption) {
    TScale s;
    s.SetBounds(0, 0, 200, 60);
    s.SetScaleType(0);
    s.SetCaption(caption);
    s.SetCaptionPosX(2147483000);
    s.SetCaptionPosY(-2147483000);
    TBitmap bmp(200, 60);
    s.UseForeignCanvas(&bmp.Canvas(), 0, 0);
    s.ForcePaint();
    s.UseForeignCanvas(nullptr, 0, 0);
    return bmp.Image().copy();
  };
  EXPECT_EQ(picture("unit"), picture(""));
}
