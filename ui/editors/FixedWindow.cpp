#include "ui/editors/FixedWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace orbisk {

namespace {

QScreen* screenOf(QWidget* window) {
  QScreen* screen = window->screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

// Centres its window at the window's first show, when its layout has given it its size (a
// window built from a layout has no size of its own before that), then goes.
class CentreAtFirstShow : public QObject {
 public:
  explicit CentreAtFirstShow(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched == parent()) {
      auto* window = static_cast<QWidget*>(watched);
      window->removeEventFilter(this);
      centreWithin(window);
      deleteLater();
    }
    return false;
  }

 private:
  static void centreWithin(QWidget* window) {
    QScreen* screen = screenOf(window);
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    // The frame as far as it is known: before the window is mapped, a window manager may not
    // have told its margins yet, and then the frame is the window itself.
    const int x = area.x() + std::max(0, (area.width() - frame.width()) / 2);
    const int y = area.y() + std::max(0, (area.height() - frame.height()) / 2);
    window->move(x, y);
  }
};

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

void centreWhenShown(QWidget* window) {
  new CentreAtFirstShow(window);
}

void closeOnEscape(QWidget* window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

}  // namespace orbisk
