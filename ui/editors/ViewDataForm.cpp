#include "ui/editors/ViewDataForm.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>

#include "model/RecordFields.h"
#include "ui/editors/FixedWindow.h"

namespace orbisk {

namespace {

// The words some fields have for some of their values: words[i] stands for the value first + i.
struct Words {
  std::span<const char* const> words;
  int first = 0;

  const char* forValue(int value) const {
    const int at = value - first;
    return at >= 0 && at < static_cast<int>(words.size()) ? words[static_cast<size_t>(at)]
                                                          : nullptr;
  }
};

// The words of the function lists, by function number 1..11.
constexpr const char* kFunctionWords[] = {"none", "sin", "-sin", "cos", "-cos", "tan",
                                          "-tan", "atn", "-atn", "int", "-int"};
constexpr const char* kDirectionWords[] = {"inward", "outward"};               // 1, 2
constexpr const char* kInverseWords[] = {"regular", "inverted"};               // 0, 1
constexpr const char* kFrameWords[] = {" regular", " thumbnail", " maximum"};  // 1..3

// What each value label shows of its field: the number, replaced by a word where the value has
// one. A label that shows no numbers keeps its previous text for a value without a word.
struct ValueShown {
  const char* label;  // objectName of the value label
  Field field;        // the field it shows
  bool number;        // shows the value as a number
  Words words;        // words for some values, or none
};

constexpr ValueShown kValuesShown[] = {
    {"lblsize", Field::size, true, {}},
    {"lblcategory", Field::cat, true, {}},
    {"lbltype", Field::t1, true, {}},
    {"lblgalaxy", Field::ali, true, {}},
    {"lbldirection", Field::direction, true, {kDirectionWords, 1}},
    {"lbleffect", Field::eff, true, {}},
    {"lbllevel", Field::w, true, {}},
    {"lblworld", Field::worldw, true, {}},
    {"lblsolarsystem", Field::sols, true, {}},
    {"lbllab", Field::cit, true, {}},
    {"lblv2", Field::v2, true, {}},
    {"lblv3", Field::v3, true, {}},
    {"lblv4", Field::v4, true, {}},
    {"lblxray", Field::xraykleur, true, {}},
    {"lblcolor", Field::inverse, true, {kInverseWords, 0}},
    {"lbllenght", Field::borderlen, true, {}},
    {"lblwidth", Field::widthfac, true, {}},
    {"lblkl1", Field::kl1ad, true, {}},
    {"lblkl2", Field::kl2ad, true, {}},
    {"lblkl3", Field::kl3ad, true, {}},
    {"lbldried", Field::driedkeuze, true, {}},
    {"lblthumb", Field::framesize, false, {kFrameWords, 1}},
    {"lblv1a", Field::func1, false, {kFunctionWords, 1}},
    {"lblv1b", Field::func2, false, {kFunctionWords, 1}},
};

// Room for the widest number a field can hold, so the window never has to grow.
constexpr const char* kWidestNumber = "-32768";

// The grid's columns: a caption and its value on the left, another pair on the right (from
// kRightCaption on).
constexpr int kLeftCaption = 0, kLeftValue = 1, kRightCaption = 2;
constexpr int kColumns = 4;

// Makes the label wide enough for the widest number and a margin.
void reserveNumberRoom(QLabel* label, int margin) {
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(kWidestNumber) + margin);
}

QFrame* makeSeparator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

ViewDataForm::ViewDataForm(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
  setObjectName("viewdataform");
  setWindowTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose);

  auto* outer = new QVBoxLayout(this);
  grid_ = new QGridLayout;
  grid_->setHorizontalSpacing(10);
  grid_->setVerticalSpacing(3);
  outer->addLayout(grid_);

  addRow("Galaxy", "lblgalaxy", "V1A", "lblv1a");
  addRow("Solar System", "lblsolarsystem", "V1B", "lblv1b");
  addRow("World", "lblworld", "V2", "lblv2");
  addRow("Lab", "lbllab", "V3", "lblv3");
  addRow("Level", "lbllevel", "V4", "lblv4");
  addRow("Category", "lblcategory", "Type", "lbltype");
  addRow("Effect", "lbleffect");
  addSeparator();
  addRow("Colour Sys.", "lblxray");
  addStrip("RGB", {"lblkl1", "lblkl2", "lblkl3"}, 8, true);
  addSeparator();
  addRow("Direction", "lbldirection", "Shape", "lbldried");
  addRow("Length", "lbllenght", "Width", "lblwidth");
  addSeparator();
  addRow("Colour", "lblcolor");
  // The frame word carries its own leading blank and follows the size directly.
  addStrip("Size", {"lblsize", "lblthumb"}, 0, false);

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
  // Escape closes it as OK does.
  closeOnEscape(this);
}

void ViewDataForm::addRow(const char* caption, const char* name, const char* rightCaption,
                          const char* rightName) {
  auto addPair = [this](const char* pairCaption, const char* pairName, int column) {
    grid_->addWidget(new QLabel(pairCaption, this), rows_, column);
    QLabel* value = addValue(pairName);
    reserveNumberRoom(value, 4);
    grid_->addWidget(value, rows_, column + 1);
  };
  addPair(caption, name, kLeftCaption);
  if (rightCaption) addPair(rightCaption, rightName, kRightCaption);
  ++rows_;
}

void ViewDataForm::addStrip(const char* caption, std::initializer_list<const char*> names,
                            int spacing, bool reserveNumbers) {
  grid_->addWidget(new QLabel(caption, this), rows_, kLeftCaption);
  auto* strip = new QHBoxLayout;
  strip->setSpacing(spacing);
  for (const char* name : names) {
    QLabel* value = addValue(name);
    if (reserveNumbers) reserveNumberRoom(value, 0);
    strip->addWidget(value);
  }
  strip->addStretch(1);
  grid_->addLayout(strip, rows_, kLeftValue, 1, kColumns - kLeftValue);
  ++rows_;
}

void ViewDataForm::addSeparator() {
  grid_->addWidget(makeSeparator(this), rows_++, 0, 1, kColumns);
}

QLabel* ViewDataForm::addValue(const char* name) {
  auto* value = new QLabel(this);
  value->setObjectName(name);
  return value;
}

void ViewDataForm::showRecord(const DataRecord& record, const QString& bareFileName) {
  for (const ValueShown& shown : kValuesShown) {
    auto* label = findChild<QLabel*>(shown.label, Qt::FindDirectChildrenOnly);
    const int16_t value = record[fieldEntry(shown.field).position];
    if (shown.number) label->setText(QString::number(value));
    if (const char* word = shown.words.forValue(value)) label->setText(word);
  }
  setWindowTitle(bareFileName + " - Orbisk");
}

}  // namespace orbisk
