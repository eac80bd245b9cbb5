// The history of pictures: complete runs add entries, a run of the newest entry's record adds
// none, an entry brought back is the picture it was, Back and Forward walk the entries in order,
// and a second window finds them.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QListView>

#include "GuiTestSupport.h"
#include "io/DrawnPart.h"
#include "io/RecordedPicture.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk::guitest {
namespace {

struct History : FileFixture {
  History() {
    // The test program keeps its data folder in a temporary directory; the history is emptied
    // there, and only there, before each test.
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    const QString folder = window->history().folder();
    if (home.isEmpty() || !home.startsWith(QDir::tempPath()) || !folder.startsWith(home))
      throw MissingChild("the history is not in a temporary folder: " + folder.toStdString());
    QDir(folder).removeRecursively();
    // The window may have listed the folder before it was emptied.
    window->history().rescan();
  }
  std::size_t entryCount() const { return window->history().entries().size(); }
  // Random with the draws of a fixed seed.
  void randomAndFinish(uint64_t seed) {
    window->setRandomSource([seed] { return drawRandomCombination(seed); });
    trigger("randomknop");
    finishRun();
  }
  void back() {
    trigger("back");
    finishRun();
  }
  void forward() {
    trigger("forward");
    finishRun();
  }
};

TEST_F(History, RunsAddEntriesAndAnEntryBroughtBackIsThePictureItWas) {
  createAndFinish();
  ASSERT_EQ(entryCount(), 1u);
  const std::vector<uint32_t> first = pixelsOf(window->canvas());
  // The same record with the same working values (a PNG of that run, opened) adds none.
  savePicture(pathOf("first.png"));
  window->openFile(pathOf("first.png"));
  finishRun();
  EXPECT_EQ(entryCount(), 1u);

  // Other runs change the carried-over values, and the canvas is no longer cleared by CREATE.
  trigger("useclearbutton");
  randomAndFinish(5);
  createAndFinish();
  ASSERT_EQ(entryCount(), 3u);

  trigger("history");
  auto* form = window->findChild<HistoryForm*>("historyform");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), "Orbisk - History");
  ASSERT_EQ(form->entryCount(), 3);
  form->select(2);
  sendKey(form->list(), Qt::Key_Return);
  ASSERT_TRUE(window->isRendering());
  finishRun();
  EXPECT_EQ(pixelsOf(window->canvas()), first);
  EXPECT_EQ(entryCount(), 3u) << "bringing an entry back added one";

  // Its data file is the one "Save data as..." writes now that the entry is back.
  dialogs.fileAnswers.push_back(pathOf("entry.dat"));
  press(*form, "historysavedata");
  chooseFile(*window, "savedatafile", pathOf("window.dat"));
  EXPECT_EQ(readFile(pathOf("entry.dat")), readFile(pathOf("window.dat")));

  // Its picture saved from the window is drawn again at full size, with its record.
  dialogs.fileAnswers.push_back(pathOf("again.png"));
  press(*form, "historysavepicture");
  QDeadlineTimer deadline(std::chrono::minutes(5));  // only keeps a broken build from hanging
  while (window->largePictureJob()->isRunning() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  const QImage saved(pathOf("again.png"));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), canvasImage());
  EXPECT_EQ(readRecordedPicture(pathOf("again.png")).outcome,
            RecordedPictureRead::Outcome::Recorded);
  EXPECT_TRUE(dialogs.warnings.empty());

  // A save that fails says so under the command's own name.
  dialogs.fileAnswers.push_back(pathOf("no-such-folder/again.png"));
  press(*form, "historysavepicture");
  while (window->largePictureJob()->isRunning() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_EQ(dialogs.warnings[0].title, "Save picture as...");
  dialogs.warnings.clear();
  form->close();
}

