// A menu that shows, after an item's caption, every key that reaches the item: its own
// shortcuts and the keys the window handles for it elsewhere (Ctrl+Q for Exit works even while
// the File menu is disabled, so it belongs to the window, not to the item).
#pragma once

#include <QKeySequence>
#include <QList>
#include <QMenu>

namespace orbisk {

class KeysMenu : public QMenu {
  Q_OBJECT

 public:
  using QMenu::QMenu;

  // Records a key the window handles for item, so that its menu shows it too.
  static void addOtherKey(QAction& item, const QKeySequence& key);
  // What a menu shows for the item: its caption, then a tab and its keys, ", " between them.
  static QString shownText(const QAction& item);

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

}  // namespace orbisk
