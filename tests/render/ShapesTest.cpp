#include "render/drawing/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orbisk {
namespace {

struct SurfaceCall {
  bool isLine;  // false for a point
  float x1, y1, x2, y2;
  uint32_t colour;
};

// Keeps every call in order instead of drawing.
class RecordingSurface : public Surface {
 public:
  RecordingSurface(int width, int height) : width_(width), height_(height) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  void plot(float x, float y, uint32_t colour) override {
    calls.push_back({false, x, y, 0, 0, colour});
  }
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    calls.push_back({true, x1, y1, x2, y2, colour});
  }
  std::vector<SurfaceCall> calls;

 private:
  int width_, height_;
};

constexpr uint32_t kColour = 0x123456;

// A Regular canvas (632 x 434) at the start of a run with size 110: anchor (316, 217).
class ShapesTest : public ::testing::Test {
 protected:
  ShapesTest() : surface(632, 434) {
    state.N1 = 110;
    state.N2 = 82;
    state.halfwidth = 316;
    state.halfheight = 217;
    in = {1, 1, 25, 25, 0, 0, 110, kColour};
  }

  void sample(double c, double r, double P = 0, double Q = 0, double R = 0, int16_t k = 1) {
    state.col = c;
    state.row = r;
    state.orbp = P;
    state.orbq = Q;
    state.orbr = R;
    state.iter = k;
    state.itersq = static_cast<int16_t>(k * k);
  }

  void draw(int16_t shape) {
    in.shape = shape;
    drawShape(in, state, surface);
  }

  void expectLine(size_t i, float x1, float y1, float x2, float y2) {
    ASSERT_LT(i, surface.calls.size());
    const SurfaceCall& call = surface.calls[i];
    EXPECT_TRUE(call.isLine);
    EXPECT_EQ(call.x1, x1);
    EXPECT_EQ(call.y1, y1);
    EXPECT_EQ(call.x2, x2);
    EXPECT_EQ(call.y2, y2);
    EXPECT_EQ(call.colour, kColour);
  }

  void expectPoint(size_t i, float x, float y) {
    ASSERT_LT(i, surface.calls.size());
    EXPECT_FALSE(surface.calls[i].isLine);
    EXPECT_EQ(surface.calls[i].x1, x);
    EXPECT_EQ(surface.calls[i].y1, y);
  }

  RenderState state;
  ShapeInput in{};
  RecordingSurface surface;
};

TEST_F(ShapesTest, NumbersOutsideTheRangeDrawAndChangeNothing) {
  sample(-10, 3, 2, 3, 1, 3);
  state.endx = 7;
  state.endy = 8;
  for (int16_t shape : {0, 39, -1}) {
    draw(shape);
    EXPECT_TRUE(surface.calls.empty()) << shape;
    EXPECT_EQ(state.halfwidth, 316);
    EXPECT_EQ(state.halfheight, 217);
    EXPECT_EQ(state.endx, 7);
    EXPECT_EQ(state.endy, 8);
  }
}

// Point shapes ---------------------------------------------------------------------------------

TEST_F(ShapesTest, ShapeOneIsSymmetricAboutTheVerticalCentreLine) {
  for (double c : {-110.0, -37.5, 0.0, 12.25, 110.0}) {
    for (double r : {-82.0, 0.0, 41.5}) {
      surface.calls.clear();
      sample(c, r);
      draw(1);
      ASSERT_EQ(surface.calls.size(), 2u);
      EXPECT_EQ(632 - surface.calls[0].x1, surface.calls[1].x1);
      EXPECT_EQ(surface.calls[0].y1, surface.calls[1].y1);
      EXPECT_EQ(surface.calls[0].y1, static_cast<float>(217 - r));
    }
  }
}

TEST_F(ShapesTest, ShapeTwentyFourAgainstHandComputedPoints) {
  in.hsbhorizon = 4;
  in.hsbvertical = -6;
  sample(-10, 3, 2, 3, 0, 3);  // K = 9
  draw(24);
  // anchor (320, 211); r x P / K = 2/3, Q x Q / K = 1
  ASSERT_EQ(surface.calls.size(), 2u);
  expectPoint(0, static_cast<float>(310 + 2.0 / 3), 209);
  expectPoint(1, static_cast<float>(330 - 2.0 / 3), 215);
  EXPECT_EQ(state.halfwidth, 320);
  EXPECT_EQ(state.halfheight, 211);
}

TEST_F(ShapesTest, ShapeTwentyFiveAtRowZeroStoresTheAnchorButDrawsNothing) {
  in.hsbhorizon = 10;
  in.hsbvertical = 20;
  sample(-5, 0, 1, 2, 3);
  draw(25);
  EXPECT_TRUE(surface.calls.empty());
  EXPECT_EQ(state.halfwidth, 326);
  EXPECT_EQ(state.halfheight, 237);
}

