// Stroke shapes: one short segment per call (shape 29: two, the second starting where the first
// one's end lands on whole pixels). They read the anchor shifts but not the slide or bar height.
#include "render/drawing/ShapeFamilies.h"

#include "render/orbit/AlwaysInline.h"

namespace orbisk {

bool isStrokeShape(int shape) {
  return shape == 18 || shape == 19 || shape == 20 || shape == 29;
}

namespace {

ORBISK_ALWAYS_INLINE double anchorX(int shape, ShapeContext& g) {
  const double W = g.W, HX = g.HX;
  switch (shape) {
    case 18: {
      const double A = g.A();
      return W / 2 - A / 2 - A / 2 + g.mul(g.N1, g.L) + HX;
    }
    case 19: {
      const double A = g.A();
      return W / 2 - A / 2 - A / 2 + HX;
    }
    case 20: {
      const double B = g.B();
      return W / 2 - B / 2 - B / 2 - g.K + HX;
    }
    default:  // 29
      return W / 2 - g.mul(g.L, g.N1) + HX;
  }
}

ORBISK_ALWAYS_INLINE double anchorY(int shape, ShapeContext& g) {
  const double H = g.H, VY = g.VY;
  switch (shape) {
    case 18:
    case 19:
      return H / 2 - g.mul(g.L, g.N1) / 2 + VY;
    case 20:
      return H / 2 - g.mul(g.L, g.N1) / 2 + g.K + VY;
    default:  // 29
      return H / 2 + VY;
  }
}

ORBISK_ALWAYS_INLINE void drawStroke(int shape, ShapeContext& g) {
  g.setAx(anchorX(shape, g));
  g.setAy(anchorY(shape, g));
  const double ax = g.ax(), ay = g.ay();
  const double c = g.c, r = g.r, k = g.k, K = g.K;
  switch (shape) {
    case 18:
      g.line(ax - r - c, ay + c - r, ax + r - c - k, ay + c + r);
      break;
    case 19:
      g.line(ax + c, ay - r + c, ax + c + r, ay - r + g.mul(k, g.N1) / 5);
      break;
    case 20:
      // c = 0 divides by zero and the stroke is skipped.
      g.line(ax + c, ay + r, ax + c + g.N1 / c, ay + r);
      break;
    case 29:
      g.line(ax + c - K / 4, ay + r - K / 4, ax + c + g.P / 4, ay + r + g.Q / 4);
      g.setEndX(ax + c + g.P);
      g.setEndY(ay + r + g.Q);
      // Starts from whatever endx and endy hold now, even when they could not be updated.
      g.line(g.endx(), g.endy(), g.endx() - K / 4 + g.P, g.endy() + K / 4);
      break;
    default:
      break;
  }
}

template <int SHAPE>
constexpr ShapeFunction kStroke = &drawShapeNumber<drawStroke, SHAPE>;

}  // namespace

// clang-format off
ShapeFunction strokeShapeFunction(int shape) {
  switch (shape) {
    case 18: return kStroke<18>;
    case 19: return kStroke<19>;
    case 20: return kStroke<20>;
    default: return kStroke<29>;
  }
}
// clang-format on

}  // namespace orbisk
