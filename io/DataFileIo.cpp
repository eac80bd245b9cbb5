// The data file on disk: readRecordFile and writeRecordFile of model/DataFile.h, through the
// reader and writer every file the user names goes through.
#include <algorithm>

#include "io/UserFile.h"
#include "model/DataFile.h"

namespace orbisk {

RecordFileResult readRecordFile(const std::string& path, int maxFields) {
  RecordFileResult result;
  // The parser looks at no more than kMaxRecordChars characters, so only those are read.
  const UserFileRead file = readUserFileStart(path, kMaxRecordChars);
  if (!file.ok) {
    result.error = file.error;
    return result;
  }
  result.record = parseRecord(std::string_view(file.bytes), maxFields);
  const int needed = std::min(kMinimumRecordFields, std::clamp(maxFields, 0, kRecordFields));
  if (result.record.count < needed) {
    const int count = result.record.count;
    const std::string found = count == 0   ? "no number"
                              : count == 1 ? "only 1 number"
                                           : "only " + std::to_string(count) + " numbers";
    result.error = displayPath(path) + " is not an Orbisk data file: " + found +
                   " could be read; a data file needs at least " + std::to_string(needed);
    return result;
  }
  result.ok = true;
  return result;
}

std::string writeRecordFile(const std::string& path, const PictureParams& params) {
  return writeUserFile(path, formatRecord(params));
}

}  // namespace orbisk
