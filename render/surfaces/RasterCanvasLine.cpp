// Line drawing on the raster canvas.
//
// A segment runs between its two end pixels (each end rounded as a point is), and both end pixels
// are drawn. Along the major axis (the one with the larger extent between the end pixels; x on a
// tie) every whole position m between the ends gets one pixel, whose minor coordinate is the
// value at m of the straight line through the two end pixels, rounded like any coordinate. With a
// wider pen the pen footprint is stamped at each of those pixels. Lines parallel to an axis are
// filled as one rectangle.
//
// Ends may be anywhere a float reaches (1e30 and beyond), so the positions are never walked one
// by one from the ends: the major range is first cut analytically to the part where the line,
// widened by the pen, can touch the canvas, and only that part is visited.
//
// The line through the end pixels (u1, v1), (u2, v2) is held as a·u + b·v = c with a = v2 - v1,
// b = u1 - u2, c = u1·v2 - u2·v1. The ends are floats, whose products are exact in double, so c
// is rounded only once; because the canvas lies close to the origin, the line's value
// v(m) = (c - a·m) / b near the canvas then stays accurate to far below a pixel even when both
// ends lie at 1e30. For ends within a few million pixels every step is exact.
#include <algorithm>
#include <cmath>

#include "render/surfaces/PixelRounding.h"
#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

void RasterCanvas::line(float x1, float y1, float x2, float y2, uint32_t colour) {
  if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))) return;
  // std::round rounds halves away from zero, like nearestPixel, and keeps the value a float.
  const double ex1 = std::round(x1);
  const double ey1 = std::round(y1);
  const double ex2 = std::round(x2);
  const double ey2 = std::round(y2);
  const uint32_t value = drawValue(colour);
  if (std::fabs(ex2 - ex1) >= std::fabs(ey2 - ey1)) {
    rasterLine(ex1, ey1, ex2, ey2, true, value);
  } else {
    rasterLine(ey1, ex1, ey2, ex2, false, value);
  }
}

void RasterCanvas::rasterLine(double u1, double v1, double u2, double v2, bool xMajor,
                              uint32_t value) {
  const int majorSide = xMajor ? width_ : height_;
  const int minorSide = xMajor ? height_ : width_;
  // Centre positions whose pen footprint can reach the canvas, as doubles so that far-away ends
  // are cut before anything is converted to int.
  double first = std::max(std::min(u1, u2), static_cast<double>(-penHigh_));
  double last = std::min(std::max(u1, u2), static_cast<double>(majorSide - 1 - penLow_));
  if (first > last) return;
  // The minor value must round into -penHigh_ .. minorSide - 1 - penLow_.
  const double minorLow = -penHigh_ - 0.5;                 // exclusive
  const double minorHigh = minorSide - 1 - penLow_ + 0.5;  // exclusive

  if (v1 == v2) {  // parallel to the major axis, or a single pixel
    if (!(v1 > minorLow && v1 < minorHigh)) return;
    const int from = static_cast<int>(first) + penLow_;
    const int to = static_cast<int>(last) + penHigh_;
    const int minor = static_cast<int>(v1);
    if (xMajor) {
      fillRect(from, minor + penLow_, to, minor + penHigh_, value);
    } else {
      fillRect(minor + penLow_, from, minor + penHigh_, to, value);
    }
    return;
  }

  const double a = v2 - v1;  // a whole number, never zero here
  const double b = u1 - u2;  // |b| >= |a| > 0 on the major axis
  const double c = u1 * v2 - u2 * v1;
  // Where the line crosses the minor band widened by one pixel on each side. The margin is far
  // larger than the rounding of these crossings, so no position that touches the canvas is cut;
  // the exact test happens per position below.
  const double crossLow = (c - b * (minorLow - 1.0)) / a;
  const double crossHigh = (c - b * (minorHigh + 1.0)) / a;
  first = std::max(first, std::ceil(std::min(crossLow, crossHigh) - 1.0));
  last = std::min(last, std::floor(std::max(crossLow, crossHigh) + 1.0));
  if (first > last) return;

  const int lastMajor = static_cast<int>(last);
  for (int m = static_cast<int>(first); m <= lastMajor; ++m) {
    const double minor = (c - a * m) / b;
    if (!(minor > minorLow && minor < minorHigh)) continue;
    const int im = nearestPixel(minor);
    if (xMajor) {
      stamp(m, im, value);
    } else {
      stamp(im, m, value);
    }
  }
}

}  // namespace orbisk
