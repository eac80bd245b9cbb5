#include "tools/trace/GoldenPictures.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "model/DataFile.h"
#include "model/FrameSize.h"
#include "render/run/RenderJob.h"
#include "render/surfaces/TraceSurface.h"

namespace orbisk {

const std::vector<GoldenPicture>& goldenPictures() {
  static const std::vector<GoldenPicture> pictures = {
      // point shape 16, Inward, other origin and colour system 5
      {"point16-inward",
       "40,3,9,1,3,4,9,6,26,5,13,7,1001,1001,-120,300,48,1001,5,16,0,0,"
       "20,0,40,1,1,1,25,25,0,0",
       1},
      // bar shape 4, Outward, length and width X3
      {"bar4-outward",
       "30,2,6,2,5,3,2,5,8,3,7,6,1001,1001,40,40,48,1001,3,4,0,0,0,0,0,1,"
       "3,3,-20,40,50,-30",
       1},
      // stroke shape 29 with inverse colours
      {"stroke29",
       "36,1,12,2,2,8,6,3,11,2,4,13,1001,1001,40,40,48,1001,1,29,1,0,0,0,0,1,"
       "1,1,25,25,0,0",
       1},
      // tiled shape 32 on Detail Low
      {"tiled32-low",
       "30,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,32,0,0,0,0,0,"
       "1,1,1,25,25,0,0",
       4},
      // bar shape 5 (anchor fails at column 0), stroke 20, Detail Low Inward
      {"bar5-low-inward",
       "40,4,3,1,11,10,11,7,20,9,15,20,1001,1001,10,-70,100,1001,12,5,"
       "0,0,0,0,0,1,5,1,10,30,0,0",
       4},
  };
  return pictures;
}

const GoldenPicture* findGoldenPicture(const std::string& name) {
  for (const GoldenPicture& g : goldenPictures())
    if (name == g.name) return &g;
  return nullptr;
}

PictureParams goldenParams(const GoldenPicture& picture) {
  PictureParams p;
  applyRecord(parseRecord(std::string(picture.record)), p);
  p.detailstep = picture.detailstep;
  return p;
}

std::string traceOfRun(const PictureParams& params, RenderState& state, int width, int height) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  if (out == nullptr) throw std::bad_alloc();
  {
    TraceSurface tracer(out, nullptr, width, height);
    RenderJob job(state, params, tracer);
    job.start();
    while (job.hasColumns()) job.stepColumn();
  }
  const bool written = std::ferror(out) == 0;
  const bool closed = std::fclose(out) == 0;
  std::string text = written && closed ? std::string(buffer, size) : std::string();
  std::free(buffer);
  if (!written || !closed) throw std::bad_alloc();  // a stream in memory fails only for memory
  return text;
}

std::string traceOfFreshRun(const PictureParams& params) {
  RenderState state;
  const CanvasSize canvas = frameCanvasSize(params.framesize);
  return traceOfRun(params, state, canvas.width, canvas.height);
}

}  // namespace orbisk
