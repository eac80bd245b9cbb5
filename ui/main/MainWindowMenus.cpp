// The menu bar, declared as one table from which the menus and actions are built.
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <vector>

#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

enum class Kind { Menu, Item, Separator };

// One row of the menu bar. Rows follow the bar top to bottom, left to right; depth 0 is the bar
// itself, and a row's parent is the nearest Menu row above it with a smaller depth.
template <typename Window>
struct MenuRow {
  int depth;
  Kind kind;
  const char* name;      // objectName of the QMenu or QAction
  const char* caption;   // with "&" before the access key, blanks kept
  const char* shortcut;  // portable key text, "" for none; "; " between several, first shown
  const char* group;     // exclusive check group, "" for a plain command
  bool checked;          // checked at start
  bool enabled;          // enabled at start
  void (Window::*command)() = nullptr;
  int filter = -1;  // index of a filter of the Filters submenu, -1 for other rows
};

}  // namespace

void MainWindow::buildMenus() {
  using Row = MenuRow<MainWindow>;
  constexpr Kind M = Kind::Menu, I = Kind::Item, S = Kind::Separator;
  const std::vector<Row> rows = {
      {0, M, "file", "  &File", "", "", false, false},
      {1, I, "fileopen", "Load picture", "Ctrl+P", "", false, true, &MainWindow::onLoadPicture},
      {1, I, "saveas", "Save picture as...", "F2", "", false, true, &MainWindow::onSavePicture},
      {1, I, "savelarge", "Save large picture...", "", "", false, true,
       &MainWindow::onSaveLargePicture},
      {1, S, "", "-", "", "", false, true},
      {1, I, "opendatafile", "Load data", "Ctrl+D", "", false, true, &MainWindow::onLoadData},
      {1, I, "savedatafile", "Save data as...", "F3", "", false, true, &MainWindow::onSaveData},
      {1, S, "", "-", "", "", false, true},
      {1, I, "viewdata", "View data", "", "", false, true, &MainWindow::onViewData},
      {1, S, "", "-", "", "", false, true},
      {1, M, "preferences", "Preferences", "", "", false, true},
      {2, M, "clearmode", "Clear", "", "", false, true},
      {3, I, "alwayscl", "Always clear", "", "clear", true, true, &MainWindow::onAlwaysClear},
      {3, I, "useclearbutton", "Use clearbutton", "", "clear", false, true,
       &MainWindow::onUseClearButton},
      {2, M, "progresss", "Progress", "", "", false, true},
      {3, I, "showpro", "Show", "", "progress", true, true, &MainWindow::onShowProgress},
      {3, I, "hidepro", "Hide", "", "progress", false, true, &MainWindow::onHideProgress},
      {2, M, "beepit", "Beep", "", "", false, true},
      {3, I, "onn", "On", "", "beep", true, true, &MainWindow::onBeepOn},
      {3, I, "offf", "Off", "", "beep", false, true, &MainWindow::onBeepOff},
      {1, S, "", "-", "", "", false, true},
      // Ctrl+Q, the usual key for leaving a program, belongs to the window (below).
      {1, I, "exit", "Exit", "Ctrl+X", "", false, true, &MainWindow::onExit},

      {0, M, "editit", "E&dit", "", "", false, false},
      {1, I, "copyit", "Copy", "Ctrl+C", "", false, true, &MainWindow::onCopy},
      {1, I, "pasteit", "Paste", "Ctrl+V", "", false, true, &MainWindow::onPaste},

      {0, M, "options", "Op&tions", "", "", false, false},
      {1, M, "frame", "Frame", "", "", false, true},
      {2, I, "thumbnail", "Thumbnail", "", "frame", false, true, &MainWindow::onThumbnail},
      {2, I, "maximum", "Regular", "", "frame", true, true, &MainWindow::onRegularFrame},
      {2, I, "supermaximum", "Maximum", "", "frame", false, true, &MainWindow::onMaximumFrame},
      {1, S, "", "-", "", "", false, true},
      {1, M, "scrolls", "Scrollbars ", "", "", false, false},
      {2, I, "scrollshow", "Show", "", "scrolls", true, true, &MainWindow::onScrollbarsShow},
      {2, I, "scrollhide", "Hide", "", "scrolls", false, true, &MainWindow::onScrollbarsHide},
      {1, S, "", "-", "", "", false, true},
      {1, M, "direction", "Direction", "", "", false, true},
      {2, I, "inward", ">< Inward ", "", "direction", false, true, &MainWindow::onInward},
      {2, I, "outward", "<> Outward ", "", "direction", true, true, &MainWindow::onOutward},
      {1, S, "", "-", "", "", false, true},
      {1, M, "border", "Length", "", "", false, true},
      {2, I, "noborder", "X1 (regular)", "", "length", true, true, &MainWindow::onLength1},
      {2, I, "threeborder", "X3", "", "length", false, true, &MainWindow::onLength3},
      {2, I, "fiveborder", "X5", "", "length", false, true, &MainWindow::onLength5},
      {2, I, "yesborder", "X10", "", "length", false, true, &MainWindow::onLength10},
      {1, M, "borywidth", "Width", "", "", false, true},
      {2, I, "boryeen", "X1 (regular)", "", "width", true, true, &MainWindow::onWidth1},
      {2, I, "borydrie", "X3", "", "width", false, true, &MainWindow::onWidth3},
      {2, I, "boryvijf", "X5", "", "width", false, true, &MainWindow::onWidth5},
      {2, I, "borytien", "X10", "", "width", false, true, &MainWindow::onWidth10},
      {1, S, "", "-", "", "", false, true},
      {1, M, "detail", "Detail", "", "", false, true},
      {2, I, "detailhigh", "High (regular)", "", "detail", true, true, &MainWindow::onDetailHigh},
      {2, I, "detaillow", "Low (quick search)", "", "detail", false, true,
       &MainWindow::onDetailLow},

      {0, M, "colorr", "Co&lours", "", "", false, false},
      {1, I, "truecolor", "Colour System", "F12", "", false, true, &MainWindow::onColourSystem},
      {1, S, "", "-", "", "", false, true},
      {1, I, "regularcolor", "Regular", "", "colour", true, true, &MainWindow::onRegularColour},
      {1, I, "invertedcolor", "Inverse", "", "colour", false, true, &MainWindow::onInverseColour},
      {1, S, "", "-", "", "", false, true},
      {1, I, "background", "Background", "", "", false, true, &MainWindow::onBackground},
      {1, S, "", "-", "", "", false, true},
      {1, M, "filters", "Filters", "", "", false, true},
      {2, I, "filterpink", "Pink", "", "", false, true, nullptr, 0},
      {2, I, "filterred", "Red", "", "", false, true, nullptr, 1},
      {2, I, "filteryellow", "Yellow", "", "", false, true, nullptr, 2},
      {2, I, "filtergreen", "Green", "", "", false, true, nullptr, 3},
      {2, I, "filterbluelight", "Blue (light)", "", "", false, true, nullptr, 4},
      {2, I, "filterbluedark", "Blue (dark)", "", "", false, true, nullptr, 5},
      {2, I, "filterpurple", "Purple", "", "", false, true, nullptr, 6},
      {2, S, "", "-", "", "", false, true},
      {2, I, "filterchange", "Change colours ", "", "", false, true, nullptr, 7},
      {2, S, "", "-", "", "", false, true},
      {2, I, "filterlighten", "Lighten", "", "", false, true, nullptr, 8},
      {2, I, "filterdarken", "Darken", "", "", false, true, nullptr, 9},
      {1, I, "undo", "Undo filter(s)", "Ctrl+Z", "", false, true, &MainWindow::onUndoFilters},

      {0, I, "origin", "Origi&n", "", "", false, false, &MainWindow::onOrigin},
      {0, I, "shape", "&Shape", "", "", false, false, &MainWindow::onShape},
      {0, I, "clearknopp", "Cl&ear", "", "", false, false, &MainWindow::onClear},
      {0, I, "createknopp", "&CREATE", "", "", false, true, &MainWindow::onCreate},
      {0, I, "stoppenknopp", "Sto&p", "", "", false, false, &MainWindow::onStop},
      {0, I, "randomknop", "&Random", "", "", false, false, &MainWindow::onRandom},

      {0, M, "explore", "E&xplore", "", "", false, false},
      {1, I, "gallery", "Random &gallery...", "Ctrl+G", "", false, true, &MainWindow::onGallery},
      {1, I, "history", "&History...", "Ctrl+H", "", false, true, &MainWindow::onHistory},
      {1, S, "", "-", "", "", false, true},
      {1, I, "back", "&Back", "Alt+Left", "", false, true, &MainWindow::onBack},
      {1, I, "forward", "&Forward", "Alt+Right", "", false, true, &MainWindow::onForward},

      {0, M, "help", "&Help", "", "", false, false},
      {1, I, "hints", "Hints and tips", "", "", false, true, &MainWindow::onHints},
      {1, S, "", "-", "", "", false, true},
      {1, I, "about", "About...", "", "", false, true, &MainWindow::onAbout},
  };

  QMenuBar* bar = menuBar();
  std::vector<QMenu*> open;  // open[d] is the menu that rows of depth d + 1 go into
  QHash<QString, QActionGroup*> groups;
  for (const Row& row : rows) {
    open.resize(row.depth);
    QMenu* parentMenu = row.depth > 0 ? open.back() : nullptr;

    if (row.kind == Kind::Separator) {
      parentMenu->addSeparator();
      continue;
    }
    if (row.kind == Kind::Menu) {
      QMenu* sub = new QMenu(row.caption, parentMenu ? static_cast<QWidget*>(parentMenu) : bar);
      sub->setObjectName(row.name);
      if (parentMenu) {
        parentMenu->addMenu(sub);
      } else {
        bar->addMenu(sub);
      }
      sub->menuAction()->setEnabled(row.enabled);
      menuOf_.insert(sub->menuAction(), parentMenu);
      open.push_back(sub);
      continue;
    }

    QAction* item = new QAction(row.caption, this);
    item->setObjectName(row.name);
    if (*row.shortcut) {
      item->setShortcuts(QKeySequence::listFromString(row.shortcut));
      // A shortcut must not reach a command whose menu is disabled.
      item->installEventFilter(this);
    }
    if (*row.group) {
      QActionGroup*& group = groups[row.group];
      if (!group) {
        group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
      }
      item->setCheckable(true);
      item->setChecked(row.checked);
      group->addAction(item);
    }
    item->setEnabled(row.enabled);
    if (parentMenu) {
      parentMenu->addAction(item);
    } else {
      bar->addAction(item);
    }
    menuOf_.insert(item, parentMenu);

    if (row.command) {
      connect(item, &QAction::triggered, this, row.command);
    } else if (row.filter >= 0) {
      const int filter = row.filter;
      connect(item, &QAction::triggered, this, [this, filter] { onFilter(filter); });
    }
  }

  // Leaving the program must work from the start, while the File menu is still disabled: Ctrl+Q
  // asks the question Exit asks.
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  quit->setObjectName("quitshortcut");
  connect(quit, &QShortcut::activated, this, &MainWindow::onExit);
}

QAction* MainWindow::action(const char* name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QMenu* MainWindow::menu(const char* name) const {
  return findChild<QMenu*>(name);
}

bool MainWindow::reachable(QAction* item) const {
  for (QMenu* m = menuOf_.value(item); m; m = menuOf_.value(m->menuAction())) {
    if (!m->menuAction()->isEnabled()) return false;
  }
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (auto* item = qobject_cast<QAction*>(watched); item && !reachable(item)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace orbisk
