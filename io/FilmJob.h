// "Make animation...": a film between pictures made on a thread of its own (which draws the
// frames on one worker per core) while the window stays usable; Cancel stops it between two
// frames and leaves nothing behind.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <string>
#include <thread>

#include "io/FilmFormat.h"
#include "session/FilmText.h"

namespace orbisk {

// Everything one film needs; the worker owns this copy alone.
struct FilmRequest {
  FilmDescription film;                  // the keyframes, frames, easing, rate and scale
  FilmFormat format = FilmFormat::WebM;  // what to write
  QString path;                          // the file or folder to write
};

// Like the large pictures' job, the worker shares only atomics with the owning thread, and a
// timer of the owning thread collects its progress and its result, so the signals are emitted on
// the user-interface thread.
class FilmJob : public QObject {
  Q_OBJECT

 public:
  explicit FilmJob(QObject* parent = nullptr);
  // Cancels a film in progress and waits for its threads: no thread outlives its job.
  ~FilmJob() override;

  // Starts the worker. Returns false, and does nothing, while another film is in progress.
  bool start(FilmRequest request);
  // Asks the worker to stop; nothing is written afterwards.
  void cancel();
  bool isRunning() const { return running_; }

 signals:
  void progressed(int framesDone, int frames);  // whenever another frame is written
  // The worker is done: written says whether the film is in place; error is one line, empty
  // after success and after a cancel.
  void finished(bool written, const QString& error);

 private:
  void collect();
  void join();

  std::thread worker_;
  QTimer collector_;                  // runs while a film is in progress
  std::atomic<bool> cancel_ = false;  // set by the owning thread, read by the worker
  std::atomic<int> framesDone_ = 0;   // written by the worker
  std::atomic<bool> done_ = false;    // set by the worker once error_ is final
  std::string error_;                 // the worker's until done_, then the owning thread's
  int frames_ = 0;                    // owning thread only: the film's frames
  int shownFrames_ = -1;              // owning thread only: the last count signalled
  bool running_ = false;              // owning thread only: between start and finished
};

}  // namespace orbisk
