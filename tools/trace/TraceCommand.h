// orbisk-trace: the traces of orbisk-render --trace without Qt, for building with any compiler,
// WebAssembly included, and comparing what the builds draw.
#pragma once

#include <cstdio>

namespace orbisk {

// Runs the command line (argv[0] is the program's name) and writes the result on out:
//   [--detail high|low] DATAFILE  the trace orbisk-render --trace writes for the data file
//   --golden NAME                 the trace of a golden picture (tests/golden/NAME.trace)
//   --golden-names                the golden pictures' names, one a line
//   --formula-table               the lines of tests/golden/formula-table.txt
// Returns 0, or 2 after one line on err when the command line or the data file is bad.
int traceCommand(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace orbisk
