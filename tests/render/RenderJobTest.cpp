#include "render/run/RenderJob.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "render/surfaces/RasterCanvas.h"
#include "render/surfaces/TraceSurface.h"
#include "tools/trace/GoldenPictures.h"

namespace orbisk {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Renders one whole run and returns its trace.
std::string traceOf(RenderState& state, const PictureParams& params, int width = 632,
                    int height = 434) {
  std::FILE* out = std::tmpfile();
  RasterCanvas canvas(width, height);
  canvas.setPenWidth(params.detailstep == 4 ? 4 : 1);
  TraceSurface tracer(out, &canvas, width, height);
  RenderJob job(state, params, tracer);
  job.start();
  while (job.hasColumns()) job.stepColumn();
  std::fflush(out);
  std::string text(static_cast<size_t>(std::ftell(out)), '\0');
  std::rewind(out);
  const size_t n = std::fread(text.data(), 1, text.size(), out);
  text.resize(n);
  std::fclose(out);
  return text;
}

std::string traceOfFresh(const PictureParams& params) {
  RenderState state;
  return traceOf(state, params);
}

// The start-up picture, kept byte for byte. It once matched a hand-specialised kernel that used
// the C library's sine and tangent; with correctly rounded ones, 444 of its marks moved. Set
// ORBISK_UPDATE_GOLDEN=1 to rewrite it after a deliberate change of the picture.
TEST(RenderJob, StartUpPictureIsTheStoredOne) {
  const std::string path = std::string(ORBISK_TEST_DATA) + "/startup.trace";
  const std::string trace = traceOfFresh(PictureParams{});
  if (std::getenv("ORBISK_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << trace;
  const std::string expected = readFile(path);
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(trace == expected);
}

// Pictures of every shape family, both directions and Detail Low (tools/trace/GoldenPictures.cpp),
// kept byte for byte. Set ORBISK_UPDATE_GOLDEN=1 to rewrite them after a deliberate change of the
// picture.
class GoldenTrace : public ::testing::TestWithParam<GoldenPicture> {};

}  // namespace

// A failing case names its picture.
void PrintTo(const GoldenPicture& picture, std::ostream* out) {
  *out << picture.name;
}

namespace {

TEST_P(GoldenTrace, MatchesTheStoredTrace) {
  const GoldenPicture& g = GetParam();
  const std::string path = std::string(ORBISK_TEST_DATA) + "/" + g.name + ".trace";
  const std::string trace = traceOfFreshRun(goldenParams(g));
  if (std::getenv("ORBISK_UPDATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << trace;
  }
  const std::string expected = readFile(path);
  ASSERT_FALSE(expected.empty()) << path;
  EXPECT_TRUE(trace == expected) << g.name;
}

INSTANTIATE_TEST_SUITE_P(Pictures, GoldenTrace, ::testing::ValuesIn(goldenPictures()),
                         [](const ::testing::TestParamInfo<GoldenPicture>& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

// Every column that a run visits, in order.
std::vector<double> columnsOf(const PictureParams& p) {
  RenderState state;
  RasterCanvas canvas(632, 434);
  RenderJob job(state, p, canvas);
  job.start();
  std::vector<double> cols;
  while (job.hasColumns()) {
    cols.push_back(state.col);
    job.stepColumn();
  }
  return cols;
}

TEST(RenderJob, ColumnsIncludeTheEndWhenTheStepsLandOnIt) {
  PictureParams p;
  std::vector<double> outward = columnsOf(p);
  ASSERT_EQ(outward.size(), 111u);
  EXPECT_EQ(outward.front(), 0);
  EXPECT_EQ(outward.back(), 110);
  p.direction = 1;
  p.detailstep = 4;
  std::vector<double> inwardLow = columnsOf(p);
  EXPECT_EQ(inwardLow.front(), -110);
  EXPECT_EQ(inwardLow.back(), -2);  // column 0 is not visited
  EXPECT_EQ(inwardLow.size(), 28u);
}

TEST(RenderJob, SamplesOfOneRunAtDetailHighAndLow) {
  PictureParams p;
  RenderState state;
  RasterCanvas canvas(632, 434);
  RenderJob high(state, p, canvas);
  high.start();
  while (high.hasColumns()) high.stepColumn();
  EXPECT_EQ(high.samples(), 111u * 165u);
  p.detailstep = 4;
  RenderJob low(state, p, canvas);
  low.start();
  while (low.hasColumns()) low.stepColumn();
  EXPECT_EQ(low.samples(), 28u * 42u);
}

TEST(RenderJob, ChangesBetweenColumnsFollowTheRules) {
  PictureParams p;
  RenderState state;
  RasterCanvas canvas(632, 434);
  RenderJob job(state, p, canvas);
  job.start();
  job.stepColumn();
  EXPECT_EQ(job.samples(), 165u);
  EXPECT_EQ(job.progress().maximum, 111.0f);
  EXPECT_EQ(job.progress().value, 1.0f);

  // Width and Detail act from the next column for the rows; Length only for the progress.
  p.widthfac = 3;
  p.borderlen = 10;
  p.size = 500;  // size, galaxy and direction wait for the next run
  p.direction = 1;
  job.stepColumn();
  EXPECT_EQ(job.samples(), 165u + 493u);
  EXPECT_EQ(job.progress().maximum, 1101.0f);
  EXPECT_EQ(state.N1, 110);
  EXPECT_EQ(state.col, 2);  // still Outward from 0 to 110
  p.detailstep = 4;
  job.stepColumn();
  EXPECT_EQ(job.samples(), 165u + 493u + 124u);  // rows -246, -242, ..., 246
  EXPECT_EQ(state.col, 3);                       // the column step stays 1
}

TEST(RenderJob, LevelChangedBetweenColumnsChangesTheRestOfTheRun) {
  PictureParams p;
  RenderState a, b;
  RasterCanvas ca(632, 434), cb(632, 434);
  std::FILE* outA = std::tmpfile();
  std::FILE* outB = std::tmpfile();
  TraceSurface ta(outA, &ca, 632, 434), tb(outB, &cb, 632, 434);
  PictureParams pb = p;
  RenderJob ja(a, p, ta), jb(b, pb, tb);
  ja.start();
  jb.start();
  for (int i = 0; i < 20; ++i) {
    ja.stepColumn();
    jb.stepColumn();
  }
  EXPECT_EQ(ca.bits()[0], cb.bits()[0]);
  EXPECT_EQ(std::ftell(outA), std::ftell(outB));  // identical so far
  pb.w = 35;
  while (ja.hasColumns()) ja.stepColumn();
  while (jb.hasColumns()) jb.stepColumn();
  EXPECT_NE(std::ftell(outA), std::ftell(outB));
  std::fclose(outA);
  std::fclose(outB);
}

TEST(RenderJob, TheOrbitCarriesOverFromRunToRun) {
  PictureParams p;
  p.func2 = 1;  // v1b reads R before the world step sets it
  RenderState state;
  const std::string first = traceOf(state, p);
  const std::string second = traceOf(state, p);
  EXPECT_NE(first, second);
  RenderState fresh;
  EXPECT_EQ(traceOf(fresh, p), first);
}

TEST(RenderJob, OverflowingBoundsLeaveTheOldRangeAndNoRows) {
  PictureParams p;
  p.borderlen = 1000;  // 1000 x 110 leaves 16 bits: the fresh range 0..0 stays, one column
  EXPECT_EQ(columnsOf(p).size(), 1u);
  p.borderlen = 1;
  p.widthfac = 500;  // 82 x 500 leaves 16 bits: the columns have no rows
  RenderState state;
  RasterCanvas canvas(632, 434);
  RenderJob job(state, p, canvas);
  job.start();
  while (job.hasColumns()) job.stepColumn();
  EXPECT_EQ(job.samples(), 0u);
}

TEST(RenderJob, UnknownShapeDrawsNothingAndKeepsTheHalfSizes) {
  for (int16_t shape : {0, 39, -1}) {
    PictureParams p;
    p.driedkeuze = shape;
    RenderState state;
    EXPECT_EQ(traceOf(state, p), "") << shape;
    EXPECT_EQ(state.halfwidth, 316.0f);
    EXPECT_EQ(state.halfheight, 217.0f);
  }
}

}  // namespace
}  // namespace orbisk
