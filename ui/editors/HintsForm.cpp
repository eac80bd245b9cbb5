#include "ui/editors/HintsForm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "session/HelpTexts.h"
#include "ui/editors/FixedWindow.h"

namespace orbisk {

namespace {

constexpr int kClientWidth = 505;
constexpr int kClientHeight = 297;

// The texts are plain ASCII.
QString latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString HintsForm::helpText() {
  return latin1(hintsHelpText());
}

HintsForm::HintsForm(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
  setObjectName("hintsform");
  setWindowTitle(latin1(HintsTexts::title));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kClientWidth, kClientHeight);

  auto* heading = new QLabel(latin1(HintsTexts::heading), this);
  heading->setObjectName("hintsheading");
  heading->setWordWrap(true);
  heading->setGeometry(4, 2, 497, 32);

  auto* text = new QPlainTextEdit(this);
  text->setObjectName("hintstext");
  text->setReadOnly(true);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text->setGeometry(4, 36, 497, 227);
  // The window is built anew at every opening, so the text is put in exactly once.
  text->setPlainText(helpText());

  auto* contact1 = new QLabel(latin1(HintsTexts::contact1), this);
  contact1->setObjectName("contact1");
  contact1->setGeometry(4, 266, 380, 14);
  auto* contact2 = new QLabel(latin1(HintsTexts::contact2), this);
  contact2->setObjectName("contact2");
  contact2->setGeometry(4, 280, 380, 14);

  auto* close = new QPushButton(latin1(HintsTexts::close), this);
  close->setObjectName("Command1");
  close->setGeometry(416, 267, 85, 26);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  closeOnEscape(this);

  centreOnScreen(this);
}

}  // namespace orbisk
