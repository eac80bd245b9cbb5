#include "ui/editors/ReversedScrollBar.h"

#include <QtGlobal>

namespace orbisk {

ReversedScrollBar::ReversedScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  setInvertedAppearance(true);
  connect(this, &QAbstractSlider::actionTriggered, this, &ReversedScrollBar::reverseMouseStep);
}

void ReversedScrollBar::mousePressEvent(QMouseEvent* event) {
  mouseHeld_ = true;
  QScrollBar::mousePressEvent(event);
}

void ReversedScrollBar::mouseReleaseEvent(QMouseEvent* event) {
  QScrollBar::mouseReleaseEvent(event);
  mouseHeld_ = false;
}

void ReversedScrollBar::reverseMouseStep(int action) {
  if (!mouseHeld_) return;
  // When this signal arrives the slider position already holds the step's result but value()
  // still holds the old value, which becomes the position we set here.
  int step = 0;
  switch (action) {
    case SliderSingleStepAdd:
      step = -singleStep();
      break;
    case SliderSingleStepSub:
      step = singleStep();
      break;
    case SliderPageStepAdd:
      step = -pageStep();
      break;
    case SliderPageStepSub:
      step = pageStep();
      break;
    default:
      return;  // a dragged or absolutely placed thumb already lands where it was put
  }
  // The range is a few hundred at most, so the sum stays far from int's limits.
  setSliderPosition(qBound(minimum(), value() + step, maximum()));
}

}  // namespace orbisk
