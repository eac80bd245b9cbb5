#include "ui/main/MenuBar.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <optional>
#include <vector>

namespace orbisk {

namespace {

enum class Kind { Menu, Item, Separator };

// What an item sets in the record when chosen.
struct Setting {
  Field field;
  int16_t value;
};

// One row of the menu bar. Rows follow the bar top to bottom, left to right; depth 0 is the bar
// itself, and a row's parent is the nearest Menu row above it with a smaller depth.
struct MenuRow {
  int depth;
  Kind kind;
  const char* name;      // objectName of the QMenu or QAction
  const char* caption;   // with "&" before the access key, blanks kept
  const char* shortcut;  // portable key text, "" for none; "; " between several, first shown
  const char* group;     // exclusive check group, "" for a plain command
  bool checked;          // checked at start
  bool enabled;          // enabled at start
  std::optional<Setting> setting = std::nullopt;  // a menu setting of the record
  int filter = -1;  // index of a filter of the Filters submenu, -1 for other rows
};

constexpr Kind M = Kind::Menu, I = Kind::Item, S = Kind::Separator;

// clang-format off
const std::vector<MenuRow>& rows() {
  static const std::vector<MenuRow> table = {
      {0, M, "file", "  &File", "", "", false, false},
      {1, I, "fileopen", "Load picture", "Ctrl+P", "", false, true},
      {1, I, "saveas", "Save picture as...", "F2", "", false, true},
      {1, I, "savelarge", "Save large picture...", "", "", false, true},
      {1, I, "makeanimation", "Make animation...", "", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, I, "opendatafile", "Load data", "Ctrl+D", "", false, true},
      {1, I, "savedatafile", "Save data as...", "F3", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, I, "viewdata", "View data", "", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, M, "preferences", "Preferences", "", "", false, true},
      {2, M, "clearmode", "Clear", "", "", false, true},
      {3, I, "alwayscl", "Always clear", "", "clear", true, true, Setting{Field::alwaysclear, -1}},
      {3, I, "useclearbutton", "Use clearbutton", "", "clear", false, true, Setting{Field::alwaysclear, 0}},
      {2, M, "progresss", "Progress", "", "", false, true},
      {3, I, "showpro", "Show", "", "progress", true, true, Setting{Field::showprogress, -1}},
      {3, I, "hidepro", "Hide", "", "progress", false, true, Setting{Field::showprogress, 0}},
      {2, M, "beepit", "Beep", "", "", false, true},
      {3, I, "onn", "On", "", "beep", true, true, Setting{Field::beepon, -1}},
      {3, I, "offf", "Off", "", "beep", false, true, Setting{Field::beepon, 0}},
      {1, S, "", "-", "", "", false, true},
      // Ctrl+Q, the usual key for leaving a program, belongs to the window; the menu shows it.
      {1, I, "exit", "Exit", "Ctrl+X", "", false, true},

      {0, M, "editit", "E&dit", "", "", false, false},
      {1, I, "copyit", "Copy", "Ctrl+C", "", false, true},
      {1, I, "pasteit", "Paste", "Ctrl+V", "", false, true},

      {0, M, "options", "Op&tions", "", "", false, false},
      {1, M, "frame", "Frame", "", "", false, true},
      {2, I, "thumbnail", "Thumbnail", "", "frame", false, true, Setting{Field::framesize, 2}},
      {2, I, "maximum", "Regular", "", "frame", true, true, Setting{Field::framesize, 1}},
      {2, I, "supermaximum", "Maximum", "", "frame", false, true, Setting{Field::framesize, 3}},
      {1, S, "", "-", "", "", false, true},
      {1, M, "scrolls", "Scrollbars ", "", "", false, false},
      {2, I, "scrollshow", "Show", "", "scrolls", true, true},
      {2, I, "scrollhide", "Hide", "", "scrolls", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, M, "direction", "Direction", "", "", false, true},
      {2, I, "inward", ">< Inward ", "", "direction", false, true, Setting{Field::direction, 1}},
      {2, I, "outward", "<> Outward ", "", "direction", true, true, Setting{Field::direction, 2}},
      {1, S, "", "-", "", "", false, true},
      {1, M, "border", "Length", "", "", false, true},
      {2, I, "noborder", "X1 (regular)", "", "length", true, true, Setting{Field::borderlen, 1}},
      {2, I, "threeborder", "X3", "", "length", false, true, Setting{Field::borderlen, 3}},
      {2, I, "fiveborder", "X5", "", "length", false, true, Setting{Field::borderlen, 5}},
      {2, I, "yesborder", "X10", "", "length", false, true, Setting{Field::borderlen, 10}},
      {1, M, "borywidth", "Width", "", "", false, true},
      {2, I, "boryeen", "X1 (regular)", "", "width", true, true, Setting{Field::widthfac, 1}},
      {2, I, "borydrie", "X3", "", "width", false, true, Setting{Field::widthfac, 3}},
      {2, I, "boryvijf", "X5", "", "width", false, true, Setting{Field::widthfac, 5}},
      {2, I, "borytien", "X10", "", "width", false, true, Setting{Field::widthfac, 10}},
      {1, S, "", "-", "", "", false, true},
      {1, M, "detail", "Detail", "", "", false, true},
      {2, I, "detailhigh", "High (regular)", "", "detail", true, true, Setting{Field::detailstep, 1}},
      {2, I, "detaillow", "Low (quick search)", "", "detail", false, true, Setting{Field::detailstep, 4}},

      {0, M, "colorr", "Co&lours", "", "", false, false},
      {1, I, "truecolor", "Colour System", "F12", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, I, "regularcolor", "Regular", "", "colour", true, true, Setting{Field::inverse, 0}},
      {1, I, "invertedcolor", "Inverse", "", "colour", false, true, Setting{Field::inverse, 1}},
      {1, S, "", "-", "", "", false, true},
      {1, I, "background", "Background", "", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, M, "filters", "Filters", "", "", false, true},
      {2, I, "filterpink", "Pink", "", "", false, true, std::nullopt, 0},
      {2, I, "filterred", "Red", "", "", false, true, std::nullopt, 1},
      {2, I, "filteryellow", "Yellow", "", "", false, true, std::nullopt, 2},
      {2, I, "filtergreen", "Green", "", "", false, true, std::nullopt, 3},
      {2, I, "filterbluelight", "Blue (light)", "", "", false, true, std::nullopt, 4},
      {2, I, "filterbluedark", "Blue (dark)", "", "", false, true, std::nullopt, 5},
      {2, I, "filterpurple", "Purple", "", "", false, true, std::nullopt, 6},
      {2, S, "", "-", "", "", false, true},
      {2, I, "filterchange", "Change colours ", "", "", false, true, std::nullopt, 7},
      {2, S, "", "-", "", "", false, true},
      {2, I, "filterlighten", "Lighten", "", "", false, true, std::nullopt, 8},
      {2, I, "filterdarken", "Darken", "", "", false, true, std::nullopt, 9},
      {1, I, "undo", "Undo filter(s)", "Ctrl+Z", "", false, true},

      {0, I, "origin", "Origi&n", "", "", false, false},
      {0, I, "shape", "&Shape", "", "", false, false},
      {0, I, "clearknopp", "Cl&ear", "", "", false, false},
      {0, I, "createknopp", "&CREATE", "", "", false, true},
      {0, I, "stoppenknopp", "Sto&p", "", "", false, false},
      {0, I, "randomknop", "&Random", "", "", false, false},

      {0, M, "explore", "E&xplore", "", "", false, false},
      {1, I, "gallery", "Random &gallery...", "Ctrl+G", "", false, true},
      {1, I, "history", "&History...", "Ctrl+H", "", false, true},
      {1, I, "variations", "&Variations of this picture...", "Ctrl+E", "", false, true},
      {1, I, "breed", "Bree&d with...", "", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, I, "back", "&Back", "Alt+Left", "", false, true},
      {1, I, "forward", "&Forward", "Alt+Right", "", false, true},

      {0, M, "help", "&Help", "", "", false, false},
      {1, I, "hints", "Hints and tips", "", "", false, true},
      {1, S, "", "-", "", "", false, true},
      {1, I, "about", "About...", "", "", false, true},
  };
  return table;
}
// clang-format on

}  // namespace

MenuBar::MenuBar(QMainWindow& window) : QObject(&window), window_(window) {
  QMenuBar* bar = window.menuBar();
  std::vector<QMenu*> open;  // open[d] is the menu that rows of depth d + 1 go into
  QHash<QString, QActionGroup*> groups;
  for (const MenuRow& row : rows()) {
    open.resize(static_cast<std::size_t>(row.depth));
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

    QAction* item = new QAction(row.caption, &window);
    item->setObjectName(row.name);
    if (*row.shortcut) {
      item->setShortcuts(QKeySequence::listFromString(row.shortcut));
      // A shortcut must not reach a command whose menu is disabled.
      item->installEventFilter(this);
    }
    if (*row.group) {
      QActionGroup*& group = groups[row.group];
      if (!group) {
        group = new QActionGroup(&window);
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

    if (const std::optional<Setting> setting = row.setting) {
      connect(item, &QAction::triggered, this, [this, setting] {
        if (settingChosen_) settingChosen_(setting->field, setting->value);
      });
    } else if (row.filter >= 0) {
      const int filter = row.filter;
      connect(item, &QAction::triggered, this, [this, filter] {
        if (filterChosen_) filterChosen_(filter);
      });
    }
  }
}

void MenuBar::onCommand(const char* name, std::function<void()> command) {
  connect(action(name), &QAction::triggered, this, std::move(command));
}

void MenuBar::onSetting(std::function<void(Field, int16_t)> chosen) {
  settingChosen_ = std::move(chosen);
}

void MenuBar::onFilter(std::function<void(int)> chosen) {
  filterChosen_ = std::move(chosen);
}

void MenuBar::showSetting(Field field, int16_t value) {
  for (const MenuRow& row : rows()) {
    if (row.setting && row.setting->field == field && row.setting->value == value)
      action(row.name)->setChecked(true);
  }
}

void MenuBar::showOtherKey(const char* name, const QKeySequence& key) {
  QAction* item = action(name);
  // A menu shows what follows a tab in a caption as the item's keys, in place of its shortcut.
  QString caption = item->text();
  QString keys = item->shortcut().toString(QKeySequence::NativeText);
  if (const qsizetype tab = caption.indexOf(QLatin1Char('\t')); tab >= 0) {
    keys = caption.mid(tab + 1);
    caption.truncate(tab);
  }
  if (!keys.isEmpty()) keys += QStringLiteral(", ");
  item->setText(caption + QLatin1Char('\t') + keys + key.toString(QKeySequence::NativeText));
}

void MenuBar::showRunning(bool running) {
  action("createknopp")->setEnabled(!running);
  action("stoppenknopp")->setEnabled(running);
  action("randomknop")->setEnabled(!running);
  action("clearknopp")->setEnabled(!running);
}

void MenuBar::showStopping() {
  for (const char* name : {"createknopp", "stoppenknopp", "clearknopp"})
    action(name)->setEnabled(true);
}

void MenuBar::showScrollBars(bool shown) {
  action(shown ? "scrollshow" : "scrollhide")->setChecked(true);
}

void MenuBar::enableForGood() {
  if (enabledForGood_) return;
  enabledForGood_ = true;
  for (const char* name : {"file", "editit", "options", "colorr", "explore", "help"})
    menu(name)->menuAction()->setEnabled(true);
  action("origin")->setEnabled(true);
  action("shape")->setEnabled(true);
}

QAction* MenuBar::action(const char* name) const {
  return window_.findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QMenu* MenuBar::menu(const char* name) const {
  return window_.findChild<QMenu*>(name);
}

bool MenuBar::reachable(QAction* item) const {
  for (QMenu* m = menuOf_.value(item); m; m = menuOf_.value(m->menuAction())) {
    if (!m->menuAction()->isEnabled()) return false;
  }
  return true;
}

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (auto* item = qobject_cast<QAction*>(watched); item && !reachable(item)) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orbisk
