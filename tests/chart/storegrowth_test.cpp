// SPDX-License-Identifier: MIT
// Coordinate arrays large enough to live in their own page mappings: growing them (one point
// at a time, in bulk, mixed), copying, exchanging, truncating and freeing them keeps every
// coordinate, and block summaries stay those of the points.

#include <gtest/gtest.h>
#include <zyr/chart/itemstore.h>

#include <algorithm>
#include <vector>

namespace zyr {

namespace {

TrcChartItem Point(double x, double y) {
  TrcChartItem r;
  r.ItemKind = tkLineto;
  r.Layer = 1;
  r.x = x;
  r.y = y;
  return r;
}

void ExpectPoints(const TRcItemContainer& c, size_t n, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(c.Size(), n);
  size_t wrong = 0;
  for (size_t i = 0; i < n; ++i)
    if (c.X()[i] != double(i) || c.Y()[i] != -double(i) * 0.5) ++wrong;
  EXPECT_EQ(wrong, 0u);
  EXPECT_EQ(c[n - 1].x, double(n - 1));
  EXPECT_EQ(c[n - 1].ItemKind, tkLineto);
}

TEST(StoreGrowth, LargeArraysKeepEveryCoordinateThroughGrowthCopiesAndRelease) {
  constexpr size_t kOne = 300'000, kBulk = 700'000;  // through several mapped sizes
  TRcItemContainer c;
  for (size_t i = 0; i < kOne; ++i) c.Append(Point(double(i), -double(i) * 0.5));
  ExpectPoints(c, kOne, "one by one");

  std::vector<double> x(kBulk), y(kBulk);
  for (size_t k = 0; k < kBulk; ++k) {
    x[k] = double(kOne + k);
    y[k] = -double(kOne + k) * 0.5;
  }
  c.AppendPoints(Point(0, 0), x.data(), y.data(), kBulk);
  const size_t n = kOne + kBulk;
  ExpectPoints(c, n, "after a bulk append");
  const size_t blocks = c.SummariseBlocks(n);
  ASSERT_EQ(blocks, n / TRcItemContainer::kBlockSize);
  const TLineBlock& b = c.BlockData()[blocks - 1];
  EXPECT_EQ(b.xFirst, double((blocks - 1) * TRcItemContainer::kBlockSize));
  EXPECT_TRUE(b.Summable);

  TRcItemContainer copy(c);
  ExpectPoints(copy, n, "copy");
  TRcItemContainer other;
  other.Swap(copy);
  ExpectPoints(other, n, "exchanged");
  EXPECT_EQ(copy.Size(), 0u);

  other.SetLength(1000);
  EXPECT_EQ(other.Size(), 1000u);
  for (size_t i = 1000; i < 400'000; ++i) other.Append(Point(double(i), -double(i) * 0.5));
  ExpectPoints(other, 400'000, "grown again after truncation");

  c.SetLength(0);  // frees the arrays
  EXPECT_EQ(c.Size(), 0u);
  c.SetLength(1);
  c.Append(Point(0, 0));
  ExpectPoints(c, 1, "after release");
}

}  // namespace

}  // namespace zyr
