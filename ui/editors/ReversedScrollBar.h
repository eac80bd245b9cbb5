// A scroll bar that shows its maximum at the top (vertical) or at the left (horizontal).
#pragma once

#include <QScrollBar>

namespace orbisk {

// Qt draws an inverted bar upside down but leaves its arrow buttons and trough clicks as they
// were, so the arrow at the top would move the thumb down. This bar turns the steps that a mouse
// press starts round, so every arrow and trough click moves the thumb towards the place clicked.
// Keys and the wheel already follow the inverted appearance and are left alone.
class ReversedScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit ReversedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void reverseMouseStep(int action);

  bool mouseHeld_ = false;  // the steps triggered now come from a press on the bar
};

}  // namespace orbisk
