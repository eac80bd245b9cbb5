// libFuzzer target: the multiprecision math against MPFR. Eight bytes are one double x, for sin,
// cos, tan and atan; sixteen bytes are x and y, for pow(x, y). Any other length is ignored. Every
// result must be MPFR's bit for bit (NaNs of any payload agree).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    expectSame("sin", slow::sin(x), ref::mpfrSin(x), x, 0);
    expectSame("cos", slow::cos(x), ref::mpfrCos(x), x, 0);
    expectSame("tan", slow::tan(x), ref::mpfrTan(x), x, 0);
    expectSame("atan", slow::atan(x), ref::mpfrAtan(x), x, 0);
  } else if (size == 16) {
    std::memcpy(&x, data, 8);
    std::memcpy(&y, data + 8, 8);
    expectSame("pow", slow::pow(x, y), ref::mpfrPow(x, y), x, y);
  }
  return 0;
}
