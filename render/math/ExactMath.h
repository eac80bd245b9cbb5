// Orbisk's own sin, cos, tan, atan and pow. Each returns the exact mathematical value rounded
// once to the nearest double (ties to even), for every double input: subnormals, signed zeros,
// infinities and NaN included. That is the one definition every machine, compiler and language
// can meet, so a record draws the same picture everywhere; the C library's functions differ by
// library and even by processor.
//
// Each function first tries a fast evaluation that is accurate well beyond a double and checks
// whether its result rounds unambiguously; in the rare cases it cannot tell, a multiprecision
// evaluation decides. pow follows C99's special cases (Annex F): pow(x, +-0) is 1 for any x,
// pow(1, y) is 1 for any y, a negative finite base with a non-integral exponent gives NaN, and
// so on. The renderer assumes the default rounding mode, round to nearest.
#pragma once

// Each result depends on the arguments alone and nothing else is changed (the slow path's cached
// constants are invisible), so the compiler may keep the caller's values in registers across a
// call and drop or merge repeated calls, as it does for the C library's functions.
#if defined(__GNUC__)
#define ORBISK_PURE_MATH __attribute__((const))
#else
#define ORBISK_PURE_MATH
#endif

namespace orbisk::math {

ORBISK_PURE_MATH double sin(double x);
ORBISK_PURE_MATH double cos(double x);
ORBISK_PURE_MATH double tan(double x);
ORBISK_PURE_MATH double atan(double x);
ORBISK_PURE_MATH double pow(double x, double y);

}  // namespace orbisk::math
