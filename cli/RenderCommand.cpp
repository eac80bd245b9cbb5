#include "cli/RenderCommand.h"

#include <QImage>
#include <QString>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "OrbiskVersion.h"
#include "cli/FrameSize.h"
#include "io/PictureFile.h"
#include "io/UserFile.h"
#include "model/DataFile.h"
#include "render/RasterCanvas.h"
#include "render/RenderJob.h"
#include "render/TraceSurface.h"

namespace orbisk {

namespace {

constexpr const char* kUsage =
    "usage: orbisk-render [--detail high|low] [--trace FILE] [-o OUT.bmp|OUT.png] DATAFILE";

// What --help prints after the usage line: one line per option, then the exit status.
constexpr const char* kHelp =
    R"(Render the picture of an Orbisk data file without a window: what the program
draws after a fresh start, Load data of DATAFILE and one CREATE.

  --detail high|low   sample every pixel (high, default) or every 4th (low)
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

bool endsWith(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  return std::equal(tail.rbegin(), tail.rend(), s.rbegin(),
                    [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

void showProgress(std::FILE* err, const RenderProgress& p) {
  const double fraction = p.maximum > 0 ? std::min(1.0, double(p.value) / p.maximum) : 1.0;
  const int filled = static_cast<int>(fraction * 40);
  std::fprintf(err, "\r[%-40.*s] %3d%%", filled, "========================================",
               static_cast<int>(fraction * 100));
  std::fflush(err);
}

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

}  // namespace

std::string parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) -> std::string {
      if (i + 1 >= args.size()) return "option " + a + " needs a value";
      into = args[++i];
      return {};
    };
    std::string error;
    if (a == "--detail") {
      std::string detail;
      error = value(detail);
      if (error.empty() && detail != "high" && detail != "low")
        error = "--detail takes high or low, not '" + detail + "'";
      options.lowDetail = detail == "low";
    } else if (a == "--trace") {
      error = value(options.tracePath);
    } else if (a == "-o") {
      error = value(options.outputPath);
      if (error.empty() && !endsWith(options.outputPath, ".bmp") &&
          !endsWith(options.outputPath, ".png"))
        error = "the output file must end in .bmp or .png: " + options.outputPath;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
    } else if (options.dataFile.empty()) {
      options.dataFile = a;
    } else {
      error = "more than one data file given";
    }
    if (!error.empty()) return error;
  }
  if (options.dataFile.empty()) return "no data file given";
  return {};
}

int runRender(const RenderOptions& options, std::FILE* err) {
  const RecordFileResult loaded = readRecordFile(options.dataFile);
  if (!loaded.ok) return fail(err, loaded.error);

  // A fresh start, then Load data.
  PictureParams params;
  applyRecord(loaded.record, params);
  params.detailstep = options.lowDetail ? 4 : 1;

  const CanvasSize size = frameCanvasSize(params.framesize);
  RasterCanvas canvas(size.width, size.height, 0);
  canvas.setPenWidth(options.lowDetail ? 4 : 1);
  canvas.setPenMode(params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);

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
  TraceSurface tracer(traceFile, &canvas, size.width, size.height);
  Surface& surface = traceFile ? static_cast<Surface&>(tracer) : canvas;

  RenderState state;
  const bool progressBar = isatty(fileno(err));
  const bool timings = std::getenv("ORBISK_TIMINGS") && std::strcmp(std::getenv("ORBISK_TIMINGS"), "1") == 0;
  const auto begin = std::chrono::steady_clock::now();
  RenderJob job(state, params, surface);
  job.start();
  while (job.hasColumns()) {
    job.stepColumn();
    if (progressBar) showProgress(err, job.progress());
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  if (progressBar) std::fprintf(err, "\n");
  if (timings)
    std::fprintf(err, "orbisk-render: %llu samples, %llu marks, %.3f s\n",
                 static_cast<unsigned long long>(job.samples()),
                 static_cast<unsigned long long>(job.marks()), seconds);

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
    const QImage wrapped(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(),
                         canvas.height(), canvas.width() * 4, QImage::Format_RGB32);
    const bool bmp = endsWith(options.outputPath, ".bmp");
    const QImage image = wrapped.convertToFormat(QImage::Format_RGB888);  // 24 bits per pixel
    const QString error = writePictureFile(QString::fromLocal8Bit(options.outputPath.c_str()),
                                           image, bmp ? "BMP" : "PNG");
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
      std::fprintf(stdout, "%s\n%s", kUsage, kHelp);
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
    std::fprintf(err, "orbisk-render: %s (%s)\n", error.c_str(), kUsage);
    return 2;
  }
  return runRender(options, err);
}

}  // namespace orbisk
