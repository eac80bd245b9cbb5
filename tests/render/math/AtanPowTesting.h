// Shared by the atan and pow tests: reproducible random arguments, the run length, a tally of
// the fast path's answers against MPFR, and how close an exact result lies to a rounding
// boundary.
#pragma once

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>

#include "tests/render/math/MpfrReference.h"

namespace orbisk::math::testing {

// ORBISK_MATH_LONG=1 asks for millions of arguments instead of tens of thousands.
inline int runLength(int shortRun) {
  const char* env = std::getenv("ORBISK_MATH_LONG");
  return env && std::string(env) == "1" ? shortRun * 100 : shortRun;
}

// Random doubles from a fixed seed, the same on every standard library.
class Arguments {
 public:
  explicit Arguments(uint64_t seed) : rng_(seed) {}
  double unit() { return static_cast<double>(rng_() >> 11) * 0x1p-53; }  // [0, 1)
  double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
  // Spread evenly over the exponents between lo and hi (both > 0).
  double logUniform(double lo, double hi) {
    return std::exp2(uniform(std::log2(lo), std::log2(hi)));
  }
  // Any finite double, each bit pattern as likely.
  double anyFinite() {
    for (;;) {
      const double d = std::bit_cast<double>(rng_());
      if (std::isfinite(d)) return d;
    }
  }
  int64_t integer(int64_t lo, int64_t hi) {
    return lo + static_cast<int64_t>(rng_() % static_cast<uint64_t>(hi - lo + 1));
  }
  bool coin() { return rng_() & 1; }

 private:
  std::mt19937_64 rng_;
};

// Counts the fast path's answers and declines, and fails the test on every answer that differs
// from the reference (printing the first few).
class Tally {
 public:
  explicit Tally(std::string name) : name_(std::move(name)) {}
  ~Tally() {
    if (calls_ == 0) return;
    std::printf("[ %s ] %ld calls, %.4f%% declined\n", name_.c_str(), calls_, 100 * declined());
  }
  // answered: whether the fast path gave result; expected: the reference.
  void record(bool answered, double result, double expected, const std::string& arguments) {
    ++calls_;
    if (!answered) {
      ++declines_;
      return;
    }
    if (!sameResult(result, expected) && ++wrong_ <= 10)
      ADD_FAILURE() << name_ << "(" << arguments << ") = " << hexText(result) << ", exact "
                    << hexText(expected);
  }
  // The portable variant must decline and answer exactly as the fast path does.
  void recordVariants(bool answered, double result, bool portableAnswered, double portableResult,
                      const std::string& arguments) {
    if ((answered != portableAnswered || (answered && !sameResult(result, portableResult))) &&
        ++wrong_ <= 10)
      ADD_FAILURE() << name_ << "(" << arguments << "): the portable variant differs";
  }
  double declined() const { return calls_ ? static_cast<double>(declines_) / calls_ : 0; }
  long wrong() const { return wrong_; }

  static std::string hexText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%a", v);
    return buf;
  }

 private:
  std::string name_;
  long calls_ = 0, declines_ = 0, wrong_ = 0;
};

// The distance, in ulps of the result, from the exact value (computed by f at 250 bits) to the
// nearest midpoint between two doubles: 0 for a result exactly halfway, 0.5 for a double.
template <class F>
double midpointDistance(F f) {
  mpfr_t v;
  mpfr_init2(v, 250);
  f(v);
  double distance = 0.5;
  if (mpfr_regular_p(v)) {
    // v = 0.1b... * 2^exp; scaled to [2^52, 2^53), its fraction is the position between doubles
    mpfr_mul_2si(v, v, 53 - mpfr_get_exp(v), MPFR_RNDN);
    mpfr_abs(v, v, MPFR_RNDN);
    mpfr_t whole;
    mpfr_init2(whole, 250);
    mpfr_floor(whole, v);
    mpfr_sub(v, v, whole, MPFR_RNDN);
    mpfr_sub_d(v, v, 0.5, MPFR_RNDN);
    distance = std::fabs(mpfr_get_d(v, MPFR_RNDN));
    mpfr_clear(whole);
  }
  mpfr_clear(v);
  return distance;
}

}  // namespace orbisk::math::testing
