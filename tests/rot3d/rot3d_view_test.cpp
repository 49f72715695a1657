// SPDX-License-Identifier: MIT
// Painting, mouse handling and export of TRot3D, checked on the rendered picture.
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/printer.h>
#include <zyr/plot3d/rot3d.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

using namespace zyr;
using namespace zyr::rot3d;

namespace {

TColor At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

// A plot whose model equals the world (origin 0, factors 1) seen head-on at one model unit
// per pixel: world (x, y) lands on pixel (225 + x, 150 + y).
std::unique_ptr<TRot3D> PlainView() {
  auto r = std::make_unique<TRot3D>();
  r->SetViewAngles(0, 0, 0);
  r->SetMagnify(4.0);
  r->SetAutoOrigin(false);
  r->SetAutoScale(false);
  r->SetBoundBoxStyle(0);
  r->SetShowAxes(false);
  r->SetFrameStyle(0);
  return r;
}

int CountColour(const QImage& img, TColor c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += At(img, x, y) == c;
  return n;
}

}  // namespace

TEST(Rot3DPaint, KnownPointsLandOnTheirPixels) {
  auto r = PlainView();
  r->SetColorData(clRed);
  r->MarkAt(50, 20, 0, 1);  // 3 x 3 dot
  r->SetColorData(clBlue);
  r->Line(-100, -50, 7, 100, -50, 7);  // z does not move it head-on
  r->MakeVisible();
  const QImage& img = r->WindowPicture();
  EXPECT_EQ(At(img, 275, 170), clRed);
  EXPECT_EQ(At(img, 274, 169), clRed);
  EXPECT_EQ(At(img, 225, 100), clBlue);
  EXPECT_EQ(At(img, 125, 100), clBlue);
  EXPECT_EQ(At(img, 225, 101), clWhite);

  r->SetAxDir(adRightHanded);  // x and y change places
  const QImage& swapped = r->WindowPicture();
  EXPECT_EQ(At(swapped, 245, 200), clRed);
  EXPECT_EQ(At(swapped, 275, 170), clWhite);

  r->SetCentX(100);
  r->SetAxDir(adLeftHanded);
  EXPECT_EQ(At(r->WindowPicture(), 150, 170), clRed);
}

TEST(Rot3DPaint, BoxFacesAxesAndEdges) {
  auto r = PlainView();
  r->SetMagnify(1.0);  // box edges at +-100 px
  r->SetBoundBoxStyle(2);
  r->SetShowAxes(true);
  r->SetAxNameX("");
  r->SetAxNameY("");
  r->SetAxNameZ("");
  const QImage& img = r->WindowPicture();
  // Head-on the front corner is 0; its z face fills the square in the high face colour.
  EXPECT_EQ(At(img, 275, 200), r->ColorCubeFaceHigh());
  // Front edges (from corner 0) in the frame colour, hidden ones (from corner 7) lighter.
  EXPECT_EQ(At(img, 125, 120), r->ColorCubeFrame());
  EXPECT_EQ(At(img, 180, 50), r->ColorCubeFrame());
  EXPECT_EQ(At(img, 180, 250), r->ColorCubeHidLin());
  // X axis: inside the box hidden, outside in the frame colour up to 700 / 4 px.
  EXPECT_EQ(At(img, 260, 150), r->ColorCubeHidLin());
  EXPECT_EQ(At(img, 360, 150), r->ColorCubeFrame());
  EXPECT_EQ(At(img, 401, 150), clWhite);

  r->SetBoundBoxStyle(1);  // wire box: faces are not filled
  EXPECT_EQ(At(r->WindowPicture(), 275, 200), clWhite);
  r->SetBoundBoxStyle(0);
  const QImage& nobox = r->WindowPicture();
  EXPECT_EQ(At(nobox, 125, 120), clWhite);
  EXPECT_EQ(At(nobox, 360, 150), r->ColorCubeFrame());
}

