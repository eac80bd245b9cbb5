// The picture being made, with no widgets and no files: the record, the renderer's working state,
// the canvas, the undo copy, what drew the canvas, the run as a state machine, Random, and the
// position Back and Forward start from. A front end turns its commands into calls of this class
// and shows what it reports; it steps a run one column at a time between its own events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/DataFile.h"
#include "model/PictureParams.h"
#include "render/random/RandomCombination.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/run/WholePicture.h"
#include "render/surfaces/RasterCanvas.h"
#include "session/CanvasCopy.h"
#include "session/DrawnPicture.h"
#include "session/RunRecorder.h"

namespace orbisk {

enum class RunKind { None, Create, Random };

// Where a run stands. Idle: no traversal. Running: columns are drawn. Stopping: a stop was asked
// for and the traversal ends before its next column. A run ends when its columns are exhausted
// (complete) or when a column turn finds the stop request (stopped).
enum class RunPhase { Idle, Running, Stopping };

// What happened when a run was asked for.
enum class RunRequest {
  Started,  // the traversal has begun; the front end shows a run going on
  Queued,   // a stopped traversal still has to end; this run starts right after it
};

// What a run left when it ended.
struct RunEnd {
  RunKind kind = RunKind::None;  // the run that ended
  bool complete = false;         // every column drawn; false when a stop ended it
  bool keepInHistory = false;    // a complete run that was not brought back from the history
  RunKind next = RunKind::None;  // a run asked for while this one was stopping: start it now
};

class Session {
 public:
  // Start-up: the record's start values, a blank Regular canvas, no run.
  Session();
  ~Session();

  PictureParams& params() { return params_; }
  const PictureParams& params() const { return params_; }
  RenderState& state() { return state_; }
  RasterCanvas& canvas() { return canvas_; }
  const RasterCanvas& canvas() const { return canvas_; }

  // ---- the run
  RunPhase phase() const;
  bool isRunning() const { return job_ != nullptr; }
  RunKind currentRun() const { return currentRun_; }
  // -1 after a stop request, else 0.
  int16_t stopflag() const { return stopflag_; }
  // CREATE or Random. Create clears the canvas when "Always clear" is on or the run brings a
  // history entry back; Random always clears and draws its ten values first (a given draw, else
  // one from setRandomSource or seeded by setRandomSeeds). While a traversal is still ending,
  // the run is queued.
  RunRequest requestRun(RunKind kind);
  // Stop: the traversal ends before its next column; a queued run, a given draw and a pending
  // bring-back are withdrawn.
  void requestStop();
  // The next Random uses these values instead of fresh draws (a gallery pick). A traversal
  // going on is asked to end, keeping what is queued.
  void giveDraw(const RandomCombination& draw);
  // The next CREATE brings a history entry back: it is drawn on a cleared canvas and not kept
  // in the history again.
  void bringBackNext() { bringBackNext_ = true; }
  // One turn: the stop check, then one column. Returns the run's end once it has ended (the
  // end steps follow the last column at once), else nothing.
  std::optional<RunEnd> runOneColumn();
  // The job's progress, for the front end's progress bar.
  const RenderProgress& progress() const { return progress_; }
  // Columns of the current traversal, or of the last one once it ended.
  int columnsDone() const { return columnsDone_; }
  // Whether the last traversal ran through all its columns.
  bool completed() const { return completed_; }
  // Samples and marks of the current traversal, or of the last one.
  uint64_t samples() const { return samples_; }
  uint64_t marks() const { return marks_; }
  // The program ends: a run stops at its next column, nothing is queued or kept any more.
  void end();
  bool isEnding() const { return ending_; }

  // ---- Random's seeds: the caller decides (a front end may use the clock, a test a constant).
  void setRandomSeeds(std::function<uint64_t()> seeds) { randomSeeds_ = std::move(seeds); }
  // Or the draws themselves.
  void setRandomSource(std::function<RandomCombination()> source) {
    randomSource_ = std::move(source);
  }
  // Called with the ten values right after Random has put them into the record, so a front end
  // can move its controls.
  void setOnDrawn(std::function<void(const RandomCombination&)> onDrawn) {
    onDrawn_ = std::move(onDrawn);
  }

