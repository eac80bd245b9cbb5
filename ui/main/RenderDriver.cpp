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

RenderDriver::RenderDriver(Session& session, QObject* parent) : QObject(parent), session_(session) {
  // A zero-interval timer fires once per event-loop turn after pending input has been handled:
  // that is the yield at the start of every column.
  turnTimer_.setInterval(0);
  connect(&turnTimer_, &QTimer::timeout, this, &RenderDriver::runOneTurn);
}

RenderDriver::~RenderDriver() = default;

void RenderDriver::begin() {
  sinceBegin_.start();
  sinceRepaint_.start();
  turnTimer_.start();
}

bool RenderDriver::runOneTurn() {
  if (!session_.isRunning()) return false;
  const int before = session_.columnsDone();
  const std::optional<RunEnd> end = session_.runOneColumn();
  if (session_.columnsDone() != before) {
    emit columnDone(session_.progress());
    if (sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
      sinceRepaint_.restart();
      emit repaintDue();
    }
  }
  if (!end) return true;
  turnTimer_.stop();
  if (timingsWanted()) {
    std::fprintf(stderr, "orbisk: %llu samples, %llu marks, %.3f s\n",
                 static_cast<unsigned long long>(session_.samples()),
                 static_cast<unsigned long long>(session_.marks()),
                 sinceBegin_.nsecsElapsed() / 1e9);
  }
  emit repaintDue();
  // Listeners may start the next traversal from here, so nothing of this one is touched after.
  emit ended(*end);
  return false;
}

}  // namespace orbisk
