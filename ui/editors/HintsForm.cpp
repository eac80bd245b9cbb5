#include "ui/editors/HintsForm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/editors/FixedWindow.h"

namespace orbisk {

namespace {

// The help text comes in five pieces that are joined with nothing between them; the blanks at
// their starts are part of the text and keep the numbered sections apart.
constexpr const char* kHelpPieces[] = {
    "   1. HOW TO : Click on 'create' (menu) to make a picture.The identity "
    "of a picture is defined by the combination of a galaxy,solar system,"
    "world,lab,level,effect,fuctions (v1a,v1b), variables (v2,v3,v4),category "
    "and type.",
    " You can change all these options when you click 'origin' (menu). "
    "Each number represents another formula. There are BILLIONS of possible "
    "combinations!   2. GETTING STARTED : open a dat-file,click 'create' "
    "and change the origin-values to make a different picture. You can "
    "also make a random combination but it will take some more time to "
    "create an interesting picture.",
    " When you choose 'quick search' (options-detail-low) only 25% of the "
    "pixels will be generated. A fast way to look for a picture.   3. SHAPE "
    ": Tip:center your picture by using the Up/Down- and Left/Right-buttons. "
    "  4. COLOURS : Tip:when using inverse colours increase the blue/red/green-values. "
    "Although you can change the backgroundcolour in any color you like,"
    "black usually gives the best results.",
    " The darkness of a grey picture can be changed with the red-value. "
    "    5. DATA : Tip:Save the pictures as thumbnails if you don't want "
    "to use to much diskspace. Tip:When you save its data you can always "
    "recreate and edit the picture later!",
    "   6. EXTRA : Tip :When you choose 'preferences-clear-use clearbutton' "
    "you can see how the picture changes when you're editing it. You can "
    "also make a collage of different pictures.   7.RANDOM : click RANDOM "
    "a your computer will make a random combination of a galaxy,solar system,"
    "world,lab,level,effect,category,type,V1A and V1B."};

constexpr int kClientWidth = 505;
constexpr int kClientHeight = 297;

}  // namespace

QString HintsForm::helpText() {
  QString text;
  for (const char* piece : kHelpPieces) text += QString::fromLatin1(piece);
  return text;
}

HintsForm::HintsForm(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
  setObjectName("hintsform");
  setWindowTitle("Orbisk - Hints and tips");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kClientWidth, kClientHeight);

  auto* heading = new QLabel(
      "Orbisk is meant to be a userfriendly program.But maybe these hints and tips can be a "
      "help....",
      this);
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

  auto* contact1 = new QLabel("Questions and ideas are welcome:", this);
  contact1->setObjectName("contact1");
  contact1->setGeometry(4, 266, 380, 14);
  auto* contact2 = new QLabel("write to the Orbisk developers.", this);
  contact2->setObjectName("contact2");
  contact2->setGeometry(4, 280, 380, 14);

  auto* close = new QPushButton("&Close", this);
  close->setObjectName("Command1");
  close->setGeometry(416, 267, 85, 26);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  closeOnEscape(this);

  centreOnScreen(this);
}

}  // namespace orbisk
