// The history of pictures drawn: every complete run adds an entry; the history window, Back and
// Forward bring entries back.
#include <QDateTime>
#include <QThread>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "io/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/explore/HistoryForm.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

const char* const kHistoryTitle = "Orbisk - History";

}  // namespace

void MainWindow::listHistoryInBackground() {
  const QString folder = history_.folder();
  // The worker and this thread share only the listing, handed over under a lock of our own:
  // Qt's queued signal orders the two as well, but a thread checker cannot see inside Qt.
  struct Listing {
    std::mutex lock;
    std::vector<HistoryStore::Entry> entries;
  };
  auto listing = std::make_shared<Listing>();
  historyLister_ = QThread::create([listing, folder] {
    std::vector<HistoryStore::Entry> found = HistoryStore::listFolder(folder);
    const std::lock_guard<std::mutex> hold(listing->lock);
    listing->entries = std::move(found);
  });
  historyLister_->setParent(this);
  // Queued to this thread: the listing is taken only once the worker is done with it.
  connect(historyLister_, &QThread::finished, this, [this, listing] {
    std::vector<HistoryStore::Entry> entries;
    {
      const std::lock_guard<std::mutex> hold(listing->lock);
      entries = std::move(listing->entries);
    }
    history_.adopt(std::move(entries));
  });
  historyLister_->start();
}

void MainWindow::addHistoryEntry() {
  const std::optional<DrawnPicture> drawn = recorder_.lastRun();
  if (!drawn) return;
  // The whole record text, working values included: the orbit values carry over from run to
  // run, so the same parameters drawn again usually make a different picture, and that one is
  // kept too. Only a run that would draw exactly the newest entry's picture adds nothing.
  const QString record = QString::fromStdString(formatPictureRecord(*drawn));
  const std::vector<HistoryStore::Entry> entries = history_.entries();
  if (!entries.empty() && history_.record(entries.front()) == record) {
    historyCursor_ = HistoryStore::keyOf(entries.front());
    return;
  }
  // The new entry is the newest even when the clock went back or another entry was made in the
  // same millisecond, so Back from it always reaches the one before.
  QDateTime time = QDateTime::currentDateTimeUtc();
  if (!entries.empty() && entries.front().time >= time) time = entries.front().time.addMSecs(1);
  const QImage thumbnail =
      redo1_.scaled(HistoryStore::kThumbnailWidth, HistoryStore::kThumbnailHeight,
                    Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QString error;
  const std::optional<HistoryStore::Entry> added = history_.add(record, thumbnail, time, &error);
  if (!added) {
    // Said once: a folder that cannot be written would otherwise speak after every run.
    if (!historyWarned_)
      dialogs_.warn(this, kHistoryTitle, "The picture cannot be kept in the history: " + error);
    historyWarned_ = true;
    return;
  }
  historyCursor_ = HistoryStore::keyOf(*added);
  if (historyForm_) historyForm_->reload();
}

std::optional<DrawnPicture> MainWindow::historyPicture(const HistoryStore::Entry& entry,
                                                       const QString& title) {
  std::string error = "the entry is gone or holds no record";
  std::optional<DrawnPicture> picture;
  if (const std::optional<QString> text = history_.record(entry))
    picture = parsePictureRecord(text->toStdString(), &error);
  if (!picture)
    dialogs_.warn(this, title, QString("%1: %2").arg(entry.file, QString::fromStdString(error)));
  return picture;
}

void MainWindow::bringBack(const HistoryStore::Entry& entry) {
  if (exiting_) return;
  historyCursor_ = HistoryStore::keyOf(entry);
  // The open history window shows which entry Back and Forward reached.
  if (historyForm_) historyForm_->selectEntry(*historyCursor_);
  const std::optional<DrawnPicture> picture = historyPicture(entry, kHistoryTitle);
  if (!picture) return;
  applyDrawnPicture(*picture);
  enableMenusForGood();
  // A traversal going on is stopped; the entry is drawn once it has ended.
  if (isRendering()) onStop();
  bringBackNext_ = true;
  startRun(Run::Create);
}

void MainWindow::stepHistory(bool older) {
  const std::vector<HistoryStore::Entry> entries = history_.entries();  // newest first
  const HistoryStore::Entry* next = nullptr;
  if (older) {
    // Before any run, Back starts with the newest entry.
    for (const HistoryStore::Entry& entry : entries) {
      if (!historyCursor_ || HistoryStore::keyOf(entry) < *historyCursor_) {
        next = &entry;
        break;
      }
    }
  } else if (historyCursor_) {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
      if (HistoryStore::keyOf(*entry) > *historyCursor_) {
        next = &*entry;
        break;
      }
    }
  }
  // At either end of the history the command does nothing.
  if (next) bringBack(*next);
}

void MainWindow::onHistory() {
  // A window closed a moment ago may still wait for its deletion.
  if (historyForm_ && historyForm_->isHidden()) {
    historyForm_->deleteLater();
    historyForm_.clear();
  }
  if (!historyForm_) {
    historyForm_ = new HistoryForm(history_, dialogs_, this);
    connect(historyForm_, &HistoryForm::bringBack, this, &MainWindow::bringBack);
    connect(historyForm_, &HistoryForm::saveData, this, [this](const HistoryStore::Entry& entry) {
      if (const auto picture = historyPicture(entry, "Orbisk - Save data"))
        saveDataAs(picture->params);
    });
    connect(historyForm_, &HistoryForm::savePicture, this,
            [this](const HistoryStore::Entry& entry) {
              if (const auto picture = historyPicture(entry, "Save picture as..."))
                savePictureOf(*picture);
            });
  }
  historyForm_->show();
  historyForm_->raise();
  historyForm_->activateWindow();
}

void MainWindow::onBack() {
  stepHistory(true);
}

void MainWindow::onForward() {
  stepHistory(false);
}

}  // namespace orbisk
