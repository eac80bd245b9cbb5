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

// Each result depends on the arguments alone, but the functions are ordinary calls to the
// compiler: the rare multiprecision evaluation allocates memory and fills a cache of constants
// under a lock, which a function declared const or pure must not do.
namespace orbisk::math {

double sin(double x);
double cos(double x);
double tan(double x);
double atan(double x);
double pow(double x, double y);

}  // namespace orbisk::math