TEST(Rot3DPaint, FaceShadingFollowsTheTilt) {
  auto r = PlainView();
  r->SetMagnify(1.0);
  r->SetBoundBoxStyle(2);
  r->SetColCubeFaceLow(RGB(0, 100, 200));
  r->SetColCubeFaceHigh(RGB(200, 100, 0));  // a channel that falls must not wrap
  r->SetViewAngles(60, 0, 0);               // z face tilted: b = 4000 * cos 60 / 10 = 200
  const QImage& img = r->WindowPicture();
  const TColor c = At(img, 240, 210);
  EXPECT_EQ(int(GetRValue(c)), 100);
  EXPECT_EQ(int(GetGValue(c)), 100);
  EXPECT_EQ(int(GetBValue(c)), 100);
}

TEST(Rot3DPaint, CharacterMarksAndLabels) {
  auto draw = [](int mark) {
    auto r = PlainView();
    r->SetColorData(clBlue);
    r->MarkAt(0, 0, 0, uint8_t(mark));
    r->MakeVisible();
    return r->WindowPicture().copy(205, 130, 40, 40);
  };
  // The same character written directly with the plot's mark font.
  auto expected = [](const std::string& s) {
    TBitmap b(450, 300);
    TCanvas& cv = b.Canvas();
    cv.Brush().SetColor(clWhite);
    cv.FillRect({0, 0, 450, 300});
    cv.Font().SetSize(8);
    cv.Font().SetColor(clBlue);
    cv.Brush().SetStyle(bsClear);
    cv.TextOut(225 - cv.TextWidth(s) / 2, 150 - cv.TextHeight(s) / 2, s);
    return b.Image().copy(205, 130, 40, 40);
  };
  EXPECT_EQ(draw(203), expected("3"));
  EXPECT_EQ(draw(65), expected("A"));
  EXPECT_NE(draw(203), draw(204));

  auto r = PlainView();
  r->SetColorData(clRed);
  r->MarkAt(0, 0, 0, 1);
  r->MarkAt(100, 0, 0, 1);
  r->MakeVisible();
  std::vector<int> asked;
  r->OnLblRequest = [&](TObject* s, int obj, std::string& txt, int& dx, int& dy, TAlignment& ha,
                        TVerticalAlignment& va, TFont& f) {
    EXPECT_EQ(s, r.get());
    EXPECT_EQ(ha, taCenter);
    EXPECT_EQ(va, 1);
    asked.push_back(obj);
    if (obj == 1) {
      txt = "WWW";
      dx = 0;
      dy = -40;
      ha = taLeftJustify;
      va = 0;
      f.SetColor(clGreen);
    }
  };
  r->Repaint();
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  const QImage& img = r->WindowPicture();
  // Left-justified and top-aligned: the text lies right of and below (325, 110).
  const QImage text = img.copy(325, 110, 35, 20);
  EXPECT_GT(text.width() * text.height() - CountColour(text, clWhite), 10);
  const QImage left = img.copy(300, 100, 25, 40);
  EXPECT_EQ(CountColour(left, clWhite), left.width() * left.height());
}

TEST(Rot3DPaint, LargeCloudsLookTheSameOnEveryPath) {
  // Long runs of marks take a faster path than single marks; both must set the same pixels.
  auto r = PlainView();
  r->SetMagnify(1.0);
  for (int i = 0; i < 300; ++i) {
    r->SetColorData(RGB(uint8_t(i * 7), uint8_t(i * 13), 200));
    r->MarkAt((i * 37) % 440 - 220, (i * 53) % 290 - 145, 0, uint8_t(i % 52));
  }
  r->MarkAt(0, 0, 0, 203);       // a character mark ends a run
  r->MarkAt(-225, -150, 0, 21);  // partly outside the picture
  r->MakeVisible();
  const QImage fast = r->WindowPicture().copy();
  r->OnLblRequest = [](TObject*, int, std::string&, int&, int&, TAlignment&, TVerticalAlignment&,
                       TFont&) {};
  r->Repaint();
  EXPECT_TRUE(r->WindowPicture() == fast);
}

