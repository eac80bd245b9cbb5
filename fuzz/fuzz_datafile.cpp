// libFuzzer target: the data-file reader, loader and writer on arbitrary bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/DataFileProperties.h"

namespace {

// One scratch file per process, removed when the fuzzer exits.
char scratchPath[64];

void removeScratchFile() {
  std::remove(scratchPath);
}

const char* scratchFile() {
  if (scratchPath[0] == '\0') {
    std::snprintf(scratchPath, sizeof scratchPath, "/tmp/orbisk-fuzz-datafile-%ld.dat",
                  static_cast<long>(getpid()));
    std::atexit(removeScratchFile);
  }
  return scratchPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string problem = orbisk::fuzz::dataFileProblem(bytes, scratchFile());
  if (!problem.empty()) {
    std::fprintf(stderr, "data file property broken: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
