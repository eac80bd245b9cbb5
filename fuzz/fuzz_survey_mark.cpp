// libFuzzer target: the mark orbisk-render --random finds in a survey's folder, a file anyone
// who may write the folder may have written. Arbitrary bytes as the mark found: the survey's own
// mark passes, anything else is refused in one printable line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/SurveyMark.h"

namespace {

[[noreturn]] void broken(const char* property, const std::string& detail) {
  std::fprintf(stderr, "%s: \"%s\"\n", property, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view found(reinterpret_cast<const char*>(data), size);
  // The survey's own mark: a seed from the first bytes, a start record from the rest.
  unsigned long long seed = 0;
  for (std::size_t i = 0; i < size && i < 8; ++i) seed = seed << 8 | data[i];
  const std::string own = orbisk::surveyMark(seed, size > 8 ? std::string(found.substr(8)) : "");
  if (!orbisk::markMismatch(own, own).empty()) broken("its own mark refused", own);

  const std::string said = orbisk::markMismatch(found, own);
  if (said.empty() != (found == own)) broken("a foreign mark taken", std::string(found));
  for (const char c : said) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) broken("a refusal that is not one plain line", said);
  }
  return 0;
}
