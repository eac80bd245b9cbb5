// orbisk-make-screenshot: the main window showing the start-up picture, the screenshot the
// AppStream description refers to. scripts/make-artwork.sh runs it on Qt's offscreen platform.
#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "ui/QtDialogs.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: orbisk-make-screenshot OUT.png\n");
    return 2;
  }
  orbisk::QtDialogs dialogs;  // CREATE asks nothing; no dialog ever opens here
  orbisk::MainWindow window(dialogs);
  window.show();
  QAction* create = window.findChild<QAction*>(QStringLiteral("createknopp"));
  if (!create) return 2;
  create->trigger();
  // The run's turns one after another, without waiting for the event loop between them.
  orbisk::RenderDriver& driver = window.renderDriver();
  while (driver.isRunning()) driver.runOneTurn();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "orbisk-make-screenshot: cannot write %s\n", argv[1]);
    return 2;
  }
  return 0;
}
