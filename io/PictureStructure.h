// Whether a picture file's bytes are all there, judged from its structure alone. Image decoders
// fill the missing rows of a cut-off file with grey or black and only print a warning; this
// check lets such a file be refused. Plain C++, so the fuzz targets can run it without Qt.
#pragma once

#include <string_view>

namespace orbisk {

enum class PictureStructure {
  Complete,    // every part the format's structure announces is present
  Incomplete,  // the data ends early or its structure is broken
  NotChecked,  // not a JPEG, BMP, GIF or PNG file: the decoder alone decides
};

PictureStructure checkPictureStructure(std::string_view bytes);

}  // namespace orbisk
