// A surface that draws the picture of a canvas K times larger, for prints and wallpapers.
#pragma once

#include <cstdint>

#include "render/surfaces/Surface.h"

namespace orbisk {

// The sample chain does not depend on the canvas's pixels, only the last step does. The shape
// stage sees the unscaled canvas (width() and height() report it, so anchors come from its
// halves); every coordinate it hands over is multiplied by the scale in single precision, as the
// target receives it. The target is scale times the unscaled size in both directions and draws
// with a pen scale times the unscaled pen (scaledPenWidth), so the same composition comes out
// with K times the detail: points that fell on one pixel come apart.
class ScaledSurface final : public Surface {
 public:
  static constexpr int kMinScale = 1;
  static constexpr int kMaxScale = 8;

  // width and height: the unscaled canvas; scale is clamped to kMinScale..kMaxScale.
  ScaledSurface(Surface& target, int scale, int width, int height);

  int width() const override { return width_; }
  int height() const override { return height_; }
  void plot(float x, float y, uint32_t colour) override {
    target_.plot(x * scale_, y * scale_, colour);
  }
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    target_.line(x1 * scale_, y1 * scale_, x2 * scale_, y2 * scale_, colour);
  }

  int scale() const { return static_cast<int>(scale_); }

 private:
  Surface& target_;  // the large canvas, scale times the unscaled size
  float scale_;      // the factor, a whole number 1..8 (exact in float)
  int width_;        // the unscaled canvas size the shape stage computes with
  int height_;
};

// The scale clamped to what ScaledSurface accepts.
int clampScale(int scale);

// The pen of the large canvas: the unscaled pen (1 or 4) times the scale.
inline int scaledPenWidth(int penWidth, int scale) {
  return penWidth * clampScale(scale);
}

}  // namespace orbisk
