// The data-file commands: "Save data as...", "Load data" and "View data".
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <string>

#include "io/RecordedPicture.h"
#include "model/ControlRanges.h"
#include "model/DataFile.h"
#include "ui/Dialogs.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/ViewDataForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

// The data files first, then every file, so one saved without an extension can be found again.
const char* const kDataFilter = "(*.dat)|*.dat|Data files|*.dat;*.DAT|All files|*";
// Load data and View data also read the record a PNG of ours carries.
const char* const kDataOrPictureFilter =
    "(*.dat)|*.dat|(*.png)|*.png|Data files and pictures|*.dat;*.DAT;*.png;*.PNG|All files|*";
const char* const kSaveTitle = "Save datafile as...";
const char* const kOpenTitle = "Open datafile";
// View data shows the first fields only; the shape settings after them are not shown.
constexpr int kViewedFields = 28;

// The file name as the operating system spells it.
std::string localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString messageText(const std::string& message) {
  return QString::fromLocal8Bit(message.data(), static_cast<qsizetype>(message.size()));
}

// The menu item that shows a Length or Width multiplier, or nullptr for any other value.
const char* multiplierItem(int16_t value, const char* one, const char* three, const char* five,
                           const char* ten) {
  switch (value) {
    case 1:
      return one;
    case 3:
      return three;
    case 5:
      return five;
    case 10:
      return ten;
    default:
      return nullptr;
  }
}

}  // namespace

void MainWindow::onSaveData() {
  dialogs_.saveFile(this, {kSaveTitle, kDataFilter, true}, [this](const QString& path) {
    if (path.isEmpty() || exiting_) return;
    // The chosen name is used as it is; no extension is added. The file is written beside the
    // old one and renamed over it, so a failure leaves an existing file whole (in place where the
    // folder refuses a new file or the file has several links).
    const std::string error = writeRecordFile(localPath(path), params_);
    if (!error.empty()) dialogs_.warn(this, "Orbisk - Save data", messageText(error));
  });
}

void MainWindow::saveDataAs(const PictureParams& params) {
  dialogs_.saveFile(this, {kSaveTitle, kDataFilter, true}, [this, params](const QString& path) {
    if (path.isEmpty() || exiting_) return;
    const std::string error = writeRecordFile(localPath(path), params);
    if (!error.empty()) dialogs_.warn(this, "Orbisk - Save data", messageText(error));
  });
}

