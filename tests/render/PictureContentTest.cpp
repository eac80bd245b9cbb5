// What a picture holds, which pictures are worth showing, and their order.
#include "render/run/PictureContent.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {
namespace {

PictureContent measured(const RasterCanvas& canvas) {
  return measurePicture(canvas.bits(), canvas.width(), canvas.height(), canvas.width(),
                        canvas.backgroundColour());
}

TEST(PictureContent, CountsDrawnPixelsColoursAndTheirRectangle) {
  struct Case {
    const char* what;
    uint32_t background;
    std::vector<uint32_t> marks;  // one pixel each, in a row from (10, 5)
    int colours;                  // colours told apart
  } cases[] = {
      {"nothing drawn", 0, {}, 0},
      {"red, green and blue", 0, {0x0000e0, 0x00e000, 0xe00000}, 3},
      // near-equal shades, as a flat area holds them, are one colour
      {"shades of one green", 0, {0x004000, 0x00401f, 0x1f5f00}, 1},
      {"a background not black", 0x102030, {0x0000e0, 0x00e000, 0xe00000}, 3},
  };
  for (const Case& c : cases) {
    RasterCanvas canvas(100, 50, c.background);
    canvas.plot(0, 0, c.background);  // a mark in the background colour shows nothing
    for (std::size_t i = 0; i < c.marks.size(); ++i)
      canvas.plot(static_cast<float>(10 + i), 5, c.marks[i]);
    const PictureContent content = measured(canvas);
    EXPECT_EQ(content.colours, c.colours) << c.what;
    EXPECT_EQ(content.drawnPixels, c.marks.size()) << c.what;
    EXPECT_EQ(content.pixels, 5000u) << c.what;
    EXPECT_EQ(content.width, static_cast<int>(c.marks.size())) << c.what;
    if (!c.marks.empty()) {
      EXPECT_EQ(content.left, 10) << c.what;
      EXPECT_EQ(content.top, 5) << c.what;
      EXPECT_EQ(content.height, 1) << c.what;
    }
  }
  // Every colour of the cube: all 512 that are told apart.
  RasterCanvas canvas(512, 1);
  for (int i = 0; i < 512; ++i)
    canvas.plot(static_cast<float>(i), 0,
                static_cast<uint32_t>(i & 7) << 5 | static_cast<uint32_t>(i >> 3 & 7) << 13 |
                    static_cast<uint32_t>(i >> 6) << 21 | 0x101010u);
  EXPECT_EQ(measured(canvas).colours, PictureContent::kShades);
}

TEST(PictureContent, WorthShowingFromOnePercentAndThreeColoursAndTheRichestFirst) {
  const auto content = [](int colours, uint64_t drawn) {
    PictureContent c;
    c.colours = colours;
    c.drawnPixels = drawn;
    c.pixels = 10000;
    return c;
  };
  struct Case {
    int colours;
    uint64_t drawn;  // of 10000 pixels
    bool worth;
  } cases[] = {
      {3, 100, true},     // 1 % in three colours: just enough
      {3, 99, false},     // less than 1 %
      {2, 10000, false},  // the whole area in two colours: flat
      {256, 0, false},    // nothing drawn
      {0, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(worthShowing(content(c.colours, c.drawn)), c.worth) << c.colours << " " << c.drawn;

  // Colour variety times drawn share; equal ones keep the order they were drawn in.
  EXPECT_TRUE(showsMoreThan(content(100, 1000), 9, content(3, 10000), 1));
  EXPECT_FALSE(showsMoreThan(content(3, 10000), 1, content(100, 1000), 9));
  EXPECT_TRUE(showsMoreThan(content(10, 1000), 1, content(20, 500), 2));
  EXPECT_FALSE(showsMoreThan(content(20, 500), 2, content(10, 1000), 1));
}

}  // namespace
}  // namespace orbisk
