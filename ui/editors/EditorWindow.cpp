#include "ui/editors/EditorWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

namespace orbisk {

EditorWindow::EditorWindow(const QString& objectName, const QString& title, QSize clientSize,
                           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(objectName);
  setWindowTitle(title);
  setFixedSize(clientSize);
}

void EditorWindow::showEvent(QShowEvent* event) {
  // The show event arrives before the window is mapped, so moving here avoids a visible jump.
  if (!placed_) {
    placed_ = true;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      QRect area = screen->availableGeometry();
      QRect frame = frameGeometry();
      frame.moveCenter(area.center());
      move(frame.topLeft());
    }
  }
  QWidget::showEvent(event);
}

QScrollBar* EditorWindow::placeBar(Control c, const QRect& geometry, QScrollBar* bar) {
  const ControlRange& range = controlRange(c);
  if (!bar) bar = new QScrollBar(Qt::Horizontal, this);
  bar->setParent(this);
  bar->setObjectName(range.objectName);
  bar->setRange(range.min, range.max);
  bar->setSingleStep(range.step);
  bar->setPageStep(range.step);
  bar->setValue(range.start);
  bar->setTracking(false);
  bar->setGeometry(geometry);
  return bar;
}

QLabel* EditorWindow::placeValueLabel(const char* objectName, const QRect& geometry) {
  auto* label = new QLabel(this);
  label->setObjectName(objectName);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}

QLabel* EditorWindow::placeCaption(const QString& text, const char* objectName,
                                   const QRect& geometry) {
  auto* label = new QLabel(text, this);
  label->setObjectName(objectName);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}

}  // namespace orbisk
