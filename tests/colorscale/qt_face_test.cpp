// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/qt.h>
#include <zyr/scales/colorscale.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <string>
#include <vector>

using namespace zyr;

TEST(ColorScaleQtFace, ColourAndTextOverloads) {
  TColorScale cs;
  cs.SetCaptionColor(QColor(Qt::red));
  cs.SetColorSclBkgd(QColor(0, 0, 255));
  cs.SetColorOfScale(QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(cs.CaptionColor(), clRed);
  EXPECT_EQ(cs.ColorSclBkgd(), clBlue);
  EXPECT_EQ(cs.ColorOfScale(), RGB(0x12, 0x34, 0x56));
  cs.SetCaptionColor(QColor());  // invalid: ignored
  EXPECT_EQ(cs.CaptionColor(), clRed);
  cs.SetCaptionColor(0x0000FF);  // a number stays a TColor
  EXPECT_EQ(cs.CaptionColor(), clRed);
  cs.SetCaption(QStringLiteral("Höhe [m]"));
  EXPECT_EQ(cs.Caption(), "Höhe [m]");
  cs.SetCaption("depth");
  EXPECT_EQ(cs.Caption(), "depth");
}

TEST(ColorScaleQtFace, ColorToValueTakesQColorAndRefusesInvalid) {
  TColorScale cs;
  cs.ColorArray().Fill(64, {clBlue, clLime, clRed});
  cs.SetScaleRange(0, 100);
  const TColor c = cs.ValueToColor(42.0);
  EXPECT_DOUBLE_EQ(cs.ColorToValue(ToQColor(c)), cs.ColorToValue(c));
  EXPECT_TRUE(std::isnan(cs.ColorToValue(QColor())));
}

TEST(ColorScaleQtFace, NamedConstantsDriveTheMouse) {
  TColorScale cs;
  cs.SetBounds(0, 0, 300, 75);
  cs.SetScaleRange(0, 100);
  cs.SetMouseAction(TColorScale::maPanStretch);
  EXPECT_EQ(cs.MouseAction(), 18);
  cs.MouseDown(mbLeft, ssLeft, 150, 30);  // the middle of the bar pans
  EXPECT_EQ(cs.ZoomPanMode(), TColorScale::zpmPan);
  cs.MouseUp(mbLeft, 0, 150, 30);
  cs.MouseDown(mbLeft, ssLeft, 20, 30);  // the left part stretches the low end
  EXPECT_EQ(cs.ZoomPanMode(), TColorScale::zpmLowEnd);
  cs.MouseUp(mbLeft, 0, 20, 30);
  EXPECT_EQ(TColorScale::maCrossHair, 10);
  EXPECT_EQ(TColorScale::zpmHighEnd, 2);
}

TEST(ColorScaleQtFace, ExportTakesQStringFileNames) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TColorScale cs;
  EXPECT_TRUE(cs.ExportToFile(dir.filePath(QStringLiteral("légende.png"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("légende.png"))));
}

TEST(ColorScaleSignals, TwoSlotsRunAfterTheHandlerInOrder) {
  TColorScale cs;
  cs.SetBounds(0, 0, 300, 75);
  std::vector<std::string> calls;
  cs.OnMouseMoveInScale = [&](TObject*, bool, TShiftState, double) { calls.push_back("handler"); };
  QObject::connect(&cs, &TColorScale::mouseMoveInScale,
                   [&](bool, TShiftState, double) { calls.push_back("slot 1"); });
  QObject::connect(&cs, &TColorScale::mouseMoveInScale,
                   [&](bool, TShiftState, double) { calls.push_back("slot 2"); });
  cs.MouseMove(0, 150, 30);
  EXPECT_EQ(calls, (std::vector<std::string>{"handler", "slot 1", "slot 2"}));
}

TEST(ColorScaleSignals, QueuedConnectionDeliversTheValues) {
  TColorScale cs;
  cs.SetBounds(0, 0, 300, 75);
  cs.SetScaleRange(0, 100);
  QObject receiver;
  int count = 0;
  bool in = false;
  TShiftState shift = 0;
  double value = -1;
  QObject::connect(
      &cs, &TColorScale::mouseMoveInScale, &receiver,
      [&](bool InScale, TShiftState Shift, double v) {
        ++count;
        in = InScale;
        shift = Shift;
        value = v;
      },
      Qt::QueuedConnection);
  cs.MouseMove(ssShift | ssCtrl, 150, 30);
  EXPECT_EQ(count, 0);  // not before the event loop runs
  QCoreApplication::processEvents();
  ASSERT_EQ(count, 1);
  EXPECT_TRUE(in);
  EXPECT_EQ(shift, TShiftState(ssShift | ssCtrl));
  EXPECT_NEAR(value, 50.0, 2.0);
}

TEST(ColorScaleSignals, EveryEventHasItsSignal) {
  TColorScale cs;
  const QMetaObject* mo = cs.metaObject();
  for (const char* sig : {"crossHairMove()", "dataRendered()",
                          "mouseMoveInScale(bool,zyr::TShiftState,double)", "zoomPan()"})
    EXPECT_GE(mo->indexOfSignal(sig), 0) << sig;
  int zoomPans = 0, rendered = 0;
  QObject::connect(&cs, &TColorScale::zoomPan, [&] { ++zoomPans; });
  QObject::connect(&cs, &TColorScale::dataRendered, [&] { ++rendered; });
  cs.SetBounds(0, 0, 300, 75);
  cs.Repaint();
  EXPECT_GE(rendered, 1);
  cs.SetMouseAction(TColorScale::maPanStretch);
  cs.MouseDown(mbLeft, ssLeft, 150, 30);
  cs.MouseUp(mbLeft, 0, 150, 30);
  EXPECT_EQ(zoomPans, 1);
}

TEST(ColorScaleProperties, QtTypedProperties) {
  TColorScale cs;
  EXPECT_TRUE(cs.setProperty("CaptionColor", QColor(Qt::blue)));
  EXPECT_TRUE(cs.setProperty("Orientation", int(csoVertical)));
  EXPECT_TRUE(cs.setProperty("Orientation", 7));  // out of range: ignored
  EXPECT_TRUE(cs.setProperty("ColorHigh", 42.5));
  EXPECT_EQ(cs.CaptionColor(), clBlue);
  EXPECT_EQ(cs.Orientation(), csoVertical);
  EXPECT_EQ(cs.ColorHigh(), 42.5);
  EXPECT_EQ(cs.property("ColorSclBkgd").value<QColor>(), QColor(192, 192, 192));
}
