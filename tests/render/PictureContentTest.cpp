// What a picture holds, which pictures are worth showing, and their order.
#include "render/run/PictureContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
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

// A small picture drawn pixel by pixel from colourAt(x, y) (0xRRGGBB) on a black canvas.
template <typename ColourAt>
PictureContent drawnAndMeasured(ColourAt colourAt) {
  RasterCanvas canvas(160, 110);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      canvas.plot(static_cast<float>(x), static_cast<float>(y), colourAt(x, y));
  return measured(canvas);
}

// A colour of channels 0..255 (clamped), red in the high byte as the canvas stores it.
uint32_t rgb(int r, int g, int b) {
  const auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return c(r) << 16 | c(g) << 8 | c(b);
}

// A fixed hash of a pixel's place: the same speckles on every machine.
uint32_t speckle(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ h >> 15;
}

TEST(PictureContent, WorthShowingAsAPersonJudgesPicturesLabelledByEye) {
  const uint32_t palette[] = {0xe02020, 0x20c040, 0xf0e040, 0x2040e0,
                              0xe08020, 0x40e0e0, 0xffffff, 0x802080};
  struct Case {
    const char* label;  // what a person sees, and whether it is worth a look
    bool worth;
    std::function<uint32_t(int, int)> colourAt;
  } cases[] = {
      {"empty: nothing drawn", false, [](int, int) { return 0u; }},
      {"a white field with one green line", false,
       [](int x, int) { return x == 80 ? 0x00ff00u : 0xffffffu; }},
      {"a smooth gradient from dark to bright green, left to right", false,
       [](int x, int) { return rgb(0, 20 + x * 235 / 159, 0); }},
      {"a smooth two-way gradient of red and blue", false,
       [](int x, int y) { return rgb(x * 255 / 159, 0, y * 255 / 109); }},
      {"stripes of four colours", false, [&](int, int y) { return palette[(y / 12) % 4]; }},
      {"a uniform speckled texture", false,
       [&](int x, int y) { return palette[speckle(x, y) % 8]; }},
      {"a uniform fine check of two colours", false,
       [](int x, int y) { return (x / 2 + y / 2) % 2 ? 0xe0e020u : 0x206020u; }},
      {"a dark field with a small bright patch", false,
       [](int x, int y) { return x > 70 && x < 84 && y > 50 && y < 60 ? 0xffff00u : 0x101810u; }},
      {"rings of many colours around the middle", true,
       [&](int x, int y) {
         const int d = (x - 80) * (x - 80) + (y - 55) * (y - 55);
         return palette[(d / 1500) % 8];
       }},
      {"shaded tiles of colour with edges both ways", true,
       [&](int x, int y) {
         const uint32_t base = palette[(x / 20 + 3 * (y / 22)) % 8];
         const int shade = (x % 20) * 4;
         return rgb(static_cast<int>(base >> 16 & 0xff) - shade,
                    static_cast<int>(base >> 8 & 0xff) - shade,
                    static_cast<int>(base & 0xff) - shade);
       }},
      {"diamonds of lines over soft colour", true,
       [&](int x, int y) {
         const int a = std::abs(x - 80), b = std::abs(y - 55);
         if ((a + b) % 19 == 0 || (a * 2 + b) % 29 == 0) return 0xffffffu;
         return rgb(a * 3, 60 + b * 2, 200 - a);
       }},
  };
  for (const Case& c : cases) {
    const PictureContent content = drawnAndMeasured(c.colourAt);
    EXPECT_EQ(worthShowing(content), c.worth)
        << c.label << ": colours " << content.colours << ", families " << content.families
        << ", dominant " << content.dominantPpm() << ", detail " << content.detailPpm()
        << ", tiles " << content.tileChangesAcross << "/" << content.tileChangesDown;
  }
}

TEST(PictureContent, AGradientIsOneColourAndSharpColoursAreMany) {
  // Bands of one hue meet softly: one colour however many shades.
  EXPECT_EQ(drawnAndMeasured([](int x, int) { return rgb(0, 20 + x * 235 / 159, 0); }).families, 1);
  // Three colours side by side, their borders sharp.
  EXPECT_EQ(drawnAndMeasured([](int x, int) {
              return x < 53 ? 0xe02020u : x < 106 ? 0x20c040u : 0x2040e0u;
            }).families,
            3);
}

TEST(PictureContent, TheRichestFirstAndEqualOnesInTheOrderDrawn) {
  const auto content = [](int colours, uint64_t drawn) {
    PictureContent c;
    c.colours = colours;
    c.drawnPixels = drawn;
    c.pixels = 10000;
    return c;
  };
  // Colour variety times drawn share; equal ones keep the order they were drawn in.
  EXPECT_TRUE(showsMoreThan(content(100, 1000), 9, content(3, 10000), 1));
  EXPECT_FALSE(showsMoreThan(content(3, 10000), 1, content(100, 1000), 9));
  EXPECT_TRUE(showsMoreThan(content(10, 1000), 1, content(20, 500), 2));
  EXPECT_FALSE(showsMoreThan(content(20, 500), 2, content(10, 1000), 1));
}

}  // namespace
}  // namespace orbisk
