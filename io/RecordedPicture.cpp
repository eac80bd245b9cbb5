#include "io/RecordedPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <string>

#include "io/PictureRecordText.h"

namespace orbisk {

namespace {

QString shownName(const QString& path) {
  return QDir::toNativeSeparators(path);
}

}  // namespace

bool isPngFile(const QString& path) {
  // Only regular files are opened: a FIFO or a device would block the reader.
  if (!QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QString writeRecordedPicture(const QString& path, const QImage& image, const QByteArray& format,
                             const std::optional<DrawnPicture>& drawn) {
  QSaveFile file(path);
  // A device such as /dev/stdout, or a folder that takes no temporary file, is written directly.
  file.setDirectWriteFallback(true);
  QString problem;
  if (!file.open(QIODevice::WriteOnly)) {
    problem = file.errorString();
  } else {
    QImageWriter writer(&file, format);
    // The text goes on the image, not through QImageWriter::setText: the writer would file a key
    // with a blank in it under "Description".
    QImage tagged = image;
    if (format == "PNG" && drawn)
      tagged.setText(kPictureRecordKey, QString::fromStdString(formatPictureRecord(*drawn)));
    if (!writer.write(tagged)) {
      problem = writer.errorString();
      file.cancelWriting();
    } else if (!file.commit()) {
      problem = file.errorString();
    }
  }
  return problem;
}

RecordedPictureRead readRecordedPicture(const QString& path) {
  RecordedPictureRead read;
  if (!QFileInfo(path).isFile()) {
    read.error = QString("The picture \"%1\" cannot be read: it is not a regular file.")
                     .arg(shownName(path));
    return read;
  }
  // The texts come with the decoded image: QImageReader::text() would merge the lines of the
  // record into one.
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) {
    read.error = QString("The picture \"%1\" cannot be read: %2.")
                     .arg(shownName(path), reader.errorString());
    return read;
  }
  const QString recordText = image.text(kPictureRecordKey);
  if (recordText.isNull()) {
    read.outcome = RecordedPictureRead::Outcome::NoRecord;
    read.error = QString("The picture \"%1\" carries no Orbisk record.").arg(shownName(path));
    return read;
  }
  const std::string text = recordText.toStdString();
  std::string reason;
  const std::optional<DrawnPicture> picture = parsePictureRecord(text, &reason);
  if (!picture) {
    read.outcome = RecordedPictureRead::Outcome::Damaged;
    read.error = QString("The Orbisk record of \"%1\" is damaged: %2.")
                     .arg(shownName(path), QString::fromStdString(reason));
    return read;
  }
  read.outcome = RecordedPictureRead::Outcome::Recorded;
  read.picture = *picture;
  return read;
}

}  // namespace orbisk
