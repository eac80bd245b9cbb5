// The Help menu: "Hints and tips" and "About...".
#include <QPointer>

#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

// Shows the open window of this kind in front, or builds a new one. A window closed by its
// button is only waiting for its deletion, so the next opening builds a fresh one.
template <typename Form>
void showInfoWindow(QPointer<Form>& form, QWidget* parent) {
  if (form && form->isHidden()) {
    form->deleteLater();
    form.clear();
  }
  if (!form) form = new Form(parent);
  form->show();
  form->raise();
  form->activateWindow();
}

}  // namespace

void MainWindow::onHints() {
  showInfoWindow(hintsForm_, this);
}

void MainWindow::onAbout() {
  showInfoWindow(aboutForm_, this);
}

}  // namespace orbisk
