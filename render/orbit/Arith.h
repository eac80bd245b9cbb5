// The arithmetic rules of the formulas: 16-bit integer steps that fail instead of wrapping,
// single-precision stores, and function results that must be finite.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>

// Every operation on doubles must round once, to double: an x87 unit that keeps intermediate
// results in 80 bits would draw other pictures. (Builds for x86 without SSE2 end here.)
static_assert(FLT_EVAL_METHOD == 0, "the formulas need double arithmetic without excess precision");

namespace orbisk {

// A product or difference of two integer quantities formed in 16 bits; nullopt when the result
// leaves -32768..32767 (the step that needs it fails).
inline std::optional<int16_t> mul16(int a, int b) {
  const long r = static_cast<long>(a) * b;
  if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(r);
}

inline std::optional<int16_t> sub16(int a, int b) {
  const long r = static_cast<long>(a) - b;
  if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(r);
}

// Rounds to the nearest integer, halves to even, into 16 bits; nullopt when the value is not
// finite or the rounded result leaves the 16-bit range. Every step is exact, so the result does
// not depend on the processor's rounding mode (as std::nearbyint's would).
inline std::optional<int16_t> roundToInt16(double v) {
  // Beyond these bounds (NaN included) nothing rounds into 16 bits, and within them the whole
  // part fits an int.
  if (!(v > INT16_MIN - 1.0 && v < INT16_MAX + 1.0)) return std::nullopt;
  const double whole = std::floor(v);
  const double half = whole + 0.5;  // exact: whole is a small integer
  const int below = static_cast<int>(whole);
  const int r = v < half ? below : v > half ? below + 1 : below + (below & 1);
  if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(r);
}

// Stores a double into a single-precision field. On IEEE-754 hardware a value beyond the float
// range becomes an infinity, which later steps treat as a failed coordinate.
inline float toSingle(double v) {
  return static_cast<float>(v);
}

inline bool finite(double v) {
  return std::isfinite(v);
}

}  // namespace orbisk
