#include "ui/main/AnimationForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace orbisk {

namespace {

struct FormatChoice {
  FilmFormat format;
  const char* caption;    // in the format list
  const char* filter;     // the save dialog's filter
  const char* extension;  // added to a name without one; "" for a folder
};

constexpr FormatChoice kFormats[] = {
    {FilmFormat::WebM, "WebM video (VP9)", "WebM video|*.webm", ".webm"},
    {FilmFormat::Mp4, "MP4 video (H.264)", "MP4 video|*.mp4", ".mp4"},
    {FilmFormat::Apng, "Animated PNG (every pixel exact)", "Animated PNG|*.png", ".png"},
    {FilmFormat::Gif, "GIF", "GIF|*.gif", ".gif"},
    {FilmFormat::Folder, "Folder of PNG frames", "Folder of frames|*", ""},
};

const FormatChoice& choiceOf(FilmFormat format) {
  return *std::find_if(std::begin(kFormats), std::end(kFormats),
                       [format](const FormatChoice& c) { return c.format == format; });
}

}  // namespace

AnimationForm::AnimationForm(std::vector<Choice> choices, CanvasSize frame, QWidget* parent)
    : QDialog(parent), choices_(std::move(choices)) {
  setObjectName("animationform");
  setWindowTitle("Orbisk - Make animation");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      "From the picture on the canvas to the pictures ticked below, in the order you tick them:",
      this));
  entries_ = new QListWidget(this);
  entries_->setObjectName("animationentries");
  entries_->setIconSize(QSize(80, 55));
  for (const Choice& choice : choices_) {
    auto* item =
        new QListWidgetItem(QIcon(QPixmap::fromImage(choice.thumbnail)), choice.label, entries_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  layout->addWidget(entries_);

  auto* settings = new QFormLayout;
  frames_ = new QSpinBox(this);
  frames_->setObjectName("animationframes");
  frames_->setRange(FilmPath::kMinFrames, FilmPath::kMaxFrames);
  frames_->setValue(48);
  settings->addRow("&Frames:", frames_);
  fps_ = new QSpinBox(this);
  fps_->setObjectName("animationfps");
  fps_->setRange(1, 120);
  fps_->setValue(25);
  fps_->setSuffix(" a second");
  settings->addRow("&Rate:", fps_);
  scale_ = new QComboBox(this);
  scale_->setObjectName("animationscale");
  for (const int scale : kScales)
    scale_->addItem(QString("%1 x %2 pixels").arg(frame.width * scale).arg(frame.height * scale));
  settings->addRow("&Size:", scale_);
  format_ = new QComboBox(this);
  format_->setObjectName("animationformat");
  for (const FormatChoice& choice : kFormats) format_->addItem(choice.caption);
  settings->addRow("F&ormat:", format_);
  ease_ = new QCheckBox("Start and end &slowly", this);
  ease_->setObjectName("animationease");
  ease_->setChecked(true);
  settings->addRow("", ease_);
  layout->addLayout(settings);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName("animationok");
  ok_->setEnabled(false);  // until a picture is ticked
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(entries_, &QListWidget::itemChanged, this, &AnimationForm::onItemChanged);
}

void AnimationForm::onItemChanged(QListWidgetItem* item) {
  const int row = entries_->row(item);
  const auto at = std::find(ticked_.begin(), ticked_.end(), row);
  const bool checked = item->checkState() == Qt::Checked;
  if (checked && at == ticked_.end()) ticked_.push_back(row);
  if (!checked && at != ticked_.end()) ticked_.erase(at);
  ok_->setEnabled(!ticked_.empty());
}

std::vector<DrawnPicture> AnimationForm::chosenPictures() const {
  std::vector<DrawnPicture> pictures;
  for (const int row : ticked_) pictures.push_back(choices_[static_cast<std::size_t>(row)].picture);
  return pictures;
}

int AnimationForm::frames() const {
  return frames_->value();
}
int AnimationForm::fps() const {
  return fps_->value();
}
int AnimationForm::scale() const {
  return kScales[std::clamp(scale_->currentIndex(), 0, static_cast<int>(std::size(kScales)) - 1)];
}
FilmEasing AnimationForm::easing() const {
  return ease_->isChecked() ? FilmEasing::InOut : FilmEasing::Linear;
}
FilmFormat AnimationForm::format() const {
  return kFormats[std::clamp(format_->currentIndex(), 0, static_cast<int>(std::size(kFormats)) - 1)]
      .format;
}

QString filmFileFilter(FilmFormat format) {
  return choiceOf(format).filter;
}

QString withFilmExtension(const QString& path, FilmFormat format) {
  const QString extension = choiceOf(format).extension;
  if (extension.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive)) return path;
  return path + extension;
}

}  // namespace orbisk
