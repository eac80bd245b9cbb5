// Film frames drawn on several workers come in their order and equal the same frames drawn one
// by one; workers stop when the frames are no longer wanted, and a failed drawing is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "io/FilmFrameWorkers.h"
#include "io/RedrawPicture.h"
#include "session/FilmPath.h"

namespace orbisk {
namespace {

FilmPath thumbnailFilm(int frames) {
  DrawnPicture from, to;
  from.params.framesize = to.params.framesize = 2;
  to.params.v2 = 90;
  to.params.eff = 3;
  FilmPath path;
  path.keyframes = {from, to};
  path.frames = frames;
  return path;
}

std::vector<uint32_t> drawnAlone(const FilmPath& path, int index) {
  RasterCanvas canvas(0, 0);
  renderWholePicture(orderToRedraw(filmFrame(path, index)), canvas);
  return {canvas.bits(), canvas.bits() + canvas.width() * canvas.height()};
}

TEST(FilmFrameWorkers, FramesComeInOrderAsEachIsDrawnAlone) {
  const FilmPath path = thumbnailFilm(9);
  for (const int threads : {1, 3}) {
    FilmFrameWorkers workers(
        2, 6, threads, [&path](int i, RasterCanvas& canvas, const std::atomic<bool>& cancel) {
          renderWholePicture(orderToRedraw(filmFrame(path, i)), canvas, &cancel);
        });
    for (int index = 2; index < 8; ++index) {
      const RasterCanvas* frame = workers.next();
      ASSERT_NE(frame, nullptr);
      EXPECT_EQ(
          std::vector<uint32_t>(frame->bits(), frame->bits() + frame->width() * frame->height()),
          drawnAlone(path, index))
          << "frame " << index << " on " << threads << " workers";
    }
    EXPECT_EQ(workers.next(), nullptr);
  }
}

TEST(FilmFrameWorkers, StopWhenNoLongerWantedAndReportAFailedDrawing) {
  std::atomic<int> drawn = 0;
  {
    FilmFrameWorkers workers(0, 1000, 2, [&](int, RasterCanvas& canvas, const std::atomic<bool>&) {
      canvas = RasterCanvas(4, 4);
      ++drawn;
    });
    ASSERT_NE(workers.next(), nullptr);
  }  // left after one frame: the workers draw a few ahead at most, then end
  EXPECT_LT(drawn.load(), 20);

  // A stop set on another thread ends the wait for a frame that takes ever so long.
  std::atomic<bool> stop = false;
  {
    FilmFrameWorkers endless(
        0, 10, 2,
        [](int, RasterCanvas&, const std::atomic<bool>& cancel) {
          while (!cancel.load()) std::this_thread::yield();
        },
        &stop);
    std::thread stopper([&] { stop = true; });
    EXPECT_EQ(endless.next(), nullptr);
    stopper.join();
  }

  FilmFrameWorkers failing(0, 10, 2, [](int index, RasterCanvas&, const std::atomic<bool>&) {
    if (index == 3) throw std::runtime_error("no memory");
  });
  EXPECT_THROW(
      {
        while (failing.next()) {
        }
      },
      std::runtime_error);
}

}  // namespace
}  // namespace orbisk
