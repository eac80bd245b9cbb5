// A copy of the canvas's pixels, and a look at pixels held elsewhere: what the undo copy and the
// recorder of what drew the canvas keep and compare.
#pragma once

#include <cstdint>
#include <vector>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

// Pixels someone else holds: 0xffRRGGBB rows of width pixels, stride pixels apart.
struct PixelView {
  const uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  static PixelView of(const RasterCanvas& canvas) {
    return {canvas.bits(), canvas.width(), canvas.height(), canvas.width()};
  }
  const uint32_t* row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Pixels of our own, 0xffRRGGBB rows of width pixels; empty when nothing was copied.
struct CanvasCopy {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  static CanvasCopy of(const RasterCanvas& canvas) {
    const uint32_t* bits = canvas.bits();
    return {canvas.width(), canvas.height(),
            std::vector<uint32_t>(bits, bits + static_cast<std::size_t>(canvas.width()) *
                                                   static_cast<std::size_t>(canvas.height()))};
  }
  bool isEmpty() const { return pixels.empty(); }
  PixelView view() const { return {pixels.data(), width, height, width}; }
};

}  // namespace orbisk
