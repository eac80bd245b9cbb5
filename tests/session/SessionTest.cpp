#include "session/Session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/FrameSize.h"
#include "model/RecordFields.h"
#include "render/run/WholePicture.h"

namespace orbisk {
namespace {

// A session on the small Thumbnail canvas at Detail Low, so that whole runs are quick.
void useSmallQuickCanvas(Session& session) {
  session.params().framesize = 2;
  session.canvas().resize(kThumbnailCanvas.width, kThumbnailCanvas.height);
  session.setDetail(4);
}

RunEnd finishRun(Session& session) {
  for (;;) {
    if (const std::optional<RunEnd> end = session.runOneColumn()) return *end;
  }
}

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() { useSmallQuickCanvas(session); }
  RunEnd finishRun() { return orbisk::finishRun(session); }

  Session session;
};

// A value of the field other than the one it holds, one its control or menu would set.
int16_t anotherValue(const FieldEntry& entry, const PictureParams& params) {
  return params.*entry.member == entry.max ? entry.min : entry.max;
}

// Whatever changes in the middle of a run, a canvas said to show exactly its recorded run is
// what that record draws from a blank canvas: a PNG never carries a record that did not draw
// it. A change to a field a column reads (or to the pen mode) makes the run inexact; any other
// change leaves it exact, and the record keeps the value the run started with.
TEST(SessionRecorder, AChangeMidRunKeepsTheRecordTrueToThePicture) {
  for (const FieldEntry& entry : recordFields()) {
    SCOPED_TRACE(entry.name);
    Session session;
    useSmallQuickCanvas(session);

    const PictureParams started = session.params();
    ASSERT_EQ(session.requestRun(RunKind::Create), RunRequest::Started);
    ASSERT_FALSE(session.runOneColumn());
    // The change as the front end makes it: the detail and the pen mode reach the canvas too.
    const int16_t value = anotherValue(entry, session.params());
    session.params().*entry.member = value;
    if (entry.field == Field::detailstep) session.setDetail(value);
    if (entry.field == Field::inverse) session.setPenMode(value);
    ASSERT_TRUE(finishRun(session).complete);

    // The pen mode is part of the canvas the recorder watches.
    const bool reachesThePicture = entry.columnReads || entry.field == Field::inverse;
    EXPECT_EQ(session.canvasIsExactRun(), !reachesThePicture);
    ASSERT_TRUE(session.lastRun());
    const DrawnPicture drawn = *session.lastRun();
    EXPECT_EQ(drawn.params, started);
    if (!session.canvasIsExactRun()) continue;
    RasterCanvas again(0, 0);
    renderWholePicture({drawn.params,
                        drawn.startState,
                        {kThumbnailCanvas.width, kThumbnailCanvas.height, drawn.background, 4,
                         started.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy},
                        {}},
                       again);
    const RasterCanvas& shown = session.canvas();
    ASSERT_EQ(again.width(), shown.width());
    EXPECT_TRUE(
        std::equal(shown.bits(), shown.bits() + shown.width() * shown.height(), again.bits()));
  }
}

// The run as a state machine: Stop ends it before its next column; a run asked for meanwhile
// starts once it has ended, unless Stop withdrew it. Only a complete run on a blank canvas, not
// filtered since, counts as shown exactly.
TEST_F(SessionTest, StopQueuedRunsAndWhatEndsARun) {
  EXPECT_EQ(session.phase(), RunPhase::Idle);
  EXPECT_FALSE(session.runOneColumn());

  ASSERT_EQ(session.requestRun(RunKind::Create), RunRequest::Started);
  EXPECT_EQ(session.phase(), RunPhase::Running);
  session.runOneColumn();
  session.requestStop();
  EXPECT_EQ(session.phase(), RunPhase::Stopping);
  EXPECT_EQ(session.requestRun(RunKind::Random), RunRequest::Queued);
  const int columns = session.columnsDone();
  const std::optional<RunEnd> stopped = session.runOneColumn();
  ASSERT_TRUE(stopped);
  EXPECT_EQ(session.columnsDone(), columns);  // no column after the stop
  EXPECT_FALSE(stopped->complete);
  EXPECT_FALSE(stopped->keepInHistory);
  EXPECT_EQ(stopped->kind, RunKind::Create);
  EXPECT_EQ(stopped->next, RunKind::Random);
  EXPECT_EQ(session.phase(), RunPhase::Idle);
  EXPECT_EQ(session.stopflag(), 0);
  EXPECT_FALSE(session.lastRun());

  // A run queued before a Stop is withdrawn by it. Clear between a Stop and the run's end keeps
  // the stop; Clear while idle resets it.
  session.requestRun(RunKind::Create);
  session.runOneColumn();
  session.requestStop();
  session.requestRun(RunKind::Create);
  session.requestStop();
  session.clearCanvas();
  EXPECT_EQ(session.stopflag(), -1);
  EXPECT_EQ(finishRun().next, RunKind::None);
  EXPECT_EQ(session.columnsDone(), 1);
  session.requestStop();
  session.clearCanvas();
  EXPECT_EQ(session.stopflag(), 0);

  // Random draws from the caller's seed; a given draw wins once.
  session.setRandomSeeds([] { return uint64_t{7}; });
  std::vector<RandomCombination> drawn;
  session.setOnDrawn([&](const RandomCombination& draw) { drawn.push_back(draw); });
  RandomCombination given = drawRandomCombination(99);
  session.giveDraw(given);
  session.requestRun(RunKind::Random);
  const RunEnd random = finishRun();
  EXPECT_TRUE(random.complete && random.keepInHistory);
  EXPECT_TRUE(session.canvasIsExactRun());
  session.requestRun(RunKind::Random);
  finishRun();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].values, given.values);
  EXPECT_EQ(drawn[1].values, drawRandomCombination(7).values);
  EXPECT_EQ(session.params().cat, drawn[1].of(Field::cat));

  // What the canvas shows: a filtered run no longer exactly (Undo brings it back), nor a
  // stopped run, nor a run drawn over another; a run on a cleared canvas again.
  session.applyFilter(MaskOp::And, 0x00ff00u);
  EXPECT_FALSE(session.canvasIsExactRun());
  EXPECT_FALSE(session.filtersSinceDrawn().isIdentity());
  session.undoFilters();
  EXPECT_TRUE(session.canvasIsExactRun());
  session.requestRun(RunKind::Create);
  session.runOneColumn();
  session.requestStop();
  finishRun();
  EXPECT_FALSE(session.canvasIsExactRun());
  session.params().alwaysclear = 0;
  session.requestRun(RunKind::Create);
  finishRun();
  EXPECT_FALSE(session.canvasIsExactRun());
  session.clearCanvas();
  session.requestRun(RunKind::Create);
  finishRun();
  EXPECT_TRUE(session.canvasIsExactRun());

  // A brought-back entry is not kept again; after end() nothing is queued or kept.
  session.bringBackNext();
  session.requestRun(RunKind::Create);
  EXPECT_FALSE(finishRun().keepInHistory);
  session.requestRun(RunKind::Create);
  session.requestRun(RunKind::Random);
  session.end();
  const RunEnd last = finishRun();
  EXPECT_FALSE(last.keepInHistory);
  EXPECT_EQ(last.next, RunKind::None);
}

TEST(SessionHistory, BackAndForwardStepFromTheCursor) {
  Session session;
  const std::vector<std::string> keys = {"c", "b", "a"};  // newest first
  EXPECT_EQ(session.historyStep(keys, true), 0u);         // before any: the newest
  EXPECT_EQ(session.historyStep(keys, false), std::nullopt);
  session.setHistoryCursor("b");
  EXPECT_EQ(session.historyStep(keys, true), 2u);
  EXPECT_EQ(session.historyStep(keys, false), 0u);
  session.setHistoryCursor("a");
  EXPECT_EQ(session.historyStep(keys, true), std::nullopt);
}

}  // namespace
}  // namespace orbisk
