// SPDX-License-Identifier: MIT
// The Designer plugin offers every control, and forms built from it carry their properties.
#include <gtest/gtest.h>

#ifdef ZYR_DESIGNER_PLUGIN_FILE
#include <zyr/chart/rchart.h>

#include <QBuffer>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>
#include <set>

using namespace zyr;

TEST(DesignerPlugin, OffersAndCreatesEveryControlWithItsOwnIcon) {
  QPluginLoader loader(QStringLiteral(ZYR_DESIGNER_PLUGIN_FILE));
  QObject* instance = loader.instance();
  ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
  ASSERT_NE(collection, nullptr);
  std::set<QString> names;
  for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
    names.insert(w->name());
    EXPECT_EQ(w->group(), QStringLiteral("ZYR Charts"));
    EXPECT_FALSE(w->icon().isNull()) << w->name().toStdString();
    EXPECT_TRUE(w->domXml().contains(w->name()));
    if (w->name() == "zyr::TRChart") {
      EXPECT_TRUE(w->domXml().contains("name=\"rChart\""));
    }
    QWidget parent;
    w->initialize(nullptr);
    QWidget* made = w->createWidget(&parent);
    auto* c = dynamic_cast<TCustomControl*>(made);
    ASSERT_NE(c, nullptr) << w->name().toStdString();
    EXPECT_EQ(made->parentWidget(), &parent);
    EXPECT_FALSE(c->IsDesigning());  // only a real Designer passes its core
    EXPECT_FALSE(c->IsLoading());
  }
  const std::set<QString> expected = {"zyr::TRChart",     "zyr::TContourPlot", "zyr::TSmithChart",
                                      "zyr::TBoxPlot",    "zyr::TScale",       "zyr::TColorScale",
                                      "zyr::TScaleGauge", "zyr::TPlot3D",      "zyr::TRot3D"};
  EXPECT_EQ(names, expected);
}

TEST(DesignerPlugin, FormFileYieldsChartWithItsProperties) {
  const QByteArray ui = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>640</width><height>480</height></rect></property>
  <widget class="zyr::TRChart" name="chart">
   <property name="geometry"><rect><x>10</x><y>20</y><width>400</width><height>300</height></rect></property>
   <property name="MarginLeft"><number>70</number></property>
   <property name="Caption"><string>Spectrum</string></property>
   <property name="ChartColor"><color><red>255</red><green>128</green><blue>0</blue></color></property>
   <property name="MouseAction"><number>2</number></property>
   <property name="GridStyle"><number>4</number></property>
   <property name="ScaleX1Caption"><string>Zeit [µs]</string></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget><class>zyr::TRChart</class><extends>QWidget</extends><header>zyr/chart/rchart.h</header></customwidget>
 </customwidgets>
</ui>)";
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(QStringLiteral(ZYR_DESIGNER_PLUGIN_DIR));
  ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("zyr::TRChart")));
  QBuffer buf;
  buf.setData(ui);
  ASSERT_TRUE(buf.open(QIODevice::ReadOnly));
  std::unique_ptr<QWidget> form(loader.load(&buf));
  ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
  auto* chart = form->findChild<TRChart*>(QStringLiteral("chart"));
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Left(), 10);
  EXPECT_EQ(chart->Top(), 20);
  EXPECT_EQ(chart->Width(), 400);
  EXPECT_EQ(chart->Height(), 300);
  EXPECT_EQ(chart->MarginLeft(), 70);
  EXPECT_EQ(chart->property("Caption").toString(), QStringLiteral("Spectrum"));
  EXPECT_EQ(chart->property("ChartColor").value<QColor>(), QColor(255, 128, 0));
  EXPECT_EQ(chart->MouseAction(), 2);
  EXPECT_EQ(chart->GridStyle(), gsLines);
  EXPECT_EQ(chart->Scale1X().Caption(), "Zeit [\u00b5s]");
}

#else
TEST(DesignerPlugin, NotBuiltWithoutQtDesigner) { GTEST_SKIP() << "Qt Designer not found"; }
#endif
