// Canvas size of each frame.
#pragma once

#include <cstdint>

namespace orbisk {

struct CanvasSize {
  int width;   // pixels
  int height;  // pixels
};

// The canvas of each frame, the one place these sizes are written.
inline constexpr CanvasSize kRegularCanvas = {632, 434};
inline constexpr CanvasSize kThumbnailCanvas = {117, 90};
inline constexpr CanvasSize kMaximumCanvas = {948, 651};
// The size the Thumbnail frame sets in the record.
inline constexpr int16_t kThumbnailPictureSize = 54;

// 1 Regular, 2 Thumbnail, 3 Maximum; any other value Regular.
constexpr CanvasSize frameCanvasSize(int16_t framesize) {
  switch (framesize) {
    case 2:
      return kThumbnailCanvas;
    case 3:
      return kMaximumCanvas;
    default:
      return kRegularCanvas;
  }
}

}  // namespace orbisk
