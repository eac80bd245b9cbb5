// The main window at start-up, its menu bar, the shortcut guard and Exit.
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcutEvent>

#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/main/CanvasView.h"

namespace orbisk::guitest {
namespace {

using MainWindowStart = MainFixture;

TEST_F(MainWindowStart, HasItsNameCaptionAndClientArea) {
  EXPECT_EQ(window->objectName(), "orbisk");
  EXPECT_EQ(window->windowTitle(), "Orbisk 4.2");
  EXPECT_EQ(window->centralWidget()->size(), QSize(632, 434));
  EXPECT_FALSE(window->isVisible());  // shown when the intro window closes
}

TEST_F(MainWindowStart, PlacesCanvasScrollBarsAndProgressBar) {
  auto* pct1 = widget<QWidget>("Pct1");
  EXPECT_EQ(pct1->geometry(), QRect(0, 0, 632, 434));
  EXPECT_EQ(window->canvas().width(), 632);
  EXPECT_EQ(window->canvas().height(), 434);

  auto* pb = widget<QProgressBar>("PB");
  EXPECT_EQ(pb->geometry(), QRect(0, 417, 117, 17));
  EXPECT_TRUE(pb->isHidden());

  auto* hbar = widget<QScrollBar>("HScroll1");
  auto* vbar = widget<QScrollBar>("VScroll1");
  EXPECT_TRUE(hbar->isHidden());
  EXPECT_TRUE(vbar->isHidden());
  EXPECT_EQ(hbar->minimum(), 0);
  EXPECT_EQ(hbar->maximum(), 316);
  EXPECT_EQ(hbar->value(), 158);
  EXPECT_EQ(vbar->minimum(), 0);
  EXPECT_EQ(vbar->maximum(), 217);
  EXPECT_EQ(vbar->value(), 108);
  EXPECT_FALSE(hbar->hasTracking());
  EXPECT_FALSE(vbar->hasTracking());
  EXPECT_EQ(vbar->geometry(), QRect(615, 0, 17, 417));
  EXPECT_EQ(hbar->geometry().bottom(), 433);
  EXPECT_EQ(hbar->height(), 17);
}

TEST_F(MainWindowStart, ShowsARenderedPictureKeptAsTheUndoCopy) {
  const std::vector<uint32_t> pixels = pixelsOf(window->canvas());
  const auto lit =
      std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return (p & 0xffffffu) != 0; });
  EXPECT_GT(lit, 1000);  // a picture, not an empty canvas

  const QImage& redo1 = window->undoCopy();
  ASSERT_EQ(redo1.size(), QSize(632, 434));
  const QImage shown = window->canvasView()->canvasWidget()->image();
  EXPECT_EQ(redo1, shown);
  EXPECT_NE(redo1.constBits(), shown.constBits());  // a copy, not the canvas itself
}

TEST_F(MainWindowStart, StartsWithDefaultsAndAnUntouchedWorkingState) {
  EXPECT_EQ(window->params(), PictureParams{});
  EXPECT_EQ(window->stopflag(), 0);
  const RenderState& state = window->renderState();
  EXPECT_EQ(state.orbp, 0);
  EXPECT_EQ(state.orbq, 0);
  EXPECT_EQ(state.orbr, 0);
  EXPECT_EQ(state.N1, 110);
  EXPECT_EQ(state.N2, 0);
}

TEST_F(MainWindowStart, MakesTheOriginEditorHiddenWithItsListsFilled) {
  OriginForm* origin = window->originForm();
  ASSERT_NE(origin, nullptr);
  EXPECT_EQ(origin->objectName(), "originform");
  EXPECT_TRUE(origin->isWindow());
  EXPECT_FALSE(origin->isVisible());
  auto* v1a = widget<QListWidget>("listv1a");
  auto* v1b = widget<QListWidget>("listv1b");
  EXPECT_EQ(v1a->count(), 11);
  EXPECT_EQ(v1a->currentRow(), 2);
  EXPECT_EQ(v1b->currentRow(), 1);
  EXPECT_EQ(window->params().func1, 3);
  EXPECT_EQ(window->params().func2, 2);
}

// ---------------------------------------------------------------------------------------------
// Menu bar

struct ItemRow {
  const char* name;
  const char* caption;
  const char* shortcut;
  bool checkable;
  bool checked;
  bool enabled;
};

