// "Make animation...": a film from the canvas's picture through pictures of the history, made on
// worker threads with progress and Cancel; nothing is left behind on Cancel or a refusal.
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>

#include "io/RedrawPicture.h"
#include "render/run/WholePicture.h"
#include "tests/cli/FilmDecoding.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/main/AnimationForm.h"

namespace orbisk::guitest {
namespace {

struct Animation : FileFixture {
  Animation() {
    // The history lives in the test program's temporary data folder; it is emptied there only.
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    const QString folder = window->history().folder();
    if (home.isEmpty() || !home.startsWith(QDir::tempPath()) || !folder.startsWith(home))
      throw MissingChild("the history is not in a temporary folder: " + folder.toStdString());
    QDir(folder).removeRecursively();
    window->history().rescan();
  }

  // Two Thumbnail pictures in the history, v2 40 (older) and 80 (newest, on the canvas).
  void drawTwoPictures() {
    trigger("thumbnail");
    createAndFinish();
    window->params().v2 = 80;
    createAndFinish();
  }

  // The form of "Make animation..." with the older picture ticked.
  AnimationForm* openFormTickingTheOlder() {
    trigger("makeanimation");
    auto* form = window->findChild<AnimationForm*>("animationform");
    if (!form) throw MissingChild("animationform");
    auto* list = child<QListWidget>(*form, "animationentries");
    EXPECT_EQ(list->count(), 2);
    EXPECT_FALSE(child<QPushButton>(*form, "animationok")->isEnabled());
    list->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(child<QPushButton>(*form, "animationok")->isEnabled());
    return form;
  }

  void waitForFilm() {
    QDeadlineTimer deadline(std::chrono::minutes(5));
    while (window->filmJob()->isRunning() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(window->filmJob()->isRunning());
  }

  QStringList filesLeft() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
};

TEST_F(Animation, MakesAFilmFromTheCanvasToATickedPicture) {
  drawTwoPictures();
  const std::vector<uint32_t> canvas = pixelsOf(window->canvas());
  AnimationForm* form = openFormTickingTheOlder();
  child<QSpinBox>(*form, "animationframes")->setValue(6);
  child<QComboBox>(*form, "animationformat")->setCurrentIndex(2);  // animated PNG
  dialogs.fileAnswers.push_back(pathOf("film"));
  form->accept();
  ASSERT_TRUE(window->filmJob()->isRunning());
  waitForFilm();
  EXPECT_TRUE(dialogs.warnings.empty());

  const DecodedFilm film = decodeFilm(pathOf("film.png").toStdString());
  ASSERT_EQ(film.frames.size(), 6u);
  ASSERT_EQ(QSize(film.width, film.height), QSize(117, 90));
  EXPECT_EQ(film.frames.front(), canvas);  // from the canvas's picture
  PictureParams older = window->params();
  older.v2 = 40;
  DrawnPicture last;
  last.params = older;
  RasterCanvas expected(0, 0);
  renderWholePicture(orderToRedraw(last), expected);
  EXPECT_EQ(film.frames.back(), pixelsOf(expected));  // to the ticked one
}

TEST_F(Animation, CancelAndRefusalsLeaveNothingBehind) {
  trigger("makeanimation");  // the start-up picture was drawn by no record
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_TRUE(dialogs.informed[0].text.contains("Draw one with CREATE first"));
  dialogs.informed.clear();

  drawTwoPictures();
  AnimationForm* form = openFormTickingTheOlder();
  child<QSpinBox>(*form, "animationframes")->setValue(10000);
  dialogs.fileAnswers.push_back(pathOf("long.webm"));
  form->accept();
  ASSERT_TRUE(window->filmJob()->isRunning());
  auto* progress = window->findChild<QProgressDialog*>("animationprogress");
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  buttonWithText(progress, "Cancel")->click();
  waitForFilm();
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_FALSE(progress->isVisible());
  EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(" ").toStdString();

  // A film to the picture already on the canvas is no film: refused before any file is asked.
  window->bringBack(window->history().entries()[1]);
  finishRun();
  form = openFormTickingTheOlder();
  form->accept();
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_TRUE(dialogs.warnings[0].text.contains("the same picture"))
      << dialogs.warnings[0].text.toStdString();
  EXPECT_FALSE(window->filmJob()->isRunning());
  EXPECT_TRUE(filesLeft().isEmpty());
}

}  // namespace
}  // namespace orbisk::guitest
