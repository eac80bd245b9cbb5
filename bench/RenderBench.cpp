// Samples per second of whole render runs.
//
// - StartUpPicture: the start-up picture (size 110).
// - LargePointShape, LargeBarShape, LargeNoShape: the start-up formula set at size 300 with length
//   and width X3 (1.2 million samples), drawn with shape 1 (points), shape 2 (bars) and shape 0
//   (draws nothing: the formula and colour work alone, which the two others are measured against).
// - FormulaSet/<name>: other worlds, labs, levels, solar systems, functions and effects at the
//   same size with shape 1, each twice: through the loop the renderer selects for the column
//   ("selected") and through the loop that reads every choice as it goes ("generic").
#include <benchmark/benchmark.h>

#include <string>

#include "model/PictureParams.h"
#include "render/orbit/ColumnLoop.h"
#include "render/orbit/OriginFormulas.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"
#include "render/drawing/SampleDrawer.h"

namespace orbisk {
namespace {

void renderRun(benchmark::State& bench, const PictureParams& params) {
  RenderState state;
  RasterCanvas canvas(632, 434);
  uint64_t samples = 0;
  uint64_t marks = 0;
  for (auto _ : bench) {
    RenderJob job(state, params, canvas);
    job.start();
    while (job.hasColumns()) job.stepColumn();
    samples += job.samples();
    marks += job.marks();
  }
  bench.counters["samples/s"] =
      benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kIsRate);
  bench.counters["drawn"] =
      benchmark::Counter(samples ? static_cast<double>(marks) / static_cast<double>(samples) : 0.0);
}

PictureParams large(int16_t shape) {
  PictureParams p;
  p.size = 300;
  p.borderlen = 3;
  p.widthfac = 3;
  p.driedkeuze = shape;
  return p;
}

void StartUpPicture(benchmark::State& bench) {
  renderRun(bench, PictureParams{});
}
void LargePointShape(benchmark::State& bench) {
  renderRun(bench, large(1));
}
void LargeBarShape(benchmark::State& bench) {
  renderRun(bench, large(2));
}
void LargeNoShape(benchmark::State& bench) {
  renderRun(bench, large(0));
}

BENCHMARK(StartUpPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(LargePointShape)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeBarShape)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeNoShape)->Unit(benchmark::kMillisecond);

// Formula sets drawn by the Random command, chosen for their variety and for pictures that are
// neither empty nor finished in one iteration (except the last two, which stand for the many
// random pictures that are).
struct FormulaSet {
  const char* name;
  int16_t cat, ali, eff, func1, func2, t1, w, worldw, sols, cit;
};

constexpr FormulaSet kFormulaSets[] = {
    {"startup", 1, 6, 1, 3, 2, 3, 11, 2, 4, 13},
    {"world1_lab1_level2_sols13", 2, 2, 20, 2, 5, 8, 2, 1, 13, 1},
    {"world6_lab14_level2_sols20", 3, 9, 9, 5, 6, 4, 2, 6, 20, 14},
    {"world8_lab14_level31_sols3", 5, 2, 10, 11, 8, 7, 31, 8, 3, 14},
    {"world10_lab21_level10_sols12", 5, 11, 1, 7, 11, 1, 10, 10, 12, 21},
    {"world4_lab1_level30_sols1", 1, 1, 13, 6, 1, 1, 30, 4, 1, 1},
    {"never_escapes_world5_lab12", 5, 10, 14, 1, 3, 5, 1, 5, 1, 12},
    {"escapes_at_once_world5_lab4", 6, 3, 12, 4, 7, 3, 26, 5, 15, 4},
};

PictureParams paramsOf(const FormulaSet& set) {
  PictureParams p = large(1);
  p.cat = set.cat;
  p.ali = set.ali;
  p.eff = set.eff;
  p.func1 = set.func1;
  p.func2 = set.func2;
  p.t1 = set.t1;
  p.w = set.w;
  p.worldw = set.worldw;
  p.sols = set.sols;
  p.cit = set.cit;
  return p;
}

// One Outward run driven column by column as RenderJob does, with either the selected loop or
// the generic one for every column.
void columnRun(benchmark::State& bench, const FormulaSet& set, bool generic) {
  const PictureParams p = paramsOf(set);
  RenderState state;
  RasterCanvas canvas(632, 434);
  uint64_t samples = 0;
  for (auto _ : bench) {
    const RunChoice run{p.cat, p.ali, p.v2, p.v3, p.size};
    setCategoryAndGalaxy(run, state);
    state.halfwidth = 316;
    state.halfheight = 217;
    setMapConstants(run, state);
    const FormulaChoice formulas{p.eff, p.func1, p.func2, p.t1, p.w, p.worldw, p.sols, p.cit, p.v4};
    const DrawChoice draw{
        p.xraykleur,
        {p.kl1ad, p.kl2ad, p.kl3ad},
        {p.driedkeuze, p.borderlen, p.glij, p.hoogte, p.hsbhorizon, p.hsbvertical, p.size, 0}};
    const ColumnLoop loop = generic ? &genericColumnLoop : selectColumnLoop(formulas);
    const double rowEnd = state.N2 * p.widthfac;
    const double colEnd = p.borderlen * state.N1;
    FunctionValues functions;
    for (state.col = 0; state.col <= colEnd; state.col += 1) {
      SampleDrawer drawer(draw, canvas);
      ColumnRun column{state, functions, formulas, -rowEnd, rowEnd, 1, drawer};
      loop(column);
      samples += column.samples;
    }
  }
  bench.counters["samples/s"] =
      benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kIsRate);
}

const bool kRegistered = [] {
  for (const FormulaSet& set : kFormulaSets) {
    for (const bool generic : {false, true}) {
      const std::string name =
          std::string("FormulaSet/") + set.name + (generic ? "/generic" : "/selected");
      benchmark::RegisterBenchmark(name.c_str(), [&set, generic](benchmark::State& bench) {
        columnRun(bench, set, generic);
      })->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace orbisk
