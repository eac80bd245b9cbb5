// The File, Edit and Colours menus: data files, picture files, the clipboard, dropped files, the
// filters and the background colour.
#include <QClipboard>
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <string>

#include "io/DataFileIo.h"
#include "io/PictureFile.h"
#include "io/RecordedPicture.h"
#include "model/FrameSize.h"
#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/ViewDataForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/Filters.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuBar.h"

namespace orbisk {

namespace {

// The data files first, then every file, so one saved without an extension can be found again.
const char* const kDataFilter = "(*.dat)|*.dat|Data files|*.dat;*.DAT|All files|*";
// Load data and View data also read the record a PNG of ours carries.
const char* const kDataOrPictureFilter =
    "(*.dat)|*.dat|(*.png)|*.png|Data files and pictures|*.dat;*.DAT;*.png;*.PNG|All files|*";
const char* const kSaveDataTitle = "Save datafile as...";
const char* const kOpenDataTitle = "Open datafile";
// View data shows the first fields only; the shape settings after them are not shown.
constexpr int kViewedFields = 28;
// The save dialog's entries: BMP first and preselected, then PNG.
const char* const kSavePictureFilter =
    "(*.bmp)|*.bmp|(*.png)|*.png|Pictures|*.bmp;*.BMP;*.png;*.PNG|All files|*";
constexpr int kPngFilterEntry = 1;

// The file name as the operating system spells it.
std::string localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString messageText(const std::string& message) {
  return QString::fromLocal8Bit(message.data(), static_cast<qsizetype>(message.size()));
}

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

void MainWindow::connectFileMenus() {
  menus_->onCommand("opendatafile", [this] {
    dialogs_.openFile(this, {kOpenDataTitle, kDataOrPictureFilter, false},
                      [this](const QString& path) {
                        if (!path.isEmpty() && !session_.isEnding()) loadData(path);
                      });
  });
  menus_->onCommand("viewdata", [this] {
    dialogs_.openFile(this, {kOpenDataTitle, kDataOrPictureFilter, false},
                      [this](const QString& path) {
                        if (!path.isEmpty() && !session_.isEnding()) viewData(path);
                      });
  });
  menus_->onCommand("fileopen", [this] {
    // Beside the three kinds to choose from, one entry shows every picture the command reads
    // and one every file, so a picture saved without an extension can be found again.
    const FileDialogRequest request{"Open",
                                    "(*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.gif)|*.gif|"
                                    "Pictures|*.bmp;*.jpg;*.jpeg;*.gif;*.BMP;*.JPG;*.JPEG;*.GIF|"
                                    "All files|*",
                                    false};
    dialogs_.openFile(this, request, [this](const QString& path) {
      if (!path.isEmpty()) loadPicture(path);
    });
  });
  menus_->onCommand("saveas", [this] {
    const FileDialogRequest request{"Save picture as...", kSavePictureFilter, true};
    dialogs_.saveFileWithFilter(this, request, [this](const QString& path, int filterIndex) {
      if (!path.isEmpty()) savePicture(path, filterIndex);
    });
  });
  menus_->onCommand("copyit", [this] {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // A copy, so the clipboard keeps the picture as it is now while renders draw on.
    clipboard->setImage(view_->canvasWidget()->image().copy());
  });
  menus_->onCommand("pasteit", [this] {
    // The pasted picture replaces the background only; the frame and the undo copy stay.
    const QImage picture = QGuiApplication::clipboard()->image();
    if (!picture.isNull()) showPicture(picture);
  });
}

// ---------------------------------------------------------------------------------------------
// Data files

void MainWindow::saveDataAs(std::optional<PictureParams> params) {
  dialogs_.saveFile(this, {kSaveDataTitle, kDataFilter, true}, [this, params](const QString& path) {
    if (path.isEmpty() || session_.isEnding()) return;
    // The chosen name is used as it is; no extension is added. The file is written beside the
    // old one and renamed over it, so a failure leaves an existing file whole.
    const std::string error = writeRecordFile(localPath(path), params.value_or(session_.params()));
    if (!error.empty()) dialogs_.warn(this, "Orbisk - Save data", messageText(error));
  });
}

bool MainWindow::loadData(const QString& path) {
  if (isPngFile(path)) {
    const RecordedPictureRead read = readRecordedPicture(path);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      dialogs_.warn(this, "Orbisk - Load data", read.error);
      return false;
    }
    applyDrawnPicture(read.picture);
    return true;
  }
  const RecordFileResult read = readRecordFile(localPath(path));
  if (!read.ok) {
    // A file that is not a record would wipe the picture with zeros: it changes nothing.
    dialogs_.warn(this, "Orbisk - Load data", messageText(read.error));
    return false;
  }
  // A running render takes the new values from its next column on; loading starts none.
  applyLoadedRecord(read.record);
  // Loaded, but the fields at the end that could not be read changed the picture.
  if (!read.note.empty()) dialogs_.inform(this, "Orbisk - Load data", messageText(read.note));
  return true;
}

void MainWindow::applyDrawnPicture(const DrawnPicture& picture) {
  // The record goes through the same steps as a data file's; the reader has made sure it is
  // exactly what "Save data as..." writes, so every control takes its value.
  applyLoadedRecord(parseRecord(formatRecord(picture.params)));
  if (session_.takeDrawnPicture(picture)) repaint();
  menus_->showSetting(Field::detailstep, session_.params().detailstep);
}

void MainWindow::applyLoadedRecord(const DataRecord& record) {
  // The controls are set in the load order, each through its own change handling, so labels,
  // previews and the record follow. A control refuses a value outside its range and keeps its
  // position, and with it the value it holds.
  for (const FieldSpec& spec : recordFields()) {
    if (!spec.control || spec.loading == Loading::NotInTheFile) continue;
    for (EditorWindow* editor :
         std::initializer_list<EditorWindow*>{originForm_, xrayForm_, driedForm_}) {
      if (editor->setControl(*spec.control, record[spec.position])) break;
    }
  }
  // The fields stored directly take the values as read, even where their control refused them.
  PictureParams& params = session_.params();
  applyRecord(record, params);

  // The menus show the loaded settings; each leaves its marks alone for a value it has no
  // meaning for. Unlike the Frame commands, a loaded frame keeps the size, the progress bar and
  // the scroll positions.
  session_.setPenMode(params.inverse);
  for (const FieldSpec& spec : recordFields()) {
    if (!spec.control && spec.position > 0) menus_->showSetting(spec.field, params.*spec.member);
  }
  if (params.framesize >= 1 && params.framesize <= 3)
    showFrame(params.framesize, FrameChange::Loaded);
}

void MainWindow::viewData(const QString& path) {
  DataRecord record;
  if (isPngFile(path)) {
    const RecordedPictureRead read = readRecordedPicture(path);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      dialogs_.warn(this, "Orbisk - View data", read.error);
      return;
    }
    record = parseRecord(formatRecord(read.picture.params), kViewedFields);
  } else {
    const RecordFileResult read = readRecordFile(localPath(path), kViewedFields);
    if (!read.ok) {
      // An open view window keeps showing the file it showed.
      dialogs_.warn(this, "Orbisk - View data", messageText(read.error));
      return;
    }
    record = read.record;
  }
  // OK discards the window; the next View data builds a fresh one with empty labels.
  if (!viewDataForm_) viewDataForm_ = new ViewDataForm(this);
  viewDataForm_->showRecord(record, QFileInfo(path).fileName());
  viewDataForm_->show();
  viewDataForm_->raise();
}

