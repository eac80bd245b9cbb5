// The filters of a canvas composed into one, so that a picture drawn again (larger, or later)
// gets exactly the filters its canvas got, in one pass over its pixels.
#pragma once

#include <cstdint>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

// Every channel c becomes (c AND andMask) OR orMask. A filter is an AND or an OR with a
// per-channel mask, so any sequence of them composes so.
struct ComposedMask {
  uint32_t andMask = 0xffffffu;  // 24-bit, red in the low byte; all ones: nothing cleared
  uint32_t orMask = 0;           // 24-bit, red in the low byte; zero: nothing set

  // The composition of this followed by one more filter.
  ComposedMask then(MaskOp op, uint32_t mask) const;
  bool isIdentity() const { return andMask == 0xffffffu && orMask == 0; }
  // Applies the composition to every pixel of the canvas.
  void applyTo(RasterCanvas& canvas) const;
};

}  // namespace orbisk
