#include "cli/AnimateCommand.h"

#include <unistd.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <map>
#include <new>
#include <system_error>

#include "cli/PictureToDraw.h"
#include "io/FilmFolder.h"
#include "io/FilmMaker.h"
#include "io/FilmOutput.h"
#include "io/PictureFile.h"
#include "io/RedrawPicture.h"
#include "io/ShownText.h"
#include "io/UserFile.h"
#include "model/DataFile.h"
#include "render/run/WholePicture.h"
#include "session/FilmText.h"

namespace orbisk {

namespace {

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

std::string recordLine(const PictureParams& params) {
  std::string line = formatRecord(params);
  line.erase(line.find_last_not_of("\r\n") + 1);
  return line;
}

// Whether OUT names one of the inputs: the film would take that picture's place.
bool replacesInput(const AnimateOptions& options) {
  std::error_code outError;
  const auto out = std::filesystem::weakly_canonical(options.outputPath, outError);
  for (const std::string& input : options.inputs) {
    std::error_code inError;
    const auto in = std::filesystem::weakly_canonical(input, inError);
    if (!outError && !inError && in == out) return true;
  }
  return false;
}

// "12 of 48 frames" on a terminal, written over itself as the frames come.
class Progress {
 public:
  Progress(std::FILE* err, int total) : err_(err), total_(total), shown_(isatty(fileno(err))) {}
  ~Progress() {
    if (shown_ && started_) std::fprintf(err_, "\n");
  }
  void frame(int done) {
    if (!shown_) return;
    started_ = true;
    if (total_ > 0)
      std::fprintf(err_, "\r%d of %d frames", done, total_);
    else
      std::fprintf(err_, "\r%d frames", done);
    std::fflush(err_);
  }

