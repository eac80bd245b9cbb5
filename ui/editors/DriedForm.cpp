#include "ui/editors/DriedForm.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include "ui/editors/ReversedScrollBar.h"
#include "ui/editors/ShapeDiagrams.h"
#include "ui/editors/ShapePreviews.h"

namespace orbisk {

namespace {

enum Bar { kImage, kGlij, kHoogte, kVertical, kHorizon };

}  // namespace

bool shapeUsesSlantAndHeight(int shape) {
  return (shape >= 2 && shape <= 15) || shape == 34 || shape == 35;
}

DriedForm::DriedForm(PictureParams& params, Dialogs& /*dialogs*/, QWidget* parent)
    : EditorWindow("driedform", "Orbisk - Shape", QSize(292, 243), Control::hsbimage, kBarCount,
                   parent),
      params_(params) {
  // Top left: the slant diagram with its value and bar under it.
  slantDiagram_ = new SlantDiagram(this);
  slantDiagram_->move(4, 4);
  valueLabels_[kGlij] = placeValueLabel("lblglij", QRect(58, 107, 44, 18));
  placeBar(Control::glij, QRect(4, 128, 152, 17));

  // The height diagram, its vertical bar beside it (top end 50, bottom end 1), the value under.
  heightDiagram_ = new HeightDiagram(this);
  heightDiagram_->move(162, 4);
  placeBar(Control::hoogte, QRect(188, 4, 17, 100), new ReversedScrollBar(Qt::Vertical));
  valueLabels_[kHoogte] = placeValueLabel("lblhoogte", QRect(162, 107, 44, 18));

  // Right: the two offsets. Down/Up runs from 750 at the left end to -750 at the right end.
  placeCaption("Down/Up", "captionvertical", QRect(210, 4, 78, 16));
  valueLabels_[kVertical] = placeValueLabel("textvertical", QRect(222, 21, 54, 18));
  placeBar(Control::hsbvertical, QRect(210, 42, 78, 17), new ReversedScrollBar(Qt::Horizontal));
  placeCaption("Left/Right", "captionhorizontal", QRect(210, 66, 78, 16));
  valueLabels_[kHorizon] = placeValueLabel("texthorizontal", QRect(222, 83, 54, 18));
  placeBar(Control::hsbhorizon, QRect(210, 104, 78, 17));

  // Bottom left: the preview, at the size it was rendered.
  preview_ = new QLabel(this);
  preview_->setObjectName("ImgShow");
  preview_->setScaledContents(true);
  preview_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  preview_->setGeometry(4, 150, 119, 92);

  // Bottom right: the buttons above the shape number and its bar.
  auto* defaults = new QPushButton("&Default", this);
  defaults->setObjectName("defaultbutton");
  defaults->setGeometry(136, 152, 72, 26);
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("okbutton");
  ok->setGeometry(214, 152, 72, 26);
  valueLabels_[kImage] = placeValueLabel("lblimage", QRect(189, 190, 44, 18));
  placeBar(Control::hsbimage, QRect(136, 214, 150, 17));

  for (int i = 0; i < kBarCount; ++i) showValue(i, bar(i)->value());
  connect(defaults, &QPushButton::clicked, this, &DriedForm::restoreDefaults);
  connect(ok, &QPushButton::clicked, this, &DriedForm::confirm);
}

void DriedForm::showEvent(QShowEvent* event) {
  EditorWindow::showEvent(event);
  showPreview();
}

void DriedForm::barChanged(int index, int value) {
  showValue(index, value);
  // Every bar but the shape's mirrors its record field at once; the shape waits for "&OK". Every
  // bar's range lies inside the 16 bits of its field.
  if (index != kImage) {
    const auto control = static_cast<Control>(static_cast<int>(Control::hsbimage) + index);
    params_.*controlField(control).member = static_cast<int16_t>(value);
  }
}

void DriedForm::showValue(int index, int value) {
  // Down/Up shows how far up the picture moves: the stored offset is added to a coordinate
  // that grows downwards, so the label turns its sign.
  valueLabels_[static_cast<size_t>(index)]->setText(
      QString::number(index == kVertical ? -value : value));
  switch (index) {
    case kImage:
      bar(kGlij)->setEnabled(shapeUsesSlantAndHeight(value));
      bar(kHoogte)->setEnabled(shapeUsesSlantAndHeight(value));
      // The previews are rendered only once someone can see them, so start-up stays quick.
      if (isVisible()) showPreview();
      break;
    case kGlij:
      slantDiagram_->setSlant(value);
      break;
    case kHoogte:
      heightDiagram_->setHeightValue(value);
      break;
    default:
      break;
  }
}

void DriedForm::showPreview() {
  const int shape = bar(kImage)->value();
  if (shape == previewShape_) return;
  previewShape_ = shape;
  preview_->setPixmap(QPixmap::fromImage(shapePreview(shape)));
}

void DriedForm::restoreDefaults() {
  // The defaults are the start values: shape 1, slant and height 25, both offsets 0.
  for (Control c : {Control::hsbimage, Control::glij, Control::hoogte, Control::hsbvertical,
                    Control::hsbhorizon})
    setControl(c, controlRange(c).start);
}

void DriedForm::confirm() {
  params_.driedkeuze = static_cast<int16_t>(controlValue(Control::hsbimage));
  hide();
}

}  // namespace orbisk
