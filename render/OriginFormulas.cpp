#include "render/OriginFormulas.h"

#include <cmath>

#include "render/Arith.h"

namespace orbisk {

namespace {

// A statement that calls a function (sin, cos, tan, atn, Int or a power) fails as a whole when
// any of those calls has no finite result; its target then keeps its previous value. Plain
// arithmetic is stored as IEEE gives it, infinities and NaN included.

// Power with the failure rule: no finite real result (negative base with a non-integral
// exponent, zero to a negative power, overflow) fails. Any number to the power 0 is 1.
inline bool power(double base, double exponent, double& out) {
  const double r = std::pow(base, exponent);
  if (!finite(r)) return false;
  out = r;
  return true;
}

// Function value f(x) for the function lists and the transforms: true when finite.
inline bool fin(double v) { return finite(v); }

void startPoint(const FormulaChoice& c, RenderState& s) {
  const double spanx = s.spanx;
  const double spany = s.spany;
  const double col = s.col;
  const double row = s.row;
  const double x = spanx * col / s.N1 + s.galx;
  const double y = spany * row / s.N2 + s.galy;
  double v;
  switch (c.eff) {
    case 1:
      s.orbp = x;
      s.orbq = y;
      break;
    case 2:
      if (fin(v = std::sin(x))) s.orbp = 3.14 * v;
      s.orbq = 3.14 * y;
      break;
    case 3:
      if (fin(v = std::sin(x))) s.orbp = v;
      if (fin(v = std::sin(y))) s.orbq = v;
      break;
    case 4:
      s.orbp = x;
      if (fin(v = std::sin(y))) s.orbq = v;
      break;
    case 5:
      if (fin(v = std::cos(x))) s.orbp = v;
      s.orbq = y;
      break;
    case 6:
      s.orbp = x / 3.14;
      s.orbq = y / 3.14;
      break;
    case 7:
      s.orbp = -x;
      s.orbq = y;
      break;
    case 8:
      s.orbp = -x;
      s.orbq = -y;
      break;
    case 9:
      s.orbp = -x;
      if (fin(v = std::sin(y))) s.orbq = -v;
      break;
    case 10:
      if (fin(v = std::cos(x))) s.orbp = -v;
      s.orbq = y;
      break;
    case 11: {
      double a, b;
      if (fin(a = std::sin(s.galx)) && fin(b = std::sin(col))) s.orbp = a + spanx * b / s.N1;
      if (fin(a = std::sin(s.galy)) && fin(b = std::sin(row))) s.orbq = a + spany * b / s.N2;
      break;
    }
    case 12: {
      const double xr = s.galx - spanx * col / s.N1;
      const double yr = s.galy - spany * row / s.N2;
      if (fin(v = std::sin(xr))) s.orbp = 3.14 * v;
      s.orbq = 3.14 * yr;
      break;
    }
    case 13:
      if (fin(v = std::atan(x))) s.orbp = v;
      if (fin(v = std::atan(y))) s.orbq = v;
      break;
    case 14:
      s.orbp = x;
      if (fin(v = std::tan(y))) s.orbq = v;
      break;
    case 15: {
      double a, b;
      if (fin(a = std::tan(s.galx)) && fin(b = std::atan(col)) &&
          fin(v = std::cos(a - spanx * b / s.N1)))
        s.orbp = v;
      s.orbq = y;
      break;
    }
    case 16: {
      double a;
      if (fin(a = std::sin(col))) s.orbp = (spanx * a / s.N1 + s.galx) / 3.14;
      if (fin(v = std::tan(y))) s.orbq = v / 3.14;
      break;
    }
    case 17:
      if (fin(v = std::atan(x))) s.orbp = -v;
      s.orbq = s.galy - spany * row / s.N2;
      break;
    case 18: {
      double a;
      if (fin(a = std::sin(col)) && fin(v = std::tan(s.galx - spanx * a / s.N1))) s.orbp = -v;
      s.orbq = -y;
      break;
    }
    case 19:
      s.orbp = -0.314 * x;
      if (fin(v = std::sin(y))) s.orbq = -v;
      break;
    case 20:
      if (fin(v = std::atan(x))) s.orbp = -3.14 * v;
      s.orbq = y;
      break;
    default:
      break;  // the previous sample's P and Q stay
  }
}

inline void functionV1a(int16_t func1, double P, double& v1a) {
  double v, a;
  switch (func1) {
    case 1: v1a = P; break;
    case 2: if (fin(v = std::sin(P))) v1a = v; break;
    case 3: if (fin(v = std::sin(P))) v1a = -v; break;
    case 4: if (fin(v = std::cos(P))) v1a = v; break;
    case 5: if (fin(v = std::cos(P))) v1a = -v; break;
    case 6: if (fin(a = std::tan(P)) && fin(v = std::sin(a))) v1a = v; break;
    case 7: if (fin(a = std::tan(P)) && fin(v = std::sin(a))) v1a = -v; break;
    case 8: if (fin(a = std::atan(P)) && fin(v = std::sin(a))) v1a = v; break;
    case 9: if (fin(a = std::atan(P)) && fin(v = std::sin(a))) v1a = -v; break;
    case 10: if (fin(a = std::floor(P)) && fin(v = std::sin(a))) v1a = v; break;
    case 11: if (fin(a = std::floor(P)) && fin(v = std::sin(a))) v1a = -v; break;
    default: break;
  }
}

inline void functionV1b(int16_t func2, double t, double det, double& v1b) {
  double v, a;
  switch (func2) {
    case 1: v1b = t / det; break;
    case 2: if (fin(v = std::sin(t))) v1b = v / det; break;
    case 3: if (fin(v = std::sin(t))) v1b = -v / det; break;
    case 4: if (fin(v = std::cos(t))) v1b = v / det; break;
    case 5: if (fin(v = std::cos(t))) v1b = -v / det; break;
    case 6: if (fin(a = std::tan(t)) && fin(v = std::sin(a / det))) v1b = v; break;
    case 7: if (fin(a = std::tan(t)) && fin(v = std::sin(a / det))) v1b = -v; break;
    case 8: if (fin(a = std::atan(t)) && fin(v = std::sin(a / det))) v1b = v; break;
    case 9: if (fin(a = std::atan(t)) && fin(v = std::sin(a / det))) v1b = -v; break;
    case 10: if (fin(a = std::floor(t)) && fin(v = std::sin(a / det))) v1b = v; break;
    case 11: if (fin(a = std::floor(t)) && fin(v = std::sin(a / det))) v1b = -v; break;
    default: break;
  }
}

inline void typeSigns(int16_t t1, RenderState& s) {
  static constexpr int16_t kSigns[8][2] = {{1, 1},  {-1, 1},  {1, -1}, {-1, -1},
                                           {2, 2}, {-2, 2}, {2, -2}, {-2, -2}};
  if (t1 >= 1 && t1 <= 8) {
    s.typesign1 = kSigns[t1 - 1][0];
    s.typesign2 = kSigns[t1 - 1][1];
  }
}

inline void levelThreshold(int16_t w, RenderState& s) {
  const double P = s.orbp, Q = s.orbq, R = s.orbr;
  double u, u2;
  switch (w) {
    case 1: s.levelcap = 0; break;
    case 2: s.levelcap = R - Q; break;
    case 3: s.levelcap = P - R; break;
    case 4: s.levelcap = -P - Q; break;
    case 5: s.levelcap = Q - P; break;
    case 6: s.levelcap = P + R; break;
    case 7: s.levelcap = Q + R; break;
    case 8: s.levelcap = P + Q - R; break;
    case 9: s.levelcap = Q - R; break;
    case 10: s.levelcap = R + R + R; break;
    case 11: s.levelcap = Q + Q; break;
    case 12: s.levelcap = P + P; break;
    case 13: s.levelcap = P - Q; break;
    case 14: s.levelcap = R - P; break;
    case 15: s.levelcap = P + R - Q; break;
    case 16: s.levelcap = P * P; break;
    case 17: s.levelcap = P * Q; break;
    case 18: s.levelcap = P * R; break;
    case 19: s.levelcap = Q * Q; break;
    case 20: s.levelcap = R * R; break;
    case 21: s.levelcap = P * P * P; break;
    case 22: s.levelcap = P * Q * P; break;
    case 23: s.levelcap = P * R * P; break;
    case 24: s.levelcap = Q * Q * P; break;
    case 25: s.levelcap = R * R * P; break;
    case 26: if (power(R, Q, u)) s.levelcap = u / 3.14; break;
    case 27: if (power(P, R, u)) s.levelcap = u / 3.14; break;
    case 28: if (power(P, Q, u)) s.levelcap = -u / 3.14; break;
    case 29: if (power(Q, P, u)) s.levelcap = u / 3.14; break;
    case 30: if (power(R, P, u)) s.levelcap = u / 3.14; break;
    case 31: if (power(Q, R, u)) s.levelcap = u / 3.14; break;
    case 32: if (power(Q, R, u)) s.levelcap = u / 3.14 + P; break;
    case 33: if (power(Q, Q, u)) s.levelcap = u / 3.14; break;
    case 34: if (power(R, R, u)) s.levelcap = u / 3.14 + R; break;
    case 35: if (power(P, P, u) && power(P, P, u2)) s.levelcap = (u + u2) / 3.14; break;
    default: break;
  }
}

// The world step. The assignments run in the order R, P, Q, each using the values current at
// that moment; the second branch ends with the solar-system transform.
inline void worldStep(const FormulaChoice& c, RenderState& s, const FunctionValues& f) {
  if (c.worldw < 1 || c.worldw > 10) return;
  const double det = s.det;
  const double ts1 = s.typesign1, ts2 = s.typesign2;
  if (s.orbp > s.levelcap) {
    switch (c.worldw) {
      case 1: s.orbr = f.v1a * 3.14; break;
      case 2: s.orbr = s.orbq; break;
      case 3: s.orbr = s.orbp; break;
      case 5: s.orbr = 3.14 * f.v1a; break;
      case 9: s.orbr = f.v1a * f.v1a; break;
      case 10: s.orbr = f.v1a * 3.14; break;
      default: s.orbr = f.v1a; break;  // worlds 4, 6, 7, 8
    }
    s.orbp = (s.coefd * s.orbp + s.coefb * s.orbq - s.coefd) * ts2 / det;
    s.orbq = c.worldw == 6 ? f.v1b * f.v1b : f.v1b;
    return;
  }
  switch (c.worldw) {
    case 1:
    case 7:
    case 9:
    case 10: s.orbr = f.v1a * 3.14; break;
    default: s.orbr = f.v1a; break;
  }
  s.orbp = c.v4 / 20.0 - (s.coefd * s.orbp - s.coefb * s.orbq + s.coefd) / det;
  const double D = -s.coefc * s.orbr + s.coefa * s.orbq - s.coefc;
  double v;
  switch (c.worldw) {
    case 1: s.orbq = f.v1b; break;
    case 4: if (fin(v = std::sin(D))) s.orbq = ts1 * v / det; break;
    case 8: s.orbq = 3.14 * ts1 * D / det; break;
    default: s.orbq = D * ts1 / det; break;
  }
  checksols(c.sols, s);
}

inline void labStep(int16_t cit, RenderState& s) {
  const double P = s.orbp, Q = s.orbq, R = s.orbr;
  switch (cit) {
    case 1: s.nextp = P; s.nextq = Q; break;
    case 2: s.nextp = P * P; s.nextq = Q; break;
    case 3: s.nextp = P * Q; s.nextq = Q; break;
    case 4: s.nextp = P * R; s.nextq = Q; break;
    case 5: s.nextp = Q * Q; s.nextq = Q; break;
    case 6: s.nextp = 2 * P * P + Q * Q; s.nextq = 2 * P * P - Q * Q; break;
    case 7: s.nextp = P * P - Q * Q; s.nextq = Q + P; break;
    case 8: s.nextp = P * Q * R; s.nextq = Q - P; break;
    case 9: s.nextp = P * Q + P * Q; s.nextq = Q; break;
    case 10: s.nextp = P * P * R + P * P * R; s.nextq = Q; break;
    case 11: s.nextp = P * P + Q * Q; s.nextq = Q; break;
    case 12: s.nextp = P * P - Q * Q + R; s.nextq = 2 * P * Q + R; break;
    case 13: s.nextp = P * R; s.nextq = Q * R; break;
    case 14: s.nextp = P * P - Q; s.nextq = P * P - R; break;
    case 15: s.nextp = 2 * P + R; s.nextq = Q * R; break;
    case 16: s.nextp = 3.14 * P * Q; s.nextq = 3.14 * Q; break;
    case 17: s.nextp = 3.14 * P * P * R; s.nextq = 3.14 * Q; break;
    case 18: s.nextp = (P * P + Q * Q) * 3.14; s.nextq = 3.14 * Q; break;
    case 19: s.nextp = (P * P - Q * Q + R) * 3.14; s.nextq = (P * Q + R) * 3.14; break;
    case 20: s.nextp = P * R * 3.14; s.nextq = Q * R * 3.14; break;
    case 21: s.nextp = (P * P - Q) * 3.14; s.nextq = (P * P - R) * 3.14; break;
    case 22: s.nextp = (2 * P + R) * 3.14; s.nextq = Q * R * 3.14; break;
    case 23: s.nextp = 3.14 * P; s.nextq = 3.14 * Q; break;
    case 24: s.nextp = 3.14 * P * P; s.nextq = 3.14 * Q; break;
    default: break;
  }
}

}  // namespace

void setCategoryAndGalaxy(const RunChoice& choice, RenderState& s) {
  static constexpr int16_t kCategorySigns[10][3] = {
      {1, 1, 1}, {1, -1, 1}, {-1, 1, -1}, {-1, -1, -1}, {1, 0, 0},
      {0, 1, 0}, {0, 0, 1},  {1, 1, 0},   {0, 1, 1},    {1, 0, 1}};
  if (choice.cat >= 1 && choice.cat <= 10) {
    s.catsign1 = kCategorySigns[choice.cat - 1][0];
    s.catsign2 = kCategorySigns[choice.cat - 1][1];
    s.catsign3 = kCategorySigns[choice.cat - 1][2];
  }
  static constexpr int16_t kGalaxyShifts[14][2] = {{0, 0},  {3, 0},  {0, 3},  {3, -3}, {-3, 3},
                                                   {3, 3},  {-3, -3}, {4, 4},  {2, 0},  {0, 2},
                                                   {2, -2}, {-2, 2}, {2, 2},  {-2, -2}};
  if (choice.ali >= 1 && choice.ali <= 14) {
    s.galshiftx = kGalaxyShifts[choice.ali - 1][0];
    s.galshifty = kGalaxyShifts[choice.ali - 1][1];
  }
}

void setMapConstants(const RunChoice& choice, RenderState& s) {
  s.v2val = choice.v2 / 400.0;
  s.v2rest = 1 - s.v2val;
  s.coefa = (1 - s.v2val) * s.catsign3 / 2;
  s.coefb = s.catsign1 - s.coefa - choice.v3 / 400.0;
  s.coefc = s.catsign2 * s.v2rest / 2;
  s.coefd = -s.coefc;
  s.det = toSingle(s.coefa * s.coefd - s.coefb * s.coefc);
  s.galx = s.galshiftx;
  s.galy = s.galshifty;
  s.spanx = 3.0f;
  s.spany = 2.25f;
  s.N1 = choice.size;
  // N1 x spany / spanx is a quarter-integer well inside the 16-bit range for any 16-bit N1.
  s.N2 = static_cast<int16_t>(std::floor(s.N1 * static_cast<double>(s.spany) / s.spanx));
}

void checksols(int16_t sols, RenderState& s) {
  const double p = s.orbp;
  double a, b;
  switch (sols) {
    case 1: break;
    case 2: if (fin(a = std::sin(p))) s.orbp = a; break;
    case 3: if (fin(a = std::cos(p))) s.orbp = a; break;
    case 4: if (fin(a = std::tan(p))) s.orbp = a; break;
    case 5: if (fin(a = std::atan(p))) s.orbp = a; break;
    case 6: if (fin(a = std::floor(p))) s.orbp = a; break;
    case 7: s.orbp = p * p; break;
    case 8: if (fin(a = std::sin(p))) s.orbp = a * a; break;
    case 9: if (fin(a = std::cos(p))) s.orbp = a * a; break;
    case 10: if (fin(a = std::tan(p))) s.orbp = a * a; break;
    case 11: if (fin(a = std::atan(p))) s.orbp = a * a; break;
    case 12: if (fin(a = std::floor(p))) s.orbp = a * a; break;
    case 13: if (fin(a = std::sin(p)) && power(p, a, b)) s.orbp = b; break;
    case 14: if (fin(a = std::cos(p)) && power(p, a, b)) s.orbp = b; break;
    case 15: if (fin(a = std::tan(p)) && power(p, a, b)) s.orbp = b; break;
    case 16: if (fin(a = std::atan(p)) && power(p, a, b)) s.orbp = b; break;
    case 17: if (fin(a = std::floor(p)) && power(p, a, b)) s.orbp = b; break;
    case 18: if (power(p, p, b)) s.orbp = b; break;
    case 19: if (fin(a = std::sin(p)) && power(p, a, b)) s.orbp = b * a; break;
    case 20: if (fin(a = std::cos(p)) && power(p, a, b)) s.orbp = b * a; break;
    default: break;
  }
}

namespace {

inline void iteration(const FormulaChoice& c, RenderState& s, FunctionValues& f) {
  functionV1a(c.func1, s.orbp, f.v1a);
  functionV1b(c.func2, s.coefc * s.orbr + s.coefa * s.orbq - s.coefc, s.det, f.v1b);
  typeSigns(c.t1, s);
  levelThreshold(c.w, s);
  worldStep(c, s, f);
  labStep(c.cit, s);
  s.orbp = s.nextp;
  s.orbq = s.nextq;
}

}  // namespace

void chooseStartPoint(const FormulaChoice& c, RenderState& s) { startPoint(c, s); }

void iterateOnce(const FormulaChoice& c, RenderState& s, FunctionValues& f) { iteration(c, s, f); }

bool iterateSample(const FormulaChoice& c, RenderState& s, FunctionValues& f) {
  startPoint(c, s);
  for (int16_t iter = 1; iter <= 25; ++iter) {
    iteration(c, s, f);
    const double dq = s.orbq - 0.33;
    // A sum that is not a number does not escape; an infinite one does.
    if (s.orbp * s.orbp + dq * dq > 30) {
      s.iter = iter;
      s.itersq = static_cast<int16_t>(iter * iter);
      return iter <= 12;
    }
  }
  s.iter = 26;  // the counter as a finished 1-to-25 loop leaves it
  return false;
}

}  // namespace orbisk
