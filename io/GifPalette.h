// A frame's pixels as 256 colours for a GIF: every colour exactly where the frame has at most
// 256; otherwise the 256 most used colours at five bits a channel, each pixel taking the nearest.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orbisk {

struct GifFrame {
  std::array<uint32_t, 256> palette{};  // 0xffRRGGBB, unused entries black
  std::vector<uint8_t> indices;         // one palette index per pixel, rows of the frame's width
};

// pixels: rows of 0xffRRGGBB, stride in pixels.
GifFrame gifFrame(const uint32_t* pixels, int width, int height, int stride);

}  // namespace orbisk
