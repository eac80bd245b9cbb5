// Variations of a picture: neighbours that each change one or two fields of its record by a
// small step, or swap one discrete choice (a function, the colour system, the shape).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "render/random/Offspring.h"

namespace orbisk {

// How far a variation goes.
enum class VariationStep { Little, More, Lot };

// The step a word names: "little", "more" or "lot"; none for anything else.
std::optional<VariationStep> variationStepNamed(std::string_view name);
const char* variationStepName(VariationStep step);

// Where a variation came from, as a picture's record keeps it: "variation (more) of RECORD:
// v2 40 to 52", RECORD the parent's data-file line.
std::string variationOrigin(const PictureParams& parent, VariationStep step,
                            const std::string& change);

// The record of variation try seed of parent: drawn from the seed alone.
Derived varyRecord(const PictureParams& parent, uint64_t seed, VariationStep step);

// wanted variations of parent (its record, working values and canvas), try k drawn from
// candidateSeed(seed, k): see chooseOffspring.
std::vector<Offspring> chooseVariations(const PictureOrder& parent, uint64_t seed,
                                        VariationStep step, int wanted,
                                        const std::atomic<bool>* cancel = nullptr);

}  // namespace orbisk
