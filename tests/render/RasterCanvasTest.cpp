#include "render/surfaces/RasterCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "render/surfaces/PixelRounding.h"

namespace orbisk {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr uint32_t kWhite = 0xffffff;
const uint32_t kInk = rgbColour(10, 200, 30);

// The positions of every pixel that differs from the background colour.
Pixels inked(const RasterCanvas& canvas) {
  Pixels result;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) != canvas.backgroundColour()) result.insert({x, y});
    }
  }
  return result;
}

Pixels lineOn(int width, int height, int penWidth, float x1, float y1, float x2, float y2) {
  RasterCanvas canvas(width, height);
  canvas.setPenWidth(penWidth);
  canvas.line(x1, y1, x2, y2, kInk);
  return inked(canvas);
}

Pixels plotOn(int width, int height, int penWidth, float x, float y) {
  RasterCanvas canvas(width, height);
  canvas.setPenWidth(penWidth);
  canvas.plot(x, y, kInk);
  return inked(canvas);
}

Pixels square(int left, int top, int side) {
  Pixels result;
  for (int y = top; y < top + side; ++y) {
    for (int x = left; x < left + side; ++x) result.insert({x, y});
  }
  return result;
}

TEST(PixelRounding, AgreesWithLroundIncludingHalves) {
  const float halves[] = {0.5f, -0.5f, 1.5f, -1.5f, 2.5f, -2.5f, 631.5f, 0.49999997f, -0.49999997f};
  for (float x : halves) EXPECT_EQ(nearestPixel(x), std::lround(x)) << x;
  std::mt19937 random(7);
  std::uniform_real_distribution<float> spread(-2000.0f, 2000.0f);
  for (int i = 0; i < 100000; ++i) {
    const float x = spread(random);
    ASSERT_EQ(nearestPixel(x), std::lround(x)) << x;
  }
}

TEST(RasterCanvasPlot, RoundsHalvesAwayFromZeroAndClipsAtEveryEdge) {
  EXPECT_EQ(plotOn(10, 8, 1, 0.5f, 0.49999997f), (Pixels{{1, 0}}));
  EXPECT_EQ(plotOn(10, 8, 1, -0.49f, 7.49f), (Pixels{{0, 7}}));
  EXPECT_EQ(plotOn(10, 8, 1, 9.49f, 2.0f), (Pixels{{9, 2}}));
  EXPECT_TRUE(plotOn(10, 8, 1, -0.5f, 2.0f).empty());  // rounds to -1
  EXPECT_TRUE(plotOn(10, 8, 1, 9.5f, 2.0f).empty());   // rounds to 10
  EXPECT_TRUE(plotOn(10, 8, 1, 3.0f, -0.5f).empty());
  EXPECT_TRUE(plotOn(10, 8, 1, 3.0f, 7.5f).empty());
  EXPECT_TRUE(plotOn(10, 8, 1, 1e30f, -1e30f).empty());
  EXPECT_TRUE(plotOn(10, 8, 1, 3e9f, 2.0f).empty());
}

TEST(RasterCanvasPlot, WidePenIsTheFourSquareFromOneBeforeToTwoAfter) {
  EXPECT_EQ(plotOn(20, 20, 4, 10.0f, 10.4f), square(9, 9, 4));
  // Centres just off the canvas still reach it with the square's far side.
  EXPECT_EQ(plotOn(20, 20, 4, -2.4f, 0.0f), (Pixels{{0, 0}, {0, 1}, {0, 2}}));
  EXPECT_EQ(plotOn(20, 20, 4, 20.4f, 19.0f), (Pixels{{19, 18}, {19, 19}}));
  EXPECT_TRUE(plotOn(20, 20, 4, -2.5f, 5.0f).empty());  // centre -3: square -4..-1
  EXPECT_TRUE(plotOn(20, 20, 4, 5.0f, 20.5f).empty());  // centre 21: square 20..23
}

