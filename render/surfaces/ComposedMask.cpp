#include "render/surfaces/ComposedMask.h"

namespace orbisk {

ComposedMask ComposedMask::then(MaskOp op, uint32_t mask) const {
  mask &= 0xffffffu;
  // ((c & A) | O) & m = (c & (A & m)) | (O & m);  ((c & A) | O) | m = (c & A) | (O | m).
  if (op == MaskOp::And) return {andMask & mask, orMask & mask};
  return {andMask, orMask | mask};
}

void ComposedMask::applyTo(RasterCanvas& canvas) const {
  if (andMask != 0xffffffu) canvas.applyMask(MaskOp::And, andMask);
  if (orMask != 0) canvas.applyMask(MaskOp::Or, orMask);
}

}  // namespace orbisk
