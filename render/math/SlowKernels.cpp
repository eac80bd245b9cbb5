#include "render/math/SlowKernels.h"

#include <algorithm>

namespace orbisk::math::slow {

using namespace mp;

namespace {

// A term below this adds nothing the result's last limb can hold; the series here either
// alternate with falling terms or fall faster than 1/2 per term, so the tail is at most twice it.
bool negligible(const BigFloat& term, int n) {
  return term.isZero() || term.topBit() < -32 * static_cast<int64_t>(n) - 8;
}

// The limbs a term of the size of term needs: a term below 2^-64 loses the limbs that lie wholly
// below the result's last limb, keeping one more, so its own error stays below 2^(-32n - 30).
int termLimbs(const BigFloat& term, int n) {
  if (term.isZero() || term.topBit() >= -64) return n;
  return std::max<int>(1, n - static_cast<int>((-term.topBit() - 1) / 32 - 1));
}

// 1 + sum over k >= 1 of (-1)^k t^k / divisors(k) for t = r^2 <= 0.64, terms computed one from
// the other. Errors: the k-th term carries at most 3k u of its own, summing to below u here,
// and each addition adds u; the sum lies in [0.69, 1], so it is within 1.5 (K + 2) u relative.
template <class Divisor>
BigFloat alternatingSeries(const BigFloat& t, int n, Divisor divisor) {
  BigFloat term = fromInt(1), sum = term;
  for (uint32_t k = 1;; ++k) {
    const int limbs = termLimbs(term, n);
    term = divSmall(mul(term, t, limbs), divisor(k), limbs);
    if (negligible(term, n)) break;
    sum = k % 2 == 1 ? sub(sum, term, n) : add(sum, term, n);
  }
  return sum;
}

}  // namespace

BigFloat sinKernel(const BigFloat& r, int n) {
  const BigFloat t = mul(r, r, n);
  return mul(r, alternatingSeries(t, n, [](uint32_t k) { return (2 * k) * (2 * k + 1); }), n);
}

BigFloat cosKernel(const BigFloat& r, int n) {
  const BigFloat t = mul(r, r, n);
  return alternatingSeries(t, n, [](uint32_t k) { return (2 * k - 1) * (2 * k); });
}

// atan t = 2 atan(t / (1 + sqrt(1 + t^2))) until t < 1/8 (at most three times), then the series
// t (1 - t^2/3 + t^4/5 - ...). Each halving multiplies the relative error of t by at most 1.71
// and adds 5u.
BigFloat atanKernel(const BigFloat& t0, int n) {
  const BigFloat one = fromInt(1);
  BigFloat t = t0;
  int halvings = 0;
  while (!t.isZero() && t.topBit() >= -3) {
    const BigFloat root = sqrt(add(one, mul(t, t, n), n), n);
    t = div(t, add(one, root, n), n);
    ++halvings;
  }
  const BigFloat t2 = mul(t, t, n);
  BigFloat power = one, sum = one;
  for (uint32_t k = 1;; ++k) {
    const int limbs = termLimbs(power, n);
    power = mul(power, t2, limbs);
    const BigFloat term = divSmall(power, 2 * k + 1, limbs);
    if (negligible(term, n)) break;
    sum = k % 2 == 1 ? sub(sum, term, n) : add(sum, term, n);
  }
  return scaled(mul(t, sum, n), halvings);
}

// log m = 2 atanh z with z = (m - 1) / (m + 1), |z| < 0.18: 2z (1 + z^2/3 + z^4/5 + ...).
BigFloat logKernel(double m, int n) {
  const BigFloat x = fromDouble(m), one = fromInt(1);
  const BigFloat z = div(addExact(x, negated(one)), addExact(x, one), n);
  if (z.isZero()) return z;
  const BigFloat z2 = mul(z, z, n);
  BigFloat power = one, sum = one;
  for (uint32_t k = 1;; ++k) {
    const int limbs = termLimbs(power, n);
    power = mul(power, z2, limbs);
    const BigFloat term = divSmall(power, 2 * k + 1, limbs);
    if (negligible(term, n)) break;
    sum = add(sum, term, n);
  }
  return scaled(mul(z, sum, n), 1);
}

// exp r = exp(r / 2^8)^(2^8): the series on r / 2^8 has error (K + 3) u, and each squaring
// doubles the relative error and adds u, so 2^8 (K + 4) u in all.
BigFloat expKernel(const BigFloat& r, int n) {
  constexpr int kSquarings = 8;
  const BigFloat x = scaled(r, -kSquarings);
  BigFloat term = fromInt(1), sum = term;
  for (uint32_t j = 1;; ++j) {
    const int limbs = termLimbs(term, n);
    term = divSmall(mul(term, x, limbs), j, limbs);
    if (negligible(term, n)) break;
    sum = add(sum, term, n);
  }
  for (int i = 0; i < kSquarings; ++i) sum = mul(sum, sum, n);
  return sum;
}

}  // namespace orbisk::math::slow
