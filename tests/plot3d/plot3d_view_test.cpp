// SPDX-License-Identifier: MIT
// Surface plot: drawing (pixel probes, order, axes), cell under the mouse, mouse actions, bad
// input and export.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/printer.h>
#include <zyr/plot3d/plot3d.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <vector>

using namespace zyr;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TColor PixelAt(TPlot3D& p, int x, int y) {
  const QRgb c = p.WindowPicture().pixel(x, y);
  return RGB(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
}

// Whether the colour appears within one pixel of (x, y): lines may round either way.
bool ColourNear(TPlot3D& p, int x, int y, TColor c) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (PixelAt(p, x + dx, y + dy) == c) return true;
  return false;
}

// Screen position of a model point, as the plot projects it.
QPoint Screen(TPlot3D& p, double x, double y, double z) {
  const double sx = p.GetRotMat(1, 1) * x + p.GetRotMat(1, 2) * y + p.GetRotMat(1, 3) * z;
  const double sy = p.GetRotMat(2, 1) * x + p.GetRotMat(2, 2) * y + p.GetRotMat(2, 3) * z;
  return QPoint(int(std::nearbyint(p.Magnification() * sx + p.CentX())),
                int(std::nearbyint(p.Magnification() * sy + p.CentY())));
}

void FillGrid(TPlot3D& p, int nx, int ny, double z) {
  p.SetSuppressPaint(true);
  p.GridMat.Resize(nx, ny);
  p.GridMat.Fill(z);
  p.SetSuppressPaint(false);
}

struct CellLog {
  std::vector<std::pair<int, int>> cells;
  void Attach(TPlot3D& p) {
    p.OnBeforeRenderPolygon = [this](TObject*, TCanvas&, bool&, int x, int y, TQuad, TColor&) {
      cells.push_back({x, y});
    };
  }
};

TEST(Plot3DDraw, OneCellOfA2x2GridInItsColour) {
  TPlot3D p;
  FillGrid(p, 2, 2, 50);
  p.SetRange(0, 1, 0, 1, 0, 100);  // height 50 lies in the middle of the box
  CellLog log;
  log.Attach(p);
  // Black to yellow at t = 0.5: 127.5 rounds to the even 128.
  EXPECT_EQ(PixelAt(p, p.CentX(), p.CentY()), RGB(128, 128, 0));
  ASSERT_EQ(log.cells.size(), 1u);
  EXPECT_EQ(log.cells[0], std::make_pair(1, 1));

  // The projection of a known grid point: (1, 1) is the box corner (-150, -150, 0).
  const QPoint c = Screen(p, -150, -150, 0);
  EXPECT_EQ(p.ProjMapX().Elem(1, 1), c.x());
  EXPECT_EQ(p.ProjMapY().Elem(1, 1), c.y());
  p.SetMagnification(0.5);
  p.WindowPicture();
  EXPECT_EQ(p.ProjMapX().Elem(1, 1), Screen(p, -150, -150, 0).x());
}

TEST(Plot3DDraw, HandlerChangesOrTakesOverACell) {
  TPlot3D p;
  FillGrid(p, 2, 2, 50);
  p.SetRange(0, 1, 0, 1, 0, 100);
  p.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool&, int, int, TQuad, TColor& c) {
    c = RGB(1, 200, 3);
  };
  EXPECT_EQ(PixelAt(p, p.CentX(), p.CentY()), RGB(1, 200, 3));

  TQuad seen{};
  p.OnBeforeRenderPolygon = [&seen](TObject*, TCanvas& cv, bool& handled, int, int, TQuad q,
                                    TColor&) {
    seen = q;
    handled = true;
    cv.Pen().SetColor(RGB(9, 9, 9));
    cv.MoveTo(q.p[0].X, q.p[0].Y);
    cv.LineTo(q.p[2].X, q.p[2].Y);
  };
  p.Repaint();
  EXPECT_NE(PixelAt(p, p.CentX(), p.CentY()), RGB(128, 128, 0));
  EXPECT_TRUE(ColourNear(p, p.CentX(), p.CentY(), RGB(9, 9, 9)));
  EXPECT_EQ(seen.p[2].X, p.ProjMapX().Elem(2, 2));
  EXPECT_EQ(seen.p[2].Y, p.ProjMapY().Elem(2, 2));
}

