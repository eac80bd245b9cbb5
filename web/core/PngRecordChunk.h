// The record put into the PNG the browser encodes of the canvas, so the page's saved pictures
// carry it as the desktop's do.
#pragma once

#include <string_view>

#include "web/core/WebPicture.h"

namespace orbisk::web {

// The PNG bytes with the picture's record as an "Orbisk record" text chunk (tEXt) right after
// the header; refused when png does not start with a PNG header or the record is damaged.
Answer pngWithRecord(std::string_view png, std::string_view picture);

}  // namespace orbisk::web
