// Canvas size of each frame.
#pragma once

#include <cstdint>

namespace orbisk {

struct CanvasSize {
  int width;   // pixels
  int height;  // pixels
};

// 1 Regular 632 x 434, 2 Thumbnail 117 x 90, 3 Maximum 948 x 651; any other value Regular.
constexpr CanvasSize frameCanvasSize(int16_t framesize) {
  switch (framesize) {
    case 2:
      return {117, 90};
    case 3:
      return {948, 651};
    default:
      return {632, 434};
  }
}

}  // namespace orbisk
