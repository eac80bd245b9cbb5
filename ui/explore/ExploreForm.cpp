#include "ui/explore/ExploreForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "io/DrawnPart.h"
#include "io/OffspringChooser.h"
#include "io/RenderWorkers.h"
#include "render/random/Breeding.h"
#include "ui/editors/FixedWindow.h"
#include "ui/explore/GalleryCell.h"

namespace orbisk {

ExploreForm::ExploreForm(ExploreSource source, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), source_(std::move(source)) {
  setObjectName("exploreform");
  setWindowTitle("Orbisk - Explore");
  setAttribute(Qt::WA_DeleteOnClose);

  chooser_ = new OffspringChooser(this);
  connect(chooser_, &OffspringChooser::chosen, this, &ExploreForm::onChosen);
  workers_ = new RenderWorkers(0, this);
  connect(workers_, &RenderWorkers::progressed, this, &ExploreForm::onProgress);
  connect(workers_, &RenderWorkers::finished, this, &ExploreForm::onFinished);

  where_ = new QLabel(this);
  where_->setObjectName("explorewhere");
  where_->setWordWrap(true);
  where_->setFixedWidth(kColumns * (GalleryCell::kWidth + 4));

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  for (int i = 0; i < kCells; ++i) {
    auto* cell = new GalleryCell(this);
    cell->setObjectName(QString("explorecell%1").arg(i + 1));
    cells_[at(i)] = cell;
    grid->addWidget(cell, i / kColumns, i % kColumns);
    connect(cell, &GalleryCell::picked, this, [this, i] { pick(i); });
    connect(cell, &GalleryCell::moveRequested, this, [this, i](int columns, int rows) {
      const int column = i % kColumns + columns, row = i / kColumns + rows;
      if (column >= 0 && column < kColumns && row >= 0 && row < kRows)
        cells_[at(row * kColumns + column)]->setFocus(Qt::TabFocusReason);
    });
  }

  auto* stepLabel = new QLabel("&Step:", this);
  step_ = new QComboBox(this);
  step_->setObjectName("explorestep");
  step_->addItems({"a little", "more", "a lot"});
  step_->setCurrentIndex(1);
  stepLabel->setBuddy(step_);
  // A new step offers twelve new variations around the same picture.
  connect(step_, &QComboBox::currentIndexChanged, this, [this] {
    if (!mate_) fill();
  });
  back_ = new QPushButton("&Back", this);
  back_->setObjectName("exploreback");
  back_->setAutoDefault(false);
  connect(back_, &QPushButton::clicked, this, &ExploreForm::back);
  auto* moreButton = new QPushButton("&More", this);
  moreButton->setObjectName("exploremore");
  moreButton->setAutoDefault(false);
  connect(moreButton, &QPushButton::clicked, this, &ExploreForm::more);
  auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(f5, &QShortcut::activated, this, &ExploreForm::more);
  auto* altLeft = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
  connect(altLeft, &QShortcut::activated, this, &ExploreForm::back);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(stepLabel);
  buttons->addWidget(step_);
  buttons->addStretch();
  buttons->addWidget(back_);
  buttons->addWidget(moreButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(where_);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  centreWhenShown(this);
  closeOnEscape(this);
}

ExploreForm::~ExploreForm() {
  // The workers emit into this window: they end before anything of it goes.
  chooser_->stop();
  workers_->stop();
}

VariationStep ExploreForm::step() const {
  const int index = step_->currentIndex();
  return index == 0 ? VariationStep::Little : index == 2 ? VariationStep::Lot : VariationStep::More;
}

void ExploreForm::vary() {
  line_ = {source_.currentOrder()};
  origins_ = {{}};
  mate_.reset();
  fill();
}

void ExploreForm::breed(const PictureParams& other, const QString& otherName) {
  line_ = {source_.currentOrder()};
  origins_ = {{}};
  mate_ = other;
  mateName_ = otherName;
  fill();
}

void ExploreForm::more() {
  fill();
}

void ExploreForm::back() {
  if (line_.size() < 2) return;
  line_.pop_back();
  origins_.pop_back();
  source_.pick(line_.back(), origins_.back());
  fill();
}

void ExploreForm::pick(int index) {
  if (index < 0 || index >= filled_) return;
  const Offspring& picked = offspring_[at(index)];
  // Where it came from, as its record and the history keep it.
  const PictureParams& parent = line_.back().params;
  const std::string origin = mate_ ? childOrigin(parent, *mate_, picked.change)
                                   : variationOrigin(parent, step(), picked.change);
  line_.push_back(picked.order);
  origins_.push_back(origin);
  mate_.reset();
  source_.pick(line_.back(), origin);
  fill();
}

void ExploreForm::fill() {
  // Unfinished cells are dropped before the new ones are looked for.
  chooser_->stop();
  workers_->stop();
  filled_ = 0;
  for (GalleryCell* cell : cells_) cell->reset();
  showWhere();
  const PictureOrder parent = line_.empty() ? source_.currentOrder() : line_.back();
  const uint64_t seed = source_.seed();
  const VariationStep variationStep = step();
  const std::optional<PictureParams> mate = mate_;
  choice_ = chooser_->start([parent, seed, variationStep, mate](const std::atomic<bool>* cancel) {
    return mate ? chooseChildren(parent, *mate, seed, kCells, cancel)
                : chooseVariations(parent, seed, variationStep, kCells, cancel);
  });
}

void ExploreForm::showWhere() {
  back_->setEnabled(line_.size() > 1);
  step_->setEnabled(!mate_);
  if (mate_) {
    where_->setText("Children of the current picture and " + mateName_);
    return;
  }
  QString text = "Variations of the current picture";
  if (line_.size() > 1)
    text += QString(" (%1 picked from the first), made as ").arg(line_.size() - 1) +
            QString::fromStdString(origins_.back().substr(origins_.back().rfind(": ") + 2));
  where_->setText(text);
}

void ExploreForm::onChosen(int choice) {
  if (choice != choice_) return;
  std::vector<Offspring> chosen = chooser_->takeChosen();
  filled_ = std::min<int>(kCells, static_cast<int>(chosen.size()));
  std::vector<PictureOrder> orders;
  for (int i = 0; i < filled_; ++i) {
    offspring_[at(i)] = std::move(chosen[at(i)]);
    orders.push_back(offspring_[at(i)].order);
    cells_[at(i)]->setToolTip(QString::fromStdString(offspring_[at(i)].change));
  }
  batch_ = workers_->start(std::move(orders));
  emit offered();
}

void ExploreForm::onProgress(int batch, int index, int done, int total) {
  if (batch != batch_ || index < 0 || index >= filled_) return;
  cells_[at(index)]->setProgress(done, total);
}

void ExploreForm::onFinished(int batch, int index, const QImage& image) {
  if (batch != batch_ || index < 0 || index >= filled_) return;
  cells_[at(index)]->setPicture(image,
                                measureImage(image, offspring_[at(index)].order.canvas.background));
}

void ExploreForm::closeEvent(QCloseEvent* event) {
  // All of the window's work ends now, not when the deferred deletion comes.
  chooser_->stop();
  workers_->stop();
  event->accept();
}

}  // namespace orbisk
