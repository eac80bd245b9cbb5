// libFuzzer target: a render of an arbitrary record on a canvas of each frame size, bounded to a
// fixed budget of samples per input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/BoundedRender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const orbisk::fuzz::BoundedRenderResult result = orbisk::fuzz::renderBounded(data, size);
  if (!result.problem.empty()) {
    std::fprintf(stderr, "render property broken: %s\n", result.problem.c_str());
    std::abort();
  }
  return 0;
}
