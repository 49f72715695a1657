// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/boxplot.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace zyr;

namespace {

// A box plot whose window exists, so that every change rebuilds it.
std::unique_ptr<TBoxPlot> Live(int w = 400, int h = 300) {
  auto bp = std::make_unique<TBoxPlot>();
  bp->SetBounds(0, 0, w, h);
  bp->HandleNeeded();
  return bp;
}

std::vector<TrcChartItem> ItemsOfKind(TBoxPlot& bp, TrcItem kind) {
  std::vector<TrcChartItem> out;
  for (int i = 0; i < bp.NumItems(); ++i)
    if (bp.GetChartItem(i).ItemKind == kind) out.push_back(bp.GetChartItem(i));
  return out;
}

// Column c holds lo, lo + step, ... (n values).
void FillColumn(TDataTable& t, int c, double lo, double step, int n) {
  for (int r = 1; r <= n; ++r) t.SetElem(c, r, lo + (r - 1) * step);
}

}  // namespace

TEST(BoxPlot, FreshControlShowsOneLabelledBoxAtOne) {
  auto bp = Live();
  EXPECT_EQ(bp->Data().NrOfColumns(), 1);
  EXPECT_EQ(bp->Data().CountNumCells(1, 1, 1, 100), 100);
  EXPECT_EQ(bp->Caption(), "BoxPlot");
  EXPECT_EQ(bp->Orientation(), bpltVertical);
  EXPECT_FALSE(bp->Scale1X().Visible());
  const auto rects = ItemsOfKind(*bp, tkRect);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_DOUBLE_EQ(std::min(rects[0].x, rects[0].x2), 0.75);
  EXPECT_DOUBLE_EQ(std::max(rects[0].x, rects[0].x2), 1.25);
  EXPECT_DOUBLE_EQ(std::min(rects[0].y, rects[0].y2), bp->Quartile(1, 1));
  EXPECT_DOUBLE_EQ(std::max(rects[0].y, rects[0].y2), bp->Quartile(1, 3));
  EXPECT_EQ(rects[0].FillColor, 0xE9E9E9u);
  EXPECT_EQ(bp->TextLabels(1).Caption(), bp->Data().ColName(1));
  EXPECT_TRUE(bp->TextLabels(1).Visible());
  EXPECT_DOUBLE_EQ(bp->TextLabels(1).PosX(), 1);
  EXPECT_DOUBLE_EQ(bp->TextLabels(1).PosY(), 300 - 8 - 24);
  EXPECT_FALSE(bp->TextLabels(2).Visible());
}

