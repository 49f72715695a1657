// SPDX-License-Identifier: MIT
// QWidget geometry and the control's own bounds are one size, on every path and shown or hidden.
#include <gtest/gtest.h>
#include <zyr/chart/rchart.h>
#include <zyr/scales/scale.h>

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

using namespace zyr;

namespace {

void ExpectSameSize(TCustomControl& c, int w, int h) {
  EXPECT_EQ(c.Width(), w);
  EXPECT_EQ(c.Height(), h);
  EXPECT_EQ(c.width(), w);
  EXPECT_EQ(c.height(), h);
}

}  // namespace

TEST(OneSize, QtResizeOfHiddenControlReachesBoundsPictureAndExport) {
  TRChart c;
  ASSERT_FALSE(c.isVisible());
  int resizes = 0;
  c.OnResize = [&](TObject*) { ++resizes; };
  c.resize(800, 500);
  ExpectSameSize(c, 800, 500);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(c.WindowPicture().size(), QSize(800, 500));
  TBitmap bmp;
  ASSERT_TRUE(c.CopyToBitmap(bmp, false));
  EXPECT_EQ(bmp.Width(), 800);
  EXPECT_EQ(bmp.Height(), 500);
  EXPECT_EQ(resizes, 1);  // reading again raises no further resize
}

TEST(OneSize, EveryPathSetsTheSameGeometry) {
  TRChart c;
  c.setGeometry(5, 6, 300, 250);
  EXPECT_EQ(c.Left(), 5);
  EXPECT_EQ(c.Top(), 6);
  ExpectSameSize(c, 300, 250);
  c.SetBounds(7, 8, 320, 240);
  EXPECT_EQ(c.geometry(), QRect(7, 8, 320, 240));
  c.SetWidth(330);
  c.SetHeight(260);
  ExpectSameSize(c, 330, 260);
  c.move(1, 2);
  EXPECT_EQ(c.Left(), 1);
  EXPECT_EQ(c.Top(), 2);
  ExpectSameSize(c, 330, 260);
  EXPECT_EQ(c.ClientRect().Right, 330);

  TScale s;
  s.resize(123, 45);
  ExpectSameSize(s, 123, 45);
  EXPECT_EQ(s.WindowPicture().size(), QSize(123, 45));
}

TEST(OneSize, MinimumSizeHoldsWhicheverWayTheSizeArrives) {
  TRChart c;
  c.SetMarginLeft(60);
  c.SetMarginRight(20);
  c.SetMarginTop(10);
  c.SetMarginBottom(30);
  const int minW = c.MarginLeft() + c.MarginRight() + 80;
  const int minH = c.MarginTop() + c.MarginBottom() + 20;
  c.SetBounds(0, 0, 5, 5);
  ExpectSameSize(c, minW, minH);
  c.resize(400, 300);
  c.resize(1, 1);  // hidden: taken over when next read
  ExpectSameSize(c, minW, minH);
  c.setGeometry(0, 0, -3, 2);
  ExpectSameSize(c, minW, minH);
}

TEST(OneSize, LayoutsDriveShownControlsAndKeepTheMinimum) {
  QWidget host;
  auto* lay = new QVBoxLayout(&host);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* c = new TRChart(&host);
  lay->addWidget(c);
  host.resize(500, 400);
  host.show();
  QApplication::processEvents();
  ExpectSameSize(*c, 500, 400);
  EXPECT_EQ(c->WindowPicture().size(), QSize(500, 400));
  host.resize(600, 30);
  QApplication::processEvents();
  EXPECT_EQ(c->Width(), 600);
  EXPECT_EQ(c->Height(), c->MarginTop() + c->MarginBottom() + 20);
  EXPECT_EQ(c->height(), c->Height());
}

TEST(OneSize, ResizeHandlerThatThrowsWhileReadingDoesNotEscapeTheGetter) {
  TScale s;
  s.OnResize = [](TObject*) { throw std::runtime_error("handler fault"); };
  s.resize(222, 111);
  int w = 0;
  EXPECT_NO_THROW(w = s.Width());
  EXPECT_EQ(w, 222);
  EXPECT_EQ(s.width(), 222);
}
