// The window of "Make animation...": the history's pictures to go to from the current one (in
// the order they are ticked), and the film's frames, rate, size, easing and format.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <vector>

#include "io/FilmFormat.h"
#include "model/FrameSize.h"
#include "session/FilmPath.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

namespace orbisk {

class AnimationForm : public QDialog {
  Q_OBJECT

 public:
  // A picture of the history the film may go to.
  struct Choice {
    DrawnPicture picture;  // its record, detail, background and working values
    QString label;         // its time, and a star when starred
    QImage thumbnail;      // as the history shows it
  };
  static constexpr int kScales[] = {1, 2, 3, 4};  // the sizes offered, times the frame's

  // frame: the current picture's canvas, for the sizes offered.
  AnimationForm(std::vector<Choice> choices, CanvasSize frame, QWidget* parent = nullptr);

  // The pictures ticked, in the order they were ticked.
  std::vector<DrawnPicture> chosenPictures() const;
  int frames() const;
  int fps() const;
  int scale() const;
  FilmEasing easing() const;
  FilmFormat format() const;

 private:
  void onItemChanged(QListWidgetItem* item);

  std::vector<Choice> choices_;
  std::vector<int> ticked_;  // indexes into choices_, in the order they were ticked
  QListWidget* entries_ = nullptr;
  QSpinBox* frames_ = nullptr;
  QSpinBox* fps_ = nullptr;
  QComboBox* scale_ = nullptr;
  QComboBox* format_ = nullptr;
  QCheckBox* ease_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// What the save dialog offers for format: "WebM video|*.webm" and the like.
QString filmFileFilter(FilmFormat format);
// The name with format's extension added where it has none of its own (a folder's name as is).
QString withFilmExtension(const QString& path, FilmFormat format);

}  // namespace orbisk
