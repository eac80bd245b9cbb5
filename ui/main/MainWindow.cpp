#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>

#include "model/FrameSize.h"
#include "ui/Dialogs.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/RecordEditors.h"
#include "ui/editors/ViewDataForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/explore/ExploreForm.h"
#include "ui/explore/GalleryForm.h"
#include "ui/explore/HistoryForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ClockSeed.h"
#include "ui/main/MenuBar.h"
#include "ui/main/RenderDriver.h"
#include "ui/main/StartupPictures.h"

namespace orbisk {

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), beep_([] { QApplication::beep(); }) {
  setObjectName("orbisk");
  setWindowTitle("Orbisk 4.2");
  session_.setRandomSeeds(clockSeed);

  view_ = new CanvasView(session_.canvas(), this);
  setCentralWidget(view_);
  setAcceptDrops(true);
  // The client area stays 632 x 434 below the menu bar; the window cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  driver_ = new RenderDriver(session_, this);
  connect(driver_, &RenderDriver::columnDone, view_, &CanvasView::showProgress);
  connect(driver_, &RenderDriver::repaintDue, this, &MainWindow::repaint);
  connect(driver_, &RenderDriver::ended, this, &MainWindow::onRunEnded);

  menus_ = new MenuBar(*this);
  connectMenus();

  largeJob_ = new LargePictureJob(this);
  largeJob_->setObjectName("largepicturejob");
  connect(largeJob_, &LargePictureJob::finished, this, &MainWindow::onLargePictureFinished);
  filmJob_ = new FilmJob(this);
  filmJob_->setObjectName("filmjob");
  connect(filmJob_, &FilmJob::finished, this, &MainWindow::onFilmFinished);

  editors_ = std::make_unique<RecordEditors>(session_.params(), dialogs_, this);
  // Random's draws go through the origin editor, so its controls follow the record.
  session_.setOnDrawn(
      [this](const RandomCombination& draw) { editors_->origin()->applyRandom(draw); });

  // The start-up picture and the window's own picture come from the renderer, each drawn with a
  // throw-away working state so the program's own state starts at its defaults.
  const QImage startup = renderStartupPicture(kRegularCanvas.width, kRegularCanvas.height);
  session_.canvas().setPicture(reinterpret_cast<const uint32_t*>(startup.constBits()),
                               startup.width(), startup.height(), startup.bytesPerLine() / 4);
  view_->setBackgroundPicture(renderWindowPicture(kRegularCanvas.width, kRegularCanvas.height));
  session_.takeUndoCopy();
}

MainWindow::~MainWindow() {
  // The listing of the history folder ends on its own; it is waited for, never left running.
  delete history_;
  // A large picture in progress is cancelled and its thread joined before anything else goes.
  delete largeJob_;
  largeJob_ = nullptr;
  delete filmJob_;  // a film in progress is cancelled and its threads joined
  filmJob_ = nullptr;
  // Children are destroyed after the members they refer to: end the editors while the record
  // still exists.
  delete galleryForm_;  // its workers end before anything else goes
  delete exploreForm_;  // likewise
  delete driver_;
  driver_ = nullptr;
  editors_.reset();
}

void MainWindow::connectMenus() {
  menus_->onCommand("savelarge", [this] { onSaveLargePicture(); });
  menus_->onCommand("makeanimation", [this] { onMakeAnimation(); });
  menus_->onCommand("exit", [this] { askToExit(); });
  menus_->onCommand("stoppenknopp", [this] { stop(); });
  menus_->onCommand("createknopp", [this] { startRun(RunKind::Create); });
  menus_->onCommand("randomknop", [this] { startRun(RunKind::Random); });
  menus_->onCommand("clearknopp", [this] {
    session_.clearCanvas();
    repaint();
  });
  for (const bool shown : {true, false}) {
    menus_->onCommand(shown ? "scrollshow" : "scrollhide", [this, shown] {
      view_->setScrollBarsVisible(shown);
      menus_->showScrollBars(shown);
    });
  }
  menus_->onCommand("undo", [this] {
    session_.undoFilters();
    repaint();
  });
  menus_->onCommand("origin", [this] { RecordEditors::show(editors_->origin()); });
  menus_->onCommand("truecolor", [this] { RecordEditors::show(editors_->colours()); });
  menus_->onCommand("shape", [this] { RecordEditors::show(editors_->shape()); });
  menus_->onSetting([this](Field field, int16_t value) { chooseSetting(field, value); });
  connectFileMenus();
  connectExploreMenus();

  // Leaving the program must work from the start, while the File menu is still disabled: Ctrl+Q
  // asks the question Exit asks.
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  quit->setObjectName("quitshortcut");
  connect(quit, &QShortcut::activated, this, &MainWindow::askToExit);
  menus_->showOtherKey("exit", quit->key());
}