TEST(BoxPlot, SettersClampAndIgnore) {
  auto bp = Live();
  bp->SetBoxWidth(2);
  EXPECT_EQ(bp->BoxWidth(), 1);
  bp->SetBoxWidth(-1);
  EXPECT_EQ(bp->BoxWidth(), 0);
  bp->SetBoxWidth(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(bp->BoxWidth(), 0);
  bp->SetSymbolMean(52);
  EXPECT_EQ(bp->SymbolMean(), 5);
  bp->SetSymbolMin(51);
  EXPECT_EQ(bp->SymbolMin(), 51);
  bp->SetSymbolMax(-3);
  EXPECT_EQ(bp->SymbolMax(), 26);
}

TEST(BoxPlot, StatisticsSkipTextAndEmptyCells) {
  auto bp = Live();
  TDataTable& t = bp->Data();
  t.Resize(2, 12);
  t.Clear();
  FillColumn(t, 1, 1, 1, 11);  // 1..11
  t.SetElemText(1, 12, "n/a");
  t.SetElem(2, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(bp->Minimum(1), 1);
  EXPECT_DOUBLE_EQ(bp->Maximum(1), 11);
  EXPECT_DOUBLE_EQ(bp->Mean(1), 6);
  EXPECT_DOUBLE_EQ(bp->Quartile(1, 1), 3.5);
  EXPECT_DOUBLE_EQ(bp->Quartile(1, 2), 6);
  EXPECT_DOUBLE_EQ(bp->Quartile(1, 3), 8.5);
  EXPECT_DOUBLE_EQ(bp->Percentile90(1, 1), 2);
  EXPECT_DOUBLE_EQ(bp->Percentile90(1, 2), 10);
  // The column without numbers draws nothing.
  EXPECT_EQ(ItemsOfKind(*bp, tkRect).size(), 1u);
}

TEST(BoxPlot, MedianAndPercentileLineLengths) {
  auto bp = Live();
  FillColumn(bp->Data(), 1, 1, 1, 100);
  bp->SetBoxWidth(0.8);
  bp->SetShow90Perc(true);
  bp->SetShowMean(false);
  bp->SetShowMinMax(false);
  // Lines across the box: two percentile lines then the median line (whiskers are vertical).
  std::vector<TrcChartItem> across;
  for (const auto& it : ItemsOfKind(*bp, tkLine))
    if (it.y == it.y2) across.push_back(it);
  ASSERT_EQ(across.size(), 3u);
  EXPECT_NEAR(std::fabs(across[0].x2 - across[0].x), 0.4, 1e-12);
  EXPECT_NEAR(std::fabs(across[1].x2 - across[1].x), 0.4, 1e-12);
  EXPECT_NEAR(std::fabs(across[2].x2 - across[2].x), 0.8, 1e-12);
  EXPECT_DOUBLE_EQ(across[2].y, bp->Quartile(1, 2));
  EXPECT_TRUE(ItemsOfKind(*bp, tkMarkAt).empty());
  bp->SetSymbol90Perc(3);
  EXPECT_EQ(ItemsOfKind(*bp, tkMarkAt).size(), 2u);
}

TEST(BoxPlot, ThirtyFiveColumnsThirtyLabels) {
  auto bp = Live(900, 300);
  TDataTable& t = bp->Data();
  t.BeginUpdate();
  t.Resize(35, 5);
  for (int c = 1; c <= 35; ++c) FillColumn(t, c, c, 1, 5);
  t.SetColName(3, "\\x41bc");
  t.EndUpdate();
  EXPECT_EQ(ItemsOfKind(*bp, tkRect).size(), 35u);
  for (int i = 1; i <= 30; ++i) EXPECT_TRUE(bp->TextLabels(i).Visible()) << i;
  EXPECT_EQ(bp->TextLabels(30).Caption(), "Col 30");
  EXPECT_EQ(bp->TextLabels(3).Caption(), "Abc");
  // Fewer columns again hide the surplus labels.
  t.Resize(2, 5);
  EXPECT_TRUE(bp->TextLabels(2).Visible());
  EXPECT_FALSE(bp->TextLabels(3).Visible());
}

TEST(BoxPlot, OrientationExchangesRangesAxesAndLabels) {
  auto bp = Live();
  bp->SetRange(0, -5, 3, 20);
  bp->SetOrientation(bpltHorizontal);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeLow(), -5);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeHigh(), 20);
  EXPECT_DOUBLE_EQ(bp->Scale1Y().RangeLow(), 0);
  EXPECT_DOUBLE_EQ(bp->Scale1Y().RangeHigh(), 3);
  EXPECT_TRUE(bp->Scale1X().Visible());
  EXPECT_FALSE(bp->Scale1Y().Visible());
  const TTextLabel& l = bp->TextLabels(1);
  EXPECT_EQ(l.AttachToData(), 2);
  EXPECT_DOUBLE_EQ(l.PosY(), 1);
  EXPECT_DOUBLE_EQ(l.PosX(), 400 - 8 - bp->MarginRight());
  EXPECT_EQ(l.Alignment(), taRightJustify);
  const auto rects = ItemsOfKind(*bp, tkRect);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_DOUBLE_EQ(std::min(rects[0].y, rects[0].y2), 0.75);
  // A negative position counts from the left margin.
  bp->Labels().SetPosition(-6);
  bp->SetBounds(0, 0, 400, 300);
  EXPECT_DOUBLE_EQ(bp->TextLabels(1).PosX(), bp->MarginLeft() + 6);
  EXPECT_EQ(bp->TextLabels(1).Alignment(), taLeftJustify);
  bp->SetOrientation(bpltVertical);
  EXPECT_DOUBLE_EQ(bp->TextLabels(1).PosY(), bp->MarginTop() + 6);
  EXPECT_EQ(bp->TextLabels(1).VerticalAlignment(), 0);
}

TEST(BoxPlot, AutoRangeFitsValuesAndCategories) {
  auto bp = Live();
  TDataTable& t = bp->Data();
  t.Resize(3, 6);
  t.Clear();
  FillColumn(t, 1, 2, 1, 6);    // 2..7
  FillColumn(t, 2, 7, 1, 6);    // 7..12
  t.SetElemText(3, 1, "none");  // no numbers: must not pull the range to 0
  bp->AutoRange(10);
  EXPECT_DOUBLE_EQ(bp->Scale1Y().RangeLow(), 1);
  EXPECT_DOUBLE_EQ(bp->Scale1Y().RangeHigh(), 13);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeLow(), 0);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeHigh(), 4);
  bp->SetOrientation(bpltHorizontal);
  bp->AutoRange(0);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeLow(), 2);
  EXPECT_DOUBLE_EQ(bp->Scale1X().RangeHigh(), 12);
  EXPECT_DOUBLE_EQ(bp->Scale1Y().RangeHigh(), 4);
}

TEST(BoxPlot, BeforeBoxDrawColoursOnlyThatBox) {
  auto bp = Live();
  bp->OnBeforeBoxDraw = [](TObject*, int col, TColor&, TColor& body, TColor&, TColor&, TColor&,
                           TColor&) {
    if (col == 2) body = clRed;
  };
  TDataTable& t = bp->Data();
  t.Resize(3, 11);
  t.Clear();
  for (int c = 1; c <= 3; ++c) FillColumn(t, c, 1, 1, 11);
  bp->SetRange(0, 0, 4, 12);
  const QImage& pic = bp->WindowPicture();
  // Inside each box between the lower quartile (3.5) and the median (6).
  for (int c = 1; c <= 3; ++c) {
    int x = 0, y = 0;
    bp->R2M(1, c + 0.1, 4.5, x, y);
    const QRgb px = pic.pixel(x, y);
    if (c == 2)
      EXPECT_EQ(px & 0xFFFFFF, 0xFF0000u) << c;  // red in QRgb
    else
      EXPECT_EQ(px & 0xFFFFFF, 0xE9E9E9u) << c;
  }
}

