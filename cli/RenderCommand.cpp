#include "cli/RenderCommand.h"

#include <unistd.h>
#include <QImage>
#include <QString>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "OrbiskVersion.h"
#include "cli/RandomSurvey.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "io/UserFile.h"
#include "model/DataFile.h"
#include "model/FrameSize.h"
#include "render/LargePicture.h"
#include "render/RasterCanvas.h"
#include "render/RenderJob.h"
#include "render/ScaledSurface.h"
#include "render/TraceSurface.h"

namespace orbisk {

namespace {

constexpr const char* kUsage =
    "usage: orbisk-render [--detail high|low] [--scale 1..8] [--trace FILE] "
    "[-o OUT.bmp|OUT.png] DATAFILE|PICTURE.png";

// What --help prints after the usage line: one line per option, then the exit status.
constexpr const char* kHelp =
    R"(Render the picture of an Orbisk data file without a window: what the program
draws after a fresh start, Load data of DATAFILE and one CREATE. Given a PNG that
Orbisk wrote, draw that picture again from the record it carries.

  --detail high|low   sample every pixel (high, default) or every 4th (low)
  --scale K           draw the same picture K times larger (1 to 8, default 1, or
                      the scale a PNG carries)
  --trace FILE        write one line per drawing call to FILE
  -o OUT.bmp|OUT.png  write the picture as a 24-bit BMP or a PNG
  -h, --help          display this help and exit
      --version       output version information and exit

Exit status:
 0  if OK,
 2  if the command line or the data file is bad or a file cannot be written.

Example:
  orbisk-render -o picture.png picture.dat
)";

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

// What to draw: a data file after a fresh start, or the record a PNG of ours carries.
bool pictureToDraw(const RenderOptions& options, DrawnPicture& drawn, std::string& error) {
  const QString input = QString::fromLocal8Bit(options.dataFile.c_str());
  if (isPngFile(input)) {
    const RecordedPictureRead read = readRecordedPicture(input);
    if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
      error = read.error.toStdString();
      return false;
    }
    drawn = read.picture;
    if (options.detailGiven) drawn.detailstep = options.lowDetail ? 4 : 1;
  } else {
    const RecordFileResult loaded = readRecordFile(options.dataFile);
    if (!loaded.ok) {
      error = loaded.error;
      return false;
    }
    // A fresh start: default parameters and working values, black canvas, then Load data.
    drawn = DrawnPicture{};
    applyRecord(loaded.record, drawn.params);
    drawn.detailstep = options.lowDetail ? 4 : 1;
  }
  drawn.params.detailstep = drawn.detailstep;
  return true;
}

}  // namespace

