// SPDX-License-Identifier: MIT
#include "zyrdesigner.h"

#include <zyr/chart/boxplot.h>
#include <zyr/chart/contourplot.h>
#include <zyr/chart/rchart.h>
#include <zyr/chart/smithchart.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>
#include <zyr/scales/scale.h>

#include <QDesignerFormEditorInterface>
#include <QPixmap>
#include <QTimer>
#include <exception>
#include <memory>

namespace zyr {

TControlDesignerPlugin::TControlDesignerPlugin(QString className, QString header, QString toolTip,
                                               Factory factory, QObject* parent)
    : QObject(parent),
      FClassName(std::move(className)),
      FHeader(std::move(header)),
      FToolTip(std::move(toolTip)),
      FFactory(std::move(factory)) {}

void TControlDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (FInitialized) return;
  FInitialized = true;
  // Only a real Designer passes its core; form loaders in applications build ordinary controls.
  FInDesigner = core != nullptr;
}

QWidget* TControlDesignerPlugin::createWidget(QWidget* parent) {
  TCustomControl* c = FFactory(parent);
  if (FInDesigner) {
    c->SetDesigning(true);
    c->BeginLoading();
    // Designer sets the form's properties right after creating the widget; the control is
    // loaded once that is done.
    QTimer::singleShot(0, c, [c] { c->EndLoading(); });
  }
  return c;
}

QIcon TControlDesignerPlugin::icon() const {
  if (!FIcon.isNull()) return FIcon;
  // The control draws its own icon: a small picture with its default settings, scaled down.
  try {
    std::unique_ptr<TCustomControl> c(FFactory(nullptr));
    c->SetBounds(0, 0, 160, 120);
    const QImage pic = c->WindowPicture();
    if (!pic.isNull()) {
      FIcon = QIcon(
          QPixmap::fromImage(pic.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
  } catch (const std::exception& e) {
    qWarning("%s icon: %s", qPrintable(FClassName), e.what());
  }
  return FIcon;
}

QString TControlDesignerPlugin::domXml() const {
  // "zyr::TRChart" becomes the object name "rChart": no namespace, no type prefix.
  QString objectName = FClassName.mid(FClassName.lastIndexOf(':') + 1);
  if (objectName.size() > 1 && objectName.startsWith(u'T')) objectName.remove(0, 1);
  objectName[0] = objectName[0].toLower();
  return QStringLiteral(
             "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
             "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>320</width>"
             "<height>240</height></rect></property></widget></ui>")
      .arg(FClassName, objectName);
}

namespace {

template <class T>
TControlDesignerPlugin* Make(const char* name, const char* header, const char* tip,
                             QObject* parent) {
  return new TControlDesignerPlugin(
      QString::fromLatin1(name), QString::fromLatin1(header), QString::fromLatin1(tip),
      [](QWidget* p) -> TCustomControl* { return new T(p); }, parent);
}

}  // namespace

TZyrDesignerPlugins::TZyrDesignerPlugins(QObject* parent) : QObject(parent) {
  FWidgets = {
      Make<TRChart>("zyr::TRChart", "zyr/chart/rchart.h", "Scientific 2D chart", this),
      Make<TContourPlot>("zyr::TContourPlot", "zyr/chart/contourplot.h", "Contour plot", this),
      Make<TSmithChart>("zyr::TSmithChart", "zyr/chart/smithchart.h", "Smith chart", this),
      Make<TBoxPlot>("zyr::TBoxPlot", "zyr/chart/boxplot.h", "Box plot", this),
      Make<TScale>("zyr::TScale", "zyr/scales/scale.h", "Scale", this),
      Make<TColorScale>("zyr::TColorScale", "zyr/scales/colorscale.h", "Colour scale", this),
      Make<TScaleGauge>("zyr::TScaleGauge", "zyr/scales/gauge.h", "Scale gauge", this),
      Make<TPlot3D>("zyr::TPlot3D", "zyr/plot3d/plot3d.h", "3D surface plot", this),
      Make<TRot3D>("zyr::TRot3D", "zyr/plot3d/rot3d.h", "Rotatable 3D scene", this),
  };
}

}  // namespace zyr
