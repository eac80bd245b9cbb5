// Pictures rendered on worker threads, one thread per core: each picture with its own record,
// working values and canvas, so nothing is shared between two of them while they render.
#pragma once

#include <QImage>
#include <QObject>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "render/run/WholePicture.h"

namespace orbisk {

// Renders a batch of pictures on worker threads and hands each finished picture back through a
// queued signal; a worker never touches a widget. Starting a new batch or stopping drops the
// unfinished work of the current one at once: the workers notice it before their next column,
// and the call returns only when every worker has ended.
class RenderWorkers : public QObject {
  Q_OBJECT

 public:
  // threads: how many pictures render at the same time; 0 or less for one per core.
  explicit RenderWorkers(int threads = 0, QObject* parent = nullptr);
  ~RenderWorkers() override;  // stops and waits, so no worker outlives its owner

  // Drops the current batch and starts rendering these orders. Returns the new batch's number,
  // which every signal of the batch carries; signals of an older batch may still arrive.
  int start(std::vector<PictureOrder> orders);
  // Drops the current batch and waits until no worker runs.
  void stop();
  // Waits until every picture of the current batch is done or the batch was stopped.
  void wait();

  // How often a picture still rendering is shown as drawn so far (drawnSoFar()): at most once per
  // this interval, the first time one interval after its start, so a quick picture shows none;
  // zero shows every progress step. Takes effect from the next start().
  void setSnapshotInterval(std::chrono::milliseconds interval) { snapshotInterval_ = interval; }

  int threadCount() const { return threadCount_; }
  // True from start() until the batch's workers are joined by wait() or stop(); a thread that
  // is joined has ended.
  bool hasThreads() const { return !threads_.empty(); }

 signals:
  // A picture's progress: columns done and the columns of the whole run.
  void progressed(int batch, int index, int done, int total);
  // A picture still rendering, as drawn so far (a copy of its canvas).
  void drawnSoFar(int batch, int index, const QImage& image);
  // A picture is complete.
  void finished(int batch, int index, const QImage& image);

 private:
  struct Batch;
  void work(const std::shared_ptr<Batch>& batch);

  int threadCount_ = 1;                              // workers per batch, at least 1
  int batchNumber_ = 0;                              // number of the current batch
  std::chrono::milliseconds snapshotInterval_{500};  // between two drawnSoFar() of a picture
  std::shared_ptr<Batch> batch_;                     // the current batch, shared with its workers
  std::vector<std::thread> threads_;  // the current batch's workers, joined before the next
};

}  // namespace orbisk
