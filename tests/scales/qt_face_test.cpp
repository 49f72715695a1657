// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/scale.h>

#include <QDateTime>
#include <QPointer>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zyr;

TEST(ScaleQtFace, ColourOverloadsTakeQtColoursAndIgnoreInvalidOnes) {
  TScale s;
  s.SetColorScale(QColor(255, 128, 0));  // orange in Qt's red-green-blue order
  EXPECT_EQ(s.ColorScale(), RGB(255, 128, 0));
  s.SetColorBackGnd(QColor(Qt::darkBlue));
  EXPECT_EQ(s.ColorBackGnd(), RGB(0, 0, 128));
  s.SetColorScale(QColor());
  s.SetColorBackGnd(QColor());
  EXPECT_EQ(s.ColorScale(), RGB(255, 128, 0));
  EXPECT_EQ(s.ColorBackGnd(), RGB(0, 0, 128));
}

TEST(ScaleQtFace, NumbersAndLiteralsPickTheDocumentedOverloads) {
  TScale s;
  // A plain number is a TColor in its documented byte order, not a QRgb.
  s.SetColorScale(0xFF8000);
  EXPECT_EQ(s.ColorScale(), TColor(0xFF8000));
  s.SetColorBackGnd(clRed);
  EXPECT_EQ(s.ColorBackGnd(), clRed);
  s.SetCaption("U [V]");
  EXPECT_EQ(s.Caption(), "U [V]");
  s.SetCaption(std::string("I [A]"));
  EXPECT_EQ(s.Caption(), "I [A]");
  s.SetUserTickText("a|b");
  EXPECT_EQ(s.UserTickText(), "a|b");
  s.SetScaleInscript("&-ms");
  EXPECT_EQ(s.ScaleInscript(), "&-ms");
}

TEST(ScaleQtFace, TextOverloadsKeepCharactersBeyondAscii) {
  TScale s;
  s.SetCaption(QStringLiteral("Temperatur [°C] – Ω"));
  EXPECT_EQ(s.Caption(), "Temperatur [°C] – Ω");
  s.SetUserTickText(QStringLiteral("µ|ß"));
  EXPECT_EQ(s.UserTickText(), "µ|ß");
  s.SetScaleInscript(QString());
  EXPECT_EQ(s.ScaleInscript(), "");
}

TEST(ScaleQtFace, DateRangeFromQDateTimeAndInvalidDatesRefused) {
  TScale s;
  s.SetLabelType(TScale::ltDateTime);
  const QDateTime a(QDate(1899, 12, 30), QTime(0, 0));
  const QDateTime b(QDate(1900, 1, 1), QTime(12, 0));
  s.SetRange(a, b);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 2.5);
  s.SetRange(QDateTime(), b);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 2.5);
}

TEST(ScaleQtFace, NamedConstantsAreTheDocumentedOrdinals) {
  TScale s;
  s.SetMouseAction(TScale::maPan);
  s.DblClick();  // a double click toggles pan and stretch
  EXPECT_EQ(s.MouseAction(), TScale::maStretch);
  EXPECT_EQ(TScale::maStretch, 6);
  EXPECT_EQ(TScale::maZoomCenter, 9);
  EXPECT_EQ(TScale::stHorzLabelsAbove, 0);
  EXPECT_EQ(TScale::stVertLabelsLeft, 3);
  EXPECT_EQ(TScale::ltNone, 0);
  EXPECT_EQ(TScale::ltUserText, 4);
  EXPECT_EQ(TScale::frLowered, 2);
  EXPECT_EQ(TScale::frDouble, 6);
  // Date labels switch logarithmic off, whichever way the type is given.
  s.SetRange(1, 100);
  s.SetLogarithmic(true);
  s.SetLabelType(TScale::ltDateTime);
  EXPECT_FALSE(s.Logarithmic());
  s.SetLabelType(2);
  EXPECT_EQ(s.LabelType(), TScale::ltTimeSpan);
}

