#include "cli/RandomSurvey.h"

#include <unistd.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <memory>

#include "cli/LibraryChatter.h"
#include "cli/PictureToDraw.h"
#include "cli/RunDeadline.h"
#include "cli/SurveyFolder.h"
#include "cli/SurveyIndex.h"
#include "cli/SurveyMark.h"
#include "io/CanvasImage.h"
#include "io/DrawnPart.h"
#include "io/PendingFile.h"
#include "io/PictureFile.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "io/ShownText.h"
#include "model/DataFile.h"
#include "render/random/RandomCandidates.h"
#include "session/PictureRecordText.h"

namespace orbisk {

namespace {

const QSize kThumbnailRoom(158, 109);  // the size of a gallery cell

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

// What the candidates are drawn on: the start-up values, a data file loaded after a fresh
// start, or the record a PNG of ours carries (with its detail, background and working values).
bool readStart(const SurveyOptions& survey, DrawnPicture& start, std::string& error,
               std::FILE* err) {
  start = DrawnPicture{};
  if (survey.startPath.empty() && !survey.startGiven) return true;
  std::string note;
  if (!readPictureToDraw(survey.startPath, start, error, note)) return false;
  if (!note.empty()) std::fprintf(err, "orbisk-render: %s\n", note.c_str());
  start.params.detailstep = start.detailstep;
  start.scale = 1;
  return true;
}

std::string candidateName(uint64_t index) {
  char name[48];
  std::snprintf(name, sizeof name, "candidate-%06llu.png", static_cast<unsigned long long>(index));
  return name;
}

// "1 picture", "2 pictures".
std::string counted(uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The index files, opened before anything is drawn so that one that cannot be written is
// reported at once; both take their place together at the end.
struct SurveyIndexFiles {
  std::unique_ptr<PendingFile> tsv;   // index.tsv
  std::unique_ptr<PendingFile> html;  // index.html
};

bool openIndexFiles(const SurveyFolder& folder, SurveyIndexFiles& files, std::string& error) {
  files.tsv = PendingFile::open(folder.path("index.tsv"), error, LinkRule::Refuse);
  if (files.tsv) files.html = PendingFile::open(folder.path("index.html"), error, LinkRule::Refuse);
  return files.tsv && files.html;
}

// Writes a candidate's picture and its thumbnail, both under names the survey chooses: a link
// planted there is refused, never followed; they take their place together, and placed tells
// whether they did. Encoding stops once stop is set (the candidate's time ran out); then
// nothing is written and "" is returned.
std::string writeCandidate(const SurveyFolder& folder, const SurveyEntry& entry,
                           const QImage& picture, const DrawnPicture& drawn,
                           const std::atomic<bool>& stop, bool& placed) {
  placed = false;
  std::string error;
  const std::unique_ptr<PendingFile> file =
      PendingFile::open(folder.path(entry.file), error, LinkRule::Refuse);
  if (!file) return error;
  const std::unique_ptr<PendingFile> thumbnail =
      PendingFile::open(folder.path(entry.thumbnail), error, LinkRule::Refuse);
  if (!thumbnail) return error;
  QString problem;
  {
    const LibraryChatterMuted muted;
    problem = encodeRecordedPictureInto(*file, picture, "PNG", drawn, &stop);
    if (problem.isEmpty())
      problem = encodePictureInto(*thumbnail, drawnPart(picture, entry.content, kThumbnailRoom),
                                  "PNG", {}, &stop);
  }
  if (stop) return {};
  if (!problem.isEmpty()) return problem.toLocal8Bit().toStdString();
  error = commitTogether({file.get(), thumbnail.get()});
  placed = error.empty();
  return error;
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
  if (std::string error; !readStart(survey, start, error, err)) return fail(err, error);
  const uint64_t seed =
      survey.seedGiven
          ? survey.seed
          : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  std::string error;
  const std::unique_ptr<SurveyFolder> folder = SurveyFolder::take(
      options.outputPath,
      surveyMark(seed, survey.startGiven ? formatPictureRecord(start) : std::string()), error);
  if (!folder) return fail(err, error);
  SurveyIndexFiles index;
  if (!openIndexFiles(*folder, index, error)) return fail(err, error);
  if (!survey.seedGiven)
    std::fprintf(err, "orbisk-render: seed %llu\n", static_cast<unsigned long long>(seed));

  const PictureOrder startOrder = orderToRedraw(start);
  // A terminal shows one line that keeps changing; a log gets one line per picture written.
  const bool progressBar = isatty(fileno(err));
  RasterCanvas scratch(0, 0), canvas(0, 0);
  std::vector<SurveyEntry> entries;
  uint64_t leftOut = 0;  // candidates stopped by --timeout
  for (uint64_t n = 0; n < survey.count; ++n) {
    if (progressBar) showProgress(err, n, survey.count, entries.size());
    // --timeout bounds each candidate: its looks, its drawing and the writing of its files.
    std::atomic<bool> stop = false;
    const RunDeadline deadline(options.timeoutSeconds, stop);
    const uint64_t index = survey.first + n;
    ChosenCandidate chosen;  // left unset when the time ran out while it was chosen
    worthyCandidate(startOrder, seed, index, scratch, chosen, &stop);
    const Candidate& candidate = chosen.candidate;

    SurveyEntry entry;
    entry.file = candidateName(index);
    entry.thumbnail = std::string(SurveyFolder::kThumbnails) + "/" + entry.file;
    entry.candidate = index;
    std::string written;  // why the candidate's files could not be written, "" else
    bool placed = false;  // its files are in place
    if (!stop && renderWholePicture(candidate.order, canvas, &stop)) {
      const QImage picture = imageOnCanvas(canvas);
      entry.record = formatRecord(candidate.order.params);
      entry.record.erase(entry.record.find_last_not_of("\r\n") + 1);
      entry.content = measureImage(picture, candidate.order.canvas.background);
      DrawnPicture drawn = start;
      drawn.params = candidate.order.params;
      written = writeCandidate(*folder, entry, picture, drawn, stop, placed);
    }
    const bool tooLong = !placed && written.empty();
    // A message goes on a line of its own, below the progress line.
    if (progressBar && !placed) std::fprintf(err, "\n");
    if (tooLong) {
      ++leftOut;
      std::fprintf(err,
                   "orbisk-render: candidate %llu took longer than --timeout %d seconds; "
                   "left out.\n",
                   static_cast<unsigned long long>(index), options.timeoutSeconds);
      continue;
    }
    if (!written.empty()) return fail(err, written);
    if (!progressBar)
      std::fprintf(err, "orbisk-render: %llu of %llu candidates: wrote %s.\n",
                   static_cast<unsigned long long>(n + 1),
                   static_cast<unsigned long long>(survey.count),
                   quotedName(folder->path(entry.file)).c_str());
    entries.push_back(std::move(entry));
  }
  if (progressBar) {
    showProgress(err, survey.count, survey.count, entries.size());
    std::fprintf(err, "\n");
  }

  sortSurveyEntries(entries);
  index.tsv->write(surveyTsv(entries, seed));
  index.html->write(surveyHtml(entries, seed));
  if (error = commitTogether({index.tsv.get(), index.html.get()}); !error.empty())
    return fail(err, error);
  std::fprintf(err, "orbisk-render: wrote %s of %s to %s%s.\n",
               counted(entries.size(), "picture", "pictures").c_str(),
               counted(survey.count, "candidate", "candidates").c_str(),
               quotedName(options.outputPath).c_str(),
               leftOut == 0 ? ""
                            : ("; " + counted(leftOut, "candidate", "candidates") +
                               " left out for --timeout")
                                  .c_str());
  return 0;
}

}  // namespace orbisk
