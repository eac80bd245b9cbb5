#include "ui/explore/GalleryForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <vector>

#include "io/CandidateChooser.h"
#include "io/DrawnPart.h"
#include "io/RenderWorkers.h"
#include "ui/editors/FixedWindow.h"
#include "ui/explore/GalleryCell.h"

namespace orbisk {

GalleryForm::GalleryForm(GallerySource source, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), source_(std::move(source)) {
  setObjectName("galleryform");
  setWindowTitle("Orbisk - Gallery");
  setAttribute(Qt::WA_DeleteOnClose);

  seed_ = source_.seed();
  chooser_ = new CandidateChooser(this);
  connect(chooser_, &CandidateChooser::chosen, this, &GalleryForm::onChosen);
  workers_ = new RenderWorkers(0, this);
  connect(workers_, &RenderWorkers::progressed, this, &GalleryForm::onProgress);
  connect(workers_, &RenderWorkers::finished, this, &GalleryForm::onFinished);
  connect(workers_, &RenderWorkers::drawnSoFar, this, &GalleryForm::onDrawnSoFar);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  for (int i = 0; i < kCells; ++i) {
    auto* cell = new GalleryCell(this);
    cell->setObjectName(QString("gallerycell%1").arg(i + 1));
    cells_[at(i)] = cell;
    grid->addWidget(cell, i / kColumns, i % kColumns);
    connect(cell, &GalleryCell::picked, this, [this, i] {
      if (i < filled_) source_.pick(draws_[at(i)]);
    });
    connect(cell, &GalleryCell::moveRequested, this,
            [this, i](int columns, int rows) { moveFocus(i, columns, rows); });
  }

  auto* more = new QPushButton("&More", this);
  more->setObjectName("more");
  more->setAutoDefault(false);
  connect(more, &QPushButton::clicked, this, &GalleryForm::fill);
  auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(f5, &QShortcut::activated, this, &GalleryForm::fill);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(more);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Its size is known only once the layout has worked; Escape closes it as it closes Hints.
  centreWhenShown(this);
  closeOnEscape(this);
}

GalleryForm::~GalleryForm() {
  // The workers emit into this window: they end before anything of it goes.
  chooser_->stop();
  workers_->stop();
}

void GalleryForm::fill() {
  // Unfinished cells are dropped before the new candidates are looked for.
  chooser_->stop();
  workers_->stop();
  filled_ = 0;
  finished_ = 0;
  for (GalleryCell* cell : cells_) cell->reset();
  choice_ = chooser_->start(source_.currentOrder(), seed_, nextCandidate_, kCells);
}

void GalleryForm::onChosen(int choice) {
  if (choice != choice_) return;
  uint64_t looked = 0;
  std::vector<ChosenCandidate> chosen = chooser_->takeChosen(looked);
  nextCandidate_ += looked;
  // The richest first already as the quick looks see it, so the final order moves few cells.
  std::stable_sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) {
    return showsMoreThan(a.quick, a.candidate.index, b.quick, b.candidate.index);
  });
  filled_ = std::min<int>(kCells, static_cast<int>(chosen.size()));
  std::vector<PictureOrder> orders;
  for (int i = 0; i < filled_; ++i) {
    const Candidate& candidate = chosen[at(i)].candidate;
    draws_[at(i)] = candidate.draw;
    candidates_[at(i)] = candidate.index;
    orders_[at(i)] = candidate.order;
    orders.push_back(candidate.order);
  }
  batch_ = workers_->start(std::move(orders));
}

void GalleryForm::onProgress(int batch, int index, int done, int total) {
  if (batch != batch_ || index < 0 || index >= filled_) return;
  cells_[at(index)]->setProgress(done, total);
}

void GalleryForm::onDrawnSoFar(int batch, int index, const QImage& image) {
  if (batch != batch_ || index < 0 || index >= filled_) return;
  const uint32_t background = orders_[at(index)].canvas.background;
  cells_[at(index)]->setDrawnSoFar(image, measureImage(image, background));
}

void GalleryForm::onFinished(int batch, int index, const QImage& image) {
  if (batch != batch_ || index < 0 || index >= filled_) return;
  contents_[at(index)] = measureImage(image, orders_[at(index)].canvas.background);
  cells_[at(index)]->setPicture(image, contents_[at(index)]);
  if (++finished_ == filled_) arrange();
}

void GalleryForm::arrange() {
  std::array<int, kCells> rank{};
  std::iota(rank.begin(), rank.end(), 0);
  std::stable_sort(rank.begin(), rank.begin() + filled_, [this](int a, int b) {
    return showsMoreThan(contents_[at(a)], candidates_[at(a)], contents_[at(b)],
                         candidates_[at(b)]);
  });
  const auto draws = draws_;
  const auto candidates = candidates_;
  const auto orders = orders_;
  const auto contents = contents_;
  std::array<QImage, kCells> pictures;
  for (int i = 0; i < filled_; ++i) pictures[at(i)] = cells_[at(i)]->picture();
  for (int i = 0; i < filled_; ++i) {
    const auto from = at(rank[at(i)]);
    draws_[at(i)] = draws[from];
    candidates_[at(i)] = candidates[from];
    orders_[at(i)] = orders[from];
    contents_[at(i)] = contents[from];
    cells_[at(i)]->setPicture(pictures[from], contents[from]);
  }
}

void GalleryForm::moveFocus(int from, int columns, int rows) {
  const int column = from % kColumns + columns;
  const int row = from / kColumns + rows;
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
  cells_[at(row * kColumns + column)]->setFocus(Qt::TabFocusReason);
}

void GalleryForm::closeEvent(QCloseEvent* event) {
  // All of the window's work ends now, not when the deferred deletion comes.
  chooser_->stop();
  workers_->stop();
  event->accept();
}

}  // namespace orbisk