TEST(BoxPlot, GridStyleFollowsOrientation) {
  auto bp = Live();
  bp->SetGridStyle(bpgsLines);
  EXPECT_EQ(bp->TCustomRChart::GridStyle(), gsHorizLines);
  bp->SetOrientation(bpltHorizontal);
  EXPECT_EQ(bp->TCustomRChart::GridStyle(), gsVertLines);
  bp->SetGridStyle(bpgsDotLines);
  EXPECT_EQ(bp->TCustomRChart::GridStyle(), gsVertDotLines);
  bp->SetGridStyle(bpgsNone);
  EXPECT_EQ(bp->TCustomRChart::GridStyle(), gsNone);
}

TEST(BoxPlot, TextExportLayout) {
  auto bp = Live();
  TDataTable& t = bp->Data();
  t.Resize(2, 11);
  t.Clear();
  FillColumn(t, 1, 1, 1, 11);
  FillColumn(t, 2, 10, 10, 11);
  t.SetColName(2, "a very long column name");
  const std::string fn = ::testing::TempDir() + "boxplot_export.txt";
  bp->SaveDataASC(fn);
  std::ifstream f(fn, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  const std::string all = ss.str();
  const std::string block =
      "\r\n" + std::string(30, '-') + " Box Parameters " + std::string(30, '-') + "\r\n\r\n";
  const size_t at = all.find(block);
  ASSERT_NE(at, std::string::npos);
  std::vector<std::string> lines;
  std::string rest = all.substr(at + block.size());
  for (size_t p; (p = rest.find("\r\n")) != std::string::npos; rest.erase(0, p + 2))
    lines.push_back(rest.substr(0, p));
  EXPECT_TRUE(rest.empty());
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "      " + std::string("   Col 1    ") + " " + "a very long." + " ");
  const char* heads[] = {
      "Mean: ", " Min: ", " P10: ", "  Q1: ", "  Q2: ", "  Q3: ", " P90: ", " Max: "};
  const double c1[] = {6, 1, 2, 3.5, 6, 8.5, 10, 11};
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(lines[size_t(k) + 1].size(), 6u + 2 * 13);
    EXPECT_EQ(lines[size_t(k) + 1].substr(0, 6), heads[k]);
    EXPECT_DOUBLE_EQ(std::stod(lines[size_t(k) + 1].substr(6, 12)), c1[k]);
    EXPECT_DOUBLE_EQ(std::stod(lines[size_t(k) + 1].substr(19, 12)), c1[k] * 10);
  }
  std::remove(fn.c_str());
  EXPECT_THROW(bp->SaveDataASC("/nonexistent-dir/x/boxplot.txt"), std::ios_base::failure);
}

TEST(BoxPlot, ForeignTablesAndBadInput) {
  TDataTable outer(2, 4);
  FillColumn(outer, 1, 1, 1, 4);
  {
    auto bp = Live();
    bp->AssignAnotherDataTable(&outer);
    EXPECT_TRUE(bp->ExternalDataTable());
    EXPECT_EQ(ItemsOfKind(*bp, tkRect).size(), 1u);
    outer.SetElem(2, 1, 5);  // hooked: rebuilds
    EXPECT_EQ(ItemsOfKind(*bp, tkRect).size(), 2u);
  }
  outer.SetElem(2, 2, 6);  // the box plot is gone and must have unhooked itself
  EXPECT_FALSE(bool(outer.OnChange));

  auto bp = Live();
  {
    auto shared = std::make_shared<TDataTable>(1, 3);
    FillColumn(*shared, 1, 1, 1, 3);
    bp->AssignAnotherDataTable(shared);
    EXPECT_EQ(&bp->Data(), shared.get());
  }
  // The shared table died first: the box plot falls back to an empty table of its own.
  EXPECT_EQ(bp->Data().NrOfColumns(), 0);
  EXPECT_FALSE(bp->ExternalDataTable());
  bp->CreateChart();
  bp->AutoRange(5);
  EXPECT_EQ(bp->NumItems(), 0);

  // A single value, then an empty table, then detaching.
  bp->Data().Resize(1, 1);
  bp->Data().SetElem(1, 1, 3);
  EXPECT_DOUBLE_EQ(bp->Quartile(1, 1), 3);
  EXPECT_DOUBLE_EQ(bp->Quartile(1, 3), 3);
  bp->Data().Resize(0, 0);
  EXPECT_EQ(ItemsOfKind(*bp, tkRect).size(), 0u);
  bp->AssignAnotherDataTable(static_cast<TDataTable*>(nullptr));
  EXPECT_FALSE(bp->ExternalDataTable());
  bp->WindowPicture();
}
