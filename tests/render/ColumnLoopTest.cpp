// The column loops against the one-sample functions: every loop the renderer can select must leave
// the state, the run's function values and the drawing calls exactly as iterateSample, the colour
// stage and the shape stage called sample by sample do.
#include "render/orbit/ColumnLoop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/PictureParams.h"
#include "render/drawing/ColourSystems.h"
#include "render/orbit/OriginFormulas.h"
#include "render/drawing/SampleDrawer.h"
#include "render/drawing/Shapes.h"

namespace orbisk {
namespace {

// Every call, with the exact bits of its coordinates.
class RecordingSurface : public Surface {
 public:
  int width() const override { return 632; }
  int height() const override { return 434; }
  void plot(float x, float y, uint32_t colour) override { record('P', {x, y}, colour); }
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    record('L', {x1, y1, x2, y2}, colour);
  }
  std::string calls;

 private:
  void record(char kind, std::vector<float> coordinates, uint32_t colour) {
    calls += kind;
    for (float v : coordinates) calls.append(reinterpret_cast<const char*>(&v), sizeof v);
    calls.append(reinterpret_cast<const char*>(&colour), sizeof colour);
  }
};

template <typename T>
bool sameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Field by field, so that padding never counts and NaNs compare by their bits.
void expectSameState(const RenderState& a, const RenderState& b, const std::string& where) {
#define ORBISK_EXPECT_SAME(field) \
  EXPECT_TRUE(sameBits(a.field, b.field)) << where << ": " #field " " << a.field << " " << b.field
  ORBISK_EXPECT_SAME(colstart);
  ORBISK_EXPECT_SAME(colend);
  ORBISK_EXPECT_SAME(progspan);
  ORBISK_EXPECT_SAME(col);
  ORBISK_EXPECT_SAME(row);
  ORBISK_EXPECT_SAME(N1);
  ORBISK_EXPECT_SAME(N2);
  ORBISK_EXPECT_SAME(catsign1);
  ORBISK_EXPECT_SAME(catsign2);
  ORBISK_EXPECT_SAME(catsign3);
  ORBISK_EXPECT_SAME(galshiftx);
  ORBISK_EXPECT_SAME(galshifty);
  ORBISK_EXPECT_SAME(coefa);
  ORBISK_EXPECT_SAME(coefb);
  ORBISK_EXPECT_SAME(coefc);
  ORBISK_EXPECT_SAME(coefd);
  ORBISK_EXPECT_SAME(v2val);
  ORBISK_EXPECT_SAME(v2rest);
  ORBISK_EXPECT_SAME(galx);
  ORBISK_EXPECT_SAME(galy);
  ORBISK_EXPECT_SAME(det);
  ORBISK_EXPECT_SAME(spanx);
  ORBISK_EXPECT_SAME(spany);
  ORBISK_EXPECT_SAME(orbp);
  ORBISK_EXPECT_SAME(orbq);
  ORBISK_EXPECT_SAME(orbr);
  ORBISK_EXPECT_SAME(nextp);
  ORBISK_EXPECT_SAME(nextq);
  ORBISK_EXPECT_SAME(levelcap);
  ORBISK_EXPECT_SAME(typesign1);
  ORBISK_EXPECT_SAME(typesign2);
  ORBISK_EXPECT_SAME(iter);
  ORBISK_EXPECT_SAME(itersq);
  ORBISK_EXPECT_SAME(red);
  ORBISK_EXPECT_SAME(green);
  ORBISK_EXPECT_SAME(blue);
  ORBISK_EXPECT_SAME(halfwidth);
  ORBISK_EXPECT_SAME(halfheight);
  ORBISK_EXPECT_SAME(endx);
  ORBISK_EXPECT_SAME(endy);
#undef ORBISK_EXPECT_SAME
}

// One picture's worth of choices; run constants, formulas and drawing.
struct Picture {
  RunChoice run;
  FormulaChoice formulas;
  DrawChoice draw;
  double rowEnd;   // rows from -rowEnd to rowEnd
  double rowStep;  // 1 or 4
};

// What a column leaves behind.
struct Outcome {
  RenderState state;
  FunctionValues functions;
  std::string calls;
  uint64_t samples = 0;
  uint64_t marks = 0;
};

RenderState startOf(const Picture& picture) {
  RenderState s;
  setCategoryAndGalaxy(picture.run, s);
  s.halfwidth = 316;
  s.halfheight = 217;
  setMapConstants(picture.run, s);
  s.col = -3;  // the columns -3, 0, 3: shapes 5 and 20 divide by the column
  return s;
}

// The columns computed sample by sample with the one-sample functions.
Outcome referenceColumns(const Picture& picture, int columns) {
  Outcome out;
  out.state = startOf(picture);
  RenderState& s = out.state;
  RecordingSurface surface;
  for (int column = 0; column < columns; ++column, s.col += 3) {
    for (s.row = -picture.rowEnd; s.row <= picture.rowEnd; s.row += picture.rowStep) {
      ++out.samples;
      if (!iterateSample(picture.formulas, s, out.functions)) continue;
      ShapeInput in = picture.draw.shape;
      const ColourAdditions& a = picture.draw.additions;
      in.colour = colourSample(picture.draw.xraykleur, a.kl1ad, a.kl2ad, a.kl3ad, s);
      drawShape(in, s, surface);
      ++out.marks;
    }
  }
  out.calls = surface.calls;
  return out;
}

// The same columns through a column loop.
Outcome loopColumns(const Picture& picture, int columns, ColumnLoop loop) {
  Outcome out;
  out.state = startOf(picture);
  RecordingSurface surface;
  for (int column = 0; column < columns; ++column, out.state.col += 3) {
    SampleDrawer drawer(picture.draw, surface);
    ColumnRun run{out.state,       out.functions, picture.formulas, -picture.rowEnd, picture.rowEnd,
                  picture.rowStep, drawer};
    loop(run);
    out.samples += run.samples;
    out.marks += run.marks;
  }
  out.calls = surface.calls;
  return out;
}

void expectSameOutcome(const Outcome& expected, const Outcome& actual, const std::string& where) {
  expectSameState(expected.state, actual.state, where);
  EXPECT_TRUE(sameBits(expected.functions.v1a, actual.functions.v1a)) << where << ": v1a";
  EXPECT_TRUE(sameBits(expected.functions.v1b, actual.functions.v1b)) << where << ": v1b";
  EXPECT_EQ(expected.samples, actual.samples) << where;
  EXPECT_EQ(expected.marks, actual.marks) << where;
  EXPECT_TRUE(expected.calls == actual.calls) << where << ": the drawing calls differ";
}

std::string describe(const Picture& p) {
  const FormulaChoice& f = p.formulas;
  return "cat " + std::to_string(p.run.cat) + " ali " + std::to_string(p.run.ali) + " v2 " +
         std::to_string(p.run.v2) + " v3 " + std::to_string(p.run.v3) + " eff " +
         std::to_string(f.eff) + " func1 " + std::to_string(f.func1) + " func2 " +
         std::to_string(f.func2) + " t1 " + std::to_string(f.t1) + " w " + std::to_string(f.w) +
         " worldw " + std::to_string(f.worldw) + " sols " + std::to_string(f.sols) + " cit " +
         std::to_string(f.cit) + " v4 " + std::to_string(f.v4) + " colour " +
         std::to_string(p.draw.xraykleur) + " shape " + std::to_string(p.draw.shape.shape);
}

// Random pictures: mostly values the editors offer, sometimes values only a hand-edited data file
// holds (0, beyond the lists, the 16-bit extremes), and sometimes a zero determinant.
class PictureMaker {
 public:
  explicit PictureMaker(uint32_t seed) : engine_(seed) {}

