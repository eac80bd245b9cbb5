#include "render/orbit/Arith.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <limits>
#include <optional>

namespace orbisk {
namespace {

// Halves go to the even neighbour and the 16-bit range is checked after rounding, whatever
// rounding mode the processor is left in (a plugin or a library may change it).
TEST(Arith, RoundToInt16TakesHalvesToEvenInEveryRoundingMode) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    std::optional<int16_t> rounded;
  };
  const Case cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {0.49999999999999994, 0},
      {-0.49999999999999994, 0},
      {1.0000000000000002, 1},
      {32767.4, 32767},
      {32767.5, std::nullopt},
      {-32768.5, -32768},
      {-32768.50000001, std::nullopt},
      {1e300, std::nullopt},
      {inf, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    for (const Case& c : cases) {
      volatile double value = c.value;  // read after the mode is set, never folded
      ASSERT_EQ(std::fesetround(mode), 0);
      const std::optional<int16_t> rounded = roundToInt16(value);
      std::fesetround(FE_TONEAREST);
      EXPECT_EQ(rounded, c.rounded) << c.value << " in mode " << mode;
    }
  }
}

}  // namespace
}  // namespace orbisk
