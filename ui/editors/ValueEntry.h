// A small number entry laid over a bar's value label, for typing a value instead of stepping
// the bar to it.
#pragma once

#include <QPointer>
#include <QSpinBox>

class QLabel;
class QScrollBar;

namespace orbisk {

class ValueEntry : public QSpinBox {
  Q_OBJECT

 public:
  // Opens an entry over the label, limited to the bar's range and holding its value, with the
  // text selected and the focus in it. Enter gives the typed value to the bar, exactly as if the
  // bar had been moved there; Escape, or the focus going elsewhere, closes it without a change.
  // Either way the entry deletes itself.
  static ValueEntry* open(QLabel* label, QScrollBar* bar);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ValueEntry(QLabel* label, QScrollBar* bar);
  void finish(bool apply);

  QPointer<QScrollBar> bar_;  // the bar the typed value goes to
  bool finished_ = false;     // applied or cancelled; later events change nothing
};

}  // namespace orbisk
