// "Save data as...", "Load data" and "View data" through the main window's menus, with the file
// dialogs answered by the test and real files in a temporary folder.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include "model/DataFile.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/ShapeDiagrams.h"
#include "ui/editors/ViewDataForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/main/CanvasView.h"

namespace orbisk::guitest {
namespace {

const char* const kStartupLine =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";

// Everything the window shows of a loaded record, for checking that a load changed nothing or
// that two windows agree.
struct WindowState {
  PictureParams params;        // the picture record
  std::vector<int> controls;   // every editor control's value, in the control table's order
  QStringList labels;          // the texts of every label of the three editors
  QStringList checked;         // the checked menu items
  bool scrollsEnabled;         // the Scrollbars submenu can be used
  bool barsShown;              // the canvas scroll bars are shown
  QRect canvas;                // where Pct1 lies in the view, and its size
  int progressWidth;           // width of the progress bar
  QStringList listSelections;  // the selected entries of the two function lists
  PenMode penMode;             // copy or inverted copy

  bool operator==(const WindowState&) const = default;
};

struct DataFiles : FileFixture {
  // The start-up record with some fields (by number, 1..32) changed, cut to its first `count`.
  static QByteArray startupWith(std::initializer_list<std::pair<int, int>> changes,
                                int count = kRecordFields) {
    std::vector<int> fields(kStartupFields.begin(), kStartupFields.end());
    for (const auto& [number, value] : changes) fields[static_cast<size_t>(number - 1)] = value;
    fields.resize(static_cast<size_t>(count));
    QByteArray text;
    for (int v : fields) text += QByteArray::number(v) + ",";
    text.chop(1);
    return text + "\r\n";
  }

  void loadData(MainWindow& w, const QString& file) { chooseFile(w, "opendatafile", file); }
  void saveData(MainWindow& w, const QString& file) { chooseFile(w, "savedatafile", file); }
  void viewData(MainWindow& w, const QString& file) { chooseFile(w, "viewdata", file); }

  static XrayForm* xray(const MainWindow& w) { return child<XrayForm>(w, "xrayform"); }
  static DriedForm* dried(const MainWindow& w) { return child<DriedForm>(w, "driedform"); }

