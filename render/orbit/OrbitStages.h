// The stages of the origin formulas, written once for every way they are run.
//
// Each stage takes its choice number as a plain int and works on values the caller holds in
// locals. The column loops (ColumnLoopBody.h) call them with the choice either fixed at compile
// time, so that the switch folds away and the stage becomes a few instructions, or read from the
// column's formula choice, so that one loop serves any value. The one-sample functions of
// OriginFormulas.cpp call them too. There is thus exactly one text of every formula: the fast
// loops cannot drift from the slow ones.
//
// A statement that calls a function (sin, cos, tan, atn, Int or a power) fails as a whole when any
// of those calls has no finite result; its target then keeps its previous value. Plain arithmetic
// is stored as IEEE gives it, infinities and NaN included. The operations, their order and their
// grouping are exactly those of the formulas: never rewrite them "equivalently". sin, cos, tan,
// atn and the power are Orbisk's own correctly rounded functions (render/math/ExactMath.h), never
// the C library's, whose last bits differ between libraries and processors.
#pragma once

#include <cmath>
#include <cstdint>

#include "render/orbit/AlwaysInline.h"
#include "render/orbit/Arith.h"
#include "render/math/ExactMath.h"

namespace orbisk {

// The values one iteration reads and writes. They persist from iteration to iteration and from
// sample to sample; a column loop keeps them in locals and writes them back to the state when the
// column ends and before a sample is drawn.
struct OrbitRegisters {
  double P = 0, Q = 0, R = 0;   // the orbit (orbp, orbq, orbr)
  double nextp = 0, nextq = 0;  // the lab step's results
  double levelcap = 0;          // the level's threshold
  double v1a = 0, v1b = 0;      // the values of the functions v1a and v1b
};

// What the map reads besides the orbit; fixed for a column.
struct MapConstants {
  double coefa = 0, coefb = 0, coefc = 0, coefd = 0;  // map coefficients
  double det = 0;                                     // the single-precision det, as a double
  double ts1 = 0, ts2 = 0;                            // the type signs, as doubles
  double v4by20 = 0;                                  // v4 / 20 of the world step's second branch
};

// What the start point reads besides the sample position; fixed for a run.
struct StartConstants {
  double spanx = 3, spany = 2.25;  // the single-precision spans, as doubles
  double galx = 0, galy = 0;       // galaxy offsets
  double N1 = 110, N2 = 82;        // size and derived size, as doubles
};

namespace stages {

// Power with the failure rule: no finite real result (negative base with a non-integral
// exponent, zero to a negative power, overflow) fails. Any number to the power 0 is 1.
ORBISK_ALWAYS_INLINE bool power(double base, double exponent, double& out) {
  const double r = math::pow(base, exponent);
  if (!finite(r)) return false;
  out = r;
  return true;
}

ORBISK_ALWAYS_INLINE bool fin(double v) {
  return finite(v);
}

// The start point chosen by the effect. Any other effect leaves P and Q as the previous sample
// left them.
ORBISK_ALWAYS_INLINE void startPoint(int eff, const StartConstants& k, double col, double row,
                                     double& P, double& Q) {
  const double spanx = k.spanx;
  const double spany = k.spany;
  const double x = spanx * col / k.N1 + k.galx;
  const double y = spany * row / k.N2 + k.galy;
  double v;
  switch (eff) {
    case 1:
      P = x;
      Q = y;
      break;
    case 2:
      if (fin(v = math::sin(x))) P = 3.14 * v;
      Q = 3.14 * y;
      break;
    case 3:
      if (fin(v = math::sin(x))) P = v;
      if (fin(v = math::sin(y))) Q = v;
      break;
    case 4:
      P = x;
      if (fin(v = math::sin(y))) Q = v;
      break;
    case 5:
      if (fin(v = math::cos(x))) P = v;
      Q = y;
      break;
    case 6:
      P = x / 3.14;
      Q = y / 3.14;
      break;
    case 7:
      P = -x;
      Q = y;
      break;
    case 8:
      P = -x;
      Q = -y;
      break;
    case 9:
      P = -x;
      if (fin(v = math::sin(y))) Q = -v;
      break;
    case 10:
      if (fin(v = math::cos(x))) P = -v;
      Q = y;
      break;
    case 11: {
      double a, b;
      if (fin(a = math::sin(k.galx)) && fin(b = math::sin(col))) P = a + spanx * b / k.N1;
      if (fin(a = math::sin(k.galy)) && fin(b = math::sin(row))) Q = a + spany * b / k.N2;
      break;
    }
    case 12: {
      const double xr = k.galx - spanx * col / k.N1;
      const double yr = k.galy - spany * row / k.N2;
      if (fin(v = math::sin(xr))) P = 3.14 * v;
      Q = 3.14 * yr;
      break;
    }
    case 13:
      if (fin(v = math::atan(x))) P = v;
      if (fin(v = math::atan(y))) Q = v;
      break;
    case 14:
      P = x;
      if (fin(v = math::tan(y))) Q = v;
      break;
    case 15: {
      double a, b;
      if (fin(a = math::tan(k.galx)) && fin(b = math::atan(col)) &&
          fin(v = math::cos(a - spanx * b / k.N1)))
        P = v;
      Q = y;
      break;
    }
    case 16: {
      double a;
      if (fin(a = math::sin(col))) P = (spanx * a / k.N1 + k.galx) / 3.14;
      if (fin(v = math::tan(y))) Q = v / 3.14;
      break;
    }
    case 17:
      if (fin(v = math::atan(x))) P = -v;
      Q = k.galy - spany * row / k.N2;
      break;
    case 18: {
      double a;
      if (fin(a = math::sin(col)) && fin(v = math::tan(k.galx - spanx * a / k.N1))) P = -v;
      Q = -y;
      break;
    }
    case 19:
      P = -0.314 * x;
      if (fin(v = math::sin(y))) Q = -v;
      break;
    case 20:
      if (fin(v = math::atan(x))) P = -3.14 * v;
      Q = y;
      break;
    default:
      break;  // the previous sample's P and Q stay
  }
}

// Function v1a of P. Any other value leaves v1a unchanged.
// clang-format off
ORBISK_ALWAYS_INLINE void functionV1a(int func1, double P, double& v1a) {
  double v, a;
  switch (func1) {
    case 1: v1a = P; break;
    case 2: if (fin(v = math::sin(P))) v1a = v; break;
    case 3: if (fin(v = math::sin(P))) v1a = -v; break;
    case 4: if (fin(v = math::cos(P))) v1a = v; break;
    case 5: if (fin(v = math::cos(P))) v1a = -v; break;
    case 6: if (fin(a = math::tan(P)) && fin(v = math::sin(a))) v1a = v; break;
    case 7: if (fin(a = math::tan(P)) && fin(v = math::sin(a))) v1a = -v; break;
    case 8: if (fin(a = math::atan(P)) && fin(v = math::sin(a))) v1a = v; break;
    case 9: if (fin(a = math::atan(P)) && fin(v = math::sin(a))) v1a = -v; break;
    case 10: if (fin(a = std::floor(P)) && fin(v = math::sin(a))) v1a = v; break;
    case 11: if (fin(a = std::floor(P)) && fin(v = math::sin(a))) v1a = -v; break;
    default: break;
  }
}
// clang-format on

// Function v1b of t = coefc x R + coefa x Q - coefc. The division by det stands outside the
// function for 2 to 5 and inside the sine for 6 to 11. Any other value leaves v1b unchanged.
// clang-format off
ORBISK_ALWAYS_INLINE void functionV1b(int func2, double t, double det, double& v1b) {
  double v, a;
  switch (func2) {
    case 1: v1b = t / det; break;
    case 2: if (fin(v = math::sin(t))) v1b = v / det; break;
    case 3: if (fin(v = math::sin(t))) v1b = -v / det; break;
    case 4: if (fin(v = math::cos(t))) v1b = v / det; break;
    case 5: if (fin(v = math::cos(t))) v1b = -v / det; break;
    case 6: if (fin(a = math::tan(t)) && fin(v = math::sin(a / det))) v1b = v; break;
    case 7: if (fin(a = math::tan(t)) && fin(v = math::sin(a / det))) v1b = -v; break;
    case 8: if (fin(a = math::atan(t)) && fin(v = math::sin(a / det))) v1b = v; break;
    case 9: if (fin(a = math::atan(t)) && fin(v = math::sin(a / det))) v1b = -v; break;
    case 10: if (fin(a = std::floor(t)) && fin(v = math::sin(a / det))) v1b = v; break;
    case 11: if (fin(a = std::floor(t)) && fin(v = math::sin(a / det))) v1b = -v; break;
    default: break;
  }
}
// clang-format on

// The type signs of t1. Any other value leaves both signs unchanged.
ORBISK_ALWAYS_INLINE void typeSigns(int t1, int16_t& typesign1, int16_t& typesign2) {
  static constexpr int16_t kSigns[8][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1},
                                           {2, 2}, {-2, 2}, {2, -2}, {-2, -2}};
  if (t1 >= 1 && t1 <= 8) {
    typesign1 = kSigns[t1 - 1][0];
    typesign2 = kSigns[t1 - 1][1];
  }
}

// The level's threshold. Any other value leaves levelcap unchanged.
// clang-format off
ORBISK_ALWAYS_INLINE void levelThreshold(int w, double P, double Q, double R, double& levelcap) {
  double u, u2;
  switch (w) {
    case 1: levelcap = 0; break;
    case 2: levelcap = R - Q; break;
    case 3: levelcap = P - R; break;
    case 4: levelcap = -P - Q; break;
    case 5: levelcap = Q - P; break;
    case 6: levelcap = P + R; break;
    case 7: levelcap = Q + R; break;
    case 8: levelcap = P + Q - R; break;
    case 9: levelcap = Q - R; break;
    case 10: levelcap = R + R + R; break;
    case 11: levelcap = Q + Q; break;
    case 12: levelcap = P + P; break;
    case 13: levelcap = P - Q; break;
    case 14: levelcap = R - P; break;
    case 15: levelcap = P + R - Q; break;
    case 16: levelcap = P * P; break;
    case 17: levelcap = P * Q; break;
    case 18: levelcap = P * R; break;
    case 19: levelcap = Q * Q; break;
    case 20: levelcap = R * R; break;
    case 21: levelcap = P * P * P; break;
    case 22: levelcap = P * Q * P; break;
    case 23: levelcap = P * R * P; break;
    case 24: levelcap = Q * Q * P; break;
    case 25: levelcap = R * R * P; break;
    case 26: if (power(R, Q, u)) levelcap = u / 3.14; break;
    case 27: if (power(P, R, u)) levelcap = u / 3.14; break;
    case 28: if (power(P, Q, u)) levelcap = -u / 3.14; break;
    case 29: if (power(Q, P, u)) levelcap = u / 3.14; break;
    case 30: if (power(R, P, u)) levelcap = u / 3.14; break;
    case 31: if (power(Q, R, u)) levelcap = u / 3.14; break;
    case 32: if (power(Q, R, u)) levelcap = u / 3.14 + P; break;
    case 33: if (power(Q, Q, u)) levelcap = u / 3.14; break;
    case 34: if (power(R, R, u)) levelcap = u / 3.14 + R; break;
    case 35: if (power(P, P, u) && power(P, P, u2)) levelcap = (u + u2) / 3.14; break;
    default: break;
  }
}
// clang-format on

// The solar-system transform of p. Any other value leaves p unchanged.
// clang-format off
ORBISK_ALWAYS_INLINE void solarTransform(int sols, double& orbp) {
  const double p = orbp;
  double a, b;
  switch (sols) {
    case 1: break;
    case 2: if (fin(a = math::sin(p))) orbp = a; break;
    case 3: if (fin(a = math::cos(p))) orbp = a; break;
    case 4: if (fin(a = math::tan(p))) orbp = a; break;
    case 5: if (fin(a = math::atan(p))) orbp = a; break;
    case 6: if (fin(a = std::floor(p))) orbp = a; break;
    case 7: orbp = p * p; break;
    case 8: if (fin(a = math::sin(p))) orbp = a * a; break;
    case 9: if (fin(a = math::cos(p))) orbp = a * a; break;
    case 10: if (fin(a = math::tan(p))) orbp = a * a; break;
    case 11: if (fin(a = math::atan(p))) orbp = a * a; break;
    case 12: if (fin(a = std::floor(p))) orbp = a * a; break;
    case 13: if (fin(a = math::sin(p)) && power(p, a, b)) orbp = b; break;
    case 14: if (fin(a = math::cos(p)) && power(p, a, b)) orbp = b; break;
    case 15: if (fin(a = math::tan(p)) && power(p, a, b)) orbp = b; break;
    case 16: if (fin(a = math::atan(p)) && power(p, a, b)) orbp = b; break;
    case 17: if (fin(a = std::floor(p)) && power(p, a, b)) orbp = b; break;
    case 18: if (power(p, p, b)) orbp = b; break;
    case 19: if (fin(a = math::sin(p)) && power(p, a, b)) orbp = b * a; break;
    case 20: if (fin(a = math::cos(p)) && power(p, a, b)) orbp = b * a; break;
    default: break;
  }
}
// clang-format on

// The world step. The assignments run in the order R, P, Q, each using the values current at
// that moment; the second branch (P not above levelcap, or either of them NaN) ends with the
// solar-system transform. Any other world changes nothing.
// clang-format off
ORBISK_ALWAYS_INLINE void worldStep(int worldw, int sols, const MapConstants& k,
                                    OrbitRegisters& o) {
  if (worldw < 1 || worldw > 10) return;
  const double det = k.det;
  if (o.P > o.levelcap) {
    switch (worldw) {
      case 1: o.R = o.v1a * 3.14; break;
      case 2: o.R = o.Q; break;
      case 3: o.R = o.P; break;
      case 5: o.R = 3.14 * o.v1a; break;
      case 9: o.R = o.v1a * o.v1a; break;
      case 10: o.R = o.v1a * 3.14; break;
      default: o.R = o.v1a; break;  // worlds 4, 6, 7, 8
    }
    o.P = (k.coefd * o.P + k.coefb * o.Q - k.coefd) * k.ts2 / det;
    o.Q = worldw == 6 ? o.v1b * o.v1b : o.v1b;
    return;
  }
  switch (worldw) {
    case 1:
    case 7:
    case 9:
    case 10: o.R = o.v1a * 3.14; break;
    default: o.R = o.v1a; break;
  }
  o.P = k.v4by20 - (k.coefd * o.P - k.coefb * o.Q + k.coefd) / det;
  const double D = -k.coefc * o.R + k.coefa * o.Q - k.coefc;
  double v;
  switch (worldw) {
    case 1: o.Q = o.v1b; break;
    case 4: if (fin(v = math::sin(D))) o.Q = k.ts1 * v / det; break;
    case 8: o.Q = 3.14 * k.ts1 * D / det; break;
    default: o.Q = D * k.ts1 / det; break;
  }
  solarTransform(sols, o.P);
}
// clang-format on

// The lab step: nextp and nextq from the current P, Q and R. Any other value leaves them
// unchanged.
// clang-format off
ORBISK_ALWAYS_INLINE void labStep(int cit, OrbitRegisters& o) {
  const double P = o.P, Q = o.Q, R = o.R;
  switch (cit) {
    case 1: o.nextp = P; o.nextq = Q; break;
    case 2: o.nextp = P * P; o.nextq = Q; break;
    case 3: o.nextp = P * Q; o.nextq = Q; break;
    case 4: o.nextp = P * R; o.nextq = Q; break;
    case 5: o.nextp = Q * Q; o.nextq = Q; break;
    case 6: o.nextp = 2 * P * P + Q * Q; o.nextq = 2 * P * P - Q * Q; break;
    case 7: o.nextp = P * P - Q * Q; o.nextq = Q + P; break;
    case 8: o.nextp = P * Q * R; o.nextq = Q - P; break;
    case 9: o.nextp = P * Q + P * Q; o.nextq = Q; break;
    case 10: o.nextp = P * P * R + P * P * R; o.nextq = Q; break;
    case 11: o.nextp = P * P + Q * Q; o.nextq = Q; break;
    case 12: o.nextp = P * P - Q * Q + R; o.nextq = 2 * P * Q + R; break;
    case 13: o.nextp = P * R; o.nextq = Q * R; break;
    case 14: o.nextp = P * P - Q; o.nextq = P * P - R; break;
    case 15: o.nextp = 2 * P + R; o.nextq = Q * R; break;
    case 16: o.nextp = 3.14 * P * Q; o.nextq = 3.14 * Q; break;
    case 17: o.nextp = 3.14 * P * P * R; o.nextq = 3.14 * Q; break;
    case 18: o.nextp = (P * P + Q * Q) * 3.14; o.nextq = 3.14 * Q; break;
    case 19: o.nextp = (P * P - Q * Q + R) * 3.14; o.nextq = (P * Q + R) * 3.14; break;
    case 20: o.nextp = P * R * 3.14; o.nextq = Q * R * 3.14; break;
    case 21: o.nextp = (P * P - Q) * 3.14; o.nextq = (P * P - R) * 3.14; break;
    case 22: o.nextp = (2 * P + R) * 3.14; o.nextq = Q * R * 3.14; break;
    case 23: o.nextp = 3.14 * P; o.nextq = 3.14 * Q; break;
    case 24: o.nextp = 3.14 * P * P; o.nextq = 3.14 * Q; break;
    default: break;
  }
}
// clang-format on

// One iteration after the type signs: functions, level, world step (with the solar-system
// transform), lab step, then P and Q take the lab step's results.
ORBISK_ALWAYS_INLINE void iteration(int func1, int func2, int w, int worldw, int sols, int cit,
                                    const MapConstants& k, OrbitRegisters& o) {
  functionV1a(func1, o.P, o.v1a);
  functionV1b(func2, k.coefc * o.R + k.coefa * o.Q - k.coefc, k.det, o.v1b);
  levelThreshold(w, o.P, o.Q, o.R, o.levelcap);
  worldStep(worldw, sols, k, o);
  labStep(cit, o);
  o.P = o.nextp;
  o.Q = o.nextq;
}

// The escape test: a sum that is not a number does not escape; an infinite one does.
ORBISK_ALWAYS_INLINE bool escapes(const OrbitRegisters& o) {
  const double dq = o.Q - 0.33;
  return o.P * o.P + dq * dq > 30;
}

}  // namespace stages

}  // namespace orbisk
