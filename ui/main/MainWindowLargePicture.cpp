// "Save large picture...": the parameters that drew the canvas's picture, drawn again 2 to 8
// times larger on a worker thread and written to a PNG or BMP file; and the bookkeeping of what
// drew the canvas's picture.
#include "ui/Dialogs.h"
#include "ui/main/CanvasView.h"
#include "ui/main/LargePictureChoices.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

constexpr const char* kTitle = "Save large picture";

}  // namespace

// ---------------------------------------------------------------------------------------------
// The command

void MainWindow::onSaveLargePicture() {
  if (largeJob_->isRunning()) {
    dialogs_.inform(this, kTitle,
                    "A large picture is still being drawn. Wait for it, or cancel it first.");
    return;
  }
  // The canvas must show the last run exactly as its record drew it, filtered at most.
  const QImage& shown = view_->canvasWidget()->image();
  if (isRendering()) {
    dialogs_.inform(this, kTitle,
                    "The picture is still being drawn. Wait until its run has ended, then save "
                    "it.");
    return;
  }
  if (recorder_.showsStoppedRun(shown, session_.filtersSinceDrawn())) {
    dialogs_.inform(this, kTitle,
                    "The picture on the canvas is incomplete: its run was stopped. Draw it whole "
                    "with CREATE first.");
    return;
  }
  const std::optional<DrawnPicture> drawn = lastRun();
  if (!drawn || !recorder_.showsExactRunFiltered(shown, session_.filtersSinceDrawn())) {
    dialogs_.inform(this, kTitle,
                    "The canvas holds no picture drawn from parameters (a loaded or pasted "
                    "picture, or none drawn yet). Draw one with CREATE first.");
    return;
  }
  // Taken now: the canvas may change while the dialogs are open.
  const DrawnPicture picture = *drawn;
  const ComposedMask filters = session_.filtersSinceDrawn();
  const QStringList choices = largePictureScaleChoices(frameCanvasSize(picture.params.framesize));
  dialogs_.chooseItem(
      this, kTitle, "Size of the picture:", choices, [this, picture, filters](int index) {
        if (index < 0 || index >= static_cast<int>(kLargePictureScales.size())) return;
        const int scale = kLargePictureScales[static_cast<std::size_t>(index)];
        const FileDialogRequest request{kTitle, "PNG picture|*.png|Bitmap|*.bmp", true};
        dialogs_.saveFile(this, request, [this, picture, filters, scale](const QString& path) {
          if (!path.isEmpty())
            startLargePicture(picture, filters, scale, path, largePictureFormatFor(path), kTitle);
        });
      });
}

void MainWindow::startLargePicture(const DrawnPicture& picture, const ComposedMask& filters,
                                   int scale, const QString& path, const QByteArray& format,
                                   const QString& title) {
  if (!largeProgress_) largeProgress_ = makeLargePictureProgress(this, largeJob_);
  const LargePictureRequest request{picture, scale, filters, path, format};
  if (!largeJob_->start(request)) return;
  largeTitle_ = title;
  largeProgress_->setWindowTitle(title);
  largeProgress_->reset();
  largeProgress_->setValue(0);
  largeProgress_->show();
}

void MainWindow::onLargePictureFinished(bool /*written*/, const QString& error) {
  if (largeProgress_) largeProgress_->hide();
  if (!error.isEmpty()) dialogs_.warn(this, largeTitle_, error);
}

}  // namespace orbisk
