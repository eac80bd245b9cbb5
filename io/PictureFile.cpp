#include "io/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>
#include <memory>
#include <mutex>
#include <utility>

#include "io/PendingFile.h"
#include "io/PictureStructure.h"
#include "io/UserFile.h"

namespace orbisk {

namespace {

QString fromLocal(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString shownPath(const QString& path) {
  return fromLocal(displayPath(QFile::encodeName(path).toStdString()));
}

// One message for every picture that cannot be decoded, whatever the decoder found wrong.
QString undecodable(const QString& path) {
  return QString::fromStdString(unreadablePictureMessage(shownPath(path).toStdString()));
}

// Qt's own allocation limit (256 MB by default) is raised to the bound checked below, once.
void raiseAllocationLimit() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (QImageReader::allocationLimit() < kMaxPictureDecodeMegabytes)
      QImageReader::setAllocationLimit(kMaxPictureDecodeMegabytes);
  });
}

}  // namespace

PictureRead readPictureFile(const QString& path, QSize shownLimit) {
  PictureRead result;
  const UserFileRead file =
      readUserFile(QFile::encodeName(path).toStdString(), kMaxPictureFileBytes);
  if (!file.ok) {
    result.error = fromLocal(file.error);
    return result;
  }
  // A cut-off picture would decode with its missing rows grey or black.
  if (checkPictureStructure(file.bytes) == PictureStructure::Incomplete) {
    result.error = undecodable(path);
    return result;
  }
  raiseAllocationLimit();
  QByteArray data =
      QByteArray::fromRawData(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);  // the format is told by the content
  // A format whose header gives no size is decoded whole (Qt's allocation limit bounds it).
  QSize full = reader.size();
  if (!reader.canRead() || (full.isValid() && full.isEmpty())) {
    result.error = undecodable(path);
    return result;
  }

  // Only the part that can be shown is decoded where the format can do so (JPEG can), which
  // keeps a large photo quick and small; other formats are decoded whole within a bound.
  const QSize shown = shownLimit.isValid() ? full.boundedTo(shownLimit) : full;
  if (full.isValid() && shown != full && reader.supportsOption(QImageIOHandler::ClipRect)) {
    reader.setClipRect(QRect(QPoint(0, 0), shown));
  } else if (full.isValid()) {
    const qint64 decodedBytes = qint64(full.width()) * full.height() * 4;
    if (decodedBytes > qint64(kMaxPictureDecodeMegabytes) * 1024 * 1024) {
      result.error = "Cannot read " + shownPath(path) +
                     QString(": the picture is too large (%1 x %2 pixels).")
                         .arg(full.width())
                         .arg(full.height());
      return result;
    }
  }
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    result.error = undecodable(path);
    return result;
  }
  // The texts as the decoded image holds them: QImageReader::text() would join a text's lines
  // and file a key with a blank in it under "Description".
  for (const QString& key : image.textKeys()) result.texts.insert(key, image.text(key));
  if (!full.isValid()) full = image.size();
  const QSize kept = shownLimit.isValid() ? image.size().boundedTo(shownLimit) : image.size();
  if (image.size() != kept) image = image.copy(QRect(QPoint(0, 0), kept));
  result.image = image;
  result.fullSize = full;
  result.ok = true;
  return result;
}

namespace {

// Encoded bytes go straight into the pending file; writes fail once cancel is set, so that a
// long encoding stops within a few kilobytes instead of running to its end.
class PendingFileDevice : public QIODevice {
 public:
  PendingFileDevice(PendingFile& file, const std::atomic<bool>* cancel)
      : file_(file), cancel_(cancel) {}
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    if (cancel_ && cancel_->load(std::memory_order_relaxed)) return -1;
    std::FILE* stream = file_.stream();
    const auto size = static_cast<std::size_t>(length);
    return stream != nullptr && std::fwrite(data, 1, size, stream) == size ? length : -1;
  }

 private:
  PendingFile& file_;
  const std::atomic<bool>* cancel_;  // null: never cancelled
};

}  // namespace

QString encodePictureInto(PendingFile& file, QImage image, const QByteArray& format,
                          const QMap<QString, QString>& texts, const std::atomic<bool>* cancel) {
  const QByteArray kind = format.toLower();
  const QString failure = "Cannot save " + fromLocal(file.shownPath()) + ": ";
  PendingFileDevice device(file, cancel);
  device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  QImageWriter writer(&device, kind);
  // 24 bits per pixel keep every colour the canvas holds and match what BMP readers expect; the
  // BMP writer stores a 32-bit image with 24 bits row by row, so only other formats are
  // converted. The image is taken over, not shared, so putting texts on it copies no pixels.
  QImage written = kind == "bmp" && image.format() != QImage::Format_RGB32
                       ? image.convertToFormat(QImage::Format_RGB888)
                       : std::move(image);
  if (written.isNull()) return failure + "not enough memory.";
  // The texts go on the image: QImageWriter::setText would file a key with a blank in it under
  // "Description".
  if (kind == "png") {
    for (auto it = texts.begin(); it != texts.end(); ++it) written.setText(it.key(), it.value());
  }
  const bool encodedWhole = writer.write(written);
  if (cancel && cancel->load()) return failure + "cancelled.";
  // A failed write is the file's own reason (a full disk, a closed pipe); the encoder's text
  // would only say that the device failed.
  if (file.failed()) return QString::fromLocal8Bit(file.finish());
  if (!encodedWhole) return failure + writer.errorString() + ".";
  return {};
}

QString writePictureFile(const QString& path, QImage image, const QByteArray& format,
                         const QMap<QString, QString>& texts, const std::atomic<bool>* cancel) {
  std::string error;
  const std::unique_ptr<PendingFile> file =
      PendingFile::open(QFile::encodeName(path).toStdString(), error);
  if (!file) return fromLocal(error);
  if (QString problem = encodePictureInto(*file, std::move(image), format, texts, cancel);
      !problem.isEmpty())
    return problem;
  return fromLocal(commitTogether({file.get()}));
}

}  // namespace orbisk
