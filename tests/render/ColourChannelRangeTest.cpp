// A channel takes |Int(e)| + addition + k only when that fits 16 bits; at the edges of the range
// the stage must neither round a value in nor let one through.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/drawing/ColourSystems.h"

namespace orbisk {
namespace {

// Colour system 2 at iteration 1: red = |Int(P)| + kl1ad + 1. Returns the red channel after the
// stage, which started at 7: 255 when the value was taken (it is then limited), 7 when not.
int16_t redAfter(double P, int16_t kl1ad = 0) {
  RenderState s;
  s.orbp = P;
  s.iter = 1;
  s.itersq = 1;
  s.red = 7;
  colourFunctionFor(2)({kl1ad, 0, 0}, s);
  return s.red;
}

TEST(ColourChannelRange, ValuesUpToTheLargestSixteenBitNumberAreTaken) {
  EXPECT_EQ(redAfter(32766.9), 255);       // 32766 + 1 = 32767
  EXPECT_EQ(redAfter(32767), 7);           // 32768 does not fit
  EXPECT_EQ(redAfter(-32765.5), 255);      // |-32766| + 1 = 32767
  EXPECT_EQ(redAfter(-32766.5), 7);        // |-32767| + 1 = 32768
  EXPECT_EQ(redAfter(32516.5, 250), 255);  // 32516 + 250 + 1 = 32767
  EXPECT_EQ(redAfter(32517, 250), 7);      // one more does not fit
  EXPECT_EQ(redAfter(0x1p53 + 2), 7);      // whole numbers beyond 2^53 as well
  EXPECT_EQ(redAfter(std::numeric_limits<double>::max()), 7);
}

TEST(ColourChannelRange, SmallValuesAndNonFiniteOnes) {
  EXPECT_EQ(redAfter(-0.0), 1);  // Int(-0) is -0, its magnitude 0
  EXPECT_EQ(redAfter(0.999), 1);
  EXPECT_EQ(redAfter(-0.5), 2);  // Int(-0.5) = -1
  EXPECT_EQ(redAfter(std::numeric_limits<double>::infinity()), 7);
  EXPECT_EQ(redAfter(std::nan("")), 7);
}

}  // namespace
}  // namespace orbisk