  int16_t choice(int count) {
    static constexpr int16_t kOdd[] = {0, -1, 99, 32767, -32768};
    if (uniform(0, 9) == 0) return kOdd[uniform(0, 4)];
    return static_cast<int16_t>(uniform(1, count));
  }

  Picture make() {
    Picture p{};
    p.run.cat = choice(10);
    p.run.ali = choice(14);
    p.run.v2 = static_cast<int16_t>(uniform(0, 7) == 0 ? 400 : uniform(-900, 900));
    p.run.v3 = static_cast<int16_t>(uniform(-900, 900));
    p.run.size = static_cast<int16_t>(uniform(10, 30));
    FormulaChoice& f = p.formulas;
    f.eff = choice(20);
    f.func1 = choice(11);
    f.func2 = choice(11);
    f.t1 = choice(8);
    f.w = choice(35);
    f.worldw = choice(10);
    f.sols = choice(20);
    f.cit = choice(24);
    f.v4 = static_cast<int16_t>(uniform(-900, 900));
    p.draw.xraykleur = choice(14);
    p.draw.additions = {static_cast<int16_t>(uniform(0, 250)),
                        static_cast<int16_t>(uniform(0, 250)),
                        static_cast<int16_t>(uniform(0, 250))};
    p.draw.shape = {choice(38),
                    static_cast<int16_t>(uniform(1, 3)),
                    static_cast<int16_t>(uniform(-50, 50)),
                    static_cast<int16_t>(uniform(1, 50)),
                    static_cast<int16_t>(uniform(-20, 20)),
                    static_cast<int16_t>(uniform(-20, 20)),
                    p.run.size,
                    0};
    p.rowEnd = std::floor(p.run.size * 0.75);
    p.rowStep = uniform(0, 3) == 0 ? 4 : 1;
    return p;
  }

  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

