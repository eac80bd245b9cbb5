// Point shapes: each call plots a mirrored pair of points (shapes 37 and 38: two and three pairs)
// around the anchor (W/2 + HX, H/2 + VY). They read neither the slide nor the bar height.
#include "render/drawing/ShapeFamilies.h"

#include "render/orbit/AlwaysInline.h"

namespace orbisk {

bool isPointShape(int shape) {
  switch (shape) {
    case 1:
    case 16:
    case 17:
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
    case 27:
    case 28:
    case 30:
    case 31:
    case 33:
    case 36:
    case 37:
    case 38:
      return true;
    default:
      return false;
  }
}

namespace {

// Shape 38's pair for one function f of R; each point computes f(R) as part of its own step.
template <typename F>
ORBISK_ALWAYS_INLINE void plotFunctionPair(ShapeContext& g, double ax, double ay, F f) {
  const double c = g.c, r = g.r, P = g.P, R = g.R;
  {
    const double fr = f(R);
    g.plot(ax + fr * c + P, ay + fr * r + P);
  }
  {
    const double fr = f(R);
    g.plot(ax - fr * c - P, ay - fr * r + P);
  }
}

ORBISK_ALWAYS_INLINE void drawPoints(int shape, ShapeContext& g) {
  g.setAx(g.W / 2 + g.HX);
  g.setAy(g.H / 2 + g.VY);
  const double ax = g.ax(), ay = g.ay();
  const double c = g.c, r = g.r, P = g.P, Q = g.Q, R = g.R, K = g.K, L = g.L, N1 = g.N1;

  switch (shape) {
    case 1:
      g.plot(ax + c, ay - r);
      g.plot(ax - c, ay - r);
      break;
    case 16:
      g.plot(ax + c + P + Q, ay - r - P + Q);
      g.plot(ax - c - P - Q, ay - r - P + Q);
      break;
    case 17:
      g.plot(ax + c + P * R, ay - r - P * R);
      g.plot(ax - c - P * R, ay - r - P * R);
      break;
    case 21: {
      const double s1 = g.sin(R);
      g.plot(ax + s1 * c + P, ay - s1 * r + P);
      const double s2 = g.sin(R);
      g.plot(ax - s2 * c - P, ay - s2 * r + P);
      break;
    }
    case 22: {
      // The first point mirrors the row upwards, the second downwards: the picture's own slant.
      const double s1 = g.sin(R);
      g.plot(ax + s1 * c + P, ay + s1 * r + P);
      const double s2 = g.sin(R);
      g.plot(ax - s2 * c - P, ay - s2 * r + P);
      break;
    }
    case 23: {
      const double s1 = g.sin(Q);
      g.plot(ax + s1 * c * P, ay - s1 * r * P);
      const double s2 = g.sin(Q);
      g.plot(ax - s2 * c * P, ay - s2 * r * P);
      break;
    }
    case 24:
      g.plot(ax + c + r * P / K, ay - r + Q * Q / K);
      g.plot(ax - c - r * P / K, ay + r + Q * Q / K);
      break;
    case 25:
      // r = 0 or Q = 0 divides by zero: those points are not finite and are skipped.
      g.plot(ax + c + c * R / r, ay + r * R / Q);
      g.plot(ax - c - c * R / r, ay + r * R / Q);
      break;
    case 26:
      g.plot(ax + 2 * c + P * Q / K, ay + r + Q * P / K);
      g.plot(ax - 2 * c - P * Q / K, ay + r + Q * P / K);
      break;
    case 27:
      g.plot(ax + c + r * P / K, ay + r + Q * Q / K);
      g.plot(ax - c - r * P / K, ay + r + Q * Q / K);
      break;
    case 28:
      g.plot(ax + c + K, ay + r - K + N1 / 2);
      g.plot(ax - c - K, ay + r - K + N1 / 2);
      break;
    case 30: {
      const double s1 = g.sin(r);
      g.plot(ax + c + s1, ay + r);
      const double s2 = g.sin(r);
      g.plot(ax - c - s2, ay + r);
      break;
    }
    case 31:
      g.plot(ax + c + K + P, ay + r - K + Q + N1 / 2);
      g.plot(ax - c - K - P, ay + r - K + Q + N1 / 2);
      break;
    case 33:
      g.plot(ax + c + 0.314 * P, ay - r - 0.314 * Q);
      g.plot(ax - c - 0.314 * P, ay - r - 0.314 * Q);
      break;
    case 36:
      // The row runs across and the column runs down.
      g.plot(ax - r, ay - c + g.mul(L, N1) / 2);
      g.plot(ax + r, ay - c + g.mul(L, N1) / 2);
      break;
    case 37:
      g.plot(ax - r - P, ay - P - c + g.mul(L, N1) / 2);
      g.plot(ax + r + P, ay - P - c + g.mul(L, N1) / 2);
      g.plot(ax - r - Q, ay - Q - c + g.mul(L, N1) / 2);
      g.plot(ax + r + Q, ay - Q - c + g.mul(L, N1) / 2);
      break;
    case 38:
      plotFunctionPair(g, ax, ay, [&g](double v) { return g.sin(v); });
      plotFunctionPair(g, ax, ay, [&g](double v) { return g.cos(v); });
      plotFunctionPair(g, ax, ay, [&g](double v) { return g.tan(v); });
      break;
    default:
      break;
  }
}

template <int SHAPE>
constexpr ShapeFunction kPoint = &drawShapeNumber<drawPoints, SHAPE>;

}  // namespace

// clang-format off
ShapeFunction pointShapeFunction(int shape) {
  switch (shape) {
    case 1: return kPoint<1>;
    case 16: return kPoint<16>;
    case 17: return kPoint<17>;
    case 21: return kPoint<21>;
    case 22: return kPoint<22>;
    case 23: return kPoint<23>;
    case 24: return kPoint<24>;
    case 25: return kPoint<25>;
    case 26: return kPoint<26>;
    case 27: return kPoint<27>;
    case 28: return kPoint<28>;
    case 30: return kPoint<30>;
    case 31: return kPoint<31>;
    case 33: return kPoint<33>;
    case 36: return kPoint<36>;
    case 37: return kPoint<37>;
    default: return kPoint<38>;
  }
}
// clang-format on

}  // namespace orbisk
