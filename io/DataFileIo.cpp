#include "io/DataFileIo.h"

#include <algorithm>

#include "io/UserFile.h"

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
  const DataRecord& record = result.record;
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  const int needed = std::min(kMinimumRecordFields, wanted);
  const int firstUnread = record.count + 1;
  if (record.count < needed) {
    const int count = record.count;
    std::string reason;
    if (record.problem == FieldProblem::Missing) {
      const std::string found = count == 0   ? "no number"
                                : count == 1 ? "only 1 number"
                                             : "only " + std::to_string(count) + " numbers";
      reason = found + " could be read; a data file needs at least " + std::to_string(needed);
    } else {
      reason = describeFieldProblem(record.problem, firstUnread);
    }
    result.error = displayPath(path) + " is not an Orbisk data file: " + reason;
    return result;
  }
  result.ok = true;
  if (record.count < wanted) {
    // Loaded all the same, as a record of 28 or more fields always is; the user hears which
    // values the picture lost.
    const std::string fields = firstUnread == wanted ? "field " + std::to_string(wanted) +
                                                           " could not be read and "
                                                           "now counts as 0"
                                                     : "fields " + std::to_string(firstUnread) +
                                                           " to " + std::to_string(wanted) +
                                                           " could not be read and now count as 0";
    result.note = displayPath(path) + ": " + fields + " (" +
                  describeFieldProblem(record.problem, firstUnread) + ")";
  }
  return result;
}

std::string writeRecordFile(const std::string& path, const PictureParams& params) {
  return writeUserFile(path, formatRecord(params));
}

}  // namespace orbisk
