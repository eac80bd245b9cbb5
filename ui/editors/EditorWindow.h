// What the origin, colour-system and shape editors share: a small fixed-size window of its own,
// centred on the screen when first shown, whose scroll bars are built from the control table.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include "model/ControlRanges.h"

class QLabel;
class QScrollBar;

namespace orbisk {

class EditorWindow : public QWidget {
  Q_OBJECT

 public:
  // A top-level window with a title bar and a close button, but no minimise or maximise button.
  // The client area is fixed at clientSize; the frame's close button only hides the window, so
  // every control keeps its value for the renderer and the data file.
  EditorWindow(const QString& objectName, const QString& title, QSize clientSize, QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;

  // A bar for c with the range, start value, steps and objectName of the control table. It
  // reports a change only when a dragged thumb is released. Vertical bars and bars whose table
  // range runs the other way are made by the caller and passed in as bar.
  QScrollBar* placeBar(Control c, const QRect& geometry, QScrollBar* bar = nullptr);
  // A framed, centred label that shows a control's value.
  QLabel* placeValueLabel(const char* objectName, const QRect& geometry);
  // A plain caption above or beside a control.
  QLabel* placeCaption(const QString& text, const char* objectName, const QRect& geometry);

 private:
  bool placed_ = false;  // centred once; afterwards the window stays where the user put it
};

}  // namespace orbisk
