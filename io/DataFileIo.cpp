#include "io/DataFileIo.h"

#include "io/UserFile.h"

namespace orbisk {

RecordFileResult readRecordFile(const std::string& path, int maxFields) {
  // The parser looks at no more than kMaxRecordChars characters, so only those are read.
  const UserFileRead file = readUserFileStart(path, kMaxRecordChars);
  if (!file.ok) {
    RecordFileResult result;
    result.error = file.error;
    return result;
  }
  return readRecordText(file.bytes, displayPath(path), maxFields);
}

std::string writeRecordFile(const std::string& path, const PictureParams& params) {
  return writeUserFile(path, formatRecord(params));
}

}  // namespace orbisk
