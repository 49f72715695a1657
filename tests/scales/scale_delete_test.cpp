// SPDX-License-Identifier: MIT
// Handlers that delete their own scale, colour scale or gauge: the control stops at once and
// touches nothing of itself afterwards (the AddressSanitizer build proves the second half).
#include <gtest/gtest.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>
#include <zyr/scales/scale.h>

#include <QPointer>

using namespace zyr;

namespace {

template <class T>
struct Painted : T {
  using T::Paint;
  using T::T;
};

// Counts the calls of a handler and deletes the control in the first one.
template <class T>
struct Deleter {
  QPointer<T> control;
  int calls = 0;
  void operator()() {
    ++calls;
    delete control.data();
  }
};

}  // namespace

TEST(DeletedInHandler, ScalePaintEventsStopTheDraw) {
  for (int event = 0; event < 4; ++event) {
    SCOPED_TRACE(event);
    auto* s = new TScale(nullptr);
    s->SetTransparent(event == 3);  // after-render event on both ways of drawing
    s->SetScaleType(1);
    s->SetRange(0, 100);
    Deleter<TScale> del{s};
    switch (event) {
      case 0:
        s->OnBeforeScaleRendered = [&del](TObject*, TCanvas&) { del(); };
        break;
      case 1:
        s->OnScaleTickDrawn = [&del](TObject*, TCanvas&, TScaleType, double, int, int) { del(); };
        break;
      case 2:
        s->OnBeforeTickLabel = [&del](TObject*, TScaleType, double, std::string&) { del(); };
        break;
      default:
        s->OnAfterScaleRendered = [&del](TObject*, TCanvas&) { del(); };
    }
    s->ForcePaint();
    EXPECT_TRUE(del.control.isNull());
    EXPECT_EQ(del.calls, 1);  // no further tick or label after the deletion
  }
}

TEST(DeletedInHandler, ScaleMouseHandlers) {
  for (int event = 0; event < 4; ++event) {
    SCOPED_TRACE(event);
    auto* s = new TScale(nullptr);
    s->SetBounds(0, 0, 300, 60);
    s->SetScaleType(1);
    s->SetMouseAction(1);
    Deleter<TScale> del{s};
    if (event == 0)
      s->OnMouseDown = [&del](TObject*, TMouseButton, TShiftState, int, int) { del(); };
    if (event == 1) s->OnMouseMove = [&del](TObject*, TShiftState, int, int) { del(); };
    if (event == 2) s->OnMouseUp = [&del](TObject*, TMouseButton, TShiftState, int, int) { del(); };
    if (event == 3) s->OnZoomPan = [&del](TObject*) { del(); };
    s->MouseDown(mbLeft, ssLeft, 100, 30);
    if (del.control) s->MouseMove(ssLeft, 100, 30);
    if (del.control) s->MouseMove(ssLeft, 140, 30);
    if (del.control) s->MouseUp(mbLeft, 0, 140, 30);
    EXPECT_TRUE(del.control.isNull());
    EXPECT_EQ(del.calls, 1);
  }
}

// A pan repaints the scale; a label handler deleting it there ends the drag quietly.
TEST(DeletedInHandler, ScaleDeletedWhileAPanRepaints) {
  auto* s = new TScale(nullptr);
  s->SetBounds(0, 0, 300, 60);
  s->SetScaleType(1);
  s->SetMouseAction(1);
  (void)s->WindowPicture();       // the window exists: changes paint at once
  s->MouseMove(ssLeft, 100, 30);  // anchor
  Deleter<TScale> del{s};
  int zoomPans = 0;
  s->OnBeforeTickLabel = [&del](TObject*, TScaleType, double, std::string&) { del(); };
  s->OnZoomPan = [&zoomPans](TObject*) { ++zoomPans; };
  s->MouseMove(ssLeft, 150, 30);
  EXPECT_TRUE(del.control.isNull());
  EXPECT_EQ(zoomPans, 0);
}

TEST(DeletedInHandler, ColorScalePaintAndItsScale) {
  for (int event = 0; event < 2; ++event) {
    SCOPED_TRACE(event);
    auto* cs = new Painted<TColorScale>();
    Deleter<TColorScale> del{cs};
    if (event == 0)
      cs->OnDataRendered = [&del](TObject*, TCanvas&) { del(); };
    else
      cs->Scale().OnBeforeTickLabel = [&del](TObject*, TScaleType, double, std::string&) { del(); };
    cs->Paint();
    EXPECT_TRUE(del.control.isNull());
    EXPECT_EQ(del.calls, 1);
  }
}

TEST(DeletedInHandler, ColorScaleMouseHandlers) {
  for (int event = 0; event < 4; ++event) {
    SCOPED_TRACE(event);
    auto* cs = new TColorScale(nullptr);
    Deleter<TColorScale> del{cs};
    cs->SetMouseAction(event == 2 ? 10 : 18);
    cs->CrossHair().SetMode(1);
    if (event == 0)
      cs->OnMouseDown = [&del](TObject*, TMouseButton, TShiftState, int, int) { del(); };
    if (event == 1) cs->OnMouseMoveInScale = [&del](TObject*, bool, TShiftState, double) { del(); };
    if (event == 2) cs->OnCrossHairMove = [&del](TObject*) { del(); };
    if (event == 3) cs->OnMouseMove = [&del](TObject*, TShiftState, int, int) { del(); };
    const int y = cs->Height() / 2;
    cs->MouseDown(mbLeft, ssLeft, 40, y);
    for (int x : {50, 60})
      if (del.control) cs->MouseMove(ssLeft, x, y);
    if (del.control) cs->MouseUp(mbLeft, 0, 60, y);
    EXPECT_TRUE(del.control.isNull());
    EXPECT_EQ(del.calls, 1);
  }
}

TEST(DeletedInHandler, GaugeScaleEventAndMouse) {
  auto* g = new Painted<TScaleGauge>();
  Deleter<TScaleGauge> del{g};
  g->Scale().OnScaleTickDrawn = [&del](TObject*, TCanvas&, TScaleType, double, int, int) { del(); };
  g->Paint();
  EXPECT_TRUE(del.control.isNull());
  EXPECT_EQ(del.calls, 1);

  auto* g2 = new TScaleGauge(nullptr);
  Deleter<TScaleGauge> del2{g2};
  int reports = 0;
  g2->OnMouseMove = [&del2](TObject*, TShiftState, int, int) { del2(); };
  g2->OnMouseMoveInGauge = [&reports](TObject*, bool, TShiftState, double) { ++reports; };
  g2->MouseMove(0, 50, 30);
  EXPECT_TRUE(del2.control.isNull());
  EXPECT_EQ(reports, 0);
}
