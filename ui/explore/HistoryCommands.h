// The history of pictures drawn as the main window uses it: every complete run adds an entry;
// the history window, Back and Forward bring entries back.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "io/HistoryStore.h"
#include "session/Session.h"

class QImage;
class QThread;
class QWidget;

namespace orbisk {

class Dialogs;
class HistoryForm;

class HistoryCommands : public QObject {
  Q_OBJECT

 public:
  // What the window does for an entry.
  struct Hooks {
    // Applies the picture's record as "Load data" applies a picture's, then draws it as CREATE
    // draws, on a cleared canvas.
    std::function<void(const DrawnPicture&)> bringBack;
    std::function<void(const PictureParams&)> saveData;    // "Save data as..." of the record
    std::function<void(const DrawnPicture&)> savePicture;  // "Save picture as..." of the picture
  };

  // Lists the history folder on a worker thread at once, so that no run's end waits for the
  // listing of a long history.
  HistoryCommands(Session& session, Dialogs& dialogs, QWidget& window, Hooks hooks);
  ~HistoryCommands() override;

  HistoryStore& store() { return history_; }
  HistoryForm* form() const;  // the open history window, if any
  // Adds the run that has just ended complete, with a thumbnail of the part of its picture the
  // run drew on, unless the newest entry holds the same record.
  void addEntry(const QImage& picture);
  // Brings the entry back; a message when it cannot be read.
  void bringBack(const HistoryStore::Entry& entry);
  // Back (older) and Forward (newer): the next entry from the cursor, brought back.
  void step(bool older);
  // The history window, opened or brought to the front.
  void open();

 private:
  // The picture an entry records; nothing (after a message titled title) when it cannot be read.
  std::optional<DrawnPicture> pictureOf(const HistoryStore::Entry& entry, const QString& title);

  Session& session_;
  Dialogs& dialogs_;
  QWidget& window_;
  Hooks hooks_;
  HistoryStore history_;        // the entries on disk
  QThread* lister_ = nullptr;   // lists the history folder once, off this thread
  QPointer<HistoryForm> form_;  // the open history window; it deletes itself on close
  bool warned_ = false;         // a failed write has been reported once already
};

}  // namespace orbisk
