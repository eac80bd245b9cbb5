// The random gallery's work: the quick looks that choose twelve candidates worth showing, and
// those twelve rendered on worker threads.
//
// - GalleryTwelveCells: a whole gallery at the start-up parameters (Regular canvas, Detail High):
//   the quick looks on one thread, as the gallery's chooser makes them, then the twelve cells on
//   one worker per core; wall time per gallery.
// - GalleryCellsPerSecond/N: 24 cells on N workers; cells per second of wall time. With the
//   work independent, two workers should come close to twice one worker's rate on an idle
//   machine; cells/cpu-s (cells per second of processor time) shows whether anything shared
//   slows the workers down, also on a busy one.
// - GalleryRule: 50 galleries at the start-up parameters, every cell rendered in full and
//   measured: how many cells shown are not worth showing after all (the quick look missed), and
//   how many candidates the quick looks spent. One iteration; the figures are counters.
#include <benchmark/benchmark.h>

#include <ctime>

#include "io/RenderWorkers.h"
#include "render/random/RandomCandidates.h"

namespace orbisk {
namespace {

constexpr uint64_t kSeed = 1000;  // the same candidates every time, so runs compare

std::vector<PictureOrder> chosenOrders(uint64_t seed, int cells, uint64_t& looked) {
  std::vector<PictureOrder> orders;
  for (const ChosenCandidate& c : chooseCandidates(PictureOrder{}, seed, 0, cells, looked))
    orders.push_back(c.candidate.order);
  return orders;
}

void renderBatches(benchmark::State& bench, int threads, int cells) {
  uint64_t looked = 0;
  const std::vector<PictureOrder> orders = chosenOrders(kSeed, cells, looked);
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
  RenderWorkers workers(0);
  uint64_t looked = 0;
  for (auto _ : bench) {
    looked = 0;
    workers.start(chosenOrders(kSeed, 12, looked));
    workers.wait();
  }
  bench.counters["looked"] = static_cast<double>(looked);
  bench.counters["workers"] = workers.threadCount();
}
void GalleryCellsPerSecond(benchmark::State& bench) {
  renderBatches(bench, static_cast<int>(bench.range(0)), 24);
}

void GalleryRule(benchmark::State& bench) {
  constexpr int kGalleries = 50, kCells = 12;
  uint64_t shown = 0, missed = 0, looked = 0;
  for (auto _ : bench) {
    shown = missed = looked = 0;
    RasterCanvas canvas(0, 0);
    for (int g = 0; g < kGalleries; ++g) {
      for (const PictureOrder& order : chosenOrders(kSeed + g, kCells, looked)) {
        renderWholePicture(order, canvas);
        ++shown;
        if (!worthShowing(measurePicture(canvas.bits(), canvas.width(), canvas.height(),
                                         canvas.width(), order.canvas.background)))
          ++missed;
      }
    }
  }
  bench.counters["cells"] = static_cast<double>(shown);
  bench.counters["not worth showing"] = static_cast<double>(missed);
  bench.counters["looked at"] = static_cast<double>(looked);
}

BENCHMARK(GalleryTwelveCells)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GalleryCellsPerSecond)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GalleryRule)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orbisk
