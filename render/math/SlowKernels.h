// The series behind the multiprecision evaluations, on reduced arguments. Each works with n limbs
// and, with u = 2^(2 - 32n), has the relative error bound given; a bound "+ d" adds to the one of
// the argument, d. Every series takes at most 2^11 terms for n up to kLastLimbs.
#pragma once

#include "render/math/BigFloat.h"

namespace orbisk::math::slow {

// sin r for |r| <= 0.8: within 2^12 u + 2d.
mp::BigFloat sinKernel(const mp::BigFloat& r, int n);
// cos r for |r| <= 0.8: within 2^12 u + 2d.
mp::BigFloat cosKernel(const mp::BigFloat& r, int n);
// atan t for 0 <= t <= 1: within 2^12 u + 6d.
mp::BigFloat atanKernel(const mp::BigFloat& t, int n);
// log m for a double m in [0.7, 1.5]: within 2^11 u.
mp::BigFloat logKernel(double m, int n);
// exp r for |r| <= 0.5: within 2^18 u + D, where D bounds the absolute error of r.
mp::BigFloat expKernel(const mp::BigFloat& r, int n);

}  // namespace orbisk::math::slow
