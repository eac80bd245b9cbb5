// libFuzzer target: the reader of history entry names, on arbitrary bytes. A name it accepts must
// be exactly the name written for the values it read: every entry has one spelling, so starring
// and listing never take one file for another.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "io/HistoryFileName.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<orbisk::HistoryFileName> name = orbisk::parseHistoryFileName(bytes);
  if (!name) return 0;
  if (name->msecs < 0 || orbisk::formatHistoryFileName(*name) != bytes) {
    std::fprintf(stderr, "an accepted name is not the one written for its values\n");
    std::abort();
  }
  return 0;
}
