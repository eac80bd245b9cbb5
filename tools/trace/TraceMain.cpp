#include <cstdio>

#include "tools/trace/TraceCommand.h"

int main(int argc, char** argv) {
  const int status = orbisk::traceCommand(argc, argv, stdout, stderr);
  // The trace is only complete once it has reached the file.
  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "orbisk-trace: cannot write the output\n");
    return 2;
  }
  return status;
}
