// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/printer.h>

#include <QFile>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "chart_fixture.h"

using namespace zyr;

namespace {

using zyr::test::At;

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("zyr-render-" + name)).string();
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// A 400 x 300 chart with the classic margins (LRim 50, RRim 10, TRim 16, BRim 32).
class Render : public ::testing::Test {
 protected:
  void SetUp() override {
    c.SetBounds(0, 0, 400, 300);
    c.SetStdLayout(rcl_X1Bottom_Y1Left);
    c.SetLRim(50);
    c.SetRRim(10);
    c.SetTRim(16);
    c.SetBRim(32);
    c.SetRange(1, 0, 0, 10, 10);
  }
  const QImage& Pic() { return c.WindowPicture(); }
  // Columns of the middle row of the data area that show the grid colour.
  std::set<int> GridColumns() {
    const QImage& img = Pic();
    std::set<int> cols;
    const int y = c.MarginTop() + c.DataAreaHeight() / 2;
    for (int x = c.MarginLeft() + 1; x < c.MarginLeft() + c.DataAreaWidth() - 1; ++x)
      if (At(img, x, y) == clRed) cols.insert(x);
    return cols;
  }
  int PixelX(double v) {
    int x, y;
    c.R2M(1, v, 1, x, y);
    return x;
  }
  TRChart c;
};

}  // namespace

TEST_F(Render, FrameOutlinesTheDataAreaAndTheWindowColourSurroundsIt) {
  const QImage& img = Pic();
  const int r = 400 - 10, b = 300 - 32;  // right and bottom frame lines (ShadowWidth 0)
  EXPECT_EQ(c.DataAreaWidth(), 341);
  EXPECT_EQ(At(img, 50, 100), clBlack);
  EXPECT_EQ(At(img, r, 100), clBlack);
  EXPECT_EQ(At(img, 200, 16), clBlack);
  EXPECT_EQ(At(img, 200, b), clBlack);
  EXPECT_EQ(At(img, 200, 100), clWhite);
  EXPECT_EQ(At(img, r + 1, 100), ColorToRGB(clBtnFace));
  EXPECT_EQ(At(img, 399, 299), ColorToRGB(clBtnFace));  // no shadow, no outer outline
}

TEST_F(Render, ShadowRimCornersPolygonsAndOutline) {
  c.SetShadowWidth(40);
  EXPECT_EQ(c.ShadowWidth(), 32);
  c.SetShadowWidth(-1);
  EXPECT_EQ(c.ShadowWidth(), 0);
  c.SetShadowWidth(6);
  c.SetShadowColor(clGray);
  c.SetShadowBakColor(clYellow);
  const QImage& img = Pic();
  const int W = 400, H = 300, s = 6;
  EXPECT_EQ(At(img, W - 1, 0), clYellow);  // corner squares
  EXPECT_EQ(At(img, 0, H - 1), clYellow);
  EXPECT_EQ(At(img, 200, H - 3), clGray);  // bottom and right shadow
  EXPECT_EQ(At(img, W - 3, 150), clGray);
  EXPECT_EQ(At(img, W - s, 150), clBlack);  // outline of the control
  EXPECT_EQ(At(img, 200, H - s), clBlack);
  EXPECT_EQ(At(img, 0, 150), clBlack);
  // The data area shrinks by the rim; its frame follows.
  EXPECT_EQ(c.DataAreaWidth(), 335);
  EXPECT_EQ(At(img, 400 - 10 - s, 100), clBlack);
}

