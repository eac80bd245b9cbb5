// Drives one render job from the window's event loop: one column per event-loop turn, so menus,
// editors and Stop stay usable while a picture grows.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "model/PictureParams.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/Surface.h"

namespace orbisk {

class RenderDriver : public QObject {
  Q_OBJECT

 public:
  // The job reads params and draws on surface; working values stay in state from run to run.
  // A turn that finds stopflag at -1 ends the traversal before its column.
  RenderDriver(RenderState& state, const PictureParams& params, Surface& surface,
               const int16_t& stopflag, QObject* parent = nullptr);
  ~RenderDriver() override;

  // Computes the run constants and the traversal limits, then lets the event loop run the
  // columns. Only call while idle.
  void begin();
  // One turn: the stop check, then one column. Returns whether the traversal goes on. The event
  // loop calls it through a zero-interval timer; tests call it directly to step turn by turn.
  bool runOneTurn();

  bool isRunning() const { return job_ != nullptr; }
  // Columns computed by the current traversal, or by the last one once it has ended.
  int columnsDone() const { return columnsDone_; }
  // Whether the last traversal ran through all its columns; false when a stop ended it.
  bool completed() const { return completed_; }

 signals:
  // After every column, with the job's progress.
  void columnDone(const orbisk::RenderProgress& progress);
  // At most about 60 times a second while columns are drawn, and once when the traversal ends.
  void repaintDue();
  // The traversal is over (columns exhausted or stop noticed); the job is gone.
  void ended();

 private:
  void finish(bool completed);

  RenderState& state_;
  const PictureParams& params_;
  Surface& surface_;
  const int16_t& stopflag_;
  std::unique_ptr<RenderJob> job_;
  QTimer turnTimer_;
  QElapsedTimer sinceRepaint_;
  QElapsedTimer sinceBegin_;  // for the ORBISK_TIMINGS=1 line at the end of a traversal
  int columnsDone_ = 0;
  bool completed_ = false;  // see completed()
};

}  // namespace orbisk