TEST(Plot3DDraw, EveryMeshKindFillsTheCell) {
  for (int kind = mkMesh; kind <= mkGrid; ++kind) {
    TPlot3D p;
    FillGrid(p, 2, 2, 50);
    p.SetRange(0, 1, 0, 1, 0, 100);
    p.SetMeshKind(TMeshKind(kind));
    p.SetMeshVisible(false);
    // A point off the diagonal and the mid lines, inside the cell.
    const QPoint q = Screen(p, -40, 70, 0);
    EXPECT_EQ(PixelAt(p, q.x(), q.y()), RGB(128, 128, 0)) << "kind " << kind;
  }
}

TEST(Plot3DDraw, DrawingOrderFollowsTheView) {
  TPlot3D p;
  FillGrid(p, 3, 3, 0);
  p.WindowPicture();
  // Rows and columns upwards: sequence numbers count the grid row by row.
  EXPECT_EQ(p.ProjMapZ().Elem(1, 1), 1);
  EXPECT_EQ(p.ProjMapZ().Elem(2, 1), 2);
  EXPECT_EQ(p.ProjMapZ().Elem(1, 2), 4);
  EXPECT_EQ(p.ProjMapZ().Elem(3, 3), 9);

  CellLog log;
  log.Attach(p);
  p.SetViewAngleZ(195);  // seen from the other side: both directions turn round
  p.WindowPicture();
  ASSERT_EQ(log.cells.size(), 4u);
  EXPECT_EQ(log.cells.front(), std::make_pair(2, 2));
  EXPECT_EQ(log.cells.back(), std::make_pair(1, 1));
  EXPECT_EQ(p.ProjMapZ().Elem(3, 3), 5);  // corner P2 of the first cell, (2, 2)
}

TEST(Plot3DDraw, RearAndFrontEdgesOfTheBox) {
  TPlot3D p;
  FillGrid(p, 1, 1, 0);  // no surface to cover the box
  const TColor hid = RGB(0xB0, 0xB0, 0xB0), front = RGB(0x40, 0x40, 0x40);
  // Rear corner 0: its edge to corner 2; front corner 7: its edge to corner 3.
  QPoint m = Screen(p, -150, 0, -150);
  EXPECT_TRUE(ColourNear(p, m.x(), m.y(), hid));
  m = Screen(p, -150, 150, 0);
  EXPECT_TRUE(ColourNear(p, m.x(), m.y(), front));

  p.SetViewAngleZ(195);  // rear corner 6, front corner 1
  m = Screen(p, 0, 150, -150);
  EXPECT_TRUE(ColourNear(p, m.x(), m.y(), hid));
  m = Screen(p, -150, -150, 0);
  EXPECT_TRUE(ColourNear(p, m.x(), m.y(), front));

  p.SetBoundBoxStyle(0);
  EXPECT_FALSE(ColourNear(p, m.x(), m.y(), front));
}

