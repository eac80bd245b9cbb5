#include "tools/trace/FormulaTable.h"

#include <algorithm>
#include <cstdio>

#include "model/DataFile.h"
#include "model/PictureParams.h"
#include "render/run/RenderState.h"
#include "tools/trace/GoldenPictures.h"

namespace orbisk {

namespace {

// One selector swept from first to last. Its base record is chosen so that every value of the
// selector draws and a changed sign in any of its formulas changes the picture.
struct Sweep {
  const char* name;               // the selector's name in the table
  int16_t PictureParams::*field;  // the selector
  int first, last;                // values, one past each end of the range included
  const char* base;               // record the selector is changed from
};

// The start-up picture at size 16 on the Thumbnail frame.
constexpr const char* kOrigin =
    "16,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0";
// The same with Length X3 (B = 2 for shape 20), slide -20 (shape 14 meets S + c = 0), height 30
// (T - 25 and T - 24 not 0 nor 1) and the anchor shifted, so that every term of a shape counts.
constexpr const char* kShapes =
    "16,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,3,1,-20,30,5,-7";

// World 1, v1b Cos, level P x P and solar system Atn: here a changed sign in the category table
// reaches the picture even for category 7, whose det is 0.
constexpr const char* kCategory =
    "16,1,6,2,1,3,4,3,16,1,5,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0";

const Sweep kSweeps[] = {
    {"galaxy", &PictureParams::ali, 0, 15, kOrigin},
    {"solarsystem", &PictureParams::sols, 0, 21, kOrigin},
    {"world", &PictureParams::worldw, 0, 11, kOrigin},
    {"lab", &PictureParams::cit, 0, 25, kOrigin},
    {"level", &PictureParams::w, 0, 36, kOrigin},
    {"effect", &PictureParams::eff, 0, 21, kOrigin},
    {"category", &PictureParams::cat, 0, 11, kCategory},
    {"type", &PictureParams::t1, 0, 9, kOrigin},
    {"v1a", &PictureParams::func1, 0, 12, kOrigin},
    {"v1b", &PictureParams::func2, 0, 12, kOrigin},
    {"coloursystem", &PictureParams::xraykleur, 0, 15, kOrigin},
    {"shape", &PictureParams::driedkeuze, 0, 39, kShapes},
};

// A run of the picture on the Thumbnail canvas. The working state holds what an earlier picture
// may have left, so that a choice wrongly treated as unknown (which keeps the old value) draws
// differently from one that sets the old value again.
std::string traceOfTablePicture(const PictureParams& p) {
  RenderState state;
  state.levelcap = 0.5;
  state.red = 40;
  state.green = 80;
  state.blue = 120;
  return traceOfRun(p, state, 117, 90);
}

}  // namespace

uint64_t fnv1a(const std::string& text) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::vector<std::string> formulaTableLines() {
  std::vector<std::string> lines;
  for (const Sweep& s : kSweeps) {
    for (int v = s.first; v <= s.last; ++v) {
      PictureParams p;
      applyRecord(parseRecord(std::string(s.base)), p);
      p.*s.field = static_cast<int16_t>(v);  // set directly: a record keeps some out-of-range
      const std::string trace = traceOfTablePicture(p);
      std::string record = formatRecord(p);
      record.resize(record.size() - 2);  // without CR LF
      char line[256];
      std::snprintf(line, sizeof line, "%s %d %ld %016llx %s", s.name, v,
                    static_cast<long>(std::count(trace.begin(), trace.end(), '\n')),
                    static_cast<unsigned long long>(fnv1a(trace)), record.c_str());
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace orbisk
