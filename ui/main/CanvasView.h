// The 632 x 434 view under the menu bar: the canvas Pct1, the two scroll bars that move a
// Maximum canvas under the view, and the progress bar in the bottom-left corner.
#pragma once

#include <QImage>
#include <QWidget>

#include "model/FrameSize.h"
#include "render/run/RenderJob.h"
#include "render/surfaces/RasterCanvas.h"

class QProgressBar;
class QScrollBar;

namespace orbisk {

// The canvas widget Pct1. It shows the RasterCanvas buffer through a QImage that wraps the
// buffer without copying; the wrapper is made anew for every paint because a resize may move
// the buffer.
class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  CanvasWidget(RasterCanvas& canvas, QWidget* parent);

  // The canvas's current pixels, sharing the buffer: copy it to keep it past the next drawing.
  QImage image() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  RasterCanvas& canvas_;
};

// The progress bar counts in hundredths of a column, so a fractional maximum such as 27.75
// (Detail Low) shows exactly. Values that are not finite or lie outside 0..10,000,000 columns
// give -1, which the caller ignores.
int progressBarUnits(float columns);

class CanvasView : public QWidget {
  Q_OBJECT

 public:
  // The view is as large as the Regular canvas.
  static constexpr int kViewWidth = kRegularCanvas.width;
  static constexpr int kViewHeight = kRegularCanvas.height;
  static constexpr int kBarThickness = 17;
  static constexpr int kProgressWidth = 117;

  CanvasView(RasterCanvas& canvas, QWidget* parent);

  CanvasWidget* canvasWidget() const { return pct1_; }
  QScrollBar* horizontalBar() const { return hscroll1_; }
  QScrollBar* verticalBar() const { return vscroll1_; }
  QProgressBar* progressBar() const { return pb_; }

  // Resizes the canvas (keeping its top-left content) and places it with its top-left corner at
  // (left, top) in view coordinates.
  void setCanvasGeometry(int left, int top, int width, int height);
  // How the canvas takes a frame's size: as the Frame commands set it (Maximum centred, the
  // progress bar at its width), as a loaded record does (keeping the scroll positions), or as a
  // loaded picture does (at the top-left corner, catching up with the bars at their next change).
  enum class FrameChange { Command, Loaded, Picture };
  void showFrame(CanvasSize size, bool maximum, FrameChange change);
  // Shows both scroll bars or hides them; the canvas does not move.
  void setScrollBarsVisible(bool visible);
  // Shows a traversal's progress on the progress bar; resetProgress sets its value to 0.
  void showProgress(const RenderProgress& progress);
  void resetProgress();
  void setProgressBarWidth(int width);
  // The window's own picture, seen where the canvas does not cover the view.
  void setBackgroundPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  RasterCanvas& canvas_;
  CanvasWidget* pct1_;
  QScrollBar* hscroll1_;
  QScrollBar* vscroll1_;
  QProgressBar* pb_;
  QImage background_;
};

}  // namespace orbisk
