// CREATE, Stop, Clear and Random as the main window drives them, turn by turn, compared with
// the same traversal run headless on a RenderJob.
#include <QProgressBar>
#include <QScrollBar>
#include <algorithm>
#include <cstring>
#include <functional>

#include "render/run/RenderJob.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/OriginForm.h"
#include "ui/main/CanvasView.h"

namespace orbisk::guitest {
namespace {

// The same traversals without a window: one working state and one canvas, as the window has.
struct Headless {
  RenderState state;
  PictureParams params;
  RasterCanvas canvas{632, 434};

  // Starts a run and computes `columns` columns of it (all when negative). A change given is
  // made after those columns, and the same job then runs to its end.
  void run(int columns = -1, const std::function<void()>& thenChange = nullptr) {
    RenderJob job(state, params, canvas);
    job.start();
    for (int i = 0; (columns < 0 || i < columns) && job.hasColumns(); ++i) job.stepColumn();
    if (!thenChange) return;
    thenChange();
    while (job.hasColumns()) job.stepColumn();
  }
  void startFrom(const RasterCanvas& other) {
    std::memcpy(canvas.bits(), other.bits(), sizeof(uint32_t) * canvas.width() * canvas.height());
  }
};

// True when every pixel of the canvas is black.
bool allBlack(const RasterCanvas& canvas) {
  const std::vector<uint32_t> pixels = pixelsOf(canvas);
  return std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p & 0xffffffu) == 0; });
}

using MainRender = MainFixture;

TEST_F(MainRender, CreateOfTheStartUpSetMatchesTheHeadlessPicture) {
  createAndFinish();
  Headless headless;
  headless.run();
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
  // The start-up picture is that same picture, drawn with a throw-away working state.
  EXPECT_EQ(window->undoCopy(), window->canvasView()->canvasWidget()->image());
}

TEST_F(MainRender, RunsByItselfFromTheEventLoop) {
  trigger("createknopp");
  for (int i = 0; i < 100000 && window->isRendering(); ++i) QCoreApplication::processEvents();
  EXPECT_FALSE(window->isRendering());
  EXPECT_EQ(driver().columnsDone(), 111);
  EXPECT_EQ(beeps, 1);
}

