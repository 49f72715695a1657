// SPDX-License-Identifier: MIT
// Qt Designer custom widget collection offering every chart control.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

namespace zyr {

class TCustomControl;

/// One control in Designer's widget box; the factory builds it for a given parent.
class TControlDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)
 public:
  using Factory = std::function<TCustomControl*(QWidget*)>;
  TControlDesignerPlugin(QString className, QString header, QString toolTip, Factory factory,
                         QObject* parent);

  QString name() const override { return FClassName; }
  QString group() const override { return QStringLiteral("ZYR Charts"); }
  QString toolTip() const override { return FToolTip; }
  QString whatsThis() const override { return FToolTip; }
  QString includeFile() const override { return FHeader; }
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return FInitialized; }
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;

 private:
  QString FClassName, FHeader, FToolTip;
  Factory FFactory;
  mutable QIcon FIcon;
  bool FInitialized = false;
  bool FInDesigner = false;
};

class TZyrDesignerPlugins : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
 public:
  explicit TZyrDesignerPlugins(QObject* parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

 private:
  QList<QDesignerCustomWidgetInterface*> FWidgets;
};

}  // namespace zyr