TEST_F(ShapesTest, SwappedAxisShapesSkipTheirPointsWhenLengthTimesSizeOverflows) {
  in.borderlen = 100;
  state.N1 = 1000;  // L x N1 = 100000
  sample(-10, 3, 2, 3);
  draw(37);
  EXPECT_TRUE(surface.calls.empty());
  draw(1);  // reads neither L nor N1
  EXPECT_EQ(surface.calls.size(), 2u);
}

// Bar shapes -----------------------------------------------------------------------------------

// Settings shared by the hand-computed bars: A = floor(110 x 0.75) = 82, G = 110 x 30 / 25 = 132.
class BarShapesTest : public ShapesTest {
 protected:
  BarShapesTest() {
    in.glij = 20;
    in.hoogte = 30;
    in.hsbhorizon = 4;
    in.hsbvertical = -6;
    sample(-10, 3, 2, 0, 0, 3);  // K = 9
  }
};

TEST_F(BarShapesTest, ShapeTwoScalesTheRecomputedFloorByLength) {
  in.borderlen = 3;
  draw(2);
  // ax = 316 - floor(82.5) x 3 / 2 - floor(247.5) x 2 / 2 + 4 = -50
  // ay = 217 - (330 / 2 + 30) + 1.5 x 3 - 6 = 20.5
  EXPECT_EQ(state.halfwidth, -50);
  EXPECT_EQ(state.halfheight, 20.5f);
  ASSERT_EQ(surface.calls.size(), 1u);
  expectLine(0, -73, 10.5f, -73, 142.5f);
}

TEST_F(BarShapesTest, ShapeFourteenAddsPlainSlideAtTheFarEnd) {
  draw(14);
  // ax = 316 - 41 - 82 + 4 = 197; ay = 217 - 165 - 30 - 6 = 16; N1 / (S + c) = 11
  ASSERT_EQ(surface.calls.size(), 1u);
  expectLine(0, 197 - 3 + 11 - 20, -4, 197 - 3 - 10 + 11 + 2, 128);
}

TEST_F(BarShapesTest, ShapeFourteenSkipsTheBarWhereSlidePlusColumnIsZero) {
  sample(-20, 3, 2, 0, 0, 3);
  draw(14);
  EXPECT_TRUE(surface.calls.empty());
}

TEST_F(BarShapesTest, ShapeThirtyFourScalesTheWholeFarXIncludingTheAnchor) {
  draw(34);
  // ax = 197, ay = 217 - 55 - 6 = 156; far end ((197 + 3 + 18) x 6 / 10, 156 - 10 - 9 + 66)
  ASSERT_EQ(surface.calls.size(), 1u);
  expectLine(0, 174, 143, 130.8f, 203);
}

TEST_F(BarShapesTest, ShapeTenWithoutOrbitPlotsBothPointsInOnePlace) {
  sample(-10, 3, 0, 0, 0, 3);
  draw(10);
  ASSERT_EQ(surface.calls.size(), 2u);
  // ax = 197, ay = 217 - 55 + 15 - 6 = 171; K x T / 50 = 5.4
  expectPoint(0, 197 - 3 - 10, static_cast<float>(161 - 5.4));
  expectPoint(1, 197 - 3 - 10, static_cast<float>(161 - 5.4));
}

TEST_F(BarShapesTest, ShapeFiveAtColumnZeroStoresANonFiniteAnchorAndRecovers) {
  sample(0, 3);
  draw(5);
  EXPECT_FALSE(std::isfinite(state.halfwidth));
  EXPECT_TRUE(surface.calls.empty());

  sample(-10, 3);
  draw(5);
  // ax = 316 - 20 x 82 x 1 / -10 + 4 = 484; ay = 217 - floor(86.17) + 4.7 - 6
  const float ay = static_cast<float>(217 - 86 + 4.7 - 6);
  EXPECT_EQ(state.halfwidth, 484);
  EXPECT_EQ(state.halfheight, ay);
  ASSERT_EQ(surface.calls.size(), 1u);
  const double y = static_cast<double>(ay) - 10;
  expectLine(0, 471, static_cast<float>(y), 471, static_cast<float>(y + 132));
}

TEST_F(BarShapesTest, ShapeFiveKeepsTheOldAnchorXWhenSlideTimesSizeOverflows) {
  in.glij = 50;
  in.borderlen = 10;
  sample(-10, 3);
  draw(5);  // S x N2 x L = 41000
  EXPECT_EQ(state.halfwidth, 316);
  EXPECT_EQ(surface.calls.size(), 1u);
}