 private:
  std::mt19937 engine_;
};

TEST(ColumnLoop, SelectedAndGenericLoopsEqualTheOneSampleFunctions) {
  PictureMaker maker(20240601);
  for (int i = 0; i < 300; ++i) {
    const Picture p = maker.make();
    const Outcome expected = referenceColumns(p, 3);
    expectSameOutcome(expected, loopColumns(p, 3, selectColumnLoop(p.formulas)), describe(p));
    expectSameOutcome(expected, loopColumns(p, 3, &genericColumnLoop), describe(p) + " generic");
    if (HasFailure()) break;  // one picture's report is enough to start from
  }
}

TEST(ColumnLoop, EveryWorldAndLabLoopEqualsTheOneSampleFunctions) {
  PictureMaker maker(7);
  for (int16_t worldw = 1; worldw <= 10; ++worldw) {
    for (int16_t cit = 1; cit <= 24; ++cit) {
      Picture p = maker.make();
      p.formulas.worldw = worldw;
      p.formulas.cit = cit;
      const ColumnLoop loop = selectColumnLoop(p.formulas);
      EXPECT_NE(loop, &genericColumnLoop) << describe(p);
      expectSameOutcome(referenceColumns(p, 2), loopColumns(p, 2, loop), describe(p));
    }
    if (HasFailure()) break;
  }
}

TEST(ColumnLoop, FullyFixedLoopsEqualTheOneSampleFunctions) {
  const std::vector<FormulaChoice> sets = fullyFixedFormulaSets();
  ASSERT_FALSE(sets.empty());
  PictureMaker maker(99);
  for (const FormulaChoice& set : sets) {
    for (int i = 0; i < 20; ++i) {
      Picture p = maker.make();
      const int16_t t1 = p.formulas.t1, v4 = p.formulas.v4;
      p.formulas = set;
      p.formulas.t1 = t1;  // neither is part of a fixed set
      p.formulas.v4 = v4;
      expectSameOutcome(referenceColumns(p, 3), loopColumns(p, 3, selectColumnLoop(p.formulas)),
                        describe(p));
    }
  }
}

TEST(ColumnLoop, TheStartUpSetHasALoopWithEveryChoiceFixed) {
  const PictureParams p;
  const FormulaChoice startUp{p.eff, p.func1, p.func2, p.t1, p.w, p.worldw, p.sols, p.cit, p.v4};
  // Neither the generic loop nor the world-and-lab loop of world 2 and lab 13.
  FormulaChoice otherLevel = startUp;
  otherLevel.w = 12;
  EXPECT_NE(selectColumnLoop(startUp), &genericColumnLoop);
  EXPECT_NE(selectColumnLoop(startUp), selectColumnLoop(otherLevel));
}

TEST(ColumnLoop, WorldsAndLabsOutsideTheListsTakeTheGenericLoop) {
  FormulaChoice c{1, 3, 2, 3, 11, 2, 4, 13, 48};
  c.worldw = 11;
  EXPECT_EQ(selectColumnLoop(c), &genericColumnLoop);
  c.worldw = 2;
  c.cit = 0;
  EXPECT_EQ(selectColumnLoop(c), &genericColumnLoop);
}

TEST(ColumnLoop, AColumnWithoutRowsOnlyMovesTheRow) {
  PictureMaker maker(3);
  Picture p = maker.make();
  p.formulas.t1 = 6;
  p.rowEnd = -3;  // a negative width: the first row already lies beyond the last
  RenderState before = startOf(p);
  before.orbp = 1.5;
  before.iter = 7;
  RenderState s = before;
  FunctionValues functions{0.25, 0.5};
  RecordingSurface surface;
  SampleDrawer drawer(p.draw, surface);
  ColumnRun run{s, functions, p.formulas, 3, -3, 1, drawer};
  selectColumnLoop(p.formulas)(run);
  before.row = 3;
  expectSameState(before, s, "no rows");  // the type signs too stay as they were
  EXPECT_EQ(functions.v1a, 0.25);
  EXPECT_EQ(functions.v1b, 0.5);
  EXPECT_EQ(run.samples, 0u);
  EXPECT_TRUE(surface.calls.empty());
}

}  // namespace
}  // namespace orbisk
