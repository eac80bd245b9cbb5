// orbisk-render --random: the options of a survey of random candidates, read without Qt so the
// fuzz targets take them as they are.
#pragma once

#include <cstdint>
#include <string>

namespace orbisk {

struct RenderOptions;

struct SurveyOptions {
  static constexpr uint64_t kMaxCount = 1000000;  // candidates one run may draw

  uint64_t count = 0;       // --random N: candidates to draw; 0 when --random was not given
  uint64_t seed = 0;        // --seed S: the seed of the candidate sequence
  bool seedGiven = false;   // --seed was given (the clock seeds the run otherwise)
  uint64_t first = 0;       // --first K: number of the first candidate, from 0
  bool firstGiven = false;  // --first was given
  std::string startPath;    // --start DATAFILE|PICTURE.png, empty for the start-up values
  bool startGiven = false;  // --start was given
};

// Whether option is one of --random, --seed and --first, which take a whole number.
bool isSurveyNumberOption(const std::string& option);

// Reads the value of --random, --seed or --first into survey. Returns "" or a one-line error.
std::string parseSurveyNumber(const std::string& option, const std::string& text,
                              SurveyOptions& survey);

// Checks a whole command line's survey options against each other and the other options:
// --seed needs --random, --variations or --breed; --first and --start need --random; --random
// needs -o FOLDER and takes neither a data file nor --trace, --scale or --detail (--timeout then
// bounds each candidate). Returns "" or a
// one-line error.
std::string checkSurveyOptions(const RenderOptions& options);

}  // namespace orbisk
