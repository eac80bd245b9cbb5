// The origin formulas: run constants, start point, and the iterated map of one sample.
#pragma once

#include <cstdint>

#include "render/run/RenderState.h"

namespace orbisk {

// The picture values the run constants are made from, read once when a run starts.
struct RunChoice {
  int16_t cat;   // category
  int16_t ali;   // galaxy
  int16_t v2;    // variable v2
  int16_t v3;    // variable v3
  int16_t size;  // size, becomes N1
};

// The formula choices of one column: the user may change them between columns, never inside.
struct FormulaChoice {
  int16_t eff;     // effect: start point
  int16_t func1;   // function v1a
  int16_t func2;   // function v1b
  int16_t t1;      // type: signs of the world step
  int16_t w;       // level: threshold of the world step
  int16_t worldw;  // world step
  int16_t sols;    // solar-system transform
  int16_t cit;     // lab step
  int16_t v4;      // variable v4, read by the world step's second branch
};

// Category signs and galaxy offsets. A value outside the tables leaves the old ones.
void setCategoryAndGalaxy(const RunChoice& choice, RenderState& state);
// The remaining run constants (v2val .. N2), after the canvas has been measured.
void setMapConstants(const RunChoice& choice, RenderState& state);

// The values of the functions v1a and v1b, kept from iteration to iteration and from sample to
// sample within one run; both are 0 when a run starts.
struct FunctionValues {
  double v1a = 0;
  double v1b = 0;
};

// Chooses the start point of sample (state.col, state.row) and iterates the map up to 25 times.
// Returns true when the orbit escaped within 12 iterations, so the sample is to be drawn; the
// escaping orbit is then in orbp, orbq, orbr, iter and itersq. A render computes whole columns
// with the loops of ColumnLoop.h instead, which leave exactly what this leaves sample by sample.
bool iterateSample(const FormulaChoice& choice, RenderState& state, FunctionValues& functions);

// The pieces of iterateSample, for tests: the start point chosen by the effect, and one
// iteration of the map (functions, type signs, level, world step, lab step, P and Q updated).
void chooseStartPoint(const FormulaChoice& choice, RenderState& state);
void iterateOnce(const FormulaChoice& choice, RenderState& state, FunctionValues& functions);

// The solar-system transform: replaces orbp according to sols.
void checksols(int16_t sols, RenderState& state);

}  // namespace orbisk
