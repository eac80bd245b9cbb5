#include "render/run/PictureContent.h"

#include <algorithm>
#include <bitset>

namespace orbisk {

namespace {

constexpr uint64_t kMinDrawnPpm = 10000;  // 1 % of the area
constexpr int kMinColours = 3;

// Which of the kShades a 0xRRGGBB colour falls in: the top three bits of each channel.
uint32_t shadeOf(uint32_t colour) {
  return (colour >> 21 & 7u) << 6 | (colour >> 13 & 7u) << 3 | (colour >> 5 & 7u);
}

}  // namespace

PictureContent measurePicture(const uint32_t* pixels, int width, int height, int stride,
                              uint32_t background) {
  PictureContent content;
  if (width <= 0 || height <= 0) return content;
  content.pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  // The background as stored: 0xRRGGBB, red in the high byte; the alpha byte is ignored.
  const uint32_t stored =
      (background & 0xffu) << 16 | (background & 0xff00u) | (background >> 16 & 0xffu);
  std::bitset<PictureContent::kShades> shades;
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    int first = -1, lastX = -1;
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = row[x] & 0xffffffu;
      if (colour == stored) continue;
      ++content.drawnPixels;
      if (first < 0) first = x;
      lastX = x;
      shades.set(shadeOf(colour));
    }
    if (first >= 0) {
      left = std::min(left, first);
      right = std::max(right, lastX);
      top = std::min(top, y);
      bottom = y;
    }
  }
  content.colours = static_cast<int>(shades.count());
  if (right >= 0) {
    content.left = left;
    content.top = top;
    content.width = right - left + 1;
    content.height = bottom - top + 1;
  }
  return content;
}

bool worthShowing(const PictureContent& content) {
  return content.drawnPpm() >= kMinDrawnPpm && content.colours >= kMinColours;
}

bool showsMoreThan(const PictureContent& a, uint64_t drawnA, const PictureContent& b,
                   uint64_t drawnB) {
  if (a.richness() != b.richness()) return a.richness() > b.richness();
  return drawnA < drawnB;
}

}  // namespace orbisk
