// The history window, "Orbisk - History": the pictures drawn so far, newest first, as
// thumbnails with their time.
#pragma once

#include <QWidget>

#include "io/HistoryStore.h"

class QListView;
class QPushButton;

namespace orbisk {

class HistoryModel;

// Lists the folder afresh when opened and reads each thumbnail only when it comes into view.
// Enter or a double-click brings an entry back; Star keeps one for good; Delete removes one. The
// main window does the bringing back and the saving. Deletes itself when closed.
class HistoryForm : public QWidget {
  Q_OBJECT

 public:
  explicit HistoryForm(HistoryStore& store, QWidget* parent = nullptr);

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void toggleStar();
  void removeSelected();
  void updateButtons();

  HistoryStore& store_;
  HistoryModel* model_ = nullptr;
  QListView* list_ = nullptr;
  QPushButton* star_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* saveData_ = nullptr;
  QPushButton* savePicture_ = nullptr;
};

}  // namespace orbisk
