// The correctly rounded reference: MPFR evaluates each function to 53 bits with the exponent
// range of doubles, subnormals included, rounding to nearest with ties to even.
#pragma once

#include <mpfr.h>

namespace orbisk::math::testing {

// Keeps MPFR's exponent range at that of doubles for one evaluation.
class DoubleRange {
 public:
  DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
  }
  ~DoubleRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }

 private:
  mpfr_exp_t emin_, emax_;
};

inline double mpfrUnary(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
  DoubleRange range;
  mpfr_t a, r;
  mpfr_init2(a, 53);
  mpfr_init2(r, 53);
  mpfr_set_d(a, x, MPFR_RNDN);
  const int inexact = f(r, a, MPFR_RNDN);
  mpfr_subnormalize(r, inexact, MPFR_RNDN);
  const double out = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clear(a);
  mpfr_clear(r);
  return out;
}

inline double mpfrSin(double x) { return mpfrUnary(mpfr_sin, x); }
inline double mpfrCos(double x) { return mpfrUnary(mpfr_cos, x); }
inline double mpfrTan(double x) { return mpfrUnary(mpfr_tan, x); }
inline double mpfrAtan(double x) { return mpfrUnary(mpfr_atan, x); }

// MPFR's pow follows C99's special cases (Annex F), as ours does.
inline double mpfrPow(double x, double y) {
  DoubleRange range;
  mpfr_t a, b, r;
  mpfr_init2(a, 53);
  mpfr_init2(b, 53);
  mpfr_init2(r, 53);
  mpfr_set_d(a, x, MPFR_RNDN);
  mpfr_set_d(b, y, MPFR_RNDN);
  const int inexact = mpfr_pow(r, a, b, MPFR_RNDN);
  mpfr_subnormalize(r, inexact, MPFR_RNDN);
  const double out = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clear(a);
  mpfr_clear(b);
  mpfr_clear(r);
  return out;
}

// Two results agree when their bits do, or when both are NaN (a NaN's payload and sign carry
// no meaning for the renderer).
inline bool sameResult(double a, double b) {
  if (a != a && b != b) return true;
  return __builtin_memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace orbisk::math::testing
