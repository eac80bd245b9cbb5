// The colour-system editor: the colour system of a picture and the three colour additions.
#pragma once

#include <array>

#include "model/RecordFields.h"
#include "model/PictureParams.h"
#include "ui/editors/EditorWindow.h"

class QLabel;

namespace orbisk {

class Dialogs;

// Its controls are hsbxray, kl1ad, kl2ad and kl3ad. The colour-system bar reaches the record
// only on "&OK"; the three additions are written into the record at every change, because the
// colour systems read them while a render runs. The frame's close button hides the window
// without taking the colour system over.
class XrayForm : public EditorWindow {
  Q_OBJECT

 public:
  // This editor shows no message box; it takes the dialogs like the other editors do.
  XrayForm(PictureParams& params, Dialogs& dialogs, QWidget* parent = nullptr);

 private:
  static constexpr int kBarCount = 4;  // hsbxray, kl1ad, kl2ad, kl3ad in the control table

  void barChanged(int index, int value) override;
  void chooseGreyscale();
  void restoreDefaults();
  void confirm();

  PictureParams& params_;
  std::array<QLabel*, kBarCount> valueLabels_{};
};

}  // namespace orbisk
