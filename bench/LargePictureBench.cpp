// The same picture at 1, 4 and 8 times the resolution, as `orbisk-render --scale K` draws it:
// the large canvas is made (and wiped) and the whole run drawn on it, on the 13.5-million-sample
// file of README.md (size 1000, length and width X3), with its point shape and with a bar shape.
// The sample chain is the same at every scale; only the drawing grows.
#include <benchmark/benchmark.h>

#include <new>

#include "model/DataFile.h"
#include "model/PictureParams.h"
#include "render/run/WholePicture.h"

namespace orbisk {
namespace {

constexpr const char* kLargeFile =
    "1000,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,3,3,25,25,0,0";

void scaledRun(benchmark::State& bench, int16_t shape) {
  PictureParams params;
  applyRecord(parseRecord(kLargeFile), params);
  params.driedkeuze = shape;
  const int scale = static_cast<int>(bench.range(0));
  PictureOrder order;
  order.params = params;
  order.canvas = canvasFor(params, 0, scale);
  uint64_t marks = 0;
  for (auto _ : bench) {
    RasterCanvas canvas(0, 0);
    try {
      WholePicture picture(order, canvas);
      picture.run();
      marks = picture.job().marks();
    } catch (const std::bad_alloc&) {
      bench.SkipWithError("no memory for the canvas");
      return;
    }
    benchmark::DoNotOptimize(canvas.bits());
  }
  bench.counters["marks"] = static_cast<double>(marks);  // the same at every scale
}

void ScaledPointShape(benchmark::State& bench) {
  scaledRun(bench, 1);
}
void ScaledBarShape(benchmark::State& bench) {
  scaledRun(bench, 2);
}

BENCHMARK(ScaledPointShape)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ScaledBarShape)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace orbisk