TEST_F(MainRender, LocksTheMenusAndShowsProgressWhileRunning) {
  auto* pb = widget<QProgressBar>("PB");
  auto* pct1 = widget<QWidget>("Pct1");
  trigger("createknopp");
  EXPECT_FALSE(action("createknopp")->isEnabled());
  EXPECT_TRUE(action("stoppenknopp")->isEnabled());
  EXPECT_FALSE(action("randomknop")->isEnabled());
  EXPECT_FALSE(action("clearknopp")->isEnabled());
  EXPECT_TRUE(menu("file")->menuAction()->isEnabled());
  EXPECT_FALSE(pb->isHidden());
  EXPECT_EQ(pct1->cursor().shape(), Qt::WaitCursor);

  driver().runOneTurn();
  EXPECT_EQ(pb->maximum(), 11100);  // (110 + 1) columns, in hundredths
  EXPECT_EQ(pb->value(), 100);

  finishRun();
  EXPECT_TRUE(action("createknopp")->isEnabled());
  EXPECT_FALSE(action("stoppenknopp")->isEnabled());
  EXPECT_TRUE(action("randomknop")->isEnabled());
  EXPECT_TRUE(action("clearknopp")->isEnabled());
  EXPECT_TRUE(pb->isHidden());
  EXPECT_EQ(pb->value(), 0);
  EXPECT_EQ(pct1->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(window->stopflag(), 0);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(window->undoCopy(), window->canvasView()->canvasWidget()->image());
}

TEST_F(MainRender, ProgressAndBeepFollowThePreferences) {
  auto* pb = widget<QProgressBar>("PB");
  trigger("hidepro");
  trigger("offf");
  trigger("createknopp");
  EXPECT_TRUE(pb->isHidden());
  finishRun();
  EXPECT_EQ(beeps, 0);

  // Detail High shows the bar even with Progress Hide; Detail Low hides it, but a run with
  // Progress Show brings it back.
  trigger("detailhigh");
  EXPECT_FALSE(pb->isHidden());
  trigger("detaillow");
  EXPECT_TRUE(pb->isHidden());
  trigger("showpro");
  trigger("createknopp");
  EXPECT_FALSE(pb->isHidden());
  driver().runOneTurn();
  EXPECT_EQ(pb->maximum(), 2775);  // (110 + 1) / 4 columns
  finishRun();
}

TEST_F(MainRender, StopInTheFirstColumnEndsBeforeTheSecond) {
  trigger("createknopp");
  driver().runOneTurn();  // the first column
  trigger("stoppenknopp");
  EXPECT_EQ(window->stopflag(), -1);
  EXPECT_TRUE(action("createknopp")->isEnabled());
  EXPECT_TRUE(action("stoppenknopp")->isEnabled());
  EXPECT_TRUE(action("clearknopp")->isEnabled());

  EXPECT_FALSE(driver().runOneTurn());  // the yield that opens the second column
  EXPECT_FALSE(window->isRendering());
  EXPECT_EQ(driver().columnsDone(), 1);
  EXPECT_EQ(window->stopflag(), 0);
  EXPECT_FALSE(action("stoppenknopp")->isEnabled());
  EXPECT_TRUE(action("randomknop")->isEnabled());

  Headless headless;
  headless.run(1);
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
  EXPECT_EQ(window->undoCopy(), window->canvasView()->canvasWidget()->image());
}

TEST_F(MainRender, CreateDuringAStoppingRunStartsAfterItsEndSteps) {
  trigger("createknopp");
  driver().runOneTurn();
  trigger("stoppenknopp");
  trigger("createknopp");  // in the same yield as Stop
  EXPECT_TRUE(window->isRendering());
  EXPECT_EQ(driver().columnsDone(), 1);  // not begun: the stopped run still owns the traversal
  EXPECT_FALSE(action("createknopp")->isEnabled());
  EXPECT_EQ(beeps, 0);

  driver().runOneTurn();  // the stopped run ends, then the new one starts
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(window->isRendering());
  EXPECT_EQ(driver().columnsDone(), 0);
  EXPECT_EQ(window->stopflag(), 0);
  const int turns = finishRun();
  EXPECT_EQ(turns, 111);
  EXPECT_EQ(beeps, 2);

  Headless headless;
  headless.run(1);
  headless.canvas.clear();
  headless.run();
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
}

TEST_F(MainRender, LevelMovedBetweenColumnsChangesTheRestOfTheRun) {
  trigger("createknopp");
  driver().runOneTurn();
  ASSERT_TRUE(window->originForm()->setControl(Control::hsblevel, 35));
  EXPECT_EQ(window->params().w, 35);
  finishRun();

  Headless unchanged;
  unchanged.run();
  // One job, its level changed after the first column: it reads the level at every column.
  Headless same;
  same.run(1, [&] { same.params.w = 35; });
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(same.canvas));
  EXPECT_NE(pixelsOf(window->canvas()), pixelsOf(unchanged.canvas));
}

TEST_F(MainRender, UseClearbuttonDrawsOverThePreviousPicture) {
  trigger("useclearbutton");
  Headless headless;
  headless.startFrom(window->canvas());  // the start-up picture stays under the first run
  createAndFinish();
  ASSERT_TRUE(window->originForm()->setControl(Control::hsbgalaxy, 3));
  createAndFinish();

  headless.run();
  headless.params.ali = 3;
  headless.run();
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
}

TEST_F(MainRender, ClearWipesTheCanvasAndResetsTheStopFlag) {
  createAndFinish();
  trigger("clearknopp");
  EXPECT_TRUE(allBlack(window->canvas()));
  EXPECT_EQ(window->stopflag(), 0);
}

TEST_F(MainRender, DetailAndWidthChangesReachTheNextColumn) {
  trigger("createknopp");
  driver().runOneTurn();
  trigger("detaillow");
  trigger("borydrie");
  finishRun();

  Headless headless;
  headless.run(1, [&] {
    headless.params.detailstep = 4;
    headless.params.widthfac = 3;
    headless.canvas.setPenWidth(4);
  });
  EXPECT_EQ(driver().columnsDone(), 111);  // the column step stays as the run began
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
}

// ---------------------------------------------------------------------------------------------
// Random

using MainRandom = MainFixture;

// Every field of the record except the ten that Random draws.
PictureParams withoutDraws(PictureParams p) {
  p.cat = p.ali = p.eff = p.func1 = p.func2 = p.t1 = p.w = p.worldw = p.sols = p.cit = 0;
  return p;
}

