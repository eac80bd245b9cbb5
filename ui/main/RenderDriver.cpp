#include "ui/main/RenderDriver.h"

#include <cstdio>

namespace orbisk {

namespace {

// About 60 repaints a second keep the picture growing smoothly without repainting per column.
constexpr qint64 kRepaintIntervalMs = 16;

// With ORBISK_TIMINGS=1 every traversal prints its samples, marks and seconds on stderr, like
// the headless renderer, so the two can be compared.
bool timingsWanted() {
  return qEnvironmentVariable("ORBISK_TIMINGS") == QLatin1String("1");
}

}  // namespace

RenderDriver::RenderDriver(RenderState& state, const PictureParams& params, Surface& surface,
                           const int16_t& stopflag, QObject* parent)
    : QObject(parent), state_(state), params_(params), surface_(surface), stopflag_(stopflag) {
  // A zero-interval timer fires once per event-loop turn after pending input has been handled:
  // that is the yield at the start of every column.
  turnTimer_.setInterval(0);
  connect(&turnTimer_, &QTimer::timeout, this, &RenderDriver::runOneTurn);
}

RenderDriver::~RenderDriver() = default;

void RenderDriver::begin() {
  if (job_) return;  // two traversals never overlap
  job_ = std::make_unique<RenderJob>(state_, params_, surface_);
  job_->start();
  columnsDone_ = 0;
  completed_ = false;
  sinceBegin_.start();
  sinceRepaint_.start();
  turnTimer_.start();
}

bool RenderDriver::runOneTurn() {
  if (!job_) return false;
  // The user's Stop was handled in the yield just before this turn: end before the column.
  if (stopflag_ == -1) {
    finish(false);
    return false;
  }
  if (job_->hasColumns()) {
    job_->stepColumn();
    ++columnsDone_;
    emit columnDone(job_->progress());
    if (sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
      sinceRepaint_.restart();
      emit repaintDue();
    }
  }
  // The end steps follow the last column at once, without another yield.
  if (!job_->hasColumns()) {
    finish(true);
    return false;
  }
  return true;
}

void RenderDriver::finish(bool completed) {
  turnTimer_.stop();
  completed_ = completed;
  if (timingsWanted()) {
    std::fprintf(stderr, "orbisk: %llu samples, %llu marks, %.3f s\n",
                 static_cast<unsigned long long>(job_->samples()),
                 static_cast<unsigned long long>(job_->marks()), sinceBegin_.nsecsElapsed() / 1e9);
  }
  job_.reset();
  emit repaintDue();
  // Listeners may start the next traversal from here, so nothing of this one is touched after.
  emit ended();
}

}  // namespace orbisk
