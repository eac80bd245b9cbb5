// What drew a picture: the record and the renderer's working values as the run found them.
#pragma once

#include <cstdint>
#include <string>

#include "model/PictureParams.h"
#include "render/run/RenderState.h"

namespace orbisk {

// One complete run on a blank canvas is fixed by these values: the same values draw the same
// pixels on every build.
struct DrawnPicture {
  PictureParams params;     // the record as the run started, detailstep included
  RenderState startState;   // the working values the run started from (carried over from before)
  uint32_t background = 0;  // the blank canvas's colour, 24 bits, red in the low byte
  int16_t detailstep = 1;   // 1 Detail High, 4 Detail Low (also in params.detailstep)
  int16_t scale = 1;        // the picture's size as a multiple of the frame's canvas, 1..8
  // Where the record came from, when it was made from other pictures: "variation (more) of
  // RECORD: v2 40 to 52" or "child of RECORD and RECORD: colours from the second" (RECORD a
  // parent's data-file line). Empty for a record made in the editors, loaded or drawn at random.
  // It only tells: the picture is drawn from the fields above alone.
  std::string origin;
};

}  // namespace orbisk
