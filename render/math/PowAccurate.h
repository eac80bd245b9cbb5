// A second, more accurate evaluation of x^y = exp(y log x) for the few arguments whose result the
// quick one (PowKernel.h) cannot round: the same reductions and tables, with both series carried
// as double-doubles, so that its error comes from the tables' precision and the rest's rounding
// alone. It decides all but about one call in a billion, where the multiprecision path takes
// over, and costs a few times the quick evaluation, against tens of microseconds for that path.
#pragma once

#include "render/math/AtanPowArithmetic.h"
#include "render/math/DoubleDouble.h"
#include "render/math/PowKernel.h"

namespace orbisk::math {

// log x for a finite x > 0 as a double-double, within 2^-99 |log1p(v)| + 2^-96 |e| + 2^-97
// + 2^-103 |log x| (the series, log 2's two parts, -log r's two parts and the final sums): below
// 2^-88 |log x| when the tables are used (then |log x| > 2^-9), below 2^-98 |log x| otherwise.
inline DoubleDouble accurateLogOf(double x) {
  const LogArgument arg = splitForLog(x);
  const DoubleDouble v = arg.v;
  const double a = v.hi;
  // log1p(v) = v (1 - v/2 + v^2/3 - ...): the terms from v^8/8 on in double (they weigh below
  // 2^-58 of the sum; the truncation after v^13/13 below 2^-106), Horner's steps before them in
  // double-double.
  const double tail =
      -1.0 / 8 +
      a * (1.0 / 9 + a * (-1.0 / 10 + a * (1.0 / 11 + a * (-1.0 / 12 + a * (1.0 / 13)))));
  static constexpr DoubleDouble kCoefficients[] = {
      {0x1.2492492492492p-3, 0x1.2492492492492p-57},    // 1/7
      {-0x1.5555555555555p-3, -0x1.5555555555555p-57},  // -1/6
      {0x1.999999999999ap-3, -0x1.999999999999ap-57},   // 1/5
      {-0.25, 0},
      {0x1.5555555555555p-2, 0x1.5555555555555p-56},  // 1/3
      {-0.5, 0},
      {1, 0},
  };
  DoubleDouble p{tail, 0};
  for (const DoubleDouble& c : kCoefficients) p = dd::add(c, dd::mul(v, p));
  const DoubleDouble series = dd::mul(v, p);

  // e log 2 - log r in double-double: the leading parts' sum is exact
  const DoubleDouble low =
      dd::add(twoProduct(arg.exponent, tables::kLn2Lo), DoubleDouble{arg.entry->minusLogOf.lo, 0});
  const DoubleDouble base = dd::add(arg.exponent * tables::kLn2Hi + arg.entry->minusLogOf.hi, low);
  return dd::add(base, series);
}

// exp(z) / 2^exponent for z in [kSmallest, kLargest] (Pow.cpp), within 2^-100 of the result
// besides s's error (2^-86 |z|): exp(s) in double-double by Horner's steps, the coefficients
// from s^5 on in double (weighing below 2^-49 of the sum; the truncation after s^9 below
// 2^-106), and its product with the table value.
inline DoubleDouble accurateExpOf(DoubleDouble z, int& exponent) {
  const ExpArgument arg = splitForExp(z);
  exponent = arg.exponent;
  const DoubleDouble s = arg.s;
  const double h = s.hi;
  const double tail =
      1.0 / 120 + h * (1.0 / 720 + h * (1.0 / 5040 + h * (1.0 / 40320 + h * (1.0 / 362880))));
  static constexpr DoubleDouble kCoefficients[] = {
      {0x1.5555555555555p-5, 0x1.5555555555555p-59},  // 1/24
      {0x1.5555555555555p-3, 0x1.5555555555555p-57},  // 1/6
      {0.5, 0},
      {1, 0},
      {1, 0},
  };
  DoubleDouble p{tail, 0};
  for (const DoubleDouble& c : kCoefficients) p = dd::add(c, dd::mul(s, p));
  return dd::mul(tables::kExp2OfStep[arg.step], p);
}

// A bound on the relative error of accurateExpOf(timesLog(y, accurateLogOf(x))): y times log's
// error, below 2^-88 |z|; z's and s's roundings, 2^-86 |z|; exp's own, 2^-100. Taken twice.
inline double accuratePowError(double z) {
  return 0x1p-99 + std::fabs(z) * 0x1p-84;
}

}  // namespace orbisk::math
