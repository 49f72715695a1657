// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/numerics/datatable.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace zyr {
namespace {

// Column 1: 2 4 4 4 5 5 7 9 with a text and an empty cell between them; column 2: text only.
void FillSample(TDataTable& t) {
  t.Resize(2, 10);
  const double v[] = {2, 4, 4, 4, 5, 5, 7, 9};
  for (int i = 0; i < 8; ++i) t.SetElem(1, i + 1, v[i]);
  t.SetElemText(1, 9, "n/a");
  t.SetElemText(2, 1, "label");
  t.SetColName(1, "Weight");
}

TEST(DataTable, StatisticsOfAKnownSample) {
  TDataTable t;
  FillSample(t);
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 10), 8);

  double lo, hi;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 10, lo, hi), 8);
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 9);

  double mean, var;
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 10, mean, var), 8);
  EXPECT_DOUBLE_EQ(mean, 5);
  EXPECT_DOUBLE_EQ(var, 32.0 / 7);  // sample variance

  double q1, q2, q3;
  EXPECT_EQ(t.QuartilesOfNumCells(1, 1, 1, 10, q1, q2, q3), 8);
  EXPECT_DOUBLE_EQ(q1, 4);
  EXPECT_DOUBLE_EQ(q2, 4.5);
  EXPECT_DOUBLE_EQ(q3, 5.5);

  double p;
  EXPECT_EQ(t.PercentileOfNumCells(1, 1, 1, 10, 10, p), 8);
  EXPECT_DOUBLE_EQ(p, 3.4);
  t.PercentileOfNumCells(1, 1, 1, 10, 90, p);
  EXPECT_DOUBLE_EQ(p, 7.6);
  t.PercentileOfNumCells(1, 1, 1, 10, 250, p);  // clamped to 100
  EXPECT_DOUBLE_EQ(p, 9);
}

TEST(DataTable, BlocksAreClippedAndMayBeEmpty) {
  TDataTable t;
  FillSample(t);
  double lo, hi, mean, var, q1, q2, q3, p;
  EXPECT_EQ(t.CountNumCells(2, 1, 2, 10), 0);  // text only
  EXPECT_EQ(t.MinMaxOfNumCells(2, 1, 2, 10, lo, hi), 0);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  EXPECT_EQ(t.MeanVarOfNumCells(2, 1, 2, 10, mean, var), 0);
  EXPECT_EQ(mean, 0);
  EXPECT_EQ(t.QuartilesOfNumCells(5, 5, 9, 9, q1, q2, q3), 0);
  EXPECT_EQ(q2, 0);
  EXPECT_EQ(t.PercentileOfNumCells(0, 0, 0, 0, 50, p), 0);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(t.CountNumCells(2, 10, -4, -4), 8);  // corners swapped and clipped

  EXPECT_EQ(t.MeanVarOfNumCells(1, 8, 1, 8, mean, var), 1);  // one value: no spread
  EXPECT_EQ(mean, 9);
  EXPECT_EQ(var, 0);
}

TEST(DataTable, CellsNamesAndBadInput) {
  TDataTable t;
  FillSample(t);
  EXPECT_TRUE(t.IsNumber(1, 1));
  EXPECT_FALSE(t.IsNumber(1, 9));
  EXPECT_EQ(t.Elem(1, 9), 0);  // text reads as 0
  EXPECT_EQ(t.ElemText(1, 9), "n/a");
  EXPECT_EQ(t.ElemText(1, 1), "2");
  EXPECT_TRUE(t.IsEmpty(1, 10));
  EXPECT_EQ(t.ColName(1), "Weight");
  EXPECT_EQ(t.ColName(2), "Col 2");
  EXPECT_EQ(t.ColName(3), "");

  // Missing values never reach the statistics.
  t.SetElem(1, 10, std::numeric_limits<double>::quiet_NaN());
  t.SetElem(1, 1, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(t.IsEmpty(1, 10));
  EXPECT_TRUE(t.IsEmpty(1, 1));
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 10), 7);

  t.SetElem(0, 1, 5);
  t.SetElem(3, 1, 5);
  t.SetElemText(1, 11, "x");
  t.SetColName(0, "bad");
  EXPECT_EQ(t.Elem(3, 1), 0);
  EXPECT_EQ(t.ElemText(1, 11), "");
}

TEST(DataTable, ResizeKeepsOverlapAndNames) {
  TDataTable t;
  FillSample(t);
  t.Resize(3, 4);
  EXPECT_EQ(t.NrOfColumns(), 3);
  EXPECT_EQ(t.NrOfRows(), 4);
  EXPECT_EQ(t.Elem(1, 4), 4);
  EXPECT_EQ(t.ElemText(2, 1), "label");
  EXPECT_EQ(t.ColName(1), "Weight");
  EXPECT_EQ(t.ColName(3), "Col 3");
  EXPECT_TRUE(t.IsEmpty(3, 4));
  t.Resize(0, 7);
  EXPECT_EQ(t.CountNumCells(1, 1, 10, 10), 0);
  EXPECT_EQ(t.ColName(1), "");
}

TEST(DataTable, AssignCopiesAndNotifies) {
  TDataTable src;
  FillSample(src);
  TDataTable dst;
  int changes = 0;
  dst.OnChange = [&](TObject*) { ++changes; };
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  src.SetElem(1, 1, 100);
  src.SetColName(1, "Other");
  EXPECT_EQ(dst.Elem(1, 1), 2);
  EXPECT_EQ(dst.ColName(1), "Weight");

  dst.BeginUpdate();
  for (int r = 1; r <= 10; ++r) dst.SetElem(2, r, r);
  dst.Clear();
  dst.EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(dst.CountNumCells(1, 1, 2, 10), 0);
}

TEST(DataTable, ExportListsNamesAndCellsOnePerLine) {
  TDataTable t(2, 2);
  t.SetColName(1, "A");
  t.SetColName(2, "Very long column name");
  t.SetElem(1, 1, 1.25);
  t.SetElem(1, 2, -3);
  t.SetElemText(2, 1, "two\r\nlines");
  std::ostringstream out;
  t.ExportAsASC(out, 2);
  const std::string expected = std::string(6, ' ') + std::string(11, ' ') + "A " +
                               "Very long column name \r\n" + "    1 " + std::string(8, ' ') +
                               "1.25 " + std::string(21 - 10, ' ') + "two  lines \r\n" + "    2 " +
                               std::string(7, ' ') + "-3.00 " + std::string(21, ' ') + " \r\n";
  EXPECT_EQ(out.str(), expected);

  std::ostringstream exact;
  t.SetElem(1, 1, 0.1);
  t.ExportAsASC(exact, -2);
  EXPECT_NE(exact.str().find(" 0.1 "), std::string::npos);
}

TEST(DataTable, ExportToFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string name = dir.filePath("table.txt").toStdString();
  TDataTable t;
  FillSample(t);
  t.ExportAsASC(name, -2);
  std::ifstream f(name, std::ios::binary);
  std::stringstream content;
  content << f.rdbuf();
  std::ostringstream direct;
  t.ExportAsASC(direct, -2);
  EXPECT_EQ(content.str(), direct.str());

  EXPECT_THROW(t.ExportAsASC(dir.filePath("no/such/dir/x.txt").toStdString(), 2),
               std::ios_base::failure);
}

}  // namespace
}  // namespace zyr