QImage MainWindow::undoCopy() const {
  const CanvasCopy& copy = session_.undoCopy();
  return QImage(reinterpret_cast<const uchar*>(copy.pixels.data()), copy.width, copy.height,
                copy.width * 4, QImage::Format_RGB32)
      .copy();
}

void MainWindow::repaint() {
  view_->canvasWidget()->update();
}

// ---------------------------------------------------------------------------------------------
// Runs

void MainWindow::startRun(RunKind run) {
  menus_->showRunning(true);
  if (session_.requestRun(run) == RunRequest::Queued) return;
  if (run == RunKind::Create) {
    QScrollBar* vbar = view_->verticalBar();
    vbar->move(vbar->x(), 0);
    menus_->enableForGood();
  }
  repaint();
  if (session_.params().showprogress == -1) view_->progressBar()->show();
  view_->canvasWidget()->setCursor(Qt::WaitCursor);
  driver_->begin();
}

void MainWindow::onRunEnded(const RunEnd& end) {
  const bool beeps = !session_.isEnding() && session_.params().beepon == -1 && beep_;
  if (end.kind == RunKind::Random && beeps) beep_();
  menus_->showRunning(false);
  view_->progressBar()->hide();
  view_->resetProgress();
  view_->canvasWidget()->unsetCursor();
  if (end.kind == RunKind::Create && beeps) beep_();
  if (end.keepInHistory) history_->addEntry(undoCopy());
  if (end.next != RunKind::None) startRun(end.next);
}

void MainWindow::stop() {
  menus_->showStopping();
  session_.requestStop();
}

void MainWindow::randomWith(const RandomCombination& draw) {
  session_.giveDraw(draw);
  startRun(RunKind::Random);
}

// ---------------------------------------------------------------------------------------------
// Settings and frames

void MainWindow::chooseSetting(Field field, int16_t value) {
  if (field == Field::framesize) return showFrame(value, CanvasView::FrameChange::Command);
  session_.params().*fieldEntry(field).member = value;
  if (field == Field::detailstep) {
    session_.setDetail(value);
    view_->progressBar()->setVisible(value == 1);
  }
  if (field == Field::inverse) session_.setPenMode(value);
  menus_->showSetting(field, value);
}

void MainWindow::showFrame(int16_t framesize, CanvasView::FrameChange change) {
  const bool maximum = framesize == 3;
  if (change != CanvasView::FrameChange::Picture) {
    menus_->menu("scrolls")->menuAction()->setEnabled(maximum);
    menus_->showScrollBars(maximum);
  }
  view_->showFrame(frameCanvasSize(framesize), maximum, change);
  // Through the origin editor, so its label follows and the record gets the size.
  if (change == CanvasView::FrameChange::Command && framesize == 2)
    editors_->origin()->setControl(Control::hsbsize, kThumbnailPictureSize);
  menus_->showSetting(Field::framesize, framesize);
  session_.params().framesize = framesize;
}

// ---------------------------------------------------------------------------------------------
// Exit

void MainWindow::askToExit() {
  if (exitQuestionOpen_ || session_.isEnding()) return;
  exitQuestionOpen_ = true;
  dialogs_.askYesNo(this, "Orbisk - Exit", "Quit Orbisk?", [this](bool yes) {
    exitQuestionOpen_ = false;
    if (!yes) return;
    session_.end();  // a running render stops at its next check
    largeJob_->cancelAndWait();
    filmJob_->cancel();  // its threads end with the window
    closeAllWindows();
    emit exitConfirmed();
  });
}

void MainWindow::closeAllWindows() {
  // In the fixed order: origin, about, hints, intro, colour system, view data, shape, this
  // window. Only this window's own windows are closed, and those not open are skipped. The
  // intro window has closed for good before this window is first shown, so it has no turn here.
  QWidget* const windows[] = {
      editors_->origin(),    aboutForm_,        hintsForm_,   editors_->colours(),
      dataFiles_.viewForm(), editors_->shape(), galleryForm_, history_->form(),
      exploreForm_};
  for (QWidget* window : windows) {
    if (window) window->close();
  }
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (session_.isEnding()) {
    event->accept();
    return;
  }
  // The frame's close button asks the same question as Exit. The answer may come later, so the
  // close is refused now and the question asked once this event is done.
  event->ignore();
  QMetaObject::invokeMethod(this, &MainWindow::askToExit, Qt::QueuedConnection);
}

}  // namespace orbisk