int runRender(const RenderOptions& options, std::FILE* err) {
  DrawnPicture drawn;
  if (std::string error; !pictureToDraw(options, drawn, error)) return fail(err, error);
  // A picture's own scale applies unless --scale says otherwise.
  if (options.scaleGiven || drawn.scale < 1 || drawn.scale > 8)
    drawn.scale = static_cast<int16_t>(options.scale);

  // The canvas of the frame, or one --scale times larger with a pen as many times wider.
  const RasterCanvas frameCanvas = blankCanvasFor(drawn);
  const LargePictureSize sizing{drawn.scale,
                                frameCanvas.width(),
                                frameCanvas.height(),
                                drawn.detailstep == 4 ? 4 : 1,
                                drawn.params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy,
                                drawn.background};
  const std::unique_ptr<RasterCanvas> canvasMemory = makeLargeCanvas(sizing);
  if (!canvasMemory)
    return fail(err, "not enough memory for a picture of " +
                         std::to_string(frameCanvas.width() * sizing.scale) + " x " +
                         std::to_string(frameCanvas.height() * sizing.scale) + " pixels");
  RasterCanvas& canvas = *canvasMemory;
  // The shape stage and the trace see the frame's canvas; only the drawing is scaled.
  ScaledSurface scaled(canvas, sizing.scale, frameCanvas.width(), frameCanvas.height());
  Surface& target = sizing.scale == 1 ? static_cast<Surface&>(canvas) : scaled;

  // The trace is gathered in memory and written only when the run is complete, through the same
  // safe writer as every other file, so a failed run leaves nothing behind.
  char* traceBuffer = nullptr;
  std::size_t traceSize = 0;
  std::FILE* traceFile = nullptr;
  if (!options.tracePath.empty()) {
    traceFile = open_memstream(&traceBuffer, &traceSize);
    if (!traceFile)
      return fail(err, "cannot write " + options.tracePath + ": " + std::strerror(errno));
  }
  TraceSurface tracer(traceFile, &target, frameCanvas.width(), frameCanvas.height());
  Surface& surface = traceFile ? static_cast<Surface&>(tracer) : target;

  RenderState state;
  const bool progressBar = isatty(fileno(err));
  const bool timings =
      std::getenv("ORBISK_TIMINGS") && std::strcmp(std::getenv("ORBISK_TIMINGS"), "1") == 0;
  const auto begin = std::chrono::steady_clock::now();
  uint64_t samples = 0, marks = 0;
  redrawPicture(drawn, state, surface, nullptr, [&](const RenderJob& job) {
    samples = job.samples();
    marks = job.marks();
    if (progressBar) showProgress(err, job.progress());
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  if (progressBar) std::fprintf(err, "\n");
  if (timings)
    std::fprintf(err, "orbisk-render: %llu samples, %llu marks, %.3f s\n",
                 static_cast<unsigned long long>(samples), static_cast<unsigned long long>(marks),
                 seconds);

  std::string trace;
  if (traceFile) {
    const bool written = std::ferror(traceFile) == 0;
    const int error = std::fclose(traceFile) != 0 ? errno : 0;
    if (written && error == 0) trace.assign(traceBuffer, traceSize);
    std::free(traceBuffer);
    if (!written || error != 0)
      return fail(err, "cannot write " + options.tracePath + ": " +
                           std::strerror(error != 0 ? error : ENOMEM));
  }
  // The picture goes first: when it cannot be written, no trace is left either.
  if (!options.outputPath.empty()) {
    QImage wrapped(reinterpret_cast<uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                   canvas.width() * 4, QImage::Format_RGB32);
    const bool bmp = endsWithIgnoringCase(options.outputPath, ".bmp");
    // The writers store 24 bits per pixel and convert row by row, so the canvas is encoded
    // where it lies: a large picture is never held twice. Every PNG carries the record that
    // drew it.
    const QString error = writeRecordedPicture(QString::fromLocal8Bit(options.outputPath.c_str()),
                                               std::move(wrapped), bmp ? "BMP" : "PNG", drawn);
    if (!error.isEmpty()) return fail(err, error.toLocal8Bit().toStdString());
  }
  if (!options.tracePath.empty()) {
    if (std::string e = writeUserFile(options.tracePath, trace); !e.empty()) return fail(err, e);
  }
  if (!options.outputPath.empty())
    std::fprintf(err, "orbisk-render: wrote %s\n", options.outputPath.c_str());
  return 0;
}

int renderCommand(int argc, char** argv, std::FILE* err) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // --help and --version win over everything else on the line, as with the common GNU tools.
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::fprintf(stdout, "%s\n%s\n%s%s", kUsage, kRandomUsage, kHelp, kRandomHelp);
      return 0;
    }
  }
  for (const std::string& a : args) {
    if (a == "--version") {
      std::fprintf(stdout, "orbisk-render (Orbisk) %s\n", ORBISK_VERSION);
      return 0;
    }
  }
  RenderOptions options;
  if (std::string error = parseRenderOptions(args, options); !error.empty()) {
    const bool random = options.survey.count > 0 || error.find("--random") != std::string::npos;
    std::fprintf(err, "orbisk-render: %s (%s)\n", error.c_str(), random ? kRandomUsage : kUsage);
    return 2;
  }
  return options.survey.count > 0 ? runRandomSurvey(options, err) : runRender(options, err);
}

}  // namespace orbisk