TEST(RasterCanvasPlot, NonFiniteCoordinatesDrawNothing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int pen : {1, 4}) {
    EXPECT_TRUE(plotOn(10, 10, pen, nan, 3.0f).empty());
    EXPECT_TRUE(plotOn(10, 10, pen, 3.0f, -nan).empty());
    EXPECT_TRUE(plotOn(10, 10, pen, inf, 3.0f).empty());
    EXPECT_TRUE(plotOn(10, 10, pen, 3.0f, -inf).empty());
    EXPECT_TRUE(lineOn(10, 10, pen, 1.0f, 1.0f, nan, 5.0f).empty());
    EXPECT_TRUE(lineOn(10, 10, pen, -inf, 1.0f, 5.0f, 5.0f).empty());
    EXPECT_TRUE(lineOn(10, 10, pen, 1.0f, 1.0f, 5.0f, inf).empty());
  }
}

TEST(RasterCanvasLine, IncludesBothEndsAndStepsTheMajorAxis) {
  const Pixels shallow{{2, 2}, {3, 3}, {4, 3}, {5, 4}, {6, 4}, {7, 5}};  // y = (4 + 3x) / 5
  EXPECT_EQ(lineOn(12, 12, 1, 2, 2, 7, 5), shallow);
  EXPECT_EQ(lineOn(12, 12, 1, 7, 5, 2, 2), shallow);
  Pixels steep;  // the same line with the axes swapped
  for (auto [x, y] : shallow) steep.insert({y, x});
  EXPECT_EQ(lineOn(12, 12, 1, 2, 2, 5, 7), steep);
  EXPECT_EQ(lineOn(12, 12, 1, 1, 1, 1, 1), (Pixels{{1, 1}}));
  // Ends are rounded like points, halves away from zero, before the line is laid between them.
  EXPECT_EQ(lineOn(12, 12, 1, 2.5f, 0.6f, 5.5f, 0.5f), (Pixels{{3, 1}, {4, 1}, {5, 1}, {6, 1}}));
  EXPECT_EQ(lineOn(12, 12, 1, 1.0f, 1.5f, 1.0f, 4.5f), (Pixels{{1, 2}, {1, 3}, {1, 4}, {1, 5}}));
  // A halfway minor value rounds away from zero, whichever way the line is drawn.
  EXPECT_EQ(lineOn(12, 12, 1, 0, 0, 2, 1), (Pixels{{0, 0}, {1, 1}, {2, 1}}));
  EXPECT_EQ(lineOn(12, 12, 1, 2, 1, 0, 0), (Pixels{{0, 0}, {1, 1}, {2, 1}}));
}

TEST(RasterCanvasLine, DiagonalsAndAxisParallelSpans) {
  Pixels diagonal, antiDiagonal, row, column;
  for (int i = 0; i < 10; ++i) {
    diagonal.insert({i, i});
    antiDiagonal.insert({9 - i, i});
    row.insert({i, 4});
    column.insert({6, i});
  }
  EXPECT_EQ(lineOn(10, 10, 1, 0, 0, 9, 9), diagonal);
  EXPECT_EQ(lineOn(10, 10, 1, 0, 9, 9, 0), antiDiagonal);
  EXPECT_EQ(lineOn(10, 10, 1, 9, 4, 0, 4), row);
  EXPECT_EQ(lineOn(10, 10, 1, 6, 0, 6, 9), column);
  // With the wide pen a span becomes a four-pixel-thick band from one before to two after.
  Pixels band;
  for (int y = 3; y <= 6; ++y) {
    for (int x = 1; x <= 9; ++x) band.insert({x, y});
  }
  EXPECT_EQ(lineOn(10, 10, 4, 2, 4, 8, 4), band);
}

