#include "cli/VariationsCommand.h"

#include <QString>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "cli/PictureToDraw.h"
#include "cli/RenderOptions.h"
#include "io/CanvasImage.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "io/UserFile.h"
#include "render/random/Breeding.h"
#include "render/random/Variations.h"

namespace orbisk {

namespace {

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-render: %s\n", message.c_str());
  return 2;
}

// A parent as the gallery draws on it: its record at its detail, its background and working
// values, at the frame's size. The reader's note on fields that count as 0 goes to err.
bool readParent(const std::string& path, DrawnPicture& parent, std::string& error, std::FILE* err) {
  std::string note;
  if (!readPictureToDraw(path, parent, error, note)) return false;
  if (!note.empty()) std::fprintf(err, "orbisk-render: %s\n", note.c_str());
  parent.params.detailstep = parent.detailstep;
  parent.scale = 1;
  return true;
}

}  // namespace

int runExplore(const RenderOptions& options, std::FILE* err) {
  const ExploreOptions& explore = options.explore;
  const bool breeding = explore.variations == 0;
  DrawnPicture first, second;
  std::string error;
  if (!readParent(breeding ? explore.breedFirst : options.dataFile, first, error, err) ||
      (breeding && !readParent(explore.breedSecond, second, error, err)))
    return fail(err, error);
  const uint64_t seed =
      options.survey.seedGiven
          ? options.survey.seed
          : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());

  const std::string& folder = options.outputPath;
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (!made && !std::filesystem::is_directory(folder, made))
    made = std::make_error_code(std::errc::not_a_directory);
  if (made)
    return fail(err, "cannot make the folder " + displayPath(folder) + ": " + made.message());
  if (!options.survey.seedGiven)
    std::fprintf(err, "orbisk-render: seed %llu\n", static_cast<unsigned long long>(seed));

  const PictureOrder parent = orderToRedraw(first);
  const std::vector<Offspring> offspring =
      breeding ? chooseChildren(parent, second.params, seed, ExploreOptions::kChildren)
               : chooseVariations(parent, seed, explore.step, static_cast<int>(explore.variations));
  std::string tsv = "file\tchange\trecord\n";
  RasterCanvas canvas(0, 0);
  int number = 0;
  for (const Offspring& next : offspring) {
    renderWholePicture(next.order, canvas);
    char name[32];
    std::snprintf(name, sizeof name, "%s-%02d.png", breeding ? "child" : "variation", ++number);
    DrawnPicture drawn = first;
    drawn.params = next.order.params;
    drawn.origin = breeding ? childOrigin(first.params, second.params, next.change)
                            : variationOrigin(first.params, explore.step, next.change);
    const QString path = QString::fromLocal8Bit((folder + "/" + name).c_str());
    if (const QString written = writeRecordedPicture(path, imageOnCanvas(canvas), "PNG", drawn);
        !written.isEmpty())
      return fail(err, written.toLocal8Bit().toStdString());
    tsv += std::string(name) + "\t" + next.change + "\t" + recordText(drawn.params) + "\n";
  }
  if (std::string written = writeUserFile(folder + "/index.tsv", tsv); !written.empty())
    return fail(err, written);
  std::fprintf(err, "orbisk-render: wrote %d pictures to %s\n", number,
               displayPath(folder).c_str());
  return 0;
}

}  // namespace orbisk
