// The random gallery: its cells are the pictures the main window would draw of the first
// candidates worth showing, the richest first; a pick draws the same picture in the main window,
// and no worker outlives the window.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <functional>

#include "GuiTestSupport.h"
#include "io/CandidateChooser.h"
#include "io/DrawnPart.h"
#include "io/RenderWorkers.h"
#include "model/FrameSize.h"
#include "render/random/RandomCandidates.h"
#include "ui/editors/OriginForm.h"
#include "ui/explore/GalleryCell.h"
#include "ui/explore/GalleryForm.h"

namespace orbisk::guitest {
namespace {

struct Gallery : MainFixture {
  std::unique_ptr<MainWindow> ready = readyWindow();

  // Opens the gallery on the candidate sequence of seed 100.
  GalleryForm* open() {
    ready->setGallerySeeds([] { return uint64_t{100}; });
    trigger(*ready, "gallery");
    return ready->findChild<GalleryForm*>("galleryform");
  }
  // Lets the choice of candidates and then every cell of the open gallery finish and reach the
  // window.
  static void finishCells(GalleryForm* form) {
    form->chooser().wait();
    QCoreApplication::sendPostedEvents();
    form->workers().wait();
    QCoreApplication::sendPostedEvents();
  }
  static QImage canvasOf(const MainWindow& window) {
    return window.canvasView()->canvasWidget()->image().copy();
  }
  static void press(QWidget* target, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
};

TEST_F(Gallery, CellsAreTheMainWindowsPicturesAndAPickDrawsTheSame) {
  // A look and a frame unlike the start-up ones, and working values left by two runs.
  dialogs.colourAnswer = QColor(20, 40, 90);
  trigger(*ready, "background");
  trigger(*ready, "invertedcolor");
  trigger(*ready, "detaillow");
  trigger(*ready, "thumbnail");
  guitest::createAndFinish(*ready);
  const PictureParams params = ready->params();
  const RenderState state = ready->renderState();
  const CanvasSetup setup{kThumbnailCanvas.width, kThumbnailCanvas.height, rgbColour(20, 40, 90), 4,
                          PenMode::InvertedCopy};

  GalleryForm* form = open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), "Orbisk - Gallery");
  finishCells(form);
  PictureOrder start;
  start.params = params;
  start.state = state;
  start.canvas = setup;
  // The first twelve candidates worth a look, whatever order the cells show them in.
  uint64_t looked = 0;
  std::vector<uint64_t> expectedNumbers, shownNumbers;
  for (const ChosenCandidate& c : chooseCandidates(start, 100, 0, GalleryForm::kCells, looked))
    expectedNumbers.push_back(c.candidate.index);
  for (int i = 0; i < GalleryForm::kCells; ++i) {
    const Candidate candidate = makeCandidate(start, 100, form->candidateNumber(i));
    shownNumbers.push_back(candidate.index);
    EXPECT_EQ(form->combination(i).of(Field::cit), candidate.draw.of(Field::cit)) << "cell " << i;
    RasterCanvas canvas(0, 0);
    renderWholePicture({candidate.order.params, state, setup, {}}, canvas);
    const QImage expected(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(),
                          canvas.height(), canvas.width() * 4, QImage::Format_RGB32);
    ASSERT_TRUE(form->cell(i)->isFinished()) << "cell " << i;
    EXPECT_EQ(form->cell(i)->picture(), expected) << "cell " << i;
    // The richest first.
    if (i > 0) {
      EXPECT_FALSE(showsMoreThan(form->content(i), form->candidateNumber(i), form->content(i - 1),
                                 form->candidateNumber(i - 1)))
          << "cell " << i;
    }
    // The drawn part fills the cell one way or the other.
    const QSize shown = form->cell(i)->shown().size();
    EXPECT_TRUE(shown.width() == GalleryCell::kWidth - 4 ||
                shown.height() == GalleryCell::kHeight - 4)
        << "cell " << i;
  }
  std::sort(shownNumbers.begin(), shownNumbers.end());
  EXPECT_EQ(shownNumbers, expectedNumbers);

  // From the first cell, right and down reach the sixth; Enter picks it.
  form->cell(0)->setFocus();
  press(form->cell(0), Qt::Key_Right);
  press(form->focusWidget(), Qt::Key_Down);
  ASSERT_EQ(form->focusWidget(), form->cell(5));
  press(form->cell(5), Qt::Key_Return);
  ASSERT_TRUE(ready->isRendering());
  guitest::finishRun(*ready);
  const RandomCombination picked = form->combination(5);
  EXPECT_EQ(barValue(*ready->originForm(), "hsblab"), picked.of(Field::cit));
  EXPECT_EQ(ready->params().func1, picked.of(Field::func1));
  EXPECT_EQ(canvasOf(*ready), form->cell(5)->picture());