 private:
  std::FILE* err_;        // where the count goes
  int total_;             // frames to make, 0 when not known beforehand
  bool shown_;            // err is a terminal
  bool started_ = false;  // a count is on the line, to be ended at the end
};

// The reader's note on fields that count as 0 goes to err, as for a single picture.
bool readKeyframes(const AnimateOptions& options, FilmDescription& film, std::string& error,
                   std::FILE* err) {
  for (const std::string& input : options.inputs) {
    DrawnPicture picture;
    std::string note;
    if (!readPictureToDraw(input, picture, error, note)) return false;
    if (!note.empty()) std::fprintf(err, "orbisk-render: %s\n", note.c_str());
    picture.params.detailstep = picture.detailstep;
    picture.scale = static_cast<int16_t>(film.scale);
    film.path.keyframes.push_back(picture);
  }
  return true;
}

std::string sliceNote(const AnimateOptions& options) {
  if (!options.sliced) return {};
  return " (frames " + std::to_string(options.first) + " to " +
         std::to_string(options.first + options.count - 1) + ")";
}

int makePathFilmInto(const AnimateOptions& options, FilmDescription& film, std::FILE* err) {
  const int first = options.sliced ? options.first : 0;
  const int count = options.sliced ? options.count : film.path.frames;
  Progress progress(err, count);
  const std::string error = makePathFilm(film, options.format, options.outputPath, first, count,
                                         nullptr, [&](int done) { progress.frame(done); });
  if (!error.empty()) return fail(err, error);
  std::fprintf(err, "orbisk-render: wrote %d frames%s to %s\n", count, sliceNote(options).c_str(),
               displayPath(options.outputPath).c_str());
  return 0;
}

int makeGrowingFilm(const AnimateOptions& options, const FilmDescription& film, std::FILE* err) {
  const DrawnPicture& picture = film.path.keyframes.front();
  const PictureOrder order = orderToRedraw(picture);
  RasterCanvas canvas(0, 0);
  WholePicture whole(order, canvas);
  FilmOutput output;
  std::string error;
  if (!output.open(options.format, options.outputPath, film, canvas.width(), canvas.height(),
                   error))
    return fail(err, error);
  const int first = options.sliced ? options.first : 0;
  const int end = options.sliced ? options.first + options.count : FilmPath::kMaxFrames;
  const std::string record = recordLine(picture.params);
  Progress progress(err, 0);
  int index = 0, written = 0;
  for (bool growing = true; growing && index < end; ++index) {
    growing = whole.step(film.every);
    if (index < first) continue;
    // Only the finished picture is what its record draws; the frames before carry none.
    const FilmIndexLine line{index, frameFileName(index), growing ? whole.columnsDone() : -1,
                             record};
    if (!output.add(line, canvas, growing ? std::nullopt : std::optional(picture), error))
      return fail(err, error);
    progress.frame(++written);
  }
  if (!options.sliced && !whole.finished())
    return fail(err, "the growing picture takes more than " + std::to_string(FilmPath::kMaxFrames) +
                         " frames; choose a larger --every");
  if (written == 0)
    return fail(err, "--first " + std::to_string(first) +
                         " is past the growing picture's last frame (" + std::to_string(index - 1) +
                         ")");
  if (!output.finish(error)) return fail(err, error);
  std::fprintf(err, "orbisk-render: wrote %d frames%s to %s\n", written, sliceNote(options).c_str(),
               displayPath(options.outputPath).c_str());
  return 0;
}

int joinFilm(const AnimateOptions& options, std::FILE* err) {
  std::string filmText;
  std::map<int, std::pair<std::string, FilmIndexLine>> frames;  // number -> folder and line
  for (const std::string& folder : options.inputs) {
    FilmFolderRead read = readFilmFolder(folder);
    if (!read.ok) return fail(err, read.error);
    if (!filmText.empty() && read.filmText != filmText)
      return fail(err, "the folder " + displayPath(folder) + " holds frames of another film");
    filmText = read.filmText;
    for (FilmIndexLine& line : read.frames) {
      const int number = line.frame;
      if (!frames.emplace(number, std::pair{folder, std::move(line)}).second)
        return fail(err, "frame " + std::to_string(number) + " is in more than one folder");
    }
  }
  std::string why;
  const std::optional<FilmDescription> film = parseFilmText(filmText, &why);
  if (!film)
    return fail(err, displayPath(options.inputs.front() + "/" + kFilmTextFile) + ": " + why);
  const bool grow = film->kind == FilmDescription::Kind::Grow;
  const int count = static_cast<int>(frames.size());
  for (int i = 0; i < count; ++i) {
    if (!frames.contains(i)) return fail(err, "frame " + std::to_string(i) + " is missing");
    const bool finished = frames.at(i).second.columns < 0;
    if (grow && finished != (i == count - 1))
      return fail(err, grow && i == count - 1 ? "the growing picture's last frames are missing"
                                              : "frame " + std::to_string(i) +
                                                    " is not where a finished picture belongs");
  }
  if (!grow && count != film->path.frames)
    return fail(err, "the film has " + std::to_string(film->path.frames) + " frames, the folders " +
                         std::to_string(count));
  DrawnPicture shape = film->path.keyframes.front();
  shape.scale = static_cast<int16_t>(film->scale);
  const CanvasSetup canvas = orderToRedraw(shape).canvas;
  const int width = canvas.width * canvas.scale, height = canvas.height * canvas.scale;
  FilmOutput output;
  std::string error;
  if (!output.open(options.format, options.outputPath, *film, width, height, error))
    return fail(err, error);
  Progress progress(err, count);
  for (const auto& [number, place] : frames) {
    const std::string path = place.first + "/" + place.second.file;
    PictureRead read = readPictureFile(QString::fromLocal8Bit(path.c_str()), QSize(width, height));
    if (!read.ok) return fail(err, read.error.toLocal8Bit().toStdString());
    if (read.fullSize != QSize(width, height))
      return fail(err, displayPath(path) + " is not " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels like the film's frames");
    const QImage image = read.image.convertToFormat(QImage::Format_RGB32);
    if (!output.add(reinterpret_cast<const uint32_t*>(image.constBits()),
                    static_cast<int>(image.bytesPerLine() / 4), error))
      return fail(err, error);
    progress.frame(number + 1);
  }
  if (!output.finish(error)) return fail(err, error);
  std::fprintf(err, "orbisk-render: wrote %d frames to %s\n", count,
               displayPath(options.outputPath).c_str());
  return 0;
}

}  // namespace

int runFilm(const AnimateOptions& options, std::FILE* err) {
  try {
    if (replacesInput(options))
      return fail(err, "the film would replace its own picture " + displayPath(options.outputPath));
    if (options.mode == AnimateOptions::Mode::Join) return joinFilm(options, err);
    FilmDescription film;
    film.kind = options.mode == AnimateOptions::Mode::Path ? FilmDescription::Kind::Path
                                                           : FilmDescription::Kind::Grow;
    film.path.frames = options.frames;
    film.path.easing = options.easing;
    film.every = options.every;
    film.fps = options.fps;
    film.scale = options.scale;
    if (std::string error; !readKeyframes(options, film, error, err)) return fail(err, error);
    return film.kind == FilmDescription::Kind::Path ? makePathFilmInto(options, film, err)
                                                    : makeGrowingFilm(options, film, err);
  } catch (const std::bad_alloc&) {
    return fail(err, "not enough memory to make this film; nothing was written");
  } catch (const std::exception& e) {  // a thread that cannot be had, for one
    return fail(err, "cannot make this film: " + shownText(e.what()) + "; nothing was written");
  }
}

}  // namespace orbisk
