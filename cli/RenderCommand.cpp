#include "cli/RenderCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "OrbiskVersion.h"
#include "cli/AnimateCommand.h"
#include "cli/LibraryChatter.h"
#include "cli/PictureToDraw.h"
#include "cli/RandomSurvey.h"
#include "cli/RunDeadline.h"
#include "cli/VariationsCommand.h"
#include "io/CanvasImage.h"
#include "io/PendingFile.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "io/ShownText.h"
#include "model/DataFile.h"
#include "model/FrameSize.h"
#include "render/run/WholePicture.h"
#include "render/surfaces/TraceSurface.h"
#include "session/PictureRecordText.h"

namespace orbisk {

namespace {

constexpr const char* kUsage =
    "usage: orbisk-render [--detail high|low] [--scale 1..8] [--trace FILE] "
    "[--timeout SECONDS] [-o OUT.bmp|OUT.png] [--] DATAFILE|PICTURE.png";

// What --help prints after the usage line: one line per option, then the exit status.
constexpr const char* kHelp =
    R"(Render the picture of an Orbisk data file without a window: what the program
draws after a fresh start, Load data of DATAFILE and one CREATE. Given a PNG that
Orbisk wrote, draw that picture again from the record it carries.

  --detail high|low   sample every pixel (high, default) or every 4th (low)
  --scale K           draw the same picture K times larger (1 to 8, default 1, or
                      the scale a PNG carries)
  --trace FILE        write one line per drawing call to FILE
  --timeout SECONDS   stop a run that takes longer, writing nothing
  -o OUT.bmp|OUT.png  write the picture as a 24-bit BMP or a PNG
  -h, --help          display this help and exit
      --version       output version information and exit

Exit status:
 0  if OK,
 2  if the command line or the data file is bad or a file cannot be written.

Example:
  orbisk-render -o picture.png picture.dat

Versions:
)";

// What the two version numbers a user meets mean.
constexpr const char* kVersions =
    "  " ORBISK_VERSION " is the version of this release and of the record its PNGs carry\n"
    "  (\"program " ORBISK_VERSION "\" in their \"Orbisk record\" text). The caption of the\n"
    "  window and the About box say 4.2: the fixed texts of the program's own screens.\n";

void showProgress(std::FILE* err, const RenderProgress& p) {
  const double fraction = p.maximum > 0 ? std::min(1.0, double(p.value) / p.maximum) : 1.0;
  const int filled = static_cast<int>(fraction * 40);
  std::fprintf(err, "\r[%-40.*s] %3d%%", filled,
               "========================================", static_cast<int>(fraction * 100));
  std::fflush(err);
}

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

// What to draw, at the detail --detail asks for (a PNG's own otherwise, High for a data file).
// The reader's note on fields that count as 0 goes to err, as "Load data" shows it.
bool pictureToDraw(const RenderOptions& options, DrawnPicture& drawn, std::string& error,
                   std::FILE* err) {
  std::string note;
  if (!readPictureToDraw(options.dataFile, drawn, error, note)) return false;
  if (!note.empty()) std::fprintf(err, "orbisk-render: %s\n", note.c_str());
  if (options.detailGiven) drawn.detailstep = options.lowDetail ? 4 : 1;
  drawn.params.detailstep = drawn.detailstep;
  return true;
}

}  // namespace

namespace {

// The outputs of one command: each written under a temporary name, all put in place together
// at the end, so that a failure anywhere leaves neither and keeps the old files.
struct PendingOutputs {
  std::unique_ptr<PendingFile> picture;  // -o, when given
  std::unique_ptr<PendingFile> trace;    // --trace, when given
  std::FILE* traceStream = nullptr;      // the trace's buffered stream, while the run lasts
};

// Whether two names reach one file: the same device and inode when both exist (hard links,
// links, other spellings), the same canonical name when they are still to be made.
bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  const bool firstExists = ::stat(a.c_str(), &first) == 0;
  const bool secondExists = ::stat(b.c_str(), &second) == 0;
  if (firstExists && secondExists)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  if (firstExists != secondExists) return false;
  std::error_code aError, bError;
  const auto canonicalA = std::filesystem::weakly_canonical(a, aError);
  const auto canonicalB = std::filesystem::weakly_canonical(b, bError);
  return !aError && !bError && canonicalA == canonicalB;
}

