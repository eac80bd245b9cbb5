// Orbisk's correctly rounded atan and pow next to the C library's, per call, on fixed-seed
// argument tables from the ranges the renderer meets.
//
// - Atan/<range>_orbisk|std: uniform in [-10, 10]; spread over the exponents of (2^-30, 2^30).
// - Pow/<range>_orbisk|std: bases in (0, 100] with exponents in [-50, 50]; u = b^b with b in
//   (0, 10]; integer exponents; negative bases with non-integral exponents (NaN at once).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "render/math/ExactMath.h"

namespace orbisk {
namespace {

constexpr size_t kTableSize = 4096;

double unit(std::mt19937_64& rng) {
  return static_cast<double>(rng() >> 11) * 0x1p-53;
}

std::vector<double> atanArguments(bool uniform) {
  std::mt19937_64 rng(1);
  std::vector<double> xs(kTableSize);
  for (double& x : xs) {
    x = uniform ? -10 + 20 * unit(rng) : std::exp2(-30 + 60 * unit(rng));
    if (!uniform && (rng() & 1)) x = -x;
  }
  return xs;
}

struct PowArguments {
  std::vector<double> x, y;
};

enum class PowRange { kBaseUpTo100, kSelfPower, kIntegerExponent, kNegativeBase };

PowArguments powArguments(PowRange range) {
  std::mt19937_64 rng(2);
  PowArguments a{std::vector<double>(kTableSize), std::vector<double>(kTableSize)};
  for (size_t i = 0; i < kTableSize; ++i) {
    double& x = a.x[i];
    double& y = a.y[i];
    switch (range) {
      case PowRange::kBaseUpTo100:
        x = 100 - 100 * unit(rng);
        y = -50 + 100 * unit(rng);
        break;
      case PowRange::kSelfPower:
        x = y = 10 - 10 * unit(rng);
        break;
      case PowRange::kIntegerExponent:
        x = 100 - 100 * unit(rng);
        y = std::floor(-20 + 40 * unit(rng));
        break;
      case PowRange::kNegativeBase:
        x = -100 * unit(rng);
        y = -50 + 100 * unit(rng);
        break;
    }
  }
  return a;
}

void Atan(benchmark::State& state, double (*f)(double), bool uniform) {
  const std::vector<double> xs = atanArguments(uniform);
  double sum = 0;
  for (auto _ : state)
    for (double x : xs) sum += f(x);
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTableSize));
}

void Pow(benchmark::State& state, double (*f)(double, double), PowRange range) {
  const PowArguments a = powArguments(range);
  double sum = 0;
  for (auto _ : state)
    for (size_t i = 0; i < kTableSize; ++i) sum += f(a.x[i], a.y[i]);
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTableSize));
}

double stdAtan(double x) {
  return std::atan(x);
}
double stdPow(double x, double y) {
  return std::pow(x, y);
}

BENCHMARK_CAPTURE(Atan, uniform_orbisk, math::atan, true);
BENCHMARK_CAPTURE(Atan, uniform_std, stdAtan, true);
BENCHMARK_CAPTURE(Atan, exponents_orbisk, math::atan, false);
BENCHMARK_CAPTURE(Atan, exponents_std, stdAtan, false);
BENCHMARK_CAPTURE(Pow, base100_orbisk, math::pow, PowRange::kBaseUpTo100);
BENCHMARK_CAPTURE(Pow, base100_std, stdPow, PowRange::kBaseUpTo100);
BENCHMARK_CAPTURE(Pow, selfpower_orbisk, math::pow, PowRange::kSelfPower);
BENCHMARK_CAPTURE(Pow, selfpower_std, stdPow, PowRange::kSelfPower);
BENCHMARK_CAPTURE(Pow, integer_orbisk, math::pow, PowRange::kIntegerExponent);
BENCHMARK_CAPTURE(Pow, integer_std, stdPow, PowRange::kIntegerExponent);
BENCHMARK_CAPTURE(Pow, negative_orbisk, math::pow, PowRange::kNegativeBase);
BENCHMARK_CAPTURE(Pow, negative_std, stdPow, PowRange::kNegativeBase);

}  // namespace
}  // namespace orbisk
