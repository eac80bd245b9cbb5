// libFuzzer target: the math the renderer calls (fast evaluation with its fallback) and the
// multiprecision path on its own, both against MPFR. Eight bytes are one double x, for sin, cos,
// tan and atan; sixteen bytes are x and y, for pow(x, y). Any other length is ignored. Every
// result must be MPFR's bit for bit (NaNs of any payload agree).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/math/ExactMath.h"
#include "render/math/SlowPaths.h"
#include "tests/render/math/MpfrReference.h"

namespace {

void expectSame(const char* name, double ours, double reference, double x, double y) {
  if (orbisk::math::testing::sameResult(ours, reference)) return;
  std::fprintf(stderr, "%s(%a, %a) gives %a, MPFR %a\n", name, x, y, ours, reference);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace slow = orbisk::math::slow;
  namespace ref = orbisk::math::testing;
  double x = 0, y = 0;
  if (size == 8) {
    std::memcpy(&x, data, 8);
    const double sin = ref::mpfrSin(x), cos = ref::mpfrCos(x), tan = ref::mpfrTan(x),
                 atan = ref::mpfrAtan(x);
    expectSame("sin", orbisk::math::sin(x), sin, x, 0);
    expectSame("cos", orbisk::math::cos(x), cos, x, 0);
    expectSame("tan", orbisk::math::tan(x), tan, x, 0);
    expectSame("atan", orbisk::math::atan(x), atan, x, 0);
    expectSame("slow sin", slow::sin(x), sin, x, 0);
    expectSame("slow cos", slow::cos(x), cos, x, 0);
    expectSame("slow tan", slow::tan(x), tan, x, 0);
    expectSame("slow atan", slow::atan(x), atan, x, 0);
  } else if (size == 16) {
    std::memcpy(&x, data, 8);
    std::memcpy(&y, data + 8, 8);
    const double pow = ref::mpfrPow(x, y);
    expectSame("pow", orbisk::math::pow(x, y), pow, x, y);
    expectSame("slow pow", slow::pow(x, y), pow, x, y);
  }
  return 0;
}
