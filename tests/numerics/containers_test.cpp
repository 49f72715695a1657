// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/numerics/matrix.h>
#include <zyr/platform/numerics/vector.h>

#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace zyr {
namespace {

TEST(Matrix, ColumnsAndRowsAreOneBased) {
  TMatrix m(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  EXPECT_EQ(m.Elem(3, 2), 0);  // new elements are 0
  m.SetElem(3, 1, 7.5);
  m.SetElem(1, 2, -1);
  EXPECT_EQ(m.Elem(3, 1), 7.5);
  EXPECT_EQ(m.Elem(1, 2), -1);
  EXPECT_EQ(m.Elem(1, 3), 0);  // the row index is the second one
}

TEST(Matrix, OutOfRangeReadsZeroWritesIgnored) {
  TMatrix m(2, 2);
  m.Fill(5);
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-5, -5}, {INT_MAX, INT_MAX}}) {
    EXPECT_EQ(m.Elem(c, r), 0);
    m.SetElem(c, r, 9);
  }
  EXPECT_EQ(changes, 0);
  double lo, hi;
  ASSERT_TRUE(m.MinMax(lo, hi));
  EXPECT_EQ(hi, 5);  // nothing leaked into the matrix
}

TEST(Matrix, ResizeKeepsTheOverlap) {
  TMatrix m(3, 3);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 3; ++c) m.SetElem(c, r, 10 * c + r);
  m.Resize(2, 4);
  EXPECT_EQ(m.Elem(2, 3), 23);
  EXPECT_EQ(m.Elem(1, 1), 11);
  EXPECT_EQ(m.Elem(2, 4), 0);
  EXPECT_EQ(m.Elem(3, 1), 0);
  m.Resize(4, 1);
  EXPECT_EQ(m.Elem(2, 1), 21);
  EXPECT_EQ(m.Elem(4, 1), 0);
  m.Resize(-1, 5);
  EXPECT_TRUE(m.Empty());
  EXPECT_EQ(m.NrOfColumns(), 0);
  EXPECT_EQ(m.Percentile(0.5), 0);
}

TEST(Matrix, TooLargeSizeRaisesAndKeepsContents) {
  TMatrix m(2, 2);
  m.SetElem(2, 2, 4);
  EXPECT_THROW(m.Resize(100000, 100000), std::length_error);
  EXPECT_EQ(m.NrOfColumns(), 2);
  EXPECT_EQ(m.Elem(2, 2), 4);
}

TEST(Matrix, MinMaxOverBlocks) {
  TMatrix m(4, 3);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 4; ++c) m.SetElem(c, r, c * r);
  m.SetElem(4, 3, std::numeric_limits<double>::quiet_NaN());
  double lo, hi;
  ASSERT_TRUE(m.MinMax(2, 2, 3, 3, lo, hi));
  EXPECT_EQ(lo, 4);
  EXPECT_EQ(hi, 9);
  ASSERT_TRUE(m.MinMax(3, 3, 2, 2, lo, hi));  // corners in any order
  EXPECT_EQ(hi, 9);
  ASSERT_TRUE(m.MinMax(0, 0, 99, 99, lo, hi));  // clipped; NaN skipped
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 9);
  EXPECT_FALSE(m.MinMax(5, 1, 8, 3, lo, hi));  // entirely outside
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  TMatrix empty;
  EXPECT_FALSE(empty.MinMax(lo, hi));
}

TEST(Matrix, PercentileOfAllElements) {
  TMatrix m(2, 3);
  const double v[] = {7, 1, 3, 5, 9, std::numeric_limits<double>::quiet_NaN()};
  for (int i = 0; i < 6; ++i) m.SetElem(i % 2 + 1, i / 2 + 1, v[i]);
  EXPECT_DOUBLE_EQ(m.Percentile(0.5), 5);  // median of 1 3 5 7 9
  EXPECT_DOUBLE_EQ(m.Percentile(0.0), 1);
  EXPECT_DOUBLE_EQ(m.Percentile(1.0), 9);
  EXPECT_DOUBLE_EQ(m.Percentile(0.125), 2);  // interpolated between 1 and 3
  EXPECT_DOUBLE_EQ(m.Percentile(-3), 1);     // clamped
  EXPECT_DOUBLE_EQ(m.Percentile(7), 9);
  EXPECT_TRUE(std::isnan(m.Percentile(std::nan(""))));
}

