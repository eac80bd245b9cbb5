#include "io/HistoryStore.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "io/HistoryFileName.h"

namespace orbisk {

namespace {

constexpr qint64 kMaxEntryBytes = 4 * 1024 * 1024;  // a thumbnail with its record is far less

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

std::vector<HistoryStore::Entry> HistoryStore::entries() const {
  std::vector<Entry> found;
  const QStringList names =
      QDir(folder_).entryList({QStringLiteral("*.png")}, QDir::Files | QDir::NoDotAndDotDot);
  found.reserve(static_cast<std::size_t>(names.size()));
  for (const QString& name : names) {
    if (auto entry = entryOf(name)) found.push_back(*entry);
  }
  std::sort(found.begin(), found.end(), newerFirst);
  return found;
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
  prune();
  return entryOf(name);
}

std::optional<QString> HistoryStore::record(const Entry& entry) const {
  QFile file(pathOf(entry.file));
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEntryBytes) return std::nullopt;
  // The image's own texts keep a value exactly; the reader's text() would fold its blanks.
  QImageReader reader(&file, "png");
  const QString text = reader.read().text(QString::fromLatin1(kRecordKey));
  if (text.isEmpty()) return std::nullopt;
  return text;
}

QImage HistoryStore::thumbnail(const Entry& entry) const {
  QFile file(pathOf(entry.file));
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEntryBytes) return {};
  QImageReader reader(&file, "png");
  return reader.read();
}

bool HistoryStore::setStarred(Entry& entry, bool starred) {
  if (entry.starred == starred) return QFile::exists(pathOf(entry.file));
  std::optional<HistoryFileName> name = parseHistoryFileName(entry.file.toStdString());
  if (!name) return false;
  name->starred = starred;
  const QString renamed = QString::fromStdString(formatHistoryFileName(*name));
  if (!QFile::rename(pathOf(entry.file), pathOf(renamed))) return false;
  entry.file = renamed;
  entry.starred = starred;
  return true;
}

bool HistoryStore::remove(const Entry& entry) {
  return QFile::remove(pathOf(entry.file));
}

void HistoryStore::prune(int keep) {
  int unstarred = 0;
  for (const Entry& entry : entries()) {
    if (entry.starred) continue;
    // Another running copy may have removed it already: nothing to do then.
    if (++unstarred > keep) QFile::remove(pathOf(entry.file));
  }
}

}  // namespace orbisk
