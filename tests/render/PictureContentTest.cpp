// What a picture holds, which pictures are worth showing, and their order.
#include "render/PictureContent.h"

#include <gtest/gtest.h>

#include "render/RasterCanvas.h"

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
    int colours;              // marks of distinct colours drawn, one pixel each
    int colours_expected;     // what is counted
    uint64_t drawn_expected;  // pixels differing from the background
  } cases[] = {
      {"nothing drawn", 0, 0, 0, 0},
      {"three colours", 0, 3, 3, 3},
      {"a non-black background", 0x102030, 3, 3, 3},
      // colours are counted up to the cap, pixels all of them
      {"more colours than counted", 0, 4200, PictureContent::kColourCap, 4200},
  };
  for (const Case& c : cases) {
    RasterCanvas canvas(100, 100, c.background);
    canvas.plot(0, 0, c.background);  // a mark in the background colour shows nothing
    for (int i = 0; i < c.colours; ++i)
      canvas.plot(static_cast<float>(10 + i % 80), static_cast<float>(5 + i / 80),
                  0x400000u + static_cast<uint32_t>(i));
    const PictureContent content = measured(canvas);
    EXPECT_EQ(content.colours, c.colours_expected) << c.what;
    EXPECT_EQ(content.drawnPixels, c.drawn_expected) << c.what;
    EXPECT_EQ(content.pixels, 10000u) << c.what;
    if (c.colours == 0) {
      EXPECT_EQ(content.width, 0) << c.what;
    } else {
      const int rows = (c.colours + 79) / 80;
      EXPECT_EQ(content.left, 10) << c.what;
      EXPECT_EQ(content.top, 5) << c.what;
      EXPECT_EQ(content.width, std::min(c.colours, 80)) << c.what;
      EXPECT_EQ(content.height, rows) << c.what;
    }
  }
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
