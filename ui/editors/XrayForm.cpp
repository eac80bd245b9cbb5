#include "ui/editors/XrayForm.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace orbisk {

namespace {

constexpr int kGreyscaleSystem = 7;  // the grey colour system
constexpr int kDefaultSystem = 1;    // what "&Default" chooses (not the start-up value 2)

}  // namespace

XrayForm::XrayForm(PictureParams& params, Dialogs& /*dialogs*/, QWidget* parent)
    : EditorWindow("xrayform", "Orbisk - Colour System", QSize(276, 147), Control::hsbxray,
                   kBarCount, parent),
      params_(params) {
  // Left half: a swatch, the value label beside it and the bar below, for red, green and blue.
  struct Addition {
    Control control;
    const char* label;
    const char* swatch;
    QColor colour;
  };
  const std::array<Addition, 3> additions = {{
      {Control::kl1ad, "lblkl1ad", "swatchred", QColor(192, 0, 0)},
      {Control::kl2ad, "lblkl2ad", "swatchgreen", QColor(0, 192, 0)},
      {Control::kl3ad, "lblkl3ad", "swatchblue", QColor(0, 0, 192)},
  }};
  for (size_t i = 0; i < additions.size(); ++i) {
    const int top = 6 + static_cast<int>(i) * 46;
    auto* swatch = new QLabel(this);
    swatch->setObjectName(additions[i].swatch);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, additions[i].colour);
    swatch->setPalette(palette);
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setGeometry(8, top, 20, 20);
    valueLabels_[i + 1] = placeValueLabel(additions[i].label, QRect(34, top, 44, 20));
    placeBar(additions[i].control, QRect(8, top + 23, 100, 17));
  }

  // Middle column: the colour system.
  placeCaption("Colour System", "captionxray", QRect(110, 6, 94, 20));
  valueLabels_[0] = placeValueLabel("lblxray", QRect(135, 29, 44, 20));
  placeBar(Control::hsbxray, QRect(118, 52, 78, 17));

  // Right column: the two presets at the top, "&OK" at the bottom.
  auto* greyscale = new QPushButton("Greyscale", this);
  greyscale->setObjectName("greyscalebutton");
  greyscale->setGeometry(206, 6, 66, 26);
  auto* defaults = new QPushButton("&Default", this);
  defaults->setObjectName("defaultbutton");
  defaults->setGeometry(206, 36, 66, 26);
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("okbutton");
  ok->setGeometry(206, 114, 66, 26);

  for (int i = 0; i < kBarCount; ++i)
    valueLabels_[static_cast<size_t>(i)]->setText(QString::number(bar(i)->value()));
  connect(greyscale, &QPushButton::clicked, this, &XrayForm::chooseGreyscale);
  connect(defaults, &QPushButton::clicked, this, &XrayForm::restoreDefaults);
  connect(ok, &QPushButton::clicked, this, &XrayForm::confirm);
}

void XrayForm::barChanged(int index, int value) {
  valueLabels_[static_cast<size_t>(index)]->setText(QString::number(value));
  // The additions mirror their record fields at once; the colour system waits for "&OK". The
  // additions' range 0..250 lies inside the fields' 16 bits.
  if (index > 0) {
    const auto control = static_cast<Control>(static_cast<int>(Control::hsbxray) + index);
    params_.*controlField(control).member = static_cast<int16_t>(value);
  }
}

void XrayForm::chooseGreyscale() {
  setControl(Control::hsbxray, kGreyscaleSystem);
}

void XrayForm::restoreDefaults() {
  setControl(Control::hsbxray, kDefaultSystem);
  setControl(Control::kl1ad, 0);
  setControl(Control::kl2ad, 0);
  setControl(Control::kl3ad, 0);
}

void XrayForm::confirm() {
  params_.xraykleur = static_cast<int16_t>(controlValue(Control::hsbxray));
  hide();
}

}  // namespace orbisk
