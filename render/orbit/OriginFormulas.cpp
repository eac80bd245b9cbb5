// The run constants, and the map computed one sample at a time. The formulas themselves are in
// OrbitStages.h, shared with the column loops.
#include "render/orbit/OriginFormulas.h"

#include <cmath>

#include "render/orbit/Arith.h"
#include "render/orbit/OrbitRegisterTransfer.h"
#include "render/orbit/OrbitStages.h"

namespace orbisk {

void setCategoryAndGalaxy(const RunChoice& choice, RenderState& s) {
  static constexpr int16_t kCategorySigns[10][3] = {
      {1, 1, 1}, {1, -1, 1}, {-1, 1, -1}, {-1, -1, -1}, {1, 0, 0},
      {0, 1, 0}, {0, 0, 1},  {1, 1, 0},   {0, 1, 1},    {1, 0, 1}};
  if (choice.cat >= 1 && choice.cat <= 10) {
    s.catsign1 = kCategorySigns[choice.cat - 1][0];
    s.catsign2 = kCategorySigns[choice.cat - 1][1];
    s.catsign3 = kCategorySigns[choice.cat - 1][2];
  }
  static constexpr int16_t kGalaxyShifts[14][2] = {{0, 0},  {3, 0},   {0, 3}, {3, -3}, {-3, 3},
                                                   {3, 3},  {-3, -3}, {4, 4}, {2, 0},  {0, 2},
                                                   {2, -2}, {-2, 2},  {2, 2}, {-2, -2}};
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
  stages::solarTransform(sols, s.orbp);
}

void chooseStartPoint(const FormulaChoice& c, RenderState& s) {
  stages::startPoint(c.eff, startConstantsOf(s), s.col, s.row, s.orbp, s.orbq);
}

void iterateOnce(const FormulaChoice& c, RenderState& s, FunctionValues& f) {
  stages::typeSigns(c.t1, s.typesign1, s.typesign2);
  OrbitRegisters o = loadRegisters(s, f);
  stages::iteration(c.func1, c.func2, c.w, c.worldw, c.sols, c.cit, mapConstantsOf(s, c), o);
  storeRegisters(o, s, f);
}

bool iterateSample(const FormulaChoice& c, RenderState& s, FunctionValues& f) {
  chooseStartPoint(c, s);
  for (int16_t iter = 1; iter <= 25; ++iter) {
    iterateOnce(c, s, f);
    if (stages::escapes(loadRegisters(s, f))) {
      s.iter = iter;
      s.itersq = static_cast<int16_t>(iter * iter);
      return iter <= 12;
    }
  }
  s.iter = 26;  // the counter as a finished 1-to-25 loop leaves it
  return false;
}

}  // namespace orbisk
