// How a drawing coordinate becomes a whole pixel.
#pragma once

namespace orbisk {

// The nearest whole pixel, halves away from zero (the same result as std::lround): 0.5 goes to 1,
// -0.5 to -1, 2.5 to 3. The caller must already have checked that |x| is far inside int range
// (the canvas only asks for values within a few pixels of its edges), so the conversion is safe.
// x - trunc(x) is exact for every double, so no halfway case is misjudged.
inline int nearestPixel(double x) {
  const int whole = static_cast<int>(x);  // towards zero
  const double fraction = x - whole;
  return whole + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
}

}  // namespace orbisk
