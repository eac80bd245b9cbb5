#include "io/FilmFrameWorkers.h"

#include <algorithm>
#include <chrono>

#include "io/TemporaryCleanup.h"

namespace orbisk {

FilmFrameWorkers::FilmFrameWorkers(int first, int count, int threads, DrawFrame draw,
                                   const std::atomic<bool>* stop)
    : first_(first),
      end_(first + std::max(count, 0)),
      window_(2 * std::max(threads, 1) + 1),
      draw_(std::move(draw)),
      stop_(stop),
      nextToDraw_(first),
      nextToHand_(first) {
  // The workers start with the terminating signals held back and keep them so, so a signal
  // reaches the thread that writes the film and lists its temporaries.
  const TerminatingSignalsHeld held;
  try {
    for (int i = 0; i < std::max(threads, 1); ++i) threads_.emplace_back([this] { work(); });
  } catch (...) {
    cancel_ = true;
    changed_.notify_all();
    for (std::thread& t : threads_) t.join();
    throw;
  }
}

FilmFrameWorkers::~FilmFrameWorkers() {
  {
    std::lock_guard lock(mutex_);
    cancel_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void FilmFrameWorkers::work() {
  for (;;) {
    int index = 0;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] {
        return cancel_ || nextToDraw_ >= end_ || nextToDraw_ < nextToHand_ + window_;
      });
      if (cancel_ || nextToDraw_ >= end_) return;
      index = nextToDraw_++;
    }
    auto canvas = std::make_unique<RasterCanvas>(0, 0);
    std::exception_ptr failure;
    try {
      draw_(index, *canvas, cancel_);
    } catch (...) {
      failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      if (failure) {
        if (!failure_) failure_ = failure;
        cancel_ = true;
      } else {
        finished_[index] = std::move(canvas);
      }
    }
    changed_.notify_all();
  }
}

const RasterCanvas* FilmFrameWorkers::next() {
  std::unique_lock lock(mutex_);
  lent_.reset();
  if (nextToHand_ >= end_) return nullptr;
  const auto ready = [&] { return failure_ || finished_.count(nextToHand_) > 0; };
  // The caller's stop is looked at every 50 ms: nothing notifies of it.
  while (!changed_.wait_for(lock, std::chrono::milliseconds(50), ready)) {
    if (stop_ && stop_->load()) {
      cancel_ = true;
      lock.unlock();
      changed_.notify_all();
      return nullptr;
    }
  }
  if (failure_) std::rethrow_exception(failure_);
  auto found = finished_.find(nextToHand_);
  lent_ = std::move(found->second);
  finished_.erase(found);
  ++nextToHand_;
  lock.unlock();
  changed_.notify_all();
  return lent_.get();
}

int filmThreads() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace orbisk