  // ---- the canvas
  // Clear: the canvas wiped to its background. A stop request survives it while the stopped
  // traversal has not ended yet.
  void clearCanvas();
  // The canvas as the undo copy, taken at every run's end and when a picture is loaded.
  void takeUndoCopy() { undo_ = CanvasCopy::of(canvas_); }
  const CanvasCopy& undoCopy() const { return undo_; }
  // A filter of the Colours menu, over the whole canvas; the pen keeps the record's mode.
  void applyFilter(MaskOp op, uint32_t mask);
  // "Undo filter(s)": the undo copy becomes the canvas's whole content.
  void undoFilters();
  // The filters applied since the last run ended, composed into one mask.
  const ComposedMask& filtersSinceDrawn() const { return filtersSinceDrawn_; }
  // The pen mode of the record's inverse field (0 copy, 1 inverted copy; other values keep it).
  void setPenMode(int16_t inverse);
  // Detail High (1) or Low (4): the record and the pen width. Other values change nothing.
  void setDetail(int16_t detailstep);

  // ---- what drew the canvas
  const RunRecorder& recorder() const { return recorder_; }
  // The next CREATE draws a picture made from others (a variation or a child): on a cleared
  // canvas, as its cell was drawn, and its record keeps where it came from (see
  // RunRecorder::setNextOrigin). It is kept in the history as a new picture.
  void setNextOrigin(std::string origin) {
    recorder_.setNextOrigin(std::move(origin));
    clearNext_ = true;
  }
  std::optional<DrawnPicture> lastRun() const { return recorder_.lastRun(); }
  // True only while the canvas shows exactly the last complete run and nothing else.
  bool canvasIsExactRun() const;
  // A loaded data file's record, as its fields take it (see the field table); the pen follows
  // the record's inverse. A run going on takes the new values from its next column on.
  void applyLoadedRecord(const DataRecord& record);
  // A picture's working values, detail and background, so CREATE draws it again. The record is
  // applied by the caller (through its controls). A running traversal keeps its own working
  // values; the picture's take over when it ends. Returns whether the canvas was wiped.
  bool takeDrawnPicture(const DrawnPicture& picture);
  // The record, working values and canvas set-up a run started now would begin from.
  PictureOrder currentOrder() const;

  // ---- Back and Forward
  // The entry Back and Forward start from, by its key; none before any.
  const std::optional<std::string>& historyCursor() const { return historyCursor_; }
  void setHistoryCursor(std::string key) { historyCursor_ = std::move(key); }
  // The index of the next entry from the cursor among keys (newest first, keys growing with
  // time): older for Back, newer for Forward; none at either end. Before any, Back starts with
  // the newest entry.
  std::optional<std::size_t> historyStep(const std::vector<std::string>& keys, bool older) const;

 private:
  void startCreate();
  void startRandom();
  void begin();
  RunEnd finish(bool complete);

  PictureParams params_;            // the one picture record
  RenderState state_;               // the renderer's working state, kept from run to run
  RasterCanvas canvas_;             // the pixels the front end shows
  CanvasCopy undo_;                 // the undo copy of the canvas
  RunRecorder recorder_;            // what drew the canvas's picture
  ComposedMask filtersSinceDrawn_;  // the filters applied since the last run ended, composed

  std::unique_ptr<RenderJob> job_;  // the traversal going on, if any
  RenderProgress progress_;
  int columnsDone_ = 0;
  bool completed_ = false;
  uint64_t samples_ = 0;
  uint64_t marks_ = 0;
  int16_t stopflag_ = 0;                // -1 a stop was requested, 0 not
  RunKind currentRun_ = RunKind::None;  // the run whose traversal is going on
  RunKind pendingRun_ = RunKind::None;  // asked for while a stopped run was still ending
  // Working values of a picture taken while a traversal ran; they take over when it ends.
  std::optional<RenderState> pendingState_;
  std::optional<RandomCombination> givenDraw_;  // a gallery pick's values for the next Random
  bool bringBackNext_ = false;                  // the next CREATE brings a history entry back
  bool clearNext_ = false;                      // the next CREATE starts on a cleared canvas
  bool bringingBack_ = false;                   // the running traversal brings an entry back
  bool ending_ = false;                         // the program ends
  std::function<uint64_t()> randomSeeds_;
  std::function<RandomCombination()> randomSource_;
  std::function<void(const RandomCombination&)> onDrawn_;
  std::optional<std::string> historyCursor_;  // key of the entry Back and Forward start from
};

}  // namespace orbisk
