// The one way a whole picture is rendered away from the window: canvas set-up, stepping,
// cancelling between columns, scale and filters. Large pictures are pinned pixel for pixel in
// tests/golden/large-pictures.txt; rewrite it after a deliberate change of a picture with
//   ORBISK_UPDATE_GOLDEN=1 build/tests/orbisk_core_tests --gtest_filter='*WholePicture*'
#include "render/run/WholePicture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "tools/trace/FormulaTable.h"

namespace orbisk {
namespace {

std::vector<uint32_t> pixelsOf(const RasterCanvas& canvas) {
  return {canvas.bits(),
          canvas.bits() + static_cast<std::size_t>(canvas.width()) * canvas.height()};
}

uint64_t digestOf(const RasterCanvas& canvas) {
  const std::vector<uint32_t> pixels = pixelsOf(canvas);
  return fnv1a(
      std::string(reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof(uint32_t)));
}

// A thumbnail picture, cheap at every scale, with the pen of its detail and colours.
PictureOrder thumbnailOrder(int16_t shape, int16_t detailstep, int scale) {
  PictureOrder order;
  order.params.framesize = 2;
  order.params.driedkeuze = shape;
  order.params.detailstep = detailstep;
  order.params.inverse = shape == 29 ? 1 : 0;
  order.canvas = canvasFor(order.params, rgbColour(10, 20, 30), scale);
  return order;
}

TEST(WholePicture, CanvasFollowsTheFrameTheDetailAndTheColours) {
  PictureParams params;
  params.framesize = 3;
  params.detailstep = 4;
  params.inverse = 1;
  const CanvasSetup setup = canvasFor(params, 0x12345678u, 3);
  EXPECT_EQ(setup.width, 948);
  EXPECT_EQ(setup.height, 651);
  EXPECT_EQ(setup.background, 0x345678u);
  EXPECT_EQ(setup.penWidth, 4);
  EXPECT_EQ(setup.penMode, PenMode::InvertedCopy);
  RasterCanvas canvas(5, 5, 0xffffffu);
  PictureOrder order;
  order.canvas = setup;
  const WholePicture picture(order, canvas);
  EXPECT_EQ(canvas.width(), 948 * 3);
  EXPECT_EQ(canvas.height(), 651 * 3);
  EXPECT_EQ(canvas.penWidth(), 12);
  EXPECT_EQ(canvas.penMode(), PenMode::InvertedCopy);
  EXPECT_EQ(canvas.pixel(2000, 1500), 0x345678u);

  // Sides no canvas holds are cut to what one holds before they are scaled.
  order.canvas = {std::numeric_limits<int>::max(), 0, 0, 1, PenMode::Copy, 8};
  const WholePicture huge(order, canvas);
  EXPECT_EQ(canvas.width(), RasterCanvas::kMaxSide);
  EXPECT_EQ(canvas.height(), 0);
}

// Stopping is counted in columns: a cancel seen before column N + 1 leaves exactly N columns on
// the canvas, the picture a run stepped N columns leaves, and stepping in slices of any size
// ends with the picture and working values of one whole run.
TEST(WholePicture, CancelStopsBetweenTwoColumnsAndSlicesAddUpToTheWholeRun) {
  const PictureOrder order = thumbnailOrder(4, 1, 2);
  RasterCanvas whole(0, 0);
  RenderState wholeState;
  ASSERT_TRUE(renderWholePicture(order, whole, nullptr, {}, &wholeState));

  for (int stopAfter : {1, 2, 17}) {
    SCOPED_TRACE(testing::Message() << "cancelled after column " << stopAfter);
    std::atomic<bool> cancel = false;
    int heard = 0;
    RasterCanvas cancelled(0, 0);
    WholePicture run(order, cancelled);
    EXPECT_FALSE(run.run(&cancel, [&](const RenderJob&) {
      if (++heard == stopAfter) cancel = true;
    }));
    EXPECT_EQ(heard, stopAfter);
    EXPECT_EQ(run.columnsDone(), stopAfter);
    EXPECT_FALSE(run.finished());

    RasterCanvas stepped(0, 0);
    WholePicture slice(order, stepped);
    EXPECT_TRUE(slice.step(stopAfter));
    EXPECT_EQ(pixelsOf(cancelled), pixelsOf(stepped));
    EXPECT_NE(pixelsOf(cancelled), pixelsOf(whole));
  }
  for (int sliceSize : {1, 7, 1000}) {
    SCOPED_TRACE(testing::Message() << "slices of " << sliceSize);
    RasterCanvas canvas(0, 0);
    WholePicture sliced(order, canvas);
    while (sliced.step(sliceSize)) {
    }
    EXPECT_TRUE(sliced.finished());
    EXPECT_EQ(pixelsOf(canvas), pixelsOf(whole));
    EXPECT_EQ(sliced.state().orbr, wholeState.orbr);
    EXPECT_EQ(sliced.state().col, wholeState.col);
  }
}

// Filters composed in different orders reach the picture exactly as applied one by one to the
// finished canvas, and only once the last column is drawn.
TEST(WholePicture, FiltersComeAfterTheLastColumnInTheirOrder) {
  struct Step {
    MaskOp op;
    uint32_t mask;
  };
  const std::vector<std::vector<Step>> orders = {
      {{MaskOp::And, 0x00ffffu}, {MaskOp::Or, 0x400000u}},
      {{MaskOp::Or, 0x400000u}, {MaskOp::And, 0x00ffffu}},
      {{MaskOp::Or, 0x808080u}, {MaskOp::And, 0x7f7f7fu}, {MaskOp::Or, 0x0000f0u}},
  };
  for (std::size_t i = 0; i < orders.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "filters " << i);
    PictureOrder order = thumbnailOrder(1, 4, 3);
    RasterCanvas expected(0, 0);
    ASSERT_TRUE(renderWholePicture(order, expected));
    for (const Step& step : orders[i]) {
      expected.applyMask(step.op, step.mask);
      order.filters = order.filters.then(step.op, step.mask);
    }
    RasterCanvas filtered(0, 0);
    std::atomic<bool> cancel = false;
    EXPECT_FALSE(
        renderWholePicture(order, filtered, &cancel, [&](const RenderJob&) { cancel = true; }));
    PictureOrder unfiltered = order;
    unfiltered.filters = {};
    RasterCanvas oneColumn(0, 0);
    WholePicture first(unfiltered, oneColumn);
    first.step(1);
    EXPECT_EQ(pixelsOf(filtered), pixelsOf(oneColumn));  // stopped: not filtered
    ASSERT_TRUE(renderWholePicture(order, filtered));
    EXPECT_EQ(pixelsOf(filtered), pixelsOf(expected));
  }
}

// Every scale 1..8 with both details, for a shape of points and one of strokes (in inverted
// copy), pinned by a digest of every pixel.
TEST(WholePicture, LargePicturesAtEveryScaleAndDetailDrawTheirStoredPixels) {
  std::vector<std::string> lines;
  for (int16_t shape : {1, 29}) {
    for (int16_t detailstep : {1, 4}) {
      for (int scale = 1; scale <= 8; ++scale) {
        RasterCanvas canvas(0, 0);
        ASSERT_TRUE(renderWholePicture(thumbnailOrder(shape, detailstep, scale), canvas));
        ASSERT_EQ(canvas.width(), 117 * scale);
        char line[96];
        std::snprintf(line, sizeof line, "shape %d detail %d scale %d %016llx", shape, detailstep,
                      scale, static_cast<unsigned long long>(digestOf(canvas)));
        lines.push_back(line);
      }
    }
  }
  const std::string path = std::string(ORBISK_TEST_DATA) + "/large-pictures.txt";
  if (std::getenv("ORBISK_UPDATE_GOLDEN")) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& l : lines) out << l << '\n';
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> stored;
  for (std::string l; std::getline(in, l);) stored.push_back(l);
  EXPECT_EQ(stored, lines);
}

}  // namespace
}  // namespace orbisk
