// What the origin, colour-system and shape editors share: a small fixed-size window of its own,
// centred on the screen when first shown, whose scroll bars are built from the control table.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "model/RecordFields.h"

class QLabel;
class QScrollBar;

namespace orbisk {

class EditorWindow : public QWidget {
  Q_OBJECT

 public:
  // Sets one of this editor's controls as if the user had moved it. A value outside the
  // control's range, or a control of another editor, is refused: false, and nothing changes.
  // The current value again is accepted and changes nothing.
  virtual bool setControl(Control c, int value);
  // The control's current value; 0 for a control of another editor.
  virtual int controlValue(Control c) const;

 protected:
  // A top-level window with a title bar and a close button, but no minimise or maximise button.
  // The client area is fixed at clientSize; the frame's close button only hides the window, so
  // every control keeps its value for the renderer and the data file. The editor's bars are the
  // barCount controls from firstBar on in the control table.
  EditorWindow(const QString& objectName, const QString& title, QSize clientSize, Control firstBar,
               int barCount, QWidget* parent);

  void showEvent(QShowEvent* event) override;

  // Called at every change of one of the editor's bars; index counts from firstBar.
  virtual void barChanged(int index, int value) = 0;
  // The editor's bar at this index, once placed.
  QScrollBar* bar(int index) const { return bars_[static_cast<size_t>(index)]; }

  // A bar for c with the range, start value, steps and objectName of the control table. It
  // reports a change only when a dragged thumb is released, and reports it to barChanged.
  // Vertical bars and bars whose table range runs the other way are made by the caller and
  // passed in as bar.
  QScrollBar* placeBar(Control c, const QRect& geometry, QScrollBar* bar = nullptr);
  // A framed, centred label that shows a control's value.
  QLabel* placeValueLabel(const char* objectName, const QRect& geometry);
  // A plain caption above or beside a control, in a font that lets it show whole.
  QLabel* placeCaption(const QString& text, const char* objectName, const QRect& geometry);

 private:
  // The index of c among the editor's bars, or -1 for any other control.
  int barIndex(Control c) const;

  Control firstBar_;
  std::vector<QScrollBar*> bars_;
  bool placed_ = false;  // centred once; afterwards the window stays where the user put it
};

}  // namespace orbisk
