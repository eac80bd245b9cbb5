// The tables and constants behind atan and pow, as hex-float literals in AtanPowTables.cpp. Each
// double-double entry is the exact value rounded to a double (hi) plus the remainder rounded to a
// double (lo). The tests derive every entry again with multiprecision arithmetic; the DISABLED
// test AtanPowTables.PrintSource prints the whole source file.
#pragma once

#include <cstdint>

#include "render/math/DoubleDouble.h"

namespace orbisk::math::tables {

// atan(i / 64) for i = 0 .. 64.
inline constexpr int kAtanSteps = 64;
extern const DoubleDouble kAtanOfStep[kAtanSteps + 1];
// pi/2 - atan(i / 64) for i = 0 .. 64.
extern const DoubleDouble kHalfPiMinusAtanOfStep[kAtanSteps + 1];

// For 1 < |x| < 128, the step i = 64 c with c nearest 1/|x| at the centre of |x|'s interval: the
// exponent of |x| (0 .. 6) and the 7 bits below it choose one of 7 * 128 intervals. Every |x| in
// an interval lies within 3/256 of its c, and c|x| lies in [1/2, 2] unless c is 0.
inline constexpr int kReciprocalStepBits = 7;
inline constexpr int kReciprocalStepIntervals = 7 << kReciprocalStepBits;
extern const int8_t kReciprocalStep[kReciprocalStepIntervals];

// log splits a positive double into 2^e * m with m in [kLogOffset, 2 * kLogOffset), read off the
// bit pattern: the 7 bits below the exponent of (bits - kLogOffset) choose one of 128 intervals
// of m. The interval around 1 is centred on it, so a base near 1 needs no table value at all.
inline constexpr uint64_t kLogOffset = 0x3fe6000000000000 - (uint64_t{1} << 44);
inline constexpr int kLogIntervalBits = 7;
inline constexpr int kLogIntervals = 1 << kLogIntervalBits;

// The reciprocals have 12 significant bits, so the product of one with the upper 41 bits of m is
// exact, and so is its product with the lower 12 bits; |m r - 1| stays below 2^-8 + 2^-12.
inline constexpr int kLogReciprocalBits = 12;
// The high part of each -log r is a multiple of 2^kLogGridExponent, as is kLn2Hi, so their sum
// with any multiple of kLn2Hi is exact.
inline constexpr int kLogGridExponent = -42;
struct LogEntry {
  double reciprocal;        // 1 / (the interval's centre), rounded to 12 bits
  DoubleDouble minusLogOf;  // -log(reciprocal): hi on the grid above, lo rounded to a double
};
extern const LogEntry kLog[kLogIntervals];

// 2^(j / 128) for j = 0 .. 127.
inline constexpr int kExpStepBits = 7;
inline constexpr int kExpSteps = 1 << kExpStepBits;
extern const DoubleDouble kExp2OfStep[kExpSteps];

// log(2) in two parts: the first has 42 significant bits, so its product with any exponent of a
// double (below 2^11) is exact.
extern const double kLn2Hi, kLn2Lo;
// log(2) / 128 in three parts: the first two have 35 significant bits each, so their products
// with any step count of a finite result (below 2^18) are exact.
extern const double kLn2OverStepsHi, kLn2OverStepsMid, kLn2OverStepsLo;
extern const double kStepsOverLn2;  // 128 / log(2), rounded
extern const DoubleDouble kThird;

}  // namespace orbisk::math::tables
