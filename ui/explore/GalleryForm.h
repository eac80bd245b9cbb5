// The random gallery, window "Orbisk - Gallery": twelve random combinations at once, each drawn
// as the main window would draw it, rendered on worker threads.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "render/OffscreenRender.h"
#include "render/RandomCombination.h"

namespace orbisk {

class GalleryCell;
class RenderWorkers;

// What the gallery asks of the main window.
struct GallerySource {
  // The record, working values and canvas as the main window holds them now.
  std::function<OffscreenOrder()> currentOrder;
  // The next random combination, drawn as Random draws one.
  std::function<RandomCombination()> draw;
  // Puts a combination into the origin editor and renders it as Random does.
  std::function<void(const RandomCombination&)> pick;
};

// Deletes itself when closed; closing stops its workers and waits for them.
class GalleryForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 4, kRows = 3, kCells = kColumns * kRows;

  explicit GalleryForm(GallerySource source, QWidget* parent = nullptr);
  ~GalleryForm() override;

  // Twelve new draws on what the main window holds now; unfinished work is dropped at once.
  void fill();

  GalleryCell* cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }
  const RandomCombination& combination(int index) const {
    return draws_[static_cast<std::size_t>(index)];
  }
  RenderWorkers& workers() { return *workers_; }
  // The order the cell's picture was rendered from.
  const OffscreenOrder& order(int index) const { return orders_[static_cast<std::size_t>(index)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void onProgress(int batch, int index, int done, int total);
  void onFinished(int batch, int index, const QImage& image);
  void moveFocus(int from, int columns, int rows);

  GallerySource source_;
  RenderWorkers* workers_ = nullptr;  // a child, stopped before the cells go
  std::array<GalleryCell*, kCells> cells_{};
  std::array<RandomCombination, kCells> draws_{};  // each cell's ten values
  std::array<OffscreenOrder, kCells> orders_{};    // each cell's whole order
  int batch_ = 0;  // the batch whose signals the cells take; older ones are dropped
};

}  // namespace orbisk
