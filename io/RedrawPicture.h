// Draws a picture again from what drew it: its record, its detail, its background, its scale and
// the working values its run started from.
#pragma once

#include "render/run/WholePicture.h"
#include "session/DrawnPicture.h"

namespace orbisk {

// The order that draws picture again: the record at the picture's detail, the working values its
// run started from, and the blank canvas it started on (the frame's size, the background colour,
// the pen of the detail and colours) at the picture's scale.
PictureOrder orderToRedraw(const DrawnPicture& picture);

}  // namespace orbisk
