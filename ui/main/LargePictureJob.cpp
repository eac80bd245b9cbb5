#include "ui/main/LargePictureJob.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <exception>
#include <new>

#include "render/ScaledSurface.h"

namespace orbisk {

namespace {

// A file whose writes fail once the picture is cancelled, so that a long encoding stops within
// a few kilobytes instead of running to its end.
class CancellableSaveFile : public QSaveFile {
 public:
  CancellableSaveFile(const QString& path, const std::atomic<bool>& cancel)
      : QSaveFile(path), cancel_(cancel) {}

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    if (cancel_.load(std::memory_order_relaxed)) return -1;
    return QSaveFile::writeData(data, length);
  }

 private:
  const std::atomic<bool>& cancel_;
};

}  // namespace

LargePictureJob::LargePictureJob(QObject* parent) : QObject(parent) {}

LargePictureJob::~LargePictureJob() {
  cancelAndWait();
}

bool LargePictureJob::start(LargePictureRequest request) {
  if (running_) return false;
  join();  // the thread of the last picture, which has posted its result and is ending
  cancel_ = false;
  running_ = true;
  const int generation = ++generation_;
  worker_ = std::thread([this, generation, request = std::move(request)] {
    const Outcome outcome = draw(request, generation);
    // Back on the owning thread; dropped if the job is gone or abandoned the picture meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this, generation, outcome] {
          if (generation != generation_) return;
          running_ = false;
          join();
          emit finished(outcome.written, outcome.error);
        },
        Qt::QueuedConnection);
  });
  return true;
}

void LargePictureJob::cancel() {
  cancel_ = true;
}

void LargePictureJob::cancelAndWait() {
  cancel_ = true;
  join();
  if (running_) ++generation_;  // whatever the worker posted is dropped
  running_ = false;
}

void LargePictureJob::join() {
  if (worker_.joinable()) worker_.join();
}

void LargePictureJob::postProgress(int generation, int percent) {
  QMetaObject::invokeMethod(
      this,
      [this, generation, percent] {
        if (generation == generation_ && running_) emit progressed(percent);
      },
      Qt::QueuedConnection);
}

LargePictureJob::Outcome LargePictureJob::draw(const LargePictureRequest& request, int generation) {
  const DrawnRun& run = request.picture;
  const LargePictureSpec spec{request.scale, run.width,   run.height,
                              run.penWidth,  run.penMode, run.background};
  const int scale = clampScale(spec.scale);
  const QString noMemory = QString("There is not enough memory for a picture of %1 x %2 pixels.")
                               .arg(run.width * scale)
                               .arg(run.height * scale);
  const QString shownPath = QDir::toNativeSeparators(request.path);
  try {
    std::unique_ptr<RasterCanvas> canvas = makeLargeCanvas(spec);
    if (!canvas) return {false, noMemory};
    RenderState state = run.startState;
    int columns = 0;
    int shownPercent = -1;
    const bool complete = drawLargePicture(
        run.params, state, *canvas, spec, &cancel_, [&](const RenderProgress& progress) {
          ++columns;
          if (columnHook_) columnHook_(columns);
          const double part = progress.maximum > 0 ? progress.value / progress.maximum : 1.0;
          const int percent = std::clamp(static_cast<int>(part * 100), 0, 100);
          if (percent != shownPercent) {
            shownPercent = percent;
            postProgress(generation, percent);
          }
        });
    if (!complete) return {};
    request.filters.applyTo(*canvas);

    // Encoded straight from the canvas's pixels: the writers convert row by row, so the
    // picture is never held twice.
    const QImage image(reinterpret_cast<const uchar*>(canvas->bits()), canvas->width(),
                       canvas->height(), static_cast<qsizetype>(canvas->width()) * 4,
                       QImage::Format_RGB32);
    if (image.isNull()) return {false, noMemory};
    // Written beside the target and renamed over it only when complete: a failed or cancelled
    // picture leaves nothing behind, and an existing file is never left truncated.
    CancellableSaveFile file(request.path, cancel_);
    if (!file.open(QIODevice::WriteOnly)) {
      return {
          false,
          QString("The picture \"%1\" cannot be written: %2.").arg(shownPath, file.errorString())};
    }
    QImageWriter writer(&file, request.format);
    const bool encoded = writer.write(image);
    if (cancel_) {
      file.cancelWriting();
      return {};
    }
    if (!encoded) {
      file.cancelWriting();
      return {false, QString("The picture \"%1\" cannot be written: %2.")
                         .arg(shownPath, writer.errorString())};
    }
    if (!file.commit()) {
      return {
          false,
          QString("The picture \"%1\" cannot be written: %2.").arg(shownPath, file.errorString())};
    }
    return {true, {}};
  } catch (const std::bad_alloc&) {
    return {false, noMemory};
  } catch (const std::exception& e) {  // nothing may escape the thread
    return {false, QString("The picture \"%1\" cannot be written: %2.")
                       .arg(shownPath, QString::fromLocal8Bit(e.what()))};
  }
}

}  // namespace orbisk
