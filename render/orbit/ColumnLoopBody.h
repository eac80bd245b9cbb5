// The body every column loop is made from; included only by the files that instantiate loops.
#pragma once

#include <cstdint>

#include "render/orbit/ColumnLoop.h"
#include "render/orbit/OrbitRegisterTransfer.h"
#include "render/orbit/OrbitStages.h"
#include "render/drawing/SampleDrawer.h"

namespace orbisk {

// A template argument that fixes no choice: the loop reads that choice from the column's
// FormulaChoice. Choices are 16-bit, so this value is never a real one.
constexpr int kAnyChoice = -100000;

// The start point for an effect read at run time. It runs once per sample, not per iteration,
// so one call costs little, and keeping its twenty formulas out of the loops keeps them small.
void startPointOfAnyEffect(int eff, const StartConstants& k, double col, double row, double& P,
                           double& Q);

// The column loop with the choices given as template arguments fixed at compile time; each
// argument that is kAnyChoice is read from run.choice instead. The stages are always inlined, so
// a fixed choice leaves only its own formula in the loop and no dispatch at all.
//
// The orbit lives in locals for the whole column. The drawing stages read it from the state, so
// it is written back before each drawn sample, and everything (including the run's v1a and v1b)
// when the column ends. The result is exactly what iterateSample, called for every row, leaves.
template <int EFF, int F1, int F2, int W, int WORLD, int SOLS, int CIT>
void columnLoop(ColumnRun& run) {
  RenderState& s = run.state;
  const FormulaChoice& c = run.choice;
  const double rowEnd = run.rowEnd;
  const double rowStep = run.rowStep;
  double row = run.rowFirst;
  if (!(row <= rowEnd)) {
    s.row = row;
    return;
  }

  const int eff = EFF == kAnyChoice ? c.eff : EFF;
  const int func1 = F1 == kAnyChoice ? c.func1 : F1;
  const int func2 = F2 == kAnyChoice ? c.func2 : F2;
  const int w = W == kAnyChoice ? c.w : W;
  const int worldw = WORLD == kAnyChoice ? c.worldw : WORLD;
  const int sols = SOLS == kAnyChoice ? c.sols : SOLS;
  const int cit = CIT == kAnyChoice ? c.cit : CIT;

  // The type signs depend on nothing but t1, which is fixed for the column: setting them before
  // the first iteration gives what setting them in every iteration gives. The column has at
  // least one sample here, and every sample runs at least one iteration.
  stages::typeSigns(c.t1, s.typesign1, s.typesign2);
  const MapConstants k = mapConstantsOf(s, c);
  const StartConstants start = startConstantsOf(s);
  const double col = s.col;
  OrbitRegisters o = loadRegisters(s, run.functions);
  int16_t lastIter = s.iter;
  int16_t lastItersq = s.itersq;
  uint64_t samples = 0;
  uint64_t marks = 0;

  for (; row <= rowEnd; row += rowStep) {
    ++samples;
    if constexpr (EFF == kAnyChoice) {
      startPointOfAnyEffect(eff, start, col, row, o.P, o.Q);
    } else {
      stages::startPoint(eff, start, col, row, o.P, o.Q);
    }
    int iter = 1;
    for (;; ++iter) {
      stages::iteration(func1, func2, w, worldw, sols, cit, k, o);
      if (stages::escapes(o)) {
        lastIter = static_cast<int16_t>(iter);
        lastItersq = static_cast<int16_t>(iter * iter);
        break;
      }
      if (iter == 25) {
        lastIter = 26;  // the counter as a finished 1-to-25 loop leaves it
        break;
      }
    }
    if (iter > 12) continue;  // escaped too late, or not at all: nothing is drawn
    s.orbp = o.P;
    s.orbq = o.Q;
    s.orbr = o.R;
    s.row = row;
    s.iter = lastIter;
    s.itersq = lastItersq;
    run.drawer.draw(s);
    ++marks;
  }

  storeRegisters(o, s, run.functions);
  s.row = row;
  s.iter = lastIter;
  s.itersq = lastItersq;
  run.samples += samples;
  run.marks += marks;
}

}  // namespace orbisk
