// Calls of one function over a fixed table of arguments, for counting instructions per call
// with valgrind (a measure the machine's load does not disturb; bench/README.md):
//
//   valgrind --tool=callgrind --callgrind-out-file=/dev/null
//       build/bench/formula/orbisk_call_cost pow|atan RANGE orbisk|library|none [ROUNDS]
//
// RANGE for pow: base100 (bases in (0, 100], exponents in [-50, 50]) or selfpower (u = b^b,
// b in (0, 10]); for atan: uniform ([-10, 10]) or exponents (|x| spread over 2^-30 .. 2^30).
// "none" only sums the arguments: its count is the loop's own, to subtract. Each run makes
// ROUNDS (default 20) passes over 4096 arguments.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "render/math/ExactMath.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s pow|atan RANGE orbisk|library|none [ROUNDS]\n", argv[0]);
    return 2;
  }
  const std::string function = argv[1], range = argv[2], which = argv[3];
  const int rounds = argc > 4 ? std::atoi(argv[4]) : 20;
  constexpr int kArguments = 4096;
  std::mt19937_64 rng(2);
  const auto unit = [&rng] { return static_cast<double>(rng() >> 11) * 0x1p-53; };
  std::vector<double> x(kArguments), y(kArguments);
  for (int i = 0; i < kArguments; ++i) {
    if (range == "base100") {
      x[i] = 100 - 100 * unit();
      y[i] = -50 + 100 * unit();
    } else if (range == "selfpower") {
      x[i] = y[i] = 10 - 10 * unit();
    } else if (range == "uniform") {
      x[i] = -10 + 20 * unit();
    } else {
      x[i] = std::exp2(-30 + 60 * unit()) * (rng() & 1 ? 1 : -1);
    }
  }
  const bool isPow = function == "pow";
  double sum = 0;
  for (int r = 0; r < rounds; ++r) {
    for (int i = 0; i < kArguments; ++i) {
      if (which == "none")
        sum += x[i] + y[i];
      else if (which == "library")
        sum += isPow ? std::pow(x[i], y[i]) : std::atan(x[i]);
      else
        sum += isPow ? orbisk::math::pow(x[i], y[i]) : orbisk::math::atan(x[i]);
    }
  }
  std::printf("%d calls, sum %g\n", rounds * kArguments, sum);
  return 0;
}
