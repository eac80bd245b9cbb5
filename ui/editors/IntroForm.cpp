#include "ui/editors/IntroForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/editors/FixedWindow.h"
#include "ui/editors/RenderedPicture.h"
#include "ui/editors/WindowManagerTitle.h"

namespace orbisk {

IntroForm::IntroForm(QWidget* parent)
    : QWidget(parent, kFixedWindowFlags),
      picture_(renderPicture(introPictureParams(), kPictureWidth, kPictureHeight)) {
  setObjectName("introform");
  setWindowTitle(QString());
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(kPictureWidth, kPictureHeight);
  setFocusPolicy(Qt::StrongFocus);
  // The picture covers every pixel, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  centreOnScreen(this);
}

void IntroForm::showEvent(QShowEvent* event) {
  // The window has no title; without this the title bar would show the program's name.
  handEmptyTitleToWindowManager(this);
  QWidget::showEvent(event);
}

void IntroForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void IntroForm::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  close();
}

void IntroForm::keyPressEvent(QKeyEvent* event) {
  // Only keys that type something count; Shift, Ctrl, the arrows and the like do not. Enter and
  // Escape are named as well because not every platform gives them a text.
  const int key = event->key();
  if (!event->text().isEmpty() || key == Qt::Key_Return || key == Qt::Key_Enter ||
      key == Qt::Key_Escape) {
    event->accept();
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void IntroForm::closeEvent(QCloseEvent* event) {
  // Closing from the frame ends the intro like a click does, so the main window always follows.
  event->accept();
  if (finished_) return;
  finished_ = true;
  // Hidden before the announcement, so the modal intro no longer blocks the main window that
  // is shown and activated on it.
  hide();
  emit closed();
  deleteLater();
}

}  // namespace orbisk
