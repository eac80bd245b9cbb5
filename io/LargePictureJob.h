// "Save large picture..." and the history's "Save picture as...": a picture drawn again from its
// record, K times larger or at its own size, and written to a file on a worker thread while the
// window stays usable.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

#include "render/surfaces/ComposedMask.h"
#include "session/DrawnPicture.h"

namespace orbisk {

// Everything one large picture needs; the worker owns this copy alone.
struct LargePictureRequest {
  DrawnPicture picture;  // what to draw: the record and start values of the canvas's run
  int scale = 2;         // 2..8 in the program; 1 is accepted too
  ComposedMask filters;  // the filters applied to the canvas since the picture was drawn
  QString path;          // the file to write
  QByteArray format;     // "PNG" or "BMP"
};

// Draws one large picture at a time on its own thread, with its own working state, record copy
// and canvas; it never touches a widget or the main window's canvas. The worker shares only
// atomics with the owning thread: a timer of the owning thread collects its progress and its
// result, so the signals are emitted there (the user-interface thread), and no Qt object is
// handed between threads.
class LargePictureJob : public QObject {
  Q_OBJECT

 public:
  explicit LargePictureJob(QObject* parent = nullptr);
  // Cancels a picture in progress and waits for its thread: no thread outlives its job.
  ~LargePictureJob() override;

  // Starts the worker. Returns false, and does nothing, while another picture is in progress.
  bool start(LargePictureRequest request);
  // Asks the worker to stop before its next column; nothing is written afterwards.
  void cancel();
  // Cancels and waits for the worker to end (its finished signal is then not emitted).
  void cancelAndWait();
  bool isRunning() const { return running_; }

  // For tests: called on the worker thread after every column with the number of columns done.
  void setColumnHook(std::function<void(int)> hook) { columnHook_ = std::move(hook); }

 signals:
  void progressed(int percent);  // 0..100, whenever the whole percentage changes
  // The worker is done: written says whether the file was written; error is one line, empty
  // after success and after a cancel.
  void finished(bool written, const QString& error);

 private:
  struct Outcome {
    bool written = false;  // the file is complete and in place
    QString error;         // one line; empty after success or a cancel
  };
  // The worker's whole task.
  Outcome draw(const LargePictureRequest& request);
  // Owning thread, on the timer: passes on the progress, and the result once the worker is done.
  void collect();
  void join();

  std::thread worker_;
  QTimer collector_;                     // runs while a picture is in progress
  std::atomic<bool> cancel_ = false;     // set by the owning thread, read by the worker
  std::atomic<int> percent_ = 0;         // written by the worker
  std::atomic<bool> done_ = false;       // set by the worker once outcome_ is final
  Outcome outcome_;                      // the worker's until done_, then the owning thread's
  bool running_ = false;                 // owning thread only: between start and finished
  int shownPercent_ = -1;                // owning thread only: the last percentage signalled
  std::function<void(int)> columnHook_;  // set before start; called on the worker
};

}  // namespace orbisk
