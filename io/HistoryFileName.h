// The names of history entries: "<milliseconds since 1970, 16 digits>-<16 hex digits>[-star].png".
// Plain C++, so the fuzz targets can read names without Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbisk {

struct HistoryFileName {
  int64_t msecs = 0;     // when the entry was made, milliseconds since 1970 UTC, 0..10^16 - 1
  uint64_t tag = 0;      // random bits that keep names made in the same millisecond apart
  bool starred = false;  // kept for good
};

// The name for these values; msecs outside 0..10^16 - 1 is clamped into it.
std::string formatHistoryFileName(const HistoryFileName& name);
// The values a name stands for; nothing for a name of any other form (hex digits in lower case
// only, so every name has one spelling).
std::optional<HistoryFileName> parseHistoryFileName(std::string_view name);

}  // namespace orbisk
