// A GIF frame's 256 colours: exact for a frame of at most 256 colours, the nearest of the most
// used otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "io/GifPalette.h"

namespace orbisk {
namespace {

int worstChannel(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8)
    worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xff) -
                                     static_cast<int>((b >> shift) & 0xff)));
  return worst;
}

TEST(GifPalette, FewColoursExactlyAndManyNearly) {
  struct Case {
    const char* what;
    int colours;    // distinct colours in a 40 x 30 frame (its rows 50 pixels apart)
    int tolerance;  // the largest channel error allowed
  };
  for (const Case& c :
       {Case{"one colour", 1, 0}, Case{"256 colours", 256, 0}, Case{"1200 colours", 1200, 7}}) {
    SCOPED_TRACE(c.what);
    const int width = 40, height = 30, stride = 50;
    std::vector<uint32_t> pixels(static_cast<std::size_t>(stride) * height, 0xff123456u);
    for (int i = 0; i < width * height; ++i) {
      // Distinct colours along a red ramp with a little green: more than 256 of them fall into
      // fewer than 256 buckets of five bits a channel.
      const uint32_t k = static_cast<uint32_t>(i % c.colours);
      pixels[static_cast<std::size_t>(i / width * stride + i % width)] =
          0xff000000u | (k * 255 / 1199) << 16 | (k * 7 % 40) << 8 | 100u;
    }
    const GifFrame frame = gifFrame(pixels.data(), width, height, stride);
    ASSERT_EQ(frame.indices.size(), static_cast<std::size_t>(width * height));
    int worst = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        worst = std::max(worst, worstChannel(frame.palette[frame.indices[y * width + x]],
                                             pixels[static_cast<std::size_t>(y * stride + x)]));
    EXPECT_LE(worst, c.tolerance);
  }
}

}  // namespace
}  // namespace orbisk
