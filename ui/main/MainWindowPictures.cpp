// Picture files and the clipboard: "Load picture", "Save picture as...", Copy and Paste.
#include <QClipboard>
#include <QColor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>

#include "io/PictureFile.h"
#include "io/RecordedPicture.h"
#include "ui/Dialogs.h"
#include "ui/main/CanvasView.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

enum class PictureFrame { Thumbnail, Regular, Maximum, Unchanged };

// The frame a loaded picture of W x H pixels asks for. The checks run in this order: exactly the
// Thumbnail size, then anything that fits Regular while being larger than a thumbnail, then
// anything wider or taller than Regular; a small picture keeps the frame.
PictureFrame frameForPicture(int width, int height) {
  if (width == MainWindow::kThumbnailWidth && height == MainWindow::kThumbnailHeight)
    return PictureFrame::Thumbnail;
  if (width > MainWindow::kThumbnailWidth && height > MainWindow::kThumbnailHeight &&
      width <= MainWindow::kRegularWidth && height <= MainWindow::kRegularHeight)
    return PictureFrame::Regular;
  if (width > MainWindow::kRegularWidth || height > MainWindow::kRegularHeight)
    return PictureFrame::Maximum;
  return PictureFrame::Unchanged;
}

// The save dialog's entries: BMP first and preselected, then PNG.
const char* const kSavePictureFilter =
    "(*.bmp)|*.bmp|(*.png)|*.png|Pictures|*.bmp;*.BMP;*.png;*.PNG|All files|*";
constexpr int kPngFilterEntry = 1;

// The name decides where it says .png or .bmp; otherwise the dialog's selected entry does.
QByteArray pictureFormatFor(const QString& path, int filterIndex) {
  if (path.endsWith(".png", Qt::CaseInsensitive)) return "PNG";
  if (path.endsWith(".bmp", Qt::CaseInsensitive)) return "BMP";
  return filterIndex == kPngFilterEntry ? "PNG" : "BMP";
}

// A file the desktop hands over is a picture when its content says so or, for one that cannot
// be looked into, when its name does.
bool isPictureFile(const QString& path) {
  if (QFileInfo(path).isFile()) return !QImageReader::imageFormat(path).isEmpty();
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "gif" ||
         suffix == "png";
}

}  // namespace

void MainWindow::onLoadPicture() {
  // Beside the three kinds to choose from, one entry shows every picture the command reads and
  // one every file, so a picture saved without an extension can be found again.
  const FileDialogRequest request{"Open",
                                  "(*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.gif)|*.gif|"
                                  "Pictures|*.bmp;*.jpg;*.jpeg;*.gif;*.BMP;*.JPG;*.JPEG;*.GIF|"
                                  "All files|*",
                                  false};
  dialogs_.openFile(this, request, [this](const QString& path) {
    if (!path.isEmpty()) loadPicture(path);
  });
}

bool MainWindow::loadPicture(const QString& path) {
  // The format is told by the content, so a picture saved under the wrong extension still loads.
  // Only the part the largest canvas can show is decoded; the frame needs just the full size.
  const PictureRead read = readPictureFile(path, QSize(kMaximumWidth, kMaximumHeight));
  if (!read.ok) {
    // Nothing has been touched yet: the canvas, the frame and the undo copy stay as they were.
    dialogs_.warn(this, "Load picture", read.error);
    return false;
  }
  // The canvas takes the new frame's size before the picture goes on, so a picture that is
  // larger than the old frame is not cut to it.
  fitFrameToPicture(read.fullSize.width(), read.fullSize.height());
  showPicture(read.image);
  // Taken at the new size, so that "Undo filter(s)" brings back the whole loaded picture.
  takeUndoCopy();
  return true;
}

void MainWindow::fitFrameToPicture(int width, int height) {
  // Unlike the Frame commands these switches leave the Scrollbars submenu, the progress bar,
  // the size and the scroll bar values alone. A Maximum canvas goes to (0, 0) whatever the bars
  // show, and catches up with them at their next change.
  switch (frameForPicture(width, height)) {
    case PictureFrame::Thumbnail:
      view_->setScrollBarsVisible(false);
      view_->setCanvasGeometry(0, 0, kThumbnailWidth, kThumbnailHeight);
      setFrameChecks("thumbnail");
      params_.framesize = 2;
      break;
    case PictureFrame::Regular:
      view_->setScrollBarsVisible(false);
      view_->setCanvasGeometry(0, 0, kRegularWidth, kRegularHeight);
      setFrameChecks("maximum");
      params_.framesize = 1;
      break;
    case PictureFrame::Maximum:
      view_->setScrollBarsVisible(true);
      view_->setCanvasGeometry(0, 0, kMaximumWidth, kMaximumHeight);
      setFrameChecks("supermaximum");
      params_.framesize = 3;
      break;
    case PictureFrame::Unchanged:
      break;
  }
}

