// Processor time of every formula set of the golden formula table, drawn larger: each record of
// tests/golden/formula-table.txt (all but the colour systems and shapes, which call no
// mathematical function) at size 300 on the Regular canvas, the best of a few runs. Built twice
// (bench/formula/CMakeLists.txt): with Orbisk's own functions and with the C library's, the
// renderer's code otherwise the same; compare-math.sh runs the two alternately.
//
//   orbisk_formula_times TABLE [RUNS]   prints "selector value seconds samples" per set
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/DataFile.h"
#include "model/PictureParams.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/RasterCanvas.h"

namespace {

double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// One run from the state the formula table starts from; returns the samples computed.
uint64_t render(const orbisk::PictureParams& p) {
  orbisk::RenderState state;
  state.levelcap = 0.5;
  state.red = 40;
  state.green = 80;
  state.blue = 120;
  orbisk::RasterCanvas canvas(632, 434);
  orbisk::RenderJob job(state, p, canvas);
  job.start();
  while (job.hasColumns()) job.stepColumn();
  return job.samples();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FORMULA_TABLE [RUNS]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string selector, value, calls, digest, record;
    fields >> selector >> value >> calls >> digest >> record;
    if (selector == "coloursystem" || selector == "shape" || record.empty()) continue;
    orbisk::PictureParams p;
    orbisk::applyRecord(orbisk::parseRecord(record), p);
    p.size = 300;
    double best = 1e300;
    uint64_t samples = 0;
    for (int r = 0; r < runs; ++r) {
      const double t0 = threadSeconds();
      samples = render(p);
      best = std::min(best, threadSeconds() - t0);
    }
    std::printf("%s %s %.6f %llu\n", selector.c_str(), value.c_str(), best,
                static_cast<unsigned long long>(samples));
    std::fflush(stdout);
  }
  return 0;
}
