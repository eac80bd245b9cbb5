// Times one CREATE of the desktop program on a data file, driven by the real event loop with its
// repaints, so it can be set beside orbisk-render on the same file. Usage:
//   orbisk_gui_timing DATAFILE      (QT_QPA_PLATFORM=offscreen works without a display)
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "io/DataFileIo.h"
#include "ui/QtDialogs.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: orbisk_gui_timing DATAFILE\n");
    return 2;
  }
  const orbisk::RecordFileResult loaded = orbisk::readRecordFile(argv[1]);
  if (!loaded.ok) {
    std::fprintf(stderr, "orbisk_gui_timing: %s\n", loaded.error.c_str());
    return 2;
  }
  orbisk::QtDialogs dialogs;
  orbisk::MainWindow window(dialogs);
  orbisk::applyRecord(loaded.record, window.params());
  window.show();
  QElapsedTimer clock;
  QObject::connect(&window.renderDriver(), &orbisk::RenderDriver::ended, &app, [&] {
    std::fprintf(stderr, "orbisk_gui_timing: CREATE took %.3f s\n", clock.nsecsElapsed() / 1e9);
    QCoreApplication::exit(0);  // quit() would ask the window, which asks "Quit Orbisk?"
  });
  clock.start();
  window.findChild<QAction*>("createknopp")->trigger();
  return app.exec();
}
