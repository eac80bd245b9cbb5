// The main window's menu bar, built from one table: its menus, items, shortcuts and check
// groups. Items that set a menu setting of the record name the field and the value; the window
// connects the other items to its commands by name.
#pragma once

#include <QHash>
#include <QObject>
#include <functional>

#include "model/RecordFields.h"

class QAction;
class QKeySequence;
class QMainWindow;
class QMenu;

namespace orbisk {

class MenuBar : public QObject {
  Q_OBJECT

 public:
  // Builds the menu bar of window; the actions are the window's children.
  explicit MenuBar(QMainWindow& window);

  QAction* action(const char* name) const;
  QMenu* menu(const char* name) const;

  // What the items do: a command by the item's name, a setting of the record, a filter.
  void onCommand(const char* name, std::function<void()> command);
  void onSetting(std::function<void(Field field, int16_t value)> chosen);
  void onFilter(std::function<void(int index)> chosen);

  // Checks the item that shows this value of the field; leaves the marks alone when none does.
  void showSetting(Field field, int16_t value);
  // Shows after the item's own key a key the window handles for it (Ctrl+Q for Exit works even
  // while the File menu is disabled, so it belongs to the window, not to the item).
  void showOtherKey(const char* name, const QKeySequence& key);
  // CREATE, Random and Clear while no run goes on; Stop while one does.
  void showRunning(bool running);
  // After Stop: CREATE, Stop and Clear stay usable while the stopped run ends.
  void showStopping();
  // The Scrollbars submenu's marks.
  void showScrollBars(bool shown);
  // The first run enables the menus for good.
  void enableForGood();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // False when a menu above the action is disabled, so its shortcut must not fire.
  bool reachable(QAction* item) const;

  QMainWindow& window_;
  QHash<QObject*, QMenu*> menuOf_;  // the menu each action or submenu action sits in
  std::function<void(Field, int16_t)> settingChosen_;
  std::function<void(int)> filterChosen_;
  bool enabledForGood_ = false;
};

}  // namespace orbisk
