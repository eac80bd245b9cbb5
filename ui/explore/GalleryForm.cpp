#include "ui/explore/GalleryForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <vector>

#include "io/RenderWorkers.h"
#include "ui/editors/FixedWindow.h"
#include "ui/explore/GalleryCell.h"

namespace orbisk {

GalleryForm::GalleryForm(GallerySource source, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), source_(std::move(source)) {
  setObjectName("galleryform");
  setWindowTitle("Orbisk - Gallery");
  setAttribute(Qt::WA_DeleteOnClose);

  workers_ = new RenderWorkers(0, this);
  connect(workers_, &RenderWorkers::progressed, this, &GalleryForm::onProgress);
  connect(workers_, &RenderWorkers::finished, this, &GalleryForm::onFinished);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  for (int i = 0; i < kCells; ++i) {
    auto* cell = new GalleryCell(this);
    cell->setObjectName(QString("gallerycell%1").arg(i + 1));
    cells_[static_cast<std::size_t>(i)] = cell;
    grid->addWidget(cell, i / kColumns, i % kColumns);
    connect(cell, &GalleryCell::picked, this,
            [this, i] { source_.pick(draws_[static_cast<std::size_t>(i)]); });
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
  centreOnScreen(this);
}

GalleryForm::~GalleryForm() {
  // The workers emit into this window: they end before anything of it goes.
  workers_->stop();
}

void GalleryForm::fill() {
  workers_->stop();  // unfinished cells are dropped before the new draws are made
  const OffscreenOrder now = source_.currentOrder();
  std::vector<OffscreenOrder> orders;
  orders.reserve(kCells);
  for (int i = 0; i < kCells; ++i) {
    const auto at = static_cast<std::size_t>(i);
    draws_[at] = source_.draw();
    orders_[at] = now;
    applyCombination(orders_[at].params, draws_[at]);
    orders.push_back(orders_[at]);
    cells_[at]->reset();
  }
  batch_ = workers_->start(std::move(orders));
}

void GalleryForm::onProgress(int batch, int index, int done, int total) {
  if (batch != batch_ || index < 0 || index >= kCells) return;
  cells_[static_cast<std::size_t>(index)]->setProgress(done, total);
}

void GalleryForm::onFinished(int batch, int index, const QImage& image) {
  if (batch != batch_ || index < 0 || index >= kCells) return;
  cells_[static_cast<std::size_t>(index)]->setPicture(image);
}

void GalleryForm::moveFocus(int from, int columns, int rows) {
  const int column = from % kColumns + columns;
  const int row = from / kColumns + rows;
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
  cells_[static_cast<std::size_t>(row * kColumns + column)]->setFocus(Qt::TabFocusReason);
}

void GalleryForm::closeEvent(QCloseEvent* event) {
  // All of the window's work ends now, not when the deferred deletion comes.
  workers_->stop();
  event->accept();
}

}  // namespace orbisk
