// orbisk-render: renders a data file without a window.
#include <cstdio>

#include "cli/RenderCommand.h"

int main(int argc, char** argv) {
  return orbisk::renderCommand(argc, argv, stderr);
}