void MainWindow::onLoadData() {
  dialogs_.openFile(this, {kOpenTitle, kDataOrPictureFilter, false}, [this](const QString& path) {
    if (path.isEmpty() || exiting_) return;
    loadData(path);
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
  alignWindowWithLoadedRecord();
  // Loaded, but the fields at the end that could not be read changed the picture.
  if (!read.note.empty()) dialogs_.inform(this, "Orbisk - Load data", messageText(read.note));
  return true;
}

void MainWindow::applyDrawnPicture(const DrawnPicture& picture) {
  // The record goes through the same steps as a data file's; the reader has made sure it is
  // exactly what "Save data as..." writes, so every control takes its value.
  applyLoadedRecord(parseRecord(formatRecord(picture.params)));
  alignWindowWithLoadedRecord();
  setDetail(picture.detailstep);
  // A running traversal keeps its own working values; the picture's take over when it ends.
  if (isRendering()) {
    pendingState_ = picture.startState;
  } else {
    state_ = picture.startState;
  }
  // The picture was drawn on a canvas of its background colour; a different colour wipes the
  // canvas as Background does.
  if (canvas_.backgroundColour() != (picture.background & 0xffffffu)) {
    canvas_.setBackgroundColour(picture.background);
    view_->canvasWidget()->update();
  }
}

void MainWindow::setDetail(int16_t detailstep) {
  if (detailstep != 1 && detailstep != 4) return;
  params_.detailstep = detailstep;
  canvas_.setPenWidth(detailstep == 4 ? 4 : 1);
  action(detailstep == 4 ? "detaillow" : "detailhigh")->setChecked(true);
}

void MainWindow::applyLoadedRecord(const DataRecord& r) {
  // The controls are set in the load order, each through its own change handling, so labels,
  // previews and the record follow. A control refuses a value outside its range and keeps its
  // position, and with it the value it holds.
  originForm_->setControl(Control::hsbsize, r[1]);
  originForm_->setControl(Control::hsbcat, r[2]);
  originForm_->setControl(Control::hsbgalaxy, r[3]);
  originForm_->setControl(Control::hsbeffect, r[5]);
  originForm_->setControl(Control::listv1a, r[6]);
  originForm_->setControl(Control::listv1b, r[7]);
  originForm_->setControl(Control::hsbtype, r[8]);
  originForm_->setControl(Control::hsblevel, r[9]);
  originForm_->setControl(Control::hsbworld, r[10]);
  originForm_->setControl(Control::hsbsolarsystem, r[11]);
  originForm_->setControl(Control::hsblab, r[12]);
  originForm_->setControl(Control::hsbv2, r[15]);
  originForm_->setControl(Control::hsbv3, r[16]);
  originForm_->setControl(Control::hsbv4, r[17]);
  xrayForm_->setControl(Control::hsbxray, r[19]);
  xrayForm_->setControl(Control::kl1ad, r[23]);
  xrayForm_->setControl(Control::kl2ad, r[24]);
  xrayForm_->setControl(Control::kl3ad, r[25]);
  driedForm_->setControl(Control::glij, r[29]);
  driedForm_->setControl(Control::hoogte, r[30]);
  driedForm_->setControl(Control::hsbvertical, r[31]);
  driedForm_->setControl(Control::hsbhorizon, r[32]);
  driedForm_->setControl(Control::hsbimage, r[20]);

  // The fields stored directly take the values as read, even where their control refused them;
  // the control-held fields come out as the controls above left them.
  applyRecord(r, params_);
}

void MainWindow::alignWindowWithLoadedRecord() {
  // Every step leaves its marks alone for a value it has no meaning for.
  setPenModeAndChecks(params_.inverse);

  originForm_->setControl(Control::listv1a, params_.func1);
  originForm_->setControl(Control::listv1b, params_.func2);

  if (params_.direction == 1 || params_.direction == 2) {
    action("inward")->setChecked(params_.direction == 1);
    action("outward")->setChecked(params_.direction == 2);
  }

  // Unlike the Frame commands, a loaded frame keeps the size, the progress bar and the scroll
  // positions.
  if (params_.framesize == 1 || params_.framesize == 2) {
    const bool regular = params_.framesize == 1;
    menu("scrolls")->menuAction()->setEnabled(false);
    view_->setScrollBarsVisible(false);
    setFrameChecks(regular ? "maximum" : "thumbnail");
    setScrollChecks(false);
    view_->setCanvasGeometry(0, 0, regular ? kRegularWidth : kThumbnailWidth,
                             regular ? kRegularHeight : kThumbnailHeight);
  } else if (params_.framesize == 3) {
    menu("scrolls")->menuAction()->setEnabled(true);
    view_->setScrollBarsVisible(true);
    setScrollChecks(true);
    view_->setCanvasGeometry(-view_->horizontalBar()->value(), -view_->verticalBar()->value(),
                             kMaximumWidth, kMaximumHeight);
    setFrameChecks("supermaximum");
  }

  if (const char* item =
          multiplierItem(params_.borderlen, "noborder", "threeborder", "fiveborder", "yesborder"))
    action(item)->setChecked(true);
  if (const char* item =
          multiplierItem(params_.widthfac, "boryeen", "borydrie", "boryvijf", "borytien"))
    action(item)->setChecked(true);
}

void MainWindow::onViewData() {
  dialogs_.openFile(this, {kOpenTitle, kDataOrPictureFilter, false}, [this](const QString& path) {
    if (path.isEmpty() || exiting_) return;
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
  });
}

}  // namespace orbisk