TEST_F(MainRandom, ChangesOnlyItsTenValuesAllInRange) {
  createAndFinish();
  // Values that Random must leave alone, away from their defaults.
  ASSERT_TRUE(window->originForm()->setControl(Control::hsbsize, 200));
  ASSERT_TRUE(window->originForm()->setControl(Control::hsbv2, -300));
  ASSERT_TRUE(window->originForm()->setControl(Control::hsbv4, 700));
  window->params().xraykleur = 9;
  window->params().driedkeuze = 12;

  for (uint64_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    const RandomCombination draw = drawRandomCombination(seed);
    window->setRandomSource([draw] { return draw; });
    const PictureParams before = window->params();
    trigger("randomknop");
    trigger("stoppenknopp");  // the draws are done; no need to render the picture
    finishRun();

    const PictureParams& after = window->params();
    EXPECT_EQ(withoutDraws(after), withoutDraws(before));
    EXPECT_EQ(after.cat, draw.of(Field::cat));
    EXPECT_EQ(after.ali, draw.of(Field::ali));
    EXPECT_EQ(after.eff, draw.of(Field::eff));
    EXPECT_EQ(after.func1, draw.of(Field::func1));
    EXPECT_EQ(after.func2, draw.of(Field::func2));
    EXPECT_EQ(after.t1, draw.of(Field::t1));
    EXPECT_EQ(after.w, draw.of(Field::w));
    EXPECT_EQ(after.worldw, draw.of(Field::worldw));
    EXPECT_EQ(after.sols, draw.of(Field::sols));
    EXPECT_EQ(after.cit, draw.of(Field::cit));
    EXPECT_TRUE(after.cat >= 1 && after.cat <= 10);
    EXPECT_TRUE(after.ali >= 1 && after.ali <= 14);
    EXPECT_TRUE(after.eff >= 1 && after.eff <= 20);
    EXPECT_TRUE(after.func1 >= 1 && after.func1 <= 11);
    EXPECT_TRUE(after.func2 >= 1 && after.func2 <= 11);
    EXPECT_TRUE(after.t1 >= 1 && after.t1 <= 8);
    EXPECT_TRUE(after.w >= 1 && after.w <= 35);
    EXPECT_TRUE(after.worldw >= 1 && after.worldw <= 10);
    EXPECT_TRUE(after.sols >= 1 && after.sols <= 20);
    EXPECT_TRUE(after.cit >= 1 && after.cit <= 24);
    if (HasFailure()) break;
  }
  EXPECT_EQ(window->params().size, 200);
  EXPECT_EQ(window->params().v2, -300);
  EXPECT_EQ(window->params().v3, 40);
  EXPECT_EQ(window->params().v4, 700);
  EXPECT_EQ(window->params().xraykleur, 9);
  EXPECT_EQ(window->params().driedkeuze, 12);
}

TEST_F(MainRandom, RendersOnAClearedCanvasAndRefreshesTheUndoCopy) {
  createAndFinish();
  trigger("useclearbutton");  // Random clears all the same
  const RandomCombination draw = drawRandomCombination(42);
  window->setRandomSource([draw] { return draw; });
  Headless headless;
  headless.state = window->renderState();
  const int beepsBefore = beeps;

  trigger("randomknop");
  EXPECT_FALSE(action("createknopp")->isEnabled());
  EXPECT_TRUE(action("stoppenknopp")->isEnabled());
  EXPECT_FALSE(action("randomknop")->isEnabled());
  EXPECT_FALSE(action("clearknopp")->isEnabled());
  EXPECT_EQ(widget<QWidget>("Pct1")->cursor().shape(), Qt::WaitCursor);
  finishRun();

  headless.params = window->params();
  headless.run();
  EXPECT_EQ(pixelsOf(window->canvas()), pixelsOf(headless.canvas));
  EXPECT_EQ(window->undoCopy(), window->canvasView()->canvasWidget()->image());
  EXPECT_EQ(beeps, beepsBefore + 1);
  EXPECT_EQ(widget<QWidget>("Pct1")->cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(action("createknopp")->isEnabled());
  EXPECT_FALSE(action("stoppenknopp")->isEnabled());
  EXPECT_TRUE(action("randomknop")->isEnabled());
  EXPECT_TRUE(action("clearknopp")->isEnabled());
  EXPECT_TRUE(widget<QProgressBar>("PB")->isHidden());
  EXPECT_EQ(window->stopflag(), 0);
}

}  // namespace
}  // namespace orbisk::guitest
