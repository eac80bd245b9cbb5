// libFuzzer target: the command lines of both programs, from arbitrary bytes split into
// arguments at NUL bytes (an argument can hold every other byte, as on a real command line).
// orbisk-render's options either come out usable (a picture to render, a survey of random
// candidates into a folder, variations or children of pictures into a folder, or a film) or are
// refused in one line; the desktop program's --help/--version answer only to those exact words.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "cli/AnimateOptions.h"
#include "cli/RenderOptions.h"
#include "io/ShownText.h"

namespace {

// More arguments than any real command line needs; the rest of the input is ignored.
constexpr size_t kMaxArguments = 64;

[[noreturn]] void broken(const char* property, const std::string& detail) {
  std::fprintf(stderr, "%s: \"%s\"\n", property, detail.c_str());
  std::abort();
}

void checkOneLine(const std::string& error) {
  for (const char c : error) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) broken("a refusal that is not one plain line", error);
  }
}

// A film: pictures (two or more for a path, one to grow) or folders to join, an output whose
// name says what it is, and only the options of its kind, each within its bounds.
void checkFilmOptions(const std::vector<std::string>& args) {
  using Mode = orbisk::AnimateOptions::Mode;
  orbisk::AnimateOptions options;
  const std::string error = orbisk::parseAnimateOptions(args, options);
  if (!error.empty()) return checkOneLine(error);
  const std::size_t inputs = options.inputs.size();
  if (options.mode == Mode::Path && (inputs < 2 || inputs > orbisk::FilmPath::kMaxKeyframes))
    broken("a path film without two to a hundred pictures", std::to_string(inputs));
  if (options.mode == Mode::Grow && inputs != 1) broken("a growing picture but one", "");
  if (options.mode == Mode::Join && inputs < 1) broken("a join without a folder", "");
  if (options.mode == Mode::Path && (options.frames < orbisk::FilmPath::kMinFrames ||
                                     options.frames > orbisk::FilmPath::kMaxFrames))
    broken("accepted frames outside 2..10000", std::to_string(options.frames));
  if (options.fps < 1 || options.fps > orbisk::AnimateOptions::kMaxFps || options.scale < 1 ||
      options.scale > 8 || options.every < 1)
    broken("a rate, scale or step out of bounds", "");
  const auto format = orbisk::filmFormatFor(options.outputPath);
  if (options.outputPath.empty() || !format || *format != options.format)
    broken("an output whose name says another format", options.outputPath);
  if (options.mode == Mode::Join && options.format == orbisk::FilmFormat::Folder)
    broken("a join into a folder", options.outputPath);
  if (options.sliced && (options.format != orbisk::FilmFormat::Folder || options.count < 1))
    broken("a slice that is not a folder of frames", options.outputPath);
  if (options.sliced && options.mode == Mode::Path &&
      options.first + options.count > options.frames)
    broken("a slice past the last frame", std::to_string(options.first));
  for (const std::string& a : args)
    if (a.empty()) broken("accepted an empty argument", "");
}