TEST(Rot3DPaint, EmptyAfterClearAndMakeVisible) {
  auto r = PlainView();
  r->SetColorData(clRed);
  r->MarkAt(0, 0, 0, 15);
  r->MakeVisible();
  EXPECT_EQ(At(r->WindowPicture(), 225, 150), clRed);
  r->Clear();
  r->Repaint();  // the old objects are still drawn
  EXPECT_EQ(At(r->WindowPicture(), 225, 150), clRed);
  r->MakeVisible();
  r->Repaint();
  EXPECT_EQ(CountColour(r->WindowPicture(), clRed), 0);
}

TEST(Rot3DPaint, RenderEventsAndBlackWhite) {
  auto r = PlainView();
  int before = 0, after = 0;
  r->OnBeforeRenderData = [&](TObject*, TCanvas&) { ++before; };
  r->OnDataRendered = [&](TObject*, TCanvas& cv) {
    ++after;
    cv.Pen().SetColor(clLime);
    cv.MoveTo(0, 5);
    cv.LineTo(50, 5);
  };
  r->Repaint();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(At(r->WindowPicture(), 20, 5), clLime);
}

TEST(Rot3DMouse, RotationZoomAndPan) {
  TRot3D r;
  r.MouseMove(0, 100, 100);  // sets the anchors
  r.MouseMove(ssLeft, 145, 100);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210 - 36.0);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 110 + 360.0);
  r.MouseMove(ssLeft, 145, 130);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 110 + 360.0 + 36.0);
  r.MouseMove(ssLeft, 500, 130);  // outside: ignored
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 174.0);

  r.MouseMove(0, 0, 0);
  r.SetMRot3Axes(true);
  r.MouseMove(0, 200, 100);
  r.MouseMove(ssLeft, 155, 100);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 506 + 36.0);
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), 150 + 360.0);

  r.SetMouseAction(TRot3D::maZoom);
  r.MouseMove(0, 100, 300);
  r.MouseMove(ssLeft, 100, 270);  // 30 px up: +4.9 * 30 / 300
  EXPECT_EQ(r.MagnifyDivisor(), 3101);
  r.MouseMove(ssLeft, 100, 0);
  EXPECT_EQ(r.MagnifyDivisor(), 800);
  r.MouseMove(0, 100, 0);
  r.MouseMove(ssLeft, 100, 300);
  EXPECT_EQ(r.MagnifyDivisor(), 40000);

  r.SetMouseAction(TRot3D::maRotAndZoom);
  r.SetMagnify(0.8);
  r.MouseDown(mbRight, ssRight, 50, 250);  // a press without a hover move still anchors
  r.MouseMove(ssRight, 50, 220);
  EXPECT_EQ(r.MagnifyDivisor(), 3101);

  r.SetMouseAction(TRot3D::maPan);
  r.MouseMove(0, 10, 10);
  r.MouseMove(ssLeft, 30, 5);
  EXPECT_EQ(r.CentX(), 245);
  EXPECT_EQ(r.CentY(), 145);
  r.MouseUp(mbLeft, 0, 30, 5);
  r.MouseMove(0, 30, 5);
  EXPECT_EQ(r.CentX(), 245);

  r.SetBounds(0, 0, 0, 0);  // nothing to divide by: ignored
  r.SetMouseAction(TRot3D::maRotate);
  r.MouseMove(0, 0, 0);
  r.MouseMove(ssLeft, 0, 0);
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), 510.0);
}

