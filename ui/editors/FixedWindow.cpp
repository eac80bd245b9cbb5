#include "ui/editors/FixedWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orbisk {

namespace {

QScreen* screenOf(QWidget* window) {
  QScreen* screen = window->screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

void centreOnScreen(QWidget* window) {
  QScreen* screen = screenOf(window);
  if (!screen) return;
  const QRect area = screen->geometry();
  const QRect frame = window->frameGeometry();
  window->move(area.x() + (area.width() - frame.width()) / 2,
               area.y() + (area.height() - frame.height()) / 2);
}

void centreHorizontally(QWidget* window) {
  QScreen* screen = screenOf(window);
  if (!screen) return;
  const QRect area = screen->geometry();
  const QRect frame = window->frameGeometry();
  window->move(area.x() + (area.width() - frame.width()) / 2, frame.y());
}

}  // namespace orbisk
