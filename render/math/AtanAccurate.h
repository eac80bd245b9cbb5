// A second, more accurate evaluation of atan for the few arguments whose result the quick one
// (Atan.cpp) cannot round: the same steps and tables, with t and the series of atan t carried as
// double-doubles, so that its error comes from the tables' precision alone. It decides all but
// about one call in a billion, where the multiprecision path takes over.
#pragma once

#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowTables.h"
#include "render/math/DoubleDouble.h"

namespace orbisk::math {

// A bound on the relative error of accurateAtanOf: the table value within 2^-106 of itself, t
// within about 2^-103 (its numerator and denominator exact or within 2^-106, the quotient's
// two roundings), the series within 2^-103 of atan t (below), the sums within 2^-105; with
// |atan t| at most the result (never more than the table value plus half of it), about 2^-101.
inline constexpr double kAtanAccurateError = 0x1p-99;

// atan|x| for 2^-27 <= |x| < 2^53 (ax = |x|).
inline DoubleDouble accurateAtanOf(double ax) {
  constexpr double kStep = 1.0 / tables::kAtanSteps;
  DoubleDouble t, base;
  if (ax < kStep / 2) {
    t = {ax, 0};
  } else if (ax <= 1) {
    const int step = static_cast<int>(ax * tables::kAtanSteps + 0.5);
    const double c = step * kStep;
    // t = (|x| - c) / (1 + c|x|): the numerator exact, the denominator within 2^-106
    t = dd::div({ax - c, 0}, dd::add(1.0, twoProduct(c, ax)));
    base = tables::kAtanOfStep[step];
  } else {
    const uint64_t interval = (bitsOf(ax) - bitsOf(1.0)) >> (52 - tables::kReciprocalStepBits);
    const int step =
        interval < tables::kReciprocalStepIntervals ? tables::kReciprocalStep[interval] : 0;
    const double c = step * kStep;
    // t = -(1 - c|x|) / (|x| + c), both exact
    const DoubleDouble cx = twoProduct(c, ax);
    t = dd::div(twoSum(cx.hi - 1, cx.lo), twoSum(ax, c));
    base = tables::kHalfPiMinusAtanOfStep[step];
  }
  // atan t = t (1 - u/3 + u^2/5 - ...) with u = t^2 <= 2^-12.8: the terms from u^4/9 on in
  // double (they weigh below 2^-54 of the sum, and the truncation after u^8/17 below 2^-115),
  // Horner's steps before them in double-double.
  const DoubleDouble u = dd::mul(t, t);
  const double h = u.hi;
  const double tail = 1.0 / 9 + h * (-1.0 / 11 + h * (1.0 / 13 + h * (-1.0 / 15 + h * (1.0 / 17))));
  static constexpr DoubleDouble kCoefficients[] = {
      {-0x1.2492492492492p-3, -0x1.2492492492492p-57},  // -1/7
      {0x1.999999999999ap-3, -0x1.999999999999ap-57},   // 1/5
      {-0x1.5555555555555p-2, -0x1.5555555555555p-56},  // -1/3
      {1, 0},
  };
  DoubleDouble p{tail, 0};
  for (const DoubleDouble& c : kCoefficients) p = dd::add(c, dd::mul(u, p));
  return dd::add(base, dd::mul(t, p));
}

}  // namespace orbisk::math
