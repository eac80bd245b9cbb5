// The history store: entries come back as written, after a restart too; damaged and foreign
// files are skipped; two writers at once lose nothing; starred entries outlive pruning.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <thread>

#include "io/HistoryStore.h"

namespace orbisk {
namespace {

QImage thumbnailOf(int shade) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(qRgb(shade, 255 - shade, 7));
  return image;
}

QDateTime at(qint64 seconds) {
  return QDateTime::fromMSecsSinceEpoch(1'700'000'000'000 + seconds * 1000, Qt::UTC);
}

TEST(HistoryStore, EntriesRoundTripNewestFirstAndSurviveARestart) {
  QTemporaryDir folder;
  {
    HistoryStore store(folder.path());
    ASSERT_TRUE(store.add("first\nrecord", thumbnailOf(10), at(1)));
    ASSERT_TRUE(store.add("second record", thumbnailOf(20), at(2)));
  }
  // Foreign and damaged files beside them are skipped, never fatal.
  QFile foreign(folder.filePath("notes.png"));
  ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
  foreign.write("not a picture");
  foreign.close();
  QFile damaged(folder.filePath(HistoryStore::fileNameOf(1'700'000'000'000 + 3000, 1, false)));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("\x89PNG\r\n\x1a\n truncated");
  damaged.close();

  const HistoryStore again(folder.path());
  const std::vector<HistoryStore::Entry> entries = again.entries();
  ASSERT_EQ(entries.size(), 3u);  // the damaged one by its name, the foreign one not at all
  EXPECT_FALSE(again.record(entries[0]));
  EXPECT_TRUE(again.thumbnail(entries[0]).isNull());
  EXPECT_EQ(again.record(entries[1]), QString("second record"));
  EXPECT_EQ(again.record(entries[2]), QString("first\nrecord"));
  EXPECT_EQ(entries[2].time, at(1));
  EXPECT_EQ(again.thumbnail(entries[1]).convertToFormat(QImage::Format_RGB32), thumbnailOf(20));
}

TEST(HistoryStore, EntryNamesHaveOneSpelling) {
  const QString name = HistoryStore::fileNameOf(1'700'000'000'123, 0xfedcba9876543210u, true);
  EXPECT_EQ(name, "0001700000000123-fedcba9876543210-star.png");
  const std::optional<HistoryStore::Entry> entry = HistoryStore::entryOf(name);
  ASSERT_TRUE(entry);
  EXPECT_TRUE(entry->starred);
  EXPECT_EQ(entry->time.toMSecsSinceEpoch(), 1'700'000'000'123);
  for (const char* other :
       {"0001700000000123-FEDCBA9876543210.png", "0001700000000123-fedcba9876543210.png.tmp",
        "001700000000123-fedcba9876543210.png", "0001700000000123_fedcba9876543210.png",
        "0001700000000123-fedcba9876543210-star.PNG", "\u0661001700000000123-fedcba9876543210.png",
        ""})
    EXPECT_FALSE(HistoryStore::entryOf(QString::fromUtf8(other))) << other;
}

TEST(HistoryStore, TwoWritersAtOnceLoseNothing) {
  QTemporaryDir folder;
  constexpr int kEach = 40;
  auto write = [&](int writer) {
    HistoryStore store(folder.path());
    for (int i = 0; i < kEach; ++i)
      store.add(QString("writer %1 entry %2").arg(writer).arg(i), thumbnailOf(i), at(0));
  };
  std::thread first(write, 1);
  std::thread second(write, 2);
  first.join();
  second.join();
  const HistoryStore store(folder.path());
  const std::vector<HistoryStore::Entry> entries = store.entries();
  ASSERT_EQ(entries.size(), 2u * kEach);
  for (const HistoryStore::Entry& entry : entries)
    EXPECT_TRUE(store.record(entry)) << entry.file.toStdString();
}

TEST(HistoryStore, PruningKeepsTheLatestAndEveryStarredEntry) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  for (int i = 0; i < 5; ++i) store.add(QString::number(i), thumbnailOf(i), at(i));
  std::vector<HistoryStore::Entry> entries = store.entries();
  HistoryStore::Entry oldest = entries.back();
  ASSERT_TRUE(store.setStarred(oldest, true));
  store.prune(2);
  entries = store.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(store.record(entries[0]), QString("4"));
  EXPECT_EQ(store.record(entries[1]), QString("3"));
  EXPECT_EQ(store.record(entries[2]), QString("0"));
  EXPECT_TRUE(entries[2].starred);
  EXPECT_TRUE(store.remove(entries[0]));
  EXPECT_EQ(store.entries().size(), 2u);
}

// An entry that is a link to a FIFO, or a folder, is passed over at once instead of freezing
// the caller; the entries beside it read as before.
TEST(HistoryStore, AnEntryThatIsNoRegularFileIsSkippedAtOnce) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  ASSERT_TRUE(store.add("kept", thumbnailOf(1), at(1)));
  const QString fifo = folder.filePath("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(
      fifo, folder.filePath(HistoryStore::fileNameOf(1'700'000'000'000 + 9000, 1, false))));
  ASSERT_TRUE(
      QDir(folder.path()).mkdir(HistoryStore::fileNameOf(1'700'000'000'000 + 8000, 2, false)));

  const HistoryStore again(folder.path());
  const std::vector<HistoryStore::Entry> entries = again.entries();
  ASSERT_EQ(entries.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_FALSE(again.record(entries[i]));
    EXPECT_TRUE(again.thumbnail(entries[i]).isNull());
  }
  EXPECT_EQ(again.record(entries[2]), QString("kept"));
}

// The folder is listed once: adding, starring, removing and pruning keep the list themselves,
// and it matches what a fresh listing finds.
TEST(HistoryStore, TheFolderIsListedOnceAndTheListKeptUpToDate) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  for (int i = 0; i < 4; ++i) store.add(QString::number(i), thumbnailOf(i), at(i));
  std::vector<HistoryStore::Entry> entries = store.entries();
  ASSERT_TRUE(store.setStarred(entries[3], true));
  ASSERT_TRUE(store.remove(entries[0]));
  store.add("4", thumbnailOf(4), at(4));
  store.prune(1);
  store.adopt({});  // a listing from elsewhere comes too late to count
  EXPECT_EQ(store.folderListings(), 1);

  const std::vector<HistoryStore::Entry> kept = store.entries();
  const std::vector<HistoryStore::Entry> listed = HistoryStore(folder.path()).entries();
  ASSERT_EQ(kept.size(), 2u);
  ASSERT_EQ(listed.size(), kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i].file, listed[i].file);
    EXPECT_EQ(kept[i].starred, listed[i].starred);
  }
  EXPECT_EQ(store.record(kept[0]), QString("4"));
  EXPECT_EQ(store.record(kept[1]), QString("0"));
  store.rescan();
  EXPECT_EQ(store.folderListings(), 2);
}

}  // namespace
}  // namespace orbisk
