// How much there is to see in a picture, and which pictures are worth showing: the one rule the
// random gallery, orbisk-render --random, variations and breeding all follow.
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
  // Colours as a person names them: the shades that hold at least 1 % of the drawn part, where
  // shades that meet softly (a gradient's bands) are one colour. 0..100.
  int families = 0;
  uint64_t drawnPixels = 0;  // pixels that differ from the background colour
  uint64_t pixels = 0;       // all pixels of the picture
  // Drawn pixels of the most frequent shade: how much of the drawn part one colour holds.
  uint64_t dominantPixels = 0;
  // Neighbour pairs (across and down) with at least one drawn pixel, and those of them whose
  // colours differ visibly: lines, edges and texture against smooth or flat areas.
  uint64_t pairs = 0;
  uint64_t changes = 0;
  // The drawn rectangle cut into kTiles x kTiles tiles: of the neighbouring tiles across and
  // down, how many differ visibly in their average colour. Stripes, one-way gradients and
  // uniform textures change in one direction at most; a composition changes in both.
  static constexpr int kTiles = 8;
  int tileChangesAcross = 0;  // 0..kTiles x (kTiles - 1)
  int tileChangesDown = 0;    // 0..kTiles x (kTiles - 1)
  // The smallest rectangle holding every drawn pixel; empty (width 0) when nothing was drawn.
  int left = 0, top = 0, width = 0, height = 0;

  // The drawn share of the picture in millionths, 0..1000000.
  uint64_t drawnPpm() const { return pixels == 0 ? 0 : drawnPixels * 1000000u / pixels; }
  // The most frequent shade's share of the drawn part in millionths.
  uint64_t dominantPpm() const {
    return drawnPixels == 0 ? 0 : dominantPixels * 1000000u / drawnPixels;
  }
  // The share of neighbour pairs in the drawn part that change visibly, in millionths.
  uint64_t detailPpm() const { return pairs == 0 ? 0 : changes * 1000000u / pairs; }
  // How much there is to see: colour variety times drawn share. A picture that fills the
  // canvas in three colours scores 3000000, one that draws a tenth of it in 100 colours
  // 10000000. At most 512 x 1000000, far inside 64 bits.
  uint64_t richness() const { return static_cast<uint64_t>(colours) * drawnPpm(); }
};

// Measures rows of 0xffRRGGBB pixels (a canvas's or a QImage::Format_RGB32's) against the
// background colour (24 bits, red in the low byte).
PictureContent measurePicture(const uint32_t* pixels, int width, int height, int stride,
                              uint32_t background);

// A picture is worth showing when a person sees something in it at gallery size: it draws on
// at least 1 % of its area in at least five colours told apart; one colour holds no more than
// 90 % of the drawn part (70 %, or 60 %, unless lines or texture are busy on it); its composition
// changes both across and down (not stripes, a one-way gradient or a uniform texture); and it has
// visible detail, without being noise, or, where smooth, parts into three colours a person
// names. Tuned on quick looks (Detail Low) of random candidates.
bool worthShowing(const PictureContent& content);

// The order of a gallery or a contact sheet: the richest first; equal ones in the order they
// were drawn (earlier first).
bool showsMoreThan(const PictureContent& a, uint64_t drawnA, const PictureContent& b,
                   uint64_t drawnB);

}  // namespace orbisk
