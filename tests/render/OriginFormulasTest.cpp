#include "render/orbit/OriginFormulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/PictureParams.h"

namespace orbisk {
namespace {

FormulaChoice choiceOf(const PictureParams& p) {
  return {p.eff, p.func1, p.func2, p.t1, p.w, p.worldw, p.sols, p.cit, p.v4};
}

RenderState preparedState(const PictureParams& p) {
  RenderState s;
  const RunChoice run{p.cat, p.ali, p.v2, p.v3, p.size};
  setCategoryAndGalaxy(run, s);
  setMapConstants(run, s);
  return s;
}

TEST(OriginFormulas, StartUpRunConstantsAndFirstSample) {
  PictureParams p;
  RenderState s = preparedState(p);
  EXPECT_DOUBLE_EQ(s.coefa, 0.45);
  EXPECT_DOUBLE_EQ(s.coefb, 0.45);
  EXPECT_DOUBLE_EQ(s.coefc, 0.45);
  EXPECT_DOUBLE_EQ(s.coefd, -0.45);
  EXPECT_EQ(s.det, -0.405f);
  EXPECT_EQ(s.N1, 110);
  EXPECT_EQ(s.N2, 82);
  EXPECT_EQ(s.galx, 3);
  EXPECT_EQ(s.galy, 3);

  // The first sample: P = 3, Q = 0.75; iteration 1 takes the first world branch.
  s.col = 0;
  s.row = -82;
  FormulaChoice oneIteration = choiceOf(p);
  FunctionValues f;
  // Run one iteration by hand through the public sample function: with R = 0 the sample escapes
  // only in iteration 15, so it is not drawn.
  EXPECT_FALSE(iterateSample(oneIteration, s, f));
  EXPECT_EQ(s.iter, 15);
  EXPECT_EQ(s.itersq, 225);
}

TEST(OriginFormulas, FirstIterationOfTheStartUpSample) {
  PictureParams p;
  RenderState s = preparedState(p);
  s.col = 0;
  s.row = -82;
  chooseStartPoint(choiceOf(p), s);
  EXPECT_EQ(s.orbp, 3);
  EXPECT_EQ(s.orbq, 0.75);
  FunctionValues f;
  iterateOnce(choiceOf(p), s, f);
  EXPECT_EQ(s.levelcap, 1.5);  // level 11: Q + Q; P = 3 > 1.5 takes the first branch
  EXPECT_EQ(s.orbr, 0.75);     // world 2, first branch: R takes the old Q
  EXPECT_NEAR(s.orbp, -1.041667, 5e-7);
  EXPECT_NEAR(s.orbq, 0.207894, 5e-7);
}

TEST(OriginFormulas, ZeroDeterminantKeepsTheRunGoing) {
  for (int16_t cat : {5, 7}) {
    PictureParams p;
    p.cat = cat;
    RenderState s = preparedState(p);
    EXPECT_EQ(s.det, 0.0f) << "category " << cat;
    s.col = 10;
    s.row = 5;
    FunctionValues f;
    iterateSample(choiceOf(p), s, f);  // must neither trap nor hang
  }
  PictureParams p;
  p.v2 = 400;
  EXPECT_EQ(preparedState(p).det, 0.0f);
}

TEST(OriginFormulas, ValuesOutsideTheTablesLeaveTheOldOnes) {
  RenderState s;
  s.catsign1 = 7;
  s.galshiftx = 9;
  setCategoryAndGalaxy({11, 0, 40, 40, 110}, s);
  EXPECT_EQ(s.catsign1, 7);
  EXPECT_EQ(s.galshiftx, 9);
  setCategoryAndGalaxy({5, 11, 40, 40, 110}, s);
  EXPECT_EQ(s.catsign1, 1);
  EXPECT_EQ(s.catsign2, 0);
  EXPECT_EQ(s.galshiftx, 2);
  EXPECT_EQ(s.galshifty, -2);
  // Galaxies 9 and 13 differ only in the vertical offset.
  setCategoryAndGalaxy({1, 9, 0, 0, 10}, s);
  EXPECT_EQ(s.galshifty, 0);
  setCategoryAndGalaxy({1, 13, 0, 0, 10}, s);
  EXPECT_EQ(s.galshiftx, 2);
  EXPECT_EQ(s.galshifty, 2);
}

TEST(OriginFormulas, SmallestSizeGivesHeightSeven) {
  PictureParams p;
  p.size = 10;
  EXPECT_EQ(preparedState(p).N2, 7);
}

TEST(OriginFormulas, UnknownEffectStartsFromThePreviousOrbit) {
  PictureParams p;
  p.eff = 21;
  p.worldw = 0;  // leaves the orbit alone
  p.cit = 1;     // keeps P and Q
  RenderState s = preparedState(p);
  s.orbp = 0.125;
  s.orbq = 0.25;
  s.col = 40;
  s.row = 40;
  FunctionValues f;
  iterateSample(choiceOf(p), s, f);
  EXPECT_EQ(s.orbp, 0.125);
  EXPECT_EQ(s.orbq, 0.25);
}

TEST(OriginFormulas, SolarSystemTransformFailuresKeepP) {
  RenderState s;
  s.orbp = -2.5;
  checksols(13, s);  // (-2.5)^sin(-2.5): negative base, non-integral exponent
  EXPECT_EQ(s.orbp, -2.5);
  s.orbp = 0;
  checksols(18, s);  // 0^0 is 1
  EXPECT_EQ(s.orbp, 1);
  s.orbp = 0;
  checksols(17, s);  // 0^Int(0) = 0^0
  EXPECT_EQ(s.orbp, 1);
  s.orbp = std::numeric_limits<double>::infinity();
  checksols(2, s);  // sin of an infinity fails
  EXPECT_TRUE(std::isinf(s.orbp));
  s.orbp = 1e200;
  checksols(7, s);  // a plain product overflows into an infinity and is stored
  EXPECT_TRUE(std::isinf(s.orbp));
  s.orbp = -2.5;
  checksols(12, s);
  EXPECT_EQ(s.orbp, 9);  // Int(-2.5) = -3
  s.orbp = 0.5;
  checksols(21, s);
  EXPECT_EQ(s.orbp, 0.5);
}

TEST(OriginFormulas, WorldOneLevelOneTakesTheSecondBranchAtZero) {
  // levelcap = 0 and P exactly 0: P > levelcap is false, so the second branch runs and the
  // solar-system transform (here cos) is applied to the new P.
  PictureParams p;
  p.worldw = 1;
  p.w = 1;
  p.sols = 3;
  p.cit = 1;
  p.ali = 1;  // galx = galy = 0, so column 0 starts at P = 0
  RenderState s = preparedState(p);
  s.col = 0;
  s.row = 0;
  chooseStartPoint(choiceOf(p), s);
  ASSERT_EQ(s.orbp, 0);
  FunctionValues f;
  iterateOnce(choiceOf(p), s, f);
  const double det = s.det;
  const double B = 48 / 20.0 - (s.coefd * 0 - s.coefb * 0 + s.coefd) / det;
  EXPECT_EQ(s.orbp, std::cos(B));
  EXPECT_EQ(s.orbr, -std::sin(0.0) * 3.14);  // v1a = -sin(P) times 3.14
}

TEST(OriginFormulas, RCarriesOverFromSampleToSample) {
  // v1b with func2 = 1 reads R before the world step sets it: two runs of the same sample
  // differ when R differs.
  PictureParams p;
  p.func2 = 1;
  RenderState a = preparedState(p), b = preparedState(p);
  a.col = b.col = 12;
  a.row = b.row = 3;
  a.orbr = 0;
  b.orbr = 5;
  FunctionValues fa, fb;
  chooseStartPoint(choiceOf(p), a);
  chooseStartPoint(choiceOf(p), b);
  iterateOnce(choiceOf(p), a, fa);
  iterateOnce(choiceOf(p), b, fb);
  EXPECT_NE(fa.v1b, fb.v1b);
}

TEST(OriginFormulas, FailingFunctionsKeepTheirTarget) {
  PictureParams p;
  p.func1 = 2;  // sin(P)
  p.func2 = 6;  // sin(tan(t) / det)
  p.cat = 5;    // det = 0: tan(t) / 0 is infinite, its sine fails
  RenderState s = preparedState(p);
  s.orbp = std::numeric_limits<double>::infinity();
  s.orbq = 1;
  s.orbr = 1;
  p.eff = 0;  // keep the orbit as set
  FunctionValues f{0.25, 0.5};
  iterateOnce(choiceOf(p), s, f);
  EXPECT_EQ(f.v1a, 0.25);
  EXPECT_EQ(f.v1b, 0.5);
}

}  // namespace
}  // namespace orbisk