// Prepares the outputs before the run, so a file that cannot be written is reported at once.
bool openOutputs(const RenderOptions& options, PendingOutputs& outputs, std::string& error) {
  // One file cannot hold both: the picture would be lost under the trace.
  if (!options.outputPath.empty() && !options.tracePath.empty() &&
      sameFile(options.outputPath, options.tracePath)) {
    error = "the picture and the trace cannot go to the same file " +
            quotedName(options.outputPath) + ".";
    return false;
  }
  if (!options.outputPath.empty()) {
    outputs.picture = PendingFile::open(options.outputPath, error);
    if (!outputs.picture) return false;
  }
  if (!options.tracePath.empty()) {
    outputs.trace = PendingFile::open(options.tracePath, error);
    if (!outputs.trace) return false;
    outputs.traceStream = outputs.trace->stream();
    if (!outputs.traceStream) {
      error = outputs.trace->finish();
      return false;
    }
  }
  return true;
}

int renderAndWrite(const RenderOptions& options, std::FILE* err) {
  DrawnPicture drawn;
  if (std::string error; !pictureToDraw(options, drawn, error, err)) return fail(err, error);
  // A picture's own scale applies unless --scale says otherwise.
  if (options.scaleGiven || drawn.scale < 1 || drawn.scale > 8)
    drawn.scale = static_cast<int16_t>(options.scale);

  // The canvas of the frame, or one --scale times larger with a pen as many times wider.
  const PictureOrder order = orderToRedraw(drawn);
  const CanvasSetup& frame = order.canvas;
  RasterCanvas canvas(0, 0);
  std::optional<WholePicture> picture;
  try {
    picture.emplace(order, canvas);
  } catch (const std::bad_alloc&) {
    return fail(err, "not enough memory for a picture of " +
                         std::to_string(frame.width * frame.scale) + " x " +
                         std::to_string(frame.height * frame.scale) + " pixels.");
  }

  PendingOutputs outputs;
  if (std::string error; !openOutputs(options, outputs, error)) return fail(err, error);
  // The trace streams into its file as the run draws: its memory does not grow with its length.
  // It sees the frame's canvas, as the shape stage does; only the drawing is scaled.
  TraceSurface tracer(outputs.traceStream, &picture->target(), frame.width, frame.height);
  if (outputs.traceStream) picture->drawThrough(tracer);

  const bool progressBar = isatty(fileno(err));
  const bool timings =
      std::getenv("ORBISK_TIMINGS") && std::strcmp(std::getenv("ORBISK_TIMINGS"), "1") == 0;
  const auto begin = std::chrono::steady_clock::now();
  uint64_t samples = 0, marks = 0;
  std::atomic<bool> stop = false;
  // The time allowed covers the whole command: drawing, encoding and putting the files in place.
  const RunDeadline deadline(options.timeoutSeconds, stop);
  const bool complete = picture->run(&stop, [&](const RenderJob& job) {
    samples = job.samples();
    marks = job.marks();
    if (progressBar) showProgress(err, job.progress());
    // A trace that can no longer be written ends the run: nothing of it will be kept.
    if (outputs.trace && outputs.trace->failed()) stop = true;
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  if (progressBar) std::fprintf(err, "\n");
  if (timings)
    std::fprintf(err, "orbisk-render: %llu samples, %llu marks, %.3f s\n",
                 static_cast<unsigned long long>(samples), static_cast<unsigned long long>(marks),
                 seconds);
  if (outputs.trace && outputs.trace->failed()) return fail(err, outputs.trace->finish());
  const std::string tooLong = "the run took longer than --timeout " +
                              std::to_string(options.timeoutSeconds) +
                              " seconds; nothing was written.";
  if (!complete) return fail(err, tooLong);

  if (outputs.picture) {
    QImage wrapped = imageOnCanvas(canvas);
    const bool bmp = endsWithIgnoringCase(options.outputPath, ".bmp");
    // The writers store 24 bits per pixel and convert row by row, so the canvas is encoded
    // where it lies: a large picture is never held twice. Every PNG carries the record that
    // drew it.
    QString error;
    {
      const LibraryChatterMuted muted;
      error = encodeRecordedPictureInto(*outputs.picture, std::move(wrapped), bmp ? "BMP" : "PNG",
                                        drawn, &stop);
    }
    if (deadline.passed()) return fail(err, tooLong);
    if (!error.isEmpty()) return fail(err, error.toLocal8Bit().toStdString());
  }
  std::vector<PendingFile*> files;
  for (PendingFile* file : {outputs.picture.get(), outputs.trace.get()})
    if (file) files.push_back(file);
  for (PendingFile* file : files)
    if (std::string error = file->finish(); !error.empty()) return fail(err, error);
  // The last moment the run may still be given up, before any file takes its place.
  if (deadline.passed()) return fail(err, tooLong);
  if (const std::string error = commitTogether(files); !error.empty()) return fail(err, error);
  if (!options.outputPath.empty())
    std::fprintf(err, "orbisk-render: wrote %s.\n", quotedName(options.outputPath).c_str());
  return 0;
}

}  // namespace

int runRender(const RenderOptions& options, std::FILE* err) {
  try {
    if (options.explore.given()) return runExplore(options, err);
    return options.survey.count > 0 ? runRandomSurvey(options, err) : renderAndWrite(options, err);
  } catch (const std::bad_alloc&) {
    // Every output is still under its temporary name, and unwinding removed it.
    return fail(err, "not enough memory to draw and write this picture; nothing was written.");
  } catch (const std::exception& e) {  // a thread that cannot be had, for one
    return fail(err, "cannot draw this picture: " + shownText(e.what()) + "; nothing was written.");
  }
}

int renderCommand(int argc, char** argv, std::FILE* err) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // --help and --version win over everything else on the line, as with the common GNU tools;
  // after "--" they are file names.
  const auto optionsEnd = std::find(args.begin(), args.end(), std::string("--"));
  for (const std::string& a : std::vector<std::string>(args.begin(), optionsEnd)) {
    if (a == "--help" || a == "-h") {
      std::fprintf(stdout, "%s\n%s\n%s\n%s\n%s\n%s\n", kUsage, kRandomUsage, kExploreUsage,
                   kAnimateUsage, kGrowUsage, kJoinUsage);
      std::fprintf(stdout, "%s%s", kHelp, kVersions);
      std::fprintf(stdout, "%s%s%s", kRandomHelp, kExploreHelp, kAnimateHelp);
      return 0;
    }
  }
  for (const std::string& a : std::vector<std::string>(args.begin(), optionsEnd)) {
    if (a == "--version") {
      std::fprintf(stdout, "orbisk-render (Orbisk) %s\n%s", ORBISK_VERSION, kVersions);
      return 0;
    }
  }
  if (isFilmCommand(args)) {
    AnimateOptions film;
    if (std::string error = parseAnimateOptions(args, film); !error.empty()) {
      const char* usage = film.mode == AnimateOptions::Mode::Path   ? kAnimateUsage
                          : film.mode == AnimateOptions::Mode::Grow ? kGrowUsage
                                                                    : kJoinUsage;
      std::fprintf(err, "orbisk-render: %s (%s)\n", error.c_str(), usage);
      return 2;
    }
    return runFilm(film, err);
  }
  RenderOptions options;
  if (std::string error = parseRenderOptions(args, options); !error.empty()) {
    const bool random = options.survey.count > 0 || error.find("--random") != std::string::npos;
    const bool exploring = options.explore.given() ||
                           error.find("--variations") != std::string::npos ||
                           error.find("--breed") != std::string::npos;
    std::fprintf(err, "orbisk-render: %s (%s)\n", error.c_str(),
                 exploring ? kExploreUsage
                 : random  ? kRandomUsage
                           : kUsage);
    return 2;
  }
  return runRender(options, err);
}

}  // namespace orbisk
