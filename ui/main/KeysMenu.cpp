#include "ui/main/KeysMenu.h"

#include <QAction>
#include <QStringList>
#include <QStyleOptionMenuItem>

namespace orbisk {

namespace {

// The item's property that holds the keys the window handles for it.
constexpr const char* kOtherKeys = "orbiskOtherKeys";

}  // namespace

void KeysMenu::addOtherKey(QAction& item, const QKeySequence& key) {
  QList<QKeySequence> keys = item.property(kOtherKeys).value<QList<QKeySequence>>();
  keys.append(key);
  item.setProperty(kOtherKeys, QVariant::fromValue(keys));
}

QString KeysMenu::shownText(const QAction& item) {
  QStringList keys;
  const QList<QKeySequence> others = item.property(kOtherKeys).value<QList<QKeySequence>>();
  for (const QKeySequence& key : item.shortcuts() + others)
    keys << key.toString(QKeySequence::NativeText);
  return keys.isEmpty() ? item.text() : item.text() + QLatin1Char('\t') + keys.join(", ");
}

void KeysMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenu::initStyleOption(option, action);
  // A caption that brings its own tab keeps it, as QMenu does.
  if (action && !action->isSeparator() && !action->menu() && !action->text().contains('\t'))
    option->text = shownText(*action);
}

}  // namespace orbisk
