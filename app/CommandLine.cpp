#include "app/CommandLine.h"

#include <cstring>

#include "OrbiskVersion.h"

namespace orbisk {

namespace {

// One line per option; a new option or operand gets its line here and in the usage line.
constexpr const char* kHelp = R"(Usage: orbisk [OPTION]...
Start Orbisk, the desktop program that draws fractal-like pictures from integer
formula choices.

  -h, --help     display this help and exit
      --version  output version information and exit

Qt's standard options, such as -style NAME or -platform NAME, are accepted too.

Exit status:
 0  if OK,
    otherwise the program could not start (for example without a display).

Example:
  orbisk -style Fusion    start with Qt's Fusion look
)";

}  // namespace

std::optional<int> answerInfoOptions(int argc, char** argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, out);
      return 0;
    }
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fprintf(out, "orbisk (Orbisk) %s\n", ORBISK_VERSION);
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace orbisk
