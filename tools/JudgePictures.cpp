// Writes the pictures Orbisk would offer, each one's drawn part at twice a gallery cell's size,
// with what its quick look measured, to tune and check by eye the rule of which pictures are
// worth showing (contact sheets are made from the folder with ImageMagick's montage).
//   orbisk-judge-pictures survey SEED FIRST COUNT FOLDER [worthy]
//       candidates FIRST.. of the sequence SEED on the start-up values; with "worthy" each is
//       drawn again until worth showing, as orbisk-render --random draws it
//   orbisk-judge-pictures gallery|variations|children SETS FOLDER [DATAFILE...]
//       SETS sets of twelve, set K on start K modulo the starts (the start-up values, then the
//       data files), with seed K; variations step a little, more and a lot in turn; children
//       of start K and start K + 1
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "io/CanvasImage.h"
#include "io/DataFileIo.h"
#include "io/DrawnPart.h"
#include "model/DataFile.h"
#include "render/random/Breeding.h"
#include "render/random/RandomCandidates.h"
#include "render/random/Variations.h"

using namespace orbisk;

namespace {

// Draws order in full, writes its drawn part as NAME.png and a line of what quick measured.
void writeOne(const PictureOrder& order, const PictureContent& quick, const std::string& name,
              const std::string& folder, RasterCanvas& canvas) {
  renderWholePicture(order, canvas);
  const QImage picture = imageOnCanvas(canvas);
  const PictureContent full = measureImage(picture, order.canvas.background);
  drawnPart(picture, full, QSize(316, 218))
      .save(QString::fromStdString(folder + "/" + name + ".png"));
  std::printf("%s\t%llu\t%d\t%d\t%llu\t%llu\t%d\t%d\t%d\n", name.c_str(),
              static_cast<unsigned long long>(quick.drawnPpm() / 1000), quick.colours,
              quick.families, static_cast<unsigned long long>(quick.dominantPpm() / 1000),
              static_cast<unsigned long long>(quick.detailPpm() / 1000), quick.tileChangesAcross,
              quick.tileChangesDown, worthShowing(quick) ? 1 : 0);
  std::fflush(stdout);
}

int survey(int argc, char** argv) {
  const uint64_t seed = std::strtoull(argv[2], nullptr, 10);
  const uint64_t first = std::strtoull(argv[3], nullptr, 10);
  const uint64_t count = std::strtoull(argv[4], nullptr, 10);
  const std::string folder = argv[5];
  const bool worthy = argc > 6 && std::string(argv[6]) == "worthy";
  PictureOrder start;
  RasterCanvas scratch(0, 0), canvas(0, 0);
  for (uint64_t index = first; index < first + count; ++index) {
    ChosenCandidate chosen{makeCandidate(start, seed, index), {}};
    if (worthy)
      worthyCandidate(start, seed, index, scratch, chosen);
    else
      quickLook(chosen.candidate, scratch, chosen.quick);
    char name[32];
    std::snprintf(name, sizeof name, "%06llu", static_cast<unsigned long long>(index));
    writeOne(chosen.candidate.order, chosen.quick, name, folder, canvas);
  }
  return 0;
}

int sets(int argc, char** argv) {
  const std::string kind = argv[1];
  const int count = std::atoi(argv[2]);
  const std::string folder = argv[3];
  std::vector<PictureOrder> starts(1);
  for (int i = 4; i < argc; ++i) {
    const RecordFileResult read = readRecordFile(argv[i]);
    if (!read.ok) {
      std::fprintf(stderr, "%s: %s\n", argv[i], read.error.c_str());
      return 2;
    }
    PictureOrder start;
    applyRecord(read.record, start.params);
    starts.push_back(start);
  }
  RasterCanvas canvas(0, 0);
  const VariationStep steps[] = {VariationStep::Little, VariationStep::More, VariationStep::Lot};
  for (int set = 0; set < count; ++set) {
    const PictureOrder& start = starts[static_cast<std::size_t>(set) % starts.size()];
    const auto seed = static_cast<uint64_t>(set);
    std::vector<std::pair<PictureOrder, PictureContent>> shown;
    if (kind == "gallery") {
      uint64_t looked = 0;
      for (const ChosenCandidate& c : chooseCandidates(start, seed, 0, 12, looked))
        shown.emplace_back(c.candidate.order, c.quick);
    } else {
      const std::vector<Offspring> made =
          kind == "variations"
              ? chooseVariations(start, seed, steps[set % 3], 12)
              : chooseChildren(start,
                               starts[static_cast<std::size_t>(set + 1) % starts.size()].params,
                               seed, 12);
      for (const Offspring& o : made) shown.emplace_back(o.order, o.quick);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%02d-%02zu", set, i);
      writeOne(shown[i].first, shown[i].second, name, folder, canvas);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::printf("name\tdrawn\tcolours\tfamilies\tdominant\tdetail\tacross\tdown\tworth\n");
  if (argc >= 6 && std::string(argv[1]) == "survey") return survey(argc, argv);
  if (argc >= 4) return sets(argc, argv);
  std::fprintf(stderr,
               "usage: %s survey SEED FIRST COUNT FOLDER [worthy]\n"
               "       %s gallery|variations|children SETS FOLDER [DATAFILE...]\n",
               argv[0], argv[0]);
  return 2;
}