// The wide pen's line is the four-square stamped on every pixel of the one-pixel line. Odd major
// extents keep halfway minor values away, so the shifted thin line rounds the same way.
TEST(RasterCanvasLine, WidePenStampsTheSquareAlongTheThinLine) {
  const float lines[][4] = {{3, 4, 18, 9}, {-5, -3, 24, 2}, {18, -2, 2, 21}, {0, 0, 19, 19}};
  for (const auto& l : lines) {
    RasterCanvas stamped(20, 20);
    stamped.setPenWidth(4);
    // The thin line drawn on a larger canvas, so that pixels just off the edge count too.
    const int margin = 4;
    for (auto [x, y] : lineOn(20 + 2 * margin, 20 + 2 * margin, 1, l[0] + margin, l[1] + margin,
                              l[2] + margin, l[3] + margin)) {
      stamped.plot(static_cast<float>(x - margin), static_cast<float>(y - margin), kInk);
    }
    EXPECT_EQ(lineOn(20, 20, 4, l[0], l[1], l[2], l[3]), inked(stamped))
        << l[0] << "," << l[1] << " " << l[2] << "," << l[3];
  }
}

// Clipping must not change which pixels a line covers: the same lines drawn on a canvas that is
// larger on every side give the same picture inside the small canvas's window. Major extents are
// odd, so no halfway minor value occurs and the shift cannot change a rounding.
TEST(RasterCanvasLine, ClippingAtEveryEdgeKeepsTheVisiblePixels) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-30, 70);
  const int offset = 50;
  for (int pen : {1, 4}) {
    for (int i = 0; i < 400; ++i) {
      int x1 = coordinate(random), y1 = coordinate(random);
      int x2 = coordinate(random), y2 = coordinate(random);
      if (std::abs(x2 - x1) >= std::abs(y2 - y1)) {
        if ((x2 - x1) % 2 == 0) ++x2;
      } else if ((y2 - y1) % 2 == 0) {
        ++y2;
      }
      const Pixels small = lineOn(40, 30, pen, x1, y1, x2, y2);
      Pixels window;
      for (auto [x, y] :
           lineOn(140, 130, pen, x1 + offset, y1 + offset, x2 + offset, y2 + offset)) {
        if (x >= offset && x < offset + 40 && y >= offset && y < offset + 30) {
          window.insert({x - offset, y - offset});
        }
      }
      ASSERT_EQ(small, window) << "pen " << pen << ": " << x1 << "," << y1 << " " << x2 << ","
                               << y2;
    }
  }
}

TEST(RasterCanvasLine, FarAwayEndsDrawOnlyTheVisiblePart) {
  const int w = 632, h = 434;
  Pixels diagonal, shifted, slope37;
  for (int i = 0; i < h; ++i) diagonal.insert({i, i});
  for (int x = 10; x + 10 < h; ++x) shifted.insert({x, x + 10});
  for (int x = 0; x < w; ++x) slope37.insert({x, nearestPixel(3.0 * x / 7.0)});
  EXPECT_EQ(lineOn(w, h, 1, -1e30f, -1e30f, 1e30f, 1e30f), diagonal);
  EXPECT_EQ(lineOn(w, h, 1, 1e30f, 1e30f, -1e30f, -1e30f), diagonal);
  EXPECT_EQ(lineOn(w, h, 1, 10, 20, 1e30f, 1e30f), shifted);
  EXPECT_EQ(lineOn(w, h, 1, 10, 20, 1e9f, 1e9f), shifted);
  const float k = std::ldexp(1.0f, 90);
  EXPECT_EQ(lineOn(w, h, 1, -7 * k, -3 * k, 7 * k, 3 * k), slope37);

  Pixels row5;
  for (int x = 0; x < w; ++x) row5.insert({x, 5});
  EXPECT_EQ(lineOn(w, h, 1, -1e30f, 5, 1e30f, 5), row5);
  EXPECT_EQ(lineOn(w, h, 1, 3e38f, 5, -3e38f, 5), row5);
  // A line just above the canvas reaches it only through the wide pen.
  Pixels topRows;
  for (int x = 0; x < w; ++x) topRows.insert({x, 0}), topRows.insert({x, 1});
  EXPECT_EQ(lineOn(w, h, 4, -1e30f, -1, 1e30f, -1), topRows);
  EXPECT_TRUE(lineOn(w, h, 1, -1e30f, -1, 1e30f, -1).empty());
  // Far ends on the wide pen give the same picture as a near line on the same course.
  const float g = std::ldexp(1.0f, 30);  // g + 128 is still exact in float
  EXPECT_EQ(lineOn(w, h, 4, -g, -g - 128, g, g - 128), lineOn(w, h, 4, -5, -133, 700, 572));
  EXPECT_FALSE(lineOn(w, h, 4, -5, -133, 700, 572).empty());
  // Lines that pass far from the canvas draw nothing (and return at once).
  EXPECT_TRUE(lineOn(w, h, 4, -1e30f, 3e29f, 1e30f, 5e29f).empty());
  EXPECT_TRUE(lineOn(w, h, 4, 1e9f, -1e9f, 1e9f, 1e9f).empty());
  EXPECT_TRUE(lineOn(w, h, 1, -3e38f, 3e38f, 3e38f, 3e38f).empty());
}

