// A small number entry laid over a bar's value label, for typing a value instead of stepping
// the bar to it.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <functional>

class QLabel;
class QScrollBar;

namespace orbisk {

class ValueEntry : public QLineEdit {
  Q_OBJECT

 public:
  // Told the text typed when it is not a whole number within the bar's range.
  using Refusal = std::function<void(const QString& typed)>;

  // Opens an entry over the label holding the bar's value, with the text selected and the focus
  // in it. Any whole number can be typed, however long. Enter gives a value within the bar's
  // range to the bar, exactly as if the bar had been moved there; any other text changes nothing,
  // and refused is told. Escape, or the focus going elsewhere, closes it without a change.
  // Either way the entry deletes itself.
  static ValueEntry* open(QLabel* label, QScrollBar* bar, Refusal refused);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ValueEntry(QLabel* label, QScrollBar* bar, Refusal refused);
  void finish(bool apply);

  QPointer<QScrollBar> bar_;  // the bar the typed value goes to
  Refusal refused_;
  bool finished_ = false;  // applied or cancelled; later events change nothing
};

}  // namespace orbisk
