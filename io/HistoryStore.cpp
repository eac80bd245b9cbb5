#include "io/HistoryStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "io/HistoryFileName.h"
#include "io/PngChunks.h"
#include "io/PosixFiles.h"
#include "io/ShownText.h"
#include "io/UserFile.h"

namespace orbisk {

namespace {

constexpr std::size_t kMaxEntryBytes = 4 * 1024 * 1024;  // a thumbnail with its record is far less

// "The picture "PATH" cannot be deleted: Permission denied." Some reasons end with their own
// full stop; the message has one.
QString failureText(const QString& path, const QString& verb, std::string reason) {
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  return QStringLiteral("The picture %1 cannot be %2: %3.")
      .arg(QString::fromStdString(quotedName(path.toStdString())), verb,
           QString::fromStdString(reason));
}

bool newerFirst(const HistoryStore::Entry& a, const HistoryStore::Entry& b) {
  if (a.time != b.time) return a.time > b.time;
  return a.file > b.file;
}

}  // namespace

QString HistoryStore::defaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/history");
}

HistoryStore::HistoryStore(QString folder) : folder_(std::move(folder)) {}

QString HistoryStore::pathOf(const QString& file) const {
  return folder_ + QLatin1Char('/') + file;
}

QString HistoryStore::fileNameOf(qint64 msecs, quint64 tag, bool starred) {
  return QString::fromStdString(formatHistoryFileName({msecs, tag, starred}));
}

std::optional<HistoryStore::Entry> HistoryStore::entryOf(const QString& fileName) {
  const std::optional<HistoryFileName> name = parseHistoryFileName(fileName.toStdString());
  if (!name) return std::nullopt;
  Entry entry;
  entry.file = fileName;
  entry.time = QDateTime::fromMSecsSinceEpoch(name->msecs, Qt::UTC);
  entry.starred = name->starred;
  return entry;
}

std::vector<HistoryStore::Entry>& HistoryStore::listed() const {
  if (!listed_) {
    ++folderListings_;
    listed_ = listFolder(folder_);
  }
  return *listed_;
}

void HistoryStore::adopt(std::vector<Entry> listing) {
  if (!listed_) listed_ = std::move(listing);
}

std::vector<HistoryStore::Entry> HistoryStore::listFolder(const QString& folderPath) {
  // Names only: nothing is opened or examined, so listing stays quick for a long history. A
  // name starts with the time in 16 digits, so names in descending order are newest first, by
  // time and then by name.
  std::vector<std::pair<std::string, HistoryFileName>> names;
  if (DIR* folder = ::opendir(QFile::encodeName(folderPath).constData())) {
    while (const dirent* item = ::readdir(folder)) {
      if (auto name = parseHistoryFileName(item->d_name)) names.emplace_back(item->d_name, *name);
    }
    ::closedir(folder);
  }
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Entry> found;
  found.reserve(names.size());
  for (const auto& [file, name] : names) {
    Entry& entry = found.emplace_back();
    entry.file = QString::fromLatin1(file.data(), static_cast<qsizetype>(file.size()));
    entry.time = QDateTime::fromMSecsSinceEpoch(name.msecs, Qt::UTC);
    entry.starred = name.starred;
  }
  return found;
}

std::vector<HistoryStore::Entry> HistoryStore::entries() const {
  return listed();
}

void HistoryStore::rescan() {
  listed_.reset();
  listed();
}

