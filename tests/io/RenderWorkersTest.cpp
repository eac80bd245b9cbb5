// Pictures rendered on several worker threads at once equal the same pictures rendered one by
// one on this thread, and a stopped batch leaves no worker behind.
#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <mutex>

#include "io/CanvasImage.h"
#include "io/RenderWorkers.h"
#include "render/random/RandomCombination.h"

namespace orbisk {
namespace {

QImage renderedAlone(const PictureOrder& order) {
  RasterCanvas canvas(0, 0);
  EXPECT_TRUE(renderWholePicture(order, canvas));
  return imageOfCanvas(canvas);
}

// Twelve combinations on a canvas set up unlike the defaults, all starting from one orbit state
// left by an earlier run.
std::vector<PictureOrder> twelveOrders() {
  PictureOrder base;
  base.canvas = {317, 211, 0x203040, 4, PenMode::InvertedCopy};
  base.params.detailstep = 4;
  RasterCanvas earlier(0, 0);
  renderWholePicture(base, earlier, nullptr, {}, &base.state);  // leaves R and the rest
  std::vector<PictureOrder> orders;
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    PictureOrder order = base;
    applyCombination(order.params, drawRandomCombination(seed));
    orders.push_back(order);
  }
  return orders;
}

TEST(RenderWorkers, EachPictureEqualsItsOrderRenderedAlone) {
  const std::vector<PictureOrder> orders = twelveOrders();
  RenderWorkers workers(3);
  std::mutex lock;
  std::map<int, QImage> images;
  QObject::connect(
      &workers, &RenderWorkers::finished, &workers,
      [&](int, int index, const QImage& image) {
        const std::lock_guard<std::mutex> hold(lock);
        images[index] = image;
      },
      Qt::DirectConnection);
  workers.start(orders);
  workers.wait();
  ASSERT_EQ(images.size(), orders.size());
  for (std::size_t i = 0; i < orders.size(); ++i)
    EXPECT_EQ(images[static_cast<int>(i)], renderedAlone(orders[i])) << "picture " << i;
}

TEST(RenderWorkers, StopAndANewBatchLeaveNoWorkerOfTheOldOne) {
  std::vector<PictureOrder> large = twelveOrders();
  for (PictureOrder& order : large) {
    order.params.detailstep = 1;
    order.params.borderlen = 10;
    order.params.widthfac = 10;
  }
  std::atomic<int> oldBatchFinished{0};
  RenderWorkers workers(2);
  int first = 0;
  QObject::connect(
      &workers, &RenderWorkers::finished, &workers,
      [&](int batch, int, const QImage&) {
        if (batch == first) ++oldBatchFinished;
      },
      Qt::DirectConnection);
  first = workers.start(large);
  const int second = workers.start(twelveOrders());  // drops the first batch
  EXPECT_NE(first, second);
  const int finishedBefore = oldBatchFinished.load();
  workers.wait();
  EXPECT_EQ(oldBatchFinished.load(), finishedBefore);  // nothing of it ran on
  workers.start(large);
  EXPECT_TRUE(workers.hasThreads());
  workers.stop();
  EXPECT_FALSE(workers.hasThreads());
}

}  // namespace
}  // namespace orbisk
