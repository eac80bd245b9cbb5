// Picture files with the record that drew them: PNG text chunks under "Orbisk record".
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <atomic>
#include <optional>

#include "session/DrawnPicture.h"

namespace orbisk {

class PendingFile;

// True when the file's first bytes are the PNG signature, whatever its name. The file is
// opened without blocking; anything but a readable regular file gives false.
bool isPngFile(const QString& path);

// The one writer of a picture with its record: writes image as writePictureFile does ("BMP",
// "PNG" or another format Qt encodes), and a PNG gets the record of drawn, when given, as its
// "Orbisk record" text. Give drawn only while the picture is exactly what that record draws.
// Returns "" or one line naming the file and the reason; once cancel is set, nothing is written.
QString writeRecordedPicture(const QString& path, QImage image, const QByteArray& format,
                             const std::optional<DrawnPicture>& drawn,
                             const std::atomic<bool>* cancel = nullptr);

// The encoding part of writeRecordedPicture: the picture goes into file, which the caller then
// puts in place (with the other outputs of one command, see commitTogether). Once cancel is set,
// encoding stops and the file is not to be placed.
QString encodeRecordedPictureInto(PendingFile& file, QImage image, const QByteArray& format,
                                  const std::optional<DrawnPicture>& drawn,
                                  const std::atomic<bool>* cancel = nullptr);

struct RecordedPictureRead {
  enum class Outcome {
    Recorded,    // a picture with a well-formed record: picture holds it
    NoRecord,    // a readable picture without a record
    Damaged,     // a record that cannot be read: error says why
    Unreadable,  // the file cannot be read or is no picture
  };
  Outcome outcome = Outcome::Unreadable;
  DrawnPicture picture;
  QString error;  // one line naming the file and the reason, for every outcome but Recorded
};

// Reads the record a picture file carries. A PNG's record is found from its chunks without
// decoding a pixel; a picture of another format, which carries none, is decoded (within the
// usual bounds) only to tell a picture from a file that is none.
RecordedPictureRead readRecordedPicture(const QString& path);

}  // namespace orbisk
