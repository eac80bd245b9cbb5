// Draws random candidates as the gallery chooses them and writes each one's picture (its drawn
// part, at twice a gallery cell's size) with what the quick look measured, to tune and check the
// rule of which pictures are worth showing by eye.
//   orbisk-judge-pictures SEED FIRST COUNT FOLDER [worthy]
// With "worthy", each candidate is drawn again until worth showing, as orbisk-render --random
// draws it.
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "io/CanvasImage.h"
#include "io/DataFileIo.h"
#include "io/DrawnPart.h"
#include "render/random/RandomCandidates.h"

using namespace orbisk;

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s SEED FIRST COUNT FOLDER\n", argv[0]);
    return 2;
  }
  const uint64_t seed = std::strtoull(argv[1], nullptr, 10);
  const uint64_t first = std::strtoull(argv[2], nullptr, 10);
  const uint64_t count = std::strtoull(argv[3], nullptr, 10);
  const std::string folder = argv[4];
  PictureOrder start;
  RasterCanvas scratch(0, 0), canvas(0, 0);
  std::printf("index\tdrawn\tcolours\tfamilies\tdominant\tdetail\tacross\tdown\tworth\n");
  for (uint64_t index = first; index < first + count; ++index) {
    ChosenCandidate chosen{makeCandidate(start, seed, index), {}};
    if (argc > 5 && std::string(argv[5]) == "worthy")
      worthyCandidate(start, seed, index, scratch, chosen);
    else
      quickLook(chosen.candidate, scratch, chosen.quick);
    const Candidate& candidate = chosen.candidate;
    const PictureContent& quick = chosen.quick;
    renderWholePicture(candidate.order, canvas);
    const QImage picture = imageOnCanvas(canvas);
    const PictureContent full = measureImage(picture, candidate.order.canvas.background);
    char name[64];
    std::snprintf(name, sizeof name, "/%06llu.png", static_cast<unsigned long long>(index));
    drawnPart(picture, full, QSize(316, 218)).save(QString::fromStdString(folder + name));
    std::printf("%llu\t%llu\t%d\t%d\t%llu\t%llu\t%d\t%d\t%d\n",
                static_cast<unsigned long long>(index),
                static_cast<unsigned long long>(quick.drawnPpm() / 1000), quick.colours,
                quick.families, static_cast<unsigned long long>(quick.dominantPpm() / 1000),
                static_cast<unsigned long long>(quick.detailPpm() / 1000), quick.tileChangesAcross,
                quick.tileChangesDown, worthShowing(quick) ? 1 : 0);
    std::fflush(stdout);
  }
}
