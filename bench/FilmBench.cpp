// Films: frames drawn on every core against the same frames drawn one after another, and the
// share of a film's time its encoding takes.
//
// - FilmFramesPerSecond/N: 24 frames of a Regular film from the start-up picture (v2 40 to 80,
//   the red addition 0 to 120) on N workers; frames per second of wall time. Frames are
//   independent, so N workers should come close to N times one worker's rate on an idle
//   machine (the aim: the cores' count times, less 10 %); frames/cpu-s shows whether anything
//   shared slows the workers down, also on a busy one.
// - FilmEncoding/<format>: the same 24 frames, drawn once beforehand, encoded; frames per second
//   of wall time and of processor time (the encoder's own threads included). Its processor time
//   against FilmFramesPerSecond's is the encoding's share of a film's work.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "io/FilmEncoder.h"
#include "io/FilmFrameWorkers.h"
#include "io/RedrawPicture.h"
#include "session/FilmPath.h"

namespace orbisk {
namespace {

constexpr int kFrames = 24;

FilmPath startUpFilm() {
  FilmPath path;
  DrawnPicture from, to;
  to.params.v2 = 80;
  to.params.kl1ad = 120;
  path.keyframes = {from, to};
  path.frames = kFrames;
  return path;
}

void drawFrame(const FilmPath& path, int index, RasterCanvas& canvas,
               const std::atomic<bool>& cancel) {
  renderWholePicture(orderToRedraw(filmFrame(path, index)), canvas, &cancel);
}

void FilmFramesPerSecond(benchmark::State& bench) {
  const FilmPath path = startUpFilm();
  const int threads = static_cast<int>(bench.range(0));
  int64_t frames = 0;
  const std::clock_t cpuStart = std::clock();
  for (auto _ : bench) {
    FilmFrameWorkers workers(0, kFrames, threads,
                             [&path](int i, RasterCanvas& c, const std::atomic<bool>& cancel) {
                               drawFrame(path, i, c, cancel);
                             });
    while (const RasterCanvas* frame = workers.next()) benchmark::DoNotOptimize(frame->bits());
    frames += kFrames;
  }
  const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  bench.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
  bench.counters["frames/cpu-s"] = cpuSeconds > 0 ? frames / cpuSeconds : 0;
}
BENCHMARK(FilmFramesPerSecond)
    ->DenseRange(1, filmThreads())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void FilmEncoding(benchmark::State& bench, FilmFormat format) {
  const FilmPath path = startUpFilm();
  std::vector<std::unique_ptr<RasterCanvas>> frames;
  std::atomic<bool> cancel = false;
  for (int i = 0; i < kFrames; ++i) {
    frames.push_back(std::make_unique<RasterCanvas>(0, 0));
    drawFrame(path, i, *frames.back(), cancel);
  }
  int64_t encoded = 0;
  const std::clock_t cpuStart = std::clock();  // the encoders' own threads included
  for (auto _ : bench) {
    std::string error, bytes;
    auto encoder = FilmEncoder::open(format, frames[0]->width(), frames[0]->height(), 25,
                                     "Orbisk film", error);
    if (!encoder) {
      bench.SkipWithError(error.c_str());
      return;
    }
    for (const auto& frame : frames) encoder->addFrame(frame->bits(), frame->width(), error);
    encoder->finish(bytes, error);
    encoded += kFrames;
    bench.counters["bytes"] = double(bytes.size());
  }
  const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  bench.counters["frames/s"] = benchmark::Counter(double(encoded), benchmark::Counter::kIsRate);
  bench.counters["frames/cpu-s"] = cpuSeconds > 0 ? encoded / cpuSeconds : 0;
}
BENCHMARK_CAPTURE(FilmEncoding, webm, FilmFormat::WebM)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FilmEncoding, mp4, FilmFormat::Mp4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FilmEncoding, apng, FilmFormat::Apng)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FilmEncoding, gif, FilmFormat::Gif)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orbisk
