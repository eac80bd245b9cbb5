// The origin editor: the window in which the user sets the formula choices of a picture.
#pragma once

#include <array>
#include <cstdint>

#include "model/RecordFields.h"
#include "model/PictureParams.h"
#include "render/random/RandomCombination.h"
#include "ui/editors/EditorWindow.h"

class QLabel;
class QListWidget;
class QScrollBar;
class QWheelEvent;

namespace orbisk {

class Dialogs;

// Twelve bars and two function lists. Every change writes its value into the picture record at
// once, so the record always mirrors the controls; the record's defaults equal the controls'
// start values, so the two agree from the start. Hiding keeps every value. Besides the mouse,
// the bars take the keyboard and the wheel, and a double-click on a value (or Enter on a bar)
// opens an entry for typing the value.
class OriginForm : public EditorWindow {
  Q_OBJECT

 public:
  OriginForm(PictureParams& params, Dialogs& dialogs, QWidget* parent = nullptr);

  // Fills both function lists with the eleven functions and selects "-Sin" in V1 A and " Sin" in
  // V1 B, which stores func1 = 3 and func2 = 2. Calling it again starts the lists afresh.
  void setFunctionLists();

  // The bars and also the two lists, which take a function number 1..11. A list refuses every
  // value before it is filled.
  bool setControl(Control c, int value) override;
  // For a list the selected function number, 0 when none is selected.
  int controlValue(Control c) const override;

  // Puts the ten values of a random draw into their controls, in the order they were drawn.
  void applyRandom(const RandomCombination& draw);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr int kBarCount = 12;  // hsbgalaxy..hsbsize in the control table

  void barChanged(int index, int value) override;
  void listChanged(Control list, int row);
  QListWidget* listFor(Control c) const;
  void showCredits(QObject* caption);
  // Arrows and Page Up/Down step the bar as its arrows and trough do; Enter opens the entry for
  // typing its value. False for any other key.
  bool stepByKey(QScrollBar* bar, int key);
  // The wheel steps the bar as Up and Down do: away from the hand is up.
  void stepByWheel(QScrollBar* bar, const QWheelEvent& event);
  // Opens the entry for typing the value of the bar at index; a value outside its range is
  // refused with a message that gives the range.
  void openEntry(int index);
  // The index of the bar that is, or whose value label is, this object; -1 for any other.
  int indexOf(QObject* barOrLabel) const;

  PictureParams& params_;
  Dialogs& dialogs_;
  std::array<QLabel*, kBarCount> valueLabels_{};
  QListWidget* listv1a_ = nullptr;
  QListWidget* listv1b_ = nullptr;
  QLabel* galaxyCaption_ = nullptr;
  QLabel* sizeCaption_ = nullptr;
  QScrollBar* wheelBar_ = nullptr;  // the bar the wheel turned last
  int wheelTurned_ = 0;  // its wheel turn not yet made into a step, in eighths of a degree
};

// The V2, V3 and V4 values at which a double-click on "Size" shows the credits.
constexpr int kCreditV2 = -900;
constexpr int kCreditV3 = 900;
constexpr int kCreditV4 = -900;

}  // namespace orbisk
