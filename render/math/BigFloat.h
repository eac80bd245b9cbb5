// A small multiprecision binary float for the slow, always correct evaluations: a sign, a 64-bit
// exponent and a magnitude of 32-bit limbs (products in 64 bits), so every compiler and wasm32
// compute the same bits. Each operation takes the number of limbs n its result keeps and cuts
// what lies below toward zero: with u = 2^(2 - 32n) the result differs from the exact one by at
// most u times the largest magnitude among operands and result. The exponent is wide enough that
// nothing overflows or underflows in between; only toDouble meets the limits of doubles.
#pragma once

#include <cfloat>
#include <cstdint>
#include <vector>

// Conversions to and from doubles and the error bounds of the callers assume that each double
// operation rounds once (x87 arithmetic keeps wider intermediates).
static_assert(FLT_EVAL_METHOD == 0, "the math needs double arithmetic without excess precision");

namespace orbisk::math::mp {

using Limbs = std::vector<uint32_t>;  // least significant limb first

struct BigFloat {
  Limbs mag;        // the magnitude; empty for zero, otherwise the top limb's top bit is set
  int64_t exp = 0;  // the value is mag * 2^exp
  bool negative = false;

  bool isZero() const { return mag.empty(); }
  // |value| lies in [2^topBit, 2^(topBit + 1)); only for nonzero values.
  int64_t topBit() const { return exp + 32 * static_cast<int64_t>(mag.size()) - 1; }
};

// Exact conversions; x must be finite.
BigFloat fromDouble(double x);
BigFloat fromInt(int64_t v);
BigFloat powerOfTwo(int64_t e);

// Strips zero limbs and shifts the top bit up to the top of the top limb.
void normalize(BigFloat& x);
BigFloat negated(BigFloat x);
BigFloat scaled(BigFloat x, int64_t e);  // x * 2^e, exact

BigFloat add(const BigFloat& a, const BigFloat& b, int n);
BigFloat sub(const BigFloat& a, const BigFloat& b, int n);
BigFloat mul(const BigFloat& a, const BigFloat& b, int n);
BigFloat divSmall(const BigFloat& a, uint32_t d, int n);
BigFloat div(const BigFloat& a, const BigFloat& b, int n);  // b nonzero
BigFloat sqrt(const BigFloat& a, int n);                    // a >= 0

// The exact sum and product, however many limbs they need.
BigFloat addExact(const BigFloat& a, const BigFloat& b);
BigFloat mulExact(const BigFloat& a, const BigFloat& b);

// x rounded once to the nearest double, ties to even: results below half the smallest subnormal
// become a signed zero, those from (2 - 2^-53) * 2^1023 up become a signed infinity.
double toDouble(const BigFloat& x);

// Plain unsigned integers in limbs, for the constants and the exact cases.
bool bitAt(const Limbs& m, int64_t pos);
// floor(u / v) for any nonzero v.
Limbs divideLimbs(const Limbs& u, const Limbs& v);

}  // namespace orbisk::math::mp
