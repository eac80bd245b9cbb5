#include "render/drawing/ColourSystems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/surfaces/Surface.h"

namespace orbisk {
namespace {

RenderState orbit(double P, double Q, double R, int16_t iter) {
  RenderState s;
  s.orbp = P;
  s.orbq = Q;
  s.orbr = R;
  s.iter = iter;
  s.itersq = static_cast<int16_t>(iter * iter);
  return s;
}

void expectChannels(const RenderState& s, int red, int green, int blue) {
  EXPECT_EQ(s.red, red);
  EXPECT_EQ(s.green, green);
  EXPECT_EQ(s.blue, blue);
}

TEST(ColourSystems, WorkedExamples) {
  RenderState s = orbit(0, 0, 0, 1);
  EXPECT_EQ(colourSample(1, 0, 0, 0, s), rgbColour(86, 11, 1));
  expectChannels(s, 86, 11, 1);

  s = orbit(0, 0, 0, 3);
  colourSample(2, 0, 0, 0, s);
  expectChannels(s, 1, 10, 10);

  // Grey: |Int(-300.5)| = 301, limited to 255 in all three channels.
  s = orbit(-300.5 - 1, 1, 0, 1);  // P x Q + itersq = -301.5 + 1 = -300.5
  colourSample(7, 0, 0, 0, s);
  expectChannels(s, 255, 255, 255);

  // System 9: Int(P^P) = 75, 75 / 50 + 1 = 2.5 rounds to the even 2.
  s = orbit(3.471, 0, 0, 1);
  ASSERT_EQ(std::floor(std::pow(3.471, 3.471)), 75);
  colourSample(9, 0, 0, 0, s);
  EXPECT_EQ(s.red, 2);
}

TEST(ColourSystems, AdditionsRaiseTheChannelsAndGreyUsesOnlyRed) {
  RenderState s = orbit(0, 0, 0, 3);
  colourSample(2, 100, 50, 20, s);
  expectChannels(s, 101, 60, 30);
  s = orbit(0, 0, 0, 2);  // P x Q + 4 = 4
  colourSample(7, 10, 200, 200, s);
  expectChannels(s, 14, 14, 14);
}

TEST(ColourSystems, UnknownSystemsKeepTheLastColour) {
  for (int16_t system : {0, 15, -1}) {
    RenderState s = orbit(1, 2, 3, 4);
    s.red = 10;
    s.green = 20;
    s.blue = 30;
    EXPECT_EQ(colourSample(system, 0, 0, 0, s), rgbColour(10, 20, 30)) << system;
  }
}

TEST(ColourSystems, NonFiniteOrHugeValuesKeepTheChannelThenLimit) {
  const double inf = std::numeric_limits<double>::infinity();
  RenderState s = orbit(inf, std::nan(""), 1e10, 2);
  s.red = 300;  // an old value beyond 255 is still limited afterwards
  s.green = -5;
  s.blue = 77;
  colourSample(11, 0, 0, 0, s);  // P x Q is NaN, Q x R NaN, P x R infinite
  expectChannels(s, 255, 0, 77);

  s = orbit(1e6, 0, 0, 1);  // red: |Int(1e6)| + 1 leaves the 16-bit range
  s.red = 42;
  s.green = 7;
  colourSample(2, 0, 0, 0, s);
  EXPECT_EQ(s.red, 42);
  EXPECT_EQ(s.green, 7);  // 4e6 + 1 does not fit either
  EXPECT_EQ(s.blue, 0);   // 1e6 + 1 as well

  s = orbit(-2.5, 0, 0, 1);  // (-2.5)^(-2.5) has no real value: red unchanged
  s.red = 9;
  colourSample(9, 0, 0, 0, s);
  EXPECT_EQ(s.red, 9);
}

TEST(ColourSystems, EveryPositiveSystemColoursAnOrdinaryOrbit) {
  for (int16_t system = 1; system <= 14; ++system) {
    RenderState s = orbit(1.25, -0.75, 0.5, 5);
    s.red = s.green = s.blue = -1;
    colourSample(system, 0, 0, 0, s);
    EXPECT_GE(s.red, 0) << system;
    EXPECT_LE(s.red, 255) << system;
    EXPECT_GE(s.green, 0) << system;
    EXPECT_GE(s.blue, 0) << system;
  }
}

}  // namespace
}  // namespace orbisk
