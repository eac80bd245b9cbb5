// What one call of the shape stage computes with, and the bookkeeping of its steps.
//
// A shape is a list of steps: the anchor x, the anchor y, then its marks (shape 29 adds its
// stroke end between two strokes). A step collects the failures of the 16-bit products and
// differences and of the functions it uses while its values are formed; the call that ends the
// step (setAx, setAy, setEndX, setEndY, plot, line) looks at them and starts the next step clean.
// Plain floating arithmetic never fails a step by itself: it stores what IEEE-754 gives, and a
// mark whose single-precision coordinate is not finite is simply not handed to the surface.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "render/orbit/Arith.h"
#include "render/run/RenderState.h"
#include "render/drawing/Shapes.h"
#include "render/surfaces/Surface.h"
#include "render/math/ExactMath.h"

namespace orbisk {

class ShapeContext {
 public:
  // width and height are the surface's, measured by the caller: a render measures the canvas
  // once per column, since nothing can resize it before the column ends.
  ShapeContext(const ShapeInput& in, RenderState& state, Surface& surface, double width,
               double height)
      : c(state.col),
        r(state.row),
        P(state.orbp),
        Q(state.orbq),
        R(state.orbr),
        k(state.iter),
        K(state.itersq),
        L(in.borderlen),
        N1(state.N1),
        N2(state.N2),
        S(in.glij),
        T(in.hoogte),
        HX(in.hsbhorizon),
        VY(in.hsbvertical),
        Z(in.size),
        W(width),
        H(height),
        spanx(state.spanx),
        spany(state.spany),
        state_(state),
        surface_(surface),
        colour_(in.colour) {}

  // The inputs as doubles, so that every formula computes in floating point unless it asks for
  // a 16-bit product. k, K, L, N1, N2, S, T, HX, VY and Z hold exact 16-bit integers.
  const double c, r;          // sample column and row
  const double P, Q, R;       // the escaping orbit
  const double k, K;          // escaping iteration and its square
  const double L;             // length multiplier
  const double N1, N2;        // picture size and its derived size
  const double S, T;          // slide and bar height
  const double HX, VY;        // anchor shift right and down
  const double Z;             // the origin editor's current size
  const double W, H;          // canvas size
  const double spanx, spany;  // spans of the sample grid, as single-precision values

  // A product or difference formed in 16 bits. Both operands are exact 16-bit integers (inputs
  // or earlier 16-bit results), so converting them to int is exact. A result outside
  // -32768..32767 fails the current step; 0 stands in so the formula can still be evaluated.
  double mul(double a, double b) {
    return checked(mul16(static_cast<int>(a), static_cast<int>(b)));
  }
  double sub(double a, double b) {
    return checked(sub16(static_cast<int>(a), static_cast<int>(b)));
  }

  // Functions: a non-finite result fails the current step. sin, cos and tan are correctly
  // rounded (render/math/ExactMath.h), so a shape lands on the same pixels on every machine.
  double floor(double v) { return checkedFunction(std::floor(v)); }
  double sin(double v) { return checkedFunction(math::sin(v)); }
  double cos(double v) { return checkedFunction(math::cos(v)); }
  double tan(double v) { return checkedFunction(math::tan(v)); }

  // A = floor((L x N1) x spany / spanx), the projected depth of the bar plane.
  double A() { return floor(mul(L, N1) * spany / spanx); }
  // B = floor(L x spany / spanx).
  double B() { return floor(L * spany / spanx); }
  // G = N1 x T / 25, the standard bar length.
  double G() { return mul(N1, T) / 25; }

  // The anchor as the marks read it back: the single-precision fields, whatever they hold.
  double ax() const { return state_.halfwidth; }
  double ay() const { return state_.halfheight; }
  double endx() const { return state_.endx; }
  double endy() const { return state_.endy; }

  // Anchor steps. A failed 16-bit step or function stores nothing, so the field keeps the last
  // anchor; otherwise the value is stored even when it is not finite.
  void setAx(double v) {
    if (endStep()) state_.halfwidth = toSingle(v);
  }
  void setAy(double v) {
    if (endStep()) state_.halfheight = toSingle(v);
  }

  // Shape 29's stroke end, taken to the nearest 16-bit integer (halves to even); a value that
  // cannot be taken leaves the field as it was.
  void setEndX(double v) { storeRounded(v, state_.endx); }
  void setEndY(double v) { storeRounded(v, state_.endy); }

  // Mark steps: handed to the surface only when no 16-bit step or function failed and every
  // single-precision coordinate is finite.
  void plot(double x, double y) {
    if (!endStep()) return;
    const float fx = toSingle(x), fy = toSingle(y);
    if (finite(fx) && finite(fy)) surface_.plot(fx, fy, colour_);
  }
  void line(double x1, double y1, double x2, double y2) {
    if (!endStep()) return;
    const float fx1 = toSingle(x1), fy1 = toSingle(y1), fx2 = toSingle(x2), fy2 = toSingle(y2);
    if (finite(fx1) && finite(fy1) && finite(fx2) && finite(fy2)) {
      surface_.line(fx1, fy1, fx2, fy2, colour_);
    }
  }

 private:
  double checked(std::optional<int16_t> v) {
    if (v) return *v;
    stepFailed_ = true;
    return 0;
  }
  double checkedFunction(double v) {
    if (!finite(v)) stepFailed_ = true;
    return v;
  }
  // True when the step that ends here may complete; the next step starts clean.
  bool endStep() {
    const bool ok = !stepFailed_;
    stepFailed_ = false;
    return ok;
  }
  void storeRounded(double v, int16_t& field) {
    const bool ok = endStep();
    const std::optional<int16_t> rounded = roundToInt16(v);
    if (ok && rounded) field = *rounded;
  }

  RenderState& state_;
  Surface& surface_;
  const uint32_t colour_;    // every mark of the call is drawn in this colour
  bool stepFailed_ = false;  // a 16-bit step or function of the current step failed
};

}  // namespace orbisk
