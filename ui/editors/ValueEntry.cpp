#include "ui/editors/ValueEntry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace orbisk {

ValueEntry* ValueEntry::open(QLabel* label, QScrollBar* bar) {
  auto* entry = new ValueEntry(label, bar);
  entry->show();
  entry->raise();
  entry->setFocus(Qt::OtherFocusReason);
  entry->selectAll();
  return entry;
}

ValueEntry::ValueEntry(QLabel* label, QScrollBar* bar)
    : QSpinBox(label->parentWidget()), bar_(bar) {
  setObjectName(label->objectName() + "entry");
  setAttribute(Qt::WA_DeleteOnClose);
  // Arrows would leave no room for the digits in a label-sized box; the bar steps already.
  setButtonSymbols(QAbstractSpinBox::NoButtons);
  setAlignment(Qt::AlignCenter);
  setRange(bar->minimum(), bar->maximum());
  setValue(bar->value());
  setGeometry(label->geometry());
}

void ValueEntry::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      finish(true);
      return;
    case Qt::Key_Escape:
      finish(false);
      return;
    default:
      QSpinBox::keyPressEvent(event);
  }
}

void ValueEntry::focusOutEvent(QFocusEvent* event) {
  QSpinBox::focusOutEvent(event);
  finish(false);
}

void ValueEntry::finish(bool apply) {
  if (finished_) return;
  finished_ = true;
  if (apply && bar_) {
    // A text that is not a whole number within the range leaves the value as it was.
    interpretText();
    // The bar's own change handling writes the label and the picture record; the same value
    // again changes nothing.
    bar_->setValue(value());
  }
  // The focus goes back to the bar, so the arrow keys go on from the new value.
  if (bar_ && hasFocus()) bar_->setFocus(Qt::OtherFocusReason);
  close();
}

}  // namespace orbisk
