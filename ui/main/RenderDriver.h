// Steps the session's run from the window's event loop: one column per event-loop turn, so
// menus, editors and Stop stay usable while a picture grows.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "session/Session.h"

namespace orbisk {

class RenderDriver : public QObject {
  Q_OBJECT

 public:
  explicit RenderDriver(Session& session, QObject* parent = nullptr);
  ~RenderDriver() override;

  // Lets the event loop run the columns of the run the session has just started.
  void begin();
  // One turn: the stop check, then one column. Returns whether the traversal goes on. The event
  // loop calls it through a zero-interval timer; tests call it directly to step turn by turn.
  bool runOneTurn();

  bool isRunning() const { return session_.isRunning(); }
  // Columns computed by the current traversal, or by the last one once it has ended.
  int columnsDone() const { return session_.columnsDone(); }
  // Whether the last traversal ran through all its columns; false when a stop ended it.
  bool completed() const { return session_.completed(); }

 signals:
  // After every column, with the job's progress.
  void columnDone(const orbisk::RenderProgress& progress);
  // At most about 60 times a second while columns are drawn, and once when the traversal ends.
  void repaintDue();
  // The traversal is over (columns exhausted or stop noticed).
  void ended(const orbisk::RunEnd& end);

 private:
  Session& session_;
  QTimer turnTimer_;
  QElapsedTimer sinceRepaint_;
  QElapsedTimer sinceBegin_;  // for the ORBISK_TIMINGS=1 line at the end of a traversal
};

}  // namespace orbisk
