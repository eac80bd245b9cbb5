#include "session/Session.h"

#include "model/FrameSize.h"

namespace orbisk {

Session::Session() : canvas_(frameCanvasSize(1).width, frameCanvasSize(1).height) {}

Session::~Session() = default;

RunPhase Session::phase() const {
  if (!job_) return RunPhase::Idle;
  return stopflag_ == -1 ? RunPhase::Stopping : RunPhase::Running;
}

RunRequest Session::requestRun(RunKind kind) {
  if (job_) {
    // Stop has been chosen but the stopped run has not reached its end steps yet: this run
    // starts right after them, so two traversals never overlap.
    pendingRun_ = kind;
    return RunRequest::Queued;
  }
  if (kind == RunKind::Random) {
    startRandom();
  } else {
    startCreate();
  }
  return RunRequest::Started;
}

void Session::startCreate() {
  stopflag_ = 0;
  // An entry brought back from the history is drawn on a cleared canvas, as it was made.
  bringingBack_ = bringBackNext_;
  bringBackNext_ = false;
  if (params_.alwaysclear == -1 || bringingBack_ || clearNext_) canvas_.clear();
  clearNext_ = false;
  currentRun_ = RunKind::Create;
  begin();
}

void Session::startRandom() {
  stopflag_ = 0;
  bringingBack_ = bringBackNext_ = false;
  // A random picture always starts on an empty canvas, whatever "Always clear" holds.
  canvas_.clear();
  // A gallery pick brings its own draws.
  RandomCombination draw;
  if (givenDraw_) {
    draw = *givenDraw_;
  } else if (randomSource_) {
    draw = randomSource_();
  } else {
    draw = drawRandomCombination(randomSeeds_ ? randomSeeds_() : 0);
  }
  givenDraw_.reset();
  applyCombination(params_, draw);
  if (onDrawn_) onDrawn_(draw);
  currentRun_ = RunKind::Random;
  begin();
}

void Session::begin() {
  recorder_.runStarted(params_, state_, canvas_);
  job_ = std::make_unique<RenderJob>(state_, params_, canvas_);
  job_->start();
  progress_ = job_->progress();
  columnsDone_ = 0;
  completed_ = false;
  samples_ = marks_ = 0;
}

void Session::requestStop() {
  stopflag_ = -1;
  pendingRun_ = RunKind::None;  // a run asked for before this Stop is withdrawn by it
  givenDraw_.reset();
  bringBackNext_ = false;
}

void Session::giveDraw(const RandomCombination& draw) {
  givenDraw_ = draw;
  // A run going on ends at its next column; the picked one follows its end steps.
  if (job_) stopflag_ = -1;
}

std::optional<RunEnd> Session::runOneColumn() {
  if (!job_) return std::nullopt;
  // The stop was asked for between turns: end before the column.
  if (stopflag_ == -1) return finish(false);
  if (job_->hasColumns()) {
    job_->stepColumn();
    ++columnsDone_;
    progress_ = job_->progress();
    samples_ = job_->samples();
    marks_ = job_->marks();
    recorder_.columnDone(params_, canvas_);
  }
  // The end steps follow the last column at once.
  if (!job_->hasColumns()) return finish(true);
  return std::nullopt;
}

RunEnd Session::finish(bool complete) {
  job_.reset();
  completed_ = complete;
  RunEnd end;
  end.kind = currentRun_;
  end.complete = complete;
  currentRun_ = RunKind::None;
  stopflag_ = 0;
  filtersSinceDrawn_ = {};  // a new picture: no filter has been applied to it yet
  // Random refreshes the undo copy as CREATE does, so "Undo filter(s)" after a random picture
  // brings back that picture and not an older one.
  takeUndoCopy();
  recorder_.runEnded(complete, undo_);
  // Every complete run goes into the history, but an entry brought back is there already.
  end.keepInHistory = complete && !bringingBack_ && !ending_;
  bringingBack_ = false;
  // A picture taken while this traversal ran brings its working values for the next run.
  if (pendingState_) {
    state_ = *pendingState_;
    pendingState_.reset();
  }
  if (!ending_) end.next = pendingRun_;
  pendingRun_ = RunKind::None;
  return end;
}

void Session::end() {
  stopflag_ = -1;  // a running traversal stops at its next check
  ending_ = true;
}

void Session::clearCanvas() {
  // Clear is reachable during a run only between Stop and the run's end steps; the stop request
  // must survive it, or the stopped run would carry on.
  if (!job_) stopflag_ = 0;
  canvas_.clear();
}

void Session::applyFilter(MaskOp op, uint32_t mask) {
  // The whole canvas in one go: a run in progress meets the filtered picture at its next column.
  canvas_.applyMask(op, mask);
  // A large picture of the canvas's picture gets the same filters. One applied during a run
  // covers only part of it: that run no longer counts as drawn from its record.
  filtersSinceDrawn_ = filtersSinceDrawn_.then(op, mask);
  // A run going on, or the next one, draws in the mode the record holds.
  canvas_.setPenMode(penModeFor(params_.inverse));
}

void Session::undoFilters() {
  // Where the canvas has since grown beyond the copy, the background colour shows.
  canvas_.setPicture(undo_.pixels.data(), undo_.width, undo_.height, undo_.width);
  filtersSinceDrawn_ = {};
}

void Session::setPenMode(int16_t inverse) {
  if (inverse != 0 && inverse != 1) return;
  // The pen mode rules every pixel drawn from now on, those of a running render included; the
  // pixels already on the canvas keep their colours.
  canvas_.setPenMode(penModeFor(inverse));
}

void Session::setDetail(int16_t detailstep) {
  if (detailstep != 1 && detailstep != 4) return;
  params_.detailstep = detailstep;
  canvas_.setPenWidth(penWidthFor(detailstep));
}

bool Session::canvasIsExactRun() const {
  // A traversal going on shows a picture still growing.
  return !job_ && recorder_.showsExactRun(PixelView::of(canvas_));
}

void Session::applyLoadedRecord(const DataRecord& record) {
  // The fields stored directly take the values as read, even where their control would refuse
  // them.
  applyRecord(record, params_);
  setPenMode(params_.inverse);
}

bool Session::takeDrawnPicture(const DrawnPicture& picture) {
  setDetail(picture.detailstep);
  if (job_) {
    pendingState_ = picture.startState;
  } else {
    state_ = picture.startState;
  }
  // The picture was drawn on a canvas of its background colour; a different colour wipes the
  // canvas as Background does.
  if (canvas_.backgroundColour() == (picture.background & 0xffffffu)) return false;
  canvas_.setBackgroundColour(picture.background);
  return true;
}

PictureOrder Session::currentOrder() const {
  PictureOrder order;
  order.params = params_;
  order.state = state_;
  order.canvas.width = canvas_.width();
  order.canvas.height = canvas_.height();
  order.canvas.background = canvas_.backgroundColour();
  order.canvas.penWidth = canvas_.penWidth();
  order.canvas.penMode = canvas_.penMode();
  return order;
}

std::optional<std::size_t> Session::historyStep(const std::vector<std::string>& keys,
                                                bool older) const {
  if (older) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (!historyCursor_ || keys[i] < *historyCursor_) return i;
    }
  } else if (historyCursor_) {
    for (std::size_t i = keys.size(); i-- > 0;) {
      if (keys[i] > *historyCursor_) return i;
    }
  }
  return std::nullopt;
}

}  // namespace orbisk
