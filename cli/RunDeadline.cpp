#include "cli/RunDeadline.h"

#include <chrono>

namespace orbisk {

RunDeadline::RunDeadline(int seconds, std::atomic<bool>& stop) {
  if (seconds <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  watcher_ = std::thread([this, deadline, &stop] {
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, deadline, [this] { return ended_; })) return;
    passed_ = true;
    stop = true;
  });
}

RunDeadline::~RunDeadline() {
  {
    const std::lock_guard lock(mutex_);
    ended_ = true;
  }
  wake_.notify_all();
  if (watcher_.joinable()) watcher_.join();
}

}  // namespace orbisk