namespace {

// Pans a stand-alone scale by dragging: the first move anchors, the second pans.
void DragPan(TScale& s) {
  s.SetMouseAction(TScale::maPan);
  s.MouseDown(mbLeft, ssLeft, 100, 50);
  s.MouseMove(ssLeft, 100, 50);
  s.MouseMove(ssLeft, 150, 50);
}

}  // namespace

TEST(ScaleSignals, SlotsRunAfterTheHandlerInConnectionOrder) {
  TScale s;
  std::vector<std::string> calls;
  s.OnZoomPan = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &s);
    calls.push_back("handler");
  };
  QObject::connect(&s, &TScale::zoomPan, [&] { calls.push_back("slot 1"); });
  QObject::connect(&s, &TScale::zoomPan, [&] { calls.push_back("slot 2"); });
  DragPan(s);
  EXPECT_EQ(calls, (std::vector<std::string>{"handler", "slot 1", "slot 2"}));
  EXPECT_NE(s.RangeLow(), 0);  // the drag did pan
}

TEST(ScaleSignals, RenderSignalsFollowTheirHandlersAndCostNothingUnconnected) {
  TScale s;
  s.SetSuppressPaint(false);
  std::vector<std::string> calls;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { calls.push_back("before handler"); };
  QObject::connect(&s, &TScale::beforeScaleRendered, [&] { calls.push_back("before"); });
  QObject::connect(&s, &TScale::afterScaleRendered, [&] { calls.push_back("after"); });
  s.Repaint();
  EXPECT_EQ(calls, (std::vector<std::string>{"before handler", "before", "after"}));
  // Tick events fire per tick while drawing and have no signal.
  const QMetaObject* mo = s.metaObject();
  EXPECT_GE(mo->indexOfSignal("zoomPan()"), 0);
  EXPECT_GE(mo->indexOfSignal("beforeScaleRendered()"), 0);
  EXPECT_GE(mo->indexOfSignal("afterScaleRendered()"), 0);
  EXPECT_LT(mo->indexOfSignal("scaleTickDrawn()"), 0);
}

TEST(ScaleSignals, ASlotMayDeleteTheScaleAndAThrowingSlotActsAsAThrowingHandler) {
  auto* s = new TScale;
  QObject::connect(s, &TScale::zoomPan, s, [s] { delete s; });
  const QPointer<TScale> watch(s);
  DragPan(*s);  // must not touch the scale after the slot deleted it
  EXPECT_TRUE(watch.isNull());

  TScale t;
  QObject::connect(&t, &TScale::zoomPan, [] { throw std::runtime_error("slot failed"); });
  EXPECT_THROW(DragPan(t), std::runtime_error);
  QObject::disconnect(&t, &TScale::zoomPan, nullptr, nullptr);
  const double low = t.RangeLow();
  t.MouseMove(ssLeft, 200, 50);  // still usable afterwards
  EXPECT_NE(t.RangeLow(), low);
}

TEST(ScaleProperties, QtTypedPropertiesReachTheDocumentedOnes) {
  TScale s;
  EXPECT_TRUE(s.setProperty("Caption", QStringLiteral("Zeit [s]")));
  EXPECT_TRUE(s.setProperty("ColorScale", QColor(255, 128, 0)));
  EXPECT_TRUE(s.setProperty("RangeHigh", 250.0));
  EXPECT_TRUE(s.setProperty("ScaleType", int(TScale::stVertLabelsLeft)));
  EXPECT_TRUE(s.setProperty("MarginLeft", 33));
  EXPECT_EQ(s.Caption(), "Zeit [s]");
  EXPECT_EQ(s.ColorScale(), RGB(255, 128, 0));
  EXPECT_EQ(s.RangeHigh(), 250.0);
  EXPECT_EQ(s.ScaleType(), TScale::stVertLabelsLeft);
  EXPECT_EQ(s.MarginLeft(), 33);
  EXPECT_EQ(s.property("ColorBackGnd").value<QColor>(), ToQColor(clBtnFace));
  EXPECT_EQ(s.property("UserTickText").toString(), QString());
}
