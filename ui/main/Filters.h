// The ten filters of the Colours menu: each combines every channel of every canvas pixel with a
// fixed per-channel mask by AND or by OR.
#pragma once

#include <array>
#include <cstdint>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

struct Filter {
  const char* caption;     // menu caption, blanks kept
  const char* objectName;  // name of the menu item
  MaskOp op;               // how each channel meets the mask
  uint32_t mask;           // per-channel mask, red in the low byte
};

inline constexpr int kFilterCount = 10;

// The filters in menu order, top to bottom; a filter's index is its place here.
const std::array<Filter, kFilterCount>& filterTable();

// The filter at a menu index, or nullptr for an index outside 0..kFilterCount-1.
const Filter* filterAt(int index);

}  // namespace orbisk
