// The arithmetic rules of the formulas: 16-bit integer steps that fail instead of wrapping,
// single-precision stores, and function results that must be finite.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

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
// finite or the rounded result leaves the 16-bit range.
inline std::optional<int16_t> roundToInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = std::nearbyint(v);  // the default rounding mode rounds halves to even
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
