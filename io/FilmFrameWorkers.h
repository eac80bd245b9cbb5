// The frames of a film drawn on worker threads, one per core, and handed over in their order.
// Each frame is a picture of its own: a worker draws it on a canvas of its own from what the
// draw function computes for its number, so no frame depends on another. Plain C++.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

class FilmFrameWorkers {
 public:
  // Draws frame number index on canvas (a worker's own; the function sets its size). Called on
  // the workers, so it may share nothing mutable; cancel is set when the frames are no longer
  // wanted and may end a drawing early.
  using DrawFrame =
      std::function<void(int index, RasterCanvas& canvas, const std::atomic<bool>& cancel)>;

  // Starts threads workers (at least 1) on frames first .. first + count - 1. At most a few
  // frames per worker wait finished, so memory stays bounded however slowly they are taken.
  // stop, when given, may be set on any thread: next() then returns nullptr within about 50 ms
  // and the drawings in progress end at their next column.
  FilmFrameWorkers(int first, int count, int threads, DrawFrame draw,
                   const std::atomic<bool>* stop = nullptr);
  // Cancels what is left and waits for every worker.
  ~FilmFrameWorkers();
  FilmFrameWorkers(const FilmFrameWorkers&) = delete;
  FilmFrameWorkers& operator=(const FilmFrameWorkers&) = delete;

  // Waits for the next frame in order and lends it until the next call; nullptr after the last
  // or once stop is set. A drawing that threw (out of memory) rethrows here.
  const RasterCanvas* next();

 private:
  void work();

  const int first_, end_;  // the frames wanted: first_ .. end_ - 1
  const int window_;       // frames that may be drawn ahead of the one handed over
  DrawFrame draw_;
  const std::atomic<bool>* stop_;     // the caller's stop, or nullptr
  std::atomic<bool> cancel_ = false;  // set when the frames are no longer wanted
  std::mutex mutex_;
  std::condition_variable changed_;  // a frame finished, or one was handed over
  int nextToDraw_;                   // the next frame a worker takes
  int nextToHand_;                   // the next frame next() hands over
  std::map<int, std::unique_ptr<RasterCanvas>> finished_;  // drawn, not handed over yet
  std::unique_ptr<RasterCanvas> lent_;                     // the frame next() handed over last
  std::exception_ptr failure_;                             // the first drawing that threw
  std::vector<std::thread> threads_;
};

// The cores to draw on: the machine's, at least 1.
int filmThreads();

}  // namespace orbisk
