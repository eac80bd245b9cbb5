#include "render/PictureContent.h"

#include <algorithm>
#include <vector>

namespace orbisk {

namespace {

constexpr uint64_t kMinDrawnPpm = 10000;  // 1 % of the area
constexpr int kMinColours = 3;

// Distinct colours up to kColourCap, in an open-addressing table that never fills since it
// holds twice the cap.
class ColourSet {
 public:
  // Returns whether the set is full.
  bool add(uint32_t colour) {
    const uint32_t key = colour | 0xff000000u;  // 0 marks a free slot
    uint32_t slot = (key * 2654435761u) >> (32 - kBits);
    while (slots_[slot] != 0) {
      if (slots_[slot] == key) return false;
      slot = (slot + 1) & (kSlots - 1);
    }
    slots_[slot] = key;
    return ++count_ >= PictureContent::kColourCap;
  }
  int count() const { return count_; }

 private:
  static constexpr int kBits = 13;
  static constexpr uint32_t kSlots = 1u << kBits;
  static_assert(kSlots >= 2 * PictureContent::kColourCap);
  std::vector<uint32_t> slots_ = std::vector<uint32_t>(kSlots);
  int count_ = 0;
};

}  // namespace

PictureContent measurePicture(const uint32_t* pixels, int width, int height, int stride,
                              uint32_t background) {
  PictureContent content;
  if (width <= 0 || height <= 0) return content;
  content.pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  // The background as stored: 0xRRGGBB, red in the high byte; the alpha byte is ignored.
  const uint32_t stored =
      (background & 0xffu) << 16 | (background & 0xff00u) | (background >> 16 & 0xffu);
  ColourSet colours;
  bool full = false;
  uint32_t last = stored;  // runs of one colour skip the table
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
      if (colour != last && !full) full = colours.add(colour);
      last = colour;
    }
    if (first >= 0) {
      left = std::min(left, first);
      right = std::max(right, lastX);
      top = std::min(top, y);
      bottom = y;
    }
  }
  content.colours = colours.count();
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
