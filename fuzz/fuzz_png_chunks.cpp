// libFuzzer target: finding the record among a PNG's chunks, on arbitrary bytes. A text it finds
// is within the bound and holds no NUL; a refusal gives a one-line reason.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "io/PngChunks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Small bounds, so that the fuzzer reaches them with small inputs.
  const orbisk::PngTextLimits limits{512, 1024};
  const orbisk::PngTextRead read = orbisk::findPngText(bytes, "Orbisk record", limits);
  using Outcome = orbisk::PngTextRead::Outcome;
  if (read.outcome == Outcome::Found) {
    if (read.text.size() > limits.maxTextBytes || read.text.find('\0') != std::string::npos) {
      std::fprintf(stderr, "a found text beyond the bound or with a NUL (%zu bytes)\n",
                   read.text.size());
      std::abort();
    }
  } else if (read.outcome == Outcome::Refused || read.outcome == Outcome::Broken) {
    if (read.reason.empty() || read.reason.find('\n') != std::string::npos) {
      std::fprintf(stderr, "a refusal without a one-line reason: \"%s\"\n", read.reason.c_str());
      std::abort();
    }
  }
  return 0;
}
