// The drawing surface the shape stage draws through.
#pragma once

#include <cstdint>

namespace orbisk {

// Colours are 24-bit values with red in the low byte, green in the middle byte and blue in the
// high byte. Coordinates are single precision, in pixels from the top-left corner, y downwards.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual int width() const = 0;   // in pixels
  virtual int height() const = 0;  // in pixels
  virtual void plot(float x, float y, uint32_t colour) = 0;
  virtual void line(float x1, float y1, float x2, float y2, uint32_t colour) = 0;
};

inline uint32_t rgbColour(int red, int green, int blue) {
  return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
         static_cast<uint32_t>(blue) << 16;
}

}  // namespace orbisk
