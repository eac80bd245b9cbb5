#include "io/HistoryFileName.h"

#include <algorithm>

namespace orbisk {

namespace {

constexpr std::size_t kTimeDigits = 16, kTagDigits = 16;
constexpr int64_t kLatestMsecs = 9'999'999'999'999'999;  // the most 16 digits hold

}  // namespace

std::string formatHistoryFileName(const HistoryFileName& name) {
  std::string text(kTimeDigits + 1 + kTagDigits, '-');
  int64_t msecs = std::clamp<int64_t>(name.msecs, 0, kLatestMsecs);
  for (std::size_t i = kTimeDigits; i-- > 0; msecs /= 10)
    text[i] = static_cast<char>('0' + msecs % 10);
  uint64_t tag = name.tag;
  for (std::size_t i = kTagDigits; i-- > 0; tag >>= 4)
    text[kTimeDigits + 1 + i] = "0123456789abcdef"[tag & 0xfu];
  return text + (name.starred ? "-star.png" : ".png");
}

std::optional<HistoryFileName> parseHistoryFileName(std::string_view name) {
  constexpr std::string_view kStarred = "-star.png", kPlain = ".png";
  constexpr std::size_t kStem = kTimeDigits + 1 + kTagDigits;
  HistoryFileName parsed;
  const std::string_view rest = name.substr(std::min(name.size(), kStem));
  if (rest == kStarred) {
    parsed.starred = true;
  } else if (rest != kPlain) {
    return std::nullopt;
  }
  // 16 decimal digits stay below 2^63 and 16 hex digits fill 64 bits: nothing can overflow.
  for (std::size_t i = 0; i < kTimeDigits; ++i) {
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    parsed.msecs = parsed.msecs * 10 + (name[i] - '0');
  }
  if (name[kTimeDigits] != '-') return std::nullopt;
  for (std::size_t i = kTimeDigits + 1; i < kStem; ++i) {
    const char c = name[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    parsed.tag = (parsed.tag << 4) | digit;
  }
  return parsed;
}

}  // namespace orbisk
