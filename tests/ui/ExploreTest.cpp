// The Explore window: its cells are variations (or children) of the main window's picture as the
// core makes them; a pick draws the same picture in the main window and offers twelve around it;
// Back returns; a file to breed with that holds no record is refused; no worker outlives it.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <fstream>

#include "GuiTestSupport.h"
#include "io/OffspringChooser.h"
#include "io/RenderWorkers.h"
#include "model/DataFile.h"
#include "render/random/Breeding.h"
#include "render/random/Variations.h"
#include "ui/explore/ExploreForm.h"
#include "ui/explore/GalleryCell.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk::guitest {
namespace {

struct Explore : MainFixture {
  std::unique_ptr<MainWindow> ready = readyWindow();

  ExploreForm* open(const char* command = "variations") {
    ready->setGallerySeeds([] { return uint64_t{7}; });
    trigger(*ready, command);
    return ready->findChild<ExploreForm*>("exploreform");
  }
  // Lets the choice and then every cell finish and reach the window.
  static void finishCells(ExploreForm* form) {
    form->chooser().wait();
    QCoreApplication::sendPostedEvents();
    form->workers().wait();
    QCoreApplication::sendPostedEvents();
  }
  static QImage canvasOf(const MainWindow& window) {
    return window.canvasView()->canvasWidget()->image().copy();
  }
};

TEST_F(Explore, CellsAreVariationsAPickDrawsTheSameAndBackReturns) {
  const PictureOrder start = ready->currentOrder();
  ExploreForm* form = open();
  ASSERT_NE(form, nullptr);
  finishCells(form);
  ASSERT_EQ(form->filled(), ExploreForm::kCells);
  const std::vector<Offspring> expected = chooseVariations(start, 7, VariationStep::More, 12);
  for (int i = 0; i < ExploreForm::kCells; ++i) {
    EXPECT_EQ(form->offspring(i).order.params, expected[static_cast<std::size_t>(i)].order.params);
    EXPECT_TRUE(form->cell(i)->isFinished()) << i;
  }
  QPushButton* back = form->findChild<QPushButton*>("exploreback");
  EXPECT_FALSE(back->isEnabled());

  // A pick draws the cell's picture in the main window, and the next twelve are around it.
  const PictureParams picked = form->offspring(4).order.params;
  const QImage pickedPicture = form->cell(4)->picture();
  form->pick(4);
  ASSERT_TRUE(ready->isRendering());
  finishRun(*ready);
  EXPECT_EQ(ready->params(), picked);
  EXPECT_EQ(canvasOf(*ready), pickedPicture);
  // The pick is a new history entry that says where it came from.
  trigger(*ready, "history");
  auto* history = ready->findChild<HistoryForm*>("historyform");
  ASSERT_NE(history, nullptr);
  history->select(0);
  EXPECT_TRUE(history->findChild<QLabel*>("historyorigin")
                  ->text()
                  .startsWith("Made as variation (more) of " +
                              QString::fromStdString(recordText(start.params)) + ": "));
  history->close();
  finishCells(form);
  EXPECT_TRUE(back->isEnabled());
  ASSERT_EQ(form->line().size(), 2u);
  for (int i = 0; i < form->filled(); ++i) EXPECT_NE(form->offspring(i).order.params, picked);

  // A lot: the step control offers twelve new ones around the same picture.
  form->stepBox()->setCurrentIndex(2);
  finishCells(form);
  EXPECT_EQ(form->offspring(0).order.params,
            chooseVariations(form->line().back(), 7, VariationStep::Lot, 12)[0].order.params);

  // Back draws the picture the pick came from.
  back->click();
  finishRun(*ready);
  EXPECT_EQ(ready->params(), start.params);
  EXPECT_FALSE(back->isEnabled());
  form->close();
}

TEST_F(Explore, BreedWithAFileOffersChildrenAndRefusesAFileWithoutARecord) {
  PictureParams other;
  other.ali = 2, other.func1 = 9, other.xraykleur = 7, other.driedkeuze = 5;
  const QString mate = QDir::temp().filePath("orbisk-explore-mate.dat");
  std::ofstream(mate.toStdString(), std::ios::binary) << formatRecord(other);
  const QString junk = QDir::temp().filePath("orbisk-explore-junk.dat");
  std::ofstream(junk.toStdString(), std::ios::binary) << "not a record";

  dialogs.fileAnswers = {junk};
  trigger(*ready, "breed");
  EXPECT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_EQ(ready->findChild<ExploreForm*>("exploreform"), nullptr);

  const PictureOrder start = ready->currentOrder();
  dialogs.fileAnswers = {mate};
  ExploreForm* form = open("breed");
  ASSERT_NE(form, nullptr);
  finishCells(form);
  const std::vector<Offspring> expected = chooseChildren(start, other, 7, 12);
  ASSERT_EQ(form->filled(), static_cast<int>(expected.size()));
  for (int i = 0; i < form->filled(); ++i)
    EXPECT_EQ(form->offspring(i).order.params, expected[static_cast<std::size_t>(i)].order.params);
  form->close();
  QFile::remove(mate);
  QFile::remove(junk);
}

TEST_F(Explore, ClosingMidWorkLeavesNoThreadRunning) {
  trigger(*ready, "supermaximum");
  ExploreForm* form = open();
  ASSERT_NE(form, nullptr);
  const RenderWorkers* workers = form->findChild<RenderWorkers*>();
  form->more();
  form->close();
  EXPECT_FALSE(workers->hasThreads());
  flushDeletes();
  EXPECT_EQ(ready->findChild<ExploreForm*>("exploreform"), nullptr);

  // A main window that goes away with the window open takes its workers with it.
  const QPointer<RenderWorkers> going = open()->findChild<RenderWorkers*>();
  ASSERT_FALSE(going.isNull());
  ready.reset();
  EXPECT_TRUE(going.isNull());
}

}  // namespace
}  // namespace orbisk::guitest
