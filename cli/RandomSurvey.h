// orbisk-render --random: random candidates drawn as the gallery draws them, each worth showing
// written as a PNG with its record, with index.tsv and index.html beside them.
#pragma once

#include <cstdio>

#include "cli/RenderOptions.h"

namespace orbisk {

constexpr const char* kRandomUsage =
    "usage: orbisk-render --random N [--seed S] [--first K] [--start DATAFILE|PICTURE.png] "
    "[--timeout SECONDS] -o FOLDER";

// What --help says about --random, after the renderer's own options.
constexpr const char* kRandomHelp =
    R"(
With --random, draw N random candidates as the gallery draws them, on top of the
start-up values or of --start, and write each into FOLDER as a PNG carrying its
record, with a thumbnail, index.tsv and index.html (a contact sheet, the richest
pictures first). A candidate that is not worth a look (almost nothing drawn, one
colour over most of it, stripes, a smooth gradient, a uniform texture) is drawn
again from its own seed, up to 31 times, so exactly N pictures are written.

  --random N          draw N candidates (1 to 1000000)
  --seed S            the seed of the candidate sequence (default: from the clock,
                      printed); the same seed draws the same candidates
  --first K           start at candidate number K of the sequence (default 0), so
                      pieces of one long sequence can run anywhere
  --start FILE        draw on top of a data file or of a PNG Orbisk wrote
  --timeout SECONDS   leave out a candidate that takes longer
  -o FOLDER           the folder to write into, made when missing; a folder
                      that holds another survey, or that another survey is
                      writing into, is refused

Example:
  orbisk-render --random 200 --seed 7 -o survey
)";

// Runs the survey the options ask for (options.survey.count > 0, outputPath the folder).
// Returns the exit status: 0, or 2 after a one-line message on err.
int runRandomSurvey(const RenderOptions& options, std::FILE* err);

}  // namespace orbisk
