// Variations of the page's picture and children of it and another, as the desktop's Explore
// window makes them: the same core, the same seed, the same pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "web/core/WebPicture.h"

namespace orbisk::web {

// JSON {"cells": [{"picture": text, "change": text}, ...]}: wanted variations of picture (a
// record text; step 0 a little, 1 more, 2 a lot) or, when other is a record text too, wanted
// children of the two. Each cell's picture is the record text to draw in full, carrying its
// origin.
Answer exploreOffspring(std::string_view picture, std::string_view other, int step, uint64_t seed,
                        int wanted);

}  // namespace orbisk::web