void checkRenderOptions(const std::vector<std::string>& args) {
  if (orbisk::isFilmCommand(args)) return checkFilmOptions(args);
  orbisk::RenderOptions options;
  const std::string error = orbisk::parseRenderOptions(args, options);
  if (!error.empty()) {
    for (const char c : error) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte == 0x7f) broken("a refusal that is not one plain line", error);
    }
    return;
  }
  const orbisk::SurveyOptions& survey = options.survey;
  const orbisk::ExploreOptions& explore = options.explore;
  if (explore.given()) {
    if (survey.count > 0 || survey.firstGiven || survey.startGiven)
      broken("pictures made from others with a survey's option", "");
    if (explore.variations > orbisk::ExploreOptions::kMaxCount)
      broken("accepted more variations than allowed", std::to_string(explore.variations));
    if (explore.variations > 0 && (options.dataFile.empty() || !explore.breedFirst.empty()))
      broken("variations without exactly one picture", options.dataFile);
    if (explore.variations == 0 &&
        (explore.breedSecond.empty() || !options.dataFile.empty() || explore.stepGiven))
      broken("breeding without exactly two pictures, or with a step", options.dataFile);
    if (options.outputPath.empty()) broken("pictures made from others without a folder", "");
    if (!options.tracePath.empty() || options.scaleGiven || options.detailGiven ||
        options.timeoutSeconds != 0)
      broken("pictures made from others with a renderer's option", "");
    return;
  }
  if (explore.stepGiven) broken("--step without --variations", "");
  if (survey.count > 0) {
    if (survey.count > orbisk::SurveyOptions::kMaxCount)
      broken("accepted more candidates than allowed", std::to_string(survey.count));
    if (!options.dataFile.empty()) broken("a survey with a data file", options.dataFile);
    if (options.outputPath.empty()) broken("a survey without a folder", "");
    if (!options.tracePath.empty() || options.scaleGiven || options.detailGiven)
      broken("a survey with a renderer's option", "");
    // --timeout bounds each candidate of a survey.
    if (options.timeoutSeconds < 0 || options.timeoutSeconds > 1000000)
      broken("accepted a timeout outside 1..1000000", std::to_string(options.timeoutSeconds));
    if (survey.first + survey.count < survey.first)
      broken("candidate numbers past the last", std::to_string(survey.first));
    return;
  }
  if (survey.seedGiven || survey.firstGiven || survey.startGiven)
    broken("a survey's option without --random", "");
  if (options.dataFile.empty()) broken("accepted without a data file", "");
  if (options.scale < 1 || options.scale > 8)
    broken("accepted a scale outside 1..8", std::to_string(options.scale));
  if (!options.scaleGiven && options.scale != 1)
    broken("a scale without --scale", std::to_string(options.scale));
  if (options.lowDetail && !options.detailGiven) broken("low detail without --detail", "");
  if (!options.outputPath.empty() && !orbisk::endsWithIgnoringCase(options.outputPath, ".bmp") &&
      !orbisk::endsWithIgnoringCase(options.outputPath, ".png"))
    broken("accepted an output that is neither .bmp nor .png", options.outputPath);
  if (options.timeoutSeconds < 0 || options.timeoutSeconds > 1000000)
    broken("accepted a timeout outside 1..1000000", std::to_string(options.timeoutSeconds));
  for (const std::string& a : args)
    if (a.empty()) broken("accepted an empty argument", "");
}

// What a message shows of an argument is printable UTF-8 on one line: no control character, no
// bidirectional override, no byte outside a well-formed sequence.
void checkShownText(const std::string& argument) {
  const std::string shown = orbisk::shownText(argument);
  for (size_t i = 0; i < shown.size();) {
    const auto byte = static_cast<unsigned char>(shown[i]);
    if (byte < 0x80) {
      if (byte < 0x20 || byte == 0x7f) broken("a control character shown", shown);
      ++i;
      continue;
    }
    const size_t length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : 2;
    if (byte < 0xc2 || byte > 0xf4 || i + length > shown.size())
      broken("invalid UTF-8 shown", shown);
    char32_t c = byte & (length == 2 ? 0x1f : length == 3 ? 0x0f : 0x07);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(shown[i + k]);
      if ((next & 0xc0) != 0x80) broken("invalid UTF-8 shown", shown);
      c = (c << 6) | (next & 0x3f);
    }
    if (c <= 0x9f || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069))
      broken("a C1 control or bidirectional control shown", shown);
    i += length;
  }
  // A quoted name ends only at its closing quote: every quote inside is escaped.
  const std::string quoted = orbisk::quotedName(argument);
  for (size_t i = 1; i + 1 < quoted.size(); ++i)
    if (quoted[i] == '"' && quoted[i - 1] != '\\') broken("a quote inside a quoted name", quoted);
}

void checkInfoOptions(std::vector<std::string> args) {
  static std::FILE* const sink = std::fopen("/dev/null", "w");
  bool asked = false;
  for (const std::string& a : args) asked = asked || a == "--help" || a == "-h" || a == "--version";
  args.insert(args.begin(), "orbisk");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::optional<int> status =
      orbisk::answerInfoOptions(static_cast<int>(args.size()), argv.data(), sink);
  if (status.has_value() != asked || (status && *status != 0))
    broken("--help/--version answered wrongly", asked ? "asked" : "not asked");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  size_t start = 0;
  while (args.size() < kMaxArguments) {
    const size_t end = bytes.find('\0', start);
    args.emplace_back(bytes.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (size == 0) args.clear();  // no bytes: an empty command line
  checkRenderOptions(args);
  checkInfoOptions(args);
  for (const std::string& a : args) checkShownText(a);
  return 0;
}
