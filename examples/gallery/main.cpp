// SPDX-License-Identifier: MIT
// zyr-gallery: every control with built-in sample data.
//   zyr-gallery --out DIR   renders each page to DIR/<page>.png without a display
//   zyr-gallery             opens a window with one tab per page
//   zyr-gallery --page NAME opens the window at that page
#include "gallery.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>

std::vector<GalleryPage>& GalleryPages() {
  static std::vector<GalleryPage> pages;
  return pages;
}

int main(int argc, char** argv) {
  const char* outDir = nullptr;
  const char* startPage = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) outDir = argv[++i];
    if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc) startPage = argv[++i];
  }
  if (outDir && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  auto& pages = GalleryPages();
  std::sort(pages.begin(), pages.end(), [](auto& a, auto& b) { return a.name < b.name; });

  if (outDir) {
    QDir().mkpath(outDir);
    int failed = 0;
    for (auto& p : pages) {
      QImage img = p.render();
      const QString file = QDir(outDir).filePath(QString::fromStdString(p.name) + ".png");
      if (img.isNull() || !img.save(file)) {
        std::fprintf(stderr, "gallery: could not render %s\n", p.name.c_str());
        ++failed;
      } else {
        std::printf("gallery: %s\n", file.toLocal8Bit().constData());
      }
    }
    return failed ? 1 : 0;
  }

  QTabWidget tabs;
  tabs.setWindowTitle("ZYR charting controls");
  for (auto& p : pages) {
    QWidget* w = p.widget ? p.widget(&tabs) : nullptr;
    if (!w) {
      auto* l = new QLabel(&tabs);
      l->setPixmap(QPixmap::fromImage(p.render()));
      w = l;
    }
    const int ix = tabs.addTab(w, QString::fromStdString(p.name));
    if (startPage && p.name == startPage) tabs.setCurrentIndex(ix);
  }
  tabs.resize(1100, 800);
  tabs.show();
  return app.exec();
}
