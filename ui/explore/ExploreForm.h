// The Explore window, "Orbisk - Explore": twelve variations of the current picture (or twelve
// children of it and another), rendered on worker threads into cells like the gallery's.
// Picking one makes it the current picture and offers twelve around it; Back returns to the
// picture it came from.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/random/Offspring.h"
#include "render/random/Variations.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace orbisk {

class GalleryCell;
class OffspringChooser;
class RenderWorkers;

// What the Explore window asks of the main window.
struct ExploreSource {
  // The record, working values and canvas as the main window holds them now.
  std::function<PictureOrder()> currentOrder;
  // A fresh seed for every twelve offered.
  std::function<uint64_t()> seed;
  // Makes order the main window's picture and draws it as the cell drew it; origin says where
  // it came from ("variation (more) of ...: v2 40 to 52").
  std::function<void(const PictureOrder& order, const std::string& origin)> pick;
};

// Deletes itself when closed; closing stops its workers and waits for them.
class ExploreForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 4, kRows = 3, kCells = kColumns * kRows;

  explicit ExploreForm(ExploreSource source, QWidget* parent = nullptr);
  ~ExploreForm() override;

  // Twelve variations of the main window's current picture; the line of picks starts there.
  void vary();
  // Twelve children of the main window's current picture and other (a record with its name).
  void breed(const PictureParams& other, const QString& otherName);
  // Twelve new ones around the same picture.
  void more();
  // Returns to the picture the current one was picked from, and offers twelve around it.
  void back();
  // Makes cell index's picture the current one and offers twelve around it.
  void pick(int index);

  GalleryCell* cell(int index) const { return cells_[at(index)]; }
  int filled() const { return filled_; }
  const Offspring& offspring(int index) const { return offspring_[at(index)]; }
  // The pictures picked so far, the one the window opened on first.
  const std::vector<PictureOrder>& line() const { return line_; }
  QComboBox* stepBox() const { return step_; }
  RenderWorkers& workers() { return *workers_; }
  OffspringChooser& chooser() { return *chooser_; }

 signals:
  // Twelve (or as many as could be found) are chosen and their renders started.
  void offered();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::size_t at(int index) { return static_cast<std::size_t>(index); }
  VariationStep step() const;
  void fill();
  void onChosen(int choice);
  void onProgress(int batch, int index, int done, int total);
  void onFinished(int batch, int index, const QImage& image);
  void showWhere();

  ExploreSource source_;
  OffspringChooser* chooser_ = nullptr;  // a child, stopped before the cells go
  RenderWorkers* workers_ = nullptr;     // a child, stopped before the cells go
  std::array<GalleryCell*, kCells> cells_{};
  std::array<Offspring, kCells> offspring_{};  // each cell's picture: record, change, quick look
  int filled_ = 0;                             // cells holding a picture
  std::vector<PictureOrder> line_;             // the pictures picked, the first one opened on
  std::vector<std::string> origins_;           // where each of line_ came from
  std::optional<PictureParams> mate_;          // the other parent while children are offered
  QString mateName_;                           // its file's name
  QComboBox* step_ = nullptr;                  // a little / more / a lot
  QPushButton* back_ = nullptr;                // Back, enabled once a picture was picked
  QLabel* where_ = nullptr;                    // what the twelve are around
  int choice_ = 0;  // the choice whose result the window takes; older ones are dropped
  int batch_ = 0;   // the batch whose signals the cells take; older ones are dropped
};

}  // namespace orbisk
