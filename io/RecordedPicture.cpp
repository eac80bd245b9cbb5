#include "io/RecordedPicture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <string>
#include <utility>

#include "io/PictureFile.h"
#include "io/PictureRecordText.h"
#include "io/UserFile.h"

namespace orbisk {

namespace {

QString shownName(const QString& path) {
  return QString::fromLocal8Bit(displayPath(QFile::encodeName(path).toStdString()));
}

}  // namespace

bool isPngFile(const QString& path) {
  const UserFileRead start = readUserFileStart(QFile::encodeName(path).toStdString(), 8);
  return start.ok && start.bytes == std::string("\x89PNG\r\n\x1a\n", 8);
}

QString writeRecordedPicture(const QString& path, QImage image, const QByteArray& format,
                             const std::optional<DrawnPicture>& drawn) {
  QMap<QString, QString> texts;
  if (drawn) texts.insert(kPictureRecordKey, QString::fromStdString(formatPictureRecord(*drawn)));
  return writePictureFile(path, std::move(image), format, texts);
}

RecordedPictureRead readRecordedPicture(const QString& path) {
  RecordedPictureRead read;
  // Only the texts are wanted: the smallest part of the picture is kept.
  const PictureRead picture = readPictureFile(path, QSize(1, 1));
  if (!picture.ok) {
    read.error = picture.error;
    return read;
  }
  const auto text = picture.texts.constFind(kPictureRecordKey);
  if (text == picture.texts.constEnd()) {
    read.outcome = RecordedPictureRead::Outcome::NoRecord;
    read.error = QString("The picture \"%1\" carries no Orbisk record.").arg(shownName(path));
    return read;
  }
  std::string reason;
  const std::optional<DrawnPicture> drawn = parsePictureRecord(text->toStdString(), &reason);
  if (!drawn) {
    read.outcome = RecordedPictureRead::Outcome::Damaged;
    read.error = QString("The Orbisk record of \"%1\" is damaged: %2.")
                     .arg(shownName(path), QString::fromStdString(reason));
    return read;
  }
  read.outcome = RecordedPictureRead::Outcome::Recorded;
  read.picture = *drawn;
  return read;
}

}  // namespace orbisk
