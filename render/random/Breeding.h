// Children of two pictures: each takes groups of fields (the origin, the functions, the
// variables, the colours, the shape) from one parent or the other, now and then with one field
// moved a little.
#pragma once

#include "render/random/Offspring.h"

namespace orbisk {

// Where a child came from, as a picture's record keeps it: "child of RECORD and RECORD:
// colours from the second".
std::string childOrigin(const PictureParams& first, const PictureParams& second,
                        const std::string& change);

// The record of breeding try seed: first's render settings (frame, detail, length, width,
// direction) with each group from first or second; at least one from each.
Derived breedRecords(const PictureParams& first, const PictureParams& second, uint64_t seed);

// wanted children of first (its record, working values and canvas) and second's record, try k
// drawn from candidateSeed(seed, k): see chooseOffspring.
std::vector<Offspring> chooseChildren(const PictureOrder& first, const PictureParams& second,
                                      uint64_t seed, int wanted,
                                      const std::atomic<bool>* cancel = nullptr);

}  // namespace orbisk
