// Orbisk's correctly rounded functions next to the C library's, on the arguments the renderer
// passes them.
//
// - <Function>/<library>/<bound>: calls per second over a fixed table of arguments drawn
//   uniformly from [-bound, bound] with a fixed seed; every library sees the same table.
//   "throughput" calls are independent of each other; "latency" calls each wait for the one
//   before, as an orbit's do.
//
// Another function is one more pair of registrations at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "render/math/ExactMath.h"

namespace orbisk {
namespace {

std::vector<double> uniformArguments(double bound) {
  std::mt19937_64 rng(20261208);
  std::uniform_real_distribution<double> draw(-bound, bound);
  std::vector<double> out(4096);
  for (double& x : out) x = draw(rng);
  return out;
}

template <double (*F)(double)>
void throughput(benchmark::State& state) {
  const std::vector<double> args = uniformArguments(static_cast<double>(state.range(0)));
  for (auto _ : state) {
    for (const double x : args) benchmark::DoNotOptimize(F(x));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(args.size()));
}

// Each argument takes on zero made from the previous result (fmin drops a NaN from a declined
// slow path): the value stays the table's, the call cannot start before the one before ended.
template <double (*F)(double)>
void latency(benchmark::State& state) {
  const std::vector<double> args = uniformArguments(static_cast<double>(state.range(0)));
  double carry = 0;
  for (auto _ : state) {
    for (const double x : args) carry = std::fmin(F(x + carry), 0.0) * 0.0;
    benchmark::DoNotOptimize(carry);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(args.size()));
}

double librarySin(double x) {
  return std::sin(x);
}
double libraryCos(double x) {
  return std::cos(x);
}
double libraryTan(double x) {
  return std::tan(x);
}

// Both kinds of run for one function of one library, on the renderer's two usual ranges.
#define ORBISK_MATH_BENCH(name, f)                                        \
  BENCHMARK(throughput<f>)->Name(name "/throughput")->Arg(10)->Arg(1000); \
  BENCHMARK(latency<f>)->Name(name "/latency")->Arg(10)->Arg(1000)

ORBISK_MATH_BENCH("Sin/orbisk", math::sin);
ORBISK_MATH_BENCH("Sin/library", librarySin);
ORBISK_MATH_BENCH("Cos/orbisk", math::cos);
ORBISK_MATH_BENCH("Cos/library", libraryCos);
ORBISK_MATH_BENCH("Tan/orbisk", math::tan);
ORBISK_MATH_BENCH("Tan/library", libraryTan);

}  // namespace
}  // namespace orbisk
