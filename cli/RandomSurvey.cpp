#include "cli/RandomSurvey.h"

#include <unistd.h>
#include <QString>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "cli/PictureToDraw.h"
#include "cli/SurveyIndex.h"
#include "io/CanvasImage.h"
#include "io/DrawnPart.h"
#include "io/PictureFile.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "io/UserFile.h"
#include "model/DataFile.h"
#include "render/random/RandomCandidates.h"

namespace orbisk {

namespace {

constexpr const char* kThumbnails = "thumbnails";  // the thumbnails' folder inside the output
const QSize kThumbnailRoom(158, 109);              // the size of a gallery cell

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

// What the candidates are drawn on: the start-up values, a data file loaded after a fresh
// start, or the record a PNG of ours carries (with its detail, background and working values).
bool readStart(const SurveyOptions& survey, DrawnPicture& start, std::string& error) {
  start = DrawnPicture{};
  if (survey.startPath.empty() && !survey.startGiven) return true;
  if (!readPictureToDraw(survey.startPath, start, error)) return false;
  start.params.detailstep = start.detailstep;
  start.scale = 1;
  return true;
}

std::string candidateName(uint64_t index) {
  char name[48];
  std::snprintf(name, sizeof name, "candidate-%06llu.png", static_cast<unsigned long long>(index));
  return name;
}

std::string makeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && !std::filesystem::is_directory(folder, error))
    error = std::make_error_code(std::errc::not_a_directory);
  if (error) return "cannot make the folder " + displayPath(folder) + ": " + error.message();
  return {};
}

void showProgress(std::FILE* err, uint64_t done, uint64_t total, std::size_t written) {
  std::fprintf(err, "\r%llu of %llu candidates, %zu written", static_cast<unsigned long long>(done),
               static_cast<unsigned long long>(total), written);
  std::fflush(err);
}

}  // namespace

int runRandomSurvey(const RenderOptions& options, std::FILE* err) {
  const SurveyOptions& survey = options.survey;
  DrawnPicture start;
  if (std::string error; !readStart(survey, start, error)) return fail(err, error);
  const uint64_t seed =
      survey.seedGiven
          ? survey.seed
          : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  const std::string folder = options.outputPath;
  for (const std::string& f : {folder, folder + "/" + kThumbnails})
    if (std::string error = makeFolder(f); !error.empty()) return fail(err, error);
  if (!survey.seedGiven)
    std::fprintf(err, "orbisk-render: seed %llu\n", static_cast<unsigned long long>(seed));

  const PictureOrder startOrder = orderToRedraw(start);
  const bool progressBar = isatty(fileno(err));
  RasterCanvas scratch(0, 0), canvas(0, 0);
  std::vector<SurveyEntry> entries;
  for (uint64_t n = 0; n < survey.count; ++n) {
    if (progressBar) showProgress(err, n, survey.count, entries.size());
    ChosenCandidate chosen;
    worthyCandidate(startOrder, seed, survey.first + n, scratch, chosen);
    const Candidate& candidate = chosen.candidate;

    renderWholePicture(candidate.order, canvas);
    const QImage picture = imageOnCanvas(canvas);
    SurveyEntry entry;
    entry.file = candidateName(candidate.index);
    entry.thumbnail = std::string(kThumbnails) + "/" + entry.file;
    entry.candidate = candidate.index;
    entry.record = formatRecord(candidate.order.params);
    entry.record.erase(entry.record.find_last_not_of("\r\n") + 1);
    entry.content = measureImage(picture, candidate.order.canvas.background);

    DrawnPicture drawn = start;
    drawn.params = candidate.order.params;
    const QString path = QString::fromLocal8Bit((folder + "/" + entry.file).c_str());
    QString error = writeRecordedPicture(path, picture, "PNG", drawn);
    if (error.isEmpty())
      error = writePictureFile(QString::fromLocal8Bit((folder + "/" + entry.thumbnail).c_str()),
                               drawnPart(picture, entry.content, kThumbnailRoom), "PNG");
    if (!error.isEmpty()) {
      if (progressBar) std::fprintf(err, "\n");
      return fail(err, error.toLocal8Bit().toStdString());
    }
    entries.push_back(std::move(entry));
  }
  if (progressBar) {
    showProgress(err, survey.count, survey.count, entries.size());
    std::fprintf(err, "\n");
  }

  sortSurveyEntries(entries);
  for (const auto& [name, text] :
       {std::pair<std::string, std::string>{"index.tsv", surveyTsv(entries, seed)},
        {"index.html", surveyHtml(entries, seed)}}) {
    if (std::string error = writeUserFile(folder + "/" + name, text); !error.empty())
      return fail(err, error);
  }
  std::fprintf(err, "orbisk-render: wrote %zu pictures of %llu candidates to %s\n", entries.size(),
               static_cast<unsigned long long>(survey.count), displayPath(folder).c_str());
  return 0;
}

}  // namespace orbisk
