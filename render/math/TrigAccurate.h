// A second, more accurate evaluation of sin x = A cos r + B sin r from the same reduction and
// table (TrigKernel.h), and of tan x as its quotient with cos x, for the few arguments whose
// result the quick kernels cannot round: it
// carries every term as a double-double, so its error comes from the table's own precision
// alone and it decides all but about one call in several million, where the multiprecision path
// takes over. It costs a few times the quick kernel, against microseconds for that path.
#pragma once

#include "render/math/AtanPowArithmetic.h"
#include "render/math/DoubleDouble.h"
#include "render/math/TrigKernel.h"

namespace orbisk::math {

// A bound on the relative error of accurateSinOfReduced. Each table value is its leading 27 bits
// and the rest rounded to a double, so within 2^-79 of itself; with |A| + |B sin r| at most three
// times the result (the worst case is next to a multiple of pi/2, with the result half of A),
// that makes 2^-77.4. Every other step is within about 2^-100 of the result.
inline constexpr double kTrigAccurateError = 0x1p-76;

// sin(j pi/512 + r) for r = rh + rl as the reductions leave it (|r| <= pi/1024 and a hair).
inline DoubleDouble accurateSinOfReduced(unsigned j, double rh, double rl) {
  const TableTerms t = tableTermsFor(j);
  const DoubleDouble a = twoSum(t.aHi, t.aLo), b = twoSum(t.bHi, t.bLo);
  const DoubleDouble r = twoSum(rh, rl);  // now |r.lo| <= 2^-53 |r.hi|
  // z = r^2 (|z| < 2^-16.6); the square of r.lo is below 2^-106 of z.
  const DoubleDouble rr = twoProduct(r.hi, r.hi);
  const DoubleDouble z = fastTwoSum(rr.hi, rr.lo + 2 * r.hi * r.lo);
  const double z2 = z.hi * z.hi;
  // sin r = r (1 + s) with s = z (-1/6 + z (1/120 - z/5040 + z^2/362880)): only -1/6 needs more
  // than a double, the rest weighs below 2^-40 and is needed to 2^-90. The next term is 2^-109.
  const DoubleDouble sixth = twoProduct(z.hi, -0x1.5555555555555p-3);
  const double sRest =
      z2 * (0x1.1111111111111p-7 + z.hi * (-0x1.a01a01a01a01ap-13 + z.hi * 0x1.71de3a556c734p-19));
  const DoubleDouble s = fastTwoSum(
      sixth.hi,
      sixth.lo + ((z.hi * -0x1.5555555555555p-57 + z.lo * -0x1.5555555555555p-3) + sRest));
  const DoubleDouble rs = dd::mul(r, s);  // |r s| < 2^-19 |r|
  const DoubleDouble sinLead = fastTwoSum(r.hi, rs.hi);
  const DoubleDouble sinR = fastTwoSum(sinLead.hi, sinLead.lo + (r.lo + rs.lo));
  // cos r - 1 = -z/2 + z^2 (1/24 - z/720 + z^2/40320), the last term below 2^-83 and the next
  // below 2^-105.
  const double cRest =
      z2 * (0x1.5555555555555p-5 + z.hi * (-0x1.6c16c16c16c17p-10 + z.hi * 0x1.a01a01a01a01ap-16));
  const DoubleDouble cosMinusOne = fastTwoSum(-0.5 * z.hi, -0.5 * z.lo + cRest);
  const DoubleDouble ac = dd::mul(a, cosMinusOne), bs = dd::mul(b, sinR);
  // A + A (cos r - 1) + B sin r: the leading parts summed exactly, the rest at 2^-106.
  const DoubleDouble first = twoSum(a.hi, bs.hi);
  const DoubleDouble second = twoSum(first.hi, ac.hi);
  return fastTwoSum(second.hi, (first.lo + second.lo) + (a.lo + (ac.lo + bs.lo)));
}

// A bound on the relative error of accurateTanOfReduced: sin and cos each within
// kTrigAccurateError, the quotient within about 2^-103.
inline constexpr double kTanAccurateError = 0x1p-74;

// tan(j pi/512 + r) as sin over cos, each from the accurate kernel (cos x = sin(x + pi/2)).
inline DoubleDouble accurateTanOfReduced(unsigned j, double rh, double rl) {
  return dd::div(accurateSinOfReduced(j, rh, rl), accurateSinOfReduced(j + 256, rh, rl));
}

}  // namespace orbisk::math
