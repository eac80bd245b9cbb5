#include "io/FilmJob.h"

#include <QFile>
#include <exception>
#include <new>

#include "io/FilmMaker.h"
#include "io/ShownText.h"

namespace orbisk {

FilmJob::FilmJob(QObject* parent) : QObject(parent) {
  collector_.setInterval(40);
  connect(&collector_, &QTimer::timeout, this, &FilmJob::collect);
}

FilmJob::~FilmJob() {
  cancel_ = true;
  join();
}

bool FilmJob::start(FilmRequest request) {
  if (running_) return false;
  join();
  cancel_ = false;
  done_ = false;
  framesDone_ = 0;
  shownFrames_ = -1;
  error_.clear();
  frames_ = request.film.path.frames;
  running_ = true;
  worker_ = std::thread([this, request = std::move(request)] {
    std::string error;
    try {
      error = makePathFilm(
          request.film, request.format, QFile::encodeName(request.path).toStdString(), 0,
          request.film.path.frames, &cancel_, [this](int done) { framesDone_.store(done); });
    } catch (const std::bad_alloc&) {
      error = "There is not enough memory to make this film; nothing was written.";
    } catch (const std::exception& e) {  // nothing may escape the thread
      error = "The film cannot be made: " + shownText(e.what()) + "; nothing was written.";
    }
    error_ = cancel_ ? std::string() : error;
    done_.store(true, std::memory_order_release);
  });
  collector_.start();
  return true;
}

void FilmJob::cancel() {
  cancel_ = true;
}

void FilmJob::join() {
  if (worker_.joinable()) worker_.join();
}

void FilmJob::collect() {
  if (!running_) return;
  const int done = framesDone_.load();
  if (done != shownFrames_) {
    shownFrames_ = done;
    emit progressed(done, frames_);
  }
  if (!done_.load(std::memory_order_acquire)) return;
  join();
  collector_.stop();
  running_ = false;
  const QString error = QString::fromStdString(error_);
  emit finished(error.isEmpty() && !cancel_, error);
}

}  // namespace orbisk
