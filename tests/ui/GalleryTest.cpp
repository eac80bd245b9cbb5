// The random gallery: its cells are the pictures the main window would draw, a pick draws the
// same picture in the main window, and no worker outlives the window.
#include <QCoreApplication>
#include <QKeyEvent>

#include "GuiTestSupport.h"
#include "io/RenderWorkers.h"
#include "ui/editors/OriginForm.h"
#include "ui/explore/GalleryCell.h"
#include "ui/explore/GalleryForm.h"

namespace orbisk::guitest {
namespace {

struct Gallery : MainFixture {
  std::unique_ptr<MainWindow> ready = readyWindow();

  // Opens the gallery on draws seeded 100, 101, ...
  GalleryForm* open() {
    auto seed = std::make_shared<uint64_t>(100);
    ready->setGallerySource([seed] { return drawRandomCombination((*seed)++); });
    trigger(*ready, "gallery");
    return ready->findChild<GalleryForm*>("galleryform");
  }
  // Lets every cell of the open gallery finish and reach the window.
  static void finishCells(GalleryForm* form) {
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
  const CanvasSetup setup{MainWindow::kThumbnailWidth, MainWindow::kThumbnailHeight,
                          rgbColour(20, 40, 90), 4, PenMode::InvertedCopy};

  GalleryForm* form = open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), "Orbisk - Gallery");
  finishCells(form);
  for (int i = 0; i < GalleryForm::kCells; ++i) {
    PictureParams drawn = params;
    applyCombination(drawn, drawRandomCombination(100 + static_cast<uint64_t>(i)));
    RenderState alone = state;
    RasterCanvas canvas(0, 0);
    renderOffscreen(drawn, alone, setup, canvas);
    const QImage expected(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(),
                          canvas.height(), canvas.width() * 4, QImage::Format_RGB32);
    ASSERT_TRUE(form->cell(i)->isFinished()) << "cell " << i;
    EXPECT_EQ(form->cell(i)->picture(), expected) << "cell " << i;
  }

  // From the first cell, right and down reach the sixth; Enter picks it.
  form->cell(0)->setFocus();
  press(form->cell(0), Qt::Key_Right);
  press(form->focusWidget(), Qt::Key_Down);
  ASSERT_EQ(form->focusWidget(), form->cell(5));
  press(form->cell(5), Qt::Key_Return);
  ASSERT_TRUE(ready->isRendering());
  guitest::finishRun(*ready);
  const RandomCombination picked = drawRandomCombination(105);
  EXPECT_EQ(barValue(*ready->originForm(), "hsblab"), picked.cit);
  EXPECT_EQ(ready->params().func1, picked.func1);
  EXPECT_EQ(canvasOf(*ready), form->cell(5)->picture());
  form->close();
}

TEST_F(Gallery, ClosingMidWorkLeavesNoThreadRunning) {
  // Large pictures, so the cells are still rendering when the window closes.
  trigger(*ready, "supermaximum");
  trigger(*ready, "yesborder");
  trigger(*ready, "borytien");
  GalleryForm* form = open();
  ASSERT_NE(form, nullptr);
  press(form, Qt::Key_F5);  // More: new draws, the first ones dropped
  form->close();
  EXPECT_EQ(RenderWorkers::liveThreads(), 0);
  flushDeletes();
  EXPECT_EQ(ready->findChild<GalleryForm*>("galleryform"), nullptr);

  // Nor does a main window that goes away with its gallery open.
  open();
  ready.reset();
  EXPECT_EQ(RenderWorkers::liveThreads(), 0);
}

TEST_F(Gallery, APickDuringARunStopsItAndDrawsThePick) {
  // The record may hold a value its control refused (a data file can store one): the pick
  // still draws the picked value.
  const RandomCombination draw = drawRandomCombination(7);
  ASSERT_TRUE(ready->originForm()->setControl(Control::hsbcat, draw.cat));
  ready->params().cat = 50;
  trigger(*ready, "createknopp");
  ready->renderDriver().runOneTurn();
  OffscreenOrder expected = ready->currentOrder();  // what the pick starts from
  applyCombination(expected.params, draw);

  ready->randomWith(draw);
  guitest::finishRun(*ready);
  EXPECT_EQ(ready->params().cat, draw.cat);
  RasterCanvas canvas(0, 0);
  renderOffscreen(expected.params, expected.state, expected.canvas, canvas);
  EXPECT_EQ(pixelsOf(ready->canvas()), pixelsOf(canvas));
}

}  // namespace
}  // namespace orbisk::guitest
