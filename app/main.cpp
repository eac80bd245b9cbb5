// Orbisk, the desktop program: the main window is made first, the intro window is shown while
// it waits, and the main window appears when the intro closes.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "ui/QtDialogs.h"
#include "ui/editors/IntroForm.h"
#include "ui/main/CommandLineFile.h"
#include "ui/main/MainWindow.h"

namespace {

// The program's windows from the intro to Exit. Returns once everything of the program's own is
// gone: the windows closed, the worker threads joined, the clipboard handed over by Qt.
int runWindows(int& argc, char** argv) {
  QApplication app(argc, argv);
  // Between the intro's closing and the main window's showing no window is visible; the program
  // ends only through Exit.
  QApplication::setQuitOnLastWindowClosed(false);

  orbisk::QtDialogs dialogs;
  orbisk::MainWindow window(dialogs);
  QObject::connect(&window, &orbisk::MainWindow::exitConfirmed, &app, &QApplication::quit,
                   Qt::QueuedConnection);

  // The intro is application-modal and deletes itself when it closes.
  auto* intro = new orbisk::IntroForm();
  QObject::connect(intro, &orbisk::IntroForm::closed, &window, [&window] {
    window.show();
    window.activateWindow();
    // orbisk FILE: the file opens once the window is up.
    orbisk::openCommandLineFile(window, QCoreApplication::arguments());
  });
  intro->show();

  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version need no display, so they are answered before Qt starts.
  if (const auto status = orbisk::answerInfoOptions(argc, argv, stdout)) return *status;

  const int status = runWindows(argc, argv);
  // Nothing of the program's own is left to end or to write. What the libraries still tear down
  // after main (their static objects and the threads those own, such as Qt's D-Bus connection
  // thread, joined there) kept the process alive for a noticeable while after the windows had
  // gone: the system ends it at once instead.
  std::fflush(nullptr);
  std::_Exit(status);
}
