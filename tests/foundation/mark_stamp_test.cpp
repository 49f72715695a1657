// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/foundation/marks.h>
#include <zyr/platform/host/bitmap.h>

#include <QImage>

using namespace zyr;

namespace {

// Draws marks of every type over a striped background, with the given pen and brush.
void DrawAllMarks(TCanvas& c, int penWidth, TBrushStyle brush) {
  for (int y = 0; y < c.Height(); y += 3) {
    c.Pen().SetColor(RGB(uint8_t(y * 7), 90, 200));
    c.MoveTo(0, y);
    c.LineTo(c.Width(), y);
  }
  c.Pen().SetColor(RGB(10, 20, 30));
  c.Pen().SetWidth(penWidth);
  c.Brush().SetColor(RGB(250, 160, 40));
  c.Brush().SetStyle(brush);
  for (int t = 0; t < NumMarkTypes; ++t) {
    DrawMarkOnCanvas(c, t, 12 + (t % 13) * 22, 12 + (t / 13) * 22);
    DrawMarkOnCanvas(c, t, -2 + (t % 5), 40 + t);  // cut at the left edge
  }
  c.Pen().SetWidth(1);
}

}  // namespace

// Marks on a 32-bit bitmap are copied from cached stamps; on any other picture they are drawn
// shape by shape. Both must set exactly the same pixels.
TEST(MarkStamps, CopiedMarksEqualDrawnMarksPixelForPixel) {
  for (int width : {1, 2, 3}) {
    for (TBrushStyle brush : {bsSolid, bsClear}) {
      TBitmap fast(300, 100);
      DrawAllMarks(fast.Canvas(), width, brush);
      QImage slowImg(300, 100, QImage::Format_ARGB32);
      slowImg.fill(Qt::white);
      {
        TCanvas slow(&slowImg, ctRaster);
        DrawAllMarks(slow, width, brush);
      }
      const QImage a = fast.Image().convertToFormat(QImage::Format_RGB32);
      const QImage b = slowImg.convertToFormat(QImage::Format_RGB32);
      int diff = 0;
      for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
          if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) && diff++ == 0)
            ADD_FAILURE() << "first difference at " << x << "," << y;
      EXPECT_EQ(diff, 0) << "pen width " << width << (brush == bsSolid ? " solid" : " clear");
    }
  }
}

TEST(MarkStamps, StampsKeepTheClipAndTheCanvasState) {
  TBitmap b(40, 40);
  b.Canvas().SetClipRect({0, 0, 20, 40});
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().MoveTo(3, 4);
  DrawMarkOnCanvas(b.Canvas(), 21, 20, 20);  // filled circle across the clip edge
  EXPECT_EQ(b.Canvas().GetPenPos(), Point(3, 4));
  b.Canvas().ResetClip();
  int right = 0, left = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      if (b.Canvas().Pixels(x, y) == clWhite) continue;
      (x >= 20 ? right : left)++;
    }
  EXPECT_GT(left, 0);
  EXPECT_EQ(right, 0);
}
