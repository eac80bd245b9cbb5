#include "cli/SurveyOptions.h"

#include <charconv>
#include <limits>

#include "cli/RenderOptions.h"

namespace orbisk {

namespace {

// Plain decimal digits, nothing else (no sign, no blanks), within 0..max.
bool parseWhole(const std::string& text, uint64_t max, uint64_t& value) {
  uint64_t read = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, read);
  if (text.empty() || text[0] == '+' || ec != std::errc() || ptr != end || read > max) return false;
  value = read;
  return true;
}

}  // namespace

bool isSurveyNumberOption(const std::string& option) {
  return option == "--random" || option == "--seed" || option == "--first";
}

std::string parseSurveyNumber(const std::string& option, const std::string& text,
                              SurveyOptions& survey) {
  constexpr uint64_t kAny = std::numeric_limits<uint64_t>::max();
  if (option == "--random") {
    if (parseWhole(text, SurveyOptions::kMaxCount, survey.count) && survey.count > 0) return {};
    survey.count = 0;
    return "--random takes a whole number from 1 to 1000000";
  }
  if (option == "--seed") {
    survey.seedGiven = true;
    if (parseWhole(text, kAny, survey.seed)) return {};
    return "--seed takes a whole number from 0 to 18446744073709551615";
  }
  survey.firstGiven = true;
  if (parseWhole(text, kAny, survey.first)) return {};
  return "--first takes a whole number from 0 to 18446744073709551615";
}

std::string checkSurveyOptions(const RenderOptions& options) {
  const SurveyOptions& survey = options.survey;
  if (survey.count == 0) {
    if (survey.seedGiven && !options.explore.given()) return "--seed needs --random";
    if (survey.firstGiven) return "--first needs --random";
    if (survey.startGiven) return "--start needs --random";
    return {};
  }
  if (!options.dataFile.empty()) return "--random takes its start from --start, not a data file";
  if (!options.tracePath.empty()) return "--trace cannot be used with --random";
  if (options.scaleGiven) return "--scale cannot be used with --random";
  if (options.detailGiven) return "--detail cannot be used with --random";
  if (options.outputPath.empty()) return "--random needs -o FOLDER";
  if (survey.first > std::numeric_limits<uint64_t>::max() - survey.count)
    return "--first and --random go past the last candidate number";
  return {};
}

}  // namespace orbisk