TEST_F(Render, GridFollowsTicksAndExplicitDistances) {
  c.SetGridColor(clRed);
  c.SetGridStyle(gsVertLines);
  // Distance 0: exactly the scale's ticks (those inside the range) of the last drawing.
  Pic();
  std::set<int> expected;
  for (int i = 1; i <= c.TickNumX(); ++i) {
    const double v = c.TickPosX(i);
    if (v > 0 && v < 10) expected.insert(PixelX(v));
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(GridColumns(), expected);

  c.SetRange(1, 0.3, 0, 2.5, 10);
  c.SetGridDx(0.5);
  EXPECT_EQ(GridColumns(), (std::set<int>{PixelX(0.5), PixelX(1.0), PixelX(1.5), PixelX(2.0)}));
  c.SetGridDx(-4);  // ignored
  EXPECT_EQ(c.GridDx(), 0.5);
  c.SetGridDx(NAN);
  EXPECT_EQ(c.GridDx(), 0.5);
}

TEST_F(Render, LogarithmicGridSeries) {
  c.SetGridColor(clRed);
  c.SetGridStyle(gsVertDotLines);
  c.SetRange(1, 3, 0, 300, 10);
  c.Scale1X().SetLogarithmic(true);
  c.SetGridStyle(gsVertLines);
  c.SetGridDx(-2);
  std::set<int> cols = GridColumns();
  std::set<int> want;
  for (double v : {5.0, 10.0, 20.0, 50.0, 100.0, 200.0}) want.insert(PixelX(v));
  EXPECT_EQ(cols, want);
  c.SetGridDx(-1);
  EXPECT_EQ(GridColumns(), (std::set<int>{PixelX(10), PixelX(100)}));
  c.SetGridDx(-3);
  EXPECT_EQ(GridColumns().size(), 6u + 9u + 2u);  // 4..9, 10..90, 100, 200 (3 is the frame)
}

TEST_F(Render, TinyGridDistanceStopsAtAThousandLines) {
  c.SetGridColor(clRed);
  c.SetGridStyle(gsVertLines);
  c.SetGridDx(0.001);  // 10000 lines would be needed; the first 1000 reach 0.999
  const std::set<int> cols = GridColumns();
  EXPECT_EQ(cols.count(PixelX(0.5)), 1u);
  EXPECT_EQ(cols.count(PixelX(0.99)), 1u);
  EXPECT_EQ(*cols.rbegin(), PixelX(0.999));
  c.SetGridDx(1e-300);  // a step that vanishes against the values
  EXPECT_TRUE(GridColumns().empty());
}

TEST_F(Render, BackgroundAreasIncludingTheInvertedRectangle) {
  c.BackGroundImg().SetAreaColor(clLime);
  c.BackGroundImg().SetAreaLeft(2);
  c.BackGroundImg().SetAreaRight(8);
  c.BackGroundImg().SetAreaTop(8);
  c.BackGroundImg().SetAreaBottom(2);
  c.BackGroundImg().SetAreaMode(bamRectInv);
  int cx, cy, ox, oy;
  c.R2M(1, 5, 5, cx, cy);
  c.R2M(1, 1, 5, ox, oy);
  EXPECT_EQ(At(Pic(), cx, cy), clWhite);
  EXPECT_EQ(At(Pic(), ox, oy), clLime);
  c.R2M(1, 5, 9, ox, oy);
  EXPECT_EQ(At(Pic(), ox, oy), clLime);
  c.BackGroundImg().SetAreaMode(bamVStripe);
  EXPECT_EQ(At(Pic(), cx, cy), clLime);
  c.R2M(1, 5, 9, ox, oy);
  EXPECT_EQ(At(Pic(), ox, oy), clLime);
  c.R2M(1, 1, 5, ox, oy);
  EXPECT_EQ(At(Pic(), ox, oy), clWhite);
  // Far outside coordinates are clamped, not wrapped.
  c.BackGroundImg().SetAreaLeft(-1e300);
  c.BackGroundImg().SetAreaMode(bamLeft);
  EXPECT_EQ(At(Pic(), cx, cy), clWhite);
}

TEST_F(Render, BackgroundImageStretchedAndFailingImageClearsItsName) {
  const std::string png = TempPath("bg.png");
  QImage bg(4, 4, QImage::Format_RGB32);
  bg.fill(QColor(0, 0, 255));
  ASSERT_TRUE(bg.save(QString::fromStdString(png)));
  c.BackGroundImg().SetIncludePath(true);
  c.BackGroundImg().SetName(png);
  EXPECT_EQ(At(Pic(), 200, 100), clBlue);

  c.BackGroundImg().SetName(TempPath("missing.png"));
  EXPECT_EQ(At(Pic(), 200, 100), clWhite);
  EXPECT_EQ(c.BackGroundImg().Name(), "");

  c.BackGroundImg().SetIncludePath(false);
  c.BackGroundImg().SetName("/some/dir/pic.png");
  EXPECT_EQ(c.BackGroundImg().Name().empty(), true);  // could not be loaded either
  std::filesystem::remove(png);
}

TEST_F(Render, CaptionTrimmingAndClamps) {
  c.SetCaptionTrim(3);
  EXPECT_EQ(c.CaptionTrim(), 5);
  c.SetCaptionTrim(150);
  EXPECT_EQ(c.CaptionTrim(), 100);
  c.SetCaptionTrim(0);
  EXPECT_EQ(c.CaptionTrim(), 0);

  const std::string longCap(80, 'W');
  c.SetCaption(longCap);
  const std::string svgFull = TempPath("full.svg");
  ASSERT_TRUE(c.CopyToWMF(svgFull, false));
  EXPECT_NE(ReadAll(svgFull).find(longCap), std::string::npos);

  c.SetCaptionTrim(50);
  const std::string svgCut = TempPath("cut.svg");
  ASSERT_TRUE(c.CopyToWMF(svgCut, false));
  const std::string text = ReadAll(svgCut);
  EXPECT_EQ(text.find(longCap), std::string::npos);
  EXPECT_NE(text.find("WWW..."), std::string::npos);
  std::filesystem::remove(svgFull);
  std::filesystem::remove(svgCut);
}

TEST_F(Render, MinimumSizeAndDegenerateDataArea) {
  c.SetBounds(0, 0, 10, 5);
  EXPECT_EQ(c.Width(), 50 + 10 + 0 + 80);
  EXPECT_EQ(c.Height(), 16 + 32 + 0 + 20);
  c.SetLRim(5000);  // no room left for the data area
  EXPECT_EQ(c.DataAreaWidth(), 0);
  EXPECT_FALSE(Pic().isNull());
  TBitmap da;
  EXPECT_FALSE(c.CopyToBitmapDAOnly(da, false));
}

TEST_F(Render, BlackAndWhiteRoundTripRestoresEveryColour) {
  c.SetWindColor(clAqua);
  c.SetChartColor(clYellow);
  c.SetChartFrameColor(clMaroon);
  c.SetShadowColor(clNavy);
  c.SetShadowBakColor(clPurple);
  c.Font().SetColor(clGreen);
  c.Scale2Y().SetColorScale(clFuchsia);
  c.Scale1X().Font().SetColor(clTeal);
  c.BackupColorsAndMakeBW();
  EXPECT_EQ(c.WindColor(), clWhite);
  EXPECT_EQ(c.ChartFrameColor(), clBlack);
  EXPECT_EQ(c.ShadowColor(), TColor(0xC0C0C0));
  EXPECT_EQ(c.Scale2Y().ColorScale(), clBlack);
  EXPECT_EQ(c.ScaleX(1).Font().Color(), clBlack);
  c.ReloadBackupColors();
  EXPECT_EQ(c.WindColor(), clAqua);
  EXPECT_EQ(c.ChartColor(), clYellow);
  EXPECT_EQ(c.ChartFrameColor(), clMaroon);
  EXPECT_EQ(c.ShadowColor(), clNavy);
  EXPECT_EQ(c.ShadowBakColor(), clPurple);
  EXPECT_EQ(c.Font().Color(), clGreen);
  EXPECT_EQ(c.Scale2Y().ColorScale(), clFuchsia);
  EXPECT_EQ(c.Scale1X().Font().Color(), clTeal);
  EXPECT_EQ(c.ScaleX(1).Font().Color(), clTeal);
}

TEST_F(Render, EventsFireInOrderWithTheCanvasOrigin) {
  std::string order;
  int top = -1, left = -1;
  c.OnScalesRendered = [&](TObject* s, TCanvas&, int, int) {
    EXPECT_EQ(s, &c);
    order += "S";
  };
  c.OnBeforeRenderData = [&](TObject*, TCanvas&, int t, int l) {
    order += "B";
    top = t;
    left = l;
  };
  c.OnDataRendered = [&](TObject*, TCanvas&, int, int) { order += "D"; };
  Pic();
  EXPECT_EQ(order, "SBD");
  EXPECT_EQ(top, 16);
  EXPECT_EQ(left, 50);
}

TEST(RenderShowGraf, InvisibleChartStillNotifiesItsShare) {
  TRChart owner, user;
  owner.SetBounds(0, 0, 300, 200);
  user.SetBounds(0, 0, 300, 200);
  owner.WindowPicture();
  user.WindowPicture();
  user.SetUseDataOf(&owner);
  int ownerPaints = 0, userPaints = 0;
  owner.OnScalesRendered = [&](TObject*, TCanvas&, int, int) { ++ownerPaints; };
  user.OnScalesRendered = [&](TObject*, TCanvas&, int, int) { ++userPaints; };
  int userData = 0;
  user.OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++userData; };
  user.SetVisible(false);
  owner.DrawTo(1.0, 1.0);
  user.ShowGraf();
  EXPECT_GE(ownerPaints, 1);  // the owner repaints
  EXPECT_EQ(userPaints, 0);   // the invisible chart draws nothing
  EXPECT_EQ(userData, 0);
}

