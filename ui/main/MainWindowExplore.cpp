// The Explore menu: the random gallery, the history, and Back and Forward.
#include <chrono>

#include "ui/explore/GalleryForm.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

namespace orbisk {

namespace {

// A fresh candidate sequence for every gallery opened.
uint64_t clockSeed() {
  return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

void MainWindow::setGallerySeeds(std::function<uint64_t()> seeds) {
  gallerySeeds_ = std::move(seeds);
}

PictureOrder MainWindow::currentOrder() const {
  PictureOrder order;
  order.params = params_;
  order.state = state_;
  order.canvas.width = canvas_.width();
  order.canvas.height = canvas_.height();
  order.canvas.background = canvas_.backgroundColour();
  order.canvas.penWidth = canvas_.penWidth();
  order.canvas.penMode = canvas_.penMode();
  return order;
}

void MainWindow::randomWith(const RandomCombination& draw) {
  givenDraw_ = draw;
  // A run going on ends at its next column; the picked one follows its end steps.
  if (driver_->isRunning()) stopflag_ = -1;
  startRun(Run::Random);
}

void MainWindow::onGallery() {
  if (galleryForm_ && galleryForm_->isHidden()) {
    galleryForm_->deleteLater();
    galleryForm_.clear();
  }
  if (!galleryForm_) {
    GallerySource source;
    source.currentOrder = [this] { return currentOrder(); };
    source.seed = [this] { return gallerySeeds_ ? gallerySeeds_() : clockSeed(); };
    source.pick = [this](const RandomCombination& draw) { randomWith(draw); };
    galleryForm_ = new GalleryForm(std::move(source), this);
    galleryForm_->fill();
  }
  galleryForm_->show();
  galleryForm_->raise();
  galleryForm_->activateWindow();
}

}  // namespace orbisk
