// The about window. A click on its icon widens it to show a larger picture.
#pragma once

#include <QWidget>

class QLabel;

namespace orbisk {

// Deletes itself when closed; the Help menu builds a new, narrow one at every opening.
class AboutForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 229;     // client area before the icon is clicked
  static constexpr int kHeight = 328;          // client area
  static constexpr int kWideOuterWidth = 529;  // whole window, frame included, once widened
  static constexpr int kLargePictureSize = 254;
  static constexpr int kIconSize = 48;
  static constexpr int kBadgeSize = 32;

  explicit AboutForm(QWidget* parent = nullptr);

 private:
  // Makes the window 529 pixels wide, frame included, reveals the large picture and centres the
  // window horizontally again. Doing it a second time changes nothing.
  void widen();

  QLabel* largePicture_;
};

}  // namespace orbisk
