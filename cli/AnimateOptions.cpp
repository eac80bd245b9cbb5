#include "cli/AnimateOptions.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "io/ShownText.h"

namespace orbisk {

namespace {

// Plain decimal digits within min..max, nothing else.
bool parseWhole(const std::string& text, int min, int max, int& value) {
  int read = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, read);
  if (text.empty() || text[0] == '-' || ec != std::errc() || ptr != end || read < min || read > max)
    return false;
  value = read;
  return true;
}

const char* modeOption(AnimateOptions::Mode mode) {
  switch (mode) {
    case AnimateOptions::Mode::Path:
      return "--animate";
    case AnimateOptions::Mode::Grow:
      return "--grow";
    case AnimateOptions::Mode::Join:
      break;
  }
  return "--join";
}

// The options that may go with each mode, beyond -o.
bool belongs(const std::string& option, AnimateOptions::Mode mode) {
  using M = AnimateOptions::Mode;
  if (option == "--frames" || option == "--ease") return mode == M::Path;
  if (option == "--every") return mode == M::Grow;
  if (option == "--fps" || option == "--scale" || option == "--first" || option == "--count")
    return mode != M::Join;
  return true;
}

// The whole line's options against each other, once every one is read.
std::string checkTogether(const std::set<std::string>& given, AnimateOptions& options) {
  using M = AnimateOptions::Mode;
  const char* mode = modeOption(options.mode);
  for (const std::string& option : given) {
    if (!belongs(option, options.mode)) return option + " cannot be used with " + mode;
  }
  const std::size_t inputs = options.inputs.size();
  if (options.mode == M::Path && inputs < 2)
    return "--animate needs at least two pictures: FROM and TO";
  if (options.mode == M::Path && inputs > FilmPath::kMaxKeyframes)
    return "--animate takes at most " + std::to_string(FilmPath::kMaxKeyframes) + " pictures";
  if (options.mode == M::Grow && inputs != 1) return "--grow takes one picture";
  if (options.mode == M::Join && inputs < 1) return "--join needs at least one folder of frames";
  if (options.mode == M::Path && !given.contains("--frames")) return "--animate needs --frames N";
  if (given.contains("--first") != given.contains("--count"))
    return "--first and --count go together";
  if (options.outputPath.empty()) return std::string(mode) + " needs -o OUT";
  const std::optional<FilmFormat> format = filmFormatFor(options.outputPath);
  if (!format)
    return "the output must end in .webm, .mp4, .png or .gif, or name a folder: " +
           shownText(options.outputPath);
  options.format = *format;
  if (options.mode == M::Join && options.format == FilmFormat::Folder)
    return "--join writes a film: .webm, .mp4, .png or .gif, not a folder";
  options.sliced = given.contains("--first");
  if (options.sliced && options.format != FilmFormat::Folder)
    return "--first and --count write a slice of frames into a folder";
  if (options.sliced && options.mode == M::Path && options.first > options.frames - options.count)
    return "--first and --count go past the film's last frame (" +
           std::to_string(options.frames - 1) + ")";
  return {};
}

}  // namespace

bool isFilmCommand(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--animate" || a == "--grow" || a == "--join") return true;
  }
  return false;
}

std::string parseAnimateOptions(const std::vector<std::string>& args, AnimateOptions& options) {
  using M = AnimateOptions::Mode;
  std::set<std::string> given;  // the options seen so far: each may be given once
  bool modeGiven = false;
  bool optionsEnded = false;  // after "--" every argument is a file name
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.empty()) return "an empty argument is neither an option nor a file name";
    const bool isOption = !optionsEnded && a.size() > 1 && a[0] == '-';
    if (!isOption) {
      options.inputs.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (!given.insert(a).second) return "option " + shownText(a) + " given more than once";
    if (a == "--animate" || a == "--grow" || a == "--join") {
      if (modeGiven) return "--animate, --grow and --join cannot be used together";
      modeGiven = true;
      options.mode = a == "--animate" ? M::Path : a == "--grow" ? M::Grow : M::Join;
      given.erase(a);
      continue;
    }
    std::string value;
    if (a == "-o" || a == "--frames" || a == "--fps" || a == "--scale" || a == "--ease" ||
        a == "--every" || a == "--first" || a == "--count") {
      if (i + 1 >= args.size()) return "option " + a + " needs a value";
      if (args[i + 1].empty()) return "option " + a + " needs a value, not an empty argument";
      value = args[++i];
    } else {
      return "unknown option " + shownText(a) + " for a film";
    }
    const auto whole = [&](int min, int max, int& into) -> std::string {
      if (parseWhole(value, min, max, into)) return {};
      return a + " takes a whole number from " + std::to_string(min) + " to " +
             std::to_string(max) + ", not '" + shownText(value) + "'";
    };
    std::string error;
    if (a == "-o") {
      options.outputPath = value;
    } else if (a == "--frames") {
      error = whole(FilmPath::kMinFrames, FilmPath::kMaxFrames, options.frames);
    } else if (a == "--fps") {
      error = whole(1, AnimateOptions::kMaxFps, options.fps);
      options.fpsGiven = true;
    } else if (a == "--scale") {
      error = whole(1, 8, options.scale);
      options.scaleGiven = true;
    } else if (a == "--every") {
      error = whole(1, AnimateOptions::kMaxEvery, options.every);
      options.everyGiven = true;
    } else if (a == "--first") {
      error = whole(0, FilmPath::kMaxFrames - 1, options.first);
    } else if (a == "--count") {
      error = whole(1, FilmPath::kMaxFrames, options.count);
    } else if (a == "--ease") {
      if (value != "in-out" && value != "linear")
        error = "--ease takes in-out or linear, not '" + shownText(value) + "'";
      options.easing = value == "linear" ? FilmEasing::Linear : FilmEasing::InOut;
      options.easingGiven = true;
    }
    if (!error.empty()) return error;
  }
  if (!modeGiven) return "a film needs --animate, --grow or --join";
  return checkTogether(given, options);
}

}  // namespace orbisk