  static WindowState stateOf(MainWindow& w) {
    WindowState s;
    s.params = w.params();
    for (int c = 0; c < static_cast<int>(Control::count); ++c) {
      const auto control = static_cast<Control>(c);
      s.controls.push_back(w.originForm()->controlValue(control) + xray(w)->controlValue(control) +
                           dried(w)->controlValue(control));
    }
    for (const QWidget* form :
         {static_cast<const QWidget*>(w.originForm()), static_cast<const QWidget*>(xray(w)),
          static_cast<const QWidget*>(dried(w))}) {
      for (const QLabel* l : form->findChildren<QLabel*>()) s.labels << l->text();
    }
    for (const QAction* a : w.findChildren<QAction*>())
      if (a->isChecked()) s.checked << a->objectName();
    s.scrollsEnabled = child<QMenu>(w, "scrolls")->menuAction()->isEnabled();
    s.barsShown = !child<QScrollBar>(w, "HScroll1")->isHidden();
    s.canvas = child<QWidget>(w, "Pct1")->geometry();
    s.progressWidth = child<QProgressBar>(w, "PB")->width();
    for (const char* list : {"listv1a", "listv1b"})
      s.listSelections << child<QListWidget>(w, list)->currentItem()->text();
    s.penMode = w.canvas().penMode();
    return s;
  }
};

// ---------------------------------------------------------------------------------------------
// Save

TEST_F(DataFiles, SavingTheStartUpSetWritesTheKnownLine) {
  window = readyWindow();
  saveData(*window, pathOf("start.dat"));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_TRUE(dialogs.fileRequests[0].save);
  EXPECT_EQ(dialogs.fileRequests[0].request.title, "Save datafile as...");
  EXPECT_EQ(dialogs.fileRequests[0].request.filter,
            "(*.dat)|*.dat|Data files|*.dat;*.DAT|All files|*");
  EXPECT_TRUE(dialogs.fileRequests[0].request.confirmOverwrite);
  EXPECT_EQ(readFile(pathOf("start.dat")), kStartupLine);
  EXPECT_TRUE(dialogs.warnings.empty());

  // The name is used as chosen: no extension is added.
  saveData(*window, pathOf("plain"));
  EXPECT_EQ(readFile(pathOf("plain")), kStartupLine);
  EXPECT_FALSE(QFile::exists(pathOf("plain.dat")));
}

TEST_F(DataFiles, CancellingEitherDialogChangesAndWritesNothing) {
  window = readyWindow();
  const WindowState before = stateOf(*window);
  saveData(*window, QString());
  loadData(*window, QString());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
  EXPECT_EQ(stateOf(*window), before);
  EXPECT_TRUE(dialogs.warnings.empty());
}

TEST_F(DataFiles, AFailedSaveIsReportedAndTheOldFileIsKept) {
  window = readyWindow();
  const QString missingFolder = pathOf("no such folder/out.dat");
  saveData(*window, missingFolder);
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_TRUE(dialogs.warnings[0].text.contains(missingFolder))
      << dialogs.warnings[0].text.toStdString();

  // A name taken by a folder with something in it cannot be replaced; what it holds survives.
  const QString taken = pathOf("taken.dat");
  ASSERT_TRUE(QDir().mkpath(taken));
  writeFile("taken.dat/keep", "old");
  saveData(*window, taken);
  ASSERT_EQ(dialogs.warnings.size(), 2u);
  EXPECT_TRUE(dialogs.warnings[1].text.contains(taken));
  EXPECT_EQ(readFile(taken + "/keep"), "old");
  // No temporary file is left behind.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// ---------------------------------------------------------------------------------------------
// Load

TEST_F(DataFiles, SaveThenLoadRestoresEveryStoredFieldEditorMenuAndFrame) {
  window = readyWindow();
  OriginForm* origin = window->originForm();
  const std::pair<Control, int> originValues[] = {
      {Control::hsbsize, 321},  {Control::hsbcat, 7},          {Control::hsbgalaxy, 12},
      {Control::hsbeffect, 17}, {Control::listv1a, 11},        {Control::listv1b, 1},
      {Control::hsbtype, 8},    {Control::hsblevel, 33},       {Control::hsbworld, 9},
      {Control::hsblab, 23},    {Control::hsbsolarsystem, 19}, {Control::hsbv2, -900},
      {Control::hsbv3, 899},    {Control::hsbv4, -1}};
  for (const auto& [control, value] : originValues) ASSERT_TRUE(origin->setControl(control, value));
  trigger(*window, "truecolor");
  bar(*xray(*window), "hsbxray")->setValue(14);
  bar(*xray(*window), "kl1ad")->setValue(250);
  bar(*xray(*window), "kl2ad")->setValue(249);
  bar(*xray(*window), "kl3ad")->setValue(1);
  press(*xray(*window), "okbutton");
  trigger(*window, "shape");
  bar(*dried(*window), "hsbimage")->setValue(35);
  bar(*dried(*window), "glij")->setValue(-50);
  bar(*dried(*window), "hoogte")->setValue(1);
  bar(*dried(*window), "hsbvertical")->setValue(-750);
  bar(*dried(*window), "hsbhorizon")->setValue(745);
  press(*dried(*window), "okbutton");
  for (const char* item : {"invertedcolor", "inward", "yesborder", "boryvijf", "supermaximum"})
    trigger(*window, item);
  const WindowState saved = stateOf(*window);
  EXPECT_EQ(saved.params.driedkeuze, 35);
  EXPECT_EQ(saved.params.xraykleur, 14);

  saveData(*window, pathOf("all.dat"));
  EXPECT_EQ(readFile(pathOf("all.dat")),
            "321,7,12,1,17,11,1,8,33,9,19,23,1001,1001,-900,899,-1,1001,14,35,1,0,250,249,1,3,"
            "10,5,-50,1,-750,745\r\n");

  auto fresh = readyWindow();
  loadData(*fresh, pathOf("all.dat"));
  EXPECT_EQ(dialogs.fileRequests.back().request.title, "Open datafile");
  EXPECT_EQ(
      dialogs.fileRequests.back().request.filter,
      "(*.dat)|*.dat|(*.png)|*.png|Data files and pictures|*.dat;*.DAT;*.png;*.PNG|All files|*");
  EXPECT_FALSE(dialogs.fileRequests.back().save);
  EXPECT_EQ(stateOf(*fresh), saved);
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_TRUE(dialogs.informed.empty());  // a whole record loads without a word
  // The editors' labels, previews and diagrams follow through their own change handling.
  EXPECT_EQ(labelText(*dried(*fresh), "lblimage"), "35");
  EXPECT_EQ(labelText(*dried(*fresh), "textvertical"), "750");
  EXPECT_EQ(child<SlantDiagram>(*dried(*fresh), "slantdiagram")->slant(), -50);
  EXPECT_EQ(child<HeightDiagram>(*dried(*fresh), "heightdiagram")->heightValue(), 1);
  EXPECT_TRUE(bar(*dried(*fresh), "glij")->isEnabled());
  EXPECT_EQ(labelText(*xray(*fresh), "lblxray"), "14");
  EXPECT_EQ(labelText(*fresh->originForm(), "textsize"), "321");
  EXPECT_EQ(fresh->canvas().penMode(), PenMode::InvertedCopy);
  // Loading starts no render.
  EXPECT_FALSE(fresh->isRendering());
  EXPECT_TRUE(child<QAction>(*fresh, "createknopp")->isEnabled());

  // Loading the start-up line brings every mark back, and the reserved fields are written as
  // always, whatever the loaded file held there.
  loadData(*fresh, writeFile("odd.dat", startupWith({{13, 7}, {14, 7}, {18, 7}, {22, 7}})));
  saveData(*fresh, pathOf("again.dat"));
  EXPECT_EQ(readFile(pathOf("again.dat")), kStartupLine);
  for (const char* item :
       {"regularcolor", "outward", "noborder", "boryeen", "maximum", "scrollhide"})
    EXPECT_TRUE(child<QAction>(*fresh, item)->isChecked()) << item;
  for (const char* item :
       {"invertedcolor", "inward", "yesborder", "boryvijf", "supermaximum", "scrollshow"})
    EXPECT_FALSE(child<QAction>(*fresh, item)->isChecked()) << item;
  EXPECT_EQ(fresh->canvas().penMode(), PenMode::Copy);
}

TEST_F(DataFiles, TwentyEightNumbersLoadAndTheShapeSettingsCountAsZero) {
  window = readyWindow();
  trigger(*window, "shape");
  bar(*dried(*window), "glij")->setValue(-20);
  bar(*dried(*window), "hoogte")->setValue(30);
  bar(*dried(*window), "hsbvertical")->setValue(100);
  bar(*dried(*window), "hsbhorizon")->setValue(-100);
  loadData(*window, writeFile("short.dat",
                              "300,2,7,1,4,5,6,7,8,9,10,11,1001,1001,-5,6,-7,1001,"
                              "8,9,1,0,10,20,30,2,3,10"));
  const PictureParams& p = window->params();
  EXPECT_EQ(p.size, 300);
  EXPECT_EQ(p.widthfac, 10);
  EXPECT_EQ(p.glij, 0);
  EXPECT_EQ(p.hsbvertical, 0);
  EXPECT_EQ(p.hsbhorizon, 0);
  EXPECT_EQ(p.hoogte, 30);  // 0 lies outside the height bar's range
  EXPECT_EQ(bar(*dried(*window), "hoogte")->value(), 30);
  EXPECT_EQ(labelText(*dried(*window), "lblglij"), "0");
  EXPECT_TRUE(dialogs.warnings.empty());
  // Loaded, and the user is told which values were lost.
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_EQ(dialogs.informed[0].title, "Orbisk - Load data");
  EXPECT_TRUE(dialogs.informed[0].text.endsWith(
      "short.dat\": fields 29 to 32 could not be read and now count as 0 (the file ends before "
      "field 29)."))
      << dialogs.informed[0].text.toStdString();
}

TEST_F(DataFiles, FunctionsOutsideTheListKeepTheSelection) {
  window = readyWindow();
  for (int v1a : {0, 12}) {
    SCOPED_TRACE(v1a);
    loadData(*window, writeFile("v1a.dat", startupWith({{6, v1a}, {7, 5}})));
    EXPECT_EQ(window->params().func1, 3);
    EXPECT_EQ(child<QListWidget>(*window, "listv1a")->currentItem()->text(), "-Sin");
    EXPECT_EQ(window->params().func2, 5);
    EXPECT_EQ(child<QListWidget>(*window, "listv1b")->currentItem()->text(), "-Cos");
  }
}

TEST_F(DataFiles, LoadedFramesKeepSizeProgressBarAndScrollPositions) {
  window = readyWindow();
  auto* hbar = child<QScrollBar>(*window, "HScroll1");
  auto* vbar = child<QScrollBar>(*window, "VScroll1");
  auto* pct1 = child<QWidget>(*window, "Pct1");
  auto record = [](int size, int frame) { return startupWith({{1, size}, {26, frame}}); };

  // With the bars where they start, a loaded Maximum frame sits at (-158, -108).
  loadData(*window, writeFile("max.dat", record(110, 3)));
  EXPECT_EQ(pct1->geometry(), QRect(-158, -108, 948, 651));
  EXPECT_EQ(window->canvas().width(), 948);
  EXPECT_FALSE(hbar->isHidden());
  EXPECT_TRUE(child<QMenu>(*window, "scrolls")->menuAction()->isEnabled());
  EXPECT_TRUE(child<QAction>(*window, "scrollshow")->isChecked());
  EXPECT_TRUE(child<QAction>(*window, "supermaximum")->isChecked());

  // Thumbnail keeps the loaded size (no 54) and hides the bars, which keep their values.
  hbar->setValue(40);
  vbar->setValue(200);
  loadData(*window, writeFile("thumb.dat", record(250, 2)));
  EXPECT_EQ(pct1->geometry(), QRect(0, 0, 117, 90));
  EXPECT_EQ(window->params().size, 250);
  EXPECT_TRUE(hbar->isHidden());
  EXPECT_FALSE(child<QMenu>(*window, "scrolls")->menuAction()->isEnabled());
  EXPECT_TRUE(child<QAction>(*window, "scrollhide")->isChecked());
  EXPECT_TRUE(child<QAction>(*window, "thumbnail")->isChecked());

  // Back to Maximum: the canvas goes where the bars were left, not to the centre.
  child<QProgressBar>(*window, "PB")->resize(60, 17);
  loadData(*window, writeFile("max2.dat", record(250, 3)));
  EXPECT_EQ(pct1->geometry(), QRect(-40, -200, 948, 651));
  EXPECT_EQ(hbar->value(), 40);
  EXPECT_EQ(child<QProgressBar>(*window, "PB")->width(), 60);

  loadData(*window, writeFile("regular.dat", record(250, 1)));
  EXPECT_EQ(pct1->geometry(), QRect(0, 0, 632, 434));
  EXPECT_TRUE(child<QAction>(*window, "maximum")->isChecked());
}

TEST_F(DataFiles, ValuesOutsideTheControlsKeepTheControlHeldFields) {
  window = readyWindow();
  const WindowState before = stateOf(*window);
  loadData(*window,
           writeFile("wild.dat",
                     startupWith({{1, 5},    {2, 0},     {3, 15},   {4, 3},    {5, 21},  {6, 12},
                                  {7, 0},    {8, 9},     {9, 36},   {10, 11},  {11, 21}, {12, 25},
                                  {15, 901}, {16, -901}, {17, 999}, {19, 15},  {20, 39}, {21, 2},
                                  {23, 251}, {24, -1},   {25, 300}, {26, 4},   {27, 2},  {28, 7},
                                  {29, 51},  {30, 0},    {31, 751}, {32, -751}})));
  EXPECT_TRUE(dialogs.warnings.empty());
  const WindowState after = stateOf(*window);
  // The fields stored directly take the values as read.
  PictureParams expected = before.params;
  expected.cat = 0;
  expected.ali = 15;
  expected.direction = 3;
  expected.eff = 21;
  expected.t1 = 9;
  expected.w = 36;
  expected.sols = 21;
  expected.cit = 25;
  expected.xraykleur = 15;
  expected.driedkeuze = 39;
  expected.inverse = 2;
  expected.framesize = 4;
  expected.borderlen = 2;
  expected.widthfac = 7;
  EXPECT_EQ(after.params, expected);
  // Every control, label, check mark, the pen mode and the frame stay as they were.
  EXPECT_EQ(after.controls, before.controls);
  EXPECT_EQ(after.labels, before.labels);
  EXPECT_EQ(after.checked, before.checked);
  EXPECT_EQ(after.canvas, before.canvas);
  EXPECT_EQ(after.penMode, before.penMode);
  EXPECT_EQ(after.listSelections, before.listSelections);

  // A control-held field takes an in-range value while its neighbours keep theirs.
  loadData(*window, writeFile("mixed.dat", startupWith({{1, 5}, {15, -900}, {23, 250}})));
  EXPECT_EQ(window->params().size, 110);
  EXPECT_EQ(window->params().v2, -900);
  EXPECT_EQ(window->params().kl1ad, 250);
  EXPECT_EQ(labelText(*xray(*window), "lblkl1ad"), "250");
}

TEST_F(DataFiles, RefusedFilesAreReportedAndChangeNothing) {
  window = readyWindow();
  trigger(*window, "inward");
  trigger(*window, "thumbnail");
  const WindowState before = stateOf(*window);
  const QString missing = pathOf("missing.dat");
  const QString empty = writeFile("empty.dat", "");
  const QString words = writeFile("words.dat", "orbisk picture\r\n");
  const QString blanks = writeFile("blanks.dat", " , ,\r\n\r\n");
  const QString shortFile = writeFile("short.dat",
                                      "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,"
                                      "18,19,20,21,22,23,24,25,26,27");
  const QString huge = writeFile("huge.dat", "40000," + QByteArray(kStartupLine));
  const QString folderName = pathOf("folder.dat");
  ASSERT_TRUE(QDir().mkpath(folderName));

  for (const QString& file : {missing, empty, words, blanks, shortFile, huge, folderName}) {
    SCOPED_TRACE(file.toStdString());
    const size_t warned = dialogs.warnings.size();
    loadData(*window, file);
    ASSERT_EQ(dialogs.warnings.size(), warned + 1);
    EXPECT_TRUE(dialogs.warnings.back().text.contains(file))
        << dialogs.warnings.back().text.toStdString();
    EXPECT_EQ(stateOf(*window), before);
  }
}

TEST_F(DataFiles, LoadDuringARenderChangesTheRestOfTheRun) {
  // Three windows run the same picture. One loads a file after five columns, one makes the same
  // changes by hand after five columns, one runs undisturbed.
  const QString file =
      writeFile("change.dat", startupWith({{19, 5}, {23, 120}, {25, 60}, {26, 2}}));
  auto runFiveColumns = [this](MainWindow& w) {
    trigger(w, "createknopp");
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(w.renderDriver().runOneTurn());
  };
  auto finish = [](MainWindow& w) {
    finishRun(w);
    return pixelsOf(w.canvas());
  };

  auto loaded = readyWindow();
  runFiveColumns(*loaded);
  loadData(*loaded, file);
  EXPECT_TRUE(loaded->isRendering());
  EXPECT_EQ(loaded->canvas().width(), 117);  // the Thumbnail frame of the file, at once
  const std::vector<uint32_t> loadedPixels = finish(*loaded);

  auto byHand = readyWindow();
  runFiveColumns(*byHand);
  trigger(*byHand, "truecolor");
  bar(*xray(*byHand), "hsbxray")->setValue(5);
  bar(*xray(*byHand), "kl1ad")->setValue(120);
  bar(*xray(*byHand), "kl3ad")->setValue(60);
  press(*xray(*byHand), "okbutton");
  // The Frame command would also set the size; the file keeps it, so only the frame changes.
  byHand->canvasView()->setCanvasGeometry(0, 0, 117, 90);
  byHand->params().framesize = 2;
  const std::vector<uint32_t> byHandPixels = finish(*byHand);

  auto undisturbed = readyWindow();
  runFiveColumns(*undisturbed);
  undisturbed->canvas().resize(117, 90);
  const std::vector<uint32_t> undisturbedPixels = finish(*undisturbed);

  EXPECT_EQ(loaded->renderDriver().columnsDone(), undisturbed->renderDriver().columnsDone());
  EXPECT_EQ(loadedPixels, byHandPixels);
  EXPECT_NE(loadedPixels, undisturbedPixels);
}

// ---------------------------------------------------------------------------------------------
// View data

struct ViewData : DataFiles {
  ViewDataForm* view() const { return window->findChild<ViewDataForm*>("viewdataform"); }
  QString viewLabel(const char* name) const {
    ViewDataForm* v = view();
    return v ? labelText(*v, name) : QString("<no window>");
  }
};

TEST_F(ViewData, ShowsTheStartUpFileInNumbersAndWords) {
  window = readyWindow();
  const QString start = writeFile("start.dat", kStartupLine);
  trigger(*window, "inward");
  const WindowState before = stateOf(*window);
  viewData(*window, start);
  EXPECT_EQ(dialogs.fileRequests.back().request.title, "Open datafile");
  EXPECT_EQ(
      dialogs.fileRequests.back().request.filter,
      "(*.dat)|*.dat|(*.png)|*.png|Data files and pictures|*.dat;*.DAT;*.png;*.PNG|All files|*");
  ASSERT_NE(view(), nullptr);
  EXPECT_TRUE(view()->isVisible());
  EXPECT_EQ(view()->windowTitle(), "start.dat - Orbisk");
  for (const auto& [name, text] : kStartupViewLabels) EXPECT_EQ(viewLabel(name), text) << name;
  // Viewing changes nothing of the current picture.
  EXPECT_EQ(stateOf(*window), before);

  // Exit closes the view window too.
  dialogs.answerYes = true;
  trigger(*window, "exit");
  flushDeletes();
  EXPECT_EQ(view(), nullptr);
}

TEST_F(ViewData, ASecondViewOverwritesTheOpenWindowLabelByLabel) {
  window = readyWindow();
  viewData(*window, writeFile("start.dat", kStartupLine));
  ViewDataForm* first = view();
  // Frame 4 and v1a 12 have no words: those labels keep their texts, the numbers follow.
  viewData(*window,
           writeFile("odd.dat",
                     startupWith({{1, 500},   {2, 7},    {3, 12},   {4, 1},   {5, 17},  {6, 12},
                                  {7, 11},    {8, 8},    {9, 33},   {10, 9},  {11, 19}, {12, 23},
                                  {15, -900}, {16, 899}, {17, -1},  {19, 14}, {20, 38}, {21, 2},
                                  {23, 250},  {24, 249}, {25, 248}, {26, 4},  {27, 10}, {28, 5}},
                                 28)));
  EXPECT_EQ(view(), first);
  EXPECT_EQ(view()->windowTitle(), "odd.dat - Orbisk");
  EXPECT_EQ(viewLabel("lblsize"), "500");
  EXPECT_EQ(viewLabel("lblthumb"), " regular");
  EXPECT_EQ(viewLabel("lblv1a"), "-sin");
  EXPECT_EQ(viewLabel("lblv1b"), "-int");
  EXPECT_EQ(viewLabel("lbldirection"), "inward");
  EXPECT_EQ(viewLabel("lblcolor"), "2");
  EXPECT_EQ(viewLabel("lblkl3"), "248");

  // Cancel and a refused file leave the open window as it was.
  viewData(*window, QString());
  const QString shortFile = writeFile("short.dat", "1,2,3");
  viewData(*window, shortFile);
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_TRUE(dialogs.warnings[0].text.contains(shortFile));
  EXPECT_EQ(view(), first);
  EXPECT_TRUE(view()->isVisible());
  EXPECT_EQ(view()->windowTitle(), "odd.dat - Orbisk");
  EXPECT_EQ(viewLabel("lblsize"), "500");
}

TEST_F(ViewData, OkDiscardsTheWindowAndTheNextViewStartsEmpty) {
  window = readyWindow();
  viewData(*window, writeFile("start.dat", kStartupLine));
  ASSERT_NE(view(), nullptr);
  press(*view(), "Command1");
  flushDeletes();
  EXPECT_EQ(view(), nullptr);

  // A frame of 4 in a fresh window leaves the frame word empty.
  viewData(*window, writeFile("frame4.dat", startupWith({{1, 90}, {4, 3}, {26, 4}}, 28)));
  ASSERT_NE(view(), nullptr);
  EXPECT_EQ(viewLabel("lblsize"), "90");
  EXPECT_EQ(viewLabel("lblthumb"), "");
  EXPECT_EQ(viewLabel("lbldirection"), "3");
  EXPECT_EQ(view()->windowTitle(), "frame4.dat - Orbisk");
}

}  // namespace
}  // namespace orbisk::guitest
