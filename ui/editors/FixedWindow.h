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

}  // namespace orbisk
