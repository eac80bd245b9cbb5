// The data file on disk, touched the way every file the user names is touched (no blocking on a
// FIFO, safe replace, hard links and permission bits kept). The text itself is model/DataFile.h.
#pragma once

#include <string>

#include "model/DataFile.h"

namespace orbisk {

struct RecordFileResult {
  bool ok = false;
  DataRecord record;
  std::string error;  // one line naming the file and the problem when !ok
  // When ok but fields asked for could not be read: one line naming the file, those fields
  // (which count as 0) and why; else empty.
  std::string note;
};

// Reads a data file. Refuses a file that cannot be opened, is not a regular file, or holds fewer
// than kMinimumRecordFields readable fields (fewer than maxFields when that is smaller), saying
// why the first field missing could not be read.
RecordFileResult readRecordFile(const std::string& path, int maxFields = kRecordFields);

// Writes the record as the file's whole content (see writeUserFile in io/UserFile.h), so an
// existing file is never left truncated by a failure that can be foreseen. Returns an empty
// string on success, else a message naming the file and the reason.
std::string writeRecordFile(const std::string& path, const PictureParams& params);

}  // namespace orbisk
