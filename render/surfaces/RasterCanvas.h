// An in-memory canvas: a 32-bit pixel buffer that the renderer draws into and the window shows.
#pragma once

#include <cstdint>
#include <vector>

#include "render/surfaces/Surface.h"

namespace orbisk {

enum class PenMode { Copy, InvertedCopy };
enum class MaskOp { And, Or };

// Pixels are stored as 0xffRRGGBB (the layout of QImage::Format_RGB32), row by row, so the GUI
// can wrap the buffer in a QImage without copying. Colours passed in and out of the public
// interface are 24-bit values with red in the low byte, like every colour of the renderer.
// How coordinates become pixels (rounding, pen footprint, line stepping, clipping) is set out at
// the top of RasterCanvas.cpp and RasterCanvasLine.cpp.
class RasterCanvas : public Surface {
 public:
  // Sides are clamped to 0..kMaxSide pixels; larger canvases are never asked for, and the bound
  // keeps every pixel index and coordinate comfortably inside int range.
  static constexpr int kMaxSide = 1 << 16;
  // Widths are clamped to 1..kMaxPenWidth: the Low detail pen (4) on an 8 times larger canvas.
  static constexpr int kMaxPenWidth = 32;

  RasterCanvas(int width, int height, uint32_t background = 0);

  int width() const override { return width_; }
  int height() const override { return height_; }
  void plot(float x, float y, uint32_t colour) override;
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override;

  // Changes the size, keeping the top-left content; new area shows the background colour.
  void resize(int width, int height);
  // Wipes every pixel to the background colour.
  void clear();
  void setBackgroundColour(uint32_t colour);  // also wipes the canvas
  uint32_t backgroundColour() const { return background_; }
  void setPenWidth(int width);  // 1 or 4, or those times a scale; clamped to 1..kMaxPenWidth
  int penWidth() const { return penWidth_; }
  void setPenMode(PenMode mode) { penMode_ = mode; }
  PenMode penMode() const { return penMode_; }

  // Combines every channel of every pixel with the mask's channel (mask: red in the low byte).
  void applyMask(MaskOp op, uint32_t mask);
  // Wipes the canvas and draws a picture (0xAARRGGBB rows, stride in pixels) at its own size
  // from the top-left corner; what does not fit is cut off.
  void setPicture(const uint32_t* pixels, int width, int height, int stride);

  // Counts the changes other than drawing (wipes, pictures, masks, resizes), so a caller can tell
  // whether anything but plot and line touched the pixels since it last looked.
  uint64_t edits() const { return edits_; }

  // 24-bit colour, red in the low byte; 0 (black) for a position off the canvas.
  uint32_t pixel(int x, int y) const;
  const uint32_t* bits() const { return pixels_.data(); }  // 0xffRRGGBB rows of width()
  uint32_t* bits() { return pixels_.data(); }

 private:
  void updatePlotBounds();
  uint32_t drawValue(uint32_t colour) const;  // stored pixel value for a pen colour
  // Marks the pen footprint centred on whole pixel (x, y); parts off the canvas are dropped.
  void stamp(int x, int y, uint32_t value);
  // Fills the rectangle x0..x1, y0..y1 (inclusive), cut at the canvas edges.
  void fillRect(int x0, int y0, int x1, int y1, uint32_t value);
  // Draws the segment between two whole-pixel ends (single-precision integral values of any
  // magnitude); major is the axis with the larger extent, true for x.
  void rasterLine(double u1, double v1, double u2, double v2, bool xMajor, uint32_t value);

  int width_;
  int height_;
  uint32_t background_;
  int penWidth_ = 1;
  PenMode penMode_ = PenMode::Copy;
  std::vector<uint32_t> pixels_;
  int penLow_ = 0;   // offset of the pen footprint's first row and column from its centre pixel
  int penHigh_ = 0;  // offset of its last row and column
  // A point whose coordinates lie strictly inside these bounds touches the canvas with the
  // current pen; anything else (including not-a-number) is dropped by plot() at once.
  float plotMinX_ = 0;
  float plotMaxX_ = 0;
  float plotMinY_ = 0;
  float plotMaxY_ = 0;
  uint64_t edits_ = 0;  // see edits()
};

}  // namespace orbisk
