// What a command line names to draw: a data file, loaded after a fresh start, or a PNG of ours
// with the record it carries (its detail, background, working values and scale included).
#pragma once

#include <string>

#include "session/DrawnPicture.h"

namespace orbisk {

// false with error set (one line naming the file) when the file cannot be read or holds no
// record; drawn is then unspecified. note receives the reader's line about fields of a data
// file that could not be read and count as 0 (as "Load data" shows it), else "".
bool readPictureToDraw(const std::string& path, DrawnPicture& drawn, std::string& error,
                       std::string& note);

}  // namespace orbisk
