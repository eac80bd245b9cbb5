// The traversal bounds of a run when a hand-edited file gives Length and Width values whose
// 16-bit products overflow or turn negative: every run stays within 16-bit ranges.
#include <gtest/gtest.h>

#include <cstdint>

#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"

namespace orbisk {
namespace {

struct Range {
  int16_t colstart;
  int16_t colend;
  bool hasColumns;
};

// The column range a run takes from these settings, after an earlier state's range.
Range rangeAfterStart(RenderState& state, int16_t direction, int16_t borderlen, int16_t size) {
  PictureParams p;
  p.direction = direction;
  p.borderlen = borderlen;
  p.size = size;
  RasterCanvas canvas(117, 90);
  RenderJob job(state, p, canvas);
  job.start();
  return {state.colstart, state.colend, job.hasColumns()};
}

Range freshRange(int16_t direction, int16_t borderlen, int16_t size = 110) {
  RenderState state;
  return rangeAfterStart(state, direction, borderlen, size);
}

TEST(RenderBounds, InwardOverflowKeepsTheOldStartAndEndsAtZero) {
  const Range fresh = freshRange(1, 1000);  // 1000 x 110 leaves 16 bits
  EXPECT_EQ(fresh.colstart, 0);
  EXPECT_EQ(fresh.colend, 0);
  EXPECT_TRUE(fresh.hasColumns);  // the one column 0

  // -256 x 128 is -32768, whose negation leaves 16 bits: the start stays too.
  const Range edge = freshRange(1, -256, 128);
  EXPECT_EQ(edge.colstart, 0);
  EXPECT_EQ(edge.colend, 0);
}

TEST(RenderBounds, OverflowKeepsTheRangeOfTheRunBefore) {
  RenderState state;
  rangeAfterStart(state, 2, 3, 110);  // Outward 0..330
  const Range outward = rangeAfterStart(state, 2, 1000, 110);
  EXPECT_EQ(outward.colstart, 0);
  EXPECT_EQ(outward.colend, 330);

  rangeAfterStart(state, 1, 5, 110);  // Inward -550..0
  const Range inward = rangeAfterStart(state, 1, 1000, 110);
  EXPECT_EQ(inward.colstart, -550);
  EXPECT_EQ(inward.colend, 0);
}

TEST(RenderBounds, NegativeSpansGiveNoColumns) {
  EXPECT_FALSE(freshRange(2, -1).hasColumns);  // 0 .. -110
  EXPECT_FALSE(freshRange(1, -1).hasColumns);  // 110 .. 0
  EXPECT_FALSE(freshRange(2, 1, -110).hasColumns);
}

// Whatever the 16-bit Length, size and direction, a run has at most 65536 columns.
TEST(RenderBounds, ColumnsNeverExceedTheSixteenBitRange) {
  const int16_t values[] = {INT16_MIN, -1000, -1, 0, 1, 3, 10, 32, 1000, INT16_MAX};
  for (int16_t direction : {1, 2, 3}) {
    for (int16_t borderlen : values) {
      for (int16_t size : values) {
        const Range r = freshRange(direction, borderlen, size);
        const long columns = r.hasColumns ? long{r.colend} - r.colstart + 1 : 0;
        EXPECT_GE(columns, 0);
        EXPECT_LE(columns, 65536);
        EXPECT_EQ(r.hasColumns, r.colstart <= r.colend);
      }
    }
  }
}

// Samples of the first column with this Width and size.
uint64_t rowsOfTheFirstColumn(int16_t widthfac, int16_t size) {
  PictureParams p;
  p.widthfac = widthfac;
  p.size = size;
  p.driedkeuze = 0;  // no shape: only the count matters
  RenderState state;
  RasterCanvas canvas(117, 90);
  RenderJob job(state, p, canvas);
  job.start();
  job.stepColumn();
  return job.samples();
}

TEST(RenderBounds, RowsNeverExceedTheSixteenBitRange) {
  EXPECT_EQ(rowsOfTheFirstColumn(31, 1410), 65535u);  // 1057 x 31 = 32767: -32767..32767
  EXPECT_EQ(rowsOfTheFirstColumn(-1, 110), 0u);       // 82 .. -82
  EXPECT_EQ(rowsOfTheFirstColumn(-400, 110), 0u);     // -32800 leaves 16 bits
  EXPECT_EQ(rowsOfTheFirstColumn(INT16_MIN, 1), 1u);  // N2 = 0: the single row 0
  EXPECT_EQ(rowsOfTheFirstColumn(INT16_MIN, 4), 0u);  // 3 x -32768 leaves 16 bits
}

// The longest run a file can ask for within 16 bits is long but finite: 32001 columns of 64501
// rows (about two billion samples), which the user can stop at any column.
TEST(RenderBounds, TheLongestRunWithinSixteenBitsIsFinite) {
  PictureParams p;
  p.size = 1000;
  p.borderlen = 32;
  p.widthfac = 43;
  p.driedkeuze = 0;
  RenderState state;
  RasterCanvas canvas(117, 90);
  RenderJob job(state, p, canvas);
  job.start();
  EXPECT_EQ(state.colstart, 0);
  EXPECT_EQ(state.colend, 32000);
  job.stepColumn();
  EXPECT_EQ(job.samples(), 64501u);  // 750 x 43 = 32250
  EXPECT_TRUE(job.hasColumns());
}

}  // namespace
}  // namespace orbisk
