// The gallery's choice of candidates, as the desktop's gallery makes it: the numbered sequence of
// a seed drawn on top of the picture, quick looks at Detail Low, the first ones worth showing.
#pragma once

#include <cstdint>
#include <string_view>

#include "web/core/WebPicture.h"

namespace orbisk::web {

// JSON: [{"index": n, "picture": text, "quick": richness}, ...], wanted candidates from number
// first on, each the picture to draw in full for its cell.
Answer galleryCandidates(std::string_view picture, uint64_t seed, uint64_t first, int wanted);

}  // namespace orbisk::web
