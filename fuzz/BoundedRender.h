// One picture made from arbitrary bytes and rendered with a fixed budget of samples. The fuzz
// target feeds it arbitrary input; the regression tests feed it the inputs that once failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/DataFile.h"
#include "model/FrameSize.h"
#include "model/PictureParams.h"
#include "model/RecordFields.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/surfaces/TraceSurface.h"

namespace orbisk::fuzz {

// How the bytes are read (bytes past the end read as 0):
//   0..63    the 32 fields of a record, each a little-endian int16, so any 16-bit value occurs
//   64       settings: bits 0-1 the canvas (0 the record's own frame, 1 Regular, 2 Thumbnail,
//            3 Maximum), bit 2 pen width 4, bit 3 inverted copy, bit 4 drawn through a trace
//            written to /dev/null, bit 5 the editor-held values taken raw instead of through
//            their controls, bit 6 Detail Low, bit 7 the detail step taken raw from 65..66
//   65..66   the raw detail step
//   67..130  when present: a second record, put into the parameters like the first after the
//            column numbered by byte 131 (1-based), the canvas taking its frame when the frame
//            follows the record; a second run follows with the working state the first left
constexpr std::size_t kRecordBytes = 2 * kRecordFields;
constexpr std::size_t kSettingsByte = kRecordBytes;
constexpr std::size_t kDetailBytes = kSettingsByte + 1;
constexpr std::size_t kSecondRecordBytes = kDetailBytes + 2;
constexpr std::size_t kChangeColumnByte = kSecondRecordBytes + kRecordBytes;
constexpr std::size_t kInputBytes = kChangeColumnByte + 1;

// No run computes more columns once this many samples are done, so one input never runs long;
// the column in progress still completes (at most 65535 rows: the row bound is a 16-bit value).
constexpr uint64_t kSampleBudget = 20000;
constexpr uint64_t kMostRowsOfAColumn = 65535;
// A column may still draw tens of marks for each of its rows (shape 32 plots 60 points per
// sample); drawing calls past this many in one input are dropped unseen.
constexpr uint64_t kDrawBudget = 100000;

struct BoundedRenderResult {
  uint64_t samples[2] = {0, 0};       // samples of the first and the second run
  bool finished[2] = {false, false};  // the run went through all its columns
  std::string problem;                // empty when every property held
};

namespace detail {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool has(std::size_t at) const { return at < size_; }
  uint8_t byte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
  int16_t int16(std::size_t at) const {
    const unsigned value = byte(at) | static_cast<unsigned>(byte(at + 1)) << 8;
    return static_cast<int16_t>(value >= 0x8000 ? static_cast<int>(value) - 0x10000
                                                : static_cast<int>(value));
  }
  DataRecord record(std::size_t at) const {
    DataRecord r;
    for (int i = 0; i < kRecordFields; ++i) {
      r.field[i] = int16(at + 2 * static_cast<std::size_t>(i));
    }
    r.count = kRecordFields;
    return r;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
};

// Passes drawing calls on until the budget is spent, then drops them.
class BudgetSurface : public Surface {
 public:
  explicit BudgetSurface(Surface& inner) : inner_(inner) {}
  int width() const override { return inner_.width(); }
  int height() const override { return inner_.height(); }
  void plot(float x, float y, uint32_t colour) override {
    if (spend()) inner_.plot(x, y, colour);
  }
  void line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    if (spend()) inner_.line(x1, y1, x2, y2, colour);
  }

 private:
  bool spend() {
    if (calls_ == kDrawBudget) return false;
    ++calls_;
    return true;
  }
  Surface& inner_;
  uint64_t calls_ = 0;
};

// The values that live in editor controls, set as they are without the controls' range checks:
// the renderer has to survive any 16-bit value even where the loader would not put it.
inline void takeEditorValuesRaw(const DataRecord& r, PictureParams& p) {
  for (const FieldEntry& entry : recordFields()) {
    if (entry.loading == Loading::WithinRange) p.*entry.member = r[entry.position];
  }
}

inline void putRecord(const DataRecord& r, uint8_t settings, PictureParams& p) {
  applyRecord(r, p);
  if (settings & 0x20) takeEditorValuesRaw(r, p);
}

// Steps the job until its columns run out or the budget is spent; checks what each step may do.
// betweenColumns runs after every column with the number of columns done, as the window's
// event loop would between two columns.
template <typename BetweenColumns>
std::string runBounded(RenderJob& job, bool& finished, BetweenColumns betweenColumns) {
  job.start();
  uint64_t columns = 0;
  while (job.hasColumns() && job.samples() < kSampleBudget) {
    const uint64_t before = job.samples();
    job.stepColumn();
    if (job.samples() - before > kMostRowsOfAColumn) {
      return "one column computed " + std::to_string(job.samples() - before) + " samples";
    }
    if (job.marks() > job.samples()) return "more marks than samples";
    if (++columns > 65536) return "more columns than a 16-bit range holds";
    betweenColumns(columns);
  }
  finished = !job.hasColumns();
  return {};
}

}  // namespace detail

// Renders the picture the bytes describe; see the layout above.
inline BoundedRenderResult renderBounded(const uint8_t* data, std::size_t size) {
  using namespace detail;
  const ByteReader in(data, size);
  const uint8_t settings = in.byte(kSettingsByte);

  PictureParams params;  // a fresh start, then the record
  putRecord(in.record(0), settings, params);
  params.detailstep = (settings & 0x40) ? 4 : 1;
  if (settings & 0x80) params.detailstep = in.int16(kDetailBytes);

  // Frame choice 0 follows the record's frame, also when the second record changes it.
  const int frame = settings & 0x03;
  const auto frameSize = [&] { return frameCanvasSize(frame == 0 ? params.framesize : frame); };
  const CanvasSize canvasSize = frameSize();
  RasterCanvas canvas(canvasSize.width, canvasSize.height, 0);
  canvas.setPenWidth((settings & 0x04) ? 4 : 1);
  canvas.setPenMode((settings & 0x08) ? PenMode::InvertedCopy : PenMode::Copy);

  static std::FILE* const devNull = std::fopen("/dev/null", "w");
  TraceSurface tracer(devNull, &canvas, canvasSize.width, canvasSize.height);
  BudgetSurface surface((settings & 0x10) && devNull != nullptr ? static_cast<Surface&>(tracer)
                                                                : static_cast<Surface&>(canvas));

  BoundedRenderResult result;
  RenderState state;
  const bool secondRecord = in.has(kSecondRecordBytes);
  const uint64_t changeAfter = 1 + in.byte(kChangeColumnByte);
  // The second record arrives between two columns, the way Load data can during a run.
  const auto loadSecondRecord = [&](uint64_t columns) {
    if (!secondRecord || columns != changeAfter) return;
    putRecord(in.record(kSecondRecordBytes), settings, params);
    const CanvasSize resized = frameSize();
    canvas.resize(resized.width, resized.height);
  };
  {
    RenderJob job(state, params, surface);
    result.problem = runBounded(job, result.finished[0], loadSecondRecord);
    result.samples[0] = job.samples();
  }
  if (result.problem.empty() && secondRecord) {
    RenderJob job(state, params, surface);
    result.problem = runBounded(job, result.finished[1], [](uint64_t) {});
    result.samples[1] = job.samples();
  }
  return result;
}

}  // namespace orbisk::fuzz
