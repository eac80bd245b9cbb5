// libFuzzer target: the reader of the "Orbisk record" text that PNGs carry, on arbitrary bytes.
// Whatever it accepts must come back unchanged through the writer and the reader again, and its
// column range must be one a run can leave (one end at 0).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "session/PictureRecordText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<orbisk::DrawnPicture> picture = orbisk::parsePictureRecord(bytes, &error);
  if (!picture) {
    if (error.empty() || error.find('\n') != std::string::npos) {
      std::fprintf(stderr, "a refusal without a one-line reason: \"%s\"\n", error.c_str());
      std::abort();
    }
    return 0;
  }
  const orbisk::RenderState& state = picture->startState;
  if (state.colstart != 0 && state.colend != 0) {
    std::fprintf(stderr, "an accepted record with the column range %d..%d\n", state.colstart,
                 state.colend);
    std::abort();
  }
  const std::string text = orbisk::formatPictureRecord(*picture);
  const std::optional<orbisk::DrawnPicture> again = orbisk::parsePictureRecord(text, &error);
  if (!again || orbisk::formatPictureRecord(*again) != text) {
    std::fprintf(stderr, "an accepted record does not survive writing and reading: %s\n",
                 error.c_str());
    std::abort();
  }
  return 0;
}
