#include "io/LargePictureJob.h"

#include <QDir>
#include <QImage>
#include <algorithm>
#include <exception>
#include <new>
#include <optional>

#include "io/CanvasImage.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "render/run/WholePicture.h"

namespace orbisk {

LargePictureJob::LargePictureJob(QObject* parent) : QObject(parent) {
  // A few looks a second keep the progress moving without waking the window needlessly.
  collector_.setInterval(40);
  connect(&collector_, &QTimer::timeout, this, &LargePictureJob::collect);
}

LargePictureJob::~LargePictureJob() {
  cancelAndWait();
}

bool LargePictureJob::start(LargePictureRequest request) {
  if (running_) return false;
  join();
  cancel_ = false;
  done_ = false;
  percent_ = 0;
  shownPercent_ = -1;
  outcome_ = {};
  running_ = true;
  worker_ = std::thread([this, request = std::move(request)] {
    outcome_ = draw(request);
    done_.store(true, std::memory_order_release);
  });
  collector_.start();
  return true;
}

void LargePictureJob::cancel() {
  cancel_ = true;
}

void LargePictureJob::cancelAndWait() {
  cancel_ = true;
  join();
  collector_.stop();
  running_ = false;
}

void LargePictureJob::join() {
  if (worker_.joinable()) worker_.join();
}

void LargePictureJob::collect() {
  if (!running_) return;
  const int percent = percent_.load(std::memory_order_relaxed);
  if (percent != shownPercent_) {
    shownPercent_ = percent;
    emit progressed(percent);
  }
  if (!done_.load(std::memory_order_acquire)) return;
  join();
  collector_.stop();
  running_ = false;
  const Outcome outcome = std::move(outcome_);
  emit finished(outcome.written, outcome.error);
}

LargePictureJob::Outcome LargePictureJob::draw(const LargePictureRequest& request) {
  // The canvas the run drew on follows from its record: the frame's size, the detail's pen and
  // the pen mode of the colours.
  PictureOrder order = orderToRedraw(request.picture);
  order.canvas.scale = clampScale(request.scale);
  order.filters = request.filters;
  const CanvasSetup& setup = order.canvas;
  const QString noMemory = QString("There is not enough memory for a picture of %1 x %2 pixels.")
                               .arg(setup.width * setup.scale)
                               .arg(setup.height * setup.scale);
  const QString shownPath = QDir::toNativeSeparators(request.path);
  try {
    RasterCanvas canvas(0, 0);
    WholePicture picture(order, canvas);
    const bool complete = picture.run(&cancel_, [&](const RenderJob& job) {
      if (columnHook_) columnHook_(picture.columnsDone());
      const RenderProgress& progress = job.progress();
      const double part = progress.maximum > 0 ? progress.value / progress.maximum : 1.0;
      percent_.store(std::clamp(static_cast<int>(part * 100), 0, 100), std::memory_order_relaxed);
    });
    if (!complete) return {};

    // Encoded straight from the canvas's pixels: the writers convert row by row, so the
    // picture is never held twice.
    QImage image = imageOnCanvas(canvas);
    if (image.isNull()) return {false, noMemory};
    // An unfiltered PNG carries its record with its scale, as every Orbisk PNG does. It is
    // written as every picture the program saves is: encoded into a temporary file that replaces
    // the file only when complete, so a failed or cancelled picture leaves nothing behind and an
    // existing file keeps its permission bits, owner and other hard links.
    std::optional<DrawnPicture> recorded;
    if (request.filters.isIdentity()) {
      recorded = request.picture;
      recorded->scale = static_cast<int16_t>(setup.scale);
    }
    const QString error =
        writeRecordedPicture(request.path, std::move(image), request.format, recorded, &cancel_);
    if (cancel_) return {};
    if (!error.isEmpty()) return {false, error};
    return {true, {}};
  } catch (const std::bad_alloc&) {
    return {false, noMemory};
  } catch (const std::exception& e) {  // nothing may escape the thread
    return {false, QString("The picture \"%1\" cannot be written: %2.")
                       .arg(shownPath, QString::fromLocal8Bit(e.what()))};
  }
}

}  // namespace orbisk