TEST(Rot3DExport, FilesClipboardAndPrinter) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto path = [&](const char* n) { return QDir(dir.path()).filePath(n).toStdString(); };
  auto r = PlainView();
  r->SetFrameStyle(1);
  r->SetColorData(clRed);
  r->MarkAt(0, 0, 0, 15);
  r->MakeVisible();

  ASSERT_TRUE(r->CopyToBMP(path("a.png"), true));
  QImage png(QString::fromStdString(path("a.png")));
  ASSERT_EQ(png.size(), QSize(450, 300));
  EXPECT_EQ(At(png, 225, 150), clRed);
  EXPECT_EQ(At(png, 0, 0), clBlack);  // frame
  ASSERT_TRUE(r->CopyToBMP(path("b.bmp"), false));
  EXPECT_EQ(At(QImage(QString::fromStdString(path("b.bmp"))), 0, 0), clWhite);
  EXPECT_FALSE(r->CopyToBMP("", true));
  EXPECT_FALSE(r->CopyToBMP(path("missing/dir/c.png"), true));

  ASSERT_TRUE(r->CopyToWMF(path("a.svg"), true));
  QFile svg(QString::fromStdString(path("a.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
  ASSERT_TRUE(r->CopyToWMF(path("a.pdf"), false));
  QFile pdf(QString::fromStdString(path("a.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(4) == "%PDF");

  r->CopyToClipboard(true);  // must not crash without a real clipboard
  r->CopyToClipboardWMF(true);

  int x = 10, y = 20;
  EXPECT_FALSE(r->CopyToOpenPrinter(x, y, 1.0, false, true));  // no page open
  Printer().SetOutputFileName(path("print.pdf"));
  ASSERT_TRUE(Printer().BeginDoc());
  ASSERT_TRUE(r->CopyToOpenPrinter(x, y, 1.0, true, true));
  Printer().EndDoc();
  EXPECT_GE(x, 10 + 450);
  EXPECT_GE(y, 20 + 300);
  EXPECT_TRUE(r->PrintIt(0.5, false, false));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path("print.pdf"))));
}

namespace {

// Bounding box of everything that is not background.
QRect DrawnArea(const QImage& img) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != qRgb(255, 255, 255)) r |= QRect(x, y, 1, 1);
  return r;
}

// Marks at the eight corners of a world cube: auto-scaled, they reach the model's far corners.
std::unique_ptr<TRot3D> CornerCloud() {
  auto r = std::make_unique<TRot3D>();
  r->SetFrameStyle(0);
  r->SetAxNameX("");
  r->SetAxNameY("");
  r->SetAxNameZ("");
  r->SetColorData(clRed);
  for (int c = 0; c < 8; ++c) r->MarkAt(c & 4 ? 1 : -1, c & 2 ? 1 : -1, c & 1 ? 1 : -1, 15);
  r->MakeVisible();
  return r;
}

void ExpectCentredAndWhole(TRot3D& r, const std::string& what) {
  const QImage& img = r.WindowPicture();
  const QRect a = DrawnArea(img);
  SCOPED_TRACE(what);
  ASSERT_FALSE(a.isEmpty());
  // Nothing touches the edge, so nothing is cut.
  EXPECT_GT(a.left(), 0);
  EXPECT_GT(a.top(), 0);
  EXPECT_LT(a.right(), img.width() - 1);
  EXPECT_LT(a.bottom(), img.height() - 1);
  // The model origin sits in the middle and the picture uses the room it has.
  EXPECT_EQ(r.CentX(), img.width() / 2);
  EXPECT_EQ(r.CentY(), img.height() / 2);
  EXPECT_GT(std::max(a.width(), a.height()), std::min(img.width(), img.height()) / 2);
}

}  // namespace

TEST(Rot3DFit, CentredAndWholeAtEverySizeAndView) {
  const QSize sizes[] = {{450, 300}, {900, 600}, {200, 150}, {120, 400}, {1300, 260}, {64, 64}};
  const double views[][3] = {{110, 150, 210}, {0, 0, 0}, {35, 0, 45}, {125, 0, 315}, {90, 0, 0}};
  for (const QSize& s : sizes)
    for (const auto& v : views) {
      auto r = CornerCloud();
      r->SetBounds(0, 0, s.width(), s.height());
      r->SetViewAngles(v[0], v[1], v[2]);
      ExpectCentredAndWhole(*r, std::to_string(s.width()) + "x" + std::to_string(s.height()) +
                                    " view " + std::to_string(int(v[0])) + "/" +
                                    std::to_string(int(v[2])));
    }
}

