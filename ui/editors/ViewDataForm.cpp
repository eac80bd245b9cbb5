#include "ui/editors/ViewDataForm.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/editors/InfoWindow.h"

namespace orbisk {

namespace {

// Field numbers of the data file.
enum Field {
  kSize = 1,
  kCategory = 2,
  kGalaxy = 3,
  kDirection = 4,
  kEffect = 5,
  kV1a = 6,
  kV1b = 7,
  kType = 8,
  kLevel = 9,
  kWorld = 10,
  kSolarSystem = 11,
  kLab = 12,
  kV2 = 15,
  kV3 = 16,
  kV4 = 17,
  kColourSystem = 19,
  kShape = 20,
  kInverse = 21,
  kRed = 23,
  kGreen = 24,
  kBlue = 25,
  kFrame = 26,
  kLength = 27,
  kWidth = 28,
};

// The words of the function lists, by function number 1..11.
constexpr const char* kFunctionWords[] = {"none", "sin", "-sin", "cos", "-cos", "tan",
                                          "-tan", "atn", "-atn", "int", "-int"};
constexpr int kFunctionCount = sizeof(kFunctionWords) / sizeof(kFunctionWords[0]);

// Room for the widest number a field can hold, so the window never has to grow.
constexpr const char* kWidestNumber = "-32768";

void setNumber(QLabel* label, int16_t value) {
  label->setText(QString::number(value));
}

// A function word, or the label keeps what it showed before.
void setFunctionWord(QLabel* label, int16_t value) {
  if (value >= 1 && value <= kFunctionCount) label->setText(kFunctionWords[value - 1]);
}

QFrame* makeSeparator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

ViewDataForm::ViewDataForm(QWidget* parent) : QWidget(parent, kInfoWindowFlags) {
  setObjectName("viewdataform");
  setWindowTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose);

  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(3);
  outer->addLayout(grid);
  constexpr int kLeftCaption = 0, kLeftValue = 1, kRightCaption = 2, kRightValue = 3;
  constexpr int kColumns = 4;

  int row = 0;
  addCaption(grid, "Galaxy", row, kLeftCaption);
  lblgalaxy_ = addValue(grid, "lblgalaxy", row, kLeftValue);
  addCaption(grid, "V1A", row, kRightCaption);
  lblv1a_ = addValue(grid, "lblv1a", row, kRightValue);
  ++row;
  addCaption(grid, "Solar System", row, kLeftCaption);
  lblsolarsystem_ = addValue(grid, "lblsolarsystem", row, kLeftValue);
  addCaption(grid, "V1B", row, kRightCaption);
  lblv1b_ = addValue(grid, "lblv1b", row, kRightValue);
  ++row;
  addCaption(grid, "World", row, kLeftCaption);
  lblworld_ = addValue(grid, "lblworld", row, kLeftValue);
  addCaption(grid, "V2", row, kRightCaption);
  lblv2_ = addValue(grid, "lblv2", row, kRightValue);
  ++row;
  addCaption(grid, "Lab", row, kLeftCaption);
  lbllab_ = addValue(grid, "lbllab", row, kLeftValue);
  addCaption(grid, "V3", row, kRightCaption);
  lblv3_ = addValue(grid, "lblv3", row, kRightValue);
  ++row;
  addCaption(grid, "Level", row, kLeftCaption);
  lbllevel_ = addValue(grid, "lbllevel", row, kLeftValue);
  addCaption(grid, "V4", row, kRightCaption);
  lblv4_ = addValue(grid, "lblv4", row, kRightValue);
  ++row;
  addCaption(grid, "Category", row, kLeftCaption);
  lblcategory_ = addValue(grid, "lblcategory", row, kLeftValue);
  addCaption(grid, "Type", row, kRightCaption);
  lbltype_ = addValue(grid, "lbltype", row, kRightValue);
  ++row;
  addCaption(grid, "Effect", row, kLeftCaption);
  lbleffect_ = addValue(grid, "lbleffect", row, kLeftValue);
  ++row;
  grid->addWidget(makeSeparator(this), row++, 0, 1, kColumns);

  addCaption(grid, "Colour Sys.", row, kLeftCaption);
  lblxray_ = addValue(grid, "lblxray", row, kLeftValue);
  ++row;
  addCaption(grid, "RGB", row, kLeftCaption);
  {
    auto* rgb = new QHBoxLayout;
    rgb->setSpacing(8);
    lblkl1_ = new QLabel(this);
    lblkl2_ = new QLabel(this);
    lblkl3_ = new QLabel(this);
    lblkl1_->setObjectName("lblkl1");
    lblkl2_->setObjectName("lblkl2");
    lblkl3_->setObjectName("lblkl3");
    for (QLabel* label : {lblkl1_, lblkl2_, lblkl3_}) {
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(kWidestNumber));
      rgb->addWidget(label);
    }
    rgb->addStretch(1);
    grid->addLayout(rgb, row, kLeftValue, 1, kColumns - kLeftValue);
  }
  ++row;
  grid->addWidget(makeSeparator(this), row++, 0, 1, kColumns);

