// The history window, "Orbisk - History": the pictures drawn so far, newest first, as
// thumbnails with their time.
#pragma once

#include <QWidget>

#include "io/HistoryStore.h"

class QListView;
class QPushButton;

class QLabel;

namespace orbisk {

class Dialogs;
class HistoryModel;

// Lists the folder afresh when opened and reads each thumbnail only when it comes into view.
// Enter or a double-click brings an entry back; Star keeps one for good and Unstar lets it go
// again; Delete removes one, after asking when it is starred. The main window does the bringing
// back and the saving. Deletes itself when closed.
class HistoryForm : public QWidget {
  Q_OBJECT

 public:
  HistoryForm(HistoryStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

  // Takes the store's entries again (without listing the folder), keeping the selection where it
  // can.
  void reload();
  int entryCount() const;
  // The selected entry, if any.
  std::optional<HistoryStore::Entry> selectedEntry() const;
  void select(int row);
  // Selects the entry with this key (HistoryStore::keyOf), if the list holds it.
  void selectEntry(const QString& key);
  QListView* list() const { return list_; }
  // Thumbnails read from files so far.
  int thumbnailsRead() const;

 signals:
  void bringBack(const orbisk::HistoryStore::Entry& entry);
  void saveData(const orbisk::HistoryStore::Entry& entry);
  void savePicture(const orbisk::HistoryStore::Entry& entry);

 private:
  void toggleStar();
  void removeSelected();
  // Removes the entry, then selects the one now at row (or the last).
  void removeEntry(const HistoryStore::Entry& entry, int row);
  void updateButtons();

  HistoryStore& store_;
  Dialogs& dialogs_;
  HistoryModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QLabel* origin_ = nullptr;  // where the selected entry's picture came from, when it was made
                              // from others
  QPushButton* star_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* saveData_ = nullptr;
  QPushButton* savePicture_ = nullptr;
};

}  // namespace orbisk
