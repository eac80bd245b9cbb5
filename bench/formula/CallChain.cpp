// Dependent chains of calls: each argument comes from the previous result, as in an orbit, so
// that the time per call is the latency of the function rather than its throughput. Prints, for
// Orbisk's function and the C library's run alternately, the least time per call over many
// short passes (the estimate least disturbed by other work on the machine) and their ratio.
//
//   build/bench/formula/orbisk_call_chain [PASSES]    # default 400 passes of 50,000 calls
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "render/math/ExactMath.h"

namespace {

volatile double sink;  // keeps the chains' results alive

// Nanoseconds per call of f over one chain whose arguments spread over [low, low + span).
template <class Function>
double nanosecondsPerCall(Function f, double low, double span) {
  constexpr int kCalls = 50000;
  double x = 0.3, sum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) {
    double y = f(x) * 53.0;  // the result's fraction, spread over the range, is the next argument
    y -= std::floor(y);
    x = low + span * y;
    sum += x;
  }
  const auto end = std::chrono::steady_clock::now();
  sink = sum;
  return std::chrono::duration<double, std::nano>(end - start).count() / kCalls;
}

struct Chain {
  const char* name;  // what is timed
  double (*own)(double);
  double (*library)(double);
  double low, span;  // the arguments' range
};

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
  const Chain chains[] = {
      {"atan, [1/128, 1]", [](double x) { return orbisk::math::atan(x); },
       [](double x) { return std::atan(x); }, 1.0 / 128, 1 - 1.0 / 128},
      {"atan, [1, 10]", [](double x) { return orbisk::math::atan(x); },
       [](double x) { return std::atan(x); }, 1, 9},
      {"pow(x, 1.7), [0.5, 9.5]", [](double x) { return orbisk::math::pow(x, 1.7); },
       [](double x) { return std::pow(x, 1.7); }, 0.5, 9},
  };
  for (const Chain& chain : chains) {
    double own = 1e300, library = 1e300;
    for (int i = 0; i < passes; ++i) {
      own = std::min(own, nanosecondsPerCall(chain.own, chain.low, chain.span));
      library = std::min(library, nanosecondsPerCall(chain.library, chain.low, chain.span));
    }
    std::printf("%-26s own %6.2f ns  C library %6.2f ns  ratio %.3f\n", chain.name, own, library,
                own / library);
  }
}
