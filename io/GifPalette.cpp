#include "io/GifPalette.h"

#include <algorithm>
#include <unordered_map>

namespace orbisk {

namespace {

constexpr uint32_t kRgb = 0xffffffu;

// A colour's 15-bit bucket: five bits of each channel.
uint32_t bucketOf(uint32_t c) {
  return ((c >> 9) & 0x7c00u) | ((c >> 6) & 0x3e0u) | ((c >> 3) & 0x1fu);
}

int distance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
    sum += d * d;
  }
  return sum;
}

}  // namespace

GifFrame gifFrame(const uint32_t* pixels, int width, int height, int stride) {
  GifFrame frame;
  frame.indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::unordered_map<uint32_t, uint8_t> exact;  // colour -> index, while there are few enough
  bool fits = true;
  for (int y = 0; y < height && fits; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = row[x] & kRgb;
      auto [at, added] = exact.try_emplace(colour, static_cast<uint8_t>(exact.size()));
      if (added && exact.size() > 256) {
        fits = false;
        break;
      }
      frame.indices[static_cast<std::size_t>(y) * width + x] = at->second;
    }
  }
  if (fits) {
    for (const auto& [colour, index] : exact) frame.palette[index] = 0xff000000u | colour;
    return frame;
  }

  // The 256 most used buckets (ties to the lower bucket), each shown as the mean of its pixels.
  std::vector<uint64_t> count(1 << 15), red(1 << 15), green(1 << 15), blue(1 << 15);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t c = row[x], b = bucketOf(c);
      ++count[b];
      red[b] += (c >> 16) & 0xff;
      green[b] += (c >> 8) & 0xff;
      blue[b] += c & 0xff;
    }
  }
  std::vector<uint32_t> buckets;
  for (uint32_t b = 0; b < count.size(); ++b)
    if (count[b] > 0) buckets.push_back(b);
  std::stable_sort(buckets.begin(), buckets.end(),
                   [&](uint32_t a, uint32_t b) { return count[a] > count[b]; });
  buckets.resize(std::min<std::size_t>(buckets.size(), 256));
  for (std::size_t i = 0; i < buckets.size(); ++i) {
    const uint32_t b = buckets[i];
    const uint64_t n = count[b];
    frame.palette[i] = 0xff000000u | static_cast<uint32_t>((red[b] + n / 2) / n) << 16 |
                       static_cast<uint32_t>((green[b] + n / 2) / n) << 8 |
                       static_cast<uint32_t>((blue[b] + n / 2) / n);
  }
  // Every pixel of a bucket takes the palette colour nearest to the bucket's mean.
  std::vector<int> nearest(1 << 15, -1);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t b = bucketOf(row[x]);
      if (nearest[b] < 0) {
        const uint64_t n = count[b];
        const uint32_t mean = static_cast<uint32_t>((red[b] + n / 2) / n) << 16 |
                              static_cast<uint32_t>((green[b] + n / 2) / n) << 8 |
                              static_cast<uint32_t>((blue[b] + n / 2) / n);
        int best = 0;
        for (std::size_t i = 0; i < buckets.size(); ++i)
          if (distance(frame.palette[i], mean) < distance(frame.palette[best], mean))
            best = static_cast<int>(i);
        nearest[b] = best;
      }
      frame.indices[static_cast<std::size_t>(y) * width + x] = static_cast<uint8_t>(nearest[b]);
    }
  }
  return frame;
}

}  // namespace orbisk