TEST_F(MainWindowStart, BuildsEveryMenuItemAsTheTableSays) {
  const ItemRow rows[] = {
      {"fileopen", "Load picture", "Ctrl+P", false, false, true},
      {"saveas", "Save picture as...", "F2", false, false, true},
      {"savelarge", "Save large picture...", "", false, false, true},
      {"makeanimation", "Make animation...", "", false, false, true},
      {"opendatafile", "Load data", "Ctrl+D", false, false, true},
      {"savedatafile", "Save data as...", "F3", false, false, true},
      {"viewdata", "View data", "", false, false, true},
      {"alwayscl", "Always clear", "", true, true, true},
      {"useclearbutton", "Use clearbutton", "", true, false, true},
      {"showpro", "Show", "", true, true, true},
      {"hidepro", "Hide", "", true, false, true},
      {"onn", "On", "", true, true, true},
      {"offf", "Off", "", true, false, true},
      // Ctrl+Q, which the window handles, is shown too (both keys are tried further down).
      {"exit", "Exit\tCtrl+X, Ctrl+Q", "Ctrl+X", false, false, true},
      {"copyit", "Copy", "Ctrl+C", false, false, true},
      {"pasteit", "Paste", "Ctrl+V", false, false, true},
      {"thumbnail", "Thumbnail", "", true, false, true},
      {"maximum", "Regular", "", true, true, true},
      {"supermaximum", "Maximum", "", true, false, true},
      {"scrollshow", "Show", "", true, true, true},
      {"scrollhide", "Hide", "", true, false, true},
      {"inward", ">< Inward ", "", true, false, true},
      {"outward", "<> Outward ", "", true, true, true},
      {"noborder", "X1 (regular)", "", true, true, true},
      {"threeborder", "X3", "", true, false, true},
      {"fiveborder", "X5", "", true, false, true},
      {"yesborder", "X10", "", true, false, true},
      {"boryeen", "X1 (regular)", "", true, true, true},
      {"borydrie", "X3", "", true, false, true},
      {"boryvijf", "X5", "", true, false, true},
      {"borytien", "X10", "", true, false, true},
      {"detailhigh", "High (regular)", "", true, true, true},
      {"detaillow", "Low (quick search)", "", true, false, true},
      {"truecolor", "Colour System", "F12", false, false, true},
      {"regularcolor", "Regular", "", true, true, true},
      {"invertedcolor", "Inverse", "", true, false, true},
      {"background", "Background", "", false, false, true},
      {"undo", "Undo filter(s)", "Ctrl+Z", false, false, true},
      {"origin", "Origi&n", "", false, false, false},
      {"shape", "&Shape", "", false, false, false},
      {"clearknopp", "Cl&ear", "", false, false, false},
      {"createknopp", "&CREATE", "", false, false, true},
      {"stoppenknopp", "Sto&p", "", false, false, false},
      {"randomknop", "&Random", "", false, false, false},
      {"hints", "Hints and tips", "", false, false, true},
      {"about", "About...", "", false, false, true},
  };
  for (const ItemRow& row : rows) {
    SCOPED_TRACE(row.name);
    QAction* item = action(row.name);
    if (!item) continue;
    EXPECT_EQ(item->text(), row.caption);
    EXPECT_EQ(item->shortcut(), QKeySequence(row.shortcut));
    EXPECT_EQ(item->isCheckable(), row.checkable);
    EXPECT_EQ(item->isChecked(), row.checked);
    EXPECT_EQ(item->isEnabled(), row.enabled);
  }
}

