// Pictures rendered on several worker threads at once equal the same pictures rendered one by
// one on this thread, and a stopped batch leaves no worker behind.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
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

// A picture still rendering is shown as drawn so far: copies of its canvas between columns,
// partial at first, that grow into the finished picture.
TEST(RenderWorkers, APictureIsShownAsDrawnSoFarWhileItRenders) {
  PictureOrder order = twelveOrders()[0];
  order.canvas.penMode = PenMode::Copy;  // so nothing drawn is taken away again
  RenderWorkers workers(1);
  workers.setSnapshotInterval(std::chrono::milliseconds(0));
  std::vector<QImage> drawn;  // only the one worker appends, and the test reads after wait()
  QObject::connect(
      &workers, &RenderWorkers::drawnSoFar, &workers,
      [&](int, int index, const QImage& image) {
        EXPECT_EQ(index, 0);
        drawn.push_back(image);
      },
      Qt::DirectConnection);
  workers.start({order});
  workers.wait();
  const QImage finished = renderedAlone(order);
  ASSERT_GE(drawn.size(), 2u);
  // Pixels that already hold the finished picture's colour.
  const auto done = [&](const QImage& copy) {
    int same = 0;
    for (int y = 0; y < finished.height(); ++y) {
      for (int x = 0; x < finished.width(); ++x) same += copy.pixel(x, y) == finished.pixel(x, y);
    }
    return same;
  };
  for (const QImage& copy : drawn) ASSERT_EQ(copy.size(), finished.size());
  EXPECT_NE(drawn.front(), finished);  // partial
  EXPECT_LT(done(drawn.front()), done(drawn.back()));
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
