#include "render/math/SlowConstants.h"

#include <algorithm>
#include <mutex>

namespace orbisk::math::slow {

using mp::BigFloat;
using mp::Limbs;

namespace {

// In fixed point a value v is held as the integer v * 2^fracBits, less what is cut off.
Limbs fixedInteger(uint32_t v, int64_t fracBits) {
  Limbs out(static_cast<size_t>(fracBits / 32 + 3), 0);
  const uint64_t shifted = uint64_t{v} << (fracBits % 32);
  out[static_cast<size_t>(fracBits / 32)] = static_cast<uint32_t>(shifted);
  out[static_cast<size_t>(fracBits / 32 + 1)] = static_cast<uint32_t>(shifted >> 32);
  return out;
}

uint32_t divideInPlace(Limbs& m, uint32_t d) {
  uint64_t rem = 0;
  for (size_t i = m.size(); i-- > 0;) {
    const uint64_t cur = (rem << 32) | m[i];
    m[i] = static_cast<uint32_t>(cur / d);
    rem = cur % d;
  }
  return static_cast<uint32_t>(rem);
}

bool isZero(const Limbs& m) {
  return std::all_of(m.begin(), m.end(), [](uint32_t l) { return l == 0; });
}

// acc += sign * t, both of the same length; acc stays nonnegative in every use here.
void accumulate(Limbs& acc, const Limbs& t, bool subtract) {
  uint64_t carry = 0;
  for (size_t i = 0; i < acc.size(); ++i) {
    const uint64_t s = subtract ? uint64_t{acc[i]} - t[i] - carry : uint64_t{acc[i]} + t[i] + carry;
    acc[i] = static_cast<uint32_t>(s);
    carry = subtract ? (s >> 63) & 1 : s >> 32;
  }
}

// scale * atan(1/m) (or atanh(1/m) when hyperbolic) in fixed point, as the sum of the terms
// scale / ((2k+1) m^(2k+1)), alternating in sign for atan. Every division cuts less than one unit
// and the term carried from one to the next loses less than one unit in total, so the sum is off by
// at most 2 units per term.
Limbs inverseArcSeries(uint32_t m, uint32_t scale, int64_t fracBits, bool hyperbolic) {
  Limbs power = fixedInteger(scale, fracBits);  // scale / m^(2k+1)
  divideInPlace(power, m);
  Limbs sum = power;
  const uint32_t m2 = m * m;  // m is at most 239
  for (uint32_t k = 1;; ++k) {
    divideInPlace(power, m2);
    if (isZero(power)) break;
    Limbs term = power;
    divideInPlace(term, 2 * k + 1);
    accumulate(sum, term, !hyperbolic && (k % 2 == 1));
  }
  return sum;
}

struct Cached {
  int64_t fracBits = 0;  // the fixed-point scale of value
  Limbs value;           // the constant times 2^fracBits, off by less than 2^20 units
};

// Holds one constant at the largest precision computed yet; computing grows it by at least half.
class ConstantCache {
 public:
  explicit ConstantCache(Limbs (*compute)(int64_t fracBits)) : compute_(compute) {}

  BigFloat get(int64_t bits) {
    Cached c;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (cached_.fracBits < bits + 40) {
        const int64_t fracBits = std::max(bits + 64, cached_.fracBits * 3 / 2) / 32 * 32 + 32;
        cached_ = Cached{fracBits, compute_(fracBits)};
      }
      c = cached_;
    }
    // Keep the bits down to about 2^-(bits + 32): what is cut off adds less than 2^-(bits + 32).
    const int64_t dropLimbs = (c.fracBits - bits - 32) / 32;
    BigFloat r{Limbs(c.value.begin() + static_cast<std::ptrdiff_t>(dropLimbs), c.value.end()),
               32 * dropLimbs - c.fracBits, false};
    mp::normalize(r);
    return r;
  }

 private:
  Limbs (*compute_)(int64_t);
  std::mutex mutex_;
  Cached cached_;
};

// pi = 16 atan(1/5) - 4 atan(1/239) (Machin), each series off by at most 2 units per term
// (fewer than fracBits / 4 terms): the total stays below 2^20 units for any precision used.
Limbs computePi(int64_t fracBits) {
  Limbs pi = inverseArcSeries(5, 16, fracBits, false);
  const Limbs b = inverseArcSeries(239, 4, fracBits, false);
  accumulate(pi, b, true);
  return pi;
}

// 2 / pi from pi: the division adds one unit, and pi's error shrinks by 2/pi^2 on the way.
Limbs computeTwoOverPi(int64_t fracBits) {
  const Limbs pi = computePi(fracBits);
  return mp::divideLimbs(fixedInteger(2, 2 * fracBits), pi);
}

// ln 2 = 2 atanh(1/3).
Limbs computeLn2(int64_t fracBits) {
  return inverseArcSeries(3, 2, fracBits, true);
}

}  // namespace

BigFloat halfPi(int64_t bits) {
  static ConstantCache cache(computePi);
  return mp::scaled(cache.get(bits + 1), -1);
}

BigFloat twoOverPi(int64_t bits) {
  static ConstantCache cache(computeTwoOverPi);
  return cache.get(bits);
}

BigFloat ln2(int64_t bits) {
  static ConstantCache cache(computeLn2);
  return cache.get(bits);
}

}  // namespace orbisk::math::slow
