// The desktop program's own command-line options, answered before any window or display exists.
#pragma once

#include <cstdio>
#include <optional>

namespace orbisk {

// Prints the help or the version when --help (-h) or --version is on the command line and
// returns the exit status; returns nothing when the program should start as usual. Everything
// else on the line is left to Qt, which takes its own options (-style, -platform, ...).
std::optional<int> answerInfoOptions(int argc, char** argv, std::FILE* out);

}  // namespace orbisk
