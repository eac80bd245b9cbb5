#include "ui/explore/HistoryForm.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/editors/FixedWindow.h"

namespace orbisk {

namespace {

constexpr QSize kThumbnailRoom(HistoryStore::kThumbnailWidth, HistoryStore::kThumbnailHeight);

}  // namespace

// The entries as a list model. A thumbnail is read the first time the view asks for it, which
// it does only for the entries it shows.
class HistoryModel : public QAbstractListModel {
 public:
  explicit HistoryModel(HistoryStore& store, QObject* parent)
      : QAbstractListModel(parent), store_(store) {}

  void reload() {
    beginResetModel();
    entries_ = store_.entries();
    // Thumbnails already read stay valid while their file keeps its name.
    QHash<QString, QPixmap> kept;
    for (const HistoryStore::Entry& entry : entries_) {
      if (const auto found = thumbnails_.constFind(entry.file); found != thumbnails_.constEnd())
        kept.insert(entry.file, *found);
    }
    thumbnails_.swap(kept);
    endResetModel();
  }

  const std::vector<HistoryStore::Entry>& entries() const { return entries_; }
  HistoryStore::Entry& entry(int row) { return entries_[static_cast<std::size_t>(row)]; }
  int thumbnailsRead() const { return thumbnailsRead_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
    const HistoryStore::Entry& entry = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
      const QString time = entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
      return entry.starred ? QStringLiteral("\u2605 ") + time : time;
    }
    if (role == Qt::DecorationRole) {
      auto found = thumbnails_.constFind(entry.file);
      if (found == thumbnails_.constEnd()) {
        ++thumbnailsRead_;
        QImage image = store_.thumbnail(entry);
        if (!image.isNull() &&
            (image.width() > kThumbnailRoom.width() || image.height() > kThumbnailRoom.height()))
          image = image.scaled(kThumbnailRoom, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (image.isNull()) {
          image = QImage(kThumbnailRoom, QImage::Format_RGB32);  // a damaged entry shows grey
          image.fill(Qt::gray);
        }
        found = thumbnails_.insert(entry.file, QPixmap::fromImage(image));
      }
      return *found;
    }
    return {};
  }

 private:
  HistoryStore& store_;
  std::vector<HistoryStore::Entry> entries_;    // newest first
  mutable QHash<QString, QPixmap> thumbnails_;  // by file name, read when first shown
  mutable int thumbnailsRead_ = 0;              // files read for thumbnails so far
};

HistoryForm::HistoryForm(HistoryStore& store, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, kFixedWindowFlags), store_(store), dialogs_(dialogs) {
  setObjectName("historyform");
  setWindowTitle("Orbisk - History");
  setAttribute(Qt::WA_DeleteOnClose);

  model_ = new HistoryModel(store_, this);
  list_ = new QListView(this);
  list_->setObjectName("historylist");
  list_->setViewMode(QListView::IconMode);
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);  // no entry is measured before it is shown
  list_->setLayoutMode(QListView::Batched);
  list_->setIconSize(kThumbnailRoom);
  list_->setGridSize(kThumbnailRoom + QSize(16, 28));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setModel(model_);
  list_->setMinimumSize(4 * list_->gridSize().width() + 30, 3 * list_->gridSize().height() + 8);
  connect(list_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit bringBack(model_->entry(index.row()));
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &HistoryForm::updateButtons);

