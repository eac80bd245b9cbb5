#include "ui/editors/OriginForm.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/Dialogs.h"
#include "ui/editors/ValueEntry.h"

namespace orbisk {

namespace {

// One bar of the editor: its caption and value label, and where it stands in the grid of three
// rows and five columns. The record field that mirrors it is the control's in the field table.
struct BarEntry {
  Control control;
  const char* caption;
  const char* captionName;
  const char* valueLabel;
  int row;
  int column;
};

// In the order of the control table, hsbgalaxy..hsbsize.
constexpr std::array<BarEntry, 12> kBars = {{
    {Control::hsbgalaxy, "Galaxy", "captiongalaxy", "lblgalaxy", 0, 0},
    {Control::hsbsolarsystem, "Solar system", "captionsolarsystem", "lblsolarsystem", 0, 1},
    {Control::hsbworld, "World", "captionworld", "lblworld", 0, 2},
    {Control::hsblab, "Lab", "captionlab", "lbllab", 0, 3},
    {Control::hsblevel, "Level", "captionlevel", "lbllevel", 0, 4},
    {Control::hsbcat, "Category", "captioncat", "textcat", 1, 0},
    {Control::hsbtype, "Type", "captiontype", "texttype", 1, 1},
    {Control::hsbeffect, "Effect", "captioneffect", "texteffect", 1, 4},
    {Control::hsbv2, "V2", "captionv2", "textv2", 2, 0},
    {Control::hsbv3, "V3", "captionv3", "textv3", 2, 1},
    {Control::hsbv4, "V4", "captionv4", "textv4", 2, 2},
    {Control::hsbsize, "Size", "captionsize", "textsize", 2, 3},
}};

// The function lists: entry i stands for function number i + 1. The positive functions carry a
// leading blank so that the names line up with the negative ones.
constexpr std::array<const char*, 11> kFunctions = {"None", " Sin", "-Sin", " Cos", "-Cos", " Tan",
                                                    "-Tan", " Atn", "-Atn", " Int", "-Int"};
constexpr int kStartRowV1a = 2;  // "-Sin"
constexpr int kStartRowV1b = 1;  // " Sin"

const char* const kDedicationTitle = "Dedicated to...";
const char* const kDedication = "Dedicated to everyone who explores formulas for fun.";
const char* const kCreditTitle = "Programmed by...";
const char* const kCredit = "Programmed by the Orbisk developers.";

// Grid of the window: five columns of 60 pixels, three rows of 81.
constexpr int kColumnWidth = 60;
constexpr int kRowHeight = 81;
constexpr int kMargin = 3;
constexpr int kCellWidth = 56;

QRect cell(int row, int column, int top, int height) {
  return QRect(kMargin + column * kColumnWidth, kMargin + row * kRowHeight + top, kCellWidth,
               height);
}

// A caption has its whole column, gaps included, and no more, so neighbours never overlap;
// "Solar system" is wider than a bar and needs all of it.
QRect captionCell(int row, int column) {
  return cell(row, column, 0, 16).adjusted(-2, 0, 2, 0);
}

}  // namespace

OriginForm::OriginForm(PictureParams& params, Dialogs& dialogs, QWidget* parent)
    : EditorWindow("originform", "Orbisk - Origin", QSize(302, 247), Control::hsbgalaxy, kBarCount,
                   parent),
      params_(params),
      dialogs_(dialogs) {
  for (int i = 0; i < kBarCount; ++i) {
    const BarEntry& entry = kBars[static_cast<size_t>(i)];
    QLabel* caption =
        placeCaption(entry.caption, entry.captionName, captionCell(entry.row, entry.column));
    if (entry.control == Control::hsbgalaxy) galaxyCaption_ = caption;
    if (entry.control == Control::hsbsize) sizeCaption_ = caption;
    valueLabels_[static_cast<size_t>(i)] = placeValueLabel(
        entry.valueLabel, cell(entry.row, entry.column, 19, 20).adjusted(6, 0, -6, 0));
    QScrollBar* bar = placeBar(entry.control, cell(entry.row, entry.column, 44, 17));
    valueLabels_[static_cast<size_t>(i)]->setText(QString::number(bar->value()));
    // The bars are short, so they take the keyboard too: arrows and Page Up/Down step by one.
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->installEventFilter(this);
    valueLabels_[static_cast<size_t>(i)]->installEventFilter(this);
  }
  galaxyCaption_->installEventFilter(this);
  sizeCaption_->installEventFilter(this);

  auto makeList = [this](Control control, const char* caption, const char* captionName,
                         int column) {
    placeCaption(caption, captionName, captionCell(1, column));
    auto* list = new QListWidget(this);
    list->setObjectName(controlRange(control).objectName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setGeometry(cell(1, column, 18, 50));  // fitted to three entries once filled
    connect(list, &QListWidget::currentRowChanged, this,
            [this, control](int row) { listChanged(control, row); });
    // A list always shows the function it stands for: a Ctrl+click must not leave it blank.
    connect(list, &QListWidget::itemSelectionChanged, list, [list] {
      if (list->selectedItems().isEmpty() && list->currentItem())
        list->currentItem()->setSelected(true);
    });
    return list;
  };
  listv1a_ = makeList(Control::listv1a, "V1 A", "captionv1a", 2);
  listv1b_ = makeList(Control::listv1b, "V1 B", "captionv1b", 3);

  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("okbutton");
  ok->setGeometry(cell(2, 4, 20, 28));
  connect(ok, &QPushButton::clicked, this, &QWidget::hide);

  // Tab goes through the grid row by row, as it reads.
  const std::array<QWidget*, 15> tabOrder = {
      bar(0), bar(1), bar(2),   bar(3),   bar(4),  // Galaxy, Solar system, World, Lab, Level
      bar(5), bar(6), listv1a_, listv1b_, bar(7),  // Category, Type, V1 A, V1 B, Effect
      bar(8), bar(9), bar(10),  bar(11),  ok};     // V2, V3, V4, Size, OK
  for (size_t i = 0; i + 1 < tabOrder.size(); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);
}

void OriginForm::setFunctionLists() {
  for (QListWidget* list : {listv1a_, listv1b_}) {
    list->clear();
    for (const char* name : kFunctions) list->addItem(QString::fromLatin1(name));
    // Three entries high, whatever the font.
    list->resize(list->width(), list->sizeHintForRow(0) * 3 + 2 * list->frameWidth());
  }
  listv1a_->setCurrentRow(kStartRowV1a);
  listv1b_->setCurrentRow(kStartRowV1b);
}

bool OriginForm::setControl(Control c, int value) {
  QListWidget* list = listFor(c);
  if (!list) return EditorWindow::setControl(c, value);
  if (!controlAccepts(c, value)) return false;
  // value - 1 is a position 0..10 here; the list may not have been filled yet.
  const int row = value - 1;
  if (row >= list->count()) return false;
  if (row != list->currentRow()) list->setCurrentRow(row);
  return true;
}

int OriginForm::controlValue(Control c) const {
  if (QListWidget* list = listFor(c)) return list->currentRow() >= 0 ? list->currentRow() + 1 : 0;
  return EditorWindow::controlValue(c);
}

void OriginForm::applyRandom(const RandomCombination& draw) {
  for (std::size_t i = 0; i < draw.values.size(); ++i) {
    if (const auto control = fieldEntry(randomFields()[i]).control)
      setControl(*control, draw.values[i]);
  }
  // A drawn value equal to a control's position leaves the control as it is, and the record
  // may hold another value there (a data file can store one that the control refused). The
  // picture is the drawn one all the same.
  applyCombination(params_, draw);
}

void OriginForm::barChanged(int index, int value) {
  const BarEntry& entry = kBars[static_cast<size_t>(index)];
  valueLabels_[static_cast<size_t>(index)]->setText(QString::number(value));
  // The bar's range lies inside the 16-bit range of the field.
  params_.*controlField(entry.control).member = static_cast<int16_t>(value);
}

void OriginForm::listChanged(Control list, int row) {
  // Row -1 means the list was emptied or nothing is selected: nothing to store.
  if (row < 0 || row >= static_cast<int>(kFunctions.size())) return;
  const auto function = static_cast<int16_t>(row + 1);
  if (list == Control::listv1a)
    params_.func1 = function;
  else
    params_.func2 = function;
}

QListWidget* OriginForm::listFor(Control c) const {
  if (c == Control::listv1a) return listv1a_;
  if (c == Control::listv1b) return listv1b_;
  return nullptr;
}

bool OriginForm::stepByKey(QScrollBar* bar, int key) {
  // Scroll bars take Left as a step up; these bars count up to the right as their thumbs do.
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Up:
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Down:
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      return true;
    case Qt::Key_PageUp:
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      return true;
    case Qt::Key_PageDown:
      bar->triggerAction(QAbstractSlider::SliderPageStepSub);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      openEntry(indexOf(bar));
      return true;
    default:
      return false;  // Home and End go to the ends of the range, as Qt has them
  }
}

void OriginForm::stepByWheel(QScrollBar* bar, const QWheelEvent& event) {
  // Turning the wheel away from the hand steps up, as Up does. A horizontal wheel steps up to the
  // right, as the thumb moves. Where the system turns the wheel's direction round, the event
  // says so and it is turned back, so the bar follows the hand. Fine-grained wheels and touch
  // pads send fractions of a notch, which add up to whole steps.
  const QPoint delta = event.angleDelta();
  int turned = delta.y() != 0 ? delta.y() : -delta.x();
  if (event.inverted()) turned = -turned;
  if (bar != wheelBar_) wheelTurned_ = 0;  // a part turned over another bar is not carried over
  wheelBar_ = bar;
  wheelTurned_ += turned;
  constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;  // 120: one notch of a usual wheel
  while (wheelTurned_ >= kNotch) {
    wheelTurned_ -= kNotch;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  while (wheelTurned_ <= -kNotch) {
    wheelTurned_ += kNotch;
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  }
}

void OriginForm::openEntry(int index) {
  const BarEntry& entry = kBars[static_cast<size_t>(index)];
  QScrollBar* target = bar(index);
  ValueEntry::open(valueLabels_[static_cast<size_t>(index)], target,
                   [this, entry, target](const QString& typed) {
                     const ControlRange& range = controlRange(entry.control);
                     QString text = QString("%1 takes a value from %2 to %3")
                                        .arg(entry.caption)
                                        .arg(range.min)
                                        .arg(range.max);
                     if (!typed.isEmpty()) text += QString("; %1 is not one").arg(typed);
                     text += QString(". It stays %1.").arg(target->value());
                     dialogs_.inform(this, windowTitle(), text);
                   });
}

int OriginForm::indexOf(QObject* barOrLabel) const {
  for (int i = 0; i < kBarCount; ++i) {
    if (barOrLabel == bar(i) || barOrLabel == valueLabels_[static_cast<size_t>(i)]) return i;
  }
  return -1;
}

bool OriginForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonDblClick &&
      (watched == galaxyCaption_ || watched == sizeCaption_)) {
    showCredits(watched);
    return true;
  }
  const int index = indexOf(watched);
  if (index < 0) return EditorWindow::eventFilter(watched, event);
  QLabel* label = valueLabels_[static_cast<size_t>(index)];
  if (type == QEvent::MouseButtonDblClick && watched == label) {
    openEntry(index);
    return true;
  }
  if (type == QEvent::KeyPress && watched == bar(index)) {
    if (stepByKey(bar(index), static_cast<QKeyEvent*>(event)->key())) return true;
  }
  if (type == QEvent::Wheel && watched == bar(index)) {
    stepByWheel(bar(index), *static_cast<QWheelEvent*>(event));
    return true;
  }
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    // Scroll bars draw no focus of their own: the value of the bar that has it is highlighted.
    const bool focused = type == QEvent::FocusIn;
    label->setAutoFillBackground(focused);
    label->setBackgroundRole(focused ? QPalette::Highlight : QPalette::Window);
    label->setForegroundRole(focused ? QPalette::HighlightedText : QPalette::WindowText);
  }
  return EditorWindow::eventFilter(watched, event);
}

void OriginForm::showCredits(QObject* caption) {
  if (caption == galaxyCaption_) {
    dialogs_.inform(this, kDedicationTitle, kDedication);
    return;
  }
  if (controlValue(Control::hsbv2) == kCreditV2 && controlValue(Control::hsbv3) == kCreditV3 &&
      controlValue(Control::hsbv4) == kCreditV4)
    dialogs_.inform(this, kCreditTitle, kCredit);
}

}  // namespace orbisk