std::optional<HistoryStore::Entry> HistoryStore::add(const QString& record, const QImage& thumbnail,
                                                     const QDateTime& time, QString* error) {
  const auto fail = [&](const QString& reason) -> std::optional<Entry> {
    if (error) *error = reason;
    return std::nullopt;
  };
  if (!QDir().mkpath(folder_)) return fail(QStringLiteral("cannot create %1").arg(folder_));

  // The whole file in memory first.
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  // The text goes with the image: the writer's own setText() would file a key with a blank
  // under "Description".
  QImage picture = thumbnail;
  picture.setText(QString::fromLatin1(kRecordKey), record);
  QImageWriter writer(&bytes, "png");
  if (!writer.write(picture)) return fail(writer.errorString());

  // A name nobody has: the time and 64 random bits.
  QString name;
  do {
    name = fileNameOf(time.toMSecsSinceEpoch(), QRandomGenerator::system()->generate64(), false);
  } while (QFile::exists(pathOf(name)));

  // Written under a temporary name and renamed into place only when complete, so a crash never
  // leaves a damaged entry.
  QSaveFile file(pathOf(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.data().size() ||
      !file.commit())
    return fail(QStringLiteral("%1: %2").arg(pathOf(name), file.errorString()));
  const std::optional<Entry> added = entryOf(name);
  std::vector<Entry>& list = listed();
  const auto place = std::lower_bound(list.begin(), list.end(), *added, newerFirst);
  // A first listing made just now has found the new file already.
  if (place == list.end() || place->file != added->file) list.insert(place, *added);
  prune();
  return added;
}

std::optional<QString> HistoryStore::record(const Entry& entry) const {
  const UserFileRead file =
      readUserFile(QFile::encodeName(pathOf(entry.file)).toStdString(), kMaxEntryBytes);
  if (!file.ok) return std::nullopt;
  const PngTextRead text = findPngText(file.bytes, kRecordKey);
  if (text.outcome != PngTextRead::Outcome::Found || text.text.empty()) return std::nullopt;
  const auto size = static_cast<qsizetype>(text.text.size());
  return text.utf8 ? QString::fromUtf8(text.text.data(), size)
                   : QString::fromLatin1(text.text.data(), size);
}

QImage HistoryStore::thumbnail(const Entry& entry) const {
  const UserFileRead file =
      readUserFile(QFile::encodeName(pathOf(entry.file)).toStdString(), kMaxEntryBytes);
  if (!file.ok) return {};
  QByteArray bytes =
      QByteArray::fromRawData(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  return reader.read();
}

bool HistoryStore::setStarred(Entry& entry, bool starred, QString* error) {
  const QString verb = starred ? QStringLiteral("starred") : QStringLiteral("unstarred");
  const QString from = pathOf(entry.file);
  const auto fail = [&](const std::string& reason) {
    if (error) *error = failureText(from, verb, reason);
    return false;
  };
  struct stat found {};
  if (::lstat(QFile::encodeName(from).constData(), &found) != 0) {
    const int lost = errno;
    if (lost == ENOENT) forget(entry.file);
    return fail(lost == ENOENT ? "it is gone" : posix::errnoText(lost));
  }
  // Only a file is renamed: a folder of an entry's name is nothing the history made.
  if (!S_ISREG(found.st_mode) && !S_ISLNK(found.st_mode))
    return fail(posix::notRegularReason(found.st_mode));
  if (entry.starred == starred) return true;
  std::optional<HistoryFileName> name = parseHistoryFileName(entry.file.toStdString());
  if (!name) return fail("its name is not one of the history's");
  name->starred = starred;
  const QString renamed = QString::fromStdString(formatHistoryFileName(*name));
  const QByteArray to = QFile::encodeName(pathOf(renamed));
  // A file of the new name is never replaced (where the file system cannot promise that, it is
  // looked for first).
  const QByteArray source = QFile::encodeName(from);
  int result =
      ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
  if (result != 0 && errno == EINVAL) {
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0)
      errno = EEXIST;
    else
      result = ::rename(source.constData(), to.constData());
  }
  if (result != 0)
    return fail(errno == EEXIST ? "a file of the new name exists" : posix::errnoText(errno));
  for (Entry& kept : listed()) {
    if (kept.file == entry.file) {
      kept.file = renamed;
      kept.starred = starred;
    }
  }
  entry.file = renamed;
  entry.starred = starred;
  return true;
}

bool HistoryStore::remove(const Entry& entry, QString* error) {
  const QString path = pathOf(entry.file);
  const QByteArray native = QFile::encodeName(path);
  const auto fail = [&](const std::string& reason) {
    if (error) *error = failureText(path, QStringLiteral("deleted"), reason);
    return false;
  };
  struct stat found {};
  if (::lstat(native.constData(), &found) == 0 && !S_ISREG(found.st_mode) &&
      !S_ISLNK(found.st_mode))
    return fail(posix::notRegularReason(found.st_mode));
  if (::unlink(native.constData()) != 0 && errno != ENOENT) return fail(posix::errnoText(errno));
  forget(entry.file);
  return true;
}

void HistoryStore::forget(const QString& file) {
  std::vector<Entry>& list = listed();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const Entry& kept) { return kept.file == file; }),
             list.end());
}

void HistoryStore::prune(int keep) {
  int unstarred = 0;
  std::vector<Entry>& list = listed();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const Entry& entry) {
                              if (entry.starred || ++unstarred <= keep) return false;
                              // Another running copy may have removed it already: nothing to
                              // do then.
                              QFile::remove(pathOf(entry.file));
                              return true;
                            }),
             list.end());
}

}  // namespace orbisk
