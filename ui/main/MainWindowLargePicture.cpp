// "Save large picture...": the parameters that drew the canvas's picture, drawn again 2 to 8
// times larger on a worker thread and written to a PNG or BMP file; and the bookkeeping of what
// drew the canvas's picture.
#include <QProgressDialog>
#include <array>

#include "ui/Dialogs.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

constexpr const char* kTitle = "Save large picture";
constexpr std::array<int, 5> kScales = {2, 3, 4, 6, 8};

bool endsWithBmp(const QString& path) {
  return path.endsWith(".bmp", Qt::CaseInsensitive);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// What drew the canvas's picture

void MainWindow::noteRunStart(bool canvasCleared) {
  // A run drawn over an older picture is not its record's picture alone.
  if (canvasCleared) {
    runStart_ = DrawnRun{params_,          state_,           canvas_.backgroundColour(),
                         canvas_.width(),  canvas_.height(), canvas_.penWidth(),
                         canvas_.penMode()};
  } else {
    runStart_.reset();
  }
  runDisturbed_ = false;
  canvasFromLastRun_ = false;
  filtersSinceDrawn_ = {};
}

void MainWindow::noteRunEnd(bool stopped) {
  // A changed record (the user's edits reach a run from its next column) means a mixed picture.
  const bool whole = runStart_ && !stopped && !runDisturbed_ && params_ == runStart_->params &&
                     canvas_.width() == runStart_->width && canvas_.height() == runStart_->height;
  if (whole) lastRun_ = runStart_;
  canvasFromLastRun_ = whole;
  undoFromLastRun_ = whole;  // the end steps take the undo copy next
  filtersSinceDrawn_ = {};
  runStart_.reset();
  runDisturbed_ = false;
}

void MainWindow::forgetDrawnPicture() {
  canvasFromLastRun_ = false;
  filtersSinceDrawn_ = {};
  if (isRendering()) runDisturbed_ = true;
}

// ---------------------------------------------------------------------------------------------
// The command

void MainWindow::onSaveLargePicture() {
  if (largeJob_->isRunning()) {
    dialogs_.inform(this, kTitle,
                    "A large picture is still being drawn. Wait for it, or cancel it first.");
    return;
  }
  const std::optional<DrawnRun> drawn = lastRun();
  if (!canvasFromLastRun_ || !drawn) {
    dialogs_.inform(this, kTitle,
                    "The canvas holds no picture drawn from parameters (a loaded or pasted "
                    "picture, or none drawn yet). Draw one with CREATE first.");
    return;
  }
  // Taken now: the canvas may change while the dialogs are open.
  const DrawnRun picture = *drawn;
  const ComposedMask filters = filtersSinceDrawn_;
  QStringList choices;
  for (int scale : kScales) {
    choices << QString("%1 times: %2 x %3 pixels")
                   .arg(scale)
                   .arg(picture.width * scale)
                   .arg(picture.height * scale);
  }
  dialogs_.chooseItem(
      this, kTitle, "Size of the picture:", choices, [this, picture, filters](int index) {
        if (index < 0 || index >= static_cast<int>(kScales.size())) return;
        const int scale = kScales[static_cast<std::size_t>(index)];
        const FileDialogRequest request{kTitle, "PNG picture|*.png|Bitmap|*.bmp", true};
        dialogs_.saveFile(this, request, [this, picture, filters, scale](const QString& path) {
          if (!path.isEmpty()) startLargePicture(picture, filters, scale, path);
        });
      });
}

void MainWindow::startLargePicture(const DrawnRun& picture, const ComposedMask& filters, int scale,
                                   const QString& path) {
  if (!largeProgress_) {
    largeProgress_ = new QProgressDialog("Drawing the large picture...", "Cancel", 0, 100, this);
    largeProgress_->setObjectName("largeprogress");
    largeProgress_->setWindowTitle(kTitle);
    largeProgress_->setWindowModality(Qt::NonModal);  // the window stays usable
    largeProgress_->setAutoClose(false);
    largeProgress_->setAutoReset(false);
    largeProgress_->setMinimumDuration(0);
    connect(largeJob_, &LargePictureJob::progressed, largeProgress_, &QProgressDialog::setValue);
    connect(largeProgress_, &QProgressDialog::canceled, largeJob_, &LargePictureJob::cancel);
  }
  // The name decides the format; anything but ".bmp" is written as PNG, the first choice.
  const LargePictureRequest request{picture, scale, filters, path,
                                    endsWithBmp(path) ? QByteArray("BMP") : QByteArray("PNG")};
  if (!largeJob_->start(request)) return;
  largeProgress_->reset();
  largeProgress_->setValue(0);
  largeProgress_->show();
}

void MainWindow::onLargePictureFinished(bool /*written*/, const QString& error) {
  if (largeProgress_) largeProgress_->hide();
  if (!error.isEmpty()) dialogs_.warn(this, kTitle, error);
}

}  // namespace orbisk
