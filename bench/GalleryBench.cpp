// The random gallery's work: twelve random combinations rendered on worker threads.
//
// - GalleryTwelveCells: all twelve cells at the start-up parameters (Regular canvas, Detail
//   High), one worker per core; wall time per gallery.
// - GalleryCellsPerSecond/N: 24 cells on N workers; cells per second of wall time. With the
//   work independent, two workers should come close to twice one worker's rate on an idle
//   machine; cells/cpu-s (cells per second of processor time) shows whether anything shared
//   slows the workers down, also on a busy one.
#include <benchmark/benchmark.h>

#include <ctime>

#include "io/RenderWorkers.h"
#include "render/RandomCombination.h"

namespace orbisk {
namespace {

// Start-up record and working values, each cell with a combination of its own; the same seeds
// every time, so runs compare.
std::vector<OffscreenOrder> galleryOrders(int cells) {
  std::vector<OffscreenOrder> orders;
  for (int i = 0; i < cells; ++i) {
    OffscreenOrder order;
    applyCombination(order.params, drawRandomCombination(static_cast<uint64_t>(1000 + i)));
    orders.push_back(order);
  }
  return orders;
}

void renderBatches(benchmark::State& bench, int threads, int cells) {
  const std::vector<OffscreenOrder> orders = galleryOrders(cells);
  RenderWorkers workers(threads);
  int64_t done = 0;
  const std::clock_t cpuStart = std::clock();
  for (auto _ : bench) {
    workers.start(orders);
    workers.wait();
    done += cells;
  }
  const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  bench.counters["cells/s"] =
      benchmark::Counter(static_cast<double>(done), benchmark::Counter::kIsRate);
  // Cells per second of processor time over all threads: equal for one and two workers when
  // nothing serialises them, whatever else the machine is doing.
  bench.counters["cells/cpu-s"] = cpuSeconds > 0 ? static_cast<double>(done) / cpuSeconds : 0.0;
  bench.counters["workers"] = workers.threadCount();
}

void GalleryTwelveCells(benchmark::State& bench) {
  renderBatches(bench, 0, 12);
}
void GalleryCellsPerSecond(benchmark::State& bench) {
  renderBatches(bench, static_cast<int>(bench.range(0)), 24);
}

BENCHMARK(GalleryTwelveCells)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GalleryCellsPerSecond)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orbisk
