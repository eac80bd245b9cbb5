#include "cli/PictureToDraw.h"

#include <QString>

#include "io/DataFileIo.h"
#include "io/RecordedPicture.h"
#include "io/UserFile.h"

namespace orbisk {

bool readPictureToDraw(const std::string& path, DrawnPicture& drawn, std::string& error,
                       std::string& note) {
  note.clear();
  const QString input = QString::fromLocal8Bit(path.c_str());
  if (isPngFile(input)) {
    const RecordedPictureRead read = readRecordedPicture(input);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      error = read.error.toStdString();
      return false;
    }
    drawn = read.picture;
    return true;
  }
  const RecordFileResult loaded = readRecordFile(path);
  if (!loaded.ok) {
    error = loaded.error;
    return false;
  }
  note = loaded.note;
  // A fresh start: default parameters and working values, black canvas, then Load data.
  drawn = DrawnPicture{};
  applyRecord(loaded.record, drawn.params);
  return true;
}

}  // namespace orbisk