TEST_F(MainWindowStart, BuildsTheMenusInOrderWithSeparatorsAndStartStates) {
  // The bar, left to right, with its enabled state at start: only CREATE can be chosen.
  const QList<QAction*> bar = window->menuBar()->actions();
  QStringList captions;
  QStringList enabled;
  for (QAction* item : bar) {
    captions << item->text();
    if (item->isEnabled()) enabled << item->text();
  }
  EXPECT_EQ(captions, QStringList({"  &File", "E&dit", "Op&tions", "Co&lours", "Origi&n", "&Shape",
                                   "Cl&ear", "&CREATE", "Sto&p", "&Random", "E&xplore", "&Help"}));
  EXPECT_EQ(enabled, QStringList({"&CREATE"}));

  // Each menu's entries in order, "-" for a separator.
  auto entries = [](QMenu* m) {
    QStringList out;
    for (QAction* item : m->actions()) out << (item->isSeparator() ? "-" : item->text());
    return out;
  };
  EXPECT_EQ(entries(menu("file")),
            QStringList({"Load picture", "Save picture as...", "Save large picture...",
                         "Make animation...", "-", "Load data", "Save data as...", "-", "View data",
                         "-", "Preferences", "-", "Exit\tCtrl+X, Ctrl+Q"}));
  EXPECT_EQ(entries(menu("preferences")), QStringList({"Clear", "Progress", "Beep"}));
  EXPECT_EQ(entries(menu("options")), QStringList({"Frame", "-", "Scrollbars ", "-", "Direction",
                                                   "-", "Length", "Width", "-", "Detail"}));
  EXPECT_EQ(entries(menu("colorr")), QStringList({"Colour System", "-", "Regular", "Inverse", "-",
                                                  "Background", "-", "Filters", "Undo filter(s)"}));
  EXPECT_EQ(entries(menu("filters")),
            QStringList({"Pink", "Red", "Yellow", "Green", "Blue (light)", "Blue (dark)", "Purple",
                         "-", "Change colours ", "-", "Lighten", "Darken"}));
  EXPECT_EQ(entries(menu("help")), QStringList({"Hints and tips", "-", "About..."}));
  EXPECT_EQ(entries(menu("editit")), QStringList({"Copy", "Paste"}));
  EXPECT_EQ(entries(menu("explore")),
            QStringList({"Random &gallery...", "&History...", "&Variations of this picture...",
                         "Bree&d with...", "-", "&Back", "&Forward"}));

  for (const char* name : {"clearmode", "progresss", "beepit", "frame", "direction", "border",
                           "borywidth", "detail"}) {
    EXPECT_TRUE(menu(name)->menuAction()->isEnabled()) << name;
  }
  EXPECT_FALSE(menu("scrolls")->menuAction()->isEnabled());
}

TEST_F(MainWindowStart, FirstRunEnablesTheMenusForGood) {
  createAndFinish();
  for (const char* name : {"file", "editit", "options", "colorr", "explore", "help"})
    EXPECT_TRUE(menu(name)->menuAction()->isEnabled()) << name;
  for (const char* name : {"origin", "shape", "clearknopp", "createknopp", "randomknop"})
    EXPECT_TRUE(action(name)->isEnabled()) << name;
  EXPECT_FALSE(action("stoppenknopp")->isEnabled());

  // A second run, stopped half-way, leaves them enabled.
  trigger("createknopp");
  driver().runOneTurn();
  trigger("stoppenknopp");
  finishRun();
  for (const char* name : {"file", "editit", "options", "colorr", "help"})
    EXPECT_TRUE(menu(name)->menuAction()->isEnabled()) << name;
  EXPECT_TRUE(action("origin")->isEnabled());
}

TEST_F(MainWindowStart, ShortcutOfAnItemInADisabledMenuDoesNothing) {
  QAction* exit = action("exit");
  QShortcutEvent early(exit->shortcut(), 0);
  QCoreApplication::sendEvent(exit, &early);
  EXPECT_TRUE(dialogs.questions.empty());

  createAndFinish();
  QShortcutEvent later(exit->shortcut(), 0);
  QCoreApplication::sendEvent(exit, &later);
  EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(MainWindowStart, CtrlQAsksToQuitFromTheStartWhileMenuKeysWaitForTheirMenu) {
  EXPECT_EQ(action("exit")->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+X")}));
  window->show();
  QApplication::setActiveWindow(window.get());
  auto press = [this](int key) { sendKey(window.get(), key, Qt::ControlModifier); };
  press(Qt::Key_X);
  EXPECT_TRUE(dialogs.questions.empty());
  press(Qt::Key_Q);  // answered No: nothing else happens
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, "Orbisk - Exit");
  EXPECT_EQ(dialogs.questions[0].text, "Quit Orbisk?");
  EXPECT_TRUE(window->isVisible());

  createAndFinish();
  const QImage rendered = canvasImage();
  trigger("filterred");
  press(Qt::Key_Z);
  EXPECT_EQ(canvasImage(), rendered);
  press(Qt::Key_Q);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  press(Qt::Key_X);
  EXPECT_EQ(dialogs.questions.size(), 3u);
}

TEST_F(MainWindowStart, OriginShowsTheEditorAndRaisesItWhenShown) {
  trigger("origin");  // disabled before the first run
  EXPECT_FALSE(window->originForm()->isVisible());
  createAndFinish();
  trigger("origin");
  EXPECT_TRUE(window->originForm()->isVisible());
  trigger("origin");
  EXPECT_TRUE(window->originForm()->isVisible());
  window->originForm()->hide();
}

TEST_F(MainWindowStart, ShapeShowsTheShapeEditorOnly) {
  createAndFinish();
  auto visibleWindows = [] {
    QList<QWidget*> visible;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) visible << w;
    return visible;
  };
  QList<QWidget*> expected = visibleWindows();
  expected << window->findChild<QWidget*>("driedform");
  trigger("shape");
  EXPECT_EQ(visibleWindows().size(), expected.size());
  for (QWidget* w : expected) EXPECT_TRUE(visibleWindows().contains(w));
}

