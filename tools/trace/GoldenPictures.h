// The pictures the suite keeps byte for byte, and how their traces are made. The golden tests
// and orbisk-trace share them, so the platform check compares exactly what the tests pin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/PictureParams.h"
#include "render/run/RenderState.h"

namespace orbisk {

struct GoldenPicture {
  const char* name;    // tests/golden/<name>.trace holds its trace
  const char* record;  // the data file's line
  int16_t detailstep;  // 1 Detail High, 4 Detail Low
};

// Pictures of every shape family, both directions and Detail Low.
const std::vector<GoldenPicture>& goldenPictures();

// The golden picture of that name, or nullptr.
const GoldenPicture* findGoldenPicture(const std::string& name);

// What a fresh start and Load data of the record give, at the picture's detail.
PictureParams goldenParams(const GoldenPicture& picture);

// The text orbisk-render --trace writes for one whole run of params from state on a surface of
// width x height (the frame's canvas); state ends as the run leaves it. The trace does not depend
// on what the canvas holds, so no canvas is drawn on.
std::string traceOfRun(const PictureParams& params, RenderState& state, int width, int height);

// The trace of params after a fresh start (default working values) on its frame's canvas, as
// orbisk-render --trace writes it for a data file.
std::string traceOfFreshRun(const PictureParams& params);

}  // namespace orbisk
