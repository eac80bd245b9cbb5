// "Save large picture...": the parameters that drew the canvas's picture, drawn again 2 to 8
// times larger on a worker thread and written to a PNG or BMP file; and the bookkeeping of what
// drew the canvas's picture.
#include <QProgressDialog>
#include <array>

#include "model/FrameSize.h"
#include "ui/Dialogs.h"
#include "ui/main/CanvasView.h"
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
  if (recorder_.showsStoppedRun(shown, filtersSinceDrawn_)) {
    dialogs_.inform(this, kTitle,
                    "The picture on the canvas is incomplete: its run was stopped. Draw it whole "
                    "with CREATE first.");
    return;
  }
  const std::optional<DrawnPicture> drawn = lastRun();
  if (!drawn || !recorder_.showsExactRunFiltered(shown, filtersSinceDrawn_)) {
    dialogs_.inform(this, kTitle,
                    "The canvas holds no picture drawn from parameters (a loaded or pasted "
                    "picture, or none drawn yet). Draw one with CREATE first.");
    return;
  }
  // Taken now: the canvas may change while the dialogs are open.
  const DrawnPicture picture = *drawn;
  const CanvasSize size = frameCanvasSize(picture.params.framesize);
  const ComposedMask filters = filtersSinceDrawn_;
  QStringList choices;
  for (int scale : kScales) {
    choices << QString("%1 times: %2 x %3 pixels")
                   .arg(scale)
                   .arg(size.width * scale)
                   .arg(size.height * scale);
  }
  dialogs_.chooseItem(
      this, kTitle, "Size of the picture:", choices, [this, picture, filters](int index) {
        if (index < 0 || index >= static_cast<int>(kScales.size())) return;
        const int scale = kScales[static_cast<std::size_t>(index)];
        const FileDialogRequest request{kTitle, "PNG picture|*.png|Bitmap|*.bmp", true};
        dialogs_.saveFile(this, request, [this, picture, filters, scale](const QString& path) {
          // The name decides the format; anything but ".bmp" is written as PNG, the first choice.
          if (!path.isEmpty())
            startLargePicture(picture, filters, scale, path,
                              endsWithBmp(path) ? QByteArray("BMP") : QByteArray("PNG"), kTitle);
        });
      });
}

void MainWindow::startLargePicture(const DrawnPicture& picture, const ComposedMask& filters,
                                   int scale, const QString& path, const QByteArray& format,
                                   const QString& title) {
  if (!largeProgress_) {
    largeProgress_ = new QProgressDialog("Drawing the large picture...", "Cancel", 0, 100, this);
    largeProgress_->setObjectName("largeprogress");
    largeProgress_->setWindowModality(Qt::NonModal);  // the window stays usable
    largeProgress_->setAutoClose(false);
    largeProgress_->setAutoReset(false);
    largeProgress_->setMinimumDuration(0);
    connect(largeJob_, &LargePictureJob::progressed, largeProgress_, &QProgressDialog::setValue);
    connect(largeProgress_, &QProgressDialog::canceled, largeJob_, &LargePictureJob::cancel);
  }
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