TEST(Rot3DFit, ResizeShownOrHiddenAndThroughQt) {
  auto r = CornerCloud();
  r->WindowPicture();
  r->SetBounds(0, 0, 800, 500);  // after the first picture
  ExpectCentredAndWhole(*r, "resized");
  r->SetVisible(false);
  r->SetBounds(0, 0, 240, 180);
  r->SetVisible(true);
  ExpectCentredAndWhole(*r, "resized while hidden");
  r->resize(700, 420);  // as a layout does
  ExpectCentredAndWhole(*r, "QWidget::resize");

  // The default size keeps the documented picture: 5000 is the divisor there.
  auto d = std::make_unique<TRot3D>();
  EXPECT_EQ(d->ProjectionDivisor(), d->MagnifyDivisor());
  d->SetBounds(0, 0, 900, 600);
  EXPECT_EQ(d->ProjectionDivisor(), 2500);
}

TEST(Rot3DFit, PanAndZoomSurviveAResize) {
  auto r = CornerCloud();
  r->SetMouseAction(TRot3D::maPan);
  r->MouseMove(0, 100, 100);
  r->MouseMove(ssLeft, 130, 90);  // 30 right, 10 up
  ASSERT_EQ(r->CentX(), 255);
  r->SetBounds(0, 0, 900, 600);  // twice the size: the offset doubles with the picture
  EXPECT_EQ(r->CentX(), 450 + 60);
  EXPECT_EQ(r->CentY(), 300 - 20);
  TRot3D z;
  z.SetBounds(0, 0, 900, 600);
  z.SetMagnify(2.0);
  EXPECT_EQ(z.MagnifyDivisor(), 2000);
  EXPECT_EQ(z.ProjectionDivisor(), 1000);

  // A head-on plot with hand-set factors keeps its pixel mapping, at every size.
  auto p = PlainView();
  p->SetColorData(clRed);
  p->MarkAt(50, 20, 0, 1);
  p->MarkAt(5000, 0, 0, 1);  // far outside: no shrinking to fit it
  p->MakeVisible();
  EXPECT_EQ(At(p->WindowPicture(), 275, 170), clRed);
}

// A handler may delete the control it serves; the control must then stop without touching
// itself (AddressSanitizer shows the difference).
TEST(Rot3DHandlers, DeletingTheControlFromAHandlerStopsIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string file = QDir(dir.path()).filePath("p.png").toStdString();
  auto run = [](auto install, auto trigger) {
    auto* raw = new TRot3D;
    raw->MarkAt(0, 0, 0, 1);
    raw->MarkAt(1, 1, 1, 1);
    raw->MakeVisible();
    QPointer<TRot3D> r(raw);
    install(raw);
    trigger(raw);
    EXPECT_TRUE(r.isNull());
    delete r.data();
  };
  auto render = [&file](TRot3D* r) { r->CopyToBMP(file, true); };
  run([](TRot3D* r) { r->OnBeforeRenderData = [r](TObject*, TCanvas&) { delete r; }; }, render);
  run([](TRot3D* r) { r->OnDataRendered = [r](TObject*, TCanvas&) { delete r; }; }, render);
  run(
      [](TRot3D* r) {
        r->OnLblRequest = [r](TObject*, int, std::string& t, int&, int&, TAlignment&,
                              TVerticalAlignment&, TFont&) {
          t = "label";
          delete r;
        };
      },
      render);
  run([](TRot3D* r) { r->OnMouseMove = [r](TObject*, TShiftState, int, int) { delete r; }; },
      [](TRot3D* r) { r->MouseMove(ssLeft, 20, 20); });
  run(
      [](TRot3D* r) {
        r->OnMouseDown = [r](TObject*, TMouseButton, TShiftState, int, int) { delete r; };
      },
      [](TRot3D* r) { r->MouseDown(mbLeft, ssLeft, 20, 20); });
}
