// The history of pictures drawn: one small PNG file per entry in the user's data folder, holding
// a thumbnail and, in a text chunk, the record that drew the picture.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace orbisk {

// Entries are named "<milliseconds since 1970, 16 digits>-<16 hex digits>[-star].png": the time
// and the star are read from the name alone, so listing the folder opens no file. The folder is
// listed once, when the entries are first asked for (and again on rescan()); adding, starring,
// removing and pruning then keep that list up to date themselves, so the end of a run costs the
// same however long the history is. Every file is written whole to a temporary file and then
// renamed into place, and no index is kept on disk, so two running copies of the program each
// add their own files without harm. Files of any other name are skipped; every file is read
// through the non-blocking, regular-files-only reader, so an entry that is a FIFO, a device or
// a link to one is skipped at once instead of freezing the program.
class HistoryStore {
 public:
  static constexpr int kKeep = 1000;  // entries kept besides the starred ones
  static constexpr const char* kRecordKey = "Orbisk record";  // the PNG text chunk's key
  // Thumbnails are made to fit this room.
  static constexpr int kThumbnailWidth = 160, kThumbnailHeight = 110;

  struct Entry {
    QString file;          // file name inside the folder
    QDateTime time;        // when the entry was made, UTC
    bool starred = false;  // kept for good
  };

  // The folder under the user's data location (XDG_DATA_HOME on Linux).
  static QString defaultFolder();
  explicit HistoryStore(QString folder = defaultFolder());

  const QString& folder() const { return folder_; }

  // Every entry, newest first (by time, then by name). Lists the folder the first time only.
  std::vector<Entry> entries() const;
  // Lists the folder again: entries another running copy added or removed show from now on.
  void rescan();
  // The entries of a folder, newest first, listed now. Touches no store, so a worker thread may
  // list a long history while the store is used.
  static std::vector<Entry> listFolder(const QString& folder);
  // Takes such a listing of this store's folder as its entries, unless the store has listed the
  // folder itself meanwhile (every change lists it first, so a listing taken misses none).
  void adopt(std::vector<Entry> listing);
  // How many times the folder has been listed.
  int folderListings() const { return folderListings_; }
  // Adds an entry; returns it, or nothing with a one-line reason in error. Older unstarred
  // entries beyond kKeep are removed afterwards.
  std::optional<Entry> add(const QString& record, const QImage& thumbnail, const QDateTime& time,
                           QString* error = nullptr);
  // The record text of an entry, read from the file's chunks without decoding the thumbnail;
  // nothing when the file is gone, damaged, not a regular file or not one of ours.
  std::optional<QString> record(const Entry& entry) const;
  // The entry's thumbnail; a null image when it cannot be read.
  QImage thumbnail(const Entry& entry) const;
  // Stars or unstars an entry (a rename of its file). False, with a one-line reason in error,
  // when the file cannot be renamed (a read-only folder, an entry that is a folder): the file
  // and the entry stay as they were. An entry whose file is gone leaves the list.
  bool setStarred(Entry& entry, bool starred, QString* error = nullptr);
  // Removes an entry's file, and the entry with it. False, with a one-line reason in error, when
  // the file stays (a read-only folder, an entry that is a folder, which is never emptied): the
  // entry stays too. A file that is gone already counts as removed.
  bool remove(const Entry& entry, QString* error = nullptr);
  // Removes the oldest unstarred entries beyond keep.
  void prune(int keep = kKeep);

  // The name an entry's file has, and the entry a file name stands for (nothing for a name of
  // any other form).
  static QString fileNameOf(qint64 msecs, quint64 tag, bool starred);
  static std::optional<Entry> entryOf(const QString& fileName);
  // Where an entry stands in the history: its time and tag, which starring keeps. A newer entry
  // has a greater key.
  static QString keyOf(const Entry& entry) { return entry.file.left(33); }

 private:
  QString pathOf(const QString& file) const;
  // Drops the entry of this file from the list.
  void forget(const QString& file);
  // The entries as listed, listing the folder first if it has not been.
  std::vector<Entry>& listed() const;

  QString folder_;                                    // where the entries live
  mutable std::optional<std::vector<Entry>> listed_;  // newest first, once listed
  mutable int folderListings_ = 0;                    // listings of the folder so far
};

}  // namespace orbisk
