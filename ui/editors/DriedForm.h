// The shape editor: the shape through which a picture is drawn and the shape's four settings.
#pragma once

#include <array>

#include "model/RecordFields.h"
#include "model/PictureParams.h"
#include "ui/editors/EditorWindow.h"

class QLabel;

namespace orbisk {

class Dialogs;
class HeightDiagram;
class SlantDiagram;

// True for the shapes that draw bars (2..15, 34, 35), the only ones that use slant and height.
bool shapeUsesSlantAndHeight(int shape);

// Its controls are hsbimage, glij, hoogte, hsbvertical and hsbhorizon; a disabled bar still
// takes a value through setControl. The shape bar reaches the record only on "&OK"; slant,
// height and the two offsets are written into the record at every change, because the shape
// stage reads them while a render runs. The frame's close button hides the window without
// taking the shape over.
class DriedForm : public EditorWindow {
  Q_OBJECT

 public:
  // This editor shows no message box; it takes the dialogs like the other editors do.
  DriedForm(PictureParams& params, Dialogs& dialogs, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  static constexpr int kBarCount = 5;  // hsbimage..hsbhorizon in the control table

  void barChanged(int index, int value) override;
  // Label, diagram, enabling and preview of a bar's value; the record is left alone.
  void showValue(int index, int value);
  void showPreview();
  void restoreDefaults();
  void confirm();

  PictureParams& params_;
  std::array<QLabel*, kBarCount> valueLabels_{};
  SlantDiagram* slantDiagram_ = nullptr;
  HeightDiagram* heightDiagram_ = nullptr;
  QLabel* preview_ = nullptr;
  int previewShape_ = 0;  // the shape whose picture the preview holds; 0 before the first
};

}  // namespace orbisk
