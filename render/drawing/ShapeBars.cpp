// Bar shapes: the column axis runs down the canvas and the row axis leftwards, the slide S shears
// the column axis sideways, and each call draws a bar of length G below the projected point
// (shape 10 plots two points instead, shape 11 draws three segments).
#include "render/drawing/ShapeFamilies.h"

#include <cmath>

#include "render/orbit/AlwaysInline.h"

namespace orbisk {

bool isBarShape(int shape) {
  return (shape >= 2 && shape <= 15) || shape == 34 || shape == 35;
}

namespace {

// The anchor x most bar shapes share: W/2 - A/2 - A x (S/10)/2 + HX.
ORBISK_ALWAYS_INLINE double sharedAnchorX(ShapeContext& g) {
  const double A = g.A();
  return g.W / 2 - A / 2 - A * (g.S / 10) / 2 + g.HX;
}

ORBISK_ALWAYS_INLINE double anchorX(int shape, ShapeContext& g) {
  const double W = g.W, L = g.L, N1 = g.N1, S = g.S, HX = g.HX;
  switch (shape) {
    case 2:
      // The first floor term equals N2 but is formed again here and scaled by L.
      return W / 2 - g.floor(N1 * g.spany / g.spanx) * L / 2 - g.A() * (S / 10) / 2 + HX;
    case 5:
      // c = 0 divides by zero: the stored anchor is not finite and the sample draws nothing.
      return W / 2 - g.mul(g.mul(S, g.N2), L) / g.c + HX;
    case 6:
    case 9:
      return W / 2 - g.A() / 2 - (S / 10) * L * N1 / 4.5 + HX;
    case 7:
      return W / 2 - g.mul(L, N1) / 2 - (S / 10) * (g.mul(L, N1) / 2) / 2.75 + HX;
    default:
      return sharedAnchorX(g);
  }
}

ORBISK_ALWAYS_INLINE double anchorY(int shape, ShapeContext& g) {
  const double H = g.H, L = g.L, N1 = g.N1, T = g.T, VY = g.VY;
  switch (shape) {
    case 2:
      return H / 2 - (g.mul(L, N1) / 2 + T) + 1.5 * g.r + VY;
    case 4:
    case 10:
    case 15:
      return H / 2 - g.mul(L, N1) / 2 + T / 2 + VY;
    case 5:
      return H / 2 - g.floor(g.Z * 2.35 / 3) + 4.7 + VY;
    case 7:
      return H / 2 - T + VY;
    case 11:
      return H / 2 + g.mul(L, N1) / 2 + T / 25 + VY;
    case 13:
      return H / 2 - 1.5 * N1 - T + VY;
    case 14:
      return H / 2 - 1.5 * L * N1 - T + VY;
    case 34:
      return H / 2 - g.mul(L, N1) / 2 + VY;
    default:  // 3, 6, 8, 9, 12, 35
      return H / 2 - g.mul(L, N1) / 2 - T + VY;
  }
}

ORBISK_ALWAYS_INLINE void drawMarks(int shape, ShapeContext& g, double ax, double ay) {
  const double c = g.c, r = g.r, P = g.P, K = g.K, N1 = g.N1, S = g.S, T = g.T;
  switch (shape) {
    case 2:
      g.line(ax - r + S * c / 10, ay + c, ax - r + S * c / 10, ay + c + g.G());
      break;
    case 3:
    case 5:
      g.line(ax - r + S * c / 20, ay + c, ax - r + S * c / 20, ay + c + g.G());
      break;
    case 4:
      g.line(ax - r + S * c / 20, ay + c, ax - r + S * c / 20,
             ay + c - (g.mul(K, T) / 50 + g.sub(T, 25) * P));
      break;
    case 6:
      g.line(ax - r + S * c / 20, ay + c, ax - r + S * c / 20, ay + r + g.G());
      break;
    case 7:
      g.line(ax - r + S * c / 20, ay + r, ax - r + S * c / 20, ay + r + g.G());
      break;
    case 8:
      g.line(ax - r + S * c / 10, ay + c, ax - r + S * c / 10, ay + c + g.G() + c);
      break;
    case 9:
      g.line(ax - r + S * c / 20, ay + c, ax + r + S * c / 20, ay - c - r + g.G());
      break;
    case 10: {
      const double x = ax - r + S * c / 20;
      g.plot(x, ay + c - (g.mul(K, T) / 50 - (T / 10) * P));
      g.plot(x, ay + c - (g.mul(K, T) / 50 + (T / 10) * P));
      break;
    }
    case 11: {
      const double x0 = ax - r + S * c / 10, y0 = ay - 2 * c;
      g.line(x0 + c, y0, x0 + c, y0 + g.G());
      g.line(x0, y0, x0 + 2 * c, y0);
      g.line(x0 + 2 * c, y0 + g.G(), x0, y0 + g.G());
      break;
    }
    case 12:
      g.line(ax - r + S * c / 10, ay + c - r, ax - r + S * c / 10, ay + c - r + g.G());
      break;
    case 13: {
      const double x = ax - r + (2 * c * c / g.mul(N1, 2)) * S / 10;
      g.line(x, N1 + ay + c, x, N1 + ay + c + g.G());
      break;
    }
    case 14:
      // S + c = 0 divides by zero and the bar is skipped. The far end adds S/10, not S x c/10.
      g.line(ax - r + N1 / (S + c) + S * c / 10, ay + 2 * c, ax - r + c + N1 / (S + c) + S / 10,
             ay + 2 * c + g.G());
      break;
    case 15:
      g.line(ax + r + c + S * c / 20, ay + c, ax + r + S * c / 20,
             ay - r + c - (g.mul(K, T) / 50 + g.sub(T, 25) * P));
      break;
    case 34:
      // (T - 24)/10 scales the whole far x, anchor included.
      g.line(ax - r + S * c / 10, ay + c - r, (ax + r + g.mul(K, S) / 10) * g.sub(T, 24) / 10,
             ay + c - K + g.mul(N1, g.sub(T, 24)) / 10);
      break;
    case 35:
      g.line(ax - r + S * c / 20, ay + c - std::fabs(K / 2 - T), ax - r + S * c / 20,
             ay + c + g.G());
      break;
    default:
      break;
  }
}

ORBISK_ALWAYS_INLINE void drawBar(int shape, ShapeContext& g) {
  g.setAx(anchorX(shape, g));
  g.setAy(anchorY(shape, g));
  drawMarks(shape, g, g.ax(), g.ay());
}

template <int SHAPE>
constexpr ShapeFunction kBar = &drawShapeNumber<drawBar, SHAPE>;

}  // namespace

// clang-format off
ShapeFunction barShapeFunction(int shape) {
  switch (shape) {
    case 2: return kBar<2>;
    case 3: return kBar<3>;
    case 4: return kBar<4>;
    case 5: return kBar<5>;
    case 6: return kBar<6>;
    case 7: return kBar<7>;
    case 8: return kBar<8>;
    case 9: return kBar<9>;
    case 10: return kBar<10>;
    case 11: return kBar<11>;
    case 12: return kBar<12>;
    case 13: return kBar<13>;
    case 14: return kBar<14>;
    case 15: return kBar<15>;
    case 34: return kBar<34>;
    default: return kBar<35>;
  }
}
// clang-format on

}  // namespace orbisk