void MainWindow::showPicture(const QImage& picture) {
  // Only the part the canvas can hold is kept; the rest would be cut off anyway.
  const QSize kept = picture.size().boundedTo(QSize(canvas_.width(), canvas_.height()));
  if (kept.isEmpty()) {
    canvas_.setPicture(nullptr, 0, 0, 0);
    view_->canvasWidget()->update();
    return;
  }
  QImage shown;
  if (picture.hasAlphaChannel()) {
    // Transparent parts show the canvas's background colour, as under any background picture.
    const uint32_t background = canvas_.backgroundColour();
    shown = QImage(kept, QImage::Format_RGB32);
    shown.fill(QColor(static_cast<int>(background & 0xffu),
                      static_cast<int>((background >> 8) & 0xffu),
                      static_cast<int>((background >> 16) & 0xffu)));
    QPainter painter(&shown);
    painter.drawImage(QPoint(0, 0), picture, QRect(QPoint(0, 0), kept));
  } else {
    shown = picture.copy(QRect(QPoint(0, 0), kept)).convertToFormat(QImage::Format_RGB32);
  }
  canvas_.setPicture(reinterpret_cast<const uint32_t*>(shown.constBits()), shown.width(),
                     shown.height(), static_cast<int>(shown.bytesPerLine() / 4));
  view_->canvasWidget()->update();
}

void MainWindow::onSavePicture() {
  const FileDialogRequest request{"Save picture as...", kSavePictureFilter, true};
  dialogs_.saveFileWithFilter(this, request, [this](const QString& path, int filterIndex) {
    if (!path.isEmpty()) savePicture(path, filterIndex);
  });
}

void MainWindow::savePicture(const QString& path, int filterIndex) {
  // The canvas at its current size, whatever part the view shows; 24 bits per pixel keep every
  // colour the canvas can hold. The name is used as given: no extension is added.
  // A PNG carries the record that drew the picture, but only while the canvas shows exactly
  // that run: after a filter, a paste or anything else the record would lie.
  std::optional<DrawnPicture> drawn;
  if (canvasIsExactRun()) drawn = lastRun();
  // The picture is complete in memory before the file is touched; an existing file is replaced
  // whole or, where it cannot be replaced, overwritten in place, keeping its permission bits.
  const QString problem = writeRecordedPicture(path, view_->canvasWidget()->image(),
                                               pictureFormatFor(path, filterIndex), drawn);
  if (!problem.isEmpty()) dialogs_.warn(this, "Save picture as...", problem);
}

void MainWindow::savePictureOf(const DrawnPicture& picture) {
  const FileDialogRequest request{"Save picture as...", kSavePictureFilter, true};
  dialogs_.saveFileWithFilter(this, request, [this, picture](const QString& path, int filterIndex) {
    if (path.isEmpty() || exiting_) return;
    if (largeJob_->isRunning()) {
      dialogs_.inform(this, "Save picture as...",
                      "A large picture is still being drawn. Wait for it, or cancel it first.");
      return;
    }
    // Drawn again exactly, at the size it was made, on the worker of large pictures: the window
    // stays usable however long the picture takes.
    DrawnPicture exact = picture;
    exact.scale = 1;
    startLargePicture(exact, {}, 1, path, pictureFormatFor(path, filterIndex),
                      "Save picture as...");
  });
}

void MainWindow::openFile(const QString& path) {
  if (exiting_ || path.isEmpty()) return;
  // A file opened before the first CREATE opens the menus as the first run does.
  const auto loadAndCreate = [this](const QString& file) {
    if (!loadData(file)) return;
    enableMenusForGood();
    // A traversal going on is stopped; the new one starts once it has ended.
    if (isRendering()) onStop();
    startRun(Run::Create);
  };
  if (isPngFile(path)) {
    const RecordedPictureRead read = readRecordedPicture(path);
    if (read.outcome == RecordedPictureRead::Outcome::Recorded ||
        read.outcome == RecordedPictureRead::Outcome::Damaged) {
      loadAndCreate(path);  // a damaged record gets Load data's message
      return;
    }
  } else if (!isPictureFile(path)) {
    loadAndCreate(path);
    return;
  }
  if (loadPicture(path)) enableMenusForGood();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  // Message boxes open without blocking, so the drop ends at once whatever the file holds.
  openFile(urls.first().toLocalFile());
}

void MainWindow::onCopy() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  // A copy, so the clipboard keeps the picture as it is now while renders draw on.
  clipboard->setImage(view_->canvasWidget()->image().copy());
}

void MainWindow::onPaste() {
  // The pasted picture replaces the background only; the frame and the undo copy stay.
  const QImage picture = QGuiApplication::clipboard()->image();
  if (picture.isNull()) return;  // no picture on the clipboard: nothing changes
  showPicture(picture);
}

}  // namespace orbisk
