// The desktop program's seeds for Random and the gallery: the clock, so every run differs. The
// plain C++ core never reads the clock; its callers hand it a seed.
#pragma once

#include <chrono>
#include <cstdint>

namespace orbisk {

inline uint64_t clockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace orbisk
