// The pixel buffer, its pen, points, filters and background picture. Lines are drawn in
// RasterCanvasLine.cpp.
//
// Pixel conventions of the canvas:
// - A coordinate x covers pixel nearestPixel(x): the nearest whole number, halves away from zero.
//   Coordinates are compared with the canvas bounds in floating point before any conversion, so
//   no value, however large, reaches an integer conversion; non-finite values draw nothing.
// - The pen footprint of width n around a centre pixel c runs from c - (n - 1) / 2 to
//   c - (n - 1) / 2 + n - 1 on both axes: width 1 is the pixel itself, width 4 the square from
//   c - 1 to c + 2.
// - Copy stores the pen colour; inverted copy stores its complement (255 minus every channel).
//   Wiping (clear, background colour, resize, picture) always uses the background colour as is.
#include "render/surfaces/RasterCanvas.h"

#include <algorithm>
#include <cstddef>

#include "render/surfaces/PixelRounding.h"

namespace orbisk {

namespace {

constexpr uint32_t kOpaque = 0xff000000u;

int clampSide(int side) {
  return std::clamp(side, 0, RasterCanvas::kMaxSide);
}

// 24-bit colour with red in the low byte -> opaque 0xffRRGGBB.
uint32_t toStored(uint32_t colour) {
  return kOpaque | (colour & 0xffu) << 16 | (colour & 0xff00u) | (colour >> 16 & 0xffu);
}

// Opaque 0xffRRGGBB -> 24-bit colour with red in the low byte.
uint32_t fromStored(uint32_t stored) {
  return (stored >> 16 & 0xffu) | (stored & 0xff00u) | (stored & 0xffu) << 16;
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height, uint32_t background)
    : width_(clampSide(width)),
      height_(clampSide(height)),
      background_(background & 0xffffffu),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              toStored(background_)) {
  updatePlotBounds();
}

void RasterCanvas::updatePlotBounds() {
  penLow_ = -(penWidth_ - 1) / 2;
  penHigh_ = penLow_ + penWidth_ - 1;
  // The footprint of centre c touches the canvas when c + penHigh_ >= 0 and
  // c + penLow_ <= side - 1; nearestPixel(x) >= -penHigh_ exactly when x > -penHigh_ - 0.5.
  // All these values are small whole or half numbers, exact in float.
  plotMinX_ = static_cast<float>(-penHigh_) - 0.5f;
  plotMaxX_ = static_cast<float>(width_ - 1 - penLow_) + 0.5f;
  plotMinY_ = static_cast<float>(-penHigh_) - 0.5f;
  plotMaxY_ = static_cast<float>(height_ - 1 - penLow_) + 0.5f;
}

uint32_t RasterCanvas::drawValue(uint32_t colour) const {
  const uint32_t stored = toStored(colour);
  return penMode_ == PenMode::InvertedCopy ? stored ^ 0x00ffffffu : stored;
}

void RasterCanvas::plot(float x, float y, uint32_t colour) {
  // Written so that not-a-number fails every comparison and is dropped too.
  if (!(x > plotMinX_ && x < plotMaxX_ && y > plotMinY_ && y < plotMaxY_)) return;
  const int ix = nearestPixel(x);
  const int iy = nearestPixel(y);
  if (penWidth_ == 1) {  // the bounds above already keep the pixel on the canvas
    pixels_[static_cast<std::size_t>(iy) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(ix)] = drawValue(colour);
    return;
  }
  fillRect(ix + penLow_, iy + penLow_, ix + penHigh_, iy + penHigh_, drawValue(colour));
}

void RasterCanvas::stamp(int x, int y, uint32_t value) {
  if (penWidth_ == 1) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x)] = value;
    }
    return;
  }
  fillRect(x + penLow_, y + penLow_, x + penHigh_, y + penHigh_, value);
}

void RasterCanvas::fillRect(int x0, int y0, int x1, int y1, uint32_t value) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_ - 1);
  y1 = std::min(y1, height_ - 1);
  if (x0 > x1 || y0 > y1) return;
  for (int y = y0; y <= y1; ++y) {
    uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    std::fill(row + x0, row + x1 + 1, value);
  }
}

void RasterCanvas::resize(int width, int height) {
  width = clampSide(width);
  height = clampSide(height);
  if (width == width_ && height == height_) return;
  std::vector<uint32_t> resized(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                toStored(background_));
  const int keptWidth = std::min(width, width_);
  const int keptHeight = std::min(height, height_);
  for (int y = 0; y < keptHeight; ++y) {
    const uint32_t* from =
        pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    std::copy(from, from + keptWidth,
              resized.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
  }
  pixels_.swap(resized);
  ++edits_;
  width_ = width;
  height_ = height;
  updatePlotBounds();
}

void RasterCanvas::clear() {
  std::fill(pixels_.begin(), pixels_.end(), toStored(background_));
  ++edits_;
}

void RasterCanvas::setBackgroundColour(uint32_t colour) {
  background_ = colour & 0xffffffu;
  clear();
}

void RasterCanvas::setPenWidth(int width) {
  penWidth_ = std::clamp(width, 1, kMaxPenWidth);
  updatePlotBounds();
}

void RasterCanvas::applyMask(MaskOp op, uint32_t mask) {
  // toStored keeps the alpha byte set, so neither operation disturbs it.
  const uint32_t storedMask = toStored(mask);
  ++edits_;
  if (op == MaskOp::And) {
    for (uint32_t& p : pixels_) p &= storedMask;
  } else {
    for (uint32_t& p : pixels_) p |= storedMask;
  }
}

void RasterCanvas::setPicture(const uint32_t* pixels, int width, int height, int stride) {
  clear();
  // A missing picture, or one whose rows would overlap, leaves the wiped canvas.
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
  const int copiedWidth = std::min(width, width_);
  const int copiedHeight = std::min(height, height_);
  for (int y = 0; y < copiedHeight; ++y) {
    const uint32_t* from = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
    uint32_t* to = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    // The picture's alpha is ignored: the canvas is opaque.
    for (int x = 0; x < copiedWidth; ++x) to[x] = from[x] | kOpaque;
  }
}

uint32_t RasterCanvas::pixel(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return 0;  // off the canvas: black
  return fromStored(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)]);
}

}  // namespace orbisk