TEST(RasterCanvasPen, InvertedCopyDrawsTheComplementButClearKeepsTheBackground) {
  RasterCanvas canvas(4, 4, rgbColour(10, 20, 30));
  canvas.setPenMode(PenMode::InvertedCopy);
  canvas.plot(1, 1, rgbColour(255, 0, 0));
  canvas.line(0, 3, 3, 3, rgbColour(1, 2, 3));
  EXPECT_EQ(canvas.pixel(1, 1), rgbColour(0, 255, 255));
  EXPECT_EQ(canvas.bits()[1 * 4 + 1], 0xff00ffffu);  // the alpha byte stays opaque
  EXPECT_EQ(canvas.pixel(2, 3), rgbColour(254, 253, 252));
  canvas.clear();
  EXPECT_EQ(canvas.pixel(1, 1), rgbColour(10, 20, 30));
  canvas.setPenMode(PenMode::Copy);
  canvas.plot(1, 1, rgbColour(255, 0, 0));
  EXPECT_EQ(canvas.pixel(1, 1), rgbColour(255, 0, 0));
}

TEST(RasterCanvasBuffer, StoresOpaqueRgb32RowByRow) {
  RasterCanvas canvas(3, 2);
  canvas.plot(2, 1, rgbColour(0x12, 0x34, 0x56));
  EXPECT_EQ(canvas.bits()[1 * 3 + 2], 0xff123456u);
  EXPECT_EQ(canvas.bits()[0], 0xff000000u);
  EXPECT_EQ(canvas.pixel(2, 1), rgbColour(0x12, 0x34, 0x56));
}

struct FilterCase {
  MaskOp op;
  uint32_t mask;
  uint32_t white;  // what a white pixel becomes
  uint32_t black;  // what a black pixel becomes
};

TEST(RasterCanvasFilter, MasksCombineEveryChannel) {
  const FilterCase cases[] = {
      {MaskOp::And, rgbColour(255, 0, 255), rgbColour(255, 0, 255), 0},      // pink
      {MaskOp::And, rgbColour(0, 0, 255), rgbColour(0, 0, 255), 0},          // dark blue
      {MaskOp::And, rgbColour(127, 127, 255), rgbColour(127, 127, 255), 0},  // purple
      {MaskOp::And, rgbColour(192, 192, 192), rgbColour(192, 192, 192), 0},  // darken
      {MaskOp::Or, rgbColour(63, 63, 63), kWhite, rgbColour(63, 63, 63)},    // lighten
  };
  for (const FilterCase& f : cases) {
    RasterCanvas canvas(2, 1);
    canvas.plot(0, 0, kWhite);
    canvas.applyMask(f.op, f.mask);
    EXPECT_EQ(canvas.pixel(0, 0), f.white) << f.mask;
    EXPECT_EQ(canvas.pixel(1, 0), f.black) << f.mask;
    EXPECT_EQ(canvas.bits()[0] >> 24, 0xffu);
    canvas.applyMask(f.op, f.mask);  // a second pass changes nothing
    EXPECT_EQ(canvas.pixel(0, 0), f.white) << f.mask;
  }
  RasterCanvas mixed(1, 1, rgbColour(0x9c, 0x5a, 0xf0));
  mixed.applyMask(MaskOp::And, rgbColour(0xf0, 0x0f, 0x3c));
  EXPECT_EQ(mixed.pixel(0, 0), rgbColour(0x90, 0x0a, 0x30));
}

