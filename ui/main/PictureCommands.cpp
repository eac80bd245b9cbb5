#include "ui/main/PictureCommands.h"

#include <QClipboard>
#include <QColor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include "io/PictureFile.h"
#include "io/RecordedPicture.h"
#include "model/FrameSize.h"
#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"

namespace orbisk {

namespace {

constexpr int kPngFilterEntry = 1;

// The frame a loaded picture of W x H pixels asks for (0: it keeps the frame). The checks run in
// this order: exactly the Thumbnail size, then anything that fits Regular while being larger
// than a thumbnail, then anything wider or taller than Regular.
int16_t frameForPicture(int width, int height) {
  const CanvasSize thumbnail = kThumbnailCanvas, regular = kRegularCanvas;
  if (width == thumbnail.width && height == thumbnail.height) return 2;
  if (width > thumbnail.width && height > thumbnail.height && width <= regular.width &&
      height <= regular.height)
    return 1;
  if (width > regular.width || height > regular.height) return 3;
  return 0;
}

}  // namespace

PictureCommands::PictureCommands(Session& session, Dialogs& dialogs, QWidget& window,
                                 std::function<void(int16_t)> fitFrame,
                                 std::function<void()> repaint)
    : session_(session),
      dialogs_(dialogs),
      window_(window),
      fitFrame_(std::move(fitFrame)),
      repaint_(std::move(repaint)) {}

QImage PictureCommands::imageOf(const RasterCanvas& canvas) {
  // The buffer holds 0xffRRGGBB rows, exactly the layout of Format_RGB32.
  return QImage(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                canvas.width() * 4, QImage::Format_RGB32);
}

QByteArray PictureCommands::formatFor(const QString& path, int filterIndex) {
  if (path.endsWith(".png", Qt::CaseInsensitive)) return "PNG";
  if (path.endsWith(".bmp", Qt::CaseInsensitive)) return "BMP";
  return filterIndex == kPngFilterEntry ? "PNG" : "BMP";
}

bool PictureCommands::isPictureFile(const QString& path) {
  if (QFileInfo(path).isFile()) return !QImageReader::imageFormat(path).isEmpty();
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "gif" ||
         suffix == "png";
}

void PictureCommands::askToLoad() {
  // Beside the four kinds to choose from (PNG too, which the program writes), one entry shows
  // every picture the command reads and one every file, so a picture saved without an
  // extension can be found again.
  const FileDialogRequest request{
      "Open",
      "(*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.gif)|*.gif|(*.png)|*.png|"
      "Pictures|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG|"
      "All files|*",
      false};
  dialogs_.openFile(&window_, request, [this](const QString& path) {
    if (!path.isEmpty()) load(path);
  });
}

bool PictureCommands::load(const QString& path) {
  // The format is told by the content, so a picture saved under the wrong extension still loads.
  // Only the part the largest canvas can show is decoded; the frame needs just the full size.
  const PictureRead read =
      readPictureFile(path, QSize(kMaximumCanvas.width, kMaximumCanvas.height));
  if (!read.ok) {
    // Nothing has been touched yet: the canvas, the frame and the undo copy stay as they were.
    dialogs_.warn(&window_, "Load picture", read.error);
    return false;
  }
  // The canvas takes the new frame's size before the picture goes on, so a picture that is
  // larger than the old frame is not cut to it.
  if (const int16_t frame = frameForPicture(read.fullSize.width(), read.fullSize.height()))
    fitFrame_(frame);
  show(read.image);
  // Taken at the new size, so that "Undo filter(s)" brings back the whole loaded picture.
  session_.takeUndoCopy();
  return true;
}

void PictureCommands::show(const QImage& picture) {
  RasterCanvas& canvas = session_.canvas();
  // Only the part the canvas can hold is kept; the rest would be cut off anyway.
  const QSize kept = picture.size().boundedTo(QSize(canvas.width(), canvas.height()));
  QImage shown;
  if (kept.isEmpty()) {
    canvas.setPicture(nullptr, 0, 0, 0);
  } else if (picture.hasAlphaChannel()) {
    // Transparent parts show the canvas's background colour, as under any background picture.
    const uint32_t background = canvas.backgroundColour();
    shown = QImage(kept, QImage::Format_RGB32);
    shown.fill(QColor(static_cast<int>(background & 0xffu),
                      static_cast<int>((background >> 8) & 0xffu),
                      static_cast<int>((background >> 16) & 0xffu)));
    QPainter painter(&shown);
    painter.drawImage(QPoint(0, 0), picture, QRect(QPoint(0, 0), kept));
  } else {
    shown = picture.copy(QRect(QPoint(0, 0), kept)).convertToFormat(QImage::Format_RGB32);
  }
  if (!shown.isNull()) {
    canvas.setPicture(reinterpret_cast<const uint32_t*>(shown.constBits()), shown.width(),
                      shown.height(), static_cast<int>(shown.bytesPerLine() / 4));
  }
  repaint_();
}

void PictureCommands::askToSave() {
  const FileDialogRequest request{"Save picture as...", kSaveFilter, true};
  dialogs_.saveFileWithFilter(&window_, request, [this](const QString& path, int filterIndex) {
    if (!path.isEmpty()) save(path, filterIndex);
  });
}

void PictureCommands::save(const QString& path, int filterIndex) {
  // The canvas at its current size; 24 bits per pixel keep every colour it can hold. A PNG
  // carries the record that drew the picture, but only while the canvas shows exactly that run:
  // after a filter, a paste or anything else the record would lie.
  std::optional<DrawnPicture> drawn;
  if (session_.canvasIsExactRun()) drawn = session_.lastRun();
  // The picture is complete in memory before the file is touched; an existing file is replaced
  // whole or, where it cannot be replaced, overwritten in place, keeping its permission bits.
  const QString problem =
      writeRecordedPicture(path, imageOf(session_.canvas()), formatFor(path, filterIndex), drawn);
  if (!problem.isEmpty()) dialogs_.warn(&window_, "Save picture as...", problem);
}

void PictureCommands::copy() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  // A copy, so the clipboard keeps the picture as it is now while renders draw on.
  clipboard->setImage(imageOf(session_.canvas()).copy());
}

void PictureCommands::paste() {
  // The pasted picture replaces the background only; the frame and the undo copy stay.
  const QImage picture = QGuiApplication::clipboard()->image();
  if (!picture.isNull()) show(picture);
}

}  // namespace orbisk
