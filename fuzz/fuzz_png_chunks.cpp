// libFuzzer target: finding the record among a PNG's chunks, on arbitrary bytes, as they come and
// with every chunk's checksum made right (a mutation would otherwise rarely get past the
// checksums to the chunks' contents). A text it finds is within the bound and holds no NUL; a
// refusal gives a one-line reason.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/PngChunks.h"

namespace {

uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

std::string withRightChecksums(std::string bytes) {
  std::size_t at = 8;  // after the signature
  while (bytes.size() >= at + 12) {
    const uint32_t length = bigEndian32(bytes, at);
    if (length > bytes.size() - at - 12) break;
    const auto crc = static_cast<uint32_t>(
        ::crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + at + 4), length + 4));
    for (std::size_t i = 0; i < 4; ++i)
      bytes[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
  return bytes;
}

void check(std::string_view bytes) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  check(bytes);
  check(withRightChecksums(bytes));
  return 0;
}
