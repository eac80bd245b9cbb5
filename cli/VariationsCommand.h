// orbisk-render --variations and --breed: pictures made from one or two others, each worth a
// look, written into a folder with the record each one carries.
#pragma once

#include <cstdio>

namespace orbisk {

struct RenderOptions;

constexpr const char* kExploreUsage =
    "usage: orbisk-render --variations N [--step little|more|lot] [--seed S] "
    "DATAFILE|PICTURE.png -o FOLDER, or --breed A B [--seed S] -o FOLDER";

constexpr const char* kExploreHelp =
    R"(
With --variations, make N variations of a picture: each moves one or two fields
of its record by a step (v2, v3, v4, a colour addition, level, slide, height...)
or swaps one choice (a function, the colour system, the shape). With --breed,
make twelve children of pictures A and B: each takes groups of fields (origin,
functions, variables, colours, shape) from one parent or the other. Either way
every picture is worth a look by the gallery's rule and differs from its parents
and from the others; each is written into FOLDER as variation-NN.png or
child-NN.png, a PNG carrying its record, with index.tsv (file, what changed,
record). The same seed makes the same pictures on every machine.

  --variations N      make N variations (1 to 1000)
  --step little|more|lot
                      how far a variation goes (default more)
  --breed A B         make twelve children of A and B (data files or PNGs)
  --seed S            the seed of the changes (default: from the clock, printed)
  -o FOLDER           the folder to write into, made when missing

Example:
  orbisk-render --variations 12 --step little --seed 3 picture.png -o near
)";

// Makes and writes what the options ask for (options.explore.given(), outputPath the folder).
// Returns the exit status: 0, or 2 after a one-line message on err.
int runExplore(const RenderOptions& options, std::FILE* err);

}  // namespace orbisk
