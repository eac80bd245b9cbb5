// PNG pictures that carry the record that drew them: saving, Load data and View data of them,
// drawing them again, and files opened by drop or on the command line.
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QUrl>

#include "io/CanvasImage.h"
#include "io/RecordedPicture.h"
#include "io/RedrawPicture.h"
#include "session/PictureRecordText.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/QtDialogs.h"
#include "ui/editors/OriginForm.h"
#include "ui/main/CommandLineFile.h"

namespace orbisk::guitest {
namespace {

using Outcome = RecordedPictureRead::Outcome;

QImage pixelsOfFile(const QString& path) {
  return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The picture drawn again from its record, as orbisk-render draws a PNG.
QImage redrawn(const DrawnPicture& picture) {
  return renderedImage(orderToRedraw(picture));
}

// A Thumbnail picture drawn as orbisk-render draws one, saved as a PNG with its record.
QString writeRenderedPng(const QString& path, DrawnPicture picture) {
  picture.params.framesize = 2;
  picture.params.size = 54;
  const QImage image = redrawn(picture);
  EXPECT_EQ(writeRecordedPicture(path, image, "PNG", picture), "");
  return path;
}

void dropFile(MainWindow& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  // Straight to the window's handler: an unshown window gets no drops through the application.
  static_cast<QObject&>(window).event(&drop);
}

struct PicturesWithRecordsTest : FileFixture {
  void setEffect(int effect) { window->originForm()->setControl(Control::hsbeffect, effect); }
  void savePicture(const QString& path, int filter = 0) {
    dialogs.filterAnswers.push_back(filter);
    FileFixture::savePicture(path);
  }
  Outcome outcomeOf(const QString& path) { return readRecordedPicture(path).outcome; }
};

TEST_F(PicturesWithRecordsTest, APngSavedAfterSeveralRunsDrawsAgainPixelForPixel) {
  createAndFinish();
  setEffect(7);
  window->originForm()->setControl(Control::listv1b, 1);  // v1b reads R before setting it
  createAndFinish();
  setEffect(12);
  createAndFinish();
  ASSERT_TRUE(window->canvasIsExactRun());
  // The last run started from what the earlier ones left.
  EXPECT_NE(window->lastRun()->startState.orbr, 0.0);

  savePicture(pathOf("three.PNG"));
  const RecordedPictureRead read = readRecordedPicture(pathOf("three.PNG"));
  ASSERT_EQ(read.outcome, Outcome::Recorded) << read.error.toStdString();
  EXPECT_EQ(formatPictureRecord(read.picture), formatPictureRecord(*window->lastRun()));
  EXPECT_EQ(formatRecord(read.picture.params), formatRecord(window->params()));
  EXPECT_EQ(redrawn(read.picture), pixelsOfFile(pathOf("three.PNG")));
  EXPECT_EQ(redrawn(read.picture), canvasImage());

  // The format follows the name, or the filter for a name without .png or .bmp.
  savePicture(pathOf("plain.bmp"), 1);
  savePicture(pathOf("noext"), 1);
  savePicture(pathOf("noext2"));
  EXPECT_TRUE(readFile(pathOf("plain.bmp")).startsWith("BM"));
  EXPECT_TRUE(isPngFile(pathOf("noext")));
  EXPECT_TRUE(readFile(pathOf("noext2")).startsWith("BM"));
  EXPECT_TRUE(
      dialogs.fileRequests.back().request.filter.startsWith("(*.bmp)|*.bmp|(*.png)|*.png|"));
}

TEST_F(PicturesWithRecordsTest, OnlyAnExactRunIsRecorded) {
  createAndFinish();
  savePicture(pathOf("exact.png"));
  EXPECT_EQ(outcomeOf(pathOf("exact.png")), Outcome::Recorded);

  trigger("filtergreen");
  savePicture(pathOf("filtered.png"));
  EXPECT_EQ(outcomeOf(pathOf("filtered.png")), Outcome::NoRecord);
  // What else makes a run inexact is the session's to decide (tests/session).
  trigger("undo");  // the undo copy is the exact run again
  EXPECT_TRUE(window->canvasIsExactRun());
}

TEST_F(PicturesWithRecordsTest, LoadDataOfAPngMakesCreateDrawItAgain) {
  createAndFinish();
  DrawnPicture picture;
  picture.params.eff = 9;
  picture.params.driedkeuze = 12;
  picture.detailstep = picture.params.detailstep = 4;
  picture.background = 0x204060;
  picture.startState.orbr = 0.625;  // carried over from runs before
  const QString png = writeRenderedPng(pathOf("cli.png"), picture);

  chooseFile(*window, "opendatafile", png);
  EXPECT_EQ(window->params().eff, 9);
  EXPECT_EQ(window->params().detailstep, 4);
  EXPECT_EQ(window->renderState().orbr, 0.625);
  createAndFinish();
  EXPECT_EQ(canvasImage(), pixelsOfFile(png));
  EXPECT_TRUE(window->canvasIsExactRun());

  chooseFile(*window, "viewdata", png);
  auto* view = window->findChild<QWidget*>("viewdataform");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(labelText(*view, "lbleffect"), "9");
  EXPECT_EQ(view->windowTitle(), "cli.png - Orbisk");
  EXPECT_TRUE(dialogs.warnings.empty());
}

TEST_F(PicturesWithRecordsTest, APngWithoutAGoodRecordChangesNothing) {
  createAndFinish();
  const PictureParams before = window->params();
  writePicture("plain.png", patternPicture(40, 30), "PNG");
  QImage damaged = patternPicture(40, 30);
  damaged.setText(kPictureRecordKey, "Orbisk picture record 1\nprogram 4.2\n");
  writePicture("damaged.png", damaged, "PNG");

  chooseFile(*window, "opendatafile", pathOf("plain.png"));
  chooseFile(*window, "opendatafile", pathOf("damaged.png"));
  ASSERT_EQ(dialogs.warnings.size(), 2u);
  EXPECT_TRUE(dialogs.warnings[0].text.contains("carries no Orbisk record"));
  EXPECT_TRUE(dialogs.warnings[1].text.contains("damaged"));
  EXPECT_EQ(window->params(), before);
}

TEST_F(PicturesWithRecordsTest, DropAndCommandLineOpenFilesAsTheMenusDo) {
  // Before the first CREATE: a dropped data file is loaded and drawn, and the menus open.
  const QString data = writeFile("seven.dat",
                                 "110,1,6,2,7,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,"
                                 "0,0,1,1,1,25,25,0,0\r\n");
  dropFile(*window, data);
  finishRun();
  EXPECT_EQ(window->params().eff, 7);
  EXPECT_TRUE(action("viewdata")->isEnabled() && menu("file")->isEnabled());
  EXPECT_TRUE(window->canvasIsExactRun());
  auto other = makeWindow();
  chooseFile(*other, "opendatafile", data);
  guitest::createAndFinish(*other);
  EXPECT_EQ(pixelsOf(other->canvas()), pixelsOf(window->canvas()));

  // A picture without a record is loaded as Load picture loads it.
  const QString bmp = writePicture("pattern.bmp", patternPicture(200, 100), "BMP");
  EXPECT_TRUE(openCommandLineFile(*window, {"orbisk", bmp}));
  EXPECT_EQ(canvasImage().copy(0, 0, 200, 100), topLeft(patternPicture(200, 100), 200, 100));

  // A bad file gets Load data's message and changes nothing.
  const QImage shown = canvasImage();
  dropFile(*window, writeFile("bad.dat", "hello"));
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_EQ(dialogs.warnings[0].title, "Orbisk - Load data");
  EXPECT_FALSE(window->isRendering());
  EXPECT_EQ(canvasImage(), shown);
}

// The open file dialog, or nullptr.
QFileDialog* openDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    if (dialog && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

TEST(QtDialogsTest, EachFileDialogOpensInTheFolderLastUsed) {
  QTemporaryDir folder;
  QtDialogs dialogs;
  QString chosen;
  dialogs.saveFile(nullptr, {"Save datafile as...", "(*.dat)|*.dat", true},
                   [&](const QString& path) { chosen = path; });
  QFileDialog* save = openDialog();
  ASSERT_NE(save, nullptr);
  save->selectFile(folder.filePath("x.dat"));
  static_cast<QDialog*>(save)->accept();
  flushDeletes();
  EXPECT_EQ(chosen, folder.filePath("x.dat"));

  dialogs.openFile(nullptr, {"Open", "(*.bmp)|*.bmp", false}, [](const QString&) {});
  QFileDialog* open = openDialog();
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->directory().absolutePath(), QDir(folder.path()).absolutePath());
  EXPECT_TRUE(open->selectedFiles().isEmpty() || QFileInfo(open->selectedFiles().first()).isDir());
  open->reject();
  flushDeletes();
}

}  // namespace
}  // namespace orbisk::guitest
