// The data file on disk, touched the way every file the user names is touched (no blocking on a
// FIFO, safe replace, hard links and permission bits kept). The text itself is model/DataFile.h.
#pragma once

#include <string>

#include "model/DataFile.h"

namespace orbisk {

// Reads a data file as readRecordText reads its bytes; also refuses a file that cannot be opened
// or is not a regular file.
RecordFileResult readRecordFile(const std::string& path, int maxFields = kRecordFields);

// Writes the record as the file's whole content (see writeUserFile in io/UserFile.h), so an
// existing file is never left truncated by a failure that can be foreseen. Returns an empty
// string on success, else a message naming the file and the reason.
std::string writeRecordFile(const std::string& path, const PictureParams& params);

}  // namespace orbisk