TEST(Plot3DDraw, AxisLabelsAndCaptions) {
  TPlot3D p;
  FillGrid(p, 4, 4, 0);
  p.SetRange(0, 10, 0, 1, -1, 1);
  std::vector<std::string> x, z;
  p.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas&, TP3ScaleKind k, std::string& s, int, int) {
    if (k == p3skX) x.push_back(s);
    if (k == p3skZ) z.push_back(s);
  };
  p.WindowPicture();
  EXPECT_EQ(x, (std::vector<std::string>{"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
  EXPECT_EQ(z, (std::vector<std::string>{"-1.00", "-0.50", "0.00", "0.50", "1.00"}));

  // A reversed axis counts down and ends.
  x.clear();
  p.SetRange(10, 0, 0, 1, -1, 1);
  p.WindowPicture();
  EXPECT_EQ(x.front(), "10.0");
  EXPECT_EQ(x.back(), "0.0");
  EXPECT_EQ(x.size(), 6u);

  z.clear();
  p.SetVisibleZCoords(false);
  p.WindowPicture();
  EXPECT_TRUE(z.empty());
}

TEST(Plot3DDraw, DesignerShowsTheNameOnly) {
  TPlot3D p;
  FillGrid(p, 3, 3, 0);
  CellLog log;
  log.Attach(p);
  p.SetDesigning(true);
  p.Repaint();
  EXPECT_TRUE(log.cells.empty());
  bool dark = false;
  for (int y = 10; y < 24; ++y)
    for (int x = 10; x < 50; ++x) dark |= PixelAt(p, x, y) == clBlack;
  EXPECT_TRUE(dark);
}

TEST(Plot3DDraw, SuppressPaintAndForeignCanvas) {
  TPlot3D p;
  int rendered = 0;
  p.OnDataRendered = [&](TObject*, TCanvas&) { ++rendered; };
  p.SetSuppressPaint(true);
  p.Repaint();
  EXPECT_EQ(rendered, 0);
  p.SetSuppressPaint(false);
  p.WindowPicture();
  EXPECT_EQ(rendered, 1);

  TBitmap bmp(650, 500);
  TCanvas* seen = nullptr;
  p.OnDataRendered = [&](TObject*, TCanvas& cv) { seen = &cv; };
  p.DrawOnForeignCanvas(bmp.Canvas());
  EXPECT_EQ(seen, &bmp.Canvas());
  EXPECT_FALSE(p.SuppressPaint());
}

TEST(Plot3DMouse, CellUnderTheMouseAfterRotation) {
  TPlot3D p;
  FillGrid(p, 5, 5, 0);
  p.SetViewAngles(40, 200);
  p.WindowPicture();
  bool over = false;
  int cx = -1, cy = -1;
  p.OnMouseMoveOverPlot = [&](TObject*, bool o, TShiftState, int x, int y) {
    over = o;
    cx = x;
    cy = y;
  };
  auto centre = [&p](int ix, int iy) {
    const auto& mx = p.ProjMapX();
    const auto& my = p.ProjMapY();
    return QPoint(
        (mx.Elem(ix, iy) + mx.Elem(ix + 1, iy) + mx.Elem(ix + 1, iy + 1) + mx.Elem(ix, iy + 1)) / 4,
        (my.Elem(ix, iy) + my.Elem(ix + 1, iy) + my.Elem(ix + 1, iy + 1) + my.Elem(ix, iy + 1)) /
            4);
  };
  const QPoint c = centre(2, 4);
  p.MouseMove(0, c.x(), c.y());
  EXPECT_TRUE(over);
  EXPECT_EQ(cx, 2);
  EXPECT_EQ(cy, 4);
  const QPoint d = centre(4, 1);
  p.MouseMove(0, d.x(), d.y());
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 1);
  p.MouseMove(0, 3, 3);
  EXPECT_FALSE(over);
  EXPECT_EQ(cx, 0);
  EXPECT_EQ(cy, 0);
}

TEST(Plot3DMouse, NearestCellWinsWhereCellsOverlap) {
  TPlot3D p;
  FillGrid(p, 3, 3, 0);
  // The front row rises into a wall that covers the rear row on the screen.
  for (int ix = 1; ix <= 3; ++ix) p.GridMat.SetElem(ix, 3, 3);
  p.SetSuppressPaint(true);
  p.SetSuppressPaint(false);
  p.WindowPicture();
  int cx = 0, cy = 0;
  p.OnMouseMoveOverPlot = [&](TObject*, bool, TShiftState, int x, int y) {
    cx = x;
    cy = y;
  };
  // Just above the floor edge of cell (1, 2): inside cell (1, 1) and the wall drawn after it.
  const int x = (p.ProjMapX().Elem(1, 2) + p.ProjMapX().Elem(2, 2)) / 2;
  const int y = (p.ProjMapY().Elem(1, 2) + p.ProjMapY().Elem(2, 2)) / 2 - 10;
  p.MouseMove(0, x, y);
  EXPECT_EQ(cx, 1);
  EXPECT_EQ(cy, 2);
}

TEST(Plot3DMouse, RotateZoomAndPan) {
  TPlot3D p;
  p.MouseMove(0, 100, 100);
  p.MouseMove(ssLeft, 165, 100);
  EXPECT_NEAR(p.ViewAngleZ(), 339, 1e-9);  // 15 - 36 wraps round once
  EXPECT_NEAR(p.ViewAngleX(), 60, 1e-9);
  p.SetViewAngLimHigh(2, 300);
  p.MouseMove(ssLeft, 166, 100);
  EXPECT_NEAR(p.ViewAngleZ(), 300, 1e-9);
  p.MouseMove(ssLeft, 100, 5000);  // outside the control: no step
  EXPECT_NEAR(p.ViewAngleZ(), 300, 1e-9);

  p.SetMouseAction(14);
  p.MouseMove(0, 100, 100);
  p.MouseMove(ssLeft, 100, 150);
  EXPECT_NEAR(p.ViewAngleX(), 96, 1e-9);

  int zoomPans = 0;
  p.OnZoomPan = [&](TObject*) { ++zoomPans; };
  p.SetMouseAction(6);
  p.MouseMove(0, 100, 300);
  p.MouseMove(ssLeft, 100, 200);
  EXPECT_NEAR(p.Magnification(), 1.49, 1e-9);
  p.MouseMove(ssLeft, 100, 0);
  EXPECT_NEAR(p.Magnification(), 2.47, 1e-9);

  p.SetMouseAction(13);
  p.MouseMove(0, 10, 10);
  p.MouseMove(ssRight, 10, 500);  // zoom out as far as it goes
  EXPECT_NEAR(p.Magnification(), 0.1, 1e-9);

  p.SetMouseAction(1);
  p.MouseMove(0, 10, 10);
  p.MouseMove(ssLeft, 30, 5);
  EXPECT_EQ(p.CentX(), 345);
  EXPECT_EQ(p.CentY(), 245);
  EXPECT_EQ(zoomPans, 4);
}

TEST(Plot3DMouse, HandlerDecidesTheNewView) {
  TPlot3D p;
  p.OnMouseAction = [](TObject*, int& cx, int&, double& ax, double&, double& mag, TShiftState) {
    cx = 7;
    ax = 725;
    mag = 9;
  };
  p.MouseMove(0, 100, 100);
  p.MouseMove(ssLeft, 120, 100);
  EXPECT_EQ(p.CentX(), 7);
  EXPECT_NEAR(p.ViewAngleX(), 5, 1e-9);
  EXPECT_EQ(p.Magnification(), 5);
  EXPECT_NEAR(p.GetRotMat(3, 3), std::cos(5 * M_PI / 180), 1e-12);
}

TEST(Plot3DBadInput, SmallEmptyAndBrokenGridsDrawBoxAndAxes) {
  const TColor hid = RGB(0xB0, 0xB0, 0xB0);
  struct Case {
    int nx, ny;
    size_t cells;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1, 7, 0}, Case{7, 1, 0}, Case{2, 3, 2}}) {
    TPlot3D p;
    FillGrid(p, c.nx, c.ny, 0);
    CellLog log;
    log.Attach(p);
    const QPoint m = Screen(p, -150, 0, -150);
    EXPECT_TRUE(ColourNear(p, m.x(), m.y(), hid)) << c.nx << "x" << c.ny;
    EXPECT_EQ(log.cells.size(), c.cells);
    int cx = -1, cy = -1;
    p.OnMouseMoveOverPlot = [&](TObject*, bool, TShiftState, int x, int y) {
      cx = x;
      cy = y;
    };
    p.MouseMove(0, p.CentX(), p.CentY());
    if (c.cells == 0) {
      EXPECT_EQ(cx, 0);
    }
  }

  // Cells touching a hole or an infinite height are left out and cannot be hit.
  TPlot3D p;
  FillGrid(p, 3, 3, 0);
  p.GridMat.SetElem(1, 1, kNaN);
  p.GridMat.SetElem(3, 3, kInf);
  CellLog log;
  log.Attach(p);
  p.Repaint();
  EXPECT_EQ(log.cells.size(), 2u);
  EXPECT_EQ(p.MinZ(), 0);
  EXPECT_EQ(p.MaxZ(), 0);

  // Heights far outside the range and a range too narrow to resolve stay drawable.
  p.GridMat.SetElem(2, 2, 1e300);
  p.SetRange(0, 1, 0, 1, 0, 1e-300);
  p.AutoScale();
  log.cells.clear();
  p.Repaint();
  EXPECT_EQ(log.cells.size(), 2u);
}

