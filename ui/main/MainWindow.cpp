#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QThread>

#include "ui/Dialogs.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/ViewDataForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/explore/GalleryForm.h"
#include "ui/explore/HistoryForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/RenderDriver.h"
#include "ui/main/StartupPictures.h"

namespace orbisk {

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      canvas_(kRegularWidth, kRegularHeight),
      randomSource_([] { return drawRandomCombination(); }),
      beep_([] { QApplication::beep(); }) {
  setObjectName("orbisk");
  setWindowTitle("Orbisk 4.2");

  view_ = new CanvasView(canvas_, this);
  setCentralWidget(view_);
  setAcceptDrops(true);
  // The client area stays 632 x 434 below the menu bar; the window cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  driver_ = new RenderDriver(state_, params_, canvas_, stopflag_, this);
  connect(driver_, &RenderDriver::columnDone, view_, &CanvasView::showProgress);
  connect(driver_, &RenderDriver::columnDone, this,
          [this] { recorder_.columnDone(params_, canvas_); });
  connect(driver_, &RenderDriver::repaintDue, view_->canvasWidget(), qOverload<>(&QWidget::update));
  connect(driver_, &RenderDriver::ended, this, &MainWindow::onTraversalEnded);

  buildMenus();

  largeJob_ = new LargePictureJob(this);
  largeJob_->setObjectName("largepicturejob");
  connect(largeJob_, &LargePictureJob::finished, this, &MainWindow::onLargePictureFinished);

  // The origin editor lives, hidden or shown, until the program ends; the renderer and the data
  // file read its controls.
  originForm_ = new OriginForm(params_, dialogs_, this);
  if (!originForm_->isWindow()) originForm_->setWindowFlag(Qt::Window, true);
  originForm_->hide();
  originForm_->setFunctionLists();
  createColourAndShapeEditors();

  // The start-up picture and the window's own picture come from the renderer, each drawn with a
  // throw-away working state so the program's own state starts at its defaults.
  const QImage startup = renderStartupPicture(kRegularWidth, kRegularHeight);
  canvas_.setPicture(reinterpret_cast<const uint32_t*>(startup.constBits()), startup.width(),
                     startup.height(), startup.bytesPerLine() / 4);
  view_->setBackgroundPicture(renderWindowPicture(kRegularWidth, kRegularHeight));
  takeUndoCopy();
  listHistoryInBackground();
}

MainWindow::~MainWindow() {
  // The listing of the history folder ends on its own; it is waited for, never left running.
  if (historyLister_) historyLister_->wait();
  // A large picture in progress is cancelled and its thread joined before anything else goes.
  delete largeJob_;
  largeJob_ = nullptr;
  // Children are destroyed after the members they refer to: end the traversal and the editors
  // while the record and the canvas still exist.
  delete galleryForm_;  // its workers end before anything else goes
  delete historyForm_;  // it reads the history store
  delete driver_;
  driver_ = nullptr;
  delete originForm_;
  originForm_ = nullptr;
  delete xrayForm_;
  xrayForm_ = nullptr;
  delete driedForm_;
  driedForm_ = nullptr;
}

bool MainWindow::isRendering() const {
  return driver_->isRunning();
}

bool MainWindow::canvasIsExactRun() const {
  // A traversal going on shows a picture still growing.
  return !driver_->isRunning() && recorder_.showsExactRun(view_->canvasWidget()->image());
}

void MainWindow::setRandomSource(std::function<RandomCombination()> source) {
  randomSource_ = std::move(source);
}

void MainWindow::setBeeper(std::function<void()> beep) {
  beep_ = std::move(beep);
}

void MainWindow::beep() {
  if (beep_) beep_();
}

void MainWindow::takeUndoCopy() {
  redo1_ = view_->canvasWidget()->image().copy();
}

// ---------------------------------------------------------------------------------------------
// Render runs

void MainWindow::setRunMenus(bool running) {
  action("createknopp")->setEnabled(!running);
  action("stoppenknopp")->setEnabled(running);
  action("randomknop")->setEnabled(!running);
  action("clearknopp")->setEnabled(!running);
}

void MainWindow::enableMenusForGood() {
  if (menusEnabled_) return;
  menusEnabled_ = true;
  for (const char* name : {"file", "editit", "options", "colorr", "explore", "help"})
    menu(name)->menuAction()->setEnabled(true);
  action("origin")->setEnabled(true);
  action("shape")->setEnabled(true);
}

void MainWindow::onCreate() {
  startRun(Run::Create);
}

void MainWindow::onRandom() {
  startRun(Run::Random);
}

void MainWindow::startRun(Run run) {
  if (driver_->isRunning()) {
    // Stop has been chosen but the stopped run has not reached its end steps yet: this run
    // starts right after them, so two traversals never overlap.
    pendingRun_ = run;
    setRunMenus(true);
    return;
  }
  if (run == Run::Create) startCreate();
  if (run == Run::Random) startRandom();
}

void MainWindow::startCreate() {
  QScrollBar* vbar = view_->verticalBar();
  vbar->move(vbar->x(), 0);
  view_->canvasWidget()->setCursor(Qt::WaitCursor);
  enableMenusForGood();
  if (params_.showprogress == -1) view_->progressBar()->show();
  setRunMenus(true);
  stopflag_ = 0;
  // An entry brought back from the history is drawn on a cleared canvas, as it was made.
  bringingBack_ = bringBackNext_;
  bringBackNext_ = false;
  if (params_.alwaysclear == -1 || bringingBack_) {
    canvas_.clear();
    view_->canvasWidget()->update();
  }
  currentRun_ = Run::Create;
  recorder_.runStarted(params_, state_, canvas_);
  driver_->begin();
}

void MainWindow::startRandom() {
  setRunMenus(true);
  stopflag_ = 0;
  bringingBack_ = bringBackNext_ = false;
  // A random picture always starts on an empty canvas, whatever "Always clear" holds.
  canvas_.clear();
  view_->canvasWidget()->update();
  if (params_.showprogress == -1) view_->progressBar()->show();
  view_->canvasWidget()->setCursor(Qt::WaitCursor);
  // The ten draws go through the origin editor, whose change handling writes the record. A
  // gallery pick brings its own draws.
  const RandomCombination draw = givenDraw_ ? *givenDraw_ : randomSource_();
  givenDraw_.reset();
  originForm_->applyRandom(draw);
  currentRun_ = Run::Random;
  recorder_.runStarted(params_, state_, canvas_);
  driver_->begin();
}

void MainWindow::onTraversalEnded() {
  const Run ended = currentRun_;
  currentRun_ = Run::None;
  filtersSinceDrawn_ = {};  // a new picture: no filter has been applied to it yet
  if (ended == Run::Random && !exiting_ && params_.beepon == -1) beep();
  setRunMenus(false);
  stopflag_ = 0;
  view_->progressBar()->hide();
  view_->resetProgress();
  view_->canvasWidget()->unsetCursor();
  if (ended == Run::Create && !exiting_ && params_.beepon == -1) beep();
  // Random refreshes the undo copy as CREATE does, so "Undo filter(s)" after a random picture
  // brings back that picture and not an older one.
  takeUndoCopy();
  recorder_.runEnded(driver_->completed(), redo1_);
  // Every complete run goes into the history, but an entry brought back is there already.
  const bool broughtBack = bringingBack_;
  bringingBack_ = false;
  if (driver_->completed() && !broughtBack && !exiting_) addHistoryEntry();
  // A picture loaded while this traversal ran brings its working values for the next run.
  if (pendingState_) {
    state_ = *pendingState_;
    pendingState_.reset();
  }

  if (pendingRun_ != Run::None && !exiting_) {
    const Run next = pendingRun_;
    pendingRun_ = Run::None;
    startRun(next);
  }
}

void MainWindow::onStop() {
  action("createknopp")->setEnabled(true);
  action("stoppenknopp")->setEnabled(true);
  action("clearknopp")->setEnabled(true);
  stopflag_ = -1;
  pendingRun_ = Run::None;  // a CREATE chosen before this Stop is withdrawn by it
  givenDraw_.reset();
  bringBackNext_ = false;
}

void MainWindow::onClear() {
  // Clear is reachable during a run only between Stop and the run's end steps; the stop request
  // must survive it, or the stopped run would carry on with CREATE already enabled.
  if (!driver_->isRunning()) stopflag_ = 0;
  canvas_.clear();
  view_->canvasWidget()->update();
}

// ---------------------------------------------------------------------------------------------
// Preferences and options

void MainWindow::onAlwaysClear() {
  action("useclearbutton")->setChecked(false);
  action("alwayscl")->setChecked(true);
  params_.alwaysclear = -1;
}

void MainWindow::onUseClearButton() {
  action("useclearbutton")->setChecked(true);
  action("alwayscl")->setChecked(false);
  params_.alwaysclear = 0;
}

void MainWindow::onShowProgress() {
  params_.showprogress = -1;
  action("showpro")->setChecked(true);
  action("hidepro")->setChecked(false);
}

void MainWindow::onHideProgress() {
  params_.showprogress = 0;
  action("showpro")->setChecked(false);
  action("hidepro")->setChecked(true);
}

void MainWindow::onBeepOn() {
  params_.beepon = -1;
  action("onn")->setChecked(true);
  action("offf")->setChecked(false);
}

void MainWindow::onBeepOff() {
  params_.beepon = 0;
  action("onn")->setChecked(false);
  action("offf")->setChecked(true);
}

void MainWindow::onDetailHigh() {
  params_.detailstep = 1;
  canvas_.setPenWidth(1);
  view_->progressBar()->show();
  action("detailhigh")->setChecked(true);
}

void MainWindow::onDetailLow() {
  params_.detailstep = 4;
  canvas_.setPenWidth(4);
  view_->progressBar()->hide();
  action("detaillow")->setChecked(true);
}

void MainWindow::onInward() {
  params_.direction = 1;
  action("inward")->setChecked(true);
}

void MainWindow::onOutward() {
  params_.direction = 2;
  action("outward")->setChecked(true);
}

void MainWindow::onLength1() {
  params_.borderlen = 1;
  action("noborder")->setChecked(true);
}

void MainWindow::onLength3() {
  params_.borderlen = 3;
  action("threeborder")->setChecked(true);
}

void MainWindow::onLength5() {
  params_.borderlen = 5;
  action("fiveborder")->setChecked(true);
}

void MainWindow::onLength10() {
  params_.borderlen = 10;
  action("yesborder")->setChecked(true);
}

void MainWindow::onWidth1() {
  params_.widthfac = 1;
  action("boryeen")->setChecked(true);
}

void MainWindow::onWidth3() {
  params_.widthfac = 3;
  action("borydrie")->setChecked(true);
}

void MainWindow::onWidth5() {
  params_.widthfac = 5;
  action("boryvijf")->setChecked(true);
}

void MainWindow::onWidth10() {
  params_.widthfac = 10;
  action("borytien")->setChecked(true);
}

// ---------------------------------------------------------------------------------------------
// Frames and scrolling

void MainWindow::setFrameChecks(const char* checkedItem) {
  for (const char* name : {"maximum", "thumbnail", "supermaximum"})
    action(name)->setChecked(qstrcmp(name, checkedItem) == 0);
}

void MainWindow::setScrollChecks(bool shown) {
  action("scrollhide")->setChecked(!shown);
  action("scrollshow")->setChecked(shown);
}

void MainWindow::onThumbnail() {
  menu("scrolls")->menuAction()->setEnabled(false);
  setScrollChecks(false);
  view_->setProgressBarWidth(CanvasView::kProgressWidth);
  view_->setScrollBarsVisible(false);
  view_->setCanvasGeometry(0, 0, kThumbnailWidth, kThumbnailHeight);
  // Through the origin editor, so its label follows and the record gets size 54.
  originForm_->setControl(Control::hsbsize, kThumbnailSize);
  setFrameChecks("thumbnail");
  params_.framesize = 2;
}

void MainWindow::onRegularFrame() {
  menu("scrolls")->menuAction()->setEnabled(false);
  setScrollChecks(false);
  view_->setProgressBarWidth(CanvasView::kProgressWidth);
  view_->setScrollBarsVisible(false);
  view_->setCanvasGeometry(0, 0, kRegularWidth, kRegularHeight);
  setFrameChecks("maximum");
  params_.framesize = 1;
}

void MainWindow::onMaximumFrame() {
  menu("scrolls")->menuAction()->setEnabled(true);
  setScrollChecks(true);
  view_->setProgressBarWidth(CanvasView::kProgressWidth);
  params_.framesize = 3;
  QScrollBar* hbar = view_->horizontalBar();
  QScrollBar* vbar = view_->verticalBar();
  const QWidget* pct1 = view_->canvasWidget();
  view_->setCanvasGeometry(pct1->x(), pct1->y(), kMaximumWidth, kMaximumHeight);
  view_->setScrollBarsVisible(true);
  vbar->setValue(108);  // the centre of the Maximum canvas
  hbar->setValue(158);
  setFrameChecks("supermaximum");
  // Placed explicitly too: a bar already at its centre reports no change.
  view_->canvasWidget()->move(-hbar->value(), -vbar->value());
}

void MainWindow::onScrollbarsShow() {
  view_->setScrollBarsVisible(true);
  setScrollChecks(true);
}

void MainWindow::onScrollbarsHide() {
  view_->setScrollBarsVisible(false);
  setScrollChecks(false);
}

// ---------------------------------------------------------------------------------------------
// Windows

void MainWindow::onOrigin() {
  originForm_->show();
  originForm_->raise();
  originForm_->activateWindow();
}

void MainWindow::onExit() {
  askToExit();
}

void MainWindow::askToExit() {
  if (exitQuestionOpen_ || exiting_) return;
  exitQuestionOpen_ = true;
  dialogs_.askYesNo(this, "Orbisk - Exit", "Quit Orbisk?", [this](bool yes) {
    exitQuestionOpen_ = false;
    if (!yes) return;
    stopflag_ = -1;  // a running render stops at its next check
    exiting_ = true;
    largeJob_->cancelAndWait();
    closeAllWindows();
    emit exitConfirmed();
  });
}

void MainWindow::closeAllWindows() {
  // In the fixed order: origin, about, hints, intro, colour system, view data, shape, this
  // window. Only this window's own windows are closed, and those not open are skipped. The
  // intro window has closed for good before this window is first shown, so it has no turn here.
  QWidget* const windows[] = {originForm_,   aboutForm_, hintsForm_,   xrayForm_,
                              viewDataForm_, driedForm_, galleryForm_, historyForm_};
  for (QWidget* window : windows) {
    if (window) window->close();
  }
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (exiting_) {
    event->accept();
    return;
  }
  // The frame's close button asks the same question as Exit. The answer may come later, so the
  // close is refused now and the question asked once this event is done.
  event->ignore();
  QMetaObject::invokeMethod(this, &MainWindow::askToExit, Qt::QueuedConnection);
}

}  // namespace orbisk