TEST(RenderShowGraf, DataAreaOnlyRedrawKeepsTheFrame) {
  TRChart c;
  c.SetBounds(0, 0, 300, 200);
  c.WindowPicture();
  int scales = 0, data = 0;
  c.OnScalesRendered = [&](TObject*, TCanvas&, int, int) { ++scales; };
  c.OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++data; };
  c.ShowGraf();
  EXPECT_EQ(scales, 0);
  EXPECT_EQ(data, 1);
  c.ShowGrafNewOnly();
  EXPECT_EQ(data, 2);
  c.SetAutoRedraw(false);
  c.ShowGraf();
  EXPECT_EQ(scales, 1);
}

TEST_F(Render, ExportsAreWrittenAndReadable) {
  c.SetCaption("Export caption");
  c.SetGridStyle(gsLines);
  c.DrawTo(5.0, 5.0);
  const QImage window = Pic().copy();

  const std::string png = TempPath("chart.png");
  ASSERT_TRUE(c.CopyToBMP(png, false));
  QImage back(QString::fromStdString(png));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), window);

  TBitmap bmp, da;
  ASSERT_TRUE(c.CopyToBitmap(bmp, false));
  EXPECT_EQ(bmp.Image(), window);
  ASSERT_TRUE(c.CopyToBitmapDAOnly(da, false, false));
  EXPECT_EQ(da.Width(), c.DataAreaWidth());
  EXPECT_EQ(da.Image(), window.copy(50, 16, c.DataAreaWidth(), c.DataAreaHeight()));

  TBitmap bw;
  c.SetWindColor(clAqua);
  ASSERT_TRUE(c.CopyToBitmap(bw, true));
  EXPECT_EQ(bw.Canvas().Pixels(399, 150), clWhite);
  EXPECT_EQ(c.WindColor(), clAqua);

  const std::string svg = TempPath("chart.svg");
  ASSERT_TRUE(c.CopyToWMF(svg, false));
  const std::string svgText = ReadAll(svg);
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  EXPECT_NE(svgText.find("Export caption"), std::string::npos);

  const std::string pdf = TempPath("chart.pdf");
  ASSERT_TRUE(c.CopyToWMF(pdf, false));
  EXPECT_EQ(ReadAll(pdf).substr(0, 4), "%PDF");

  EXPECT_FALSE(c.CopyToBMP("", false));
  EXPECT_FALSE(c.CopyToWMF("/nonexistent-dir/x.svg", false));
  for (const auto& f : {png, svg, pdf}) std::filesystem::remove(f);
}

TEST_F(Render, PrintingGoesToAFileWithoutAPrinter) {
  TPrinter& prn = Printer();
  const std::string out = TempPath("print.pdf");
  prn.SetOutputFileName(out);
  EXPECT_FALSE(c.PrintIt(NAN, false));
  ASSERT_TRUE(c.PrintIt(1.0, true));
  EXPECT_EQ(ReadAll(out).substr(0, 4), "%PDF");
  int x = 0, y = 0;
  EXPECT_FALSE(c.CopyToOpenPrinter(x, y, 1.0, false));  // no job open
  std::filesystem::remove(out);
}