  auto button = [this](const char* caption, const char* name) {
    auto* made = new QPushButton(caption, this);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
  };
  star_ = button("&Star", "historystar");
  remove_ = button("&Delete", "historydelete");
  saveData_ = button("Save data as...", "historysavedata");
  savePicture_ = button("Save picture as...", "historysavepicture");
  connect(star_, &QPushButton::clicked, this, &HistoryForm::toggleStar);
  connect(remove_, &QPushButton::clicked, this, &HistoryForm::removeSelected);
  connect(saveData_, &QPushButton::clicked, this, [this] {
    if (auto entry = selectedEntry()) emit saveData(*entry);
  });
  connect(savePicture_, &QPushButton::clicked, this, [this] {
    if (auto entry = selectedEntry()) emit savePicture(*entry);
  });
  // Delete works wherever the focus is in the window, on a button just clicked too.
  auto* del = new QShortcut(QKeySequence::Delete, this);
  del->setContext(Qt::WindowShortcut);
  connect(del, &QShortcut::activated, this, &HistoryForm::removeSelected);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {star_, remove_, saveData_, savePicture_}) buttons->addWidget(b);
  buttons->addStretch();
  origin_ = new QLabel(this);
  origin_->setObjectName("historyorigin");
  origin_->setWordWrap(true);
  origin_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(origin_);
  layout->addLayout(buttons);

  // Opening the window lists the folder afresh: entries another running copy made show too.
  store_.rescan();
  reload();
  // Its size is known only once the layout has worked; Escape closes it as it closes Hints.
  centreWhenShown(this);
  closeOnEscape(this);
}

void HistoryForm::reload() {
  const std::optional<HistoryStore::Entry> selected = selectedEntry();
  model_->reload();
  int row = model_->rowCount({}) > 0 ? 0 : -1;
  if (selected) {
    for (int i = 0; i < model_->rowCount({}); ++i) {
      if (model_->entries()[static_cast<std::size_t>(i)].file == selected->file) row = i;
    }
  }
  select(row);
}

int HistoryForm::entryCount() const {
  return model_->rowCount({});
}

int HistoryForm::thumbnailsRead() const {
  return model_->thumbnailsRead();
}

std::optional<HistoryStore::Entry> HistoryForm::selectedEntry() const {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid() || current.row() >= entryCount()) return std::nullopt;
  return model_->entries()[static_cast<std::size_t>(current.row())];
}

void HistoryForm::select(int row) {
  if (row >= 0 && row < entryCount()) list_->setCurrentIndex(model_->index(row));
  updateButtons();
}

void HistoryForm::selectEntry(const QString& key) {
  for (int i = 0; i < entryCount(); ++i) {
    if (HistoryStore::keyOf(model_->entries()[static_cast<std::size_t>(i)]) == key) select(i);
  }
}

void HistoryForm::toggleStar() {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid()) return;
  HistoryStore::Entry entry = model_->entry(current.row());
  QString error;
  const bool done = store_.setStarred(entry, !entry.starred, &error);
  // The list shows what the folder holds, whether the rename went through or not; the entry
  // stays selected under its new name.
  reload();
  selectEntry(HistoryStore::keyOf(entry));
  if (!done) dialogs_.warn(this, windowTitle(), error);
}

void HistoryForm::removeSelected() {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid()) return;
  const int row = current.row();
  const HistoryStore::Entry entry = model_->entry(row);
  if (!entry.starred) {
    removeEntry(entry, row);
    return;
  }
  // A starred entry was meant to be kept: it goes only when the user says so.
  QPointer<HistoryForm> self(this);
  dialogs_.askYesNo(this, windowTitle(), "Delete this starred picture from the history?",
                    [self, entry, row](bool yes) {
                      if (yes && self) self->removeEntry(entry, row);
                    });
}

void HistoryForm::removeEntry(const HistoryStore::Entry& entry, int row) {
  QString error;
  if (!store_.remove(entry, &error)) {
    // The file stays, and so does its entry, still selected.
    reload();
    dialogs_.warn(this, windowTitle(), error);
    return;
  }
  reload();
  select(std::min(row, entryCount() - 1));
}

void HistoryForm::updateButtons() {
  const std::optional<HistoryStore::Entry> entry = selectedEntry();
  for (QPushButton* b : {star_, remove_, saveData_, savePicture_}) b->setEnabled(entry.has_value());
  // The button says what a press will do.
  star_->setText(entry && entry->starred ? "Un&star" : "&Star");
  // Where the picture came from, as its record tells (one small file read, as the commands do).
  QString origin;
  if (entry) {
    if (const std::optional<QString> record = store_.record(*entry)) {
      const std::optional<DrawnPicture> picture =
          parsePictureRecord(record->toStdString(), nullptr);
      if (picture && !picture->origin.empty())
        origin = "Made as " + QString::fromStdString(picture->origin);
    }
  }
  origin_->setText(origin);
}

}  // namespace orbisk
