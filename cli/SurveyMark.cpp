#include "cli/SurveyMark.h"

#include "OrbiskVersion.h"
#include "io/ShownText.h"

namespace orbisk {

namespace {

constexpr std::size_t kMaxShownSeed = 40;  // a seed has at most 20 digits; more is no seed

// The seed line of a mark: what follows "seed " up to the line's end, "" when there is none.
std::string_view seedOf(std::string_view mark) {
  constexpr std::string_view kSeed = "\nseed ";
  const std::size_t at = mark.find(kSeed);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = mark.substr(at + kSeed.size());
  return rest.substr(0, rest.find('\n'));
}

}  // namespace

std::string surveyMark(unsigned long long seed, const std::string& startRecord) {
  return std::string("Orbisk random candidates\nprogram ") + ORBISK_VERSION + "\nseed " +
         std::to_string(seed) + "\nstart " + (startRecord.empty() ? "start-up values" : "") + "\n" +
         startRecord;
}

std::string markMismatch(std::string_view found, const std::string& mark) {
  if (found == mark) return {};
  const std::string_view seed = seedOf(found);
  if (seed.empty() || seed.size() > kMaxShownSeed) return "holds another survey";
  return "holds another survey (seed " + shownText(seed) + ")";
}

}  // namespace orbisk
