// One column of a render run: every row's start point, orbit and hand-off to the drawing stages.
//
// A column is the unit of work between two yields to the event loop, so the formula choices
// cannot change inside it. The column's loop is therefore chosen once, at the column's start,
// from a table of loops specialised for fixed formula choices (see ColumnLoopTable.cpp); a choice
// that no table entry fixes is read inside the loop instead, and one loop that reads every choice
// serves any value at all.
#pragma once

#include <cstdint>
#include <vector>

#include "render/orbit/OriginFormulas.h"
#include "render/run/RenderState.h"

namespace orbisk {

class SampleDrawer;

// What one column works on. The loop reads the rows from rowFirst to rowEnd in steps of rowStep,
// keeps the orbit in locals and leaves everything in state and functions as the one-sample
// functions of OriginFormulas.h would have left it.
struct ColumnRun {
  RenderState& state;           // the working state; col is the column to compute
  FunctionValues& functions;    // v1a and v1b of the run
  const FormulaChoice& choice;  // the column's formula choices
  double rowFirst;              // first row
  double rowEnd;                // last row, included when the steps land on it
  double rowStep;               // step between rows, at least 1
  SampleDrawer& drawer;         // colour and shape of a sample that escaped in time
  uint64_t samples = 0;         // samples computed by this column
  uint64_t marks = 0;           // samples handed to the drawer by this column
};

using ColumnLoop = void (*)(ColumnRun&);

// The loop for a column with these choices: a specialised one when the table has it, otherwise
// the one that reads the choices as it goes.
ColumnLoop selectColumnLoop(const FormulaChoice& choice);

// The loop that fixes nothing, for any value of every choice.
void genericColumnLoop(ColumnRun& run);

// The formula sets that have a loop with every choice fixed (t1 and v4 are not part of a set and
// hold 0 here), so that tests can hold each of those loops against the others.
std::vector<FormulaChoice> fullyFixedFormulaSets();

}  // namespace orbisk
