// How much there is to see in a picture, and which pictures are worth showing: the one rule the
// random gallery and orbisk-render --random both follow.
#pragma once

#include <cstdint>

namespace orbisk {

// What a picture holds beside its background.
struct PictureContent {
  static constexpr int kShades = 512;  // colours told apart: 8 levels of each channel

  // Distinct colours of the drawn pixels as a viewer tells them apart: colours that share the
  // top three bits of every channel count as one, so the near-equal shades of a flat area make
  // one colour. 0..kShades.
  int colours = 0;
  uint64_t drawnPixels = 0;  // pixels that differ from the background colour
  uint64_t pixels = 0;       // all pixels of the picture
  // The smallest rectangle holding every drawn pixel; empty (width 0) when nothing was drawn.
  int left = 0, top = 0, width = 0, height = 0;

  // The drawn share of the picture in millionths, 0..1000000.
  uint64_t drawnPpm() const { return pixels == 0 ? 0 : drawnPixels * 1000000u / pixels; }
  // How much there is to see: colour variety times drawn share. A picture that fills the
  // canvas in three colours scores 3000000, one that draws a tenth of it in 100 colours
  // 10000000. At most 512 x 1000000, far inside 64 bits.
  uint64_t richness() const { return static_cast<uint64_t>(colours) * drawnPpm(); }
};

// Measures rows of 0xffRRGGBB pixels (a canvas's or a QImage::Format_RGB32's) against the
// background colour (24 bits, red in the low byte).
PictureContent measurePicture(const uint32_t* pixels, int width, int height, int stride,
                              uint32_t background);

// A picture is worth showing when it draws on at least 1 % of its area and in at least three
// colours told apart: anything less looks black, flat or like a single rectangle at gallery
// size.
bool worthShowing(const PictureContent& content);

// The order of a gallery or a contact sheet: the richest first; equal ones in the order they
// were drawn (earlier first).
bool showsMoreThan(const PictureContent& a, uint64_t drawnA, const PictureContent& b,
                   uint64_t drawnB);

}  // namespace orbisk
