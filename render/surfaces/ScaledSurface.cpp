#include "render/surfaces/ScaledSurface.h"

#include <algorithm>

namespace orbisk {

int clampScale(int scale) {
  return std::clamp(scale, ScaledSurface::kMinScale, ScaledSurface::kMaxScale);
}

ScaledSurface::ScaledSurface(Surface& target, int scale, int width, int height)
    : target_(target),
      scale_(static_cast<float>(clampScale(scale))),
      width_(width),
      height_(height) {}

}  // namespace orbisk
