// The colour-system and shape editors as the main window reaches them, and the drawing mode of
// the Colours menu.
#include "model/ControlRanges.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

// Brings an editor window up without blocking the main window; one already shown comes to the
// front with every value as it was.
void showEditor(QWidget* editor) {
  editor->show();
  editor->raise();
  editor->activateWindow();
}

}  // namespace

void MainWindow::createColourAndShapeEditors() {
  // Both editors live, hidden or shown, until the program ends: the colour systems read the
  // three additions and the shape stage reads slant, height and offsets from them while a render
  // runs, and a loaded data file sets their bars. Made now, their bars and the record agree from
  // the start.
  xrayForm_ = new XrayForm(params_, dialogs_, this);
  xrayForm_->hide();

  driedForm_ = new DriedForm(params_, dialogs_, this);
  driedForm_->hide();
  // The start-up values of the shape settings.
  driedForm_->setControl(Control::glij, 25);
  driedForm_->setControl(Control::hoogte, 25);
  driedForm_->setControl(Control::hsbvertical, 0);
  driedForm_->setControl(Control::hsbhorizon, 0);
}

void MainWindow::onColourSystem() {
  showEditor(xrayForm_);
}

void MainWindow::onShape() {
  showEditor(driedForm_);
}

void MainWindow::setPenModeAndChecks(int16_t inverse) {
  if (inverse != 0 && inverse != 1) return;
  // The pen mode rules every pixel drawn from now on, those of a running render included; the
  // pixels already on the canvas keep their colours.
  canvas_.setPenMode(inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
  action("regularcolor")->setChecked(inverse == 0);
  action("invertedcolor")->setChecked(inverse == 1);
}

void MainWindow::onRegularColour() {
  setPenModeAndChecks(0);
  params_.inverse = 0;
}

void MainWindow::onInverseColour() {
  setPenModeAndChecks(1);
  params_.inverse = 1;
}

}  // namespace orbisk