  // More goes on along the same sequence.
  form->findChild<QPushButton*>("more")->click();
  finishCells(form);
  for (int i = 0; i < GalleryForm::kCells; ++i)
    EXPECT_GT(form->candidateNumber(i), expectedNumbers.back()) << "cell " << i;
  form->close();
}

TEST_F(Gallery, ClosingMidWorkLeavesNoThreadRunning) {
  // Large pictures, so the cells are still rendering when the window closes.
  trigger(*ready, "supermaximum");
  trigger(*ready, "yesborder");
  trigger(*ready, "borytien");
  GalleryForm* form = open();
  ASSERT_NE(form, nullptr);
  const RenderWorkers* workers = form->findChild<RenderWorkers*>();
  ASSERT_NE(workers, nullptr);
  press(form, Qt::Key_F5);  // More: new draws, the first ones dropped
  form->close();
  EXPECT_FALSE(workers->hasThreads());  // joined, so ended
  flushDeletes();
  EXPECT_EQ(ready->findChild<GalleryForm*>("galleryform"), nullptr);

  // Nor does a main window that goes away with its gallery open: the workers go with it, and a
  // thread not joined by then would end the program.
  const QPointer<RenderWorkers> going = open()->findChild<RenderWorkers*>();
  ASSERT_FALSE(going.isNull());
  ready.reset();
  EXPECT_TRUE(going.isNull());
}

// Whether the cell shows light text on its black field, across its middle.
bool showsText(GalleryCell& cell) {
  const QImage shot = cell.grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = shot.height() / 2 - 8; y < shot.height() / 2 + 8; ++y) {
    for (int x = shot.width() / 4; x < shot.width() * 3 / 4; ++x) {
      if (qGray(shot.pixel(x, y)) > 100) return true;
    }
  }
  return false;
}

// On heavy settings the candidates take long to choose and to draw: every cell says at once that
// it is drawing, then how far its render has come over what it has drawn so far, until its
// picture is there (a copy arriving late changes nothing then).
TEST_F(Gallery, EveryCellShowsItIsDrawingAndItsProgressUntilItsPictureComes) {
  for (const char* heavy : {"supermaximum", "yesborder", "borytien"}) trigger(*ready, heavy);
  GalleryForm* form = open();
  ASSERT_NE(form, nullptr);
  for (int i = 0; i < GalleryForm::kCells; ++i) {
    EXPECT_EQ(form->cell(i)->caption(), "drawing...") << "cell " << i;
    EXPECT_TRUE(showsText(*form->cell(i))) << "cell " << i;
  }
  form->close();

  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::red);
  struct Step {
    const char* label;
    std::function<void(GalleryCell&)> apply;
    const char* caption;
  };
  QImage soFar(40, 30, QImage::Format_RGB32);
  soFar.fill(Qt::black);
  soFar.setPixel(10, 10, qRgb(200, 250, 90));
  const Step steps[] = {
      {"progress reported", [](GalleryCell& c) { c.setProgress(37, 100); }, "drawing... 37%"},
      {"drawn so far", [&](GalleryCell& c) { c.setDrawnSoFar(soFar, measureImage(soFar, 0)); },
       "drawing... 37%"},
      {"every column done", [](GalleryCell& c) { c.setProgress(600, 600); }, "drawing... 100%"},
      {"picture come", [&](GalleryCell& c) { c.setPicture(picture, measureImage(picture, 0)); },
       ""},
      {"a late copy", [&](GalleryCell& c) { c.setDrawnSoFar(soFar, measureImage(soFar, 0)); }, ""},
      {"More", [](GalleryCell& c) { c.reset(); }, "drawing..."},
  };
  GalleryCell cell;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.label);
    step.apply(cell);
    EXPECT_EQ(cell.caption(), step.caption);
    EXPECT_EQ(showsText(cell), *step.caption != '\0');
    EXPECT_EQ(cell.isFinished(), *step.caption == '\0');
  }
}

TEST_F(Gallery, APickDuringARunStopsItAndDrawsThePick) {
  // The record may hold a value its control refused (a data file can store one): the pick
  // still draws the picked value.
  const RandomCombination draw = drawRandomCombination(7);
  ASSERT_TRUE(ready->originForm()->setControl(Control::hsbcat, draw.of(Field::cat)));
  ready->params().cat = 50;
  trigger(*ready, "createknopp");
  ready->renderDriver().runOneTurn();
  PictureOrder expected = ready->currentOrder();  // what the pick starts from
  applyCombination(expected.params, draw);

  ready->randomWith(draw);
  guitest::finishRun(*ready);
  EXPECT_EQ(ready->params().cat, draw.of(Field::cat));
  RasterCanvas canvas(0, 0);
  renderWholePicture(expected, canvas);
  EXPECT_EQ(pixelsOf(ready->canvas()), pixelsOf(canvas));
}

}  // namespace
}  // namespace orbisk::guitest
