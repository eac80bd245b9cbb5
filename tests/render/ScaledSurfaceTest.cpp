#include "render/surfaces/ScaledSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/run/RenderJob.h"
#include "render/run/WholePicture.h"
#include "render/surfaces/RasterCanvas.h"

namespace orbisk {
namespace {

// Records every drawing call exactly as handed over.
class RecordingSurface : public Surface {
 public:
  struct Call {
    int points;   // 1 for plot, 2 for line
    float xy[4];  // coordinates as received
    uint32_t colour;
  };
  RecordingSurface(int width, int height) : width_(width), height_(height) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  void plot(float x, float y, uint32_t colour) override {
    calls.push_back({1, {x, y, 0, 0}, colour});
  }
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    calls.push_back({2, {x1, y1, x2, y2}, colour});
  }
  std::vector<Call> calls;

 private:
  int width_, height_;
};

void runWhole(const PictureParams& params, Surface& surface) {
  RenderState state;
  RenderJob job(state, params, surface);
  job.start();
  while (job.hasColumns()) job.stepColumn();
}

bool sameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

constexpr int kWidth = 632, kHeight = 434;

struct Case {
  int16_t shape;
  const char* what;
};
constexpr Case kCases[] = {{1, "point"}, {4, "bar"}, {29, "stroke"}, {32, "tiled"}};

PictureParams lowDetail(int16_t shape, int16_t direction) {
  PictureParams p;
  p.driedkeuze = shape;
  p.direction = direction;
  p.detailstep = 4;
  return p;
}

// The calls reaching the large canvas are the unscaled calls with every coordinate times K in
// single precision; the shape stage computes with the unscaled canvas size.
TEST(ScaledSurface, HandsOnTheUnscaledCallsWithEveryCoordinateTimesTheScale) {
  for (const Case& c : kCases) {
    for (int16_t direction : {1, 2}) {
      const PictureParams params = lowDetail(c.shape, direction);
      RecordingSurface unscaled(kWidth, kHeight);
      runWhole(params, unscaled);
      ASSERT_GT(unscaled.calls.size(), 100u) << c.what;
      for (int k : {1, 2, 8}) {
        SCOPED_TRACE(testing::Message() << c.what << " direction " << direction << " K " << k);
        RecordingSurface target(kWidth * k, kHeight * k);
        ScaledSurface scaled(target, k, kWidth, kHeight);
        runWhole(params, scaled);
        ASSERT_EQ(target.calls.size(), unscaled.calls.size());
        const float factor = static_cast<float>(k);
        for (size_t i = 0; i < unscaled.calls.size(); ++i) {
          const RecordingSurface::Call& u = unscaled.calls[i];
          const RecordingSurface::Call& s = target.calls[i];
          ASSERT_EQ(s.points, u.points) << "call " << i;
          ASSERT_EQ(s.colour, u.colour) << "call " << i;
          for (int j = 0; j < 2 * u.points; ++j) {
            const float expected = u.xy[j] * factor;
            ASSERT_TRUE(sameBits(s.xy[j], expected))
                << "call " << i << " coordinate " << j << ": " << s.xy[j] << " != " << expected;
          }
        }
      }
    }
  }
}

// At scale 1 the large picture is the picture of today's canvas, pixel for pixel, in both pen
// modes and with both pens.
TEST(ScaledSurface, ScaleOneDrawsTheUnscaledPictureExactly) {
  for (const Case& c : kCases) {
    for (int16_t direction : {1, 2}) {
      SCOPED_TRACE(testing::Message() << c.what << " direction " << direction);
      PictureParams params = lowDetail(c.shape, direction);
      params.inverse = direction == 1 ? 1 : 0;
      RasterCanvas canvas(kWidth, kHeight, rgbColour(10, 20, 30));
      canvas.setPenWidth(4);
      canvas.setPenMode(params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
      runWhole(params, canvas);

      PictureOrder order;
      order.params = params;
      order.canvas = {kWidth, kHeight, rgbColour(10, 20, 30), 4, canvas.penMode(), 1};
      RasterCanvas large(0, 0);
      ASSERT_TRUE(renderWholePicture(order, large));
      ASSERT_EQ(large.width(), kWidth);
      ASSERT_EQ(large.height(), kHeight);
      EXPECT_EQ(std::memcmp(large.bits(), canvas.bits(), sizeof(uint32_t) * kWidth * kHeight), 0);
    }
  }
}

// A cancelled large picture stops before the next column.
TEST(LargePicture, CancelStopsBeforeTheNextColumn) {
  PictureOrder order;
  order.canvas = {117, 90, 0, 1, PenMode::Copy, 2};
  RasterCanvas large(0, 0);
  std::atomic<bool> cancel = false;
  int columns = 0;
  EXPECT_FALSE(renderWholePicture(order, large, &cancel, [&](const RenderJob&) {
    if (++columns == 3) cancel = true;
  }));
  EXPECT_EQ(large.width(), 234);
  EXPECT_EQ(large.penWidth(), 2);
  EXPECT_EQ(columns, 3);
}

}  // namespace
}  // namespace orbisk
