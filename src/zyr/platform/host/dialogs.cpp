// SPDX-License-Identifier: MIT
#include <zyr/platform/host/dialogs.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace zyr {

namespace {
TMessageHandler& Handler() {
  static TMessageHandler h;
  return h;
}

bool HasRealDisplay() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
  const QString p = QGuiApplication::platformName();
  return p != "offscreen" && p != "minimal";
}
}  // namespace

TMessageHandler SetMessageHandler(TMessageHandler handler) {
  TMessageHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

int MessageDlg(const std::string& text, TMsgDlgType type) {
  if (Handler()) return Handler()(text, type);
  if (!HasRealDisplay()) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return mrOk;
  }
  const QString t = QString::fromStdString(text);
  switch (type) {
    case mtWarning: QMessageBox::warning(nullptr, "Warning", t); break;
    case mtError: QMessageBox::critical(nullptr, "Error", t); break;
    case mtConfirmation:
      return QMessageBox::question(nullptr, "Confirm", t) == QMessageBox::Yes ? mrYes : mrNo;
    default: QMessageBox::information(nullptr, "Information", t); break;
  }
  return mrOk;
}

void Application::ProcessMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace zyr