TEST(Plot3DBadInput, HugeGridAndZeroSizedControl) {
  TPlot3D p;
  p.SetBounds(0, 0, 120, 90);
  FillGrid(p, 2000, 2000, 1);
  p.GridMat.SetElem(1000, 1000, 5);
  EXPECT_EQ(p.MaxZ(), 5);
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 0.5);
  EXPECT_FALSE(p.WindowPicture().isNull());
  EXPECT_EQ(p.ProjMapZ().NrOfColumns(), 2000);

  TPlot3D z;
  z.SetBounds(0, 0, 0, 0);
  z.Repaint();
  EXPECT_TRUE(z.WindowPicture().isNull());
  int cx = -1;
  z.OnMouseMoveOverPlot = [&](TObject*, bool, TShiftState, int x, int) { cx = x; };
  z.MouseMove(ssLeft, 0, 0);
  EXPECT_EQ(cx, 0);
  EXPECT_FALSE(z.CopyToBMP(QDir::tempPath().toStdString() + "/zero.bmp", true));
}

TEST(Plot3DExport, FilesAreWrittenAndReadable) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string base = dir.path().toStdString() + "/plot";
  TPlot3D p;
  FillGrid(p, 10, 10, 0.5);

  ASSERT_TRUE(p.CopyToBMP(base + ".bmp", true));
  QImage bmp(QString::fromStdString(base + ".bmp"));
  ASSERT_FALSE(bmp.isNull());
  EXPECT_EQ(bmp.size(), QSize(650, 500));
  EXPECT_EQ(bmp.pixel(0, 0), qRgb(0x80, 0x80, 0x80));  // the lowered frame's outer line

  ASSERT_TRUE(p.CopyToBMP(base + ".png", false));
  QImage png(QString::fromStdString(base + ".png"), "PNG");
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
  // The exported picture is the window's picture.
  EXPECT_EQ(png.pixel(p.CentX(), p.CentY()), p.WindowPicture().pixel(p.CentX(), p.CentY()));

  ASSERT_TRUE(p.CopyToWMF(base + ".svg", true));
  QFile svg(QString::fromStdString(base + ".svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray svgText = svg.readAll();
  EXPECT_TRUE(svgText.contains("<svg"));
  EXPECT_TRUE(svgText.contains("polygon") || svgText.contains("path"));

  ASSERT_TRUE(p.CopyToWMF(base + ".pdf", false));
  QFile pdf(QString::fromStdString(base + ".pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

  EXPECT_FALSE(p.CopyToBMP(dir.path().toStdString() + "/missing/dir/plot.bmp", true));
  EXPECT_FALSE(p.CopyToWMF(dir.path().toStdString() + "/missing/dir/plot.svg", true));
  EXPECT_FALSE(p.CopyToBMP("", true));
}

TEST(Plot3DExport, PrintingGoesToTheOpenJob) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TPlot3D p;
  FillGrid(p, 10, 10, 0.5);
  int x = 10, y = 20;
  EXPECT_FALSE(p.CopyToOpenPrinter(x, y, 1, false, true));  // no job open

  TPrinter& prn = Printer();
  const std::string old = prn.OutputFileName();
  const std::string file = dir.path().toStdString() + "/print.pdf";
  prn.SetOutputFileName(file);
  ASSERT_TRUE(p.PrintIt(1, true, true));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));

  ASSERT_TRUE(prn.BeginDoc());
  x = 10;
  y = 20;
  EXPECT_TRUE(p.CopyToOpenPrinter(x, y, 0.5, false, false));
  EXPECT_GT(x, 10);
  EXPECT_GT(y, 20);
  EXPECT_FALSE(p.CopyToOpenPrinter(x, y, kNaN, false, false));
  prn.EndDoc();
  prn.SetOutputFileName(old);
}

}  // namespace

