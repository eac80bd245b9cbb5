// Files the page is given: a data file or an Orbisk PNG opened. The bytes the page was given are in
// the module's own file system, read by the same readers the desktop reads files with.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "web/core/WebPicture.h"

namespace orbisk::web {

enum class OpenOutcome {
  Opened,        // text holds the picture to draw; message a note, if any
  NeedsInflate,  // the record is compressed: inflate compressedRecord() and open again
  Refused,       // message says why; nothing changes
};

struct Opened {
  OpenOutcome outcome = OpenOutcome::Refused;
  Answer answer;
};

// Opens the file at path as "Load data" does, onto picture: a PNG by its record (detail,
// background and carried-over values included), anything else as a data file.
Opened openFile(std::string_view picture, const std::string& path);

}  // namespace orbisk::web