  addCaption(grid, "Direction", row, kLeftCaption);
  lbldirection_ = addValue(grid, "lbldirection", row, kLeftValue);
  addCaption(grid, "Shape", row, kRightCaption);
  lbldried_ = addValue(grid, "lbldried", row, kRightValue);
  ++row;
  addCaption(grid, "Length", row, kLeftCaption);
  lbllenght_ = addValue(grid, "lbllenght", row, kLeftValue);
  addCaption(grid, "Width", row, kRightCaption);
  lblwidth_ = addValue(grid, "lblwidth", row, kRightValue);
  ++row;
  grid->addWidget(makeSeparator(this), row++, 0, 1, kColumns);

  addCaption(grid, "Colour", row, kLeftCaption);
  lblcolor_ = addValue(grid, "lblcolor", row, kLeftValue);
  ++row;
  addCaption(grid, "Size", row, kLeftCaption);
  {
    // The frame word carries its own leading blank and follows the size directly.
    auto* size = new QHBoxLayout;
    size->setSpacing(0);
    lblsize_ = new QLabel(this);
    lblsize_->setObjectName("lblsize");
    lblthumb_ = new QLabel(this);
    lblthumb_->setObjectName("lblthumb");
    size->addWidget(lblsize_);
    size->addWidget(lblthumb_);
    size->addStretch(1);
    grid->addLayout(size, row, kLeftValue, 1, kColumns - kLeftValue);
  }

  outer->addSpacing(6);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("Command1");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addStretch(1);
  outer->addLayout(buttons);

  // The value labels reserve room for the widest number, so the empty window already has its
  // final size.
  setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
  centreOnScreen(this);
}

QLabel* ViewDataForm::addCaption(QGridLayout* grid, const QString& text, int row, int column) {
  auto* caption = new QLabel(text, this);
  grid->addWidget(caption, row, column);
  return caption;
}

QLabel* ViewDataForm::addValue(QGridLayout* grid, const char* name, int row, int column) {
  auto* value = new QLabel(this);
  value->setObjectName(name);
  value->setMinimumWidth(value->fontMetrics().horizontalAdvance(kWidestNumber) + 4);
  grid->addWidget(value, row, column);
  return value;
}

void ViewDataForm::showRecord(const DataRecord& record, const QString& bareFileName) {
  // Numbers first, in the order the program has always filled them in.
  setNumber(lblsize_, record[kSize]);
  setNumber(lblcategory_, record[kCategory]);
  setNumber(lbltype_, record[kType]);
  setNumber(lblgalaxy_, record[kGalaxy]);
  setNumber(lbldirection_, record[kDirection]);
  setNumber(lbleffect_, record[kEffect]);
  setNumber(lbllevel_, record[kLevel]);
  setNumber(lblworld_, record[kWorld]);
  setNumber(lblsolarsystem_, record[kSolarSystem]);
  setNumber(lbllab_, record[kLab]);
  setNumber(lblv2_, record[kV2]);
  setNumber(lblv3_, record[kV3]);
  setNumber(lblv4_, record[kV4]);
  setNumber(lblxray_, record[kColourSystem]);
  setNumber(lblcolor_, record[kInverse]);
  setNumber(lbllenght_, record[kLength]);
  setNumber(lblwidth_, record[kWidth]);
  setNumber(lblkl1_, record[kRed]);
  setNumber(lblkl2_, record[kGreen]);
  setNumber(lblkl3_, record[kBlue]);
  setNumber(lbldried_, record[kShape]);

  // The frame is only ever shown as a word; an unknown frame leaves the previous word.
  switch (record[kFrame]) {
    case 1:
      lblthumb_->setText(" regular");
      break;
    case 2:
      lblthumb_->setText(" thumbnail");
      break;
    case 3:
      lblthumb_->setText(" maximum");
      break;
    default:
      break;
  }
  if (record[kDirection] == 1) lbldirection_->setText("inward");
  if (record[kDirection] == 2) lbldirection_->setText("outward");

  setWindowTitle(bareFileName + " - Orbisk");

  setFunctionWord(lblv1a_, record[kV1a]);
  setFunctionWord(lblv1b_, record[kV1b]);
  if (record[kInverse] == 0) lblcolor_->setText("regular");
  if (record[kInverse] == 1) lblcolor_->setText("inverted");
}

}  // namespace orbisk
