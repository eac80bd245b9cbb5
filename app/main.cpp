// Orbisk, the desktop program: the main window is made first, the intro window is shown while
// it waits, and the main window appears when the intro closes.
#include <QApplication>
#include <cstdio>

#include "app/CommandLine.h"
#include "ui/QtDialogs.h"
#include "ui/editors/IntroForm.h"
#include "ui/main/MainWindow.h"

int main(int argc, char** argv) {
  // --help and --version need no display, so they are answered before Qt starts.
  if (const auto status = orbisk::answerInfoOptions(argc, argv, stdout)) return *status;

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
  });
  intro->show();

  return app.exec();
}