// An entry's thumbnail is the drawn part of its picture, as a gallery cell shows it: the
// start-up picture (size 110) fills it instead of being a patch in a black field, and so does
// a small picture in the corner of a larger frame.
TEST_F(History, AnEntrysThumbnailShowsTheDrawnPartOfThePicture) {
  for (const char* frame : {"maximum", "supermaximum"}) {
    SCOPED_TRACE(frame);
    trigger(frame);
    createAndFinish();
    const QImage canvas = canvasImage();
    const PictureContent content = measureImage(canvas, 0);
    ASSERT_LT(content.width, canvas.width() / 2);  // the picture is small on its canvas
    const QSize room(HistoryStore::kThumbnailWidth, HistoryStore::kThumbnailHeight);
    const QImage thumbnail = window->history()
                                 .thumbnail(window->history().entries().front())
                                 .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(thumbnail, drawnPart(canvas, content, room).convertToFormat(QImage::Format_RGB32));
    // It fills the room one way or the other.
    EXPECT_TRUE(thumbnail.width() == room.width() || thumbnail.height() == room.height());
  }
}

TEST_F(History, BackAndForwardWalkTheEntriesAndASecondWindowFindsThem) {
  std::vector<std::vector<uint32_t>> pictures;
  createAndFinish();
  pictures.push_back(pixelsOf(window->canvas()));
  randomAndFinish(11);
  pictures.push_back(pixelsOf(window->canvas()));
  randomAndFinish(12);
  pictures.push_back(pixelsOf(window->canvas()));
  ASSERT_EQ(entryCount(), 3u);

  back();
  EXPECT_EQ(pixelsOf(window->canvas()), pictures[1]);
  // The open history window's selection follows.
  trigger("history");
  auto* form = window->findChild<HistoryForm*>("historyform");
  ASSERT_NE(form, nullptr);
  back();
  EXPECT_EQ(pixelsOf(window->canvas()), pictures[0]);
  EXPECT_EQ(form->list()->currentIndex().row(), 2);
  form->close();
  trigger("back");  // the oldest: nothing happens
  EXPECT_FALSE(window->isRendering());
  forward();
  EXPECT_EQ(pixelsOf(window->canvas()), pictures[1]);
  forward();
  EXPECT_EQ(pixelsOf(window->canvas()), pictures[2]);
  trigger("forward");  // the newest: nothing happens
  EXPECT_FALSE(window->isRendering());
  EXPECT_EQ(entryCount(), 3u);

  // A new run puts the cursor on its own entry: Back goes to the one before it.
  randomAndFinish(13);
  const std::vector<uint32_t> latest = pixelsOf(window->canvas());
  back();
  EXPECT_EQ(pixelsOf(window->canvas()), pictures[2]);

  // After a restart the entries are there: a second window's first run adds its own, and Back
  // from it brings the first window's last picture.
  std::unique_ptr<MainWindow> second = readyWindow();
  EXPECT_EQ(second->history().entries().size(), 5u);
  trigger(*second, "back");
  finishRun(*second);
  EXPECT_EQ(pixelsOf(second->canvas()), latest);
}

// The end of a run, with the history window open, lists no folder: the history's length does
// not weigh on it. Opening the window lists the folder afresh.
TEST_F(History, ARunsEndListsNoFolder) {
  createAndFinish();
  trigger("history");
  auto* form = window->findChild<HistoryForm*>("historyform");
  ASSERT_NE(form, nullptr);
  const int listings = window->history().folderListings();
  randomAndFinish(21);
  randomAndFinish(22);
  EXPECT_EQ(window->history().folderListings(), listings);
  EXPECT_EQ(form->entryCount(), 3);
  EXPECT_EQ(entryCount(), 3u);
  form->close();
}

// A newest entry that is a link to a FIFO: the end of a run reads the newest entry's record,
// and must pass over it instead of waiting for a writer that never comes.
TEST_F(History, ANewestEntryThatIsALinkToAFifoDoesNotFreezeARunsEnd) {
  const QString folder = window->history().folder();
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString fifo = pathOf("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(
      fifo,
      folder + '/' +
          HistoryStore::fileNameOf(QDateTime::currentMSecsSinceEpoch() + 86'400'000, 0, false)));
  window->history().rescan();
  createAndFinish();
  EXPECT_EQ(entryCount(), 2u);
}

}  // namespace
}  // namespace orbisk::guitest
