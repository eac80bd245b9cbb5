// A window whose title bar shows no text at all.
#pragma once

class QWidget;

namespace orbisk {

// Hands the window manager an empty title for this top-level window. Qt alone cannot: for an
// empty title it passes on the program's name instead. Call it once the native window exists
// and before it is mapped, which is the case in showEvent. Does nothing on platforms where Qt's
// own empty title already reaches the window manager unchanged.
void handEmptyTitleToWindowManager(QWidget* window);

}  // namespace orbisk
