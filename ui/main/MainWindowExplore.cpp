// The Explore menu: the random gallery, the history, and Back and Forward.
#include <chrono>
#include <random>

#include "ui/explore/GalleryForm.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

namespace orbisk {

namespace {

// Fresh draws for the gallery: one generator seeded from the clock, so twelve draws made in the
// same instant still differ.
std::function<RandomCombination()> clockSeededDraws() {
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  auto engine = std::make_shared<std::mt19937_64>(static_cast<uint64_t>(now));
  return [engine] { return drawRandomCombination((*engine)()); };
}

}  // namespace

void MainWindow::setGallerySource(std::function<RandomCombination()> source) {
  gallerySource_ = std::move(source);
}

OffscreenOrder MainWindow::currentOrder() const {
  OffscreenOrder order;
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
    if (!gallerySource_) gallerySource_ = clockSeededDraws();
    GallerySource source;
    source.currentOrder = [this] { return currentOrder(); };
    source.draw = [this] { return gallerySource_(); };
    source.pick = [this](const RandomCombination& draw) { randomWith(draw); };
    galleryForm_ = new GalleryForm(std::move(source), this);
    galleryForm_->fill();
  }
  galleryForm_->show();
  galleryForm_->raise();
  galleryForm_->activateWindow();
}

}  // namespace orbisk
