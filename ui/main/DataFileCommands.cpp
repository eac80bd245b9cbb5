#include "ui/main/DataFileCommands.h"

#include <QFile>
#include <QFileInfo>
#include <string>

#include "io/DataFileIo.h"
#include "io/RecordedPicture.h"
#include "ui/Dialogs.h"
#include "ui/editors/ViewDataForm.h"

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

}  // namespace

DataFileCommands::DataFileCommands(Session& session, Dialogs& dialogs, QWidget& window, Hooks hooks)
    : session_(session), dialogs_(dialogs), window_(window), hooks_(std::move(hooks)) {}

ViewDataForm* DataFileCommands::viewForm() const {
  return viewForm_;
}

void DataFileCommands::askToSave(std::optional<PictureParams> params) {
  dialogs_.saveFile(&window_, {kSaveTitle, kDataFilter, true}, [this, params](const QString& path) {
    if (path.isEmpty() || session_.isEnding()) return;
    // The chosen name is used as it is; no extension is added. The file is written beside the
    // old one and renamed over it, so a failure leaves an existing file whole (in place where the
    // folder refuses a new file or the file has several links).
    const std::string error = writeRecordFile(localPath(path), params.value_or(session_.params()));
    if (!error.empty()) dialogs_.warn(&window_, "Orbisk - Save data", messageText(error));
  });
}

void DataFileCommands::askToLoad() {
  dialogs_.openFile(&window_, {kOpenTitle, kDataOrPictureFilter, false},
                    [this](const QString& path) {
                      if (!path.isEmpty() && !session_.isEnding()) load(path);
                    });
}

void DataFileCommands::askToView() {
  dialogs_.openFile(&window_, {kOpenTitle, kDataOrPictureFilter, false},
                    [this](const QString& path) {
                      if (!path.isEmpty() && !session_.isEnding()) view(path);
                    });
}

bool DataFileCommands::load(const QString& path) {
  if (isPngFile(path)) {
    const RecordedPictureRead read = readRecordedPicture(path);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      dialogs_.warn(&window_, "Orbisk - Load data", read.error);
      return false;
    }
    hooks_.applyPicture(read.picture);
    return true;
  }
  const RecordFileResult read = readRecordFile(localPath(path));
  if (!read.ok) {
    // A file that is not a record would wipe the picture with zeros: it changes nothing.
    dialogs_.warn(&window_, "Orbisk - Load data", messageText(read.error));
    return false;
  }
  // A running render takes the new values from its next column on; loading starts none.
  hooks_.applyRecord(read.record);
  // Loaded, but the fields at the end that could not be read changed the picture.
  if (!read.note.empty()) dialogs_.inform(&window_, "Orbisk - Load data", messageText(read.note));
  return true;
}

void DataFileCommands::view(const QString& path) {
  DataRecord record;
  if (isPngFile(path)) {
    const RecordedPictureRead read = readRecordedPicture(path);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      dialogs_.warn(&window_, "Orbisk - View data", read.error);
      return;
    }
    record = parseRecord(formatRecord(read.picture.params), kViewedFields);
  } else {
    const RecordFileResult read = readRecordFile(localPath(path), kViewedFields);
    if (!read.ok) {
      // An open view window keeps showing the file it showed.
      dialogs_.warn(&window_, "Orbisk - View data", messageText(read.error));
      return;
    }
    record = read.record;
  }
  // OK discards the window; the next View data builds a fresh one with empty labels.
  if (!viewForm_) viewForm_ = new ViewDataForm(&window_);
  viewForm_->showRecord(record, QFileInfo(path).fileName());
  viewForm_->show();
  viewForm_->raise();
}

}  // namespace orbisk
