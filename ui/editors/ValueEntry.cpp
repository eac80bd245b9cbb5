#include "ui/editors/ValueEntry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QScrollBar>

namespace orbisk {

ValueEntry* ValueEntry::open(QLabel* label, QScrollBar* bar, Refusal refused) {
  auto* entry = new ValueEntry(label, bar, std::move(refused));
  entry->show();
  entry->raise();
  entry->setFocus(Qt::OtherFocusReason);
  entry->selectAll();
  return entry;
}

ValueEntry::ValueEntry(QLabel* label, QScrollBar* bar, Refusal refused)
    : QLineEdit(label->parentWidget()), bar_(bar), refused_(std::move(refused)) {
  setObjectName(label->objectName() + "entry");
  setAttribute(Qt::WA_DeleteOnClose);
  setAlignment(Qt::AlignCenter);
  // Digits with a minus sign in front at most; the range is checked on Enter, so a keystroke
  // that passes the range for a moment (the first 9 of 99 in 1..35 is fine, the second not) is
  // never dropped without a word.
  setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*"), this));
  setText(QString::number(bar->value()));
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
      QLineEdit::keyPressEvent(event);
  }
}

void ValueEntry::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  finish(false);
}

void ValueEntry::finish(bool apply) {
  if (finished_) return;
  finished_ = true;
  bool refused = false;
  if (apply && bar_) {
    // toInt fails on a number beyond int as on any other text that is not a number.
    bool isNumber = false;
    const int value = text().toInt(&isNumber);
    if (isNumber && value >= bar_->minimum() && value <= bar_->maximum()) {
      // The bar's own change handling writes the label and the picture record; the same value
      // again changes nothing.
      bar_->setValue(value);
    } else {
      refused = true;
    }
  }
  const QString typed = text();
  // The focus goes back to the bar, so the arrow keys go on from the new value.
  if (bar_ && hasFocus()) bar_->setFocus(Qt::OtherFocusReason);
  close();
  // Told last: a message box takes the focus, and the entry is closed by then.
  if (refused && refused_) refused_(typed);
}

}  // namespace orbisk
