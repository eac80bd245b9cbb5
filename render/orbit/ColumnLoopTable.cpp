// Which loop computes a column.
//
// Three tiers, tried in this order when a column starts:
// 1. Formula sets with every choice fixed: no dispatch at all inside the column. The start-up
//    set is here: every session begins with it, and all pictures that differ from it only in
//    category, galaxy, type, v2 to v4, size, colours or shape use its loop.
// 2. Any world 1..10 with any lab 1..24: the world and lab steps are fixed, the functions, the
//    level, the solar system and the effect are read as the loop goes.
// 3. Everything else (a world or lab outside the lists, from a hand-edited data file): the loop
//    that reads every choice, correct for any value.
// All three run the very same stage formulas (OrbitStages.h), so they give the same pictures.
#include "render/orbit/ColumnLoopBody.h"
#include "render/orbit/ColumnLoopsByWorld.h"

namespace orbisk {

namespace {

struct FixedFormulaSet {
  int16_t eff, func1, func2, w, worldw, sols, cit;  // the fixed choices
  ColumnLoop loop;                                  // the loop that fixes them
};

template <int EFF, int F1, int F2, int W, int WORLD, int SOLS, int CIT>
constexpr FixedFormulaSet fixedSet() {
  return {EFF, F1, F2, W, WORLD, SOLS, CIT, &columnLoop<EFF, F1, F2, W, WORLD, SOLS, CIT>};
}

constexpr FixedFormulaSet kFixedSets[] = {
    // effect 1, v1a -Sin, v1b Sin, level 11, world 2, solar system 4, lab 13: the start-up set
    fixedSet<1, 3, 2, 11, 2, 4, 13>(),
};

bool matches(const FixedFormulaSet& set, const FormulaChoice& c) {
  return set.eff == c.eff && set.func1 == c.func1 && set.func2 == c.func2 && set.w == c.w &&
         set.worldw == c.worldw && set.sols == c.sols && set.cit == c.cit;
}

// clang-format off
ColumnLoop worldAndLabLoop(int worldw, int cit) {
  switch (worldw) {
    case 1: return worldLabLoop<1>(cit);
    case 2: return worldLabLoop<2>(cit);
    case 3: return worldLabLoop<3>(cit);
    case 4: return worldLabLoop<4>(cit);
    case 5: return worldLabLoop<5>(cit);
    case 6: return worldLabLoop<6>(cit);
    case 7: return worldLabLoop<7>(cit);
    case 8: return worldLabLoop<8>(cit);
    case 9: return worldLabLoop<9>(cit);
    default: return worldLabLoop<10>(cit);
  }
}
// clang-format on

}  // namespace

void startPointOfAnyEffect(int eff, const StartConstants& k, double col, double row, double& P,
                           double& Q) {
  stages::startPoint(eff, k, col, row, P, Q);
}

void genericColumnLoop(ColumnRun& run) {
  columnLoop<kAnyChoice, kAnyChoice, kAnyChoice, kAnyChoice, kAnyChoice, kAnyChoice, kAnyChoice>(
      run);
}

std::vector<FormulaChoice> fullyFixedFormulaSets() {
  std::vector<FormulaChoice> sets;
  for (const FixedFormulaSet& set : kFixedSets) {
    sets.push_back({set.eff, set.func1, set.func2, 0, set.w, set.worldw, set.sols, set.cit, 0});
  }
  return sets;
}

ColumnLoop selectColumnLoop(const FormulaChoice& c) {
  for (const FixedFormulaSet& set : kFixedSets) {
    if (matches(set, c)) return set.loop;
  }
  if (c.worldw >= 1 && c.worldw <= kWorldCount && c.cit >= 1 && c.cit <= kLabCount) {
    return worldAndLabLoop(c.worldw, c.cit);
  }
  return &genericColumnLoop;
}

}  // namespace orbisk
