// A surface that writes every drawing call as one text line, optionally passing it on.
#pragma once

#include <cstdio>

#include "render/surfaces/Surface.h"

namespace orbisk {

// Lines: "P x y colour" or "L x1 y1 x2 y2 colour"; coordinates with printf "%.9g" of the single
// value handed over, colour as red + 256 x green + 65536 x blue. This text is the exact,
// build-independent record of a picture.
class TraceSurface : public Surface {
 public:
  // Writes to out; passes every call on to inner when given, and takes its size from it.
  TraceSurface(std::FILE* out, Surface* inner, int width, int height);

  int width() const override;
  int height() const override;
  void plot(float x, float y, uint32_t colour) override;
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override;

 private:
  std::FILE* out_;
  Surface* inner_;
  int width_;
  int height_;
};

}  // namespace orbisk
