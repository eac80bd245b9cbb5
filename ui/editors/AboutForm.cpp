#include "ui/editors/AboutForm.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "session/HelpTexts.h"
#include "ui/editors/ClickablePicture.h"
#include "ui/editors/FixedWindow.h"
#include "ui/editors/RenderedPicture.h"

namespace orbisk {

namespace {

// The texts are plain ASCII.
QString latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPixmap renderedPixmap(const PictureParams& params, int width, int height) {
  return QPixmap::fromImage(renderPicture(params, width, height));
}

QLabel* addText(QWidget* parent, std::string_view text, const QRect& place) {
  auto* label = new QLabel(latin1(text), parent);
  label->setGeometry(place);
  label->setWordWrap(true);
  return label;
}

void addSeparator(QWidget* parent, int y) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(8, y, AboutForm::kNarrowWidth - 16, 2);
}

}  // namespace

AboutForm::AboutForm(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
  setObjectName("aboutform");
  setWindowTitle(latin1(AboutTexts::title));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kNarrowWidth, kHeight);

  auto* icon = new ClickablePicture(this);
  icon->setObjectName("iconpicture");
  icon->setPixmap(renderedPixmap(aboutIconParams(), kIconSize, kIconSize));
  icon->setGeometry(8, 8, kIconSize, kIconSize);
  connect(icon, &ClickablePicture::clicked, this, &AboutForm::widen);

  QLabel* name = addText(this, AboutTexts::name, QRect(68, 8, 153, 26));
  name->setObjectName("programname");
  QFont nameFont = name->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
  name->setFont(nameFont);
  addText(this, AboutTexts::version, QRect(68, 36, 153, 18))->setObjectName("version");

  addText(this, AboutTexts::credit, QRect(8, 64, 213, 18))->setObjectName("credit");
  addSeparator(this, 88);
  addText(this, AboutTexts::contact1, QRect(8, 96, 213, 18))->setObjectName("contact1");
  addText(this, AboutTexts::contact2, QRect(8, 114, 213, 18))->setObjectName("contact2");
  addText(this, AboutTexts::ordering, QRect(8, 140, 213, 64))->setObjectName("ordering");
  addSeparator(this, 214);

  auto* badge = new QLabel(this);
  badge->setObjectName("badgepicture");
  badge->setPixmap(renderedPixmap(aboutBadgeParams(), kBadgeSize, kBadgeSize));
  badge->setGeometry(8, kHeight - kBadgeSize - 8, kBadgeSize, kBadgeSize);

  auto* ok = new QPushButton(latin1(AboutTexts::ok), this);
  ok->setObjectName("Command1");
  ok->setGeometry(kNarrowWidth - 88, kHeight - 34, 80, 26);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);

  // Lies beyond the narrow window's right edge and stays hidden until the window widens; it is
  // drawn only then, so opening the window stays quick.
  largePicture_ = new QLabel(this);
  largePicture_->setObjectName("largepicture");
  largePicture_->setGeometry(kNarrowWidth + 8, (kHeight - kLargePictureSize) / 2, kLargePictureSize,
                             kLargePictureSize);
  largePicture_->hide();

  centreOnScreen(this);
  // Escape closes it as OK does.
  closeOnEscape(this);
}

void AboutForm::widen() {
  // The frame's own width is whatever the platform draws; the client area gets the rest.
  const int frameWidth = frameGeometry().width() - width();
  setFixedWidth(kWideOuterWidth - frameWidth);
  if (largePicture_->pixmap().isNull()) {
    largePicture_->setPixmap(
        renderedPixmap(aboutLargePictureParams(), kLargePictureSize, kLargePictureSize));
  }
  largePicture_->show();
  centreHorizontally(this);
}

}  // namespace orbisk
