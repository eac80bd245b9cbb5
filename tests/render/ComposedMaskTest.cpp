#include "render/surfaces/ComposedMask.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbisk {
namespace {

struct Step {
  MaskOp op;
  uint32_t mask;  // 24-bit, red in the low byte
};

// A canvas holding a spread of colours: every channel takes values with every bit pattern that
// matters to a mask (0, all ones, and mixed).
RasterCanvas spreadCanvas() {
  RasterCanvas canvas(16, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const uint32_t colour = static_cast<uint32_t>(x * 17) | static_cast<uint32_t>(y * 17) << 8 |
                              static_cast<uint32_t>((x * 7 + y * 11) & 0xff) << 16;
      canvas.plot(static_cast<float>(x), static_cast<float>(y), colour);
    }
  }
  return canvas;
}

std::vector<uint32_t> pixelsOf(const RasterCanvas& canvas) {
  return {canvas.bits(), canvas.bits() + canvas.width() * canvas.height()};
}

// Filters composed into one give, in one pass, what applying them one by one gives; the same
// filters in another order may give another picture, and the composition follows the order.
TEST(ComposedMask, ComposedFiltersEqualFiltersOneByOneInEveryOrder) {
  const Step keepRed{MaskOp::And, 0x0000ffu}, setBlue{MaskOp::Or, 0xff0000u};
  const Step darken{MaskOp::And, 0x7f7f7fu}, lighten{MaskOp::Or, 0x808080u};
  const Step greenHigh{MaskOp::Or, 0x00f000u}, clearLowBits{MaskOp::And, 0xf0f0f0u};
  const std::vector<std::vector<Step>> sequences = {
      {},
      {keepRed},
      {setBlue},
      {keepRed, setBlue},
      {setBlue, keepRed},
      {darken, lighten, darken},
      {lighten, darken, lighten},
      {greenHigh, clearLowBits, setBlue, darken},
      {darken, setBlue, clearLowBits, greenHigh},
      {{MaskOp::And, 0xff000000u}, {MaskOp::Or, 0xff000000u}},  // bits above 24 are ignored
  };
  for (std::size_t i = 0; i < sequences.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "sequence " << i);
    RasterCanvas oneByOne = spreadCanvas();
    ComposedMask composed;
    for (const Step& step : sequences[i]) {
      oneByOne.applyMask(step.op, step.mask);
      composed = composed.then(step.op, step.mask);
    }
    RasterCanvas inOnePass = spreadCanvas();
    composed.applyTo(inOnePass);
    EXPECT_EQ(pixelsOf(inOnePass), pixelsOf(oneByOne));
    EXPECT_EQ(composed.isIdentity(), pixelsOf(oneByOne) == pixelsOf(spreadCanvas()));
  }
}

}  // namespace
}  // namespace orbisk