namespace {

bool Overlapping(const QRect& a, const QRect& b) { return a.intersects(b); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

// In every octant the labels of the axes stay apart, captions clear of the tick labels, and
// nothing reaches beyond the control.
TEST(Plot3DAxisTexts, ApartAndInsideInEveryOctant) {
  for (double ax : {60.0, 120.0, 240.0, 300.0})
    for (double az : {30.0, 150.0, 210.0, 330.0})
      for (QSize size : {QSize(300, 260), QSize(650, 500)}) {
        TPlot3D p;
        p.SetBounds(0, 0, size.width(), size.height());
        p.SetMagnification(std::min(size.width() / 650.0, size.height() / 500.0));
        FillGrid(p, 5, 5, 0.2);
        p.SetRange(-10, 10, -10, 10, -0.4, 1.4);
        p.SetCaptionX("x [mm]");
        p.SetViewAngles(ax, az);
        p.WindowPicture();
        const auto& texts = p.AxisTexts();
        SCOPED_TRACE(std::to_string(int(ax)) + "/" + std::to_string(int(az)) + " at " +
                     std::to_string(size.width()));
        ASSERT_GE(texts.size(), 9u);
        for (size_t i = 0; i < texts.size(); ++i) {
          const QRect a = ToQRect(texts[i].rect);
          EXPECT_TRUE(QRect(0, 0, size.width(), size.height()).contains(a)) << texts[i].text;
          for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(Overlapping(a, ToQRect(texts[j].rect)))
                << texts[i].text << " / " << texts[j].text;
        }
      }
}

TEST(Plot3DAxisTexts, FreeLabelsKeepTheirPlace) {
  // Far from the edges and from each other, the texts sit where their axes put them.
  TPlot3D p;
  p.SetMagnification(0.6);
  FillGrid(p, 3, 3, 0);
  p.SetRange(0, 10, 0, 1, -1, 1);
  p.SetVisibleYCoords(false);
  p.SetVisibleZCoords(false);
  int tx = 0, ty = 0;
  TCanvas* cv = nullptr;
  p.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas& c, TP3ScaleKind, std::string& s, int x, int y) {
    if (s == "4.0") tx = x, ty = y, cv = &c;
  };
  p.WindowPicture();
  ASSERT_NE(cv, nullptr);
  const TRect* four = nullptr;
  for (const auto& t : p.AxisTexts())
    if (t.text == "4.0") four = &t.rect;
  ASSERT_NE(four, nullptr);
  // Default view: ticks point down, the label's top at the tick end, shifted by sin(15) * half.
  const int half = four->Width() / 2;
  EXPECT_EQ(four->Top, ty + 8);
  EXPECT_EQ(four->Left, tx - half - int(std::nearbyint(std::sin(15 * M_PI / 180) * half)));
}

TEST(Plot3DHandlers, DeletingTheControlFromAHandlerStopsIt) {
  auto run = [](auto install, auto trigger) {
    auto* raw = new TPlot3D;
    FillGrid(*raw, 3, 3, 0);
    QPointer<TPlot3D> p(raw);
    install(raw);
    trigger(raw);
    EXPECT_TRUE(p.isNull());
    delete p.data();
  };
  auto draw = [](TPlot3D* p) {
    TBitmap bmp(650, 500);
    p->DrawOnForeignCanvas(bmp.Canvas());
  };
  run([](TPlot3D* p) { p->OnDataRendered = [p](TObject*, TCanvas&) { delete p; }; }, draw);
  run(
      [](TPlot3D* p) {
        p->OnBeforeRenderPolygon = [p](TObject*, TCanvas&, bool&, int, int, TQuad, TColor&) {
          delete p;
        };
      },
      draw);
  run(
      [](TPlot3D* p) {
        p->OnBeforeDrawScaleLabel = [p](TObject*, TCanvas&, TP3ScaleKind, std::string&, int, int) {
          delete p;
        };
      },
      draw);
  auto drag = [](TPlot3D* p) {
    const QPointer<TPlot3D> g(p);
    p->MouseMove(0, 100, 100);
    if (g) p->MouseMove(ssLeft, 120, 100);
  };
  run(
      [](TPlot3D* p) {
        p->OnMouseAction = [p](TObject*, int&, int&, double&, double&, double&, TShiftState) {
          delete p;
        };
      },
      drag);
  run(
      [](TPlot3D* p) {
        p->SetMouseAction(1);
        p->OnZoomPan = [p](TObject*) { delete p; };
      },
      drag);
  run([](TPlot3D* p) { p->OnMouseMove = [p](TObject*, TShiftState, int, int) { delete p; }; },
      drag);
  run(
      [](TPlot3D* p) {
        p->OnMouseDown = [p](TObject*, TMouseButton, TShiftState, int, int) { delete p; };
      },
      [](TPlot3D* p) { p->MouseDown(mbLeft, ssLeft, 20, 20); });
}
