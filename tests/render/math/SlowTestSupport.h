// What the tests of the multiprecision path share: reproducible inputs, the number of random
// inputs (ORBISK_MATH_LONG=1 multiplies it for the long run) and a comparison with MPFR that
// names the call that disagrees.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "tests/render/math/MpfrReference.h"

namespace orbisk::math::testing {

inline int randomInputs(int shortRun) {
  const char* longRun = std::getenv("ORBISK_MATH_LONG");
  return longRun && std::strcmp(longRun, "1") == 0 ? shortRun * 300 : shortRun;
}

// Doubles from a fixed seed, built from raw bits so every standard library gives the same ones.
class Inputs {
 public:
  explicit Inputs(uint64_t seed) : bits_(seed) {}

  // Any bit pattern: every exponent equally likely, NaNs and infinities now and then.
  double any() {
    const uint64_t b = bits_();
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
  }
  double uniform(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(bits_() >> 11) * 0x1p-53);
  }
  uint64_t raw() { return bits_(); }

 private:
  std::mt19937_64 bits_;
};

inline std::string hex(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", v);
  return text;
}

// Whether ours agrees with MPFR's result; a disagreement is a test failure naming the call.
inline bool agrees(double ours, double reference, const std::string& call) {
  if (sameResult(ours, reference)) return true;
  ADD_FAILURE() << call << " gives " << hex(ours) << ", MPFR " << hex(reference);
  return false;
}

}  // namespace orbisk::math::testing
