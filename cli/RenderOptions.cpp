#include "cli/RenderOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>

#include "io/ShownText.h"
#include "render/surfaces/ScaledSurface.h"

namespace orbisk {

namespace {

// A whole number 1..8 written in plain digits, nothing else.
bool parseScale(const std::string& text, int& scale) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < ScaledSurface::kMinScale ||
      value > ScaledSurface::kMaxScale)
    return false;
  scale = value;
  return true;
}

// A whole number of seconds, 1 to a million (eleven days), in plain digits.
bool parseTimeout(const std::string& text, int& seconds) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 1 || value > 1000000) return false;
  seconds = value;
  return true;
}

// An argument as an error message quotes it: control characters (a newline inside a file name,
// an escape sequence) are spelt out, so the message stays one line and leaves the terminal alone.
std::string quoted(const std::string& argument) {
  return shownText(argument);
}

}  // namespace

bool endsWithIgnoringCase(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  // tolower takes the byte as unsigned char: a plain char above 127 is negative.
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  return std::equal(tail.rbegin(), tail.rend(), text.rbegin(),
                    [&](char a, char b) { return lower(a) == lower(b); });
}

std::string parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options) {
  std::set<std::string> given;  // the options seen so far: each may be given once
  bool optionsEnded = false;    // after "--" every argument is a file name
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool isOption = !optionsEnded && a.size() > 1 && a[0] == '-';
    if (a.empty()) return "an empty argument is neither an option nor a file name";
    if (isOption && !given.insert(a).second) return "option " + quoted(a) + " given more than once";
    auto value = [&](std::string& into) -> std::string {
      if (i + 1 >= args.size()) return "option " + a + " needs a value";
      if (args[i + 1].empty()) return "option " + a + " needs a value, not an empty argument";
      into = args[++i];
      return {};
    };
    std::string error;
    if (!isOption) {
      if (!options.dataFile.empty()) return "more than one data file given";
      options.dataFile = a;
    } else if (a == "--detail") {
      std::string detail;
      error = value(detail);
      if (error.empty() && detail != "high" && detail != "low")
        error = "--detail takes high or low, not '" + quoted(detail) + "'";
      options.lowDetail = detail == "low";
      options.detailGiven = true;
    } else if (a == "--scale") {
      std::string scale;
      error = value(scale);
      if (error.empty() && !parseScale(scale, options.scale))
        error = "--scale takes a whole number from 1 to 8, not '" + quoted(scale) + "'";
      options.scaleGiven = true;
    } else if (a == "--trace") {
      error = value(options.tracePath);
    } else if (a == "-o") {
      error = value(options.outputPath);
    } else if (a == "--timeout") {
      std::string timeout;
      error = value(timeout);
      if (error.empty() && !parseTimeout(timeout, options.timeoutSeconds))
        error = "--timeout takes a whole number of seconds from 1 to 1000000, not '" +
                quoted(timeout) + "'";
    } else if (a == "--") {
      optionsEnded = true;
    } else if (isSurveyNumberOption(a)) {
      std::string number;
      error = value(number);
      if (error.empty()) {
        error = parseSurveyNumber(a, number, options.survey);
        if (!error.empty()) error += ", not '" + quoted(number) + "'";
      }
    } else if (a == "--start") {
      error = value(options.survey.startPath);
      options.survey.startGiven = true;
    } else if (isExploreOption(a)) {
      error = parseExploreOption(args, i, options.explore);
    } else if (isOption) {
      error = "unknown option " + quoted(a);
    }
    if (!error.empty()) return error;
  }
  if (std::string error = checkExploreOptions(options); !error.empty()) return error;
  if (std::string error = checkSurveyOptions(options); !error.empty()) return error;
  if (options.survey.count > 0 || options.explore.given()) return {};  // -o names a folder
  if (!options.outputPath.empty() && !endsWithIgnoringCase(options.outputPath, ".bmp") &&
      !endsWithIgnoringCase(options.outputPath, ".png"))
    return "the output file " + quotedName(options.outputPath) + " must end in .bmp or .png.";
  if (options.dataFile.empty()) return "no data file given";
  return {};
}

}  // namespace orbisk
