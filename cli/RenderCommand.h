// The headless renderer: what the program does after a fresh start, Load data and one CREATE;
// or, for a PNG carrying its record, the run that drew that picture.
#pragma once

#include <cstdio>

#include "cli/RenderOptions.h"

namespace orbisk {

// Renders; returns the exit status (0, or 2 after writing a one-line message to err).
int runRender(const RenderOptions& options, std::FILE* err);

// The whole command line: usage errors and render errors exit with status 2.
int renderCommand(int argc, char** argv, std::FILE* err);

}  // namespace orbisk
