#include "ui/editors/EditorWindow.h"

#include <QLabel>
#include <QScrollBar>

#include "ui/editors/FittedText.h"
#include "ui/editors/FixedWindow.h"

namespace orbisk {

EditorWindow::EditorWindow(const QString& objectName, const QString& title, QSize clientSize,
                           Control firstBar, int barCount, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags),
      firstBar_(firstBar),
      bars_(static_cast<size_t>(barCount), nullptr) {
  setObjectName(objectName);
  setWindowTitle(title);
  setFixedSize(clientSize);
}

int EditorWindow::barIndex(Control c) const {
  const int index = static_cast<int>(c) - static_cast<int>(firstBar_);
  return index >= 0 && index < static_cast<int>(bars_.size()) ? index : -1;
}

bool EditorWindow::setControl(Control c, int value) {
  const int index = barIndex(c);
  if (index < 0 || !controlAccepts(c, value)) return false;
  // QScrollBar::setValue clamps, so the range was checked above; an equal value emits nothing.
  bar(index)->setValue(value);
  return true;
}

int EditorWindow::controlValue(Control c) const {
  const int index = barIndex(c);
  return index < 0 ? 0 : bar(index)->value();
}

void EditorWindow::showEvent(QShowEvent* event) {
  // The show event arrives before the window is mapped, so moving here avoids a visible jump.
  if (!placed_) {
    placed_ = true;
    centreOnScreen(this);
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
  if (const int index = barIndex(c); index >= 0) {
    bars_[static_cast<size_t>(index)] = bar;
    connect(bar, &QScrollBar::valueChanged, this,
            [this, index](int value) { barChanged(index, value); });
  }
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
  // The window cannot grow, so a desktop font too large for the place gets smaller instead.
  shrinkFontToFit(label);
  return label;
}

}  // namespace orbisk
