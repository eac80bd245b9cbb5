#include "ui/explore/HistoryCommands.h"

#include <QDateTime>
#include <QImage>
#include <QThread>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "io/DrawnPart.h"
#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk {

namespace {

const char* const kHistoryTitle = "Orbisk - History";

}  // namespace

HistoryCommands::HistoryCommands(Session& session, Dialogs& dialogs, QWidget& window, Hooks hooks)
    : QObject(&window),
      session_(session),
      dialogs_(dialogs),
      window_(window),
      hooks_(std::move(hooks)) {
  const QString folder = history_.folder();
  // The worker and this thread share only the listing, handed over under a lock of our own:
  // Qt's queued signal orders the two as well, but a thread checker cannot see inside Qt.
  struct Listing {
    std::mutex lock;
    std::vector<HistoryStore::Entry> entries;
  };
  auto listing = std::make_shared<Listing>();
  lister_ = QThread::create([listing, folder] {
    std::vector<HistoryStore::Entry> found = HistoryStore::listFolder(folder);
    const std::lock_guard<std::mutex> hold(listing->lock);
    listing->entries = std::move(found);
  });
  lister_->setParent(this);
  // Queued to this thread: the listing is taken only once the worker is done with it.
  connect(lister_, &QThread::finished, this, [this, listing] {
    std::vector<HistoryStore::Entry> entries;
    {
      const std::lock_guard<std::mutex> hold(listing->lock);
      entries = std::move(listing->entries);
    }
    history_.adopt(std::move(entries));
  });
  lister_->start();
}

HistoryCommands::~HistoryCommands() {
  // The listing ends on its own; it is waited for, never left running.
  lister_->wait();
  delete form_;  // it reads the history store
}

HistoryForm* HistoryCommands::form() const {
  return form_;
}

void HistoryCommands::addEntry(const QImage& picture) {
  const std::optional<DrawnPicture> drawn = session_.lastRun();
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
  // The part the run drew on, as the gallery's cells show it: a small picture in the middle of
  // a large canvas is no patch in a black field.
  const QImage thumbnail =
      drawnPart(picture, measureImage(picture, drawn->background),
                QSize(HistoryStore::kThumbnailWidth, HistoryStore::kThumbnailHeight));
  QString error;
  const std::optional<HistoryStore::Entry> added = history_.add(record, thumbnail, time, &error);
  if (!added) {
    // Said once: a folder that cannot be written would otherwise speak after every run.
    if (!warned_)
      dialogs_.warn(&window_, kHistoryTitle, "The picture cannot be kept in the history: " + error);
    warned_ = true;
    return;
  }
  session_.setHistoryCursor(HistoryStore::keyOf(*added).toStdString());
  if (form_) form_->reload();
}

std::optional<DrawnPicture> HistoryCommands::pictureOf(const HistoryStore::Entry& entry,
                                                       const QString& title) {
  std::string error = "the entry is gone or holds no record";
  std::optional<DrawnPicture> picture;
  if (const std::optional<QString> text = history_.record(entry))
    picture = parsePictureRecord(text->toStdString(), &error);
  if (!picture)
    dialogs_.warn(&window_, title,
                  QString("%1: %2").arg(entry.file, QString::fromStdString(error)));
  return picture;
}

void HistoryCommands::bringBack(const HistoryStore::Entry& entry) {
  if (session_.isEnding()) return;
  const QString key = HistoryStore::keyOf(entry);
  session_.setHistoryCursor(key.toStdString());
  // The open history window shows which entry Back and Forward reached.
  if (form_) form_->selectEntry(key);
  if (const std::optional<DrawnPicture> picture = pictureOf(entry, kHistoryTitle))
    hooks_.bringBack(*picture);
}

void HistoryCommands::step(bool older) {
  const std::vector<HistoryStore::Entry> entries = history_.entries();  // newest first
  std::vector<std::string> keys;
  for (const HistoryStore::Entry& entry : entries)
    keys.push_back(HistoryStore::keyOf(entry).toStdString());
  // At either end of the history the command does nothing.
  if (const std::optional<std::size_t> next = session_.historyStep(keys, older))
    bringBack(entries[*next]);
}

void HistoryCommands::open() {
  // A window closed a moment ago may still wait for its deletion.
  if (form_ && form_->isHidden()) {
    form_->deleteLater();
    form_.clear();
  }
  if (!form_) {
    form_ = new HistoryForm(history_, dialogs_, &window_);
    connect(form_, &HistoryForm::bringBack, this, &HistoryCommands::bringBack);
    connect(form_, &HistoryForm::saveData, this, [this](const HistoryStore::Entry& entry) {
      if (const auto picture = pictureOf(entry, "Orbisk - Save data"))
        hooks_.saveData(picture->params);
    });
    connect(form_, &HistoryForm::savePicture, this, [this](const HistoryStore::Entry& entry) {
      if (const auto picture = pictureOf(entry, "Save picture as...")) hooks_.savePicture(*picture);
    });
  }
  form_->show();
  form_->raise();
  form_->activateWindow();
}

}  // namespace orbisk