TEST_F(BarShapesTest, SixteenBitFailureInTheAnchorKeepsThePreviousAnchor) {
  in.borderlen = 100;
  state.N1 = 1000;  // L x N1 = 100000: A and the anchor y cannot be formed
  state.halfwidth = 250;
  state.halfheight = 150;
  draw(3);
  EXPECT_EQ(state.halfwidth, 250);
  EXPECT_EQ(state.halfheight, 150);
  // G = 1000 x 30 / 25 = 1200, drawn around the old anchor
  ASSERT_EQ(surface.calls.size(), 1u);
  expectLine(0, 250 - 3 - 10, 140, 237, 1340);
}

TEST_F(BarShapesTest, BarLengthOverflowSkipsEveryMarkThatUsesIt) {
  state.N1 = 700;  // N1 x T = 35000
  state.N2 = 525;
  in.hoogte = 50;
  for (int16_t shape : {2, 3, 5, 6, 7, 8, 9, 12, 13, 14, 35}) {
    surface.calls.clear();
    draw(shape);
    EXPECT_TRUE(surface.calls.empty()) << shape;
  }
  // Shape 11's middle segment is the only one without the bar length.
  surface.calls.clear();
  draw(11);
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].y1, surface.calls[0].y2);
  // The bars without G still draw.
  for (int16_t shape : {4, 10, 15, 34}) {
    surface.calls.clear();
    draw(shape);
    EXPECT_FALSE(surface.calls.empty()) << shape;
  }
}

// Stroke shapes --------------------------------------------------------------------------------

TEST_F(ShapesTest, ShapeNineteenAgainstHandComputedStroke) {
  in.hsbhorizon = 4;
  in.hsbvertical = -6;
  sample(-10, 3, 0, 0, 0, 3);
  draw(19);
  // ax = 316 - 41 - 41 + 4 = 238, ay = 217 - 55 - 6 = 156, k x N1 / 5 = 66
  ASSERT_EQ(surface.calls.size(), 1u);
  expectLine(0, 228, 143, 231, 219);
}

TEST_F(ShapesTest, ShapeTwentyAtColumnZeroSkipsItsStroke) {
  sample(0, 3, 0, 0, 0, 2);
  draw(20);
  EXPECT_TRUE(surface.calls.empty());
  EXPECT_EQ(state.halfwidth, 316 - 0 - 0 - 4);  // B = floor(0.75) = 0
}

TEST_F(ShapesTest, ShapeTwentyNineSecondStrokeStartsAtTheRoundedEnd) {
  sample(-10, 5, 0, 0, 0, 2);  // K = 4
  draw(29);
  // ax = 316 - 110 = 206, ay = 217
  ASSERT_EQ(surface.calls.size(), 2u);
  expectLine(0, 195, 221, 196, 222);
  EXPECT_EQ(state.endx, 196);
  EXPECT_EQ(state.endy, 222);
  expectLine(1, 196, 222, 195, 223);
}

TEST_F(ShapesTest, ShapeTwentyNineRoundsHalvesToEven) {
  sample(0.5, 0.5, 0, 0, 0, 2);
  draw(29);
  EXPECT_EQ(state.endx, 206);  // 206.5
  EXPECT_EQ(state.endy, 218);  // 217.5
}

TEST_F(ShapesTest, ShapeTwentyNineKeepsAnEndThatCannotBeRounded) {
  state.endx = 7;
  sample(0, 0, 1e6, 0, 0, 2);
  draw(29);
  EXPECT_EQ(state.endx, 7);
  EXPECT_EQ(state.endy, 217);
  ASSERT_EQ(surface.calls.size(), 2u);
  expectLine(1, 7, 217, 7 - 1 + 1e6f, 218);
}

// Tiled shape ----------------------------------------------------------------------------------

TEST_F(ShapesTest, ShapeThirtyTwoTilesIgnoreShiftsSlideAndHeight) {
  sample(-10, 3);
  draw(32);
  ASSERT_EQ(surface.calls.size(), 60u);
  EXPECT_EQ(state.halfwidth, 316 - 550);
  EXPECT_EQ(state.halfheight, 217 - 328);
  // First tile upright around (426, 217); the first tile of row 2 upside down around (426, 381).
  expectPoint(0, 416, 214);
  expectPoint(1, 436, 214);
  expectPoint(12, 416, 384);
  expectPoint(13, 436, 384);
  expectPoint(59, -224, -114);

  const std::vector<SurfaceCall> plain = surface.calls;
  surface.calls.clear();
  in = {32, 1, -50, 1, 750, -750, 10, kColour};
  draw(32);
  ASSERT_EQ(surface.calls.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(surface.calls[i].x1, plain[i].x1) << i;
    EXPECT_EQ(surface.calls[i].y1, plain[i].y1) << i;
  }
}

}  // namespace
}  // namespace orbisk