TEST(Matrix, AssignIsDeepAndKeepsOwnHandler) {
  TMatrix a(2, 2), b(1, 1);
  a.SetElem(2, 1, 3);
  int changes = 0;
  b.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &b);
    ++changes;
  };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.NrOfColumns(), 2);
  EXPECT_EQ(b.Elem(2, 1), 3);
  a.SetElem(2, 1, 8);
  EXPECT_EQ(b.Elem(2, 1), 3);  // no shared storage
  EXPECT_FALSE(a.OnChange);

  TIntMatrix im(2, 1);
  im.SetElem(2, 1, -4);
  b.Assign(&im);
  EXPECT_EQ(b.NrOfColumns(), 2);
  EXPECT_EQ(b.NrOfRows(), 1);
  EXPECT_EQ(b.Elem(2, 1), -4);
  EXPECT_EQ(changes, 2);  // one notification for the whole copy

  TVector v(3);
  EXPECT_THROW(b.Assign(&v), std::invalid_argument);
  EXPECT_THROW(im.Assign(&a), std::invalid_argument);
}

TEST(Matrix, ChangeNotificationBatches) {
  TMatrix m(10, 10);
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  m.SetElem(1, 1, 2);
  m.SetElem(1, 1, 2);  // same value: no change
  EXPECT_EQ(changes, 1);
  m.BeginUpdate();
  m.BeginUpdate();
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) m.SetElem(c, r, c + r);
  m.EndUpdate();
  EXPECT_EQ(changes, 1);
  m.EndUpdate();
  EXPECT_EQ(changes, 2);
  m.EndUpdate();  // unbalanced: harmless
  m.Resize(3, 3);
  m.Fill(0);
  EXPECT_EQ(changes, 4);
}

TEST(IntMatrix, SameRulesForIntegers) {
  TIntMatrix m(3, 2);
  m.SetElem(1, 1, 4);
  m.SetElem(3, 2, -2);
  m.SetElem(4, 2, 99);
  EXPECT_EQ(m.Elem(4, 2), 0);
  int lo, hi;
  ASSERT_TRUE(m.MinMax(lo, hi));
  EXPECT_EQ(lo, -2);
  EXPECT_EQ(hi, 4);
  EXPECT_DOUBLE_EQ(m.Percentile(0.5), 0);
  m.Resize(1, 1);
  EXPECT_EQ(m.Elem(1, 1), 4);
}

TEST(Vector, ResizeGetSetAndPercentileOfARange) {
  TVector v(5);
  for (int i = 1; i <= 5; ++i) v.SetElem(i, 6 - i);  // 5 4 3 2 1
  v.SetElem(0, 99);
  v.SetElem(6, 99);
  EXPECT_EQ(v.Elem(0), 0);
  EXPECT_EQ(v.Elem(6), 0);
  EXPECT_DOUBLE_EQ(v.Percentile(0.5), 3);
  EXPECT_DOUBLE_EQ(v.Percentile(0.5, 1, 2), 4.5);  // only the filled part counts
  EXPECT_DOUBLE_EQ(v.Percentile(0.5, 2, 1), 4.5);
  EXPECT_DOUBLE_EQ(v.Percentile(1.0, -10, 3), 5);
  EXPECT_EQ(v.Percentile(0.5, 7, 9), 0);  // nothing in range
  double lo, hi;
  ASSERT_TRUE(v.MinMax(2, 4, lo, hi));
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 4);

  v.Resize(2);
  EXPECT_EQ(v.NrOfElem(), 2);
  EXPECT_EQ(v.Elem(2), 4);
  v.Resize(4);
  EXPECT_EQ(v.Elem(4), 0);
  v.Resize(-3);
  EXPECT_EQ(v.NrOfElem(), 0);
  EXPECT_EQ(v.Percentile(0.5), 0);

  TVector w(2);
  w.SetElem(1, 8);
  v.Assign(&w);
  w.SetElem(1, 1);
  EXPECT_EQ(v.Elem(1), 8);
}

}  // namespace
}  // namespace zyr
