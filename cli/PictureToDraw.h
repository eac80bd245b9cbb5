// What a command line names to draw: a data file, loaded after a fresh start, or a PNG of ours
// with the record it carries (its detail, background, working values and scale included).
#pragma once

#include <string>

#include "session/DrawnPicture.h"

namespace orbisk {

// false with error set (one line naming the file) when the file cannot be read or holds no
// record; drawn is then unspecified.
bool readPictureToDraw(const std::string& path, DrawnPicture& drawn, std::string& error);

}  // namespace orbisk
