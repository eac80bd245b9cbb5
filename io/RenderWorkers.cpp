#include "io/RenderWorkers.h"

#include <QThread>
#include <algorithm>
#include <chrono>

#include "io/CanvasImage.h"

namespace orbisk {

// What the workers of one batch share: the orders (read only), the next order to take and the
// cancel flag. Each worker copies its order's record and working values before it renders.
struct RenderWorkers::Batch {
  int number = 0;                                 // the batch number the signals carry
  std::vector<PictureOrder> orders;               // never changed while workers run
  std::atomic<int> next{0};                       // index of the next order nobody has taken
  std::atomic<bool> cancel{false};                // set to drop the batch
  std::chrono::milliseconds snapshotInterval{0};  // between two drawnSoFar() of a picture
};

RenderWorkers::RenderWorkers(int threads, QObject* parent)
    : QObject(parent),
      threadCount_(threads > 0 ? threads : std::max(1, QThread::idealThreadCount())) {}

RenderWorkers::~RenderWorkers() {
  stop();
}

int RenderWorkers::start(std::vector<PictureOrder> orders) {
  stop();
  auto batch = std::make_shared<Batch>();
  batch->number = ++batchNumber_;
  batch->orders = std::move(orders);
  batch->snapshotInterval = snapshotInterval_;
  batch_ = batch;
  const int workers = std::min<int>(threadCount_, static_cast<int>(batch->orders.size()));
  for (int i = 0; i < workers; ++i) {
    threads_.emplace_back([this, batch] { work(batch); });
  }
  return batch->number;
}

void RenderWorkers::stop() {
  if (batch_) batch_->cancel.store(true);
  wait();
}

void RenderWorkers::wait() {
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

void RenderWorkers::work(const std::shared_ptr<Batch>& batch) {
  RasterCanvas canvas(0, 0);  // reused by every picture this worker renders
  for (;;) {
    if (batch->cancel.load()) return;
    const int index = batch->next.fetch_add(1);
    if (index >= static_cast<int>(batch->orders.size())) return;
    const PictureOrder& order = batch->orders[static_cast<std::size_t>(index)];
    // Progress in about a hundred steps, not once per column; a long render is shown as drawn
    // so far now and then, between two columns, where the canvas is this worker's alone.
    int reported = -1;
    auto lastShown = std::chrono::steady_clock::now();
    const auto progress = [&](const RenderJob& job) {
      const RenderProgress& p = job.progress();
      const int total = std::max(1, static_cast<int>(p.maximum));
      const int done = std::min(total, static_cast<int>(p.value));
      const int percent = done * 100 / total;
      if (percent == reported) return;
      reported = percent;
      emit progressed(batch->number, index, done, total);
      const auto now = std::chrono::steady_clock::now();
      if (now - lastShown >= batch->snapshotInterval) {
        lastShown = now;
        emit drawnSoFar(batch->number, index, imageOfCanvas(canvas));
      }
    };
    if (!renderWholePicture(order, canvas, &batch->cancel, progress)) return;
    emit finished(batch->number, index, imageOfCanvas(canvas));
  }
}

}  // namespace orbisk
