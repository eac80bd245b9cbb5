// The Explore and Help menus: the random gallery, the history with Back and Forward, "Hints and
// tips" and "About...".
#include <QDateTime>
#include <QThread>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/explore/GalleryForm.h"
#include "ui/explore/HistoryForm.h"
#include "ui/main/ClockSeed.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuBar.h"

namespace orbisk {

namespace {

const char* const kHistoryTitle = "Orbisk - History";

// Shows the open window of this kind in front, or builds a new one. A window closed by its
// button is only waiting for its deletion, so the next opening builds a fresh one.
template <typename Form>
Form* showWindow(QPointer<Form>& form, const std::function<Form*()>& make) {
  if (form && form->isHidden()) {
    form->deleteLater();
    form.clear();
  }
  if (!form) form = make();
  form->show();
  form->raise();
  form->activateWindow();
  return form;
}

}  // namespace

void MainWindow::connectExploreMenus() {
  menus_->onCommand("hints", [this] {
    showWindow<HintsForm>(hintsForm_, [this] { return new HintsForm(this); });
  });
  menus_->onCommand("about", [this] {
    showWindow<AboutForm>(aboutForm_, [this] { return new AboutForm(this); });
  });
  menus_->onCommand("back", [this] { stepHistory(true); });
  menus_->onCommand("forward", [this] { stepHistory(false); });
  menus_->onCommand("gallery", [this] {
    showWindow<GalleryForm>(galleryForm_, [this] {
      GallerySource source;
      source.currentOrder = [this] { return currentOrder(); };
      // A fresh candidate sequence for every gallery opened.
      source.seed = [this] { return gallerySeeds_ ? gallerySeeds_() : clockSeed(); };
      source.pick = [this](const RandomCombination& draw) { randomWith(draw); };
      auto* form = new GalleryForm(std::move(source), this);
      form->fill();
      return form;
    });
  });
  menus_->onCommand("history", [this] {
    showWindow<HistoryForm>(historyForm_, [this] {
      auto* form = new HistoryForm(history_, dialogs_, this);
      connect(form, &HistoryForm::bringBack, this, &MainWindow::bringBack);
      connect(form, &HistoryForm::saveData, this, [this](const HistoryStore::Entry& entry) {
        if (const auto picture = historyPicture(entry, "Orbisk - Save data"))
          saveDataAs(picture->params);
      });
      connect(form, &HistoryForm::savePicture, this, [this](const HistoryStore::Entry& entry) {
        if (const auto picture = historyPicture(entry, "Save picture as..."))
          savePictureOf(*picture);
      });
      return form;
    });
  });
}

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
  const std::optional<DrawnPicture> drawn = lastRun();
  if (!drawn) return;
  // The whole record text, working values included: the orbit values carry over from run to
  // run, so the same parameters drawn again usually make a different picture, and that one is
  // kept too. Only a run that would draw exactly the newest entry's picture adds nothing.
  const QString record = QString::fromStdString(formatPictureRecord(*drawn));
  const std::vector<HistoryStore::Entry> entries = history_.entries();
  if (!entries.empty() && history_.record(entries.front()) == record) {
    session_.setHistoryCursor(HistoryStore::keyOf(entries.front()).toStdString());
    return;
  }
  // The new entry is the newest even when the clock went back or another entry was made in the
  // same millisecond, so Back from it always reaches the one before.
  QDateTime time = QDateTime::currentDateTimeUtc();
  if (!entries.empty() && entries.front().time >= time) time = entries.front().time.addMSecs(1);
  const QImage thumbnail =
      undoCopy().scaled(HistoryStore::kThumbnailWidth, HistoryStore::kThumbnailHeight,
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
  session_.setHistoryCursor(HistoryStore::keyOf(*added).toStdString());
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
  if (session_.isEnding()) return;
  const QString key = HistoryStore::keyOf(entry);
  session_.setHistoryCursor(key.toStdString());
  // The open history window shows which entry Back and Forward reached.
  if (historyForm_) historyForm_->selectEntry(key);
  const std::optional<DrawnPicture> picture = historyPicture(entry, kHistoryTitle);
  if (!picture) return;
  applyDrawnPicture(*picture);
  menus_->enableForGood();
  // A traversal going on is stopped; the entry is drawn once it has ended.
  if (isRendering()) stop();
  session_.bringBackNext();
  startRun(RunKind::Create);
}

void MainWindow::stepHistory(bool older) {
  const std::vector<HistoryStore::Entry> entries = history_.entries();  // newest first
  std::vector<std::string> keys;
  for (const HistoryStore::Entry& entry : entries)
    keys.push_back(HistoryStore::keyOf(entry).toStdString());
  // At either end of the history the command does nothing.
  if (const std::optional<std::size_t> next = session_.historyStep(keys, older))
    bringBack(entries[*next]);
}

}  // namespace orbisk
