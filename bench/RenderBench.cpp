// Samples per second of whole render runs: the start-up picture, and a large picture (size 300,
// length and width X3) with a point shape and with a bar shape.
#include <benchmark/benchmark.h>

#include "model/PictureParams.h"
#include "render/RasterCanvas.h"
#include "render/RenderJob.h"

namespace orbisk {
namespace {

void renderRun(benchmark::State& bench, const PictureParams& params) {
  RenderState state;
  RasterCanvas canvas(632, 434);
  uint64_t samples = 0;
  for (auto _ : bench) {
    RenderJob job(state, params, canvas);
    job.start();
    while (job.hasColumns()) job.stepColumn();
    samples += job.samples();
  }
  bench.counters["samples/s"] =
      benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kIsRate);
}

PictureParams large(int16_t shape) {
  PictureParams p;
  p.size = 300;
  p.borderlen = 3;
  p.widthfac = 3;
  p.driedkeuze = shape;
  return p;
}

void StartUpPicture(benchmark::State& bench) { renderRun(bench, PictureParams{}); }
void LargePointShape(benchmark::State& bench) { renderRun(bench, large(1)); }
void LargeBarShape(benchmark::State& bench) { renderRun(bench, large(2)); }

BENCHMARK(StartUpPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(LargePointShape)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeBarShape)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbisk
