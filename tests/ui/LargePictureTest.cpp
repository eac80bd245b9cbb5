// "Save large picture...": the canvas's picture drawn again larger on a worker thread.
#include <sys/stat.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>

#include <atomic>
#include <new>
#include <thread>

#include "io/LargePictureJob.h"
#include "io/RecordedPicture.h"
#include "render/run/WholePicture.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/main/Filters.h"

namespace orbisk::guitest {
namespace {

// Lets the event loop run until the window's large picture is done. The bound only keeps a
// broken build from hanging; no result depends on it.
void waitForLargePicture(MainWindow& window) {
  QDeadlineTimer deadline(std::chrono::minutes(5));
  while (window.largePictureJob()->isRunning() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_FALSE(window.largePictureJob()->isRunning());
}

using LargePicture = FileFixture;

TEST_F(LargePicture, CanvasWithoutAWholePictureFromParametersIsRefusedSayingWhy) {
  auto check = [this](const char* when, const char* says) {
    SCOPED_TRACE(when);
    dialogs.informed.clear();
    trigger("savelarge");
    ASSERT_EQ(dialogs.informed.size(), 1u);
    EXPECT_EQ(dialogs.informed[0].title, "Save large picture");
    EXPECT_TRUE(dialogs.informed[0].text.contains(says)) << dialogs.informed[0].text.toStdString();
    EXPECT_TRUE(dialogs.itemRequests.empty());
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_FALSE(window->largePictureJob()->isRunning());
  };
  const char* const noPicture = "holds no picture drawn from parameters";
  const char* const stopped = "incomplete: its run was stopped";
  check("start-up picture", noPicture);
  trigger("createknopp");
  driver().runOneTurn();
  check("during a run", "still being drawn");
  trigger("stoppenknopp");
  finishRun();
  check("after Stop", stopped);
  trigger("filterred");
  check("after Stop and a filter", stopped);
  createAndFinish();
  loadPicture(writePicture("loaded.bmp", patternPicture(40, 30), "BMP"));
  dialogs.fileRequests.clear();
  check("loaded picture", noPicture);
}

// The filters applied since the picture was drawn reach the large picture composed into one;
// the result equals the large picture filtered one by one.
TEST_F(LargePicture, FiltersComposedEqualFiltersOneByOne) {
  trigger("thumbnail");
  createAndFinish();
  const PictureParams drawn = window->params();
  const char* const applied[] = {"filterpurple", "filterlighten", "filteryellow", "filterdarken"};
  for (const char* item : applied) trigger(item);

  // On the canvas itself: the composed mask on the unfiltered undo copy gives the canvas.
  RasterCanvas unfiltered(117, 90);
  const QImage undo = window->undoCopy().convertToFormat(QImage::Format_RGB32);
  unfiltered.setPicture(reinterpret_cast<const uint32_t*>(undo.constBits()), undo.width(),
                        undo.height(), static_cast<int>(undo.bytesPerLine() / 4));
  window->filtersSinceDrawn().applyTo(unfiltered);
  EXPECT_EQ(pixelsOf(unfiltered), pixelsOf(window->canvas()));

  // Saved over a file with a second hard link and its own permission bits: both names get the
  // new picture, and the bits stay.
  const QByteArray large = QFile::encodeName(pathOf("large.png"));
  {
    QFile old(pathOf("large.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  ASSERT_EQ(::chmod(large.constData(), 0640), 0);
  ASSERT_EQ(::link(large.constData(), QFile::encodeName(pathOf("link.png")).constData()), 0);
  dialogs.itemAnswer = 0;  // 2 times
  dialogs.fileAnswers.push_back(pathOf("large.png"));
  trigger("savelarge");
  ASSERT_EQ(dialogs.itemRequests.size(), 1u);
  EXPECT_EQ(dialogs.itemRequests[0].first(), "2 times: 234 x 180 pixels");
  EXPECT_EQ(dialogs.itemRequests[0].size(), 5);
  waitForLargePicture(*window);
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_EQ(readFile(pathOf("link.png")), readFile(pathOf("large.png")));
  struct stat st {};
  ASSERT_EQ(::stat(large.constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // The same picture drawn apart, the filters applied one by one.
  PictureOrder order;  // the window's first run started from the working values' defaults
  order.params = drawn;
  order.canvas = {117, 90, 0, 1, PenMode::Copy, 2};
  RasterCanvas expected(0, 0);
  ASSERT_TRUE(renderWholePicture(order, expected));
  for (const char* item : applied) {
    for (const Filter& filter : filterTable()) {
      if (qstrcmp(filter.objectName, item) == 0) expected.applyMask(filter.op, filter.mask);
    }
  }
  QImage written(pathOf("large.png"), "PNG");
  ASSERT_EQ(written.size(), QSize(234, 180));
  written = written.convertToFormat(QImage::Format_RGB32);
  RasterCanvas fromFile(234, 180);
  fromFile.setPicture(reinterpret_cast<const uint32_t*>(written.constBits()), 234, 180,
                      static_cast<int>(written.bytesPerLine() / 4));
  EXPECT_EQ(pixelsOf(fromFile), pixelsOf(expected));
}

// An unfiltered large PNG carries its record with its scale; a filtered one carries none, since
// no record draws the filtered picture.
TEST_F(LargePicture, UnfilteredPngCarriesItsRecordAndScale) {
  trigger("thumbnail");
  createAndFinish();
  dialogs.itemAnswer = 1;  // 3 times
  dialogs.fileAnswers.push_back(pathOf("plain.png"));
  trigger("savelarge");
  waitForLargePicture(*window);
  const RecordedPictureRead plain = readRecordedPicture(pathOf("plain.png"));
  ASSERT_EQ(plain.outcome, RecordedPictureRead::Outcome::Recorded) << plain.error.toStdString();
  EXPECT_EQ(plain.picture.scale, 3);
  EXPECT_EQ(plain.picture.params, window->params());

  trigger("filterred");
  dialogs.fileAnswers.push_back(pathOf("red.png"));
  trigger("savelarge");
  waitForLargePicture(*window);
  EXPECT_EQ(readRecordedPicture(pathOf("red.png")).outcome, RecordedPictureRead::Outcome::NoRecord);
}

// Cancel in the progress dialog stops the worker before its next column and writes nothing.
TEST_F(LargePicture, CancelLeavesNoFile) {
  createAndFinish();
  // The worker waits after its first column until the test has pressed Cancel, so the picture
  // cannot be finished before.
  std::atomic<bool> pressed = false;
  std::atomic<int> columns = 0;
  window->largePictureJob()->setColumnHook([&](int done) {
    columns = done;
    QDeadlineTimer deadline(std::chrono::minutes(1));
    while (!pressed && !deadline.hasExpired()) std::this_thread::yield();
  });
  dialogs.itemAnswer = 4;  // 8 times
  dialogs.fileAnswers.push_back(pathOf("cancelled.png"));
  trigger("savelarge");
  ASSERT_TRUE(window->largePictureJob()->isRunning());
  auto* progress = window->findChild<QProgressDialog*>("largeprogress");
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_FALSE(progress->isModal());
  QPushButton* cancel = progress->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  cancel->click();
  pressed = true;
  waitForLargePicture(*window);
  EXPECT_LE(columns.load(), 1);  // Cancel may even come before the first column
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_FALSE(progress->isVisible());
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());  // no temporary file either
}

// Running out of memory anywhere in the worker is a message; the file of that name stays as it
// was and no temporary file is left.
TEST_F(LargePicture, OutOfMemoryIsAMessageAndWritesNothing) {
  createAndFinish();
  const QString old = writePicture("old.png", patternPicture(4, 3), "PNG");
  QFile oldFile(old);
  ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
  const QByteArray oldBytes = oldFile.readAll();
  oldFile.close();
  window->largePictureJob()->setColumnHook([](int) { throw std::bad_alloc(); });
  dialogs.itemAnswer = 0;  // 2 times
  dialogs.fileAnswers.push_back(old);
  trigger("savelarge");
  waitForLargePicture(*window);
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_TRUE(dialogs.warnings[0].text.contains("not enough memory"))
      << dialogs.warnings[0].text.toStdString();
  ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(oldFile.readAll(), oldBytes);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QFileInfo(old).fileName()});
}

}  // namespace
}  // namespace orbisk::guitest
