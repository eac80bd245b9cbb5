#include "io/RecordedPicture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <string>
#include <utility>

#include "io/PictureFile.h"
#include "io/PngChunks.h"
#include "io/RecordMessages.h"
#include "io/UserFile.h"
#include "session/PictureRecordText.h"

namespace orbisk {

namespace {

QString fromLocal(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString shownName(const QString& path) {
  return fromLocal(displayPath(QFile::encodeName(path).toStdString()));
}

}  // namespace

bool isPngFile(const QString& path) {
  const UserFileRead start = readUserFileStart(QFile::encodeName(path).toStdString(), 8);
  return start.ok && start.bytes == std::string("\x89PNG\r\n\x1a\n", 8);
}

namespace {

QMap<QString, QString> recordTexts(const std::optional<DrawnPicture>& drawn) {
  QMap<QString, QString> texts;
  if (drawn) texts.insert(kPictureRecordKey, QString::fromStdString(formatPictureRecord(*drawn)));
  return texts;
}

}  // namespace

QString writeRecordedPicture(const QString& path, QImage image, const QByteArray& format,
                             const std::optional<DrawnPicture>& drawn,
                             const std::atomic<bool>* cancel) {
  return writePictureFile(path, std::move(image), format, recordTexts(drawn), cancel);
}

QString encodeRecordedPictureInto(PendingFile& file, QImage image, const QByteArray& format,
                                  const std::optional<DrawnPicture>& drawn,
                                  const std::atomic<bool>* cancel) {
  return encodePictureInto(file, std::move(image), format, recordTexts(drawn), cancel);
}

RecordedPictureRead readRecordedPicture(const QString& path) {
  RecordedPictureRead read;
  UserFileStream file(QFile::encodeName(path).toStdString(), kMaxPictureFileBytes);
  if (!file.ok()) {
    read.error = fromLocal(file.error());
    return read;
  }
  // The record is found from the PNG's chunks: no pixel is decoded to reach it.
  const PngTextRead found =
      findPngText([&file](char* into, std::size_t size) { return file.read(into, size); },
                  kPictureRecordKey, {kMaxPictureRecordChunkBytes, kMaxPictureRecordChars});
  switch (found.outcome) {
    case PngTextRead::Outcome::NotPng: {
      // Other formats carry no record; whether they are pictures at all, the decoder tells.
      const PictureRead picture = readPictureFile(path, QSize(1, 1));
      if (!picture.ok) {
        read.error = picture.error;
        return read;
      }
      break;
    }
    case PngTextRead::Outcome::Broken:
      read.error =
          !file.ok()
              ? fromLocal(file.error())
              : QString::fromStdString(unreadablePictureMessage(shownName(path).toStdString()));
      return read;
    case PngTextRead::Outcome::Refused:
      read.outcome = RecordedPictureRead::Outcome::Damaged;
      read.error =
          QString::fromStdString(damagedRecordMessage(shownName(path).toStdString(), found.reason));
      return read;
    case PngTextRead::Outcome::Absent:
    case PngTextRead::Outcome::Found:
      break;
  }
  if (found.outcome != PngTextRead::Outcome::Found) {
    read.outcome = RecordedPictureRead::Outcome::NoRecord;
    read.error = QString::fromStdString(noRecordMessage(shownName(path).toStdString()));
    return read;
  }
  std::string reason;
  const std::optional<DrawnPicture> drawn = parsePictureRecord(found.text, &reason);
  if (!drawn) {
    read.outcome = RecordedPictureRead::Outcome::Damaged;
    read.error =
        QString::fromStdString(damagedRecordMessage(shownName(path).toStdString(), reason));
    return read;
  }
  read.outcome = RecordedPictureRead::Outcome::Recorded;
  read.picture = *drawn;
  return read;
}

}  // namespace orbisk
