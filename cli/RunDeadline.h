// --timeout: a flag that a watching thread sets once the time allowed for a run has passed.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace orbisk {

class RunDeadline {
 public:
  // Sets stop after seconds (from now) unless destroyed first; 0 seconds: never.
  RunDeadline(int seconds, std::atomic<bool>& stop);
  // Stops watching at once.
  ~RunDeadline();
  RunDeadline(const RunDeadline&) = delete;
  RunDeadline& operator=(const RunDeadline&) = delete;

  // Whether the time ran out (and stop was set for it).
  bool passed() const { return passed_.load(); }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool ended_ = false;               // guarded by mutex_: the run is over, stop watching
  std::atomic<bool> passed_{false};  // set by the watcher when the time ran out
  std::thread watcher_;              // absent for 0 seconds
};

}  // namespace orbisk
