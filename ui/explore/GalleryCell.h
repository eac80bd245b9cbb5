// One cell of the gallery: the drawn part of a picture; while it is chosen and rendered, a sign
// of that work and its progress, so a heavy gallery never looks stuck.
#pragma once

#include <QImage>
#include <QWidget>

#include "render/run/PictureContent.h"

namespace orbisk {

// Takes the keyboard focus; Enter or a click picks it, the arrow keys ask the gallery to move the
// focus to a neighbour.
class GalleryCell : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 158, kHeight = 109;  // a quarter of the Regular canvas

  explicit GalleryCell(QWidget* parent = nullptr);

  // Empty, with no progress: a new draw is on its way.
  void reset();
  void setProgress(int done, int total);
  // The picture as its render has drawn it so far; shown as the finished one is, under the
  // progress, until that comes.
  void setDrawnSoFar(const QImage& partial, const PictureContent& content);
  // The finished picture at full size; the cell shows the part its run drew on (content's
  // rectangle) scaled to fill the cell.
  void setPicture(const QImage& picture, const PictureContent& content);
  const QImage& picture() const { return picture_; }  // null until the render has finished
  bool isFinished() const { return !picture_.isNull(); }
  const QImage& shown() const { return shown_; }  // what the cell shows of it
  // What the cell says until its picture is there: "drawing...", with the share of the run done
  // once its render reports progress; empty once the picture is there.
  QString caption() const;

 signals:
  void picked();
  void moveRequested(int columns, int rows);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage picture_;  // the full-size picture, null while rendering
  QImage shown_;    // the drawn part scaled to the cell, of the picture so far while rendering
  int done_ = 0;    // columns rendered so far
  int total_ = 0;   // columns of the whole run; 0 before the first report
};

}  // namespace orbisk
