// The headless renderer's command line, read without Qt so the fuzz targets take it as it is.
#pragma once

#include <string>
#include <vector>

#include "cli/ExploreOptions.h"
#include "cli/SurveyOptions.h"

namespace orbisk {

struct RenderOptions {
  std::string dataFile;    // the data file to load, or a PNG carrying its record
  std::string tracePath;   // --trace FILE, empty for none
  std::string outputPath;  // -o OUT.bmp|OUT.png (a folder with --random, --variations or --breed),
                           // empty for none
  bool lowDetail = false;  // --detail low
  bool detailGiven = false;  // --detail was given (a PNG's own detail applies otherwise)
  int scale = 1;             // --scale K: the same picture K times larger, 1..8
  bool scaleGiven = false;   // --scale was given (a PNG's own scale applies otherwise)
  int timeoutSeconds = 0;    // --timeout SECONDS: the run is stopped after this long; 0: never
  SurveyOptions survey;      // --random and the options that go with it
  ExploreOptions explore;    // --variations, --breed and the options that go with them
};

// Parses the arguments after the program name. Returns an empty string or a one-line error.
std::string parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options);

// Whether text ends in tail, letters compared in either case (".PNG" ends in ".png").
bool endsWithIgnoringCase(const std::string& text, const std::string& tail);

}  // namespace orbisk
