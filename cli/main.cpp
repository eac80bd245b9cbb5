// orbisk-render: renders a data file without a window.
#include <cstdio>

#include "cli/RenderCommand.h"
#include "cli/RenderProcess.h"

int main(int argc, char** argv) {
  orbisk::prepareRenderProcess();
  return orbisk::renderCommand(argc, argv, stderr);
}
