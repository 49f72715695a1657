// SPDX-License-Identifier: MIT
// File exports and printing of every control report a write that did not complete, and never
// leave a partial file or damage what was there.

#include <gtest/gtest.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/printer.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>

#include <functional>

#include "host/file_faults.h"

namespace zyr::test {

namespace {

namespace fs = std::filesystem;

constexpr rlim_t kRoom = 200;  // bytes the "disk" takes before it is full

using TExport = std::function<bool(const std::string& FileName)>;

// Runs one export against a missing folder, a link to a full device, a full disk over an
// existing file and, last, with room to write.
void ExpectTruthfulExport(const std::string& what, const std::string& ext, const TExport& run) {
  SCOPED_TRACE(what + " " + ext);
  const fs::path dir = FreshDir("export");
  const fs::path target = dir / ("picture" + ext);

  EXPECT_FALSE(run((dir / "missing" / ("picture" + ext)).string()));

  fs::create_symlink("/dev/full", dir / ("full" + ext));
  EXPECT_FALSE(run((dir / ("full" + ext)).string()));
  struct stat st {};
  EXPECT_TRUE(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
  fs::remove(dir / ("full" + ext));

  WriteBytes(target, "previous picture");
  {
    DiskFullAfter full(kRoom);
    EXPECT_FALSE(run(target.string()));
  }
  EXPECT_EQ(ReadBytes(target), "previous picture");
  EXPECT_EQ(FilesIn(dir), std::set<std::string>{target.filename().string()});

  EXPECT_TRUE(run(target.string()));
  EXPECT_GT(fs::file_size(target), kRoom);  // the full disk above really was too small
  fs::remove_all(dir);
}

void FillChart(TRChart& c) {
  c.SetBounds(0, 0, 400, 300);
  c.SetCaption(std::string("Exported chart"));
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 10; ++i) c.DrawTo(double(i), double(i % 3) * 3);
}

}  // namespace

TEST(ChartExport, FilesAndPrintsAreWholeOrReportedAsFailed) {
  TRChart c;
  FillChart(c);
  for (const char* ext : {".png", ".bmp"})
    ExpectTruthfulExport("CopyToBMP", ext,
                         [&](const std::string& f) { return c.CopyToBMP(f, false); });
  for (const char* ext : {".svg", ".pdf"})
    ExpectTruthfulExport("CopyToWMF", ext,
                         [&](const std::string& f) { return c.CopyToWMF(f, true); });

  TPrinter& prn = Printer();
  const std::string old = prn.OutputFileName();
  ExpectTruthfulExport("PrintIt", ".pdf", [&](const std::string& f) {
    prn.SetOutputFileName(f);
    return c.PrintIt(1.0, false);
  });
  ExpectTruthfulExport("CopyToOpenPrinter", ".pdf", [&](const std::string& f) {
    prn.SetOutputFileName(f);
    if (!prn.BeginDoc()) return false;
    int x = 0, y = 0;
    const bool drawn = c.CopyToOpenPrinter(x, y, 1.0, false);
    return prn.EndDoc() && drawn;
  });
  prn.SetOutputFileName(old);
  EXPECT_FALSE(prn.Printing());
}

TEST(ChartExport, ContourPlotExportsLikeTheChart) {
  TContourPlot c;
  c.SetBounds(0, 0, 300, 200);
  ExpectTruthfulExport("contour CopyToBMP", ".png",
                       [&](const std::string& f) { return c.CopyToBMP(f, false); });
  ExpectTruthfulExport("contour CopyToWMF", ".svg",
                       [&](const std::string& f) { return c.CopyToWMF(f, false); });
}

TEST(ChartExport, ScalesAndThreeDimensionalPlotsExportTruthfully) {
  TColorScale cs;
  cs.SetBounds(0, 0, 120, 300);
  TScaleGauge g;
  g.SetBounds(0, 0, 300, 120);
  for (const char* ext : {".png", ".svg", ".pdf"}) {
    ExpectTruthfulExport("colour scale", ext,
                         [&](const std::string& f) { return cs.ExportToFile(f); });
    ExpectTruthfulExport("gauge", ext, [&](const std::string& f) { return g.ExportToFile(f); });
  }

  TPlot3D p;
  p.SetBounds(0, 0, 300, 200);
  TRot3D r;
  r.SetBounds(0, 0, 300, 200);
  TPrinter& prn = Printer();
  const std::string old = prn.OutputFileName();
  ExpectTruthfulExport("plot3d CopyToBMP", ".png",
                       [&](const std::string& f) { return p.CopyToBMP(f, true); });
  ExpectTruthfulExport("plot3d CopyToWMF", ".pdf",
                       [&](const std::string& f) { return p.CopyToWMF(f, true); });
  ExpectTruthfulExport("plot3d PrintIt", ".pdf", [&](const std::string& f) {
    prn.SetOutputFileName(f);
    return p.PrintIt(1.0, false, true);
  });
  ExpectTruthfulExport("rot3d CopyToBMP", ".bmp",
                       [&](const std::string& f) { return r.CopyToBMP(f, true); });
  ExpectTruthfulExport("rot3d CopyToWMF", ".svg",
                       [&](const std::string& f) { return r.CopyToWMF(f, true); });
  ExpectTruthfulExport("rot3d PrintIt", ".pdf", [&](const std::string& f) {
    prn.SetOutputFileName(f);
    return r.PrintIt(1.0, false, true);
  });
  prn.SetOutputFileName(old);
}

}  // namespace zyr::test
