#include "cli/ExploreOptions.h"

#include <charconv>

#include "cli/RenderOptions.h"
#include "io/ShownText.h"

namespace orbisk {

bool isExploreOption(const std::string& option) {
  return option == "--variations" || option == "--step" || option == "--breed";
}

std::string parseExploreOption(const std::vector<std::string>& args, std::size_t& i,
                               ExploreOptions& explore) {
  const std::string& option = args[i];
  const std::size_t values = option == "--breed" ? 2 : 1;
  for (std::size_t v = 1; v <= values; ++v)
    if (i + v >= args.size() || args[i + v].empty())
      return "option " + option + (values == 2 ? " needs two pictures" : " needs a value");
  const std::string& text = args[i + 1];
  i += values;
  if (option == "--breed") {
    explore.breedFirst = text;
    explore.breedSecond = args[i];
    return {};
  }
  if (option == "--step") {
    explore.stepGiven = true;
    // The words are the step control's: a little, more, a lot.
    if (text == "little")
      explore.step = VariationStep::Little;
    else if (text == "more")
      explore.step = VariationStep::More;
    else if (text == "lot")
      explore.step = VariationStep::Lot;
    else
      return "--step takes little, more or lot, not '" + shownText(text) + "'";
    return {};
  }
  uint64_t count = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, count);
  if (text[0] == '+' || ec != std::errc() || ptr != end || count < 1 ||
      count > ExploreOptions::kMaxCount)
    return "--variations takes a whole number from 1 to 1000, not '" + shownText(text) + "'";
  explore.variations = count;
  return {};
}

std::string checkExploreOptions(const RenderOptions& options) {
  const ExploreOptions& explore = options.explore;
  if (!explore.given()) return explore.stepGiven ? "--step needs --variations" : "";
  const char* name = explore.variations > 0 ? "--variations" : "--breed";
  if (explore.variations > 0 && !explore.breedFirst.empty())
    return "--variations and --breed cannot be used together";
  if (explore.stepGiven && explore.variations == 0) return "--step needs --variations";
  if (options.survey.count > 0) return std::string(name) + " cannot be used with --random";
  if (options.survey.firstGiven || options.survey.startGiven)
    return std::string(name) + " takes neither --first nor --start";
  if (!options.tracePath.empty() || options.scaleGiven || options.detailGiven ||
      options.timeoutSeconds > 0)
    return std::string(name) + " takes none of --trace, --scale, --detail and --timeout";
  if (explore.variations > 0 && options.dataFile.empty()) return "--variations needs a picture";
  if (!explore.breedFirst.empty() && !options.dataFile.empty())
    return "--breed takes its two pictures after it, not another";
  if (options.outputPath.empty()) return std::string(name) + " needs -o FOLDER";
  return {};
}

}  // namespace orbisk
