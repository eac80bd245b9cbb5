#include "cli/RenderOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "render/ScaledSurface.h"

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

// An argument as an error message quotes it: control characters (a newline inside a file name,
// an escape sequence) are spelt out, so the message stays one line and leaves the terminal alone.
std::string quoted(const std::string& argument) {
  std::string text;
  for (const char c : argument) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      text += c;
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\t') {
      text += "\\t";
    } else if (c == '\r') {
      text += "\\r";
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      text += escape;
    }
  }
  return text;
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
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) -> std::string {
      if (i + 1 >= args.size()) return "option " + a + " needs a value";
      into = args[++i];
      return {};
    };
    std::string error;
    if (a == "--detail") {
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
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + quoted(a);
    } else if (options.dataFile.empty()) {
      options.dataFile = a;
    } else {
      error = "more than one data file given";
    }
    if (!error.empty()) return error;
  }
  if (std::string error = checkSurveyOptions(options); !error.empty()) return error;
  if (options.survey.count > 0) return {};  // -o names a folder
  if (!options.outputPath.empty() && !endsWithIgnoringCase(options.outputPath, ".bmp") &&
      !endsWithIgnoringCase(options.outputPath, ".png"))
    return "the output file must end in .bmp or .png: " + quoted(options.outputPath);
  if (options.dataFile.empty()) return "no data file given";
  return {};
}

}  // namespace orbisk
