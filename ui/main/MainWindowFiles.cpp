// The File, Edit and Colours menus: data files, picture files, the clipboard, dropped files, the
// filters and the background colour.
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "io/RecordedPicture.h"
#include "ui/Dialogs.h"
#include "ui/editors/RecordEditors.h"
#include "ui/main/Filters.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuBar.h"

namespace orbisk {

void MainWindow::connectFileMenus() {
  menus_->onCommand("opendatafile", [this] { dataFiles_.askToLoad(); });
  menus_->onCommand("savedatafile", [this] { dataFiles_.askToSave(std::nullopt); });
  menus_->onCommand("viewdata", [this] { dataFiles_.askToView(); });
  menus_->onCommand("fileopen", [this] { pictures_.askToLoad(); });
  menus_->onCommand("saveas", [this] { pictures_.askToSave(); });
  menus_->onCommand("copyit", [this] { pictures_.copy(); });
  menus_->onCommand("pasteit", [this] { pictures_.paste(); });
  menus_->onFilter([this](int index) {
    if (const Filter* filter = filterAt(index)) session_.applyFilter(filter->op, filter->mask);
    repaint();
  });
  menus_->onCommand("background", [this] {
    // The picker opens at the colour the canvas has now, so "OK" alone keeps it.
    const uint32_t now = session_.canvas().backgroundColour();
    const QColor initial(static_cast<int>(now & 0xff), static_cast<int>((now >> 8) & 0xff),
                         static_cast<int>((now >> 16) & 0xff));
    dialogs_.chooseColour(this, initial, [this](std::optional<QColor> chosen) {
      if (!chosen || !chosen->isValid()) return;  // cancelled: nothing changes
      const QColor colour = chosen->toRgb();
      // The canvas becomes a plain field of the colour; the undo copy keeps what it held.
      session_.canvas().setBackgroundColour(static_cast<uint32_t>(colour.red()) |
                                            (static_cast<uint32_t>(colour.green()) << 8) |
                                            (static_cast<uint32_t>(colour.blue()) << 16));
      repaint();
    });
  });
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
  editors_->setControls(record);
  session_.applyLoadedRecord(record);
  // The menus show the loaded settings; each leaves its marks alone for a value it has no
  // meaning for. Unlike the Frame commands, a loaded frame keeps the size, the progress bar and
  // the scroll positions.
  const PictureParams& params = session_.params();
  for (const FieldEntry& entry : recordFields()) {
    if (!entry.control && entry.position > 0)
      menus_->showSetting(entry.field, params.*entry.member);
  }
  if (params.framesize >= 1 && params.framesize <= 3)
    showFrame(params.framesize, CanvasView::FrameChange::Loaded);
}

void MainWindow::savePictureOf(const DrawnPicture& picture) {
  const FileDialogRequest request{"Save picture as...", PictureCommands::kSaveFilter, true};
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
    startLargePicture(exact, {}, 1, path, PictureCommands::formatFor(path, filterIndex),
                      "Save picture as...");
  });
}

void MainWindow::openFile(const QString& path) {
  if (session_.isEnding() || path.isEmpty()) return;
  // A file opened before the first CREATE opens the menus as the first run does.
  const auto loadAndCreate = [this](const QString& file) {
    if (!dataFiles_.load(file)) return;
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
  } else if (!PictureCommands::isPictureFile(path)) {
    loadAndCreate(path);
    return;
  }
  if (pictures_.load(path)) menus_->enableForGood();
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

}  // namespace orbisk
