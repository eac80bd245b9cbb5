// What every window besides the main window shares: a frame without minimise or maximise button,
// and a place in the middle of the screen.
#pragma once

#include <Qt>

class QWidget;

namespace orbisk {

// A top-level window with a title bar and a close button, but no minimise or maximise button.
constexpr Qt::WindowFlags kFixedWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                              Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                              Qt::WindowCloseButtonHint;

// Moves the window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

// Moves the window so that its frame is centred horizontally on its screen; the top stays.
void centreHorizontally(QWidget* window);

// For a window whose layout decides its size: centres it when it is first shown, once that layout
// has sized it, wholly on the screen's available area (its top-left corner in the area when it
// is larger than the area). Later showings leave it where the user put it.
void centreWhenShown(QWidget* window);

// Escape closes the window, whichever of its controls has the focus.
void closeOnEscape(QWidget* window);

}  // namespace orbisk
