// libFuzzer target: the reader of the page's links (the address fragment after the page has
// percent-decoded it), on arbitrary bytes. A refusal is one line; whatever it accepts is a
// picture whose own link names it again exactly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/core/WebPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbisk::web;
  const Answer picture = pictureOfLink(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!picture.ok) {
    if (picture.message.empty() || picture.message.find('\n') != std::string::npos) {
      std::fprintf(stderr, "a refusal without a one-line reason: \"%s\"\n",
                   picture.message.c_str());
      std::abort();
    }
    return 0;
  }
  const Answer link = linkOf(picture.text);
  const Answer again = link.ok ? pictureOfLink(link.text) : Answer{};
  if (!again.ok || again.text != picture.text) {
    std::fprintf(stderr, "an accepted link does not come back through its own link: %s\n",
                 again.message.c_str());
    std::abort();
  }
  return 0;
}
