#include "render/surfaces/TraceSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {
namespace {

// Everything written to a temporary file so far.
std::string contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  return text;
}

struct TempFile {
  std::FILE* file = std::tmpfile();
  ~TempFile() {
    if (file != nullptr) std::fclose(file);
  }
};

TEST(TraceSurface, WritesPointsAndLinesInTheirTextForm) {
  TempFile out;
  ASSERT_NE(out.file, nullptr);
  TraceSurface trace(out.file, nullptr, 632, 434);
  trace.plot(0.1f, 2.5f, rgbColour(1, 2, 3));
  trace.line(-3.0f, 1e30f, 316.0f, -0.0f, rgbColour(255, 255, 255));
  trace.plot(1e-7f, 123456789.0f, 0xff000001u);  // only the 24 colour bits count
  EXPECT_EQ(contents(out.file),
            "P 0.100000001 2.5 197121\n"
            "L -3 1.00000002e+30 316 -0 16777215\n"
            "P 1.00000001e-07 123456792 1\n");
}

TEST(TraceSurface, NonFiniteValuesHaveOneSpelling) {
  TempFile out;
  ASSERT_NE(out.file, nullptr);
  TraceSurface trace(out.file, nullptr, 10, 10);
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  trace.plot(-nan, nan, 7);  // printf would write "-nan" for the first
  trace.line(inf, -inf, 0, 0, 7);
  EXPECT_EQ(contents(out.file), "P nan nan 7\nL inf -inf 0 0 7\n");
}

// The text must equal printf "%.9g" of the promoted value for every float.
TEST(TraceSurface, CoordinatesMatchPrintfForAnyFloat) {
  TempFile out;
  ASSERT_NE(out.file, nullptr);
  TraceSurface trace(out.file, nullptr, 10, 10);
  std::mt19937 random(3);
  std::uniform_real_distribution<float> ordinary(-2000.0f, 2000.0f);
  std::string expected;
  char buffer[64];
  for (int i = 0; i < 5000; ++i) {
    uint32_t bits = static_cast<uint32_t>(random());
    float wild;
    std::memcpy(&wild, &bits, sizeof wild);
    if (!std::isfinite(wild)) wild = 1.0f;
    const float near = ordinary(random);
    trace.plot(wild, near, 0);
    std::snprintf(buffer, sizeof buffer, "P %.9g %.9g 0\n", static_cast<double>(wild),
                  static_cast<double>(near));
    expected += buffer;
  }
  ASSERT_EQ(contents(out.file), expected);
}

TEST(TraceSurface, PassesCallsOnAndTakesTheInnerSize) {
  TempFile out;
  ASSERT_NE(out.file, nullptr);
  RasterCanvas canvas(8, 6);
  TraceSurface trace(out.file, &canvas, 100, 50);
  EXPECT_EQ(trace.width(), 8);
  EXPECT_EQ(trace.height(), 6);
  trace.plot(1, 2, rgbColour(9, 8, 7));
  trace.line(0, 5, 7, 5, rgbColour(1, 1, 1));
  EXPECT_EQ(canvas.pixel(1, 2), rgbColour(9, 8, 7));
  EXPECT_EQ(canvas.pixel(7, 5), rgbColour(1, 1, 1));
  EXPECT_EQ(contents(out.file), "P 1 2 460809\nL 0 5 7 5 65793\n");

  TraceSurface alone(out.file, nullptr, 100, 50);
  EXPECT_EQ(alone.width(), 100);
  EXPECT_EQ(alone.height(), 50);

  TraceSurface silent(nullptr, &canvas, 0, 0);  // no file: only passes on
  silent.plot(3, 3, rgbColour(4, 4, 4));
  EXPECT_EQ(canvas.pixel(3, 3), rgbColour(4, 4, 4));
}

}  // namespace
}  // namespace orbisk
