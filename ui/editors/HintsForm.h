// The "Hints and tips" window: the program's user help.
#pragma once

#include <QString>
#include <QWidget>

namespace orbisk {

// Deletes itself when closed; the Help menu builds a new one at every opening.
class HintsForm : public QWidget {
  Q_OBJECT

 public:
  explicit HintsForm(QWidget* parent = nullptr);

  // The help text shown in the text box.
  static QString helpText();
};

}  // namespace orbisk
