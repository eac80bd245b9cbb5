#include "io/FilmMaker.h"

#include "io/FilmFrameWorkers.h"
#include "io/FilmOutput.h"
#include "io/RedrawPicture.h"
#include "model/DataFile.h"

namespace orbisk {

namespace {

std::string recordLine(const PictureParams& params) {
  std::string line = formatRecord(params);
  line.erase(line.find_last_not_of("\r\n") + 1);
  return line;
}

}  // namespace

std::string makePathFilm(const FilmDescription& film, FilmFormat format, const std::string& path,
                         int first, int count, const std::atomic<bool>* cancel,
                         const std::function<void(int)>& frameDone) {
  std::string error = checkFilmPath(film.path);
  if (!error.empty()) return error;
  const CanvasSetup canvas = orderToRedraw(film.path.keyframes.front()).canvas;
  FilmOutput output;
  if (!output.open(format, path, film, canvas.width * canvas.scale, canvas.height * canvas.scale,
                   error))
    return error;
  const FilmPath& frames = film.path;
  FilmFrameWorkers workers(
      first, count, filmThreads(),
      [&frames](int index, RasterCanvas& canvas, const std::atomic<bool>& stop) {
        renderWholePicture(orderToRedraw(filmFrame(frames, index)), canvas, &stop);
      },
      cancel);
  for (int index = first; const RasterCanvas* frame = workers.next(); ++index) {
    if (cancel && cancel->load()) return kFilmCancelled;
    const DrawnPicture drawn = filmFrame(frames, index);
    if (!output.add({index, frameFileName(index), -1, recordLine(drawn.params)}, *frame, drawn,
                    error))
      return error;
    if (frameDone) frameDone(index - first + 1);
  }
  if (cancel && cancel->load()) return kFilmCancelled;
  if (!output.finish(error)) return error;
  return {};
}

}  // namespace orbisk