// ---------------------------------------------------------------------------------------------
// Picture files

bool MainWindow::loadPicture(const QString& path) {
  // The format is told by the content, so a picture saved under the wrong extension still loads.
  // Only the part the largest canvas can show is decoded; the frame needs just the full size.
  const PictureRead read =
      readPictureFile(path, QSize(kMaximumCanvas.width, kMaximumCanvas.height));
  if (!read.ok) {
    // Nothing has been touched yet: the canvas, the frame and the undo copy stay as they were.
    dialogs_.warn(this, "Load picture", read.error);
    return false;
  }
  // The canvas takes the new frame's size before the picture goes on, so a picture that is
  // larger than the old frame is not cut to it.
  if (const int16_t frame = frameForPicture(read.fullSize.width(), read.fullSize.height()))
    showFrame(frame, FrameChange::Picture);
  showPicture(read.image);
  // Taken at the new size, so that "Undo filter(s)" brings back the whole loaded picture.
  session_.takeUndoCopy();
  return true;
}

void MainWindow::showPicture(const QImage& picture) {
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
  repaint();
}

void MainWindow::savePicture(const QString& path, int filterIndex) {
  // The canvas at its current size; 24 bits per pixel keep every colour it can hold. A PNG
  // carries the record that drew the picture, but only while the canvas shows exactly that run:
  // after a filter, a paste or anything else the record would lie.
  QMap<QString, QString> texts;
  if (canvasIsExactRun())
    texts.insert(kPictureRecordKey, QString::fromStdString(formatPictureRecord(*lastRun())));
  // The picture is complete in memory before the file is touched; an existing file is replaced
  // whole or, where it cannot be replaced, overwritten in place, keeping its permission bits.
  const QString problem = writePictureFile(path, view_->canvasWidget()->image(),
                                           pictureFormatFor(path, filterIndex), texts);
  if (!problem.isEmpty()) dialogs_.warn(this, "Save picture as...", problem);
}

void MainWindow::savePictureOf(const DrawnPicture& picture) {
  const FileDialogRequest request{"Save picture as...", kSavePictureFilter, true};
  dialogs_.saveFileWithFilter(this, request, [this, picture](const QString& path, int filterIndex) {
    if (path.isEmpty() || session_.isEnding()) return;
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
  if (session_.isEnding() || path.isEmpty()) return;
  // A file opened before the first CREATE opens the menus as the first run does.
  const auto loadAndCreate = [this](const QString& file) {
    if (!loadData(file)) return;
    menus_->enableForGood();
    // A traversal going on is stopped; the new one starts once it has ended.
    if (isRendering()) stop();
    startRun(RunKind::Create);
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
  if (loadPicture(path)) menus_->enableForGood();
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

// ---------------------------------------------------------------------------------------------
// Colours

void MainWindow::applyFilter(int index) {
  if (const Filter* filter = filterAt(index)) {
    session_.applyFilter(filter->op, filter->mask);
    repaint();
  }
}

void MainWindow::onBackground() {
  // The picker opens at the colour the canvas has now, so "OK" alone keeps it.
  const uint32_t current = session_.canvas().backgroundColour();
  const QColor initial(static_cast<int>(current & 0xff), static_cast<int>((current >> 8) & 0xff),
                       static_cast<int>((current >> 16) & 0xff));
  dialogs_.chooseColour(this, initial, [this](std::optional<QColor> chosen) {
    if (!chosen || !chosen->isValid()) return;  // cancelled: nothing changes
    const QColor colour = chosen->toRgb();
    // The canvas becomes a plain field of the colour; the undo copy keeps what it held.
    session_.canvas().setBackgroundColour(static_cast<uint32_t>(colour.red()) |
                                          (static_cast<uint32_t>(colour.green()) << 8) |
                                          (static_cast<uint32_t>(colour.blue()) << 16));
    repaint();
  });
}

}  // namespace orbisk
