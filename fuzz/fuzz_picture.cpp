// libFuzzer target: the structure check that refuses cut-off or broken picture files.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/PictureStructure.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const orbisk::PictureStructure verdict = orbisk::checkPictureStructure(bytes);
  // Bytes after a complete picture (as some cameras append) never make it incomplete.
  if (verdict == orbisk::PictureStructure::Complete) {
    const std::string longer = std::string(bytes) + std::string(17, '\xff');
    if (orbisk::checkPictureStructure(longer) != orbisk::PictureStructure::Complete) {
      std::fprintf(stderr, "picture structure: a complete picture with bytes appended is not\n");
      std::abort();
    }
  }
  return 0;
}