// ---------------------------------------------------------------------------------------------
// Exit

using MainWindowExit = MainFixture;

TEST_F(MainWindowExit, AnsweredNoLeavesARunningRenderRunning) {
  createAndFinish();
  trigger("createknopp");
  driver().runOneTurn();
  dialogs.answerYes = false;
  trigger("exit");
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].title, "Orbisk - Exit");
  EXPECT_EQ(dialogs.questions[0].text, "Quit Orbisk?");
  EXPECT_EQ(window->stopflag(), 0);
  EXPECT_TRUE(driver().runOneTurn());
  EXPECT_EQ(driver().columnsDone(), 2);
}

TEST_F(MainWindowExit, AnsweredYesStopsTheRunClosesTheWindowsAndEnds) {
  int confirmed = 0;
  QObject::connect(window.get(), &MainWindow::exitConfirmed, [&] { ++confirmed; });
  window->show();
  createAndFinish();
  trigger("origin");
  trigger("createknopp");
  driver().runOneTurn();
  const int beepsBefore = beeps;

  dialogs.answerYes = true;
  trigger("exit");
  EXPECT_EQ(window->stopflag(), -1);
  EXPECT_EQ(confirmed, 1);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->originForm()->isVisible());
  // If the event loop turns once more, the run ends at its stop check, without a beep.
  EXPECT_FALSE(driver().runOneTurn());
  EXPECT_EQ(driver().columnsDone(), 1);
  EXPECT_EQ(beeps, beepsBefore);
}

TEST_F(MainWindowExit, ClosesOnlyItsOwnWindows) {
  createAndFinish();
  const std::unique_ptr<MainWindow> other = readyWindow();
  const char* const items[] = {"origin", "truecolor", "shape", "hints", "about"};
  for (const char* item : items) {
    trigger(item);
    trigger(*other, item);
  }
  auto windowsOf = [](const MainWindow& w) {
    return QList<QPointer<QWidget>>{w.originForm(), w.findChild<XrayForm*>(),
                                    w.findChild<DriedForm*>(), w.findChild<HintsForm*>(),
                                    w.findChild<AboutForm*>()};
  };
  const QList<QPointer<QWidget>> own = windowsOf(*window);
  const QList<QPointer<QWidget>> others = windowsOf(*other);

  dialogs.answerYes = true;
  trigger("exit");
  flushDeletes();
  for (int i = 0; i < own.size(); ++i) {
    SCOPED_TRACE(items[i]);
    EXPECT_TRUE(own[i].isNull() || !own[i]->isVisible());
    ASSERT_FALSE(others[i].isNull());
    EXPECT_TRUE(others[i]->isVisible());
  }
}

TEST_F(MainWindowExit, TheFrameCloseButtonAsksTheSameQuestion) {
  window->show();
  dialogs.answerYes = false;
  window->close();
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text, "Quit Orbisk?");
  EXPECT_TRUE(window->isVisible());

  int confirmed = 0;
  QObject::connect(window.get(), &MainWindow::exitConfirmed, [&] { ++confirmed; });
  dialogs.answerYes = true;
  window->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(confirmed, 1);
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace orbisk::guitest
