// The random gallery, window "Orbisk - Gallery": twelve random combinations at once, each drawn
// as the main window would draw it, rendered on worker threads. A quick look leaves out the
// candidates that would draw (almost) nothing or only one or two colours, and the twelve are
// arranged the richest first once all are drawn.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "render/random/RandomCombination.h"
#include "render/run/PictureContent.h"
#include "render/run/WholePicture.h"

namespace orbisk {

class CandidateChooser;
class GalleryCell;
class RenderWorkers;

// What the gallery asks of the main window.
struct GallerySource {
  // The record, working values and canvas as the main window holds them now.
  std::function<PictureOrder()> currentOrder;
  // The seed of the gallery's candidate sequence, asked for once when the window opens; More
  // goes on along the same sequence.
  std::function<uint64_t()> seed;
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

  // Twelve new candidates on what the main window holds now; unfinished work is dropped at once.
  void fill();

  GalleryCell* cell(int index) const { return cells_[at(index)]; }
  // The cell's ten values and its number in the gallery's candidate sequence.
  const RandomCombination& combination(int index) const { return draws_[at(index)]; }
  uint64_t candidateNumber(int index) const { return candidates_[at(index)]; }
  // What the cell's finished picture holds.
  const PictureContent& content(int index) const { return contents_[at(index)]; }
  CandidateChooser& chooser() { return *chooser_; }
  RenderWorkers& workers() { return *workers_; }
  // The order the cell's picture was rendered from.
  const PictureOrder& order(int index) const { return orders_[at(index)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::size_t at(int index) { return static_cast<std::size_t>(index); }
  void onChosen(int choice);
  void onProgress(int batch, int index, int done, int total);
  // A long render's picture as drawn so far fills its cell while it grows.
  void onDrawnSoFar(int batch, int index, const QImage& image);
  void onFinished(int batch, int index, const QImage& image);
  // Puts the finished cells in order, the richest first.
  void arrange();
  void moveFocus(int from, int columns, int rows);

  GallerySource source_;
  uint64_t seed_ = 0;                    // the seed of the candidate sequence
  uint64_t nextCandidate_ = 0;           // the first candidate More looks at
  CandidateChooser* chooser_ = nullptr;  // a child, stopped before the cells go
  RenderWorkers* workers_ = nullptr;     // a child, stopped before the cells go
  std::array<GalleryCell*, kCells> cells_{};
  int filled_ = 0;  // cells holding a candidate; the others wait for the choice
  std::array<RandomCombination, kCells> draws_{};  // each cell's ten values
  std::array<uint64_t, kCells> candidates_{};      // each cell's candidate number
  std::array<PictureOrder, kCells> orders_{};      // each cell's whole order
  std::array<PictureContent, kCells> contents_{};  // each finished cell's content
  int finished_ = 0;                               // cells whose picture has come
  int choice_ = 0;  // the choice whose result the gallery takes; older ones are dropped
  int batch_ = 0;   // the batch whose signals the cells take; older ones are dropped
};

}  // namespace orbisk