TEST(RasterCanvasBuffer, ResizeKeepsTheTopLeftAndWipesUseTheBackground) {
  RasterCanvas canvas(10, 10, rgbColour(1, 1, 1));
  canvas.plot(0, 0, kInk);
  canvas.plot(4, 9, kInk);
  canvas.plot(9, 9, kInk);
  canvas.resize(5, 20);
  EXPECT_EQ(canvas.width(), 5);
  EXPECT_EQ(canvas.height(), 20);
  EXPECT_EQ(inked(canvas), (Pixels{{0, 0}, {4, 9}}));
  EXPECT_EQ(canvas.pixel(4, 15), rgbColour(1, 1, 1));
  canvas.resize(12, 3);
  EXPECT_EQ(inked(canvas), (Pixels{{0, 0}}));
  // Drawing follows the new size.
  canvas.plot(11, 2, kInk);
  canvas.plot(12, 2, kInk);
  EXPECT_EQ(inked(canvas), (Pixels{{0, 0}, {11, 2}}));
  canvas.setBackgroundColour(rgbColour(5, 6, 7));
  EXPECT_TRUE(inked(canvas).empty());
  EXPECT_EQ(canvas.pixel(11, 2), rgbColour(5, 6, 7));
  canvas.resize(-4, 3);  // an empty canvas takes drawing without harm
  EXPECT_EQ(canvas.width(), 0);
  canvas.plot(0, 0, kInk);
  canvas.line(-5, 1, 5, 1, kInk);
}

TEST(RasterCanvasPicture, LargerPictureIsCutAndSmallerOneLeavesTheBackground) {
  // A 5 x 4 picture with stride 6; alpha zero to show it is ignored.
  std::vector<uint32_t> picture(6 * 4, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) picture[y * 6 + x] = 0x00000000u | (x * 16 + y) << 8;
  }
  RasterCanvas canvas(3, 2, rgbColour(9, 9, 9));
  canvas.plot(2, 1, kInk);
  canvas.setPicture(picture.data(), 5, 4, 6);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(canvas.pixel(x, y), rgbColour(0, x * 16 + y, 0));
      EXPECT_EQ(canvas.bits()[y * 3 + x] >> 24, 0xffu);
    }
  }
  RasterCanvas large(4, 3, rgbColour(9, 9, 9));
  large.plot(3, 2, kInk);
  const uint32_t two[] = {0xffff0000u, 0x800000ffu};  // red, blue
  large.setPicture(two, 2, 1, 2);
  EXPECT_EQ(large.pixel(0, 0), rgbColour(255, 0, 0));
  EXPECT_EQ(large.pixel(1, 0), rgbColour(0, 0, 255));
  EXPECT_EQ(large.pixel(2, 0), rgbColour(9, 9, 9));
  EXPECT_EQ(large.pixel(3, 2), rgbColour(9, 9, 9));  // earlier drawing is wiped
  large.setPicture(nullptr, 2, 1, 2);
  EXPECT_EQ(large.pixel(0, 0), rgbColour(9, 9, 9));
}

}  // namespace
}  // namespace orbisk
