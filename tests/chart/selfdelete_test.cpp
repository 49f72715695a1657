// SPDX-License-Identifier: MIT
// Event handlers that delete their own chart: painting, item rendering, the mouse and the
// scales must notice it and stop without touching the freed chart (run under ASan).

#include <gtest/gtest.h>
#include <zyr/chart/boxplot.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <QMouseEvent>
#include <functional>
#include <vector>

using namespace zyr;

namespace {

// Deletes the chart once, from inside one of its handlers. Nothing of the handler's own
// captures is touched after the delete (the handler is a member of what is deleted).
struct TKiller {
  TCustomRChart* victim = nullptr;
  bool done = false;
  void operator()() {
    if (!victim) return;
    TCustomRChart* p = victim;
    victim = nullptr;
    done = true;
    delete p;
  }
};

TRChart* NewChart(TKiller& k) {
  auto* c = new TRChart;
  c->SetBounds(0, 0, 400, 300);
  c->HandleNeeded();
  c->ForceRange(1, 0, 0, 10, 10, false, false);
  c->MoveTo(1.0, 1.0);
  c->DrawTo(9.0, 9.0);
  c->Text(5.0, 5.0, 8, "label");
  c->SetTextLabel(1, 3, 3, clRed, "L", 0);
  c->Repaint();
  k.victim = c;
  return c;
}

void SendMouse(QWidget* w, QEvent::Type t, Qt::MouseButton b, Qt::MouseButtons held, QPoint p) {
  QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

using Arm = std::function<void(TRChart&, TKiller*)>;

// Arms each handler in turn and triggers every kind of paint; returns how many deleted.
int DeleteWhilePainting(const std::vector<Arm>& arms);

TEST(ChartSelfDelete, PaintAndItemEvents) {
  const std::vector<Arm> arms = {
      [](TRChart& c, TKiller* k) {
        c.OnScalesRendered = [k](TObject*, TCanvas&, int, int) { (*k)(); };
      },
      [](TRChart& c, TKiller* k) {
        c.OnBeforeRenderData = [k](TObject*, TCanvas&, int, int) { (*k)(); };
      },
      [](TRChart& c, TKiller* k) {
        c.OnDataRendered = [k](TObject*, TCanvas&, int, int) { (*k)(); };
      },
      [](TRChart& c, TKiller* k) {
        c.OnBeforeRenderChartItem = [k](TObject*, TrcChartItem&, int, bool) { (*k)(); };
      },
      [](TRChart& c, TKiller* k) {
        c.OnBeforeRenderText = [k](TObject*, std::string&, int, bool) { (*k)(); };
      },
  };
  EXPECT_GE(DeleteWhilePainting(arms), 15);
}

int DeleteWhilePainting(const std::vector<Arm>& arms) {
  using Trigger = std::function<void(TRChart&)>;
  const Trigger triggers[] = {
      [](TRChart& c) { c.Repaint(); },
      [](TRChart& c) { c.SetChartColor(clYellow); },
      [](TRChart& c) { c.ShowGraf(); },
      [](TRChart& c) { c.ShowGrafNewOnly(); },
      [](TRChart& c) {
        c.Invalidate();
        c.WindowPicture();
      },
  };
  int n = 0;
  for (const Arm& arm : arms)
    for (const Trigger& trigger : triggers) {
      TKiller k;
      TRChart* c = NewChart(k);
      arm(*c, &k);
      trigger(*c);
      if (!k.done) delete c;  // events of the frame only come with a full paint
      n += k.done;
    }
  return n;
}

TEST(ChartSelfDelete, MouseEvents) {
  struct Case {
    TMouseActMode action;
    std::function<void(TRChart&, TKiller*)> arm;
  };
  auto zoomPan = [](TRChart& c, TKiller* k) { c.OnZoomPan = [k](TObject*) { (*k)(); }; };
  const Case cases[] = {
      {0,
       [](TRChart& c, TKiller* k) {
         c.OnMouseDown = [k](TObject*, TMouseButton, TShiftState, int, int) { (*k)(); };
       }},
      {1, [](TRChart& c,
             TKiller* k) { c.OnMouseMove = [k](TObject*, TShiftState, int, int) { (*k)(); }; }},
      {0,
       [](TRChart& c, TKiller* k) {
         c.OnMouseMoveInChart = [k](TObject*, bool, TShiftState, double, double) { (*k)(); };
       }},
      {0,
       [](TRChart& c, TKiller* k) {
         c.OnMouseUp = [k](TObject*, TMouseButton, TShiftState, int, int) { (*k)(); };
       }},
      {0, [](TRChart& c, TKiller* k) { c.OnClick = [k](TObject*) { (*k)(); }; }},
      {1, zoomPan},
      {9, zoomPan},
      {7, zoomPan},
      {5, zoomPan},
      {16, zoomPan},
      {5,
       [](TRChart& c, TKiller* k) {
         c.OnRubberBand = [k](TObject*, int, double, double, double, double) { (*k)(); };
       }},
      {16,
       [](TRChart& c, TKiller* k) {
         c.OnSelectRect = [k](TObject*, int, double, double, double, double) { (*k)(); };
       }},
      {10,
       [](TRChart& c, TKiller* k) {
         c.OnBeforeCrossHairMove = [k](TObject*, TCrossHair*, int, int, bool&) { (*k)(); };
       }},
      {10,
       [](TRChart& c, TKiller* k) { c.OnCrossHairMove = [k](TObject*, TCrossHair*) { (*k)(); }; }},
      {11,
       [](TRChart& c, TKiller* k) { c.OnTextLabelMove = [k](TObject*, TTextLabel*) { (*k)(); }; }},
      {7,
       [](TRChart& c, TKiller* k) {  // a paint during the zoom
         c.OnDataRendered = [k](TObject*, TCanvas&, int, int) { (*k)(); };
       }},
  };
  for (const Case& cs : cases) {
    // Through Qt's events, as a user drags; the drag stops with the chart.
    TKiller k;
    TRChart* c = NewChart(k);
    c->CrossHairSetup(1, clRed, 3, psSolid, 1);
    c->SetMouseAction(cs.action);
    cs.arm(*c, &k);
    QPointer<QWidget> alive(c);
    SendMouse(c, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 100});
    for (QPoint p : {QPoint(120, 110), QPoint(200, 180), QPoint(250, 200)})
      if (alive) SendMouse(c, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, p);
    if (alive) SendMouse(c, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {250, 200});
    EXPECT_TRUE(k.done) << int(cs.action);
    if (alive) delete c;
  }
}

TEST(ChartSelfDelete, DoubleClickAndScaleDrag) {
  {
    TKiller k;
    TRChart* c = NewChart(k);
    c->OnDblClick = [&k](TObject*) { k(); };
    SendMouse(c, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {100, 100});
    EXPECT_TRUE(k.done);
  }
  {
    // Dragging the bottom scale pans X and reports it.
    TKiller k;
    TRChart* c = NewChart(k);
    c->ScalePropsX(1).SetMouseAction(1);
    c->OnZoomPan = [&k](TObject*) { k(); };
    QPointer<QWidget> alive(c);
    const int y = c->Height() - c->MarginBottom() + 10;
    for (int x : {150, 200, 250})
      if (alive) c->MouseMove(ssLeft, x, y);
    EXPECT_TRUE(k.done);
    if (alive) delete c;
  }
}

TEST(ChartSelfDelete, BoxPlotColourEvent) {
  auto* b = new TBoxPlot;
  b->SetBounds(0, 0, 400, 300);
  b->HandleNeeded();
  bool done = false;
  TBoxPlot* victim = b;
  b->OnBeforeBoxDraw = [&](TObject*, int, TColor&, TColor&, TColor&, TColor&, TColor&, TColor&) {
    if (!victim) return;
    TBoxPlot* p = victim;
    victim = nullptr;
    done = true;
    delete p;
  };
  QPointer<QWidget> alive(b);
  b->DataChanged(nullptr);  // rebuilds the boxes of its sample column
  EXPECT_TRUE(done);
  if (alive) delete b;
}

// A shown chart repainted through Qt's event loop: on showing, after a change and after a
// resize. Deleting it in a paint handler must not leave Qt painting a freed widget.
TEST(ChartSelfDelete, ShownChartThroughTheEventLoop) {
  const std::vector<Arm> arms = {
      [](TRChart& c, TKiller* k) {
        c.OnDataRendered = [k](TObject*, TCanvas&, int, int) { (*k)(); };
      },
      [](TRChart& c, TKiller* k) {
        c.OnBeforeTickLabel = [k](TObject*, TScaleType, double, std::string&) { (*k)(); };
      },
  };
  using Trigger = std::function<void(TRChart&)>;
  const Trigger triggers[] = {
      [](TRChart& c) {
        c.Invalidate();
        c.show();
      },
      [](TRChart& c) { c.SetChartColor(clYellow); },
      [](TRChart& c) { c.resize(300, 200); },
  };
  for (const Arm& arm : arms)
    for (const Trigger& trigger : triggers) {
      TKiller k;
      TRChart* c = NewChart(k);
      QPointer<QWidget> alive(c);
      if (&trigger != &triggers[0]) {
        c->show();
        QApplication::processEvents();
      }
      arm(*c, &k);
      trigger(*c);
      QApplication::processEvents();
      EXPECT_TRUE(k.done) << &trigger - triggers;
      if (alive) delete c;
    }
}

// Hit tests measure annotation texts as drawn, with the text event.
TEST(ChartSelfDelete, TextEventOfTheNearestAnnotationSearch) {
  TKiller k;
  TRChart* c = NewChart(k);
  c->SetAnnoMode(true);
  c->Text(2.0, 2.0, 10, "first");
  c->Text(8.0, 8.0, 10, "second");
  c->OnBeforeRenderText = [&k](TObject*, std::string&, int, bool) { k(); };
  QPointer<QWidget> alive(c);
  double d = 0;
  EXPECT_EQ(c->FindNearestAnnoElem(8.0, 8.0, tkText, 255, false, d), -1);
  EXPECT_TRUE(k.done);
  if (alive) delete c;
}
